// The test user's keyboard and mouse, as window messages from its thread.
#if defined(_WIN32)

#include "tests/ui_win32/ui_user.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "ui/win32/common_controls.h"

namespace ui_test {
namespace {

using Clock = std::chrono::steady_clock;

BOOL CALLBACK CancelWindow(HWND window, LPARAM) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window)) return TRUE;
  ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

bool IsClass(HWND window, const char* name) {
  char class_name[64] = {};
  ::GetClassNameA(window, class_name, sizeof class_name);
  return ::lstrcmpiA(class_name, name) == 0;
}

}  // namespace

void Drive(const std::function<void()>& steps, const std::function<void()>& show) {
  std::atomic<bool> shown{false};
  std::thread user([&] {
    steps();
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    bool reported = false;
    while (!shown) {
      if (Clock::now() > deadline) {
        if (!reported) ADD_FAILURE() << "a window was still open after the user's steps";
        reported = true;
        ::EnumWindows(CancelWindow, 0);
        ::Sleep(300);
      }
      ::Sleep(20);
    }
  });
  show();
  shown = true;
  user.join();
}

HWND WaitForWindow(const std::string& caption, int timeout_ms) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = ::FindWindowA(nullptr, caption.c_str());
        return found && ::IsWindowVisible(found);
      },
      timeout_ms);
  if (!found || !::IsWindowVisible(found)) {
    ADD_FAILURE() << "no window \"" << caption << "\" appeared";
    return nullptr;
  }
  return found;
}

bool WaitUntil(const std::function<bool()>& condition, int timeout_ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    ::Sleep(20);
  }
  return true;
}

bool Settle(HWND window, int timeout_ms) {
  // A sent message is answered only when the receiving thread next looks
  // for messages, that is when it is done with the one it was handling.
  DWORD_PTR answer = 0;
  return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL,
                               static_cast<UINT>(timeout_ms), &answer) != 0;
}

bool Painted(HWND window, int timeout_ms) {
  if (!WaitUntil([&] { return window && ::IsWindowVisible(window); }, timeout_ms)) {
    ADD_FAILURE() << "the window to take a picture of is not visible";
    return false;
  }
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ::UpdateWindow(window);
  // Twice: Wine copies what a thread painted to the screen when that thread
  // next goes idle, which the second answer proves has happened (for the
  // windows of another process, whose pictures are taken from the screen).
  Settle(window, timeout_ms);
  Settle(window, timeout_ms);
  ::GdiFlush();
  return true;
}

HWND Item(HWND dialog, int id) { return dialog ? ::GetDlgItem(dialog, id) : nullptr; }

HWND CurrentPage(HWND sheet) {
  return sheet ? reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0))
               : nullptr;
}

HWND PageItem(HWND sheet, int id) { return Item(CurrentPage(sheet), id); }

int CurrentPageIndex(HWND sheet) {
  const HWND page = CurrentPage(sheet);
  if (!page) return -1;
  return static_cast<int>(
      ::SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

std::string Text(HWND window) {
  if (!window) return std::string();
  const int length = static_cast<int>(::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = static_cast<int>(
      ::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void Type(HWND edit, const std::string& text) {
  ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeKeys(HWND edit, const std::string& keys) {
  for (char key : keys) ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(key), 1);
}

void Click(HWND button) { ::PostMessageA(button, BM_CLICK, 0, 0); }

void Choose(HWND list, int index) {
  const HWND parent = ::GetParent(list);
  const int id = ::GetDlgCtrlID(list);
  if (IsClass(list, "ComboBox")) {
    ::SendMessageA(list, CB_SETCURSEL, index, 0);
    ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    return;
  }
  if (IsClass(list, "SysListView32")) {
    // The list-view tells its parent itself (LVN_ITEMCHANGED).
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    return;
  }
  if (::GetWindowLongA(list, GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) {
    ::SendMessageA(list, LB_SETSEL, TRUE, index);
  } else {
    ::SendMessageA(list, LB_SETCURSEL, index, 0);
  }
  ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void CheckRow(HWND list_view, int row, bool checked) {
  LVITEMA item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  ::SendMessageA(list_view, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void Slide(HWND slider, int position) {
  ::SendMessageA(slider, TBM_SETPOS, TRUE, position);
  const HWND parent = ::GetParent(slider);
  const UINT message = (::GetWindowLongA(slider, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
  ::SendMessageA(parent, message, MAKEWPARAM(TB_THUMBTRACK, position),
                 reinterpret_cast<LPARAM>(slider));
  ::SendMessageA(parent, message, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
}

void Key(HWND control, UINT virtual_key) {
  ::PostMessageA(control, WM_KEYDOWN, virtual_key, 1);
  ::PostMessageA(control, WM_KEYUP, virtual_key, 0xC0000001);
}

void AltKey(HWND control, char letter) {
  // Bit 29: the Alt key is down.
  ::PostMessageA(control, WM_SYSCHAR, static_cast<unsigned char>(letter), 1 | (1 << 29));
}

void ClickAt(HWND window, int x, int y, bool double_click) {
  const LPARAM point = MAKELPARAM(x, y);
  ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  ::PostMessageA(window, WM_LBUTTONUP, 0, point);
  if (double_click) {
    ::PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    ::PostMessageA(window, WM_LBUTTONUP, 0, point);
  }
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void PressSheetButton(HWND sheet, int button) {
  ::PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

StartedProgram::StartedProgram(const std::string& path, const std::string& arguments) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command = "\"" + path + "\"";
  if (!arguments.empty()) command += " " + arguments;
  if (!::CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
    start_error_ = ::GetLastError();
    process_ = PROCESS_INFORMATION{};
  }
}

StartedProgram::~StartedProgram() {
  if (process_.hThread) ::CloseHandle(process_.hThread);
  if (process_.hProcess) ::CloseHandle(process_.hProcess);
}

DWORD StartedProgram::WaitForExit(DWORD timeout_ms) {
  if (!started() || ::WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) {
    return STILL_ACTIVE;
  }
  DWORD exit_code = STILL_ACTIVE;
  ::GetExitCodeProcess(process_.hProcess, &exit_code);
  return exit_code;
}

}  // namespace ui_test

#endif
