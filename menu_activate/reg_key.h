// RegKey: one registry key at a time, opened (and created) by its path, with
// values read and written by the types they hold, as the activation utility
// keeps its settings. Errors are silent unless the options ask for message
// boxes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/registry.h"

namespace menu_activate {

// A value as RegKey hands it over and takes it: nothing, text, a number, raw
// bytes, or a list of texts.
using RegData = std::variant<std::monostate, std::string, int64_t, std::vector<uint8_t>,
                             std::vector<std::string>>;

// The texts of RegKey's errors.
inline constexpr char kNoKeyError[] = "No Key name specified!";
inline constexpr char kOpenError[] = "Could not open Registry Key!";
inline constexpr char kUnsupportedTypeError[] =
    "Existing value has unsupported data type and will not be overwritten";

// True when text holds "%", the name of one of the first 100 variables of the
// process environment, and "%" (names compared without regard to case): such
// a text is written as an expandable string.
bool NamesEnvironmentVariable(std::string_view text);

// text with every "%NAME%" of a variable set replaced by its value (others
// kept as they are), cut to 1023 characters, as Windows expands a value.
std::string ExpandVariables(std::string_view text);

// A string value read without creating its key: expandable strings expanded;
// empty when the key or value is absent or of another type.
std::string ReadSetting(platform::Registry& registry, platform::RootKey root,
                        std::string_view path, std::string_view name);

class RegKey {
 public:
  enum Option : int {
    kNumbersAsText = 1,  // numbers are written as string values
    kShowErrors = 8,     // errors are shown in a "Registry Error" warning box
  };

  explicit RegKey(platform::Registry& registry) : registry_(registry) {}

  platform::RootKey root() const { return root_; }
  // Changing the root reopens the key under the new one.
  void SetRoot(platform::RootKey root);
  const std::string& key() const { return path_; }
  // A non-empty path that differs (letter case aside) opens that key,
  // creating it when missing; an empty one changes nothing.
  void SetKey(std::string_view path);
  int options() const { return options_; }
  // Values outside 0-15 are ignored.
  void SetOptions(int options);

  // The named value (names compared without regard to case), read from a
  // cache of all the key's values filled on first use: string as is,
  // expandable string expanded, DWORD a number, binary bytes, multi-string a
  // list, another type the text "(unsupported data format)". Nothing when
  // absent.
  RegData Value(std::string_view name);
  // Writes the value; nothing (monostate) or an empty text writes nothing
  // and succeeds. An existing value keeps its type (string types take the
  // input as text, DWORD as a number, multi-string as a list; other types
  // are refused); a new one takes the input's type, numbers as text with
  // kNumbersAsText, and the default value (name "") is always text. False
  // when refused or when the registry fails.
  bool SetValue(std::string_view name, const RegData& data);
  // Every value, names with their data, in the registry's order.
  std::vector<std::pair<std::string, RegData>> AllValues();
  std::vector<std::string> AllKeys();
  bool DeleteValue(std::string_view name);
  // Deletes the key with all its subkeys; the object has no key afterwards.
  bool DeleteKey();
  int ValueCount();
  int KeyCount();

  // The text of the last error; empty when none happened yet.
  const std::string& last_error() const { return last_error_; }

 private:
  bool Open();
  void Close();
  bool FillCache();
  bool Fail(const std::string& text);

  platform::Registry& registry_;
  platform::RootKey root_ = platform::RootKey::kCurrentUser;
  std::string path_;
  int options_ = 0;
  std::unique_ptr<platform::RegistryKey> open_;
  bool cached_ = false;
  std::vector<std::pair<std::string, RegData>> cache_;
  std::string last_error_;
};

}  // namespace menu_activate
