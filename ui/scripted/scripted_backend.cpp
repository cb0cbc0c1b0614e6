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

ScriptedItem* ScriptedDialogWindow::GetItem(ScriptedControl* control, int index) {
  if (!control || index < 0 || index >= static_cast<int>(control->items.size())) return nullptr;
  return &control->items[index];
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

std::string ScriptedDialogWindow::GetText(int id) {
  ScriptedControl* control = Get(id, "GetText");
  if (!control) return std::string();
  if (control->kind() == ControlKind::kDropDownList) {
    // A drop-down list shows its selected item.
    const int selected = control->Selection();
    return selected >= 0 ? control->items[selected].text : std::string();
  }
  if (control->rich) return control->rich->Text();
  return control->text;
}

void ScriptedDialogWindow::SetText(int id, const std::string& text) {
  ScriptedControl* control = Get(id, "SetText");
  if (!control) return;
  if (control->kind() == ControlKind::kDropDownList) {
    // It can only show one of its items: the one with that text, if any.
    int found = -1;
    for (size_t i = 0; i < control->items.size() && found < 0; ++i) {
      if (base::EqualsNoCase(control->items[i].text, text)) found = static_cast<int>(i);
    }
    SetSelection(id, found);
    return;
  }
  if (control->rich) {
    control->rich->SetText(text);
    control->select_start = control->select_end = 0;
    return;
  }
  // The text limit only holds what the user types: text set by the program
  // goes in whole, as with WM_SETTEXT.
  control->text = text;
  control->select_start = control->select_end = 0;
}

void ScriptedDialogWindow::Enable(int id, bool enabled) {
  if (ScriptedControl* control = Get(id, "Enable")) control->enabled = enabled;
}

bool ScriptedDialogWindow::IsEnabled(int id) {
  ScriptedControl* control = Get(id, "IsEnabled");
  return control && control->enabled;
}

void ScriptedDialogWindow::Show(int id, bool visible) {
  if (ScriptedControl* control = Get(id, "Show")) control->visible = visible;
}

bool ScriptedDialogWindow::IsVisible(int id) {
  ScriptedControl* control = Get(id, "IsVisible");
  return control && control->visible;
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

void ScriptedDialogWindow::SelectText(int id, int start, int end) {
  ScriptedControl* control = Get(id, "SelectText");
  if (!control) return;
  const int length = static_cast<int>(control->text.size());
  if (end < 0 || end > length) end = length;
  start = std::clamp(start, 0, length);
  control->select_start = std::min(start, end);
  control->select_end = std::max(start, end);
}

void ScriptedDialogWindow::SetTextLimit(int id, int characters) {
  // 0 lifts the limit, as EM_LIMITTEXT does.
  if (ScriptedControl* control = Get(id, "SetTextLimit")) {
    control->text_limit = characters > 0 ? characters : INT_MAX;
  }
}

void ScriptedDialogWindow::SetButtonLook(int id, int look) {
  if (ScriptedControl* control = Get(id, "SetButtonLook")) control->look = look;
}

bool ScriptedDialogWindow::IsChecked(int id) {
  ScriptedControl* control = Get(id, "IsChecked");
  return control && control->checked;
}

void ScriptedDialogWindow::SetChecked(int id, bool checked) {
  // Setting a radio button does not clear the others of its group: only a
  // click does (BM_SETCHECK against BM_CLICK).
  ScriptedControl* control = Get(id, "SetChecked");
  if (control && IsCheckable(control->kind())) control->checked = checked;
}

void ScriptedDialogWindow::ClearItems(int id) {
  ScriptedControl* control = Get(id, "ClearItems");
  if (!control) return;
  control->items.clear();
  // Emptying a combo box empties its edit part too (CB_RESETCONTENT).
  if (control->kind() == ControlKind::kDropDownCombo) control->text.clear();
}

int ScriptedDialogWindow::AddItem(int id, const std::string& text, intptr_t data) {
  ScriptedControl* control = Get(id, "AddItem");
  if (!control || !IsItemList(control->kind())) return -1;
  if (control->kind() == ControlKind::kListView) return AddRow(id, {text}, -1, data);
  ScriptedItem item;
  item.text = text;
  item.data = data;
  auto at = control->items.end();
  if (control->Has(style::kSorted)) {
    // Sorted lists place a new item after the items that sort equal or
    // before it.
    at = std::upper_bound(control->items.begin(), control->items.end(), text,
                          [](const std::string& value, const ScriptedItem& existing) {
                            return SortsBefore(value, existing.text);
                          });
  }
  const int index = static_cast<int>(at - control->items.begin());
  control->items.insert(at, std::move(item));
  return index;
}

int ScriptedDialogWindow::InsertItem(int id, int index, const std::string& text, intptr_t data) {
  ScriptedControl* control = Get(id, "InsertItem");
  if (!control || !IsItemList(control->kind())) return -1;
  const int count = static_cast<int>(control->items.size());
  // -1 appends; an index past the end is refused (LB_ERR); sorted lists
  // take the item where it is put, as LB_INSERTSTRING does.
  if (index < 0) index = count;
  if (index > count) return -1;
  ScriptedItem item;
  item.text = text;
  item.data = data;
  control->items.insert(control->items.begin() + index, std::move(item));
  return index;
}

void ScriptedDialogWindow::DeleteItem(int id, int index) {
  ScriptedControl* control = Get(id, "DeleteItem");
  if (GetItem(control, index)) control->items.erase(control->items.begin() + index);
}

int ScriptedDialogWindow::ItemCount(int id) {
  ScriptedControl* control = Get(id, "ItemCount");
  return control ? static_cast<int>(control->items.size()) : 0;
}

std::string ScriptedDialogWindow::ItemText(int id, int index) {
  ScriptedItem* item = GetItem(Get(id, "ItemText"), index);
  return item ? item->text : std::string();
}

intptr_t ScriptedDialogWindow::ItemData(int id, int index) {
  ScriptedItem* item = GetItem(Get(id, "ItemData"), index);
  return item ? item->data : 0;
}

void ScriptedDialogWindow::SetItemData(int id, int index, intptr_t data) {
  if (ScriptedItem* item = GetItem(Get(id, "SetItemData"), index)) item->data = data;
}

int ScriptedDialogWindow::GetSelection(int id) {
  ScriptedControl* control = Get(id, "GetSelection");
  return control ? control->Selection() : -1;
}

void ScriptedDialogWindow::SetSelection(int id, int index) {
  ScriptedControl* control = Get(id, "SetSelection");
  if (!control) return;
  // One item selected, or none for -1 or an index out of range (as
  // CB_SETCURSEL does); on multiple-selection lists the others lose theirs.
  for (ScriptedItem& item : control->items) item.selected = false;
  if (ScriptedItem* item = GetItem(control, index)) {
    item->selected = true;
    if (control->kind() == ControlKind::kDropDownCombo) control->text = item->text;
  }
}

bool ScriptedDialogWindow::IsSelected(int id, int index) {
  ScriptedItem* item = GetItem(Get(id, "IsSelected"), index);
  return item && item->selected;
}

void ScriptedDialogWindow::SetSelected(int id, int index, bool selected) {
  ScriptedControl* control = Get(id, "SetSelected");
  if (!control) return;
  if (!MultiSelect(*control)) {
    // A single-selection list has one selected item at most.
    if (selected) {
      SetSelection(id, index);
    } else if (ScriptedItem* item = GetItem(control, index)) {
      item->selected = false;
    }
    return;
  }
  if (ScriptedItem* item = GetItem(control, index)) item->selected = selected;
}

void ScriptedDialogWindow::AddColumn(int id, const std::string& title, int) {
  if (ScriptedControl* control = Get(id, "AddColumn")) control->columns.push_back(title);
}

int ScriptedDialogWindow::AddRow(int id, const std::vector<std::string>& texts, int icon,
                                 intptr_t data) {
  ScriptedControl* control = Get(id, "AddRow");
  if (!control || control->kind() != ControlKind::kListView) return -1;
  ScriptedItem row;
  if (!texts.empty()) {
    row.text = texts[0];
    row.columns.assign(texts.begin() + 1, texts.end());
  }
  row.icon = icon;
  row.data = data;
  control->items.push_back(std::move(row));
  return static_cast<int>(control->items.size()) - 1;
}

std::string ScriptedDialogWindow::RowText(int id, int row, int column) {
  ScriptedItem* item = GetItem(Get(id, "RowText"), row);
  if (!item || column < 0) return std::string();
  if (column == 0) return item->text;
  return column - 1 < static_cast<int>(item->columns.size()) ? item->columns[column - 1]
                                                              : std::string();
}

bool ScriptedDialogWindow::IsRowChecked(int id, int row) {
  ScriptedItem* item = GetItem(Get(id, "IsRowChecked"), row);
  return item && item->checked;
}

void ScriptedDialogWindow::SetRowChecked(int id, int row, bool checked) {
  if (ScriptedItem* item = GetItem(Get(id, "SetRowChecked"), row)) item->checked = checked;
}

void ScriptedDialogWindow::SetRowIcons(int id, const std::vector<std::string>& icon_names) {
  if (ScriptedControl* control = Get(id, "SetRowIcons")) control->icon_names = icon_names;
}

void ScriptedDialogWindow::SetRange(int id, int minimum, int maximum) {
  ScriptedControl* control = Get(id, "SetRange");
  if (!control) return;
  control->range_min = minimum;
  control->range_max = std::max(minimum, maximum);
  control->position = std::clamp(control->position, control->range_min, control->range_max);
}

int ScriptedDialogWindow::GetPosition(int id) {
  ScriptedControl* control = Get(id, "GetPosition");
  return control ? control->position : 0;
}

void ScriptedDialogWindow::SetPosition(int id, int position) {
  // A slider keeps its position inside its range (TBM_SETPOS).
  if (ScriptedControl* control = Get(id, "SetPosition")) {
    control->position = std::clamp(position, control->range_min, control->range_max);
  }
}

void ScriptedDialogWindow::SetTickFrequency(int id, int frequency) {
  if (ScriptedControl* control = Get(id, "SetTickFrequency")) control->tick_frequency = frequency;
}

void ScriptedDialogWindow::SetItemColour(int id, int index, Colour colour) {
  if (ScriptedItem* item = GetItem(Get(id, "SetItemColour"), index)) item->colour = colour;
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

void ScriptedDialogWindow::Navigate(int id, const std::string& path_or_url) {
  if (ScriptedControl* control = Get(id, "Navigate")) control->navigated = path_or_url;
}

bool ScriptedDialogWindow::ShowPicture(int id, const std::string& path) {
  ScriptedControl* control = Get(id, "ShowPicture");
  if (!control) return false;
  // A missing file (or none) shows nothing, as a failed image load does.
  control->picture.clear();
  if (path.empty() || !platform::GetFiles().FileExists(path)) return false;
  control->picture = path;
  return true;
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

bool ScriptedBackend::OpenFiles(const FileDialogRequest& request, std::vector<std::string>* paths) {
  return driver_.AnswerFiles(request, paths, static_cast<int>(open_.size()));
}

MessageBoxService& ScriptedBackend::MessageBoxes() { return boxes_; }

WindowHandle ScriptedBackend::ForegroundWindow() {
  if (!open_.empty()) return open_.back();
  if (!modeless_.empty()) return modeless_.back().window->handle();
  return nullptr;
}

// Rich-text boxes -----------------------------------------------------------

ScriptedControl* ScriptedDialogWindow::GetRich(int id, const char* operation) {
  ScriptedControl* control = Get(id, operation);
  if (control && !control->rich) {
    driver_.Fail(std::string(operation) + ": control id " + std::to_string(id) +
                 " is not a rich-text box");
    return nullptr;
  }
  return control;
}

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

void ScriptedDialogWindow::GetRichSelection(int id, int* start, int* end) {
  ScriptedControl* control = GetRich(id, "GetRichSelection");
  *start = control ? control->select_start : 0;
  *end = control ? control->select_end : 0;
}

void ScriptedDialogWindow::SetRichSelection(int id, int start, int end) {
  if (ScriptedControl* control = GetRich(id, "SetRichSelection")) {
    MoveRichSelection(*control, start, end);
  }
}

void ScriptedDialogWindow::HideRichSelection(int id, bool hide) {
  if (ScriptedControl* control = GetRich(id, "HideRichSelection")) {
    control->selection_hidden = hide;
  }
}

int ScriptedDialogWindow::RichTextLength(int id) {
  ScriptedControl* control = GetRich(id, "RichTextLength");
  return control ? control->rich->Length() : 0;
}

std::string ScriptedDialogWindow::RichTextRange(int id, int start, int end) {
  ScriptedControl* control = GetRich(id, "RichTextRange");
  return control ? control->rich->TextRange(start, end) : std::string();
}

int ScriptedDialogWindow::RichLineCount(int id) {
  ScriptedControl* control = GetRich(id, "RichLineCount");
  return control ? control->rich->LineCount() : 0;
}

int ScriptedDialogWindow::RichLineIndex(int id, int line) {
  ScriptedControl* control = GetRich(id, "RichLineIndex");
  return control ? control->rich->LineIndex(line) : -1;
}

int ScriptedDialogWindow::RichLineLength(int id, int line) {
  ScriptedControl* control = GetRich(id, "RichLineLength");
  return control ? control->rich->LineLength(line) : 0;
}

int ScriptedDialogWindow::RichLineFromChar(int id, int position) {
  ScriptedControl* control = GetRich(id, "RichLineFromChar");
  return control ? control->rich->LineFromChar(position) : 0;
}

void ScriptedDialogWindow::ReplaceRichSelection(int id, const std::string& text) {
  ScriptedControl* control = GetRich(id, "ReplaceRichSelection");
  if (!control) return;
  const int before = control->rich->Length();
  control->rich->Replace(control->select_start, control->select_end, text);
  const int caret = control->select_end + (control->rich->Length() - before);
  MoveRichSelection(*control, caret, caret);
}

uint32_t ScriptedDialogWindow::GetRichFormat(int id, richtext::CharFormat* format) {
  ScriptedControl* control = GetRich(id, "GetRichFormat");
  if (!control) return 0;
  return control->rich->GetFormat(control->select_start, control->select_end, format);
}

void ScriptedDialogWindow::SetRichFormat(int id, RichTarget target,
                                         const richtext::CharFormat& format, uint32_t mask) {
  ScriptedControl* control = GetRich(id, "SetRichFormat");
  if (!control) return;
  richtext::Document& document = *control->rich;
  switch (target) {
    case RichTarget::kSelection:
      document.ApplyFormat(control->select_start, control->select_end, format, mask);
      break;
    case RichTarget::kAll:
      document.ApplyFormatToAll(format, mask);
      break;
    case RichTarget::kDefault: {
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

void ScriptedDialogWindow::SetRichParagraphFormat(int id, const richtext::ParagraphFormat& format,
                                                  uint32_t mask) {
  if (ScriptedControl* control = GetRich(id, "SetRichParagraphFormat")) {
    control->rich->ApplyParagraphFormat(0, control->rich->Length(), format, mask);
  }
}

std::string ScriptedDialogWindow::GetRtf(int id) {
  ScriptedControl* control = GetRich(id, "GetRtf");
  return control ? control->rich->WriteRtf() : std::string();
}

bool ScriptedDialogWindow::SetRtf(int id, const std::string& rtf) {
  ScriptedControl* control = GetRich(id, "SetRtf");
  if (!control || !control->rich->ReadRtf(rtf)) return false;
  control->select_start = control->select_end = 0;
  return true;
}

void ScriptedDialogWindow::SetRichBackground(int id, Colour colour) {
  if (ScriptedControl* control = GetRich(id, "SetRichBackground")) control->background = colour;
}

void ScriptedDialogWindow::TypeRich(int id, const std::string& text) {
  ScriptedControl* control = GetRich(id, "TypeRich");
  if (!control) return;
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
