// Registration of the stand-alone host.
#include "host/registration.h"

#include <vector>

#include "base/path.h"
#include "base/text.h"
#include "host/host_objects.h"
#include "platform/com_registration.h"
#include "platform/environment.h"
#include "platform/services.h"

namespace host {
namespace {

using platform::RootKey;

// The versioned Explorer ProgIDs the host answers to, besides the plain one.
constexpr const char* kVersionedExplorerProgIds[] = {"FrontPage.Explorer.3.0",
                                                     "FrontPage.Explorer.4.0"};

// The versioned ProgID the runner asks for when it is given the host's version.
std::string RunnersExplorerProgId() {
  const std::string version = kHostFrontPageVersion;
  return "FrontPage.Explorer." + version.substr(0, version.find('.')) + ".0";
}

std::string TakenMessage(const std::string& prog_id) {
  return base::Format(
      "%s is registered to another program (FrontPage itself may be installed); "
      "the stand-alone host leaves it alone.",
      prog_id.c_str());
}

platform::Status WriteFailed(const std::string& prog_id, platform::Status status,
                             std::string* problem) {
  *problem = base::Format("Could not register %s (error %lu).", prog_id.c_str(),
                          static_cast<unsigned long>(status));
  return status;
}

platform::Status RegistryUnusable(platform::Registry& registry, platform::Status status,
                                  std::string* problem) {
  const std::string why = registry.LastErrorText();
  *problem = why.empty() ? base::Format("The registry could not be read (error %lu).",
                                        static_cast<unsigned long>(status))
                         : why;
  return status;
}

}  // namespace

platform::Status RegisterHost(platform::Registry& registry, const std::string& server_library,
                              const std::string& program_path, std::string* problem) {
  // Every ProgID the host cannot do without is checked before anything is
  // written, so a machine with FrontPage gets no half registration.
  std::vector<std::string> required;
  for (const platform::ServedClass& served : HostClasses()) required.push_back(served.prog_id);
  required.push_back(RunnersExplorerProgId());
  // A registry that cannot be read (a broken hive file, a folder in its
  // place) is told as what it is, never as another program's registration.
  for (const std::string& prog_id : required) {
    std::unique_ptr<platform::RegistryKey> key;
    const platform::Status status = registry.OpenKey(RootKey::kClassesRoot, prog_id, &key);
    if (status == platform::kFileNotFound) continue;
    if (status == platform::kOk) {
      std::string ignored;
      const platform::Status read =
          platform::ReadString(registry, RootKey::kClassesRoot, prog_id + "\\CLSID", "", &ignored);
      if (read == platform::kOk || read == platform::kFileNotFound) continue;
      return RegistryUnusable(registry, read, problem);
    }
    return RegistryUnusable(registry, status, problem);
  }
  for (const std::string& prog_id : required) {
    const char* clsid = prog_id == EditorClass().prog_id ? kEditorClsid : kExplorerClsid;
    if (platform::IsRegisteredToOther(registry, prog_id, clsid)) {
      *problem = TakenMessage(prog_id);
      return platform::kAlreadyExists;
    }
  }

  for (const platform::ServedClass& served : HostClasses()) {
    const platform::Status status = platform::RegisterServedClass(registry, served, server_library);
    if (status == platform::kAlreadyExists) {
      *problem = TakenMessage(served.prog_id);
      return status;
    }
    if (status != platform::kOk) return WriteFailed(served.prog_id, status, problem);
  }
  // The versioned Explorer ProgIDs, each only where no other program has it
  // (an older FrontPage may keep its own), and the Explorer program whose
  // folder holds the bots.
  for (const std::string prog_id : kVersionedExplorerProgIds) {
    if (platform::IsRegisteredToOther(registry, prog_id, kExplorerClsid)) {
      if (prog_id != RunnersExplorerProgId()) continue;
      *problem = TakenMessage(prog_id);
      return platform::kAlreadyExists;
    }
    const platform::Status status =
        platform::WriteString(registry, RootKey::kClassesRoot, prog_id + "\\CLSID", "",
                              kExplorerClsid);
    if (status != platform::kOk) return WriteFailed(prog_id, status, problem);
  }
  const platform::Status status = platform::WriteString(
      registry, RootKey::kClassesRoot, std::string("CLSID\\") + kExplorerClsid + "\\LocalServer32",
      "", program_path);
  if (status != platform::kOk) return WriteFailed(ExplorerClass().prog_id, status, problem);
  return platform::kOk;
}

platform::Status EnsureApplicationDataFolder(platform::Registry& registry) {
  std::string existing;
  const platform::Status status =
      platform::ReadString(registry, RootKey::kCurrentUser, kShellFoldersKey, "AppData", &existing);
  if (status == platform::kOk && !existing.empty()) {
    // A folder named once and removed since is made again: the bots make
    // their own folders only inside it.
    if (platform::GetFiles().FolderExists(existing) ||
        platform::GetFiles().CreateFolders(existing) == platform::kOk) {
      return platform::kOk;
    }
  }
  std::string folder;
  // The folder is made as the XDG rules ask: a fresh account may not have
  // it yet, and the bots make their own folders only inside it.
  if (auto data_home = platform::EnvironmentValue("XDG_DATA_HOME"); data_home && !data_home->empty()) {
    folder = *data_home;
  } else if (auto home = platform::EnvironmentValue("HOME"); home && !home->empty()) {
    folder = *home + "/.local/share";
  } else {
    return platform::kOk;
  }
  if (const platform::Status made = platform::GetFiles().CreateFolders(folder);
      made != platform::kOk) {
    return made;
  }
  return platform::WriteString(registry, RootKey::kCurrentUser, kShellFoldersKey, "AppData",
                               folder);
}

platform::Status EnsureCommonFolder(platform::Registry& registry, const std::string& program_path) {
  constexpr const char* kKelKey = "Software\\Kel Software";
  std::string existing;
  const platform::Status status =
      platform::ReadString(registry, RootKey::kLocalMachine, kKelKey, "CommonPath", &existing);
  // A folder with the help viewer (an installed product's) stays; one
  // without it (a moved or removed copy of the host) is named afresh.
  if (status == platform::kOk && !existing.empty() &&
      platform::GetFiles().FileExists(existing + "KelHelp.exe")) {
    return platform::kOk;
  }
  const std::string folder = base::FolderOf(program_path);
  if (folder.empty()) return platform::kOk;
  return platform::WriteString(registry, RootKey::kLocalMachine, kKelKey, "CommonPath", folder);
}

platform::Status UnregisterHost(platform::Registry& registry) {
  for (const std::string prog_id : kVersionedExplorerProgIds) {
    if (platform::IsRegisteredToOther(registry, prog_id, kExplorerClsid)) continue;
    const platform::Status status = registry.DeleteTree(RootKey::kClassesRoot, prog_id);
    if (status != platform::kOk && status != platform::kFileNotFound) return status;
  }
  for (const platform::ServedClass& served : HostClasses()) {
    const platform::Status status = platform::UnregisterServedClass(registry, served);
    if (status != platform::kOk) return status;
  }
  return platform::kOk;
}

}  // namespace host
