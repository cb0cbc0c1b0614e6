// The bot's property sheet.
#include "botframe/properties.h"

#include "botframe/applet_tag.h"
#include "botframe/edit_state.h"
#include "botframe/profile.h"
#include "ui/message_box.h"

namespace botframe {

CGMWebbotProperties::CGMWebbotProperties(AppletBot& bot, ui::WindowHandle parent)
    : ui::PropertySheet(bot.sheet_title()), bot_(bot), parent_(parent) {
  SetHelpButton(true);
}

CGMWebbotProperties::~CGMWebbotProperties() = default;

CWebBotPage* CGMWebbotProperties::AddOwnedPage(std::unique_ptr<CWebBotPage> page) {
  CWebBotPage* added = page.get();
  AddPage(added);
  owned_.push_back(std::move(page));
  return added;
}

void CGMWebbotProperties::Load(Attributes* attributes) {
  attributes_ = attributes;
  for (CWebBotPage* page : load_order_) page->LoadAttributes(attributes);
}

void CGMWebbotProperties::SaveAll() {
  for (CWebBotPage* page : load_order_) page->SaveAttributes();
}

std::string CGMWebbotProperties::WriteAppletTag() {
  std::string out;
  std::vector<AppletParamSource*> sources(tag_order_.begin(), tag_order_.end());
  botframe::WriteAppletTag(out, *attributes_, sources);
  return out;
}

bool CGMWebbotProperties::OnOkPressed() {
  if (!bot_.AcceptSettings(*this)) return false;
  if (Profile().refuse_ok_on_unsaved_page && State().unsaved) {
    ui::ShowMessage("Current page cannot be modified as is not a saved page.\n"
                    "Insert operation is aborted.",
                    "Glintmere Alert", ui::Buttons::kOk, ui::Icon::kError, handle());
    return false;
  }
  return true;
}

}  // namespace botframe
