// How a dialog, a property page or a property sheet is declared: a table of
// controls (id, kind, caption, position and size in dialog units, style), the
// equivalent of a dialog resource. Both backends build from the same table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace ui {

// Command identifiers, numbered as Windows numbers them.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
inline constexpr int kIdHelp = 9;
// Labels and group boxes that nothing refers to by id.
inline constexpr int kIdStatic = -1;

enum class ControlKind {
  kLabel,          // static text; a label names the control that follows it
  kGroupBox,
  kEdit,           // edit field (style::kMultiLine for several lines)
  kCheckBox,
  kRadioButton,    // style::kGroup starts a new group of radio buttons
  kPushButton,
  kDefaultButton,  // the push button Return presses
  kBitmapButton,   // push button showing a small picture; caption is its name
  kDropDownList,   // combo box whose text is one of its items
  kDropDownCombo,  // combo box with an editable text
  kListBox,        // style::kMultiSelect for several selected rows
  kListView,       // rows with columns (report view), style::kCheckBoxes
  kSlider,
  kColourList,     // owner-drawn list of colour swatches and names
  kBrowser,        // web browser showing a file or URL
  kPicture,        // shows an image file
  kIcon,           // a system icon (caption "warning", "information", ...)
  kRichEdit,       // formatted text, several lines, no word wrap
};

// Style flags of a control.
namespace style {
inline constexpr uint32_t kNone = 0;
inline constexpr uint32_t kMultiLine = 1u << 0;    // edit
inline constexpr uint32_t kVScroll = 1u << 1;      // edit, list
inline constexpr uint32_t kWantReturn = 1u << 2;   // multi-line edit takes Return
inline constexpr uint32_t kReadOnly = 1u << 3;     // edit
inline constexpr uint32_t kNumber = 1u << 4;       // edit takes digits only
inline constexpr uint32_t kSorted = 1u << 5;       // combo box, list box
inline constexpr uint32_t kMultiSelect = 1u << 6;  // list box, list-view
inline constexpr uint32_t kCheckBoxes = 1u << 7;   // list-view rows with check boxes
inline constexpr uint32_t kGroup = 1u << 8;        // starts a group (radio buttons, tab order)
inline constexpr uint32_t kDisabled = 1u << 9;     // starts disabled
inline constexpr uint32_t kHidden = 1u << 10;      // starts hidden
inline constexpr uint32_t kNoTabStop = 1u << 11;
inline constexpr uint32_t kRight = 1u << 12;       // label text aligned right
inline constexpr uint32_t kCenter = 1u << 13;      // label text centred
inline constexpr uint32_t kVertical = 1u << 14;    // slider
inline constexpr uint32_t kTicks = 1u << 15;       // slider shows tick marks
inline constexpr uint32_t kBorder = 1u << 16;      // sunken border (labels, pictures)
inline constexpr uint32_t kPassword = 1u << 17;    // edit
inline constexpr uint32_t kNoHeader = 1u << 18;    // list-view without column headers
inline constexpr uint32_t kLink = 1u << 19;        // label shown as a hyperlink; clicks notify
inline constexpr uint32_t kHScroll = 1u << 20;     // rich edit: horizontal scroll bar
inline constexpr uint32_t kNoHideSelection = 1u << 21;  // rich edit: selection shown without focus
inline constexpr uint32_t kActualSize = 1u << 22;   // picture: its own size, centred, never scaled
inline constexpr uint32_t kMissingMark = 1u << 23;  // picture: a "no picture" mark while it shows none
}  // namespace style

struct ControlSpec {
  int id;
  ControlKind kind;
  const char* caption;  // label or button text; the name a test finds it by
  int x, y, width, height;  // dialog units
  uint32_t style = style::kNone;
};

// A control's tooltip text.
struct Tooltip {
  int id;
  const char* text;
};

namespace internal {

template <const auto& kTable, int... kDropped>
struct TableFilter {
  static constexpr size_t kRows = std::size(kTable);
  static constexpr bool Named(int id) { return id != kIdStatic && ((id == kDropped) || ...); }
  // A dropped control goes with the label that names it.
  static constexpr bool Dropped(size_t row) {
    if (Named(kTable[row].id)) return true;
    return kTable[row].id == kIdStatic && kTable[row].kind == ControlKind::kLabel &&
           row + 1 < kRows && Named(kTable[row + 1].id);
  }
  static constexpr size_t Kept() {
    size_t kept = 0;
    for (size_t row = 0; row < kRows; ++row) kept += Dropped(row) ? 0 : 1;
    return kept;
  }
};

}  // namespace internal

// A variant of the control table kTable without the controls of the ids
// kDropped, each with the label that names it (the label without an id of
// its own just before it); the other rows keep their order. For a page
// whose variant lacks some controls:
//   constexpr auto kSmallControls = WithoutControls<kControls, kHighlightId>();
template <const auto& kTable, int... kDropped>
constexpr auto WithoutControls() {
  using Filter = internal::TableFilter<kTable, kDropped...>;
  std::array<ControlSpec, Filter::Kept()> rows{};
  size_t at = 0;
  for (size_t row = 0; row < Filter::kRows; ++row) {
    if (!Filter::Dropped(row)) rows[at++] = kTable[row];
  }
  return rows;
}

struct DialogSpec {
  const char* caption;  // dialog caption, or the tab title of a page
  int width, height;    // dialog units
  std::span<const ControlSpec> controls;
};

}  // namespace ui
