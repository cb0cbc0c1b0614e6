// Pictures of real windows for the Win32 backend's tests: the pixels of a
// window as it is on the screen, or of what a WM_DRAWITEM drew into a
// memory DC, and 24-bit BMP files of them under the build folder's
// screenshots/ (scripts/test turns them into PNG). Windows only.
#pragma once

#if defined(_WIN32)

#include "platform/win32/windows_include.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ui_test {

// 24-bit pixels, top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bgr;  // 3 bytes a pixel, rows of width * 3 bytes

  COLORREF At(int x, int y) const;
  // How many different colours the picture has (a blank one has 1).
  size_t ColourCount() const;
};

// The window, frame included, as the screen shows it.
Image CaptureWindow(HWND window);

// A bitmap to draw on: a memory DC with a 24-bit DIB of the given size,
// filled with `background`.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF background);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  Image Pixels() const;

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};

// Writes the image as a 24-bit BMP to <test program folder>/../../screenshots/
// <name>.bmp (build/<preset>/screenshots); the path, or "" on failure.
std::string SaveScreenshot(const Image& image, const std::string& name);

}  // namespace ui_test

#endif
