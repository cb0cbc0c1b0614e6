// What a backend offers for one open dialog or property page: the window's
// own operations, and each control's backend object (its peer) by id. The
// operations on controls are split by family in control_peers.h; the
// Win32 backend does them on real windows, the scripted backend on state
// kept in memory. The model's control handles (controls.h) are thin
// facades over the peers.
//
// Pixel sizes are in screen pixels; control tables are in dialog units.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/colour.h"
#include "ui/control_table.h"
#include "ui/message_box.h"

namespace ui {

// Colours are 0x00bbggrr, as Windows keeps them.
using Colour = base::BgrColour;
inline constexpr Colour Rgb(int r, int g, int b) { return Colour::FromComponents(r, g, b); }

class ControlPeer;

class DialogWindow {
 public:
  virtual ~DialogWindow() = default;

  // The window itself.
  virtual WindowHandle handle() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Outer size of the dialog window in pixels, and the client area's size.
  virtual void SetWindowSize(int width, int height) = 0;
  virtual void GetClientSize(int* width, int* height) = 0;
  // Places a control, in client pixels.
  virtual void MoveControl(int id, int x, int y, int width, int height) = 0;
  // Tooltips: the page's tooltip control, lines wrapped at max_width pixels.
  virtual bool CreateTooltips(int max_width) = 0;
  virtual void AddTooltip(int id, const std::string& text) = 0;
  // Ends a modal dialog with a result (kIdOk, kIdCancel, ...).
  virtual void EndDialog(int result) = 0;

  // The control with that id (its backend object, which offers the
  // families of operations its kind has: control_peers.h), or null for an
  // id the window lacks. Owned by the window, valid while it is open.
  virtual ControlPeer* Peer(int id) = 0;
  // A handle was asked for an operation the control cannot do: family is
  // the family it needs ("rich-text box", ...), or null when the window
  // has no control with that id. Real windows ignore it as Windows
  // ignores a message to a missing control; the scripted one reports it.
  virtual void ReportMisuse(int /*id*/, const char* /*operation*/, const char* /*family*/) {}
};

}  // namespace ui
