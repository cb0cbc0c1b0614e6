// The alert dialog.
#include "botframe/alert_dialog.h"

namespace botframe {
namespace {

using ui::ControlKind;

constexpr ui::ControlSpec kControls[] = {
    {ui::kIdStatic, ControlKind::kIcon, "warning", 10, 10, 20, 20},
    {CAlertDialog::kTextId, ControlKind::kLabel, "", 40, 10, 170, 40},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 85, 56, 50, 14},
};
constexpr ui::DialogSpec kSpec{"Glintmere Alert", 220, 78, kControls};

}  // namespace

CAlertDialog::CAlertDialog(std::string text) : ui::Dialog(kSpec), text_(std::move(text)) {}

bool CAlertDialog::OnInitDialog() {
  GetControl(kTextId).SetText(text_);
  return true;
}

void ShowAlert(const std::string& text, ui::WindowHandle owner) {
  CAlertDialog alert(text);
  alert.DoModal(owner);
}

}  // namespace botframe
