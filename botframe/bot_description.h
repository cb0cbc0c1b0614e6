// What a bot tells the framework about itself, in named fields: one
// LibraryDescription per bot library (what differs between GMWebbotS3 and
// GMWebbot) and one BotDescription per bot. Shared pages and the edit flow
// read these instead of asking which bot runs.
#pragma once

#include <span>

namespace botframe {

struct LibraryDescription {
  const char* name;     // "GMWebbotS3", "GMWebbot"; also the caption of its own messages
  const char* version;  // written as "version" on confirm
  // ProgIDs tried, in order, for the FrontPage Explorer.
  std::span<const char* const> explorer_prog_ids;
  // What closes the opening applet tag after its attributes.
  const char* applet_tag_close;
  // The "Could not get Web URL from FP Explorer." message ends with its full stop.
  bool web_url_message_full_stop;
  // The sheet refuses OK on a page that was never saved.
  bool refuse_ok_on_unsaved_page;
  // The attribute holding the applet's name ("java-Name", "java-name").
  const char* applet_name_attribute;
  // true: a letter or "_" first, then letters, digits and "_";
  // false: no space nor any of 27 punctuation characters.
  bool identifier_applet_names;
  // The Background page: whether it has the highlight colour, the default
  // background list index (137 White, 51 Gray), and the caption of "Cannot
  // determine size of image file" (null: the library's name with the
  // warning icon; otherwise shown with the stop icon).
  bool background_highlight_colour;
  int default_background_index;
  const char* image_size_error_caption;
};

inline constexpr const char* kGMWebbotS3ExplorerProgIds[] = {
    "FrontPage.Explorer", "FrontPage.Explorer.3.0", "FrontPage.Explorer.4.0"};
inline constexpr const char* kGMWebbotExplorerProgIds[] = {"FrontPage.Explorer",
                                                           "FrontPage.Explorer.3.0"};

// GMWebbotS3: scroller, presentation, button bar.
inline constexpr LibraryDescription kGMWebbotS3Library{
    .name = "GMWebbotS3",
    .version = "3.0.1",
    .explorer_prog_ids = kGMWebbotS3ExplorerProgIds,
    .applet_tag_close = " >",
    .web_url_message_full_stop = true,
    .refuse_ok_on_unsaved_page = true,
    .applet_name_attribute = "java-Name",
    .identifier_applet_names = true,
    .background_highlight_colour = true,
    .default_background_index = 137,
    .image_size_error_caption = nullptr,
};

// GMWebbot: text effects, image effects.
inline constexpr LibraryDescription kGMWebbotLibrary{
    .name = "GMWebbot",
    .version = "2, 0, 0, 2",
    .explorer_prog_ids = kGMWebbotExplorerProgIds,
    .applet_tag_close = ">",
    .web_url_message_full_stop = false,
    .refuse_ok_on_unsaved_page = false,
    .applet_name_attribute = "java-name",
    .identifier_applet_names = false,
    .background_highlight_colour = false,
    .default_background_index = 51,
    .image_size_error_caption = "Error!!!",
};

struct BotDescription {
  const LibraryDescription& library;
  const char* sheet_title;     // "Glintmere Java Effects - Scroller Applet"
  const char* applet_code;     // "java-code": "KelScroll", "KelText.class"
  const char* class_file;      // "KelScroll.class"
  const char* logo;            // "QFXLogoSA.gif"
  // A shared class the applet loads besides its own ("EffectsFilter.class"),
  // or null: it gets a working copy and is published after the class file.
  const char* shared_class = nullptr;
  // Two letters before default applet names and help topics ("SA").
  const char* prefix;
  const char* component_name;  // the About page's "Glintmere Scroller Applet"
  // The sheet is owned by the foreground window (true) or by nobody.
  bool sheet_owned_by_foreground = false;
};

}  // namespace botframe
