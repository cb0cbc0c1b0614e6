// Environment variables on Windows: the process environment block. The C
// runtime's getenv reads a copy of it that SetEnvironmentVariableA does not
// update, so both directions go through the Win32 calls.
#include "platform/win32/windows_include.h"

#include "platform/environment.h"

#include <string_view>

namespace platform {
namespace {

bool ValidName(const std::string& name) {
  return !name.empty() && name.find('=') == std::string::npos;
}

}  // namespace

std::optional<std::string> EnvironmentValue(const std::string& name) {
  if (!ValidName(name)) return std::nullopt;
  std::string value(256, '\0');
  for (;;) {
    ::SetLastError(ERROR_SUCCESS);
    const DWORD length = ::GetEnvironmentVariableA(name.c_str(), value.data(),
                                                   static_cast<DWORD>(value.size()));
    if (length == 0) {
      // An empty value also gives 0, but leaves the last error alone.
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.resize(length);  // too small: length is the size needed, with the null
  }
}

std::vector<std::string> EnvironmentNames() {
  std::vector<std::string> names;
  char* block = ::GetEnvironmentStringsA();
  if (!block) return names;
  // "name=value" entries, each ended by a null, the block by an empty one.
  for (const char* entry = block; *entry; entry += std::string_view(entry).size() + 1) {
    const std::string_view text(entry);
    const size_t equals = text.find('=');
    if (equals == 0) continue;
    names.emplace_back(text.substr(0, equals));
  }
  ::FreeEnvironmentStringsA(block);
  return names;
}

bool SetEnvironmentValue(const std::string& name, const std::string& value) {
  return ValidName(name) && ::SetEnvironmentVariableA(name.c_str(), value.c_str()) != FALSE;
}

bool ClearEnvironmentValue(const std::string& name) {
  return ValidName(name) && ::SetEnvironmentVariableA(name.c_str(), nullptr) != FALSE;
}

}  // namespace platform
