// Loading COM add-ins at the host's start, as FrontPage does: every subkey
// of HKEY_CURRENT_USER "Software\Microsoft\Office\FrontPage\addins" whose
// "LoadBehavior" is 3 names an add-in's ProgID; the add-in is created by that
// ProgID and receives IDTExtensibility2's OnConnection and
// OnStartupComplete, and OnDisconnection when the host stops.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/automation.h"

namespace host {

inline constexpr const char* kAddInsKey = "Software\\Microsoft\\Office\\FrontPage\\addins";

// IDTExtensibility2's connect and disconnect modes used by the host.
inline constexpr int kConnectStartup = 1;      // ext_cm_Startup
inline constexpr int kDisconnectShutdown = 0;  // ext_dm_HostShutdown

class AddInHost {
 public:
  AddInHost() = default;
  ~AddInHost();
  AddInHost(const AddInHost&) = delete;
  AddInHost& operator=(const AddInHost&) = delete;

  // Connects the add-ins listed to load at start, then those of also that
  // are not listed, to application. An add-in that cannot be created or
  // connected is told on err and left out.
  void Start(std::shared_ptr<platform::DispatchObject> application,
             const std::vector<std::string>& also, std::ostream& err);
  // OnDisconnection(mode) to every connected add-in, which are then released.
  void Stop(int mode = kDisconnectShutdown);

  // The ProgIDs of the connected add-ins, in connection order.
  std::vector<std::string> connected() const;

 private:
  struct Loaded {
    std::string prog_id;
    std::unique_ptr<platform::DispatchObject> add_in;
  };
  std::vector<Loaded> loaded_;
};

}  // namespace host
