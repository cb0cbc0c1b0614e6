// Reading webbot comments and the components they enclose.
#include "runner/webbot_comments.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "base/text.h"

namespace runner {
namespace {

constexpr std::string_view kOpening = "<!--webbot";
constexpr std::string_view kClosing = "-->";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The next "<!--webbot" (any letter case of "webbot") at or after from.
// Found through its '!', much rarer in a page than '<'.
size_t FindOpening(std::string_view page, size_t from) {
  size_t at = from + 1;
  while (true) {
    const size_t bang = page.find('!', at);
    if (bang == std::string_view::npos || page.size() - bang < kOpening.size() - 1) {
      return std::string_view::npos;
    }
    if (page[bang - 1] == '<' && page[bang + 1] == '-' && page[bang + 2] == '-' &&
        base::EqualsNoCase(page.substr(bang + 3, kOpening.size() - 4), kOpening.substr(4))) {
      return bang - 1;
    }
    at = bang + 1;
  }
}

// What a comment says about the pair it belongs to.
enum class Kind { kNone, kStart, kEnd };

// The comment's kind and bot; the attributes without those two.
Kind ReadComment(std::string_view text, std::string* bot, AttributeEntries* attributes) {
  if (!ParseWebbotAttributes(text, attributes)) return Kind::kNone;
  auto bot_entry = attributes->end();
  auto kind_entry = attributes->end();
  Kind kind = Kind::kNone;
  for (auto it = attributes->begin(); it != attributes->end(); ++it) {
    if (bot_entry == attributes->end() && base::EqualsNoCase(it->first, "bot")) bot_entry = it;
    if (kind == Kind::kNone && !it->second) {
      if (base::EqualsNoCase(it->first, "startspan")) kind = Kind::kStart;
      if (base::EqualsNoCase(it->first, "endspan")) kind = Kind::kEnd;
      if (kind != Kind::kNone) kind_entry = it;
    }
  }
  if (kind == Kind::kNone || bot_entry == attributes->end() || !bot_entry->second) {
    return Kind::kNone;
  }
  *bot = std::move(*bot_entry->second);
  // The later one first, so the earlier iterator stays valid.
  const auto first = std::min(bot_entry, kind_entry);
  const auto second = std::max(bot_entry, kind_entry);
  attributes->erase(second);
  attributes->erase(first);
  return kind;
}

size_t PastLineBreak(std::string_view page, size_t at) {
  return at < page.size() && page[at] == '\n' ? at + 1 : at;
}

}  // namespace

bool ParseWebbotAttributes(std::string_view text, AttributeEntries* attributes) {
  attributes->clear();
  attributes->reserve(16);
  size_t at = 0;
  const size_t size = text.size();
  while (true) {
    while (at < size && IsSpace(text[at])) ++at;
    if (at == size) return true;
    const size_t name_begin = at;
    while (at < size && !IsSpace(text[at]) && text[at] != '=') ++at;
    std::string name(text.substr(name_begin, at - name_begin));
    size_t after_name = at;
    while (after_name < size && IsSpace(text[after_name])) ++after_name;
    if (after_name == size || text[after_name] != '=') {
      attributes->emplace_back(std::move(name), std::nullopt);
      continue;
    }
    if (name.empty()) return false;  // "=" with nothing before it
    at = after_name + 1;
    size_t value_begin = at;
    size_t value_end;
    if (at < size && text[at] == '"') {
      value_begin = at + 1;
      value_end = text.find('"', value_begin);
      if (value_end == std::string_view::npos) return false;
      at = value_end + 1;
    } else {
      while (at < size && !IsSpace(text[at])) ++at;
      value_end = at;
    }
    attributes->emplace_back(std::move(name),
                             UnescapeAttributeValue(text.substr(value_begin, value_end - value_begin)));
  }
}

const std::optional<std::string>* FindWebbotAttribute(const AttributeEntries& attributes,
                                                      std::string_view name) {
  for (const auto& [entry_name, value] : attributes) {
    if (base::EqualsNoCase(entry_name, name)) return &value;
  }
  return nullptr;
}

std::string UnescapeAttributeValue(std::string_view value) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&quot;", '"'}, {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}};
  std::string out;
  out.reserve(value.size());
  size_t at = 0;
  while (at < value.size()) {
    const size_t amp = value.find('&', at);
    if (amp == std::string_view::npos) break;
    out.append(value.substr(at, amp - at));
    at = amp + 1;
    out.push_back('&');
    for (const auto& [entity, c] : kEntities) {
      if (value.substr(amp, entity.size()) == entity) {
        out.back() = c;
        at = amp + entity.size();
        break;
      }
    }
  }
  out.append(value.substr(std::min(at, value.size())));
  return out;
}

std::vector<WebbotComponent> FindWebbotComponents(std::string_view page) {
  // One pass over the webbot comments; every search only moves forward, so
  // the work is linear in the page whatever it holds. Start comments wait on
  // a stack, and each bot keeps the stack positions of its own open starts:
  // an end comment finds the nearest open start of its bot at once, and
  // drops the starts left open above it (each start is dropped once).
  std::vector<WebbotComponent> open;
  std::unordered_map<std::string, std::vector<size_t>> open_of_bot;
  std::vector<WebbotComponent> components;
  size_t closing = 0;
  bool closing_known = false;
  size_t begin = FindOpening(page, 0);
  while (begin != std::string_view::npos) {
    const size_t text_begin = begin + kOpening.size();
    if (!closing_known || closing < text_begin) {
      closing = page.find(kClosing, text_begin);
      closing_known = true;
    }
    if (closing == std::string_view::npos) break;  // no comment ends any more
    const size_t next = FindOpening(page, text_begin);
    const size_t this_begin = begin;
    begin = next;
    // Another comment opening before this one's end: this one was cut short.
    if (next < closing) continue;
    const size_t comment_end = closing + kClosing.size();
    std::string bot;
    AttributeEntries attributes;
    const Kind kind =
        ReadComment(page.substr(text_begin, closing - text_begin), &bot, &attributes);
    if (kind == Kind::kStart) {
      WebbotComponent component;
      component.begin = this_begin;
      component.html_begin = PastLineBreak(page, comment_end);
      component.attributes = std::move(attributes);
      component.bot = bot;
      open_of_bot[std::move(bot)].push_back(open.size());
      open.push_back(std::move(component));
    } else if (kind == Kind::kEnd) {
      const auto waiting = open_of_bot.find(bot);
      if (waiting == open_of_bot.end() || waiting->second.empty()) continue;
      const size_t match = waiting->second.back();
      waiting->second.pop_back();
      // A start dropped here may hold a closed component, which then lies
      // in this one's HTML.
      bool inner = false;
      while (open.size() > match + 1) {
        inner = inner || open.back().holds_component;
        open_of_bot.find(open.back().bot)->second.pop_back();
        open.pop_back();
      }
      WebbotComponent component = std::move(open.back());
      open.pop_back();
      component.holds_component = component.holds_component || inner;
      component.html_end = this_begin;
      component.end = PastLineBreak(page, comment_end);
      if (!open.empty()) open.back().holds_component = true;
      components.push_back(std::move(component));
    }
  }
  std::sort(components.begin(), components.end(),
            [](const WebbotComponent& a, const WebbotComponent& b) { return a.begin < b.begin; });
  return components;
}

}  // namespace runner
