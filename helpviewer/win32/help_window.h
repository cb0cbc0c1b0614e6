// KelHelp's main window: a toolbar, the page view (the WebBrowser control)
// and a status bar, showing the pages of the latest help request. Windows only.
#pragma once

#include "platform/win32/windows_include.h"

#include <string>

#include "helpviewer/toolbar.h"
#include "ui/win32/browser_control.h"

namespace helpviewer::win32 {

// The toolbar's command identifiers: kFirstCommandId plus the command's
// place in HelpCommand.
inline constexpr int kFirstCommandId = 100;
int CommandId(HelpCommand command);

// Names a file that gets one line for every navigation ("navigate "
// followed by where to) and every caption ("caption " followed by it), so
// tests can follow a viewer whose control shows nothing.
inline constexpr char kTraceVariable[] = "GLINTMERE_HELP_LOG";

class HelpWindow final : private ui::win32::BrowserEvents {
 public:
  HelpWindow() = default;
  ~HelpWindow() override;
  HelpWindow(const HelpWindow&) = delete;
  HelpWindow& operator=(const HelpWindow&) = delete;

  // Creates the window, hidden, with its children; false when any of them
  // cannot be created.
  bool Create();
  // Shows the window where it was when last closed (shown normally), or as
  // show_command says when no placement was kept.
  void Show(int show_command);
  // Restores the window when minimised and brings it in front of every
  // other program's windows, as the foreground window.
  void BringToFront();
  // Shows the page a command line asks for; a blank one changes nothing.
  void ProcessCommandLine(const std::string& text);

  // Lets the page view take its keyboard shortcuts; true when the message
  // was used and must not be dispatched.
  bool TranslateKeyboard(MSG* message);

  HWND window() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  bool CreateChildren();
  void Layout();
  void OnCommand(int id);
  LRESULT OnNotify(const NMHDR& header);
  void Navigate(const std::string& location);
  void UpdateCaption();
  void UpdateButtons();
  void SetStatus(const char* text);
  void StorePlacement();

  void OnTitleChange(const std::string& title) override;
  void OnHistoryChange(bool back, bool possible) override;

  HWND window_ = nullptr;
  HWND toolbar_ = nullptr;
  HWND status_ = nullptr;
  HWND browser_ = nullptr;
  std::string folder_;
  std::string base_title_ = "KelHelp";
  std::string page_title_;
  ViewerState state_;
  bool created_ = false;
};

}  // namespace helpviewer::win32
