// One set of cases for the dialog model's controls, run against both
// backends: natively through the scripted driver (tests/ui) and under Wine
// against real windows (tests/ui_win32), so the scripted imitation of the
// controls is checked against the real ones. A backend's test supplies the
// user (ContractUser) and runs RunDialogContract.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "ui/dialog.h"

namespace dialog_contract {

enum Id : int {
  kEdit = 3001,
  kCheck,
  kCombo,
  kList,
  kRows,
  kSlider,
  kColours,
  kRich,
};

inline constexpr const char* kCaption = "Glintmere Contract";

// What a backend's test does as the dialog's user. The calls come while
// the dialog is open: from the driver's steps (scripted) or a user thread
// (Win32).
class ContractUser {
 public:
  virtual ~ContractUser() = default;
  // Replaces an edit field's text as typing does.
  virtual void Type(int id, const std::string& text) = 0;
  virtual void Click(int id) = 0;
  // Chooses an item of a combo box, list box, colour list or list-view as a
  // click does.
  virtual void Choose(int id, int index) = 0;
  // Ticks or unticks a list-view row's check box.
  virtual void CheckRow(int id, int row, bool checked) = 0;
  // Drags a slider to a position.
  virtual void Slide(int id, int position) = 0;
  // Waits until the dialog heard count events (the real dialog runs in
  // another thread); false when it did not.
  virtual bool WaitForEvents(const std::atomic<int>& events, int count) = 0;
  // Presses OK.
  virtual void PressOk() = 0;
};

// The contract's dialog: an edit, a check box, a sorted drop-down list, a list
// box, a list-view, a slider, a colour list and a rich-text box.
class ContractDialog : public ui::Dialog {
 public:
  ContractDialog();

  struct Result {
    std::string name;
    std::string expected;
    std::string actual;
  };
  struct Event {
    int id;
    ui::Notify code;
    int index;
  };
  // The program's cases as run when the dialog opened.
  std::vector<Result> program_results;
  // What the controls held when OK was pressed after the user's actions.
  std::vector<Result> final_results;
  std::vector<Event> events;
  // The events the program's cases caused (none: only users cause events).
  int program_events = -1;
  std::atomic<int> event_count{0};

 protected:
  void BindEvents() override;
  bool OnInitDialog() override;
  bool OnOk() override;
};

// The user's actions, in order; run by the backend's user while the
// dialog is open, ending with OK. Returns false when an action was not
// heard.
bool ActAsUser(ContractUser& user, ContractDialog& dialog);

// Checks (EXPECT) the program's cases, the events the user's actions
// caused and the controls' final state.
void CheckContract(const ContractDialog& dialog);

}  // namespace dialog_contract
