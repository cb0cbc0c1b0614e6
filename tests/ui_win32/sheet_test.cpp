// Property sheets of the Win32 backend driven like a user: tabs switched by
// PropSheet_SetCurSel and by clicks on the tab control, OK pressed with
// PSM_PRESSBUTTON, fields refused with their real message boxes. The
// model's rules hold on the real sheet: the sheet's own OK check first,
// pages never shown untouched, the page left checked before another shows.
// Windows only.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/message_box_watcher.h"
#include "tests/ui_win32/ui_user.h"
#include "ui/backend.h"
#include "ui/dialog.h"
#include "ui/win32/common_controls.h"

namespace {

using ui::ControlKind;
using ui::Notify;
namespace style = ui::style;

constexpr const char* kCaption = "Glintmere Sheet Test";

enum Id {
  kTitle = 4001,
  kCount,
  kBold,
  kFont,
  kFinish,
  kVersion,
};

constexpr ui::ControlSpec kGeneralControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "&Title:", 7, 9, 40, 8},
    {kTitle, ControlKind::kEdit, "", 50, 7, 150, 12},
    {ui::kIdStatic, ControlKind::kLabel, "&Count:", 7, 27, 40, 8},
    {kCount, ControlKind::kEdit, "", 50, 25, 40, 12},
};
constexpr ui::ControlSpec kStyleControls[] = {
    {kBold, ControlKind::kCheckBox, "&Bold", 7, 7, 80, 10},
    {ui::kIdStatic, ControlKind::kLabel, "&Font:", 7, 25, 40, 8},
    {kFont, ControlKind::kDropDownList, "", 50, 23, 100, 80},
};
constexpr ui::ControlSpec kAboutControls[] = {
    {kVersion, ControlKind::kLabel, "ver. 1.01", 7, 7, 100, 8},
    {kFinish, ControlKind::kPushButton, "Finish", 7, 25, 50, 14},
};
constexpr ui::DialogSpec kGeneralSpec{"General", 210, 120, kGeneralControls};
constexpr ui::DialogSpec kStyleSpec{"Style", 210, 120, kStyleControls};
constexpr ui::DialogSpec kAboutSpec{"About", 210, 120, kAboutControls};

// What happened, in order, from the GUI thread; read by the user thread.
class Log {
 public:
  void Add(const std::string& entry) {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.push_back(entry);
  }
  std::vector<std::string> Entries() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_;
  }
  bool Has(const std::string& entry) const {
    for (const std::string& seen : Entries()) {
      if (seen == entry) return true;
    }
    return false;
  }
  size_t Size() const { return Entries().size(); }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> entries_;
};

class LoggedPage : public ui::PropertyPage {
 public:
  LoggedPage(const ui::DialogSpec& spec, Log& log) : ui::PropertyPage(spec), log_(log) {}
  int inits = 0;
  bool refuse_activation = false;

 protected:
  void Add(const char* what) { log_.Add(std::string(spec().caption) + ":" + what); }
  bool OnInitDialog() override {
    ++inits;
    Add("init");
    return ui::PropertyPage::OnInitDialog();
  }
  bool OnSetActive() override {
    Add(refuse_activation ? "refused" : "set");
    return !refuse_activation;
  }
  bool OnKillActive() override {
    Add("kill");
    return ui::PropertyPage::OnKillActive();
  }
  void OnApply() override { Add("apply"); }
  void OnReset() override { Add("reset"); }
  void OnHelp() override { Add("help"); }

  Log& log_;
};

class GeneralPage : public LoggedPage {
 public:
  explicit GeneralPage(Log& log) : LoggedPage(kGeneralSpec, log) {}
  std::string title = "Scroller";
  uint32_t count = 3;

 protected:
  void DoDataExchange(ui::DataExchange& dx) override {
    dx.Text(kTitle, title);
    dx.Unsigned(kCount, count);
  }
};

class StylePage : public LoggedPage {
 public:
  explicit StylePage(Log& log) : LoggedPage(kStyleSpec, log) {}
  bool bold = false;
  std::string font = "Arial";

 protected:
  bool OnInitDialog() override {
    ui::ComboBox fonts = GetList(kFont);
    for (const char* name : {"Arial", "Courier", "Times"}) fonts.Add(name);
    return LoggedPage::OnInitDialog();
  }
  void DoDataExchange(ui::DataExchange& dx) override {
    dx.Check(kBold, bold);
    dx.ListText(kFont, font);
  }
};

class AboutPage : public LoggedPage {
 public:
  explicit AboutPage(Log& log) : LoggedPage(kAboutSpec, log) {}

 protected:
  void OnCommand(int id, Notify code, int) override {
    if (id == kFinish && code == Notify::kClicked) EndDialog(ui::kIdOk);
  }
};

class TestSheet : public ui::PropertySheet {
 public:
  explicit TestSheet(Log& log) : ui::PropertySheet(kCaption), log_(log), general(log), style(log), about(log) {
    AddPage(&general);
    AddPage(&style);
    AddPage(&about);
  }
  Log& log_;
  GeneralPage general;
  StylePage style;
  AboutPage about;
  // OK presses refused by the sheet's own check before one is let through.
  int refusals = 0;

 protected:
  bool OnOkPressed() override {
    log_.Add("sheet:ok");
    if (refusals > 0) {
      --refusals;
      return false;
    }
    return true;
  }
};

class SheetTest : public testing::Test {
 protected:
  ui::ScopedUiBackend backend_{&ui::Win32UiBackend()};
  ui::ScopedMessageBoxes boxes_{&ui::Win32UiBackend().MessageBoxes()};
  Log log_;
};

HWND TabControl(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
}

// A click on the tab of page `index`.
void ClickTab(HWND sheet, int index) {
  const HWND tabs = TabControl(sheet);
  RECT tab{};
  SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&tab));
  ui_test::ClickAt(tabs, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
}

TEST_F(SheetTest, APageNeverShownKeepsItsMembersAndIsNeverAsked) {
  TestSheet sheet(log_);
  sheet.SetStartPage(1);
  int result = 0, first_page = -1;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        ui_test::WaitUntil([&] { return ui_test::CurrentPage(window) != nullptr; });
        first_page = ui_test::CurrentPageIndex(window);
        ui_test::Click(ui_test::PageItem(window, kBold));
        ui_test::Choose(ui_test::PageItem(window, kFont), 2);
        ui_test::PressSheetButton(window, PSBTN_OK);
      },
      [&] { result = sheet.DoModal(); });

  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(first_page, 1);
  EXPECT_TRUE(sheet.style.bold);
  EXPECT_EQ(sheet.style.font, "Times");
  EXPECT_EQ(sheet.general.inits, 0);
  EXPECT_FALSE(sheet.general.IsCreated());
  EXPECT_EQ(sheet.general.title, "Scroller");
  EXPECT_EQ(sheet.general.count, 3u);
  // The sheet's check first, then the page being left, then every page shown.
  EXPECT_EQ(log_.Entries(), (std::vector<std::string>{"Style:init", "Style:set", "sheet:ok",
                                                      "Style:kill", "Style:apply"}));
  EXPECT_FALSE(sheet.IsOpen());
}

TEST_F(SheetTest, SwitchingTabsChecksThePageLeftAndOkSavesEveryPageShown) {
  TestSheet sheet(log_);
  int result = 0, after_set_cur_sel = -1, after_click = -1, tab_after_click = -1;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        ui_test::Type(ui_test::PageItem(window, kTitle), "Banner");
        ui_test::Type(ui_test::PageItem(window, kCount), "12");
        PropSheet_SetCurSel(window, nullptr, 1);
        after_set_cur_sel = ui_test::CurrentPageIndex(window);
        ui_test::Click(ui_test::PageItem(window, kBold));
        ClickTab(window, 2);
        ui_test::WaitUntil([&] { return ui_test::CurrentPageIndex(window) == 2; });
        after_click = ui_test::CurrentPageIndex(window);
        tab_after_click = static_cast<int>(SendMessageA(TabControl(window), TCM_GETCURSEL, 0, 0));
        ui_test::PressSheetButton(window, PSBTN_OK);
      },
      [&] { result = sheet.DoModal(); });

  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(after_set_cur_sel, 1);
  EXPECT_EQ(after_click, 2);
  EXPECT_EQ(tab_after_click, 2);
  EXPECT_EQ(sheet.general.title, "Banner");
  EXPECT_EQ(sheet.general.count, 12u);
  EXPECT_TRUE(sheet.style.bold);
  EXPECT_EQ(log_.Entries(),
            (std::vector<std::string>{"General:init", "General:set", "General:kill",
                                      "Style:init", "Style:set", "Style:kill", "About:init",
                                      "About:set", "sheet:ok", "About:kill", "General:apply",
                                      "Style:apply", "About:apply"}));
}

TEST_F(SheetTest, TheSheetsOwnCheckRefusingOkKeepsItOpenAndAsksNoPage) {
  TestSheet sheet(log_);
  sheet.refusals = 2;
  int result = 0;
  bool open_after_refusals = false;
  std::vector<std::string> after_refusals;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        ui_test::PressSheetButton(window, PSBTN_OK);
        // The OK button itself, and Return in a field.
        ui_test::WaitUntil([&] { return log_.Size() == 3; });
        ui_test::Click(GetDlgItem(window, IDOK));
        ui_test::WaitUntil([&] { return log_.Size() == 4; });
        ui_test::Settle(window);  // a sheet that wrongly closes is gone by now
        open_after_refusals = IsWindowVisible(window);
        after_refusals = log_.Entries();
        ui_test::Key(ui_test::PageItem(window, kTitle), VK_RETURN);
      },
      [&] { result = sheet.DoModal(); });

  EXPECT_TRUE(open_after_refusals);
  EXPECT_EQ(after_refusals, (std::vector<std::string>{"General:init", "General:set", "sheet:ok",
                                                      "sheet:ok"}));
  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_TRUE(log_.Has("General:apply"));
}

TEST_F(SheetTest, ARefusedFieldKeepsItsPageWhateverTheUserTries) {
  test_support::MessageBoxWatcher boxes;
  TestSheet sheet(log_);
  int result = 0;
  std::vector<int> pages_after_refusals;
  int tab_after_refusals = -1;
  bool open_after_refused_ok = false;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        ui_test::Type(ui_test::PageItem(window, kCount), "many");
        // Each way away from the page shows the message and stays.
        PostMessageA(window, PSM_SETCURSEL, 1, 0);
        ui_test::WaitUntil([&] { return boxes.Seen().size() == 1; });
        pages_after_refusals.push_back(ui_test::CurrentPageIndex(window));
        ClickTab(window, 2);
        ui_test::WaitUntil([&] { return boxes.Seen().size() == 2; });
        pages_after_refusals.push_back(ui_test::CurrentPageIndex(window));
        tab_after_refusals = static_cast<int>(SendMessageA(TabControl(window), TCM_GETCURSEL, 0, 0));
        ui_test::PressSheetButton(window, PSBTN_OK);
        ui_test::WaitUntil([&] { return boxes.Seen().size() == 3; });
        // The box is answered, then the sheet finishes the refused OK.
        ui_test::WaitUntil([&] { return IsWindowEnabled(window); });
        ui_test::Settle(window);
        open_after_refused_ok = IsWindowVisible(window);
        pages_after_refusals.push_back(ui_test::CurrentPageIndex(window));
        ui_test::Type(ui_test::PageItem(window, kCount), "7");
        ui_test::PressSheetButton(window, PSBTN_OK);
      },
      [&] { result = sheet.DoModal(); });

  const std::vector<test_support::SeenBox> seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 3u);
  for (const test_support::SeenBox& box : seen) {
    EXPECT_EQ(box.text, "Please enter a positive integer.");
  }
  EXPECT_EQ(pages_after_refusals, (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(tab_after_refusals, 0);
  EXPECT_TRUE(open_after_refused_ok);
  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(sheet.general.count, 7u);
  // The pages the user never reached were never made.
  EXPECT_EQ(sheet.style.inits, 0);
  EXPECT_EQ(sheet.about.inits, 0);
}

TEST_F(SheetTest, APageRefusingToBeShownLeavesTheSheetOnItsPage) {
  TestSheet sheet(log_);
  sheet.style.refuse_activation = true;
  int page_after_click = -1, tab_after_click = -1, page_after_set_cur_sel = -1;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        ClickTab(window, 1);
        ui_test::WaitUntil([&] { return log_.Has("Style:refused"); });
        page_after_click = ui_test::CurrentPageIndex(window);
        tab_after_click = static_cast<int>(SendMessageA(TabControl(window), TCM_GETCURSEL, 0, 0));
        PropSheet_SetCurSel(window, nullptr, 2);
        page_after_set_cur_sel = ui_test::CurrentPageIndex(window);
        ui_test::PressSheetButton(window, PSBTN_OK);
      },
      [&] { sheet.DoModal(); });

  EXPECT_EQ(page_after_click, 0);
  EXPECT_EQ(tab_after_click, 0);
  EXPECT_EQ(page_after_set_cur_sel, 2);
  // The page was made (its data loaded) but never became the active one;
  // the page still active was asked again when the user moved on.
  EXPECT_EQ(log_.Entries(),
            (std::vector<std::string>{"General:init", "General:set", "General:kill", "Style:init",
                                      "Style:refused", "General:kill", "About:init", "About:set",
                                      "sheet:ok", "About:kill", "General:apply", "Style:apply",
                                      "About:apply"}));
}

TEST_F(SheetTest, ApplyReachingThePagesDirectlyStillAsksTheSheetFirst) {
  // PSM_APPLY makes comctl32 ask the pages itself, as its own keyboard
  // handling does on some systems: the same rules decide, once per round.
  TestSheet sheet(log_);
  sheet.refusals = 1;
  int result = 0;
  std::vector<std::string> after_refusal, after_apply;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        SendMessageA(window, PSM_APPLY, 0, 0);
        after_refusal = log_.Entries();
        SendMessageA(window, PSM_APPLY, 0, 0);
        after_apply = log_.Entries();
        ui_test::PressSheetButton(window, PSBTN_CANCEL);
      },
      [&] { result = sheet.DoModal(); });

  EXPECT_EQ(after_refusal, (std::vector<std::string>{"General:init", "General:set", "sheet:ok"}));
  EXPECT_EQ(after_apply, (std::vector<std::string>{"General:init", "General:set", "sheet:ok",
                                                   "sheet:ok", "General:kill", "General:apply"}));
  // Cancelled in the end: cancelled it is.
  EXPECT_EQ(result, ui::kIdCancel);
  EXPECT_TRUE(log_.Has("General:reset"));
}

TEST_F(SheetTest, CancelResetsThePagesShownWhicheverWayItComes) {
  for (int way = 0; way < 3; ++way) {
    Log log;
    TestSheet sheet(log);
    int result = 0;
    ui_test::Drive(
        [&] {
          const HWND window = ui_test::WaitForWindow(kCaption);
          if (!window) return;
          PropSheet_SetCurSel(window, nullptr, 1);
          if (way == 0) ui_test::PressSheetButton(window, PSBTN_CANCEL);
          if (way == 1) ui_test::Key(ui_test::PageItem(window, kBold), VK_ESCAPE);
          if (way == 2) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        },
        [&] { result = sheet.DoModal(); });
    EXPECT_EQ(result, ui::kIdCancel) << "way " << way;
    EXPECT_TRUE(log.Has("General:reset")) << "way " << way;
    EXPECT_TRUE(log.Has("Style:reset")) << "way " << way;
    EXPECT_FALSE(log.Has("About:reset")) << "way " << way;
    EXPECT_FALSE(log.Has("General:apply")) << "way " << way;
  }
}

TEST_F(SheetTest, HelpGoesToTheActivePageAndAPageMayEndTheSheet) {
  TestSheet sheet(log_);
  sheet.SetHelpButton(true);
  sheet.SetStartPage(2);
  int result = 0;
  bool help_shown = false;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        const HWND help = GetDlgItem(window, IDHELP);
        help_shown = help && IsWindowVisible(help) && IsWindowEnabled(help);
        ui_test::PressSheetButton(window, PSBTN_HELP);
        ui_test::WaitUntil([&] { return log_.Has("About:help"); });
        ui_test::Click(ui_test::PageItem(window, kFinish));
      },
      [&] { result = sheet.DoModal(); });

  EXPECT_TRUE(help_shown);
  EXPECT_EQ(result, ui::kIdOk);
  // Ended by the page: no OK rules, no reset either.
  EXPECT_EQ(log_.Entries(), (std::vector<std::string>{"About:init", "About:set", "About:help"}));
}

}  // namespace

#endif
