// The scroller bot: a column of formatted, linked text lines scrolling through
// the applet "KelScroll.class", edited on the Applet, Background, Animation,
// Strings and About pages.
#pragma once

#include "botframe/properties.h"

namespace bots_s3 {

inline constexpr botframe::BotDescription kScrollerDescription{
    .library = botframe::kGMWebbotS3Library,
    .sheet_title = "Glintmere Java Effects - Scroller Applet",
    .applet_code = "KelScroll",
    .class_file = "KelScroll.class",
    .logo = "QFXLogoSA.gif",
    .prefix = "SA",
    .component_name = "Glintmere Scroller Applet",
};

class ScrollerBot : public botframe::AppletBot {
 public:
  const botframe::BotDescription& description() const override;
  void AddPages(botframe::CGMWebbotProperties& sheet) override;
  // Uploads each line's sound ("param-Line<k>-Sound", k up to
  // "param-LineCount") into the web; stops at the first failure.
  bool PublishOwnFiles(botframe::EditContext& context, botframe::Attributes& attributes) override;
};

}  // namespace bots_s3
