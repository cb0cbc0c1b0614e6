// A small dialog and a small property sheet with controls of every kind,
// written the way the product writes its own, for the scripted backend's
// tests. They count the events they get.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/scripted/scripted_backend.h"

namespace ui_test {

using ui::ControlKind;
namespace style = ui::style;

enum : int {
  kIdName = 101, kIdWidth, kIdOffset, kIdBold, kIdLeft, kIdCentre, kIdRight, kIdFont,
  kIdStyle, kIdFiles, kIdSpeed, kIdColour, kIdBrowse, kIdNotes, kIdSecret, kIdMore,
  kIdAsk,
};

inline constexpr ui::ControlSpec kBannerControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Name:", 5, 5, 40, 8},
    {kIdName, ControlKind::kEdit, "", 50, 5, 100, 12},
    {ui::kIdStatic, ControlKind::kLabel, "Width:", 5, 20, 40, 8},
    {kIdWidth, ControlKind::kEdit, "", 50, 20, 40, 12},
    {ui::kIdStatic, ControlKind::kLabel, "Offset:", 5, 35, 40, 8},
    {kIdOffset, ControlKind::kEdit, "", 50, 35, 40, 12},
    {kIdBold, ControlKind::kCheckBox, "Bold", 5, 50, 40, 10},
    {kIdLeft, ControlKind::kRadioButton, "Left", 5, 65, 40, 10, style::kGroup},
    {kIdCentre, ControlKind::kRadioButton, "Centre", 50, 65, 40, 10},
    {kIdRight, ControlKind::kRadioButton, "Right", 95, 65, 40, 10},
    {ui::kIdStatic, ControlKind::kLabel, "Font:", 5, 80, 40, 8, style::kGroup},
    {kIdFont, ControlKind::kDropDownList, "", 50, 80, 100, 60, style::kSorted},
    {ui::kIdStatic, ControlKind::kLabel, "Style:", 5, 95, 40, 8},
    {kIdStyle, ControlKind::kDropDownCombo, "", 50, 95, 100, 60},
    {ui::kIdStatic, ControlKind::kLabel, "Files:", 5, 110, 40, 8},
    {kIdFiles, ControlKind::kListView, "", 50, 110, 150, 50, style::kCheckBoxes},
    {ui::kIdStatic, ControlKind::kLabel, "Speed:", 5, 165, 40, 8},
    {kIdSpeed, ControlKind::kSlider, "", 50, 165, 100, 15},
    {ui::kIdStatic, ControlKind::kLabel, "Colour:", 5, 185, 40, 8},
    {kIdColour, ControlKind::kColourList, "", 50, 185, 100, 60},
    {kIdBrowse, ControlKind::kPushButton, "&Browse...", 160, 5, 50, 14},
    {ui::kIdStatic, ControlKind::kLabel, "Notes:", 5, 200, 40, 8},
    {kIdNotes, ControlKind::kEdit, "", 50, 200, 100, 12, style::kDisabled},
    {kIdSecret, ControlKind::kEdit, "", 50, 215, 100, 12, style::kHidden | style::kPassword},
    {kIdAsk, ControlKind::kPushButton, "Ask", 160, 25, 50, 14},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 100, 230, 50, 14},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 155, 230, 50, 14},
    {ui::kIdHelp, ControlKind::kPushButton, "Help", 210, 230, 50, 14},
};
inline constexpr ui::DialogSpec kBannerSpec{"Banner Settings", 270, 250, kBannerControls};

// A small nested dialog the Browse button opens.
inline constexpr ui::ControlSpec kPickControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Pick:", 5, 5, 40, 8},
    {kIdName, ControlKind::kListBox, "", 50, 5, 100, 40, style::kSorted},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 50, 50, 50, 14},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 105, 50, 50, 14},
};
inline constexpr ui::DialogSpec kPickSpec{"Pick a Picture", 160, 70, kPickControls};

class PickDialog : public ui::Dialog {
 public:
  PickDialog() : ui::Dialog(kPickSpec) {}
  std::string picked;

 protected:
  bool OnInitDialog() override {
    for (const char* name : {"sunset.gif", "Beach.jpg", "apple.gif"}) GetList(kIdName).Add(name);
    return Dialog::OnInitDialog();
  }
  void DoDataExchange(ui::DataExchange& dx) override { dx.ListText(kIdName, picked); }
};

struct Event {
  int id;
  ui::Notify code;
  int index;
  bool operator==(const Event&) const = default;
};

class BannerDialog : public ui::Dialog {
 public:
  BannerDialog() : ui::Dialog(kBannerSpec) {}

  // The data, moved in and out by the data exchange.
  std::string name = "Hello";
  uint32_t width = 320;
  int32_t offset = -4;
  bool bold = true;
  int align = 1;
  std::string font = "Courier";
  std::string style_text = "plain";
  int speed = 5;
  int colour = 0;
  std::vector<bool> file_checks;

  std::vector<Event> events;
  std::string picked;     // what the nested dialog gave
  ui::Answer asked{};     // what the question box got
  int init_calls = 0;

 protected:
  bool OnInitDialog() override {
    ++init_calls;
    for (const char* font_name : {"Times", "arial", "Courier", "_System"}) {
      GetList(kIdFont).Add(font_name);
    }
    for (const char* item : {"plain", "shadow"}) GetList(kIdStyle).Add(item);
    ui::ListView files = GetListView(kIdFiles);
    files.AddColumn("Name", 80);
    files.AddColumn("Size", 40);
    files.AddRow({"a.gif", "10"});
    files.AddRow({"b.gif", "20"});
    GetSlider(kIdSpeed).SetRange(1, 10);
    ui::ColourList colours = GetList(kIdColour);
    colours.Add("Black");
    colours.SetItemColour(0, ui::Rgb(0, 0, 0));
    colours.Add("Red");
    colours.SetItemColour(1, ui::Rgb(255, 0, 0));
    return Dialog::OnInitDialog();
  }
  void DoDataExchange(ui::DataExchange& dx) override {
    dx.Text(kIdName, name, 8);
    dx.Unsigned(kIdWidth, width);
    dx.Integer(kIdOffset, offset);
    dx.Check(kIdBold, bold);
    dx.Radio(kIdLeft, align);
    dx.ListText(kIdFont, font);
    dx.Text(kIdStyle, style_text);
    dx.SliderPosition(kIdSpeed, speed);
    dx.ListIndex(kIdColour, colour);
    if (dx.saving()) {
      ui::ListView files = GetListView(kIdFiles);
      file_checks.clear();
      for (int row = 0; row < files.Count(); ++row) file_checks.push_back(files.IsRowChecked(row));
    }
  }
  void OnCommand(int id, ui::Notify code, int index) override {
    events.push_back({id, code, index});
    if (id == kIdBrowse && code == ui::Notify::kClicked) {
      PickDialog pick;
      if (pick.DoModal(handle()) == ui::kIdOk) {
        picked = pick.picked;
        GetEdit(kIdName).SetText(picked);
      }
    }
    if (id == kIdAsk && code == ui::Notify::kClicked) {
      asked = ui::ShowMessage("Use the picture as background?", "Banner", ui::Buttons::kYesNo,
                              ui::Icon::kQuestion, handle());
    }
    // Bold settings enable the notes field.
    if (id == kIdBold && code == ui::Notify::kClicked) {
      GetControl(kIdNotes).Enable(GetButton(kIdBold).IsChecked());
    }
  }
};

// A fixture with a scripted backend in force whose errors fail the test
// unless the test expects some.
class ScriptedTest : public ::testing::Test {
 protected:
  ScriptedTest() : scoped_(&backend_) {
    driver().SetErrorHandler([this](const std::string& message) {
      if (!errors_expected_) ADD_FAILURE() << "driver error: " << message;
    });
  }
  ui::Driver& driver() { return backend_.driver(); }
  void ExpectErrors() { errors_expected_ = true; }

  ui::ScriptedBackend backend_;
  ui::ScopedScriptedBackend scoped_;
  bool errors_expected_ = false;
};

}  // namespace ui_test
