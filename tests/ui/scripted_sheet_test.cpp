// The scripted backend with a property sheet: pages are made only when
// shown, the sheet's OK, Cancel, Help and tab rules run as with the real
// sheet; and the driver's default answers and matching rules.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/ui/test_dialogs.h"
#include "ui/backend.h"
#include "ui/scripted/scripted_backend.h"

namespace ui_test {
namespace {

using ui::ScriptedWindow;

inline constexpr ui::ControlSpec kGeneralControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Title:", 5, 5, 40, 8},
    {kIdName, ControlKind::kEdit, "", 50, 5, 100, 12},
    {kIdBold, ControlKind::kCheckBox, "Visible", 5, 20, 60, 10},
};
inline constexpr ui::ControlSpec kLayoutControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Width:", 5, 5, 40, 8},
    {kIdWidth, ControlKind::kEdit, "", 50, 5, 40, 12},
    {ui::kIdStatic, ControlKind::kLabel, "Speed:", 5, 20, 40, 8},
    {kIdSpeed, ControlKind::kSlider, "", 50, 20, 100, 15},
};
inline constexpr ui::ControlSpec kAdvancedControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Notes:", 5, 5, 40, 8},
    {kIdNotes, ControlKind::kEdit, "", 50, 5, 100, 40, style::kMultiLine},
};
inline constexpr ui::DialogSpec kGeneralSpec{"General", 200, 100, kGeneralControls};
inline constexpr ui::DialogSpec kLayoutSpec{"Layout", 200, 100, kLayoutControls};
inline constexpr ui::DialogSpec kAdvancedSpec{"Advanced", 200, 100, kAdvancedControls};

// A page that counts what the sheet does to it.
class CountingPage : public ui::PropertyPage {
 public:
  using ui::PropertyPage::PropertyPage;
  int inits = 0, applies = 0, resets = 0, helps = 0, destroys = 0;

 protected:
  bool OnInitDialog() override {
    ++inits;
    return PropertyPage::OnInitDialog();
  }
  void OnApply() override { ++applies; }
  void OnReset() override { ++resets; }
  void OnHelp() override { ++helps; }
  void OnDestroy() override { ++destroys; }
};

class GeneralPage : public CountingPage {
 public:
  GeneralPage() : CountingPage(kGeneralSpec) {}
  std::string title = "Welcome";
  bool visible = false;

 protected:
  void DoDataExchange(ui::DataExchange& dx) override {
    dx.Text(kIdName, title);
    dx.Check(kIdBold, visible);
  }
};

class LayoutPage : public CountingPage {
 public:
  LayoutPage() : CountingPage(kLayoutSpec) {}
  uint32_t width = 100;
  int speed = 2;

 protected:
  bool OnInitDialog() override {
    GetSlider(kIdSpeed).SetRange(0, 20);
    return CountingPage::OnInitDialog();
  }
  void DoDataExchange(ui::DataExchange& dx) override {
    dx.Unsigned(kIdWidth, width);
    dx.SliderPosition(kIdSpeed, speed);
  }
};

class AdvancedPage : public CountingPage {
 public:
  AdvancedPage() : CountingPage(kAdvancedSpec) {}
  std::string notes = "kept";

 protected:
  void DoDataExchange(ui::DataExchange& dx) override { dx.Text(kIdNotes, notes); }
};

class EffectSheet : public ui::PropertySheet {
 public:
  EffectSheet() : ui::PropertySheet("Effect Properties") {
    AddPage(&general);
    AddPage(&layout);
    AddPage(&advanced);
  }
  GeneralPage general;
  LayoutPage layout;
  AdvancedPage advanced;
  bool refuse_ok = false;

 protected:
  bool OnOkPressed() override {
    if (refuse_ok) ui::ShowMessage("Not now.", "Effect Properties");
    return !refuse_ok;
  }
};

using ScriptedSheetTest = ScriptedTest;

TEST_F(ScriptedSheetTest, OnlyPagesShownAreCreatedAndAPageNeverShownKeepsItsMembers) {
  EffectSheet sheet;
  driver().Expect("Effect Properties", [](ScriptedWindow& w) {
    EXPECT_TRUE(w.is_sheet());
    EXPECT_EQ(w.ActivePage(), "General");
    EXPECT_EQ(w.Text("Title:"), "Welcome");
    w.Type("Title:", "Spring");
    w.Check("Visible");
    w.SelectPage("layout");
    EXPECT_EQ(w.Position("Speed:"), 2);
    w.MoveSlider("Speed:", 7);
    w.PressOk();
  });
  EXPECT_EQ(sheet.DoModal(), ui::kIdOk);
  EXPECT_EQ(sheet.general.title, "Spring");
  EXPECT_TRUE(sheet.general.visible);
  EXPECT_EQ(sheet.layout.speed, 7);
  EXPECT_EQ(sheet.general.inits, 1);
  EXPECT_EQ(sheet.layout.inits, 1);
  EXPECT_EQ(sheet.advanced.inits, 0);
  EXPECT_FALSE(sheet.advanced.IsCreated());
  EXPECT_EQ(sheet.advanced.notes, "kept");
  EXPECT_EQ(sheet.general.applies + sheet.layout.applies, 2);
  EXPECT_EQ(sheet.advanced.applies, 0);
  EXPECT_EQ(sheet.general.destroys, 1);
  EXPECT_FALSE(sheet.general.IsOpen());
  EXPECT_FALSE(sheet.IsOpen());

  const ui::WindowRecord& record = driver().shown()[0];
  EXPECT_EQ(record.kind, ui::WindowKind::kSheet);
  EXPECT_EQ(record.pages, (std::vector<std::string>{"General", "Layout"}));
  ASSERT_EQ(record.controls.size(), 4u);
  EXPECT_EQ(record.controls[0].name, "General / Title:");
  EXPECT_EQ(record.controls[0].value, "Spring");
  EXPECT_EQ(record.controls[3].name, "Layout / Speed:");
  EXPECT_EQ(record.controls[3].value, "7");
}

TEST_F(ScriptedSheetTest, ASheetShownAgainMakesItsPagesAgainFromTheMembers) {
  EffectSheet sheet;
  driver().Expect("Effect Properties", [](ScriptedWindow& w) { w.Type("Title:", "First"); });
  driver().Expect("Effect Properties", [](ScriptedWindow& w) {
    EXPECT_EQ(w.Text("Title:"), "First");
    w.SelectPage("Layout");
    w.MoveSlider("Speed:", 4);
  });
  EXPECT_EQ(sheet.DoModal(), ui::kIdOk);
  EXPECT_EQ(sheet.DoModal(), ui::kIdOk);
  EXPECT_EQ(sheet.general.inits, 2);
  EXPECT_EQ(sheet.layout.inits, 1);
  EXPECT_EQ(sheet.layout.speed, 4);
}

TEST_F(ScriptedSheetTest, AControlOnAnotherPageBringsThatPageToTheFront) {
  EffectSheet sheet;
  sheet.SetStartPage(1);
  driver().Expect("Effect Properties", [](ScriptedWindow& w) {
    EXPECT_EQ(w.ActivePage(), "Layout");
    w.Type("Notes:", "one\ntwo");  // a multi-line field keeps its lines, CR LF
    EXPECT_EQ(w.ActivePage(), "Advanced");
    EXPECT_TRUE(w.Has("Visible"));
    EXPECT_FALSE(w.Has("Colour:"));
    w.Click("OK");
  });
  EXPECT_EQ(sheet.DoModal(), ui::kIdOk);
  EXPECT_EQ(sheet.advanced.notes, "one\r\ntwo");
  EXPECT_EQ(sheet.general.inits, 0);
  EXPECT_EQ(sheet.general.title, "Welcome");
}

TEST_F(ScriptedSheetTest, ARefusedPageOrOkKeepsTheSheetAndTheDefaultThenCancels) {
  EffectSheet sheet;
  sheet.refuse_ok = true;
  driver().Expect("Effect Properties", [&sheet](ScriptedWindow& w) {
    w.SelectPage("Layout");
    w.Type("Width:", "wide");
    w.SelectPage("General");  // the page's check refuses to let it go
    EXPECT_EQ(w.ActivePage(), "Layout");
    w.Type("Width:", "300");
    w.PressOk();  // now the sheet itself says no
    EXPECT_TRUE(w.IsOpen());
    sheet.refuse_ok = false;
    w.Type("Width:", "-1");
  });
  EXPECT_EQ(sheet.DoModal(), ui::kIdCancel);
  EXPECT_EQ(driver().MessageTexts(),
            (std::vector<std::string>{"Please enter a positive integer.", "Not now.",
                                      "Please enter a positive integer."}));
  EXPECT_TRUE(driver().shown()[0].ok_refused);
  EXPECT_EQ(sheet.general.resets + sheet.layout.resets, 2);
  EXPECT_EQ(sheet.advanced.resets, 0);
  EXPECT_EQ(sheet.layout.width, 100u);
}

TEST_F(ScriptedSheetTest, HelpGoesToTheActivePageOnlyWhenTheSheetShowsIt) {
  EffectSheet sheet;
  driver().Expect("", [this](ScriptedWindow& w) {
    ExpectErrors();
    w.PressHelp();
    EXPECT_EQ(driver().errors().size(), 1u);
    w.sheet()->SetHelpButton(true);
    w.SelectPage("Advanced");
    w.Click("Help");
    w.PressCancel();
  });
  EXPECT_EQ(sheet.DoModal(), ui::kIdCancel);
  EXPECT_EQ(sheet.advanced.helps, 1);
  EXPECT_EQ(sheet.general.helps, 0);
  EXPECT_EQ(driver().errors()[0],
            "\"Effect Properties\": cannot press Help: the sheet has no Help button");
}

TEST_F(ScriptedSheetTest, WindowsNobodyExpectedGetTheDefaultAnswers) {
  EffectSheet sheet;
  EXPECT_EQ(sheet.DoModal(), ui::kIdOk);
  EXPECT_EQ(sheet.general.applies, 1);
  BannerDialog dialog;
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  EXPECT_EQ(ui::ShowMessage("Replace it?", "Glintmere", ui::Buttons::kYesNoCancel), ui::Answer::kYes);
  EXPECT_EQ(ui::ShowMessage("Again?", "Glintmere", ui::Buttons::kRetryCancel), ui::Answer::kRetry);
  ui::Colour colour = ui::Rgb(1, 2, 3);
  EXPECT_FALSE(ui::GetUiBackend().ChooseColour(nullptr, &colour));
  EXPECT_EQ(colour, ui::Rgb(1, 2, 3));
  std::vector<std::string> paths;
  ui::FileDialogRequest open;
  open.title = "Open";
  EXPECT_EQ(ui::GetUiBackend().OpenFiles(open, &paths), ui::FileDialogResult::kCancelled);
  EXPECT_TRUE(paths.empty());

  const std::vector<ui::WindowRecord>& shown = driver().shown();
  ASSERT_EQ(shown.size(), 6u);
  for (const ui::WindowRecord& record : shown) EXPECT_FALSE(record.answered_by_entry);
  EXPECT_EQ(shown[1].answer, "OK");
  EXPECT_EQ(shown[2].answer, "Yes");
  EXPECT_EQ(shown[4].kind, ui::WindowKind::kColourDialog);
  EXPECT_EQ(shown[4].answer, "Cancel");
  EXPECT_EQ(shown[5].caption, "Open");
}

TEST_F(ScriptedSheetTest, EntriesAreTakenByCaptionThenInTheirOrder) {
  std::vector<std::string> ran;
  driver().Expect("Pick a Picture", [&ran](ScriptedWindow& w) {
    ran.push_back("pick");
    w.PressCancel();
  });
  driver().Expect("", [&ran](ScriptedWindow& w) {
    ran.push_back("any:" + w.caption());
    w.PressCancel();
  });
  driver().Expect("Banner Settings", [&ran](ScriptedWindow&) { ran.push_back("banner"); });
  driver().ExpectMessage("", "Second", ui::Answer::kNo);
  driver().ExpectMessage("Glintmere", "", ui::Answer::kCancel);
  driver().ExpectColour(ui::Rgb(0x12, 0x34, 0x56));
  driver().ExpectFiles("Add Images", {"C:\\a.gif", "C:\\b.gif"});
  driver().ExpectFiles("Open Sound", {"C:\\a.au", "C:\\b.au"});

  BannerDialog banner;
  EXPECT_EQ(banner.DoModal(), ui::kIdCancel);  // the entry without caption came first
  PickDialog pick;
  EXPECT_EQ(pick.DoModal(), ui::kIdCancel);
  EXPECT_EQ(banner.DoModal(), ui::kIdOk);  // the named entry, then the default OK
  EXPECT_EQ(ran, (std::vector<std::string>{"any:Banner Settings", "pick", "banner"}));

  EXPECT_EQ(ui::ShowMessage("First box", "Glintmere", ui::Buttons::kOkCancel), ui::Answer::kCancel);
  EXPECT_EQ(ui::ShowMessage("Second box", "Glintmere", ui::Buttons::kYesNo), ui::Answer::kNo);
  ui::Colour colour;
  EXPECT_TRUE(ui::GetUiBackend().ChooseColour(nullptr, &colour));
  EXPECT_EQ(colour, ui::Rgb(0x12, 0x34, 0x56));
  std::vector<std::string> paths;
  ui::FileDialogRequest request;
  request.title = "Add Images";
  request.filters = {{"Images", "*.gif"}};
  request.multiple = true;
  EXPECT_EQ(ui::GetUiBackend().OpenFiles(request, &paths), ui::FileDialogResult::kChosen);
  EXPECT_EQ(paths, (std::vector<std::string>{"C:\\a.gif", "C:\\b.gif"}));
  EXPECT_TRUE(driver().Unused().size() == 1u && driver().Unused()[0] == "file dialog \"Open Sound\"");

  // An answer the box cannot give, and two files for a one-file dialog.
  ExpectErrors();
  driver().ExpectMessage("", "", ui::Answer::kYes);
  EXPECT_EQ(ui::ShowMessage("Done.", "Glintmere"), ui::Answer::kOk);
  request.title = "Open Sound";
  request.multiple = false;
  EXPECT_EQ(ui::GetUiBackend().OpenFiles(request, &paths), ui::FileDialogResult::kChosen);
  EXPECT_EQ(paths, std::vector<std::string>{"C:\\a.au"});
  ASSERT_EQ(driver().errors().size(), 2u);
  EXPECT_EQ(driver().errors()[0], "the message box \"Done.\" has no Yes button; answered OK");
}

TEST_F(ScriptedSheetTest, FilesThatOverflowTheNameBufferAreTooMany) {
  using Result = ui::FileDialogResult;
  const std::vector<std::string> two = {"C:\\web\\a.gif", "C:\\web\\b.gif"};
  // "C:\web" NUL "a.gif" NUL "b.gif" NUL NUL: 20 bytes; one path and its
  // NUL: 13; a drive's root keeps its backslash: 17 (0: no limit).
  const std::vector<std::tuple<std::vector<std::string>, size_t, Result>> cases = {
      {two, 20, Result::kChosen},        {two, 19, Result::kTooMany},
      {{two[0]}, 13, Result::kChosen},   {{two[0]}, 12, Result::kTooMany},
      {{"C:\\a.gif", "C:\\b.gif"}, 16, Result::kTooMany}, {two, 0, Result::kChosen},
  };
  for (const auto& [chosen, buffer, result] : cases) {
    driver().ExpectFiles("", chosen);
    ui::FileDialogRequest request;
    request.multiple = true;
    request.name_buffer_size = buffer;
    std::vector<std::string> paths = {"kept"};
    EXPECT_EQ(ui::GetUiBackend().OpenFiles(request, &paths), result) << buffer;
    EXPECT_EQ(paths, result == Result::kChosen ? chosen : std::vector<std::string>{"kept"});
  }
}

TEST_F(ScriptedSheetTest, TheBackendAnswersTheModulesMessageBoxesWhileInForce) {
  driver().ExpectMessage("", "", ui::Answer::kNo);
  {
    ui::ScriptedBackend other;
    ui::ScopedScriptedBackend inner(&other);
    EXPECT_EQ(ui::ShowMessage("Inner", "", ui::Buttons::kYesNo), ui::Answer::kYes);
    EXPECT_EQ(other.driver().MessageTexts(), std::vector<std::string>{"Inner"});
  }
  EXPECT_EQ(ui::ShowMessage("Outer", "", ui::Buttons::kYesNo), ui::Answer::kNo);
  EXPECT_EQ(driver().MessageTexts(), std::vector<std::string>{"Outer"});
}

}  // namespace
}  // namespace ui_test
