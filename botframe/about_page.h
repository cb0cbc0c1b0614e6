// CAboutPage: the "About" page of every applet bot's sheet: the version, the
// component's name and two links to the maker. It reads and writes no
// attributes.
#pragma once

#include "botframe/web_bot_page.h"

namespace botframe {

class CAboutPage : public CWebBotPage {
 public:
  enum : int { kVersionId = 1201, kNameId, kWebSiteId, kMailId };

  explicit CAboutPage(EditContext& context);

  static constexpr const char* kVersionText = "ver. 1.01";
  static constexpr const char* kWebSite = "http://www.glintmere.com/";
  static constexpr const char* kMailAddress = "support@glintmere.com";

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
};

}  // namespace botframe
