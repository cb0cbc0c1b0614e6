// The registration point of the platform services.
#include "platform/services.h"

#include "platform/system_services.h"

namespace platform {
namespace {

Services& Slot() {
  static Services services = DefaultServices();
  return services;
}

}  // namespace

Services DefaultServices() {
  // Created once and never destroyed: libraries may still call into them
  // while the process shuts down.
  static Registry* registry = CreateSystemRegistry().release();
  static ModuleLoader* modules = CreateSystemModuleLoader().release();
  static Automation* automation = CreateSystemAutomation().release();
  static Shell* shell = CreateSystemShell().release();
  static Files* files = CreateSystemFiles().release();
  static Clock* clock = CreateSystemClock().release();
  return Services{registry, modules, automation, shell, files, clock};
}

const Services& CurrentServices() { return Slot(); }

Registry& GetRegistry() { return *Slot().registry; }
ModuleLoader& GetModuleLoader() { return *Slot().modules; }
Automation& GetAutomation() { return *Slot().automation; }
Shell& GetShell() { return *Slot().shell; }
Files& GetFiles() { return *Slot().files; }
Clock& GetClock() { return *Slot().clock; }

ScopedServices::ScopedServices(const Services& replacement) : previous_(Slot()) {
  Services& current = Slot();
  if (replacement.registry) current.registry = replacement.registry;
  if (replacement.modules) current.modules = replacement.modules;
  if (replacement.automation) current.automation = replacement.automation;
  if (replacement.shell) current.shell = replacement.shell;
  if (replacement.files) current.files = replacement.files;
  if (replacement.clock) current.clock = replacement.clock;
}

ScopedServices::~ScopedServices() { Slot() = previous_; }

}  // namespace platform
