// A modeless dialog built from an in-memory template with one control of a
// given window class, the way the Win32 backend places its controls.
// Windows only.
#pragma once

#if defined(_WIN32)

#include "platform/win32/windows_include.h"

namespace control_dialog {

constexpr int kControlId = 100;

// A dialog (hidden, owned by nobody) with the control at 10,10 of size
// width x height dialog units, its class looked up in `module`; destroyed
// with the object.
class ControlDialog {
 public:
  ControlDialog(HINSTANCE module, const wchar_t* class_name, short width, short height);
  ~ControlDialog();
  ControlDialog(const ControlDialog&) = delete;
  ControlDialog& operator=(const ControlDialog&) = delete;

  // Null when the dialog could not be created.
  HWND dialog() const { return dialog_; }
  HWND control() const { return dialog_ ? GetDlgItem(dialog_, kControlId) : nullptr; }

 private:
  HWND dialog_ = nullptr;
};

}  // namespace control_dialog

#endif  // defined(_WIN32)
