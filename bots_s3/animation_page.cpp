// The Animation page.
#include "bots_s3/animation_page.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "base/numbers.h"
#include "base/text.h"
#include "botframe/applet_tag.h"
#include "botframe/edit_state.h"

namespace bots_s3 {
namespace {

using ui::ControlKind;
namespace style = ui::style;

constexpr ui::ControlSpec kAnimationControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Step Delay:", 7, 12, 48, 8},
    {CAnimationPage::kStepDelayId, ControlKind::kSlider, "", 56, 8, 128, 16},
    {CAnimationPage::kStepDelayValueId, ControlKind::kLabel, "", 186, 12, 28, 8, style::kRight},
    {ui::kIdStatic, ControlKind::kLabel, "mS", 218, 12, 24, 8},
    {ui::kIdStatic, ControlKind::kLabel, "Step Size:", 7, 36, 48, 8},
    {CAnimationPage::kStepSizeId, ControlKind::kSlider, "", 56, 32, 128, 16},
    {CAnimationPage::kStepSizeValueId, ControlKind::kLabel, "", 186, 36, 28, 8, style::kRight},
    {CAnimationPage::kStepSizeUnitId, ControlKind::kLabel, "", 218, 36, 24, 8},
    {ui::kIdStatic, ControlKind::kLabel, "Mode:", 7, 60, 48, 8},
    {CAnimationPage::kModeId, ControlKind::kDropDownList, "", 56, 58, 128, 90, style::kVScroll},
    {CAnimationPage::kImageDelayLabelId, ControlKind::kLabel, "Image Delay:", 7, 84, 48, 8},
    {CAnimationPage::kImageDelayId, ControlKind::kSlider, "", 56, 80, 128, 16},
    {CAnimationPage::kImageDelayValueId, ControlKind::kLabel, "", 186, 84, 28, 8, style::kRight},
    {CAnimationPage::kImageDelayUnitId, ControlKind::kLabel, "Secs", 218, 84, 24, 8},
    {CAnimationPage::kPreviewId, ControlKind::kPushButton, "Preview", 192, 217, 50, 14,
     style::kGroup},
};
constexpr ui::DialogSpec kAnimationSpec{"Animation", 249, 238, kAnimationControls};

constexpr ui::Tooltip kTooltips[] = {
    {CAnimationPage::kStepDelayId, "Delay time in milli-seconds between animation steps."},
    {CAnimationPage::kStepSizeId, "Number of animation steps."},
    {CAnimationPage::kModeId, "Animation mode for the applet."},
    {CAnimationPage::kImageDelayId,
     "Amount of time in mili-seconds, the banner image will stand still."},
    {CAnimationPage::kPreviewId, "Preview the Applet with the current settings."},
};

// The rows of the mode table each bot kind offers, [first, first + count).
constexpr int kPresentationFirstMode = 0;
constexpr int kPresentationModeCount = 6;
constexpr int kScrollerFirstMode = 6;
constexpr int kScrollerModeCount = 2;

// Slider ranges.
constexpr int kImageDelayMax = 150;

// Stored in milliseconds, shown in seconds.
std::optional<std::string> ImageDelayShown(const std::string& stored) {
  return base::FormatFixed(base::RealValue(stored) * 0.001, 4, 1);
}
std::optional<std::string> ImageDelayStored(const std::string& shown) {
  return base::FormatFixed(base::RealValue(shown) * 1000, 0, 0);
}

// Modes are stored as keywords and shown as captions. A keyword that no mode
// has leaves the mode; a caption without a keyword stores nothing.
std::optional<std::string> ModeShown(const std::string& stored) {
  const std::optional<std::string_view> caption = CAnimationPage::kModes.CaptionOf(stored);
  return caption ? std::optional<std::string>(*caption) : std::nullopt;
}
std::optional<std::string> ModeStored(const std::string& shown) {
  const std::optional<std::string_view> keyword = CAnimationPage::kModes.KeywordOf(shown);
  return keyword ? std::optional<std::string>(*keyword) : std::nullopt;
}

// Slider positions of the texts, and back. Out-of-range values put the
// slider at its nearer end; the label keeps the stored text.
int StepDelayPosition(const std::string& text) { return base::DecimalValue(text) / 5 - 2; }
std::string StepDelayText(int position) { return base::Format("%d", 10 + 5 * position); }
int StepSizePosition(const std::string& text) { return base::DecimalValue(text); }
std::string StepSizeText(int position) { return base::Format("%d", position); }
int ImageDelayPosition(const std::string& text) {
  // Clamped before the conversion, which is undefined outside int.
  return static_cast<int>(std::clamp(base::RealValue(text) * 5, 0.0, double{kImageDelayMax}));
}
std::string ImageDelayText(int position) {
  return base::FormatFixed(position == 0 ? 0.1 : 0.2 * position, 4, 1);
}

}  // namespace

namespace {
constexpr base::KeywordRow kModeRows[] = {
    {"Sequential", "_none"},
    {"Random", "_random"},
    {"First then Random", "_first"},
    {"JavaScript Controlled", "_manual"},
    {"Cycle then stop on last", "_cycletoend"},
    {"Cycle then stop on first", "_cycletobegin"},
    {"Continuous", "_continuous"},
    {"Stop on Cursor Entry", "_enter"}};
}  // namespace

const base::KeywordTable CAnimationPage::kModes{kModeRows};

// What each setting is: its member, where it is stored, the applet parameter
// written from it, its defaults, and how the page shows it. Load, save, the
// params and the data exchange all go down this table in its order.
struct CAnimationPage::Setting {
  std::string CAnimationPage::*member;
  const char* attribute;
  const char* param;
  const char* scroller_default;
  const char* presentation_default;
  bool presentation_only;
  // The stored text as the page shows it and back; null for the text as it
  // is. No value: keep the member (loading) or store nothing (saving).
  std::optional<std::string> (*shown_of_stored)(const std::string& stored);
  std::optional<std::string> (*stored_of_shown)(const std::string& shown);
  // The slider that sets it and the label that shows it; 0 for none.
  int slider_id;
  int label_id;
  int scroller_min, scroller_max, presentation_min, presentation_max;
  int (*position_of)(const std::string& text);
  std::string (*text_of)(int position);
};

const CAnimationPage::Setting CAnimationPage::kSettings[] = {
    {&CAnimationPage::step_delay_, "param-StepDelay", "StepDelay", "20", "20", false, nullptr,
     nullptr, kStepDelayId, kStepDelayValueId, 0, 38, 0, 38, StepDelayPosition, StepDelayText},
    {&CAnimationPage::step_size_, "param-StepSize", "StepSize", "1", "8", false, nullptr, nullptr,
     kStepSizeId, kStepSizeValueId, 1, 10, 3, 50, StepSizePosition, StepSizeText},
    {&CAnimationPage::mode_, "param-Mode", "Mode", "Stop on Cursor Entry", "Sequential", false,
     ModeShown, ModeStored, 0, 0, 0, 0, 0, 0, nullptr, nullptr},
    {&CAnimationPage::image_delay_, "param-ImageDelay", "ImageDelay", "3.0", "3.0", true,
     ImageDelayShown, ImageDelayStored, kImageDelayId, kImageDelayValueId, 0, kImageDelayMax, 0,
     kImageDelayMax, ImageDelayPosition, ImageDelayText},
};

CAnimationPage::CAnimationPage(botframe::EditContext& context, Variant variant)
    : CWebBotPage(context, kAnimationSpec), presentation_(variant == Variant::kPresentation) {
  for (const Setting& setting : kSettings) {
    this->*setting.member =
        presentation_ ? setting.presentation_default : setting.scroller_default;
  }
  set_bot_help_topic("Animation");
}

bool CAnimationPage::Has(const Setting& setting) const {
  return presentation_ || !setting.presentation_only;
}

void CAnimationPage::LoadAttributes(botframe::Attributes* attributes) {
  CWebBotPage::LoadAttributes(attributes);
  for (const Setting& setting : kSettings) {
    if (!Has(setting)) continue;
    const std::optional<std::string> stored = attributes->Get(setting.attribute);
    if (!stored) continue;
    if (!setting.shown_of_stored) {
      this->*setting.member = *stored;
    } else if (std::optional<std::string> shown = setting.shown_of_stored(*stored)) {
      this->*setting.member = std::move(*shown);
    }
  }
}

void CAnimationPage::SaveAttributes() {
  if (!attributes_) return;
  for (const Setting& setting : kSettings) {
    const std::string& shown = this->*setting.member;
    if (!Has(setting) || shown.empty()) continue;
    if (!setting.stored_of_shown) {
      attributes_->Set(setting.attribute, shown);
    } else if (const std::optional<std::string> stored = setting.stored_of_shown(shown)) {
      attributes_->Set(setting.attribute, *stored);
    }
  }
}

void CAnimationPage::WriteAppletParams(std::string& out, botframe::Attributes& attributes) {
  for (const Setting& setting : kSettings) {
    if (!Has(setting)) continue;
    // An absent value is written as WriteParam writes a null one.
    const std::optional<std::string> value = attributes.Get(setting.attribute);
    botframe::WriteParam(out, setting.param, value ? value->c_str() : nullptr);
  }
}

bool CAnimationPage::OnInitDialog() {
  // The scroller's image delay controls are hidden, and their tip with them.
  AddTooltips(kTooltips);
  for (const Setting& setting : kSettings) {
    if (!setting.slider_id) continue;
    ui::Slider slider = GetSlider(setting.slider_id);
    slider.SetRange(presentation_ ? setting.presentation_min : setting.scroller_min,
                    presentation_ ? setting.presentation_max : setting.scroller_max);
    if (Has(setting)) slider.SetPosition(setting.position_of(this->*setting.member));
  }
  int first_mode = kScrollerFirstMode;
  int mode_count = kScrollerModeCount;
  if (presentation_) {
    GetControl(kStepSizeUnitId).SetText("steps");
    first_mode = kPresentationFirstMode;
    mode_count = kPresentationModeCount;
  } else {
    GetControl(kStepSizeUnitId).SetText("pixels");
    for (int id : {kImageDelayLabelId, kImageDelayId, kImageDelayValueId, kImageDelayUnitId}) {
      GetControl(id).Show(false);
    }
  }
  ui::ListControl modes = GetList(kModeId);
  for (int i = first_mode; i < first_mode + mode_count; ++i) {
    modes.Add(kModes[static_cast<size_t>(i)].caption);
  }
  UpdateData(false);
  for (int i = 0, n = modes.Count(); i < n; ++i) {
    if (modes.ItemText(i).starts_with(mode_)) {
      modes.Select(i);
      break;
    }
  }
  return true;
}

void CAnimationPage::DoDataExchange(ui::DataExchange& dx) {
  // The labels only show the members; the sliders and the mode list change
  // the members as they move.
  if (dx.saving()) return;
  for (const Setting& setting : kSettings) {
    if (setting.label_id && Has(setting)) dx.Text(setting.label_id, this->*setting.member);
  }
}

void CAnimationPage::OnSliderMoved(int id) {
  for (const Setting& setting : kSettings) {
    if (setting.slider_id != id) continue;
    this->*setting.member = setting.text_of(GetSlider(id).Position());
    UpdateData(false);
    return;
  }
}

void CAnimationPage::BindEvents() {
  for (int id : {kStepDelayId, kStepSizeId, kImageDelayId}) {
    Bind(id, ui::Notify::kScrolled, [this, id] { OnSliderMoved(id); });
  }
  Bind(kModeId, ui::Notify::kSelectionChanged, [this] {
    ui::ListControl modes = GetList(kModeId);
    if (const int selected = modes.Selection(); selected >= 0) mode_ = modes.ItemText(selected);
  });
  OnClicked(kPreviewId, &CAnimationPage::Preview);
}

}  // namespace bots_s3
