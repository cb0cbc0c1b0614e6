// The Effects page.
#include "bots_fx/effects_page.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "base/numbers.h"
#include "base/text.h"
#include "botframe/applet_tag.h"
#include "botframe/publishing.h"
#include "ui/message_box.h"

namespace bots_fx {
namespace {

using ui::ControlKind;
namespace style = ui::style;
using Page = CImageEffectsPage;

constexpr ui::ControlSpec kControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Effects", 7, 8, 60, 8},
    {Page::kEffectsId, ControlKind::kDropDownList, "", 70, 6, 172, 120, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Filter Delay", 7, 36, 60, 8},
    {Page::kDelayId, ControlKind::kSlider, "", 70, 32, 136, 16},
    {Page::kDelayValueId, ControlKind::kEdit, "", 210, 34, 32, 12, style::kReadOnly},
    {Page::kSpeedLabelId, ControlKind::kLabel, "", 7, 64, 60, 8},
    {Page::kSpeedId, ControlKind::kSlider, "", 70, 60, 136, 16},
    {Page::kSpeedValueId, ControlKind::kEdit, "", 210, 62, 32, 12, style::kReadOnly},
    {Page::kIntensityLabelId, ControlKind::kLabel, "", 7, 92, 60, 8},
    {Page::kIntensityId, ControlKind::kSlider, "", 70, 88, 136, 16},
    {Page::kIntensityValueId, ControlKind::kEdit, "", 210, 90, 32, 12, style::kReadOnly},
    {Page::kPreviewId, ControlKind::kPushButton, "Preview", 192, 217, 50, 14, style::kGroup},
};
constexpr ui::DialogSpec kSpec{"Effects", 249, 238, kControls};

constexpr ui::Tooltip kTooltips[] = {
    {Page::kEffectsId, "Select from the list of background image effects."},
    {Page::kDelayId, "Delay time in milli-seconds between image effects updates (Typ:20-100)."},
    {Page::kPreviewId, "Preview the Applet with the current settings."},
};

constexpr const char* kEffectAttribute = "param-AppBGFilter-Effect";

// The three values in their order: delay, speed, intensity.
struct Value {
  const char* attribute;
  int label_id;  // 0: a fixed caption
  int slider_id;
  int value_id;
  int maximum;
};
constexpr Value kValues[] = {
    {"param-AppBGFilter-Delay", 0, Page::kDelayId, Page::kDelayValueId, Page::kDelayMaximum},
    {"param-AppBGFilter-Speed", Page::kSpeedLabelId, Page::kSpeedId, Page::kSpeedValueId,
     kSliderMaximum},
    {"param-AppBGFilter-Intensity", Page::kIntensityLabelId, Page::kIntensityId,
     Page::kIntensityValueId, kSliderMaximum},
};
constexpr int kValueCount = static_cast<int>(std::size(kValues));

}  // namespace

CImageEffectsPage::CImageEffectsPage(botframe::EditContext& context)
    : CWebBotPage(context, kSpec),
      effect_(kFallbackEffect),
      delay_("20"),
      speed_("20"),
      intensity_("20") {
  set_bot_help_topic("Effects");
}

std::string& CImageEffectsPage::ValueText(int value) {
  return value == 0 ? delay_ : value == 1 ? speed_ : intensity_;
}

void CImageEffectsPage::LoadAttributes(botframe::Attributes* attributes) {
  CWebBotPage::LoadAttributes(attributes);
  const std::optional<std::string> effect = attributes->Get(kEffectAttribute);
  effect_ = effect.value_or("");
  new_ = !effect.has_value();
  for (int i = 0; i < kValueCount; ++i) {
    const std::optional<std::string> stored = attributes->Get(kValues[i].attribute);
    if (!stored) continue;
    // A stored page is no trusted input: only a value the slider can show.
    if (const std::optional<int64_t> number = base::WholeNumber(*stored, 0, kValues[i].maximum)) {
      ValueText(i) = base::Format("%d", static_cast<int>(*number));
    }
  }
}

void CImageEffectsPage::SaveAttributes() {
  // A page that found no effect to offer leaves the stored ones as they were.
  if (!attributes_ || no_effects_) return;
  if (!effect_.empty()) attributes_->Set(kEffectAttribute, effect_);
  for (int i = 0; i < kValueCount; ++i) {
    if (!ValueText(i).empty()) attributes_->Set(kValues[i].attribute, ValueText(i));
  }
}

void CImageEffectsPage::WriteAppletParams(std::string& out, botframe::Attributes& attributes) {
  std::string value = attributes.GetOr(kEffectAttribute, "");
  for (const Value& v : kValues) value += "|" + attributes.GetOr(v.attribute, "");
  botframe::WriteParam(out, "AppBGFilter", value.c_str());
}

void CImageEffectsPage::CopyEffectFiles() {
  for (const std::string& file : catalogue_.Files(effect_)) {
    botframe::EnsureWorkingCopy(state(), file);
  }
}

void CImageEffectsPage::ApplySliderSettings(bool apply_defaults, bool wide_refusal) {
  for (int which = 1; which <= 2; ++which) {
    const Value& v = kValues[which];
    const EffectSlider slider = catalogue_.Slider(effect_, which);
    GetControl(v.label_id).SetText(slider.caption);
    for (int id : {v.label_id, v.slider_id, v.value_id}) GetControl(id).Enable(slider.active);
    const ui::Tooltip tip[] = {{v.slider_id, slider.help.c_str()}};
    AddTooltips(tip);
    if (apply_defaults) {
      ValueText(which) =
          base::Format("%d", SliderDefault(slider.default_text, which == 2 && wide_refusal));
    }
  }
}

void CImageEffectsPage::ShowValues() {
  for (int i = 0; i < kValueCount; ++i) {
    const Value& v = kValues[i];
    ui::Slider slider = GetSlider(v.slider_id);
    slider.SetRange(0, v.maximum);
    slider.SetPosition(std::clamp(base::DecimalValue(ValueText(i)), 0, v.maximum));
    GetEdit(v.value_id).SetText(ValueText(i));
  }
}

bool CImageEffectsPage::OnInitDialog() {
  AddTooltips(kTooltips);
  effects_ = FindEffects(state());
  no_effects_ = effects_.empty();
  if (effects_.empty()) {
    ui::ShowMessage("No Valid Effects Filters Available.", "Error!!!", ui::Buttons::kOk,
                    ui::Icon::kError, handle());
    return true;
  }
  catalogue_ = EffectCatalogue::Load(state());
  if (effect_.empty()) effect_ = catalogue_.DefaultEffect();
  CopyEffectFiles();

  ui::ListControl list = GetList(kEffectsId);
  int selected = -1;
  for (size_t i = 0; i < effects_.size(); ++i) {
    const int row = list.Insert(static_cast<int>(i), catalogue_.Caption(effects_[i]),
                                static_cast<intptr_t>(i));
    if (selected < 0 && effects_[i] == effect_) selected = row;
  }
  // A stored effect the folder lacks shows the first row; the page keeps
  // its name until another effect is picked.
  list.Select(std::max(selected, 0));

  ApplySliderSettings(new_, /*wide_refusal=*/true);
  ShowValues();
  return true;
}

void CImageEffectsPage::OnEffectChosen(int row) {
  ui::ListControl list = GetList(kEffectsId);
  if (row < 0) row = list.Selection();
  if (row < 0) return;
  const intptr_t index = list.ItemData(row);
  if (index < 0 || static_cast<size_t>(index) >= effects_.size()) return;
  effect_ = effects_[static_cast<size_t>(index)];
  CopyEffectFiles();
  // Another effect starts from its own catalogue values.
  ApplySliderSettings(/*apply_defaults=*/true, /*wide_refusal=*/false);
  ShowValues();
}

void CImageEffectsPage::OnSliderMoved(int value) {
  const Value& v = kValues[value];
  ValueText(value) = base::Format("%d", GetSlider(v.slider_id).Position());
  GetEdit(v.value_id).SetText(ValueText(value));
}

void CImageEffectsPage::BindEvents() {
  Bind(kEffectsId, ui::Notify::kSelectionChanged, [this](int row) { OnEffectChosen(row); });
  for (int i = 0; i < kValueCount; ++i) {
    Bind(kValues[i].slider_id, ui::Notify::kScrolled, [this, i] { OnSliderMoved(i); });
  }
  OnClicked(kPreviewId, &CImageEffectsPage::Preview);
}

}  // namespace bots_fx
