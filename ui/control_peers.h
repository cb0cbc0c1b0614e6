// The backend side of the controls, split by family: what every control
// does (ControlPeer), and what only edits, buttons, lists, list-views,
// colour lists, sliders, browsers, pictures and rich-text boxes do. A
// backend makes one object per control (its peer) deriving from
// ControlPeer and from each family interface its kind has, and answering
// for those families through ControlPeer's As... calls; the handles in
// controls.h find the family they need in it.
//
//   kind                          families
//   label, group box, icon        -
//   edit                          EditPeer
//   buttons of every kind         ButtonPeer
//   drop-down list, drop-down     EditPeer (the edit part), ListPeer
//     combo
//   colour list                   EditPeer, ListPeer, ColourListPeer
//   list box                      ListPeer
//   list-view                     ListPeer (rows as items), ListViewPeer
//   slider / browser / picture    SliderPeer / BrowserPeer / PicturePeer
//   rich-text box                 RichEditPeer
//
// Item and row indexes start at 0; -1 means "none". An index out of range
// reads as empty, 0 or false and changes nothing, as with the Windows
// controls.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "richtext/document.h"
#include "ui/dialog_window.h"

namespace ui {

class EditPeer;
class ButtonPeer;
class ListPeer;
class ListViewPeer;
class ColourListPeer;
class SliderPeer;
class BrowserPeer;
class PicturePeer;
class RichEditPeer;

// Any control.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  // The families the control has, or null for those it lacks.
  virtual EditPeer* AsEdit() { return nullptr; }
  virtual ButtonPeer* AsButton() { return nullptr; }
  virtual ListPeer* AsList() { return nullptr; }
  virtual ListViewPeer* AsListView() { return nullptr; }
  virtual ColourListPeer* AsColourList() { return nullptr; }
  virtual SliderPeer* AsSlider() { return nullptr; }
  virtual BrowserPeer* AsBrowser() { return nullptr; }
  virtual PicturePeer* AsPicture() { return nullptr; }
  virtual RichEditPeer* AsRichEdit() { return nullptr; }

  virtual std::string Text() = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void Enable(bool enabled) = 0;
  virtual bool IsEnabled() = 0;
  virtual void Show(bool visible) = 0;
  virtual bool IsVisible() = 0;
  virtual void Focus() = 0;
};

// Edit fields and the edit part of combo boxes: selection (end -1 = to
// the end), scrolled into view; the number of characters the field takes
// (0: no limit of its own).
class EditPeer {
 public:
  virtual ~EditPeer() = default;
  virtual void SelectText(int start, int end) = 0;
  virtual void SetTextLimit(int characters) = 0;
};

// Push buttons, check boxes, radio buttons and bitmap buttons. Checks
// mean something for check boxes and radio buttons only.
class ButtonPeer {
 public:
  virtual ~ButtonPeer() = default;
  virtual bool IsChecked() = 0;
  virtual void SetChecked(bool checked) = 0;
  // How a bitmap button shows a state it stands for: 0 off, 1 on (pressed
  // in), 2 mixed (pressed in over a pattern).
  virtual void SetLook(int look) = 0;
};

// Combo boxes, list boxes, colour lists, and the rows of list-views.
class ListPeer {
 public:
  virtual ~ListPeer() = default;
  virtual void Clear() = 0;
  // Appends (or inserts in order for sorted lists); the index, or -1.
  virtual int Add(const std::string& text, intptr_t data) = 0;
  // At index (-1 appends; past the end is refused with -1).
  virtual int Insert(int index, const std::string& text, intptr_t data) = 0;
  virtual void Delete(int index) = 0;
  virtual int Count() = 0;
  virtual std::string ItemText(int index) = 0;
  virtual intptr_t ItemData(int index) = 0;
  virtual void SetItemData(int index, intptr_t data) = 0;
  // The selected item (single selection; the first of several), or -1.
  virtual int Selection() = 0;
  // Selects that item alone, or none for -1 or an index out of range.
  virtual void Select(int index) = 0;
  // Multiple selection (list boxes with style::kMultiSelect, list-views).
  virtual bool IsSelected(int index) = 0;
  virtual void SetSelected(int index, bool selected) = 0;
};

// List-views: columns, rows with texts in each column, an icon index and a
// check box (style::kCheckBoxes); rows are kept in insertion order.
class ListViewPeer {
 public:
  virtual ~ListViewPeer() = default;
  virtual void AddColumn(const std::string& title, int width) = 0;
  virtual int AddRow(const std::vector<std::string>& texts, int icon, intptr_t data) = 0;
  virtual std::string RowText(int row, int column) = 0;
  virtual bool IsRowChecked(int row) = 0;
  virtual void SetRowChecked(int row, bool checked) = 0;
  // Row icons: built-in icons ("image", "sound", "page", "folder",
  // "master" for a shipped file, "user" for the user's own), by name, in
  // icon index order.
  virtual void SetRowIcons(const std::vector<std::string>& icon_names) = 0;
};

// Colour lists: the swatch colour of each item.
class ColourListPeer {
 public:
  virtual ~ColourListPeer() = default;
  virtual void SetItemColour(int index, Colour colour) = 0;
};

class SliderPeer {
 public:
  virtual ~SliderPeer() = default;
  virtual void SetRange(int minimum, int maximum) = 0;
  virtual int Position() = 0;
  // Kept inside the range.
  virtual void SetPosition(int position) = 0;
  virtual void SetTickFrequency(int frequency) = 0;
};

class BrowserPeer {
 public:
  virtual ~BrowserPeer() = default;
  virtual void Navigate(const std::string& path_or_url) = 0;
};

class PicturePeer {
 public:
  virtual ~PicturePeer() = default;
  // Shows the image file; false (and nothing shown) when it cannot.
  virtual bool Load(const std::string& path) = 0;
};

// Rich-text boxes. Positions count a line break as two characters, lines
// are paragraphs (no word wrap). Changes made through these calls do not
// notify the dialog, except that a changed selection does, as RichEdit's
// selection notifications do.
class RichEditPeer {
 public:
  virtual ~RichEditPeer() = default;
  virtual void GetSelection(int* start, int* end) = 0;
  virtual void SetSelection(int start, int end) = 0;
  // Hides the selection while the box has no focus (or shows it again).
  virtual void HideSelection(bool hide) = 0;
  virtual int Length() = 0;
  virtual std::string TextRange(int start, int end) = 0;
  virtual int LineCount() = 0;
  virtual int LineIndex(int line) = 0;
  virtual int LineLength(int line) = 0;
  virtual int LineFromChar(int position) = 0;
  // Replaces the selection with text in the format at the selection.
  virtual void ReplaceSelection(const std::string& text) = 0;
  // The selection's character format and the mask of its uniform attributes.
  virtual uint32_t GetFormat(richtext::CharFormat* format) = 0;
  // Sets the attributes named by mask on the selection, on all the text, or
  // as the format new text starts with.
  enum class Target { kSelection, kAll, kDefault };
  virtual void SetFormat(Target target, const richtext::CharFormat& format, uint32_t mask) = 0;
  // Sets paragraph attributes of every paragraph.
  virtual void SetParagraphFormat(const richtext::ParagraphFormat& format, uint32_t mask) = 0;
  // The whole content as RTF, and replaced by RTF (false when refused).
  virtual std::string Rtf() = 0;
  virtual bool SetRtf(const std::string& rtf) = 0;
  virtual void SetBackground(Colour colour) = 0;
};

// The family interface Family of a peer, or null (peer may be null).
template <typename Family>
Family* FamilyOf(ControlPeer* peer) {
  if (!peer) return nullptr;
  if constexpr (std::is_same_v<Family, ControlPeer>) return peer;
  else if constexpr (std::is_same_v<Family, EditPeer>) return peer->AsEdit();
  else if constexpr (std::is_same_v<Family, ButtonPeer>) return peer->AsButton();
  else if constexpr (std::is_same_v<Family, ListPeer>) return peer->AsList();
  else if constexpr (std::is_same_v<Family, ListViewPeer>) return peer->AsListView();
  else if constexpr (std::is_same_v<Family, ColourListPeer>) return peer->AsColourList();
  else if constexpr (std::is_same_v<Family, SliderPeer>) return peer->AsSlider();
  else if constexpr (std::is_same_v<Family, BrowserPeer>) return peer->AsBrowser();
  else if constexpr (std::is_same_v<Family, PicturePeer>) return peer->AsPicture();
  else if constexpr (std::is_same_v<Family, RichEditPeer>) return peer->AsRichEdit();
  else static_assert(sizeof(Family) == 0, "not a control family");
}

}  // namespace ui
