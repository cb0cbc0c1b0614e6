// The scroller's link ranges and line settings, anchored to character
// positions of the main column (a line break counts as two): applying a link
// to a range, and keeping links and line settings in step as the user types
// and deletes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/colour.h"
#include "base/keyword_table.h"

namespace bots_s3 {

// The targets a link offers, in list order: the caption a link keeps and
// the applet's keyword for it ("Main" is the applet's "main").
inline constexpr base::KeywordRow kLinkTargetRows[] = {
    {"Self", "_self"}, {"Blank", "_blank"}, {"Parent", "_parent"}, {"Top", "_top"},
    {"Main", "main"}};
inline constexpr base::KeywordTable kLinkTargets{kLinkTargetRows};

// The named colour row a new link starts with ("Blue").
inline constexpr int kDefaultLinkHighlight = 11;

// One hyperlink range of the main column, first and last positions inclusive.
struct ScrollLink {
  int start = 0;
  int end = 0;
  std::string url;
  std::string message;
  std::string target;
  int highlight = kDefaultLinkHighlight;  // named colour row: 0 none, 1 custom
  base::RgbColour custom_colour{};        // for row 1

  bool Contains(int position) const { return position >= start && position <= end; }
  bool operator==(const ScrollLink&) const = default;
};

// The settings of one line of the main column: the sound and pause of the
// line starting at start.
struct ScrollLineInfo {
  int start = 0;
  std::string sound = "(None)";
  int pause = 0;
  bool operator==(const ScrollLineInfo&) const = default;
};

using ScrollLinks = std::vector<ScrollLink>;  // sorted by start, never overlapping
using ScrollLines = std::vector<ScrollLineInfo>;  // sorted by start, one per start

// Applies a link's values (url, message, target, highlight, custom colour of
// values; its range is ignored) to the inclusive range [b, c]: links wholly
// inside go, links reaching in are cut or split, an exact match takes the
// new values, and a new link is inserted in its sorted place when the URL is
// not empty. ends_with_line_break: the selected text ends with CR LF, which
// then stays outside the new link. An empty URL so removes links from the
// range.
void ApplyLink(ScrollLinks& links, int b, int c, const ScrollLink& values,
               bool ends_with_line_break);

// The index of the link that the selection [start, end) lies in, as the
// Hyperlink dialog starts from it: the link containing the selection's first
// position (for an empty selection the position before the caret) and its
// last selected character; -1 for none.
int LinkUnderSelection(const ScrollLinks& links, int start, int end);

// The link look of the H button for a selection [start, end), where
// position is the selection start (or, for an empty selection not at its
// line's start, the position before the caret): 0 no link, 2 link, 6 mixed.
// *caret_link gets the index of the link found under the caret, or -1.
int LinkLook(const ScrollLinks& links, int position, int start, int end, int* caret_link);

// The main column's text changed by d characters (new length less the last
// one) while the selection was [s, t) and the caret is now at caret.
// Replacing or deleting a selection (s != t) cuts or removes the links it
// touched and removes the line settings of the lines whose start it took;
// deleting at a caret (d < 0) takes the deleted character from its link and
// removes the setting of a line whose break went. Then every start and end
// at or after s moves by d.
void FollowSelectionEdit(ScrollLinks& links, ScrollLines& lines, int s, int t, int d, int caret);

// The same change seen only by a text-change notification, from s (the last
// selection start); line_end: s is the end of the caret's line.
void FollowTextEdit(ScrollLinks& links, ScrollLines& lines, int s, int d, bool line_end);

// Sets the sound and pause of the line starting at start, adding a setting
// in its sorted place when the line has none.
void SetLineSetting(ScrollLines& lines, int start, const std::string& sound, int pause);
// The setting of the line starting at start, or null.
const ScrollLineInfo* FindLineSetting(const ScrollLines& lines, int start);

// The most characters a position of a stored link or line setting may
// name; the editor holds no longer text.
inline constexpr int kMostTextPosition = 16 * 1024 * 1024;
// Makes links and line settings read from a page what the editor keeps:
// ranges and starts outside 0..kMostTextPosition (or ending before they
// start) go, both lists are sorted by start, and of overlapping links or
// settings of the same line the first in the page's order stays.
void KeepStoredInOrder(ScrollLinks& links, ScrollLines& lines);

}  // namespace bots_s3
