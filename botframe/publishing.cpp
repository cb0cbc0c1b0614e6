// Publishing of applet resources into the web.
#include "botframe/publishing.h"

#include <algorithm>
#include <new>

#include "base/path.h"
#include "base/text.h"
#include "botframe/edit_context.h"
#include "botframe/automation_client.h"
#include "platform/services.h"
#include "ui/message_box.h"

namespace botframe {
namespace {

constexpr const char* kAppletFolder = "_glintmere\\";

void ShowPublishingError(const EditRunState& state, const std::string& text,
                         ui::Icon icon = ui::Icon::kNone) {
  ui::ShowMessage(text, kFrontPageErrorCaption, ui::Buttons::kOk, icon, state.parent_window);
}

bool BothFoldersKnown(const EditRunState& state) {
  return !state.master_folder.empty() && !state.user_data_folder.empty();
}

std::string MasterCopy(const EditRunState& state, const std::string& name) {
  return state.master_folder + kAppletFolder + name;
}

std::string UserCopy(const EditRunState& state, const std::string& name) {
  return state.user_data_folder + kAppletFolder + name;
}

// The URL cut right after its last "/", or after its last ":" when it has no
// "/"; empty when it has neither.
std::string FolderPartOfUrl(const std::string& url) {
  size_t at = url.rfind('/');
  if (at == std::string::npos) at = url.rfind(':');
  return at == std::string::npos ? std::string() : url.substr(0, at + 1);
}

bool IsWebSource(const std::string& source) {
  return base::StartsWithNoCase(source, "file://") || base::StartsWithNoCase(source, "http://");
}

// The folder URL of the applet files on the web, for the missing-files check.
std::string MissingFilesFolderUrl(const EditRunState& state) {
  if (state.absolute_reference) return state.web_url + "/_glintmere/";
  const size_t slash = state.page_url.rfind('/');
  if (slash == std::string::npos) return state.web_url + "/_glintmere/";
  return state.page_url.substr(0, slash) + "/_glintmere/";
}

bool UploadWithExplorer(const EditRunState& state, platform::DispatchObject& explorer,
                        ProgressDialog& progress, const std::string& local_subfolder,
                        const std::string& web_subfolder, const std::string& file_name,
                        bool quiet, bool from_master) {
  progress.SetStatus(kSearchingWebStatus, file_name);

  const std::string target = TargetFolderUrl(state, web_subfolder);
  std::string relative = target;
  if (!state.web_url.empty() && base::StartsWithNoCase(target, state.web_url)) {
    // The web's URL may end in "/" itself ("file://" for the root folder):
    // whatever separators follow it are cut, never a character of a name.
    const std::string rest = target.substr(state.web_url.size());
    if (rest.empty() || rest.front() == '/' || state.web_url.back() == '/') {
      const size_t name = rest.find_first_not_of('/');
      relative = name == std::string::npos ? std::string() : rest.substr(name);
    }
  }
  if (!MakeWebFolder(explorer, relative)) {
    ShowPublishingError(state, kUnableToCreateWebFolder);
    return false;
  }

  // A working copy of a master file is published from the master itself:
  // another edit sharing the user's folder may remove the copy at any time.
  const auto& copies = state.temporary_copies;
  if (!from_master && local_subfolder == "_glintmere" && !state.master_folder.empty() &&
      std::find(copies.begin(), copies.end(), file_name) != copies.end() &&
      platform::GetFiles().FileExists(MasterCopy(state, file_name))) {
    from_master = true;
  }
  std::string local = from_master ? state.master_folder : state.user_data_folder;
  if (!local_subfolder.empty()) local += local_subfolder + "\\";
  local += file_name;
  // A name from an attribute could still hold a folder part, "..", a drive
  // or a device; such a file is never read nor written.
  if (!base::IsPlainFileName(file_name)) {
    if (!quiet) ShowPublishingError(state, UnableToCopyMessage(local));
    return false;
  }
  const std::string document = relative + "/" + file_name;
  if (VtiIsPageInWeb(explorer, document) && !state.force_overwrite) return true;

  progress.SetStatus(kUploadingStatus, file_name);
  if (VtiPutDocument(explorer, local, document, true) != 0) return true;
  if (!quiet) ShowPublishingError(state, UnableToCopyMessage(local));
  return false;
}

}  // namespace

std::string TargetFolderUrl(const EditRunState& state, const std::string& web_subfolder) {
  if (state.absolute_reference) return state.web_url + "/" + web_subfolder;
  return FolderPartOfUrl(state.page_url) + web_subfolder;
}

bool UploadFile(EditContext& context, const std::string& local_subfolder,
                const std::string& web_subfolder, const std::string& file_name, bool quiet,
                bool from_master) {
  const EditRunState& state = context.state();
  // The progress dialog lives for this one upload.
  std::unique_ptr<ProgressDialog> progress = context.dialogs().OpenProgress(state.parent_window);
  std::unique_ptr<platform::DispatchObject> explorer = GetExplorer(context.library());
  if (!explorer) {
    ShowPublishingError(state, kUnableToAccessFpOleServer, ui::Icon::kInformation);
    return false;
  }
  try {
    return UploadWithExplorer(state, *explorer, *progress, local_subfolder, web_subfolder,
                              file_name, quiet, from_master);
  } catch (const std::bad_alloc&) {
    ShowPublishingError(state, kOutOfMemory);
    return false;
  }
}

bool MakeWebFolder(platform::DispatchObject& explorer, const std::string& relative_folder) {
  // Walk up to the deepest folder that exists, counting the levels to make.
  std::string path = relative_folder;
  int levels = 1;
  while (!VtiIsFolderInWeb(explorer, path)) {
    ++levels;
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
      path.clear();
      break;
    }
    path.resize(slash);
  }
  // Then create one level at a time; once the full path is reached it is
  // created again, which succeeds on an existing folder.
  int32_t result = 0;
  for (int i = 0; i < levels; ++i) {
    if (path.size() < relative_folder.size()) {
      const size_t from = path.empty() ? 0 : path.size() + 1;
      const size_t next = relative_folder.find('/', from);
      path = relative_folder.substr(0, next);
    }
    result = VtiCreateFolder(explorer, path);
  }
  return result != 0;
}

bool EnsureWorkingCopy(EditRunState& state, const std::string& file_name) {
  if (!BothFoldersKnown(state) || !base::IsPlainFileName(file_name)) return false;
  auto& copies = state.temporary_copies;
  if (std::find(copies.begin(), copies.end(), file_name) != copies.end()) return true;
  platform::Files& files = platform::GetFiles();
  if (!files.FileExists(MasterCopy(state, file_name))) return true;
  if (files.CopyFile(MasterCopy(state, file_name), UserCopy(state, file_name), true) != platform::kOk) {
    return false;
  }
  copies.push_back(file_name);
  return true;
}

bool LocateOrRecordMissing(EditRunState& state, const std::string& file_name, int kind,
                           const std::string& panel) {
  if (!BothFoldersKnown(state) || !base::IsPlainFileName(file_name)) return false;
  platform::Files& files = platform::GetFiles();
  if (files.FileExists(MasterCopy(state, file_name))) return EnsureWorkingCopy(state, file_name);
  if (files.FileExists(UserCopy(state, file_name))) return false;
  state.missing_files.push_back(MissingEntry{panel, file_name, kind, false});
  return true;
}

bool CheckMissingFiles(EditContext& context) {
  EditRunState& state = context.state();
  if (state.missing_files.empty()) return true;
  const std::string folder_url = MissingFilesFolderUrl(state);
  {
    std::unique_ptr<platform::DispatchObject> explorer = GetExplorer(context.library());
    for (MissingEntry& entry : state.missing_files) {
      entry.found_on_web = explorer && VtiIsPageInWeb(*explorer, folder_url + entry.file_name);
    }
  }
  std::stable_sort(state.missing_files.begin(), state.missing_files.end(),
                   [](const MissingEntry& a, const MissingEntry& b) {
                     return base::CompareNoCase(a.file_name, b.file_name) < 0;
                   });
  const MissingFilesAnswer answer =
      context.dialogs().AskMissingFiles(state.missing_files, state.parent_window);
  if (answer == MissingFilesAnswer::kSynchronize && !state.user_data_folder.empty()) {
    if (std::unique_ptr<platform::DispatchObject> explorer = GetExplorer(context.library())) {
      for (const MissingEntry& entry : state.missing_files) {
        if (!entry.found_on_web || !base::IsPlainFileName(entry.file_name)) continue;
        const std::string url = folder_url + entry.file_name;
        if (VtiIsPageInWeb(*explorer, url)) {
          VtiGetDocToFile(*explorer, url, UserCopy(state, entry.file_name));
        }
      }
    }
  }
  state.missing_files.clear();
  return answer != MissingFilesAnswer::kCancel;
}

void RemoveWorkingCopies(EditRunState& state) {
  if (!state.user_data_folder.empty()) {
    for (const std::string& name : state.temporary_copies) {
      platform::GetFiles().DeleteFile(UserCopy(state, name));
    }
  }
  state.temporary_copies.clear();
}

std::optional<std::string> ImportFile(EditContext& context, const std::string& source,
                                      const std::string& name, int kind, ui::WindowHandle owner,
                                      MissingSourceMessage missing) {
  EditRunState& state = context.state();
  platform::Files& files = platform::GetFiles();
  const bool from_web = IsWebSource(source);
  const auto report_missing = [&] {
    std::string text = "Unable to locate source file";
    if (missing == MissingSourceMessage::kAfterSource) {
      text = source + (from_web ? "" : "\n") + text;
    }
    // A message without a caption of its own says "Glintmere", as in the file
    // dialogs an import starts from.
    ui::ShowMessage(text, ui::kProductCaption, ui::Buttons::kOk, ui::Icon::kNone, owner);
  };
  std::unique_ptr<platform::DispatchObject> explorer;
  if (from_web) {
    explorer = GetExplorer(context.library());
    if (!explorer || !VtiIsPageInWeb(*explorer, source)) {
      report_missing();
      return std::nullopt;
    }
  } else if (!files.FileExists(source)) {
    report_missing();
    return std::nullopt;
  }
  if (state.user_data_folder.empty() || !base::IsPlainFileName(name)) {
    ui::ShowMessage("Not a valid File name", "Error", ui::Buttons::kOk, ui::Icon::kNone, owner);
    return std::nullopt;
  }
  // A file already in one of the local folders is used where it is.
  if (!from_web && (base::SamePathText(source, UserCopy(state, name)) ||
                    (!state.master_folder.empty() && base::SamePathText(source, MasterCopy(state, name))))) {
    return name;
  }

  std::string final_name = name;
  const bool in_master = !state.master_folder.empty() && files.FileExists(MasterCopy(state, name));
  if (in_master || files.FileExists(UserCopy(state, name))) {
    switch (context.dialogs().AskOverwrite(&final_name, kind, /*overwrite_allowed=*/!in_master,
                                           state, owner)) {
      case OverwriteAnswer::kOverwrite:
        state.force_overwrite = true;  // the web copy is replaced too
        break;
      case OverwriteAnswer::kCancel:
        return std::nullopt;
      case OverwriteAnswer::kRename:
        if (!base::IsPlainFileName(final_name)) return std::nullopt;
        break;
    }
  }
  const std::string target = UserCopy(state, final_name);
  if (from_web) {
    if (VtiGetDocToFile(*explorer, source, target) == 0) return std::nullopt;
  } else if (files.CopyFile(source, target, true) != platform::kOk) {
    return std::nullopt;
  }
  return final_name;
}

}  // namespace botframe
