// A user for the Win32 backend's tests: a second thread that finds the
// dialogs and sheets the test's thread shows (by caption) and works their
// controls with the messages a keyboard and mouse would cause, while the
// test's thread sits in the modal loop. Windows only.
#pragma once

#if defined(_WIN32)

#include "platform/win32/windows_include.h"

#include <functional>
#include <string>
#include <vector>

namespace ui_test {

// Runs `steps` on a user thread while `show` (DoModal, RunSheet...) runs on
// the calling thread; returns when both are done. A window of this process
// still open 10 s after the steps ended fails the test and is cancelled, so
// a broken dialog never hangs the run.
void Drive(const std::function<void()>& steps, const std::function<void()>& show);

// The visible top-level window with this caption, waiting up to timeout_ms
// for it to appear; null (and a test failure) when it does not.
HWND WaitForWindow(const std::string& caption, int timeout_ms = 5000);
// Polls until the condition holds; false after timeout_ms.
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 5000);
// Returns once the window's thread (of this process or another) has finished
// the message it was handling and is back in a message loop; false when it
// did not answer within timeout_ms or the window is gone. Messages still
// waiting in its queue may not have been handled yet.
bool Settle(HWND window, int timeout_ms = 5000);
// Makes the window ready for a picture: waits until it is visible, has it and
// its children painted now, and lets its thread finish. False (and a test
// failure) when it does not become visible.
bool Painted(HWND window, int timeout_ms = 5000);

// A control of a dialog, or of the page a sheet shows.
HWND Item(HWND dialog, int id);
HWND CurrentPage(HWND sheet);
HWND PageItem(HWND sheet, int id);
int CurrentPageIndex(HWND sheet);

std::string Text(HWND window);
// Replaces an edit field's text as typing would (WM_SETTEXT: EN_CHANGE).
void Type(HWND edit, const std::string& text);
// Types characters one by one (WM_CHAR), as the keyboard does.
void TypeKeys(HWND edit, const std::string& keys);
// Clicks a button (BM_CLICK, posted: the click may open a modal window).
void Click(HWND button);
// Chooses an item of a combo box or list box the way a click does: the
// selection changes and the parent hears CBN_SELCHANGE / LBN_SELCHANGE.
void Choose(HWND list, int index);
// A key pressed and released while the control has the keyboard (posted, so
// the dialog manager's Return, Escape and Tab handling sees it).
// Ticks or unticks a list-view row as a click on its check box does.
void CheckRow(HWND list_view, int row, bool checked);

// Drags a slider's thumb to position.
void Slide(HWND slider, int position);

void Key(HWND control, UINT virtual_key);
// Alt+letter for a mnemonic.
void AltKey(HWND control, char letter);
// A left click at client coordinates (posted mouse messages).
void ClickAt(HWND window, int x, int y, bool double_click = false);

// The control with the keyboard focus in the window's thread.
HWND FocusOf(HWND window);

// Presses a sheet's button (PSBTN_OK, ...) by posting PSM_PRESSBUTTON.
void PressSheetButton(HWND sheet, int button);

// A program started as a user starts it (a launcher), its handles closed
// when this goes.
class StartedProgram {
 public:
  // Starts the program at path with the arguments (after its quoted path on
  // the command line); started() tells.
  explicit StartedProgram(const std::string& path, const std::string& arguments = "");
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  bool started() const { return process_.hProcess != nullptr; }
  // The system's error code of a failed start.
  DWORD start_error() const { return start_error_; }
  // Waits up to timeout_ms for the program's end: its exit code, or
  // STILL_ACTIVE when it did not end.
  DWORD WaitForExit(DWORD timeout_ms);
  DWORD process_id() const { return process_.dwProcessId; }

 private:
  PROCESS_INFORMATION process_{};
  DWORD start_error_ = 0;
};

}  // namespace ui_test

#endif
