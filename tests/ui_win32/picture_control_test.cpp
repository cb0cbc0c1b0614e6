// Tests of the "GlintmerePicture" window class: images decoded from real
// GIF, JPEG and BMP files, painted into a memory DC and read back pixel by
// pixel; files that are missing or are no images. Windows only.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <thread>

#include "platform/win32/windows_include.h"
#include "tests/support/test_support.h"
#include "tests/ui_win32/control_dialog.h"
#include "tests/ui_win32/image_files.h"
#include "ui/win32/picture_control.h"

#include <objbase.h>

namespace {

using image_files::Rgb;
using ui::win32::PictureClear;
using ui::win32::PictureLoad;
using ui::win32::PictureSize;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGreen{0, 160, 0};

// The brush the test parent hands out for WM_CTLCOLORSTATIC, as a dialog
// procedure may; null lets DefWindowProc answer.
HBRUSH g_parent_brush = nullptr;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CTLCOLORSTATIC && g_parent_brush) {
    return reinterpret_cast<LRESULT>(g_parent_brush);
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

const char* ParentClass() {
  static const bool registered = [] {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = &ParentProc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "GlintmerePictureTestParent";
    return RegisterClassA(&window_class) != 0;
  }();
  return registered ? "GlintmerePictureTestParent" : nullptr;
}

struct Colour {
  int red;
  int green;
  int blue;
};

Colour FromRgb(const Rgb& rgb) { return {rgb.red, rgb.green, rgb.blue}; }
Colour FromColorref(COLORREF value) { return {GetRValue(value), GetGValue(value), GetBValue(value)}; }

std::ostream& operator<<(std::ostream& out, const Colour& colour) {
  return out << "rgb(" << colour.red << "," << colour.green << "," << colour.blue << ")";
}

// Decoders may round a colour by a step or two (JPEG's colour conversion).
testing::AssertionResult Near(const Colour& actual, const Colour& expected, int tolerance = 6) {
  if (std::abs(actual.red - expected.red) <= tolerance &&
      std::abs(actual.green - expected.green) <= tolerance &&
      std::abs(actual.blue - expected.blue) <= tolerance) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "got " << actual << ", expected " << expected;
}

// The window's client area as painted through WM_PRINTCLIENT into a memory
// DC; the DC is filled with a sentinel first, so unpainted pixels show.
class Snapshot {
 public:
  explicit Snapshot(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH sentinel = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    FillRect(dc_, &client, sentinel);
    DeleteObject(sentinel);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  }
  ~Snapshot() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Snapshot(const Snapshot&) = delete;
  Snapshot& operator=(const Snapshot&) = delete;

  Colour At(int x, int y) const { return FromColorref(GetPixel(dc_, x, y)); }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

class PictureTest : public testing::Test {
 protected:
  void SetUp() override {
    // Every test registers again; that must be harmless.
    ASSERT_TRUE(ui::win32::RegisterPictureClass());
    ASSERT_NE(ParentClass(), nullptr);
    parent_ = CreateWindowExA(0, ParentClass(), "Picture test", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                              300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    picture_ = CreateWindowExA(0, ui::win32::kPictureClassName, "", WS_CHILD | WS_VISIBLE, 10,
                               10, 100, 100, parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(picture_, nullptr);
  }

  void TearDown() override {
    if (parent_) DestroyWindow(parent_);
    g_parent_brush = nullptr;
    if (parent_brush_) DeleteObject(parent_brush_);
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = folder_.Join(name);
    test_support::WriteText(path, bytes);
    return path;
  }

  static Colour Background() { return FromColorref(GetSysColor(COLOR_BTNFACE)); }

  test_support::TempFolder folder_;
  HWND parent_ = nullptr;
  HWND picture_ = nullptr;
  HBRUSH parent_brush_ = nullptr;
};

TEST_F(PictureTest, WideGifFitsTheWidthCentredWithTopStillOnTop) {
  // 20x10 into 100x100: drawn 100x50, rows 25..74.
  const std::string path = Write("wide.gif", image_files::Gif({20, 10, 5, kRed, kBlue}));
  ASSERT_TRUE(PictureLoad(picture_, path));
  int width = -1;
  int height = -1;
  ASSERT_TRUE(PictureSize(picture_, &width, &height));
  EXPECT_EQ(width, 20);
  EXPECT_EQ(height, 10);

  Snapshot shot(picture_);
  EXPECT_TRUE(Near(shot.At(50, 10), Background()));
  EXPECT_TRUE(Near(shot.At(2, 30), FromRgb(kRed)));
  EXPECT_TRUE(Near(shot.At(50, 45), FromRgb(kRed)));
  EXPECT_TRUE(Near(shot.At(50, 55), FromRgb(kBlue)));
  EXPECT_TRUE(Near(shot.At(97, 70), FromRgb(kBlue)));
  EXPECT_TRUE(Near(shot.At(50, 90), Background()));
}

TEST_F(PictureTest, TallJpegFitsTheHeightCentred) {
  // 16x32 into 100x100: drawn 50x100, columns 25..74.
  const std::string path = Write("tall.jpg", image_files::Jpeg({16, 32, 16, kRed, kBlue}));
  ASSERT_TRUE(PictureLoad(picture_, path));
  int width = -1;
  int height = -1;
  ASSERT_TRUE(PictureSize(picture_, &width, &height));
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 32);

  Snapshot shot(picture_);
  EXPECT_TRUE(Near(shot.At(10, 50), Background()));
  EXPECT_TRUE(Near(shot.At(50, 20), FromRgb(kRed)));
  EXPECT_TRUE(Near(shot.At(50, 80), FromRgb(kBlue)));
  EXPECT_TRUE(Near(shot.At(90, 50), Background()));
}

TEST_F(PictureTest, SmallBmpIsEnlargedToFillASquare) {
  const std::string path = Write("square.bmp", image_files::Bmp({30, 30, 10, kGreen, kBlue}));
  ASSERT_TRUE(PictureLoad(picture_, path));
  int width = -1;
  int height = -1;
  ASSERT_TRUE(PictureSize(picture_, &width, &height));
  EXPECT_EQ(width, 30);
  EXPECT_EQ(height, 30);

  Snapshot shot(picture_);
  EXPECT_TRUE(Near(shot.At(1, 1), FromRgb(kGreen)));
  EXPECT_TRUE(Near(shot.At(50, 20), FromRgb(kGreen)));
  EXPECT_TRUE(Near(shot.At(50, 60), FromRgb(kBlue)));
  EXPECT_TRUE(Near(shot.At(98, 98), FromRgb(kBlue)));
}

TEST_F(PictureTest, ResizingRefitsThePicture) {
  const std::string path = Write("wide.gif", image_files::Gif({20, 10, 5, kRed, kBlue}));
  ASSERT_TRUE(PictureLoad(picture_, path));
  // 200x100 has the image's own proportions: no border left.
  ASSERT_TRUE(SetWindowPos(picture_, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER));

  Snapshot shot(picture_);
  EXPECT_TRUE(Near(shot.At(2, 2), FromRgb(kRed)));
  EXPECT_TRUE(Near(shot.At(197, 97), FromRgb(kBlue)));
}

TEST_F(PictureTest, BackgroundComesFromTheParentAndShowsThroughTransparency) {
  parent_brush_ = CreateSolidBrush(RGB(200, 180, 40));
  g_parent_brush = parent_brush_;
  // Top half transparent, bottom half blue.
  const std::string path =
      Write("clear-top.gif", image_files::Gif({10, 10, 5, kRed, kBlue}, true));
  ASSERT_TRUE(PictureLoad(picture_, path));
  Snapshot shot(picture_);
  EXPECT_TRUE(Near(shot.At(50, 25), Colour{200, 180, 40}));
  EXPECT_TRUE(Near(shot.At(50, 75), FromRgb(kBlue)));
}

TEST_F(PictureTest, DialogTemplateOfThisModulePlacesAPictureOnTheDialogBackground) {
  control_dialog::ControlDialog dialog(GetModuleHandleA(nullptr), L"GlintmerePicture", 60, 60);
  ASSERT_NE(dialog.dialog(), nullptr);
  HWND picture = dialog.control();
  ASSERT_NE(picture, nullptr);
  ASSERT_TRUE(PictureLoad(picture, Write("wide.gif", image_files::Gif({20, 10, 5, kRed, kBlue}))));
  RECT client{};
  GetClientRect(picture, &client);
  ASSERT_GT(client.bottom, client.right / 2 + 8);  // room above and below

  Snapshot shot(picture);
  const int middle_x = client.right / 2;
  const int middle_y = client.bottom / 2;
  EXPECT_TRUE(Near(shot.At(middle_x, 2), Background()));
  EXPECT_TRUE(Near(shot.At(middle_x, middle_y - 4), FromRgb(kRed)));
  EXPECT_TRUE(Near(shot.At(middle_x, middle_y + 4), FromRgb(kBlue)));
  EXPECT_TRUE(Near(shot.At(middle_x, client.bottom - 3), Background()));
}

// A preview window: images at their own size, centred (or from the top
// left corner when larger), and a mark on grey-free background when empty.
TEST_F(PictureTest, ActualSizeWindowCentresUnscaledAndMarksAMissingPicture) {
  HWND preview = CreateWindowExA(
      0, ui::win32::kPictureClassName, "",
      WS_CHILD | WS_VISIBLE | ui::win32::kPictureActualSize | ui::win32::kPictureMissingMark, 0,
      0, 100, 100, parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(preview, nullptr);
  {
    // Empty: the mark sits in the middle; its grey never shows, so the
    // corners of its square are the background.
    Snapshot shot(preview);
    EXPECT_TRUE(Near(shot.At(50, 50), Colour{255, 255, 255}, 0) ||
                Near(shot.At(50, 50), Colour{200, 0, 0}, 0))
        << shot.At(50, 50);
    EXPECT_TRUE(Near(shot.At(39, 39), Background(), 0));
    EXPECT_TRUE(Near(shot.At(5, 5), Background(), 0));
  }
  struct Case {
    int width, height;
    int inside_x, inside_y;    // a pixel of the image's top half (red)
    int outside_x, outside_y;  // a pixel outside it (background)
  };
  for (const Case& c : {Case{20, 10, 45, 47, 35, 50}, Case{300, 40, 2, 35, 50, 80}}) {
    SCOPED_TRACE(c.width);
    ASSERT_TRUE(PictureLoad(
        preview, Write("p.gif", image_files::Gif({c.width, c.height, c.height / 2, kRed, kBlue}))));
    Snapshot shot(preview);
    EXPECT_TRUE(Near(shot.At(c.inside_x, c.inside_y), FromRgb(kRed)));
    EXPECT_TRUE(Near(shot.At(c.outside_x, c.outside_y), Background(), 0));
  }
}

TEST_F(PictureTest, EmptyOrClearedWindowPaintsOnlyTheBackground) {
  int width = -1;
  int height = -1;
  EXPECT_FALSE(PictureSize(picture_, &width, &height));
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  {
    Snapshot shot(picture_);
    EXPECT_TRUE(Near(shot.At(0, 0), Background(), 0));
    EXPECT_TRUE(Near(shot.At(99, 99), Background(), 0));
  }
  ASSERT_TRUE(PictureLoad(picture_, Write("a.gif", image_files::Gif({4, 4, 2, kRed, kBlue}))));
  PictureClear(picture_);
  EXPECT_FALSE(PictureSize(picture_, nullptr, nullptr));
  Snapshot shot(picture_);
  EXPECT_TRUE(Near(shot.At(50, 30), Background(), 0));
  EXPECT_TRUE(Near(shot.At(50, 70), Background(), 0));
}

TEST_F(PictureTest, UnreadableOrUndecodableFilesFailAndLeaveTheWindowEmpty) {
  const std::string good = Write("good.gif", image_files::Gif({4, 4, 2, kRed, kBlue}));
  struct Case {
    const char* what;
    std::string path;
  } cases[] = {
      {"missing file", folder_.Join("missing.gif")},
      {"text file", Write("notes.gif", "This is not a picture.\r\n")},
      {"empty file", Write("empty.jpg", "")},
      {"GIF signature only", Write("cut.gif", "GIF89a")},
      {"folder", folder_.path()},
      {"empty path", ""},
      {"path with a null inside", good + std::string(1, '\0') + "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // A good picture first: a failed load must not leave it showing.
    ASSERT_TRUE(PictureLoad(picture_, good));
    EXPECT_FALSE(PictureLoad(picture_, c.path));
    int width = -1;
    int height = -1;
    EXPECT_FALSE(PictureSize(picture_, &width, &height));
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    Snapshot shot(picture_);
    EXPECT_TRUE(Near(shot.At(50, 50), Background(), 0));
  }
}

TEST_F(PictureTest, OnlyPictureWindowsOfThisThreadAreServed) {
  const std::string path = Write("a.gif", image_files::Gif({4, 4, 2, kRed, kBlue}));
  EXPECT_FALSE(PictureLoad(nullptr, path));
  EXPECT_FALSE(PictureLoad(parent_, path));
  PictureClear(parent_);  // must not touch a window that is no picture
  EXPECT_FALSE(PictureSize(parent_, nullptr, nullptr));

  ASSERT_TRUE(PictureLoad(picture_, path));
  bool loaded_elsewhere = true;
  bool sized_elsewhere = true;
  std::thread other([&] {
    loaded_elsewhere = PictureLoad(picture_, path);
    sized_elsewhere = PictureSize(picture_, nullptr, nullptr);
  });
  other.join();
  EXPECT_FALSE(loaded_elsewhere);
  EXPECT_FALSE(sized_elsewhere);
  EXPECT_TRUE(PictureSize(picture_, nullptr, nullptr));
}

TEST_F(PictureTest, WindowLeavesTheThreadsComStateAsItFoundIt) {
  // The fixture's window initialised COM on this thread, which nobody had;
  // once it is gone, the thread may choose its apartment freely again.
  ASSERT_TRUE(PictureLoad(picture_, Write("a.jpg", image_files::Jpeg({8, 8, 8, kRed, kRed}))));
  DestroyWindow(parent_);
  parent_ = nullptr;
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  EXPECT_EQ(hr, S_OK);
  if (SUCCEEDED(hr)) CoUninitialize();
}

}  // namespace

#endif  // defined(_WIN32)
