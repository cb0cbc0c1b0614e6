// The page base class: help and the shared preview.
#include "botframe/web_bot_page.h"

#include "base/numbers.h"
#include "base/scope_exit.h"
#include "botframe/install_folders.h"
#include "botframe/preview.h"
#include "botframe/properties.h"
#include "platform/services.h"
#include "ui/message_box.h"

namespace botframe {
namespace {

int NumberOr(const std::optional<std::string>& text, int fallback) {
  return text ? base::DecimalValue(*text) : fallback;
}

}  // namespace

void CWebBotPage::WriteAppletParams(std::string&, Attributes&) {}

CGMWebbotProperties* CWebBotPage::properties() const {
  return dynamic_cast<CGMWebbotProperties*>(sheet());
}

void CWebBotPage::OnHelp() {
  if (!LaunchHelp(state().common_folder, help_topic_, "")) {
    ui::ShowMessage("Unable to display help.", ui::kProductCaption, ui::Buttons::kOk,
                    ui::Icon::kNone, handle());
  }
}

void CWebBotPage::Preview() {
  CGMWebbotProperties* sheet = properties();
  if (!sheet || !sheet->attributes()) return;
  if (!sheet->bot().AcceptSettings(*sheet)) return;
  if (sheet->preview_open()) return;
  if (!UpdateData(true)) return;

  sheet->set_preview_mode(true);
  sheet->SaveAll();
  const std::string html = sheet->WriteAppletTag();
  sheet->set_preview_mode(false);

  Attributes& attributes = *sheet->attributes();
  const int height = NumberOr(attributes.Get("java-height"), 240);
  const int width = NumberOr(attributes.Get("java-width"), 320);
  const std::string file = state().user_data_folder + kPreviewFileName;
  if (state().user_data_folder.empty() ||
      platform::GetFiles().WriteFileAtomic(file, html) != platform::kOk) {
    return;
  }
  sheet->set_preview_open(true);
  // However the preview is closed (OK, Esc, the close box), its file goes.
  const base::ScopeExit close_preview([sheet, &file] {
    sheet->set_preview_open(false);
    platform::GetFiles().DeleteFile(file);
  });
  CPreviewDialog dialog(file, width, height);
  dialog.DoModal(handle());
}

}  // namespace botframe
