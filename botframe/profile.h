// What differs between the two bot libraries that share this framework
// (GMWebbotS3: scroller, presentation, button bar; GMWebbot: text and image
// effects). Each library selects its profile once; the framework reads it
// wherever the libraries differ.
#pragma once

#include <span>

namespace botframe {

struct LibraryProfile {
  const char* library_name;  // "GMWebbotS3", "GMWebbot"
  // The attribute format version written as "version" on confirm.
  const char* version;
  // ProgIDs tried, in order, for the FrontPage Explorer.
  std::span<const char* const> explorer_prog_ids;
  // What closes the opening applet tag after its attributes.
  const char* applet_tag_close;
  // The "Could not get Web URL from FP Explorer." message ends with its full stop.
  bool web_url_message_full_stop;
  // The sheet refuses OK on a page that was never saved.
  bool refuse_ok_on_unsaved_page;
  // The Applet page: the attribute of the applet's name, the "java-code"
  // value and the default name's prefix of bot kinds 1 and 2, and which
  // naming rule it checks.
  const char* applet_name_attribute;
  const char* applet_codes[2];
  const char* name_prefixes[2];
  // true: a letter or "_" first, then letters, digits and "_" (GMWebbotS3);
  // false: no space nor any of 27 punctuation characters (GMWebbot).
  bool identifier_applet_names;
  // The About page's component names of bot kinds 1 and 2.
  const char* component_names[2];
  // The first entry of the named colours ("None" or "Default").
  const char* no_colour_name;
  // The Background page: whether it has the highlight colour, the default
  // background list index (137 White, 51 Gray), and the caption of
  // "Cannot determine size of image file" (null: the program's name, with
  // the warning icon; otherwise shown with the stop icon).
  bool highlight_colour;
  int default_background_index;
  const char* image_size_error_caption;
};

// GMWebbotS3.
const LibraryProfile& S3Profile();
// GMWebbot.
const LibraryProfile& FxProfile();

// The profile of this library (S3Profile() until a library selects another).
const LibraryProfile& Profile();
void SetProfile(const LibraryProfile& profile);

}  // namespace botframe
