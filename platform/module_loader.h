// The module loader service: loading a shared library by path, finding an
// export, unloading, and the path of a loaded module.
//
// On Linux a backslash in the path is a folder separator, and a requested
// name ending in ".dll" is looked for with ".so" when the ".dll" file does
// not exist, so the product's Windows-style library names work on both.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace platform {

// A loaded library; unloaded when the object is destroyed.
class Module {
 public:
  virtual ~Module() = default;
  // The export's address, or null with *error set (kProcNotFound on both
  // platforms when the name is not exported).
  virtual void* FindExport(const std::string& name, Status* error) = 0;
};

class ModuleLoader {
 public:
  virtual ~ModuleLoader() = default;
  // Loads the library; null with *error set on failure (the system error code
  // on Windows; on Linux kModNotFound when no file is there and
  // kBadExeFormat when the file is not a loadable library).
  virtual std::unique_ptr<Module> Load(const std::string& path, Status* error) = 0;
  // Full path of the module (program or library) whose code holds address,
  // or empty when it cannot be told.
  virtual std::string PathOfModuleContaining(const void* address) = 0;
  // Text describing the last load failure when the system gives one (dlerror
  // on Linux); empty otherwise.
  virtual std::string LastErrorText() const { return std::string(); }
};

}  // namespace platform

namespace platform {

// The file name ending of this platform's shared libraries.
#if defined(_WIN32)
inline constexpr const char* kSharedLibrarySuffix = ".dll";
#else
inline constexpr const char* kSharedLibrarySuffix = ".so";
#endif

}  // namespace platform
