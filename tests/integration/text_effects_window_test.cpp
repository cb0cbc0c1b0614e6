// The text effects bot at its real windows: its launcher inserts a new
// component into the page open in the host, a user changes the string's font
// and entry motion on the Strings page and presses OK; every page of the
// sheet is photographed on the way. Windows only.
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <filesystem>
#include <string>

#include "base/scope_exit.h"
#include "bots_fx/strings_page.h"
#include "host/registration.h"
#include "host/session.h"
#include "platform/services.h"
#include "tests/support/message_box_watcher.h"
#include "tests/support/test_support.h"
#include "tests/ui_win32/screenshot.h"
#include "tests/ui_win32/ui_user.h"

namespace {

namespace fs = std::filesystem;
using Strings = bots_fx::CEffectStringsPage;

constexpr const char* kSheet = "Glintmere Java Effects - Text Effects Applet";

TEST(TextEffectsWindowTest, LauncherAtTheRealStringsPage) {
  // An installation with the host registered and a page open in it.
  test_support::TempFolder install;
  test_support::TempFolder web;
  fs::copy(test_support::BinFolder() + "bots", install.Join("bots"), fs::copy_options::recursive);
  std::string problem;
  ASSERT_EQ(
      host::RegisterHost(platform::GetRegistry(),
                         test_support::BinFolder() + test_support::LibraryFileName("GlintmereHost"),
                         install.Join("glintmere.exe"), &problem),
      platform::kOk)
      << problem;
  const base::ScopeExit unregister([] { host::UnregisterHost(platform::GetRegistry()); });
  ASSERT_EQ(host::EnsureApplicationDataFolder(platform::GetRegistry()), platform::kOk);
  test_support::WriteText(web.Join("index.htm"), "<html><body>\n<p>News</p>\n</body></html>\n");
  host::Session session;
  session.web_folder = web.path();
  session.page = "index.htm";
  ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);

  test_support::MessageBoxWatcher boxes;
  ui_test::StartedProgram launcher(install.Join("bots/GMTextEffectsLaunch.exe"));
  ASSERT_TRUE(launcher.started()) << launcher.start_error();
  const HWND sheet = ui_test::WaitForWindow(kSheet, 20000);
  if (sheet) {
    HWND page = nullptr;
    ui_test::WaitUntil([&] {
      page = ui_test::CurrentPage(sheet);
      return page && GetDlgItem(page, Strings::kFontId);
    });
    const HWND font = page ? GetDlgItem(page, Strings::kFontId) : nullptr;
    if (font && ui_test::WaitUntil([&] { return IsWindowVisible(font) != FALSE; })) {
      ui_test::Choose(font, 2);                                     // Courier
      ui_test::Choose(GetDlgItem(page, Strings::kEntryHowId), 15);  // Typing
      ui_test::Painted(sheet);
      ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet), "text_effects_strings_page");
      const int count = static_cast<int>(
          SendMessageA(reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)),
                       TCM_GETITEMCOUNT, 0, 0));
      for (int tab = 0; tab < count; ++tab) {
        SendMessageA(sheet, PSM_SETCURSEL, tab, 0);
        ui_test::Painted(sheet);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet),
                                "text_effects_page_" + std::to_string(tab + 1));
      }
    } else {
      ADD_FAILURE() << "the Strings page is not in front";
    }
    ui_test::PressSheetButton(sheet, PSBTN_OK);
  }
  EXPECT_EQ(launcher.WaitForExit(30000), 0u);
  for (const test_support::SeenBox& box : boxes.Seen()) {
    ADD_FAILURE() << "message box [" << box.caption << "] " << box.text;
  }
  const std::string text = test_support::ReadText(web.Join("index.htm"));
  EXPECT_NE(text.find("<param name=Font1 value=Courier|16|_bold|_center,0|_center,0|"
                      "_noshadow,808080,2,2>"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("<param name=MotionEffect1 value=_typing,100|_fromthecenter,100|1000|0>"),
            std::string::npos)
      << text;
  EXPECT_TRUE(test_support::Exists(web.Join("_glintmere/KelText.class")));
}

}  // namespace
#endif
