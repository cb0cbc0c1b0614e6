// The stand-alone host's automation objects: the editor ("FrontPage.Editor")
// and the Explorer ("FrontPage.Explorer") of a disk web, answering the "vti"
// methods the runner and the bots call. Each call reads the session state
// afresh, so objects in different processes of one session agree.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/automation.h"
#include "platform/dispatch_server.h"

namespace host {

// Class identifiers of the host's objects.
inline constexpr const char* kEditorClsid = "{1219374B-914A-4D16-9764-2D3C6F561CFC}";
inline constexpr const char* kExplorerClsid = "{F9990FE0-3D81-4BEA-97AC-3D55B2CFB25E}";

// The editor: "vtiGetTopPageURL", "vtiInsertHTML", and "vtiQueryWebPageEx"
// (page URL, an unused string, two by-reference truth values): the first
// truth value is set when the URL names the open page and it has unsaved
// changes, the second when the URL names the open page (its full URL, its
// web-relative URL or its "unsaved:" URL); the int result is 1 when the URL
// names the open page or a file of the web, 0 otherwise.
class EditorObject : public platform::DispatchObject {
 public:
  platform::HResult Invoke(std::string_view method, std::span<platform::DispatchValue> args,
                           platform::DispatchValue* result) override;
};

// The Explorer of the open web: "vtiGetWebURL", and the methods on its files
// (web_files.h): "vtiIsPageInWeb", "vtiIsFolderInWeb", "vtiCreateFolder",
// "vtiPutDocument", "vtiGetDocToFile", "vtiGetFoldersList",
// "vtiGetPagesInFolder". URLs are relative to the web or full URLs inside it
// (WebRelativeUrl); a URL that would leave the web gives false, 0 or no text.
// Flag results are truth values, empty texts an empty result.
class ExplorerObject : public platform::DispatchObject {
 public:
  platform::HResult Invoke(std::string_view method, std::span<platform::DispatchValue> args,
                           platform::DispatchValue* result) override;
};

// The classes the host serves (for the server library and registration).
std::span<const platform::ServedClass> HostClasses();
const platform::ServedClass& EditorClass();
const platform::ServedClass& ExplorerClass();

// The process lock (platform/process_lock.h) held while a page is read,
// changed and written back.
std::string PageLockName(const std::string& page_path);

// Inserts html (its body part, when it is a whole document) into the session's
// open page at the insertion point, writing the page through a temporary file
// and a rename, and moves the insertion point past the inserted text. On any
// failure the page is left as it was and false is returned.
bool InsertIntoOpenPage(const std::string& html);

}  // namespace host
