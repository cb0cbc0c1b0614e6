// The scripted message-box service: records every box shown (text, caption,
// icon, buttons) and answers from a queue, or with the first button when the
// queue is empty.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/message_box.h"

namespace ui {

class ScriptedMessageBoxes : public MessageBoxService {
 public:
  // When echo is true every box is also printed to standard error, so a
  // headless run still tells the user what happened.
  explicit ScriptedMessageBoxes(bool echo = false) : echo_(echo) {}

  Answer Show(const MessageBoxRequest& request) override;

  // Answers for the next boxes, in order.
  void QueueAnswer(Answer answer) { answers_.push_back(answer); }

  const std::vector<MessageBoxRequest>& shown() const { return shown_; }
  void Clear() { shown_.clear(); answers_.clear(); }

 private:
  bool echo_;
  std::deque<Answer> answers_;
  std::vector<MessageBoxRequest> shown_;
};

}  // namespace ui
