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
constexpr int kStepDelayMax = 38;
constexpr int kScrollerStepSizeMin = 1;
constexpr int kScrollerStepSizeMax = 10;
constexpr int kPresentationStepSizeMin = 3;
constexpr int kPresentationStepSizeMax = 50;
constexpr int kImageDelayMax = 150;

// The seconds an image delay slider position stands for, as shown.
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

CAnimationPage::CAnimationPage(botframe::EditContext& context, Variant variant)
    : CWebBotPage(context, kAnimationSpec),
      presentation_(variant == Variant::kPresentation),
      step_delay_("20"),
      step_size_(presentation_ ? "8" : "1"),
      image_delay_("3.0"),
      mode_(presentation_ ? "Sequential" : "Stop on Cursor Entry") {
  set_bot_help_topic("Animation");
}

void CAnimationPage::LoadAttributes(botframe::Attributes* attributes) {
  CWebBotPage::LoadAttributes(attributes);
  if (std::optional<std::string> delay = attributes->Get("param-StepDelay")) step_delay_ = *delay;
  if (std::optional<std::string> size = attributes->Get("param-StepSize")) step_size_ = *size;
  if (std::optional<std::string> mode = attributes->Get("param-Mode")) {
    if (const auto caption = kModes.CaptionOf(*mode)) mode_ = *caption;
  }
  if (!presentation_) return;
  if (std::optional<std::string> delay = attributes->Get("param-ImageDelay")) {
    // Stored in milliseconds, shown in seconds.
    image_delay_ = base::FormatFixed(base::RealValue(*delay) * 0.001, 4, 1);
  }
}

void CAnimationPage::SaveAttributes() {
  if (!attributes_) return;
  botframe::Attributes& attributes = *attributes_;
  if (!step_delay_.empty()) attributes.Set("param-StepDelay", step_delay_);
  if (!step_size_.empty()) attributes.Set("param-StepSize", step_size_);
  if (!mode_.empty()) {
    if (const auto keyword = kModes.KeywordOf(mode_)) attributes.Set("param-Mode", *keyword);
  }
  if (presentation_ && !image_delay_.empty()) {
    attributes.Set("param-ImageDelay", base::FormatFixed(base::RealValue(image_delay_) * 1000, 0, 0));
  }
}

void CAnimationPage::WriteAppletParams(std::string& out, botframe::Attributes& attributes) {
  const auto write = [&](const char* param, const char* attribute) {
    // An absent value is written as WriteParam writes a null one.
    const std::optional<std::string> value = attributes.Get(attribute);
    botframe::WriteParam(out, param, value ? value->c_str() : nullptr);
  };
  write("StepDelay", "param-StepDelay");
  write("StepSize", "param-StepSize");
  write("Mode", "param-Mode");
  if (presentation_) write("ImageDelay", "param-ImageDelay");
}

bool CAnimationPage::OnInitDialog() {
  // The scroller's image delay controls are hidden, and their tip with them.
  AddTooltips(kTooltips);
  GetSlider(kStepDelayId).SetRange(0, kStepDelayMax);
  GetSlider(kStepSizeId)
      .SetRange(presentation_ ? kPresentationStepSizeMin : kScrollerStepSizeMin,
                presentation_ ? kPresentationStepSizeMax : kScrollerStepSizeMax);
  GetSlider(kImageDelayId).SetRange(0, kImageDelayMax);

  // Out-of-range values put the slider at its nearer end; the label keeps
  // the stored text.
  GetSlider(kStepDelayId).SetPosition(base::DecimalValue(step_delay_) / 5 - 2);
  GetSlider(kStepSizeId).SetPosition(base::DecimalValue(step_size_));
  int first_mode = kScrollerFirstMode;
  int mode_count = kScrollerModeCount;
  if (presentation_) {
    // Clamped before the conversion, which is undefined outside int.
    const double position = std::clamp(base::RealValue(image_delay_) * 5, 0.0, double{kImageDelayMax});
    GetSlider(kImageDelayId).SetPosition(static_cast<int>(position));
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
  dx.Text(kStepDelayValueId, step_delay_);
  dx.Text(kStepSizeValueId, step_size_);
  if (presentation_) dx.Text(kImageDelayValueId, image_delay_);
}

void CAnimationPage::OnSliderMoved(int id) {
  const int position = GetSlider(id).Position();
  switch (id) {
    case kStepDelayId:
      step_delay_ = base::Format("%d", 10 + 5 * position);
      break;
    case kStepSizeId:
      step_size_ = base::Format("%d", position);
      break;
    case kImageDelayId:
      image_delay_ = ImageDelayText(position);
      break;
    default:
      return;
  }
  UpdateData(false);
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
