// The dialog contract (tests/support/dialog_contract.h) against real
// windows: a user thread works the controls with the messages a mouse and
// keyboard cause. Windows only.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include "tests/support/dialog_contract.h"
#include "tests/ui_win32/ui_user.h"

namespace {

class WindowsUser : public dialog_contract::ContractUser {
 public:
  explicit WindowsUser(HWND dialog) : dialog_(dialog) {}
  void Type(int id, const std::string& text) override { ui_test::Type(Control(id), text); }
  void Click(int id) override { ui_test::Click(Control(id)); }
  void Choose(int id, int index) override { ui_test::Choose(Control(id), index); }
  void CheckRow(int id, int row, bool checked) override {
    ui_test::CheckRow(Control(id), row, checked);
  }
  void Slide(int id, int position) override { ui_test::Slide(Control(id), position); }
  bool WaitForEvents(const std::atomic<int>& events, int count) override {
    return ui_test::WaitUntil([&events, count] { return events >= count; });
  }
  void PressOk() override { ui_test::Click(Control(ui::kIdOk)); }

 private:
  HWND Control(int id) const { return ui_test::Item(dialog_, id); }
  HWND dialog_;
};

TEST(Win32ContractTest, ControlsKeepTheContractOfTheModel) {
  dialog_contract::ContractDialog dialog;
  int result = 0;
  ui_test::Drive(
      [&dialog] {
        const HWND window = ui_test::WaitForWindow(dialog_contract::kCaption);
        ASSERT_NE(window, nullptr);
        WindowsUser user(window);
        EXPECT_TRUE(dialog_contract::ActAsUser(user, dialog));
      },
      [&dialog, &result] { result = dialog.DoModal(); });
  EXPECT_EQ(result, ui::kIdOk);
  dialog_contract::CheckContract(dialog);
}

}  // namespace

#endif  // defined(_WIN32)
