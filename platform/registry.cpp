// The portable part of the registry service: value construction and the
// convenience wrappers shared by both implementations. Only system-independent
// code belongs here.
#include "platform/registry.h"

#include <utility>

namespace platform {

RegistryValue RegistryValue::String(std::string_view s) {
  RegistryValue value;
  value.type = ValueType::kString;
  value.text = std::string(s);
  return value;
}

RegistryValue RegistryValue::ExpandString(std::string_view s) {
  RegistryValue value;
  value.type = ValueType::kExpandString;
  value.text = std::string(s);
  return value;
}

RegistryValue RegistryValue::Dword(uint32_t v) {
  RegistryValue value;
  value.type = ValueType::kDword;
  value.dword = v;
  return value;
}

RegistryValue RegistryValue::Binary(std::vector<uint8_t> b) {
  RegistryValue value;
  value.type = ValueType::kBinary;
  value.bytes = std::move(b);
  return value;
}

RegistryValue RegistryValue::MultiString(std::vector<std::string> s) {
  RegistryValue value;
  value.type = ValueType::kMultiString;
  value.strings = std::move(s);
  return value;
}

bool RegistryValue::operator==(const RegistryValue& other) const {
  if (type != other.type) return false;
  // Members that do not belong to the type carry no meaning, so two values
  // are equal whatever those hold.
  switch (type) {
    case ValueType::kString:
    case ValueType::kExpandString:
      return text == other.text;
    case ValueType::kDword:
      return dword == other.dword;
    case ValueType::kBinary:
      return bytes == other.bytes;
    case ValueType::kMultiString:
      return strings == other.strings;
  }
  return false;
}

namespace {

Status ReadValue(Registry& registry, RootKey root, std::string_view path,
                 std::string_view name, RegistryValue* value) {
  std::unique_ptr<RegistryKey> key;
  Status status = registry.OpenKey(root, path, &key);
  if (status != kOk) return status;
  return key->GetValue(name, value);
}

}  // namespace

Status ReadString(Registry& registry, RootKey root, std::string_view path,
                  std::string_view name, std::string* text) {
  RegistryValue value;
  Status status = ReadValue(registry, root, path, name, &value);
  if (status != kOk) return status;
  if (value.type != ValueType::kString && value.type != ValueType::kExpandString) {
    return kInvalidData;
  }
  *text = std::move(value.text);
  return kOk;
}

Status ReadDword(Registry& registry, RootKey root, std::string_view path,
                 std::string_view name, uint32_t* value) {
  RegistryValue read;
  Status status = ReadValue(registry, root, path, name, &read);
  if (status != kOk) return status;
  if (read.type != ValueType::kDword) return kInvalidData;
  *value = read.dword;
  return kOk;
}

Status WriteValue(Registry& registry, RootKey root, std::string_view path,
                  std::string_view name, const RegistryValue& value) {
  std::unique_ptr<RegistryKey> key;
  Status status = registry.CreateKey(root, path, &key);
  if (status != kOk) return status;
  return key->SetValue(name, value);
}

Status WriteString(Registry& registry, RootKey root, std::string_view path,
                   std::string_view name, std::string_view text) {
  return WriteValue(registry, root, path, name, RegistryValue::String(text));
}

Status WriteDword(Registry& registry, RootKey root, std::string_view path,
                  std::string_view name, uint32_t value) {
  return WriteValue(registry, root, path, name, RegistryValue::Dword(value));
}

const char* RootKeyName(RootKey root) {
  switch (root) {
    case RootKey::kClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case RootKey::kCurrentUser:
      return "HKEY_CURRENT_USER";
    case RootKey::kLocalMachine:
      return "HKEY_LOCAL_MACHINE";
  }
  return "";
}

}  // namespace platform
