// Modal dialogs of the Win32 backend as a user meets them: the data exchange
// between members and real controls, the events the controls send, OK,
// Cancel, Return and Escape, a refused number with its real message box,
// and the layout the control table asks for. Windows only.
#if defined(_WIN32)

#include <gtest/gtest.h>

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
using ui_test::Item;

enum Id {
  kName = 1001,
  kWidth,
  kTile,
  kLeft,
  kRight,
  kAlign,
  kSpeed,
  kRename,
};

constexpr const char* kCaption = "Glintmere Dialog Test";

constexpr ui::ControlSpec kControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "&Name:", 7, 9, 44, 8},
    {kName, ControlKind::kEdit, "", 54, 7, 130, 12},
    {ui::kIdStatic, ControlKind::kLabel, "&Width:", 7, 25, 44, 8},
    {kWidth, ControlKind::kEdit, "", 54, 23, 40, 12, style::kNumber},
    {kTile, ControlKind::kCheckBox, "&Tile image", 7, 42, 90, 10},
    {ui::kIdStatic, ControlKind::kGroupBox, "Side", 7, 56, 177, 26},
    {kLeft, ControlKind::kRadioButton, "&Left", 15, 67, 50, 10},
    {kRight, ControlKind::kRadioButton, "&Right", 80, 67, 50, 10},
    {ui::kIdStatic, ControlKind::kLabel, "&Alignment:", 7, 90, 44, 8},
    {kAlign, ControlKind::kDropDownList, "", 54, 88, 80, 60, style::kSorted},
    {kSpeed, ControlKind::kSlider, "Speed", 7, 106, 177, 16, style::kTicks},
    {kRename, ControlKind::kPushButton, "Re&name...", 7, 130, 50, 14},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 78, 130, 50, 14},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 134, 130, 50, 14},
};
constexpr ui::DialogSpec kSpec{kCaption, 191, 151, kControls};

struct Event {
  int id;
  Notify code;
  int index;
};

class SettingsDialog : public ui::Dialog {
 public:
  SettingsDialog() : ui::Dialog(kSpec) {}

  std::string name = "Banner";
  uint32_t width = 320;
  bool tile = false;
  int side = 0;
  std::string align = "Middle";
  int speed = 2;
  int inits = 0;
  int destroys = 0;
  std::vector<Event> events;
  // Return and the Rename button end the dialog with kRename when set.
  bool rename_ends = false;

 protected:
  bool OnInitDialog() override {
    ++inits;
    ui::ListControl align_list = GetList(kAlign);
    for (const char* item : {"Top", "Middle", "Bottom"}) align_list.Add(item);
    GetSlider(kSpeed).SetRange(0, 10);
    return ui::Dialog::OnInitDialog();
  }
  void OnCommand(int id, Notify code, int index) override {
    events.push_back({id, code, index});
    if (id == kRename && code == Notify::kClicked && rename_ends) EndDialog(kRename);
  }
  void OnDestroy() override { ++destroys; }
  void DoDataExchange(ui::DataExchange& dx) override {
    dx.Text(kName, name, 20);
    dx.Unsigned(kWidth, width);
    dx.Check(kTile, tile);
    dx.Radio(kLeft, side);
    dx.ListText(kAlign, align);
    dx.SliderPosition(kSpeed, speed);
  }
};

class DialogTest : public testing::Test {
 protected:
  ui::ScopedUiBackend backend_{&ui::Win32UiBackend()};
  ui::ScopedMessageBoxes boxes_{&ui::Win32UiBackend().MessageBoxes()};
};

bool Saw(const std::vector<Event>& events, int id, Notify code, int index = -2) {
  for (const Event& event : events) {
    if (event.id == id && event.code == code && (index == -2 || event.index == index)) return true;
  }
  return false;
}

TEST_F(DialogTest, ControlsShowTheMembersAndOkTakesWhatTheUserChanged) {
  SettingsDialog dialog;
  int result = 0;
  std::string shown_name, shown_width, shown_align;
  bool shown_left = false;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        shown_name = ui_test::Text(Item(window, kName));
        shown_width = ui_test::Text(Item(window, kWidth));
        shown_align = ui_test::Text(Item(window, kAlign));
        shown_left = SendMessageA(Item(window, kLeft), BM_GETCHECK, 0, 0) == BST_CHECKED;

        ui_test::Type(Item(window, kName), "Scroller");
        // Tab leaves the name for the width.
        ui_test::Key(Item(window, kName), VK_TAB);
        ui_test::WaitUntil([&] { return ui_test::FocusOf(window) == Item(window, kWidth); });
        ui_test::Type(Item(window, kWidth), "640");
        ui_test::Click(Item(window, kTile));
        ui_test::Click(Item(window, kRight));
        // Sorted: Bottom, Middle, Top.
        ui_test::Choose(Item(window, kAlign), 2);
        for (int i = 0; i < 3; ++i) ui_test::Key(Item(window, kSpeed), VK_RIGHT);
        ui_test::WaitUntil([&] {
          return SendMessageA(Item(window, kRight), BM_GETCHECK, 0, 0) == BST_CHECKED &&
                 SendMessageA(Item(window, kSpeed), TBM_GETPOS, 0, 0) == 5;
        });
        ui_test::Click(Item(window, ui::kIdOk));
      },
      [&] { result = dialog.DoModal(); });

  EXPECT_EQ(shown_name, "Banner");
  EXPECT_EQ(shown_width, "320");
  EXPECT_EQ(shown_align, "Middle");
  EXPECT_TRUE(shown_left);
  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(dialog.name, "Scroller");
  EXPECT_EQ(dialog.width, 640u);
  EXPECT_TRUE(dialog.tile);
  EXPECT_EQ(dialog.side, 1);
  EXPECT_EQ(dialog.align, "Top");
  EXPECT_EQ(dialog.speed, 5);
  EXPECT_EQ(dialog.inits, 1);
  EXPECT_EQ(dialog.destroys, 1);
  EXPECT_FALSE(dialog.IsOpen());

  // What the user did, as the model's events; the program's own filling
  // of the fields (the data exchange) caused none.
  EXPECT_TRUE(Saw(dialog.events, kName, Notify::kChanged));
  EXPECT_TRUE(Saw(dialog.events, kName, Notify::kKillFocus));
  EXPECT_TRUE(Saw(dialog.events, kTile, Notify::kClicked));
  EXPECT_TRUE(Saw(dialog.events, kRight, Notify::kClicked));
  EXPECT_TRUE(Saw(dialog.events, kAlign, Notify::kSelectionChanged, 2));
  EXPECT_TRUE(Saw(dialog.events, kSpeed, Notify::kScrolled, 5));
  int name_changes = 0;
  for (const Event& event : dialog.events) {
    if (event.id == kName && event.code == Notify::kChanged) ++name_changes;
  }
  EXPECT_EQ(name_changes, 1);
}

TEST_F(DialogTest, EscapeAndTheCloseBoxCancelWithoutTakingTheData) {
  for (const bool close_box : {false, true}) {
    SettingsDialog dialog;
    int result = 0;
    ui_test::Drive(
        [&] {
          const HWND window = ui_test::WaitForWindow(kCaption);
          if (!window) return;
          ui_test::Type(Item(window, kName), "Changed");
          if (close_box) {
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
          } else {
            ui_test::Key(Item(window, kName), VK_ESCAPE);
          }
        },
        [&] { result = dialog.DoModal(); });
    EXPECT_EQ(result, ui::kIdCancel) << (close_box ? "close box" : "Escape");
    EXPECT_EQ(dialog.name, "Banner");
  }
}

TEST_F(DialogTest, ReturnPressesTheDefaultButton) {
  // Return in a field presses OK, the default button.
  SettingsDialog dialog;
  int result = 0;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        ui_test::Type(Item(window, kName), "Typed");
        ui_test::Key(Item(window, kName), VK_RETURN);
      },
      [&] { result = dialog.DoModal(); });
  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(dialog.name, "Typed");
}

TEST_F(DialogTest, ARefusedNumberShowsItsMessageAndKeepsTheDialogOpen) {
  test_support::MessageBoxWatcher boxes;
  SettingsDialog dialog;
  int result = 0;
  bool open_after_refusal = false;
  bool field_has_focus = false;
  DWORD selection = 0;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        const HWND width = Item(window, kWidth);
        ui_test::Type(width, "12px");
        ui_test::Click(Item(window, ui::kIdOk));
        ui_test::WaitUntil([&] { return !boxes.Seen().empty(); });
        // The box was answered; the dialog is still there, the refused field
        // has the focus and its text is selected for retyping.
        ui_test::WaitUntil([&] { return ui_test::FocusOf(window) == width; });
        open_after_refusal = IsWindowVisible(window);
        field_has_focus = ui_test::FocusOf(window) == width;
        selection = static_cast<DWORD>(SendMessageA(width, EM_GETSEL, 0, 0));
        ui_test::Type(width, "640");
        ui_test::Click(Item(window, ui::kIdOk));
      },
      [&] { result = dialog.DoModal(); });

  const std::vector<test_support::SeenBox> seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Please enter a positive integer.");
  EXPECT_EQ(seen[0].caption, "Glintmere");
  EXPECT_TRUE(open_after_refusal);
  EXPECT_TRUE(field_has_focus);
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(HIWORD(selection), 4);
  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(dialog.width, 640u);
}

TEST_F(DialogTest, AButtonsHandlerMayEndTheDialogWithItsOwnId) {
  SettingsDialog dialog;
  dialog.rename_ends = true;
  int result = 0;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (window) ui_test::Click(Item(window, kRename));
      },
      [&] { result = dialog.DoModal(); });
  EXPECT_EQ(result, kRename);
  EXPECT_EQ(dialog.name, "Banner");  // no OK: nothing taken
}

// Where the table puts a control, in pixels of this dialog's font. The
// dialog manager converts the position and the size each on its own.
RECT Expected(HWND window, const ui::ControlSpec& control) {
  RECT rect{control.x, control.y, control.width, control.height};
  MapDialogRect(window, &rect);
  return RECT{rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

RECT Placed(HWND window, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(DialogTest, LayoutTabOrderAndMnemonicsFollowTheTable) {
  SettingsDialog dialog;
  std::vector<std::string> misplaced;
  std::vector<int> tab_order;
  HWND focus_after_alt_w = nullptr, focus_after_alt_a = nullptr;
  HWND width_field = nullptr, align_list = nullptr;
  std::string face;
  int font_height = 0, dialog_units_x = 0;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        for (const ui::ControlSpec& control : kControls) {
          if (control.id == ui::kIdStatic) continue;
          const RECT expected = Expected(window, control);
          const RECT placed = Placed(window, Item(window, control.id));
          // A drop-down list's table height is its opened height.
          const bool height_free = control.kind == ControlKind::kDropDownList;
          if (placed.left != expected.left || placed.top != expected.top ||
              placed.right != expected.right ||
              (!height_free && placed.bottom != expected.bottom)) {
            misplaced.push_back(control.caption);
          }
        }
        HWND at = GetNextDlgTabItem(window, nullptr, FALSE);
        for (int i = 0; at && i < 20; ++i) {
          tab_order.push_back(GetDlgCtrlID(at));
          at = GetNextDlgTabItem(window, at, FALSE);
          if (at && GetDlgCtrlID(at) == tab_order.front()) break;
        }
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
        LOGFONTA logical{};
        GetObjectA(font, sizeof logical, &logical);
        face = logical.lfFaceName;
        font_height = logical.lfHeight;
        RECT four{0, 0, 4, 8};
        MapDialogRect(window, &four);
        dialog_units_x = four.right;

        width_field = Item(window, kWidth);
        align_list = Item(window, kAlign);
        ui_test::AltKey(Item(window, kName), 'w');
        ui_test::WaitUntil([&] { return ui_test::FocusOf(window) == width_field; });
        focus_after_alt_w = ui_test::FocusOf(window);
        ui_test::AltKey(width_field, 'a');
        ui_test::WaitUntil([&] { return ui_test::FocusOf(window) == align_list; });
        focus_after_alt_a = ui_test::FocusOf(window);
        ui_test::Key(align_list, VK_ESCAPE);
      },
      [&] { dialog.DoModal(); });

  EXPECT_TRUE(misplaced.empty()) << "misplaced: " << testing::PrintToString(misplaced);
  // Table order; of the radio group only its first button is a tab stop.
  const std::vector<int> expected_order = {kName,   kWidth, kTile,      kLeft,
                                           kAlign,  kSpeed, kRename,    ui::kIdOk,
                                           ui::kIdCancel};
  EXPECT_EQ(tab_order, expected_order);
  EXPECT_EQ(focus_after_alt_w, width_field);
  EXPECT_EQ(focus_after_alt_a, align_list);
  // The dialog font: MS Shell Dlg at 8 points.
  EXPECT_NE(face.find("Shell Dlg"), std::string::npos) << face;
  EXPECT_EQ(font_height, -MulDiv(8, 96, 72));
  EXPECT_GT(dialog_units_x, 4);
}

}  // namespace

#endif
