// The Win32 backend's entry points: modal and modeless dialogs, sheets,
// message boxes and the common dialogs.
#include "ui/win32/win32_backend.h"

#include "ui/win32/common_controls.h"

#include <memory>

#include "ui/win32/browser_control.h"
#include "ui/win32/dialog_procedure.h"
#include "ui/win32/module_class.h"
#include "ui/win32/picture_control.h"
#include "ui/win32/property_sheet.h"

namespace ui {
namespace win32 {
namespace {

// Room for the names of many files chosen at once.
constexpr size_t kManyFilesBuffer = 256 * 1024;
constexpr size_t kOneFileBuffer = 32 * 1024;

// The window classes the templates name: comctl32's (once per process is
// enough) and the browser and picture classes of this module.
void RegisterControlClasses() {
  static const bool common_controls = [] {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES;
    return ::InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)common_controls;
  RegisterBrowserClass();
  RegisterPictureClass();
}

}  // namespace

Answer Win32MessageBoxes::Show(const MessageBoxRequest& request) {
  HWND owner = static_cast<HWND>(request.owner);
  // A page or control given as owner: the box belongs to its top window,
  // which it disables while it is open.
  owner = owner && ::IsWindow(owner) ? ::GetAncestor(owner, GA_ROOT) : nullptr;
  const UINT style = static_cast<UINT>(request.buttons) | static_cast<UINT>(request.icon);
  const int result = ::MessageBoxA(owner, request.text.c_str(), request.caption.c_str(), style);
  // 0 means the box could not be shown at all; treat it as a cancel.
  if (result == 0) return Answer::kCancel;
  return static_cast<Answer>(result);
}

Win32Backend::Win32Backend() {
  for (COLORREF& colour : custom_colours_) colour = RGB(255, 255, 255);
}

int Win32Backend::RunModal(Dialog& dialog, WindowHandle parent) {
  if (dialog.IsOpen()) return -1;
  RegisterControlClasses();
  DialogContext context(dialog, WindowRole::kModal);
  return static_cast<int>(::DialogBoxIndirectParamA(
      ThisModule(), context.dialog_template.get(), static_cast<HWND>(parent), DialogProcedure,
      reinterpret_cast<LPARAM>(&context)));
}

bool Win32Backend::OpenModeless(Dialog& dialog, WindowHandle parent) {
  if (dialog.IsOpen()) return false;
  RegisterControlClasses();
  auto context = std::make_unique<DialogContext>(dialog, WindowRole::kModeless);
  const HWND window = ::CreateDialogIndirectParamA(
      ThisModule(), context->dialog_template.get(), static_cast<HWND>(parent), DialogProcedure,
      reinterpret_cast<LPARAM>(context.get()));
  if (!window) return false;
  // The initialisation may have closed it again: then it is done with.
  if (context->finished) return true;
  DialogContext* open = context.release();
  open->owned_by_window = true;
  // A window opened while its caller works (a progress window) comes up in
  // front of the window the user was working in.
  ::SetForegroundWindow(window);
  open->window.PaintNow();
  return true;
}

void Win32Backend::CloseModeless(Dialog& dialog) {
  auto* window = dynamic_cast<Win32DialogWindow*>(dialog.window());
  if (window && window->role() == WindowRole::kModeless && window->window()) {
    ::DestroyWindow(window->window());
  }
}

int Win32Backend::RunSheet(PropertySheet& sheet, WindowHandle parent) {
  RegisterControlClasses();
  SheetRun run(sheet, static_cast<HWND>(parent));
  return run.Run();
}

bool Win32Backend::ChooseColour(WindowHandle owner, Colour* colour) {
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = static_cast<HWND>(owner);
  choose.rgbResult = colour->value();
  choose.lpCustColors = custom_colours_;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!::ChooseColorA(&choose)) return false;
  *colour = Colour(choose.rgbResult);
  return true;
}

std::string FileFilter(const std::vector<std::pair<std::string, std::string>>& filters) {
  std::string filter;
  for (const auto& [description, patterns] : filters) {
    filter += description;
    filter += '\0';
    // "*.gif; *.jpg": the dialog wants the patterns without the blanks.
    for (char c : patterns) {
      if (c != ' ') filter += c;
    }
    filter += '\0';
  }
  if (!filter.empty()) filter += '\0';
  return filter;
}

std::vector<std::string> SplitChosenFiles(const char* buffer) {
  std::vector<std::string> paths;
  const std::string first = buffer;
  if (first.empty()) return paths;
  const char* name = buffer + first.size() + 1;
  if (*name == '\0') {
    paths.push_back(first);  // one file: its full path
    return paths;
  }
  const std::string folder = first.back() == '\\' ? first : first + '\\';
  for (; *name; name += std::char_traits<char>::length(name) + 1) {
    paths.push_back(folder + name);
  }
  return paths;
}

bool ChosenFilesFit(const char* buffer, size_t size, bool multiple) {
  const size_t first = std::char_traits<char>::length(buffer);
  // A full path: a drive ("C:...") or a network share ("\\\\server...").
  const bool full = (first >= 2 && buffer[1] == ':') ||
                    (first >= 2 && buffer[0] == '\\' && buffer[1] == '\\');
  if (!full) return first == 0;  // nothing chosen fits
  if (!multiple || buffer[first + 1] == '\0') return first < size;
  size_t end = first + 1;
  while (buffer[end] != '\0') end += std::char_traits<char>::length(buffer + end) + 1;
  return end < size;  // the list's closing NUL
}

FileDialogResult Win32Backend::OpenFiles(const FileDialogRequest& request,
                                         std::vector<std::string>* paths) {
  const std::string filter = FileFilter(request.filters);
  const size_t size = request.name_buffer_size > 0 ? request.name_buffer_size
                      : request.multiple          ? kManyFilesBuffer
                                                  : kOneFileBuffer;
  // Two more NULs than the dialog is told of: a list cut short at its end
  // still ends inside the buffer.
  std::vector<char> buffer(size + 2, '\0');
  OPENFILENAMEA open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = static_cast<HWND>(request.owner);
  open.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  open.nFilterIndex = 1;
  open.lpstrFile = buffer.data();
  open.nMaxFile = static_cast<DWORD>(size);
  open.lpstrInitialDir = request.initial_folder.empty() ? nullptr : request.initial_folder.c_str();
  open.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
               OFN_NOCHANGEDIR | (request.multiple ? OFN_ALLOWMULTISELECT : 0);
  if (!::GetOpenFileNameA(&open)) {
    return ::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL ? FileDialogResult::kTooMany
                                                            : FileDialogResult::kCancelled;
  }
  if (!ChosenFilesFit(buffer.data(), size, request.multiple)) return FileDialogResult::kTooMany;
  std::vector<std::string> chosen =
      request.multiple ? SplitChosenFiles(buffer.data()) : std::vector<std::string>{buffer.data()};
  if (chosen.empty() || chosen.front().empty()) return FileDialogResult::kCancelled;
  *paths = std::move(chosen);
  return FileDialogResult::kChosen;
}

WindowHandle Win32Backend::ForegroundWindow() { return ::GetForegroundWindow(); }

void Win32Backend::ShowWaitCursor(bool on) {
  // Nested waits keep the first cursor to go back to.
  if (on) {
    if (wait_depth_++ == 0) cursor_before_wait_ = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  } else if (wait_depth_ > 0 && --wait_depth_ == 0) {
    ::SetCursor(cursor_before_wait_);
  }
}

}  // namespace win32

UiBackend& Win32UiBackend() {
  static win32::Win32Backend backend;
  return backend;
}

}  // namespace ui
