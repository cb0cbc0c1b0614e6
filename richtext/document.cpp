// The rich-text document in memory: positions, editing, character and
// paragraph formats (the RTF writer and reader live in rtf_writer.cpp and
// rtf_reader.cpp).
#include "richtext/document.h"

#include <algorithm>
#include <utility>

#include "richtext/rtf_reader.h"

namespace richtext {
namespace {

constexpr int kBreakLength = 2;  // "\r\n"

// Splits text at "\r\n", "\n" and "\r"; text without a break is one line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t begin = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(begin, i - begin));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  lines.push_back(text.substr(begin));
  return lines;
}

// The attributes a and b share.
uint32_t SameAttributes(const CharFormat& a, const CharFormat& b) {
  uint32_t same = 0;
  if (a.bold == b.bold) same |= mask::kBold;
  if (a.italic == b.italic) same |= mask::kItalic;
  if (a.underline == b.underline) same |= mask::kUnderline;
  if (a.colour == b.colour) same |= mask::kColour;
  if (a.face == b.face) same |= mask::kFace;
  if (a.height == b.height) same |= mask::kHeight;
  return same;
}

void SetAttributes(CharFormat* target, const CharFormat& source, uint32_t attributes) {
  if (attributes & mask::kBold) target->bold = source.bold;
  if (attributes & mask::kItalic) target->italic = source.italic;
  if (attributes & mask::kUnderline) target->underline = source.underline;
  if (attributes & mask::kColour) target->colour = source.colour;
  if (attributes & mask::kFace) target->face = source.face;
  if (attributes & mask::kHeight) target->height = source.height;
}

}  // namespace

Document::Document() {
  paragraphs_.emplace_back();
  paragraphs_.back().empty_format = default_format_;
}

// --- Helpers.

int Document::LengthOf(const Paragraph& paragraph) {
  int length = 0;
  for (const Run& run : paragraph.runs) length += static_cast<int>(run.text.size());
  return length;
}

std::string Document::TextOf(const Paragraph& paragraph) {
  std::string text;
  for (const Run& run : paragraph.runs) text += run.text;
  return text;
}

const std::vector<int>& Document::Starts() const {
  if (starts_.size() != paragraphs_.size()) {
    starts_.resize(paragraphs_.size());
    int start = 0;
    for (size_t i = 0; i < paragraphs_.size(); ++i) {
      starts_[i] = start;
      start += LengthOf(paragraphs_[i]) + kBreakLength;
    }
    last_found_ = 0;
  }
  return starts_;
}

Document::Location Document::Locate(int position) const {
  position = std::max(position, 0);
  const std::vector<int>& starts = Starts();
  // A paragraph runs from its start up to the next one's (the position
  // between CR and LF included, clamped to the paragraph's end).
  const auto holds = [&](size_t i) {
    return starts[i] <= position && (i + 1 == starts.size() || position < starts[i + 1]);
  };
  size_t found = last_found_ < starts.size() ? last_found_ : 0;
  if (!holds(found)) {
    if (found + 1 < starts.size() && holds(found + 1)) {
      ++found;
    } else {
      found = static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), position) -
                                  starts.begin()) - 1;
    }
  }
  last_found_ = found;
  const int length = LengthOf(paragraphs_[found]);
  return {found, std::min(position - starts[found], length)};
}

void Document::Order(Location* a, Location* b) const {
  if (b->paragraph < a->paragraph ||
      (b->paragraph == a->paragraph && b->offset < a->offset)) {
    std::swap(*a, *b);
  }
}

int Document::ParagraphStart(size_t paragraph) const {
  const std::vector<int>& starts = Starts();
  return paragraph < starts.size() ? starts[paragraph] : Length() + kBreakLength;
}

bool Document::IsEmpty() const {
  return paragraphs_.size() == 1 && paragraphs_[0].runs.empty();
}

const CharFormat& Document::EmptyParagraphFormat(size_t paragraph) const {
  return IsEmpty() ? default_format_ : paragraphs_[paragraph].empty_format;
}

CharFormat Document::InsertionFormatAt(Location location) const {
  const Paragraph& paragraph = paragraphs_[location.paragraph];
  if (paragraph.runs.empty()) return EmptyParagraphFormat(location.paragraph);
  if (location.offset == 0) return paragraph.runs.front().format;
  int end = 0;
  for (const Run& run : paragraph.runs) {
    end += static_cast<int>(run.text.size());
    if (location.offset <= end) return run.format;
  }
  return paragraph.runs.back().format;
}

const CharFormat& Document::BreakFormat(size_t paragraph) const {
  const Paragraph& p = paragraphs_[paragraph];
  return p.runs.empty() ? EmptyParagraphFormat(paragraph) : p.runs.back().format;
}

size_t Document::SplitAt(Paragraph* paragraph, int offset) {
  int start = 0;
  for (size_t i = 0; i < paragraph->runs.size(); ++i) {
    const int length = static_cast<int>(paragraph->runs[i].text.size());
    if (offset == start) return i;
    if (offset < start + length) {
      Run tail{paragraph->runs[i].text.substr(offset - start), paragraph->runs[i].format};
      paragraph->runs[i].text.resize(offset - start);
      paragraph->runs.insert(paragraph->runs.begin() + i + 1, std::move(tail));
      return i + 1;
    }
    start += length;
  }
  return paragraph->runs.size();
}

void Document::Compact(Paragraph* paragraph) {
  std::vector<Run> runs;
  runs.reserve(paragraph->runs.size());
  for (Run& run : paragraph->runs) {
    if (run.text.empty()) continue;
    if (!runs.empty() && runs.back().format == run.format) {
      runs.back().text += run.text;
    } else {
      runs.push_back(std::move(run));
    }
  }
  paragraph->runs = std::move(runs);
}

// --- Text and positions.

std::string Document::Text() const {
  std::string text;
  for (size_t i = 0; i < paragraphs_.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += TextOf(paragraphs_[i]);
  }
  return text;
}

int Document::Length() const {
  return Starts().back() + LengthOf(paragraphs_.back());
}

std::string Document::TextRange(int start, int end) const {
  Location a = Locate(start);
  Location b = Locate(end);
  Order(&a, &b);
  std::string text;
  for (size_t i = a.paragraph; i <= b.paragraph; ++i) {
    const std::string whole = TextOf(paragraphs_[i]);
    const size_t from = i == a.paragraph ? a.offset : 0;
    const size_t to = i == b.paragraph ? b.offset : whole.size();
    text.append(whole, from, to - from);
    if (i < b.paragraph) text += "\r\n";
  }
  return text;
}

int Document::LineCount() const { return static_cast<int>(paragraphs_.size()); }

int Document::LineIndex(int line) const {
  if (line < 0 || line >= LineCount()) return -1;
  return ParagraphStart(static_cast<size_t>(line));
}

int Document::LineLength(int line) const {
  if (line < 0 || line >= LineCount()) return -1;
  return LengthOf(paragraphs_[static_cast<size_t>(line)]);
}

int Document::LineFromChar(int position) const {
  return static_cast<int>(Locate(position).paragraph);
}

void Document::Replace(int start, int end, std::string_view text) {
  Location a = Locate(start);
  Location b = Locate(end);
  Order(&a, &b);
  const CharFormat format = InsertionFormatAt(a);
  Replace(start, end, text, format);
}

void Document::Replace(int start, int end, std::string_view text, const CharFormat& format) {
  Location a = Locate(start);
  Location b = Locate(end);
  Order(&a, &b);

  // Cut the runs before the range out of the first paragraph and those after
  // it out of the last; split the first before the last so the first split
  // cannot move the last one's run index.
  const size_t left_end = SplitAt(&paragraphs_[a.paragraph], a.offset);
  const size_t right_begin = SplitAt(&paragraphs_[b.paragraph], b.offset);
  const std::vector<Run>& first_runs = paragraphs_[a.paragraph].runs;
  const std::vector<Run>& last_runs = paragraphs_[b.paragraph].runs;
  std::vector<Run> left(first_runs.begin(), first_runs.begin() + left_end);
  std::vector<Run> right(last_runs.begin() + right_begin, last_runs.end());

  // Every piece keeps the first paragraph's format: a removed break joins
  // into the first paragraph, and a typed break starts a paragraph like the
  // one it splits.
  const std::vector<std::string_view> lines = SplitLines(text);
  std::vector<Paragraph> pieces(lines.size());
  for (size_t i = 0; i < pieces.size(); ++i) {
    pieces[i].format = paragraphs_[a.paragraph].format;
    pieces[i].empty_format = format;
    if (i == 0) pieces[i].runs = std::move(left);
    pieces[i].runs.push_back(Run{std::string(lines[i]), format});
    if (i + 1 == pieces.size()) {
      for (Run& run : right) pieces[i].runs.push_back(std::move(run));
    }
    Compact(&pieces[i]);
  }
  TextChanged();
  paragraphs_.erase(paragraphs_.begin() + a.paragraph, paragraphs_.begin() + b.paragraph + 1);
  paragraphs_.insert(paragraphs_.begin() + a.paragraph, std::make_move_iterator(pieces.begin()),
                     std::make_move_iterator(pieces.end()));
}

void Document::SetText(std::string_view text) {
  TextChanged();
  paragraphs_.assign(1, Paragraph{});
  paragraphs_[0].empty_format = default_format_;
  Replace(0, 0, text, default_format_);
}

// --- Character formats.

uint32_t Document::GetFormat(int start, int end, CharFormat* format) const {
  Location a = Locate(start);
  Location b = Locate(end);
  Order(&a, &b);
  if (a == b) {
    if (format) *format = InsertionFormatAt(a);
    return mask::kAll;
  }
  const CharFormat* first = nullptr;
  uint32_t same = mask::kAll;
  auto visit = [&](const CharFormat& f) {
    if (!first) {
      first = &f;
    } else {
      same &= SameAttributes(*first, f);
    }
  };
  for (size_t i = a.paragraph; i <= b.paragraph; ++i) {
    const Paragraph& paragraph = paragraphs_[i];
    const int from = i == a.paragraph ? a.offset : 0;
    const int to = i == b.paragraph ? b.offset : LengthOf(paragraph);
    int run_start = 0;
    for (const Run& run : paragraph.runs) {
      const int run_end = run_start + static_cast<int>(run.text.size());
      if (run_start < to && run_end > from) visit(run.format);
      run_start = run_end;
    }
    if (i < b.paragraph) visit(BreakFormat(i));
  }
  if (format && first) *format = *first;
  return same;
}

void Document::ApplyFormat(int start, int end, const CharFormat& format, uint32_t attributes) {
  Location a = Locate(start);
  Location b = Locate(end);
  Order(&a, &b);
  if (a == b) return;
  for (size_t i = a.paragraph; i <= b.paragraph; ++i) {
    Paragraph& paragraph = paragraphs_[i];
    if (paragraph.runs.empty()) {
      // An empty paragraph's break is in the range when the range goes past
      // it, and the last paragraph's insertion point when the range reaches
      // the end: "select all, bold" makes what is typed next bold.
      const bool last = i + 1 == paragraphs_.size();
      if (i < b.paragraph || last) SetAttributes(&paragraph.empty_format, format, attributes);
      continue;
    }
    const int from = i == a.paragraph ? a.offset : 0;
    const int to = i == b.paragraph ? b.offset : LengthOf(paragraph);
    if (from >= to) continue;
    const size_t first = SplitAt(&paragraph, from);
    const size_t after = SplitAt(&paragraph, to);
    for (size_t r = first; r < after; ++r) SetAttributes(&paragraph.runs[r].format, format, attributes);
    Compact(&paragraph);
  }
}

void Document::ApplyFormatToAll(const CharFormat& format, uint32_t attributes) {
  for (Paragraph& paragraph : paragraphs_) {
    for (Run& run : paragraph.runs) SetAttributes(&run.format, format, attributes);
    SetAttributes(&paragraph.empty_format, format, attributes);
    Compact(&paragraph);
  }
  SetAttributes(&default_format_, format, attributes);
}

// --- Paragraph formats.

ParagraphFormat Document::GetParagraphFormat(int line) const {
  if (line < 0 || line >= LineCount()) return ParagraphFormat{};
  return paragraphs_[static_cast<size_t>(line)].format;
}

void Document::ApplyParagraphFormat(int start, int end, const ParagraphFormat& format,
                                    uint32_t attributes) {
  Location a = Locate(start);
  Location b = Locate(end);
  Order(&a, &b);
  size_t last = b.paragraph;
  // A range ending at a paragraph's start (just after the break before it)
  // holds none of its characters.
  if (!(a == b) && b.offset == 0 && last > a.paragraph) --last;
  for (size_t i = a.paragraph; i <= last; ++i) {
    ParagraphFormat& target = paragraphs_[i].format;
    if (attributes & paragraph_mask::kLineSpacing) target.line_spacing = format.line_spacing;
    if (attributes & paragraph_mask::kStartIndent) target.start_indent = format.start_indent;
    if (attributes & paragraph_mask::kOffset) target.offset = format.offset;
  }
}

// --- RTF reading: the parser builds the paragraphs aside, so a refused input
// leaves the document as it was.

bool Document::ReadRtf(std::string_view rtf, std::string* error) {
  std::vector<internal::RtfParagraph> parsed;
  std::string why;
  if (!internal::ParseRtf(rtf, &parsed, &why)) {
    if (error) *error = why;
    return false;
  }
  std::vector<Paragraph> paragraphs;
  paragraphs.reserve(std::max<size_t>(parsed.size(), 1));
  for (internal::RtfParagraph& source : parsed) {
    Paragraph paragraph;
    paragraph.format = source.format;
    paragraph.empty_format = std::move(source.empty_format);
    paragraph.runs.reserve(source.runs.size());
    for (internal::RtfRun& run : source.runs) {
      paragraph.runs.push_back(Run{std::move(run.text), std::move(run.format)});
    }
    Compact(&paragraph);
    paragraphs.push_back(std::move(paragraph));
  }
  if (paragraphs.empty()) {
    paragraphs.emplace_back();
    paragraphs.back().empty_format = default_format_;
  }
  TextChanged();
  paragraphs_ = std::move(paragraphs);
  if (error) error->clear();
  return true;
}

}  // namespace richtext
