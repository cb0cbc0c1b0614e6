// The RTF reader: RTF 1 as RichEdit (Windows' and Wine's) and word
// processors write it, reduced to the document's character and paragraph
// formats, with hard limits on nesting, word and number lengths and size.
#include "richtext/rtf_reader.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "base/text.h"

namespace richtext::internal {
namespace {

constexpr int kMaxDepth = 256;
constexpr size_t kMaxWordLetters = 32;
constexpr size_t kMaxDigits = 10;
constexpr int64_t kMaxTextChars = 16 * 1024 * 1024;
// Indents and spacing beyond any page; keeps their sums far from overflow.
constexpr int64_t kMaxTwips = 1 << 28;
// \plain and the start of a document: 12 points, as RTF defines it.
constexpr int kPlainHeight = 240;

enum class Destination { kText, kFontTable, kColourTable, kSkip };

// The character state a group saves and restores.
struct State {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Colour colour;
  int font = -1;  // -1: the default font (\deff)
  int height = kPlainHeight;
  int unicode_skip = 1;  // \ucN
  Destination destination = Destination::kText;

  void Plain() {
    bold = italic = underline = false;
    colour = Colour();
    font = -1;
    height = kPlainHeight;
  }
};

// Code page 1252 bytes 0x80-0x9F and the characters they stand for.
constexpr uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The code page 1252 byte of a Unicode character, '?' when it has none and 0
// for a character that adds nothing (NUL, the second half of a surrogate pair).
unsigned char ToWindows1252(int64_t code) {
  if (code >= 0xDC00 && code <= 0xDFFF) return 0;  // the pair's '?' came with its first half
  if (code < 0 || code > 0x10FFFF) return '?';
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<unsigned char>(code);
  for (int i = 0; i < 32; ++i) {
    if (kWindows1252High[i] == code) return static_cast<unsigned char>(0x80 + i);
  }
  return '?';
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int ClampToInt(int64_t value, int64_t low, int64_t high) {
  return static_cast<int>(std::clamp(value, low, high));
}

// Destinations whose content is not document text.
bool IsSkippedDestination(std::string_view word) {
  static constexpr std::string_view kWords[] = {
      "author",     "buptim",      "comment",   "creatim",   "datastore", "doccomm",
      "fldinst",    "footer",      "footerf",   "footerl",   "footerr",   "footnote",
      "ftncn",      "ftnsep",      "ftnsepc",   "generator", "header",    "headerf",
      "headerl",    "headerr",     "info",      "keywords",  "latentstyles",
      "listoverridetable", "listtable", "nonshppict", "object", "objdata", "operator",
      "pict",       "printim",     "private",   "revtbl",    "revtim",    "rsidtbl",
      "rxe",        "shp",         "stylesheet", "subject",  "tc",        "themedata",
      "title",      "txe",         "xe",        "xmlnstbl",  "colorschememapping",
      "filetbl",    "userprops",   "docvar",    "bkmkstart", "bkmkend"};
  return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

class Parser {
 public:
  explicit Parser(std::string_view rtf) : rtf_(rtf) {}

  bool Parse(std::vector<RtfParagraph>* paragraphs, std::string* error);

 private:
  bool Fail(std::string why) {
    if (error_.empty()) error_ = std::move(why);
    return false;
  }

  State& state() { return states_.back(); }

  bool ControlWord(std::string_view word, bool has_parameter, int64_t parameter);
  bool ControlSymbol(char symbol);
  // A character of text from the RTF (literal: a raw byte, not from \'xx).
  bool Character(unsigned char c, bool literal);
  bool EmitText(unsigned char c);
  bool EndParagraph();
  void CloseGroup();
  void FinishDocument();
  void CommitFont();
  ParagraphFormat CurrentParagraphFormat() const;
  const CharFormat& CurrentFormat();
  // True when the character this call stands for is one \uN's fallback.
  bool SkipFallback() {
    if (fallback_left_ <= 0) return false;
    --fallback_left_;
    return true;
  }

  std::string_view rtf_;
  size_t pos_ = 0;
  std::string error_;
  std::vector<State> states_;

  std::map<int, std::string> fonts_;
  int default_font_ = 0;
  int font_number_ = -1;  // the font table entry being read
  std::string font_name_;
  std::vector<Colour> colours_;  // index 0 is usually the automatic colour
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colour_given_ = false;

  int fallback_left_ = 0;

  // Paragraph state: raw RTF values, turned into a ParagraphFormat at \par.
  int64_t line_spacing_ = 0;
  int64_t line_multiple_ = 0;
  int64_t left_indent_ = 0;
  int64_t first_indent_ = 0;

  std::vector<RtfParagraph> paragraphs_;
  RtfParagraph current_;
  bool ended_paragraph_ = false;
  int64_t text_chars_ = 0;

  CharFormat format_;
  bool format_valid_ = false;
  bool run_open_ = false;
};

bool Parser::Parse(std::vector<RtfParagraph>* paragraphs, std::string* error) {
  if (rtf_.substr(0, 5) != "{\\rtf") {
    if (error) *error = "not RTF: the text does not start with {\\rtf";
    return false;
  }
  states_.reserve(kMaxDepth + 1);
  states_.emplace_back();  // outside every group
  bool closed = false;
  while (!closed && pos_ < rtf_.size()) {
    const char c = rtf_[pos_];
    bool ok = true;
    switch (c) {
      case '{':
        if (states_.size() > static_cast<size_t>(kMaxDepth)) {
          ok = Fail("groups nested deeper than 256");
          break;
        }
        states_.push_back(state());
        fallback_left_ = 0;
        format_valid_ = false;
        ++pos_;
        break;
      case '}':
        if (states_.size() == 1) {
          ok = Fail("unbalanced braces: a group closes that was never opened");
          break;
        }
        // The document's last paragraph takes the state inside the outermost
        // group, before that group's end restores the outside one.
        if (states_.size() == 2) FinishDocument();
        CloseGroup();
        ++pos_;
        closed = states_.size() == 1;
        break;
      case '\\':
        ++pos_;
        if (pos_ >= rtf_.size()) {
          ok = Fail("the RTF ends inside a control word");
        } else if (IsLetter(rtf_[pos_])) {
          const size_t word_start = pos_;
          while (pos_ < rtf_.size() && IsLetter(rtf_[pos_])) ++pos_;
          if (pos_ - word_start > kMaxWordLetters) {
            ok = Fail("a control word longer than 32 letters at byte " +
                      std::to_string(word_start - 1));
            break;
          }
          const std::string_view word = rtf_.substr(word_start, pos_ - word_start);
          bool negative = false;
          if (pos_ + 1 < rtf_.size() && rtf_[pos_] == '-' && IsDigit(rtf_[pos_ + 1])) {
            negative = true;
            ++pos_;
          }
          const size_t digits_start = pos_;
          int64_t parameter = 0;
          while (pos_ < rtf_.size() && IsDigit(rtf_[pos_])) {
            if (pos_ - digits_start >= kMaxDigits) {
              ok = Fail("a number longer than 10 digits at byte " + std::to_string(digits_start));
              break;
            }
            parameter = parameter * 10 + (rtf_[pos_] - '0');
            ++pos_;
          }
          if (!ok) break;
          const bool has_parameter = pos_ > digits_start;
          if (negative) parameter = -parameter;
          if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;  // the delimiter
          ok = ControlWord(word, has_parameter, parameter);
        } else {
          const char symbol = rtf_[pos_++];
          ok = ControlSymbol(symbol);
        }
        break;
      case '\r':
      case '\n':
        ++pos_;  // line ends in RTF are not text
        break;
      default:
        ++pos_;
        ok = Character(static_cast<unsigned char>(c), true);
        break;
    }
    if (!ok) break;
  }
  if (error_.empty() && !closed) {
    Fail("unbalanced braces: " + std::to_string(states_.size() - 1) + " group(s) not closed");
  }
  if (error_.empty()) {
    // RichEdit ends its RTF with the closing brace, sometimes a line end or NUL.
    for (size_t i = pos_; i < rtf_.size(); ++i) {
      const char c = rtf_[i];
      if (c != '\r' && c != '\n' && c != ' ' && c != '\t' && c != '\0') {
        Fail("data after the closing brace at byte " + std::to_string(i));
        break;
      }
    }
  }
  if (!error_.empty()) {
    if (error) *error = error_;
    return false;
  }
  *paragraphs = std::move(paragraphs_);
  return true;
}

void Parser::FinishDocument() {
  // The text after the last \par is a paragraph of its own only when it holds
  // characters (or there was no \par at all).
  if (!current_.runs.empty() || !ended_paragraph_) {
    current_.format = CurrentParagraphFormat();
    current_.empty_format = CurrentFormat();
    paragraphs_.push_back(std::move(current_));
  }
  current_ = RtfParagraph{};
}

void Parser::CloseGroup() {
  if (state().destination == Destination::kFontTable && font_number_ >= 0 &&
      !font_name_.empty()) {
    CommitFont();  // an entry without its ';'
  }
  states_.pop_back();
  fallback_left_ = 0;
  format_valid_ = false;
}

void Parser::CommitFont() {
  if (font_number_ >= 0) fonts_[font_number_] = std::string(base::Trim(font_name_));
  font_name_.clear();
  format_valid_ = false;
}

ParagraphFormat Parser::CurrentParagraphFormat() const {
  ParagraphFormat format;
  // \sl is "at least" for positive values, "exactly" for negative ones, and a
  // multiple of single spacing (240 = single) with \slmult1. The document
  // keeps one "at least" distance, so exact spacing reads as at least that
  // much and a multiple up to single spacing as single spacing.
  const int64_t spacing = line_spacing_ < 0 ? -line_spacing_ : line_spacing_;
  if (line_multiple_ != 0 && spacing <= 240) {
    format.line_spacing = 0;
  } else {
    format.line_spacing = static_cast<int>(spacing);
  }
  format.start_indent = static_cast<int>(left_indent_ + first_indent_);
  format.offset = static_cast<int>(-first_indent_);
  return format;
}

const CharFormat& Parser::CurrentFormat() {
  if (!format_valid_) {
    const State& s = state();
    format_.bold = s.bold;
    format_.italic = s.italic;
    format_.underline = s.underline;
    format_.colour = s.colour;
    format_.height = s.height;
    auto font = fonts_.find(s.font < 0 ? default_font_ : s.font);
    if (font == fonts_.end()) font = fonts_.find(default_font_);
    format_.face = font != fonts_.end() ? font->second : CharFormat{}.face;
    format_valid_ = true;
    run_open_ = false;
  }
  return format_;
}

bool Parser::EmitText(unsigned char c) {
  // The document's lines are its paragraphs: a CR or LF written as \'0d or
  // \u10 is no character of a paragraph, and NUL none of any text.
  if (c == 0 || c == '\r' || c == '\n') return true;
  if (++text_chars_ > kMaxTextChars) return Fail("more than 16 MB of text");
  const CharFormat& format = CurrentFormat();
  if (!run_open_) {
    if (current_.runs.empty() || !(current_.runs.back().format == format)) {
      current_.runs.push_back(RtfRun{{}, format});
    }
    run_open_ = true;
  }
  current_.runs.back().text += static_cast<char>(c);
  return true;
}

bool Parser::EndParagraph() {
  if (state().destination != Destination::kText) return true;
  text_chars_ += 2;
  if (text_chars_ > kMaxTextChars) return Fail("more than 16 MB of text");
  current_.format = CurrentParagraphFormat();
  current_.empty_format = CurrentFormat();
  paragraphs_.push_back(std::move(current_));
  current_ = RtfParagraph{};
  run_open_ = false;
  ended_paragraph_ = true;
  return true;
}

bool Parser::Character(unsigned char c, bool literal) {
  if (SkipFallback()) return true;
  switch (state().destination) {
    case Destination::kText:
      return EmitText(c);
    case Destination::kFontTable:
      if (literal && c == ';') {
        CommitFont();
      } else if (c != 0) {
        font_name_ += static_cast<char>(c);
      }
      return true;
    case Destination::kColourTable:
      if (literal && c == ';') {
        colours_.push_back(colour_given_ ? Colour::FromComponents(red_, green_, blue_) : Colour());
        red_ = green_ = blue_ = 0;
        colour_given_ = false;
      }
      return true;
    case Destination::kSkip:
      return true;
  }
  return true;
}

bool Parser::ControlSymbol(char symbol) {
  if (symbol == '\'') {
    // \'xx: one byte of the code page; without two hex digits it is ignored.
    const int high = pos_ < rtf_.size() ? HexValue(rtf_[pos_]) : -1;
    const int low = pos_ + 1 < rtf_.size() ? HexValue(rtf_[pos_ + 1]) : -1;
    if (high < 0 || low < 0) return true;
    pos_ += 2;
    return Character(static_cast<unsigned char>(high * 16 + low), false);
  }
  if (symbol == '*') {
    // An ignorable destination: nothing this reader takes from it.
    state().destination = Destination::kSkip;
    return true;
  }
  if (symbol == '\r' || symbol == '\n') {
    if (SkipFallback()) return true;
    return EndParagraph();  // "\<line end>" is \par
  }
  switch (symbol) {
    case '\\':
    case '{':
    case '}':
      return Character(static_cast<unsigned char>(symbol), false);
    case '~':
      return Character(0xA0, false);  // no-break space
    case '_':
      return Character('-', false);  // no-break hyphen
    default:
      // \- (optional hyphen), \| and \: and unknown symbols add nothing.
      SkipFallback();
      return true;
  }
}

bool Parser::ControlWord(std::string_view word, bool has_parameter, int64_t parameter) {
  State& s = state();
  const bool on = !has_parameter || parameter != 0;

  if (word == "bin") {
    // Binary data of the given length follows, braces and all.
    const int64_t length = std::max<int64_t>(parameter, 0);
    pos_ += static_cast<size_t>(std::min<int64_t>(length, rtf_.size() - pos_));
    return true;
  }
  if (s.destination == Destination::kSkip) return true;
  if (word == "deff") {
    default_font_ = ClampToInt(parameter, INT_MIN, INT_MAX);
    format_valid_ = false;
    return true;
  }
  if (word == "fonttbl") {
    s.destination = Destination::kFontTable;
    return true;
  }
  if (word == "colortbl") {
    s.destination = Destination::kColourTable;
    return true;
  }
  if (IsSkippedDestination(word)) {
    s.destination = Destination::kSkip;
    return true;
  }
  if (word == "u") {
    // A Unicode character, then \ucN characters of fallback to skip.
    int64_t code = parameter;
    if (code < 0) code += 65536;
    const bool ok = Character(ToWindows1252(code), false);
    fallback_left_ = s.unicode_skip;
    return ok;
  }
  if (word == "uc") {
    s.unicode_skip = ClampToInt(parameter, 0, INT_MAX);
    return true;
  }

  if (s.destination == Destination::kFontTable) {
    if (word == "f") {
      if (font_number_ >= 0 && !font_name_.empty()) CommitFont();
      font_number_ = ClampToInt(parameter, 0, INT_MAX);
      font_name_.clear();
    }
    return true;
  }
  if (s.destination == Destination::kColourTable) {
    const int component = ClampToInt(parameter, 0, 255);
    if (word == "red") {
      red_ = component;
      colour_given_ = true;
    } else if (word == "green") {
      green_ = component;
      colour_given_ = true;
    } else if (word == "blue") {
      blue_ = component;
      colour_given_ = true;
    }
    return true;
  }

  // Document text: a control word that stands for a character counts as
  // one character of a \u's fallback.
  static constexpr std::pair<std::string_view, unsigned char> kCharacters[] = {
      {"tab", '\t'},     {"cell", '\t'},    {"emdash", 0x97},    {"endash", 0x96},
      {"bullet", 0x95},  {"lquote", 0x91},  {"rquote", 0x92},    {"ldblquote", 0x93},
      {"rdblquote", 0x94}, {"emspace", ' '}, {"enspace", ' '},   {"qmspace", ' '}};
  for (const auto& [name, c] : kCharacters) {
    if (word == name) return Character(c, false);
  }
  if (word == "par" || word == "line" || word == "row") {
    if (SkipFallback()) return true;
    return EndParagraph();
  }
  SkipFallback();

  if (word == "plain") {
    s.Plain();
  } else if (word == "b") {
    s.bold = on;
  } else if (word == "i") {
    s.italic = on;
  } else if (word == "ul") {
    s.underline = on;
  } else if (word == "ulnone") {
    s.underline = false;
  } else if (word == "uld" || word == "uldb" || word == "ulw" || word == "uldash" ||
             word == "ulth" || word == "ulwave") {
    s.underline = on;
  } else if (word == "cf") {
    // \cf0 and an index past the table are the automatic colour, black.
    const size_t index = parameter < 0 ? 0 : static_cast<size_t>(parameter);
    s.colour = index < colours_.size() ? colours_[index] : Colour();
  } else if (word == "f") {
    s.font = ClampToInt(parameter, 0, INT_MAX);
  } else if (word == "fs") {
    // Half points; zero or less keeps the size.
    if (parameter > 0) s.height = ClampToInt(parameter, 1, INT_MAX / 10) * 10;
  } else if (word == "pard") {
    line_spacing_ = line_multiple_ = left_indent_ = first_indent_ = 0;
    return true;
  } else if (word == "sl") {
    line_spacing_ = std::clamp<int64_t>(parameter, -kMaxTwips, kMaxTwips);
    return true;
  } else if (word == "slmult") {
    line_multiple_ = parameter;
    return true;
  } else if (word == "li") {
    left_indent_ = std::clamp<int64_t>(parameter, -kMaxTwips, kMaxTwips);
    return true;
  } else if (word == "fi") {
    first_indent_ = std::clamp<int64_t>(parameter, -kMaxTwips, kMaxTwips);
    return true;
  } else {
    return true;  // unknown words are ignored
  }
  format_valid_ = false;
  return true;
}

}  // namespace

bool ParseRtf(std::string_view rtf, std::vector<RtfParagraph>* paragraphs, std::string* error) {
  paragraphs->clear();
  Parser parser(rtf);
  return parser.Parse(paragraphs, error);
}

}  // namespace richtext::internal
