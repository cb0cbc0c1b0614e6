// The scripted backend with a dialog: the controls behave as the Windows
// controls do, the driver's steps fire the events a user's actions fire,
// and the data exchange round-trips through them.
#include <gtest/gtest.h>

#include "tests/ui/test_dialogs.h"
#include "ui/scripted/scripted_backend.h"

namespace ui_test {
namespace {

using ui::Notify;
using ui::ScriptedWindow;

using ScriptedDialogTest = ScriptedTest;

TEST_F(ScriptedDialogTest, MembersGoIntoTheControlsAndTypedValuesComeBackOnOk) {
  BannerDialog dialog;
  driver().Expect("Banner Settings", [](ScriptedWindow& w) {
    EXPECT_EQ(w.Text("Name:"), "Hello");
    EXPECT_EQ(w.Text("Width:"), "320");
    EXPECT_EQ(w.Text("Offset:"), "-4");
    EXPECT_TRUE(w.IsChecked("Bold"));
    EXPECT_TRUE(w.IsChecked("Centre"));
    EXPECT_EQ(w.Text("Font:"), "Courier");  // a drop-down list shows its selection
    EXPECT_EQ(w.Text("Style:"), "plain");
    EXPECT_EQ(w.Position("Speed:"), 5);
    EXPECT_EQ(w.SelectedItem("Colour:"), "Black");

    w.Type("Name:", "Sunrise over the bay");  // the field takes 8 characters
    w.Type("Width:", "640");
    w.Type("Offset:", "-12");
    w.Check("Bold", false);
    w.Check("Right");
    w.Select("Font:", "times");  // exact text first, then without regard to case
    w.Type("Style:", "outline");
    w.MoveSlider("Speed:", 42);  // kept inside 1..10
    w.Select("Colour:", 1);
    w.CheckRow("Files:", "b.gif");
    w.dialog()->GetEdit(kIdSecret).SetText("pw");
    w.PressOk();
  });
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  EXPECT_EQ(dialog.name, "Sunrise ");
  EXPECT_EQ(dialog.width, 640u);
  EXPECT_EQ(dialog.offset, -12);
  EXPECT_FALSE(dialog.bold);
  EXPECT_EQ(dialog.align, 2);
  EXPECT_EQ(dialog.font, "Times");
  EXPECT_EQ(dialog.style_text, "outline");
  EXPECT_EQ(dialog.speed, 10);
  EXPECT_EQ(dialog.colour, 1);
  EXPECT_EQ(dialog.file_checks, (std::vector<bool>{false, true}));
  EXPECT_FALSE(dialog.IsOpen());

  ASSERT_EQ(driver().shown().size(), 1u);
  const ui::WindowRecord& record = driver().shown()[0];
  EXPECT_EQ(record.kind, ui::WindowKind::kDialog);
  EXPECT_TRUE(record.answered_by_entry);
  EXPECT_EQ(record.answer, "OK");
  auto value_of = [&record](const std::string& name) {
    for (const ui::ControlReport& report : record.controls) {
      if (report.name == name) return report.value;
    }
    return std::string("(not reported)");
  };
  EXPECT_EQ(value_of("Name:"), "Sunrise ");
  EXPECT_EQ(value_of("Right"), "checked");
  EXPECT_EQ(value_of("Files:"), "selected: ; checked: b.gif");
  EXPECT_EQ(value_of("Speed:"), "10");
  EXPECT_EQ(value_of("id 115"), "**");  // the hidden password field, masked
}

// Row ticks and slider drags are in the dialog contract, checked against
// the real controls too.
TEST_F(ScriptedDialogTest, StepsFireTheEventsOfTheRealControls) {
  BannerDialog dialog;
  driver().Expect("", [](ScriptedWindow& w) {
    w.Type("Name:", "X");
    w.Select("Font:", "Courier");  // already selected: nothing changes
    w.Select("Font:", "arial");
    w.Check("Bold", true);         // already ticked: no click
    w.Click("Bold");               // a click toggles it
    w.Check("Left");
    w.DoubleClick("Files:", 1);
    w.PressCancel();
  });
  EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
  const std::vector<Event> expected = {
      {kIdName, Notify::kChanged, -1},
      {kIdName, Notify::kKillFocus, -1},  // the focus moves on to the font list
      {kIdFont, Notify::kSelectionChanged, 1},
      {kIdFont, Notify::kKillFocus, -1},
      {kIdBold, Notify::kClicked, -1},
      {kIdLeft, Notify::kClicked, -1},
      {kIdFiles, Notify::kSelectionChanged, 1},
      {kIdFiles, Notify::kDoubleClicked, 1},
  };
  EXPECT_EQ(dialog.events, expected);
  // Cancel leaves the members alone.
  EXPECT_EQ(dialog.name, "Hello");
  EXPECT_TRUE(dialog.bold);
}

TEST_F(ScriptedDialogTest, NumberFieldsRefuseTextAndKeepTheDialogOpenWithTheFocusOnTheField) {
  BannerDialog dialog;
  driver().Expect("Banner Settings", [this](ScriptedWindow& w) {
    w.Type("Width:", "12px");
    w.PressOk();
    EXPECT_TRUE(w.IsOpen());
    EXPECT_EQ(backend_.ForegroundWindow(), w.dialog()->handle());
    EXPECT_EQ(w.scripted_window()->focus(), kIdWidth);
    const ui::ScriptedControl* width = w.scripted_window()->Find(kIdWidth);
    EXPECT_EQ(width->select_start, 0);  // the whole text is selected for retyping
    EXPECT_EQ(width->select_end, 4);

    w.Type("Width:", "-3");  // negative: still not a positive integer
    w.Type("Offset:", "4.5");
    w.PressOk();
    EXPECT_TRUE(w.IsOpen());
    w.Type("Width:", " 7 ");  // blanks around a number are fine
    w.PressOk();
    EXPECT_TRUE(w.IsOpen());
    EXPECT_EQ(w.scripted_window()->focus(), kIdOffset);
    w.Type("Offset:", "-2147483648");
    w.PressOk();
  });
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  EXPECT_EQ(dialog.width, 7u);
  EXPECT_EQ(dialog.offset, INT32_MIN);
  const std::vector<std::string> boxes = {"Please enter a positive integer.",
                                          "Please enter a positive integer.",
                                          "Please enter an integer."};
  EXPECT_EQ(driver().MessageTexts(), boxes);
  EXPECT_EQ(driver().shown()[1].caption, "Glintmere");
  EXPECT_EQ(driver().shown()[1].icon, ui::Icon::kWarning);
  EXPECT_EQ(driver().shown()[1].depth, 1);
}

TEST_F(ScriptedDialogTest, RefusedOkByDefaultEndsInCancelAndIsRecorded) {
  BannerDialog dialog;
  dialog.width = 1;
  driver().Expect("Banner Settings", [](ScriptedWindow& w) { w.Type("Offset:", "many"); });
  EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
  EXPECT_EQ(dialog.offset, -4);
  ASSERT_EQ(driver().shown().size(), 2u);
  EXPECT_EQ(driver().shown()[1].text, "Please enter an integer.");
  EXPECT_TRUE(driver().shown()[0].ok_refused);
  EXPECT_EQ(driver().shown()[0].answer, "Cancel");
}

TEST_F(ScriptedDialogTest, RadioButtonsOfAGroupTakeTurnsOnlyWhenClicked) {
  BannerDialog dialog;
  driver().Expect("Banner Settings", [this](ScriptedWindow& w) {
    w.Check("Right");
    EXPECT_FALSE(w.IsChecked("Centre"));
    EXPECT_TRUE(w.IsChecked("Right"));
    EXPECT_TRUE(w.IsChecked("Bold"));  // not of the group
    // The program setting a button does not clear the others.
    w.dialog()->GetButton(kIdLeft).SetChecked(true);
    EXPECT_TRUE(w.IsChecked("Right"));
    ExpectErrors();
    w.Check("Right", false);
    EXPECT_EQ(driver().errors().size(), 1u);
    w.dialog()->GetButton(kIdLeft).SetChecked(false);
  });
  dialog.DoModal();
  // The failed step cancelled the dialog: nothing was taken.
  EXPECT_EQ(dialog.align, 1);
  EXPECT_EQ(driver().shown()[0].answer, "Cancel");
  EXPECT_NE(driver().errors()[0].find("cannot untick the radio button \"Right\""),
            std::string::npos);
}

TEST_F(ScriptedDialogTest, ListsSortAsWindowsDoesAndDropDownListsShowTheirSelection) {
  BannerDialog dialog;
  driver().Expect("Banner Settings", [](ScriptedWindow& w) {
    ui::ListControl fonts = w.dialog()->GetList(kIdFont);
    EXPECT_EQ(w.Items("Font:"), (std::vector<std::string>{"_System", "arial", "Courier", "Times"}));
    EXPECT_EQ(fonts.Add("Bodoni"), 2);  // sorted, and the index says where
    EXPECT_EQ(fonts.Add("zapf"), 5);
    EXPECT_EQ(fonts.Add("ARIAL"), 2);   // after the equal one
    EXPECT_EQ(fonts.Insert(0, "Zeta"), 0);  // inserting puts it where asked
    EXPECT_EQ(fonts.Insert(99, "Nowhere"), -1);
    EXPECT_EQ(w.SelectedItem("Font:"), "Courier");  // the selection moved with its item
    EXPECT_EQ(fonts.Selection(), 5);
    fonts.Select(-1);
    EXPECT_EQ(w.Text("Font:"), "");
    fonts.Select(77);  // out of range clears too
    EXPECT_EQ(fonts.Selection(), -1);
    w.dialog()->GetControl(kIdFont).SetText("BODONI");  // a drop-down list shows an item
    EXPECT_EQ(w.Text("Font:"), "Bodoni");
    fonts.Delete(fonts.Selection());
    EXPECT_EQ(fonts.Selection(), -1);

    // The combo box's edit part: typing clears the selection, selecting
    // sets the text, emptying the list empties it.
    ui::ComboBox styles = w.dialog()->GetList(kIdStyle);
    w.Select("Style:", "shadow");
    EXPECT_EQ(w.Text("Style:"), "shadow");
    w.Type("Style:", "shad");
    EXPECT_EQ(styles.Selection(), -1);
    styles.Clear();
    EXPECT_EQ(w.Text("Style:"), "");

    // Multiple selection.
    ui::ListView files = w.dialog()->GetListView(kIdFiles);
    EXPECT_EQ(files.RowText(1, 1), "20");
    EXPECT_EQ(files.RowText(1, 5), "");
    EXPECT_EQ(files.Add("c.gif", 7), 2);
    EXPECT_EQ(files.ItemData(2), 7);
    EXPECT_EQ(w.Items("Files:"), (std::vector<std::string>{"a.gif", "b.gif", "c.gif"}));
    w.PressCancel();
  });
  dialog.DoModal();
}

TEST_F(ScriptedDialogTest, TypingIsCutAtTheLimitButTheProgramsTextIsNot) {
  BannerDialog dialog;
  driver().Expect("Banner Settings", [](ScriptedWindow& w) {
    ui::Edit name = w.dialog()->GetEdit(kIdName);  // limited to 8 by the data exchange
    name.SetText("A longer name than eight");
    EXPECT_EQ(w.Text("Name:"), "A longer name than eight");
    w.Type("Name:", "0123456789");
    EXPECT_EQ(w.Text("Name:"), "01234567");
    name.SetLimit(0);  // no limit
    w.Type("Name:", "0123456789");
    EXPECT_EQ(w.Text("Name:"), "0123456789");
    w.Type("Name:", "first\r\nsecond");  // Return ends a one-line field
    EXPECT_EQ(w.Text("Name:"), "first");
    w.PressCancel();
  });
  dialog.DoModal();
}

TEST_F(ScriptedDialogTest, UsersCannotReachDisabledOrHiddenControlsAndUnknownOnesAreNamed) {
  ExpectErrors();
  BannerDialog dialog;
  driver().Expect("Banner Settings", [](ScriptedWindow& w) {
    EXPECT_FALSE(w.IsEnabled("Notes:"));
    w.Type("Notes:", "x");
    EXPECT_TRUE(w.failed());
    w.Type(kIdSecret, "x");
    w.Type("Colour:", "x");
    w.Select("Font:", "Wingdings");
    w.Type("Nothing:", "x");
    // The program naming an id the dialog lacks.
    EXPECT_EQ(w.dialog()->GetEdit(999).Text(), "");
    w.Click("OK");
  });
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  const std::vector<std::string>& errors = driver().errors();
  ASSERT_EQ(errors.size(), 6u);
  EXPECT_EQ(errors[0], "\"Banner Settings\": cannot type into \"Notes:\": it is disabled");
  EXPECT_EQ(errors[1], "\"Banner Settings\": cannot type into id 115: it is hidden");
  EXPECT_EQ(errors[2], "\"Banner Settings\": \"Colour:\" is not an edit field");
  EXPECT_EQ(errors[3],
            "\"Banner Settings\": no item \"Wingdings\" in \"Font:\" (items: \"_System\", \"arial\", "
            "\"Courier\", \"Times\")");
  EXPECT_EQ(errors[4], "\"Banner Settings\": no control \"Nothing:\"");
  EXPECT_EQ(errors[5],
            "\"Banner Settings\": GetText names control id 999, which the dialog does not have");
}

TEST_F(ScriptedDialogTest, ClickingOpensNestedDialogsAndMessageBoxesAnsweredInTurn) {
  BannerDialog dialog;
  driver().Expect("Banner Settings", [](ScriptedWindow& w) {
    w.Click("Browse...");  // found without its mnemonic mark
    EXPECT_EQ(w.Text("Name:"), "Beach.jpg");
    w.Click("Ask");
    w.Check("Bold", false);
    EXPECT_FALSE(w.IsEnabled("Notes:"));
    w.Click("Bold");
    EXPECT_TRUE(w.IsEnabled("Notes:"));  // the click handler's doing
  });
  driver().ExpectMessage("Banner", "Use the picture", ui::Answer::kNo);
  driver().Expect("Pick a Picture", [](ScriptedWindow& w) {
    EXPECT_EQ(w.Items("Pick:"), (std::vector<std::string>{"apple.gif", "Beach.jpg", "sunset.gif"}));
    w.DoubleClick("Pick:", "Beach.jpg");
    w.PressOk();
  });
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  EXPECT_EQ(dialog.picked, "Beach.jpg");
  EXPECT_EQ(dialog.asked, ui::Answer::kNo);
  EXPECT_EQ(dialog.name, "Beach.jp");

  const std::vector<ui::WindowRecord>& shown = driver().shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].caption, "Banner Settings");
  EXPECT_EQ(shown[1].caption, "Pick a Picture");
  EXPECT_EQ(shown[1].depth, 1);
  EXPECT_EQ(shown[1].answer, "OK");
  EXPECT_EQ(shown[2].kind, ui::WindowKind::kMessageBox);
  EXPECT_EQ(shown[2].buttons, ui::Buttons::kYesNo);
  EXPECT_EQ(shown[2].answer, "No");
  EXPECT_TRUE(driver().Unused().empty());
}

TEST_F(ScriptedDialogTest, ModelessDialogsAreRecordedAndCloseThemselves) {
  BannerDialog progress;
  ASSERT_TRUE(progress.OpenModeless());
  EXPECT_EQ(progress.init_calls, 1);
  EXPECT_EQ(backend_.ForegroundWindow(), progress.handle());
  progress.GetEdit(kIdName).SetText("Publishing");
  progress.EndDialog(ui::kIdOk);  // from inside, as a progress window does
  EXPECT_FALSE(progress.IsOpen());
  progress.Close();  // already closed: nothing happens
  ASSERT_EQ(driver().shown().size(), 1u);
  EXPECT_EQ(driver().shown()[0].kind, ui::WindowKind::kModeless);
  EXPECT_EQ(driver().shown()[0].controls[0].value, "Publishing");
  EXPECT_EQ(backend_.ForegroundWindow(), nullptr);
}

TEST_F(ScriptedDialogTest, ResizingTellsTheDialogItsClientSize) {
  class Sized : public BannerDialog {
   public:
    int width_seen = 0, height_seen = 0;

   protected:
    bool OnInitDialog() override {
      window()->SetWindowSize(406, 325);
      return BannerDialog::OnInitDialog();
    }
    void OnSize(int width, int height) override {
      width_seen = width;
      height_seen = height;
      window()->MoveControl(ui::kIdOk, width / 2, height - 30, 50, 20);
    }
  } dialog;
  driver().Expect("", [&dialog](ScriptedWindow& w) {
    int width = 0, height = 0;
    w.dialog()->window()->GetClientSize(&width, &height);
    EXPECT_EQ(width, dialog.width_seen);
    EXPECT_EQ(height, dialog.height_seen);
    EXPECT_EQ(w.scripted_window()->Find(ui::kIdOk)->y, height - 30);
    w.PressCancel();
  });
  dialog.DoModal();
  EXPECT_GT(dialog.width_seen, 0);
}

}  // namespace
}  // namespace ui_test
