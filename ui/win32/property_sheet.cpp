// The model's sheets as comctl32 property sheets.
#include "ui/win32/property_sheet.h"

#include "ui/win32/common_controls.h"

#include "ui/win32/module_class.h"

namespace ui::win32 {
namespace {

constexpr wchar_t kRunProperty[] = L"GlintmereSheetRun";
// Posted to the sheet: show the page the model has active again (after a
// move comctl32 began on its own was refused), or end the sheet for a page.
constexpr UINT kFollowModelMessage = WM_APP + 0x4D1;
constexpr UINT kEndMessage = WM_APP + 0x4D2;

// The sheet whose PropertySheetA call is starting on this thread: the
// sheet callback has no parameter of its own.
thread_local SheetRun* starting_sheet = nullptr;

// The style words of a dialog template, in either format.
DWORD* TemplateStyle(void* dialog_template, DWORD** ex_style) {
  auto* words = static_cast<WORD*>(dialog_template);
  if (words[1] == 0xFFFF) {  // DLGTEMPLATEEX: dlgVer, signature, helpID, exStyle, style
    *ex_style = reinterpret_cast<DWORD*>(words + 4);
    return reinterpret_cast<DWORD*>(words + 6);
  }
  *ex_style = reinterpret_cast<DWORD*>(words + 2);
  return reinterpret_cast<DWORD*>(words);
}

}  // namespace

SheetRun::SheetRun(PropertySheet& sheet, HWND parent) : sheet_(sheet), parent_(parent) {}

SheetRun::~SheetRun() = default;

int SheetRun::Run() {
  const std::vector<PropertyPage*>& model_pages = sheet_.pages();
  // comctl32 steps through the array by each entry's dwSize: the entries
  // are exactly as large as the first version of the structure, which every
  // comctl32 knows.
  std::vector<PROPSHEETPAGEA_V1> pages(model_pages.size());
  for (size_t i = 0; i < model_pages.size(); ++i) {
    auto context = std::make_unique<DialogContext>(*model_pages[i], WindowRole::kPage);
    context->page = model_pages[i];
    context->sheet = this;
    context->page_index = static_cast<int>(i);
    context->window.SetPageEnd(&SheetRun::EndFromPage, this);
    PROPSHEETPAGEA_V1& page = pages[i];
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE | (sheet_.help_button() ? PSP_HASHELP : 0);
    page.hInstance = ThisModule();
    page.pResource = context->dialog_template.get();
    page.pszTitle = model_pages[i]->spec().caption ? model_pages[i]->spec().caption : "";
    page.pfnDlgProc = PageProcedure;
    page.lParam = reinterpret_cast<LPARAM>(context.get());
    pages_.push_back(std::move(context));
  }

  PROPSHEETHEADERA header{};
  header.dwSize = PROPSHEETHEADERA_V1_SIZE;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK |
                   (sheet_.help_button() ? PSH_HASHELP : 0);
  header.hwndParent = parent_;
  header.hInstance = ThisModule();
  header.pszCaption = sheet_.caption().c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.nStartPage = static_cast<UINT>(sheet_.start_page());
  header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(pages.data());
  header.pfnCallback = &SheetRun::SheetCallback;

  outer_ = starting_sheet;
  starting_sheet = this;
  sheet_.SetPageCreator(this);
  sheet_.SetRunning(true, nullptr);
  const INT_PTR result = ::PropertySheetA(&header);
  sheet_.SetRunning(false, nullptr);
  sheet_.SetPageCreator(nullptr);
  starting_sheet = outer_;
  // comctl32's own result does not say whether the model accepted OK.
  return result >= 0 && accepted_ ? kIdOk : kIdCancel;
}

int CALLBACK SheetRun::SheetCallback(HWND window, UINT message, LPARAM lparam) {
  if (message == PSCB_PRECREATE && lparam) {
    // No "?" button (nothing answers it); centred like the dialogs.
    DWORD* ex_style = nullptr;
    DWORD* style = TemplateStyle(reinterpret_cast<void*>(lparam), &ex_style);
    *style = (*style & ~static_cast<DWORD>(DS_CONTEXTHELP)) | DS_CENTER;
    *ex_style &= ~static_cast<DWORD>(WS_EX_CONTEXTHELP);
  } else if (message == PSCB_INITIALIZED && starting_sheet) {
    starting_sheet->Subclass(window);
  }
  return 0;
}

void SheetRun::Subclass(HWND window) {
  window_ = window;
  unicode_ = ::IsWindowUnicode(window) != FALSE;
  ::SetPropW(window, kRunProperty, this);
  const LONG_PTR procedure = reinterpret_cast<LONG_PTR>(&SheetRun::SubclassProcedure);
  original_ = reinterpret_cast<WNDPROC>(
      unicode_ ? ::SetWindowLongPtrW(window, GWLP_WNDPROC, procedure)
               : ::SetWindowLongPtrA(window, GWLP_WNDPROC, procedure));
  sheet_.SetRunning(true, window);
}

LRESULT CALLBACK SheetRun::SubclassProcedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  auto* run = static_cast<SheetRun*>(::GetPropW(window, kRunProperty));
  if (!run) return ::DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    // The sheet is going: comctl32's procedure finishes alone.
    const WNDPROC original = run->original_;
    const bool unicode = run->unicode_;
    ::RemovePropW(window, kRunProperty);
    if (unicode) {
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    } else {
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    run->window_ = nullptr;
    run->sheet_.SetRunning(true, nullptr);
    return unicode ? ::CallWindowProcW(original, window, message, wparam, lparam)
                   : ::CallWindowProcA(original, window, message, wparam, lparam);
  }
  return run->OnSheetMessage(message, wparam, lparam);
}

LRESULT SheetRun::Forward(UINT message, WPARAM wparam, LPARAM lparam) {
  return unicode_ ? ::CallWindowProcW(original_, window_, message, wparam, lparam)
                  : ::CallWindowProcA(original_, window_, message, wparam, lparam);
}

LRESULT SheetRun::ForwardQuietly(UINT message, WPARAM wparam, LPARAM lparam) {
  ++quiet_;
  const LRESULT result = Forward(message, wparam, lparam);
  --quiet_;
  return result;
}

void SheetRun::Wake() {
  if (window_) ::PostMessageA(window_, WM_NULL, 0, 0);
}

LRESULT SheetRun::OnSheetMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (quiet_ > 0) return Forward(message, wparam, lparam);
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK && HIWORD(wparam) == BN_CLICKED) {
        PressOk();
        return 0;
      }
      if (LOWORD(wparam) == IDCANCEL || LOWORD(wparam) == IDHELP) {
        const LRESULT result = Forward(message, wparam, lparam);
        Wake();
        return result;
      }
      break;

    case PSM_PRESSBUTTON:
      if (wparam == PSBTN_OK) {
        PressOk();
        return 0;
      } else {
        const LRESULT result = Forward(message, wparam, lparam);
        Wake();
        return result;
      }

    case WM_CLOSE:
    case WM_SYSCOMMAND: {
      const LRESULT result = Forward(message, wparam, lparam);
      Wake();
      return result;
    }

    case PSM_SETCURSEL: {
      // A page handle takes precedence over the index, as for comctl32.
      const int index = lparam ? static_cast<int>(Forward(PSM_PAGETOINDEX, 0, lparam))
                               : static_cast<int>(wparam);
      return RequestPage(index) ? TRUE : FALSE;
    }

    case WM_NOTIFY: {
      const NMHDR& header = *reinterpret_cast<const NMHDR*>(lparam);
      const HWND tabs = reinterpret_cast<HWND>(Forward(PSM_GETTABCONTROL, 0, 0));
      if (header.hwndFrom != tabs) break;
      // A click on a tab: the tab control asks first (allowed here; the
      // model decides below, knowing the target) and then reports the
      // change, which is undone until the model agrees.
      if (header.code == TCN_SELCHANGING) return FALSE;
      if (header.code == TCN_SELCHANGE) {
        const int index = static_cast<int>(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
        ::SendMessageA(tabs, TCM_SETCURSEL, shown_, 0);
        RequestPage(index);
        return 0;
      }
      break;
    }

    case kFollowModelMessage:
      FollowModel();
      return 0;

    case kEndMessage:
      // A page ended the sheet with a result of its own: no page is asked.
      cancelled_ = true;
      ForwardQuietly(PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      Wake();
      return 0;

    default:
      break;
  }
  return Forward(message, wparam, lparam);
}

void SheetRun::PressOk() {
  // The sheet's own check and the pages' rules, before comctl32 asks any
  // page; comctl32 then closes the sheet without asking again.
  if (!sheet_.RequestOk()) return;
  accepted_ = true;
  ForwardQuietly(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(window_, IDOK)));
  Wake();
}

bool SheetRun::RequestPage(int index) {
  const bool moved = sheet_.RequestPage(index);
  FollowModel();
  return moved;
}

void SheetRun::FollowModel() {
  const int active = sheet_.active_page();
  if (window_ && active >= 0 && active != shown_) ShowQuietly(active);
}

void SheetRun::ShowQuietly(int index) { ForwardQuietly(PSM_SETCURSEL, index, 0); }

int SheetRun::IndexOf(const PropertyPage& page) const {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i]->page == &page) return static_cast<int>(i);
  }
  return -1;
}

bool SheetRun::CreatePage(PropertyPage& page) {
  const int index = IndexOf(page);
  if (index < 0) return false;
  // comctl32 makes a page's window when it first shows it.
  if (!pages_[index]->window.window()) ShowQuietly(index);
  return pages_[index]->window.window() != nullptr;
}

void SheetRun::ShowPage(PropertyPage& page) {
  const int index = IndexOf(page);
  // A page comctl32 is activating right now is about to be shown anyway.
  if (index >= 0 && index != activating_ && index != shown_) ShowQuietly(index);
}

void SheetRun::EndFromPage(void* run, int result) {
  auto* self = static_cast<SheetRun*>(run);
  self->accepted_ = result == kIdOk;
  if (self->window_) ::PostMessageA(self->window_, kEndMessage, 0, 0);
}

LRESULT SheetRun::OnPageNotify(DialogContext& page, const NMHDR& header) {
  const int index = page.page_index;
  switch (header.code) {
    case PSN_SETACTIVE: {
      if (quiet_ == 0) {
        // comctl32 moved on its own (the first page, Ctrl+Tab): the same
        // rules as for a click; the page left gets its PSN_KILLACTIVE check
        // here. A refusal is undone once comctl32 has finished.
        activating_ = index;
        const bool moved = sheet_.RequestPage(index);
        activating_ = -1;
        if (!moved && window_) ::PostMessageA(window_, kFollowModelMessage, 0, 0);
      }
      shown_ = index;
      return 0;
    }
    case PSN_KILLACTIVE:
      // Decided where the target is known: at its PSN_SETACTIVE, or by
      // RequestOk at the PSN_APPLY that follows for OK.
      if (quiet_ == 0) apply_checked_ = false;
      return FALSE;
    case PSN_APPLY:
      if (quiet_ > 0 || apply_checked_) return PSNRET_NOERROR;
      apply_checked_ = true;
      if (!sheet_.RequestOk()) {
        apply_checked_ = false;
        return PSNRET_INVALID_NOCHANGEPAGE;
      }
      accepted_ = true;
      return PSNRET_NOERROR;
    case PSN_RESET:
      if (quiet_ == 0 && !cancelled_) {
        // Cancel after an apply that did not close the sheet is a cancel.
        cancelled_ = true;
        accepted_ = false;
        sheet_.RequestCancel();
      }
      return 0;
    case PSN_QUERYCANCEL:
      return FALSE;
    case PSN_HELP:
      if (quiet_ == 0) sheet_.RequestHelp();
      return 0;
    default:
      return 0;
  }
}

}  // namespace ui::win32
