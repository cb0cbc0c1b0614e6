// The activation utility's run: the product list or the file named on the
// command line, the activation, and the report.
#pragma once

#include <string>

namespace menu_activate {

// command_line: empty, or one description file's name relative to
// program_folder (blanks around it and one pair of quotes dropped). Empty
// shows the product list and does nothing when it is cancelled. The report
// is shown in a message box "Activate KelMenu". Returns the program's exit
// code: 0 when every product was activated, 1 otherwise or when cancelled.
// "/S" and a space before the file name (an installer's run) activate it
// without the report box.
int RunActivationUtility(const std::string& command_line, const std::string& program_folder);

}  // namespace menu_activate
