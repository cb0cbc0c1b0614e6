// Turning the scroller's two formatted columns into the applet's flat item
// lists: one header item per header line, and per main line one segment item
// for each stretch of uniformly formatted, uniformly linked text, the last
// carrying the line's end and pause.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bots_s3/scroll_links.h"
#include "richtext/document.h"

namespace bots_s3 {

// One applet text item.
struct ScrollItem {
  std::string text;
  std::string style;
  std::string link;
  bool operator==(const ScrollItem&) const = default;
};

struct ScrollAppletItems {
  std::vector<ScrollItem> header;
  std::vector<ScrollItem> segments;
  std::vector<std::pair<int, std::string>> line_sounds;  // 0-based line, file name
  int line_count = 0;
};

// What the conversion reads of a column: lines (paragraphs), their text, and
// the character format of a range with the mask of its uniform attributes.
class ScrollColumn {
 public:
  virtual ~ScrollColumn() = default;
  virtual int LineCount() = 0;
  // First position of a line; -1 past the last.
  virtual int LineIndex(int line) = 0;
  virtual int LineLength(int line) = 0;
  virtual std::string TextRange(int start, int end) = 0;
  virtual uint32_t Format(int start, int end, richtext::CharFormat* format) = 0;
};

// A column over a document in memory.
class DocumentColumn : public ScrollColumn {
 public:
  explicit DocumentColumn(const richtext::Document& document) : document_(document) {}
  int LineCount() override { return document_.LineCount(); }
  int LineIndex(int line) override { return document_.LineIndex(line); }
  int LineLength(int line) override { return document_.LineLength(line); }
  std::string TextRange(int start, int end) override { return document_.TextRange(start, end); }
  uint32_t Format(int start, int end, richtext::CharFormat* format) override {
    return document_.GetFormat(start, end, format);
  }

 private:
  const richtext::Document& document_;
};

// The style keyword of bold + 2 x italic + 4 x underline ("_plain" ...
// "_bolditalicsunderline").
const char* StyleKeyword(int style_index);
int StyleIndex(const richtext::CharFormat& format);
// "rrggbb" of a colour kept as 0x00bbggrr.
std::string ColourText(richtext::Colour colour);
// The applet's keyword of a target caption ("Blank" gives "_blank", "Main"
// "main"); other text unchanged.
std::string TargetKeyword(const std::string& target);
// "url|target|colour[|message]" of a link; the colour part is "_none" for no
// highlight, else the custom or named colour as "rrggbb".
std::string LinkValue(const ScrollLink& link, bool preview, const std::string& page_url);

// The header column's items.
std::vector<ScrollItem> ConvertHeader(ScrollColumn& header);
// The main column's segments and line sounds; line_count is the larger of
// the two columns' line counts (lines past the main column's end count as
// empty lines).
void ConvertMain(ScrollColumn& main, int line_count, const ScrollLinks& links,
                 const ScrollLines& lines, bool preview, const std::string& page_url,
                 ScrollAppletItems* items);

}  // namespace bots_s3
