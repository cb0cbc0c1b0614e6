// The attribute interface of an edit call: the host's callback table and the
// component's attribute list side by side. Every attribute access of the
// framework and the pages goes through it, so only the host's callbacks
// touch the list.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runner/bot_host.h"

namespace botframe {

class Attributes {
 public:
  Attributes(BotAttributeList* list, const BotHostCallbacks* host) : list_(list), host_(host) {}

  // The value, or nullopt when the attribute is absent or has no value (both
  // count as "not set").
  std::optional<std::string> Get(const char* name) const;
  // The value, or fallback when not set.
  std::string GetOr(const char* name, const std::string& fallback) const;
  bool Has(const char* name) const { return Get(name).has_value(); }
  // The host's table takes NUL-terminated texts: both are copied into ones.
  void Set(std::string_view name, std::string_view value);
  // The count stored under name (a number of lines, of links), but never
  // more than the list has entries (counted through the host's callbacks,
  // never read from the list itself): each counted item is stored in at least
  // one attribute, so a larger count (2147483647 in a hostile page) is no
  // reason to loop further.
  int CountOf(const char* name) const;
  void Remove(const char* name);

  // The iteration callbacks.
  void Rewind();
  const char* Next();
  // Every name, first to last (a whole walk of the iteration protocol).
  std::vector<std::string> Names();

  BotAttributeList* list() const { return list_; }
  const BotHostCallbacks* host() const { return host_; }

 private:
  BotAttributeList* list_;
  const BotHostCallbacks* host_;
};

}  // namespace botframe
