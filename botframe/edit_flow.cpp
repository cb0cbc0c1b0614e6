// The applet bots' edit flow.
#include "botframe/edit_flow.h"

#include "base/path.h"
#include "base/scope_exit.h"
#include "base/text.h"
#include "botframe/applet_tag.h"
#include "botframe/automation_client.h"
#include "botframe/edit_context.h"
#include "botframe/install_folders.h"
#include "botframe/publishing_dialogs.h"
#include "platform/services.h"
#include "ui/backend.h"
#include "ui/message_box.h"

namespace botframe {
namespace {

void ShowUnreachable(const EditRunState& state, const std::string& text) {
  ui::ShowMessage(text, kFrontPageErrorCaption, ui::Buttons::kOk, ui::Icon::kInformation,
                  state.parent_window);
}

// The folder of this bot library's own file, with its separator.
std::string ModuleFolder() {
  static const int anchor = 0;
  return base::FolderOf(platform::GetModuleLoader().PathOfModuleContaining(&anchor));
}

// The name after the last "/" of an attribute naming a file.
std::string FileNamePart(const std::string& value) {
  const size_t slash = value.rfind('/');
  return slash == std::string::npos ? value : value.substr(slash + 1);
}

// Reads FrontPage's page and web; false (with the message shown) when the
// edit call cannot go on.
bool ReadFrontPageState(EditContext& context) {
  EditRunState& state = context.state();
  std::unique_ptr<platform::DispatchObject> editor = GetEditor();
  if (!editor) {
    ShowUnreachable(state, kUnableToAccessFpOleServer);
    return false;
  }
  if (std::optional<std::string> page_url = VtiGetTopPageUrl(*editor)) {
    state.page_url = *page_url;
    if (base::StartsWithNoCase(state.page_url, "unsaved:")) {
      state.unsaved = true;
      editor.reset();
      const ui::Answer answer = ui::ShowMessage(
          "This page is not saved. The applet cannot be inserted on a unsaved page.\n"
          "Do you still wish to continue ?",
          "Glintmere Alert", ui::Buttons::kYesNo, ui::Icon::kQuestion, state.parent_window);
      if (answer == ui::Answer::kNo) return false;
    }
  }
  editor.reset();

  std::unique_ptr<platform::DispatchObject> explorer = GetExplorer(context.library());
  if (!explorer) {
    ShowUnreachable(state, kUnableToAccessFpOleServer);
    return false;
  }
  std::optional<std::string> web_url = VtiGetWebUrl(*explorer);
  if (!web_url) {
    ShowUnreachable(state, CouldNotGetWebUrlMessage(context.library()));
    return false;
  }
  state.web_url = NormalizeWebUrl(*web_url, &state.disk_web);
  return true;
}

// Step by step publishing of the common files, then the bot's own.
bool PublishAll(AppletBot& bot, EditContext& context, Attributes& attributes) {
  auto upload = [&](const std::string& name) {
    return UploadFile(context, "_glintmere", "_glintmere", name, false, false);
  };
  const BotDescription& description = context.bot();
  if (!upload(description.class_file)) return false;
  if (description.shared_class && !upload(description.shared_class)) return false;
  if (!upload(description.logo)) return false;
  if (attributes.GetOr(kPlayInBrowsersAttribute, "") == "1" && !upload(kAppletRuntimeFile)) {
    return false;
  }
  for (const char* attribute : {"param-AppBGImage", "param-AppBGSound"}) {
    const std::optional<std::string> value = attributes.Get(attribute);
    if (value && !value->empty() && !upload(FileNamePart(*value))) return false;
  }
  return bot.PublishOwnFiles(context, attributes);
}

std::string PreviewImageTag(const EditContext& context, Attributes& attributes) {
  const EditRunState& state = context.state();
  std::string base = state.web_url;
  if (!state.absolute_reference) {
    const size_t slash = state.page_url.rfind('/');
    base = slash == std::string::npos ? std::string() : state.page_url.substr(0, slash);
  }
  return base::Format("<img src=\"%s/_glintmere/%s\" width=\"", base.c_str(), context.bot().logo) +
         attributes.GetOr("java-width", "") + "\" height=\"" +
         attributes.GetOr("java-height", "") + "\">";
}

int32_t Edit(AppletBot& bot, EditContext& context, Attributes& attributes) {
  EditRunState& state = context.state();
  const BotDescription& description = context.bot();
  state.module_folder = ModuleFolder();
  if (state.module_folder.empty()) {
    ui::ShowMessage("Failed to retrieve the path.", "Error", ui::Buttons::kOk, ui::Icon::kError,
                    state.parent_window);
    return 0;
  }
  CGMWebbotProperties sheet(bot, context);
  bot.AddPages(sheet);

  if (!ReadFrontPageState(context)) return 0;
  FindInstallFolders(state);
  const char* version = context.library().version;
  const std::optional<std::string> stored_version = attributes.Get("version");
  if (!stored_version || !base::EqualsNoCase(*stored_version, version)) {
    state.force_overwrite = true;
  }
  EnsureWorkingCopy(state, description.class_file);
  if (description.shared_class) EnsureWorkingCopy(state, description.shared_class);
  EnsureWorkingCopy(state, description.logo);
  // The preview page loads the runtime from the working folder.
  EnsureWorkingCopy(state, kAppletRuntimeFile);
  state.missing_files.clear();

  sheet.Load(&attributes);
  if (!CheckMissingFiles(context)) return 0;
  if (sheet.Show() != ui::kIdOk) return 0;

  attributes.Set("version", version);
  sheet.SaveAll();
  attributes.Set("S-HTML", sheet.WriteAppletTag());
  attributes.Set("CLIENTSIDE", "");
  attributes.Set("PREVIEW", PreviewImageTag(context, attributes));
  return PublishAll(bot, context, attributes) ? 1 : 0;
}

}  // namespace

std::string NormalizeWebUrl(const std::string& web_url, bool* disk_web) {
  *disk_web = base::StartsWithNoCase(web_url, "file://");
  if (*disk_web && web_url.compare(7, 3, "///") == 0) return "file://" + web_url.substr(10);
  return web_url;
}

int32_t RunAppletEdit(AppletBot& bot, BotAttributeList* list, const BotHostCallbacks* host,
                      PublishingDialogs* dialogs) {
  UiPublishingDialogs ui_dialogs;
  EditContext context(bot.description(), dialogs ? *dialogs : ui_dialogs);
  EditRunState& state = context.state();
  if (context.bot().sheet_owned_by_foreground) {
    state.parent_window = ui::GetUiBackend().ForegroundWindow();
  }
  // Working copies go whichever way the call ends.
  const base::ScopeExit remove_copies([&state] { RemoveWorkingCopies(state); });
  Attributes attributes(list, host);
  return Edit(bot, context, attributes);
}

}  // namespace botframe
