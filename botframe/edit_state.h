// The edit-run state: what the current edit call of a bot knows about
// FrontPage, the page, the web, the local folders and what is being
// published. One per edit call, held by its EditContext (edit_context.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/colour.h"
#include "ui/message_box.h"

namespace botframe {

// Kinds of files in the missing-file list.
inline constexpr int kMissingImage = 0;
inline constexpr int kMissingSound = 1;

// A file the attributes refer to that neither local folder holds.
struct MissingEntry {
  std::string panel;      // name of the page that refers to the file
  std::string file_name;
  int kind = kMissingImage;
  bool found_on_web = false;  // later the user's choice to download it
};

struct EditRunState {
  ui::WindowHandle parent_window = nullptr;
  std::string page_url;
  std::string web_url;  // normalised, without a trailing "/"
  bool disk_web = false;
  bool unsaved = false;
  bool force_overwrite = false;
  bool absolute_reference = false;
  // Folders, each empty or a full path ending in a backslash.
  std::string module_folder;
  std::string master_folder;
  std::string user_data_folder;
  std::string install_folder;
  std::string common_folder;
  std::vector<MissingEntry> missing_files;
  std::vector<std::string> temporary_copies;  // no duplicates
  base::BgrColour background_colour{};        // as Windows keeps RGB values
};

}  // namespace botframe
