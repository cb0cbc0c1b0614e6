// The named colour table and the colour lists.
#include "botframe/named_colours.h"

#include "base/text.h"
#include "ui/backend.h"

namespace botframe {
namespace {

constexpr NamedColour kTable[kNamedColourCount] = {
    {"None", kNoColour},
    {"Custom...", kCustomColour},
    {"Alice Blue", 0xF0F8FF},
    {"Antique White", 0xFAEBD7},
    {"Aqua", 0x00FFFF},
    {"Aquamarine", 0x7FFFD4},
    {"Azure", 0xF0FFFF},
    {"Beige", 0xF5F5DC},
    {"Bisque", 0xFFE4C4},
    {"Black", 0x000000},
    {"Blanched Almond", 0xFFEBCD},
    {"Blue", 0x0000FF},
    {"Blue Violet", 0x8A2BE2},
    {"Brown", 0xA52A2A},
    {"Burlywood", 0xDEB887},
    {"Cadet Blue", 0x5F9EA0},
    {"Chartreuse", 0x7FFF00},
    {"Chocolate", 0xD2691E},
    {"Coral", 0xFF7F50},
    {"Cornflower Blue", 0x6495ED},
    {"Cornsilk", 0xFFF8DC},
    {"Crimson", 0xDC143C},
    {"Cyan", 0x00FFFF},
    {"Dark Blue", 0x00008B},
    {"Dark Cyan", 0x008B8B},
    {"Dark Goldenrod", 0xB8860B},
    {"Dark Gray", 0xA9A9A9},
    {"Dark Green", 0x006400},
    {"Dark Mhaki", 0xBDB76B},
    {"Dark Magenta", 0x8B008B},
    {"Dark Olivegreen", 0x556B2F},
    {"Dark Orange", 0xFF8C00},
    {"Dark Orchid", 0x9932CC},
    {"Dark Red", 0x8B0000},
    {"Dark Salmon", 0xE9967A},
    {"Dark Sea Green", 0x8FBC8F},
    {"Dark Slate Blue", 0x483D8B},
    {"Dark Slate Gray", 0x2F4F4F},
    {"Dark Turquoise", 0x00CED1},
    {"Dark Violet", 0x9400D3},
    {"Deep Pink", 0xFF1493},
    {"Deep Skyblue", 0x00BFFF},
    {"Dim Gray", 0x696969},
    {"Dodger Blue", 0x1E90FF},
    {"Firebrick", 0xB22222},
    {"Floral White", 0xFFFAF0},
    {"Forest Green", 0x228B22},
    {"Fuchsia", 0xFF00FF},
    {"Gainsboro", 0xDCDCDC},
    {"Ghost White", 0xF8F8FF},
    {"Gold", 0xFFD700},
    {"Goldenrod", 0xDAA520},
    {"Gray", 0x808080},
    {"Green", 0x008000},
    {"Green Yellow", 0xADFF2F},
    {"Honeydew", 0xF0FFF0},
    {"Hot Pink", 0xFF69B4},
    {"Indian Red", 0xCD5C5C},
    {"Indigo", 0x4B0082},
    {"Ivory", 0xFFFFF0},
    {"Khaki", 0xF0E68C},
    {"Lavender", 0xE6E6FA},
    {"Lavender Blush", 0xFFF0F5},
    {"Lawn Green", 0x7CFC00},
    {"Lemon Chiffon", 0xFFFACD},
    {"Light Blue", 0xADD8E6},
    {"Light Coral", 0xF08080},
    {"Light Cyan", 0xE0FFFF},
    {"Light Goldenrod Yellow", 0xFAFAD2},
    {"Light Green", 0x90EE90},
    {"Light Grey", 0xD3D3D3},
    {"Light Pink", 0xFFB6C1},
    {"Light Salmon", 0xFFA07A},
    {"Light Sea Green", 0x20B2AA},
    {"Light Skyblue", 0x87CEFA},
    {"Light Slate Gray", 0x778899},
    {"Light Steelblue", 0xB0C4DE},
    {"Light Yellow", 0xFFFFE0},
    {"Lime", 0x00FF00},
    {"Lime Green", 0x32CD32},
    {"Linen", 0xFAF0E6},
    {"Magenta", 0xFF00FF},
    {"Maroon", 0x800000},
    {"Medium Aquamarine", 0x66CDAA},
    {"Medium Blue", 0x0000CD},
    {"Medium Orchid", 0xBA55D3},
    {"Medium Purple", 0x9370DB},
    {"Medium Sea Green", 0x3CB371},
    {"Medium Slate Blue", 0x7B68EE},
    {"Medium Spring Green", 0x00FA9A},
    {"Medium Turquoise", 0x48D1CC},
    {"Medium Violet Red", 0xC71585},
    {"Midnight Blue", 0x191970},
    {"Mint Cream", 0xF5FFFA},
    {"Misty Rose", 0xFFE4E1},
    {"Moccasin", 0xFFE4B5},
    {"Navajo White", 0xFFDEAD},
    {"Navy", 0x000080},
    {"Old Lace", 0xFDF5E6},
    {"Olive", 0x808000},
    {"Olive Drab", 0x6B8E23},
    {"Orange", 0xFFA500},
    {"Orange Red", 0xFF4500},
    {"Orchid", 0xDA70D6},
    {"Pale Goldenrod", 0xEEE8AA},
    {"Pale Green", 0x98FB98},
    {"Pale Turquoise", 0xAFEEEE},
    {"Pale Violet Red", 0xDB7093},
    {"Papaya Whip", 0xFFEFD5},
    {"Peach Puff", 0xFFDAB9},
    {"Peru", 0xCD853F},
    {"Pink", 0xFFC0CB},
    {"Plum", 0xDDA0DD},
    {"Powder Blue", 0xB0E0E6},
    {"Purple", 0x800080},
    {"Red", 0xFF0000},
    {"Rosy Brown", 0xBC8F8F},
    {"Royal Blue", 0x4169E1},
    {"Saddle Brown", 0x8B4513},
    {"Salmon", 0xFA8072},
    {"Sandy Brown", 0xF4A460},
    {"Sea Green", 0x2E8B57},
    {"Seashell", 0xFFF5EE},
    {"Sienna", 0xA0522D},
    {"Silver", 0xC0C0C0},
    {"Sky Blue", 0x87CEEB},
    {"Slate Blue", 0x6A5ACD},
    {"Slate Gray", 0x708090},
    {"Snow", 0xFFFAFA},
    {"Spring Green", 0x00FF7F},
    {"Steel Blue", 0x4682B4},
    {"Tan", 0xD2B48C},
    {"Teal", 0x008080},
    {"Thistle", 0xD8BFD8},
    {"Tomato", 0xFF6347},
    {"Turquoise", 0x40E0D0},
    {"Violet", 0xEE82EE},
    {"Wheat", 0xF5DEB3},
    {"White", 0xFFFFFF},
    {"White Smoke", 0xF5F5F5},
    {"Yellow", 0xFFFF00},
    {"Yellow Green", 0x9ACD32},
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::span<const NamedColour> NamedColours() { return kTable; }

const char* NamedColourName(int table_index) {
  if (table_index < 0 || table_index >= kNamedColourCount) return "";
  return kTable[table_index].name;
}

std::string FormatRgb(Rgb colour) {
  return base::Format("%02x%02x%02x", colour.red(), colour.green(), colour.blue());
}

bool ParseRgb(std::string_view text, Rgb* colour) {
  if (text.size() != 6) return false;
  uint32_t value = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return false;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  *colour = Rgb(value);
  return true;
}

int32_t ColourListState::ColourOf(int list_index) const {
  const int table_index = TableIndex(list_index);
  if (table_index < 0 || table_index >= kNamedColourCount) return kNoColour;
  if (table_index == kCustomColourIndex) return static_cast<int32_t>(custom_.value());
  return kTable[table_index].value;
}

void ColourListState::Fill(ui::ListControl list, int list_index) {
  list.Clear();
  for (int table_index = with_none_ ? 0 : 1; table_index < kNamedColourCount; ++table_index) {
    const int32_t value = kTable[table_index].value;
    const int item =
        list.Add(table_index == 0 ? none_name_ : NamedColourName(table_index), value);
    if (value >= 0) list.SetItemColour(item, base::ToBgr(Rgb(static_cast<uint32_t>(value))));
    if (table_index == kCustomColourIndex) list.SetItemColour(item, base::ToBgr(custom_));
  }
  list.Select(list_index);
  previous_ = list_index;
}

void ColourListState::Select(ui::ListControl list, int list_index) {
  list.Select(list_index);
  previous_ = list_index;
}

int ColourListState::OnSelectionChanged(ui::ListControl list, ui::WindowHandle owner) {
  const int selected = list.Selection();
  if (TableIndex(selected) == kCustomColourIndex) {
    ui::Colour chosen = base::ToBgr(custom_);
    if (!ui::GetUiBackend().ChooseColour(owner, &chosen)) {
      list.Select(previous_);
      return previous_;
    }
    custom_ = base::ToRgb(chosen);
    list.SetItemColour(selected, chosen);
  }
  previous_ = selected;
  return selected;
}

}  // namespace botframe
