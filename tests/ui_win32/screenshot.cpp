// Window captures and BMP files for the Win32 backend's tests.
#if defined(_WIN32)

#include "tests/ui_win32/screenshot.h"

#include <cstdio>
#include <cstring>
#include <set>

namespace ui_test {
namespace {

int Stride(int width) { return (width * 3 + 3) & ~3; }

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

Image FromDib(const void* bits, int width, int height) {
  Image image;
  image.width = width;
  image.height = height;
  image.bgr.resize(static_cast<size_t>(width) * height * 3);
  const auto* rows = static_cast<const uint8_t*>(bits);
  for (int y = 0; y < height; ++y) {
    std::memcpy(&image.bgr[static_cast<size_t>(y) * width * 3],
                rows + static_cast<size_t>(y) * Stride(width), static_cast<size_t>(width) * 3);
  }
  return image;
}

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  const size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

}  // namespace

COLORREF Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  const size_t at = (static_cast<size_t>(y) * width + x) * 3;
  return RGB(bgr[at + 2], bgr[at + 1], bgr[at]);
}

size_t Image::ColourCount() const {
  std::set<uint32_t> colours;
  for (size_t at = 0; at + 2 < bgr.size(); at += 3) {
    colours.insert(bgr[at] | (bgr[at + 1] << 8) | (bgr[at + 2] << 16));
  }
  return colours.size();
}

Canvas::Canvas(int width, int height, COLORREF background) : width_(width), height_(height) {
  BITMAPINFO info = TopDownInfo(width, height);
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  previous_ = SelectObject(dc_, bitmap_);
  HBRUSH brush = CreateSolidBrush(background);
  RECT all{0, 0, width, height};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

Canvas::~Canvas() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

Image Canvas::Pixels() const {
  GdiFlush();
  return bits_ ? FromDib(bits_, width_, height_) : Image{};
}

Image CaptureWindow(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  if (width <= 0 || height <= 0) return Image{};
  Canvas canvas(width, height, RGB(255, 0, 255));
  HDC window_dc = GetWindowDC(window);
  BitBlt(canvas.dc(), 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
  ReleaseDC(window, window_dc);
  return canvas.Pixels();
}

std::string SaveScreenshot(const Image& image, const std::string& name) {
  if (image.width <= 0 || image.height <= 0) return std::string();
  const std::string folder = ProgramFolder() + "\\..\\..\\screenshots";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\" + name + ".bmp";
  const int stride = Stride(image.width);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = image.width;
  header.biHeight = image.height;  // bottom row first, as BMP files usually are
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride) * image.height;
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return std::string();
  bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                 std::fwrite(&header, sizeof header, 1, out) == 1;
  std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
  for (int y = image.height - 1; written && y >= 0; --y) {
    std::memcpy(row.data(), &image.bgr[static_cast<size_t>(y) * image.width * 3],
                static_cast<size_t>(image.width) * 3);
    written = std::fwrite(row.data(), row.size(), 1, out) == 1;
  }
  written = std::fclose(out) == 0 && written;
  return written ? path : std::string();
}

}  // namespace ui_test

#endif
