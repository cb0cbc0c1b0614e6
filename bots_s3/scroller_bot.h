// The scroller bot: a column of formatted, linked text lines scrolling through
// the applet "KelScroll.class", edited on the Applet, Background, Animation,
// Strings and About pages.
#pragma once

#include "botframe/properties.h"

namespace bots_s3 {

class ScrollerBot : public botframe::AppletBot {
 public:
  int kind() const override { return 1; }
  const char* sheet_title() const override { return "Glintmere Java Effects - Scroller Applet"; }
  const char* class_file() const override { return "KelScroll.class"; }
  const char* logo() const override { return "QFXLogoSA.gif"; }
  void AddPages(botframe::CGMWebbotProperties& sheet) override;
  // Uploads each line's sound ("param-Line<k>-Sound", k up to
  // "param-LineCount") into the web; stops at the first failure.
  bool PublishOwnFiles(botframe::PublishingDialogs& dialogs,
                       botframe::Attributes& attributes) override;
};

}  // namespace bots_s3
