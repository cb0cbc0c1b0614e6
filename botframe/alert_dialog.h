// "Glintmere Alert": the small modal dialog that tells the user why the
// sheet cannot be confirmed yet (an icon, the message, OK).
#pragma once

#include <string>

#include "ui/dialog.h"

namespace botframe {

class CAlertDialog : public ui::Dialog {
 public:
  enum : int { kTextId = 1451 };
  explicit CAlertDialog(std::string text);

 protected:
  bool OnInitDialog() override;

 private:
  std::string text_;
};

// Shows text in the alert dialog owned by owner and waits for OK.
void ShowAlert(const std::string& text, ui::WindowHandle owner);

}  // namespace botframe
