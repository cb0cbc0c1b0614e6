// Variants of a control table, and events reaching bound handlers before
// OnCommand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/dialog.h"

namespace ui_test {
namespace {

using ui::ControlKind;

constexpr ui::ControlSpec kTable[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Name:", 0, 0, 10, 8},
    {10, ControlKind::kEdit, "", 0, 10, 10, 12},
    {ui::kIdStatic, ControlKind::kGroupBox, "Box", 0, 30, 10, 10},
    {20, ControlKind::kCheckBox, "Tick", 0, 40, 10, 10},
    {ui::kIdStatic, ControlKind::kLabel, "Colour:", 0, 50, 10, 8},
    {30, ControlKind::kColourList, "", 0, 60, 10, 60},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 0, 80, 10, 14},
};

std::vector<std::string> Captions(std::span<const ui::ControlSpec> table) {
  std::vector<std::string> captions;
  for (const ui::ControlSpec& row : table) captions.push_back(row.caption);
  return captions;
}

TEST(ControlTableTest, AVariantDropsControlsWithTheLabelsNamingThem) {
  constexpr auto kWithoutColour = ui::WithoutControls<kTable, 30>();
  constexpr auto kWithoutTwo = ui::WithoutControls<kTable, 10, 20>();
  constexpr auto kUnchanged = ui::WithoutControls<kTable, 99>();
  EXPECT_EQ(Captions(kWithoutColour),
            (std::vector<std::string>{"Name:", "", "Box", "Tick", "OK"}));
  // A check box names itself: the group box before it stays.
  EXPECT_EQ(Captions(kWithoutTwo), (std::vector<std::string>{"Box", "Colour:", "", "OK"}));
  EXPECT_EQ(Captions(kUnchanged), Captions(kTable));
}

class BoundDialog : public ui::Dialog {
 public:
  BoundDialog() : ui::Dialog(kSpec) {}
  std::vector<std::string> heard;

 protected:
  void BindEvents() override {
    Bind(10, ui::Notify::kChanged, [this] { heard.push_back("changed"); });
    Bind(30, ui::Notify::kSelectionChanged,
         [this](int index) { heard.push_back("colour " + std::to_string(index)); });
    OnClicked(20, &BoundDialog::Ticked);
    OnClicked(20, &BoundDialog::Ticked);  // several handlers run in turn
  }
  void OnCommand(int id, ui::Notify, int) override {
    heard.push_back("unbound " + std::to_string(id));
  }

 private:
  static constexpr ui::DialogSpec kSpec{"Bound", 100, 100, kTable};
  void Ticked() { heard.push_back("ticked"); }
};

TEST(EventBindingTest, BoundHandlersRunAndOtherEventsReachOnCommand) {
  BoundDialog dialog;
  dialog.FireCommand(10, ui::Notify::kChanged);
  dialog.FireCommand(30, ui::Notify::kSelectionChanged, 4);
  dialog.FireCommand(20, ui::Notify::kClicked);
  dialog.FireCommand(10, ui::Notify::kKillFocus);
  EXPECT_EQ(dialog.heard, (std::vector<std::string>{"changed", "colour 4", "ticked", "ticked",
                                                    "unbound 10"}));
}

}  // namespace
}  // namespace ui_test
