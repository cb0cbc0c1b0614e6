// The presentation bot.
#include "bots_s3/presentation_bot.h"

#include <algorithm>
#include <memory>

#include "base/text.h"
#include "botframe/about_page.h"
#include "botframe/alert_dialog.h"
#include "botframe/applet_page.h"
#include "botframe/file_dialogs.h"
#include "botframe/text_bk_page.h"
#include "bots_s3/animation_page.h"
#include "bots_s3/present_images_page.h"

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
  auto images_page = std::make_unique<CPresentImagesPage>(context);
  images_ = images_page.get();
  auto* images = sheet.AddOwnedPage(std::move(images_page));
  auto* about = sheet.AddOwnedPage(std::make_unique<botframe::CAboutPage>(context));
  sheet.SetLoadOrder({applet, background, animation, images, about});
  sheet.SetTagOrder({applet, background, animation, images});
  sheet.SetStartPage(3);
}

bool PresentationBot::AcceptSettings(botframe::CGMWebbotProperties& sheet) {
  if (images_ && images_->image_count() >= 2) return true;
  botframe::ShowAlert(kTwoImagesAlert, sheet.handle());
  return false;
}

bool PresentationBot::PublishOwnFiles(botframe::EditContext& context,
                                      botframe::Attributes& attributes) {
  const int count = std::min(attributes.CountOf("param-NumImages"), CPresentImagesPage::kMostImages);
  for (int k = 1; k <= count; ++k) {
    const std::string prefix = base::Format("param-Image%d", k);
    for (const std::string& name : {prefix, prefix + "Sound"}) {
      std::string file = attributes.GetOr(name.c_str(), "");
      const size_t slash = file.rfind('/');
      if (slash != std::string::npos) file.erase(0, slash + 1);
      if (file.empty() || base::EqualsNoCase(file, botframe::kNoFileName)) continue;
      if (!botframe::UploadFile(context, "_glintmere", "_glintmere", file, false, false)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace bots_s3
