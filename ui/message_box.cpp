// The message-box registration point.
#include "ui/message_box.h"

namespace ui {
namespace {

MessageBoxService*& Slot() {
  static MessageBoxService* service = &SystemMessageBoxes();
  return service;
}

}  // namespace

Answer FirstButton(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
    case Buttons::kOkCancel: return Answer::kOk;
    case Buttons::kAbortRetryIgnore: return Answer::kAbort;
    case Buttons::kYesNoCancel:
    case Buttons::kYesNo: return Answer::kYes;
    case Buttons::kRetryCancel: return Answer::kRetry;
  }
  return Answer::kOk;
}

Answer ShowMessage(const std::string& text, const std::string& caption, Buttons buttons,
                   Icon icon, WindowHandle owner) {
  return GetMessageBoxes().Show(MessageBoxRequest{text, caption, buttons, icon, owner});
}

MessageBoxService& GetMessageBoxes() { return *Slot(); }

ScopedMessageBoxes::ScopedMessageBoxes(MessageBoxService* replacement) : previous_(Slot()) {
  Slot() = replacement;
}

ScopedMessageBoxes::~ScopedMessageBoxes() { Slot() = previous_; }

}  // namespace ui
