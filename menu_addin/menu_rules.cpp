// The host-independent rules of the Glintmere menu.
#include "menu_addin/menu_rules.h"

#include <cstdint>

#include "base/numbers.h"
#include "base/text.h"

namespace menu_addin {
namespace {

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<std::string> SplitFields(std::string_view text) {
  std::vector<std::string> fields = base::Split(text, ',');
  for (std::string& field : fields) field = std::string(TrimSpaces(field));
  return fields;
}

std::optional<std::string> ItemParameter(const std::vector<std::string>& fields) {
  if (fields.size() < 5 || fields[1].empty()) return std::nullopt;
  const std::string& kind = fields[3];
  const std::string prefix = kind + "," + fields[4] + ",";
  if (kind == "1") {
    if (fields.size() < 7 || fields[5].empty() || fields[6].empty()) return std::nullopt;
    const std::string flag = fields.size() > 7 ? fields[7] : "1";
    return prefix + fields[5] + "," + fields[6] + "," + flag;
  }
  if (kind == "2") {
    if (fields.size() < 6 || fields[5].empty()) return std::nullopt;
    std::string parameter = prefix + fields[5];
    for (size_t i = 6; i < fields.size(); ++i) parameter += "," + fields[i];
    return parameter;
  }
  if (kind == "3") {
    if (fields.size() < 7 || fields[5].empty() || fields[6].empty()) return std::nullopt;
    return prefix + fields[5] + "," + fields[6];
  }
  return std::nullopt;
}

std::optional<char> AcceleratorOf(std::string_view caption) {
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (i + 1 >= caption.size()) return std::nullopt;
    if (caption[i + 1] == '&') {
      ++i;  // a literal ampersand
      continue;
    }
    return caption[i + 1];
  }
  return std::nullopt;
}

std::string WithAccelerator(std::string_view caption, std::string_view taken) {
  const std::string lowered_taken = base::ToLower(taken);
  for (size_t i = 0; i < caption.size(); ++i) {
    const char lowered = static_cast<char>(base::ToLowerAnsi(static_cast<unsigned char>(caption[i])));
    if (caption[i] == ' ' || lowered_taken.find(lowered) != std::string::npos) continue;
    std::string result(caption);
    result.insert(i, 1, '&');
    return result;
  }
  return std::string(caption);
}

std::optional<int> AnchorId(std::string_view version) {
  if (version.empty()) return std::nullopt;
  switch (version.front()) {
    case '4': return 546;
    case '5': return 5965;
    case '6': return 7716;
    default: return std::nullopt;
  }
}

bool KeepsMenuAtDisconnection(std::string_view version, int remove_mode) {
  return base::StartsWithNoCase(version, "5.") && remove_mode == kDisconnectHostShutdown;
}

bool IsUnsavedAddress(std::string_view address) {
  return base::StartsWithNoCase(address, "unsaved");
}

int RequirementResult(std::string_view code, const HostState& state) {
  const bool view_ok = !state.web_open || state.web_in_page_view;
  const bool saved = state.page == PageState::kSaved;
  const bool page = state.page != PageState::kNone;
  if (code == "1") return 0;
  if (code == "2") {
    if (!view_ok) return -3;
    if (!saved) return -5;
    if (!state.normal_mode) return -6;
    return 0;
  }
  if (code == "3") {
    if (!view_ok) return -3;
    if (!page) return -4;
    if (!state.normal_mode) return -6;
    return 0;
  }
  if (code == "4" || code == "5" || code == "6") {
    if (!state.web_open) return -2;
    if (!state.web_in_page_view) return -3;
    if (code == "4") return 0;
    if (code == "5" && !saved) return -5;
    if (code == "6" && !page) return -4;
    if (!state.normal_mode) return -6;
    return 0;
  }
  return -1;
}

std::string RequirementMessage(int result) {
  switch (result) {
    case -2: return "This option requires a FrontPage Web opened in FrontPage.";
    case -3:
      return "The FrontPage Web must be in Page View mode. Please go to View menu and select Page.";
    case -4: return "A page must be opened for editing.";
    case -5: return "A saved page must be opened for editing.";
    case -6: return "The active page must be in \"Normal\" mode.";
    default: return "Unknown error";
  }
}

std::string OpenArguments(const std::vector<std::string>& parameter_fields) {
  std::string arguments;
  for (size_t i = 3; i < parameter_fields.size(); ++i) {
    arguments += " \"" + parameter_fields[i] + "\"";
  }
  return arguments;
}

std::optional<bool> TruthValue(std::string_view text) {
  const std::string_view trimmed = TrimSpaces(text);
  if (base::EqualsNoCase(trimmed, "True")) return true;
  if (base::EqualsNoCase(trimmed, "False")) return false;
  if (trimmed.empty()) return std::nullopt;
  const std::optional<int64_t> number = base::WholeNumber(trimmed, INT32_MIN, INT32_MAX);
  if (!number) return std::nullopt;
  return *number != 0;
}

}  // namespace menu_addin
