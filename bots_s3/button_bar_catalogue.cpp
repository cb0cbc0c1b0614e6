// The button bar styles and templates, and the bar's HTML.
#include "bots_s3/button_bar_catalogue.h"

#include <algorithm>

#include "base/numbers.h"
#include "base/path.h"
#include "base/text.h"
#include "botframe/ini_file.h"
#include "platform/services.h"

namespace bots_s3 {
namespace {

constexpr const char* kStylesFolder = "ButtonBarStyles";
constexpr const char* kTemplatesFolder = "ButtonBarTemplates";
constexpr const char* kStyleFile = "style.inf";
constexpr const char* kInfoSection = "info";
constexpr const char* kTemplateSection = "template";
constexpr const char* kNoName = "<Name not defined>";
constexpr const char* kNoDescription = "<No Description>";
constexpr size_t kLongestName = 255;
constexpr size_t kLongestDescription = 511;
constexpr size_t kLongestFileName = 259;

constexpr const char* kGeneralRefusal =
    "The Button Bar button styles and number cannot be edited directly.\n\n"
    "If you wish to change the number or style of the buttons,\n"
    "please delete the old button bar and insert a new one.";

enum class ReadResult { kOk, kMissing, kTooLarge, kFailed };

// Reads a catalogue file whole, refusing one too large to be a catalogue.
ReadResult ReadCatalogueFile(const std::string& path, std::string* text,
                             platform::Status* status) {
  platform::Files& files = platform::GetFiles();
  *status = platform::kOk;
  if (!files.FileExists(path)) return ReadResult::kMissing;
  *status = files.ReadFile(path, text);
  if (*status == platform::kFileNotFound || *status == platform::kPathNotFound) {
    return ReadResult::kMissing;
  }
  if (*status != platform::kOk) return ReadResult::kFailed;
  if (text->size() > kMostCatalogueFileBytes) return ReadResult::kTooLarge;
  return ReadResult::kOk;
}

// The catalogue file parsed, or nothing when it cannot be read.
bool LoadCatalogueFile(const std::string& path, botframe::IniFile* file) {
  std::string text;
  platform::Status status;
  if (ReadCatalogueFile(path, &text, &status) != ReadResult::kOk) return false;
  *file = botframe::IniFile::Parse(text);
  return true;
}

// A section's lines, or false when there are more or longer ones than a bar
// is made of.
bool WithinBounds(const std::vector<std::string>& lines) {
  if (lines.size() > kMostSectionLines) return false;
  return std::none_of(lines.begin(), lines.end(),
                      [](const std::string& line) { return line.size() > kLongestSectionLine; });
}

// Replaces every from in text by to, never looking into what it put in.
// Counts the replacements; false when the result would grow beyond the
// longest bar.
bool ReplaceAll(std::string& text, std::string_view from, std::string_view to, int* count) {
  *count = 0;
  size_t found = text.find(from);
  if (from.empty() || found == std::string::npos) return true;
  std::string out;
  size_t start = 0;
  for (; found != std::string::npos; found = text.find(from, start)) {
    out.append(text, start, found - start);
    out += to;
    start = found + from.size();
    ++*count;
    if (out.size() > kLongestBarHtml) return false;
  }
  out.append(text, start, std::string::npos);
  if (out.size() > kLongestBarHtml) return false;
  text = std::move(out);
  return true;
}

// The web URL from its third "/" on: the web's folder on its server.
std::string WebPath(const std::string& web_url) {
  size_t slash = std::string::npos;
  for (int i = 0; i < 3; ++i) {
    slash = web_url.find('/', slash == std::string::npos ? 0 : slash + 1);
    if (slash == std::string::npos) return std::string();
  }
  return web_url.substr(slash);
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

ButtonBarHtml Failure(std::string message) {
  ButtonBarHtml result;
  result.error = std::move(message);
  return result;
}

struct StyleKey {
  std::string key;
  std::string value;
};

// The style's "info" section split into keys and values, or the failure.
bool ReadStyleKeys(const ButtonBarRequest& request, std::vector<StyleKey>* keys,
                   std::string* error) {
  const std::string path = request.master_folder + kStylesFolder + "\\" +
                           request.style->folder + "\\" + kStyleFile;
  std::string text;
  platform::Status status;
  switch (ReadCatalogueFile(path, &text, &status)) {
    case ReadResult::kOk:
      break;
    case ReadResult::kMissing:
      *error = "Button bar style data not found.";
      return false;
    case ReadResult::kTooLarge:
      *error = base::Format("The file %s is too large to be a button bar style.", path.c_str());
      return false;
    case ReadResult::kFailed:
      *error = base::Format("Unable to read the file %s. Error code: %lu", path.c_str(),
                            static_cast<unsigned long>(status));
      return false;
  }
  const botframe::IniFile file = botframe::IniFile::Parse(text);
  const std::vector<std::string>& lines = file.SectionLines(kInfoSection);
  if (!WithinBounds(lines)) {
    *error = "Invalid section in Button bar style.inf.";
    return false;
  }
  for (const std::string& line : lines) {
    // A line without "=" or without a key names no placeholder: an empty
    // key would replace every "##" of the bar.
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key(base::Trim(std::string_view(line).substr(0, equals)));
    if (key.empty()) continue;
    keys->push_back({std::move(key), std::string(base::Trim(std::string_view(line).substr(equals + 1)))});
  }
  if (keys->empty()) {
    *error = "Invalid section in Button bar style.inf.";
    return false;
  }
  return true;
}

// The template's "template" lines joined as the bar's HTML, or false.
bool ReadTemplateHtml(const ButtonBarTemplate& bar_template, std::string* html) {
  botframe::IniFile file;
  if (!LoadCatalogueFile(bar_template.path, &file)) return false;
  const std::vector<std::string>& lines = file.SectionLines(kTemplateSection);
  if (lines.empty() || !WithinBounds(lines)) return false;
  for (const std::string& line : lines) {
    *html += line;
    *html += " \r\n";
  }
  return true;
}

}  // namespace

std::vector<ButtonStyle> LoadButtonStyles(const std::string& master_folder) {
  std::vector<ButtonStyle> styles;
  if (master_folder.empty()) return styles;
  const std::string root = master_folder + kStylesFolder;
  std::vector<std::string> folders;
  if (platform::GetFiles().ListFolders(root, &folders) != platform::kOk) return styles;
  for (const std::string& folder : folders) {
    if (folder == "." || folder == "..") continue;
    const std::string path = root + "\\" + folder;
    botframe::IniFile file;
    if (!LoadCatalogueFile(path + "\\" + kStyleFile, &file)) continue;
    styles.push_back(
        {file.GetString(kInfoSection, "name", kNoName, kLongestName), folder,
         path + "\\" + file.GetString(kInfoSection, "stop_normal", "", kLongestFileName)});
  }
  std::stable_sort(styles.begin(), styles.end(), [](const ButtonStyle& a, const ButtonStyle& b) {
    return base::CompareNoCase(a.name, b.name) < 0;
  });
  return styles;
}

std::vector<ButtonBarTemplate> LoadButtonBarTemplates(const std::string& master_folder) {
  std::vector<ButtonBarTemplate> templates;
  if (master_folder.empty()) return templates;
  const std::string root = master_folder + kTemplatesFolder;
  std::vector<std::string> names;
  if (platform::GetFiles().FindFiles(root, "*.inf", &names) != platform::kOk) return templates;
  for (const std::string& name : names) {
    const std::string path = root + "\\" + name;
    botframe::IniFile file;
    if (!LoadCatalogueFile(path, &file)) continue;
    ButtonBarTemplate& t = templates.emplace_back();
    t.type_mask = base::DecimalValue(file.GetString(kInfoSection, "type", "31", kLongestName));
    t.name = file.GetString(kInfoSection, "name", kNoName, kLongestName);
    t.description = file.GetString(kInfoSection, "description", kNoDescription, kLongestDescription);
    t.reedit = file.GetString(kInfoSection, "reedit", "", kLongestDescription);
    int unused;
    ReplaceAll(t.reedit, "\\n", "\n", &unused);
    t.path = path;
  }
  return templates;
}

std::vector<ButtonBarTemplate> TemplatesForType(const std::vector<ButtonBarTemplate>& templates,
                                                int type) {
  std::vector<ButtonBarTemplate> offered;
  for (const ButtonBarTemplate& t : templates) {
    if ((t.type_mask & type) == type) offered.push_back(t);
  }
  std::stable_sort(offered.begin(), offered.end(),
                   [](const ButtonBarTemplate& a, const ButtonBarTemplate& b) {
                     return base::CompareNoCase(a.name, b.name) < 0;
                   });
  return offered;
}

std::string ReeditMessage(const std::string& master_folder, const std::string& template_file) {
  // The name comes from the page: it may only name a file of the templates
  // folder.
  if (template_file.empty() || !base::IsPlainFileName(template_file)) return kGeneralRefusal;
  botframe::IniFile file;
  LoadCatalogueFile(master_folder + kTemplatesFolder + "\\" + template_file, &file);
  std::string message = file.GetString(kInfoSection, "reedit", "", kLongestDescription);
  int unused;
  ReplaceAll(message, "\\n", "\n", &unused);
  return message;
}

bool IsValidComponentName(std::string_view name) {
  if (name.empty() || !(IsAsciiLetter(name.front()) || name.front() == '_')) return false;
  return std::all_of(name.begin() + 1, name.end(), [](char c) {
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_';
  });
}

ButtonBarHtml GenerateButtonBarHtml(const ButtonBarRequest& request) {
  if (!request.style) return Failure("Not a valid button bar style");
  if (!request.bar_template) {
    return Failure("No button bar type selected. Could not insert HTML code.");
  }
  // The name goes into the page's script as it is.
  if (!IsValidComponentName(request.component_name)) {
    return Failure("Please specify a valid component name.");
  }
  std::vector<StyleKey> keys;
  std::string error;
  if (!ReadStyleKeys(request, &keys, &error)) return Failure(std::move(error));

  ButtonBarHtml result;
  std::string& html = result.html;
  if (!ReadTemplateHtml(*request.bar_template, &html)) {
    return Failure(
        base::Format("Template data not found for \"%s\"", request.bar_template->name.c_str()));
  }
  const std::string too_long = base::Format("The button bar made from \"%s\" is too long.",
                                            request.bar_template->name.c_str());

  const std::string style_path = "/_buttonbar/" + request.style->folder + "/";
  std::string file_path;
  if (!request.absolute_reference) {
    file_path = ".";
  } else if (!(request.disk_web && request.server_preview)) {
    file_path = WebPath(request.web_url);
  }
  file_path += style_path;

  std::string preview_path;
  if (request.absolute_reference) {
    preview_path = request.web_url;
  } else if (const size_t slash = request.page_url.rfind('/'); slash != std::string::npos) {
    preview_path = request.page_url.substr(0, slash);
  }
  preview_path += style_path;

  const platform::LocalTime& t = request.time;
  const std::string unique_name =
      base::Format("%s_%04d%02d%02d%02d%02d%02d", request.component_name.c_str(), t.year, t.month,
                   t.day, t.hour, t.minute, t.second);

  int count;
  if (!ReplaceAll(html, "#file_path#", file_path, &count)) return Failure(too_long);
  for (const StyleKey& key : keys) {
    if (!ReplaceAll(html, "#" + key.key + "#", key.value, &count)) return Failure(too_long);
    if (count == 0 || key.value.find('.') == std::string::npos) continue;
    // Only a file of the style folder itself is copied: a value with a
    // folder part (or an address) would copy from, or to, somewhere else.
    if (!base::IsPlainFileName(key.value)) continue;
    if (std::find(result.uploads.begin(), result.uploads.end(), key.value) ==
        result.uploads.end()) {
      result.uploads.push_back(key.value);
    }
  }
  const std::pair<std::string_view, std::string_view> fixed[] = {
      {"#applet_name2#", request.component_name},
      {"#applet_name#", unique_name},
      {"#preview_path#", preview_path},
      {"#BotName#", kButtonBarBotName}};
  for (const auto& [placeholder, value] : fixed) {
    if (!ReplaceAll(html, placeholder, value, &count)) return Failure(too_long);
  }
  result.ok = true;
  return result;
}

}  // namespace bots_s3
