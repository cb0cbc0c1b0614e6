// The bot's property sheet.
#include "botframe/properties.h"

#include "botframe/applet_tag.h"
#include "ui/message_box.h"

namespace botframe {

CGMWebbotProperties::CGMWebbotProperties(AppletBot& bot, EditContext& context)
    : ui::PropertySheet(context.bot().sheet_title), bot_(bot), context_(context) {
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
  botframe::WriteAppletTag(out, *attributes_, sources, context_.library().applet_tag_close);
  return out;
}

bool CGMWebbotProperties::OnOkPressed() {
  if (!bot_.AcceptSettings(*this)) return false;
  if (context_.library().refuse_ok_on_unsaved_page && context_.state().unsaved) {
    ui::ShowMessage("Current page cannot be modified as is not a saved page.\n"
                    "Insert operation is aborted.",
                    "Glintmere Alert", ui::Buttons::kOk, ui::Icon::kError, handle());
    return false;
  }
  return true;
}

}  // namespace botframe
