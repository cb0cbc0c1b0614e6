// The attribute interface over the host's callbacks.
#include "botframe/attributes.h"

#include <algorithm>

#include "base/numbers.h"

namespace botframe {

std::optional<std::string> Attributes::Get(const char* name) const {
  const char* value = host_->GetAttribute(list_, name);
  if (!value) return std::nullopt;
  return std::string(value);
}

std::string Attributes::GetOr(const char* name, const std::string& fallback) const {
  const char* value = host_->GetAttribute(list_, name);
  return value ? std::string(value) : fallback;
}

int Attributes::CountOf(const char* name) const {
  const int stored = base::DecimalValue(GetOr(name, "0"));
  // The list is the host's: its entries are counted through the callbacks,
  // and only as far as the stored count needs.
  int entries = 0;
  host_->RewindAttributes(list_);
  while (entries < stored && host_->NextAttributeName(list_)) ++entries;
  return entries;
}

void Attributes::Set(std::string_view name, std::string_view value) {
  const std::string name_text(name);
  const std::string value_text(value);
  host_->SetAttribute(list_, name_text.c_str(), value_text.c_str());
}

void Attributes::Remove(const char* name) { host_->RemoveAttribute(list_, name); }

void Attributes::Rewind() { host_->RewindAttributes(list_); }

const char* Attributes::Next() { return host_->NextAttributeName(list_); }

std::vector<std::string> Attributes::Names() {
  std::vector<std::string> names;
  Rewind();
  while (const char* name = Next()) names.emplace_back(name);
  return names;
}

}  // namespace botframe
