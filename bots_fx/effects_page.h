// CImageEffectsPage: the "Effects" page of the image effects bot. It picks
// the effect filter that animates the applet's background image and sets
// its three values: the delay between updates and the effect's own two
// (their captions, tooltips and starting values come from the catalogue).
#pragma once

#include <string>
#include <vector>

#include "botframe/web_bot_page.h"
#include "bots_fx/effect_catalogue.h"

namespace bots_fx {

class CImageEffectsPage : public botframe::CWebBotPage {
 public:
  // Control ids.
  enum : int {
    kEffectsId = 1801,
    kDelayId,
    kDelayValueId,
    kSpeedLabelId,
    kSpeedId,
    kSpeedValueId,
    kIntensityLabelId,
    kIntensityId,
    kIntensityValueId,
    kPreviewId,
  };

  // Slider ranges: delay 0-200, speed and intensity 0-100.
  static constexpr int kDelayMaximum = 200;

  // Effect "Bubbles", every value "20".
  explicit CImageEffectsPage(botframe::EditContext& context);

  // The effect and the three values from "param-AppBGFilter-Effect",
  // "-Delay", "-Speed" and "-Intensity". Without a stored effect the page is
  // new: it opens with the catalogue's default effect and its starting
  // values. A value that is no whole number within its slider's range keeps
  // its default.
  void LoadAttributes(botframe::Attributes* attributes) override;
  // Each of the four attributes whose value is not empty.
  void SaveAttributes() override;
  // "AppBGFilter" = "effect|delay|speed|intensity" from the attributes.
  void WriteAppletParams(std::string& out, botframe::Attributes& attributes) override;

  // The members, for the sheet and the tests.
  const std::string& effect() const { return effect_; }
  const std::string& delay() const { return delay_; }
  const std::string& speed() const { return speed_; }
  const std::string& intensity() const { return intensity_; }
  bool is_new() const { return new_; }
  // The effects found when the page opened, in list order.
  const std::vector<std::string>& effects() const { return effects_; }

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;

 private:
  // The effect's slider captions, activity and tooltips; with
  // apply_defaults also its starting values into the members and controls.
  // wide_refusal: the third slider's value is checked against the wider
  // character set (the page's opening).
  void ApplySliderSettings(bool apply_defaults, bool wide_refusal);
  // Working copies of the effect's class and files for the preview.
  void CopyEffectFiles();
  void ShowValues();
  void OnEffectChosen(int row);
  void OnSliderMoved(int value);
  // The member of value 0 (delay), 1 (speed) or 2 (intensity).
  std::string& ValueText(int value);

  std::string effect_;
  std::string delay_;
  std::string speed_;
  std::string intensity_;
  bool new_ = false;
  bool no_effects_ = false;  // shown without an effect to offer
  std::vector<std::string> effects_;
  EffectCatalogue catalogue_;
};

}  // namespace bots_fx
