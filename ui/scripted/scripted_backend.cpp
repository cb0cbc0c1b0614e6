// The scripted backend: control state in memory with the Windows controls'
// rules, modal runs handed to the driver.
#include "ui/scripted/scripted_backend.h"

#include <algorithm>
#include <climits>

#include "base/text.h"
#include "platform/services.h"

namespace ui {
namespace {

// Dialog units to pixels with the base units of the standard dialog font
// (6 by 13 pixels per 4 by 8 dialog units).
int UnitsToPixelsX(int units) { return units * 6 / 4; }
int UnitsToPixelsY(int units) { return units * 13 / 8; }
// The frame and caption bar around the client area.
constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 25;

bool IsItemList(ControlKind kind) {
  return kind == ControlKind::kDropDownList || kind == ControlKind::kDropDownCombo ||
         kind == ControlKind::kListBox || kind == ControlKind::kColourList ||
         kind == ControlKind::kListView;
}

bool IsCheckable(ControlKind kind) {
  return kind == ControlKind::kCheckBox || kind == ControlKind::kRadioButton;
}

// Controls whose initial text is the table's caption (list controls,
// sliders, browsers and pictures have no text of their own).
bool TakesCaptionAsText(ControlKind kind) {
  return !IsItemList(kind) && kind != ControlKind::kSlider && kind != ControlKind::kBrowser &&
         kind != ControlKind::kPicture;
}

// Controls whose focus loss the logic hears about (edit fields and combo
// boxes notify it, as EN_KILLFOCUS and CBN_KILLFOCUS do).
bool NotifiesKillFocus(ControlKind kind) {
  return kind == ControlKind::kEdit || kind == ControlKind::kDropDownList ||
         kind == ControlKind::kDropDownCombo;
}

bool MultiSelect(const ScriptedControl& control) {
  return (control.kind() == ControlKind::kListBox || control.kind() == ControlKind::kListView) &&
         control.Has(style::kMultiSelect);
}

// The order of a sorted list box or combo box: without regard to case, and,
// as Windows' string sort does, punctuation and blanks before digits before
// letters (the plain byte order would put "_" after "Z").
int SortRank(unsigned char c) {
  const unsigned char upper = base::ToUpperAnsi(c);
  if (upper != base::ToLowerAnsi(c)) return 2;  // a letter
  if (c >= '0' && c <= '9') return 1;
  return 0;
}

bool SortsBefore(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    const int rank_a = SortRank(ca), rank_b = SortRank(cb);
    if (rank_a != rank_b) return rank_a < rank_b;
    const unsigned char ua = base::ToUpperAnsi(ca), ub = base::ToUpperAnsi(cb);
    if (ua != ub) return ua < ub;
  }
  return a.size() < b.size();
}

// Frees the dialog from its window however the run ends.
class AttachedWindow {
 public:
  AttachedWindow(Dialog& dialog, ScriptedDialogWindow& window, std::vector<WindowHandle>& open)
      : dialog_(dialog), open_(open) {
    dialog.AttachWindow(&window);
    open.push_back(window.handle());
  }
  ~AttachedWindow() {
    dialog_.DetachWindow();
    open_.pop_back();
  }
  AttachedWindow(const AttachedWindow&) = delete;
  AttachedWindow& operator=(const AttachedWindow&) = delete;

 private:
  Dialog& dialog_;
  std::vector<WindowHandle>& open_;
};

}  // namespace

int ScriptedControl::Selection() const {
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].selected) return static_cast<int>(i);
  }
  return -1;
}

// --- The controls' peers ---

// What every scripted control does, over its state in the window. The
// families a kind adds are the classes below.
class ScriptedPeer : public ControlPeer {
 public:
  ScriptedPeer(ScriptedDialogWindow& window, ScriptedControl& control)
      : window_(window), control_(control) {}

  std::string Text() override { return control_.text; }
  void SetText(const std::string& text) override {
    // The text limit only holds what the user types: text set by the
    // program goes in whole, as with WM_SETTEXT.
    control_.text = text;
    control_.select_start = control_.select_end = 0;
  }
  void Enable(bool enabled) override { control_.enabled = enabled; }
  bool IsEnabled() override { return control_.enabled; }
  void Show(bool visible) override { control_.visible = visible; }
  bool IsVisible() override { return control_.visible; }
  void Focus() override { window_.SetFocus(control_.id()); }

 protected:
  Dialog& dialog() { return window_.dialog_; }
  void MoveRichSelection(int start, int end) { window_.MoveRichSelection(control_, start, end); }
  ScriptedItem* Item(int index) {
    if (index < 0 || index >= static_cast<int>(control_.items.size())) return nullptr;
    return &control_.items[static_cast<size_t>(index)];
  }

  ScriptedDialogWindow& window_;
  ScriptedControl& control_;
};

namespace {

// The selection and limit of a text field (an edit, or a combo box's edit
// part).
void SelectFieldText(ScriptedControl& control, int start, int end) {
  const int length = static_cast<int>(control.text.size());
  if (end < 0 || end > length) end = length;
  start = std::clamp(start, 0, length);
  control.select_start = std::min(start, end);
  control.select_end = std::max(start, end);
}

void LimitFieldText(ScriptedControl& control, int characters) {
  // 0 lifts the limit, as EM_LIMITTEXT does.
  control.text_limit = characters > 0 ? characters : INT_MAX;
}

class ScriptedStatic : public ScriptedPeer {
 public:
  using ScriptedPeer::ScriptedPeer;
};

class ScriptedEdit : public ScriptedPeer, public EditPeer {
 public:
  using ScriptedPeer::ScriptedPeer;
  EditPeer* AsEdit() override { return this; }
  void SelectText(int start, int end) override { SelectFieldText(control_, start, end); }
  void SetTextLimit(int characters) override { LimitFieldText(control_, characters); }
};

class ScriptedButton : public ScriptedPeer, public ButtonPeer {
 public:
  using ScriptedPeer::ScriptedPeer;
  ButtonPeer* AsButton() override { return this; }
  bool IsChecked() override { return control_.checked; }
  void SetChecked(bool checked) override {
    // Setting a radio button does not clear the others of its group: only
    // a click does (BM_SETCHECK against BM_CLICK).
    if (IsCheckable(control_.kind())) control_.checked = checked;
  }
  void SetLook(int look) override { control_.look = look; }
};

// List boxes, and the items of the other lists.
class ScriptedList : public ScriptedPeer, public ListPeer {
 public:
  using ScriptedPeer::ScriptedPeer;
  ListPeer* AsList() override { return this; }
  void Clear() override { control_.items.clear(); }
  int Add(const std::string& text, intptr_t data) override {
    ScriptedItem item;
    item.text = text;
    item.data = data;
    auto at = control_.items.end();
    if (control_.Has(style::kSorted)) {
      // Sorted lists place a new item after the items that sort equal or
      // before it.
      at = std::upper_bound(control_.items.begin(), control_.items.end(), text,
                            [](const std::string& value, const ScriptedItem& existing) {
                              return SortsBefore(value, existing.text);
                            });
    }
    const int index = static_cast<int>(at - control_.items.begin());
    control_.items.insert(at, std::move(item));
    return index;
  }
  int Insert(int index, const std::string& text, intptr_t data) override {
    const int count = static_cast<int>(control_.items.size());
    // -1 appends; an index past the end is refused (LB_ERR); sorted lists
    // take the item where it is put, as LB_INSERTSTRING does.
    if (index < 0) index = count;
    if (index > count) return -1;
    ScriptedItem item;
    item.text = text;
    item.data = data;
    control_.items.insert(control_.items.begin() + index, std::move(item));
    return index;
  }
  void Delete(int index) override {
    if (Item(index)) control_.items.erase(control_.items.begin() + index);
  }
  int Count() override { return static_cast<int>(control_.items.size()); }
  std::string ItemText(int index) override {
    ScriptedItem* item = Item(index);
    return item ? item->text : std::string();
  }
  intptr_t ItemData(int index) override {
    ScriptedItem* item = Item(index);
    return item ? item->data : 0;
  }
  void SetItemData(int index, intptr_t data) override {
    if (ScriptedItem* item = Item(index)) item->data = data;
  }
  int Selection() override { return control_.Selection(); }
  void Select(int index) override {
    // One item selected, or none for -1 or an index out of range (as
    // CB_SETCURSEL does); on multiple-selection lists the others lose theirs.
    for (ScriptedItem& item : control_.items) item.selected = false;
    if (ScriptedItem* item = Item(index)) {
      item->selected = true;
      if (control_.kind() == ControlKind::kDropDownCombo) control_.text = item->text;
    }
  }
  bool IsSelected(int index) override {
    ScriptedItem* item = Item(index);
    return item && item->selected;
  }
  void SetSelected(int index, bool selected) override {
    if (!MultiSelect(control_)) {
      // A single-selection list has one selected item at most.
      if (selected) {
        Select(index);
      } else if (ScriptedItem* item = Item(index)) {
        item->selected = false;
      }
      return;
    }
    if (ScriptedItem* item = Item(index)) item->selected = selected;
  }
};

// Drop-down lists and drop-down combo boxes: a list with an edit part.
class ScriptedCombo : public ScriptedList, public EditPeer {
 public:
  using ScriptedList::ScriptedList;
  EditPeer* AsEdit() override { return this; }
  std::string Text() override {
    if (control_.kind() != ControlKind::kDropDownList) return ScriptedList::Text();
    // A drop-down list shows its selected item.
    const int selected = control_.Selection();
    return selected >= 0 ? control_.items[static_cast<size_t>(selected)].text : std::string();
  }
  void SetText(const std::string& text) override {
    if (control_.kind() != ControlKind::kDropDownList) {
      ScriptedList::SetText(text);
      return;
    }
    // It can only show one of its items: the one with that text, if any.
    int found = -1;
    for (size_t i = 0; i < control_.items.size() && found < 0; ++i) {
      if (base::EqualsNoCase(control_.items[i].text, text)) found = static_cast<int>(i);
    }
    Select(found);
  }
  void Clear() override {
    control_.items.clear();
    // Emptying a combo box empties its edit part too (CB_RESETCONTENT).
    if (control_.kind() == ControlKind::kDropDownCombo) control_.text.clear();
  }
  void SelectText(int start, int end) override { SelectFieldText(control_, start, end); }
  void SetTextLimit(int characters) override { LimitFieldText(control_, characters); }
};

class ScriptedColourList : public ScriptedCombo, public ColourListPeer {
 public:
  using ScriptedCombo::ScriptedCombo;
  ColourListPeer* AsColourList() override { return this; }
  void SetItemColour(int index, Colour colour) override {
    if (ScriptedItem* item = Item(index)) item->colour = colour;
  }
};

class ScriptedListView : public ScriptedList, public ListViewPeer {
 public:
  using ScriptedList::ScriptedList;
  ListViewPeer* AsListView() override { return this; }
  int Add(const std::string& text, intptr_t data) override { return AddRow({text}, -1, data); }
  void AddColumn(const std::string& title, int) override { control_.columns.push_back(title); }
  int AddRow(const std::vector<std::string>& texts, int icon, intptr_t data) override {
    ScriptedItem row;
    if (!texts.empty()) {
      row.text = texts[0];
      row.columns.assign(texts.begin() + 1, texts.end());
    }
    row.icon = icon;
    row.data = data;
    control_.items.push_back(std::move(row));
    return static_cast<int>(control_.items.size()) - 1;
  }
  std::string RowText(int row, int column) override {
    ScriptedItem* item = Item(row);
    if (!item || column < 0) return std::string();
    if (column == 0) return item->text;
    return column - 1 < static_cast<int>(item->columns.size())
               ? item->columns[static_cast<size_t>(column - 1)]
               : std::string();
  }
  bool IsRowChecked(int row) override {
    ScriptedItem* item = Item(row);
    return item && item->checked;
  }
  void SetRowChecked(int row, bool checked) override {
    if (ScriptedItem* item = Item(row)) item->checked = checked;
  }
  void SetRowIcons(const std::vector<std::string>& icon_names) override {
    control_.icon_names = icon_names;
  }
};

class ScriptedSlider : public ScriptedPeer, public SliderPeer {
 public:
  using ScriptedPeer::ScriptedPeer;
  SliderPeer* AsSlider() override { return this; }
  void SetRange(int minimum, int maximum) override {
    control_.range_min = minimum;
    control_.range_max = std::max(minimum, maximum);
    control_.position = std::clamp(control_.position, control_.range_min, control_.range_max);
  }
  int Position() override { return control_.position; }
  void SetPosition(int position) override {
    // A slider keeps its position inside its range (TBM_SETPOS).
    control_.position = std::clamp(position, control_.range_min, control_.range_max);
  }
  void SetTickFrequency(int frequency) override { control_.tick_frequency = frequency; }
};

class ScriptedBrowser : public ScriptedPeer, public BrowserPeer {
 public:
  using ScriptedPeer::ScriptedPeer;
  BrowserPeer* AsBrowser() override { return this; }
  void Navigate(const std::string& path_or_url) override { control_.navigated = path_or_url; }
};

class ScriptedPicture : public ScriptedPeer, public PicturePeer {
 public:
  using ScriptedPeer::ScriptedPeer;
  PicturePeer* AsPicture() override { return this; }
  bool Load(const std::string& path) override {
    // A missing file (or none) shows nothing, as a failed image load does.
    control_.picture.clear();
    if (path.empty() || !platform::GetFiles().FileExists(path)) return false;
    control_.picture = path;
    return true;
  }
};

class ScriptedRichEdit : public ScriptedPeer, public RichEditPeer {
 public:
  using ScriptedPeer::ScriptedPeer;
  RichEditPeer* AsRichEdit() override { return this; }
  std::string Text() override { return control_.rich->Text(); }
  void SetText(const std::string& text) override {
    control_.rich->SetText(text);
    control_.select_start = control_.select_end = 0;
  }
  void GetSelection(int* start, int* end) override {
    *start = control_.select_start;
    *end = control_.select_end;
  }
  void SetSelection(int start, int end) override { MoveRichSelection(start, end); }
  void HideSelection(bool hide) override { control_.selection_hidden = hide; }
  int Length() override { return control_.rich->Length(); }
  std::string TextRange(int start, int end) override { return control_.rich->TextRange(start, end); }
  int LineCount() override { return control_.rich->LineCount(); }
  int LineIndex(int line) override { return control_.rich->LineIndex(line); }
  int LineLength(int line) override { return control_.rich->LineLength(line); }
  int LineFromChar(int position) override { return control_.rich->LineFromChar(position); }
  void ReplaceSelection(const std::string& text) override {
    const int before = control_.rich->Length();
    control_.rich->Replace(control_.select_start, control_.select_end, text);
    const int caret = control_.select_end + (control_.rich->Length() - before);
    MoveRichSelection(caret, caret);
  }
  uint32_t GetFormat(richtext::CharFormat* format) override {
    return control_.rich->GetFormat(control_.select_start, control_.select_end, format);
  }
  void SetFormat(Target target, const richtext::CharFormat& format, uint32_t mask) override {
    richtext::Document& document = *control_.rich;
    switch (target) {
      case Target::kSelection:
        document.ApplyFormat(control_.select_start, control_.select_end, format, mask);
        break;
      case Target::kAll:
        document.ApplyFormatToAll(format, mask);
        break;
      case Target::kDefault: {
        richtext::CharFormat merged = document.default_format();
        if (mask & richtext::mask::kBold) merged.bold = format.bold;
        if (mask & richtext::mask::kItalic) merged.italic = format.italic;
        if (mask & richtext::mask::kUnderline) merged.underline = format.underline;
        if (mask & richtext::mask::kColour) merged.colour = format.colour;
        if (mask & richtext::mask::kFace) merged.face = format.face;
        if (mask & richtext::mask::kHeight) merged.height = format.height;
        document.SetDefaultFormat(merged);
        break;
      }
    }
  }
  void SetParagraphFormat(const richtext::ParagraphFormat& format, uint32_t mask) override {
    control_.rich->ApplyParagraphFormat(0, control_.rich->Length(), format, mask);
  }
  std::string Rtf() override { return control_.rich->WriteRtf(); }
  bool SetRtf(const std::string& rtf) override {
    if (!control_.rich->ReadRtf(rtf)) return false;
    control_.select_start = control_.select_end = 0;
    return true;
  }
  void SetBackground(Colour colour) override { control_.background = colour; }
};

std::unique_ptr<ControlPeer> MakePeer(ScriptedDialogWindow& window, ScriptedControl& control) {
  switch (control.kind()) {
    case ControlKind::kEdit:
      return std::make_unique<ScriptedEdit>(window, control);
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kPushButton:
    case ControlKind::kDefaultButton:
    case ControlKind::kBitmapButton:
      return std::make_unique<ScriptedButton>(window, control);
    case ControlKind::kDropDownList:
    case ControlKind::kDropDownCombo:
      return std::make_unique<ScriptedCombo>(window, control);
    case ControlKind::kColourList:
      return std::make_unique<ScriptedColourList>(window, control);
    case ControlKind::kListBox:
      return std::make_unique<ScriptedList>(window, control);
    case ControlKind::kListView:
      return std::make_unique<ScriptedListView>(window, control);
    case ControlKind::kSlider:
      return std::make_unique<ScriptedSlider>(window, control);
    case ControlKind::kBrowser:
      return std::make_unique<ScriptedBrowser>(window, control);
    case ControlKind::kPicture:
      return std::make_unique<ScriptedPicture>(window, control);
    case ControlKind::kRichEdit:
      return std::make_unique<ScriptedRichEdit>(window, control);
    case ControlKind::kLabel:
    case ControlKind::kGroupBox:
    case ControlKind::kIcon:
      break;
  }
  return std::make_unique<ScriptedStatic>(window, control);
}

}  // namespace

ControlPeer* ScriptedDialogWindow::Peer(int id) {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].id() == id) return peers_[i].get();
  }
  return nullptr;
}

void ScriptedDialogWindow::ReportMisuse(int id, const char* operation, const char* family) {
  if (!family) {
    Get(id, operation);  // reports the missing control
    return;
  }
  driver_.Fail(std::string(operation) + ": control id " + std::to_string(id) + " is not a " +
               family);
}

std::string ScriptedDialogWindow::GetText(int id) {
  ControlPeer* peer = Get(id, "GetText") ? Peer(id) : nullptr;
  return peer ? peer->Text() : std::string();
}

void ScriptedDialogWindow::SetSelection(int id, int index) {
  if (auto* list = FamilyOf<ListPeer>(Get(id, "SetSelection") ? Peer(id) : nullptr)) {
    list->Select(index);
  }
}

void ScriptedDialogWindow::SetRichSelection(int id, int start, int end) {
  auto* rich = FamilyOf<RichEditPeer>(Get(id, "SetRichSelection") ? Peer(id) : nullptr);
  if (rich) rich->SetSelection(start, end);
}

std::string ScriptedDialogWindow::RowText(int id, int row, int column) {
  auto* rows = FamilyOf<ListViewPeer>(Get(id, "RowText") ? Peer(id) : nullptr);
  return rows ? rows->RowText(row, column) : std::string();
}

bool ScriptedDialogWindow::IsRowChecked(int id, int row) {
  auto* rows = FamilyOf<ListViewPeer>(Get(id, "IsRowChecked") ? Peer(id) : nullptr);
  return rows && rows->IsRowChecked(row);
}

void ScriptedDialogWindow::SetFocus(int id) {
  if (!Get(id, "SetFocus") || focus_ == id) return;
  const int previous = focus_;
  focus_ = id;
  // The control that loses the focus tells the dialog, as Windows does for
  // any focus change; a handler that moves the focus again does not start
  // another round.
  ScriptedControl* left = previous ? Find(previous) : nullptr;
  if (left && NotifiesKillFocus(left->kind()) && !in_kill_focus_) {
    in_kill_focus_ = true;
    dialog_.FireCommand(previous, Notify::kKillFocus);
    in_kill_focus_ = false;
  }
  // A rich-text box tells the dialog it has the focus (EN_SETFOCUS).
  ScriptedControl* entered = Find(id);
  if (entered && entered->rich && focus_ == id) dialog_.FireCommand(id, Notify::kSetFocus);
}

// --- ScriptedDialogWindow ---

ScriptedDialogWindow::ScriptedDialogWindow(Dialog& dialog, Driver& driver)
    : dialog_(dialog), driver_(driver), caption_(dialog.spec().caption ? dialog.spec().caption : "") {
  const DialogSpec& spec = dialog.spec();
  width_ = UnitsToPixelsX(spec.width) + kFrameWidth;
  height_ = UnitsToPixelsY(spec.height) + kFrameHeight;
  controls_.reserve(spec.controls.size());
  for (const ControlSpec& control_spec : spec.controls) {
    ScriptedControl control;
    control.spec = &control_spec;
    if (control_spec.caption && TakesCaptionAsText(control_spec.kind)) {
      control.text = control_spec.caption;
    }
    if (control_spec.kind == ControlKind::kRichEdit) {
      control.rich = std::make_shared<richtext::Document>();
    }
    control.enabled = (control_spec.style & style::kDisabled) == 0;
    control.visible = (control_spec.style & style::kHidden) == 0;
    control.x = UnitsToPixelsX(control_spec.x);
    control.y = UnitsToPixelsY(control_spec.y);
    control.width = UnitsToPixelsX(control_spec.width);
    control.height = UnitsToPixelsY(control_spec.height);
    controls_.push_back(std::move(control));
  }
  // The controls stay where they are from now on: the peers point at them.
  for (ScriptedControl& control : controls_) peers_.push_back(MakePeer(*this, control));
}

ScriptedControl* ScriptedDialogWindow::Find(int id) {
  for (ScriptedControl& control : controls_) {
    if (control.id() == id) return &control;
  }
  return nullptr;
}

ScriptedControl* ScriptedDialogWindow::Get(int id, const char* operation) {
  if (ScriptedControl* control = Find(id)) return control;
  driver_.Fail("\"" + caption_ + "\": " + operation + " names control id " + std::to_string(id) +
               ", which the dialog does not have");
  return nullptr;
}

void ScriptedDialogWindow::FocusFirstControl() {
  if (focus_ != 0) return;
  for (const ScriptedControl& control : controls_) {
    const ControlKind kind = control.kind();
    if (kind == ControlKind::kLabel || kind == ControlKind::kGroupBox ||
        kind == ControlKind::kPicture || kind == ControlKind::kIcon ||
        control.Has(style::kNoTabStop) || !control.enabled || !control.visible) {
      continue;
    }
    focus_ = control.id();
    return;
  }
}

std::vector<std::string> ScriptedDialogWindow::ItemTexts(int id) {
  std::vector<std::string> texts;
  if (ScriptedControl* control = Find(id)) {
    for (const ScriptedItem& item : control->items) texts.push_back(item.text);
  }
  return texts;
}

WindowHandle ScriptedDialogWindow::handle() { return this; }

void ScriptedDialogWindow::SetCaption(const std::string& caption) { caption_ = caption; }

void ScriptedDialogWindow::SetWindowSize(int width, int height) {
  int old_width = 0, old_height = 0;
  GetClientSize(&old_width, &old_height);
  width_ = std::max(width, kFrameWidth);
  height_ = std::max(height, kFrameHeight);
  int new_width = 0, new_height = 0;
  GetClientSize(&new_width, &new_height);
  // Resizing a window tells it its new client size (WM_SIZE).
  if (new_width != old_width || new_height != old_height) dialog_.FireSize(new_width, new_height);
}

void ScriptedDialogWindow::GetClientSize(int* width, int* height) {
  if (width) *width = width_ - kFrameWidth;
  if (height) *height = height_ - kFrameHeight;
}

void ScriptedDialogWindow::MoveControl(int id, int x, int y, int width, int height) {
  if (ScriptedControl* control = Get(id, "MoveControl")) {
    control->x = x;
    control->y = y;
    control->width = width;
    control->height = height;
  }
}

bool ScriptedDialogWindow::CreateTooltips(int) {
  tooltips_created_ = true;
  return true;
}

void ScriptedDialogWindow::AddTooltip(int id, const std::string& text) {
  ScriptedControl* control = Get(id, "AddTooltip");
  if (!control) return;
  if (!tooltips_created_) {
    driver_.Fail("\"" + caption_ + "\": AddTooltip before CreateTooltips");
    return;
  }
  control->has_tooltip = true;
  control->tooltip = text;
}

void ScriptedDialogWindow::EndDialog(int result) {
  if (end_handler_) {
    end_handler_(result);
    return;
  }
  ended_ = true;
  result_ = result;
}

// --- ScriptedSheet ---

ScriptedSheet::ScriptedSheet(PropertySheet& sheet, Driver& driver)
    : sheet_(sheet), driver_(driver) {}

ScriptedSheet::~ScriptedSheet() { DestroyPages(); }

ScriptedDialogWindow* ScriptedSheet::WindowOf(const PropertyPage& page) const {
  for (const CreatedPage& created : created_) {
    if (created.page == &page) return created.window.get();
  }
  return nullptr;
}

ScriptedDialogWindow* ScriptedSheet::ActiveWindow() const {
  const int active = sheet_.active_page();
  if (active < 0 || active >= static_cast<int>(sheet_.pages().size())) return nullptr;
  return WindowOf(*sheet_.pages()[active]);
}

void ScriptedSheet::DestroyPages() {
  for (CreatedPage& created : created_) {
    created.page->FireDestroy();
    created.page->DetachWindow();
  }
  created_.clear();
}

bool ScriptedSheet::CreatePage(PropertyPage& page) {
  auto window = std::make_unique<ScriptedDialogWindow>(page, driver_);
  // A page has no window of its own to end: ending it ends the sheet.
  window->SetEndHandler([this](int result) { End(result); });
  page.AttachWindow(window.get());
  created_.push_back({&page, std::move(window)});
  return true;
}

void ScriptedSheet::ShowPage(PropertyPage& page) {
  if (ScriptedDialogWindow* window = WindowOf(page)) window->FocusFirstControl();
}

// --- ScriptedBackend ---

ScriptedBackend::ScriptedBackend() = default;

ScriptedBackend::~ScriptedBackend() {
  // Modeless dialogs still open lose their windows with the backend.
  while (!modeless_.empty()) CloseModeless(*modeless_.back().dialog);
}

ScriptedDialogWindow* ScriptedBackend::ModelessWindow(const Dialog& dialog) const {
  for (const Modeless& open : modeless_) {
    if (open.dialog == &dialog) return open.window.get();
  }
  return nullptr;
}

int ScriptedBackend::RunModal(Dialog& dialog, WindowHandle) {
  if (dialog.IsOpen()) {
    driver_.Fail("the dialog \"" + std::string(dialog.spec().caption ? dialog.spec().caption : "") +
                 "\" was opened while it is open");
    return -1;  // as DialogBox fails
  }
  ScriptedDialogWindow window(dialog, driver_);
  const int depth = static_cast<int>(open_.size());
  AttachedWindow attached(dialog, window, open_);
  // OnInitDialog returning true lets the dialog manager place the focus.
  if (dialog.FireInit()) window.FocusFirstControl();
  ScriptedWindow scripted(driver_, window);
  driver_.RunWindow(scripted, WindowKind::kDialog, depth);
  dialog.FireDestroy();
  return window.result();
}

bool ScriptedBackend::OpenModeless(Dialog& dialog, WindowHandle) {
  if (dialog.IsOpen()) return false;
  Modeless open;
  open.dialog = &dialog;
  open.window = std::make_unique<ScriptedDialogWindow>(dialog, driver_);
  // EndDialog on a modeless dialog closes it.
  open.window->SetEndHandler([this, &dialog](int) { CloseModeless(dialog); });
  dialog.AttachWindow(open.window.get());
  ScriptedDialogWindow* window = open.window.get();
  modeless_.push_back(std::move(open));
  if (dialog.FireInit()) window->FocusFirstControl();
  // The initialisation may have closed it again.
  for (Modeless& entry : modeless_) {
    if (entry.dialog == &dialog) {
      entry.record =
          driver_.RecordModelessOpened(window->caption(), static_cast<int>(open_.size()));
    }
  }
  return true;
}

void ScriptedBackend::CloseModeless(Dialog& dialog) {
  auto it = std::find_if(modeless_.begin(), modeless_.end(),
                         [&dialog](const Modeless& open) { return open.dialog == &dialog; });
  if (it == modeless_.end()) return;
  Modeless closing = std::move(*it);
  modeless_.erase(it);
  if (closing.record != Modeless::kNoRecord) {
    driver_.RecordModelessClosed(closing.record, *closing.window, kIdCancel);
  }
  dialog.FireDestroy();
  dialog.DetachWindow();
  // The close may come from inside one of the window's own calls
  // (EndDialog): keep the window until the backend goes.
  closed_.push_back(std::move(closing.window));
}

int ScriptedBackend::RunSheet(PropertySheet& sheet, WindowHandle) {
  ScriptedSheet runner(sheet, driver_);
  const int depth = static_cast<int>(open_.size());
  struct Running {
    PropertySheet& sheet;
    ScriptedSheet& runner;
    std::vector<WindowHandle>& open;
    Running(PropertySheet& s, ScriptedSheet& r, std::vector<WindowHandle>& o)
        : sheet(s), runner(r), open(o) {
      sheet.SetPageCreator(&runner);
      sheet.SetRunning(true, runner.handle());
      open.push_back(runner.handle());
    }
    ~Running() {
      runner.DestroyPages();
      sheet.SetPageCreator(nullptr);
      sheet.SetRunning(false, nullptr);
      open.pop_back();
    }
  } running(sheet, runner, open_);
  // The first page shown is created now, the others when their tab is
  // first chosen, as with the real sheet.
  sheet.RequestPage(sheet.start_page());
  ScriptedWindow scripted(driver_, runner);
  driver_.RunWindow(scripted, WindowKind::kSheet, depth);
  return runner.result();
}

bool ScriptedBackend::ChooseColour(WindowHandle, Colour* colour) {
  return driver_.AnswerColour(colour, static_cast<int>(open_.size()));
}

FileDialogResult ScriptedBackend::OpenFiles(const FileDialogRequest& request,
                                            std::vector<std::string>* paths) {
  return driver_.AnswerFiles(request, paths, static_cast<int>(open_.size()));
}

MessageBoxService& ScriptedBackend::MessageBoxes() { return boxes_; }

WindowHandle ScriptedBackend::ForegroundWindow() {
  if (!open_.empty()) return open_.back();
  if (!modeless_.empty()) return modeless_.back().window->handle();
  return nullptr;
}

// Rich-text boxes -----------------------------------------------------------

void ScriptedDialogWindow::MoveRichSelection(ScriptedControl& control, int start, int end) {
  const int length = control.rich->Length();
  // -1 as an end selects to the end, as EM_EXSETSEL does.
  if (end < 0) end = length;
  start = std::clamp(start, 0, length);
  end = std::clamp(end, 0, length);
  if (start > end) std::swap(start, end);
  if (start == control.select_start && end == control.select_end) return;
  control.select_start = start;
  control.select_end = end;
  dialog_.FireCommand(control.id(), Notify::kSelectionChanged);
}


void ScriptedDialogWindow::TypeRich(int id, const std::string& text) {
  ScriptedControl* control = Get(id, "TypeRich");
  if (!control) return;
  if (!control->rich) {
    ReportMisuse(id, "TypeRich", "rich-text box");
    return;
  }
  richtext::Document& document = *control->rich;
  for (size_t i = 0; i < text.size(); ++i) {
    int start = control->select_start;
    int end = control->select_end;
    std::string typed;
    const char c = text[i];
    if (c == '\b' || c == '\x7f') {
      if (start == end) {
        // A line break goes as a whole.
        if (c == '\b' && start > 0) {
          start -= document.TextRange(start - 1, start) == "\n" && start >= 2 ? 2 : 1;
        } else if (c == '\x7f' && end < document.Length()) {
          end += document.TextRange(end, end + 2) == "\r\n" ? 2 : 1;
        }
      }
      if (start == end) continue;  // nothing before or after the caret
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      typed = "\r\n";
    } else {
      typed.assign(1, c);
    }
    document.Replace(start, end, typed);
    const int caret = start + static_cast<int>(typed.size());
    control->select_start = control->select_end = -1;  // always a change
    MoveRichSelection(*control, caret, caret);
    dialog_.FireCommand(id, Notify::kChanged);
    if (!Find(id)) return;  // the handler closed the dialog
  }
}

}  // namespace ui
