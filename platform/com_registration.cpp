// Registration of served automation classes in HKEY_CLASSES_ROOT.
#include "platform/com_registration.h"

#include <cctype>
#include <string>

#include "base/text.h"

namespace platform {
namespace {

std::string ClassKey(std::string_view clsid) { return "CLSID\\" + std::string(clsid); }

bool IsProgIdText(std::string_view prog_id) {
  return !prog_id.empty() && prog_id.find('\\') == std::string_view::npos;
}

bool KeyExists(Registry& registry, std::string_view path) {
  std::unique_ptr<RegistryKey> key;
  return registry.OpenKey(RootKey::kClassesRoot, path, &key) == kOk;
}

}  // namespace

bool IsClassIdText(std::string_view text) {
  // {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}
  static constexpr std::string_view kPattern = "{00000000-0000-0000-0000-000000000000}";
  if (text.size() != kPattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char expected = kPattern[i];
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (expected == '0' ? !std::isxdigit(c) : c != static_cast<unsigned char>(expected)) {
      return false;
    }
  }
  return true;
}

bool IsRegisteredToOther(Registry& registry, std::string_view prog_id, std::string_view clsid) {
  if (!IsProgIdText(prog_id)) return true;
  std::unique_ptr<RegistryKey> key;
  const Status opened = registry.OpenKey(RootKey::kClassesRoot, prog_id, &key);
  if (opened == kFileNotFound) return false;
  if (opened != kOk) return true;
  std::string registered;
  if (ReadString(registry, RootKey::kClassesRoot, std::string(prog_id) + "\\CLSID", "",
                 &registered) != kOk) {
    return true;
  }
  return !base::EqualsNoCase(base::Trim(registered), clsid);
}

Status RegisterServedClass(Registry& registry, const ServedClass& served,
                           std::string_view library_path) {
  if (!served.clsid || !served.prog_id || !IsClassIdText(served.clsid) ||
      !IsProgIdText(served.prog_id) || library_path.empty()) {
    return kInvalidParameter;
  }
  if (IsRegisteredToOther(registry, served.prog_id, served.clsid)) return kAlreadyExists;

  const std::string class_key = ClassKey(served.clsid);
  const bool prog_id_existed = KeyExists(registry, served.prog_id);
  const bool class_existed = KeyExists(registry, class_key);
  const std::string server_key = class_key + "\\InprocServer32";
  // The ProgID is written last, so that it never leads to a half-written class.
  Status status = WriteString(registry, RootKey::kClassesRoot, server_key, "", library_path);
  if (status == kOk) {
    status = WriteString(registry, RootKey::kClassesRoot, server_key, "ThreadingModel",
                         "Apartment");
  }
  if (status == kOk) {
    status = WriteString(registry, RootKey::kClassesRoot, class_key + "\\ProgID", "",
                         served.prog_id);
  }
  if (status == kOk) {
    status = WriteString(registry, RootKey::kClassesRoot, std::string(served.prog_id) + "\\CLSID",
                         "", served.clsid);
  }
  if (status != kOk) {
    // Only what this call created goes; an earlier registration of this
    // class stays, possibly partly updated, but still this class's.
    if (!class_existed) registry.DeleteTree(RootKey::kClassesRoot, class_key);
    if (!prog_id_existed) registry.DeleteTree(RootKey::kClassesRoot, served.prog_id);
  }
  return status;
}

Status UnregisterServedClass(Registry& registry, const ServedClass& served) {
  if (!served.clsid || !served.prog_id || !IsClassIdText(served.clsid) ||
      !IsProgIdText(served.prog_id)) {
    return kInvalidParameter;
  }
  Status result = kOk;
  std::string registered;
  if (ReadString(registry, RootKey::kClassesRoot, std::string(served.prog_id) + "\\CLSID", "",
                 &registered) == kOk &&
      base::EqualsNoCase(base::Trim(registered), served.clsid)) {
    const Status status = registry.DeleteTree(RootKey::kClassesRoot, served.prog_id);
    if (status != kOk && status != kFileNotFound) result = status;
  }
  const Status status = registry.DeleteTree(RootKey::kClassesRoot, ClassKey(served.clsid));
  if (status != kOk && status != kFileNotFound && result == kOk) result = status;
  return result;
}

}  // namespace platform
