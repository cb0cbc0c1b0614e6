// What a backend offers for one open dialog or property page: the state of
// its controls, addressed by control id. The Win32 backend reads and writes
// real windows; the scripted backend keeps the same state in memory. The
// model's control handles (controls.h) are thin facades over this.
//
// Item and row indexes start at 0; -1 means "none". Pixel sizes are in
// screen pixels; control tables are in dialog units.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "richtext/document.h"
#include "ui/control_table.h"
#include "ui/message_box.h"

namespace ui {

// Colours are 0x00bbggrr, as Windows keeps them.
using Colour = uint32_t;
inline constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) |
         (static_cast<Colour>(b & 0xFF) << 16);
}

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

  // Any control.
  virtual std::string GetText(int id) = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) = 0;
  virtual void Show(int id, bool visible) = 0;
  virtual bool IsVisible(int id) = 0;
  virtual void SetFocus(int id) = 0;

  // Edit fields: selection (end -1 = to the end), scrolled into view; the
  // number of characters the field takes.
  virtual void SelectText(int id, int start, int end) = 0;
  virtual void SetTextLimit(int id, int characters) = 0;

  // Check boxes and radio buttons.
  virtual bool IsChecked(int id) = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  // How a bitmap button shows a state it stands for: 0 off, 1 on (pressed
  // in), 2 mixed (pressed in over a pattern).
  virtual void SetButtonLook(int id, int look) = 0;

  // Combo boxes, list boxes and colour lists. AddItem appends (or inserts in
  // order for sorted lists) and returns the index.
  virtual void ClearItems(int id) = 0;
  virtual int AddItem(int id, const std::string& text, intptr_t data) = 0;
  virtual int InsertItem(int id, int index, const std::string& text, intptr_t data) = 0;
  virtual void DeleteItem(int id, int index) = 0;
  virtual int ItemCount(int id) = 0;
  virtual std::string ItemText(int id, int index) = 0;
  virtual intptr_t ItemData(int id, int index) = 0;
  virtual void SetItemData(int id, int index, intptr_t data) = 0;
  // The selected item (single selection), or -1.
  virtual int GetSelection(int id) = 0;
  virtual void SetSelection(int id, int index) = 0;
  // Multiple selection (list boxes with style::kMultiSelect, list-views).
  virtual bool IsSelected(int id, int index) = 0;
  virtual void SetSelected(int id, int index, bool selected) = 0;

  // List-views: columns, rows with texts in each column, an icon index and
  // a check box (style::kCheckBoxes); rows are kept in insertion order.
  virtual void AddColumn(int id, const std::string& title, int width) = 0;
  virtual int AddRow(int id, const std::vector<std::string>& texts, int icon, intptr_t data) = 0;
  virtual std::string RowText(int id, int row, int column) = 0;
  virtual bool IsRowChecked(int id, int row) = 0;
  virtual void SetRowChecked(int id, int row, bool checked) = 0;
  // Row icons: one of the built-in icons ("image", "sound", "page",
  // "folder", "master" for a shipped file, "user" for the user's own), by
  // name, as icon index order.
  virtual void SetRowIcons(int id, const std::vector<std::string>& icon_names) = 0;

  // Sliders.
  virtual void SetRange(int id, int minimum, int maximum) = 0;
  virtual int GetPosition(int id) = 0;
  virtual void SetPosition(int id, int position) = 0;
  virtual void SetTickFrequency(int id, int frequency) = 0;

  // Colour lists: the swatch colour of each item.
  virtual void SetItemColour(int id, int index, Colour colour) = 0;

  // Tooltips: the page's tooltip control, lines wrapped at max_width pixels.
  virtual bool CreateTooltips(int max_width) = 0;
  virtual void AddTooltip(int id, const std::string& text) = 0;

  // Browser and picture controls.
  virtual void Navigate(int id, const std::string& path_or_url) = 0;
  virtual bool ShowPicture(int id, const std::string& path) = 0;

  // Rich-text boxes. Positions count a line break as two characters, lines
  // are paragraphs (no word wrap). Changes made through these calls do not
  // notify the dialog, except that a changed selection does, as RichEdit's
  // selection notifications do.
  virtual void GetRichSelection(int id, int* start, int* end) = 0;
  virtual void SetRichSelection(int id, int start, int end) = 0;
  // Hides the selection while the box has no focus (or shows it again).
  virtual void HideRichSelection(int id, bool hide) = 0;
  virtual int RichTextLength(int id) = 0;
  virtual std::string RichTextRange(int id, int start, int end) = 0;
  virtual int RichLineCount(int id) = 0;
  virtual int RichLineIndex(int id, int line) = 0;
  virtual int RichLineLength(int id, int line) = 0;
  virtual int RichLineFromChar(int id, int position) = 0;
  // Replaces the selection with text in the format at the selection.
  virtual void ReplaceRichSelection(int id, const std::string& text) = 0;
  // The selection's character format and the mask of its uniform attributes.
  virtual uint32_t GetRichFormat(int id, richtext::CharFormat* format) = 0;
  // Sets the attributes named by mask on the selection, on all the text, or
  // as the format new text starts with.
  enum class RichTarget { kSelection, kAll, kDefault };
  virtual void SetRichFormat(int id, RichTarget target, const richtext::CharFormat& format,
                             uint32_t mask) = 0;
  // Sets paragraph attributes of every paragraph.
  virtual void SetRichParagraphFormat(int id, const richtext::ParagraphFormat& format,
                                      uint32_t mask) = 0;
  // The whole content as RTF, and replaced by RTF (false when refused).
  virtual std::string GetRtf(int id) = 0;
  virtual bool SetRtf(int id, const std::string& rtf) = 0;
  virtual void SetRichBackground(int id, Colour colour) = 0;
  // Ends a modal dialog with a result (kIdOk, kIdCancel, ...).
  virtual void EndDialog(int result) = 0;
};

}  // namespace ui
