// Registering the stand-alone host: its editor and Explorer objects under the
// FrontPage ProgIDs, and the Explorer's class and program entries the runner
// reads to find the bots folder. Another program's registration (FrontPage's
// own, where it is installed) is never replaced.
#pragma once

#include <string>

#include "platform/registry.h"

namespace host {

// The FrontPage version the host stands for; the runner finds the Explorer
// through "FrontPage.Explorer.4.0".
inline constexpr const char* kHostFrontPageVersion = "4.0";

// Registers the host objects as served by server_library and the Explorer's
// program as program_path (its folder holds the "bots" folder). kOk when
// every entry is the host's now; kAlreadyExists, with *problem saying which
// ProgID belongs to another program, when one is not (entries of other
// programs are left as they were); or the registry's error with *problem.
platform::Status RegisterHost(platform::Registry& registry, const std::string& server_library,
                              const std::string& program_path, std::string* problem);

// Removes the host's registration (never another program's entries).
platform::Status UnregisterHost(platform::Registry& registry);

}  // namespace host
