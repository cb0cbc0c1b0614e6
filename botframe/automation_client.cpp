// The FrontPage automation client.
#include "botframe/automation_client.h"

#include <vector>

#include "platform/services.h"

namespace botframe {
namespace {

using platform::DispatchValue;

DispatchValue Call(DispatchObject& object, const char* method, std::vector<DispatchValue> args,
                   bool* succeeded = nullptr) {
  DispatchValue result;
  const bool ok = platform::Succeeded(InvokeVtiMethod(object, method, args, &result));
  if (succeeded) *succeeded = ok;
  return ok ? result : DispatchValue();
}

// A string result; an empty or absent one is nothing.
std::optional<std::string> StringResult(const DispatchValue& value) {
  if (value.kind() != DispatchValue::Kind::kString || value.text().empty()) return std::nullopt;
  return value.text();
}

int32_t IntResult(const DispatchValue& value) { return value.AsInt(); }

}  // namespace

std::string CouldNotGetWebUrlMessage(const LibraryDescription& library) {
  std::string text =
      "Could not get Web URL from FP Explorer.\nPlease check if following conditions are met:\n"
      "- A valid FP web is opened (Tools->Web Settings menu item should be selectable).\n"
      "- A saved page is opened for editing in \"Normal\" mode.\n"
      "- The \"Page\" button in the View panel is selected";
  if (library.web_url_message_full_stop) text += ".";
  return text;
}

std::string UnableToCopyMessage(const std::string& local_path) {
  return "Unable to copy '" + local_path + "'.";
}

std::unique_ptr<DispatchObject> CreateDispatchObject(const char* prog_id) {
  return platform::GetAutomation().Create(prog_id).object;
}

std::unique_ptr<DispatchObject> GetEditor() {
  if (auto editor = CreateDispatchObject("FrontPage.Editor")) return editor;
  return CreateDispatchObject("FrontPage.Editor.3.0");
}

std::unique_ptr<DispatchObject> GetExplorer(const LibraryDescription& library) {
  for (const char* prog_id : library.explorer_prog_ids) {
    if (auto explorer = CreateDispatchObject(prog_id)) return explorer;
  }
  return nullptr;
}

platform::HResult InvokeVtiMethod(DispatchObject& object, const char* method,
                                  std::span<DispatchValue> args, DispatchValue* result) {
  return object.Invoke(method, args, result);
}

int32_t VtiInsertHtml(DispatchObject& editor, const std::string& html) {
  return IntResult(Call(editor, "vtiInsertHTML", {DispatchValue::String(html)}));
}

std::optional<std::string> VtiGetTopPageUrl(DispatchObject& editor) {
  return StringResult(Call(editor, "vtiGetTopPageURL", {}));
}

QueryWebPageResult VtiQueryWebPageEx(DispatchObject& editor, const std::string& page_url) {
  int16_t first = 0;
  int16_t second = 0;
  bool ok = false;
  const DispatchValue result =
      Call(editor, "vtiQueryWebPageEx",
           {DispatchValue::String(page_url), DispatchValue::NullString(),
            DispatchValue::BoolRef(&first), DispatchValue::BoolRef(&second)},
           &ok);
  // A 16-bit truth value widens with its sign: true (-1) stays nonzero.
  return QueryWebPageResult{ok ? result.AsInt() : 0, first, second};
}

std::optional<std::string> VtiGetWebUrl(DispatchObject& explorer) {
  return StringResult(Call(explorer, "vtiGetWebURL", {}));
}

bool VtiIsPageInWeb(DispatchObject& explorer, const std::string& document_url) {
  return Call(explorer, "vtiIsPageInWeb", {DispatchValue::String(document_url)}).AsInt() != 0;
}

bool VtiIsFolderInWeb(DispatchObject& explorer, const std::string& folder_url) {
  return Call(explorer, "vtiIsFolderInWeb", {DispatchValue::String(folder_url)}).AsInt() != 0;
}

int32_t VtiCreateFolder(DispatchObject& explorer, const std::string& folder_url) {
  return IntResult(Call(explorer, "vtiCreateFolder", {DispatchValue::String(folder_url)}));
}

int32_t VtiPutDocument(DispatchObject& explorer, const std::string& local_path,
                       const std::string& document_url, bool overwrite) {
  return IntResult(Call(explorer, "vtiPutDocument",
                        {DispatchValue::String(local_path), DispatchValue::String(document_url),
                         DispatchValue::Bool(overwrite)}));
}

int32_t VtiGetDocToFile(DispatchObject& explorer, const std::string& document_url,
                        const std::string& local_path) {
  return IntResult(Call(explorer, "vtiGetDocToFile",
                        {DispatchValue::String(document_url), DispatchValue::String(local_path)}));
}

std::optional<std::string> VtiGetFoldersList(DispatchObject& explorer,
                                             const std::string& folder_url) {
  return StringResult(Call(explorer, "vtiGetFoldersList", {DispatchValue::String(folder_url)}));
}

std::optional<std::string> VtiGetPagesInFolder(DispatchObject& explorer,
                                               const std::string& folder_url, int32_t filter) {
  return StringResult(Call(explorer, "vtiGetPagesInFolder",
                           {DispatchValue::String(folder_url), DispatchValue::Int(filter)}));
}

}  // namespace botframe
