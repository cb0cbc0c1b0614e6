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
  // Owned by this module and destroyed when it is unloaded: a bot library is
  // loaded and unloaded once per edit call, and must not leave its services
  // behind each time.
  static const std::unique_ptr<Registry> registry = CreateSystemRegistry();
  static const std::unique_ptr<ModuleLoader> modules = CreateSystemModuleLoader();
  static const std::unique_ptr<Automation> automation = CreateSystemAutomation();
  static const std::unique_ptr<Shell> shell = CreateSystemShell();
  static const std::unique_ptr<Files> files = CreateSystemFiles();
  static const std::unique_ptr<Clock> clock = CreateSystemClock();
  static const std::unique_ptr<Sound> sound = CreateSystemSound();
  return Services{registry.get(), modules.get(), automation.get(),
                  shell.get(),    files.get(),   clock.get(), sound.get()};
}

const Services& CurrentServices() { return Slot(); }

Registry& GetRegistry() { return *Slot().registry; }
ModuleLoader& GetModuleLoader() { return *Slot().modules; }
Automation& GetAutomation() { return *Slot().automation; }
Shell& GetShell() { return *Slot().shell; }
Files& GetFiles() { return *Slot().files; }
Clock& GetClock() { return *Slot().clock; }
Sound& GetSound() { return *Slot().sound; }

ScopedServices::ScopedServices(const Services& replacement) : previous_(Slot()) {
  Services& current = Slot();
  if (replacement.registry) current.registry = replacement.registry;
  if (replacement.modules) current.modules = replacement.modules;
  if (replacement.automation) current.automation = replacement.automation;
  if (replacement.shell) current.shell = replacement.shell;
  if (replacement.files) current.files = replacement.files;
  if (replacement.clock) current.clock = replacement.clock;
  if (replacement.sound) current.sound = replacement.sound;
}

ScopedServices::~ScopedServices() { Slot() = previous_; }

}  // namespace platform
