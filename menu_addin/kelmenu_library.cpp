// KelMenu: the library of the menu add-in. It serves addinKelMenu (a COM
// in-process server on Windows, the factory export on Linux) and registers
// itself as regsvr32 expects.
#include <string>

#include "menu_addin/addin_class.h"
#include "platform/com_registration.h"
#include "platform/dispatch_server.h"
#include "platform/services.h"

namespace {

const bool registered = [] {
  platform::SetServedClasses(menu_addin::AddInClasses());
  return true;
}();

constexpr long kSOk = 0;
constexpr long kSelfRegErrorClass = static_cast<long>(0x80040201);  // SELFREG_E_CLASS

std::string OwnPath() {
  static const int anchor = 0;
  return platform::GetModuleLoader().PathOfModuleContaining(&anchor);
}

}  // namespace

GLINTMERE_DISPATCH_SERVER_EXPORTS();

#if defined(_WIN32)
#define KELMENU_CALL __stdcall
#else
#define KELMENU_CALL
#endif

// Registers addinKelMenu as served by this library.
extern "C" GLINTMERE_EXPORT long KELMENU_CALL DllRegisterServer() {
  try {
    const std::string path = OwnPath();
    if (path.empty()) return kSelfRegErrorClass;
    for (const platform::ServedClass& served : menu_addin::AddInClasses()) {
      if (platform::RegisterServedClass(platform::GetRegistry(), served, path) != platform::kOk) {
        return kSelfRegErrorClass;
      }
    }
    return kSOk;
  } catch (...) {
    return kSelfRegErrorClass;
  }
}

extern "C" GLINTMERE_EXPORT long KELMENU_CALL DllUnregisterServer() {
  try {
    for (const platform::ServedClass& served : menu_addin::AddInClasses()) {
      if (platform::UnregisterServedClass(platform::GetRegistry(), served) != platform::kOk) {
        return kSelfRegErrorClass;
      }
    }
    return kSOk;
  } catch (...) {
    return kSelfRegErrorClass;
  }
}
