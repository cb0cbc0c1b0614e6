// The scroller's link ranges and line settings: applying links to ranges and
// following the user's typing and deleting.
#include <gtest/gtest.h>

#include "bots_s3/scroll_links.h"

namespace {

using bots_s3::ApplyLink;
using bots_s3::FollowSelectionEdit;
using bots_s3::ScrollLineInfo;
using bots_s3::ScrollLink;
using bots_s3::ScrollLinks;
using bots_s3::ScrollLines;

ScrollLink Link(int start, int end, const std::string& url = "a.htm") {
  ScrollLink link;
  link.start = start;
  link.end = end;
  link.url = url;
  return link;
}

ScrollLink Values(const std::string& url, const std::string& message = "",
                  const std::string& target = "", int highlight = 11) {
  ScrollLink link;
  link.url = url;
  link.message = message;
  link.target = target;
  link.highlight = highlight;
  return link;
}

// "start-end url" of each link, for readable comparisons.
std::vector<std::string> Ranges(const ScrollLinks& links) {
  std::vector<std::string> out;
  for (const ScrollLink& link : links) {
    out.push_back(std::to_string(link.start) + "-" + std::to_string(link.end) + " " + link.url);
  }
  return out;
}
using Texts = std::vector<std::string>;

TEST(ApplyLinkTest, SplittingReplacingAndRemoving) {
  ScrollLinks links{Link(10, 29, "big.htm")};
  ApplyLink(links, 15, 19, Values("mid.htm"), false);
  EXPECT_EQ(Ranges(links), (Texts{"10-14 big.htm", "15-19 mid.htm", "20-29 big.htm"}));
  // An empty URL over the same range leaves the two outer parts with a gap.
  ApplyLink(links, 15, 19, Values(""), false);
  EXPECT_EQ(Ranges(links), (Texts{"10-14 big.htm", "20-29 big.htm"}));

  // Exactly over a link: its values change, no link is added.
  ApplyLink(links, 20, 29, Values("new.htm", "Go", "Blank", 1), false);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[1].url, "new.htm");
  EXPECT_EQ(links[1].message, "Go");
  EXPECT_EQ(links[1].target, "Blank");
  EXPECT_EQ(links[1].highlight, 1);

  // Over both and beyond: one link replaces them.
  ApplyLink(links, 5, 40, Values("all.htm"), false);
  EXPECT_EQ(Ranges(links), (Texts{"5-40 all.htm"}));
}

TEST(ApplyLinkTest, OverlapsCutTheNeighboursAndKeepTheListSorted) {
  ScrollLinks links{Link(0, 4, "a"), Link(10, 14, "b"), Link(20, 24, "c")};
  ApplyLink(links, 3, 11, Values("x"), false);  // the ends of a and b
  EXPECT_EQ(Ranges(links), (Texts{"0-2 a", "3-11 x", "12-14 b", "20-24 c"}));
  ApplyLink(links, 16, 18, Values("y"), false);  // in a gap
  EXPECT_EQ(Ranges(links), (Texts{"0-2 a", "3-11 x", "12-14 b", "16-18 y", "20-24 c"}));
  ApplyLink(links, 14, 20, Values("z"), false);  // b's end, all of y, c's start
  EXPECT_EQ(Ranges(links), (Texts{"0-2 a", "3-11 x", "12-13 b", "14-20 z", "21-24 c"}));

  // One-character links: the position is their end as well.
  ScrollLinks single{Link(5, 5, "one")};
  ApplyLink(single, 5, 5, Values("two"), false);
  EXPECT_EQ(Ranges(single), (Texts{"5-5 two"}));
  ApplyLink(single, 3, 5, Values(""), false);
  EXPECT_TRUE(single.empty());
}

TEST(ApplyLinkTest, TrailingLineBreakStaysOutsideTheLink) {
  ScrollLinks links;
  // "Hello\r\n": positions 0-4 and the break at 5-6.
  ApplyLink(links, 0, 6, Values("page.htm"), /*ends_with_line_break=*/true);
  EXPECT_EQ(Ranges(links), (Texts{"0-4 page.htm"}));
  ScrollLinks only_break;
  ApplyLink(only_break, 5, 6, Values("page.htm"), true);
  EXPECT_TRUE(only_break.empty());
}

TEST(LinkLookupTest, DialogStartAndButtonLook) {
  ScrollLinks links{Link(2, 5, "a.htm"), Link(8, 9, "")};
  EXPECT_EQ(bots_s3::LinkUnderSelection(links, 3, 5), 0);
  EXPECT_EQ(bots_s3::LinkUnderSelection(links, 6, 6), 0);   // the caret after it
  EXPECT_EQ(bots_s3::LinkUnderSelection(links, 3, 8), -1);  // reaches out of it
  EXPECT_EQ(bots_s3::LinkUnderSelection(links, 0, 1), -1);

  int caret_link = -2;
  EXPECT_EQ(bots_s3::LinkLook(links, 3, 3, 5, &caret_link), 2);
  EXPECT_EQ(caret_link, 0);
  EXPECT_EQ(bots_s3::LinkLook(links, 4, 4, 8, &caret_link), 6);  // half in a link
  EXPECT_EQ(bots_s3::LinkLook(links, 0, 0, 4, &caret_link), 6);  // reaches into one
  EXPECT_EQ(bots_s3::LinkLook(links, 0, 0, 1, &caret_link), 0);
  EXPECT_EQ(bots_s3::LinkLook(links, 8, 8, 9, &caret_link), 0);  // a link without URL
  EXPECT_EQ(caret_link, 1);
  EXPECT_EQ(bots_s3::LinkLook({}, 3, 3, 3, &caret_link), 0);
}

TEST(FollowEditTest, TypingMovesWhatFollowsAndDeletingShortensLinks) {
  ScrollLinks links{Link(5, 9)};
  ScrollLines lines{{12, "bell.au", 100}};
  FollowSelectionEdit(links, lines, 2, 2, 3, 5);  // three characters typed before
  EXPECT_EQ(Ranges(links), (Texts{"8-12 a.htm"}));
  EXPECT_EQ(lines[0].start, 15);
  FollowSelectionEdit(links, lines, 13, 13, 1, 14);  // one typed after it
  EXPECT_EQ(Ranges(links), (Texts{"8-12 a.htm"}));

  // Backspace after the link's last character: it loses that character.
  FollowSelectionEdit(links, lines, 13, 13, -1, 12);
  EXPECT_EQ(Ranges(links), (Texts{"8-11 a.htm"}));
  // The only character of a one-character link.
  ScrollLinks single{Link(4, 4)};
  ScrollLines none;
  FollowSelectionEdit(single, none, 5, 5, -1, 4);
  EXPECT_TRUE(single.empty());
}

TEST(FollowEditTest, ReplacingASelectionAndJoiningLines) {
  // "one\r\ntwo\r\nthree": lines start at 0, 5 and 10.
  ScrollLinks links{Link(0, 2, "one"), Link(5, 7, "two"), Link(10, 14, "three")};
  ScrollLines lines{{5, "a.au", 0}, {10, "b.au", 0}};
  // "e\r\ntw" (2-6) replaced by one character: "one" ends before it, "two"
  // keeps its "o", and the second line's setting goes with its start.
  FollowSelectionEdit(links, lines, 2, 7, -4, 3);
  EXPECT_EQ(Ranges(links), (Texts{"0-1 one", "3-3 two", "6-10 three"}));
  EXPECT_EQ(lines, (ScrollLines{{6, "b.au", 0}}));

  // Backspace over the line break before "three" (positions 4-5 now).
  ScrollLines joined{{0, "x.au", 0}, {6, "b.au", 0}};
  ScrollLinks kept{Link(6, 10, "three")};
  FollowSelectionEdit(kept, joined, 6, 6, -2, 4);
  EXPECT_EQ(joined, (ScrollLines{{0, "x.au", 0}}));
  EXPECT_EQ(Ranges(kept), (Texts{"4-8 three"}));
}

// A change only the text-change notification saw, from s, the last
// selection start.
TEST(FollowEditTest, TextChangeSeenWithoutASelectionChange) {
  struct Case {
    const char* what;
    ScrollLinks links;
    std::vector<int> line_starts;
    int s, d;
    bool line_end;
    Texts links_after;
    std::vector<int> line_starts_after;
  };
  const Case cases[] = {
      {"a one-character link at s goes", {Link(4, 4)}, {}, 4, -1, false, {}, {}},
      {"a longer link at s starts one past the change", {Link(4, 8)}, {}, 4, 2, false,
       {"7-10 a.htm"}, {}},
      {"links reaching over s grow, later ones move", {Link(2, 6), Link(10, 12, "b")}, {}, 4, 2,
       false, {"2-8 a.htm", "12-14 b"}, {}},
      {"typing moves the settings from s on", {}, {0, 4, 10}, 4, 1, false, {}, {0, 5, 11}},
      {"one character deleted moves them back", {}, {0, 4, 10}, 4, -1, false, {}, {0, 3, 9}},
      {"two deleted: the setting at s goes, the one at s+2 moves to s", {}, {0, 4, 6, 10}, 4, -2,
       false, {}, {0, 4, 8}},
      {"two deleted at the line's end: both go", {}, {0, 4, 6, 10}, 4, -2, true, {}, {0, 8}},
  };
  for (const Case& c : cases) {
    ScrollLinks links = c.links;
    ScrollLines lines;
    for (int start : c.line_starts) lines.push_back({start, "a.au", 0});
    bots_s3::FollowTextEdit(links, lines, c.s, c.d, c.line_end);
    EXPECT_EQ(Ranges(links), c.links_after) << c.what;
    std::vector<int> starts;
    for (const ScrollLineInfo& line : lines) starts.push_back(line.start);
    EXPECT_EQ(starts, c.line_starts_after) << c.what;
  }
}

TEST(LineSettingTest, SetOrInsertInOrder) {
  ScrollLines lines;
  bots_s3::SetLineSetting(lines, 10, "b.au", 0);
  bots_s3::SetLineSetting(lines, 0, "a.au", 500);
  bots_s3::SetLineSetting(lines, 10, "c.au", 20);
  EXPECT_EQ(lines, (ScrollLines{{0, "a.au", 500}, {10, "c.au", 20}}));
  ASSERT_NE(bots_s3::FindLineSetting(lines, 10), nullptr);
  EXPECT_EQ(bots_s3::FindLineSetting(lines, 10)->sound, "c.au");
  EXPECT_EQ(bots_s3::FindLineSetting(lines, 5), nullptr);
}

}  // namespace
