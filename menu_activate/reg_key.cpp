// The registry key class of the activation utility.
#include "menu_activate/reg_key.h"

#include <algorithm>
#include <optional>

#include "base/numbers.h"
#include "base/text.h"
#include "platform/environment.h"
#include "ui/message_box.h"

namespace menu_activate {
namespace {

using platform::RegistryValue;
using platform::ValueType;

constexpr size_t kEnvironmentNamesChecked = 100;
constexpr size_t kMaxExpandedLength = 1023;
constexpr char kUnsupportedFormat[] = "(unsupported data format)";
constexpr char kErrorCaption[] = "Registry Error";
// The runtime's own words for an input that does not fit the value's type.
constexpr char kTypeMismatch[] = "Type mismatch";

RegData FromRegistry(const RegistryValue& value) {
  switch (value.type) {
    case ValueType::kString:
      return value.text;
    case ValueType::kExpandString:
      return ExpandVariables(value.text);
    case ValueType::kBinary:
      return value.bytes;
    case ValueType::kDword:
      return static_cast<int64_t>(value.dword);
    case ValueType::kMultiString:
      return value.strings;
  }
  return std::string(kUnsupportedFormat);
}

std::optional<std::string> AsText(const RegData& data) {
  if (const auto* text = std::get_if<std::string>(&data)) return *text;
  if (const auto* number = std::get_if<int64_t>(&data)) return std::to_string(*number);
  return std::nullopt;
}

// A number as a DWORD: negative ones down to the smallest 32-bit integer are
// stored in two's complement, as Windows keeps a signed long.
std::optional<uint32_t> AsDword(const RegData& data) {
  std::optional<int64_t> number;
  if (const auto* given = std::get_if<int64_t>(&data)) number = *given;
  if (const auto* text = std::get_if<std::string>(&data)) {
    number = base::WholeNumber(*text, INT32_MIN, UINT32_MAX);
  }
  if (!number || *number < INT32_MIN || *number > int64_t{UINT32_MAX}) return std::nullopt;
  return static_cast<uint32_t>(*number);
}

RegistryValue TextValue(const std::string& text) {
  return NamesEnvironmentVariable(text) ? RegistryValue::ExpandString(text)
                                        : RegistryValue::String(text);
}

}  // namespace

bool NamesEnvironmentVariable(std::string_view text) {
  std::vector<std::string> names = platform::EnvironmentNames();
  if (names.size() > kEnvironmentNamesChecked) names.resize(kEnvironmentNamesChecked);
  return std::any_of(names.begin(), names.end(), [text](const std::string& name) {
    return base::FindNoCase(text, "%" + name + "%") != std::string_view::npos;
  });
}

std::string ExpandVariables(std::string_view text) {
  std::string result;
  size_t position = 0;
  while (position < text.size() && result.size() < kMaxExpandedLength) {
    const size_t open = text.find('%', position);
    const size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
    if (close == std::string_view::npos) {
      result.append(text.substr(position));
      break;
    }
    result.append(text.substr(position, open - position));
    const std::string name(text.substr(open + 1, close - open - 1));
    const std::optional<std::string> value =
        name.empty() ? std::nullopt : platform::EnvironmentValue(name);
    if (value) {
      result += *value;
      position = close + 1;
    } else {
      // Not a variable: the first "%" stays, and the second may open one.
      result += '%';
      result.append(text.substr(open + 1, close - open - 1));
      position = close;
    }
  }
  if (result.size() > kMaxExpandedLength) result.resize(kMaxExpandedLength);
  return result;
}

std::string ReadSetting(platform::Registry& registry, platform::RootKey root,
                        std::string_view path, std::string_view name) {
  std::unique_ptr<platform::RegistryKey> key;
  RegistryValue value;
  if (registry.OpenKey(root, path, &key) != platform::kOk ||
      key->GetValue(name, &value) != platform::kOk) {
    return std::string();
  }
  if (value.type == ValueType::kString) return value.text;
  if (value.type == ValueType::kExpandString) return ExpandVariables(value.text);
  return std::string();
}

void RegKey::SetRoot(platform::RootKey root) {
  if (root == root_) return;
  root_ = root;
  Close();
  if (!path_.empty()) Open();
}

void RegKey::SetKey(std::string_view path) {
  if (path.empty() || base::EqualsNoCase(path, path_)) return;
  path_ = std::string(path);
  Close();
  Open();
}

void RegKey::SetOptions(int options) {
  if (options >= 0 && options <= 15) options_ = options;
}

bool RegKey::Fail(const std::string& text) {
  last_error_ = text;
  if (options_ & kShowErrors) {
    ui::ShowMessage(text, kErrorCaption, ui::Buttons::kOk, ui::Icon::kWarning);
  }
  return false;
}

void RegKey::Close() {
  open_.reset();
  cached_ = false;
  cache_.clear();
}

bool RegKey::Open() {
  if (path_.empty()) return Fail(kNoKeyError);
  if (open_) return true;
  if (registry_.CreateKey(root_, path_, &open_) != platform::kOk || !open_) {
    open_.reset();
    return Fail(kOpenError);
  }
  return true;
}

bool RegKey::FillCache() {
  if (!Open()) return false;
  if (cached_) return true;
  std::vector<std::string> names;
  if (open_->ListValues(&names) != platform::kOk) return Fail(kOpenError);
  cache_.clear();
  for (std::string& name : names) {
    RegistryValue value;
    const platform::Status status = open_->GetValue(name, &value);
    if (status == platform::kFileNotFound) continue;  // deleted meanwhile
    RegData data = status == platform::kOk ? FromRegistry(value) : std::string(kUnsupportedFormat);
    cache_.emplace_back(std::move(name), std::move(data));
  }
  cached_ = true;
  return true;
}

RegData RegKey::Value(std::string_view name) {
  if (!FillCache()) return {};
  for (const auto& [value_name, data] : cache_) {
    if (base::EqualsNoCase(value_name, name)) return data;
  }
  return {};
}

bool RegKey::SetValue(std::string_view name, const RegData& data) {
  if (std::holds_alternative<std::monostate>(data)) return true;
  if (const auto* text = std::get_if<std::string>(&data); text && text->empty()) return true;
  if (!Open()) return false;

  std::optional<RegistryValue> value;
  RegistryValue existing;
  const platform::Status found = open_->GetValue(name, &existing);
  if (found == platform::kOk) {
    switch (existing.type) {
      case ValueType::kString:
      case ValueType::kExpandString:
        if (auto text = AsText(data)) {
          value = existing.type == ValueType::kString ? RegistryValue::String(*text)
                                                      : RegistryValue::ExpandString(*text);
        }
        break;
      case ValueType::kDword:
        if (auto number = AsDword(data)) value = RegistryValue::Dword(*number);
        break;
      case ValueType::kMultiString:
        if (const auto* list = std::get_if<std::vector<std::string>>(&data)) {
          value = RegistryValue::MultiString(*list);
        } else if (const auto* text = std::get_if<std::string>(&data)) {
          value = RegistryValue::MultiString({*text});
        }
        break;
      default:
        return Fail(kUnsupportedTypeError);
    }
    if (!value) return Fail(kTypeMismatch);
  } else if (found != platform::kFileNotFound) {
    // A value the service cannot represent is of a type this class leaves alone.
    return Fail(kUnsupportedTypeError);
  } else if (name.empty()) {
    const std::optional<std::string> text = AsText(data);
    if (!text) return Fail(kTypeMismatch);
    value = RegistryValue::String(*text);
  } else if (const auto* list = std::get_if<std::vector<std::string>>(&data)) {
    value = RegistryValue::MultiString(*list);
  } else if (const auto* bytes = std::get_if<std::vector<uint8_t>>(&data)) {
    value = RegistryValue::Binary(*bytes);
  } else if (std::holds_alternative<int64_t>(data) && !(options_ & kNumbersAsText)) {
    const std::optional<uint32_t> number = AsDword(data);
    if (!number) return Fail(kTypeMismatch);
    value = RegistryValue::Dword(*number);
  } else {
    value = TextValue(*AsText(data));
  }

  cached_ = false;
  if (open_->SetValue(name, *value) != platform::kOk) return Fail(kOpenError);
  return true;
}

std::vector<std::pair<std::string, RegData>> RegKey::AllValues() {
  if (!FillCache()) return {};
  return cache_;
}

std::vector<std::string> RegKey::AllKeys() {
  std::vector<std::string> names;
  if (!Open() || open_->ListSubKeys(&names) != platform::kOk) return {};
  return names;
}

bool RegKey::DeleteValue(std::string_view name) {
  if (!Open()) return false;
  cached_ = false;
  return open_->DeleteValue(name) == platform::kOk;
}

bool RegKey::DeleteKey() {
  if (path_.empty()) return Fail(kNoKeyError);
  Close();
  const bool deleted = registry_.DeleteTree(root_, path_) == platform::kOk;
  path_.clear();
  return deleted;
}

int RegKey::ValueCount() { return FillCache() ? static_cast<int>(cache_.size()) : 0; }

int RegKey::KeyCount() { return static_cast<int>(AllKeys().size()); }

}  // namespace menu_activate
