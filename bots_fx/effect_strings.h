// The strings the text effects and image effects applets show: one entry per
// string (text, font, colours, character effect, alignment, motions, timings,
// sounds), the keyword tables behind their lists, and how entries are read
// from, written to and removed from a component's attributes and handed to
// the applet as param tags. The two bots differ only in what their
// StringsVariant says.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/keyword_table.h"
#include "botframe/attributes.h"
#include "botframe/named_colours.h"

namespace bots_fx {

// The shared lists: font styles, horizontal and vertical alignments, and the
// font faces the Font list offers.
extern const base::KeywordTable kStringStyles;
extern const base::KeywordTable kHorizontalAlignments;
extern const base::KeywordTable kVerticalAlignments;
extern const std::array<const char*, 6> kStringFonts;

// The most strings a component holds; a larger stored count reads as this.
inline constexpr int kMostStrings = 1000;
// The page's number boxes take this many characters; a stored number they
// could not show reads as its field's default.
inline constexpr int kNumberChars = 9;
// The shadow offsets run from -kMostShadowOffset to kMostShadowOffset.
inline constexpr int kMostShadowOffset = 5;
// The font colour list: "Default", "Custom...", then the named colours (its
// indexes are named colour table indexes). The shadow colour list lacks
// "Default" (its indexes are table indexes less one).
inline constexpr int kDefaultColour = 0;
inline constexpr int kCustomFontColour = 1;
inline constexpr int kCustomShadowColour = 0;

// One string of the list, as the page edits it and the attributes store it.
struct StringEntry {
  std::string text = "Put your String Here";
  int font_size = 16;
  std::string font_face = "Helvetica";
  int style = 0;           // kStringStyles
  int effect = 0;          // the variant's effects
  int shadow_colour = 51;  // shadow colour list index ("Gray")
  int shadow_x = 2;        // -5 ... 5
  int shadow_y = 2;
  int align_x = 0;  // kHorizontalAlignments
  int align_x_offset = 0;
  int align_y = 0;  // kVerticalAlignments
  int align_y_offset = 0;
  std::array<int, 4> colours{9, 0, 0, 0};  // font colour list indexes ("Black")
  int colour_delay = 80;
  int entry_motion = 0;  // the variant's motions
  int entry_steps = 20;
  int entry_delay = 100;
  std::string entry_sound = "(None)";
  int exit_motion = 0;
  int exit_steps = 20;
  int exit_delay = 100;
  std::string exit_sound = "(None)";
  int hold_time = 1000;
  int run_delay = 0;
  std::array<botframe::Rgb, 4> custom_colours{};
  botframe::Rgb custom_shadow{};

  bool operator==(const StringEntry&) const = default;
};

// What differs between the text bot's strings and the image bot's.
struct StringsVariant {
  base::KeywordTable effects;
  base::KeywordTable motions;
  // Font colours of an entry: 4 animated ones ("Colors%d"), or 1 written
  // into "Font%d".
  int colour_count;
  // Entry and exit carry a number of animation steps.
  bool steps;
  // "param-UsesStrings" switches the strings on and off.
  bool switchable;
  // New and Remove check the page's number boxes first.
  bool checks_new_and_remove;
};

extern const StringsVariant kTextStrings;
extern const StringsVariant kImageStrings;

// The number of entries "param-TextCount" stores, bounded by the attributes
// there are and by kMostStrings; 0 when absent or no number.
int StoredStringCount(const botframe::Attributes& attributes);

// Entry index (1-based) as stored: text and face as strings (absent: empty),
// numbers as their decimal value (absent: 0), where a number outside its
// field's range (an index beyond its table, a negative time, an offset
// beyond +-5) gives the field's default; custom colours only where the
// index says "Custom..."; sounds as the text after the last "/", "(None)"
// when absent or "none" in any case.
StringEntry ReadStringEntry(const botframe::Attributes& attributes, const StringsVariant& variant,
                            int index);

// Removes the entry and exit sound attributes of entries 1 ... count whose
// value is "none" (any case).
void DropNoSounds(botframe::Attributes& attributes, int count);

// Sets the attributes of entry index in the variant's order; the sounds get
// code_base before the file name. Optional attributes the entry does not
// have (sounds, custom colours) are removed.
void WriteStringEntry(botframe::Attributes& attributes, const StringsVariant& variant, int index,
                      const StringEntry& entry, const std::string& code_base);

// Removes every attribute entry index may have, of either variant.
void RemoveStringEntry(botframe::Attributes& attributes, int index);

// The applet's param tags of the strings, read back from the attributes:
// "TextCount" then, per entry, "Text%d", "Font%d", "SoundEffect%d",
// "MotionEffect%d" and (four colours) "Colors%d". A switchable variant
// switched off ("param-UsesStrings" starting with "0") writes one string of
// a single space.
void WriteStringParams(std::string& out, botframe::Attributes& attributes,
                       const StringsVariant& variant);

}  // namespace bots_fx
