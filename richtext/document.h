// A rich-text document in memory: paragraphs of text runs, each run with its
// character format (bold, italic, underline, colour, face, height), and per
// paragraph a line spacing and indents; with an RTF writer and an RTF reader.
// It behaves as a RichEdit control without word wrap does, so the same editing
// logic runs over either: positions count a paragraph break as two
// characters (CR LF), the format of a selection reports which attributes are
// uniform, and applying one attribute leaves the others alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/colour.h"

namespace richtext {

// Colours are 0x00bbggrr, as Windows keeps them.
using Colour = base::BgrColour;

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Colour colour{};
  std::string face = "Arial";
  int height = 200;  // twips (20 a point)

  bool operator==(const CharFormat&) const = default;
};

// Which attributes of a CharFormat a call reads or sets, and which are
// uniform over a range.
namespace mask {
inline constexpr uint32_t kBold = 1u << 0;
inline constexpr uint32_t kItalic = 1u << 1;
inline constexpr uint32_t kUnderline = 1u << 2;
inline constexpr uint32_t kColour = 1u << 3;
inline constexpr uint32_t kFace = 1u << 4;
inline constexpr uint32_t kHeight = 1u << 5;
inline constexpr uint32_t kAll = (1u << 6) - 1;
}  // namespace mask

struct ParagraphFormat {
  // Line spacing in twips, "at least" this much and never less than single
  // spacing; 0 for single spacing.
  int line_spacing = 0;
  // Indents in twips, as RichEdit's PARAFORMAT keeps them: the first line
  // starts start_indent from the left, the lines after it offset further
  // (RTF \li is start_indent + offset, \fi is -offset).
  int start_indent = 0;
  int offset = 0;

  bool operator==(const ParagraphFormat&) const = default;
};

namespace paragraph_mask {
inline constexpr uint32_t kLineSpacing = 1u << 0;
inline constexpr uint32_t kStartIndent = 1u << 1;
inline constexpr uint32_t kOffset = 1u << 2;
}  // namespace paragraph_mask

class Document {
 public:
  // One empty paragraph in the default format.
  Document();

  // --- Text and positions. A paragraph break is "\r\n" and counts as two
  // characters; a position between its CR and LF counts as the end of the
  // paragraph. Positions out of range are clamped to [0, Length()].
  std::string Text() const;
  int Length() const;
  std::string TextRange(int start, int end) const;
  // Lines are paragraphs (there is no word wrap). An empty document has one.
  int LineCount() const;
  // First character position of a line; -1 past the last line.
  int LineIndex(int line) const;
  // Characters of a line without its break; -1 past the last line.
  int LineLength(int line) const;
  // The line holding a position (the last line for Length()).
  int LineFromChar(int position) const;

  // Replaces [start, end) by text, whose "\r\n", "\n" and "\r" each make a
  // paragraph break. The new text takes the format of the character before
  // start (the insertion format when start begins a paragraph: the format of
  // that paragraph's first character, or the default format of an empty
  // document), or the format given. Removing a break joins two paragraphs;
  // the joined one keeps the first one's paragraph format.
  void Replace(int start, int end, std::string_view text);
  void Replace(int start, int end, std::string_view text, const CharFormat& format);
  // Everything, as one text in the default format.
  void SetText(std::string_view text);

  // --- Character formats.
  // The format of [start, end) (its first character's) and the mask of the
  // attributes that are the same on every character of it; line breaks
  // count as characters with the format of the character before them. An
  // empty range gives the insertion format at start and mask::kAll. (An
  // empty paragraph's break has that paragraph's own insertion format.)
  uint32_t GetFormat(int start, int end, CharFormat* format) const;
  // Sets the attributes named by the mask on [start, end), leaving the
  // others as they are on each character; an empty range changes nothing.
  // Empty paragraphs in the range, and an empty last paragraph the range
  // reaches, take the attributes for what is typed into them.
  void ApplyFormat(int start, int end, const CharFormat& format, uint32_t attributes);
  // The whole text, and the default format for text typed into an empty
  // document.
  void ApplyFormatToAll(const CharFormat& format, uint32_t attributes);
  void SetDefaultFormat(const CharFormat& format) { default_format_ = format; }
  const CharFormat& default_format() const { return default_format_; }

  // --- Paragraph formats.
  ParagraphFormat GetParagraphFormat(int line) const;
  // Sets the attributes named by the mask on every paragraph [start, end)
  // touches (the caret's paragraph for an empty range).
  void ApplyParagraphFormat(int start, int end, const ParagraphFormat& format,
                            uint32_t attributes);

  // --- RTF.
  // The whole document as RTF 1 ("{\rtf1\ansi\ansicpg1252..."): font and
  // colour tables, \b \i \ul \cfN \fN \fsN runs, \par between paragraphs,
  // \sl \slmult0 \li \fi for the paragraph formats; text as code page 1252
  // with \'xx for bytes above 0x7F and \\ \{ \} escaped. As RichEdit does,
  // a \par ends every paragraph, the last one too.
  std::string WriteRtf() const;
  // Replaces the whole content with the RTF's. Groups it does not know
  // ({\*\...}, \fonttbl and \colortbl are read) are skipped; unknown control
  // words are ignored. Refuses (false, the content unchanged, *error saying
  // why) input that is not RTF, unbalanced braces, nesting deeper than 256
  // groups, control words or numbers longer than RTF allows (32 letters, 10
  // digits) and documents of more than 16 MB of text. Each \par (and \line)
  // ends a paragraph; the text after the last \par is one more paragraph only
  // when it holds characters, so N paragraphs written read back as N.
  bool ReadRtf(std::string_view rtf, std::string* error = nullptr);

 private:
  struct Run {
    std::string text;  // no line breaks
    CharFormat format;
  };
  struct Paragraph {
    std::vector<Run> runs;  // adjacent runs have different formats; may be empty
    ParagraphFormat format;
    // The format of an empty paragraph's insertion point.
    CharFormat empty_format;
  };
  // A position as a paragraph and an offset into its text (0 to its length).
  struct Location {
    size_t paragraph = 0;
    int offset = 0;
    bool operator==(const Location&) const = default;
  };

  // Clamps the position; one between a CR and its LF is the paragraph's end.
  Location Locate(int position) const;
  // The pair in document order.
  void Order(Location* a, Location* b) const;
  int ParagraphStart(size_t paragraph) const;
  bool IsEmpty() const;
  // The format text typed at the location takes (see Replace).
  CharFormat InsertionFormatAt(Location location) const;
  // The format of a paragraph's break: its last character's, or for an empty
  // paragraph its own insertion format.
  const CharFormat& BreakFormat(size_t paragraph) const;
  const CharFormat& EmptyParagraphFormat(size_t paragraph) const;

  static int LengthOf(const Paragraph& paragraph);
  static std::string TextOf(const Paragraph& paragraph);
  // Splits the run holding offset so that a run starts there; returns the
  // index of that run (runs.size() at the paragraph's end).
  static size_t SplitAt(Paragraph* paragraph, int offset);
  // Drops empty runs and merges neighbours of the same format.
  static void Compact(Paragraph* paragraph);

  // Where each paragraph starts, built when first asked after a change of
  // the text, so positions are found without walking the whole document;
  // and the paragraph last found, where the next search starts (positions
  // are mostly asked for in order).
  const std::vector<int>& Starts() const;
  void TextChanged() { starts_.clear(); }

  std::vector<Paragraph> paragraphs_;
  CharFormat default_format_;
  mutable std::vector<int> starts_;
  mutable size_t last_found_ = 0;
};

}  // namespace richtext
