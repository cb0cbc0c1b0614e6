// Picture windows: an image file decoded by OLE (OleLoadPicture over the
// file's bytes) and drawn with IPicture::Render, scaled to fit.
//
// The file is read here rather than named to OleLoadPicturePath: that takes
// URLs as well as paths and would fetch a remote one through urlmon, wants
// UTF-16 absolute paths, and reads files of any size. Reading the bytes
// keeps the control to local files, with a size limit, behaving the same on
// Windows and Wine.
#include "ui/win32/picture_control.h"

#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>

#include "platform/win32/com_util.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/module_class.h"

namespace ui::win32 {
namespace {

using platform::win32::com_ptr;
using platform::win32::unique_hfile;

// Larger files are refused unread: the product's images are a few
// kilobytes, and the whole file is held in memory while it decodes.
constexpr LONGLONG kMaxPictureBytes = 64LL * 1024 * 1024;

struct global_memory_traits {
  using type = HGLOBAL;
  static type invalid() { return nullptr; }
  static void close(type memory) { GlobalFree(memory); }
};
using unique_hglobal = platform::win32::unique_handle<global_memory_traits>;

// What a picture window owns, kept in its extra window bytes from
// WM_NCCREATE to WM_NCDESTROY.
struct PictureState {
  // The decoders behind OleLoadPicture are COM objects themselves.
  ScopedApartment apartment{false};
  com_ptr<IPicture> picture;
  int width = 0;
  int height = 0;

  void Clear() {
    picture.reset();
    width = 0;
    height = 0;
  }
};

class BeginPaintScope {
 public:
  explicit BeginPaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~BeginPaintScope() { EndPaint(window_, &paint_); }
  BeginPaintScope(const BeginPaintScope&) = delete;
  BeginPaintScope& operator=(const BeginPaintScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Restores a device context's state, whatever drawing changed on it.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// The whole file as a stream over movable memory, or null when it cannot
// be read whole. *size gets its length.
com_ptr<IStream> ReadFileStream(const std::string& path, LONG* size) {
  unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  LARGE_INTEGER length{};
  if (!GetFileSizeEx(file.get(), &length) || length.QuadPart <= 0 ||
      length.QuadPart > kMaxPictureBytes) {
    return {};
  }
  const auto bytes = static_cast<DWORD>(length.QuadPart);
  unique_hglobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return {};
  void* data = GlobalLock(memory.get());
  if (!data) return {};
  DWORD read = 0;
  const BOOL read_ok = ReadFile(file.get(), data, bytes, &read, nullptr);
  GlobalUnlock(memory.get());
  if (!read_ok || read != bytes) return {};
  com_ptr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory.get(), TRUE, stream.put()))) return {};
  memory.release();  // the stream frees it now
  *size = static_cast<LONG>(bytes);
  return stream;
}

// The picture's size in pixels; false when it has none.
bool PixelSize(IPicture* picture, int* width, int* height) {
  SHORT type = PICTYPE_UNINITIALIZED;
  if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP) {
    // A bitmap knows its pixels exactly; its HIMETRIC size is rounded.
    OLE_HANDLE handle = 0;
    BITMAP bitmap{};
    if (FAILED(picture->get_Handle(&handle))) return false;
    // GDI handles are 32-bit values, sign-extended on 64-bit Windows.
    const auto bitmap_handle =
        reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
    if (GetObjectA(bitmap_handle, sizeof(bitmap), &bitmap) != sizeof(bitmap)) return false;
    *width = bitmap.bmWidth;
    *height = std::abs(bitmap.bmHeight);
  } else {
    // Icons and metafiles: their HIMETRIC size at the screen's resolution.
    OLE_XSIZE_HIMETRIC himetric_width = 0;
    OLE_YSIZE_HIMETRIC himetric_height = 0;
    if (FAILED(picture->get_Width(&himetric_width)) ||
        FAILED(picture->get_Height(&himetric_height))) {
      return false;
    }
    int dpi_x = 96;
    int dpi_y = 96;
    if (HDC screen = GetDC(nullptr)) {
      dpi_x = GetDeviceCaps(screen, LOGPIXELSX);
      dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
      ReleaseDC(nullptr, screen);
    }
    *width = MulDiv(himetric_width, dpi_x, 2540);
    *height = MulDiv(himetric_height, dpi_y, 2540);
  }
  return *width > 0 && *height > 0;
}

// The largest rectangle of the image's proportions inside box, centred.
RECT FitInto(const RECT& box, int image_width, int image_height) {
  const int64_t box_width = box.right - box.left;
  const int64_t box_height = box.bottom - box.top;
  if (box_width <= 0 || box_height <= 0 || image_width <= 0 || image_height <= 0) return {};
  int64_t width = box_width;
  int64_t height = box_height;
  // Compare the proportions as cross products: no rounding, no overflow.
  if (image_width * box_height > image_height * box_width) {
    height = (image_height * box_width + image_width / 2) / image_width;
  } else {
    width = (image_width * box_height + image_height / 2) / image_height;
  }
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  RECT fitted;
  fitted.left = box.left + static_cast<LONG>((box_width - width) / 2);
  fitted.top = box.top + static_cast<LONG>((box_height - height) / 2);
  fitted.right = fitted.left + static_cast<LONG>(width);
  fitted.bottom = fitted.top + static_cast<LONG>(height);
  return fitted;
}

// The brush a static control would get from its dialog: the parent's
// answer to WM_CTLCOLORSTATIC, the button face where it gives none.
HBRUSH BackgroundBrush(HWND window, HDC dc) {
  HBRUSH brush = nullptr;
  if (HWND parent = GetParent(window)) {
    brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORSTATIC,
                                                  reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(window)));
  }
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

// The image at its own size, centred in box; an offset below 0 becomes 0,
// so an image larger than the box shows its top left part.
RECT CentreIn(const RECT& box, int image_width, int image_height) {
  RECT placed;
  placed.left = box.left + std::max<LONG>(0, (box.right - box.left - image_width) / 2);
  placed.top = box.top + std::max<LONG>(0, (box.bottom - box.top - image_height) / 2);
  placed.right = placed.left + image_width;
  placed.bottom = placed.top + image_height;
  return placed;
}

// The mark for a missing picture: a sheet with a folded corner and a red
// cross, drawn on light grey, which is its transparent colour.
constexpr int kMarkSize = 24;
constexpr COLORREF kMarkTransparent = RGB(192, 192, 192);

void DrawMissingMark(HDC dc, const RECT& client) {
  HDC mark_dc = CreateCompatibleDC(dc);
  HBITMAP mark = CreateCompatibleBitmap(dc, kMarkSize, kMarkSize);
  if (!mark_dc || !mark) {
    if (mark) DeleteObject(mark);
    if (mark_dc) DeleteDC(mark_dc);
    return;
  }
  HGDIOBJ old_bitmap = SelectObject(mark_dc, mark);
  const RECT all{0, 0, kMarkSize, kMarkSize};
  HBRUSH grey = CreateSolidBrush(kMarkTransparent);
  FillRect(mark_dc, &all, grey);
  DeleteObject(grey);
  HPEN outline = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
  HPEN cross = CreatePen(PS_SOLID, 2, RGB(200, 0, 0));
  HGDIOBJ old_pen = SelectObject(mark_dc, outline);
  HGDIOBJ old_brush = SelectObject(mark_dc, GetStockObject(WHITE_BRUSH));
  const POINT sheet[] = {{4, 2}, {15, 2}, {20, 7}, {20, 21}, {4, 21}};
  Polygon(mark_dc, sheet, 5);
  MoveToEx(mark_dc, 15, 2, nullptr);
  LineTo(mark_dc, 15, 7);
  LineTo(mark_dc, 20, 7);
  SelectObject(mark_dc, cross);
  MoveToEx(mark_dc, 7, 10, nullptr);
  LineTo(mark_dc, 17, 19);
  MoveToEx(mark_dc, 17, 10, nullptr);
  LineTo(mark_dc, 7, 19);
  SelectObject(mark_dc, old_brush);
  SelectObject(mark_dc, old_pen);
  DeleteObject(cross);
  DeleteObject(outline);
  const RECT target = CentreIn(client, kMarkSize, kMarkSize);
  GdiTransparentBlt(dc, target.left, target.top, kMarkSize, kMarkSize, mark_dc, 0, 0, kMarkSize,
                    kMarkSize, kMarkTransparent);
  SelectObject(mark_dc, old_bitmap);
  DeleteObject(mark);
  DeleteDC(mark_dc);
}

void Paint(HWND window, const PictureState* state, HDC dc) {
  if (!dc) return;
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, BackgroundBrush(window, dc));
  const LONG_PTR window_style = GetWindowLongPtrA(window, GWL_STYLE);
  if (!state || !state->picture) {
    if (window_style & kPictureMissingMark) DrawMissingMark(dc, client);
    return;
  }
  OLE_XSIZE_HIMETRIC himetric_width = 0;
  OLE_YSIZE_HIMETRIC himetric_height = 0;
  if (FAILED(state->picture->get_Width(&himetric_width)) ||
      FAILED(state->picture->get_Height(&himetric_height))) {
    return;
  }
  const RECT target = (window_style & kPictureActualSize)
                          ? CentreIn(client, state->width, state->height)
                          : FitInto(client, state->width, state->height);
  if (target.right <= target.left || target.bottom <= target.top) return;
  SavedDcState saved(dc);
  // An image larger than the window stays inside it.
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  // Shrinking with the default mode ANDs dropped pixels into their
  // neighbours and darkens the image.
  SetStretchBltMode(dc, COLORONCOLOR);
  // The source is in HIMETRIC, whose y axis points up: start at the top
  // edge and go down.
  state->picture->Render(dc, target.left, target.top, target.right - target.left,
                         target.bottom - target.top, 0, himetric_height, himetric_width,
                         -himetric_height, nullptr);
}

LRESULT CALLBACK PictureWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The state of a picture window of this module, or null. The picture is a
// COM object of the window's thread, so only that thread may reach it.
PictureState* StateOf(HWND window) {
  return static_cast<PictureState*>(OwnWindowState(window, &PictureWindowProc));
}

LRESULT CALLBACK PictureWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<PictureState*>(GetWindowLongPtrA(window, 0));
  switch (message) {
    case WM_NCCREATE: {
      PictureState* created = new (std::nothrow) PictureState;
      if (!created) return FALSE;
      SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(created));
      break;
    }
    case WM_ERASEBKGND:
      // WM_PAINT covers every pixel; erasing first would only flicker.
      return 1;
    case WM_PAINT:
      // A DC in wParam asks for painting into it, as common controls do.
      if (wparam) {
        Paint(window, state, reinterpret_cast<HDC>(wparam));
      } else {
        BeginPaintScope paint(window);
        Paint(window, state, paint.dc());
      }
      return 0;
    case WM_PRINTCLIENT:
      Paint(window, state, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_DESTROY:
      // The picture goes before the window's apartment does.
      if (state) state->Clear();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, 0, 0);
      delete state;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

bool RegisterPictureClass() {
  WNDCLASSEXA window_class{};
  // The picture is scaled to the window, so any change of size repaints it
  // all.
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = &PictureWindowProc;
  window_class.cbWndExtra = sizeof(PictureState*);
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.lpszClassName = kPictureClassName;
  return RegisterModuleClass(window_class);
}

bool PictureLoad(HWND picture_window, const std::string& path) {
  PictureState* state = StateOf(picture_window);
  if (!state) return false;
  state->Clear();
  InvalidateRect(picture_window, nullptr, FALSE);
  // A path with a null inside would name a different, shorter one.
  if (!state->apartment.usable() || path.empty() || path.find('\0') != std::string::npos) {
    return false;
  }
  LONG size = 0;
  com_ptr<IStream> stream = ReadFileStream(path, &size);
  if (!stream) return false;
  com_ptr<IPicture> picture;
  // TRUE: the picture need not keep the file's bytes once decoded.
  if (FAILED(OleLoadPicture(stream.get(), size, TRUE, IID_IPicture, picture.put_void())) ||
      !picture) {
    return false;
  }
  int width = 0;
  int height = 0;
  if (!PixelSize(picture.get(), &width, &height)) return false;
  state->picture = std::move(picture);
  state->width = width;
  state->height = height;
  return true;
}

void PictureClear(HWND picture_window) {
  PictureState* state = StateOf(picture_window);
  if (!state) return;
  state->Clear();
  InvalidateRect(picture_window, nullptr, FALSE);
}

bool PictureSize(HWND picture_window, int* width, int* height) {
  const PictureState* state = StateOf(picture_window);
  const bool shown = state && state->picture;
  if (width) *width = shown ? state->width : 0;
  if (height) *height = shown ? state->height : 0;
  return shown;
}

}  // namespace ui::win32
