// Rich-text boxes under the scripted backend: typing at the caret with the
// notifications RichEdit gives, positions that count a line break as two,
// formats of a selection, and RTF in and out.
#include <gtest/gtest.h>

#include "tests/ui/test_dialogs.h"
#include "ui/scripted/scripted_backend.h"

namespace ui_test {
namespace {

using ui::ControlKind;
using ui::Notify;
using ui::ScriptedWindow;
namespace style = ui::style;

constexpr int kHeader = 301;
constexpr int kMain = 302;
constexpr ui::ControlSpec kNotesControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Header:", 7, 7, 100, 8},
    {kHeader, ControlKind::kRichEdit, "", 7, 17, 200, 40,
     style::kMultiLine | style::kWantReturn | style::kVScroll | style::kHScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Main:", 7, 60, 100, 8},
    {kMain, ControlKind::kRichEdit, "", 7, 70, 200, 60,
     style::kMultiLine | style::kWantReturn | style::kNoHideSelection},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 100, 140, 50, 14},
};
constexpr ui::DialogSpec kNotesSpec{"Notes", 220, 160, kNotesControls};

class NotesDialog : public ui::Dialog {
 public:
  NotesDialog() : ui::Dialog(kNotesSpec) {}
  std::vector<Event> events;
  // What the main box showed at each of its notifications.
  std::vector<std::pair<int, int>> selections;
  std::vector<int> lengths;

 protected:
  void OnCommand(int id, Notify code, int index) override {
    events.push_back({id, code, index});
    if (id == kMain && (code == Notify::kSelectionChanged || code == Notify::kChanged)) {
      int start = 0, end = 0;
      GetRichEdit(kMain).GetSelection(&start, &end);
      selections.emplace_back(start, end);
      lengths.push_back(GetRichEdit(kMain).Length());
    }
  }
};

using ScriptedRichEditTest = ScriptedTest;

TEST_F(ScriptedRichEditTest, TypingGoesToTheCaretKeyByKeyAndLineBreaksCountTwo) {
  NotesDialog dialog;
  driver().Expect("Notes", [&](ScriptedWindow& w) {
    w.Type("Main:", "ab\ncd");
    ui::RichEdit main = dialog.GetRichEdit(kMain);
    EXPECT_EQ(main.Length(), 6);
    EXPECT_EQ(w.Text("Main:"), "ab\r\ncd");
    EXPECT_EQ(main.LineCount(), 2);
    EXPECT_EQ(main.LineIndex(1), 4);
    EXPECT_EQ(main.LineLength(1), 2);
    EXPECT_EQ(main.LineFromChar(5), 1);
    EXPECT_EQ(main.TextRange(1, 5), "b\r\nc");

    w.SelectRange("Main:", 1, 1);
    w.Type("Main:", "X");  // at the caret, not replacing the text
    EXPECT_EQ(w.Text("Main:"), "aXb\r\ncd");
    w.SelectRange("Main:", 7, 7);
    w.Type("Main:", "\b\b\b");  // "d", "c", then the line break as a whole
    EXPECT_EQ(w.Text("Main:"), "aXb");
    w.SelectRange("Main:", 0, 2);
    w.Type("Main:", "\x7f");  // Delete takes the selection
    EXPECT_EQ(w.Text("Main:"), "b");
    w.SelectRange("Main:", 1, 1);
    w.Type("Main:", "\nc");
    w.SelectRange("Main:", 1, 1);
    w.Type("Main:", "\x7f");  // the line break after the caret, as a whole
    EXPECT_EQ(w.Text("Main:"), "bc");
    w.PressOk();
  });
  dialog.DoModal();
  // Focus first, then per keystroke the caret's move and the text change.
  ASSERT_GE(dialog.events.size(), 3u);
  EXPECT_EQ(dialog.events[0], (Event{kMain, Notify::kSetFocus, -1}));
  EXPECT_EQ(dialog.events[1], (Event{kMain, Notify::kSelectionChanged, -1}));
  EXPECT_EQ(dialog.events[2], (Event{kMain, Notify::kChanged, -1}));
  EXPECT_EQ(dialog.selections[0], std::make_pair(1, 1));
  EXPECT_EQ(dialog.lengths[0], 1);
  // "ab\ncd" is five keystrokes; the line break moved the caret by two.
  EXPECT_EQ(dialog.selections[4], std::make_pair(4, 4));
}

TEST_F(ScriptedRichEditTest, SelectionFormatsReportWhatIsUniform) {
  NotesDialog dialog;
  driver().Expect("Notes", [&](ScriptedWindow& w) {
    ui::RichEdit main = dialog.GetRichEdit(kMain);
    w.Type("Main:", "plain bold");
    richtext::CharFormat bold;
    bold.bold = true;
    w.SelectRange("Main:", 6, 10);
    main.SetFormat(ui::RichEdit::Target::kSelection, bold, richtext::mask::kBold);
    richtext::CharFormat red;
    red.colour = ui::Rgb(255, 0, 0);
    main.SetFormat(ui::RichEdit::Target::kAll, red, richtext::mask::kColour);

    richtext::CharFormat seen;
    w.SelectRange("Main:", 4, 8);  // plain and bold
    uint32_t uniform = main.GetFormat(&seen);
    EXPECT_EQ(uniform & richtext::mask::kBold, 0u);
    EXPECT_NE(uniform & richtext::mask::kColour, 0u);
    EXPECT_EQ(seen.colour, ui::Rgb(255, 0, 0));
    w.SelectRange("Main:", 7, 9);
    uniform = main.GetFormat(&seen);
    EXPECT_NE(uniform & richtext::mask::kBold, 0u);
    EXPECT_TRUE(seen.bold);

    // RTF out of one box loads into the other with the same text and looks.
    const std::string rtf = main.Rtf();
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u) << rtf;
    ui::RichEdit header = dialog.GetRichEdit(kHeader);
    EXPECT_TRUE(header.SetRtf(rtf));
    EXPECT_EQ(w.Text("Header:"), "plain bold");
    EXPECT_FALSE(header.SetRtf("{\\rtf1 unbalanced"));
    EXPECT_EQ(w.Text("Header:"), "plain bold");  // a refused RTF changes nothing
    w.PressOk();
  });
  dialog.DoModal();
}

}  // namespace
}  // namespace ui_test
