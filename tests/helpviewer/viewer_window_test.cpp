// KelHelp.exe at its real windows: one viewer per user, a second start hands
// its command line over and ends, the viewer comes to the front on the page
// asked for, and its placement is kept between runs. The page view renders
// nothing under Wine, so where it was told to go is read from the viewer's
// trace file. Windows only.
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/saved_value.h"
#include "tests/support/test_support.h"
#include "tests/ui_win32/screenshot.h"
#include "tests/ui_win32/ui_user.h"

namespace {

constexpr char kFrameClass[] = "KelHelpFrame";
constexpr char kPlacementKey[] = "Software\\Kel Software\\KelHelp";
// The toolbar's commands: Default, Contents, Print, Previous, Next.
constexpr int kDefaultId = 100;
constexpr int kContentsId = 101;
constexpr int kPrintId = 102;
constexpr int kPreviousId = 103;
constexpr int kNextId = 104;

std::string ViewerPath() { return test_support::BinFolder() + "KelHelp.exe"; }

int CountWindows(const char* class_name, const char* title) {
  int count = 0;
  for (HWND found = FindWindowExA(nullptr, nullptr, class_name, title); found;
       found = FindWindowExA(nullptr, found, class_name, title)) {
    ++count;
  }
  return count;
}

HWND WaitForViewer() {
  HWND frame = nullptr;
  ui_test::WaitUntil(
      [&] {
        frame = FindWindowA(kFrameClass, nullptr);
        return frame && IsWindowVisible(frame);
      },
      20000);
  return frame;
}

bool ButtonEnabled(HWND frame, int id) {
  const HWND toolbar = FindWindowExA(frame, nullptr, TOOLBARCLASSNAMEA, nullptr);
  return toolbar && SendMessageA(toolbar, TB_ISBUTTONENABLED, id, 0) != 0;
}

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// Where the window is, frame included, as "left,top,right,bottom".
std::string Where(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return Describe(rect);
}

class HelpViewerTest : public testing::Test {
 protected:
  void SetUp() override {
    user_.Delete();
    machine_.Delete();
    test_support::WriteText(help_.Join("KelHelp.inf"),
                            "[Info]\r\nTitle=Glintmere Help\r\n"
                            "[Documents]\r\nHome=welcome.htm\r\nContents=toc.htm\r\n"
                            "[Contexts]\r\nSAApplet=scroller.htm\r\n");
    for (const char* page : {"welcome.htm", "toc.htm", "scroller.htm", "page two.htm"}) {
      test_support::WriteText(help_.Join(page), "<html><body>Help</body></html>");
    }
    folder_ = help_.path();
    trace_ = scratch_.Join("viewer.log");
    SetEnvironmentVariableA("GLINTMERE_HELP_LOG", trace_.c_str());
  }
  void TearDown() override {
    // A viewer a failed test left open would meet the next test's starts.
    for (HWND frame = FindWindowA(kFrameClass, nullptr); frame;
         frame = FindWindowA(kFrameClass, nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(frame, &process);
      const HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, process);
      PostMessageA(frame, WM_CLOSE, 0, 0);
      if (handle) {
        if (WaitForSingleObject(handle, 10000) != WAIT_OBJECT_0) TerminateProcess(handle, 1);
        CloseHandle(handle);
      }
    }
    SetEnvironmentVariableA("GLINTMERE_HELP_LOG", nullptr);
  }

  bool Traced(const std::string& line) {
    return ui_test::WaitUntil(
        [&] {
          std::string text = test_support::Exists(trace_) ? test_support::ReadText(trace_) : "";
          return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
        },
        10000);
  }

  void Close(HWND frame, ui_test::StartedProgram& viewer) {
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(viewer.WaitForExit(10000), 0u);
  }

  test_support::SavedValue user_{platform::RootKey::kCurrentUser, kPlacementKey, "Placement"};
  test_support::SavedValue machine_{platform::RootKey::kLocalMachine, kPlacementKey, "Placement"};
  test_support::TempFolder help_;
  test_support::TempFolder scratch_;
  std::string folder_;
  std::string trace_;
};

TEST_F(HelpViewerTest, SecondStartHandsItsCommandLineToTheFirst) {
  ui_test::StartedProgram first(ViewerPath());
  ASSERT_TRUE(first.started()) << first.start_error();
  const HWND frame = WaitForViewer();
  ASSERT_TRUE(frame);
  EXPECT_EQ(ui_test::Text(frame), "KelHelp");
  for (int id : {kDefaultId, kContentsId, kPrintId, kPreviousId, kNextId}) {
    EXPECT_FALSE(ButtonEnabled(frame, id)) << id;
  }
  const HWND instance = FindWindowA("KelHelp", "KelHelp Unique Instance");
  ASSERT_TRUE(instance);
  EXPECT_FALSE(IsWindowVisible(instance));

  const struct {
    std::string arguments;
    std::string page;
  } starts[] = {
      {"\"" + folder_ + "\\\" /CSAApplet", "scroller.htm"},
      {folder_ + " /cNoSuchTopic", "welcome.htm"},
      {folder_ + " \"page two.htm\"", "page two.htm"},
  };
  for (const auto& start : starts) {
    ShowWindow(frame, SW_MINIMIZE);
    ui_test::WaitUntil([&] { return IsIconic(frame) != FALSE; });
    ui_test::StartedProgram second(ViewerPath(), start.arguments);
    ASSERT_TRUE(second.started()) << second.start_error();
    EXPECT_EQ(second.WaitForExit(10000), 0u) << start.arguments;
    EXPECT_EQ(CountWindows(kFrameClass, nullptr), 1) << start.arguments;
    EXPECT_EQ(CountWindows("KelHelp", "KelHelp Unique Instance"), 1) << start.arguments;
    EXPECT_TRUE(Traced("navigate " + folder_ + "\\" + start.page)) << start.arguments;
    EXPECT_TRUE(ui_test::WaitUntil(
        [&] { return !IsIconic(frame) && GetForegroundWindow() == frame; }))
        << start.arguments;
  }
  // The caption takes the folder's title; the page's own follows it when
  // the control reports one.
  EXPECT_EQ(ui_test::Text(frame).rfind("Glintmere Help", 0), 0u) << ui_test::Text(frame);
  for (int id : {kDefaultId, kContentsId, kPrintId}) EXPECT_TRUE(ButtonEnabled(frame, id)) << id;

  // Pointing at a button shows its prompt in the status bar.
  const HWND toolbar = FindWindowExA(frame, nullptr, TOOLBARCLASSNAMEA, nullptr);
  const HWND status = FindWindowExA(frame, nullptr, STATUSCLASSNAMEA, nullptr);
  const struct {
    int index;
    const char* prompt;
  } prompts[] = {{0, "Go to the default page"}, {2, "Print the current page"}};
  for (const auto& p : prompts) {
    SendMessageA(toolbar, TB_SETHOTITEM, p.index, 0);
    EXPECT_EQ(ui_test::Text(status), p.prompt);
  }
  SendMessageA(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);

  // The toolbar's pages are the latest folder's.
  PostMessageA(frame, WM_COMMAND, kContentsId, 0);
  EXPECT_TRUE(Traced("navigate " + folder_ + "\\toc.htm"));
  PostMessageA(frame, WM_COMMAND, kDefaultId, 0);
  EXPECT_TRUE(Traced("navigate " + folder_ + "\\welcome.htm"));

  ui_test::Painted(frame);
  ui_test::SaveScreenshot(ui_test::CaptureWindow(frame), "help_viewer");
  Close(frame, first);
  EXPECT_EQ(CountWindows("KelHelp", "KelHelp Unique Instance"), 0);
}

TEST_F(HelpViewerTest, PlacementIsKeptForTheNextStart) {
  const std::string moved_text = "130,90,730,510";
  {
    ui_test::StartedProgram viewer(ViewerPath());
    const HWND frame = WaitForViewer();
    ASSERT_TRUE(frame);
    SetWindowPos(frame, nullptr, 130, 90, 600, 420, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(ui_test::WaitUntil([&] { return Where(frame) == moved_text; }));
    Close(frame, viewer);
  }
  platform::RegistryValue stored;
  std::unique_ptr<platform::RegistryKey> key;
  ASSERT_EQ(platform::GetRegistry().OpenKey(platform::RootKey::kCurrentUser, kPlacementKey, &key),
            platform::kOk);
  ASSERT_EQ(key->GetValue("Placement", &stored), platform::kOk);
  ASSERT_EQ(stored.type, platform::ValueType::kBinary);
  ASSERT_EQ(stored.bytes.size(), 44u);
  WINDOWPLACEMENT placement{};
  std::memcpy(&placement, stored.bytes.data(), sizeof placement);
  EXPECT_EQ(Describe(placement.rcNormalPosition), moved_text);

  // Stored for the user, or left for every user on the machine (maximised
  // there): either way the viewer opens at that place, shown normally.
  const RECT shared{50, 40, 650, 440};
  WINDOWPLACEMENT maximised = placement;
  maximised.showCmd = SW_SHOWMAXIMIZED;
  maximised.rcNormalPosition = shared;
  std::vector<uint8_t> machine_record(sizeof maximised);
  std::memcpy(machine_record.data(), &maximised, sizeof maximised);
  const struct {
    bool user_record;
    const char* expected;
  } starts[] = {{true, "130,90,730,510"}, {false, "50,40,650,440"}};
  for (const auto& start : starts) {
    if (!start.user_record) {
      user_.Delete();
      ASSERT_EQ(platform::WriteValue(platform::GetRegistry(), platform::RootKey::kLocalMachine,
                                     kPlacementKey, "Placement",
                                     platform::RegistryValue::Binary(machine_record)),
                platform::kOk);
    }
    ui_test::StartedProgram viewer(ViewerPath());
    const HWND frame = WaitForViewer();
    ASSERT_TRUE(frame);
    EXPECT_EQ(Where(frame), start.expected);
    EXPECT_FALSE(IsZoomed(frame));
    Close(frame, viewer);
  }
}

}  // namespace

#endif
