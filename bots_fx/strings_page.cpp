// The Strings pages of the text and image effects bots.
#include "bots_fx/strings_page.h"

#include <algorithm>
#include <utility>

#include "base/numbers.h"
#include "base/text.h"
#include "botframe/edit_state.h"
#include "botframe/file_dialogs.h"
#include "botframe/properties.h"
#include "botframe/publishing.h"
#include "ui/message_box.h"

namespace bots_fx {
namespace {

using ui::ControlKind;
namespace style = ui::style;
using Page = CEffectStringsPage;

// Both pages' controls; the image page has narrower motion lists to make
// room for the steps boxes, and one wide colour list.
constexpr auto StringsControls(bool image) {
  const int how_width = image ? 80 : 104;
  const int delay_x = image ? 158 : 152;
  const int delay_width = image ? 30 : 36;
  return std::array<ui::ControlSpec, 46>{{
      {Page::kEnableId, ControlKind::kCheckBox, "Enable Strings Display", 130, 5, 112, 10},
      {ui::kIdStatic, ControlKind::kLabel, "String List:", 7, 6, 80, 8},
      {Page::kListId, ControlKind::kListBox, "", 7, 16, 162, 44, style::kVScroll},
      {Page::kUpId, ControlKind::kBitmapButton, "Up", 173, 16, 16, 14},
      {Page::kDownId, ControlKind::kBitmapButton, "Down", 173, 32, 16, 14},
      {Page::kNewId, ControlKind::kPushButton, "New", 193, 16, 49, 14},
      {Page::kRemoveId, ControlKind::kPushButton, "Remove", 193, 32, 49, 14},
      {ui::kIdStatic, ControlKind::kLabel, "String:", 7, 68, 34, 8},
      {Page::kStringId, ControlKind::kEdit, "", 44, 66, 198, 12},
      {ui::kIdStatic, ControlKind::kLabel, "Font:", 7, 84, 34, 8},
      {Page::kFontId, ControlKind::kDropDownList, "", 44, 82, 80, 90, style::kVScroll},
      {Page::kFontSizeId, ControlKind::kEdit, "", 128, 82, 26, 12, style::kNumber},
      {Page::kStyleId, ControlKind::kDropDownList, "", 158, 82, 84, 60, style::kVScroll},
      {ui::kIdStatic, ControlKind::kLabel, "Colors:", 7, 100, 34, 8},
      {Page::kColour1Id, ControlKind::kColourList, "", 44, 98, image ? 98 : 47, 120,
       style::kVScroll},
      {Page::kColour2Id, ControlKind::kColourList, "", 95, 98, 47, 120, style::kVScroll},
      {Page::kColour3Id, ControlKind::kColourList, "", 146, 98, 47, 120, style::kVScroll},
      {Page::kColour4Id, ControlKind::kColourList, "", 197, 98, 45, 120, style::kVScroll},
      {ui::kIdStatic, ControlKind::kLabel, "Effect:", 7, 116, 34, 8},
      {Page::kEffectId, ControlKind::kDropDownList, "", 44, 114, 98, 80, style::kVScroll},
      {ui::kIdStatic, ControlKind::kLabel, "Color Delay:", 148, 116, 44, 8},
      {Page::kColourDelayId, ControlKind::kEdit, "", 196, 114, 46, 12, style::kNumber},
      {ui::kIdStatic, ControlKind::kLabel, "Shadow:", 7, 132, 34, 8},
      {Page::kShadowColourId, ControlKind::kColourList, "", 44, 130, 98, 120, style::kVScroll},
      {Page::kShadowXId, ControlKind::kDropDownList, "", 148, 130, 45, 80, style::kVScroll},
      {Page::kShadowYId, ControlKind::kDropDownList, "", 197, 130, 45, 80, style::kVScroll},
      {ui::kIdStatic, ControlKind::kLabel, "Align:", 7, 148, 34, 8},
      {Page::kAlignXId, ControlKind::kDropDownList, "", 44, 146, 60, 50, style::kVScroll},
      {Page::kAlignXOffsetId, ControlKind::kEdit, "", 108, 146, 34, 12},
      {Page::kAlignYId, ControlKind::kDropDownList, "", 148, 146, 60, 50, style::kVScroll},
      {Page::kAlignYOffsetId, ControlKind::kEdit, "", 212, 146, 30, 12},
      {ui::kIdStatic, ControlKind::kLabel, "Entry:", 7, 166, 34, 8},
      {Page::kEntryHowId, ControlKind::kDropDownList, "", 44, 164, how_width, 120, style::kVScroll},
      {Page::kEntryStepsId, ControlKind::kEdit, "", 128, 164, 26, 12, style::kNumber},
      {Page::kEntryDelayId, ControlKind::kEdit, "", delay_x, 164, delay_width, 12, style::kNumber},
      {Page::kEntrySoundId, ControlKind::kPushButton, "(None)", 192, 163, 50, 14},
      {ui::kIdStatic, ControlKind::kLabel, "Exit:", 7, 184, 34, 8},
      {Page::kExitHowId, ControlKind::kDropDownList, "", 44, 182, how_width, 120, style::kVScroll},
      {Page::kExitStepsId, ControlKind::kEdit, "", 128, 182, 26, 12, style::kNumber},
      {Page::kExitDelayId, ControlKind::kEdit, "", delay_x, 182, delay_width, 12, style::kNumber},
      {Page::kExitSoundId, ControlKind::kPushButton, "(None)", 192, 181, 50, 14},
      {ui::kIdStatic, ControlKind::kLabel, "Hold Time:", 7, 202, 38, 8},
      {Page::kHoldTimeId, ControlKind::kEdit, "", 48, 200, 40, 12, style::kNumber},
      {ui::kIdStatic, ControlKind::kLabel, "Run Delay:", 100, 202, 38, 8},
      {Page::kRunDelayId, ControlKind::kEdit, "", 142, 200, 40, 12, style::kNumber},
      {Page::kPreviewId, ControlKind::kPushButton, "Preview", 192, 217, 50, 14, style::kGroup},
  }};
}

constexpr auto kTextAll = StringsControls(false);
constexpr auto kImageAll = StringsControls(true);
constexpr auto kTextControls =
    ui::WithoutControls<kTextAll, Page::kEnableId, Page::kEntryStepsId, Page::kExitStepsId>();
constexpr auto kImageControls = ui::WithoutControls<kImageAll, Page::kColour2Id, Page::kColour3Id,
                                                    Page::kColour4Id, Page::kColourDelayId>();
constexpr ui::DialogSpec kTextSpec{"Strings", 249, 238, kTextControls};
constexpr ui::DialogSpec kImageSpec{"Strings", 249, 238, kImageControls};

constexpr ui::Tooltip kSharedTips[] = {
    {Page::kListId, "This is the String List displayed in top-to-bottom order."},
    {Page::kUpId, "Move the currently selected string up in the String List."},
    {Page::kDownId, "Move the currently selected string down in the String List."},
    {Page::kNewId, "Add a new string to the String List."},
    {Page::kRemoveId, "Remove the currently selected string from the String List."},
    {Page::kStringId, "Put the string you want displayed here."},
    {Page::kFontId, "Font name of the string."},
    {Page::kFontSizeId, "Size of the string font."},
    {Page::kStyleId, "Style of string font."},
    {Page::kColour2Id, "Every second character animated color."},
    {Page::kColour3Id, "Every third character animated color."},
    {Page::kColour4Id, "Every fourth character animated color."},
    {Page::kEffectId, "Sets the character effect."},
    {Page::kColourDelayId, "Time in milli-seconds between color animations (Typ:20-300)."},
    {Page::kShadowColourId, "Color of the shadow or Glow."},
    {Page::kShadowXId, "Horizontal offset of the shadow."},
    {Page::kShadowYId, "Vertical offset of the shadow."},
    {Page::kAlignXId, "Horizontal alignment."},
    {Page::kAlignXOffsetId, "Additional horizontal offset from aligment setting in pixels."},
    {Page::kAlignYId, "Vertical alignment."},
    {Page::kAlignYOffsetId, "Additional vertical offset from aligment setting in pixels."},
    {Page::kEntryHowId, "String's entry motion effect."},
    {Page::kEntrySoundId, "String's entry sound."},
    {Page::kExitHowId, "String's exit motion effect."},
    {Page::kExitSoundId, "String's exit sound."},
    {Page::kHoldTimeId, "Time in milli-seconds the string is still (Typ:1000-5000)."},
    {Page::kRunDelayId, "Time in milli-seconds to beginning of next string (Typ:0-1000)."},
    {Page::kPreviewId, "Preview the Applet with the current settings."},
};
constexpr ui::Tooltip kTextTips[] = {
    {Page::kColour1Id, "String color. If more that one color set, colors will be animated."},
    {Page::kEntryDelayId, "Time in milli-seconds for entry motion effect (Typ:80-1000)."},
    {Page::kExitDelayId, "Time in milli-seconds for exit motion effect (Typ:80-1000)."},
};
constexpr ui::Tooltip kImageTips[] = {
    {Page::kColour1Id, "Color of the string font."},
    {Page::kEntryStepsId, "Number of animation steps. (Typ:10-50)."},
    {Page::kEntryDelayId, "Delay in milli-seconds between string display updates (Typ:10-50)."},
    {Page::kExitStepsId, "Number of animation steps (Typ:10-50)."},
    {Page::kExitDelayId, "Delay in milli-seconds between string display updates (Typ:10-50)."},
};

constexpr int kColourIds[] = {Page::kColour1Id, Page::kColour2Id, Page::kColour3Id,
                              Page::kColour4Id};
// The boxes of unsigned numbers, in tab order, and the two signed ones.
constexpr int kUnsignedIds[] = {Page::kFontSizeId,   Page::kColourDelayId, Page::kEntryStepsId,
                                Page::kEntryDelayId, Page::kExitStepsId,   Page::kExitDelayId,
                                Page::kHoldTimeId,   Page::kRunDelayId};
constexpr int kSignedIds[] = {Page::kAlignXOffsetId, Page::kAlignYOffsetId};

bool Has(const ui::DialogSpec& spec, int id) {
  return std::any_of(spec.controls.begin(), spec.controls.end(),
                     [id](const ui::ControlSpec& control) { return control.id == id; });
}

void FillList(ui::ListControl list, const base::KeywordTable& table) {
  list.Clear();
  for (const base::KeywordRow& row : table) list.Add(row.caption);
}

// Selects index when the list has it (else leaves the list as it is).
void SelectIndex(ui::ListControl list, int index) {
  if (index >= 0 && index < list.Count()) list.Select(index);
}

// A list's selection, or keep when nothing is selected.
int SelectionOr(ui::ListControl list, int keep) {
  const int selected = list.Selection();
  return selected >= 0 ? selected : keep;
}

}  // namespace

CEffectStringsPage::CEffectStringsPage(botframe::EditContext& context, const ui::DialogSpec& spec,
                                       const StringsVariant& variant)
    : CWebBotPage(context, spec), variant_(variant) {
  set_bot_help_topic("Strings");
}

CTextStringsPage::CTextStringsPage(botframe::EditContext& context)
    : CEffectStringsPage(context, kTextSpec, kTextStrings) {}

CImageStringsPage::CImageStringsPage(botframe::EditContext& context)
    : CEffectStringsPage(context, kImageSpec, kImageStrings) {}

// ---------------------------------------------------------------------------
// Attributes

void CEffectStringsPage::LoadAttributes(botframe::Attributes* attributes) {
  CWebBotPage::LoadAttributes(attributes);
  botframe::Attributes& a = *attributes;
  const int count = StoredStringCount(a);
  most_written_ = count;
  DropNoSounds(a, count);
  entries_.clear();
  for (int index = 1; index <= count; ++index) {
    entries_.push_back(ReadStringEntry(a, variant_, index));
  }
  if (variant_.switchable) {
    const std::optional<std::string> uses = a.Get("param-UsesStrings");
    enabled_ = !uses || uses->rfind('1', 0) == 0;
  }
  for (const StringEntry& entry : entries_) {
    for (const std::string* sound : {&entry.entry_sound, &entry.exit_sound}) {
      if (*sound == botframe::kNoFileName) continue;
      botframe::LocateOrRecordMissing(state(), *sound, botframe::kMissingSound, "Strings");
    }
  }
}

void CEffectStringsPage::SaveAttributes() {
  if (!attributes_) return;
  botframe::Attributes& a = *attributes_;
  // The entry being edited, when the page is open (a preview).
  if (IsOpen()) StoreCurrentEntry();
  const bool preview = properties() && properties()->preview_mode();
  const int count = entry_count();
  a.Set("param-TextCount", base::Format("%d", count));
  if (variant_.switchable) a.Set("param-UsesStrings", enabled_ ? "1" : "0");
  if (!preview) {
    for (int index = 1; index <= most_written_; ++index) RemoveStringEntry(a, index);
  }
  most_written_ = std::max(most_written_, count);
  const std::string code_base = a.GetOr("java-codebase", "");
  for (int index = 1; index <= count; ++index) {
    WriteStringEntry(a, variant_, index, entries_[static_cast<size_t>(index - 1)], code_base);
  }
}

void CEffectStringsPage::WriteAppletParams(std::string& out, botframe::Attributes& attributes) {
  WriteStringParams(out, attributes, variant_);
}

// ---------------------------------------------------------------------------
// The page

bool CEffectStringsPage::OnInitDialog() {
  AddTooltips(kSharedTips);
  if (variant_.switchable) {
    AddTooltips(kImageTips);
  } else {
    AddTooltips(kTextTips);
  }
  for (int id : kUnsignedIds) {
    if (Has(spec(), id)) GetEdit(id).SetLimit(kNumberChars);
  }
  for (int id : kSignedIds) GetEdit(id).SetLimit(kNumberChars);
  ui::ListBox list = GetList(kListId);
  list.Clear();
  for (const StringEntry& entry : entries_) list.Add(entry.text);
  for (int id : {kShadowXId, kShadowYId}) {
    ui::ListControl offsets = GetList(id);
    offsets.Clear();
    for (int offset = -kMostShadowOffset; offset <= kMostShadowOffset; ++offset) {
      offsets.Add(base::Format("%d", offset));
    }
  }
  ui::ListControl fonts = GetList(kFontId);
  fonts.Clear();
  for (const char* font : kStringFonts) fonts.Add(font);
  FillList(GetList(kStyleId), kStringStyles);
  FillList(GetList(kEffectId), variant_.effects);
  FillList(GetList(kAlignXId), kHorizontalAlignments);
  FillList(GetList(kAlignYId), kVerticalAlignments);
  FillList(GetList(kEntryHowId), variant_.motions);
  FillList(GetList(kExitHowId), variant_.motions);
  for (int n = 0; n < variant_.colour_count; ++n) {
    colour_lists_[static_cast<size_t>(n)].Fill(GetList(kColourIds[n]), kDefaultColour);
  }
  shadow_list_.Fill(GetList(kShadowColourId), 0);

  current_row_ = -1;
  if (entries_.empty()) {
    AddEntry();
  } else {
    list.Select(0);
    ShowEntry(0);
  }
  if (variant_.switchable) GetButton(kEnableId).SetChecked(enabled_);
  ApplyEnabling();
  return true;
}

bool CEffectStringsPage::OnSetActive() {
  UpdateRemoveButton();
  return true;
}

bool CEffectStringsPage::OnKillActive() {
  if (!UpdateData(true)) return false;
  StoreCurrentEntry();
  return true;
}

void CEffectStringsPage::DoDataExchange(ui::DataExchange& dx) {
  if (!dx.saving()) return;
  if (variant_.switchable) dx.Check(kEnableId, enabled_);
  for (int id : kUnsignedIds) {
    if (!Has(spec(), id)) continue;  // a box the variant lacks
    uint32_t value = 0;
    dx.Unsigned(id, value);
  }
  for (int id : kSignedIds) {
    int32_t value = 0;
    dx.Integer(id, value);
  }
}

void CEffectStringsPage::ShowEntry(int row) {
  if (row < 0 || row >= entry_count()) return;
  current_row_ = row;
  const StringEntry& entry = entries_[static_cast<size_t>(row)];
  GetEdit(kStringId).SetText(entry.text);
  ui::ListControl fonts = GetList(kFontId);
  fonts.Select(fonts.Find(entry.font_face));
  const auto number = [this](int id, int value) {
    if (Has(spec(), id)) GetEdit(id).SetText(base::Format("%d", value));
  };
  number(kFontSizeId, entry.font_size);
  number(kColourDelayId, entry.colour_delay);
  number(kAlignXOffsetId, entry.align_x_offset);
  number(kAlignYOffsetId, entry.align_y_offset);
  number(kEntryStepsId, entry.entry_steps);
  number(kEntryDelayId, entry.entry_delay);
  number(kExitStepsId, entry.exit_steps);
  number(kExitDelayId, entry.exit_delay);
  number(kHoldTimeId, entry.hold_time);
  number(kRunDelayId, entry.run_delay);
  SelectIndex(GetList(kStyleId), entry.style);
  SelectIndex(GetList(kEffectId), entry.effect);
  SelectIndex(GetList(kShadowXId), entry.shadow_x + kMostShadowOffset);
  SelectIndex(GetList(kShadowYId), entry.shadow_y + kMostShadowOffset);
  SelectIndex(GetList(kAlignXId), entry.align_x);
  SelectIndex(GetList(kAlignYId), entry.align_y);
  SelectIndex(GetList(kEntryHowId), entry.entry_motion);
  SelectIndex(GetList(kExitHowId), entry.exit_motion);
  // Each colour list's "Custom..." row shows this entry's custom colour.
  const auto show_colour = [](botframe::ColourListState& state, ui::ListControl list, int index,
                              botframe::Rgb custom) {
    state.set_custom_colour(custom);
    list.SetItemColour(state.ListIndex(botframe::kCustomColourIndex), base::ToBgr(custom));
    state.Select(list, index);
  };
  for (int n = 0; n < variant_.colour_count; ++n) {
    const size_t at = static_cast<size_t>(n);
    show_colour(colour_lists_[at], GetList(kColourIds[n]), entry.colours[at],
                entry.custom_colours[at]);
  }
  show_colour(shadow_list_, GetList(kShadowColourId), entry.shadow_colour, entry.custom_shadow);
  GetButton(kEntrySoundId).SetText(entry.entry_sound);
  GetButton(kExitSoundId).SetText(entry.exit_sound);
}

void CEffectStringsPage::StoreCurrentEntry() {
  if (!IsOpen() || current_row_ < 0 || current_row_ >= entry_count()) return;
  const std::string text = GetEdit(kStringId).Text();
  if (text.empty()) return;
  StringEntry& entry = entries_[static_cast<size_t>(current_row_)];
  entry.text = text;
  ui::ListControl fonts = GetList(kFontId);
  if (fonts.Selection() >= 0) entry.font_face = fonts.ItemText(fonts.Selection());
  // What is no number counts as 0; the page's check refuses it before
  // anything but a change of selection stores it.
  const auto number = [this](int id, int& value, bool with_sign) {
    if (!Has(spec(), id)) return;
    const std::string digits = GetEdit(id).Text().substr(0, kNumberChars);
    value = with_sign ? base::DecimalValue(digits)
                      : static_cast<int>(base::UnsignedDecimalValue(digits));
  };
  number(kFontSizeId, entry.font_size, false);
  number(kColourDelayId, entry.colour_delay, false);
  number(kAlignXOffsetId, entry.align_x_offset, true);
  number(kAlignYOffsetId, entry.align_y_offset, true);
  number(kEntryStepsId, entry.entry_steps, false);
  number(kEntryDelayId, entry.entry_delay, false);
  number(kExitStepsId, entry.exit_steps, false);
  number(kExitDelayId, entry.exit_delay, false);
  number(kHoldTimeId, entry.hold_time, false);
  number(kRunDelayId, entry.run_delay, false);
  entry.style = SelectionOr(GetList(kStyleId), entry.style);
  entry.effect = SelectionOr(GetList(kEffectId), entry.effect);
  entry.shadow_x =
      SelectionOr(GetList(kShadowXId), entry.shadow_x + kMostShadowOffset) - kMostShadowOffset;
  entry.shadow_y =
      SelectionOr(GetList(kShadowYId), entry.shadow_y + kMostShadowOffset) - kMostShadowOffset;
  entry.align_x = SelectionOr(GetList(kAlignXId), entry.align_x);
  entry.align_y = SelectionOr(GetList(kAlignYId), entry.align_y);
  entry.entry_motion = SelectionOr(GetList(kEntryHowId), entry.entry_motion);
  entry.exit_motion = SelectionOr(GetList(kExitHowId), entry.exit_motion);
  for (int n = 0; n < variant_.colour_count; ++n) {
    const size_t at = static_cast<size_t>(n);
    entry.colours[at] = SelectionOr(GetList(kColourIds[n]), entry.colours[at]);
    if (entry.colours[at] == kCustomFontColour) {
      entry.custom_colours[at] = colour_lists_[at].custom_colour();
    }
  }
  entry.shadow_colour = SelectionOr(GetList(kShadowColourId), entry.shadow_colour);
  if (entry.shadow_colour == kCustomShadowColour) {
    entry.custom_shadow = shadow_list_.custom_colour();
  }
  entry.entry_sound = GetButton(kEntrySoundId).Text();
  entry.exit_sound = GetButton(kExitSoundId).Text();

  ui::ListBox list = GetList(kListId);
  if (list.ItemText(current_row_) == text) return;
  const bool selected = list.Selection() == current_row_;
  list.Delete(current_row_);
  list.Insert(current_row_, text);
  if (selected) list.Select(current_row_);
}

void CEffectStringsPage::AddEntry() {
  entries_.emplace_back();
  ui::ListBox list = GetList(kListId);
  const int row = list.Add(entries_.back().text);
  list.Select(row);
  ShowEntry(row);
  UpdateRemoveButton();
}

void CEffectStringsPage::OnNew() {
  if (variant_.checks_new_and_remove && !UpdateData(true)) return;
  StoreCurrentEntry();
  AddEntry();
}

void CEffectStringsPage::OnRemove() {
  if (variant_.checks_new_and_remove && !UpdateData(true)) return;
  ui::ListBox list = GetList(kListId);
  const int row = list.Selection();
  // The list never holds fewer than one entry.
  if (row < 0 || row >= entry_count() || entry_count() <= 1) return;
  list.Delete(row);
  entries_.erase(entries_.begin() + row);
  // The entry shown is gone: nothing of it is stored.
  current_row_ = -1;
  const int shown = std::max(row - 1, 0);
  list.Select(shown);
  ShowEntry(shown);
  UpdateRemoveButton();
}

void CEffectStringsPage::MoveEntry(int by) {
  if (!UpdateData(true)) return;
  StoreCurrentEntry();
  ui::ListBox list = GetList(kListId);
  const int row = list.Selection();
  if (row < 0 || row >= entry_count()) {
    ui::ShowMessage("Please select an item from the list", "Error!!!", ui::Buttons::kOk,
                    ui::Icon::kError, handle());
    return;
  }
  const int other = row + by;
  if (other < 0 || other >= entry_count()) return;
  std::swap(entries_[static_cast<size_t>(row)], entries_[static_cast<size_t>(other)]);
  list.Delete(row);
  list.Insert(other, entries_[static_cast<size_t>(other)].text);
  list.Select(other);
  // The controls still show the moved entry.
  current_row_ = other;
}

void CEffectStringsPage::ChooseSound(int id) {
  botframe::CSelectFileDialog dialog(context(), botframe::kFileKindAudio,
                                     /*show_add_from_web=*/true, /*show_no_file=*/true);
  dialog.set_selected_name(GetButton(id).Text());
  if (dialog.DoModal(handle()) == ui::kIdOk) GetButton(id).SetText(dialog.selected_name());
}

void CEffectStringsPage::ApplyEnabling() {
  for (const ui::ControlSpec& control : spec().controls) {
    if (control.id == ui::kIdStatic || control.id == kEnableId || control.id == kRemoveId ||
        control.id == kPreviewId) {
      continue;
    }
    GetControl(control.id).Enable(enabled_);
  }
  UpdateRemoveButton();
}

void CEffectStringsPage::UpdateRemoveButton() {
  GetControl(kRemoveId).Enable(enabled_ && entry_count() > 1);
}

void CEffectStringsPage::BindEvents() {
  using ui::Notify;
  Bind(kListId, Notify::kSelectionChanged, [this] {
    StoreCurrentEntry();
    ShowEntry(GetList(kListId).Selection());
  });
  Bind(kUpId, Notify::kClicked, [this] { MoveEntry(-1); });
  Bind(kDownId, Notify::kClicked, [this] { MoveEntry(+1); });
  OnClicked(kNewId, &CEffectStringsPage::OnNew);
  OnClicked(kRemoveId, &CEffectStringsPage::OnRemove);
  Bind(kEnableId, Notify::kClicked, [this] {
    enabled_ = GetButton(kEnableId).IsChecked();
    ApplyEnabling();
  });
  for (int n = 0; n < 4; ++n) {
    Bind(kColourIds[n], Notify::kSelectionChanged, [this, n] {
      colour_lists_[static_cast<size_t>(n)].OnSelectionChanged(GetList(kColourIds[n]), handle());
    });
  }
  Bind(kShadowColourId, Notify::kSelectionChanged,
       [this] { shadow_list_.OnSelectionChanged(GetList(kShadowColourId), handle()); });
  Bind(kEntrySoundId, Notify::kClicked, [this] { ChooseSound(kEntrySoundId); });
  Bind(kExitSoundId, Notify::kClicked, [this] { ChooseSound(kExitSoundId); });
  OnClicked(kPreviewId, &CEffectStringsPage::Preview);
}

}  // namespace bots_fx
