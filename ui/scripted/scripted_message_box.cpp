// Scripted message boxes.
#include "ui/scripted/scripted_message_box.h"

#include <cstdio>

namespace ui {

Answer ScriptedMessageBoxes::Show(const MessageBoxRequest& request) {
  shown_.push_back(request);
  Answer answer = FirstButton(request.buttons);
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  if (echo_) {
    std::fprintf(stderr, "[%s] %s\n", request.caption.c_str(), request.text.c_str());
  }
  return answer;
}

}  // namespace ui
