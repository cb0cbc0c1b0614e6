// The image effects bot.
#include "bots_fx/image_effects_bot.h"

#include <memory>

#include "base/text.h"
#include "botframe/about_page.h"
#include "botframe/applet_page.h"
#include "botframe/text_bk_page.h"
#include "botframe/publishing.h"
#include "bots_fx/effect_catalogue.h"
#include "bots_fx/effects_page.h"
#include "bots_fx/strings_page.h"
#include "bots_fx/text_effects_bot.h"
#include "bots_fx/url_page.h"

namespace bots_fx {
namespace {

// The Effects page's place among the tabs: Applet, Background, URL, Effects.
constexpr int kEffectsPageIndex = 3;

}  // namespace

const botframe::BotDescription& ImageEffectsBot::description() const {
  return kImageEffectsDescription;
}

void ImageEffectsBot::AddPages(botframe::CGMWebbotProperties& sheet) {
  botframe::EditContext& context = sheet.context();
  auto* applet = sheet.AddOwnedPage(std::make_unique<botframe::CAppletPage>(context));
  auto* background = sheet.AddOwnedPage(std::make_unique<botframe::CTextBkPage>(context));
  auto* url = sheet.AddOwnedPage(std::make_unique<CTextURLPage>(context));
  auto* effects = sheet.AddOwnedPage(std::make_unique<CImageEffectsPage>(context));
  auto* strings = sheet.AddOwnedPage(std::make_unique<CImageStringsPage>(context));
  auto* about = sheet.AddOwnedPage(std::make_unique<botframe::CAboutPage>(context));
  sheet.SetLoadOrder({applet, background, url, strings, effects, about});
  sheet.SetTagOrder({applet, background, strings, effects, url});
  sheet.SetStartPage(kEffectsPageIndex);
}

bool ImageEffectsBot::PublishOwnFiles(botframe::EditContext& context,
                                      botframe::Attributes& attributes) {
  const std::string effect = attributes.GetOr("param-AppBGFilter-Effect", "");
  if (!effect.empty()) {
    const EffectCatalogue catalogue = EffectCatalogue::Load(context.state());
    for (const std::string& file : catalogue.Files(effect)) {
      if (!botframe::UploadFile(context, "_glintmere", "_glintmere", file, false, false)) {
        return false;
      }
    }
  }
  const std::string uses_strings = attributes.GetOr("param-UsesStrings", "1");
  if (uses_strings.rfind('0', 0) == 0) return true;
  return PublishStringSounds(context, attributes);
}

}  // namespace bots_fx
