// "Add New Images" as real windows: the files picked in one list go to the
// other, and each bitmap button shows its glyph; the picture is saved under
// the build folder's screenshots/ for a person to look at. Windows only.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <windows.h>

#include "bots_s3/add_images_dialog.h"
#include "tests/support/edit_call.h"
#include "tests/support/test_support.h"
#include "tests/ui_win32/screenshot.h"
#include "tests/ui_win32/ui_user.h"
#include "ui/backend.h"

namespace {

using bots_s3::CAddImagesDlg;

bool HasColour(const ui_test::Image& image, COLORREF colour) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.At(x, y) == colour) return true;
    }
  }
  return false;
}

TEST(AddImagesWindowTest, ChosenFilesMoveAcrossAndEveryButtonShowsItsGlyph) {
  test_support::TempFolder root;
  test_support::WriteText(root.Join("master/_glintmere/a.gif"), "GIF89a");
  test_support::WriteText(root.Join("master/_glintmere/b.jpg"), "jpeg");
  test_support::WriteText(root.Join("user/_glintmere/c.jpeg"), "jpeg");
  test_support::EditCall call(test_support::kPresentationBot);
  ui::ScopedUiBackend backend(&ui::Win32UiBackend());
  CAddImagesDlg dialog(call.context(), root.Join("master\\_glintmere\\"),
                       root.Join("user\\_glintmere\\"));
  ui_test::Image image;
  int result = 0;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow("Add New Images");
        if (!window) return;
        const HWND available = ui_test::Item(window, CAddImagesDlg::kAvailableId);
        SendMessageA(available, LB_SETSEL, TRUE, 0);
        SendMessageA(available, LB_SETSEL, TRUE, 2);
        ui_test::Click(ui_test::Item(window, CAddImagesDlg::kAddSelectedId));
        const HWND to_add = ui_test::Item(window, CAddImagesDlg::kToAddId);
        EXPECT_TRUE(ui_test::WaitUntil([&] { return SendMessageA(to_add, LB_GETCOUNT, 0, 0) == 2; }));
        ui_test::Painted(window);
        image = ui_test::CaptureWindow(window);
        ui_test::SaveScreenshot(image, "add_new_images");
        ui_test::Click(ui_test::Item(window, IDOK));
      },
      [&] { result = dialog.DoModal(); });
  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(dialog.names(), (std::vector<std::string>{"a.gif", "c.jpeg"}));
  // The green arrow, the globe's sea, the floppy disk and the red cross.
  EXPECT_TRUE(HasColour(image, RGB(0, 140, 0)));
  EXPECT_TRUE(HasColour(image, RGB(80, 150, 230)));
  EXPECT_TRUE(HasColour(image, RGB(40, 60, 150)));
  EXPECT_TRUE(HasColour(image, RGB(210, 0, 0)));
}

}  // namespace

#endif
