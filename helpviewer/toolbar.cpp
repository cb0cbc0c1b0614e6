// The help viewer's toolbar buttons and their enabling rules.
#include "helpviewer/toolbar.h"

namespace helpviewer {
namespace {

constexpr ToolbarButton kButtons[] = {
    {HelpCommand::kDefault, "Default", "Go to the default page", "Default page", false},
    {HelpCommand::kContents, "Contents", "Go to the contents page", "Contents page", false},
    {HelpCommand::kPrint, "Print", "Print the current page", "Print", false},
    {HelpCommand::kPrevious, "Previous", "Go to the previous page", "Previous page", true},
    {HelpCommand::kNext, "Next", "Go to the next page", "Next page", false},
};

}  // namespace

std::span<const ToolbarButton> ToolbarButtons() { return kButtons; }

const ToolbarButton* FindButton(HelpCommand command) {
  for (const ToolbarButton& button : kButtons) {
    if (button.command == command) return &button;
  }
  return nullptr;
}

bool IsCommandEnabled(HelpCommand command, const ViewerState& state) {
  switch (command) {
    case HelpCommand::kDefault:
    case HelpCommand::kContents:
    case HelpCommand::kPrint:
      return state.folder_known;
    case HelpCommand::kPrevious:
      return state.can_go_back;
    case HelpCommand::kNext:
      return state.can_go_forward;
  }
  return false;
}

}  // namespace helpviewer
