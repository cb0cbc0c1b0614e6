// The image effects bot: the applet "KelImage.class" animates its background
// image with one effect filter (a class of its own per effect, driven by the
// shared "EffectsFilter.class"), optionally with strings shown over it.
#pragma once

#include "botframe/properties.h"

namespace bots_fx {

inline constexpr botframe::BotDescription kImageEffectsDescription{
    .library = botframe::kGMWebbotLibrary,
    .sheet_title = "Glintmere Java Effects - Image Effects Applet",
    .applet_code = "KelImage.class",
    .class_file = "KelImage.class",
    .logo = "QFXLogoIA.gif",
    .shared_class = "EffectsFilter.class",
    .prefix = "IA",
    .component_name = "Glintmere Image Effects Applet",
};

class ImageEffectsBot : public botframe::AppletBot {
 public:
  const botframe::BotDescription& description() const override;
  void AddPages(botframe::CGMWebbotProperties& sheet) override;
  // The effect's class and its files, then the strings' sounds when the
  // strings are shown.
  bool PublishOwnFiles(botframe::EditContext& context, botframe::Attributes& attributes) override;
};

}  // namespace bots_fx
