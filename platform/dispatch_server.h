// Serving the product's own automation objects to other modules: a library
// implements its classes once, as DispatchObject subclasses, lists them in a
// table of ServedClass, and exports them with GLINTMERE_DISPATCH_SERVER_EXPORTS.
// On Windows they are then real COM in-process servers (DllGetClassObject,
// an IClassFactory, and an IDispatch around each object); on Linux the same
// library exports the factory the POSIX automation service calls.
//
// Each class lists the names of its methods. A method's dispatch identifier
// is 1 + its index in that list, names match without regard to letter case,
// and the object is always called with the listed spelling, so an object
// compares names exactly and never sees a name it did not list. A name that
// is not listed fails with kDispEUnknownName before the object is called, on
// both platforms.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

#include "base/export.h"
#include "platform/automation.h"
#include "platform/status.h"

namespace platform {

struct ServedClass {
  // The class identifier in registry form: "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
  const char* clsid;
  // The ProgID clients create the class by ("Vendor.Class").
  const char* prog_id;
  // Makes a new object; null (or an exception) when it cannot.
  std::unique_ptr<DispatchObject> (*make)();
  // The methods the objects answer, in the spelling they expect.
  std::span<const char* const> methods;
};

// Sets the classes this module serves. Called once per module, typically from
// a static initializer; the table is not copied and must outlive the module
// (a static array).
void SetServedClasses(std::span<const ServedClass> classes);
// The classes set for this module (empty before SetServedClasses).
std::span<const ServedClass> ServedClasses();

// The served class with this class identifier (any letter case), or null.
const ServedClass* FindServedClass(std::string_view clsid_text);
// Index of a method in served.methods, matched without regard to case; empty
// when the class has no such method.
std::optional<size_t> FindServedMethod(const ServedClass& served, std::string_view name);

// A new object of the class, wrapped so that it answers only its listed
// method names and is counted by ServedObjectCount while it lives. Null when
// the class's make fails. Never throws.
std::unique_ptr<DispatchObject> MakeServedObject(const ServedClass& served);

// The body of the Linux factory export (kDispatchFactoryExport): a new object
// of the class with this identifier, owned by the caller, or null when this
// module does not serve the class or cannot make it. Never throws.
DispatchObject* CreateServedObject(const char* clsid_text);

// Sets the event interfaces this module's objects raise, so that a sink
// connected over COM is called by the interface's dispatch identifiers. The
// table is not copied and must outlive the module (a static array).
void SetEventInterfaces(std::span<const EventInterface> interfaces);
// The event interface with this identifier (any letter case) set for this
// module, or null.
const EventInterface* FindEventInterface(std::string_view iid_text);

// Number of objects made by MakeServedObject that are still alive in this module.
size_t ServedObjectCount();

#if defined(_WIN32)
// The bodies of the COM exports of a serving DLL. rclsid and riid point at a
// CLSID and an IID (the REFCLSID and REFIID of DllGetClassObject); the result
// is an HRESULT (CLASS_E_CLASSNOTAVAILABLE for a class not served here).
HResult ServedGetClassObject(const void* rclsid, const void* riid, void** ppv);
// S_OK when no object, class factory or server lock of this module is alive,
// S_FALSE otherwise.
HResult ServedCanUnloadNow();
#endif

}  // namespace platform

// Defines the exports of a serving library: DllGetClassObject and
// DllCanUnloadNow on Windows, GlintmereCreateObject on Linux. Use it once, at
// file scope, in a source file that does not include <windows.h> (whose
// declarations of the two COM exports use other parameter types). The 32-bit
// Windows build must link with -Wl,--kill-at so that the stdcall exports keep
// their plain names.
#if defined(_WIN32)
#define GLINTMERE_DISPATCH_SERVER_EXPORTS()                                              \
  extern "C" GLINTMERE_EXPORT long __stdcall DllGetClassObject(                          \
      const void* rclsid, const void* riid, void** ppv) {                                \
    return static_cast<long>(::platform::ServedGetClassObject(rclsid, riid, ppv));       \
  }                                                                                      \
  extern "C" GLINTMERE_EXPORT long __stdcall DllCanUnloadNow() {                         \
    return static_cast<long>(::platform::ServedCanUnloadNow());                          \
  }                                                                                      \
  static_assert(true, "")
#else
#define GLINTMERE_DISPATCH_SERVER_EXPORTS()                                              \
  extern "C" GLINTMERE_EXPORT ::platform::DispatchObject*                                 \
  GlintmereCreateObject(const char* clsid) {                                             \
    return ::platform::CreateServedObject(clsid);                                        \
  }                                                                                      \
  static_assert(std::string_view(::platform::kDispatchFactoryExport) ==                  \
                    "GlintmereCreateObject" &&                                           \
                std::is_same_v<decltype(&GlintmereCreateObject), ::platform::DispatchFactory>, \
                "the factory must match what the POSIX automation looks up")
#endif
