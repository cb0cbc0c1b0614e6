// The raw data of registry values as Windows stores them (REG_SZ with its NUL,
// REG_DWORD little-endian, REG_MULTI_SZ as NUL-separated strings ending in an
// empty one). Shared by the Win32 registry, which hands these bytes to
// advapi32, and the POSIX hive, whose hex(...) forms are the same bytes.
// Internal to platform/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace platform {

// kOk when the value can be stored and read back unchanged; kInvalidParameter
// for text holding a NUL (Windows would cut it there) and for a multi-string
// with an empty or NUL-holding entry (an empty entry ends the list).
Status CheckRegistryValue(const RegistryValue& value);

// kOk when name can name a value or key in both registries: no NUL, CR or LF
// (the hive is a line-based text file); kInvalidParameter otherwise.
Status CheckRegistryName(std::string_view name);

// The bytes Windows stores for a value that passed CheckRegistryValue.
std::vector<uint8_t> EncodeRegistryValue(const RegistryValue& value);

// Builds a value of the given type from its stored bytes. Lenient decoding
// takes what a Windows reader would see: text up to the first NUL, strings up
// to the first empty entry. Strict decoding refuses (returns false) bytes that
// lenient decoding would drop, so that nothing read is lost when written back.
// A DWORD must have exactly four bytes either way.
bool DecodeRegistryValue(ValueType type, const uint8_t* data, size_t size, bool strict,
                         RegistryValue* value);

}  // namespace platform
