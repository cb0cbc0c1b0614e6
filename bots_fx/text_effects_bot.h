// The text effects bot: strings that enter, hold, leave and repeat inside the
// applet "KelText.class", each with its font, colours, character effect and
// motions; the whole applet may be a link.
#pragma once

#include "botframe/properties.h"

namespace bots_fx {

inline constexpr botframe::BotDescription kTextEffectsDescription{
    .library = botframe::kGMWebbotLibrary,
    .sheet_title = "Glintmere Java Effects - Text Effects Applet",
    .applet_code = "KelText.class",
    .class_file = "KelText.class",
    .logo = "QFXLogoTA.gif",
    .prefix = "TA",
    .component_name = "Glintmere Text Effects Applet",
};

// Uploads the entry and exit sounds of strings 1 ... "param-TextCount" (empty
// names and "(None)" skipped); false at the first failure.
bool PublishStringSounds(botframe::EditContext& context, botframe::Attributes& attributes);

class TextEffectsBot : public botframe::AppletBot {
 public:
  const botframe::BotDescription& description() const override;
  void AddPages(botframe::CGMWebbotProperties& sheet) override;
  // The entry and exit sounds of every string.
  bool PublishOwnFiles(botframe::EditContext& context, botframe::Attributes& attributes) override;
};

}  // namespace bots_fx
