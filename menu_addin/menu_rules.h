// The rules of the Glintmere menu that need no host: fields of the settings,
// the parameter string of a command, the accelerator of the top popup, the
// anchor control by host version, the requirement check and its messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace menu_addin {

// Fixed names and values of the menu.
inline constexpr const char* kSettingsKey = "Software\\VB and VBA Program Settings\\KelMenu";
inline constexpr const char* kProductsSection = "_Products";
inline constexpr const char* kNoValue = "<no value>";
inline constexpr const char* kMenuTag = "GlintmereMenu";
inline constexpr const char* kItemTag = "GlintmereMenuItem";
inline constexpr const char* kMenuCaption = "Glintmere";
inline constexpr int kHostPopupId = 62773;
inline constexpr int kControlButton = 1;   // msoControlButton
inline constexpr int kControlPopup = 10;   // msoControlPopup
inline constexpr int kWebViewPage = 3;     // fpWebViewPage
inline constexpr int kPageViewNormal = 1;  // fpPageViewNormal
inline constexpr int kDisconnectHostShutdown = 0;  // ext_dm_HostShutdown

// Splits text at every "," and trims spaces from both ends of each field.
std::vector<std::string> SplitFields(std::string_view text);

// The parameter string of a command item (its fields, split and trimmed),
// or none when the item is left out of the menu: an empty caption, too few
// fields, a kind other than "1", "2", "3", or an empty required field.
// The caller handles "-" entries and items of a single field.
std::optional<std::string> ItemParameter(const std::vector<std::string>& fields);

// The character after the first single "&" of a caption ("&&" is a literal
// ampersand), or none.
std::optional<char> AcceleratorOf(std::string_view caption);
// caption with "&" before its first character that is not a space and not
// among taken (compared without regard to case); unchanged when every
// character is taken.
std::string WithAccelerator(std::string_view caption, std::string_view taken);

// The control after which the menu goes, by the first character of the host
// version: 546 for "4", 5965 for "5", 7716 for "6"; none otherwise.
std::optional<int> AnchorId(std::string_view version);

// Whether disconnection leaves the menu in place: on a version beginning
// with "5." when the host shuts down.
bool KeepsMenuAtDisconnection(std::string_view version, int remove_mode);

// The state of the host a command may require.
enum class PageState { kNone, kUnsaved, kSaved };
struct HostState {
  bool web_open = false;
  bool web_in_page_view = false;
  PageState page = PageState::kNone;
  bool normal_mode = false;
};
// A page address that marks a page never saved.
bool IsUnsavedAddress(std::string_view address);

// 0 when the requirement code is satisfied, else -1 (unknown code) to -6.
int RequirementResult(std::string_view code, const HostState& state);
// The message shown for a failed requirement.
std::string RequirementMessage(int result);

// The arguments of an open command: for each field from the fourth on, a
// space and the field in double quotes.
std::string OpenArguments(const std::vector<std::string>& parameter_fields);

// A truth value as the insert flag takes it: a number (nonzero is true) or
// "True"/"False" in any case; none for anything else.
std::optional<bool> TruthValue(std::string_view text);

}  // namespace menu_addin
