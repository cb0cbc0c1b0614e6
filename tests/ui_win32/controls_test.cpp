// The Win32 backend's richer controls, used the way a user does: list-view
// rows with check boxes and icons, owner-drawn colour lists and bitmap
// buttons (drawn into a bitmap and read back), tooltips, sorted and
// multiple-selection lists, number, password and read-only fields, link
// labels, and a modeless window that paints while its caller is busy.
// Windows only.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "tests/ui_win32/image_files.h"
#include "tests/ui_win32/screenshot.h"
#include "tests/ui_win32/ui_user.h"
#include "ui/backend.h"
#include "ui/dialog.h"
#include "ui/win32/browser_control.h"
#include "ui/win32/common_controls.h"
#include "ui/win32/picture_control.h"

namespace {

using ui::ControlKind;
using ui::Notify;
namespace style = ui::style;
using ui_test::Item;

enum Id {
  kFiles = 2001,
  kColours,
  kUp,
  kDrives,
  kFruit,
  kCode,
  kSecret,
  kNotes,
  kSite,
};

constexpr const char* kCaption = "Glintmere Controls Test";

constexpr ui::ControlSpec kControls[] = {
    {kFiles, ControlKind::kListView, "", 7, 7, 200, 70, style::kCheckBoxes},
    {kColours, ControlKind::kColourList, "", 7, 82, 120, 60},
    {kUp, ControlKind::kBitmapButton, "Up one level", 140, 82, 16, 14},
    {kDrives, ControlKind::kBitmapButton, "Explore local drives", 160, 82, 16, 14},
    {kFruit, ControlKind::kListBox, "", 140, 100, 67, 42, style::kSorted | style::kMultiSelect},
    {kCode, ControlKind::kEdit, "", 7, 150, 60, 12, style::kNumber},
    {kSecret, ControlKind::kEdit, "", 74, 150, 60, 12, style::kPassword},
    {kNotes, ControlKind::kEdit, "Fixed", 141, 150, 66, 12, style::kReadOnly},
    {kSite, ControlKind::kLabel, "www.example.com", 7, 170, 100, 10, style::kLink},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 157, 168, 50, 14},
};
constexpr ui::DialogSpec kSpec{kCaption, 214, 189, kControls};

constexpr ui::Colour kRed = ui::Rgb(255, 0, 0);
constexpr ui::Colour kNavy = ui::Rgb(0, 0, 128);

struct Event {
  int id;
  Notify code;
  int index;
};

class ControlsDialog : public ui::Dialog {
 public:
  ControlsDialog() : ui::Dialog(kSpec) {}

  std::vector<Event> events;
  // What the model reads back when OK is pressed.
  std::vector<bool> rows_checked;
  int row_selected = -2;
  std::string row_text;
  std::vector<bool> fruit_selected;
  int fruit_selection = -2;
  std::string code, secret, notes;

 protected:
  bool OnInitDialog() override {
    ui::ListView files = GetListView(kFiles);
    files.AddColumn("Name", 140);
    files.AddColumn("Size", 0);  // the rest of the width
    files.SetIcons({"image", "sound", "page", "folder"});
    files.AddRow({"a.gif", "12 KB"}, 0, 100);
    files.AddRow({"b.au", "3 KB"}, 1, 101);
    files.AddRow({"docs", ""}, 3, 102);
    files.SetRowChecked(1, true);

    ui::ColourList colours = GetList(kColours);
    colours.Add("None");
    colours.SetItemColour(colours.Add("Red"), kRed);
    colours.SetItemColour(colours.Add("Navy"), kNavy);
    // Swatches follow their items when others come and go.
    colours.SetItemColour(colours.Insert(0, "Gold"), ui::Rgb(255, 215, 0));
    colours.Delete(0);
    colours.Select(1);

    ui::ListBox fruit = GetList(kFruit);
    for (const char* name : {"Pear", "apple", "Fig"}) fruit.Add(name);

    GetEdit(kNotes).SetText("Fixed text");
    if (window()->CreateTooltips(300)) {
      window()->AddTooltip(kCode, "Digits only.");
      window()->AddTooltip(kDrives, "Browse the disks");
    }
    return true;
  }
  void OnCommand(int id, Notify code, int index) override { events.push_back({id, code, index}); }
  bool OnOk() override {
    ui::ListView files = GetListView(kFiles);
    for (int row = 0; row < files.Count(); ++row) rows_checked.push_back(files.IsRowChecked(row));
    row_selected = files.Selection();
    row_text = files.RowText(1, 1);
    ui::ListBox fruit = GetList(kFruit);
    for (int i = 0; i < fruit.Count(); ++i) fruit_selected.push_back(fruit.IsSelected(i));
    fruit_selection = fruit.Selection();
    code = GetEdit(kCode).Text();
    secret = GetEdit(kSecret).Text();
    notes = GetEdit(kNotes).Text();
    return true;
  }
};

class ControlsTest : public testing::Test {
 protected:
  ui::ScopedUiBackend backend_{&ui::Win32UiBackend()};
  ui::ScopedMessageBoxes boxes_{&ui::Win32UiBackend().MessageBoxes()};
};

int Count(const std::vector<Event>& events, int id, Notify code, int index = -2) {
  int count = 0;
  for (const Event& event : events) {
    if (event.id == id && event.code == code && (index == -2 || event.index == index)) ++count;
  }
  return count;
}

void SetState(HWND list_view, int row, UINT mask, UINT state) {
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(list_view, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListViewText(HWND list_view, int row, int column) {
  char text[64] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list_view, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

TEST_F(ControlsTest, ListViewRowsTicksSelectionAndDoubleClicks) {
  ControlsDialog dialog;
  int rows = 0, icon_of_docs = -1, icons = 0, columns_width = 0, list_width = 0;
  std::string size_of_a;
  bool b_ticked_at_start = false;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        const HWND files = Item(window, kFiles);
        rows = static_cast<int>(SendMessageA(files, LVM_GETITEMCOUNT, 0, 0));
        size_of_a = ListViewText(files, 0, 1);
        b_ticked_at_start = ((SendMessageA(files, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK) >> 12) == 2);
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = 2;
        SendMessageA(files, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        icon_of_docs = item.iImage;
        icons = ImageList_GetImageCount(
            reinterpret_cast<HIMAGELIST>(SendMessageA(files, LVM_GETIMAGELIST, LVSIL_SMALL, 0)));
        columns_width = static_cast<int>(SendMessageA(files, LVM_GETCOLUMNWIDTH, 0, 0) +
                                         SendMessageA(files, LVM_GETCOLUMNWIDTH, 1, 0));
        RECT client{};
        GetClientRect(files, &client);
        list_width = client.right;

        // Ticks a.gif, unticks b.au, selects docs and double-clicks it.
        SetState(files, 0, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2));
        SetState(files, 1, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
        SetState(files, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        RECT row{};
        row.left = LVIR_LABEL;
        SendMessageA(files, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
        ui_test::ClickAt(files, (row.left + row.right) / 2, (row.top + row.bottom) / 2, true);
        ui_test::Click(Item(window, ui::kIdOk));
      },
      [&] { dialog.DoModal(); });

  EXPECT_EQ(rows, 3);
  EXPECT_EQ(size_of_a, "12 KB");
  EXPECT_TRUE(b_ticked_at_start);
  EXPECT_EQ(icon_of_docs, 3);
  EXPECT_EQ(icons, 4);
  // The second column, given no width, fills the list.
  EXPECT_GE(columns_width, list_width - GetSystemMetrics(SM_CXVSCROLL) - 1);
  EXPECT_LE(columns_width, list_width);

  EXPECT_EQ(dialog.rows_checked, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(dialog.row_selected, 2);
  EXPECT_EQ(dialog.row_text, "3 KB");
  // The user's ticks are events; the program's own tick of b.au was not.
  EXPECT_EQ(Count(dialog.events, kFiles, Notify::kRowChecked, 0), 1);
  EXPECT_EQ(Count(dialog.events, kFiles, Notify::kRowChecked, 1), 1);
  EXPECT_EQ(Count(dialog.events, kFiles, Notify::kRowChecked), 2);
  EXPECT_GE(Count(dialog.events, kFiles, Notify::kSelectionChanged, 2), 1);
  EXPECT_EQ(Count(dialog.events, kFiles, Notify::kDoubleClicked, 2), 1);
}

// Sends WM_DRAWITEM for an owner-drawn control to its dialog, drawing into
// a canvas instead of the screen.
ui_test::Image DrawItem(HWND dialog, HWND control, UINT type, int item, UINT state, int width,
                        int height) {
  ui_test::Canvas canvas(width, height, RGB(1, 2, 3));
  DRAWITEMSTRUCT draw{};
  draw.CtlType = type;
  draw.CtlID = static_cast<UINT>(GetDlgCtrlID(control));
  draw.itemID = static_cast<UINT>(item);
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = state;
  draw.hwndItem = control;
  draw.hDC = canvas.dc();
  draw.rcItem = RECT{0, 0, width, height};
  SendMessageA(dialog, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
  return canvas.Pixels();
}

bool HasColour(const ui_test::Image& image, int left, int right, COLORREF colour) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = left; x < right; ++x) {
      if (image.At(x, y) == colour) return true;
    }
  }
  return false;
}

TEST_F(ControlsTest, ColourListItemsAreDrawnWithSwatchNameAndSelection) {
  ControlsDialog dialog;
  ui_test::Image none, red, navy_selected;
  int item_height = 0;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        const HWND colours = Item(window, kColours);
        item_height = static_cast<int>(SendMessageA(colours, CB_GETITEMHEIGHT, 0, 0));
        none = DrawItem(window, colours, ODT_COMBOBOX, 0, 0, 120, 20);
        red = DrawItem(window, colours, ODT_COMBOBOX, 1, 0, 120, 20);
        navy_selected =
            DrawItem(window, colours, ODT_COMBOBOX, 2, ODS_SELECTED | ODS_FOCUS, 120, 20);
        ui_test::Click(Item(window, ui::kIdOk));
      },
      [&] { dialog.DoModal(); });

  const COLORREF window_colour = GetSysColor(COLOR_WINDOW);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF outline = GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_GE(item_height, 16);

  // A swatch 26 pixels wide, inset by 2 and outlined; the name from 30.
  EXPECT_EQ(red.At(1, 10), window_colour);
  EXPECT_EQ(red.At(2, 2), outline);
  EXPECT_EQ(red.At(27, 17), outline);
  EXPECT_EQ(red.At(14, 10), RGB(255, 0, 0));
  EXPECT_EQ(red.At(29, 10), window_colour);
  EXPECT_TRUE(HasColour(red, 30, 120, GetSysColor(COLOR_WINDOWTEXT)));  // the name's ink
  EXPECT_EQ(red.At(119, 1), window_colour);

  // "None": no swatch, its name starts at the left.
  EXPECT_EQ(none.At(2, 2), window_colour);
  EXPECT_FALSE(HasColour(none, 0, 120, RGB(255, 0, 0)));
  EXPECT_TRUE(HasColour(none, 0, 28, GetSysColor(COLOR_WINDOWTEXT)));

  // Selected: the highlight behind, the swatch kept.
  EXPECT_EQ(navy_selected.At(29, 10), highlight);
  EXPECT_EQ(navy_selected.At(14, 10), RGB(0, 0, 128));
  EXPECT_TRUE(HasColour(navy_selected, 30, 120, GetSysColor(COLOR_HIGHLIGHTTEXT)));
}

TEST_F(ControlsTest, BitmapButtonsShowGlyphsAndEveryToolHasItsTip) {
  ControlsDialog dialog;
  ui_test::Image up, drives;
  int tools = 0, max_width = 0;
  std::string up_tip, drives_tip, code_tip;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        up = DrawItem(window, Item(window, kUp), ODT_BUTTON, 0, 0, 24, 22);
        drives = DrawItem(window, Item(window, kDrives), ODT_BUTTON, 0, 0, 24, 22);
        const HWND tips = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
        HWND own_tips = nullptr;
        for (HWND at = tips; at; at = FindWindowExA(nullptr, at, TOOLTIPS_CLASSA, nullptr)) {
          if (GetWindow(at, GW_OWNER) == window) own_tips = at;
        }
        if (own_tips) {
          tools = static_cast<int>(SendMessageA(own_tips, TTM_GETTOOLCOUNT, 0, 0));
          max_width = static_cast<int>(SendMessageA(own_tips, TTM_GETMAXTIPWIDTH, 0, 0));
          const auto tip = [&](int id) {
            char text[256] = {};
            TTTOOLINFOA info{};
            info.cbSize = TTTOOLINFOA_V2_SIZE;
            info.hwnd = window;
            info.uId = reinterpret_cast<UINT_PTR>(Item(window, id));
            info.lpszText = text;
            SendMessageA(own_tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
            return std::string(text);
          };
          up_tip = tip(kUp);
          drives_tip = tip(kDrives);
          code_tip = tip(kCode);
        }
        ui_test::Click(Item(window, ui::kIdOk));
      },
      [&] { dialog.DoModal(); });

  // A folder (yellow) under a black arrow; a grey drive with a green light.
  EXPECT_TRUE(HasColour(up, 0, 24, RGB(255, 214, 90)));
  EXPECT_TRUE(HasColour(up, 0, 24, RGB(0, 0, 0)));
  EXPECT_TRUE(HasColour(drives, 0, 24, RGB(0, 200, 0)));

  // The buttons' names are their tips unless the code gives another.
  EXPECT_EQ(tools, 3);
  EXPECT_EQ(max_width, 300);
  EXPECT_EQ(up_tip, "Up one level");
  EXPECT_EQ(drives_tip, "Browse the disks");
  EXPECT_EQ(code_tip, "Digits only.");
}

TEST_F(ControlsTest, ListBoxesAndFieldsBehaveAsTheirStylesSay) {
  ControlsDialog dialog;
  std::vector<std::string> fruit_order;
  bool password_hidden = false;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        const HWND fruit = Item(window, kFruit);
        for (int i = 0; i < 3; ++i) {
          char text[32] = {};
          SendMessageA(fruit, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
          fruit_order.push_back(text);
        }
        ui_test::Choose(fruit, 0);
        ui_test::Choose(fruit, 2);
        ui_test::TypeKeys(Item(window, kCode), "4a2");
        ui_test::TypeKeys(Item(window, kSecret), "pw");
        password_hidden = SendMessageA(Item(window, kSecret), EM_GETPASSWORDCHAR, 0, 0) != 0;
        ui_test::TypeKeys(Item(window, kNotes), "x");
        const HWND site = Item(window, kSite);
        ui_test::ClickAt(site, 3, 3);
        ui_test::Click(Item(window, ui::kIdOk));
      },
      [&] { dialog.DoModal(); });

  // Sorted without regard to case; several rows selectable.
  EXPECT_EQ(fruit_order, (std::vector<std::string>{"apple", "Fig", "Pear"}));
  EXPECT_EQ(dialog.fruit_selected, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(dialog.fruit_selection, 0);
  EXPECT_EQ(Count(dialog.events, kFruit, Notify::kSelectionChanged), 2);
  // Digits only; typed password kept but not shown; read-only not typed in.
  EXPECT_EQ(dialog.code, "42");
  EXPECT_EQ(dialog.secret, "pw");
  EXPECT_TRUE(password_hidden);
  EXPECT_EQ(dialog.notes, "Fixed text");
  // A click on a link label.
  EXPECT_EQ(Count(dialog.events, kSite, Notify::kClicked), 1);
}

// --- A modeless window ---

enum ProgressId { kStatus = 3001, kStop };

constexpr ui::ControlSpec kProgressControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Please Wait:", 10, 8, 180, 9},
    {kStatus, ControlKind::kLabel, "", 10, 22, 180, 9},
    {kStop, ControlKind::kPushButton, "Stop", 140, 34, 50, 14},
};
constexpr ui::DialogSpec kProgressSpec{"Glintmere Progress Test", 200, 54, kProgressControls};

class ProgressWindow : public ui::Dialog {
 public:
  ProgressWindow() : ui::Dialog(kProgressSpec) {}
  int inits = 0;
  int destroys = 0;

 protected:
  bool OnInitDialog() override {
    ++inits;
    return true;
  }
  void OnCommand(int id, Notify code, int) override {
    // Closing from inside its own handler.
    if (id == kStop && code == Notify::kClicked) Close();
  }
  void OnDestroy() override { ++destroys; }
};

// Dark pixels: text drawn on the light dialog face.
int InkPixels(const ui_test::Image& image) {
  int ink = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const COLORREF colour = image.At(x, y);
      if (GetRValue(colour) < 80 && GetGValue(colour) < 80 && GetBValue(colour) < 80) ++ink;
    }
  }
  return ink;
}

ui_test::Image CaptureClient(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  ui_test::Canvas canvas(client.right, client.bottom, RGB(255, 0, 255));
  HDC dc = GetDC(control);
  BitBlt(canvas.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(control, dc);
  return canvas.Pixels();
}

TEST_F(ControlsTest, AModelessWindowShowsPaintsWhileItsCallerWorksAndCloses) {
  // It comes up in front of the editor's window, which had the foreground.
  const HWND editor = CreateWindowExA(0, "STATIC", "Editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      300, 200, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(editor);
  ProgressWindow progress;
  ASSERT_TRUE(progress.OpenModeless());
  const HWND window = static_cast<HWND>(progress.handle());
  ASSERT_TRUE(IsWindow(window));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetForegroundWindow(), window);
  DestroyWindow(editor);
  EXPECT_EQ(progress.inits, 1);
  EXPECT_FALSE(progress.OpenModeless());  // open already

  // The caller runs no message loop: the new text is on the screen anyway.
  const HWND status = GetDlgItem(window, kStatus);
  const int blank = InkPixels(CaptureClient(status));
  progress.GetControl(kStatus).SetText("Copying KelScroll.class");
  EXPECT_EQ(ui_test::Text(status), "Copying KelScroll.class");
  EXPECT_EQ(blank, 0);
  EXPECT_GT(InkPixels(CaptureClient(status)), 20);

  progress.Close();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(progress.IsOpen());
  EXPECT_EQ(progress.destroys, 1);

  // Again, closed by its own button's handler this time.
  ASSERT_TRUE(progress.OpenModeless());
  const HWND second = static_cast<HWND>(progress.handle());
  PostMessageA(GetDlgItem(second, kStop), BM_CLICK, 0, 0);
  ui_test::WaitUntil([&] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return !progress.IsOpen();
  });
  EXPECT_FALSE(progress.IsOpen());
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(progress.destroys, 2);
  EXPECT_EQ(progress.inits, 2);
}

// --- Pictures and pages ---

enum PreviewId { kView = 3101, kPage };

constexpr ui::ControlSpec kPreviewControls[] = {
    {kView, ControlKind::kPicture, "", 7, 7, 80, 60, style::kBorder},
    {kPage, ControlKind::kBrowser, "", 94, 7, 120, 60, style::kBorder},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 164, 74, 50, 14},
};
constexpr ui::DialogSpec kPreviewSpec{"Glintmere Preview Test", 221, 95, kPreviewControls};

class PreviewDialog : public ui::Dialog {
 public:
  PreviewDialog(std::string image, std::string page)
      : ui::Dialog(kPreviewSpec), image_(std::move(image)), page_(std::move(page)) {}
  bool missing_loaded = true;
  bool image_loaded = false;
  int shown_width = 0, shown_height = 0;
  std::string location;

 protected:
  bool OnInitDialog() override {
    missing_loaded = GetPicture(kView).Load(image_ + ".missing");
    image_loaded = GetPicture(kView).Load(image_);
    GetBrowser(kPage).Navigate(page_);
    return true;
  }
  bool OnOk() override {
    // What the windows show, asked on their own thread.
    const HWND window = static_cast<HWND>(handle());
    ui::win32::PictureSize(GetDlgItem(window, kView), &shown_width, &shown_height);
    location = ui::win32::BrowserLocation(GetDlgItem(window, kPage));
    return true;
  }

 private:
  std::string image_;
  std::string page_;
};

TEST_F(ControlsTest, PictureAndBrowserControlsShowWhatTheDialogAsks) {
  test_support::TempFolder folder;
  const std::string image = folder.Join("logo.gif");
  const std::string page = folder.Join("preview.htm");
  test_support::WriteText(image, image_files::Gif({24, 16, 8, {255, 0, 0}, {0, 0, 255}}));
  test_support::WriteText(page, "<html><body>Preview</body></html>");
  PreviewDialog dialog(image, page);
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow("Glintmere Preview Test");
        if (window) ui_test::Click(Item(window, ui::kIdOk));
      },
      [&] { dialog.DoModal(); });
  EXPECT_FALSE(dialog.missing_loaded);
  EXPECT_TRUE(dialog.image_loaded);
  EXPECT_EQ(dialog.shown_width, 24);
  EXPECT_EQ(dialog.shown_height, 16);
  EXPECT_EQ(dialog.location, page);
}

}  // namespace

#endif
