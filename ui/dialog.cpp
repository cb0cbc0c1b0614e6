// The portable half of the dialog model: modal runs through the backend,
// the sheet's page and OK rules, and the data exchange.
#include "ui/dialog.h"

#include <algorithm>
#include <limits>

#include "base/numbers.h"
#include "base/text.h"
#include "ui/backend.h"

namespace ui {

// --- Dialog ---

Dialog::~Dialog() = default;

int Dialog::DoModal(WindowHandle parent) { return GetUiBackend().RunModal(*this, parent); }

bool Dialog::OpenModeless(WindowHandle parent) {
  return GetUiBackend().OpenModeless(*this, parent);
}

void Dialog::Close() {
  if (window_) GetUiBackend().CloseModeless(*this);
}

void Dialog::EndDialog(int result) {
  if (window_) window_->EndDialog(result);
}

void Dialog::EnsureBound() {
  if (bound_) return;
  bound_ = true;
  BindEvents();
}

void Dialog::Bind(int id, Notify code, std::function<void()> handler) {
  Bind(id, code, [handler = std::move(handler)](int) { handler(); });
}

void Dialog::Bind(int id, Notify code, std::function<void(int index)> handler) {
  bindings_.push_back({id, code, std::move(handler)});
}

bool Dialog::FireInit() {
  EnsureBound();
  return OnInitDialog();
}

void Dialog::FireCommand(int id, Notify code, int index) {
  EnsureBound();
  // By index: a handler may bind more (the vector may grow under it).
  bool handled = false;
  for (size_t i = 0; i < bindings_.size(); ++i) {
    if (bindings_[i].id != id || bindings_[i].code != code) continue;
    handled = true;
    // A copy: the handler may close the dialog or bind again.
    const std::function<void(int)> handler = bindings_[i].handler;
    handler(index);
  }
  if (!handled) OnCommand(id, code, index);
}

bool Dialog::AddTooltips(std::span<const Tooltip> tips, int max_width) {
  if (!window_ || !window_->CreateTooltips(max_width)) return false;
  for (const Tooltip& tip : tips) {
    const bool in_table = std::any_of(spec_->controls.begin(), spec_->controls.end(),
                                      [&tip](const ControlSpec& c) { return c.id == tip.id; });
    if (in_table) window_->AddTooltip(tip.id, tip.text);
  }
  return true;
}

bool Dialog::UpdateData(bool save) {
  if (!window_) return true;  // nothing shown: the members are the data
  DataExchange dx(*this, save);
  DoDataExchange(dx);
  return !dx.failed();
}

bool Dialog::FireOk() { return OnOk(); }
bool Dialog::FireCancel() { return OnCancel(); }

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnCommand(int, Notify, int) {}

bool Dialog::OnOk() { return UpdateData(true); }

// --- PropertySheet ---

void PropertySheet::AddPage(PropertyPage* page) {
  page->SetSheet(this);
  pages_.push_back(page);
}

int PropertySheet::DoModal(WindowHandle parent) {
  if (pages_.empty()) return kIdCancel;
  if (start_page_ < 0 || start_page_ >= static_cast<int>(pages_.size())) start_page_ = 0;
  active_ = -1;
  // The controls of an earlier run are gone: pages are made anew when shown.
  for (PropertyPage* page : pages_) page->MarkCreated(false);
  return GetUiBackend().RunSheet(*this, parent);
}

bool PropertySheet::RequestPage(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return false;
  if (index == active_) return true;
  if (active_ >= 0 && !pages_[active_]->FireKillActive()) return false;
  PropertyPage& page = *pages_[index];
  if (!page.IsCreated()) {
    if (!creator_ || !creator_->CreatePage(page)) return false;
    page.MarkCreated();
    page.FireInit();
  }
  if (!page.FireSetActive()) return false;
  active_ = index;
  if (creator_) creator_->ShowPage(page);
  return true;
}

bool PropertySheet::RequestOk() {
  if (!OnOkPressed()) return false;
  if (active_ >= 0 && !pages_[active_]->FireKillActive()) return false;
  for (PropertyPage* page : pages_) {
    if (page->IsCreated()) page->FireApply();
  }
  return true;
}

bool PropertySheet::RequestCancel() {
  for (PropertyPage* page : pages_) {
    if (page->IsCreated()) page->FireReset();
  }
  return true;
}

void PropertySheet::RequestHelp() {
  if (active_ >= 0) pages_[active_]->FireHelp();
}

// --- DataExchange ---

void DataExchange::Fail(int id, const std::string& message) {
  if (failed_) return;
  failed_ = true;
  ShowMessage(message, kProductCaption, Buttons::kOk, Icon::kWarning, dialog_.handle());
  if (!dialog_.window()) return;
  Control control = dialog_.GetControl(id);
  control.Focus();
  // Lists and buttons have no text to select.
  if (EditPeer* field = control.As<EditPeer>()) field->SelectText(0, -1);
}

void DataExchange::Text(int id, std::string& value, int max_chars) {
  if (Skip()) return;
  Edit field = dialog_.GetEdit(id);
  if (save_) {
    value = field.Text();
    if (max_chars > 0 && static_cast<int>(value.size()) > max_chars) value.resize(max_chars);
  } else {
    if (max_chars > 0) field.SetLimit(max_chars);
    field.SetText(value);
  }
}

// A number field: shown as decimal text; taken back only when the whole
// text is a number within [minimum, maximum], else refused with message.
template <typename Number>
bool ExchangeNumber(DataExchange& dx, Control field, Number& value, const char* message) {
  const int id = field.id();
  if (!dx.saving()) {
    field.SetText(std::to_string(value));
    return true;
  }
  const std::optional<int64_t> number = base::WholeNumber(
      field.Text(), std::numeric_limits<Number>::min(), std::numeric_limits<Number>::max());
  if (!number) {
    dx.Fail(id, message);
    return false;
  }
  value = static_cast<Number>(*number);
  return true;
}

void DataExchange::Unsigned(int id, uint32_t& value) {
  if (Skip()) return;
  ExchangeNumber(*this, dialog_.GetControl(id), value, "Please enter a positive integer.");
}

void DataExchange::Integer(int id, int32_t& value) {
  if (Skip()) return;
  ExchangeNumber(*this, dialog_.GetControl(id), value, "Please enter an integer.");
}

void DataExchange::Check(int id, bool& value) {
  if (Skip()) return;
  Button button = dialog_.GetButton(id);
  if (save_) {
    value = button.IsChecked();
  } else {
    button.SetChecked(value);
  }
}

void DataExchange::Radio(int first_id, int& index) {
  if (Skip()) return;
  // The group: the radio buttons from first_id in table order up to the
  // next control that starts a group.
  std::vector<int> group;
  bool inside = false;
  for (const ControlSpec& control : dialog_.spec().controls) {
    if (control.id == first_id && control.kind == ControlKind::kRadioButton) {
      inside = true;
    } else if (inside && (control.kind != ControlKind::kRadioButton ||
                          (control.style & style::kGroup))) {
      break;
    }
    if (inside) group.push_back(control.id);
  }
  if (save_) {
    index = -1;
    for (size_t i = 0; i < group.size(); ++i) {
      if (dialog_.GetButton(group[i]).IsChecked()) index = static_cast<int>(i);
    }
  } else {
    for (size_t i = 0; i < group.size(); ++i) {
      dialog_.GetButton(group[i]).SetChecked(static_cast<int>(i) == index);
    }
  }
}

void DataExchange::ListText(int id, std::string& value) {
  if (Skip()) return;
  ListControl list = dialog_.GetList(id);
  if (save_) {
    const int selected = list.Selection();
    value = selected >= 0 ? list.ItemText(selected) : std::string();
    return;
  }
  list.Select(list.Find(value));
}

void DataExchange::ExchangeSelection(ListControl list, int& index) {
  if (save_) {
    index = list.Selection();
  } else {
    list.Select(index);
  }
}

void DataExchange::ListIndex(int id, int& index) {
  if (Skip()) return;
  ExchangeSelection(dialog_.GetList(id), index);
}

void DataExchange::RowIndex(int id, int& row) {
  if (Skip()) return;
  ListView list = dialog_.GetListView(id);
  if (!list.As<ListViewPeer>()) {
    if (DialogWindow* window = dialog_.window()) window->ReportMisuse(id, "RowIndex", "list-view");
    return;
  }
  ExchangeSelection(list, row);
}

void DataExchange::ColourIndex(int id, int& index) {
  if (Skip()) return;
  ListControl list = dialog_.GetList(id);
  if (!list.As<ColourListPeer>()) {
    if (DialogWindow* window = dialog_.window()) {
      window->ReportMisuse(id, "ColourIndex", "colour list");
    }
    return;
  }
  ExchangeSelection(list, index);
}

void DataExchange::SliderPosition(int id, int& position) {
  if (Skip()) return;
  Slider slider = dialog_.GetSlider(id);
  if (save_) {
    position = slider.Position();
  } else {
    slider.SetPosition(position);
  }
}

}  // namespace ui
