// Where the help viewer keeps its window's placement between runs: the
// Windows WINDOWPLACEMENT record (44 bytes) as the binary value "Placement"
// of "Software\Kel Software\KelHelp". It is written under HKEY_CURRENT_USER,
// where every user may write; reading tries HKEY_CURRENT_USER first and then
// HKEY_LOCAL_MACHINE, where an installation or an administrator may have left
// one for every user.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/registry.h"

namespace helpviewer {

inline constexpr char kPlacementKey[] = "Software\\Kel Software\\KelHelp";
inline constexpr char kPlacementValue[] = "Placement";
inline constexpr size_t kPlacementSize = 44;

// The stored record, or nothing when neither root holds one that is a binary
// value of exactly 44 bytes starting with its own length (a damaged record
// is passed over like a missing one). Registry errors count as missing.
std::optional<std::vector<uint8_t>> LoadPlacement(platform::Registry& registry);

// Stores the record under HKEY_CURRENT_USER, creating the key when needed.
// A record of another size is refused (kInvalidParameter); the registry's
// own errors are returned for the caller to ignore.
platform::Status StorePlacement(platform::Registry& registry, const std::vector<uint8_t>& record);

}  // namespace helpviewer
