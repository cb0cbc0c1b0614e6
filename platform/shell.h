// The shell service: open a program or document with parameters, a verb and a
// working folder (ShellExecuteA on Windows, posix_spawn on Linux).
#pragma once

#include <string>

#include "platform/status.h"

namespace platform {

struct ShellRequest {
  std::string verb;        // "open" or empty for the default verb
  std::string file;        // program or document
  std::string parameters;  // command line parameters, as one string
  std::string directory;   // working folder, or empty
  bool show = true;        // shown normally (SW_SHOWNORMAL) or hidden
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Starts the request without waiting for it. kOk, or the error code
  // (kFileNotFound when the file is not there).
  virtual Status Execute(const ShellRequest& request) = 0;
};

}  // namespace platform
