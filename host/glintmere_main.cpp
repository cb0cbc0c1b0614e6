// glintmere: inserts components into the pages of a web folder on disk,
// standing in for FrontPage.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "base/path.h"
#include "host/cli.h"
#include "platform/module_loader.h"
#include "platform/services.h"

int main(int argc, char** argv) {
  try {
    static const int anchor = 0;
    host::CliEnvironment environment;
    environment.run_bot = &RunBotFunction;
    environment.program_path = platform::GetModuleLoader().PathOfModuleContaining(&anchor);
    environment.server_library = base::FolderOf(environment.program_path) + "GlintmereHost" +
                                 platform::kSharedLibrarySuffix;
    const std::vector<std::string> args(argv + 1, argv + argc);
    return host::RunCli(args, environment, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "glintmere: " << e.what() << "\n";
  } catch (...) {
    std::cerr << "glintmere: unexpected failure\n";
  }
  return 1;
}
