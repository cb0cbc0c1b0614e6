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

std::unique_ptr<ScriptedBackend> CreateSystemBackend() {
  auto backend = std::make_unique<ScriptedBackend>();
  Driver& driver = backend->driver();
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
  return backend;
}

}  // namespace

UiBackend& ScriptedSystemBackend() {
  // Owned by this module and destroyed when it unloads: a bot library is
  // loaded once per edit call and must not leave its backend behind.
  static const std::unique_ptr<ScriptedBackend> backend = CreateSystemBackend();
  return *backend;
}

}  // namespace ui
