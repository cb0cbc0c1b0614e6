// What the Win32 backend needs to make rich-text boxes: the window class of
// RichEdit 1.0 (its library loaded on first use) and the first settings of
// each box.
#pragma once

#include "platform/win32/windows_include.h"

namespace ui::win32 {

// "RICHEDIT", after loading riched32.dll.
const wchar_t* RichEditClassName();
// Event mask, text limit and a plain default format.
void PrepareRichEdit(HWND control);

}  // namespace ui::win32
