// Environment variables on Linux: the C library's environment, which every
// shared library of the process shares.
#include <stdlib.h>

#include "platform/environment.h"

namespace platform {
namespace {

bool ValidName(const std::string& name) {
  return !name.empty() && name.find('=') == std::string::npos;
}

}  // namespace

std::optional<std::string> EnvironmentValue(const std::string& name) {
  if (!ValidName(name)) return std::nullopt;
  const char* value = ::getenv(name.c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

bool SetEnvironmentValue(const std::string& name, const std::string& value) {
  return ValidName(name) && ::setenv(name.c_str(), value.c_str(), 1) == 0;
}

bool ClearEnvironmentValue(const std::string& name) {
  return ValidName(name) && ::unsetenv(name.c_str()) == 0;
}

}  // namespace platform
