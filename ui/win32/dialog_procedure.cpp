// Window messages to model events.
#include "ui/win32/dialog_procedure.h"

#include "ui/win32/common_controls.h"

#include <richedit.h>

#include <optional>

#include "ui/win32/owner_draw.h"
#include "ui/win32/property_sheet.h"

namespace ui::win32 {
namespace {

// The colour of links. Not COLOR_HOTLIGHT: colour schemes use that for
// hovering and may make it a pale grey.
constexpr COLORREF kLinkColour = RGB(0, 102, 204);

TemplateUse UseOf(WindowRole role) {
  switch (role) {
    case WindowRole::kModal: return TemplateUse::kModal;
    case WindowRole::kModeless: return TemplateUse::kModeless;
    case WindowRole::kPage: return TemplateUse::kPage;
  }
  return TemplateUse::kModal;
}

bool IsButton(ControlKind kind) {
  return kind == ControlKind::kCheckBox || kind == ControlKind::kRadioButton ||
         kind == ControlKind::kPushButton || kind == ControlKind::kDefaultButton ||
         kind == ControlKind::kBitmapButton;
}

INT_PTR OnCommand(DialogContext& context, WPARAM wparam, LPARAM lparam) {
  Dialog& dialog = context.dialog;
  Win32DialogWindow& window = context.window;
  const int id = LOWORD(wparam);
  const UINT code = HIWORD(wparam);
  // OK and Cancel, whether clicked, or Return, Escape and the close box
  // through the dialog manager. A page has neither: its sheet's are the
  // sheet's business.
  if (!context.page && (id == IDOK || id == IDCANCEL) && code == BN_CLICKED) {
    const bool close = id == IDOK ? dialog.FireOk() : dialog.FireCancel();
    if (close) window.EndDialog(id == IDOK ? kIdOk : kIdCancel);
    return TRUE;
  }
  const HWND from = reinterpret_cast<HWND>(lparam);
  const ControlSpec* control = from ? window.RowOf(from) : window.Find(id);
  if (!control || window.Quiet()) return FALSE;

  std::optional<Notify> notify;
  int index = -1;
  const ControlKind kind = control->kind;
  if (IsButton(kind)) {
    if (code == BN_CLICKED) notify = Notify::kClicked;
  } else if (kind == ControlKind::kLabel) {
    if (code == STN_CLICKED && (control->style & style::kLink)) notify = Notify::kClicked;
  } else if (kind == ControlKind::kEdit) {
    if (code == EN_CHANGE) notify = Notify::kChanged;
    if (code == EN_KILLFOCUS) notify = Notify::kKillFocus;
  } else if (kind == ControlKind::kRichEdit) {
    if (code == EN_CHANGE && !window.QuietChanges()) notify = Notify::kChanged;
    if (code == EN_SETFOCUS) notify = Notify::kSetFocus;
    if (code == EN_KILLFOCUS) notify = Notify::kKillFocus;
  } else if (kind == ControlKind::kDropDownList || kind == ControlKind::kDropDownCombo ||
             kind == ControlKind::kColourList) {
    if (code == CBN_SELCHANGE) {
      notify = Notify::kSelectionChanged;
      ListControl list(&window, control->id);
      index = list.Selection();
      // The edit part shows the new item only after this notification;
      // show it now so the handler reads what the user sees.
      if (kind == ControlKind::kDropDownCombo && index >= 0) list.SetText(list.ItemText(index));
    }
    if (code == CBN_EDITCHANGE) notify = Notify::kChanged;
    if (code == CBN_KILLFOCUS) notify = Notify::kKillFocus;
  } else if (kind == ControlKind::kListBox) {
    if (code == LBN_SELCHANGE) notify = Notify::kSelectionChanged;
    if (code == LBN_DBLCLK) notify = Notify::kDoubleClicked;
    if (notify) index = ListControl(&window, control->id).Selection();
  }
  if (!notify) return FALSE;
  dialog.FireCommand(control->id, *notify, index);
  return TRUE;
}

// A list-view's notifications; true when one reached the model.
bool OnListViewNotify(DialogContext& context, const ControlSpec& control, LPARAM lparam) {
  const NMHDR& header = *reinterpret_cast<const NMHDR*>(lparam);
  if (header.code == LVN_ITEMCHANGED) {
    const NMLISTVIEW& change = *reinterpret_cast<const NMLISTVIEW*>(lparam);
    if (change.iItem < 0 || !(change.uChanged & LVIF_STATE)) return false;
    const UINT changed = change.uOldState ^ change.uNewState;
    bool fired = false;
    // A row's first state image is set when it is added, not by a click.
    if ((changed & LVIS_STATEIMAGEMASK) && (change.uOldState & LVIS_STATEIMAGEMASK)) {
      context.dialog.FireCommand(control.id, Notify::kRowChecked, change.iItem);
      fired = true;
    }
    if ((changed & LVIS_SELECTED) && (change.uNewState & LVIS_SELECTED)) {
      context.dialog.FireCommand(control.id, Notify::kSelectionChanged, change.iItem);
      fired = true;
    }
    return fired;
  }
  if (header.code == NM_DBLCLK) {
    const NMITEMACTIVATE& activate = *reinterpret_cast<const NMITEMACTIVATE*>(lparam);
    if (activate.iItem < 0) return false;  // the empty space below the rows
    context.dialog.FireCommand(control.id, Notify::kDoubleClicked, activate.iItem);
    return true;
  }
  return false;
}

INT_PTR Handle(DialogContext& context, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Dialog& dialog = context.dialog;
  Win32DialogWindow& window = context.window;
  switch (message) {
    case WM_INITDIALOG:
      window.Attach(hwnd);
      dialog.AttachWindow(&window);
      // A page is initialised by the sheet's rules when it is first shown.
      if (context.page) return TRUE;
      // True: the dialog manager gives the first control the focus.
      return dialog.FireInit() ? TRUE : FALSE;

    case WM_COMMAND:
      return OnCommand(context, wparam, lparam);

    case WM_NOTIFY: {
      const NMHDR& header = *reinterpret_cast<const NMHDR*>(lparam);
      if (context.page && header.hwndFrom == ::GetParent(hwnd) && header.code >= PSN_LAST &&
          header.code <= PSN_FIRST) {
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, context.sheet->OnPageNotify(context, header));
        return TRUE;
      }
      const ControlSpec* control = window.RowOf(header.hwndFrom);
      if (!control || window.Quiet()) return FALSE;
      if (control->kind == ControlKind::kRichEdit) {
        if (header.code != EN_SELCHANGE) return FALSE;
        dialog.FireCommand(control->id, Notify::kSelectionChanged);
        return TRUE;
      }
      if (control->kind != ControlKind::kListView) return FALSE;
      return OnListViewNotify(context, *control, lparam) ? TRUE : FALSE;
    }

    case WM_HSCROLL:
    case WM_VSCROLL: {
      const HWND from = reinterpret_cast<HWND>(lparam);
      const ControlSpec* control = from ? window.RowOf(from) : nullptr;
      // TB_ENDTRACK follows every move: one event per move is enough.
      if (!control || control->kind != ControlKind::kSlider || window.Quiet() ||
          LOWORD(wparam) == TB_ENDTRACK) {
        return FALSE;
      }
      dialog.FireCommand(control->id, Notify::kScrolled,
                         static_cast<int>(::SendMessageA(from, TBM_GETPOS, 0, 0)));
      return TRUE;
    }

    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) dialog.FireSize(LOWORD(lparam), HIWORD(lparam));
      return FALSE;

    case WM_DRAWITEM:
      return window.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)) ? TRUE : FALSE;

    case WM_CTLCOLORSTATIC: {
      // Links are blue on whatever the dialog's own answer is (a themed page
      // has a texture of its own): ask the default handling first, which
      // comes back here once.
      thread_local bool asking_default = false;
      if (asking_default || !window.IsLink(reinterpret_cast<HWND>(lparam))) return FALSE;
      asking_default = true;
      const LRESULT brush = ::DefDlgProcA(hwnd, message, wparam, lparam);
      asking_default = false;
      const HDC dc = reinterpret_cast<HDC>(wparam);
      ::SetTextColor(dc, kLinkColour);
      ::SetBkMode(dc, TRANSPARENT);
      return static_cast<INT_PTR>(brush);
    }

    case WM_SETCURSOR:
      if (window.IsLink(reinterpret_cast<HWND>(wparam))) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;

    case WM_DESTROY:
      dialog.FireDestroy();
      dialog.DetachWindow();
      window.Detach();
      // Children destroyed after this still notify: nobody is listening.
      ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
      context.finished = true;
      return FALSE;

    default:
      return FALSE;
  }
}

}  // namespace

DialogContext::DialogContext(Dialog& dialog_in, WindowRole role)
    : dialog(dialog_in), window(dialog_in.spec(), role),
      dialog_template(dialog_in.spec(), UseOf(role)) {}

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_MEASUREITEM) {
    // Sent while the controls are made, before WM_INITDIALOG: colour lists
    // are the only owner-drawn lists, their items (and the selection field)
    // as high as the font needs.
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
    if (measure->CtlType != ODT_COMBOBOX) return FALSE;
    measure->itemHeight = static_cast<UINT>(ColourItemHeight(window));
    return TRUE;
  }
  DialogContext* context = nullptr;
  if (message == WM_INITDIALOG) {
    context = reinterpret_cast<DialogContext*>(lparam);
    ::SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
  } else {
    context = reinterpret_cast<DialogContext*>(::GetWindowLongPtrA(window, DWLP_USER));
  }
  if (!context) return FALSE;
  ++context->depth;
  const INT_PTR result = Handle(*context, window, message, wparam, lparam);
  --context->depth;
  if (context->finished && context->depth == 0 && context->owned_by_window) delete context;
  return result;
}

INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    lparam = reinterpret_cast<const PROPSHEETPAGEA*>(lparam)->lParam;
  }
  return DialogProcedure(window, message, wparam, lparam);
}

}  // namespace ui::win32
