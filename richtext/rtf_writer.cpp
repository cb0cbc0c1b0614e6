// The RTF writer: the document as RTF 1 in code page 1252, in the shape
// RichEdit writes (font and colour tables, \pard and a \par per paragraph).
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>

#include "base/text.h"
#include "richtext/document.h"

namespace richtext {
namespace {

// Text bytes as RTF: the RTF specials escaped, control characters and bytes
// above 0x7F as \'xx, a tab as \tab. in_name: a font name, whose ';' ends it.
void AppendEscaped(std::string* out, std::string_view text, bool in_name) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}') {
      *out += '\\';
      *out += c;
    } else if (c == '\t' && !in_name) {
      *out += "\\tab ";
    } else if (byte < 0x20 || byte >= 0x7F || (in_name && c == ';')) {
      *out += base::Format("\\'%02x", byte);
    } else {
      *out += c;
    }
  }
}

// The character state the writer has set so far, in the reader's terms:
// fonts and colours by their table index.
struct WrittenFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int font = 0;
  int colour = 0;
  int64_t half_points = 24;  // what RTF starts with
};

}  // namespace

std::string Document::WriteRtf() const {
  // The tables: fonts in order of first use (\f0 the first, the \deff), and
  // the colours other than black (\cf0, the automatic colour).
  std::vector<const CharFormat*> formats;
  for (size_t i = 0; i < paragraphs_.size(); ++i) {
    for (const Run& run : paragraphs_[i].runs) formats.push_back(&run.format);
    if (paragraphs_[i].runs.empty()) formats.push_back(&EmptyParagraphFormat(i));
  }
  std::map<std::string, int> font_index;
  std::vector<const std::string*> fonts;
  // Keyed by the colour without its top byte, which RTF cannot carry.
  std::map<uint32_t, int> colour_index;
  std::vector<Colour> colours;
  for (const CharFormat* format : formats) {
    if (font_index.emplace(format->face, static_cast<int>(fonts.size())).second) {
      fonts.push_back(&format->face);
    }
    const uint32_t colour = format->colour.value() & 0xFFFFFFu;
    if (colour != 0 && colour_index.emplace(colour, static_cast<int>(colours.size()) + 1).second) {
      colours.push_back(Colour(colour));
    }
  }

  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (size_t i = 0; i < fonts.size(); ++i) {
    out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 ";
    AppendEscaped(&out, *fonts[i], true);
    out += ";}";
  }
  out += "}{\\colortbl;";
  for (const Colour colour : colours) {
    out += base::Format("\\red%d\\green%d\\blue%d;", colour.red(), colour.green(), colour.blue());
  }
  out += "}\r\n";

  WrittenFormat written;
  bool after_word = false;  // a control word ends the output: text needs a delimiter
  auto word = [&](const std::string& text) {
    out += text;
    after_word = true;
  };
  auto set_format = [&](const CharFormat& format) {
    if (format.bold != written.bold) word(format.bold ? "\\b" : "\\b0");
    if (format.italic != written.italic) word(format.italic ? "\\i" : "\\i0");
    if (format.underline != written.underline) word(format.underline ? "\\ul" : "\\ulnone");
    const int font = font_index.at(format.face);
    if (font != written.font) word(base::Format("\\f%d", font));
    const uint32_t colour = format.colour.value() & 0xFFFFFFu;
    const int colour_number = colour == 0 ? 0 : colour_index.at(colour);
    if (colour_number != written.colour) word(base::Format("\\cf%d", colour_number));
    // Twips to half points, to the nearest; RTF has no finer size.
    const int64_t half_points = std::max<int64_t>((int64_t{format.height} + 5) / 10, 1);
    if (half_points != written.half_points) {
      word("\\fs" + std::to_string(half_points));
    }
    written = {format.bold, format.italic, format.underline, font, colour_number, half_points};
  };

  for (size_t i = 0; i < paragraphs_.size(); ++i) {
    const Paragraph& paragraph = paragraphs_[i];
    word("\\pard");
    const ParagraphFormat& pf = paragraph.format;
    if (pf.line_spacing > 0) word(base::Format("\\sl%d\\slmult0", pf.line_spacing));
    const int64_t left = int64_t{pf.start_indent} + pf.offset;
    if (left != 0) word("\\li" + std::to_string(left));
    if (pf.offset != 0) word("\\fi" + std::to_string(-int64_t{pf.offset}));
    for (const Run& run : paragraph.runs) {
      set_format(run.format);
      if (after_word) out += ' ';
      AppendEscaped(&out, run.text, false);
      after_word = false;
    }
    if (paragraph.runs.empty()) set_format(EmptyParagraphFormat(i));
    // A \par after every paragraph, the last one too, as RichEdit writes it;
    // the reader takes the last one as the end of the last paragraph.
    out += "\\par\r\n";
    after_word = false;
  }
  out += "}";
  return out;
}

}  // namespace richtext
