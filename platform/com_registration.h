// Registering served automation classes the way COM finds in-process
// servers, through the Registry service only, so the same code registers a
// class in the Windows registry and in the POSIX hive:
//
//   HKCR\<ProgID>\CLSID                    (default) = "{clsid}"
//   HKCR\CLSID\{clsid}\InprocServer32      (default) = library path
//                                          ThreadingModel = "Apartment"
//   HKCR\CLSID\{clsid}\ProgID              (default) = ProgID
//
// HKCR is written rather than HKCU\Software\Classes because Wine's COM does
// not look at per-user classes. A ProgID that belongs to another class is
// never replaced: the product must not take over another program's objects.
#pragma once

#include <string_view>

#include "platform/dispatch_server.h"
#include "platform/registry.h"
#include "platform/status.h"

namespace platform {

// True when text has the registry form of a class identifier,
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" with hexadecimal digits.
bool IsClassIdText(std::string_view text);

// True when the ProgID is registered to a class other than clsid (letter
// case aside): its key exists with a different or no CLSID. Also true when
// the key cannot be read, so that a registration we cannot judge is left alone.
bool IsRegisteredToOther(Registry& registry, std::string_view prog_id, std::string_view clsid);

// Registers the class as an in-process server in library_path. kOk;
// kAlreadyExists, writing nothing, when the ProgID belongs to another class;
// kInvalidParameter for a malformed identifier, ProgID or empty path; or the
// registry's error, after removing what this call had written.
Status RegisterServedClass(Registry& registry, const ServedClass& served,
                           std::string_view library_path);

// Removes the class's keys, and its ProgID key only while that names this
// class. kOk also when nothing was registered; otherwise the registry's error.
Status UnregisterServedClass(Registry& registry, const ServedClass& served);

}  // namespace platform
