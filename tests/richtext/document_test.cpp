// Tests of the rich-text document: positions with CR LF breaks, editing across
// paragraph breaks, insertion formats, format masks and paragraph formats.
#include "richtext/document.h"

#include <gtest/gtest.h>

namespace {

using richtext::CharFormat;
using richtext::Document;
using richtext::ParagraphFormat;
namespace mask = richtext::mask;
namespace paragraph_mask = richtext::paragraph_mask;

CharFormat Bold() {
  CharFormat format;
  format.bold = true;
  return format;
}

CharFormat Italic() {
  CharFormat format;
  format.italic = true;
  return format;
}

CharFormat Red() {
  CharFormat format;
  format.colour = richtext::Colour(0x0000FF);
  return format;
}

CharFormat FormatAt(const Document& document, int position) {
  CharFormat format;
  document.GetFormat(position, position + 1, &format);
  return format;
}

TEST(PositionTest, ParagraphBreaksCountAsCrLf) {
  Document document;
  document.SetText("abc\r\ndef");
  EXPECT_EQ(document.Text(), "abc\r\ndef");
  EXPECT_EQ(document.Length(), 8);
  EXPECT_EQ(document.LineCount(), 2);
  EXPECT_EQ(document.LineIndex(0), 0);
  EXPECT_EQ(document.LineIndex(1), 5);
  EXPECT_EQ(document.LineIndex(2), -1);
  EXPECT_EQ(document.LineIndex(-1), -1);
  EXPECT_EQ(document.LineLength(0), 3);
  EXPECT_EQ(document.LineLength(1), 3);
  EXPECT_EQ(document.LineLength(2), -1);
  // 3 is before the CR, 4 between CR and LF: both the end of the first line.
  EXPECT_EQ(document.LineFromChar(3), 0);
  EXPECT_EQ(document.LineFromChar(4), 0);
  EXPECT_EQ(document.LineFromChar(5), 1);
  EXPECT_EQ(document.LineFromChar(8), 1);
  EXPECT_EQ(document.LineFromChar(1000), 1);
  EXPECT_EQ(document.LineFromChar(-7), 0);
}

TEST(PositionTest, RangesNeverSplitABreakAndClamp) {
  Document document;
  document.SetText("abc\r\ndef");
  EXPECT_EQ(document.TextRange(0, 4), "abc");  // ends between CR and LF
  EXPECT_EQ(document.TextRange(4, 6), "\r\nd");  // starts there: the whole break
  EXPECT_EQ(document.TextRange(3, 5), "\r\n");
  EXPECT_EQ(document.TextRange(-10, 100), "abc\r\ndef");
  EXPECT_EQ(document.TextRange(6, 1), "bc\r\nd");  // either order
  EXPECT_EQ(document.TextRange(2, 2), "");
}

TEST(PositionTest, EveryLineEndMakesABreak) {
  Document document;
  document.SetText("a\nb\rc\r\nd\r\r\ne");
  EXPECT_EQ(document.Text(), "a\r\nb\r\nc\r\nd\r\n\r\ne");
  EXPECT_EQ(document.LineCount(), 6);
  EXPECT_EQ(document.LineLength(4), 0);
  EXPECT_EQ(document.LineIndex(5), 14);
}

TEST(PositionTest, EmptyDocumentHasOneLine) {
  Document document;
  EXPECT_EQ(document.Text(), "");
  EXPECT_EQ(document.Length(), 0);
  EXPECT_EQ(document.LineCount(), 1);
  EXPECT_EQ(document.LineIndex(0), 0);
  EXPECT_EQ(document.LineLength(0), 0);
  EXPECT_EQ(document.LineFromChar(0), 0);
  EXPECT_EQ(document.TextRange(0, 5), "");
}

TEST(ReplaceTest, BreaksSplitAndJoinParagraphs) {
  Document document;
  document.SetText("abcdef");
  document.Replace(3, 3, "\r\n");
  EXPECT_EQ(document.Text(), "abc\r\ndef");
  EXPECT_EQ(document.LineCount(), 2);

  document.Replace(3, 5, "");
  EXPECT_EQ(document.Text(), "abcdef");
  EXPECT_EQ(document.LineCount(), 1);

  document.Replace(2, 2, "1\r\n2\n3");
  EXPECT_EQ(document.Text(), "ab1\r\n2\r\n3cdef");
  EXPECT_EQ(document.LineCount(), 3);
}

TEST(ReplaceTest, RangeOverSeveralParagraphs) {
  Document document;
  document.SetText("one\r\ntwo\r\nthree");
  document.Replace(2, 11, "X");  // from "e" of one to "h" of three
  EXPECT_EQ(document.Text(), "onXhree");
  EXPECT_EQ(document.LineCount(), 1);

  document.SetText("one\r\ntwo\r\nthree");
  document.Replace(1, 12, "A\r\nB");
  EXPECT_EQ(document.Text(), "oA\r\nBree");
  EXPECT_EQ(document.LineCount(), 2);

  document.Replace(0, document.Length(), "");
  EXPECT_EQ(document.Text(), "");
  EXPECT_EQ(document.LineCount(), 1);
}

TEST(ReplaceTest, PositionBetweenCrAndLfIsTheParagraphEnd) {
  Document document;
  document.SetText("ab\r\ncd");
  document.Replace(3, 3, "x");  // between CR and LF
  EXPECT_EQ(document.Text(), "abx\r\ncd");
  document.Replace(1, 4, "");  // ends between CR and LF: the break stays
  EXPECT_EQ(document.Text(), "a\r\ncd");
  document.Replace(2, 3, "");  // starts between CR and LF: the whole break goes
  EXPECT_EQ(document.Text(), "acd");
}

TEST(ReplaceTest, JoinedParagraphKeepsTheFirstOnesFormat) {
  Document document;
  document.SetText("first\r\nsecond\r\nthird");
  ParagraphFormat indented;
  indented.start_indent = 720;
  ParagraphFormat spaced;
  spaced.line_spacing = 480;
  document.ApplyParagraphFormat(0, 0, indented, paragraph_mask::kStartIndent);
  document.ApplyParagraphFormat(7, 7, spaced, paragraph_mask::kLineSpacing);

  document.Replace(5, 7, "");
  EXPECT_EQ(document.Text(), "firstsecond\r\nthird");
  EXPECT_EQ(document.GetParagraphFormat(0), indented);
  EXPECT_EQ(document.GetParagraphFormat(1), ParagraphFormat{});

  // A typed break starts a paragraph like the one it splits.
  document.Replace(2, 2, "\r\n");
  EXPECT_EQ(document.GetParagraphFormat(0), indented);
  EXPECT_EQ(document.GetParagraphFormat(1), indented);
}

TEST(InsertionFormatTest, TypedTextTakesTheFormatBeforeIt) {
  Document document;
  document.SetText("ab");
  document.ApplyFormat(1, 2, Bold(), mask::kBold);
  document.Replace(2, 2, "c");
  EXPECT_TRUE(FormatAt(document, 2).bold);
  document.Replace(1, 1, "x");  // after the plain "a"
  EXPECT_FALSE(FormatAt(document, 1).bold);
  document.Replace(0, 0, "y", Italic());
  EXPECT_EQ(FormatAt(document, 0), Italic());
  EXPECT_EQ(document.Text(), "yaxbc");
}

TEST(InsertionFormatTest, AtAParagraphStartTheFirstCharactersFormat) {
  Document document;
  document.SetText("ab\r\ncd");
  document.ApplyFormat(4, 6, Italic(), mask::kItalic);
  document.Replace(4, 4, "x");
  EXPECT_TRUE(FormatAt(document, 4).italic);
  CharFormat caret;
  EXPECT_EQ(document.GetFormat(4, 4, &caret), mask::kAll);
  EXPECT_TRUE(caret.italic);
}

TEST(InsertionFormatTest, EmptyDocumentsUseTheDefaultFormat) {
  Document document;
  CharFormat typed;
  typed.face = "Courier New";
  typed.height = 240;
  typed.bold = true;
  document.SetDefaultFormat(typed);
  CharFormat caret;
  EXPECT_EQ(document.GetFormat(0, 0, &caret), mask::kAll);
  EXPECT_EQ(caret, typed);
  document.Replace(0, 0, "x");
  EXPECT_EQ(FormatAt(document, 0), typed);

  // Emptied again, it types in the default format, not the deleted text's.
  document.ApplyFormat(0, 1, Red(), mask::kColour);
  document.Replace(0, 1, "");
  document.Replace(0, 0, "y");
  EXPECT_EQ(FormatAt(document, 0), typed);
}

TEST(InsertionFormatTest, EmptyParagraphsKeepTheirFormat) {
  Document document;
  document.SetText("plain");
  document.Replace(5, 5, "\r\n", Bold());  // Enter typed in bold
  CharFormat caret;
  document.GetFormat(7, 7, &caret);
  EXPECT_TRUE(caret.bold);
  document.Replace(7, 7, "x");
  EXPECT_TRUE(FormatAt(document, 7).bold);

  // Deleting a paragraph's text keeps its format for what is typed there.
  document.SetText("ab\r\ncd");
  document.ApplyFormat(4, 6, Italic(), mask::kItalic);
  document.Replace(4, 6, "");
  document.Replace(4, 4, "z");
  EXPECT_TRUE(FormatAt(document, 4).italic);
  EXPECT_FALSE(FormatAt(document, 0).italic);
}

TEST(FormatTest, MaskTellsWhichAttributesAreUniform) {
  Document document;
  document.SetText("abc");
  document.ApplyFormat(1, 2, Bold(), mask::kBold);
  CharFormat format;
  EXPECT_EQ(document.GetFormat(0, 3, &format), mask::kAll & ~mask::kBold);
  EXPECT_FALSE(format.bold);  // the first character's
  EXPECT_EQ(document.GetFormat(1, 2, &format), mask::kAll);
  EXPECT_TRUE(format.bold);
  EXPECT_EQ(document.GetFormat(2, 0, &format), mask::kAll & ~mask::kBold);
  EXPECT_EQ(document.GetFormat(0, 3, nullptr), mask::kAll & ~mask::kBold);
}

TEST(FormatTest, LineBreakHasTheFormatOfTheCharacterBeforeIt) {
  Document document;
  document.SetText("ab\r\ncd");
  document.ApplyFormat(4, 6, Red(), mask::kColour);  // "cd" red, "ab" black
  CharFormat format;
  EXPECT_EQ(document.GetFormat(4, 6, &format), mask::kAll);
  EXPECT_EQ(format.colour, richtext::Colour(0x0000FF));
  // The break is black like "b", so break + "c" is mixed.
  EXPECT_EQ(document.GetFormat(2, 5, &format), mask::kAll & ~mask::kColour);
  EXPECT_EQ(format.colour, richtext::Colour(0));
  EXPECT_EQ(document.GetFormat(2, 4, &format), mask::kAll);  // the break alone
  EXPECT_EQ(format.colour, richtext::Colour(0));
  // Ending between CR and LF leaves the break out.
  EXPECT_EQ(document.GetFormat(0, 3, &format), mask::kAll);

  document.ApplyFormat(1, 2, Red(), mask::kColour);  // "b" red: its break too
  EXPECT_EQ(document.GetFormat(1, 6, &format), mask::kAll);
}

TEST(FormatTest, ApplyingOneAttributeLeavesTheOthers) {
  Document document;
  document.SetText("abcd\r\nef");
  document.ApplyFormat(0, 2, Bold(), mask::kBold);
  document.ApplyFormat(1, 3, Italic(), mask::kItalic);
  CharFormat big;
  big.height = 400;
  big.face = "Times New Roman";
  document.ApplyFormat(2, 7, big, mask::kHeight);

  document.ApplyFormat(0, document.Length(), Red(), mask::kColour);
  const CharFormat a = FormatAt(document, 0);
  const CharFormat b = FormatAt(document, 1);
  const CharFormat c = FormatAt(document, 2);
  const CharFormat e = FormatAt(document, 6);
  const CharFormat f = FormatAt(document, 7);
  EXPECT_TRUE(a.bold && !a.italic && a.height == 200);
  EXPECT_TRUE(b.bold && b.italic && b.height == 200);
  EXPECT_TRUE(!c.bold && c.italic && c.height == 400);
  EXPECT_TRUE(!e.bold && !e.italic && e.height == 400);
  EXPECT_TRUE(!f.bold && !f.italic && f.height == 200);
  for (const CharFormat& each : {a, b, c, e, f}) {
    EXPECT_EQ(each.colour, richtext::Colour(0x0000FF));
    EXPECT_EQ(each.face, "Arial");
  }
  EXPECT_EQ(document.GetFormat(0, document.Length(), nullptr), mask::kColour | mask::kFace |
                                                                   mask::kUnderline);
}

TEST(FormatTest, FormatOfAllAndOfATrailingEmptyParagraph) {
  Document document;
  document.SetText("text\r\n");
  document.ApplyFormat(0, document.Length(), Bold(), mask::kBold);
  document.Replace(document.Length(), document.Length(), "x");
  EXPECT_TRUE(FormatAt(document, 6).bold);

  document.ApplyFormatToAll(Red(), mask::kColour);
  CharFormat format;
  EXPECT_EQ(document.GetFormat(0, document.Length(), &format), mask::kAll);
  EXPECT_EQ(format.colour, richtext::Colour(0x0000FF));
  EXPECT_TRUE(format.bold);
  EXPECT_EQ(document.default_format().colour, richtext::Colour(0x0000FF));
  EXPECT_FALSE(document.default_format().bold);
}

TEST(ParagraphFormatTest, AppliesToTheParagraphsTheRangeTouches) {
  Document document;
  document.SetText("a\r\nb\r\nc");
  ParagraphFormat format;
  format.line_spacing = 360;
  format.start_indent = 100;
  format.offset = 50;

  document.ApplyParagraphFormat(0, 3, format, paragraph_mask::kStartIndent);
  EXPECT_EQ(document.GetParagraphFormat(0).start_indent, 100);
  EXPECT_EQ(document.GetParagraphFormat(0).line_spacing, 0);  // not in the mask
  EXPECT_EQ(document.GetParagraphFormat(1), ParagraphFormat{});  // range ends at its start

  document.ApplyParagraphFormat(4, 4, format, paragraph_mask::kOffset);  // caret in "b"
  EXPECT_EQ(document.GetParagraphFormat(1).offset, 50);
  EXPECT_EQ(document.GetParagraphFormat(2), ParagraphFormat{});

  document.ApplyParagraphFormat(2, 7, format, paragraph_mask::kLineSpacing);
  for (int line = 0; line < 3; ++line) EXPECT_EQ(document.GetParagraphFormat(line).line_spacing, 360);
  EXPECT_EQ(document.GetParagraphFormat(3), ParagraphFormat{});
  EXPECT_EQ(document.GetParagraphFormat(-1), ParagraphFormat{});
}

}  // namespace
