// The host's session state in the registry.
#include "host/session.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "host/disk_web.h"
#include "platform/environment.h"
#include "platform/process_lock.h"

namespace host {
namespace {

using platform::RootKey;

// Values of a run session's key besides the session's own.
constexpr const char* kProcessValue = "Process";  // the run's process id
constexpr const char* kOrderValue = "Opened";     // larger for newer sessions

// A session name GLINTMERE_SESSION may give: what RunSession::Open makes.
bool IsSessionName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == '-')) return false;
  }
  return true;
}

std::string RunSessionKey(std::string_view name) {
  return std::string(kRunSessionsKey) + "\\" + std::string(name);
}

// The open run sessions (their process still running), with their order;
// with remove_ended, the keys of ended runs are deleted on the way.
std::vector<std::pair<uint32_t, std::string>> OpenRunSessions(platform::Registry& registry,
                                                               bool remove_ended) {
  std::vector<std::pair<uint32_t, std::string>> open;
  std::unique_ptr<platform::RegistryKey> sessions;
  if (registry.OpenKey(RootKey::kCurrentUser, kRunSessionsKey, &sessions) != platform::kOk) {
    return open;
  }
  std::vector<std::string> names;
  if (sessions->ListSubKeys(&names) != platform::kOk) return open;
  for (const std::string& name : names) {
    uint32_t process = 0, order = 0;
    const std::string key = RunSessionKey(name);
    const bool known =
        platform::ReadDword(registry, RootKey::kCurrentUser, key, kProcessValue, &process) ==
        platform::kOk;
    if (known && platform::ProcessIsRunning(process)) {
      platform::ReadDword(registry, RootKey::kCurrentUser, key, kOrderValue, &order);
      open.emplace_back(order, name);
    } else if (remove_ended && known) {
      registry.DeleteTree(RootKey::kCurrentUser, key);
    }
  }
  return open;
}

platform::Status ReadOptionalDword(platform::Registry& registry, const std::string& session_key,
                                   const char* name, std::optional<uint32_t>* value) {
  uint32_t number = 0;
  const platform::Status status =
      platform::ReadDword(registry, RootKey::kCurrentUser, session_key, name, &number);
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

std::string CurrentSessionKey(platform::Registry& registry) {
  if (std::optional<std::string> own = platform::EnvironmentValue(kSessionVariable)) {
    // A run's processes stay in their own session, even once it is gone:
    // never in another run's.
    return IsSessionName(*own) ? RunSessionKey(*own) : std::string(kSessionKey);
  }
  std::vector<std::pair<uint32_t, std::string>> open = OpenRunSessions(registry, false);
  if (open.empty()) return kSessionKey;
  const auto newest = std::max_element(open.begin(), open.end());
  return RunSessionKey(newest->second);
}

RunSession::~RunSession() {
  if (!registry_) return;
  registry_->DeleteTree(RootKey::kCurrentUser, key_);
  if (previous_) {
    platform::SetEnvironmentValue(kSessionVariable, *previous_);
  } else {
    platform::ClearEnvironmentValue(kSessionVariable);
  }
}

platform::Status RunSession::Open(platform::Registry& registry) {
  // Sessions are opened one at a time, so their order numbers differ.
  platform::Status status = platform::kOk;
  std::unique_ptr<platform::ProcessLock> lock =
      platform::AcquireProcessLock("host-sessions", &status);
  if (!lock) return status;
  uint32_t newest = 0;
  for (const auto& [order, name] : OpenRunSessions(registry, true)) newest = std::max(newest, order);
  const uint32_t process = platform::CurrentProcessId();
  const std::string name = base::Format("%lx-%lx", static_cast<unsigned long>(process),
                                        static_cast<unsigned long>(newest + 1));
  const std::string key = RunSessionKey(name);
  std::unique_ptr<platform::RegistryKey> created;
  if ((status = registry.CreateKey(RootKey::kCurrentUser, key, &created)) != platform::kOk ||
      (status = created->SetValue(kProcessValue, platform::RegistryValue::Dword(process))) !=
          platform::kOk ||
      (status = created->SetValue(kOrderValue, platform::RegistryValue::Dword(newest + 1))) !=
          platform::kOk) {
    registry.DeleteTree(RootKey::kCurrentUser, key);
    return status;
  }
  previous_ = platform::EnvironmentValue(kSessionVariable);
  if (!platform::SetEnvironmentValue(kSessionVariable, name)) {
    registry.DeleteTree(RootKey::kCurrentUser, key);
    return platform::kInvalidParameter;
  }
  registry_ = &registry;
  key_ = key;
  return platform::kOk;
}

platform::Status Session::Load(platform::Registry& registry, Session* session) {
  Session loaded;
  const std::string key = CurrentSessionKey(registry);
  platform::Status status =
      platform::ReadString(registry, RootKey::kCurrentUser, key, "Web", &loaded.web_folder);
  if (status != platform::kOk) return status;
  status = platform::ReadString(registry, RootKey::kCurrentUser, key, "Page", &loaded.page);
  if (status != platform::kOk && status != platform::kFileNotFound) return status;
  uint32_t unsaved = 0;
  status = platform::ReadDword(registry, RootKey::kCurrentUser, key, "Unsaved", &unsaved);
  if (status != platform::kOk && status != platform::kFileNotFound) return status;
  loaded.has_unsaved_changes = unsaved != 0;
  if ((status = ReadOptionalDword(registry, key, "InsertAt", &loaded.insert_at)) !=
          platform::kOk ||
      (status = ReadOptionalDword(registry, key, "LastInsertAt", &loaded.last_insert_at)) !=
          platform::kOk) {
    return status;
  }
  std::optional<uint32_t> length;
  if ((status = ReadOptionalDword(registry, key, "LastInsertLength", &length)) != platform::kOk) {
    return status;
  }
  loaded.last_insert_length = length.value_or(0);
  *session = std::move(loaded);
  return platform::kOk;
}

platform::Status Session::Save(platform::Registry& registry) const {
  std::unique_ptr<platform::RegistryKey> key;
  platform::Status status =
      registry.CreateKey(RootKey::kCurrentUser, CurrentSessionKey(registry), &key);
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
  // Searched from the end, where the closing tag of a page of any size is.
  constexpr std::string_view kClose = "</body";
  for (size_t at = page_text.size() >= kClose.size() ? page_text.size() - kClose.size() + 1 : 0;
       at-- > 0;) {
    if (page_text[at] == '<' &&
        base::EqualsNoCase(std::string_view(page_text).substr(at, kClose.size()), kClose)) {
      return at;
    }
  }
  return page_text.size();
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
