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

// Registers the host objects as served by server_library under
// "FrontPage.Editor" and "FrontPage.Explorer", the Explorer also under
// "FrontPage.Explorer.3.0" and "FrontPage.Explorer.4.0", and the Explorer's
// program as program_path (its folder holds the "bots" folder). A ProgID of
// another program is never replaced: "FrontPage.Explorer.3.0" is then left
// out, while any of the others makes the call fail with kAlreadyExists and
// *problem naming it, before anything is written. kOk when the host is
// registered; otherwise the registry's error with *problem.
platform::Status RegisterHost(platform::Registry& registry, const std::string& server_library,
                              const std::string& program_path, std::string* problem);

// Where Windows keeps the user's application data folder ("AppData" under
// this key of HKEY_CURRENT_USER); the bots keep their working files there.
inline constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Gives the user an application data folder where the registry names none
// (Linux, where no Windows shell writes it): $XDG_DATA_HOME, else
// $HOME/.local/share, made (with its parents) when missing. An existing value
// is never changed. kOk also when nothing could be named; the folder's
// creation failure otherwise.
platform::Status EnsureApplicationDataFolder(platform::Registry& registry);

// Names the host program's folder as the common folder (value "CommonPath"
// of HKEY_LOCAL_MACHINE "Software\Kel Software", where the bots start the
// help viewer with its help pages) when the registry names none, or names a
// folder without the help viewer; an installed product's value is kept.
platform::Status EnsureCommonFolder(platform::Registry& registry, const std::string& program_path);

// Removes the host's registration; entries of another program stay,
// including a versioned ProgID that names another class.
platform::Status UnregisterHost(platform::Registry& registry);

}  // namespace host
