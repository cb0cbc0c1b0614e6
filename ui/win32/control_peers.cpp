// The families of control operations as the Windows controls' own
// messages, one class per kind of control.
#include "ui/win32/control_peers.h"

#include "ui/win32/common_controls.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "ui/win32/browser_control.h"
#include "ui/win32/owner_draw.h"
#include "ui/win32/picture_control.h"
#include "ui/win32/win32_dialog_window.h"

namespace ui::win32 {

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

// --- Any control ---

std::string Win32Peer::Text() { return WindowText(control_); }

void Win32Peer::SetText(const std::string& text) {
  {
    Win32DialogWindow::QuietScope quiet(window_);  // EN_CHANGE from the program's own text
    ::SetWindowTextA(control_, text.c_str());
  }
  if (window_.role() == WindowRole::kModeless) window_.PaintNow();
}

void Win32Peer::Enable(bool enabled) {
  if (!enabled) window_.MoveFocusFrom(control_);
  ::EnableWindow(control_, enabled ? TRUE : FALSE);
}

bool Win32Peer::IsEnabled() { return ::IsWindowEnabled(control_) != FALSE; }

void Win32Peer::Show(bool visible) {
  if (!visible) window_.MoveFocusFrom(control_);
  ::ShowWindow(control_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Peer::IsVisible() {
  // The control's own state: a page not on top still has visible controls.
  return (::GetWindowLongA(control_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Peer::Focus() {
  // Through the dialog manager, so the default button follows the focus.
  ::SendMessageA(::GetAncestor(window_.window(), GA_ROOT), WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(control_), TRUE);
}

namespace {

// List-view state images: 1 unchecked, 2 checked.
constexpr UINT kUncheckedImage = 1;
constexpr UINT kCheckedImage = 2;
// Rows may arrive before any column; beyond this a text is not read back.
constexpr int kLongestRowText = 1 << 20;

int ColumnCount(HWND list_view) {
  const HWND header = reinterpret_cast<HWND>(::SendMessageA(list_view, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

// What is left of the list-view's width after its columns, for a column
// given no width of its own.
int RemainingWidth(HWND list_view) {
  RECT client{};
  ::GetClientRect(list_view, &client);
  int used = 0;
  for (int i = 0, n = ColumnCount(list_view); i < n; ++i) {
    used += static_cast<int>(::SendMessageA(list_view, LVM_GETCOLUMNWIDTH, i, 0));
  }
  return std::max<int>(client.right - used - ::GetSystemMetrics(SM_CXVSCROLL), 40);
}

// Labels, group boxes and icons.
class Static : public Win32Peer {
 public:
  using Win32Peer::Win32Peer;
};

class Edit : public Win32Peer, public EditPeer {
 public:
  using Win32Peer::Win32Peer;
  EditPeer* AsEdit() override { return this; }
  void SelectText(int start, int end) override {
    ::SendMessageA(control_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    ::SendMessageA(control_, EM_SCROLLCARET, 0, 0);
  }
  void SetTextLimit(int characters) override {
    // 0 lifts the limit, as for the control itself.
    ::SendMessageA(control_, EM_LIMITTEXT, characters > 0 ? static_cast<WPARAM>(characters) : 0,
                   0);
  }
};

class Button : public Win32Peer, public ButtonPeer {
 public:
  using Win32Peer::Win32Peer;
  ButtonPeer* AsButton() override { return this; }
  bool IsChecked() override { return ::SendMessageA(control_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetChecked(bool checked) override {
    ::SendMessageA(control_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  void SetLook(int look) override {
    look_ = look;
    ::InvalidateRect(control_, nullptr, TRUE);
  }
  bool DrawItem(const DRAWITEMSTRUCT& item) override {
    if (spec_.kind != ControlKind::kBitmapButton || item.CtlType != ODT_BUTTON) return false;
    DrawBitmapButton(item, WindowText(item.hwndItem), look_);
    return true;
  }

 private:
  int look_ = 0;
};

// The single-selection rules of a list, over its Selection and Select.
void SetSelectedSingle(ListPeer& list, int index, bool selected) {
  if (selected) {
    list.Select(index);
  } else if (list.Selection() == index) {
    list.Select(-1);
  }
}

// The item messages a combo box and a list box both answer, each in its own
// numbers.
struct StringListMessages {
  UINT reset, add, insert, remove, count, text_length, text, get_data, set_data;
};
constexpr StringListMessages kComboMessages{
    CB_RESETCONTENT, CB_ADDSTRING,    CB_INSERTSTRING, CB_DELETESTRING, CB_GETCOUNT,
    CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_GETITEMDATA,  CB_SETITEMDATA};
constexpr StringListMessages kListBoxMessages{
    LB_RESETCONTENT, LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_GETCOUNT,
    LB_GETTEXTLEN,   LB_GETTEXT,   LB_GETITEMDATA,  LB_SETITEMDATA};

// The items of a combo box or list box: texts with a data value each.
class StringList : public Win32Peer, public ListPeer {
 public:
  StringList(Win32DialogWindow& window, const ControlSpec& spec, HWND control,
             const StringListMessages& messages)
      : Win32Peer(window, spec, control), messages_(messages) {}
  ListPeer* AsList() override { return this; }

  void Clear() override {
    ::SendMessageA(control_, messages_.reset, 0, 0);
    Cleared();
  }
  int Add(const std::string& text, intptr_t data) override {
    const LRESULT index =
        ::SendMessageA(control_, messages_.add, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return Stored(index, data);
  }
  int Insert(int index, const std::string& text, intptr_t data) override {
    const int count = Count();
    // -1 appends; past the end is refused, as by the controls.
    if (index < 0) index = count;
    if (index > count) return -1;
    const LRESULT at = ::SendMessageA(control_, messages_.insert, index,
                                      reinterpret_cast<LPARAM>(text.c_str()));
    return Stored(at, data);
  }
  void Delete(int index) override {
    if (index < 0 || index >= Count()) return;
    Deleted(index);
    ::SendMessageA(control_, messages_.remove, index, 0);
  }
  int Count() override {
    const LRESULT count = ::SendMessageA(control_, messages_.count, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
  }
  std::string ItemText(int index) override {
    if (index < 0 || index >= Count()) return std::string();
    const LRESULT length = ::SendMessageA(control_, messages_.text_length, index, 0);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessageA(control_, messages_.text, index,
                                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
  }
  intptr_t ItemData(int index) override {
    if (index < 0 || index >= Count()) return 0;
    return static_cast<intptr_t>(::SendMessageA(control_, messages_.get_data, index, 0));
  }
  void SetItemData(int index, intptr_t data) override {
    if (index < 0 || index >= Count()) return;
    ::SendMessageA(control_, messages_.set_data, index, static_cast<LPARAM>(data));
  }

 protected:
  // Told of item changes (the colour list keeps a swatch per item).
  virtual void Cleared() {}
  virtual void Inserted(int /*index*/) {}
  virtual void Deleted(int /*index*/) {}

 private:
  // Gives the item added at index its data: the index, or -1 when the
  // control refused the item.
  int Stored(LRESULT index, intptr_t data) {
    if (index < 0) return -1;
    ::SendMessageA(control_, messages_.set_data, index, static_cast<LPARAM>(data));
    Inserted(static_cast<int>(index));
    return static_cast<int>(index);
  }

  const StringListMessages& messages_;
};

// Drop-down lists and drop-down combo boxes.
class Combo : public StringList, public EditPeer {
 public:
  Combo(Win32DialogWindow& window, const ControlSpec& spec, HWND control)
      : StringList(window, spec, control, kComboMessages) {}
  EditPeer* AsEdit() override { return this; }

  std::string Text() override {
    // Read from the list: during CBN_SELCHANGE the shown text is still the
    // old one.
    if (spec_.kind != ControlKind::kDropDownList) return Win32Peer::Text();
    const int selected = Selection();
    return selected >= 0 ? ItemText(selected) : std::string();
  }
  void SetText(const std::string& text) override {
    if (spec_.kind != ControlKind::kDropDownList) {
      Win32Peer::SetText(text);
      return;
    }
    // A drop-down list can only show one of its items.
    const LRESULT found = ::SendMessageA(control_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(control_, CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : found, 0);
  }
  void SelectText(int start, int end) override {
    ::SendMessageA(control_, CB_SETEDITSEL, 0,
                   MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(end)));
  }
  void SetTextLimit(int characters) override {
    ::SendMessageA(control_, CB_LIMITTEXT, characters > 0 ? static_cast<WPARAM>(characters) : 0,
                   0);
  }

  int Selection() override {
    const LRESULT selected = ::SendMessageA(control_, CB_GETCURSEL, 0, 0);
    return selected >= 0 ? static_cast<int>(selected) : -1;
  }
  void Select(int index) override {
    // An index out of range selects nothing, as CB_SETCURSEL does.
    const bool valid = index >= 0 && index < Count();
    ::SendMessageA(control_, CB_SETCURSEL, valid ? index : -1, 0);
  }
  bool IsSelected(int index) override {
    return index >= 0 && index < Count() && ::SendMessageA(control_, CB_GETCURSEL, 0, 0) == index;
  }
  void SetSelected(int index, bool selected) override {
    if (index < 0 || index >= Count()) return;
    SetSelectedSingle(*this, index, selected);
  }
};

// An owner-drawn combo box with a swatch before each name.
class ColourList : public Combo, public ColourListPeer {
 public:
  using Combo::Combo;
  ColourListPeer* AsColourList() override { return this; }
  void SetItemColour(int index, Colour colour) override {
    if (index < 0 || index >= Count()) return;
    Swatches()[static_cast<size_t>(index)] = colour;
    // The item may be the one the closed list shows.
    ::InvalidateRect(control_, nullptr, TRUE);
  }
  bool DrawItem(const DRAWITEMSTRUCT& item) override {
    if (item.CtlType != ODT_COMBOBOX) return false;
    std::string text;
    std::optional<Colour> swatch;
    if (item.itemID != static_cast<UINT>(-1)) {
      const int index = static_cast<int>(item.itemID);
      text = ItemText(index);
      std::vector<std::optional<Colour>>& swatches = Swatches();
      if (index < static_cast<int>(swatches.size())) swatch = swatches[static_cast<size_t>(index)];
    }
    DrawColourItem(item, text, swatch);
    return true;
  }

 protected:
  void Cleared() override { swatches_.clear(); }
  void Inserted(int index) override {
    const size_t at = std::min(static_cast<size_t>(index), swatches_.size());
    swatches_.insert(swatches_.begin() + static_cast<std::ptrdiff_t>(at), std::nullopt);
  }
  void Deleted(int index) override {
    std::vector<std::optional<Colour>>& swatches = Swatches();
    if (index < static_cast<int>(swatches.size())) swatches.erase(swatches.begin() + index);
  }

 private:
  // One slot per item (none: no swatch).
  std::vector<std::optional<Colour>>& Swatches() {
    // Every change of the items goes through this object; the size check
    // only keeps drawing safe should one not.
    const size_t count = static_cast<size_t>(Count());
    if (swatches_.size() != count) swatches_.resize(count);
    return swatches_;
  }
  std::vector<std::optional<Colour>> swatches_;
};

class ListBox : public StringList {
 public:
  ListBox(Win32DialogWindow& window, const ControlSpec& spec, HWND control)
      : StringList(window, spec, control, kListBoxMessages) {}
  int Selection() override {
    LRESULT selected = -1;
    if (MultiSelect()) {
      // The first selected row (LB_GETCURSEL is the caret there).
      int first = -1;
      if (::SendMessageA(control_, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first)) < 1) {
        first = -1;
      }
      selected = first;
    } else {
      selected = ::SendMessageA(control_, LB_GETCURSEL, 0, 0);
    }
    return selected >= 0 ? static_cast<int>(selected) : -1;
  }
  void Select(int index) override {
    const bool valid = index >= 0 && index < Count();
    if (MultiSelect()) {
      ::SendMessageA(control_, LB_SETSEL, FALSE, -1);
      if (valid) {
        ::SendMessageA(control_, LB_SETSEL, TRUE, index);
        ::SendMessageA(control_, LB_SETCARETINDEX, index, FALSE);
      }
    } else {
      ::SendMessageA(control_, LB_SETCURSEL, valid ? index : -1, 0);
    }
  }
  bool IsSelected(int index) override {
    return index >= 0 && index < Count() && ::SendMessageA(control_, LB_GETSEL, index, 0) > 0;
  }
  void SetSelected(int index, bool selected) override {
    // LB_SETSEL takes -1 as "every item": refuse it.
    if (index < 0 || index >= Count()) return;
    if (MultiSelect()) {
      ::SendMessageA(control_, LB_SETSEL, selected ? TRUE : FALSE, index);
    } else {
      SetSelectedSingle(*this, index, selected);
    }
  }

 private:
  bool MultiSelect() const { return (spec_.style & style::kMultiSelect) != 0; }
};

class ListView : public Win32Peer, public ListPeer, public ListViewPeer {
 public:
  using Win32Peer::Win32Peer;
  ListPeer* AsList() override { return this; }
  ListViewPeer* AsListView() override { return this; }

  void Clear() override {
    Win32DialogWindow::QuietScope quiet(window_);
    ::SendMessageA(control_, LVM_DELETEALLITEMS, 0, 0);
  }
  int Add(const std::string& text, intptr_t data) override { return AddRow({text}, -1, data); }
  int Insert(int index, const std::string& text, intptr_t data) override {
    const int count = Count();
    if (index < 0) index = count;
    if (index > count) return -1;
    return InsertRow(index, {text}, -1, data);
  }
  void Delete(int index) override {
    if (index < 0 || index >= Count()) return;
    Win32DialogWindow::QuietScope quiet(window_);
    ::SendMessageA(control_, LVM_DELETEITEM, index, 0);
  }
  int Count() override {
    const LRESULT count = ::SendMessageA(control_, LVM_GETITEMCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
  }
  std::string ItemText(int index) override { return RowText(index, 0); }
  intptr_t ItemData(int index) override {
    if (index < 0 || index >= Count()) return 0;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    ::SendMessageA(control_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<intptr_t>(item.lParam);
  }
  void SetItemData(int index, intptr_t data) override {
    if (index < 0 || index >= Count()) return;
    Win32DialogWindow::QuietScope quiet(window_);
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = static_cast<LPARAM>(data);
    ::SendMessageA(control_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  int Selection() override {
    const LRESULT selected =
        ::SendMessageA(control_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return selected >= 0 ? static_cast<int>(selected) : -1;
  }
  void Select(int index) override {
    const bool valid = index >= 0 && index < Count();
    Win32DialogWindow::QuietScope quiet(window_);
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    ::SendMessageA(control_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(&item));
    if (valid) {
      item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      item.state = LVIS_SELECTED | LVIS_FOCUSED;
      ::SendMessageA(control_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
      ::SendMessageA(control_, LVM_ENSUREVISIBLE, index, FALSE);
    }
  }
  bool IsSelected(int index) override {
    if (index < 0 || index >= Count()) return false;
    return (::SendMessageA(control_, LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  }
  void SetSelected(int index, bool selected) override {
    // LVM_SETITEMSTATE takes -1 as "every item": refuse it.
    if (index < 0 || index >= Count()) return;
    Win32DialogWindow::QuietScope quiet(window_);
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    ::SendMessageA(control_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
  }

  void AddColumn(const std::string& title, int width) override {
    std::string text = title;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    if (implicit_column_) {
      // The column made for rows that came first becomes this one.
      implicit_column_ = false;
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = width > 0 ? width
                            : RemainingWidth(control_) +
                                  static_cast<int>(::SendMessageA(control_, LVM_GETCOLUMNWIDTH, 0, 0));
      ::SendMessageA(control_, LVM_SETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
      return;
    }
    const int count = ColumnCount(control_);
    column.cx = width > 0 ? width : RemainingWidth(control_);
    column.iSubItem = count;
    ::SendMessageA(control_, LVM_INSERTCOLUMNA, count, reinterpret_cast<LPARAM>(&column));
  }
  int AddRow(const std::vector<std::string>& texts, int icon, intptr_t data) override {
    return InsertRow(Count(), texts, icon, data);
  }
  std::string RowText(int row, int column) override {
    if (row < 0 || row >= Count() || column < 0) return std::string();
    std::string text(256, '\0');
    for (;;) {
      LVITEMA item{};
      item.iSubItem = column;
      item.pszText = text.data();
      item.cchTextMax = static_cast<int>(text.size());
      const int length = static_cast<int>(
          ::SendMessageA(control_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
      // A text that filled the buffer may have been cut: read it again larger.
      if (length < static_cast<int>(text.size()) - 1 ||
          static_cast<int>(text.size()) >= kLongestRowText) {
        text.resize(static_cast<size_t>(std::clamp(length, 0, static_cast<int>(text.size()))));
        return text;
      }
      text.assign(text.size() * 2, '\0');
    }
  }
  bool IsRowChecked(int row) override {
    if (row < 0 || row >= Count()) return false;
    const UINT state =
        static_cast<UINT>(::SendMessageA(control_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == kCheckedImage;
  }
  void SetRowChecked(int row, bool checked) override {
    if (row < 0 || row >= Count()) return;
    Win32DialogWindow::QuietScope quiet(window_);
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? kCheckedImage : kUncheckedImage);
    ::SendMessageA(control_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  }
  void SetRowIcons(const std::vector<std::string>& icon_names) override {
    unique_image_list icons = MakeRowIcons(icon_names);
    if (!icons) return;
    ::SendMessageA(control_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons.get()));
    // The list-view no longer uses the old list: it may go now.
    icons_ = std::move(icons);
  }

 private:
  int InsertRow(int index, const std::vector<std::string>& texts, int icon, intptr_t data) {
    if (ColumnCount(control_) == 0) {
      // A report view shows nothing without a column: give the rows one as
      // wide as the list until the code adds its own.
      std::string empty;
      LVCOLUMNA column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.pszText = empty.data();
      column.cx = RemainingWidth(control_);
      ::SendMessageA(control_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
      implicit_column_ = true;
    }
    Win32DialogWindow::QuietScope quiet(window_);  // LVN_ITEMCHANGED of a new row is not the user's
    std::string first = texts.empty() ? std::string() : texts[0];
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    if (icon >= 0) {
      item.mask |= LVIF_IMAGE;
      item.iImage = icon;
    }
    item.iItem = index;
    item.pszText = first.data();
    item.lParam = static_cast<LPARAM>(data);
    const int row = static_cast<int>(
        ::SendMessageA(control_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return -1;
    for (size_t column = 1; column < texts.size(); ++column) {
      std::string text = texts[column];
      LVITEMA sub_item{};
      sub_item.iSubItem = static_cast<int>(column);
      sub_item.pszText = text.data();
      ::SendMessageA(control_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub_item));
    }
    return row;
  }

  unique_image_list icons_;
  // The list-view got a column of its own because rows came first.
  bool implicit_column_ = false;
};

class Slider : public Win32Peer, public SliderPeer {
 public:
  using Win32Peer::Win32Peer;
  SliderPeer* AsSlider() override { return this; }
  void SetRange(int minimum, int maximum) override {
    ::SendMessageA(control_, TBM_SETRANGEMIN, FALSE, minimum);
    ::SendMessageA(control_, TBM_SETRANGEMAX, TRUE, std::max(minimum, maximum));
  }
  int Position() override { return static_cast<int>(::SendMessageA(control_, TBM_GETPOS, 0, 0)); }
  void SetPosition(int position) override {
    ::SendMessageA(control_, TBM_SETPOS, TRUE, position);
  }
  void SetTickFrequency(int frequency) override {
    ::SendMessageA(control_, TBM_SETTICFREQ, frequency, 0);
  }
};

class Browser : public Win32Peer, public BrowserPeer {
 public:
  using Win32Peer::Win32Peer;
  BrowserPeer* AsBrowser() override { return this; }
  void Navigate(const std::string& path_or_url) override { BrowserNavigate(control_, path_or_url); }
};

class Picture : public Win32Peer, public PicturePeer {
 public:
  using Win32Peer::Win32Peer;
  PicturePeer* AsPicture() override { return this; }
  bool Load(const std::string& path) override { return PictureLoad(control_, path); }
};

}  // namespace

std::unique_ptr<Win32Peer> MakePeer(Win32DialogWindow& window, const ControlSpec& spec,
                                    HWND control) {
  switch (spec.kind) {
    case ControlKind::kEdit:
      return std::make_unique<Edit>(window, spec, control);
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kPushButton:
    case ControlKind::kDefaultButton:
    case ControlKind::kBitmapButton:
      return std::make_unique<Button>(window, spec, control);
    case ControlKind::kDropDownList:
    case ControlKind::kDropDownCombo:
      return std::make_unique<Combo>(window, spec, control);
    case ControlKind::kColourList:
      return std::make_unique<ColourList>(window, spec, control);
    case ControlKind::kListBox:
      return std::make_unique<ListBox>(window, spec, control);
    case ControlKind::kListView:
      return std::make_unique<ListView>(window, spec, control);
    case ControlKind::kSlider:
      return std::make_unique<Slider>(window, spec, control);
    case ControlKind::kBrowser:
      return std::make_unique<Browser>(window, spec, control);
    case ControlKind::kPicture:
      return std::make_unique<Picture>(window, spec, control);
    case ControlKind::kRichEdit:
      return MakeRichEditPeer(window, spec, control);
    case ControlKind::kLabel:
    case ControlKind::kGroupBox:
    case ControlKind::kIcon:
      break;
  }
  return std::make_unique<Static>(window, spec, control);
}

}  // namespace ui::win32
