// Reading webbot components back out of a page.
#include "host/components.h"

#include <algorithm>

#include "base/text.h"

namespace host {
namespace {

constexpr const char* kOpen = "<!--webbot";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void SkipSpaces(const std::string& text, size_t* at) {
  while (*at < text.size() && IsSpace(text[*at])) ++*at;
}

// Reads ` bot="NAME" WORD` after "<!--webbot"; false when it is not there.
bool ReadHead(const std::string& page, size_t* at, std::string* bot, std::string* word) {
  SkipSpaces(page, at);
  if (page.compare(*at, 5, "bot=\"") != 0) return false;
  *at += 5;
  const size_t quote = page.find('"', *at);
  if (quote == std::string::npos) return false;
  *bot = page.substr(*at, quote - *at);
  *at = quote + 1;
  SkipSpaces(page, at);
  const size_t word_start = *at;
  while (*at < page.size() && !IsSpace(page[*at]) && page.compare(*at, 3, "-->") != 0) ++*at;
  *word = page.substr(word_start, *at - word_start);
  return true;
}

// The attributes up to "-->" (at is left after it).
bool ReadAttributes(const std::string& page, size_t* at, runner::AttributeEntries* out) {
  while (true) {
    SkipSpaces(page, at);
    if (*at >= page.size()) return false;
    if (page.compare(*at, 3, "-->") == 0) {
      *at += 3;
      return true;
    }
    const size_t name_start = *at;
    while (*at < page.size() && !IsSpace(page[*at]) && page[*at] != '=' &&
           page.compare(*at, 3, "-->") != 0) {
      ++*at;
    }
    std::string name = page.substr(name_start, *at - name_start);
    if (name.empty()) return false;
    if (*at < page.size() && page[*at] == '=') {
      ++*at;
      if (*at >= page.size() || page[*at] != '"') return false;
      const size_t quote = page.find('"', *at + 1);
      if (quote == std::string::npos) return false;
      out->emplace_back(std::move(name),
                        UnescapeAttributeValue(page.substr(*at + 1, quote - *at - 1)));
      *at = quote + 1;
    } else {
      out->emplace_back(std::move(name), std::nullopt);
    }
  }
}

}  // namespace

std::string UnescapeAttributeValue(const std::string& value) {
  static constexpr struct {
    const char* entity;
    char c;
  } kEntities[] = {{"&quot;", '"'}, {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}};
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size();) {
    bool replaced = false;
    if (value[i] == '&') {
      for (const auto& [entity, c] : kEntities) {
        const size_t length = std::char_traits<char>::length(entity);
        if (value.compare(i, length, entity) == 0) {
          out.push_back(c);
          i += length;
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out.push_back(value[i++]);
  }
  return out;
}

std::vector<WebbotComponent> FindWebbotComponents(const std::string& page) {
  // One pass over the webbot comments. Start comments wait on a stack; an
  // end comment closes the nearest open start of its bot, so the pair of a
  // component inside another belongs to the inner one, and starts left open
  // above it are no components. Linear in the page, whatever it holds.
  struct Open {
    WebbotComponent component;
    size_t html_start = 0;
    bool holds_component = false;
  };
  std::vector<Open> open;
  std::vector<WebbotComponent> components;
  const size_t open_length = std::char_traits<char>::length(kOpen);
  size_t search = 0;
  while (true) {
    const size_t begin = base::FindNoCase(page, kOpen, search);
    if (begin == std::string::npos) break;
    search = begin + 1;
    size_t at = begin + open_length;
    std::string bot, word;
    if (!ReadHead(page, &at, &bot, &word)) continue;
    if (base::EqualsNoCase(word, "startspan")) {
      Open entry;
      entry.component.bot = std::move(bot);
      entry.component.begin = begin;
      if (!ReadAttributes(page, &at, &entry.component.attributes)) continue;
      if (at < page.size() && page[at] == '\n') ++at;
      entry.html_start = at;
      search = at;
      open.push_back(std::move(entry));
    } else if (base::EqualsNoCase(word, "endspan")) {
      const size_t finish = page.find("-->", at);
      if (finish == std::string::npos) break;
      size_t match = open.size();
      while (match > 0 && open[match - 1].component.bot != bot) --match;
      if (match == 0) continue;  // an end comment no start comment waits for
      Open entry = std::move(open[match - 1]);
      open.resize(match - 1);
      WebbotComponent& component = entry.component;
      component.html = page.substr(entry.html_start, begin - entry.html_start);
      component.end = finish + 3;
      if (component.end < page.size() && page[component.end] == '\n') ++component.end;
      component.holds_component = entry.holds_component;
      if (!open.empty()) open.back().holds_component = true;
      search = component.end;
      components.push_back(std::move(component));
    }
  }
  std::sort(components.begin(), components.end(),
            [](const WebbotComponent& a, const WebbotComponent& b) { return a.begin < b.begin; });
  return components;
}

}  // namespace host
