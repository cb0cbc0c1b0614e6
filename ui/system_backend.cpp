// The module's own user interface backend, chosen once from the environment.
// Portable: the choice is the same on every platform, only Windows has a
// second backend to choose.
#include "platform/environment.h"
#include "ui/backend.h"

namespace ui {
namespace {

// GLINTMERE_ANSWERS (an answers file) or GLINTMERE_UI=scripted asks for the
// scripted backend even where windows could open.
[[maybe_unused]] bool ScriptedRequested() {
  if (const auto answers = platform::EnvironmentValue("GLINTMERE_ANSWERS");
      answers && !answers->empty()) {
    return true;
  }
  const auto choice = platform::EnvironmentValue("GLINTMERE_UI");
  return choice && *choice == "scripted";
}

}  // namespace

UiBackend& SystemUiBackend() {
#if defined(_WIN32)
  static UiBackend& backend = ScriptedRequested() ? ScriptedSystemBackend() : Win32UiBackend();
  return backend;
#else
  // No window can open on Linux.
  return ScriptedSystemBackend();
#endif
}

// Message boxes follow the backend, so an answers file answers them too.
MessageBoxService& SystemMessageBoxes() { return SystemUiBackend().MessageBoxes(); }

}  // namespace ui
