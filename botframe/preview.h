// The applet preview all pages share: the applet tag of the current settings
// written to "GMBots.htm" in the user data folder and shown in the modal
// "Applet Preview" dialog.
#pragma once

#include <string>

#include "ui/dialog.h"

namespace botframe {

// "Applet Preview": a web browser showing the file and an OK button. It
// sizes itself to the applet (each side kept within 0 to 8192 pixels) plus a
// border. The page that shows it deletes the file afterwards.
class CPreviewDialog : public ui::Dialog {
 public:
  CPreviewDialog(std::string file, int applet_width, int applet_height);

  // Control ids.
  static constexpr int kBrowserId = 1001;

 protected:
  bool OnInitDialog() override;
  void OnSize(int width, int height) override;

 private:
  std::string file_;
  int applet_width_;
  int applet_height_;
};

// Name of the preview file in the user data folder.
inline constexpr const char* kPreviewFileName = "GMBots.htm";

}  // namespace botframe
