// Raw bytes of registry values, shared by the Win32 registry and the POSIX
// hive. Only system-independent code belongs here.
#include "platform/registry_encoding.h"

#include <algorithm>

namespace platform {
namespace {

bool HasNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

bool AllNul(const uint8_t* data, size_t size) {
  return std::all_of(data, data + size, [](uint8_t b) { return b == 0; });
}

}  // namespace

Status CheckRegistryValue(const RegistryValue& value) {
  switch (value.type) {
    case ValueType::kString:
    case ValueType::kExpandString:
      return HasNul(value.text) ? kInvalidParameter : kOk;
    case ValueType::kMultiString:
      for (const std::string& entry : value.strings) {
        if (entry.empty() || HasNul(entry)) return kInvalidParameter;
      }
      return kOk;
    case ValueType::kDword:
    case ValueType::kBinary:
      return kOk;
  }
  return kInvalidParameter;
}

Status CheckRegistryName(std::string_view name) {
  return name.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos
             ? kOk
             : kInvalidParameter;
}

std::vector<uint8_t> EncodeRegistryValue(const RegistryValue& value) {
  std::vector<uint8_t> bytes;
  switch (value.type) {
    case ValueType::kString:
    case ValueType::kExpandString:
      bytes.assign(value.text.begin(), value.text.end());
      bytes.push_back(0);
      break;
    case ValueType::kDword:
      for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<uint8_t>(value.dword >> shift));
      }
      break;
    case ValueType::kBinary:
      bytes = value.bytes;
      break;
    case ValueType::kMultiString:
      for (const std::string& entry : value.strings) {
        bytes.insert(bytes.end(), entry.begin(), entry.end());
        bytes.push_back(0);
      }
      // The empty entry that ends the list; an empty list is this NUL alone.
      bytes.push_back(0);
      break;
  }
  return bytes;
}

bool DecodeRegistryValue(ValueType type, const uint8_t* data, size_t size, bool strict,
                         RegistryValue* value) {
  const char* chars = reinterpret_cast<const char*>(data);
  switch (type) {
    case ValueType::kString:
    case ValueType::kExpandString: {
      // A missing terminator is harmless: the text is all the bytes.
      size_t length = std::find(data, data + size, uint8_t{0}) - data;
      if (strict && !AllNul(data + length, size - length)) return false;
      *value = type == ValueType::kString
                   ? RegistryValue::String(std::string_view(chars, length))
                   : RegistryValue::ExpandString(std::string_view(chars, length));
      return true;
    }
    case ValueType::kDword:
      if (size != 4) return false;
      *value = RegistryValue::Dword(uint32_t{data[0]} | uint32_t{data[1]} << 8 |
                                    uint32_t{data[2]} << 16 | uint32_t{data[3]} << 24);
      return true;
    case ValueType::kBinary:
      *value = RegistryValue::Binary(std::vector<uint8_t>(data, data + size));
      return true;
    case ValueType::kMultiString: {
      std::vector<std::string> strings;
      size_t pos = 0;
      while (pos < size && data[pos] != 0) {
        size_t end = std::find(data + pos, data + size, uint8_t{0}) - data;
        strings.emplace_back(chars + pos, end - pos);
        pos = end + 1;
      }
      if (strict && pos < size && !AllNul(data + pos, size - pos)) return false;
      *value = RegistryValue::MultiString(std::move(strings));
      return true;
    }
  }
  return false;
}

}  // namespace platform
