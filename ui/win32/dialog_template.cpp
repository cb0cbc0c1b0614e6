// Dialog templates built in memory from control tables.
#include "ui/win32/dialog_template.h"

#include "ui/win32/rich_edit.h"

#include "ui/win32/common_controls.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/com_util.h"
#include "ui/win32/browser_control.h"
#include "ui/win32/picture_control.h"

namespace ui::win32 {
namespace {

// A drop-down list's height in the table is the height it opens to; one
// written as the closed height alone would open to a sliver.
constexpr int kMinimumDroppedHeight = 80;

std::wstring Wide(const char* text) {
  std::wstring wide;
  if (text && !platform::win32::AnsiToWide(text, &wide)) wide.clear();
  return wide;
}

bool IsRadio(const ControlSpec& control) { return control.kind == ControlKind::kRadioButton; }

// Controls the user never gives the focus to.
bool TakesNoFocus(ControlKind kind) {
  return kind == ControlKind::kLabel || kind == ControlKind::kGroupBox ||
         kind == ControlKind::kIcon || kind == ControlKind::kPicture;
}

// Controls whose window text is not the table's caption: lists and sliders
// have no text of their own, icons are set by name after creation.
bool CaptionIsText(ControlKind kind) {
  switch (kind) {
    case ControlKind::kDropDownList:
    case ControlKind::kDropDownCombo:
    case ControlKind::kListBox:
    case ControlKind::kListView:
    case ControlKind::kColourList:
    case ControlKind::kSlider:
    case ControlKind::kBrowser:
    case ControlKind::kPicture:
    case ControlKind::kIcon:
      return false;
    default:
      return true;
  }
}

}  // namespace

ControlWindow ControlWindowFor(const DialogSpec& spec, size_t index) {
  const ControlSpec& control = spec.controls[index];
  const auto has = [&control](uint32_t flag) { return (control.style & flag) != 0; };
  ControlWindow window;
  window.style = WS_CHILD;
  if (!has(style::kHidden)) window.style |= WS_VISIBLE;
  if (has(style::kDisabled)) window.style |= WS_DISABLED;
  window.height = control.height;

  switch (control.kind) {
    case ControlKind::kLabel:
      window.class_name = L"Static";
      window.style |= has(style::kRight) ? SS_RIGHT : has(style::kCenter) ? SS_CENTER : SS_LEFT;
      if (has(style::kBorder)) window.style |= SS_SUNKEN;
      if (has(style::kLink)) window.style |= SS_NOTIFY;
      // A label the code writes to shows data (file names, addresses), where
      // an "&" is a character, not a mnemonic.
      if (control.id != kIdStatic && (!control.caption || !std::strchr(control.caption, '&'))) {
        window.style |= SS_NOPREFIX;
      }
      break;
    case ControlKind::kGroupBox:
      window.class_name = L"Button";
      window.style |= BS_GROUPBOX;
      break;
    case ControlKind::kRichEdit:
      window.class_name = RichEditClassName();
      window.ex_style |= WS_EX_CLIENTEDGE;
      // No word wrap: lines are the paragraphs.
      window.style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_TABSTOP;
      if (has(style::kWantReturn)) window.style |= ES_WANTRETURN;
      if (has(style::kVScroll)) window.style |= WS_VSCROLL;
      if (has(style::kHScroll)) window.style |= WS_HSCROLL;
      if (has(style::kNoHideSelection)) window.style |= ES_NOHIDESEL;
      if (has(style::kReadOnly)) window.style |= ES_READONLY;
      break;
    case ControlKind::kEdit:
      window.class_name = L"Edit";
      window.ex_style |= WS_EX_CLIENTEDGE;
      window.style |= ES_LEFT;
      if (has(style::kMultiLine)) {
        // Without ES_AUTOHSCROLL the lines wrap at the field's width.
        window.style |= ES_MULTILINE | ES_AUTOVSCROLL;
        if (has(style::kVScroll)) window.style |= WS_VSCROLL;
        if (has(style::kWantReturn)) window.style |= ES_WANTRETURN;
      } else {
        window.style |= ES_AUTOHSCROLL;
      }
      if (has(style::kReadOnly)) window.style |= ES_READONLY;
      if (has(style::kNumber)) window.style |= ES_NUMBER;
      if (has(style::kPassword)) window.style |= ES_PASSWORD;
      break;
    case ControlKind::kCheckBox:
      window.class_name = L"Button";
      window.style |= BS_AUTOCHECKBOX;
      break;
    case ControlKind::kRadioButton:
      window.class_name = L"Button";
      window.style |= BS_AUTORADIOBUTTON;
      break;
    case ControlKind::kPushButton:
      window.class_name = L"Button";
      window.style |= BS_PUSHBUTTON;
      break;
    case ControlKind::kDefaultButton:
      window.class_name = L"Button";
      window.style |= BS_DEFPUSHBUTTON;
      break;
    case ControlKind::kBitmapButton:
      // Drawn by the dialog (WM_DRAWITEM): a small glyph for its name.
      window.class_name = L"Button";
      window.style |= BS_OWNERDRAW;
      break;
    case ControlKind::kDropDownList:
    case ControlKind::kDropDownCombo:
    case ControlKind::kColourList:
      window.class_name = L"ComboBox";
      window.style |= WS_VSCROLL | (control.kind == ControlKind::kDropDownCombo
                                        ? CBS_DROPDOWN | CBS_AUTOHSCROLL
                                        : CBS_DROPDOWNLIST);
      // Colour lists draw their own items (WM_DRAWITEM): a swatch and a name.
      if (control.kind == ControlKind::kColourList) {
        window.style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      }
      if (has(style::kSorted)) window.style |= CBS_SORT;
      window.height = std::max(control.height, kMinimumDroppedHeight);
      break;
    case ControlKind::kListBox:
      window.class_name = L"ListBox";
      window.ex_style |= WS_EX_CLIENTEDGE;
      // LBS_NOTIFY: selection changes and double-clicks reach the dialog.
      window.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
      if (has(style::kSorted)) window.style |= LBS_SORT;
      if (has(style::kMultiSelect)) window.style |= LBS_EXTENDEDSEL;
      break;
    case ControlKind::kListView:
      window.class_name = WC_LISTVIEWW;
      window.ex_style |= WS_EX_CLIENTEDGE;
      // The dialog owns the row icons' image list (LVS_SHAREIMAGELISTS) so
      // it can replace it.
      window.style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
      if (!has(style::kMultiSelect)) window.style |= LVS_SINGLESEL;
      if (has(style::kNoHeader)) window.style |= LVS_NOCOLUMNHEADER;
      break;
    case ControlKind::kSlider:
      window.class_name = TRACKBAR_CLASSW;
      window.style |= has(style::kVertical) ? TBS_VERT : TBS_HORZ;
      window.style |= has(style::kTicks) ? TBS_AUTOTICKS : TBS_NOTICKS;
      break;
    case ControlKind::kBrowser:
      window.class_name = Wide(kBrowserClassName);
      if (has(style::kBorder)) window.ex_style |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kPicture:
      window.class_name = Wide(kPictureClassName);
      if (has(style::kBorder)) window.ex_style |= WS_EX_STATICEDGE;
      if (has(style::kActualSize)) window.style |= kPictureActualSize;
      if (has(style::kMissingMark)) window.style |= kPictureMissingMark;
      break;
    case ControlKind::kIcon:
      window.class_name = L"Static";
      window.style |= SS_ICON;
      break;
  }

  if (!TakesNoFocus(control.kind) && !has(style::kNoTabStop)) {
    // In a radio group only the first button is a tab stop; the arrow keys
    // move within the group, as in every Windows dialog.
    const bool later_radio = IsRadio(control) && index > 0 && IsRadio(spec.controls[index - 1]) &&
                             !has(style::kGroup);
    if (!later_radio) window.style |= WS_TABSTOP;
  }
  // Groups as the data exchange sees them: a radio group starts at its
  // first button (or a control marked kGroup) and ends at the first control
  // that is not a radio button.
  const bool after_radio = index > 0 && IsRadio(spec.controls[index - 1]);
  if (has(style::kGroup) || (IsRadio(control) && !after_radio) ||
      (!IsRadio(control) && after_radio)) {
    window.style |= WS_GROUP;
  }
  return window;
}

void DialogTemplate::Dword(DWORD value) {
  Word(LOWORD(value));
  Word(HIWORD(value));
}

void DialogTemplate::Text(const std::wstring& text) {
  for (wchar_t c : text) Word(static_cast<WORD>(c));
  Word(0);
}

void DialogTemplate::AlignToDword() {
  if (words_.size() % 2 != 0) Word(0);
}

DialogTemplate::DialogTemplate(const DialogSpec& spec, TemplateUse use) {
  DWORD style = DS_SHELLFONT | DS_NOFAILCREATE;
  DWORD ex_style = WS_EX_CONTROLPARENT;
  if (use == TemplateUse::kPage) {
    // The sheet removes the caption and places the page in its tab.
    style |= DS_CONTROL | WS_CHILD | WS_CAPTION;
  } else {
    style |= DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    if (use == TemplateUse::kModeless) style |= WS_VISIBLE;
  }
  // DS_NOFAILCREATE: a control that cannot be made (a browser without its
  // component) leaves a gap instead of failing the whole dialog.
  const size_t count = std::min<size_t>(spec.controls.size(), 0xFFFF);
  Word(1);       // dlgVer
  Word(0xFFFF);  // signature: DLGTEMPLATEEX
  Dword(0);      // helpID
  Dword(ex_style);
  Dword(style);
  Word(static_cast<WORD>(count));
  Word(0);  // x
  Word(0);  // y
  Word(static_cast<WORD>(spec.width));
  Word(static_cast<WORD>(spec.height));
  Word(0);  // no menu
  Word(0);  // the standard dialog class
  Text(Wide(spec.caption));
  Word(8);          // point size
  Word(FW_NORMAL);  // weight
  Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
  Text(L"MS Shell Dlg");

  for (size_t i = 0; i < count; ++i) {
    const ControlSpec& control = spec.controls[i];
    const ControlWindow window = ControlWindowFor(spec, i);
    AlignToDword();
    Dword(0);  // helpID
    Dword(window.ex_style);
    Dword(window.style);
    Word(static_cast<WORD>(control.x));
    Word(static_cast<WORD>(control.y));
    Word(static_cast<WORD>(control.width));
    Word(static_cast<WORD>(window.height));
    Dword(static_cast<DWORD>(control.id));
    Text(window.class_name);
    Text(CaptionIsText(control.kind) ? Wide(control.caption) : std::wstring());
    Word(0);  // no creation data
  }
}

}  // namespace ui::win32
