// Tests of the "GlintmereBrowser" window class: the WebBrowser control hosted
// in place, sized with its window, navigated to a local page, and released
// with the thread's OLE state as it was; an empty window where the control
// cannot be hosted. Windows only.
//
// Wine here has no HTML engine: the control is created, activated and
// navigates, but draws nothing, so the tests look at windows and state, not
// at rendered pages.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/win32/windows_include.h"
#include "tests/support/test_support.h"
#include "tests/ui_win32/control_dialog.h"
#include "ui/win32/browser_control.h"

#include <ole2.h>

namespace {

using ui::win32::BrowserIsHosted;
using ui::win32::BrowserLocation;
using ui::win32::BrowserNavigate;

// A top-level window with one browser window in it, destroyed together.
class BrowserWindows {
 public:
  BrowserWindows(int width, int height) {
    parent_ = CreateWindowExA(0, "STATIC", "Browser test", WS_OVERLAPPEDWINDOW, 0, 0, width + 40,
                              height + 60, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!parent_) return;
    browser_ = CreateWindowExA(0, ui::win32::kBrowserClassName, "", WS_CHILD | WS_VISIBLE, 5, 5,
                               width, height, parent_, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
  }
  ~BrowserWindows() { Destroy(); }
  BrowserWindows(const BrowserWindows&) = delete;
  BrowserWindows& operator=(const BrowserWindows&) = delete;

  void Destroy() {
    if (parent_) DestroyWindow(parent_);
    parent_ = nullptr;
    browser_ = nullptr;
  }
  HWND parent() const { return parent_; }
  HWND browser() const { return browser_; }

 private:
  HWND parent_ = nullptr;
  HWND browser_ = nullptr;
};

// Runs the thread's messages for a while: the control navigates from
// posted messages.
void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

// The rectangle of the browser window's first child, in its client
// coordinates; empty when it has none.
RECT ChildRect(HWND browser) {
  RECT rect{};
  HWND child = GetWindow(browser, GW_CHILD);
  if (!child) return rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, browser, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class BrowserTest : public testing::Test {
 protected:
  void SetUp() override {
    // Every test registers again; that must be harmless.
    ASSERT_TRUE(ui::win32::RegisterBrowserClass());
    page_ = folder_.Join("page.htm");
    test_support::WriteText(page_, "<html><head><title>Preview</title></head>"
                                   "<body><p>Scrolling text</p></body></html>\r\n");
  }

  test_support::TempFolder folder_;
  std::string page_;
};

TEST_F(BrowserTest, ControlIsHostedFillingTheWindowAndFollowsItsSize) {
  BrowserWindows windows(300, 200);
  ASSERT_NE(windows.browser(), nullptr);
  ASSERT_TRUE(BrowserIsHosted(windows.browser()));

  RECT rect = ChildRect(windows.browser());
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 300);
  EXPECT_EQ(rect.bottom, 200);

  ASSERT_TRUE(SetWindowPos(windows.browser(), nullptr, 0, 0, 420, 260, SWP_NOMOVE | SWP_NOZORDER));
  rect = ChildRect(windows.browser());
  EXPECT_EQ(rect.right - rect.left, 420);
  EXPECT_EQ(rect.bottom - rect.top, 260);
}

TEST_F(BrowserTest, DialogTemplateOfThisModulePlacesAHostedBrowser) {
  control_dialog::ControlDialog dialog(GetModuleHandleA(nullptr), L"GlintmereBrowser", 200, 120);
  ASSERT_NE(dialog.dialog(), nullptr);
  ASSERT_NE(dialog.control(), nullptr);
  EXPECT_TRUE(BrowserIsHosted(dialog.control()));
  EXPECT_TRUE(BrowserNavigate(dialog.control(), page_));
  RECT client{};
  GetClientRect(dialog.control(), &client);
  const RECT control = ChildRect(dialog.control());
  EXPECT_EQ(control.right - control.left, client.right);
  EXPECT_EQ(control.bottom - control.top, client.bottom);
}

TEST_F(BrowserTest, NavigatesToLocalPagesAndUrlsAndRemembersTheLast) {
  BrowserWindows windows(300, 200);
  ASSERT_TRUE(BrowserIsHosted(windows.browser()));
  EXPECT_EQ(BrowserLocation(windows.browser()), "");

  EXPECT_TRUE(BrowserNavigate(windows.browser(), page_));
  EXPECT_EQ(BrowserLocation(windows.browser()), page_);
  Pump(300);

  // Cut short at the null, this would be a different location.
  const std::string with_null = page_ + std::string(1, '\0') + ".htm";
  EXPECT_FALSE(BrowserNavigate(windows.browser(), with_null));
  EXPECT_EQ(BrowserLocation(windows.browser()), with_null);

  EXPECT_TRUE(BrowserNavigate(windows.browser(), "about:blank"));
  EXPECT_EQ(BrowserLocation(windows.browser()), "about:blank");
  // Destroyed with the navigation still under way.
  windows.Destroy();
  Pump(200);
}

TEST_F(BrowserTest, WindowsComeAndGoLeavingAThreadWithoutOleAsItWas) {
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    BrowserWindows windows(200, 150);
    ASSERT_TRUE(BrowserIsHosted(windows.browser()));
    EXPECT_TRUE(BrowserNavigate(windows.browser(), page_));
    Pump(100);
  }
  // Nobody initialised this thread: it may enter any apartment again.
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  EXPECT_EQ(hr, S_OK);
  if (SUCCEEDED(hr)) CoUninitialize();
}

TEST_F(BrowserTest, WindowLeavesTheCallersOleInitialised) {
  ASSERT_EQ(OleInitialize(nullptr), S_OK);
  {
    BrowserWindows windows(200, 150);
    EXPECT_TRUE(BrowserIsHosted(windows.browser()));
  }
  // Still the caller's single-threaded apartment.
  const HRESULT again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(again, S_FALSE);
  if (SUCCEEDED(again)) CoUninitialize();
  OleUninitialize();
}

TEST_F(BrowserTest, OnAMultithreadedThreadTheWindowStaysEmptyAndRemembersTheLocation) {
  // In-place activation needs a single-threaded apartment; a thread that
  // chose the multithreaded one gets a plain window.
  bool created = false;
  bool hosted = true;
  bool has_child = true;
  bool navigated = true;
  std::string location;
  HRESULT left = E_FAIL;
  std::thread other([&] {
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return;
    {
      BrowserWindows windows(200, 150);
      created = windows.browser() != nullptr;
      hosted = BrowserIsHosted(windows.browser());
      has_child = GetWindow(windows.browser(), GW_CHILD) != nullptr;
      navigated = BrowserNavigate(windows.browser(), page_);
      location = BrowserLocation(windows.browser());
    }
    CoUninitialize();
    // The thread's one initialisation was undone: COM is free again.
    left = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(left)) CoUninitialize();
  });
  other.join();
  EXPECT_TRUE(created);
  EXPECT_FALSE(hosted);
  EXPECT_FALSE(has_child);
  EXPECT_FALSE(navigated);
  EXPECT_EQ(location, page_);
  EXPECT_EQ(left, S_OK);
}

TEST_F(BrowserTest, OnlyBrowserWindowsOfThisThreadAreServed) {
  BrowserWindows windows(200, 150);
  ASSERT_TRUE(BrowserIsHosted(windows.browser()));
  ASSERT_TRUE(BrowserNavigate(windows.browser(), page_));

  EXPECT_FALSE(BrowserNavigate(nullptr, page_));
  EXPECT_FALSE(BrowserNavigate(windows.parent(), page_));
  EXPECT_EQ(BrowserLocation(windows.parent()), "");
  EXPECT_FALSE(BrowserIsHosted(windows.parent()));

  bool navigated = true;
  bool hosted = true;
  std::string location = "sentinel";
  std::thread other([&] {
    navigated = BrowserNavigate(windows.browser(), "about:blank");
    hosted = BrowserIsHosted(windows.browser());
    location = BrowserLocation(windows.browser());
  });
  other.join();
  EXPECT_FALSE(navigated);
  EXPECT_FALSE(hosted);
  EXPECT_EQ(location, "");
  EXPECT_EQ(BrowserLocation(windows.browser()), page_);
}

}  // namespace

#endif  // defined(_WIN32)
