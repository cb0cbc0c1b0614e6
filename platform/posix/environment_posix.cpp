// Environment variables on Linux: the C library's environment, which every
// shared library of the process shares.
#include <stdlib.h>

#include "platform/environment.h"

extern char** environ;

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

std::vector<std::string> EnvironmentNames() {
  std::vector<std::string> names;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string text(*entry);
    const size_t equals = text.find('=');
    if (equals == 0 || text.empty()) continue;
    names.push_back(text.substr(0, equals));
  }
  return names;
}

bool SetEnvironmentValue(const std::string& name, const std::string& value) {
  return ValidName(name) && ::setenv(name.c_str(), value.c_str(), 1) == 0;
}

bool ClearEnvironmentValue(const std::string& name) {
  return ValidName(name) && ::unsetenv(name.c_str()) == 0;
}

}  // namespace platform
