// The glintmere command-line program: the face of the stand-alone host.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "runner/kelrtl.h"

namespace host {

// What the program needs from its surroundings; main fills it, tests may
// give their own.
struct CliEnvironment {
  RunBotFunctionFn run_bot = nullptr;  // KelRTL's RunBotFunction
  std::string program_path;            // this program (its folder holds bots/)
  std::string server_library;          // the library serving the host objects
};

// Runs the command (arguments without the program name). Returns the exit
// code: 0 done, 1 failed, 2 bad arguments (with the usage text).
int RunCli(const std::vector<std::string>& args, const CliEnvironment& environment,
           std::ostream& out, std::ostream& err);

}  // namespace host
