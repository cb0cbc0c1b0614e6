// Registration of the stand-alone host.
#include "host/registration.h"

#include "base/text.h"
#include "host/host_objects.h"
#include "platform/com_registration.h"

namespace host {
namespace {

using platform::RootKey;

std::string VersionedExplorerProgId() {
  const std::string version = kHostFrontPageVersion;
  return "FrontPage.Explorer." + version.substr(0, version.find('.')) + ".0";
}

std::string TakenMessage(const std::string& prog_id) {
  return base::Format(
      "%s is registered to another program (FrontPage itself may be installed); "
      "the stand-alone host leaves it alone.",
      prog_id.c_str());
}

}  // namespace

platform::Status RegisterHost(platform::Registry& registry, const std::string& server_library,
                              const std::string& program_path, std::string* problem) {
  for (const platform::ServedClass& served : HostClasses()) {
    const platform::Status status = platform::RegisterServedClass(registry, served, server_library);
    if (status == platform::kAlreadyExists) {
      *problem = TakenMessage(served.prog_id);
      return status;
    }
    if (status != platform::kOk) {
      *problem = base::Format("Could not register %s (error %lu).", served.prog_id,
                              static_cast<unsigned long>(status));
      return status;
    }
  }
  // The versioned Explorer ProgID the runner reads, and the Explorer
  // program whose folder holds the bots.
  const std::string versioned = VersionedExplorerProgId();
  if (platform::IsRegisteredToOther(registry, versioned, kExplorerClsid)) {
    *problem = TakenMessage(versioned);
    return platform::kAlreadyExists;
  }
  platform::Status status = platform::WriteString(registry, RootKey::kClassesRoot,
                                                  versioned + "\\CLSID", "", kExplorerClsid);
  if (status == platform::kOk) {
    status = platform::WriteString(registry, RootKey::kClassesRoot,
                                   std::string("CLSID\\") + kExplorerClsid + "\\LocalServer32",
                                   "", program_path);
  }
  if (status != platform::kOk) {
    *problem = base::Format("Could not register %s (error %lu).", versioned.c_str(),
                            static_cast<unsigned long>(status));
  }
  return status;
}

platform::Status UnregisterHost(platform::Registry& registry) {
  const std::string versioned = VersionedExplorerProgId();
  if (!platform::IsRegisteredToOther(registry, versioned, kExplorerClsid)) {
    const platform::Status status = registry.DeleteTree(RootKey::kClassesRoot, versioned);
    if (status != platform::kOk && status != platform::kFileNotFound) return status;
  }
  for (const platform::ServedClass& served : HostClasses()) {
    const platform::Status status = platform::UnregisterServedClass(registry, served);
    if (status != platform::kOk) return status;
  }
  return platform::kOk;
}

}  // namespace host
