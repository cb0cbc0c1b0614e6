// Tests of the RTF writer and reader: what RichEdit writes, round trips, and
// the inputs the reader refuses.
#include <gtest/gtest.h>

#include <string>

#include "richtext/document.h"

namespace {

using richtext::CharFormat;
using richtext::Document;
using richtext::ParagraphFormat;
namespace mask = richtext::mask;
namespace paragraph_mask = richtext::paragraph_mask;

// What Wine's RichEdit writes for two lines with a bold and a red word.
constexpr const char* kWineSample =
    "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\\deflang1033\\deflangfe1033{\\fonttbl{\\f0\\fcharset0 "
    "Arial;}}{\\colortbl;\\red255\\green0\\blue0;}{\\*\\generator Wine Riched20 2.0;}\\pard"
    "\\sl-240\\slmult1 \\lang1033\\fs20\\f0 Hello \\b bold\\b0  world\\par Second \\cf1 red\\cf0 "
    " line\\par }";

// The same in the shape Windows' RichEdit writes it.
constexpr const char* kWindowsSample =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 "
    "Calibri;}{\\f1\\fswiss\\fprq2\\fcharset0 Times New Roman;}}\r\n"
    "{\\colortbl ;\\red0\\green0\\blue255;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "\\pard\\sa200\\sl360\\slmult0\\f0\\fs22\\lang9 Caf\\'e9 \\cf1\\f1\\ul blue\\ulnone\\cf0\\f0\\par\r\n"
    "\\par\r\n}\r\n";

CharFormat FormatOf(const Document& document, int start, int end, uint32_t* uniform = nullptr) {
  CharFormat format;
  const uint32_t same = document.GetFormat(start, end, &format);
  if (uniform) *uniform = same;
  return format;
}

Document Read(const std::string& rtf) {
  Document document;
  std::string error;
  EXPECT_TRUE(document.ReadRtf(rtf, &error)) << error << "\n" << rtf;
  return document;
}

// The same text, characters, breaks, formats and paragraph formats.
void ExpectSameDocument(const Document& expected, const Document& actual) {
  ASSERT_EQ(expected.Text(), actual.Text());
  ASSERT_EQ(expected.LineCount(), actual.LineCount());
  for (int i = 0; i < expected.Length(); ++i) {
    EXPECT_EQ(FormatOf(expected, i, i + 1), FormatOf(actual, i, i + 1)) << "at " << i;
  }
  for (int line = 0; line < expected.LineCount(); ++line) {
    EXPECT_EQ(expected.GetParagraphFormat(line), actual.GetParagraphFormat(line)) << "line " << line;
    const int start = expected.LineIndex(line);
    EXPECT_EQ(FormatOf(expected, start, start), FormatOf(actual, start, start)) << "line " << line;
  }
}

TEST(RtfReadTest, WineRichEditOutput) {
  const Document document = Read(kWineSample);
  EXPECT_EQ(document.Text(), "Hello bold world\r\nSecond red line");
  EXPECT_EQ(document.LineCount(), 2);  // the \par before the brace ends line 2

  uint32_t uniform = 0;
  const CharFormat bold = FormatOf(document, 6, 10, &uniform);
  EXPECT_EQ(uniform, mask::kAll);
  EXPECT_TRUE(bold.bold);
  EXPECT_EQ(bold.face, "Arial");
  EXPECT_EQ(bold.height, 200);
  EXPECT_FALSE(FormatOf(document, 10, 16).bold);

  const CharFormat red = FormatOf(document, 25, 28, &uniform);
  EXPECT_EQ(uniform, mask::kAll);
  EXPECT_EQ(red.colour, richtext::Colour(0x0000FF));
  EXPECT_EQ(FormatOf(document, 28, 33).colour, richtext::Colour(0));  // \cf0: automatic, black
  EXPECT_EQ(document.GetParagraphFormat(0), ParagraphFormat{});  // \sl-240\slmult1: single
  EXPECT_EQ(document.GetParagraphFormat(1), ParagraphFormat{});
}

TEST(RtfReadTest, WindowsRichEditOutput) {
  const Document document = Read(kWindowsSample);
  EXPECT_EQ(document.Text(), "Caf\xE9 blue\r\n");
  EXPECT_EQ(document.LineCount(), 2);
  const CharFormat cafe = FormatOf(document, 0, 5);
  EXPECT_EQ(cafe.face, "Calibri");
  EXPECT_EQ(cafe.height, 220);
  const CharFormat blue = FormatOf(document, 5, 9);
  EXPECT_EQ(blue.face, "Times New Roman");
  EXPECT_EQ(blue.colour, richtext::Colour(0xFF0000));
  EXPECT_TRUE(blue.underline);
  EXPECT_EQ(document.GetParagraphFormat(0).line_spacing, 360);
  // The empty last paragraph has the format in force at its \par.
  const CharFormat last = FormatOf(document, document.Length(), document.Length());
  EXPECT_EQ(last.face, "Calibri");
  EXPECT_FALSE(last.underline);
}

TEST(RtfReadTest, TheLastParIsTheEndOfTheLastParagraph) {
  EXPECT_EQ(Read("{\\rtf1 one}").LineCount(), 1);
  EXPECT_EQ(Read("{\\rtf1 one\\par}").LineCount(), 1);
  EXPECT_EQ(Read("{\\rtf1 one\\par\r\n}").Text(), "one");
  EXPECT_EQ(Read("{\\rtf1 one\\par\\par}").Text(), "one\r\n");
  EXPECT_EQ(Read("{\\rtf1 one\\par two}").Text(), "one\r\ntwo");
  EXPECT_EQ(Read("{\\rtf1 one\\line two\\par}").Text(), "one\r\ntwo");
  EXPECT_EQ(Read("{\\rtf1 one\\\ntwo}").Text(), "one\r\ntwo");  // \<LF> is \par
  EXPECT_EQ(Read("{\\rtf1 }").LineCount(), 1);
  EXPECT_EQ(Read("{\\rtf1 \\par}").Text(), "");
}

TEST(RtfReadTest, CharacterStateFollowsGroups) {
  const Document document =
      Read("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\froman{\\*\\panose 0}Times;}}"
           "a{\\b\\i\\ul b{\\ul0\\f1\\fs30 c}d}e\\b\\ul f\\plain g\\i h\\i0 i\\ul j\\ulnone k}");
  EXPECT_EQ(document.Text(), "abcdefghijk");
  auto at = [&](int i) { return FormatOf(document, i, i + 1); };
  EXPECT_FALSE(at(0).bold);
  EXPECT_TRUE(at(1).bold && at(1).italic && at(1).underline);
  EXPECT_TRUE(at(2).bold && !at(2).underline);
  EXPECT_EQ(at(2).face, "Times");
  EXPECT_EQ(at(2).height, 300);
  EXPECT_TRUE(at(3).underline && at(3).face == "Arial" && at(3).height == 240);
  EXPECT_FALSE(at(4).bold || at(4).italic || at(4).underline);
  EXPECT_TRUE(at(5).bold && at(5).underline);
  EXPECT_FALSE(at(6).bold || at(6).underline);  // \plain
  EXPECT_EQ(at(6).height, 240);
  EXPECT_TRUE(at(7).italic);
  EXPECT_FALSE(at(8).italic);
  EXPECT_TRUE(at(9).underline);
  EXPECT_FALSE(at(10).underline);
}

TEST(RtfReadTest, EscapesHexBytesAndUnicode) {
  EXPECT_EQ(Read("{\\rtf1 a\\\\b\\{c\\}d\\tab e}").Text(), "a\\b{c}d\te");
  EXPECT_EQ(Read("{\\rtf1 caf\\'e9 \\'E9}").Text(), "caf\xE9 \xE9");
  // \uN with its fallback skipped: one character by default, \ucN ones when
  // set, the group's \uc again after the group.
  EXPECT_EQ(Read("{\\rtf1 \\u233?t\\u8364?\\u-3913?x}").Text(), "\xE9t\x80?x");
  EXPECT_EQ(Read("{\\rtf1 {\\uc2\\u233 ab}c\\u233 dz}").Text(), "\xE9""c\xE9z");
  EXPECT_EQ(Read("{\\rtf1 \\uc0\\u233\\u8212 x}").Text(), "\xE9\x97x");
  EXPECT_EQ(Read("{\\rtf1 \\u233\\'e9x}").Text(), "\xE9x");  // a hex fallback
  EXPECT_EQ(Read("{\\rtf1 \\u55357?\\u56832?!}").Text(), "?!");  // one pair, one '?'
  EXPECT_EQ(Read("{\\rtf1 a\\~b\\emdash c\\lquote d\\rquote}").Text(), "a\xA0" "b\x97" "c\x91" "d\x92");
}

TEST(RtfReadTest, SkipsWhatIsNoText) {
  const Document document =
      Read("{\\rtf1{\\*\\unknown hidden}{\\info{\\title T}{\\author A}}"
           "{\\stylesheet{\\s0 Normal;}}{\\pict\\bin2 }{}a{\\*\\bkmkstart x}b\\unknownword c"
           "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}");
  EXPECT_EQ(document.Text(), "abclink");
}

TEST(RtfReadTest, ParagraphFormats) {
  const Document document =
      Read("{\\rtf1\\pard\\li720\\fi-360\\sl300\\slmult0 a\\par b\\par\\pard c\\par"
           "\\sl480\\slmult1 d\\par\\sl-200\\slmult0 e\\par}");
  ASSERT_EQ(document.LineCount(), 5);
  ParagraphFormat hanging;
  hanging.start_indent = 360;
  hanging.offset = 360;
  hanging.line_spacing = 300;
  EXPECT_EQ(document.GetParagraphFormat(0), hanging);
  EXPECT_EQ(document.GetParagraphFormat(1), hanging);  // until \pard
  EXPECT_EQ(document.GetParagraphFormat(2), ParagraphFormat{});
  EXPECT_EQ(document.GetParagraphFormat(3).line_spacing, 480);  // double spacing
  EXPECT_EQ(document.GetParagraphFormat(4).line_spacing, 200);  // "exactly" as at least
}

TEST(RtfWriteTest, HeaderTablesAndEscapes) {
  Document document;
  document.SetText("caf\xE9 {x}\\ \x80");
  CharFormat red;
  red.colour = richtext::Colour(0x0000FF);
  document.ApplyFormat(0, 4, red, mask::kColour);
  const std::string rtf = document.WriteRtf();
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0", 0), 0u) << rtf;
  EXPECT_NE(rtf.find(" Arial;}}"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("{\\colortbl;\\red255\\green0\\blue0;}"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("caf\\'e9"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\{x\\}\\\\ \\'80"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.back(), '}');
}

TEST(RtfRoundTripTest, TextFormatsAndParagraphFormatsSurvive) {
  Document document;
  document.SetText("Plain bold italic\r\n\r\nred \xE9t\xE9 {braces} \\ tab\there\r\nlast");
  CharFormat format;
  format.bold = true;
  document.ApplyFormat(6, 10, format, mask::kBold);
  format.italic = true;
  format.face = "Times New Roman";
  document.ApplyFormat(8, 17, format, mask::kItalic | mask::kFace);
  format.colour = richtext::Colour(0x00336699);
  format.height = 360;
  document.ApplyFormat(21, 24, format, mask::kColour | mask::kHeight);
  format.underline = true;
  format.face = "Odd;{Name}\\";
  document.ApplyFormat(25, 30, format, mask::kUnderline | mask::kFace);
  document.Replace(19, 19, "", format);  // the empty line's own format
  ParagraphFormat paragraph;
  paragraph.line_spacing = 300;
  paragraph.start_indent = 1440;
  paragraph.offset = -360;
  document.ApplyParagraphFormat(0, 0, paragraph, paragraph_mask::kLineSpacing |
                                                     paragraph_mask::kStartIndent |
                                                     paragraph_mask::kOffset);
  paragraph.offset = 720;
  document.ApplyParagraphFormat(20, document.Length(), paragraph, paragraph_mask::kOffset);

  const std::string rtf = document.WriteRtf();
  const Document copy = Read(rtf);
  ExpectSameDocument(document, copy);
  EXPECT_EQ(copy.WriteRtf(), rtf);  // writing again is stable
}

TEST(RtfRoundTripTest, ParagraphCountSurvives) {
  for (const char* text : {"", "one", "one\r\n", "\r\n", "\r\n\r\n", "a\r\n\r\nb\r\n"}) {
    Document document;
    document.SetText(text);
    const Document copy = Read(document.WriteRtf());
    EXPECT_EQ(copy.Text(), text);
    EXPECT_EQ(copy.LineCount(), document.LineCount()) << document.WriteRtf();
    EXPECT_EQ(copy.WriteRtf(), document.WriteRtf());
  }
  // What RichEdit wrote reads back, writes and reads again unchanged.
  for (const char* rtf : {kWineSample, kWindowsSample}) {
    const Document first = Read(rtf);
    const Document second = Read(first.WriteRtf());
    ExpectSameDocument(first, second);
  }
}

TEST(RtfReadTest, RefusesBrokenInputAndKeepsTheDocument) {
  const std::string deep_ok = "{\\rtf1 " + std::string(255, '{') + "x" + std::string(256, '}');
  const std::string too_deep = "{\\rtf1 " + std::string(256, '{') + "x" + std::string(257, '}');
  const std::string long_word_ok = "{\\rtf1\\" + std::string(32, 'a') + " x}";
  const std::string long_word = "{\\rtf1\\" + std::string(33, 'a') + " x}";
  struct Case {
    std::string rtf;
    bool accepted;
  };
  const Case cases[] = {
      {"", false},
      {"plain text", false},
      {" {\\rtf1 x}", false},
      {"{\\rt", false},
      {"{\\rtf1 x", false},
      {"{\\rtf1 {x}", false},
      {"{\\rtf1 x}}", false},
      {"{\\rtf1 x}{y}", false},
      {"{\\rtf1 x}\r\n", true},
      {std::string("{\\rtf1 x}\0", 10), true},
      {"{\\rtf1 x\\", false},
      {deep_ok, true},
      {too_deep, false},
      {long_word_ok, true},
      {long_word, false},
      {"{\\rtf1\\fs1234567890 x}", true},
      {"{\\rtf1\\fs12345678901 x}", false},
      {"{\\rtf1\\li-12345678901 x}", false},
      {"{\\rtf1\\fs0000000000024 x}", false},
  };
  for (const Case& test : cases) {
    Document document;
    document.SetText("kept\r\ntext");
    document.ApplyFormat(0, 2, CharFormat{.bold = true}, mask::kBold);
    std::string error;
    EXPECT_EQ(document.ReadRtf(test.rtf, &error), test.accepted) << test.rtf;
    if (!test.accepted) {
      EXPECT_FALSE(error.empty()) << test.rtf;
      EXPECT_EQ(document.Text(), "kept\r\ntext");
      EXPECT_TRUE(FormatOf(document, 0, 1).bold);
    } else {
      EXPECT_TRUE(error.empty()) << error;
      EXPECT_EQ(document.Text(), "x") << test.rtf;
    }
  }
}

TEST(RtfReadTest, RefusesMoreThan16MegabytesOfText) {
  constexpr size_t kLimit = 16 * 1024 * 1024;
  // Paragraph breaks count two characters, as in the document.
  std::string rtf = "{\\rtf1 " + std::string(kLimit - 3, 'a') + "\\par b}";
  Document document;
  std::string error;
  EXPECT_TRUE(document.ReadRtf(rtf, &error)) << error;
  EXPECT_EQ(document.Length(), static_cast<int>(kLimit));
  rtf.insert(rtf.size() - 1, "c");
  document.SetText("kept");
  EXPECT_FALSE(document.ReadRtf(rtf, &error));
  EXPECT_NE(error.find("16 MB"), std::string::npos) << error;
  EXPECT_EQ(document.Text(), "kept");
}

TEST(RtfReadTest, HugeNumbersStayInRange) {
  const Document document =
      Read("{\\rtf1{\\colortbl;\\red9999999999\\green-5\\blue300;}\\fs2147483647\\cf1 "
           "\\li2147483647\\fi-2147483647\\sl-2147483647 a\\cf9999999999 b\\par}");
  const CharFormat a = FormatOf(document, 0, 1);
  EXPECT_EQ(a.colour, richtext::Colour(0xFF00FF));
  EXPECT_GT(a.height, 0);
  EXPECT_EQ(FormatOf(document, 1, 2).colour, richtext::Colour(0));  // past the table: automatic
  const ParagraphFormat paragraph = document.GetParagraphFormat(0);
  EXPECT_GT(paragraph.line_spacing, 0);
  EXPECT_EQ(paragraph.start_indent, 0);
  EXPECT_GT(paragraph.offset, 0);
  // Written and read again, the clamped values stay as they are.
  ExpectSameDocument(document, Read(document.WriteRtf()));
}

}  // namespace
