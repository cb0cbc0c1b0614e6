// The button bar bot's catalogue: the button styles (folders of button
// images described by "style.inf") and the bar templates ("*.inf" files
// holding the bar's HTML) of the master folder, and the bar's HTML made from
// one style, one template and the component the bar drives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"

namespace bots_s3 {

// Component types, as bits of a template's type mask.
inline constexpr int kPresentationApplet = 1;
inline constexpr int kScrollerApplet = 2;
// The mask of a template that names none.
inline constexpr int kAnyComponentType = 31;

// The caption of every message the catalogue's failures give.
inline constexpr const char* kButtonBarErrorCaption = "Glintmere Error!";
// The bot's name, filled into a bar's "#BotName#".
inline constexpr const char* kButtonBarBotName = "BBBot";

// Bounds on what is read from the master folder: a larger file is not read,
// a section with more lines or a longer line is refused.
inline constexpr size_t kMostCatalogueFileBytes = 256 * 1024;
inline constexpr size_t kMostSectionLines = 1000;
inline constexpr size_t kLongestSectionLine = 4096;
// A generated bar longer than this is refused rather than inserted.
inline constexpr size_t kLongestBarHtml = 1024 * 1024;

// One style: a subfolder of the master folder's "ButtonBarStyles" holding a
// readable "style.inf".
struct ButtonStyle {
  std::string name;          // "name" of "info", as the list shows it
  std::string folder;        // the folder's name: the style's identifier
  std::string preview_path;  // the folder's path, "\" and "stop_normal"
};

// One bar template: a "ButtonBarTemplates\*.inf" file of the master folder.
struct ButtonBarTemplate {
  int type_mask = kAnyComponentType;  // the component types it works with
  std::string name;
  std::string description;
  std::string reedit;  // the refusal shown when such a bar is edited again
  std::string path;    // the file's full path
};

// The styles of master_folder (a full path ending in a backslash), sorted
// by name without regard to case as the style list shows them. A folder
// without a readable "style.inf", or with one larger than
// kMostCatalogueFileBytes, is left out; no master folder gives none.
std::vector<ButtonStyle> LoadButtonStyles(const std::string& master_folder);

// The templates of master_folder, in the order the folder search gives. A
// file that cannot be read or is larger than kMostCatalogueFileBytes is left
// out. Values are cut to 255 (name) and 511 characters (description,
// reedit); each "\n" pair of characters in "reedit" becomes a line break.
std::vector<ButtonBarTemplate> LoadButtonBarTemplates(const std::string& master_folder);

// The templates offered for a component of type (0: every template): those
// whose mask holds every bit of type, sorted by name without regard to case.
std::vector<ButtonBarTemplate> TemplatesForType(const std::vector<ButtonBarTemplate>& templates,
                                                int type);

// The refusal shown when a bar made from a template is opened for editing:
// "reedit" of the master folder's "ButtonBarTemplates\<template_file>",
// or, when the bar names no template file (empty template_file) or names
// anything but one plain file name, the general refusal.
std::string ReeditMessage(const std::string& master_folder, const std::string& template_file);

// A component name the page's scripts can reach: not empty, a letter or "_"
// first, then letters, digits and "_" only.
bool IsValidComponentName(std::string_view name);

// What the bar is made of (every member has a default, so callers may name
// only what they set). Pointers may be null: no style or no template chosen.
struct ButtonBarRequest {
  std::string master_folder{};  // a full path ending in a backslash
  const ButtonStyle* style = nullptr;
  const ButtonBarTemplate* bar_template = nullptr;
  std::string component_name{};  // the applet the bar drives
  std::string web_url{};
  std::string page_url{};
  bool absolute_reference = false;
  bool disk_web = false;
  bool server_preview = false;
  platform::LocalTime time{};  // makes "#applet_name#" unique
};

// The bar, or the message (caption kButtonBarErrorCaption) that says why
// there is none.
struct ButtonBarHtml {
  bool ok = false;
  std::string html;
  // Files of the style folder the bar shows, each once, in the order the
  // style names them: the values holding "." whose placeholder occurs,
  // except those that are not one plain file name.
  std::vector<std::string> uploads;
  std::string error;
};

// Fills the template's "template" section with the style's "info" keys, the
// file path, the component name and the bot's name. Both files are read
// again, so a style or template changed since loading is used as it is now.
ButtonBarHtml GenerateButtonBarHtml(const ButtonBarRequest& request);

}  // namespace bots_s3
