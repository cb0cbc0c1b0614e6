// The bot runner: finding FrontPage's bot folder, calling a bot's Edit entry
// as a host and inserting the composed component into the open page, and
// calling any exported function of a library. The exported KelRTL entries
// are thin shells around these functions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/automation.h"

namespace runner {

// Limits of the runner's text, in characters.
inline constexpr size_t kMaxVersionChars = 19;
inline constexpr size_t kMaxBotNameChars = 94;
inline constexpr size_t kMaxRegistryKeyChars = 99;
inline constexpr size_t kMaxRegistryValueChars = 1023;
inline constexpr size_t kMaxLibraryPathChars = 1023;
inline constexpr size_t kMaxMessageChars = 1023;

// The registry key (under HKEY_CLASSES_ROOT) holding the class identifier of
// FrontPage Explorer for a version string: the part before the first "." is
// the major version ("5.0.2.2623" gives "FrontPage.Explorer.5.0\CLSID").
std::string ExplorerClassKey(std::string_view fp_version);

// The folder of FrontPage Explorer's program, with its trailing separator,
// for a major version ("4"). False when the class or the program path is not
// in the registry (or is empty or too long).
bool FindFrontPageFolder(std::string_view major_version, std::string* folder);

// The editor object ("FrontPage.Editor", else "FrontPage.Editor.3.0"), with
// a message box for each ProgID that fails; null when neither gives one.
std::unique_ptr<platform::DispatchObject> GetEditorDispatch();

// Calls "vtiInsertHTML" with text; the method's 32-bit result, or 0 when the
// method is missing or fails.
int32_t InsertHtmlIntoPage(platform::DispatchObject& editor, const std::string& text);

// RunBotFunction: 1 when the Edit entry was called, 0 when an argument was
// refused or the folder, library or entry could not be found (each with its
// message box).
int32_t RunBot(const char* fp_version, const char* bot_library, const char* bot_name,
               int32_t insert);

// RunDllFunction: the function's result, or 0 with a message box on failure.
int32_t RunDll(const char* library_path, const char* function_name);

}  // namespace runner
