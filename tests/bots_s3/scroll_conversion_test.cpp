// The scroller's columns turned into applet items, over documents in memory.
#include <gtest/gtest.h>

#include <ostream>

#include "botframe/applet_tag.h"
#include "bots_s3/scroll_conversion.h"

namespace {

using bots_s3::ConvertHeader;
using bots_s3::ConvertMain;
using bots_s3::DocumentColumn;
using bots_s3::ScrollAppletItems;
using bots_s3::ScrollItem;
using bots_s3::ScrollLink;
using bots_s3::ScrollLinks;
using bots_s3::ScrollLines;
using Items = std::vector<ScrollItem>;

}  // namespace

namespace bots_s3 {
void PrintTo(const ScrollItem& item, std::ostream* out) {
  *out << "{\"" << item.text << "\", \"" << item.style << "\", \"" << item.link << "\"}";
}
}  // namespace bots_s3

namespace {

ScrollLink Link(int start, int end, const std::string& url, const std::string& target,
                int highlight, const std::string& message = "") {
  ScrollLink link;
  link.start = start;
  link.end = end;
  link.url = url;
  link.target = target;
  link.highlight = highlight;
  link.message = message;
  return link;
}

ScrollAppletItems Convert(const richtext::Document& main, const ScrollLinks& links,
                          const ScrollLines& lines = {}, bool preview = false,
                          const std::string& page_url = "") {
  DocumentColumn column(main);
  ScrollAppletItems items;
  ConvertMain(column, main.LineCount(), links, lines, preview, page_url, &items);
  return items;
}

TEST(ScrollConversionTest, LinkedWordMakesTwoSegments) {
  richtext::Document main;
  main.SetText("Hello world");
  const ScrollAppletItems items = Convert(main, {Link(6, 10, "news.htm", "Blank", 11)});
  EXPECT_EQ(items.segments,
            (Items{{"Hello\\u0020", "_plain|000000", ""},
                   {"world", "_plain|000000|_newline,0", "news.htm|_blank|0000ff"}}));
  EXPECT_EQ(items.line_count, 1);
}

TEST(ScrollConversionTest, FormatsSplitSegmentsAndLineEndsCarryThePause) {
  richtext::Document main;
  main.SetText("Big red\r\n\r\n  end ");
  richtext::CharFormat look;
  look.bold = true;
  look.italic = true;
  main.ApplyFormat(0, 4, look, richtext::mask::kBold | richtext::mask::kItalic);
  look.colour = richtext::Colour(0x0000FF);  // red, as 0x00bbggrr
  main.ApplyFormat(4, 7, look, richtext::mask::kColour);
  look.underline = true;
  main.ApplyFormat(11, 17, look, richtext::mask::kUnderline);
  const ScrollAppletItems items =
      Convert(main, {}, {{0, "(None)", 250}, {9, "bell.au", 0}, {11, "(none)", 40}});
  EXPECT_EQ(items.segments,
            (Items{{"Big\\u0020", "_bolditalic|000000", ""},
                   {"red", "_plain|ff0000|_newline,250", ""},
                   {"", "_plain|000000|_newline,0", ""},
                   {"\\u0020\\u0020end\\u0020", "_underline|000000|_newline,40", ""}}));
  // Only a real sound is given to the applet, by its line.
  EXPECT_EQ(items.line_sounds, (std::vector<std::pair<int, std::string>>{{1, "bell.au"}}));
  EXPECT_EQ(items.line_count, 3);
}

TEST(ScrollConversionTest, HeaderLinesKeepTheirOuterSpaces) {
  richtext::Document header;
  header.SetText("  Head \r\nTwo");
  richtext::CharFormat bold;
  bold.bold = true;
  header.ApplyFormat(5, 11, bold, richtext::mask::kBold);  // "d \r\nTw"
  DocumentColumn column(header);
  EXPECT_EQ(ConvertHeader(column),
            (Items{{"\\u0020\\u0020Head\\u0020", "_plain|000000", ""},
                   {"Two", "_bold|000000", ""}}));
}

TEST(ScrollConversionTest, LinkValuesTargetsColoursMessagesAndPreviewUrls) {
  EXPECT_EQ(bots_s3::LinkValue(Link(0, 1, "a.htm", "Top", 0, "Go there"), false, ""),
            "a.htm|_top|_none|Go there");
  ScrollLink custom = Link(0, 1, "a.htm", "frame2", 1);
  custom.custom_colour = base::RgbColour(0x12AB9F);
  EXPECT_EQ(bots_s3::LinkValue(custom, false, ""), "a.htm|frame2|12ab9f");
  EXPECT_EQ(bots_s3::LinkValue(Link(0, 1, "a.htm", "main", 11), false, ""), "a.htm|main|0000ff");

  const std::string page = "file:///C:/web/a/b/p.htm";
  EXPECT_EQ(botframe::AbsoluteUrl("../x.htm", page), "file:///C:/web/a/x.htm");
  EXPECT_EQ(botframe::AbsoluteUrl("./y.htm", page), "file:///C:/web/a/b/y.htm");
  EXPECT_EQ(botframe::AbsoluteUrl("HTTP://other/z.htm", page), "HTTP://other/z.htm");
  EXPECT_EQ(bots_s3::LinkValue(Link(0, 1, "../x.htm", "", 0), true, page),
            "file:///C:/web/a/x.htm||_none");
  // More "../" than folders: never past the start of the base.
  EXPECT_EQ(botframe::AbsoluteUrl("../../../../../../q.htm", "a/p.htm"), "q.htm");
  // Any scheme stays; a server's root is never climbed past; no length cut.
  EXPECT_EQ(botframe::AbsoluteUrl("https://other/z.htm", page), "https://other/z.htm");
  EXPECT_EQ(botframe::AbsoluteUrl("mailto:a@b.com", page), "mailto:a@b.com");
  EXPECT_EQ(botframe::AbsoluteUrl("../x.htm", "http://s/p.htm"), "http://s/x.htm");
  const std::string long_name(600, 'n');
  EXPECT_EQ(botframe::AbsoluteUrl(long_name, page), "file:///C:/web/a/b/" + long_name);
}

TEST(ScrollConversionTest, HeaderLongerThanTheMainColumnGivesEmptyLines) {
  richtext::Document main;
  main.SetText("one");
  DocumentColumn column(main);
  ScrollAppletItems items;
  ConvertMain(column, 3, {}, {}, false, "", &items);
  ASSERT_EQ(items.segments.size(), 3u);
  EXPECT_EQ(items.segments[2].text, "");
  EXPECT_EQ(items.segments[2].style, "_plain|000000|_newline,0");
}

}  // namespace
