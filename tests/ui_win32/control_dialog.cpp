// An in-memory DLGTEMPLATE with one control.
#if defined(_WIN32)

#include "tests/ui_win32/control_dialog.h"

#include <cwchar>
#include <vector>

namespace control_dialog {
namespace {

void Put(std::vector<WORD>& words, const void* data, size_t bytes) {
  const auto* from = static_cast<const WORD*>(data);
  words.insert(words.end(), from, from + bytes / sizeof(WORD));
}

void PutText(std::vector<WORD>& words, const wchar_t* text) {
  for (const wchar_t* at = text; *at; ++at) words.push_back(static_cast<WORD>(*at));
  words.push_back(0);
}

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM) {
  // No focus set: the dialog manager may pick.
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

ControlDialog::ControlDialog(HINSTANCE module, const wchar_t* class_name, short width,
                             short height) {
  std::vector<WORD> words;
  DLGTEMPLATE dialog{};
  dialog.style = WS_POPUP | WS_CAPTION | DS_SETFONT;
  dialog.cdit = 1;
  dialog.cx = static_cast<short>(width + 20);
  dialog.cy = static_cast<short>(height + 20);
  Put(words, &dialog, sizeof(dialog));
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  PutText(words, L"Control test");
  words.push_back(8);
  PutText(words, L"MS Shell Dlg");
  // Items start on a DWORD boundary.
  if (words.size() % 2) words.push_back(0);
  DLGITEMTEMPLATE item{};
  item.style = WS_CHILD | WS_VISIBLE;
  item.x = 10;
  item.y = 10;
  item.cx = width;
  item.cy = height;
  item.id = kControlId;
  Put(words, &item, sizeof(item));
  PutText(words, class_name);
  PutText(words, L"");
  words.push_back(0);  // no creation data
  dialog_ = CreateDialogIndirectParamW(module, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()),
                                       nullptr, &DialogProc, 0);
}

ControlDialog::~ControlDialog() {
  if (dialog_) DestroyWindow(dialog_);
}

}  // namespace control_dialog

#endif  // defined(_WIN32)
