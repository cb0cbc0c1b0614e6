// The presentation bot: a slideshow of images, each entering with a
// transition, through the applet "KelPresent.class". Its sheet has the
// Applet, Background, Animation and About pages; the Images page that keeps
// the image list joins them next.
#pragma once

#include "botframe/properties.h"

namespace bots_s3 {

inline constexpr botframe::BotDescription kPresentationDescription{
    .library = botframe::kGMWebbotS3Library,
    .sheet_title = "Glintmere Java Effects - Presentation Applet",
    .applet_code = "KelPresent",
    .class_file = "KelPresent.class",
    .logo = "QFXLogoPA.gif",
    .prefix = "PA",
    .component_name = "Glintmere Presentation Applet",
    .sheet_owned_by_foreground = true,
};

class PresentationBot : public botframe::AppletBot {
 public:
  const botframe::BotDescription& description() const override;
  void AddPages(botframe::CGMWebbotProperties& sheet) override;
};

}  // namespace bots_s3
