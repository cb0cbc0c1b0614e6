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

// List-view state images: 1 unchecked, 2 checked.
constexpr UINT kUncheckedImage = 1;
constexpr UINT kCheckedImage = 2;
// Rows may arrive before any column; beyond this a text is not read back.
constexpr int kLongestRowText = 1 << 20;

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

// A system icon by its everyday name.
LPCSTR SystemIconName(const char* name) {
  const std::string text = name ? name : "";
  if (text == "warning" || text == "exclamation") return IDI_WARNING;
  if (text == "information" || text == "asterisk") return IDI_INFORMATION;
  if (text == "error" || text == "hand" || text == "stop") return IDI_ERROR;
  if (text == "question") return IDI_QUESTION;
  return IDI_APPLICATION;
}

int ColumnCount(HWND list_view) {
  const HWND header = reinterpret_cast<HWND>(::SendMessageA(list_view, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

// What is left of the list-view's width after its columns, for a column
// given no width of its own.
int RemainingWidth(HWND list_view) {
  RECT client{};
  ::GetClientRect(list_view, &client);
  int used = 0;
  for (int i = 0, n = ColumnCount(list_view); i < n; ++i) {
    used += static_cast<int>(::SendMessageA(list_view, LVM_GETCOLUMNWIDTH, i, 0));
  }
  return std::max<int>(client.right - used - ::GetSystemMetrics(SM_CXVSCROLL), 40);
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
}

void Win32DialogWindow::Detach() {
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

HWND Win32DialogWindow::Control(int id) const {
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

Win32DialogWindow::ListFamily Win32DialogWindow::FamilyOf(int id) const {
  const ControlSpec* control = Find(id);
  if (!control) return ListFamily::kNone;
  switch (control->kind) {
    case ControlKind::kDropDownList:
    case ControlKind::kDropDownCombo:
    case ControlKind::kColourList:
      return ListFamily::kCombo;
    case ControlKind::kListBox:
      return ListFamily::kListBox;
    case ControlKind::kListView:
      return ListFamily::kListView;
    default:
      return ListFamily::kNone;
  }
}

bool Win32DialogWindow::IsColourList(int id) const {
  const ControlSpec* control = Find(id);
  return control && control->kind == ControlKind::kColourList;
}

bool Win32DialogWindow::IsMultiSelectList(int id) const {
  const ControlSpec* control = Find(id);
  return control && control->kind == ControlKind::kListBox &&
         (control->style & style::kMultiSelect) != 0;
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
  if (const HWND control = Control(id)) ::MoveWindow(control, x, y, width, height, TRUE);
}

std::string Win32DialogWindow::GetText(int id) {
  const HWND control = Control(id);
  if (!control) return std::string();
  if (Find(id)->kind == ControlKind::kDropDownList) {
    // Read from the list: during CBN_SELCHANGE the shown text is still the
    // old one.
    const int selected = GetSelection(id);
    return selected >= 0 ? ItemText(id, selected) : std::string();
  }
  return WindowText(control);
}

void Win32DialogWindow::SetText(int id, const std::string& text) {
  const HWND control = Control(id);
  if (!control) return;
  if (Find(id)->kind == ControlKind::kDropDownList) {
    // A drop-down list can only show one of its items.
    const LRESULT found = ::SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(control, CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : found, 0);
    return;
  }
  {
    QuietScope quiet(*this);  // EN_CHANGE from the program's own text
    ::SetWindowTextA(control, text.c_str());
  }
  if (role_ == WindowRole::kModeless) PaintNow();
}

void Win32DialogWindow::Enable(int id, bool enabled) {
  const HWND control = Control(id);
  if (!control) return;
  if (!enabled) MoveFocusFrom(control);
  ::EnableWindow(control, enabled ? TRUE : FALSE);
}

bool Win32DialogWindow::IsEnabled(int id) {
  const HWND control = Control(id);
  return control && ::IsWindowEnabled(control);
}

void Win32DialogWindow::Show(int id, bool visible) {
  const HWND control = Control(id);
  if (!control) return;
  if (!visible) MoveFocusFrom(control);
  ::ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32DialogWindow::IsVisible(int id) {
  // The control's own state: a page not on top still has visible controls.
  const HWND control = Control(id);
  return control && (::GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32DialogWindow::SetFocus(int id) {
  const HWND control = Control(id);
  if (!control) return;
  // Through the dialog manager, so the default button follows the focus.
  ::SendMessageA(::GetAncestor(window_, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control),
                 TRUE);
}

void Win32DialogWindow::SelectText(int id, int start, int end) {
  const HWND control = Control(id);
  if (!control) return;
  if (FamilyOf(id) == ListFamily::kCombo) {
    ::SendMessageA(control, CB_SETEDITSEL, 0,
                   MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(end)));
    return;
  }
  ::SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  ::SendMessageA(control, EM_SCROLLCARET, 0, 0);
}

void Win32DialogWindow::SetTextLimit(int id, int characters) {
  const HWND control = Control(id);
  if (!control) return;
  // 0 lifts the limit, as for the controls themselves.
  const WPARAM limit = characters > 0 ? static_cast<WPARAM>(characters) : 0;
  ::SendMessageA(control, FamilyOf(id) == ListFamily::kCombo ? CB_LIMITTEXT : EM_LIMITTEXT, limit,
                 0);
}

void Win32DialogWindow::SetButtonLook(int id, int look) {
  const HWND control = Control(id);
  if (!control) return;
  button_looks_[id] = look;
  ::InvalidateRect(control, nullptr, TRUE);
}

bool Win32DialogWindow::IsChecked(int id) {
  const HWND control = Control(id);
  return control && ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32DialogWindow::SetChecked(int id, bool checked) {
  if (const HWND control = Control(id)) {
    ::SendMessageA(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void Win32DialogWindow::InsertSwatch(int id, size_t index) {
  std::vector<std::optional<Colour>>& swatches = swatches_[id];
  swatches.insert(swatches.begin() + static_cast<std::ptrdiff_t>(std::min(index, swatches.size())),
                  std::nullopt);
}

std::vector<std::optional<Colour>>& Win32DialogWindow::Swatches(int id) {
  std::vector<std::optional<Colour>>& swatches = swatches_[id];
  // Every change of the items goes through this object; the size check
  // only keeps drawing safe should one not.
  const size_t count = static_cast<size_t>(ItemCount(id));
  if (swatches.size() != count) swatches.resize(count);
  return swatches;
}

void Win32DialogWindow::ClearItems(int id) {
  const HWND control = Control(id);
  if (!control) return;
  switch (FamilyOf(id)) {
    case ListFamily::kCombo:
      ::SendMessageA(control, CB_RESETCONTENT, 0, 0);
      swatches_.erase(id);
      break;
    case ListFamily::kListBox:
      ::SendMessageA(control, LB_RESETCONTENT, 0, 0);
      break;
    case ListFamily::kListView: {
      QuietScope quiet(*this);
      ::SendMessageA(control, LVM_DELETEALLITEMS, 0, 0);
      break;
    }
    case ListFamily::kNone:
      break;
  }
}

int Win32DialogWindow::AddItem(int id, const std::string& text, intptr_t data) {
  const HWND control = Control(id);
  if (!control) return -1;
  switch (FamilyOf(id)) {
    case ListFamily::kCombo: {
      const LRESULT index =
          ::SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      if (index < 0) return -1;
      ::SendMessageA(control, CB_SETITEMDATA, index, static_cast<LPARAM>(data));
      if (IsColourList(id)) InsertSwatch(id, static_cast<size_t>(index));
      return static_cast<int>(index);
    }
    case ListFamily::kListBox: {
      const LRESULT index =
          ::SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      if (index < 0) return -1;
      ::SendMessageA(control, LB_SETITEMDATA, index, static_cast<LPARAM>(data));
      return static_cast<int>(index);
    }
    case ListFamily::kListView:
      return AddRow(id, {text}, -1, data);
    case ListFamily::kNone:
      break;
  }
  return -1;
}

int Win32DialogWindow::InsertItem(int id, int index, const std::string& text, intptr_t data) {
  const HWND control = Control(id);
  const ListFamily family = FamilyOf(id);
  if (!control || family == ListFamily::kNone) return -1;
  const int count = ItemCount(id);
  // -1 appends; past the end is refused, as by the controls.
  if (index < 0) index = count;
  if (index > count) return -1;
  switch (family) {
    case ListFamily::kCombo: {
      const LRESULT at = ::SendMessageA(control, CB_INSERTSTRING, index,
                                        reinterpret_cast<LPARAM>(text.c_str()));
      if (at < 0) return -1;
      ::SendMessageA(control, CB_SETITEMDATA, at, static_cast<LPARAM>(data));
      if (IsColourList(id)) InsertSwatch(id, static_cast<size_t>(at));
      return static_cast<int>(at);
    }
    case ListFamily::kListBox: {
      const LRESULT at = ::SendMessageA(control, LB_INSERTSTRING, index,
                                        reinterpret_cast<LPARAM>(text.c_str()));
      if (at < 0) return -1;
      ::SendMessageA(control, LB_SETITEMDATA, at, static_cast<LPARAM>(data));
      return static_cast<int>(at);
    }
    case ListFamily::kListView:
      return InsertRow(id, index, {text}, -1, data);
    case ListFamily::kNone:
      break;
  }
  return -1;
}

void Win32DialogWindow::DeleteItem(int id, int index) {
  const HWND control = Control(id);
  if (!control || index < 0 || index >= ItemCount(id)) return;
  switch (FamilyOf(id)) {
    case ListFamily::kCombo:
      if (IsColourList(id)) {
        std::vector<std::optional<Colour>>& swatches = Swatches(id);
        if (index < static_cast<int>(swatches.size())) swatches.erase(swatches.begin() + index);
      }
      ::SendMessageA(control, CB_DELETESTRING, index, 0);
      break;
    case ListFamily::kListBox:
      ::SendMessageA(control, LB_DELETESTRING, index, 0);
      break;
    case ListFamily::kListView: {
      QuietScope quiet(*this);
      ::SendMessageA(control, LVM_DELETEITEM, index, 0);
      break;
    }
    case ListFamily::kNone:
      break;
  }
}

int Win32DialogWindow::ItemCount(int id) {
  const HWND control = Control(id);
  if (!control) return 0;
  LRESULT count = 0;
  switch (FamilyOf(id)) {
    case ListFamily::kCombo:
      count = ::SendMessageA(control, CB_GETCOUNT, 0, 0);
      break;
    case ListFamily::kListBox:
      count = ::SendMessageA(control, LB_GETCOUNT, 0, 0);
      break;
    case ListFamily::kListView:
      count = ::SendMessageA(control, LVM_GETITEMCOUNT, 0, 0);
      break;
    case ListFamily::kNone:
      break;
  }
  return count > 0 ? static_cast<int>(count) : 0;
}

std::string Win32DialogWindow::ItemText(int id, int index) {
  const HWND control = Control(id);
  if (!control || index < 0 || index >= ItemCount(id)) return std::string();
  const ListFamily family = FamilyOf(id);
  if (family == ListFamily::kListView) return RowText(id, index, 0);
  const bool combo = family == ListFamily::kCombo;
  const LRESULT length =
      ::SendMessageA(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied = ::SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

intptr_t Win32DialogWindow::ItemData(int id, int index) {
  const HWND control = Control(id);
  if (!control || index < 0 || index >= ItemCount(id)) return 0;
  switch (FamilyOf(id)) {
    case ListFamily::kCombo:
      return static_cast<intptr_t>(::SendMessageA(control, CB_GETITEMDATA, index, 0));
    case ListFamily::kListBox:
      return static_cast<intptr_t>(::SendMessageA(control, LB_GETITEMDATA, index, 0));
    case ListFamily::kListView: {
      LVITEMA item{};
      item.mask = LVIF_PARAM;
      item.iItem = index;
      ::SendMessageA(control, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      return static_cast<intptr_t>(item.lParam);
    }
    case ListFamily::kNone:
      break;
  }
  return 0;
}

void Win32DialogWindow::SetItemData(int id, int index, intptr_t data) {
  const HWND control = Control(id);
  if (!control || index < 0 || index >= ItemCount(id)) return;
  switch (FamilyOf(id)) {
    case ListFamily::kCombo:
      ::SendMessageA(control, CB_SETITEMDATA, index, static_cast<LPARAM>(data));
      break;
    case ListFamily::kListBox:
      ::SendMessageA(control, LB_SETITEMDATA, index, static_cast<LPARAM>(data));
      break;
    case ListFamily::kListView: {
      QuietScope quiet(*this);
      LVITEMA item{};
      item.mask = LVIF_PARAM;
      item.iItem = index;
      item.lParam = static_cast<LPARAM>(data);
      ::SendMessageA(control, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      break;
    }
    case ListFamily::kNone:
      break;
  }
}

int Win32DialogWindow::GetSelection(int id) {
  const HWND control = Control(id);
  if (!control) return -1;
  LRESULT selected = -1;
  switch (FamilyOf(id)) {
    case ListFamily::kCombo:
      selected = ::SendMessageA(control, CB_GETCURSEL, 0, 0);
      break;
    case ListFamily::kListBox:
      if (IsMultiSelectList(id)) {
        // The first selected row (LB_GETCURSEL is the caret there).
        int first = -1;
        if (::SendMessageA(control, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first)) < 1) {
          first = -1;
        }
        selected = first;
      } else {
        selected = ::SendMessageA(control, LB_GETCURSEL, 0, 0);
      }
      break;
    case ListFamily::kListView:
      selected = ::SendMessageA(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
      break;
    case ListFamily::kNone:
      break;
  }
  return selected >= 0 ? static_cast<int>(selected) : -1;
}

void Win32DialogWindow::SetSelection(int id, int index) {
  const HWND control = Control(id);
  if (!control) return;
  // An index out of range selects nothing, as CB_SETCURSEL does.
  const bool valid = index >= 0 && index < ItemCount(id);
  switch (FamilyOf(id)) {
    case ListFamily::kCombo:
      ::SendMessageA(control, CB_SETCURSEL, valid ? index : -1, 0);
      break;
    case ListFamily::kListBox:
      if (IsMultiSelectList(id)) {
        ::SendMessageA(control, LB_SETSEL, FALSE, -1);
        if (valid) {
          ::SendMessageA(control, LB_SETSEL, TRUE, index);
          ::SendMessageA(control, LB_SETCARETINDEX, index, FALSE);
        }
      } else {
        ::SendMessageA(control, LB_SETCURSEL, valid ? index : -1, 0);
      }
      break;
    case ListFamily::kListView: {
      QuietScope quiet(*this);
      LVITEMA item{};
      item.stateMask = LVIS_SELECTED;
      ::SendMessageA(control, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&item));
      if (valid) {
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(control, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
        ::SendMessageA(control, LVM_ENSUREVISIBLE, index, FALSE);
      }
      break;
    }
    case ListFamily::kNone:
      break;
  }
}

bool Win32DialogWindow::IsSelected(int id, int index) {
  const HWND control = Control(id);
  if (!control || index < 0 || index >= ItemCount(id)) return false;
  switch (FamilyOf(id)) {
    case ListFamily::kCombo:
      return ::SendMessageA(control, CB_GETCURSEL, 0, 0) == index;
    case ListFamily::kListBox:
      return ::SendMessageA(control, LB_GETSEL, index, 0) > 0;
    case ListFamily::kListView:
      return (::SendMessageA(control, LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) !=
             0;
    case ListFamily::kNone:
      break;
  }
  return false;
}

void Win32DialogWindow::SetSelected(int id, int index, bool selected) {
  const HWND control = Control(id);
  // LB_SETSEL and LVM_SETITEMSTATE take -1 as "every item": refuse it.
  if (!control || index < 0 || index >= ItemCount(id)) return;
  const ListFamily family = FamilyOf(id);
  if (family == ListFamily::kListView) {
    QuietScope quiet(*this);
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    ::SendMessageA(control, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
  } else if (IsMultiSelectList(id)) {
    ::SendMessageA(control, LB_SETSEL, selected ? TRUE : FALSE, index);
  } else if (selected) {
    SetSelection(id, index);
  } else if (GetSelection(id) == index) {
    SetSelection(id, -1);
  }
}

void Win32DialogWindow::AddColumn(int id, const std::string& title, int width) {
  const HWND control = Control(id);
  if (!control || FamilyOf(id) != ListFamily::kListView) return;
  std::string text = title;
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = text.data();
  if (implicit_columns_.erase(id)) {
    // The column made for rows that came first becomes this one.
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width > 0 ? width : RemainingWidth(control) +
                                        static_cast<int>(::SendMessageA(control, LVM_GETCOLUMNWIDTH, 0, 0));
    ::SendMessageA(control, LVM_SETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    return;
  }
  const int count = ColumnCount(control);
  column.cx = width > 0 ? width : RemainingWidth(control);
  column.iSubItem = count;
  ::SendMessageA(control, LVM_INSERTCOLUMNA, count, reinterpret_cast<LPARAM>(&column));
}

int Win32DialogWindow::AddRow(int id, const std::vector<std::string>& texts, int icon,
                              intptr_t data) {
  return InsertRow(id, ItemCount(id), texts, icon, data);
}

int Win32DialogWindow::InsertRow(int id, int index, const std::vector<std::string>& texts,
                                 int icon, intptr_t data) {
  const HWND control = Control(id);
  if (!control || FamilyOf(id) != ListFamily::kListView) return -1;
  if (ColumnCount(control) == 0) {
    // A report view shows nothing without a column: give the rows one as
    // wide as the list until the code adds its own.
    std::string empty;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = empty.data();
    column.cx = RemainingWidth(control);
    ::SendMessageA(control, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    implicit_columns_.insert(id);
  }
  QuietScope quiet(*this);  // LVN_ITEMCHANGED of a new row is not the user's
  std::string first = texts.empty() ? std::string() : texts[0];
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  if (icon >= 0) {
    item.mask |= LVIF_IMAGE;
    item.iImage = icon;
  }
  item.iItem = index;
  item.pszText = first.data();
  item.lParam = static_cast<LPARAM>(data);
  const int row =
      static_cast<int>(::SendMessageA(control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return -1;
  for (size_t column = 1; column < texts.size(); ++column) {
    std::string text = texts[column];
    LVITEMA sub_item{};
    sub_item.iSubItem = static_cast<int>(column);
    sub_item.pszText = text.data();
    ::SendMessageA(control, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub_item));
  }
  return row;
}

std::string Win32DialogWindow::RowText(int id, int row, int column) {
  const HWND control = Control(id);
  if (!control || FamilyOf(id) != ListFamily::kListView || row < 0 || row >= ItemCount(id) ||
      column < 0) {
    return std::string();
  }
  std::string text(256, '\0');
  for (;;) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const int length = static_cast<int>(
        ::SendMessageA(control, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
    // A text that filled the buffer may have been cut: read it again larger.
    if (length < static_cast<int>(text.size()) - 1 || static_cast<int>(text.size()) >= kLongestRowText) {
      text.resize(static_cast<size_t>(std::clamp(length, 0, static_cast<int>(text.size()))));
      return text;
    }
    text.assign(text.size() * 2, '\0');
  }
}

bool Win32DialogWindow::IsRowChecked(int id, int row) {
  const HWND control = Control(id);
  if (!control || FamilyOf(id) != ListFamily::kListView || row < 0 || row >= ItemCount(id)) {
    return false;
  }
  const UINT state =
      static_cast<UINT>(::SendMessageA(control, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == kCheckedImage;
}

void Win32DialogWindow::SetRowChecked(int id, int row, bool checked) {
  const HWND control = Control(id);
  if (!control || FamilyOf(id) != ListFamily::kListView || row < 0 || row >= ItemCount(id)) return;
  QuietScope quiet(*this);
  LVITEMA item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? kCheckedImage : kUncheckedImage);
  ::SendMessageA(control, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void Win32DialogWindow::SetRowIcons(int id, const std::vector<std::string>& icon_names) {
  const HWND control = Control(id);
  if (!control || FamilyOf(id) != ListFamily::kListView) return;
  unique_image_list icons = MakeRowIcons(icon_names);
  if (!icons) return;
  ::SendMessageA(control, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons.get()));
  // The list-view no longer uses the old list: it may go now.
  row_icons_[id] = std::move(icons);
}

void Win32DialogWindow::SetRange(int id, int minimum, int maximum) {
  const HWND control = Control(id);
  if (!control) return;
  ::SendMessageA(control, TBM_SETRANGEMIN, FALSE, minimum);
  ::SendMessageA(control, TBM_SETRANGEMAX, TRUE, std::max(minimum, maximum));
}

int Win32DialogWindow::GetPosition(int id) {
  const HWND control = Control(id);
  return control ? static_cast<int>(::SendMessageA(control, TBM_GETPOS, 0, 0)) : 0;
}

void Win32DialogWindow::SetPosition(int id, int position) {
  if (const HWND control = Control(id)) ::SendMessageA(control, TBM_SETPOS, TRUE, position);
}

void Win32DialogWindow::SetTickFrequency(int id, int frequency) {
  if (const HWND control = Control(id)) ::SendMessageA(control, TBM_SETTICFREQ, frequency, 0);
}

void Win32DialogWindow::SetItemColour(int id, int index, Colour colour) {
  const HWND control = Control(id);
  if (!control || !IsColourList(id) || index < 0 || index >= ItemCount(id)) return;
  Swatches(id)[index] = colour;
  // The item may be the one the closed list shows.
  ::InvalidateRect(control, nullptr, TRUE);
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
  const HWND control = Control(id);
  if (!tooltips_ || !control) return;
  AddTool(control, text);
  if (Find(id)->kind == ControlKind::kDropDownCombo) {
    // The mouse over an editable combo box is over its edit field.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (::GetComboBoxInfo(control, &info) && info.hwndItem) AddTool(info.hwndItem, text);
  }
}

void Win32DialogWindow::Navigate(int id, const std::string& path_or_url) {
  if (const HWND control = Control(id)) BrowserNavigate(control, path_or_url);
}

bool Win32DialogWindow::ShowPicture(int id, const std::string& path) {
  const HWND control = Control(id);
  return control && PictureLoad(control, path);
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
  const ControlSpec* control = RowOf(item.hwndItem);
  if (!control) return false;
  if (control->kind == ControlKind::kColourList && item.CtlType == ODT_COMBOBOX) {
    std::string text;
    std::optional<Colour> swatch;
    if (item.itemID != static_cast<UINT>(-1)) {
      const int index = static_cast<int>(item.itemID);
      text = ItemText(control->id, index);
      std::vector<std::optional<Colour>>& swatches = Swatches(control->id);
      if (index < static_cast<int>(swatches.size())) swatch = swatches[index];
    }
    DrawColourItem(item, text, swatch);
    return true;
  }
  if (control->kind == ControlKind::kBitmapButton && item.CtlType == ODT_BUTTON) {
    const auto look = button_looks_.find(control->id);
    DrawBitmapButton(item, WindowText(item.hwndItem),
                     look == button_looks_.end() ? 0 : look->second);
    return true;
  }
  return false;
}

}  // namespace ui::win32
