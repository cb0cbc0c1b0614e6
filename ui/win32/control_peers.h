// The peers of real controls: each family's operations done with the
// messages of the Windows control that stands for it (edit, button, combo
// box, list box, list-view, trackbar, RichEdit, browser, picture).
#pragma once

#include "platform/win32/windows_include.h"

#include <memory>

#include "ui/control_peers.h"

namespace ui::win32 {

class Win32DialogWindow;

// What every real control does, over its window.
class Win32Peer : public ControlPeer {
 public:
  Win32Peer(Win32DialogWindow& window, const ControlSpec& spec, HWND control)
      : window_(window), spec_(spec), control_(control) {}

  HWND control() const { return control_; }
  const ControlSpec& spec() const { return spec_; }
  // WM_DRAWITEM of an owner-drawn control; false for the others.
  virtual bool DrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }

  std::string Text() override;
  void SetText(const std::string& text) override;
  void Enable(bool enabled) override;
  bool IsEnabled() override;
  void Show(bool visible) override;
  bool IsVisible() override;
  void Focus() override;

 protected:
  Win32DialogWindow& window_;
  const ControlSpec& spec_;
  HWND control_;
};

// The peer of a control made from spec (with the families of its kind).
std::unique_ptr<Win32Peer> MakePeer(Win32DialogWindow& window, const ControlSpec& spec,
                                    HWND control);
// The rich-text box's peer (rich_edit.cpp).
std::unique_ptr<Win32Peer> MakeRichEditPeer(Win32DialogWindow& window, const ControlSpec& spec,
                                            HWND control);

// The text of a window.
std::string WindowText(HWND window);

}  // namespace ui::win32
