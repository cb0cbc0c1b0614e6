// A watcher thread that finds this process's message boxes (class "#32770"),
// reads their caption and text (control 0xFFFF) and presses OK; other
// dialogs are left alone.
#include "tests/support/message_box_watcher.h"

#if defined(_WIN32)
#include <windows.h>

namespace test_support {

struct MessageBoxWatcher::State {
  CRITICAL_SECTION lock;
  std::vector<SeenBox> seen;
  std::vector<HWND> answered;
  volatile LONG stop = 0;
  HANDLE thread = nullptr;
};

namespace {

BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
  auto* state = reinterpret_cast<MessageBoxWatcher::State*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  char class_name[16] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  if (lstrcmpA(class_name, "#32770") != 0) return TRUE;
  // Dialogs share the class: a message box is the one with its text in the
  // control 0xFFFF. Other dialogs are the test's own to answer.
  if (!GetDlgItem(window, 0xFFFF)) return TRUE;
  EnterCriticalSection(&state->lock);
  bool known = false;
  for (HWND answered : state->answered) known = known || answered == window;
  if (!known) {
    char caption[1024] = {};
    char text[4096] = {};
    GetWindowTextA(window, caption, sizeof caption);
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
    state->seen.push_back({caption, text});
    state->answered.push_back(window);
  }
  LeaveCriticalSection(&state->lock);
  // Press the box's default button (Yes in a Yes/No box), as Return would.
  const LRESULT default_id = SendMessageA(window, DM_GETDEFID, 0, 0);
  const WPARAM button = HIWORD(default_id) == DC_HASDEFID ? LOWORD(default_id) : IDOK;
  PostMessageA(window, WM_COMMAND, button, 0);
  return TRUE;
}

DWORD WINAPI Watch(void* context) {
  auto* state = static_cast<MessageBoxWatcher::State*>(context);
  while (InterlockedCompareExchange(&state->stop, 0, 0) == 0) {
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(state));
    Sleep(50);
  }
  return 0;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher() : state_(new State) {
  InitializeCriticalSection(&state_->lock);
  state_->thread = CreateThread(nullptr, 0, Watch, state_, 0, nullptr);
}

MessageBoxWatcher::~MessageBoxWatcher() {
  InterlockedExchange(&state_->stop, 1);
  if (state_->thread) {
    WaitForSingleObject(state_->thread, INFINITE);
    CloseHandle(state_->thread);
  }
  DeleteCriticalSection(&state_->lock);
  delete state_;
}

std::vector<SeenBox> MessageBoxWatcher::Seen() {
  EnterCriticalSection(&state_->lock);
  std::vector<SeenBox> copy = state_->seen;
  LeaveCriticalSection(&state_->lock);
  return copy;
}

}  // namespace test_support
#endif
