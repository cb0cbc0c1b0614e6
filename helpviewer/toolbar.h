// The help viewer's toolbar as data: its buttons in order, what each shows
// in the status bar and its tooltip, and when each is enabled.
#pragma once

#include <span>

namespace helpviewer {

enum class HelpCommand { kDefault, kContents, kPrint, kPrevious, kNext };

// What the enabling rules look at.
struct ViewerState {
  bool folder_known = false;  // a command line has given a help folder
  bool can_go_back = false;   // as the browser last reported
  bool can_go_forward = false;
};

struct ToolbarButton {
  HelpCommand command;
  const char* label;    // the text under the button's picture
  const char* prompt;   // shown in the status bar while pointed at
  const char* tooltip;
  bool separator_before;
};

// The buttons left to right.
std::span<const ToolbarButton> ToolbarButtons();

// The button of a command; never null for a command of the enumeration.
const ToolbarButton* FindButton(HelpCommand command);

bool IsCommandEnabled(HelpCommand command, const ViewerState& state);

}  // namespace helpviewer
