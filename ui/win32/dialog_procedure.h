// The one dialog procedure of the Win32 backend: window messages of dialogs,
// modeless dialogs and property pages become the model's typed events.
#pragma once

#include "platform/win32/windows_include.h"

#include "ui/dialog.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/win32_dialog_window.h"

namespace ui::win32 {

class SheetRun;

// Everything behind one dialog or page window while it exists.
struct DialogContext {
  DialogContext(Dialog& dialog, WindowRole role);
  DialogContext(const DialogContext&) = delete;
  DialogContext& operator=(const DialogContext&) = delete;

  Dialog& dialog;
  Win32DialogWindow window;
  DialogTemplate dialog_template;
  // Pages: the page and the sheet run that shows it.
  PropertyPage* page = nullptr;
  SheetRun* sheet = nullptr;
  int page_index = -1;
  // A modeless window owns its context: it is deleted once the window is
  // destroyed and no message of it is still being handled.
  bool owned_by_window = false;
  int depth = 0;
  bool finished = false;
};

// For DialogBoxIndirectParam and CreateDialogIndirectParam; the creation
// parameter is the DialogContext.
INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// For property pages: the PROPSHEETPAGE's lParam is the DialogContext.
INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace ui::win32
