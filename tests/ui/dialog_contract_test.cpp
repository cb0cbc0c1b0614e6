// The dialog contract (tests/support/dialog_contract.h) on the scripted
// backend: the driver's steps are the user.
#include <gtest/gtest.h>

#include "tests/support/dialog_contract.h"
#include "tests/ui/test_dialogs.h"
#include "ui/scripted/scripted_backend.h"

namespace ui_test {
namespace {

class ScriptedUser : public dialog_contract::ContractUser {
 public:
  explicit ScriptedUser(ui::ScriptedWindow& window) : window_(window) {}
  void Type(int id, const std::string& text) override { window_.Type(id, text); }
  void Click(int id) override { window_.Click(id); }
  void Choose(int id, int index) override { window_.Select(id, index); }
  void CheckRow(int id, int row, bool checked) override { window_.CheckRow(id, row, checked); }
  void Slide(int id, int position) override { window_.MoveSlider(id, position); }
  // The driver runs the dialog's handlers before its step returns.
  bool WaitForEvents(const std::atomic<int>& events, int count) override {
    return events >= count;
  }
  void PressOk() override { window_.PressOk(); }

 private:
  ui::ScriptedWindow& window_;
};

using ScriptedContractTest = ScriptedTest;

TEST_F(ScriptedContractTest, ControlsKeepTheContractOfTheRealOnes) {
  dialog_contract::ContractDialog dialog;
  driver().Expect(dialog_contract::kCaption, [&dialog](ui::ScriptedWindow& w) {
    ScriptedUser user(w);
    EXPECT_TRUE(dialog_contract::ActAsUser(user, dialog));
  });
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  dialog_contract::CheckContract(dialog);
}

}  // namespace
}  // namespace ui_test
