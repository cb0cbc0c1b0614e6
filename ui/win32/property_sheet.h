// A model property sheet shown as a comctl32 property sheet. The model's
// rules (PropertySheet::RequestPage and RequestOk) decide; comctl32 only
// shows the outcome.
//
// The sheet window is subclassed: OK (the button, Return, PSM_PRESSBUTTON)
// runs RequestOk before comctl32 asks any page, and tab changes (a click on
// a tab, PSM_SETCURSEL) run RequestPage before comctl32 switches. comctl32
// is then told to do the same with its page notifications answered quietly.
// Paths that bypass the window procedure (comctl32 switching pages on its
// own, as on Ctrl+Tab) reach the same rules from the page notifications:
// PSN_KILLACTIVE is let through and the move is decided at the target's
// PSN_SETACTIVE; PSN_APPLY runs RequestOk once.
#pragma once

#include "platform/win32/windows_include.h"

#include <memory>
#include <vector>

#include "ui/dialog.h"
#include "ui/win32/dialog_procedure.h"

namespace ui::win32 {

class SheetRun : public PropertySheet::PageCreator {
 public:
  SheetRun(PropertySheet& sheet, HWND parent);
  ~SheetRun() override;
  SheetRun(const SheetRun&) = delete;
  SheetRun& operator=(const SheetRun&) = delete;

  // Shows the sheet modally: kIdOk or kIdCancel.
  int Run();

  // A PSN_ notification to a page; the value its dialog procedure returns.
  LRESULT OnPageNotify(DialogContext& page, const NMHDR& header);

  // PropertySheet::PageCreator.
  bool CreatePage(PropertyPage& page) override;
  void ShowPage(PropertyPage& page) override;

 private:
  static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lparam);
  static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam);
  static void EndFromPage(void* run, int result);

  void Subclass(HWND window);
  LRESULT OnSheetMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // comctl32's own procedure, with page notifications answered quietly.
  LRESULT Forward(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT ForwardQuietly(UINT message, WPARAM wparam, LPARAM lparam);
  // Messages that end the sheet from another thread would leave its loop
  // waiting: a posted message wakes it.
  void Wake();
  void PressOk();
  bool RequestPage(int index);
  // Makes comctl32 show the page the model has active.
  void FollowModel();
  void ShowQuietly(int index);
  int IndexOf(const PropertyPage& page) const;

  PropertySheet& sheet_;
  HWND parent_;
  std::vector<std::unique_ptr<DialogContext>> pages_;
  HWND window_ = nullptr;
  WNDPROC original_ = nullptr;
  bool unicode_ = false;
  int quiet_ = 0;
  int activating_ = -1;  // the page comctl32 is activating on its own
  int shown_ = -1;       // the page comctl32 shows
  bool accepted_ = false;
  bool cancelled_ = false;
  bool apply_checked_ = false;  // this round of PSN_APPLY asked the model
  SheetRun* outer_ = nullptr;   // a sheet opened from a page of this one
};

}  // namespace ui::win32
