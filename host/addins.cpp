// The host's add-in loading.
#include "host/addins.h"

#include "base/text.h"
#include "platform/registry.h"
#include "platform/services.h"

namespace host {
namespace {

using platform::DispatchValue;

// The add-in instance an add-in is handed (Office's COMAddIn): its ProgID.
class AddInInstance final : public platform::DispatchObject {
 public:
  AddInInstance(std::string prog_id, std::string description)
      : prog_id_(std::move(prog_id)), description_(std::move(description)) {}
  platform::HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                           DispatchValue* result) override {
    if (!args.empty()) return platform::kDispEBadParamCount;
    if (base::EqualsNoCase(method, "ProgId")) {
      *result = DispatchValue::String(prog_id_);
    } else if (base::EqualsNoCase(method, "Description")) {
      *result = DispatchValue::String(description_);
    } else if (base::EqualsNoCase(method, "Connect")) {
      *result = DispatchValue::Bool(true);
    } else {
      return platform::kDispEUnknownName;
    }
    return platform::kSOk;
  }

 private:
  std::string prog_id_;
  std::string description_;
};

// The ProgIDs listed to load at start, in the registry's order.
std::vector<std::string> ListedAddIns() {
  platform::Registry& registry = platform::GetRegistry();
  std::unique_ptr<platform::RegistryKey> key;
  std::vector<std::string> names;
  if (registry.OpenKey(platform::RootKey::kCurrentUser, kAddInsKey, &key) != platform::kOk ||
      key->ListSubKeys(&names) != platform::kOk) {
    return {};
  }
  std::vector<std::string> listed;
  for (const std::string& name : names) {
    uint32_t behaviour = 0;
    if (platform::ReadDword(registry, platform::RootKey::kCurrentUser,
                            std::string(kAddInsKey) + "\\" + name, "LoadBehavior",
                            &behaviour) == platform::kOk &&
        behaviour == 3) {
      listed.push_back(name);
    }
  }
  return listed;
}

}  // namespace

AddInHost::~AddInHost() { Stop(); }

void AddInHost::Start(std::shared_ptr<platform::DispatchObject> application,
                      const std::vector<std::string>& also, std::ostream& err) {
  std::vector<std::string> prog_ids = ListedAddIns();
  for (const std::string& prog_id : also) {
    bool listed = false;
    for (const std::string& known : prog_ids) listed = listed || base::EqualsNoCase(known, prog_id);
    if (!listed) prog_ids.push_back(prog_id);
  }
  for (const std::string& prog_id : prog_ids) {
    platform::CreateResult created = platform::GetAutomation().Create(prog_id);
    if (!created.object) {
      err << "glintmere: the add-in " << prog_id << " could not be created (error "
          << base::Format("%08X", static_cast<unsigned>(created.error)) << ")\n";
      continue;
    }
    std::string description;
    platform::ReadString(platform::GetRegistry(), platform::RootKey::kCurrentUser,
                         std::string(kAddInsKey) + "\\" + prog_id, "Description", &description);
    std::vector<DispatchValue> args{
        DispatchValue::Object(application), DispatchValue::Int(kConnectStartup),
        DispatchValue::Object(std::make_shared<AddInInstance>(prog_id, description)),
        DispatchValue()};
    DispatchValue ignored;
    const platform::HResult hr = created.object->Invoke("OnConnection", args, &ignored);
    if (!platform::Succeeded(hr)) {
      err << "glintmere: the add-in " << prog_id << " refused the connection (error "
          << base::Format("%08X", static_cast<unsigned>(hr)) << ")\n";
      continue;
    }
    loaded_.push_back({prog_id, std::move(created.object)});
  }
  for (Loaded& loaded : loaded_) {
    std::vector<DispatchValue> args{DispatchValue()};
    DispatchValue ignored;
    loaded.add_in->Invoke("OnStartupComplete", args, &ignored);
  }
}

void AddInHost::Stop(int mode) {
  for (Loaded& loaded : loaded_) {
    std::vector<DispatchValue> args{DispatchValue::Int(mode), DispatchValue()};
    DispatchValue ignored;
    loaded.add_in->Invoke("OnDisconnection", args, &ignored);
  }
  loaded_.clear();
}

std::vector<std::string> AddInHost::connected() const {
  std::vector<std::string> names;
  for (const Loaded& loaded : loaded_) names.push_back(loaded.prog_id);
  return names;
}

}  // namespace host
