// KelMenuAdd: makes FrontPage load the KelMenu add-in and copies the chosen
// products' menus into the add-in's settings.
#include <exception>
#include <string>

#include "base/path.h"
#include "menu_activate/utility.h"
#include "platform/module_loader.h"
#include "platform/services.h"

int main(int argc, char** argv) {
  try {
    static const int anchor = 0;
    const std::string folder =
        base::FolderOf(platform::GetModuleLoader().PathOfModuleContaining(&anchor));
    // The whole command line is one file name, spaces and all.
    std::string command_line;
    for (int i = 1; i < argc; ++i) {
      if (i > 1) command_line += ' ';
      command_line += argv[i];
    }
    return menu_activate::RunActivationUtility(command_line, folder);
  } catch (const std::exception&) {
  } catch (...) {
  }
  return 1;
}
