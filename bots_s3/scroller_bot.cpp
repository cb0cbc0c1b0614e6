// The scroller bot.
#include "bots_s3/scroller_bot.h"

#include <memory>

#include "base/numbers.h"
#include "base/text.h"
#include "botframe/about_page.h"
#include "botframe/applet_page.h"
#include "botframe/file_dialogs.h"
#include "botframe/text_bk_page.h"
#include "bots_s3/animation_page.h"
#include "bots_s3/scroll_strings_page.h"

namespace bots_s3 {

const botframe::BotDescription& ScrollerBot::description() const {
  return kScrollerDescription;
}

void ScrollerBot::AddPages(botframe::CGMWebbotProperties& sheet) {
  botframe::EditContext& context = sheet.context();
  auto* applet = sheet.AddOwnedPage(std::make_unique<botframe::CAppletPage>(context));
  auto* background = sheet.AddOwnedPage(std::make_unique<botframe::CTextBkPage>(context));
  auto* animation = sheet.AddOwnedPage(
      std::make_unique<CAnimationPage>(context, CAnimationPage::Variant::kScroller));
  auto* strings = sheet.AddOwnedPage(std::make_unique<CScrollStringsPage>(context));
  auto* about = sheet.AddOwnedPage(std::make_unique<botframe::CAboutPage>(context));
  sheet.SetLoadOrder({applet, background, animation, strings, about});
  sheet.SetTagOrder({applet, background, animation, strings});
  sheet.SetStartPage(3);
}

bool ScrollerBot::PublishOwnFiles(botframe::EditContext& context,
                                  botframe::Attributes& attributes) {
  const int lines = attributes.CountOf("param-LineCount");
  for (int k = 1; k <= lines; ++k) {
    std::string sound = attributes.GetOr(base::Format("param-Line%d-Sound", k).c_str(), "");
    const size_t slash = sound.rfind('/');
    if (slash != std::string::npos) sound.erase(0, slash + 1);
    if (sound.empty() || base::EqualsNoCase(sound, botframe::kNoFileName)) continue;
    if (!botframe::UploadFile(context, "_glintmere", "_glintmere", sound, false, false)) {
      return false;
    }
  }
  return true;
}

}  // namespace bots_s3
