// The host's editor and Explorer objects.
#include "host/host_objects.h"

#include "base/text.h"
#include "host/disk_web.h"
#include "host/session.h"
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

}  // namespace

bool InsertIntoOpenPage(const std::string& html) {
  platform::Registry& registry = platform::GetRegistry();
  Session session;
  if (Session::Load(registry, &session) != platform::kOk) return false;
  const std::string path = session.PagePath();
  if (path.empty()) return false;
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
  return platform::kDispEUnknownName;
}

namespace {

constexpr const char* kEditorMethods[] = {"vtiGetTopPageURL", "vtiInsertHTML"};
constexpr const char* kExplorerMethods[] = {"vtiGetWebURL"};

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
