// KelHelp.exe: one viewer per user. A start while a viewer runs hands its
// command line to that viewer through its hidden window and ends.
#include "platform/win32/windows_include.h"

#include <string>

#include "helpviewer/win32/help_window.h"
#include "ui/win32/module_class.h"

namespace {

constexpr char kInstanceClassName[] = "KelHelp";
constexpr char kInstanceTitle[] = "KelHelp Unique Instance";
constexpr char kFailedToInitialize[] = "Failed to initialize.";
constexpr char kProgramName[] = "KelHelp";

// The running viewer's side of the protocol: its hidden window and the
// command lines it receives.
struct Instance {
  helpviewer::win32::HelpWindow* viewer = nullptr;
  // A command line that arrived before the main window was there.
  std::string pending;
  bool has_pending = false;
};

Instance g_instance;

// The received command line, up to its terminating null or the end of the
// data, whichever comes first: the data of another program is not trusted
// to carry the null.
std::string ReceivedText(const COPYDATASTRUCT& data) {
  if (!data.lpData || data.cbData == 0) return std::string();
  const char* text = static_cast<const char*>(data.lpData);
  size_t length = 0;
  while (length < data.cbData && text[length] != '\0') ++length;
  return std::string(text, length);
}

LRESULT CALLBACK InstanceWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA && lparam) {
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    if (data.dwData != 0) return FALSE;
    std::string text;
    try {
      text = ReceivedText(data);
    } catch (...) {
      return FALSE;
    }
    if (helpviewer::win32::HelpWindow* viewer = g_instance.viewer) {
      viewer->BringToFront();
      viewer->ProcessCommandLine(text);
    } else {
      g_instance.pending = std::move(text);
      g_instance.has_pending = true;
    }
    return TRUE;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// Hands the command line to a running viewer; false when none runs.
bool HandToRunningViewer(const std::string& command_line) {
  const HWND running = FindWindowA(kInstanceClassName, kInstanceTitle);
  if (!running) return false;
  // The viewer may take the foreground only when the program the user just
  // started lets it.
  DWORD process = 0;
  GetWindowThreadProcessId(running, &process);
  if (process) AllowSetForegroundWindow(process);
  COPYDATASTRUCT data{};
  data.dwData = 0;
  data.cbData = static_cast<DWORD>(command_line.size() + 1);
  data.lpData = const_cast<char*>(command_line.c_str());
  DWORD_PTR result = 0;
  // A viewer that hangs must not hang every later start with it.
  SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                      SMTO_NORMAL | SMTO_ABORTIFHUNG, 30000, &result);
  return true;
}

HWND CreateInstanceWindow() {
  WNDCLASSEXA instance_class{};
  instance_class.lpfnWndProc = &InstanceWindowProc;
  instance_class.lpszClassName = kInstanceClassName;
  if (!ui::win32::RegisterModuleClass(instance_class)) return nullptr;
  // Never shown; a top-level window (not message-only) so that FindWindow
  // finds it.
  return CreateWindowExA(0, kInstanceClassName, kInstanceTitle, WS_POPUP, 0, 0, 0, 0,
                         GetDesktopWindow(), nullptr, ui::win32::ThisModule(), nullptr);
}

int Fail() {
  MessageBoxA(nullptr, kFailedToInitialize, kProgramName, MB_OK | MB_ICONEXCLAMATION);
  return 1;
}

int Run(const std::string& command_line, int show_command) {
  if (HandToRunningViewer(command_line)) return 0;

  const HWND instance_window = CreateInstanceWindow();
  if (!instance_window) return Fail();

  int exit_code = 0;
  {
    ui::win32::ScopedApartment apartment(true);
    helpviewer::win32::HelpWindow viewer;
    if (!viewer.Create()) {
      DestroyWindow(instance_window);
      return Fail();
    }
    viewer.Show(show_command);
    g_instance.viewer = &viewer;
    viewer.ProcessCommandLine(command_line);
    if (g_instance.has_pending) {
      g_instance.has_pending = false;
      viewer.BringToFront();
      viewer.ProcessCommandLine(g_instance.pending);
    }

    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0 && got != -1) {
      if (viewer.TranslateKeyboard(&message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (got != -1) exit_code = static_cast<int>(message.wParam);
    g_instance.viewer = nullptr;
  }
  DestroyWindow(instance_window);
  return exit_code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int show_command) {
  try {
    return Run(command_line ? command_line : "", show_command);
  } catch (...) {
    return 1;
  }
}
