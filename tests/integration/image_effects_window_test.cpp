// The image effects bot at the real windows under Windows: its launcher
// opens the sheet on the Effects page, a user picks an effect in the real
// list, looks at every page and presses OK; the page then holds the effect.
#if defined(_WIN32)
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "tests/support/installed_host.h"
#include "tests/support/message_box_watcher.h"
#include "tests/ui_win32/screenshot.h"
#include "tests/ui_win32/ui_user.h"

namespace {

constexpr const char* kSheet = "Glintmere Java Effects - Image Effects Applet";
// The Effects page's controls.
constexpr int kEffects = 1801;
constexpr int kSpeedValue = 1806;
constexpr int kIntensityValue = 1809;

// An installation with a session on a page of a web.
class ImageEffectsWindowTest : public test_support::InstalledHost {
 protected:
  void SetUp() override {
    InstalledHost::SetUp();
    test_support::WriteText(web_.Join("index.htm"), "<html><body>\n<p>Sea</p>\n</body></html>\n");
    OpenSession("index.htm");
  }
};

TEST_F(ImageEffectsWindowTest, LauncherOpensTheEffectsPageAndTheChosenEffectIsInserted) {
  const std::string launcher = install_.Join("bots/GMImageEffectsLaunch.exe");
  test_support::MessageBoxWatcher boxes;
  ui_test::StartedProgram started(launcher);
  ASSERT_TRUE(started.started()) << started.start_error();
  const HWND sheet = ui_test::WaitForWindow(kSheet, 20000);
  if (sheet) {
    HWND effects = nullptr;
    ui_test::WaitUntil([&] {
      effects = ui_test::PageItem(sheet, kEffects);
      return effects && IsWindowVisible(effects);
    });
    if (effects) {
      const LRESULT flames = SendMessageA(effects, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>("Flames"));
      EXPECT_GE(flames, 0);
      ui_test::Choose(effects, static_cast<int>(flames));
      // The effect's own starting values replace the sliders'.
      EXPECT_TRUE(ui_test::WaitUntil(
          [&] { return ui_test::Text(ui_test::PageItem(sheet, kSpeedValue)) == "50"; }))
          << ui_test::Text(ui_test::PageItem(sheet, kSpeedValue));
      EXPECT_EQ(ui_test::Text(ui_test::PageItem(sheet, kIntensityValue)), "70");

      // A picture of every page, the Effects page last again.
      const HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
      const int count = tabs ? static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
      EXPECT_GE(count, 5);
      const int effects_index = ui_test::CurrentPageIndex(sheet);
      for (int i = 0; i < count; ++i) {
        SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        ui_test::Painted(sheet);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet),
                                "image_effects_page_" + std::to_string(i));
      }
      SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(effects_index), 0);
    } else {
      ADD_FAILURE() << "the sheet did not open on the Effects page";
    }
    ui_test::PressSheetButton(sheet, PSBTN_OK);
  }
  EXPECT_EQ(started.WaitForExit(30000), 0u);
  for (const test_support::SeenBox& box : boxes.Seen()) {
    ADD_FAILURE() << "message box [" << box.caption << "] " << box.text;
  }
  const std::string page = test_support::ReadText(web_.Join("index.htm"));
  EXPECT_NE(page.find("<param name=AppBGFilter value=Fire|20|50|70>"), std::string::npos) << page;
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/eFire.class")));
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/FirePalette.gif")));
}

}  // namespace
#endif
