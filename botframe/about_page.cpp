// The About page.
#include "botframe/about_page.h"

#include "platform/services.h"

namespace botframe {
namespace {

using ui::ControlKind;
namespace style = ui::style;

constexpr ui::ControlSpec kAboutControls[] = {
    {ui::kIdStatic, ControlKind::kIcon, "information", 20, 24, 21, 20},
    {CAboutPage::kNameId, ControlKind::kLabel, "", 52, 24, 180, 10},
    {CAboutPage::kVersionId, ControlKind::kLabel, CAboutPage::kVersionText, 52, 38, 180, 10},
    {ui::kIdStatic, ControlKind::kLabel, "Copyright \xA9 Glintmere. All rights reserved.", 52,
     52, 180, 10},
    {ui::kIdStatic, ControlKind::kGroupBox, "Contact", 20, 80, 209, 56},
    {ui::kIdStatic, ControlKind::kLabel, "Web site:", 30, 96, 50, 10},
    {CAboutPage::kWebSiteId, ControlKind::kLabel, CAboutPage::kWebSite, 82, 96, 140, 10,
     style::kLink},
    {ui::kIdStatic, ControlKind::kLabel, "E-mail:", 30, 114, 50, 10},
    {CAboutPage::kMailId, ControlKind::kLabel, CAboutPage::kMailAddress, 82, 114, 140, 10,
     style::kLink},
};
constexpr ui::DialogSpec kAboutSpec{"About", 249, 238, kAboutControls};

}  // namespace

CAboutPage::CAboutPage(EditContext& context) : CWebBotPage(context, kAboutSpec) {
  set_bot_help_topic("About");
}

bool CAboutPage::OnInitDialog() {
  GetControl(kNameId).SetText(bot().component_name);
  return true;
}

void CAboutPage::BindEvents() {
  for (int id : {kWebSiteId, kMailId}) {
    Bind(id, ui::Notify::kClicked, [id] {
      platform::ShellRequest request;
      request.verb = "open";
      request.file =
          id == kWebSiteId ? std::string(kWebSite) : std::string("mailto:") + kMailAddress;
      platform::GetShell().Execute(request);
    });
  }
}

}  // namespace botframe
