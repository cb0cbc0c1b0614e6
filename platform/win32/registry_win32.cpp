// The Windows registry service over advapi32. Status codes are the Win32
// codes the calls return.
#include "platform/win32/windows_include.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_encoding.h"
#include "platform/system_services.h"

namespace platform {
namespace {

HKEY RootHandle(RootKey root) {
  switch (root) {
    case RootKey::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RootKey::kCurrentUser:
      return HKEY_CURRENT_USER;
    case RootKey::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
  }
  return HKEY_CURRENT_USER;
}

// An open key, closed with RegCloseKey. Opening a root with an empty path
// gives back the predefined handle itself, which is not ours to close.
class UniqueHkey {
 public:
  UniqueHkey() = default;
  explicit UniqueHkey(HKEY key) : key_(key) {}
  UniqueHkey(UniqueHkey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  UniqueHkey& operator=(UniqueHkey&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.key_, nullptr));
    return *this;
  }
  UniqueHkey(const UniqueHkey&) = delete;
  UniqueHkey& operator=(const UniqueHkey&) = delete;
  ~UniqueHkey() { Reset(); }

  void Reset(HKEY key = nullptr) {
    if (key_ && !IsPredefined(key_)) RegCloseKey(key_);
    key_ = key;
  }
  HKEY get() const { return key_; }
  HKEY* put() {
    Reset();
    return &key_;
  }

 private:
  static bool IsPredefined(HKEY key) {
    return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE;
  }

  HKEY key_ = nullptr;
};

// What Windows answers for a key path that starts with a backslash; checked
// here too so that DeleteTree never hands such a path to RegDeleteTreeA.
constexpr Status kBadPathname = 161;  // ERROR_BAD_PATHNAME

// Names with line breaks are refused as the POSIX hive, which cannot hold
// them, refuses them: the same input fails alike on both systems.
Status CheckKeyPath(std::string_view path) {
  if (!path.empty() && path.front() == '\\') return kBadPathname;
  return CheckRegistryName(path);
}

class Win32Key : public RegistryKey {
 public:
  explicit Win32Key(UniqueHkey key) : key_(std::move(key)) {}

  Status GetValue(std::string_view name, RegistryValue* value) override {
    const std::string name_z(name);
    std::vector<uint8_t> data(256);
    DWORD type = 0;
    LSTATUS status;
    // The value may grow between the two calls; ask again until it fits.
    while (true) {
      DWORD size = static_cast<DWORD>(data.size());
      status = RegQueryValueExA(key_.get(), name_z.c_str(), nullptr, &type, data.data(), &size);
      if (status == ERROR_MORE_DATA) {
        data.resize(size > data.size() ? size : data.size() * 2);
        continue;
      }
      if (status != ERROR_SUCCESS) return static_cast<Status>(status);
      data.resize(size);
      break;
    }
    switch (type) {
      case REG_SZ:
      case REG_EXPAND_SZ:
      case REG_BINARY:
      case REG_DWORD:
      case REG_MULTI_SZ:
        if (DecodeRegistryValue(static_cast<ValueType>(type), data.data(), data.size(),
                                /*strict=*/false, value)) {
          return kOk;
        }
        return kInvalidData;
      default:
        // REG_QWORD, REG_NONE and the like have no place in RegistryValue.
        return kInvalidData;
    }
  }

  Status SetValue(std::string_view name, const RegistryValue& value) override {
    if (Status status = CheckRegistryName(name); status != kOk) return status;
    if (Status status = CheckRegistryValue(value); status != kOk) return status;
    const std::string name_z(name);
    const std::vector<uint8_t> data = EncodeRegistryValue(value);
    if (data.size() > MAXDWORD) return kInvalidParameter;
    return static_cast<Status>(RegSetValueExA(key_.get(), name_z.c_str(), 0,
                                              static_cast<DWORD>(value.type), data.data(),
                                              static_cast<DWORD>(data.size())));
  }

  Status DeleteValue(std::string_view name) override {
    const std::string name_z(name);
    return static_cast<Status>(RegDeleteValueA(key_.get(), name_z.c_str()));
  }

  Status ListSubKeys(std::vector<std::string>* names) override {
    std::vector<std::string> found;
    char buffer[256];  // key names hold at most 255 characters
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof buffer;
      LSTATUS status = RegEnumKeyExA(key_.get(), index, buffer, &length, nullptr, nullptr,
                                     nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) break;
      if (status != ERROR_SUCCESS) return static_cast<Status>(status);
      found.emplace_back(buffer, length);
    }
    *names = std::move(found);
    return kOk;
  }

  Status ListValues(std::vector<std::string>* names) override {
    std::vector<std::string> found;
    std::vector<char> buffer(16384);  // value names hold at most 16383 characters
    for (DWORD index = 0;; ++index) {
      DWORD length = static_cast<DWORD>(buffer.size());
      LSTATUS status = RegEnumValueA(key_.get(), index, buffer.data(), &length, nullptr,
                                     nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) break;
      if (status != ERROR_SUCCESS) return static_cast<Status>(status);
      found.emplace_back(buffer.data(), length);
    }
    *names = std::move(found);
    return kOk;
  }

 private:
  UniqueHkey key_;
};

class Win32Registry : public Registry {
 public:
  Status OpenKey(RootKey root, std::string_view path,
                 std::unique_ptr<RegistryKey>* key) override {
    if (Status status = CheckKeyPath(path); status != kOk) return status;
    const std::string path_z(path);
    UniqueHkey opened;
    LSTATUS status =
        RegOpenKeyExA(RootHandle(root), path_z.c_str(), 0, KEY_READ | KEY_WRITE, opened.put());
    if (status == ERROR_ACCESS_DENIED) {
      // A user may read what only an administrator may change (most of
      // HKLM and HKCR); writes through this key then fail as they should.
      status = RegOpenKeyExA(RootHandle(root), path_z.c_str(), 0, KEY_READ, opened.put());
    }
    if (status != ERROR_SUCCESS) return static_cast<Status>(status);
    *key = std::make_unique<Win32Key>(std::move(opened));
    return kOk;
  }

  Status CreateKey(RootKey root, std::string_view path,
                   std::unique_ptr<RegistryKey>* key) override {
    if (Status status = CheckKeyPath(path); status != kOk) return status;
    const std::string path_z(path);
    UniqueHkey created;
    LSTATUS status = RegCreateKeyExA(RootHandle(root), path_z.c_str(), 0, nullptr,
                                     REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                                     created.put(), nullptr);
    if (status != ERROR_SUCCESS) return static_cast<Status>(status);
    *key = std::make_unique<Win32Key>(std::move(created));
    return kOk;
  }

  Status DeleteTree(RootKey root, std::string_view path) override {
    if (Status status = CheckKeyPath(path); status != kOk) return status;
    // RegDeleteTreeA with an empty path would empty the whole root.
    if (path.empty()) return kInvalidParameter;
    const std::string path_z(path);
    return static_cast<Status>(RegDeleteTreeA(RootHandle(root), path_z.c_str()));
  }
};

}  // namespace

std::unique_ptr<Registry> CreateSystemRegistry() { return std::make_unique<Win32Registry>(); }

}  // namespace platform
