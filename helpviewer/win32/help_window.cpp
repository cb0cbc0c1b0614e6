// KelHelp's main window.
#include "helpviewer/win32/help_window.h"

#include <cstring>
#include <vector>

#include "helpviewer/help_request.h"
#include "helpviewer/placement_store.h"
#include "platform/services.h"
#include "ui/win32/common_controls.h"
#include "ui/win32/module_class.h"

namespace helpviewer::win32 {
namespace {

constexpr char kFrameClassName[] = "KelHelpFrame";
constexpr int kToolbarId = 1;
constexpr int kStatusId = 2;
constexpr int kBrowserId = 3;

static_assert(sizeof(WINDOWPLACEMENT) == kPlacementSize);

// Appends a line to the file the environment names, when it names one.
void Trace(const std::string& line) {
  char path[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableA(kTraceVariable, path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  const HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

const ToolbarButton* ButtonOfId(UINT_PTR id) {
  for (const ToolbarButton& button : ToolbarButtons()) {
    if (static_cast<UINT_PTR>(CommandId(button.command)) == id) return &button;
  }
  return nullptr;
}

int ImageOf(HelpCommand command, int standard_images, int history_images) {
  switch (command) {
    case HelpCommand::kDefault:
      return standard_images + STD_HELP;
    case HelpCommand::kContents:
      return history_images + HIST_VIEWTREE;
    case HelpCommand::kPrint:
      return standard_images + STD_PRINT;
    case HelpCommand::kPrevious:
      return history_images + HIST_BACK;
    case HelpCommand::kNext:
      return history_images + HIST_FORWARD;
  }
  return I_IMAGENONE;
}

}  // namespace

int CommandId(HelpCommand command) { return kFirstCommandId + static_cast<int>(command); }

HelpWindow::~HelpWindow() {
  if (window_) DestroyWindow(window_);
}

bool HelpWindow::Create() {
  WNDCLASSEXA frame_class{};
  frame_class.lpfnWndProc = &HelpWindow::WindowProc;
  frame_class.cbWndExtra = sizeof(HelpWindow*);
  frame_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  frame_class.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  frame_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  frame_class.lpszClassName = kFrameClassName;
  if (!ui::win32::RegisterModuleClass(frame_class) || !ui::win32::RegisterBrowserClass()) {
    return false;
  }
  // No menu: the toolbar holds every command.
  if (!CreateWindowExA(0, kFrameClassName, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       CW_USEDEFAULT, CW_USEDEFAULT, 760, 560, nullptr, nullptr,
                       ui::win32::ThisModule(), this)) {
    return false;
  }
  if (!CreateChildren()) {
    DestroyWindow(window_);
    return false;
  }
  UpdateCaption();
  UpdateButtons();
  Layout();
  created_ = true;
  return true;
}

bool HelpWindow::CreateChildren() {
  const HINSTANCE module = ui::win32::ThisModule();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                             0, 0, 0, 0, window_, reinterpret_cast<HMENU>(kToolbarId), module,
                             nullptr);
  if (!toolbar_) return false;
  SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // The system's own pictures; each list's first index comes back.
  TBADDBITMAP standard{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
  TBADDBITMAP history{HINST_COMMCTRL, IDB_HIST_SMALL_COLOR};
  const auto add = [&](TBADDBITMAP& images) {
    return static_cast<int>(
        SendMessageA(toolbar_, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&images)));
  };
  const int standard_images = add(standard);
  const int history_images = add(history);
  std::vector<TBBUTTON> buttons;
  for (const ToolbarButton& button : ToolbarButtons()) {
    if (button.separator_before) {
      TBBUTTON separator{};
      separator.fsStyle = BTNS_SEP;
      buttons.push_back(separator);
    }
    TBBUTTON item{};
    item.iBitmap = ImageOf(button.command, standard_images, history_images);
    item.idCommand = CommandId(button.command);
    item.fsStyle = BTNS_BUTTON;
    item.iString = reinterpret_cast<INT_PTR>(button.label);
    buttons.push_back(item);
  }
  if (!SendMessageA(toolbar_, TB_ADDBUTTONSA, buttons.size(),
                    reinterpret_cast<LPARAM>(buttons.data()))) {
    return false;
  }
  SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);

  status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                            0, 0, window_, reinterpret_cast<HMENU>(kStatusId), module, nullptr);
  browser_ = CreateWindowExA(WS_EX_CLIENTEDGE, ui::win32::kBrowserClassName, "",
                             WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_,
                             reinterpret_cast<HMENU>(kBrowserId), module, nullptr);
  if (!status_ || !browser_) return false;
  // A control that could not be hosted leaves an empty view; the window
  // still works and says where it was asked to go.
  ui::win32::BrowserSetEvents(browser_, this);
  return true;
}

void HelpWindow::Show(int show_command) {
  if (const auto record = LoadPlacement(platform::GetRegistry())) {
    WINDOWPLACEMENT placement{};
    std::memcpy(&placement, record->data(), sizeof placement);
    placement.length = sizeof placement;
    placement.showCmd = SW_SHOWNORMAL;
    if (SetWindowPlacement(window_, &placement)) {
      UpdateWindow(window_);
      return;
    }
  }
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
}

void HelpWindow::BringToFront() {
  if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
  // Topmost for a moment: in front of other programs' windows too.
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window_);
}

void HelpWindow::ProcessCommandLine(const std::string& text) {
  if (IsBlankCommandLine(text)) return;
  const HelpRequest request = ProcessHelpCommandLine(text);
  folder_ = request.folder;
  state_.folder_known = true;
  Navigate(request.location);
  base_title_ = request.base_title;
  UpdateCaption();
  UpdateButtons();
}

bool HelpWindow::TranslateKeyboard(MSG* message) {
  return browser_ && ui::win32::BrowserTranslateAccelerator(browser_, message);
}

void HelpWindow::Navigate(const std::string& location) {
  Trace("navigate " + location);
  ui::win32::BrowserNavigate(browser_, location);
}

void HelpWindow::UpdateCaption() {
  const std::string caption = ComposeCaption(base_title_, page_title_);
  SetWindowTextA(window_, caption.c_str());
  Trace("caption " + caption);
}

void HelpWindow::UpdateButtons() {
  for (const ToolbarButton& button : ToolbarButtons()) {
    SendMessageA(toolbar_, TB_ENABLEBUTTON, CommandId(button.command),
                 MAKELPARAM(IsCommandEnabled(button.command, state_) ? TRUE : FALSE, 0));
  }
}

void HelpWindow::SetStatus(const char* text) { SetWindowTextA(status_, text); }

void HelpWindow::Layout() {
  if (!toolbar_ || !status_ || !browser_) return;
  SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
  SendMessageA(status_, WM_SIZE, 0, 0);
  RECT client{};
  RECT bar{};
  RECT status{};
  GetClientRect(window_, &client);
  GetWindowRect(toolbar_, &bar);
  GetWindowRect(status_, &status);
  const int top = bar.bottom - bar.top;
  const int bottom = client.bottom - (status.bottom - status.top);
  MoveWindow(browser_, 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

void HelpWindow::OnCommand(int id) {
  const ToolbarButton* button = ButtonOfId(static_cast<UINT_PTR>(id));
  // A command may still arrive after its button went grey (a queued click).
  if (!button || !IsCommandEnabled(button->command, state_)) return;
  switch (button->command) {
    case HelpCommand::kDefault:
      Navigate(folder_ + ReadHelpSettings(folder_).home);
      break;
    case HelpCommand::kContents:
      Navigate(folder_ + ReadHelpSettings(folder_).contents);
      break;
    case HelpCommand::kPrint:
      ui::win32::BrowserPrint(browser_);
      break;
    case HelpCommand::kPrevious:
      ui::win32::BrowserGoBack(browser_);
      break;
    case HelpCommand::kNext:
      ui::win32::BrowserGoForward(browser_);
      break;
  }
}

LRESULT HelpWindow::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case TTN_GETDISPINFOA: {
      auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
      if (const ToolbarButton* button = ButtonOfId(header.idFrom)) {
        info.lpszText = const_cast<char*>(button->tooltip);
      }
      return 0;
    }
    case TTN_GETDISPINFOW: {
      auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
      if (const ToolbarButton* button = ButtonOfId(header.idFrom)) {
        MultiByteToWideChar(CP_ACP, 0, button->tooltip, -1, info.szText,
                            static_cast<int>(sizeof info.szText / sizeof info.szText[0]));
        info.lpszText = info.szText;
      }
      return 0;
    }
    case TBN_HOTITEMCHANGE: {
      const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
      const ToolbarButton* button =
          (hot.dwFlags & HICF_LEAVING) ? nullptr : ButtonOfId(static_cast<UINT_PTR>(hot.idNew));
      SetStatus(button ? button->prompt : "");
      return 0;
    }
    default:
      return 0;
  }
}

void HelpWindow::StorePlacement() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window_, &placement)) return;
  std::vector<uint8_t> record(sizeof placement);
  std::memcpy(record.data(), &placement, sizeof placement);
  // Nothing to tell the user when the registry refuses: the next start
  // opens where the system puts it.
  helpviewer::StorePlacement(platform::GetRegistry(), record);
}

void HelpWindow::OnTitleChange(const std::string& title) {
  page_title_ = title;
  UpdateCaption();
}

void HelpWindow::OnHistoryChange(bool back, bool possible) {
  (back ? state_.can_go_back : state_.can_go_forward) = possible;
  UpdateButtons();
}

LRESULT CALLBACK HelpWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<HelpWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<HelpWindow*>(GetWindowLongPtrA(window, 0));
  if (!self) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, 0, 0);
    self->window_ = self->toolbar_ = self->status_ = self->browser_ = nullptr;
    return DefWindowProcA(window, message, wparam, lparam);
  }
  return self->Handle(message, wparam, lparam);
}

LRESULT HelpWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_COMMAND:
      if (lparam == 0 || reinterpret_cast<HWND>(lparam) == toolbar_) OnCommand(LOWORD(wparam));
      return 0;
    case WM_NOTIFY:
      if (lparam) return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
      return 0;
    case WM_SETFOCUS:
      if (browser_) SetFocus(browser_);
      return 0;
    case WM_CLOSE:
      StorePlacement();
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      // The control may still report while its window goes.
      if (browser_) ui::win32::BrowserSetEvents(browser_, nullptr);
      // A window that failed half way is not the program's end: the caller
      // still has to say so, and a waiting quit would close its message.
      if (created_) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window_, message, wparam, lparam);
  }
}

}  // namespace helpviewer::win32
