// The "GlintmerePicture" window class: a child window that shows an image
// file (GIF, JPEG, BMP) scaled to fit, for the dialogs of the Win32 backend.
#pragma once

#include "platform/win32/windows_include.h"

#include <string>

namespace ui::win32 {

// The class name dialog templates use for a picture control.
inline constexpr char kPictureClassName[] = "GlintmerePicture";

// Window styles of the class. By default the image is scaled to fit.
// kPictureActualSize: the image keeps its own pixel size and is centred
// (an image larger than the window starts at its top left corner and is
// cut at the far edges). kPictureMissingMark: while the window shows no
// image, it shows a small mark that says a picture is missing.
inline constexpr DWORD kPictureActualSize = 0x0001;
inline constexpr DWORD kPictureMissingMark = 0x0002;

// Registers the class in the module this code is linked into; windows of it
// must be created with that module's instance handle. Safe to call again.
// False only when the class cannot be registered.
bool RegisterPictureClass();

// Loads the image at an ANSI path and shows it, as large as fits, centred,
// in its own proportions, on the background of the dialog. False, and the
// window left empty, when the file cannot be read or decoded, or the window
// is not a picture window of this module and thread.
bool PictureLoad(HWND picture_window, const std::string& path);

// Empties the window.
void PictureClear(HWND picture_window);

// The pixel size of the image shown. False, with zeros, when none is.
// Either pointer may be null.
bool PictureSize(HWND picture_window, int* width, int* height);

}  // namespace ui::win32
