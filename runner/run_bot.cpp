// The bot runner's logic, over the platform and message-box services.
#include "runner/run_bot.h"

#include <vector>

#include "base/path.h"
#include "base/text.h"
#include "platform/services.h"
#include "runner/attribute_list.h"
#include "runner/compose.h"
#include "ui/message_box.h"

namespace runner {
namespace {

constexpr const char* kErrorCaption = "Error";

void ShowError(const std::string& text) {
  ui::ShowMessage(text.substr(0, kMaxMessageChars), kErrorCaption);
}

// Refuses an argument the runner cannot take: the caller gets result 0 and
// the user a message naming what was wrong.
int32_t Refuse(const char* what) {
  ShowError(base::Format("Invalid argument: %s.", what));
  return 0;
}

// Reads the default value of a key under HKEY_CLASSES_ROOT the way a lookup
// into a 1024-byte buffer would: absent, empty or longer values fail.
bool ReadClassesDefault(const std::string& key, std::string* value) {
  if (key.size() > kMaxRegistryKeyChars) return false;
  std::string text;
  if (platform::ReadString(platform::GetRegistry(), platform::RootKey::kClassesRoot, key, "",
                           &text) != platform::kOk) {
    return false;
  }
  if (text.empty() || text.size() > kMaxRegistryValueChars) return false;
  *value = std::move(text);
  return true;
}

}  // namespace

std::string ExplorerClassKey(std::string_view fp_version) {
  const std::string_view major = fp_version.substr(0, fp_version.find('.'));
  return base::Format("FrontPage.Explorer.%.*s.0\\CLSID", static_cast<int>(major.size()),
                      major.data());
}

bool FindFrontPageFolder(std::string_view major_version, std::string* folder) {
  std::string clsid;
  if (!ReadClassesDefault(ExplorerClassKey(major_version), &clsid)) return false;
  std::string program;
  if (!ReadClassesDefault(base::Format("CLSID\\%s\\LocalServer32", clsid.c_str()), &program)) {
    return false;
  }
  // A server path may be quoted and followed by switches
  // ("\"C:\Program Files\FrontPage\FRONTPG.EXE\" /automation"): the folder is
  // that of the quoted program.
  if (program.front() == '"') {
    const size_t close = program.find('"', 1);
    program = program.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  // Unquoted, it is usually followed by a switch too
  // ("C:\Program Files\Microsoft Office\Office\FRONTPG.EXE /automation"),
  // whose "/" is no folder: a Windows path is cut after its last backslash.
  // Only a path without any (the stand-alone host's own on Linux) is cut at
  // its last "/".
  const size_t backslash = program.rfind('\\');
  std::string result = backslash == std::string::npos ? base::FolderOf(program)
                                                      : program.substr(0, backslash + 1);
  if (result.empty()) return false;
  *folder = std::move(result);
  return true;
}

std::unique_ptr<platform::DispatchObject> GetEditorDispatch() {
  for (const char* prog_id : {"FrontPage.Editor", "FrontPage.Editor.3.0"}) {
    platform::CreateResult created = platform::GetAutomation().Create(prog_id);
    if (created.object) return std::move(created.object);
    switch (created.failed_stage) {
      case platform::CreateStage::kClassLookup:
        ui::ShowMessage(base::Format("CLSIDFromProgID failed with error %X", created.error), "");
        break;
      case platform::CreateStage::kInstantiation:
        ui::ShowMessage(base::Format("CoCreateInstance failed with error %X", created.error), "");
        break;
      case platform::CreateStage::kNoDispatch:
      case platform::CreateStage::kNone:
        break;  // the object refused IDispatch: quietly try the next ProgID
    }
  }
  return nullptr;
}

int32_t InsertHtmlIntoPage(platform::DispatchObject& editor, const std::string& text) {
  std::vector<platform::DispatchValue> args{platform::DispatchValue::String(text)};
  platform::DispatchValue result;
  if (!platform::Succeeded(editor.Invoke("vtiInsertHTML", args, &result))) return 0;
  return result.AsInt();
}

int32_t RunBot(const char* fp_version, const char* bot_library, const char* bot_name,
               int32_t insert) {
  if (!fp_version) return Refuse("the FrontPage version is missing");
  if (std::string_view(fp_version).size() > kMaxVersionChars) {
    return Refuse("the FrontPage version is longer than 19 characters");
  }
  if (!bot_library) return Refuse("the bot library name is missing");
  if (!bot_name) return Refuse("the bot name is missing");
  if (std::string_view(bot_name).size() > kMaxBotNameChars) {
    return Refuse("the bot name is longer than 94 characters");
  }

  const std::string_view version(fp_version);
  const std::string major(version.substr(0, version.find('.')));
  std::string folder;
  if (!FindFrontPageFolder(major, &folder)) {
    ShowError("Failed to retrieve bot DLL path.");
    return 0;
  }
  const std::string library_path = folder + "bots\\" + bot_library;
  if (library_path.size() > kMaxLibraryPathChars) {
    return Refuse("the bot library path is longer than 1023 characters");
  }
  const std::string entry_name = std::string(bot_name) + "_Edit";

  platform::Status error = platform::kOk;
  std::unique_ptr<platform::Module> library =
      platform::GetModuleLoader().Load(library_path, &error);
  if (!library) {
    ShowError(base::Format("Failed to load bot DLL.\n%s\nError code: %lu\nFP version: %s",
                           library_path.c_str(), static_cast<unsigned long>(error), fp_version));
    return 0;
  }
  auto edit = reinterpret_cast<BotEditEntry>(library->FindExport(entry_name, &error));
  if (!edit) {
    ShowError(base::Format("Failed to retrieve the bot function address.\n%s\nError code: %lu",
                           entry_name.c_str(), static_cast<unsigned long>(error)));
    return 0;
  }

  AttributeList attributes;
  const int32_t confirmed = edit(attributes.get(), &HostCallbacks());
  // The attribute strings belong to this host and outlive the library.
  library.reset();

  if (attributes.damaged()) {
    // A change the bot made could not be kept: nothing of it goes into the page.
    ShowError("Out of Memory.");
    return 0;
  }
  if (insert != 0 && confirmed != 0) {
    const std::string html = ComposeWebbotHtml(attributes.list(), bot_name);
    platform::Automation& automation = platform::GetAutomation();
    const bool initialized = platform::Succeeded(automation.Initialize());
    if (std::unique_ptr<platform::DispatchObject> editor = GetEditorDispatch()) {
      InsertHtmlIntoPage(*editor, html);  // the outcome is not reported
    }
    if (initialized) automation.Uninitialize();
  }
  return 1;
}

int32_t RunDll(const char* library_path, const char* function_name) {
  if (!library_path) return Refuse("the library path is missing");
  if (!function_name) return Refuse("the function name is missing");
  platform::Status error = platform::kOk;
  std::unique_ptr<platform::Module> library = platform::GetModuleLoader().Load(library_path, &error);
  if (!library) {
    ShowError(base::Format("Failed to load the DLL.\n%s\nError code: %lu", library_path,
                           static_cast<unsigned long>(error)));
    return 0;
  }
  using Function = int32_t(BOT_CALL*)();
  auto function = reinterpret_cast<Function>(library->FindExport(function_name, &error));
  if (!function) {
    ShowError(base::Format("Failed to retrieve the function address.\n%s\nError code: %lu",
                           function_name, static_cast<unsigned long>(error)));
    return 0;
  }
  return function();
}

}  // namespace runner

