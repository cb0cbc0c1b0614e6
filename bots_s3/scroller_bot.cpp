// The scroller bot.
#include "bots_s3/scroller_bot.h"

#include <memory>

#include "base/text.h"
#include "botframe/about_page.h"
#include "botframe/applet_page.h"
#include "botframe/text_bk_page.h"
#include "bots_s3/animation_page.h"
#include "bots_s3/scroll_strings_page.h"

namespace bots_s3 {

void ScrollerBot::AddPages(botframe::CGMWebbotProperties& sheet) {
  auto* applet = sheet.AddOwnedPage(std::make_unique<botframe::CAppletPage>());
  auto* background = sheet.AddOwnedPage(std::make_unique<botframe::CTextBkPage>());
  auto* animation = sheet.AddOwnedPage(std::make_unique<CAnimationPage>());
  auto* strings = sheet.AddOwnedPage(std::make_unique<CScrollStringsPage>());
  auto* about = sheet.AddOwnedPage(std::make_unique<botframe::CAboutPage>());
  sheet.SetLoadOrder({applet, background, animation, strings, about});
  sheet.SetTagOrder({applet, background, animation, strings});
  sheet.SetStartPage(3);
}

bool ScrollerBot::PublishOwnFiles(botframe::PublishingDialogs& dialogs,
                                  botframe::Attributes& attributes) {
  const std::string count = attributes.GetOr("param-LineCount", "0");
  const int lines = base::DecimalValue(count);
  for (int k = 1; k <= lines; ++k) {
    std::string sound = attributes.GetOr(base::Format("param-Line%d-Sound", k).c_str(), "");
    const size_t slash = sound.rfind('/');
    if (slash != std::string::npos) sound.erase(0, slash + 1);
    if (sound.empty() || sound == "(None)") continue;
    if (!botframe::UploadFile(dialogs, "_glintmere", "_glintmere", sound, false, false)) {
      return false;
    }
  }
  return true;
}

}  // namespace bots_s3
