// The user interface backend in force: shows the model's dialogs, sheets,
// message boxes and common dialogs, as real windows (Win32) or in memory
// under a driver (scripted).
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "ui/dialog.h"
#include "ui/message_box.h"

namespace ui {

struct FileDialogRequest {
  std::string title;
  // (description, patterns) pairs, e.g. {"Image Files", "*.gif;*.jpg;*.jpeg"}.
  std::vector<std::pair<std::string, std::string>> filters;
  std::string initial_folder;
  bool multiple = false;
  WindowHandle owner = nullptr;
  // The bytes the dialog may write the chosen names into (the folder and
  // each name with their terminating NULs, as OFN_EXPLORER multiple
  // selection writes them); 0 for a default big enough for any sensible
  // choice.
  size_t name_buffer_size = 0;
};

// How a file-open dialog ended: cancelled, files chosen, or more chosen
// than the name buffer holds (nothing is returned then).
enum class FileDialogResult { kCancelled, kChosen, kTooMany };

class UiBackend {
 public:
  virtual ~UiBackend() = default;
  virtual int RunModal(Dialog& dialog, WindowHandle parent) = 0;
  virtual bool OpenModeless(Dialog& dialog, WindowHandle parent) = 0;
  virtual void CloseModeless(Dialog& dialog) = 0;
  virtual int RunSheet(PropertySheet& sheet, WindowHandle parent) = 0;
  // The colour dialog, starting at *colour; false when cancelled.
  virtual bool ChooseColour(WindowHandle owner, Colour* colour) = 0;
  // The file-open dialog; full paths in *paths when chosen (untouched
  // otherwise).
  virtual FileDialogResult OpenFiles(const FileDialogRequest& request,
                                     std::vector<std::string>* paths) = 0;
  virtual MessageBoxService& MessageBoxes() = 0;
  // The window in the foreground (an owner for sheets), or null.
  virtual WindowHandle ForegroundWindow() = 0;
  // Shows the wait cursor (on) or the one shown before it (off); nothing to
  // show by default.
  virtual void ShowWaitCursor(bool /*on*/) {}
};

// The wait cursor while a long step runs.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The backend in force in this module.
UiBackend& GetUiBackend();

class ScopedUiBackend {
 public:
  explicit ScopedUiBackend(UiBackend* replacement);
  ~ScopedUiBackend();
  ScopedUiBackend(const ScopedUiBackend&) = delete;
  ScopedUiBackend& operator=(const ScopedUiBackend&) = delete;

 private:
  UiBackend* previous_;
};

// The module's own backend, chosen once: the scripted one when the
// environment names an answers file (GLINTMERE_ANSWERS) or asks for it
// (GLINTMERE_UI=scripted), and always on Linux; the Win32 one otherwise.
UiBackend& SystemUiBackend();

// The two backends (each module holds its own instance).
#if defined(_WIN32)
UiBackend& Win32UiBackend();
#endif
// The scripted backend configured from the environment: answers from the
// file GLINTMERE_ANSWERS names when set, the default answers otherwise.
UiBackend& ScriptedSystemBackend();
// Starts an edit call afresh: when the module's scripted backend exists, it
// forgets what it answered and reads the answers file again. A library the
// loader keeps between calls (as Linux may) thus never answers a second
// call with the first one's used answers.
void RestartScriptedSystemBackend();

}  // namespace ui
