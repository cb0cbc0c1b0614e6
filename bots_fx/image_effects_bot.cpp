// The image effects bot.
#include "bots_fx/image_effects_bot.h"

#include <memory>

#include "base/text.h"
#include "botframe/about_page.h"
#include "botframe/applet_page.h"
#include "botframe/text_bk_page.h"
#include "bots_fx/text_effects_bot.h"

namespace bots_fx {

const botframe::BotDescription& ImageEffectsBot::description() const {
  return kImageEffectsDescription;
}

void ImageEffectsBot::AddPages(botframe::CGMWebbotProperties& sheet) {
  botframe::EditContext& context = sheet.context();
  auto* applet = sheet.AddOwnedPage(std::make_unique<botframe::CAppletPage>(context));
  auto* background = sheet.AddOwnedPage(std::make_unique<botframe::CTextBkPage>(context));
  auto* about = sheet.AddOwnedPage(std::make_unique<botframe::CAboutPage>(context));
  sheet.SetLoadOrder({applet, background, about});
  sheet.SetTagOrder({applet, background});
  sheet.SetStartPage(0);
}

bool ImageEffectsBot::PublishOwnFiles(botframe::EditContext& context,
                                      botframe::Attributes& attributes) {
  const std::string uses_strings = attributes.GetOr("param-UsesStrings", "1");
  if (uses_strings.rfind('0', 0) == 0) return true;
  return PublishStringSounds(context, attributes);
}

}  // namespace bots_fx
