// The Win32 backend: the model's dialogs, sheets, message boxes and common
// dialogs as real windows of the module that links it (a program or a bot
// DLL, each with its own window classes and custom colours).
#pragma once

#include "platform/win32/windows_include.h"

#include <string>
#include <vector>

#include "ui/backend.h"

namespace ui::win32 {

// MessageBoxA, owned by the top-level window of the owner given.
class Win32MessageBoxes : public MessageBoxService {
 public:
  Answer Show(const MessageBoxRequest& request) override;
};

class Win32Backend : public UiBackend {
 public:
  Win32Backend();

  // A modal dialog from an in-memory template; the id that ended it, or -1
  // when the dialog cannot be created or is open already.
  int RunModal(Dialog& dialog, WindowHandle parent) override;
  // A visible modeless window, painted before this returns so it shows
  // while the caller works without a message loop.
  bool OpenModeless(Dialog& dialog, WindowHandle parent) override;
  void CloseModeless(Dialog& dialog) override;
  // A comctl32 property sheet without Apply: kIdOk or kIdCancel.
  int RunSheet(PropertySheet& sheet, WindowHandle parent) override;
  // ChooseColorA with the full dialog open; the 16 custom colours are kept
  // for the module's lifetime.
  bool ChooseColour(WindowHandle owner, Colour* colour) override;
  // GetOpenFileNameA (Explorer style); full paths of the files chosen.
  FileDialogResult OpenFiles(const FileDialogRequest& request,
                             std::vector<std::string>* paths) override;
  MessageBoxService& MessageBoxes() override { return message_boxes_; }
  WindowHandle ForegroundWindow() override;
  void ShowWaitCursor(bool on) override;

 private:
  Win32MessageBoxes message_boxes_;
  COLORREF custom_colours_[16];
  int wait_depth_ = 0;
  HCURSOR cursor_before_wait_ = nullptr;
};

// The "description\0patterns\0...\0" filter GetOpenFileNameA takes.
std::string FileFilter(const std::vector<std::pair<std::string, std::string>>& filters);
// The full paths in GetOpenFileNameA's result buffer: one path, or (for
// several files) the folder followed by the names, each ending in a NUL
// and the whole list in a second one.
std::vector<std::string> SplitChosenFiles(const char* buffer);
// Whether GetOpenFileNameA's result fits the size bytes the dialog was
// given: its last NUL inside them and a full path first. buffer must hold
// two NULs after those bytes. Windows fails a choice that does not fit
// (FNERR_BUFFERTOOSMALL); Wine cuts it short and reports success, leaving
// a list that runs into the bytes beyond or lacks its folder.
bool ChosenFilesFit(const char* buffer, size_t size, bool multiple);

}  // namespace ui::win32
