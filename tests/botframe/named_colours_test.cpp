// The named colour table and the colour lists.
#include <gtest/gtest.h>

#include "botframe/named_colours.h"
#include "ui/dialog.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using botframe::ColourListState;

TEST(NamedColoursTest, TableHoldsTheNamesLetterForLetter) {
  const auto table = botframe::NamedColours();
  ASSERT_EQ(table.size(), 142u);
  EXPECT_EQ(table[1].value, botframe::kCustomColour);
  EXPECT_STREQ(table[2].name, "Alice Blue");
  EXPECT_EQ(table[2].value, 0xF0F8FF);
  EXPECT_STREQ(table[141].name, "Yellow Green");
  int found = 0;
  for (const auto& entry : table) {
    const std::string name = entry.name;
    if (name == "Dark Mhaki") {
      EXPECT_EQ(entry.value, 0xBDB76B);
      ++found;
    }
    if (name == "Light Grey" || name == "Dark Gray" || name == "Dark Olivegreen" ||
        name == "Deep Skyblue" || name == "Light Steelblue") {
      ++found;
    }
  }
  EXPECT_EQ(found, 6);

  // Without "None" a list index is the table index less one.
  const ColourListState background;
  EXPECT_STREQ(botframe::NamedColourName(background.TableIndex(137)), "White");
  EXPECT_EQ(background.ColourOf(137), 0xFFFFFF);
  EXPECT_STREQ(botframe::NamedColourName(background.TableIndex(51)), "Gray");
  const ColourListState highlight("None");
  EXPECT_EQ(highlight.ColourOf(0), botframe::kNoColour);
  EXPECT_STREQ(botframe::NamedColourName(0), "None");
}

TEST(NamedColoursTest, ColoursAsHexadecimalText) {
  EXPECT_EQ(botframe::FormatRgb(botframe::Rgb(0xFF8000)), "ff8000");
  EXPECT_EQ(botframe::FormatRgb(botframe::Rgb(0x00000A)), "00000a");
  botframe::Rgb colour(0x123456);
  EXPECT_TRUE(botframe::ParseRgb("A0b1C2", &colour));
  EXPECT_EQ(colour, botframe::Rgb(0xA0B1C2));
  for (const char* bad : {"", "fff", "ff80000", "gg0000", " ff800", "-f8000"}) {
    EXPECT_FALSE(botframe::ParseRgb(bad, &colour)) << bad;
  }
  EXPECT_EQ(colour, botframe::Rgb(0xA0B1C2));
}

// A dialog holding one colour list.
class ColourDialog : public ui::Dialog {
 public:
  static constexpr int kListId = 100;
  explicit ColourDialog(ColourListState& state) : ui::Dialog(kSpec), state_(state) {}
  int selected = -1;

 protected:
  bool OnInitDialog() override {
    state_.Fill(GetList(kListId), 137);
    selected = 137;
    return true;
  }
  void OnCommand(int id, ui::Notify code, int) override {
    if (id == kListId && code == ui::Notify::kSelectionChanged) {
      selected = state_.OnSelectionChanged(GetList(kListId), handle());
    }
  }

 private:
  static constexpr ui::ControlSpec kControls[] = {
      {ui::kIdStatic, ui::ControlKind::kLabel, "Background Color:", 5, 5, 100, 8},
      {kListId, ui::ControlKind::kColourList, "", 5, 15, 100, 60},
      {ui::kIdOk, ui::ControlKind::kDefaultButton, "OK", 5, 80, 50, 14},
  };
  static constexpr ui::DialogSpec kSpec{"Colours", 120, 100, kControls};
  ColourListState& state_;
};

TEST(ColourListTest, CustomAsksForAColourAndCancelGoesBack) {
  ui::ScriptedBackend backend;
  ui::ScopedScriptedBackend scoped(&backend);
  backend.driver().SetErrorHandler([](const std::string& error) { ADD_FAILURE() << error; });
  ColourListState state;
  state.set_custom_colour(botframe::Rgb(0x102030));
  ColourDialog dialog(state);
  backend.driver().ExpectColour(std::nullopt);                      // cancelled
  backend.driver().ExpectColour(ui::Rgb(0xFF, 0x80, 0x00));          // chosen
  backend.driver().Expect("Colours", [&](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items("Background Color:").size(), 141u);
    EXPECT_EQ(w.SelectedItem("Background Color:"), "White");
    w.Select("Background Color:", "Custom...");
    EXPECT_EQ(w.SelectedItem("Background Color:"), "White");  // back where it was
    EXPECT_EQ(state.custom_colour(), botframe::Rgb(0x102030));
    w.Select("Background Color:", "Custom...");
    EXPECT_EQ(w.SelectedItem("Background Color:"), "Custom...");
    w.PressOk();
  });
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  EXPECT_EQ(dialog.selected, 0);
  EXPECT_EQ(state.custom_colour(), botframe::Rgb(0xFF8000));
  EXPECT_EQ(state.ColourOf(0), 0xFF8000);
}

}  // namespace
