// The dialog contract's cases: the program's calls on every family of
// control, and the notifications a user's actions cause.
#include "tests/support/dialog_contract.h"

#include <gtest/gtest.h>

#include <functional>

namespace dialog_contract {
namespace {

using ui::ControlKind;
namespace style = ui::style;

constexpr ui::ControlSpec kControls[] = {
    {kEdit, ControlKind::kEdit, "", 7, 7, 100, 12},
    {kCheck, ControlKind::kCheckBox, "Tick", 114, 7, 60, 10},
    {kCombo, ControlKind::kDropDownList, "", 7, 24, 100, 60, style::kVScroll | style::kSorted},
    {kList, ControlKind::kListBox, "", 114, 24, 80, 40, style::kVScroll},
    {kRows, ControlKind::kListView, "", 7, 70, 187, 40, style::kCheckBoxes},
    {kSlider, ControlKind::kSlider, "", 7, 114, 100, 14},
    {kColours, ControlKind::kColourList, "", 114, 114, 80, 60, style::kVScroll},
    {kRich, ControlKind::kRichEdit, "", 7, 132, 100, 30},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 144, 150, 50, 14},
};
constexpr ui::DialogSpec kSpec{kCaption, 201, 171, kControls};

std::string Flag(bool value) { return value ? "yes" : "no"; }
std::string Number(int value) { return std::to_string(value); }

struct ProgramCase {
  const char* name;
  std::function<std::string(ui::Dialog&)> run;  // in order: a case may build on the last
  const char* expected;
};

std::vector<ProgramCase> ProgramCases() {
  using ui::Dialog;
  return {
      {"edit text", [](Dialog& d) { d.GetEdit(kEdit).SetText("Hello"); return d.GetEdit(kEdit).Text(); },
       "Hello"},
      {"program text ignores the limit",
       [](Dialog& d) {
         d.GetEdit(kEdit).SetLimit(3);
         d.GetEdit(kEdit).SetText("abcdef");
         d.GetEdit(kEdit).SetLimit(0);  // lifted again for the user
         return d.GetEdit(kEdit).Text();
       },
       "abcdef"},
      {"check box ticked", [](Dialog& d) { d.GetButton(kCheck).SetChecked(true); return Flag(d.GetButton(kCheck).IsChecked()); },
       "yes"},
      {"check box cleared", [](Dialog& d) { d.GetButton(kCheck).SetChecked(false); return Flag(d.GetButton(kCheck).IsChecked()); },
       "no"},
      {"disabled", [](Dialog& d) { d.GetControl(kEdit).Enable(false); return Flag(d.GetControl(kEdit).IsEnabled()); },
       "no"},
      {"enabled again", [](Dialog& d) { d.GetControl(kEdit).Enable(true); return Flag(d.GetControl(kEdit).IsEnabled()); },
       "yes"},
      {"hidden", [](Dialog& d) { d.GetControl(kCheck).Show(false); return Flag(d.GetControl(kCheck).IsVisible()); },
       "no"},
      {"shown again", [](Dialog& d) { d.GetControl(kCheck).Show(true); return Flag(d.GetControl(kCheck).IsVisible()); },
       "yes"},
      {"sorted combo items, without regard to case",
       [](Dialog& d) {
         ui::ComboBox combo = d.GetList(kCombo);
         std::string added;
         for (const char* item : {"gamma", "Beta", "alpha"}) added += Number(combo.Add(item));
         return added + " " + Number(combo.Count()) + " " + combo.ItemText(1);
       },
       "000 3 Beta"},
      {"combo selection shows as its text",
       [](Dialog& d) { d.GetList(kCombo).Select(2); return Number(d.GetList(kCombo).Selection()) + " " + d.GetList(kCombo).Text(); },
       "2 gamma"},
      {"combo selection out of range is none",
       [](Dialog& d) { d.GetList(kCombo).Select(7); return Number(d.GetList(kCombo).Selection()); }, "-1"},
      {"drop-down list text selects its item regardless of case",
       [](Dialog& d) { d.GetList(kCombo).SetText("beta"); return Number(d.GetList(kCombo).Selection()); }, "1"},
      {"list box insert and delete",
       [](Dialog& d) {
         ui::ListBox list = d.GetList(kList);
         list.Add("one", 10);
         list.Add("three", 30);
         list.Insert(1, "two", 20);
         list.Add("gone");
         list.Delete(3);
         return Number(list.Count()) + " " + list.ItemText(1) + " " +
                Number(static_cast<int>(list.ItemData(2)));
       },
       "3 two 30"},
      {"list box insert past the end refused",
       [](Dialog& d) { return Number(d.GetList(kList).Insert(9, "far")); }, "-1"},
      {"list box selection",
       [](Dialog& d) {
         ui::ListBox list = d.GetList(kList);
         list.Select(1);
         return Number(list.Selection()) + " " + Flag(list.IsSelected(1)) + " " + Flag(list.IsSelected(0));
       },
       "1 yes no"},
      {"list-view rows",
       [](Dialog& d) {
         ui::ListView rows = d.GetListView(kRows);
         rows.AddColumn("Name", 80);
         rows.AddColumn("Size", 60);
         rows.AddRow({"a.gif", "12"});
         rows.AddRow({"b.jpg", "34"}, -1, 7);
         return Number(rows.Count()) + " " + rows.RowText(1, 0) + " " + rows.RowText(1, 1) + " " +
                Number(static_cast<int>(rows.ItemData(1)));
       },
       "2 b.jpg 34 7"},
      {"list-view row checks",
       [](Dialog& d) {
         ui::ListView rows = d.GetListView(kRows);
         rows.SetRowChecked(1, true);
         return Flag(rows.IsRowChecked(0)) + " " + Flag(rows.IsRowChecked(1));
       },
       "no yes"},
      {"list-view selection",
       [](Dialog& d) { d.GetListView(kRows).Select(1); return Number(d.GetListView(kRows).Selection()); }, "1"},
      {"slider kept inside its range",
       [](Dialog& d) {
         ui::Slider slider = d.GetSlider(kSlider);
         slider.SetRange(0, 10);
         slider.SetPosition(15);
         const int high = slider.Position();
         slider.SetPosition(-3);
         return Number(high) + " " + Number(slider.Position());
       },
       "10 0"},
      {"colour list",
       [](Dialog& d) {
         ui::ColourList colours = d.GetList(kColours);
         for (const char* name : {"Black", "Red", "Custom..."}) colours.Add(name);
         colours.SetItemColour(1, ui::Rgb(255, 0, 0));
         colours.Select(1);
         return Number(colours.Count()) + " " + Number(colours.Selection());
       },
       "3 1"},
      {"rich text counts a line break as two",
       [](Dialog& d) {
         ui::RichEdit rich = d.GetRichEdit(kRich);
         rich.SetText("one\r\ntwo");
         return Number(rich.Length()) + " " + Number(rich.LineCount()) + " " +
                Number(rich.LineIndex(1)) + " " + rich.TextRange(5, 8);
       },
       "8 2 5 two"},
      {"rich selection",
       [](Dialog& d) {
         ui::RichEdit rich = d.GetRichEdit(kRich);
         rich.SetSelection(1, 3);
         int start = 0, end = 0;
         rich.GetSelection(&start, &end);
         return Number(start) + " " + Number(end) + " " + Number(rich.LineFromChar(6));
       },
       "1 3 1"},
      {"data exchange saves list, row and colour indexes",
       [](Dialog& d) {
         int list = -2, row = -2, colour = -2;
         ui::DataExchange dx(d, /*save=*/true);
         dx.ListIndex(kList, list);
         dx.RowIndex(kRows, row);
         dx.ColourIndex(kColours, colour);
         return Number(list) + " " + Number(row) + " " + Number(colour);
       },
       "1 1 1"},
      {"data exchange loads them",
       [](Dialog& d) {
         int list = 0, row = 0, colour = 2;
         ui::DataExchange dx(d, /*save=*/false);
         dx.ListIndex(kList, list);
         dx.RowIndex(kRows, row);
         dx.ColourIndex(kColours, colour);
         return Number(d.GetList(kList).Selection()) + " " + Number(d.GetListView(kRows).Selection()) +
                " " + Number(d.GetList(kColours).Selection());
       },
       "0 0 2"},
  };
}

// The user's actions and the event each must cause.
enum class Act { kType, kClick, kChoose, kCheckRow, kSlide };
struct UserAction {
  Act act;
  int id;
  const char* text;
  int index;
  ui::Notify heard;
  int heard_index;
};
constexpr UserAction kActions[] = {
    {Act::kType, kEdit, "typed", -1, ui::Notify::kChanged, -1},
    {Act::kClick, kCheck, nullptr, -1, ui::Notify::kClicked, -1},
    {Act::kChoose, kCombo, nullptr, 1, ui::Notify::kSelectionChanged, 1},
    {Act::kChoose, kList, nullptr, 2, ui::Notify::kSelectionChanged, 2},
    {Act::kChoose, kColours, nullptr, 0, ui::Notify::kSelectionChanged, 0},
    {Act::kChoose, kRows, nullptr, 1, ui::Notify::kSelectionChanged, 1},
    {Act::kCheckRow, kRows, nullptr, 0, ui::Notify::kRowChecked, 0},
    {Act::kSlide, kSlider, nullptr, 7, ui::Notify::kScrolled, 7},
};

}  // namespace

ContractDialog::ContractDialog() : ui::Dialog(kSpec) {}

void ContractDialog::BindEvents() {
  for (const UserAction& action : kActions) {
    Bind(action.id, action.heard, [this, id = action.id, code = action.heard](int index) {
      events.push_back({id, code, index});
      ++event_count;
    });
  }
}

bool ContractDialog::OnInitDialog() {
  for (const ProgramCase& c : ProgramCases()) program_results.push_back({c.name, c.expected, c.run(*this)});
  program_events = static_cast<int>(events.size());
  // The user starts from empty selections, so every choice is a change.
  for (int id : {kCombo, kList, kColours}) GetList(id).Select(-1);
  events.clear();
  event_count = 0;
  return true;
}

bool ContractDialog::OnOk() {
  final_results = {
      {"typed text", "typed", GetEdit(kEdit).Text()},
      {"clicked check box", "yes", Flag(GetButton(kCheck).IsChecked())},
      {"chosen combo item", "Beta", GetList(kCombo).Text()},
      {"chosen list box item", "three", GetList(kList).ItemText(GetList(kList).Selection())},
      {"chosen colour", "0", Number(GetList(kColours).Selection())},
      {"chosen list-view row", "1", Number(GetListView(kRows).Selection())},
      {"ticked list-view row", "yes", Flag(GetListView(kRows).IsRowChecked(0))},
      {"slider position", "7", Number(GetSlider(kSlider).Position())},
  };
  return true;
}

bool ActAsUser(ContractUser& user, ContractDialog& dialog) {
  bool heard_all = true;
  int count = 0;
  for (const UserAction& action : kActions) {
    switch (action.act) {
      case Act::kType: user.Type(action.id, action.text); break;
      case Act::kClick: user.Click(action.id); break;
      case Act::kChoose: user.Choose(action.id, action.index); break;
      case Act::kCheckRow: user.CheckRow(action.id, action.index, true); break;
      case Act::kSlide: user.Slide(action.id, action.index); break;
    }
    ++count;
    if (!user.WaitForEvents(dialog.event_count, count)) heard_all = false;
  }
  user.PressOk();
  return heard_all;
}

void CheckContract(const ContractDialog& dialog) {
  ASSERT_EQ(dialog.program_results.size(), ProgramCases().size());
  for (const ContractDialog::Result& result : dialog.program_results) {
    EXPECT_EQ(result.actual, result.expected) << result.name;
  }
  EXPECT_EQ(dialog.program_events, 0) << "the program's own calls are no user's actions";
  ASSERT_EQ(dialog.events.size(), std::size(kActions));
  for (size_t i = 0; i < std::size(kActions); ++i) {
    const ContractDialog::Event& event = dialog.events[i];
    EXPECT_EQ(event.id, kActions[i].id) << "event " << i;
    EXPECT_EQ(event.code, kActions[i].heard) << "event " << i;
    EXPECT_EQ(event.index, kActions[i].heard_index) << "event " << i;
  }
  ASSERT_EQ(dialog.final_results.size(), 8u);
  for (const ContractDialog::Result& result : dialog.final_results) {
    EXPECT_EQ(result.actual, result.expected) << result.name;
  }
}

}  // namespace dialog_contract
