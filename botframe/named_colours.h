// The named colour table and the colour lists built from it: "None" (or
// "Default"), "Custom..." and 140 named colours, shown as owner-drawn lists
// with a swatch before each name. Colours are written into attributes as six
// lower-case hexadecimal digits, red, green, blue.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/colour.h"
#include "ui/controls.h"
#include "ui/message_box.h"

namespace botframe {

// A colour as 0xRRGGBB.
using Rgb = base::RgbColour;

// Marker values of the first two table entries.
inline constexpr int32_t kNoColour = -1;      // "None" / "Default"
inline constexpr int32_t kCustomColour = -2;  // "Custom..."

struct NamedColour {
  const char* name;
  int32_t value;  // 0xRRGGBB, or one of the markers
};

// Number of table entries: the two markers and the 140 names.
inline constexpr int kNamedColourCount = 142;
// Table index of "Custom..." and of the first named colour.
inline constexpr int kCustomColourIndex = 1;

// The table in list order. Entry 0 is "None"; a list may show it under
// another name ("Default" in GMWebbot).
std::span<const NamedColour> NamedColours();
const char* NamedColourName(int table_index);

// "%02x%02x%02x" of red, green and blue.
std::string FormatRgb(Rgb colour);
// Three two-digit hexadecimal numbers, red, green, blue ("ff8000"); false
// (and *colour unchanged) for anything else.
bool ParseRgb(std::string_view text, Rgb* colour);

// A colour list of a page: the list control plus the custom colour behind
// its "Custom..." entry and the selection to go back to when the colour
// dialog is cancelled.
class ColourListState {
 public:
  // none_name: the list starts with the "None" entry shown under that name
  // ("None", "Default"), so list indexes equal table indexes. Null: the list
  // has no such entry, and list indexes are table indexes less one.
  explicit ColourListState(const char* none_name = nullptr)
      : with_none_(none_name != nullptr), none_name_(none_name ? none_name : "None") {}

  bool with_none() const { return with_none_; }
  int TableIndex(int list_index) const { return with_none_ ? list_index : list_index + 1; }
  int ListIndex(int table_index) const { return with_none_ ? table_index : table_index - 1; }

  Rgb custom_colour() const { return custom_; }
  void set_custom_colour(Rgb colour) { custom_ = colour; }

  // The colour of a list index: the table's, the custom colour for
  // "Custom...", kNoColour for "None".
  int32_t ColourOf(int list_index) const;

  // Adds the entries, each carrying its colour, and selects list_index.
  void Fill(ui::ListControl list, int list_index);
  // The selection changed to the list's current item. On "Custom..." the
  // colour dialog opens at the custom colour: OK keeps it as the new custom
  // colour, Cancel selects the previous item again. Returns the list index
  // now selected.
  int OnSelectionChanged(ui::ListControl list, ui::WindowHandle owner);
  // Selects list_index for the program (no colour dialog), which Cancel
  // in the colour dialog then goes back to.
  void Select(ui::ListControl list, int list_index);

 private:
  bool with_none_ = false;
  const char* none_name_ = "None";
  Rgb custom_{0xFFFFFF};
  int previous_ = -1;
};

}  // namespace botframe
