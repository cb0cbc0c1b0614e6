// Rich-text boxes of the Win32 backend: real RichEdit controls whose
// positions count a line break as two characters, whose formats and masks
// match the portable document's, and whose RTF the document reads and writes
// both ways. Windows only.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "richtext/document.h"
#include "tests/ui_win32/screenshot.h"
#include "tests/ui_win32/ui_user.h"
#include "ui/backend.h"
#include "ui/dialog.h"
#include "ui/win32/common_controls.h"

namespace {

using ui::ControlKind;
using ui::Notify;
namespace style = ui::style;

constexpr const char* kCaption = "Glintmere Rich Text Test";
constexpr int kFirst = 1201;
constexpr int kSecond = 1202;
constexpr ui::ControlSpec kControls[] = {
    {kFirst, ControlKind::kRichEdit, "", 7, 7, 200, 50,
     style::kMultiLine | style::kWantReturn | style::kVScroll | style::kHScroll},
    {kSecond, ControlKind::kRichEdit, "", 7, 62, 200, 50, style::kMultiLine | style::kWantReturn},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 157, 118, 50, 14},
};
constexpr ui::DialogSpec kSpec{kCaption, 214, 139, kControls};

class RichDialog : public ui::Dialog {
 public:
  RichDialog() : ui::Dialog(kSpec) {}
  std::vector<Notify> first_events;
  // Filled by the checks run inside the dialog.
  std::function<void(RichDialog&)> on_init;

 protected:
  bool OnInitDialog() override {
    if (on_init) on_init(*this);
    return true;
  }
  void OnCommand(int id, Notify code, int) override {
    if (id == kFirst && (code == Notify::kChanged || code == Notify::kSelectionChanged)) {
      first_events.push_back(code);
    }
  }
};

richtext::CharFormat Plain() {
  richtext::CharFormat format;
  format.face = "Arial";
  format.height = 200;
  return format;
}

TEST(RichEditTest, PositionsFormatsAndRtfAgreeWithTheDocument) {
  RichDialog dialog;
  std::string rtf_from_control;
  richtext::Document from_control;
  bool read = false;
  uint32_t mixed_mask = 0, bold_mask = 0;
  richtext::CharFormat bold_seen;
  int line_index = -1, line_length = -1, line_of = -1, length = -1;
  std::string range, second_text;
  uint32_t second_mask = 0;
  richtext::CharFormat second_seen;
  dialog.on_init = [&](RichDialog& d) {
    ui::RichEdit first = d.GetRichEdit(kFirst);
    first.SetText("Hello bold\r\nSecond red line");
    length = first.Length();
    line_index = first.LineIndex(1);
    line_length = first.LineLength(1);
    line_of = first.LineFromChar(13);
    range = first.TextRange(8, 14);
    richtext::CharFormat bold = Plain();
    bold.bold = true;
    first.SetSelection(6, 10);
    first.SetFormat(ui::RichEdit::Target::kSelection, bold, richtext::mask::kBold);
    richtext::CharFormat red = Plain();
    red.colour = richtext::Colour(RGB(255, 0, 0));
    first.SetSelection(19, 22);
    first.SetFormat(ui::RichEdit::Target::kSelection, red, richtext::mask::kColour);
    first.SetSelection(4, 8);
    mixed_mask = first.GetFormat(&bold_seen);
    first.SetSelection(7, 9);
    bold_mask = first.GetFormat(&bold_seen);
    rtf_from_control = first.Rtf();
    read = from_control.ReadRtf(rtf_from_control);

    // The document's RTF into the second box.
    richtext::Document document;
    document.SetText("Alpha beta\r\ngamma");
    richtext::CharFormat italic = Plain();
    italic.italic = true;
    italic.colour = richtext::Colour(RGB(0, 0, 255));
    document.ApplyFormat(6, 10, italic, richtext::mask::kItalic | richtext::mask::kColour);
    ui::RichEdit second = d.GetRichEdit(kSecond);
    EXPECT_TRUE(second.SetRtf(document.WriteRtf()));
    second_text = second.TextRange(0, -1);
    second.SetSelection(6, 10);
    second_mask = second.GetFormat(&second_seen);
  };
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        ui_test::Painted(window);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(window), "rich_edit_boxes");
        ui_test::Click(ui_test::Item(window, IDOK));
      },
      [&] { dialog.DoModal(); });

  EXPECT_EQ(length, 27);  // the line break counts two
  EXPECT_EQ(line_index, 12);
  EXPECT_EQ(line_length, 15);
  EXPECT_EQ(line_of, 1);
  EXPECT_EQ(range, "ld\r\nSe");
  EXPECT_EQ(mixed_mask & richtext::mask::kBold, 0u);
  EXPECT_NE(mixed_mask & richtext::mask::kFace, 0u);
  EXPECT_NE(bold_mask & richtext::mask::kBold, 0u);
  EXPECT_TRUE(bold_seen.bold);

  ASSERT_TRUE(read) << rtf_from_control;
  EXPECT_EQ(from_control.Text(), "Hello bold\r\nSecond red line") << rtf_from_control;
  richtext::CharFormat seen;
  EXPECT_NE(from_control.GetFormat(6, 10, &seen) & richtext::mask::kBold, 0u);
  EXPECT_TRUE(seen.bold);
  EXPECT_FALSE(from_control.GetFormat(0, 5, &seen) == 0 || seen.bold);
  from_control.GetFormat(19, 22, &seen);
  EXPECT_EQ(seen.colour, richtext::Colour(RGB(255, 0, 0)));
  from_control.GetFormat(12, 18, &seen);
  EXPECT_EQ(seen.colour, richtext::Colour(0));

  EXPECT_EQ(second_text, "Alpha beta\r\ngamma");
  EXPECT_NE(second_mask & richtext::mask::kItalic, 0u);
  EXPECT_TRUE(second_seen.italic);
  EXPECT_EQ(second_seen.colour, richtext::Colour(RGB(0, 0, 255)));
}

TEST(RichEditTest, TypingNotifiesSelectionAndTextChanges) {
  RichDialog dialog;
  std::string text;
  dialog.on_init = [](RichDialog& d) { d.GetRichEdit(kFirst).SetText(""); };
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        const HWND box = ui_test::Item(window, kFirst);
        ui_test::TypeKeys(box, "ab");
        ui_test::WaitUntil([&] { return dialog.first_events.size() >= 4; }, 2000);
        text = ui_test::Text(box);
        ui_test::Click(ui_test::Item(window, IDOK));
      },
      [&] { dialog.DoModal(); });
  EXPECT_EQ(text, "ab");
  // Each keystroke tells of both; the selection change comes first, as the
  // scripted boxes tell it.
  int changed = 0, selected = 0;
  for (Notify event : dialog.first_events) {
    if (event == Notify::kChanged) ++changed;
    if (event == Notify::kSelectionChanged) ++selected;
  }
  EXPECT_EQ(changed, 2);
  EXPECT_GE(selected, 2);  // the click that gave the focus may move the caret too
  const auto first_change =
      std::find(dialog.first_events.begin(), dialog.first_events.end(), Notify::kChanged);
  ASSERT_NE(first_change, dialog.first_events.begin());
  EXPECT_EQ(*(first_change - 1), Notify::kSelectionChanged);
}

}  // namespace

#endif
