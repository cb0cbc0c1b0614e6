// The message-box service of the user interface layer. The product never calls
// a toolkit directly: it asks the service in force, which is the real
// MessageBoxA on Windows and the scripted service (recording, answering from
// a queue) in tests and in the headless host.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

// Button sets, icons and answers, numbered as Windows numbers them.
enum class Buttons : uint32_t {
  kOk = 0x0,               // MB_OK
  kOkCancel = 0x1,         // MB_OKCANCEL
  kAbortRetryIgnore = 0x2, // MB_ABORTRETRYIGNORE
  kYesNoCancel = 0x3,      // MB_YESNOCANCEL
  kYesNo = 0x4,            // MB_YESNO
  kRetryCancel = 0x5,      // MB_RETRYCANCEL
};

enum class Icon : uint32_t {
  kNone = 0x0,
  kError = 0x10,        // MB_ICONERROR (MB_ICONHAND, MB_ICONSTOP)
  kQuestion = 0x20,     // MB_ICONQUESTION
  kWarning = 0x30,      // MB_ICONWARNING (MB_ICONEXCLAMATION)
  kInformation = 0x40,  // MB_ICONINFORMATION (MB_ICONASTERISK)
};

enum class Answer : int {
  kOk = 1,
  kCancel = 2,
  kAbort = 3,
  kRetry = 4,
  kIgnore = 5,
  kYes = 6,
  kNo = 7,
};

// An owner window: an opaque handle (an HWND on Windows), null for none.
using WindowHandle = void*;

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  Buttons buttons = Buttons::kOk;
  Icon icon = Icon::kNone;
  WindowHandle owner = nullptr;
};

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Shows the box modally and returns the button pressed.
  virtual Answer Show(const MessageBoxRequest& request) = 0;
};

// The caption of the product's messages that have no caption of their own
// (the file dialogs, the data exchange's refusals, page checks).
inline constexpr const char* kProductCaption = "Glintmere";

// The first button of a button set (what the scripted service answers when
// its queue is empty).
Answer FirstButton(Buttons buttons);

// Shows a box through the service in force.
Answer ShowMessage(const std::string& text, const std::string& caption,
                   Buttons buttons = Buttons::kOk, Icon icon = Icon::kNone,
                   WindowHandle owner = nullptr);

// The service in force in this module; the platform's own unless replaced.
MessageBoxService& GetMessageBoxes();

// Replaces the service for the object's lifetime.
class ScopedMessageBoxes {
 public:
  explicit ScopedMessageBoxes(MessageBoxService* replacement);
  ~ScopedMessageBoxes();
  ScopedMessageBoxes(const ScopedMessageBoxes&) = delete;
  ScopedMessageBoxes& operator=(const ScopedMessageBoxes&) = delete;

 private:
  MessageBoxService* previous_;
};

// The platform's own service: MessageBoxA on Windows; on Linux, where no
// window can open, the scripted service answering every box with its first
// button and echoing it to standard error.
MessageBoxService& SystemMessageBoxes();

}  // namespace ui
