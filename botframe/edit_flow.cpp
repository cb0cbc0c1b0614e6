// The applet bots' edit flow.
#include "botframe/edit_flow.h"

#include "base/path.h"
#include "base/text.h"
#include "botframe/automation_client.h"
#include "botframe/edit_state.h"
#include "botframe/install_folders.h"
#include "botframe/profile.h"
#include "botframe/publishing_dialogs.h"
#include "platform/services.h"
#include "ui/backend.h"
#include "ui/message_box.h"

namespace botframe {
namespace {

void ShowUnreachable(const std::string& text) {
  ui::ShowMessage(text, kFrontPageErrorCaption, ui::Buttons::kOk, ui::Icon::kInformation,
                  State().parent_window);
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
bool ReadFrontPageState() {
  EditRunState& state = State();
  std::unique_ptr<platform::DispatchObject> editor = GetEditor();
  if (!editor) {
    ShowUnreachable(kUnableToAccessFpOleServer);
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

  std::unique_ptr<platform::DispatchObject> explorer = GetExplorer();
  if (!explorer) {
    ShowUnreachable(kUnableToAccessFpOleServer);
    return false;
  }
  std::optional<std::string> web_url = VtiGetWebUrl(*explorer);
  if (!web_url) {
    ShowUnreachable(CouldNotGetWebUrlMessage());
    return false;
  }
  state.web_url = NormalizeWebUrl(*web_url, &state.disk_web);
  return true;
}

// Step by step publishing of the common files, then the bot's own.
bool PublishAll(AppletBot& bot, PublishingDialogs& dialogs, Attributes& attributes) {
  auto upload = [&](const std::string& name) {
    return UploadFile(dialogs, "_glintmere", "_glintmere", name, false, false);
  };
  if (!upload(bot.class_file()) || !upload(bot.logo())) return false;
  for (const char* attribute : {"param-AppBGImage", "param-AppBGSound"}) {
    const std::optional<std::string> value = attributes.Get(attribute);
    if (value && !value->empty() && !upload(FileNamePart(*value))) return false;
  }
  return bot.PublishOwnFiles(dialogs, attributes);
}

std::string PreviewImageTag(AppletBot& bot, Attributes& attributes) {
  const EditRunState& state = State();
  std::string base = state.web_url;
  if (!state.absolute_reference) {
    const size_t slash = state.page_url.rfind('/');
    base = slash == std::string::npos ? std::string() : state.page_url.substr(0, slash);
  }
  return base::Format("<img src=\"%s/_glintmere/%s\" width=\"", base.c_str(), bot.logo()) +
         attributes.GetOr("java-width", "") + "\" height=\"" +
         attributes.GetOr("java-height", "") + "\">";
}

int32_t Edit(AppletBot& bot, Attributes& attributes, PublishingDialogs& dialogs) {
  EditRunState& state = State();
  state.module_folder = ModuleFolder();
  if (state.module_folder.empty()) {
    ui::ShowMessage("Failed to retrieve the path.", "Error", ui::Buttons::kOk, ui::Icon::kError,
                    state.parent_window);
    return 0;
  }
  CGMWebbotProperties sheet(bot, state.parent_window);
  bot.AddPages(sheet);

  if (!ReadFrontPageState()) return 0;
  FindInstallFolders();
  const std::optional<std::string> version = attributes.Get("version");
  if (!version || !base::EqualsNoCase(*version, Profile().version)) state.force_overwrite = true;
  EnsureWorkingCopy(bot.class_file());
  EnsureWorkingCopy(bot.logo());
  state.missing_files.clear();

  sheet.Load(&attributes);
  if (!CheckMissingFiles(dialogs)) return 0;
  if (sheet.Show() != ui::kIdOk) return 0;

  attributes.Set("version", Profile().version);
  sheet.SaveAll();
  attributes.Set("S-HTML", sheet.WriteAppletTag());
  attributes.Set("CLIENTSIDE", "");
  attributes.Set("PREVIEW", PreviewImageTag(bot, attributes));
  return PublishAll(bot, dialogs, attributes) ? 1 : 0;
}

}  // namespace

std::string NormalizeWebUrl(const std::string& web_url, bool* disk_web) {
  *disk_web = base::StartsWithNoCase(web_url, "file://");
  if (*disk_web && web_url.compare(7, 3, "///") == 0) return "file://" + web_url.substr(10);
  return web_url;
}

int32_t RunAppletEdit(AppletBot& bot, BotAttributeList* list, const BotHostCallbacks* host,
                      PublishingDialogs* dialogs) {
  EditRunState& state = State();
  state.Reset();
  state.bot_kind = bot.kind();
  ui::SetApplicationName(Profile().library_name);
  state.parent_window = bot.parent_is_foreground() ? ui::GetUiBackend().ForegroundWindow() : nullptr;
  UiPublishingDialogs ui_dialogs;
  Attributes attributes(list, host);
  const int32_t result = Edit(bot, attributes, dialogs ? *dialogs : ui_dialogs);
  RemoveWorkingCopies();
  return result;
}

}  // namespace botframe
