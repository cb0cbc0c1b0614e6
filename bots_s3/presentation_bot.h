// The presentation bot: a slideshow of images, each entering with a
// transition, through the applet "KelPresent.class". Its sheet has the
// Applet, Background, Animation, Images and About pages and opens on Images.
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

class CPresentImagesPage;

// The alert a sheet with fewer than two images gets on OK and on preview.
inline constexpr const char* kTwoImagesAlert =
    "This applet requires atleast two images be listed on the image panel. \n"
    "Please add another image to the Image Panel.";

class PresentationBot : public botframe::AppletBot {
 public:
  const botframe::BotDescription& description() const override;
  void AddPages(botframe::CGMWebbotProperties& sheet) override;
  // A slideshow needs two images at least.
  bool AcceptSettings(botframe::CGMWebbotProperties& sheet) override;
  // Each image of the component, then its sound.
  bool PublishOwnFiles(botframe::EditContext& context, botframe::Attributes& attributes) override;

 private:
  CPresentImagesPage* images_ = nullptr;
};

}  // namespace bots_s3
