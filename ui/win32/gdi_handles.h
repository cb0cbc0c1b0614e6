// Owners of the GDI and user-interface handles the Win32 backend creates:
// fonts, brushes, pens, bitmaps, memory DCs, icons, image lists and windows,
// each released with its own function, plus a scope that restores the object
// a DC had selected.
#pragma once

#include "platform/win32/windows_include.h"

#include "ui/win32/common_controls.h"

#include <utility>

#include "platform/win32/unique_handle.h"

namespace ui::win32 {

struct gdi_object_traits {
  using type = HGDIOBJ;
  static type invalid() { return nullptr; }
  static void close(type handle) { ::DeleteObject(handle); }
};

struct memory_dc_traits {
  using type = HDC;
  static type invalid() { return nullptr; }
  static void close(type handle) { ::DeleteDC(handle); }
};

struct icon_traits {
  using type = HICON;
  static type invalid() { return nullptr; }
  static void close(type handle) { ::DestroyIcon(handle); }
};

struct image_list_traits {
  using type = HIMAGELIST;
  static type invalid() { return nullptr; }
  static void close(type handle) { ::ImageList_Destroy(handle); }
};

struct window_traits {
  using type = HWND;
  static type invalid() { return nullptr; }
  static void close(type handle) {
    if (::IsWindow(handle)) ::DestroyWindow(handle);
  }
};

// A font, brush, pen or bitmap (DeleteObject).
using unique_gdi = platform::win32::unique_handle<gdi_object_traits>;
// A DC made with CreateCompatibleDC (DeleteDC).
using unique_memory_dc = platform::win32::unique_handle<memory_dc_traits>;
// An icon made with CreateIconIndirect or CopyIcon, not a shared one.
using unique_icon = platform::win32::unique_handle<icon_traits>;
using unique_image_list = platform::win32::unique_handle<image_list_traits>;
// A window this code created and must destroy (a tooltip control).
using unique_window = platform::win32::unique_handle<window_traits>;

// The DC of a window (GetDC), released with the window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back at the end of
// the scope, so no object is deleted while still selected.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
  ~ScopedSelect() {
    if (previous_) ::SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace ui::win32
