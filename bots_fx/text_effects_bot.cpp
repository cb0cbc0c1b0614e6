// The text effects bot.
#include "bots_fx/text_effects_bot.h"

#include <memory>

#include "base/text.h"
#include "botframe/about_page.h"
#include "botframe/applet_page.h"
#include "botframe/file_dialogs.h"
#include "botframe/text_bk_page.h"
#include "bots_fx/strings_page.h"
#include "bots_fx/url_page.h"

namespace bots_fx {

bool PublishStringSounds(botframe::EditContext& context, botframe::Attributes& attributes) {
  const int count = attributes.CountOf("param-TextCount");
  for (int i = 1; i <= count; ++i) {
    for (const char* which : {"EntrySound", "ExitSound"}) {
      std::string sound = attributes.GetOr(base::Format("param-Text%d%s", i, which).c_str(), "");
      const size_t slash = sound.rfind('/');
      if (slash != std::string::npos) sound.erase(0, slash + 1);
      if (sound.empty() || base::EqualsNoCase(sound, botframe::kNoFileName)) continue;
      if (!botframe::UploadFile(context, "_glintmere", "_glintmere", sound, false, false)) {
        return false;
      }
    }
  }
  return true;
}

const botframe::BotDescription& TextEffectsBot::description() const {
  return kTextEffectsDescription;
}

void TextEffectsBot::AddPages(botframe::CGMWebbotProperties& sheet) {
  botframe::EditContext& context = sheet.context();
  auto* applet = sheet.AddOwnedPage(std::make_unique<botframe::CAppletPage>(context));
  auto* background = sheet.AddOwnedPage(std::make_unique<botframe::CTextBkPage>(context));
  auto* url = sheet.AddOwnedPage(std::make_unique<CTextURLPage>(context));
  auto* strings = sheet.AddOwnedPage(std::make_unique<CTextStringsPage>(context));
  const int strings_tab = static_cast<int>(sheet.pages().size()) - 1;
  auto* about = sheet.AddOwnedPage(std::make_unique<botframe::CAboutPage>(context));
  sheet.SetLoadOrder({applet, background, strings, url, about});
  sheet.SetTagOrder({applet, background, strings, url});
  sheet.SetStartPage(strings_tab);
}

bool TextEffectsBot::PublishOwnFiles(botframe::EditContext& context,
                                     botframe::Attributes& attributes) {
  return PublishStringSounds(context, attributes);
}

}  // namespace bots_fx
