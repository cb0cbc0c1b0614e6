// The driver: steps on scripted windows, expectations, defaults, records.
#include "ui/scripted/driver.h"

#include <algorithm>
#include <cstdio>

#include "base/path.h"
#include "base/text.h"
#include "ui/backend.h"
#include "ui/scripted/scripted_backend.h"

namespace ui {
namespace {

// What the user may type into an edit field before EM_LIMITTEXT is sent.
constexpr int kDefaultTypingLimit = 32767;

bool IsButton(ControlKind kind) {
  return kind == ControlKind::kPushButton || kind == ControlKind::kDefaultButton ||
         kind == ControlKind::kBitmapButton;
}

bool IsList(ControlKind kind) {
  return kind == ControlKind::kDropDownList || kind == ControlKind::kDropDownCombo ||
         kind == ControlKind::kListBox || kind == ControlKind::kColourList ||
         kind == ControlKind::kListView;
}

// A label names the control after it, unless it is a link (clicked itself).
bool IsNamingLabel(const ControlSpec& spec) {
  return spec.kind == ControlKind::kLabel && (spec.style & style::kLink) == 0;
}

std::string Caption(const ControlSpec& spec) { return spec.caption ? spec.caption : ""; }
std::string PageTitle(const PropertyPage& page) {
  return page.spec().caption ? page.spec().caption : "";
}

// The caption without its mnemonic marks ("&Browse..." reads "Browse...";
// "&&" is a literal ampersand).
std::string WithoutMnemonic(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out.push_back(caption[i]);
  }
  return out;
}

// Index in the table of the control ref names, or -1: by id, or by caption
// (exactly, then without mnemonics), a naming label giving the control
// after it. *label_without_field is set when a label matched but names
// nothing.
// Whether a control of that kind shows its caption as its text.
bool ShowsCaption(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
    case ControlKind::kGroupBox:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kPushButton:
    case ControlKind::kDefaultButton:
      return true;
    default:
      return false;
  }
}

// The caption a user reads: what the control shows now when the window is
// open and the control has an id of its own (the logic may have changed
// it), else the table's.
std::string CurrentCaption(const ControlSpec& spec, DialogWindow* window) {
  if (window && spec.id != kIdStatic && ShowsCaption(spec.kind)) return Control(window, spec.id).Text();
  return Caption(spec);
}

int FindInTable(std::span<const ControlSpec> table, const ControlRef& ref,
                bool* label_without_field, DialogWindow* window = nullptr) {
  const int count = static_cast<int>(table.size());
  if (!ref.by_caption()) {
    for (int i = 0; i < count; ++i) {
      if (table[i].id == ref.id() && ref.id() != kIdStatic) return i;
    }
    return -1;
  }
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < count; ++i) {
      const std::string shown = CurrentCaption(table[i], window);
      const std::string caption = pass == 0 ? shown : WithoutMnemonic(shown);
      if (caption.empty() || caption != ref.caption()) continue;
      if (!IsNamingLabel(table[i])) return i;
      if (i + 1 < count) return i + 1;
      *label_without_field = true;
      return -1;
    }
  }
  return -1;
}

// The radio buttons of the group the control at index belongs to: from the
// button that starts the group to the next group start or non-radio
// control, as the dialog model's data exchange counts them.
std::vector<int> RadioGroup(std::span<const ControlSpec> table, int index) {
  int start = index;
  while (start > 0 && !(table[start].style & style::kGroup) &&
         table[start - 1].kind == ControlKind::kRadioButton) {
    --start;
  }
  std::vector<int> ids;
  for (int i = start; i < static_cast<int>(table.size()); ++i) {
    if (table[i].kind != ControlKind::kRadioButton) break;
    if (i > start && (table[i].style & style::kGroup)) break;
    ids.push_back(table[i].id);
  }
  return ids;
}

std::string ResultName(int result) {
  if (result >= static_cast<int>(Answer::kOk) && result <= static_cast<int>(Answer::kNo)) {
    return AnswerName(static_cast<Answer>(result));
  }
  if (result == kIdHelp) return "Help";
  return "id " + std::to_string(result);
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

// The bytes the real dialog writes for the chosen paths: one path and its
// NUL, or (OFN_EXPLORER multiple selection) the folder, each name, each
// with its NUL, and a final NUL.
size_t ChosenNamesSize(const std::vector<std::string>& paths) {
  if (paths.size() == 1) return paths.front().size() + 1;
  const std::string& first = paths.front();
  const size_t separator = base::LastSeparator(first);
  size_t folder = separator == std::string::npos ? 0 : separator;
  // A drive's root keeps its separator ("C:\").
  if (folder > 0 && first[folder - 1] == ':') ++folder;
  size_t size = folder + 1;
  for (const std::string& path : paths) size += base::FileNameOf(path).size() + 1;
  return size + 1;
}

}  // namespace

std::string ControlRef::Describe() const {
  return by_caption_ ? Quote(caption_) : "id " + std::to_string(id_);
}

const char* WindowKindName(WindowKind kind) {
  switch (kind) {
    case WindowKind::kDialog: return "dialog";
    case WindowKind::kSheet: return "sheet";
    case WindowKind::kMessageBox: return "message box";
    case WindowKind::kColourDialog: return "colour dialog";
    case WindowKind::kFileDialog: return "file dialog";
    case WindowKind::kModeless: return "modeless dialog";
  }
  return "window";
}

const char* AnswerName(Answer answer) {
  switch (answer) {
    case Answer::kOk: return "OK";
    case Answer::kCancel: return "Cancel";
    case Answer::kAbort: return "Abort";
    case Answer::kRetry: return "Retry";
    case Answer::kIgnore: return "Ignore";
    case Answer::kYes: return "Yes";
    case Answer::kNo: return "No";
  }
  return "?";
}

bool ParseAnswerName(const std::string& name, Answer* answer) {
  for (int value = static_cast<int>(Answer::kOk); value <= static_cast<int>(Answer::kNo);
       ++value) {
    if (base::EqualsNoCase(name, AnswerName(static_cast<Answer>(value)))) {
      *answer = static_cast<Answer>(value);
      return true;
    }
  }
  return false;
}

bool HasButton(Buttons buttons, Answer answer) {
  switch (buttons) {
    case Buttons::kOk: return answer == Answer::kOk;
    case Buttons::kOkCancel: return answer == Answer::kOk || answer == Answer::kCancel;
    case Buttons::kAbortRetryIgnore:
      return answer == Answer::kAbort || answer == Answer::kRetry || answer == Answer::kIgnore;
    case Buttons::kYesNoCancel:
      return answer == Answer::kYes || answer == Answer::kNo || answer == Answer::kCancel;
    case Buttons::kYesNo: return answer == Answer::kYes || answer == Answer::kNo;
    case Buttons::kRetryCancel: return answer == Answer::kRetry || answer == Answer::kCancel;
  }
  return false;
}

// --- ScriptedWindow ---

ScriptedWindow::ScriptedWindow(Driver& driver, ScriptedDialogWindow& window)
    : driver_(driver), window_(&window) {}

ScriptedWindow::ScriptedWindow(Driver& driver, ScriptedSheet& sheet)
    : driver_(driver), sheet_(&sheet) {}

std::string ScriptedWindow::caption() const {
  return sheet_ ? sheet_->sheet().caption() : window_->caption();
}

bool ScriptedWindow::IsOpen() const { return sheet_ ? !sheet_->ended() : !window_->ended(); }

Dialog* ScriptedWindow::dialog() const { return window_ ? &window_->dialog() : nullptr; }

PropertySheet* ScriptedWindow::sheet() const { return sheet_ ? &sheet_->sheet() : nullptr; }

std::string ScriptedWindow::ActivePage() const {
  if (!sheet_) return std::string();
  const PropertySheet& sheet = sheet_->sheet();
  const int active = sheet.active_page();
  if (active < 0 || active >= static_cast<int>(sheet.pages().size())) return std::string();
  return PageTitle(*sheet.pages()[active]);
}

void ScriptedWindow::Fail(const std::string& message) {
  failed_ = true;
  driver_.Fail(Quote(caption()) + ": " + message);
}

bool ScriptedWindow::CheckOpen(const char* action) {
  if (IsOpen()) return true;
  Fail(std::string("cannot ") + action + ": the window has closed");
  return false;
}

ScriptedWindow::Found ScriptedWindow::FindIn(ScriptedDialogWindow& window, const ControlRef& ref) {
  bool label_without_field = false;
  const int index =
      FindInTable(window.dialog().spec().controls, ref, &label_without_field, &window);
  if (index < 0) return {};
  return {&window, window.Find(window.dialog().spec().controls[index].id)};
}

ScriptedWindow::Found ScriptedWindow::Find(const ControlRef& ref, bool quiet) {
  if (!sheet_) {
    Found found = FindIn(*window_, ref);
    if (!found.control && !quiet) {
      bool label_without_field = false;
      FindInTable(window_->dialog().spec().controls, ref, &label_without_field);
      Fail(label_without_field ? "the label " + ref.Describe() + " names no control"
                               : "no control " + ref.Describe());
    }
    return found;
  }
  // A sheet: the visible page, then the others in tab order.
  if (ScriptedDialogWindow* active = sheet_->ActiveWindow()) {
    if (Found found = FindIn(*active, ref); found.control) return found;
  }
  PropertySheet& sheet = sheet_->sheet();
  for (size_t i = 0; i < sheet.pages().size(); ++i) {
    if (static_cast<int>(i) == sheet.active_page()) continue;
    bool label_without_field = false;
    if (FindInTable(sheet.pages()[i]->spec().controls, ref, &label_without_field) < 0) continue;
    // The user has to bring that page to the front first.
    if (!sheet.RequestPage(static_cast<int>(i))) {
      if (!quiet) {
        Fail(ref.Describe() + " is on the page " + Quote(PageTitle(*sheet.pages()[i])) +
             ", which could not be chosen");
      }
      return {};
    }
    if (ScriptedDialogWindow* now_active = sheet_->ActiveWindow()) return FindIn(*now_active, ref);
    return {};
  }
  if (!quiet) Fail("no control " + ref.Describe() + " on any page");
  return {};
}

ScriptedWindow::Found ScriptedWindow::FindForAction(const ControlRef& ref, const char* action) {
  if (!CheckOpen(action)) return {};
  Found found = Find(ref);
  if (!found.control) return {};
  if (!found.control->visible) {
    Fail(std::string("cannot ") + action + " " + ref.Describe() + ": it is hidden");
    return {};
  }
  if (!found.control->enabled) {
    Fail(std::string("cannot ") + action + " " + ref.Describe() + ": it is disabled");
    return {};
  }
  return found;
}

void ScriptedWindow::FocusOn(const Found& found) { found.window->SetFocus(found.control->id()); }

void ScriptedWindow::Type(const ControlRef& ref, const std::string& text) {
  Found found = FindForAction(ref, "type into");
  if (!found.control) return;
  ScriptedControl& control = *found.control;
  if (control.kind() == ControlKind::kRichEdit) {
    // Typed at the caret, over the selection, keystroke by keystroke.
    FocusOn(found);
    found.window->TypeRich(control.id(), text);
    return;
  }
  if (control.kind() != ControlKind::kEdit && control.kind() != ControlKind::kDropDownCombo) {
    Fail(ref.Describe() + " is not an edit field");
    return;
  }
  if (control.Has(style::kReadOnly)) {
    Fail("cannot type into " + ref.Describe() + ": it is read-only");
    return;
  }
  FocusOn(found);
  std::string typed;
  const bool multi_line = control.Has(style::kMultiLine);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      // Return ends a one-line field's text; in a multi-line field each
      // line break is typed as CR LF.
      if (!multi_line) break;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      typed += "\r\n";
      continue;
    }
    // A number field takes digits only.
    if (control.Has(style::kNumber) && (c < '0' || c > '9')) continue;
    typed.push_back(c);
  }
  const int limit = control.text_limit > 0 ? control.text_limit : kDefaultTypingLimit;
  if (static_cast<int>(typed.size()) > limit) typed.resize(limit);
  control.text = typed;
  control.select_start = control.select_end = static_cast<int>(typed.size());
  // Editing a combo box's text leaves no item selected.
  if (control.kind() == ControlKind::kDropDownCombo) {
    for (ScriptedItem& item : control.items) item.selected = false;
  }
  found.window->dialog().FireCommand(control.id(), Notify::kChanged);
}

void ScriptedWindow::SelectRange(const ControlRef& ref, int start, int end) {
  Found found = FindForAction(ref, "select text in");
  if (!found.control) return;
  if (found.control->kind() != ControlKind::kRichEdit) {
    Fail(ref.Describe() + " is not a rich-text box");
    return;
  }
  FocusOn(found);
  found.window->SetRichSelection(found.control->id(), start, end);
}

int ScriptedWindow::IndexOf(const Found& found, const ControlRef& ref, const std::string& item) {
  const std::vector<ScriptedItem>& items = found.control->items;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].text == item) return static_cast<int>(i);
  }
  for (size_t i = 0; i < items.size(); ++i) {
    if (base::EqualsNoCase(items[i].text, item)) return static_cast<int>(i);
  }
  std::string known;
  for (const ScriptedItem& existing : items) known += (known.empty() ? "" : ", ") + Quote(existing.text);
  Fail("no item " + Quote(item) + " in " + ref.Describe() + " (items: " +
       (known.empty() ? "none" : known) + ")");
  return -1;
}

void ScriptedWindow::ChooseItem(const Found& found, int index) {
  ScriptedControl& control = *found.control;
  FocusOn(found);
  const bool changed = control.Selection() != index ||
                       std::count_if(control.items.begin(), control.items.end(),
                                     [](const ScriptedItem& item) { return item.selected; }) != 1;
  // A click selects that item alone.
  found.window->SetSelection(control.id(), index);
  if (changed) found.window->dialog().FireCommand(control.id(), Notify::kSelectionChanged, index);
}

void ScriptedWindow::Select(const ControlRef& ref, const std::string& item) {
  Found found = FindForAction(ref, "select in");
  if (!found.control) return;
  if (!IsList(found.control->kind())) {
    Fail(ref.Describe() + " is not a list");
    return;
  }
  const int index = IndexOf(found, ref, item);
  if (index >= 0) ChooseItem(found, index);
}

void ScriptedWindow::Select(const ControlRef& ref, int index) {
  Found found = FindForAction(ref, "select in");
  if (!found.control) return;
  if (!IsList(found.control->kind())) {
    Fail(ref.Describe() + " is not a list");
    return;
  }
  if (index < 0 || index >= static_cast<int>(found.control->items.size())) {
    Fail(ref.Describe() + " has no item " + std::to_string(index) + " (it has " +
         std::to_string(found.control->items.size()) + ")");
    return;
  }
  ChooseItem(found, index);
}

void ScriptedWindow::SelectItems(const ControlRef& ref, const std::vector<std::string>& items) {
  Found found = FindForAction(ref, "select in");
  if (!found.control) return;
  ScriptedControl& control = *found.control;
  const ControlKind kind = control.kind();
  if ((kind != ControlKind::kListBox && kind != ControlKind::kListView) ||
      !control.Has(style::kMultiSelect)) {
    Fail(ref.Describe() + " is not a list that selects several items");
    return;
  }
  std::vector<bool> wanted(control.items.size(), false);
  for (const std::string& item : items) {
    const int index = IndexOf(found, ref, item);
    if (index < 0) return;  // reported; nothing selected
    wanted[static_cast<size_t>(index)] = true;
  }
  FocusOn(found);
  bool changed = false;
  int first = -1;
  for (size_t i = 0; i < control.items.size(); ++i) {
    changed = changed || control.items[i].selected != wanted[i];
    control.items[i].selected = wanted[i];
    if (wanted[i] && first < 0) first = static_cast<int>(i);
  }
  if (changed) found.window->dialog().FireCommand(control.id(), Notify::kSelectionChanged, first);
}

void ScriptedWindow::Check(const ControlRef& ref, bool checked) {
  Found found = FindForAction(ref, checked ? "tick" : "untick");
  if (!found.control) return;
  ScriptedControl& control = *found.control;
  if (control.kind() != ControlKind::kCheckBox && control.kind() != ControlKind::kRadioButton) {
    Fail(ref.Describe() + " is not a check box or radio button");
    return;
  }
  if (control.kind() == ControlKind::kRadioButton && !checked) {
    Fail("cannot untick the radio button " + ref.Describe() + ": tick another of its group");
    return;
  }
  if (control.checked == checked) return;  // nothing to click
  FocusOn(found);
  if (control.kind() == ControlKind::kRadioButton) {
    // An automatic radio button clears the others of its group.
    const auto table = found.window->dialog().spec().controls;
    int index = 0;
    while (table[index].id != control.id()) ++index;
    for (int id : RadioGroup(table, index)) {
      if (ScriptedControl* other = found.window->Find(id)) other->checked = false;
    }
  }
  control.checked = checked;
  found.window->dialog().FireCommand(control.id(), Notify::kClicked);
}

void ScriptedWindow::Click(const ControlRef& ref) {
  if (!CheckOpen("click")) return;
  // A sheet's own buttons are not on its pages.
  if (sheet_ && !Has(ref)) {
    const bool by_caption = ref.by_caption();
    const std::string name = WithoutMnemonic(ref.caption());
    if ((by_caption && base::EqualsNoCase(name, "OK")) || (!by_caption && ref.id() == kIdOk)) {
      return PressOk();
    }
    if ((by_caption && base::EqualsNoCase(name, "Cancel")) ||
        (!by_caption && ref.id() == kIdCancel)) {
      return PressCancel();
    }
    if ((by_caption && base::EqualsNoCase(name, "Help")) || (!by_caption && ref.id() == kIdHelp)) {
      return PressHelp();
    }
  }
  Found found = FindForAction(ref, "click");
  if (!found.control) return;
  ScriptedControl& control = *found.control;
  const ControlKind kind = control.kind();
  if (kind == ControlKind::kCheckBox) return Check(ref, !control.checked);
  if (kind == ControlKind::kRadioButton) return Check(ref, true);
  const bool link = kind == ControlKind::kLabel && control.Has(style::kLink);
  if (!IsButton(kind) && !link) {
    Fail(ref.Describe() + " is not a button");
    return;
  }
  if (!sheet_ && control.id() == kIdOk) return PressOk();
  if (!sheet_ && control.id() == kIdCancel) return PressCancel();
  FocusOn(found);
  found.window->dialog().FireCommand(control.id(), Notify::kClicked);
}

void ScriptedWindow::DoubleClick(const ControlRef& ref, int row) {
  Found found = FindForAction(ref, "double-click");
  if (!found.control) return;
  const ControlKind kind = found.control->kind();
  if (kind != ControlKind::kListBox && kind != ControlKind::kListView &&
      kind != ControlKind::kColourList) {
    Fail(ref.Describe() + " is not a list box or list-view");
    return;
  }
  if (row < 0 || row >= static_cast<int>(found.control->items.size())) {
    Fail(ref.Describe() + " has no row " + std::to_string(row));
    return;
  }
  ChooseItem(found, row);
  if (IsOpen()) found.window->dialog().FireCommand(found.control->id(), Notify::kDoubleClicked, row);
}

void ScriptedWindow::DoubleClick(const ControlRef& ref, const std::string& item) {
  Found found = FindForAction(ref, "double-click");
  if (!found.control) return;
  const int row = IndexOf(found, ref, item);
  if (row >= 0) DoubleClick(ref, row);
}

void ScriptedWindow::CheckRow(const ControlRef& ref, int row, bool checked) {
  Found found = FindForAction(ref, checked ? "tick a row of" : "untick a row of");
  if (!found.control) return;
  ScriptedControl& control = *found.control;
  if (control.kind() != ControlKind::kListView || !control.Has(style::kCheckBoxes)) {
    Fail(ref.Describe() + " is not a list-view with check boxes");
    return;
  }
  if (row < 0 || row >= static_cast<int>(control.items.size())) {
    Fail(ref.Describe() + " has no row " + std::to_string(row));
    return;
  }
  if (control.items[row].checked == checked) return;
  FocusOn(found);
  control.items[row].checked = checked;
  found.window->dialog().FireCommand(control.id(), Notify::kRowChecked, row);
}

void ScriptedWindow::CheckRow(const ControlRef& ref, const std::string& item, bool checked) {
  Found found = FindForAction(ref, checked ? "tick a row of" : "untick a row of");
  if (!found.control) return;
  const int row = IndexOf(found, ref, item);
  if (row >= 0) CheckRow(ref, row, checked);
}

void ScriptedWindow::MoveSlider(const ControlRef& ref, int position) {
  Found found = FindForAction(ref, "move");
  if (!found.control) return;
  ScriptedControl& control = *found.control;
  if (control.kind() != ControlKind::kSlider) {
    Fail(ref.Describe() + " is not a slider");
    return;
  }
  FocusOn(found);
  control.position = std::clamp(position, control.range_min, control.range_max);
  found.window->dialog().FireCommand(control.id(), Notify::kScrolled, control.position);
}

void ScriptedWindow::SelectPage(const std::string& title) {
  if (!CheckOpen("choose a page")) return;
  if (!sheet_) {
    Fail("cannot choose the page " + Quote(title) + ": not a property sheet");
    return;
  }
  PropertySheet& sheet = sheet_->sheet();
  std::string titles;
  for (size_t i = 0; i < sheet.pages().size(); ++i) {
    const std::string page_title = PageTitle(*sheet.pages()[i]);
    if (base::EqualsNoCase(page_title, title)) {
      // A page that refuses to be left keeps the sheet where it is; that
      // is the logic's answer, not a failed step.
      sheet.RequestPage(static_cast<int>(i));
      return;
    }
    titles += (titles.empty() ? "" : ", ") + Quote(page_title);
  }
  Fail("no page " + Quote(title) + " (pages: " + titles + ")");
}

bool ScriptedWindow::DoOk() {
  if (sheet_) {
    if (sheet_->sheet().RequestOk() && !sheet_->ended()) sheet_->End(kIdOk);
    return sheet_->ended();
  }
  if (ScriptedControl* ok = window_->Find(kIdOk)) {
    if (!ok->enabled || !ok->visible) return false;
    window_->SetFocus(kIdOk);
    if (!IsOpen()) return true;  // a focus handler ended it
  }
  if (window_->dialog().FireOk() && !window_->ended()) window_->EndDialog(kIdOk);
  return window_->ended();
}

bool ScriptedWindow::DoCancel() {
  if (sheet_) {
    if (sheet_->sheet().RequestCancel() && !sheet_->ended()) sheet_->End(kIdCancel);
    return sheet_->ended();
  }
  // Escape reaches the dialog as Cancel even without a Cancel button.
  if (window_->dialog().FireCancel() && !window_->ended()) window_->EndDialog(kIdCancel);
  return window_->ended();
}

void ScriptedWindow::PressOk() {
  if (!CheckOpen("press OK")) return;
  if (!sheet_) {
    if (ScriptedControl* ok = window_->Find(kIdOk); ok && (!ok->enabled || !ok->visible)) {
      Fail(std::string("cannot press OK: it is ") + (ok->visible ? "disabled" : "hidden"));
      return;
    }
  }
  DoOk();  // refused: the window stays open, as the logic decided
}

void ScriptedWindow::PressCancel() {
  if (!CheckOpen("press Cancel")) return;
  DoCancel();
}

void ScriptedWindow::PressHelp() {
  if (!CheckOpen("press Help")) return;
  if (sheet_) {
    if (!sheet_->sheet().help_button()) {
      Fail("cannot press Help: the sheet has no Help button");
      return;
    }
    sheet_->sheet().RequestHelp();
    return;
  }
  Found found = FindForAction(kIdHelp, "press");
  if (!found.control) return;
  FocusOn(found);
  window_->dialog().FireCommand(kIdHelp, Notify::kClicked);
}

bool ScriptedWindow::CloseWithDefault(bool cancel_only) {
  if (!IsOpen()) return true;
  if (!cancel_only && DoOk()) return true;
  if (!IsOpen()) return true;
  if (!DoCancel()) {
    // The logic refused Cancel as well: the window is closed the way the
    // close box of a hung dialog would be, so the run cannot hang.
    driver_.Fail(Quote(caption()) + ": refused both OK and Cancel; closed");
    if (sheet_) {
      sheet_->End(kIdCancel);
    } else {
      window_->SetEndHandler({});
      window_->EndDialog(kIdCancel);
    }
  }
  return false;
}

std::string ScriptedWindow::Text(const ControlRef& ref) {
  Found found = Find(ref);
  return found.control ? found.window->GetText(found.control->id()) : std::string();
}

bool ScriptedWindow::IsChecked(const ControlRef& ref) {
  Found found = Find(ref);
  return found.control && found.control->checked;
}

bool ScriptedWindow::IsEnabled(const ControlRef& ref) {
  Found found = Find(ref);
  return found.control && found.control->enabled;
}

bool ScriptedWindow::IsVisible(const ControlRef& ref) {
  Found found = Find(ref);
  return found.control && found.control->visible;
}

std::vector<std::string> ScriptedWindow::Items(const ControlRef& ref) {
  Found found = Find(ref);
  return found.control ? found.window->ItemTexts(found.control->id()) : std::vector<std::string>();
}

int ScriptedWindow::Selection(const ControlRef& ref) {
  Found found = Find(ref);
  return found.control ? found.control->Selection() : -1;
}

std::string ScriptedWindow::SelectedItem(const ControlRef& ref) {
  Found found = Find(ref);
  if (!found.control) return std::string();
  const int selected = found.control->Selection();
  return selected >= 0 ? found.control->items[selected].text : std::string();
}

bool ScriptedWindow::IsRowChecked(const ControlRef& ref, int row) {
  Found found = Find(ref);
  return found.control && found.window->IsRowChecked(found.control->id(), row);
}

std::string ScriptedWindow::RowText(const ControlRef& ref, int row, int column) {
  Found found = Find(ref);
  return found.control ? found.window->RowText(found.control->id(), row, column) : std::string();
}

int ScriptedWindow::Position(const ControlRef& ref) {
  Found found = Find(ref);
  return found.control ? found.control->position : 0;
}

bool ScriptedWindow::Has(const ControlRef& ref) {
  if (!sheet_) return FindIn(*window_, ref).control != nullptr;
  if (ScriptedDialogWindow* active = sheet_->ActiveWindow()) {
    if (FindIn(*active, ref).control) return true;
  }
  for (PropertyPage* page : sheet_->sheet().pages()) {
    bool label_without_field = false;
    if (FindInTable(page->spec().controls, ref, &label_without_field) >= 0) return true;
  }
  return false;
}

// --- Driver ---

void Driver::Expect(std::string caption, Steps steps, std::string origin) {
  Entry entry;
  entry.kind = EntryKind::kWindow;
  entry.caption = std::move(caption);
  entry.steps = std::move(steps);
  entry.origin = std::move(origin);
  entries_.push_back(std::move(entry));
}

void Driver::ExpectMessage(std::string caption, std::string text_prefix, Answer answer,
                           std::string origin) {
  Entry entry;
  entry.kind = EntryKind::kMessage;
  entry.caption = std::move(caption);
  entry.text_prefix = std::move(text_prefix);
  entry.answer = answer;
  entry.origin = std::move(origin);
  entries_.push_back(std::move(entry));
}

void Driver::ExpectColour(std::optional<Colour> colour, std::string origin) {
  Entry entry;
  entry.kind = EntryKind::kColour;
  entry.colour = colour;
  entry.origin = std::move(origin);
  entries_.push_back(std::move(entry));
}

void Driver::ExpectFiles(std::string title, std::vector<std::string> paths, std::string origin) {
  Entry entry;
  entry.kind = EntryKind::kFiles;
  entry.caption = std::move(title);
  entry.paths = std::move(paths);
  entry.origin = std::move(origin);
  entries_.push_back(std::move(entry));
}

std::vector<std::string> Driver::MessageTexts() const {
  std::vector<std::string> texts;
  for (const WindowRecord& record : shown_) {
    if (record.kind == WindowKind::kMessageBox) texts.push_back(record.text);
  }
  return texts;
}

std::vector<std::string> Driver::Unused() const {
  std::vector<std::string> unused;
  for (const Entry& entry : entries_) {
    if (entry.used) continue;
    std::string what;
    switch (entry.kind) {
      case EntryKind::kWindow: what = "dialog " + Quote(entry.caption); break;
      case EntryKind::kMessage:
        what = "message box " + Quote(entry.caption) + " " + Quote(entry.text_prefix);
        break;
      case EntryKind::kColour: what = "colour dialog"; break;
      case EntryKind::kFiles: what = "file dialog " + Quote(entry.caption); break;
    }
    unused.push_back(entry.origin.empty() ? what : entry.origin + ": " + what);
  }
  return unused;
}

void Driver::Reset() {
  entries_.clear();
  shown_.clear();
  errors_.clear();
  context_.clear();
}

void Driver::Fail(const std::string& message) {
  const std::string full = context_.empty() ? message : context_ + ": " + message;
  errors_.push_back(full);
  if (echo_) std::fprintf(stderr, "error: %s\n", full.c_str());
  if (error_handler_) error_handler_(full);
}

Driver::Entry* Driver::Match(EntryKind kind, const std::string& caption, const std::string& text) {
  for (Entry& entry : entries_) {
    if (entry.used || entry.kind != kind) continue;
    if (!entry.caption.empty() && entry.caption != caption) continue;
    if (kind == EntryKind::kMessage && text.compare(0, entry.text_prefix.size(), entry.text_prefix) != 0) {
      continue;
    }
    entry.used = true;
    return &entry;
  }
  return nullptr;
}

void Driver::RunWindow(ScriptedWindow& window, WindowKind kind, int depth) {
  const size_t record = shown_.size();
  WindowRecord opened;
  opened.kind = kind;
  opened.caption = window.caption();
  opened.depth = depth;
  shown_.push_back(std::move(opened));
  if (window.IsOpen()) {
    const size_t errors_before = errors_.size();
    Entry* entry = Match(EntryKind::kWindow, window.caption(), "");
    if (entry) {
      shown_[record].answered_by_entry = true;
      // Copied: a nested window's entries may grow the list meanwhile.
      const Steps steps = entry->steps;
      if (steps) steps(window);
    }
    if (window.IsOpen()) {
      const bool failed = window.failed() || errors_.size() > errors_before;
      const bool closed_by_ok = window.CloseWithDefault(failed || default_cancel_);
      if (!closed_by_ok && !failed && !default_cancel_) shown_[record].ok_refused = true;
    }
  }
  FinishRecord(record, window);
}

void Driver::FinishRecord(size_t index, ScriptedWindow& window) {
  WindowRecord& record = shown_[index];
  record.caption = window.caption();
  if (ScriptedSheet* sheet = window.scripted_sheet()) {
    record.result = sheet->result();
    for (PropertyPage* page : sheet->sheet().pages()) {
      ScriptedDialogWindow* page_window = sheet->WindowOf(*page);
      if (!page_window) continue;
      record.pages.push_back(PageTitle(*page));
      for (ControlReport& report : ReportControls(*page_window, PageTitle(*page) + " / ")) {
        record.controls.push_back(std::move(report));
      }
    }
  } else {
    record.result = window.scripted_window()->result();
    record.controls = ReportControls(*window.scripted_window(), "");
  }
  record.answer = ResultName(record.result);
}

Answer Driver::AnswerMessageBox(const MessageBoxRequest& request, int depth) {
  WindowRecord record;
  record.depth = depth;
  record.kind = WindowKind::kMessageBox;
  record.caption = request.caption;
  record.text = request.text;
  record.icon = request.icon;
  record.buttons = request.buttons;
  Answer answer = FirstButton(request.buttons);
  if (Entry* entry = Match(EntryKind::kMessage, request.caption, request.text)) {
    record.answered_by_entry = true;
    if (HasButton(request.buttons, entry->answer)) {
      answer = entry->answer;
    } else {
      const std::string saved = context_;
      context_ = entry->origin;
      Fail("the message box " + Quote(request.text) + " has no " + AnswerName(entry->answer) +
           " button; answered " + AnswerName(answer));
      context_ = saved;
    }
  }
  record.result = static_cast<int>(answer);
  record.answer = AnswerName(answer);
  if (echo_) std::fprintf(stderr, "[%s] %s\n", request.caption.c_str(), request.text.c_str());
  shown_.push_back(std::move(record));
  return answer;
}

bool Driver::AnswerColour(Colour* colour, int depth) {
  WindowRecord record;
  record.depth = depth;
  record.kind = WindowKind::kColourDialog;
  bool chosen = false;
  if (Entry* entry = Match(EntryKind::kColour, "", "")) {
    record.answered_by_entry = true;
    if (entry->colour && colour) {
      *colour = *entry->colour;
      chosen = true;
    }
  }
  record.result = chosen ? 1 : 0;
  record.answer = chosen ? "OK" : "Cancel";
  shown_.push_back(std::move(record));
  return chosen;
}

FileDialogResult Driver::AnswerFiles(const FileDialogRequest& request,
                                     std::vector<std::string>* paths, int depth) {
  WindowRecord record;
  record.depth = depth;
  record.kind = WindowKind::kFileDialog;
  record.caption = request.title;
  FileDialogResult result = FileDialogResult::kCancelled;
  if (Entry* entry = Match(EntryKind::kFiles, request.title, "")) {
    record.answered_by_entry = true;
    if (!entry->paths.empty() && request.name_buffer_size > 0 &&
        ChosenNamesSize(request.multiple ? entry->paths
                                         : std::vector<std::string>{entry->paths.front()}) >
            request.name_buffer_size) {
      // The real dialog refuses a choice its buffer cannot hold.
      result = FileDialogResult::kTooMany;
    } else if (!entry->paths.empty() && paths) {
      if (!request.multiple && entry->paths.size() > 1) {
        const std::string saved = context_;
        context_ = entry->origin;
        Fail("the file dialog " + Quote(request.title) + " takes one file; " +
             std::to_string(entry->paths.size()) + " were given, the first was chosen");
        context_ = saved;
        *paths = {entry->paths.front()};
      } else {
        *paths = entry->paths;
      }
      result = FileDialogResult::kChosen;
    }
  }
  record.result = result == FileDialogResult::kChosen ? 1 : 0;
  record.answer = result == FileDialogResult::kChosen  ? "OK"
                  : result == FileDialogResult::kTooMany ? "OK (too many files)"
                                                         : "Cancel";
  shown_.push_back(std::move(record));
  return result;
}

size_t Driver::RecordModelessOpened(const std::string& caption, int depth) {
  WindowRecord record;
  record.kind = WindowKind::kModeless;
  record.caption = caption;
  record.depth = depth;
  shown_.push_back(std::move(record));
  return shown_.size() - 1;
}

void Driver::RecordModelessClosed(size_t index, ScriptedDialogWindow& window, int result) {
  if (index >= shown_.size()) return;
  WindowRecord& record = shown_[index];
  record.caption = window.caption();
  record.result = result;
  record.answer = "closed";
  record.controls = ReportControls(window, "");
}

std::vector<ControlReport> Driver::ReportControls(ScriptedDialogWindow& window,
                                                  const std::string& prefix) {
  std::vector<ControlReport> reports;
  const auto table = window.dialog().spec().controls;
  for (size_t i = 0; i < table.size(); ++i) {
    ScriptedControl* control = window.Find(table[i].id);
    if (!control || table[i].id == kIdStatic) continue;
    const ControlKind kind = table[i].kind;
    ControlReport report;
    report.id = table[i].id;
    std::string name = Caption(table[i]);
    if (i > 0 && IsNamingLabel(table[i - 1]) && !Caption(table[i - 1]).empty()) {
      name = Caption(table[i - 1]);
    }
    if (name.empty()) name = "id " + std::to_string(table[i].id);
    report.name = prefix + WithoutMnemonic(name);
    switch (kind) {
      case ControlKind::kEdit:
      case ControlKind::kDropDownCombo:
        // A password is not written into reports.
        report.value = control->Has(style::kPassword) ? std::string(control->text.size(), '*')
                                                      : window.GetText(table[i].id);
        break;
      case ControlKind::kCheckBox:
      case ControlKind::kRadioButton:
        report.value = control->checked ? "checked" : "unchecked";
        break;
      case ControlKind::kDropDownList:
      case ControlKind::kListBox:
      case ControlKind::kColourList:
      case ControlKind::kListView: {
        std::string selected, checked;
        for (const ScriptedItem& item : control->items) {
          if (item.selected) selected += (selected.empty() ? "" : ", ") + item.text;
          if (item.checked) checked += (checked.empty() ? "" : ", ") + item.text;
        }
        report.value = selected;
        if (kind == ControlKind::kListView && control->Has(style::kCheckBoxes)) {
          report.value = "selected: " + selected + "; checked: " + checked;
        }
        break;
      }
      case ControlKind::kSlider: report.value = std::to_string(control->position); break;
      default: continue;
    }
    reports.push_back(std::move(report));
  }
  return reports;
}

}  // namespace ui
