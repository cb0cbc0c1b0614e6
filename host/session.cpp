// The host's session state in the registry.
#include "host/session.h"

#include "base/text.h"
#include "host/disk_web.h"

namespace host {
namespace {

using platform::RootKey;

platform::Status ReadOptionalDword(platform::Registry& registry, const char* name,
                                   std::optional<uint32_t>* value) {
  uint32_t number = 0;
  const platform::Status status =
      platform::ReadDword(registry, RootKey::kCurrentUser, kSessionKey, name, &number);
  if (status == platform::kOk) {
    *value = number;
  } else if (status == platform::kFileNotFound) {
    value->reset();
  } else {
    return status;
  }
  return platform::kOk;
}

platform::Status WriteOptionalDword(platform::RegistryKey& key, const char* name,
                                    const std::optional<uint32_t>& value) {
  if (value) return key.SetValue(name, platform::RegistryValue::Dword(*value));
  const platform::Status status = key.DeleteValue(name);
  return status == platform::kFileNotFound ? platform::kOk : status;
}

}  // namespace

platform::Status Session::Load(platform::Registry& registry, Session* session) {
  Session loaded;
  platform::Status status = platform::ReadString(registry, RootKey::kCurrentUser, kSessionKey,
                                                 "Web", &loaded.web_folder);
  if (status != platform::kOk) return status;
  status = platform::ReadString(registry, RootKey::kCurrentUser, kSessionKey, "Page",
                                &loaded.page);
  if (status != platform::kOk && status != platform::kFileNotFound) return status;
  uint32_t unsaved = 0;
  status = platform::ReadDword(registry, RootKey::kCurrentUser, kSessionKey, "Unsaved", &unsaved);
  if (status != platform::kOk && status != platform::kFileNotFound) return status;
  loaded.has_unsaved_changes = unsaved != 0;
  if ((status = ReadOptionalDword(registry, "InsertAt", &loaded.insert_at)) != platform::kOk ||
      (status = ReadOptionalDword(registry, "LastInsertAt", &loaded.last_insert_at)) !=
          platform::kOk) {
    return status;
  }
  std::optional<uint32_t> length;
  if ((status = ReadOptionalDword(registry, "LastInsertLength", &length)) != platform::kOk) {
    return status;
  }
  loaded.last_insert_length = length.value_or(0);
  *session = std::move(loaded);
  return platform::kOk;
}

platform::Status Session::Save(platform::Registry& registry) const {
  std::unique_ptr<platform::RegistryKey> key;
  platform::Status status = registry.CreateKey(RootKey::kCurrentUser, kSessionKey, &key);
  if (status != platform::kOk) return status;
  if ((status = key->SetValue("Web", platform::RegistryValue::String(web_folder))) !=
          platform::kOk ||
      (status = key->SetValue("Page", platform::RegistryValue::String(page))) != platform::kOk ||
      (status = key->SetValue("Unsaved",
                              platform::RegistryValue::Dword(has_unsaved_changes ? 1 : 0))) !=
          platform::kOk ||
      (status = WriteOptionalDword(*key, "InsertAt", insert_at)) != platform::kOk ||
      (status = WriteOptionalDword(*key, "LastInsertAt", last_insert_at)) != platform::kOk) {
    return status;
  }
  return key->SetValue("LastInsertLength", platform::RegistryValue::Dword(last_insert_length));
}

std::string Session::PagePath() const {
  std::string path;
  if (page.empty() || !ResolveInWeb(web_folder, page, &path)) return std::string();
  return path;
}

size_t DefaultInsertionPoint(const std::string& page_text) {
  size_t last = std::string::npos;
  for (size_t at = base::FindNoCase(page_text, "</body"); at != std::string::npos;
       at = base::FindNoCase(page_text, "</body", at + 1)) {
    last = at;
  }
  return last == std::string::npos ? page_text.size() : last;
}

std::string InsertableHtml(const std::string& html) {
  const size_t open = base::FindNoCase(html, "<body");
  if (open == std::string::npos) return html;
  const size_t content = html.find('>', open);
  if (content == std::string::npos) return html;
  size_t close = std::string::npos;
  for (size_t at = base::FindNoCase(html, "</body", content);
       at != std::string::npos; at = base::FindNoCase(html, "</body", at + 1)) {
    close = at;
  }
  if (close == std::string::npos) return html.substr(content + 1);
  return html.substr(content + 1, close - content - 1);
}

}  // namespace host
