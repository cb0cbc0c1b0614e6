// The "GlintmereBrowser" window class: a child window that shows a page in the
// WebBrowser control, for the dialogs of the Win32 backend and the help viewer.
#pragma once

#include "platform/win32/windows_include.h"

#include <string>

namespace ui::win32 {

// The class name dialog templates use for a browser control.
inline constexpr char kBrowserClassName[] = "GlintmereBrowser";

// Registers the class in the module this code is linked into; windows of it
// must be created with that module's instance handle. Safe to call again.
// False only when the class cannot be registered.
bool RegisterBrowserClass();

// Shows a page: a URL or a local path, as ANSI text. The location is
// remembered even when no control could be hosted. False when the window is
// not a browser window of this module and thread, when no control is
// hosted, when the text holds a null character, or when the control
// refuses the navigation.
bool BrowserNavigate(HWND browser_window, const std::string& path_or_url);

// What was last passed to BrowserNavigate; empty before the first call and
// for a window that is not a browser window.
std::string BrowserLocation(HWND browser_window);

// What a browser window tells the program that shows it, on the window's
// thread, possibly from inside BrowserNavigate and the other calls below.
class BrowserEvents {
 public:
  virtual ~BrowserEvents() = default;
  // The page shown has a new title.
  virtual void OnTitleChange(const std::string& title) = 0;
  // Going back (or forward) in the history became possible or impossible.
  virtual void OnHistoryChange(bool back, bool possible) = 0;
};

// Sends the control's events to `events` (null: to nobody) from now on; the
// object must outlive the window or be unset first. False when the window is
// not a browser window of this module and thread, or no control is hosted.
bool BrowserSetEvents(HWND browser_window, BrowserEvents* events);

// Goes back or forward in the control's history; false when the window has
// no control or the control cannot go there.
bool BrowserGoBack(HWND browser_window);
bool BrowserGoForward(HWND browser_window);

// Prints the page shown, asking the user first with the print dialog; false
// when there is no control or it refuses the command.
bool BrowserPrint(HWND browser_window);

// Offers a keyboard message meant for a window inside the browser window to
// the control first (its shortcuts, Tab between links); true when the
// control took it and the message loop must not dispatch it. For programs
// whose own message loop shows the browser window.
bool BrowserTranslateAccelerator(HWND browser_window, MSG* message);

// Whether the WebBrowser control was created and activated in the window.
// A window whose control could not be created stays an empty window.
bool BrowserIsHosted(HWND browser_window);

}  // namespace ui::win32
