// Environment variables of the process. They are read and set through the
// operating system's own process environment (not a copy kept by one C
// runtime), so every module of the process sees a value another one set:
// glintmere names the answers file here before the runner and the bot
// libraries it loads read it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// The value of the variable, or nothing when it is not set.
std::optional<std::string> EnvironmentValue(const std::string& name);

// The names of the variables set, in the order the process environment
// holds them (Windows keeps its block sorted). Entries whose names begin
// with "=" (Windows' per-drive current folders) are left out.
std::vector<std::string> EnvironmentNames();

// Sets the variable for this process and the programs it starts; false when
// the name is empty or holds '='.
bool SetEnvironmentValue(const std::string& name, const std::string& value);

// Removes the variable; false when the name is empty or holds '='.
bool ClearEnvironmentValue(const std::string& name);

}  // namespace platform
