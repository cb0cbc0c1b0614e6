// CAnimationPage: the "Animation" page of the scroller and the presentation.
// It edits the applet's timing (delay between animation steps, size of a
// step), its animation mode and, for the presentation only, how long each
// image stands still.
#pragma once

#include <string>

#include "base/keyword_table.h"

#include "botframe/web_bot_page.h"

namespace bots_s3 {

class CAnimationPage : public botframe::CWebBotPage {
 public:
  // Control ids.
  enum : int {
    kStepDelayId = 1601,
    kStepDelayValueId,
    kStepSizeId,
    kStepSizeValueId,
    kStepSizeUnitId,
    kModeId,
    kImageDelayLabelId,
    kImageDelayId,
    kImageDelayValueId,
    kImageDelayUnitId,
    kPreviewId,
  };

  // The animation modes: captions as the list shows them and the keyword
  // each stores in "param-Mode". The presentation offers the first six, the
  // scroller the last two.
  static const base::KeywordTable kModes;

  // Which bot's page this is: the scroller's or the presentation's.
  enum class Variant { kScroller, kPresentation };

  // The variant's defaults: step delay "20", step size "1" (scroller) or "8"
  // (presentation), image delay "3.0", mode "Stop on Cursor Entry" or
  // "Sequential".
  CAnimationPage(botframe::EditContext& context, Variant variant);

  // Each stored value that is present replaces its member; a mode keyword
  // that no mode has leaves the mode. The image delay (milliseconds when
  // stored, seconds on the page) is read for the presentation only.
  void LoadAttributes(botframe::Attributes* attributes) override;
  // Writes each member that is not empty; nothing for a mode without a
  // keyword. Nothing at all before LoadAttributes.
  void SaveAttributes() override;
  // "StepDelay", "StepSize", "Mode" and, for the presentation, "ImageDelay",
  // from the saved attributes in this order.
  void WriteAppletParams(std::string& out, botframe::Attributes& attributes) override;

  // The members, for the sheet and the tests.
  bool presentation() const { return presentation_; }
  const std::string& step_delay() const { return step_delay_; }
  const std::string& step_size() const { return step_size_; }
  const std::string& image_delay() const { return image_delay_; }
  const std::string& mode() const { return mode_; }

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  // One text setting of the page, described once (animation_page.cpp).
  struct Setting;
  static const Setting kSettings[];

  // Whether the running bot kind has the setting.
  bool Has(const Setting& setting) const;
  // The member of a moved slider from its position.
  void OnSliderMoved(int id);

  bool presentation_;
  std::string step_delay_;
  std::string step_size_;
  std::string image_delay_;
  std::string mode_;
};

}  // namespace bots_s3
