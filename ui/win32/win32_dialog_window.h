// The DialogWindow of a real dialog or property page: every operation of the
// model done with the controls' own messages.
#pragma once

#include "platform/win32/windows_include.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/dialog_window.h"
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
  std::string GetText(int id) override;
  void SetText(int id, const std::string& text) override;
  void Enable(int id, bool enabled) override;
  bool IsEnabled(int id) override;
  void Show(int id, bool visible) override;
  bool IsVisible(int id) override;
  void SetFocus(int id) override;
  void SelectText(int id, int start, int end) override;
  void SetTextLimit(int id, int characters) override;
  bool IsChecked(int id) override;
  void SetChecked(int id, bool checked) override;
  void SetButtonLook(int id, int look) override;
  void ClearItems(int id) override;
  int AddItem(int id, const std::string& text, intptr_t data) override;
  int InsertItem(int id, int index, const std::string& text, intptr_t data) override;
  void DeleteItem(int id, int index) override;
  int ItemCount(int id) override;
  std::string ItemText(int id, int index) override;
  intptr_t ItemData(int id, int index) override;
  void SetItemData(int id, int index, intptr_t data) override;
  int GetSelection(int id) override;
  void SetSelection(int id, int index) override;
  bool IsSelected(int id, int index) override;
  void SetSelected(int id, int index, bool selected) override;
  void AddColumn(int id, const std::string& title, int width) override;
  int AddRow(int id, const std::vector<std::string>& texts, int icon, intptr_t data) override;
  std::string RowText(int id, int row, int column) override;
  bool IsRowChecked(int id, int row) override;
  void SetRowChecked(int id, int row, bool checked) override;
  void SetRowIcons(int id, const std::vector<std::string>& icon_names) override;
  void SetRange(int id, int minimum, int maximum) override;
  int GetPosition(int id) override;
  void SetPosition(int id, int position) override;
  void SetTickFrequency(int id, int frequency) override;
  void SetItemColour(int id, int index, Colour colour) override;
  bool CreateTooltips(int max_width) override;
  void AddTooltip(int id, const std::string& text) override;
  void Navigate(int id, const std::string& path_or_url) override;
  bool ShowPicture(int id, const std::string& path) override;
  void GetRichSelection(int id, int* start, int* end) override;
  void SetRichSelection(int id, int start, int end) override;
  void HideRichSelection(int id, bool hide) override;
  int RichTextLength(int id) override;
  std::string RichTextRange(int id, int start, int end) override;
  int RichLineCount(int id) override;
  int RichLineIndex(int id, int line) override;
  int RichLineLength(int id, int line) override;
  int RichLineFromChar(int id, int position) override;
  void ReplaceRichSelection(int id, const std::string& text) override;
  uint32_t GetRichFormat(int id, richtext::CharFormat* format) override;
  void SetRichFormat(int id, RichTarget target, const richtext::CharFormat& format,
                     uint32_t mask) override;
  void SetRichParagraphFormat(int id, const richtext::ParagraphFormat& format,
                              uint32_t mask) override;
  std::string GetRtf(int id) override;
  bool SetRtf(int id, const std::string& rtf) override;
  void SetRichBackground(int id, Colour colour) override;
  void EndDialog(int result) override;

  // True while the program changes a rich-text box's text itself: its
  // EN_CHANGE is not the user's (selection changes still reach the model).
  bool QuietChanges() const { return quiet_changes_ > 0; }

 private:
  // Which message family a list control answers to.
  enum class ListFamily { kNone, kCombo, kListBox, kListView };
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

  HWND Control(int id) const;
  ListFamily FamilyOf(int id) const;
  bool IsColourList(int id) const;
  bool IsMultiSelectList(int id) const;
  // Moves the focus on when the control holding it is about to be hidden or
  // disabled, as the dialog manager would for a user's Tab.
  void MoveFocusFrom(HWND control);
  // A colour list's swatches, one slot per item (none: no swatch).
  std::vector<std::optional<Colour>>& Swatches(int id);
  // A new item's empty swatch slot.
  void InsertSwatch(int id, size_t index);
  void AddTool(HWND tool, const std::string& text);
  int InsertRow(int id, int index, const std::vector<std::string>& texts, int icon,
                intptr_t data);

  const DialogSpec& spec_;
  WindowRole role_;
  HWND window_ = nullptr;
  int quiet_ = 0;
  int quiet_changes_ = 0;
  // The control window of each table row (null where none could be made).
  std::vector<HWND> row_windows_;
  unique_window tooltips_;
  std::set<HWND> tools_;  // windows the tooltip control knows
  unique_gdi link_font_;
  std::map<int, std::vector<std::optional<Colour>>> swatches_;
  std::map<int, int> button_looks_;
  std::map<int, unique_image_list> row_icons_;
  // List-views that got a column of their own because rows came first.
  std::set<int> implicit_columns_;
  void (*page_end_)(void*, int) = nullptr;
  void* page_end_context_ = nullptr;
};

}  // namespace ui::win32
