// The scripted backend a module uses when it runs without windows: answers
// from the file GLINTMERE_ANSWERS names, the default answers otherwise,
// every message box echoed to standard error.
#include <cstdio>
#include <memory>
#include <string>

#include "platform/environment.h"
#include "ui/scripted/answers_file.h"
#include "ui/scripted/scripted_backend.h"

namespace ui {
namespace {

// Echo on, and the answers of the file GLINTMERE_ANSWERS names.
void ConfigureDriver(Driver& driver) {
  driver.SetEcho(true);
  const auto path = platform::EnvironmentValue("GLINTMERE_ANSWERS");
  if (path && !path->empty()) {
    std::string error;
    if (!LoadAnswersFile(*path, &driver, &error)) {
      // Without the answers the user meant, confirming defaults could
      // change a page in a way nobody asked for: cancel instead.
      std::fprintf(stderr, "error: %s\nerror: every dialog will be cancelled\n", error.c_str());
      driver.SetDefaultCancel(true);
    }
  }
}

// Owned by this module and destroyed when it unloads.
std::unique_ptr<ScriptedBackend>& Instance() {
  static std::unique_ptr<ScriptedBackend> backend;
  return backend;
}

}  // namespace

UiBackend& ScriptedSystemBackend() {
  std::unique_ptr<ScriptedBackend>& backend = Instance();
  if (!backend) {
    backend = std::make_unique<ScriptedBackend>();
    ConfigureDriver(backend->driver());
  }
  return *backend;
}

void RestartScriptedSystemBackend() {
  std::unique_ptr<ScriptedBackend>& backend = Instance();
  if (!backend) return;
  Driver& driver = backend->driver();
  driver.Reset();
  driver.SetDefaultCancel(false);
  ConfigureDriver(driver);
}

}  // namespace ui
