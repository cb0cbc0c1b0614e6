// The presentation bot.
#include "bots_s3/presentation_bot.h"

#include <memory>

#include "botframe/about_page.h"
#include "botframe/applet_page.h"
#include "botframe/text_bk_page.h"
#include "bots_s3/animation_page.h"

namespace bots_s3 {
namespace {

constexpr botframe::BotDescription kPresentation{
    .library = botframe::kGMWebbotS3Library,
    .sheet_title = "Glintmere Java Effects - Presentation Applet",
    .applet_code = "KelPresent",
    .class_file = "KelPresent.class",
    .logo = "QFXLogoPA.gif",
    .prefix = "PA",
    .component_name = "Glintmere Presentation Applet",
    .sheet_owned_by_foreground = true,
};

}  // namespace

const botframe::BotDescription& PresentationBot::description() const { return kPresentation; }

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
