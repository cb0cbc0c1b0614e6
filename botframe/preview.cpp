// The "Applet Preview" dialog.
#include "botframe/preview.h"

namespace botframe {
namespace {

constexpr ui::ControlSpec kPreviewControls[] = {
    {CPreviewDialog::kBrowserId, ui::ControlKind::kBrowser, "", 0, 0, 260, 150},
    {ui::kIdOk, ui::ControlKind::kDefaultButton, "OK", 105, 160, 50, 14},
};
constexpr ui::DialogSpec kPreviewSpec{"Applet Preview", 260, 180, kPreviewControls};

// The OK button's size and its distance from the bottom edge, in pixels.
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 20;
constexpr int kButtonBottomGap = 30;
constexpr int kBrowserBottomGap = 50;
// A stored applet size beyond any screen shows the preview at this size.
constexpr int kLargestAppletSide = 8192;

int ScreenSide(int side) { return side < 0 ? 0 : side > kLargestAppletSide ? kLargestAppletSide : side; }

}  // namespace

CPreviewDialog::CPreviewDialog(std::string file, int applet_width, int applet_height)
    : ui::Dialog(kPreviewSpec),
      file_(std::move(file)),
      applet_width_(ScreenSide(applet_width)),
      applet_height_(ScreenSide(applet_height)) {}

bool CPreviewDialog::OnInitDialog() {
  window()->SetWindowSize(applet_width_ + 100, applet_height_ + 125);
  int width = 0, height = 0;
  window()->GetClientSize(&width, &height);
  OnSize(width, height);
  GetBrowser(kBrowserId).Navigate(file_);
  return true;
}

void CPreviewDialog::OnSize(int width, int height) {
  if (!IsOpen()) return;
  window()->MoveControl(kBrowserId, 0, 0, width, height > kBrowserBottomGap ? height - kBrowserBottomGap : 0);
  window()->MoveControl(ui::kIdOk, (width - kButtonWidth) / 2, height - kButtonBottomGap,
                        kButtonWidth, kButtonHeight);
}

}  // namespace botframe
