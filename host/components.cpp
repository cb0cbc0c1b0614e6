// Reading webbot components back out of a page.
#include "host/components.h"

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
  std::vector<WebbotComponent> components;
  size_t search = 0;
  while (true) {
    const size_t begin = base::FindNoCase(page, kOpen, search);
    if (begin == std::string::npos) break;
    search = begin + 1;
    size_t at = begin + std::char_traits<char>::length(kOpen);
    WebbotComponent component;
    std::string word;
    if (!ReadHead(page, &at, &component.bot, &word) || !base::EqualsNoCase(word, "startspan")) {
      continue;
    }
    if (!ReadAttributes(page, &at, &component.attributes)) continue;
    if (at < page.size() && page[at] == '\n') ++at;
    const size_t html_start = at;
    // The endspan comment of the same bot.
    size_t close = html_start;
    bool found = false;
    while ((close = base::FindNoCase(page, kOpen, close)) != std::string::npos) {
      size_t after = close + std::char_traits<char>::length(kOpen);
      std::string bot;
      if (ReadHead(page, &after, &bot, &word) && bot == component.bot &&
          base::EqualsNoCase(word, "endspan")) {
        const size_t finish = page.find("-->", after);
        if (finish == std::string::npos) break;
        component.html = page.substr(html_start, close - html_start);
        component.begin = begin;
        component.end = finish + 3;
        if (component.end < page.size() && page[component.end] == '\n') ++component.end;
        found = true;
        break;
      }
      close += 1;
    }
    if (!found) continue;
    search = component.end;
    components.push_back(std::move(component));
  }
  return components;
}

}  // namespace host
