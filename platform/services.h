// The one registration point of the platform services in a module (program or
// library). Each module starts with the real services of its platform; tests
// replace them with ScopedServices. Separate modules of one process (KelRTL,
// a bot library, the host library) each hold their own set, and the POSIX
// services that must agree across modules take their state from the
// environment (GLINTMERE_REGISTRY names the registry hive file).
#pragma once

#include "platform/automation.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/module_loader.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sound.h"

namespace platform {

struct Services {
  Registry* registry = nullptr;
  ModuleLoader* modules = nullptr;
  Automation* automation = nullptr;
  Shell* shell = nullptr;
  Files* files = nullptr;
  Clock* clock = nullptr;
  Sound* sound = nullptr;
};

// The services in force; never null members.
const Services& CurrentServices();

Registry& GetRegistry();
ModuleLoader& GetModuleLoader();
Automation& GetAutomation();
Shell& GetShell();
Files& GetFiles();
Clock& GetClock();
Sound& GetSound();

// Replaces the members that are set in replacement for its lifetime, then puts
// the previous services back. Not for concurrent use.
class ScopedServices {
 public:
  explicit ScopedServices(const Services& replacement);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  Services previous_;
};

// The real services of this platform, created on first use.
Services DefaultServices();

}  // namespace platform
