// The host's editor and Explorer objects.
#include "host/host_objects.h"

#include "base/text.h"
#include "host/disk_web.h"
#include "host/session.h"
#include "host/web_files.h"
#include "platform/process_lock.h"
#include "platform/services.h"

namespace host {
namespace {

using platform::DispatchValue;
using platform::HResult;

// The string result of a method: empty text is returned as an empty result,
// which callers read as "nothing".
DispatchValue StringResult(const std::string& text) {
  return text.empty() ? DispatchValue() : DispatchValue::String(text);
}

HResult CheckArgs(std::span<DispatchValue> args, size_t count) {
  return args.size() == count ? platform::kSOk : platform::kDispEBadParamCount;
}

// Argument readers: kSOk, or kDispETypeMismatch for a value of another kind.
// COM clients differ in how they pass numbers and truth values, so an int is
// taken where a truth value is expected and a truth value where an int is.
HResult TextArg(const DispatchValue& value, std::string* text) {
  if (value.kind() != DispatchValue::Kind::kString) return platform::kDispETypeMismatch;
  *text = value.text();  // a null string reads as empty
  return platform::kSOk;
}

HResult IntArg(const DispatchValue& value, int32_t* number) {
  if (value.kind() != DispatchValue::Kind::kInt && value.kind() != DispatchValue::Kind::kBool) {
    return platform::kDispETypeMismatch;
  }
  *number = value.AsInt();
  return platform::kSOk;
}

HResult TruthArg(const DispatchValue& value, bool* flag) {
  int32_t number = 0;
  const HResult hr = IntArg(value, &number);
  *flag = number != 0;
  return hr;
}

HResult BoolRefArg(const DispatchValue& value, int16_t** target) {
  if (value.kind() != DispatchValue::Kind::kBoolRef || !value.bool_ref()) {
    return platform::kDispETypeMismatch;
  }
  *target = value.bool_ref();
  return platform::kSOk;
}

// VARIANT_BOOL values.
constexpr int16_t kVariantTrue = -1;
constexpr int16_t kVariantFalse = 0;

// The web folder of the open session; empty (every URL refused) when no
// session is open.
std::string OpenWebFolder() {
  Session session;
  if (Session::Load(platform::GetRegistry(), &session) != platform::kOk) return std::string();
  return session.web_folder;
}

// True when url names the page open in the editor: as its full URL, its URL
// relative to the web, or the "unsaved:" URL vtiGetTopPageURL gives a page
// never written.
bool NamesOpenPage(const Session& session, std::string_view url) {
  std::string open, asked;
  if (session.page.empty() || !NormalizeWebUrl(session.page, &open)) return false;
  if (base::StartsWithNoCase(url, "unsaved:")) {
    std::string_view rest = url.substr(8);
    while (!rest.empty() && rest.front() == '/') rest.remove_prefix(1);
    if (!NormalizeWebUrl(rest, &asked)) return false;
  } else if (!WebRelativeUrl(session.web_folder, url, WebRoot::kRefused, &asked)) {
    return false;
  }
  return base::EqualsNoCase(asked, open);
}

// vtiQueryWebPageEx(page URL, unused string, out unsaved changes, out open
// in the editor).
HResult QueryWebPage(std::span<DispatchValue> args, DispatchValue* result) {
  if (HResult hr = CheckArgs(args, 4); hr != platform::kSOk) return hr;
  std::string url;
  int16_t* unsaved = nullptr;
  int16_t* is_open = nullptr;
  HResult hr = TextArg(args[0], &url);
  // Callers pass no second string: a null string, or nothing at all.
  if (hr == platform::kSOk && args[1].kind() != DispatchValue::Kind::kString &&
      args[1].kind() != DispatchValue::Kind::kEmpty) {
    hr = platform::kDispETypeMismatch;
  }
  if (hr == platform::kSOk) hr = BoolRefArg(args[2], &unsaved);
  if (hr == platform::kSOk) hr = BoolRefArg(args[3], &is_open);
  if (hr != platform::kSOk) return hr;

  *unsaved = kVariantFalse;
  *is_open = kVariantFalse;
  Session session;
  bool known = false;
  if (Session::Load(platform::GetRegistry(), &session) == platform::kOk) {
    if (NamesOpenPage(session, url)) {
      known = true;
      *is_open = kVariantTrue;
      if (session.has_unsaved_changes) *unsaved = kVariantTrue;
    } else {
      known = IsPageInWeb(session.web_folder, url);
    }
  }
  *result = DispatchValue::Int(known ? 1 : 0);
  return platform::kSOk;
}

// The Explorer's methods that act on the files of the web.
HResult ExplorerFileMethod(std::string_view method, std::span<DispatchValue> args,
                           DispatchValue* result) {
  std::string url;
  if (base::EqualsNoCase(method, "vtiIsPageInWeb") ||
      base::EqualsNoCase(method, "vtiIsFolderInWeb") ||
      base::EqualsNoCase(method, "vtiCreateFolder") ||
      base::EqualsNoCase(method, "vtiGetFoldersList")) {
    if (HResult hr = CheckArgs(args, 1); hr != platform::kSOk) return hr;
    if (HResult hr = TextArg(args[0], &url); hr != platform::kSOk) return hr;
    const std::string web = OpenWebFolder();
    if (base::EqualsNoCase(method, "vtiIsPageInWeb")) {
      *result = DispatchValue::Bool(IsPageInWeb(web, url));
    } else if (base::EqualsNoCase(method, "vtiIsFolderInWeb")) {
      *result = DispatchValue::Bool(IsFolderInWeb(web, url));
    } else if (base::EqualsNoCase(method, "vtiCreateFolder")) {
      *result = DispatchValue::Int(CreateWebFolder(web, url) ? 1 : 0);
    } else {
      *result = StringResult(FoldersList(web, url));
    }
    return platform::kSOk;
  }
  if (base::EqualsNoCase(method, "vtiGetPagesInFolder")) {
    int32_t filter = 0;
    if (HResult hr = CheckArgs(args, 2); hr != platform::kSOk) return hr;
    if (HResult hr = TextArg(args[0], &url); hr != platform::kSOk) return hr;
    if (HResult hr = IntArg(args[1], &filter); hr != platform::kSOk) return hr;
    *result = StringResult(PagesInFolder(OpenWebFolder(), url, filter));
    return platform::kSOk;
  }
  if (base::EqualsNoCase(method, "vtiPutDocument")) {
    std::string local_path;
    bool overwrite = false;
    if (HResult hr = CheckArgs(args, 3); hr != platform::kSOk) return hr;
    if (HResult hr = TextArg(args[0], &local_path); hr != platform::kSOk) return hr;
    if (HResult hr = TextArg(args[1], &url); hr != platform::kSOk) return hr;
    if (HResult hr = TruthArg(args[2], &overwrite); hr != platform::kSOk) return hr;
    *result = DispatchValue::Int(PutDocument(OpenWebFolder(), local_path, url, overwrite) ? 1 : 0);
    return platform::kSOk;
  }
  if (base::EqualsNoCase(method, "vtiGetDocToFile")) {
    std::string local_path;
    if (HResult hr = CheckArgs(args, 2); hr != platform::kSOk) return hr;
    if (HResult hr = TextArg(args[0], &url); hr != platform::kSOk) return hr;
    if (HResult hr = TextArg(args[1], &local_path); hr != platform::kSOk) return hr;
    *result = DispatchValue::Int(GetDocToFile(OpenWebFolder(), url, local_path) ? 1 : 0);
    return platform::kSOk;
  }
  return platform::kDispEUnknownName;
}

}  // namespace

std::string PageLockName(const std::string& page_path) {
  return platform::FileLockName("page", page_path);
}

bool InsertIntoOpenPage(const std::string& html) {
  platform::Registry& registry = platform::GetRegistry();
  Session session;
  if (Session::Load(registry, &session) != platform::kOk) return false;
  const std::string path = session.PagePath();
  if (path.empty() || !platform::RealPathIsInside(path, session.web_folder)) return false;
  // Read, changed and written under the page's lock, so that runs inserting
  // into one page at the same time never lose each other's components.
  platform::Status locked = platform::kOk;
  const std::unique_ptr<platform::ProcessLock> lock =
      platform::AcquireProcessLock(PageLockName(path), &locked);
  if (!lock) return false;
  platform::Files& files = platform::GetFiles();
  std::string page;
  if (files.ReadFile(path, &page) != platform::kOk) return false;

  const std::string insertable = InsertableHtml(html);
  size_t at = session.insert_at ? *session.insert_at : DefaultInsertionPoint(page);
  if (at > page.size()) at = page.size();
  if (page.size() + insertable.size() > 0xFFFFFFFFu) return false;
  page.insert(at, insertable);
  if (files.WriteFileAtomic(path, page) != platform::kOk) return false;

  session.insert_at = static_cast<uint32_t>(at + insertable.size());
  session.last_insert_at = static_cast<uint32_t>(at);
  session.last_insert_length = static_cast<uint32_t>(insertable.size());
  // The page is written; only the session bookkeeping could still fail, and
  // the insertion itself stands.
  session.Save(registry);
  return true;
}

HResult EditorObject::Invoke(std::string_view method, std::span<DispatchValue> args,
                             DispatchValue* result) {
  if (base::EqualsNoCase(method, "vtiGetTopPageURL")) {
    if (HResult hr = CheckArgs(args, 0); hr != platform::kSOk) return hr;
    Session session;
    std::string url;
    if (Session::Load(platform::GetRegistry(), &session) == platform::kOk) {
      const std::string path = session.PagePath();
      if (!path.empty()) {
        // A page that has never been written to disk is a new, unsaved page.
        url = platform::GetFiles().FileExists(path) ? FileUrlFromPath(path)
                                                    : "unsaved:///" + session.page;
      }
    }
    *result = StringResult(url);
    return platform::kSOk;
  }
  if (base::EqualsNoCase(method, "vtiInsertHTML")) {
    if (HResult hr = CheckArgs(args, 1); hr != platform::kSOk) return hr;
    if (args[0].kind() != DispatchValue::Kind::kString) return platform::kDispETypeMismatch;
    *result = DispatchValue::Int(InsertIntoOpenPage(args[0].text()) ? 1 : 0);
    return platform::kSOk;
  }
  if (base::EqualsNoCase(method, "vtiQueryWebPageEx")) return QueryWebPage(args, result);
  return platform::kDispEUnknownName;
}

HResult ExplorerObject::Invoke(std::string_view method, std::span<DispatchValue> args,
                               DispatchValue* result) {
  if (base::EqualsNoCase(method, "vtiGetWebURL")) {
    if (HResult hr = CheckArgs(args, 0); hr != platform::kSOk) return hr;
    Session session;
    std::string url;
    if (Session::Load(platform::GetRegistry(), &session) == platform::kOk &&
        !session.web_folder.empty()) {
      url = FileUrlFromPath(session.web_folder);
    }
    *result = StringResult(url);
    return platform::kSOk;
  }
  return ExplorerFileMethod(method, args, result);
}

namespace {

constexpr const char* kEditorMethods[] = {"vtiGetTopPageURL", "vtiInsertHTML",
                                          "vtiQueryWebPageEx"};
constexpr const char* kExplorerMethods[] = {
    "vtiGetWebURL",    "vtiIsPageInWeb",      "vtiIsFolderInWeb",    "vtiCreateFolder",
    "vtiPutDocument",  "vtiGetDocToFile",     "vtiGetFoldersList",   "vtiGetPagesInFolder"};

std::unique_ptr<platform::DispatchObject> MakeEditor() { return std::make_unique<EditorObject>(); }
std::unique_ptr<platform::DispatchObject> MakeExplorer() {
  return std::make_unique<ExplorerObject>();
}

constexpr platform::ServedClass kHostClasses[] = {
    {kEditorClsid, "FrontPage.Editor", MakeEditor, kEditorMethods},
    {kExplorerClsid, "FrontPage.Explorer", MakeExplorer, kExplorerMethods},
};

}  // namespace

std::span<const platform::ServedClass> HostClasses() { return kHostClasses; }
const platform::ServedClass& EditorClass() { return kHostClasses[0]; }
const platform::ServedClass& ExplorerClass() { return kHostClasses[1]; }

}  // namespace host
