// Message boxes as real Windows message boxes.
#include "platform/win32/windows_include.h"
#include "ui/message_box.h"

namespace ui {
namespace {

class Win32MessageBoxes : public MessageBoxService {
 public:
  Answer Show(const MessageBoxRequest& request) override {
    const UINT style = static_cast<UINT>(request.buttons) | static_cast<UINT>(request.icon);
    const int result = MessageBoxA(static_cast<HWND>(request.owner), request.text.c_str(),
                                   request.caption.c_str(), style);
    // 0 means the box could not be shown at all; treat it as a cancel.
    if (result == 0) return Answer::kCancel;
    return static_cast<Answer>(result);
  }
};

}  // namespace

MessageBoxService& SystemMessageBoxes() {
  static Win32MessageBoxes service;
  return service;
}

}  // namespace ui
