// The comctl32 and common dialog headers for the Win32 backend, after
// windows_include.h, without the ANSI/Unicode switch macros that share a
// name with the model's classes.
#pragma once

#include "platform/win32/windows_include.h"

#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>

// prsht.h maps PropertySheet to PropertySheetA/W, which would rename the
// model's ui::PropertySheet in every file that sees both. Windows code
// calls PropertySheetA by its full name.
#undef PropertySheet
