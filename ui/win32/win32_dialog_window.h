// The DialogWindow of a real dialog or property page: every operation of the
// model done with the controls' own messages.
#pragma once

#include "platform/win32/windows_include.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ui/dialog_window.h"
#include "ui/win32/control_peers.h"
#include "ui/win32/gdi_handles.h"

namespace ui::win32 {

// How the window ends: a modal dialog returns from DialogBox, a modeless
// one is destroyed, a page ends its sheet.
enum class WindowRole { kModal, kModeless, kPage };

class Win32DialogWindow : public DialogWindow {
 public:
  Win32DialogWindow(const DialogSpec& spec, WindowRole role);
  ~Win32DialogWindow() override;
  Win32DialogWindow(const Win32DialogWindow&) = delete;
  Win32DialogWindow& operator=(const Win32DialogWindow&) = delete;

  // Binds to the dialog window once its controls exist (WM_INITDIALOG) and
  // gives them what the template cannot say (list-view extended styles,
  // icons, link fonts).
  void Attach(HWND window);
  // The window is being destroyed: the tooltip window goes with it.
  void Detach();
  HWND window() const { return window_; }
  WindowRole role() const { return role_; }

  // The table row of a control, or null for an id the table lacks.
  const ControlSpec* Find(int id) const;
  // The table row a control window was made from, or null.
  const ControlSpec* RowOf(HWND control) const;
  // True while this object changes a control itself: the notifications that
  // change causes are not the user's and do not reach the model.
  bool Quiet() const { return quiet_ > 0; }
  // A page ends its sheet through this (set by the sheet).
  void SetPageEnd(void (*end)(void* context, int result), void* context) {
    page_end_ = end;
    page_end_context_ = context;
  }

  // WM_DRAWITEM for colour lists and bitmap buttons; false for others.
  bool DrawItem(const DRAWITEMSTRUCT& item);
  // Whether the control is a label shown as a link (coloured, hand cursor).
  bool IsLink(HWND control) const;
  // Paints what changed now, for a modeless window whose caller is busy and
  // runs no message loop.
  void PaintNow();

  // DialogWindow.
  WindowHandle handle() override { return window_; }
  void SetCaption(const std::string& caption) override;
  void SetWindowSize(int width, int height) override;
  void GetClientSize(int* width, int* height) override;
  void MoveControl(int id, int x, int y, int width, int height) override;
  bool CreateTooltips(int max_width) override;
  void AddTooltip(int id, const std::string& text) override;
  void EndDialog(int result) override;
  ControlPeer* Peer(int id) override;

  // Moves the focus on when the control holding it is about to be hidden or
  // disabled, as the dialog manager would for a user's Tab.
  void MoveFocusFrom(HWND control);

  // True while the program changes a rich-text box's text itself: its
  // EN_CHANGE is not the user's (selection changes still reach the model).
  bool QuietChanges() const { return quiet_changes_ > 0; }

  // Marks the changes this object makes itself (see Quiet()).
  class QuietScope {
   public:
    explicit QuietScope(Win32DialogWindow& window) : window_(window) { ++window_.quiet_; }
    ~QuietScope() { --window_.quiet_; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

   private:
    Win32DialogWindow& window_;
  };
  // Marks a rich-text box's text changes as the program's (QuietChanges()).
  class QuietChangesScope {
   public:
    explicit QuietChangesScope(Win32DialogWindow& window) : window_(window) {
      ++window_.quiet_changes_;
    }
    ~QuietChangesScope() { --window_.quiet_changes_; }
    QuietChangesScope(const QuietChangesScope&) = delete;
    QuietChangesScope& operator=(const QuietChangesScope&) = delete;

   private:
    Win32DialogWindow& window_;
  };

 private:
  HWND ControlWindow(int id) const;
  void AddTool(HWND tool, const std::string& text);

  const DialogSpec& spec_;
  WindowRole role_;
  HWND window_ = nullptr;
  int quiet_ = 0;
  int quiet_changes_ = 0;
  // The control window of each table row (null where none could be made).
  std::vector<HWND> row_windows_;
  unique_window tooltips_;
  // The peer of each table row (null where no control could be made).
  std::vector<std::unique_ptr<Win32Peer>> peers_;
  std::set<HWND> tools_;  // windows the tooltip control knows
  unique_gdi link_font_;
  void (*page_end_)(void*, int) = nullptr;
  void* page_end_context_ = nullptr;
};

}  // namespace ui::win32
