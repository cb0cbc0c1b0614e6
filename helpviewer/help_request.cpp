// The help viewer's command line, settings file and caption.
#include "helpviewer/help_request.h"

#include "base/text.h"
#include "botframe/ini_file.h"

namespace helpviewer {
namespace {

constexpr char kSettingsFile[] = "KelHelp.inf";
// What the private-profile reading of the original fills: 260-byte buffers.
constexpr size_t kMaxValueChars = 259;

std::string_view SkipSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

std::string_view DropTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

botframe::IniFile LoadSettingsFile(const std::string& folder) {
  return botframe::IniFile::Load(folder + kSettingsFile);
}

HelpSettings SettingsFrom(const botframe::IniFile& file) {
  const HelpSettings defaults;
  HelpSettings settings;
  settings.title = file.GetString("Info", "Title", defaults.title, kMaxValueChars);
  settings.home = file.GetString("Documents", "Home", defaults.home, kMaxValueChars);
  settings.contents = file.GetString("Documents", "Contents", defaults.contents, kMaxValueChars);
  return settings;
}

}  // namespace

HelpCommandLine ParseHelpCommandLine(std::string_view text) {
  HelpCommandLine parsed;
  std::string_view rest = SkipSpaces(text);
  if (!rest.empty() && rest.front() == '"') {
    rest.remove_prefix(1);
    const size_t close = rest.find('"');
    parsed.folder = std::string(rest.substr(0, close));
    rest = close == std::string_view::npos ? std::string_view() : rest.substr(close + 1);
  } else {
    const size_t space = rest.find(' ');
    parsed.folder = std::string(rest.substr(0, space));
    rest = space == std::string_view::npos ? std::string_view() : rest.substr(space);
  }
  if (parsed.folder.empty() || (parsed.folder.back() != '\\' && parsed.folder.back() != '/')) {
    parsed.folder += '\\';
  }

  rest = DropTrailingSpaces(SkipSpaces(rest));
  if (!rest.empty() && rest.front() == '"') {
    // Only a quote that ends the line closes the page; anything else is not
    // a page name the viewer could show.
    if (rest.size() >= 2 && rest.back() == '"') {
      parsed.argument = std::string(rest.substr(1, rest.size() - 2));
    }
  } else {
    parsed.argument = std::string(rest);
  }
  return parsed;
}

HelpSettings ReadHelpSettings(const std::string& folder) {
  return SettingsFrom(LoadSettingsFile(folder));
}

HelpRequest ProcessHelpCommandLine(std::string_view text) {
  const HelpCommandLine parsed = ParseHelpCommandLine(text);
  const botframe::IniFile file = LoadSettingsFile(parsed.folder);
  const HelpSettings settings = SettingsFrom(file);

  HelpRequest request;
  request.folder = parsed.folder;
  if (base::StartsWithNoCase(parsed.argument, "/c")) {
    request.page = file.GetString("Contexts", std::string_view(parsed.argument).substr(2), "",
                                  kMaxValueChars);
  } else {
    request.page = parsed.argument;
  }
  if (request.page.empty()) request.page = settings.home;
  request.location = request.folder + request.page;
  request.base_title = settings.title;
  return request;
}

bool IsBlankCommandLine(std::string_view text) { return base::Trim(text).empty(); }

std::string ComposeCaption(std::string_view base_title, std::string_view page_title) {
  if (page_title.empty()) return std::string(base_title);
  if (base_title.empty()) return std::string(page_title);
  std::string caption(base_title);
  caption += " - ";
  caption += page_title;
  return caption;
}

}  // namespace helpviewer
