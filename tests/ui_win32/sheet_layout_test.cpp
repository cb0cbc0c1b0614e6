// The look of a property sheet built by the Win32 backend: pages laid out
// as the product's are, every control inside its page and every page inside
// the tab's display area, the buttons below; one picture per page is saved
// under the build folder's screenshots/ for a person to look at. Windows
// only.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui_win32/screenshot.h"
#include "tests/ui_win32/ui_user.h"
#include "ui/backend.h"
#include "ui/dialog.h"
#include "ui/win32/common_controls.h"

namespace {

using ui::ControlKind;
namespace style = ui::style;

constexpr const char* kCaption = "Glintmere Java Effects - Layout Test";

enum Id {
  kHSpace = 5001,
  kVSpace,
  kAlignment,
  kName,
  kNonJava,
  kForce,
  kAbsolute,
  kLocal,
  kServer,
  kPreview,
  kWidth,
  kHeight,
  kSizeToImage,
  kImage,
  kTile,
  kBackground,
  kInit,
  kCustom,
  kSpeed,
  kFiles,
  kUp,
  kDrives,
  kProduct,
  kVersion,
  kSite,
};

constexpr ui::ControlSpec kAppletControls[] = {
    {ui::kIdStatic, ControlKind::kGroupBox, "Margin:", 7, 4, 112, 48},
    {ui::kIdStatic, ControlKind::kLabel, "&Right:", 16, 19, 34, 8},
    {kHSpace, ControlKind::kEdit, "", 52, 17, 56, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "&Bottom:", 16, 35, 34, 8},
    {kVSpace, ControlKind::kEdit, "", 52, 33, 56, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "A&lignment:", 130, 8, 112, 8},
    {kAlignment, ControlKind::kDropDownList, "", 130, 18, 112, 120, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Applet &Name:", 7, 58, 235, 8},
    {kName, ControlKind::kEdit, "", 7, 68, 235, 12},
    {ui::kIdStatic, ControlKind::kLabel, "Non &Java Browser String/HTML:", 7, 86, 235, 8},
    {kNonJava, ControlKind::kEdit, "", 7, 96, 235, 52,
     style::kMultiLine | style::kVScroll | style::kWantReturn},
    {kForce, ControlKind::kCheckBox, "&Force write of existing support and applet files", 7, 156,
     235, 10},
    {kAbsolute, ControlKind::kCheckBox, "Absolute &reference for shared borders.", 7, 170, 235,
     10},
    {kLocal, ControlKind::kRadioButton, "&Local Preview", 19, 184, 90, 10, style::kGroup},
    {kServer, ControlKind::kRadioButton, "&Server Preview", 115, 184, 90, 10},
    {kPreview, ControlKind::kPushButton, "&Preview", 192, 217, 50, 14, style::kGroup},
};

constexpr ui::ControlSpec kBackgroundControls[] = {
    {ui::kIdStatic, ControlKind::kGroupBox, "Size", 7, 4, 112, 48},
    {ui::kIdStatic, ControlKind::kLabel, "&Width:", 16, 19, 34, 8},
    {kWidth, ControlKind::kEdit, "", 52, 17, 56, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "&Height:", 16, 35, 34, 8},
    {kHeight, ControlKind::kEdit, "", 52, 33, 56, 12, style::kNumber},
    {kSizeToImage, ControlKind::kPushButton, "Si&ze to Image", 130, 17, 112, 14},
    {ui::kIdStatic, ControlKind::kLabel, "Background &Image:", 7, 58, 112, 8},
    {kImage, ControlKind::kPushButton, "(None)", 7, 68, 112, 14},
    {kTile, ControlKind::kCheckBox, "&Tile image", 130, 70, 112, 10},
    {ui::kIdStatic, ControlKind::kLabel, "Background &Color:", 7, 88, 112, 8},
    {kBackground, ControlKind::kColourList, "", 7, 98, 112, 62},
    {ui::kIdStatic, ControlKind::kLabel, "Initiali&zation String:", 130, 88, 112, 8},
    {kInit, ControlKind::kDropDownList, "", 130, 98, 112, 80},
    {kCustom, ControlKind::kEdit, "", 130, 116, 112, 12, style::kDisabled},
    {ui::kIdStatic, ControlKind::kLabel, "&Speed:", 130, 134, 112, 8},
    {kSpeed, ControlKind::kSlider, "", 130, 144, 112, 16, style::kTicks},
    {ui::kIdStatic, ControlKind::kLabel, "&Files:", 7, 166, 235, 8},
    {kFiles, ControlKind::kListView, "", 7, 176, 211, 55, style::kCheckBoxes},
    {kUp, ControlKind::kBitmapButton, "Up one level", 222, 176, 20, 16},
    {kDrives, ControlKind::kBitmapButton, "Explore local drives", 222, 196, 20, 16},
};

constexpr ui::ControlSpec kAboutControls[] = {
    {ui::kIdStatic, ControlKind::kIcon, "information", 20, 24, 21, 20},
    {kProduct, ControlKind::kLabel, "Glintmere Scroller Applet", 52, 24, 180, 10},
    {kVersion, ControlKind::kLabel, "ver. 1.01", 52, 38, 180, 10},
    {ui::kIdStatic, ControlKind::kLabel, "Copyright \xA9 Glintmere. All rights reserved.", 52, 52,
     180, 10},
    {ui::kIdStatic, ControlKind::kGroupBox, "Contact", 20, 80, 209, 40},
    {ui::kIdStatic, ControlKind::kLabel, "Web site:", 30, 96, 50, 10},
    {kSite, ControlKind::kLabel, "www.glintmere.example", 82, 96, 140, 10, style::kLink},
};

constexpr ui::DialogSpec kAppletSpec{"Applet", 249, 238, kAppletControls};
constexpr ui::DialogSpec kBackgroundSpec{"Background", 249, 238, kBackgroundControls};
constexpr ui::DialogSpec kAboutSpec{"About", 249, 238, kAboutControls};

class AppletPage : public ui::PropertyPage {
 public:
  AppletPage() : ui::PropertyPage(kAppletSpec) {}

 protected:
  bool OnInitDialog() override {
    ui::ComboBox alignment = GetList(kAlignment);
    for (const char* item : {"Left", "Right", "Top", "Middle", "Bottom"}) alignment.Add(item);
    alignment.Select(0);
    GetEdit(kHSpace).SetText("0");
    GetEdit(kVSpace).SetText("0");
    GetEdit(kName).SetText("Scroller1");
    GetEdit(kNonJava).SetText("Requires a Java Enabled Browser.");
    GetButton(kLocal).SetChecked();
    return true;
  }
};

class BackgroundPage : public ui::PropertyPage {
 public:
  BackgroundPage() : ui::PropertyPage(kBackgroundSpec) {}

 protected:
  bool OnInitDialog() override {
    GetEdit(kWidth).SetText("320");
    GetEdit(kHeight).SetText("240");
    ui::ColourList colours = GetList(kBackground);
    colours.Add("Custom...");
    colours.SetItemColour(0, ui::Rgb(255, 255, 255));
    const struct {
      const char* name;
      ui::Colour colour;
    } named[] = {{"Alice Blue", ui::Rgb(0xF0, 0xF8, 0xFF)}, {"Aqua", ui::Rgb(0, 0xFF, 0xFF)},
                 {"Black", ui::Rgb(0, 0, 0)},               {"Blue", ui::Rgb(0, 0, 0xFF)},
                 {"Crimson", ui::Rgb(0xDC, 0x14, 0x3C)},    {"Gold", ui::Rgb(0xFF, 0xD7, 0)}};
    for (const auto& [name, colour] : named) colours.SetItemColour(colours.Add(name), colour);
    colours.Select(4);
    ui::ComboBox init = GetList(kInit);
    for (const char* item : {"Default", "Java Version Report", "URL Report", "Custom"}) {
      init.Add(item);
    }
    init.Select(0);
    ui::Slider speed = GetSlider(kSpeed);
    speed.SetRange(0, 20);
    speed.SetTickFrequency(2);
    speed.SetPosition(8);
    ui::ListView files = GetListView(kFiles);
    files.AddColumn("Name", 170);
    files.AddColumn("Kind", 0);
    files.SetIcons({"image", "sound", "page", "folder"});
    files.AddRow({"images", "Folder"}, 3);
    files.AddRow({"logo.gif", "Image"}, 0);
    files.AddRow({"chime.au", "Sound"}, 1);
    files.AddRow({"index.htm", "Page"}, 2);
    files.SetRowChecked(1, true);
    if (window()->CreateTooltips(300)) window()->AddTooltip(kWidth, "Width of the Applet in pixels.");
    return true;
  }
};

class AboutPage : public ui::PropertyPage {
 public:
  AboutPage() : ui::PropertyPage(kAboutSpec) {}
};

class LayoutSheet : public ui::PropertySheet {
 public:
  LayoutSheet() : ui::PropertySheet(kCaption) {
    AddPage(&applet);
    AddPage(&background);
    AddPage(&about);
    SetHelpButton(true);
  }
  AppletPage applet;
  BackgroundPage background;
  AboutPage about;
};

struct PageLook {
  std::string name;
  bool page_inside_tab = false;
  std::vector<std::string> controls_outside;
  bool buttons_below = false;
  size_t colours = 0;
  std::string saved;
};

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

PageLook Look(HWND sheet, const std::string& name) {
  PageLook look;
  look.name = name;
  const HWND page = ui_test::CurrentPage(sheet);
  const HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  RECT display = ScreenRect(tabs);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const RECT page_rect = ScreenRect(page);
  look.page_inside_tab = Inside(page_rect, display);
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT rect = ScreenRect(child);
    char class_name[64] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    if (!Inside(rect, page_rect)) {
      look.controls_outside.push_back(std::string(class_name) + " \"" + ui_test::Text(child) + "\"");
    }
  }
  const RECT ok = ScreenRect(GetDlgItem(sheet, IDOK));
  look.buttons_below = ok.top >= ScreenRect(tabs).bottom;
  ui_test::Painted(sheet);
  const ui_test::Image image = ui_test::CaptureWindow(sheet);
  look.colours = image.ColourCount();
  look.saved = ui_test::SaveScreenshot(image, "property_sheet_" + name);
  return look;
}

TEST(SheetLayoutTest, PagesSitInTheirTabAndEveryControlInItsPage) {
  ui::ScopedUiBackend backend(&ui::Win32UiBackend());
  LayoutSheet sheet;
  std::vector<PageLook> looks;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow(kCaption);
        if (!window) return;
        looks.push_back(Look(window, "applet"));
        PropSheet_SetCurSel(window, nullptr, 1);
        looks.push_back(Look(window, "background"));
        PropSheet_SetCurSel(window, nullptr, 2);
        looks.push_back(Look(window, "about"));
        ui_test::PressSheetButton(window, PSBTN_CANCEL);
      },
      [&] { sheet.DoModal(); });

  ASSERT_EQ(looks.size(), 3u);
  for (const PageLook& look : looks) {
    EXPECT_TRUE(look.page_inside_tab) << look.name;
    EXPECT_TRUE(look.controls_outside.empty())
        << look.name << ": " << testing::PrintToString(look.controls_outside);
    EXPECT_TRUE(look.buttons_below) << look.name;
    // Drawn, not blank: frame, face, text, fields and pictures.
    EXPECT_GT(look.colours, 8u) << look.name;
    EXPECT_FALSE(look.saved.empty()) << look.name;
  }
}

}  // namespace

#endif
