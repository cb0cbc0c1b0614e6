// The local folders of a bot library (master, user data, install and common
// folder), found from the registry at the start of every edit call, and the
// start of the help viewer on a topic.
#pragma once

#include <cstddef>
#include <string>

#include "botframe/edit_state.h"

namespace botframe {

// The longest registry value taken as a folder: what a 1024-byte buffer holds
// with the terminating NUL. A longer value counts as absent; it is never cut.
inline constexpr size_t kMaxFolderValueLength = 1023;

// Fills the four folders of state in the order master, user data, install,
// common; each becomes a full path ending in a backslash, or empty when it is
// not available (nothing is reported). Creates the user data folder and its
// "_glintmere" subfolder when they are missing.
void FindInstallFolders(EditRunState& state);

// Starts the help viewer of the common folder (a full path ending in a
// backslash) on the help folder and topic (or, without a topic, the page);
// both may be empty. False when the common folder is empty or the shell could
// not start the viewer.
bool LaunchHelp(const std::string& common_folder, const std::string& topic,
                const std::string& page);

}  // namespace botframe
