// On Linux no window can open: the platform's message boxes are scripted ones
// that answer with the first button and tell the user on standard error.
#include "ui/message_box.h"
#include "ui/scripted/scripted_message_box.h"

#if !defined(_WIN32)
namespace ui {

MessageBoxService& SystemMessageBoxes() {
  static ScriptedMessageBoxes service(/*echo=*/true);
  return service;
}

}  // namespace ui
#endif
