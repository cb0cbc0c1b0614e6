// The presentation bot.
#include "bots_s3/presentation_bot.h"

#include <memory>

#include "botframe/about_page.h"
#include "botframe/applet_page.h"
#include "botframe/text_bk_page.h"
#include "bots_s3/animation_page.h"

namespace bots_s3 {

const botframe::BotDescription& PresentationBot::description() const {
  return kPresentationDescription;
}

void PresentationBot::AddPages(botframe::CGMWebbotProperties& sheet) {
  botframe::EditContext& context = sheet.context();
  auto* applet = sheet.AddOwnedPage(std::make_unique<botframe::CAppletPage>(context));
  auto* background = sheet.AddOwnedPage(std::make_unique<botframe::CTextBkPage>(context));
  auto* animation = sheet.AddOwnedPage(
      std::make_unique<CAnimationPage>(context, CAnimationPage::Variant::kPresentation));
  auto* about = sheet.AddOwnedPage(std::make_unique<botframe::CAboutPage>(context));
  sheet.SetLoadOrder({applet, background, animation, about});
  sheet.SetTagOrder({applet, background, animation});
  sheet.SetStartPage(2);
}

}  // namespace bots_s3
