// Pictures the Win32 backend draws itself: the items of colour lists, the
// glyphs of bitmap buttons and the built-in row icons of list-views.
#pragma once

#include "platform/win32/windows_include.h"

#include <optional>
#include <string>
#include <vector>

#include "ui/dialog_window.h"
#include "ui/win32/gdi_handles.h"

namespace ui::win32 {

// Height in pixels of a colour list item for the dialog's font.
int ColourItemHeight(HWND dialog);

// Draws one colour list item: the background (highlight when selected), a
// swatch 26 pixels wide inset by 2 when the item has a colour, the name from
// 30 pixels (or from the left edge without a swatch), vertically centred,
// and a focus rectangle inset by 2 on the focused item.
void DrawColourItem(const DRAWITEMSTRUCT& item, const std::string& text,
                    std::optional<Colour> swatch);

// Draws an owner-drawn push button with a glyph chosen by its name ("Up one
// level" a folder with an arrow, "Explore local drives" a drive, names
// starting with "Up" or "Down" an arrow); other names are drawn as text.
// look: 0 off, 1 on (drawn pressed in), 2 mixed (pressed in over a pattern).
// The one-letter format buttons show their letter in its own style: "B" bold,
// "I" italic, "U" underlined, "H" as a link.
void DrawBitmapButton(const DRAWITEMSTRUCT& item, const std::string& name, int look = 0);

// A 16x16 image list with one icon per name, in order: "image", "sound",
// "page", "folder"; any other name gets a plain file icon. Null when the
// list cannot be made.
unique_image_list MakeRowIcons(const std::vector<std::string>& names);

}  // namespace ui::win32
