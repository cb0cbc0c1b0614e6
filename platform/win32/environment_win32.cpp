// Environment variables on Windows: the process environment block. The C
// runtime's getenv reads a copy of it that SetEnvironmentVariableA does not
// update, so both directions go through the Win32 calls.
#include "platform/win32/windows_include.h"

#include "platform/environment.h"

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

bool SetEnvironmentValue(const std::string& name, const std::string& value) {
  return ValidName(name) && ::SetEnvironmentVariableA(name.c_str(), value.c_str()) != FALSE;
}

bool ClearEnvironmentValue(const std::string& name) {
  return ValidName(name) && ::SetEnvironmentVariableA(name.c_str(), nullptr) != FALSE;
}

}  // namespace platform
