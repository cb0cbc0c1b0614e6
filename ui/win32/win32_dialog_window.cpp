// The model's control operations as control messages.
#include "ui/win32/win32_dialog_window.h"

#include "ui/win32/common_controls.h"

#include <algorithm>

#include "ui/win32/browser_control.h"
#include "ui/win32/module_class.h"
#include "ui/win32/owner_draw.h"
#include "ui/win32/picture_control.h"
#include "ui/win32/rich_edit.h"

namespace ui::win32 {
namespace {

// A system icon by its everyday name.
LPCSTR SystemIconName(const char* name) {
  const std::string text = name ? name : "";
  if (text == "warning" || text == "exclamation") return IDI_WARNING;
  if (text == "information" || text == "asterisk") return IDI_INFORMATION;
  if (text == "error" || text == "hand" || text == "stop") return IDI_ERROR;
  if (text == "question") return IDI_QUESTION;
  return IDI_APPLICATION;
}

}  // namespace


Win32DialogWindow::Win32DialogWindow(const DialogSpec& spec, WindowRole role)
    : spec_(spec), role_(role) {}

Win32DialogWindow::~Win32DialogWindow() = default;

void Win32DialogWindow::Attach(HWND window) {
  window_ = window;
  // The dialog manager made the controls in table order, each after the
  // previous one: pair them with the rows (a control that could not be made
  // leaves its row without a window).
  row_windows_.assign(spec_.controls.size(), nullptr);
  HWND child = ::GetWindow(window, GW_CHILD);
  for (size_t row = 0; row < spec_.controls.size() && child; ++row) {
    if (::GetDlgCtrlID(child) != spec_.controls[row].id) continue;
    row_windows_[row] = child;
    child = ::GetWindow(child, GW_HWNDNEXT);
  }

  for (size_t row = 0; row < spec_.controls.size(); ++row) {
    const ControlSpec& control = spec_.controls[row];
    const HWND control_window = row_windows_[row];
    if (!control_window) continue;
    switch (control.kind) {
      case ControlKind::kListView: {
        DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP;
        if (control.style & style::kCheckBoxes) extended |= LVS_EX_CHECKBOXES;
        ::SendMessageA(control_window, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
        break;
      }
      case ControlKind::kRichEdit:
        PrepareRichEdit(control_window);
        break;
      case ControlKind::kIcon:
        // Shared system icons: loaded, never destroyed.
        ::SendMessageA(control_window, STM_SETICON,
                       reinterpret_cast<WPARAM>(::LoadIconA(nullptr, SystemIconName(control.caption))),
                       0);
        break;
      case ControlKind::kLabel:
        if (control.style & style::kLink) {
          if (!link_font_) {
            LOGFONTA font{};
            const HGDIOBJ dialog_font =
                reinterpret_cast<HGDIOBJ>(::SendMessageA(window, WM_GETFONT, 0, 0));
            if (dialog_font && ::GetObjectA(dialog_font, sizeof font, &font)) {
              font.lfUnderline = TRUE;
              link_font_.reset(::CreateFontIndirectA(&font));
            }
          }
          if (link_font_) {
            ::SendMessageA(control_window, WM_SETFONT, reinterpret_cast<WPARAM>(link_font_.get()),
                           FALSE);
          }
        }
        break;
      default:
        break;
    }
  }
  peers_.clear();
  for (size_t row = 0; row < spec_.controls.size(); ++row) {
    peers_.push_back(row_windows_[row] ? MakePeer(*this, spec_.controls[row], row_windows_[row])
                                       : nullptr);
  }
}

void Win32DialogWindow::Detach() {
  peers_.clear();
  tooltips_.reset();
  tools_.clear();
  row_windows_.clear();
  window_ = nullptr;
}

const ControlSpec* Win32DialogWindow::Find(int id) const {
  for (const ControlSpec& control : spec_.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

HWND Win32DialogWindow::ControlWindow(int id) const {
  if (id == kIdStatic) return nullptr;  // many controls, none addressable
  for (size_t row = 0; row < row_windows_.size(); ++row) {
    if (spec_.controls[row].id == id) return row_windows_[row];
  }
  return nullptr;
}

const ControlSpec* Win32DialogWindow::RowOf(HWND control) const {
  for (size_t row = 0; row < row_windows_.size(); ++row) {
    if (row_windows_[row] == control) return &spec_.controls[row];
  }
  return nullptr;
}

bool Win32DialogWindow::IsLink(HWND control) const {
  const ControlSpec* row = RowOf(control);
  return row && row->kind == ControlKind::kLabel && (row->style & style::kLink) != 0;
}

void Win32DialogWindow::MoveFocusFrom(HWND control) {
  const HWND focus = ::GetFocus();
  if (!focus || (focus != control && !::IsChild(control, focus))) return;
  ::SendMessageA(::GetAncestor(window_, GA_ROOT), WM_NEXTDLGCTL, 0, FALSE);
}

void Win32DialogWindow::PaintNow() {
  if (!window_) return;
  ::RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Only paint messages: input would run the dialog's handlers in the middle
  // of the caller's work. Looking at the queue also lets Wine put what was
  // painted on the screen.
  MSG message;
  while (::PeekMessageA(&message, window_, 0, 0, PM_REMOVE | PM_QS_PAINT)) {
    ::DispatchMessageA(&message);
  }
}

void Win32DialogWindow::SetCaption(const std::string& caption) {
  if (!window_) return;
  if (role_ != WindowRole::kPage) {
    ::SetWindowTextA(window_, caption.c_str());
    return;
  }
  // A page's caption is its tab's title.
  const HWND sheet = ::GetParent(window_);
  const HWND tabs = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
  const int index =
      static_cast<int>(::SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(window_), 0));
  if (!tabs || index < 0) return;
  std::string text = caption;
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  ::SendMessageA(tabs, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
}

void Win32DialogWindow::SetWindowSize(int width, int height) {
  if (window_) {
    ::SetWindowPos(window_, nullptr, 0, 0, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Win32DialogWindow::GetClientSize(int* width, int* height) {
  RECT client{};
  if (window_) ::GetClientRect(window_, &client);
  if (width) *width = client.right;
  if (height) *height = client.bottom;
}

void Win32DialogWindow::MoveControl(int id, int x, int y, int width, int height) {
  if (const HWND control = ControlWindow(id)) ::MoveWindow(control, x, y, width, height, TRUE);
}

bool Win32DialogWindow::CreateTooltips(int max_width) {
  if (!window_) return false;
  if (!tooltips_) {
    tooltips_.reset(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                      ThisModule(), nullptr));
    if (!tooltips_) return false;
    // A bitmap button shows a picture, not its name: its name is its tip
    // until the code gives it another.
    for (size_t row = 0; row < row_windows_.size(); ++row) {
      const ControlSpec& control = spec_.controls[row];
      if (control.kind == ControlKind::kBitmapButton && row_windows_[row] && control.caption) {
        AddTool(row_windows_[row], control.caption);
      }
    }
  }
  ::SendMessageA(tooltips_.get(), TTM_SETMAXTIPWIDTH, 0, max_width);
  ::SendMessageA(tooltips_.get(), TTM_ACTIVATE, TRUE, 0);
  return true;
}

void Win32DialogWindow::AddTool(HWND tool, const std::string& text) {
  std::string tip = text;  // the tooltip keeps its own copy
  TTTOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by every comctl32
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = ::GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = tip.data();
  const bool known = !tools_.insert(tool).second;
  ::SendMessageA(tooltips_.get(), known ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
                 reinterpret_cast<LPARAM>(&info));
}

void Win32DialogWindow::AddTooltip(int id, const std::string& text) {
  const HWND control = ControlWindow(id);
  if (!tooltips_ || !control) return;
  AddTool(control, text);
  if (Find(id)->kind == ControlKind::kDropDownCombo) {
    // The mouse over an editable combo box is over its edit field.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (::GetComboBoxInfo(control, &info) && info.hwndItem) AddTool(info.hwndItem, text);
  }
}

void Win32DialogWindow::EndDialog(int result) {
  if (!window_) return;
  switch (role_) {
    case WindowRole::kModal:
      ::EndDialog(window_, result);
      break;
    case WindowRole::kModeless:
      ::DestroyWindow(window_);
      break;
    case WindowRole::kPage:
      if (page_end_) page_end_(page_end_context_, result);
      break;
  }
}

bool Win32DialogWindow::DrawItem(const DRAWITEMSTRUCT& item) {
  for (const std::unique_ptr<Win32Peer>& peer : peers_) {
    if (peer && peer->control() == item.hwndItem) return peer->DrawItem(item);
  }
  return false;
}

ControlPeer* Win32DialogWindow::Peer(int id) {
  if (id == kIdStatic) return nullptr;  // many controls, none addressable
  for (size_t row = 0; row < peers_.size(); ++row) {
    if (spec_.controls[row].id == id) return peers_[row].get();
  }
  return nullptr;
}

}  // namespace ui::win32
