// Finding the local folders from the registry, and starting the help viewer.
#include "botframe/install_folders.h"

#include <string_view>
#include <vector>

#include "botframe/edit_state.h"
#include "platform/services.h"

namespace botframe {
namespace {

using platform::RootKey;

constexpr char kProductKey[] = "Software\\Kel Software\\GMQFX";
constexpr char kCompanyKey[] = "Software\\Kel Software";
constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kWindowsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

constexpr char kAppletFolder[] = "_glintmere";
constexpr char kHelpProgram[] = "KelHelp.exe";
constexpr char kHelpFolder[] = "QFXHelp";

// A string value, or empty when the key or value is missing, of another type
// or too long for the buffer the installed product reads it with.
std::string ReadFolderValue(RootKey root, const char* key, const char* name) {
  std::string text;
  if (platform::ReadString(platform::GetRegistry(), root, key, name, &text) != platform::kOk) {
    return std::string();
  }
  if (text.size() > kMaxFolderValueLength) return std::string();
  return text;
}

void EnsureTrailingBackslash(std::string& path) {
  if (path.empty() || path.back() != '\\') path += '\\';
}

// Creates one folder; true when it was made or a folder of that name was
// already there (a file of that name is no folder).
bool MakeFolder(const std::string& path) {
  platform::Files& files = platform::GetFiles();
  const platform::Status status = files.CreateFolder(path);
  if (status == platform::kOk) return true;
  return status == platform::kAlreadyExists && files.FolderExists(path);
}

std::string FindMasterFolder(const std::string& module_folder) {
  std::string folder = ReadFolderValue(RootKey::kLocalMachine, kProductKey, "MasterFolder");
  if (folder.empty()) folder = module_folder;
  // Without a module folder either there is nothing to search; a bare "\"
  // would search the root of the current drive.
  if (folder.empty()) return std::string();
  EnsureTrailingBackslash(folder);
  std::vector<std::string> names;
  if (platform::GetFiles().FindFiles(folder + kAppletFolder, "*.*", &names) != platform::kOk ||
      names.empty()) {
    return std::string();
  }
  return folder;
}

std::string FindUserDataFolder() {
  std::string folder = ReadFolderValue(RootKey::kCurrentUser, kShellFoldersKey, "AppData");
  if (folder.empty()) return std::string();
  EnsureTrailingBackslash(folder);
  folder += "Kel Software";
  if (!MakeFolder(folder)) return std::string();
  folder += "\\Glintmere";
  if (!MakeFolder(folder)) return std::string();
  folder += '\\';
  if (!MakeFolder(folder + kAppletFolder)) return std::string();
  return folder;
}

std::string FindInstallFolder() {
  std::string folder = ReadFolderValue(RootKey::kLocalMachine, kProductKey, "InstallRoot");
  if (folder.empty()) {
    folder = ReadFolderValue(RootKey::kLocalMachine, kWindowsKey, "ProgramFilesDir");
    if (!folder.empty()) {
      EnsureTrailingBackslash(folder);
      folder += "Kel Software\\Glintmere\\";
    }
  }
  if (!folder.empty()) EnsureTrailingBackslash(folder);
  return folder;
}

std::string FindCommonFolder(const std::string& install_folder) {
  std::string folder = ReadFolderValue(RootKey::kLocalMachine, kCompanyKey, "CommonPath");
  if (folder.empty()) folder = install_folder;
  if (!folder.empty()) EnsureTrailingBackslash(folder);
  return folder;
}

}  // namespace

void FindInstallFolders(EditRunState& state) {
  state.master_folder = FindMasterFolder(state.module_folder);
  state.user_data_folder = FindUserDataFolder();
  state.install_folder = FindInstallFolder();
  state.common_folder = FindCommonFolder(state.install_folder);
}

bool LaunchHelp(const std::string& common, const std::string& topic, const std::string& page) {
  if (common.empty()) return false;

  platform::ShellRequest request;
  request.verb = "open";
  request.file = common + kHelpProgram;
  // The help folder is quoted and ends in "\" right before the closing
  // quote. The help viewer reads its command line itself, up to the next
  // quote, so it gets the folder whole; a program that splits its command
  // line with the usual Windows rules would take that quote as a literal.
  request.parameters = "\"" + common + kHelpFolder + "\\\"";
  if (!topic.empty()) {
    request.parameters += " /c" + topic;
  } else if (!page.empty()) {
    request.parameters += " " + page;
  }
  request.show = true;
  return platform::GetShell().Execute(request) == platform::kOk;
}

}  // namespace botframe
