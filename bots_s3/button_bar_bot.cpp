// The button bar bot's edit call.
#include "bots_s3/button_bar_bot.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "base/path.h"
#include "base/scope_exit.h"
#include "base/text.h"
#include "botframe/attributes.h"
#include "botframe/automation_client.h"
#include "botframe/edit_context.h"
#include "botframe/edit_flow.h"
#include "botframe/install_folders.h"
#include "botframe/publishing.h"
#include "botframe/publishing_dialogs.h"
#include "bots_s3/button_bar_catalogue.h"
#include "bots_s3/button_bar_dialog.h"
#include "platform/services.h"
#include "ui/backend.h"
#include "ui/message_box.h"

namespace bots_s3 {
namespace {

using botframe::EditRunState;

// The folder of this bot library's own file, with its separator.
std::string ModuleFolder() {
  static const int anchor = 0;
  return base::FolderOf(platform::GetModuleLoader().PathOfModuleContaining(&anchor));
}

void ShowUnreachable(const EditRunState& state, const std::string& text) {
  ui::ShowMessage(text, botframe::kFrontPageErrorCaption, ui::Buttons::kOk,
                  ui::Icon::kInformation, state.parent_window);
}

int ReadNumber(const botframe::Attributes& attributes, const char* name) {
  const std::optional<std::string> value = attributes.Get(name);
  return value ? base::DecimalValue(*value) : 0;
}

// Reads the page URL from the editor and the web URL from the Explorer;
// false (with the message shown) when the edit call cannot go on.
bool ReadFrontPageState(botframe::EditContext& context) {
  EditRunState& state = context.state();
  std::unique_ptr<platform::DispatchObject> editor = botframe::GetEditor();
  if (!editor) {
    ShowUnreachable(state, botframe::kUnableToAccessFpOleServer);
    return false;
  }
  if (std::optional<std::string> page_url = botframe::VtiGetTopPageUrl(*editor)) {
    state.page_url = *page_url;
  }
  editor.reset();
  if (base::StartsWithNoCase(state.page_url, "unsaved:")) {
    state.unsaved = true;
    ui::ShowMessage(
        "This page is not saved. The button bar cannot be inserted on a unsaved page.",
        "Glintmere Alert", ui::Buttons::kOk, ui::Icon::kError, state.parent_window);
    return false;
  }
  std::unique_ptr<platform::DispatchObject> explorer = botframe::GetExplorer(context.library());
  if (!explorer) {
    ShowUnreachable(state, botframe::kUnableToAccessFpOleServer);
    return false;
  }
  const std::optional<std::string> web_url = botframe::VtiGetWebUrl(*explorer);
  if (!web_url) {
    ShowUnreachable(state, botframe::CouldNotGetWebUrlMessage(context.library()));
    return false;
  }
  state.web_url = botframe::NormalizeWebUrl(*web_url, &state.disk_web);
  return true;
}

// Copies the style files the bar shows into the web; the names that failed
// are reported together, and the bar is inserted anyway.
void UploadStyleFiles(botframe::EditContext& context, const CButtonBarHelperDlg& dialog) {
  const std::string local = "ButtonBarStyles\\" + dialog.style_folder();
  const std::string web = "_buttonbar/" + dialog.style_folder();
  std::vector<std::string> failed;
  for (const std::string& name : dialog.uploads()) {
    if (name.find('.') == std::string::npos) continue;
    if (botframe::UploadFile(context, local, web, name, true, true)) continue;
    if (std::find(failed.begin(), failed.end(), name) == failed.end()) failed.push_back(name);
  }
  if (failed.empty()) return;
  std::string list;
  for (const std::string& name : failed) list += "\n" + name;
  ui::ShowMessage(base::Format("Unable to copy following files to the web:%s", list.c_str()),
                  kButtonBarErrorCaption, ui::Buttons::kOk, ui::Icon::kNone,
                  context.state().parent_window);
}

int32_t Edit(botframe::EditContext& context, botframe::Attributes& attributes) {
  EditRunState& state = context.state();
  state.module_folder = ModuleFolder();
  if (state.module_folder.empty()) {
    ui::ShowMessage("Failed to retrieve the path.", "Error", ui::Buttons::kOk, ui::Icon::kError,
                    state.parent_window);
    return 0;
  }
  if (!ReadFrontPageState(context)) return 0;
  botframe::FindInstallFolders(state);

  CButtonBarHelperDlg dialog(context);
  dialog.component_row = ReadNumber(attributes, "param-AppletType");
  dialog.component_name = attributes.GetOr("param-AppletName", "");
  dialog.style_row = ReadNumber(attributes, "param-ButtonStyle");
  dialog.type_row = ReadNumber(attributes, "param-ButtonBarType");

  const std::optional<std::string> edit = attributes.Get("edit");
  if (edit && base::EqualsNoCase(*edit, "0")) {
    const std::string message =
        ReeditMessage(state.master_folder, attributes.GetOr("template", ""));
    ui::ShowMessage(message, kButtonBarDescription.sheet_title, ui::Buttons::kOk,
                    ui::Icon::kError, state.parent_window);
    return 0;
  }

  if (std::unique_ptr<platform::DispatchObject> editor = botframe::GetEditor()) {
    const botframe::QueryWebPageResult query = botframe::VtiQueryWebPageEx(*editor, state.page_url);
    editor.reset();
    if (query.first != 0 &&
        ui::ShowMessage("You have not saved your changes. All the components on\nthe page may "
                        "not be listed. Do you wish to continue ?",
                        "Glintmere Alert", ui::Buttons::kYesNo, ui::Icon::kQuestion,
                        state.parent_window) == ui::Answer::kNo) {
      return 0;
    }
  }

  if (dialog.DoModal(state.parent_window) != ui::kIdOk) return 0;
  // A bar whose making failed has shown why; an empty component would only
  // clutter the page.
  if (dialog.html().empty()) return 0;
  UploadStyleFiles(context, dialog);

  std::unique_ptr<platform::DispatchObject> editor = botframe::GetEditor();
  if (!editor) {
    ShowUnreachable(state, botframe::kUnableToAccessFpOleServer);
    return 0;
  }
  attributes.Set("param-AppletType", base::Format("%d", dialog.component_row));
  attributes.Set("param-AppletName", dialog.component_name);
  attributes.Set("param-ButtonStyle", base::Format("%d", dialog.style_row));
  attributes.Set("param-ButtonBarType", base::Format("%d", dialog.type_row));
  attributes.Set("CLIENTSIDE", "");
  attributes.Set("PREVIEW", " ");
  attributes.Set("tag", "");
  if (botframe::VtiInsertHtml(*editor, dialog.html()) == 0) {
    ui::ShowMessage("Unable to insert HTML text into FrontPage Editor", kButtonBarErrorCaption,
                    ui::Buttons::kOk, ui::Icon::kNone, state.parent_window);
    return 0;
  }
  return 1;
}

}  // namespace

int32_t RunButtonBarEdit(BotAttributeList* list, const BotHostCallbacks* host) noexcept {
  try {
    botframe::UiPublishingDialogs dialogs;
    botframe::EditContext context(kButtonBarDescription, dialogs);
    EditRunState& state = context.state();
    state.parent_window = ui::GetUiBackend().ForegroundWindow();
    const base::ScopeExit remove_copies([&state] { botframe::RemoveWorkingCopies(state); });
    botframe::Attributes attributes(list, host);
    return Edit(context, attributes);
  } catch (...) {
    return 0;
  }
}

}  // namespace bots_s3
