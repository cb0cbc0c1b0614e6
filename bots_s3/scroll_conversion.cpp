// The scroller's columns as applet items.
#include "bots_s3/scroll_conversion.h"

#include "base/text.h"
#include "botframe/applet_tag.h"
#include "botframe/named_colours.h"

namespace bots_s3 {
namespace {

constexpr const char* kSpaceEscape = "\\u0020";
constexpr const char* kStyles[8] = {"_plain",     "_bold",          "_italic",
                                    "_bolditalic", "_underline",     "_boldunderline",
                                    "_italicsunderline", "_bolditalicsunderline"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// Every leading and trailing blank as one "\u0020" each.
std::string EscapeOuterBlanks(const std::string& text) {
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  std::string out;
  for (size_t i = 0; i < first; ++i) out += kSpaceEscape;
  out.append(text, first, last - first);
  for (size_t i = last; i < text.size(); ++i) out += kSpaceEscape;
  return out;
}

// A single leading space and a single trailing space as "\u0020".
std::string EscapeEndSpaces(const std::string& text) {
  if (text.empty()) return text;
  std::string out;
  size_t from = 0;
  if (text.front() == ' ') {
    out += kSpaceEscape;
    from = 1;
  }
  if (from >= text.size()) return out;
  if (text.back() == ' ') {
    out.append(text, from, text.size() - 1 - from);
    out += kSpaceEscape;
  } else {
    out.append(text, from, std::string::npos);
  }
  return out;
}

std::string Style(const richtext::CharFormat& format) {
  return std::string(StyleKeyword(StyleIndex(format))) + "|" + ColourText(format.colour);
}

// The link holding each position, found by a cursor that only moves
// forward: positions come in increasing order.
class LinkCursor {
 public:
  explicit LinkCursor(const ScrollLinks& links) : links_(links) {}
  int At(int position) {
    while (next_ < links_.size() && links_[next_].end < position) ++next_;
    if (next_ < links_.size() && links_[next_].Contains(position)) return static_cast<int>(next_);
    return -1;
  }

 private:
  const ScrollLinks& links_;
  size_t next_ = 0;
};

}  // namespace

const char* StyleKeyword(int style_index) {
  return kStyles[style_index >= 0 && style_index < 8 ? style_index : 0];
}

int StyleIndex(const richtext::CharFormat& format) {
  return (format.bold ? 1 : 0) + (format.italic ? 2 : 0) + (format.underline ? 4 : 0);
}

std::string ColourText(richtext::Colour colour) { return botframe::FormatRgb(base::ToRgb(colour)); }

std::string TargetKeyword(const std::string& target) {
  return std::string(kLinkTargets.KeywordOf(target).value_or(target));
}

std::string LinkValue(const ScrollLink& link, bool preview, const std::string& page_url) {
  std::string colour;
  if (link.highlight == 0) {
    colour = "_none";
  } else if (link.highlight == 1) {
    colour = botframe::FormatRgb(link.custom_colour);
  } else {
    const auto table = botframe::NamedColours();
    const int row = link.highlight > 1 && link.highlight < botframe::kNamedColourCount
                        ? link.highlight
                        : kDefaultLinkHighlight;
    colour = botframe::FormatRgb(
        botframe::Rgb(static_cast<uint32_t>(table[static_cast<size_t>(row)].value)));
  }
  std::string value = (preview ? botframe::AbsoluteUrl(link.url, page_url) : link.url) + "|" +
                      TargetKeyword(link.target) + "|" + colour;
  if (!link.message.empty()) value += "|" + link.message;
  return value;
}

std::vector<ScrollItem> ConvertHeader(ScrollColumn& header) {
  std::vector<ScrollItem> items;
  const int count = header.LineCount();
  for (int line = 0; line < count; ++line) {
    const int start = header.LineIndex(line);
    if (start < 0) break;
    const int end = start + std::max(header.LineLength(line), 0);
    richtext::CharFormat format;
    header.Format(start, end, &format);
    items.push_back({EscapeOuterBlanks(header.TextRange(start, end)), Style(format), ""});
  }
  return items;
}

void ConvertMain(ScrollColumn& main, int line_count, const ScrollLinks& links,
                 const ScrollLines& lines, bool preview, const std::string& page_url,
                 ScrollAppletItems* items) {
  items->line_count = line_count;
  LinkCursor cursor(links);
  const int main_lines = main.LineCount();
  int after_last = 0;  // where lines past the column's end are taken to be
  for (int i = 0; i < line_count; ++i) {
    int p = i < main_lines ? main.LineIndex(i) : -1;
    int e = p;
    if (p >= 0) {
      e = p + std::max(main.LineLength(i), 0);
      after_last = e;
    } else {
      p = e = after_last;
    }
    int pause = 0;
    if (const ScrollLineInfo* setting = i < main_lines ? FindLineSetting(lines, p) : nullptr) {
      pause = setting->pause;
      if (!base::EqualsNoCase(setting->sound, "(None)")) {
        items->line_sounds.emplace_back(i, setting->sound);
      }
    }
    const std::string text = main.TextRange(p, e);
    const auto emit = [&](int from, int to, const richtext::CharFormat& format, int link,
                          bool last) {
      const std::string part = text.substr(static_cast<size_t>(from - p),
                                           static_cast<size_t>(to - from));
      ScrollItem item;
      item.text = last ? EscapeOuterBlanks(part) : EscapeEndSpaces(part);
      item.style = Style(format);
      if (last) item.style += base::Format("|_newline,%d", pause);
      if (link >= 0) item.link = LinkValue(links[static_cast<size_t>(link)], preview, page_url);
      items->segments.push_back(std::move(item));
    };
    richtext::CharFormat current;
    // An empty line is one empty segment, formatted like its line break.
    main.Format(p, p + 1, &current);
    int link = cursor.At(p);
    int segment_start = p;
    for (int q = p + 1; q < e; ++q) {
      richtext::CharFormat format;
      main.Format(q, q + 1, &format);
      const int link_here = cursor.At(q);
      if (StyleIndex(format) != StyleIndex(current) || format.colour != current.colour ||
          link_here != link) {
        emit(segment_start, q, current, link, false);
        segment_start = q;
        current = format;
        link = link_here;
      }
    }
    emit(segment_start, e, current, link, true);
  }
}

}  // namespace bots_s3
