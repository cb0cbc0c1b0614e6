// The add-in class as COM clients create it: "KelMenu.addinKelMenu", an
// object answering IDTExtensibility2's methods by name (their dispatch
// identifiers 1 to 5, in IDTExtensibility2's order).
#pragma once

#include <span>

#include "platform/dispatch_server.h"

namespace menu_addin {

inline constexpr const char* kAddInClsid = "{EAB2E699-D20C-401F-A9FE-7EA2D100A27D}";
inline constexpr const char* kAddInProgId = "KelMenu.addinKelMenu";

// The one served class of the KelMenu library.
std::span<const platform::ServedClass> AddInClasses();

}  // namespace menu_addin
