// Factories of the real services of this platform: one definition of each in
// win32/ and one in posix/. Only services.cpp and tests call them directly.
#pragma once

#include <memory>

#include "platform/services.h"

namespace platform {

std::unique_ptr<Registry> CreateSystemRegistry();
std::unique_ptr<ModuleLoader> CreateSystemModuleLoader();
// The POSIX automation looks up classes through GetRegistry() and loads
// servers through GetModuleLoader() at the time of each call.
std::unique_ptr<Automation> CreateSystemAutomation();
std::unique_ptr<Shell> CreateSystemShell();
std::unique_ptr<Files> CreateSystemFiles();
std::unique_ptr<Clock> CreateSystemClock();
std::unique_ptr<Sound> CreateSystemSound();

}  // namespace platform
