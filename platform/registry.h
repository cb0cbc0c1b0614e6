// The registry service: keys under HKEY_CLASSES_ROOT, HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE with typed values. On Windows it is the real registry; on
// Linux a hive kept in a REGEDIT4 text file (see posix/registry_posix.cpp).
//
// Key paths use "\" between key names ("Software\Kel Software\GMQFX"); key and
// value names match without regard to letter case and keep the case they were
// created with. The empty value name is the key's default value.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace platform {

enum class RootKey { kClassesRoot, kCurrentUser, kLocalMachine };

// The value types, numbered as Windows numbers them (REG_SZ, ...).
enum class ValueType : uint32_t {
  kString = 1,        // REG_SZ
  kExpandString = 2,  // REG_EXPAND_SZ
  kBinary = 3,        // REG_BINARY
  kDword = 4,         // REG_DWORD
  kMultiString = 7,   // REG_MULTI_SZ
};

// One value: its type and its contents. Only the member of the type is used.
struct RegistryValue {
  ValueType type = ValueType::kString;
  std::string text;                  // kString, kExpandString
  uint32_t dword = 0;                // kDword
  std::vector<uint8_t> bytes;        // kBinary
  std::vector<std::string> strings;  // kMultiString

  static RegistryValue String(std::string_view s);
  static RegistryValue ExpandString(std::string_view s);
  static RegistryValue Dword(uint32_t v);
  static RegistryValue Binary(std::vector<uint8_t> b);
  static RegistryValue MultiString(std::vector<std::string> s);

  bool operator==(const RegistryValue& other) const;
};

// An open key. Closing happens when the object is destroyed.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  // Reads a value; kFileNotFound when the key has no such value.
  virtual Status GetValue(std::string_view name, RegistryValue* value) = 0;
  // Creates or replaces a value.
  virtual Status SetValue(std::string_view name, const RegistryValue& value) = 0;
  // kFileNotFound when the key has no such value.
  virtual Status DeleteValue(std::string_view name) = 0;
  // Names of the direct subkeys, in no promised order.
  virtual Status ListSubKeys(std::vector<std::string>* names) = 0;
  // Names of the values (the default value, when set, as ""), in no promised order.
  virtual Status ListValues(std::vector<std::string>* names) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key for reading and writing; kFileNotFound when absent.
  // An empty path opens the root itself.
  virtual Status OpenKey(RootKey root, std::string_view path,
                         std::unique_ptr<RegistryKey>* key) = 0;
  // Opens a key, creating it and every missing parent.
  virtual Status CreateKey(RootKey root, std::string_view path,
                           std::unique_ptr<RegistryKey>* key) = 0;
  // Deletes a key with all its subkeys and values; kFileNotFound when absent.
  virtual Status DeleteTree(RootKey root, std::string_view path) = 0;

  // A sentence describing the last failure of this service when it has more
  // to say than the code (for the POSIX hive: which file and line is
  // malformed); empty otherwise.
  virtual std::string LastErrorText() const { return std::string(); }
};

// Convenience wrappers used throughout the product.

// Reads a string value (kString or kExpandString, not expanded). Returns
// kFileNotFound when the key or value is absent and kInvalidData for another type.
Status ReadString(Registry& registry, RootKey root, std::string_view path,
                  std::string_view name, std::string* text);
// Reads a DWORD value; kInvalidData for another type.
Status ReadDword(Registry& registry, RootKey root, std::string_view path,
                 std::string_view name, uint32_t* value);
// Creates the key when needed and writes the value.
Status WriteValue(Registry& registry, RootKey root, std::string_view path,
                  std::string_view name, const RegistryValue& value);
Status WriteString(Registry& registry, RootKey root, std::string_view path,
                   std::string_view name, std::string_view text);
Status WriteDword(Registry& registry, RootKey root, std::string_view path,
                  std::string_view name, uint32_t value);

// The root's Windows name ("HKEY_CLASSES_ROOT", ...).
const char* RootKeyName(RootKey root);

}  // namespace platform
