// The bot libraries' client of FrontPage's automation objects: the editor (the
// page being edited) and the Explorer (the open web). It creates the objects
// by ProgID and calls their "vti" methods by name; strings cross the
// automation boundary in the platform service, and an empty or absent string
// result comes back as nullopt. No wrapper shows a message: callers pick one
// of the texts below.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "botframe/bot_description.h"
#include "platform/automation.h"

namespace botframe {

using platform::DispatchObject;

// Messages the callers show when FrontPage cannot be reached, all with the
// caption kFrontPageErrorCaption.
inline constexpr const char* kFrontPageErrorCaption = "Glintmere Error!";
inline constexpr const char* kUnableToAccessFpOleServer =
    "Unable to access FP OLE server.\nTo fix this problem, go to FP help menu and select\n"
    "\"Detect and Repair\" if you are running FP2000 or later.";
inline constexpr const char* kOutOfMemory = "Out of Memory.";
inline constexpr const char* kUnableToCreateWebFolder =
    "Unable to create Folder on web, file copy aborted.";
// "Could not get Web URL from FP Explorer...", with or without its final full
// stop as the library says.
std::string CouldNotGetWebUrlMessage(const LibraryDescription& library);
// "Unable to copy '<path>'."
std::string UnableToCopyMessage(const std::string& local_path);

// Creates the object as an in-process or local server and returns its
// dispatch interface; null on any failure, without a message.
std::unique_ptr<DispatchObject> CreateDispatchObject(const char* prog_id);
// "FrontPage.Editor", else "FrontPage.Editor.3.0".
std::unique_ptr<DispatchObject> GetEditor();
// The library's Explorer ProgIDs, first to last.
std::unique_ptr<DispatchObject> GetExplorer(const LibraryDescription& library);

// Calls a method by name with positional arguments. kSOk or the failure of
// the name lookup or of the call.
platform::HResult InvokeVtiMethod(DispatchObject& object, const char* method,
                                  std::span<platform::DispatchValue> args,
                                  platform::DispatchValue* result);

// Editor methods.
int32_t VtiInsertHtml(DispatchObject& editor, const std::string& html);
std::optional<std::string> VtiGetTopPageUrl(DispatchObject& editor);
struct QueryWebPageResult {
  int32_t result = 0;
  // The two by-reference truth values, widened (0 false, nonzero true).
  int32_t first = 0;   // the page has unsaved changes
  int32_t second = 0;
};
QueryWebPageResult VtiQueryWebPageEx(DispatchObject& editor, const std::string& page_url);

// Explorer methods.
std::optional<std::string> VtiGetWebUrl(DispatchObject& explorer);
bool VtiIsPageInWeb(DispatchObject& explorer, const std::string& document_url);
bool VtiIsFolderInWeb(DispatchObject& explorer, const std::string& folder_url);
int32_t VtiCreateFolder(DispatchObject& explorer, const std::string& folder_url);
int32_t VtiPutDocument(DispatchObject& explorer, const std::string& local_path,
                       const std::string& document_url, bool overwrite = true);
int32_t VtiGetDocToFile(DispatchObject& explorer, const std::string& document_url,
                        const std::string& local_path);
std::optional<std::string> VtiGetFoldersList(DispatchObject& explorer,
                                             const std::string& folder_url);
std::optional<std::string> VtiGetPagesInFolder(DispatchObject& explorer,
                                               const std::string& folder_url, int32_t filter);

}  // namespace botframe
