// The portable half of the dialog model: modal runs through the backend,
// the sheet's page and OK rules, and the data exchange.
#include "ui/dialog.h"

#include <algorithm>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "base/text.h"
#include "ui/backend.h"

namespace ui {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Parses a whole decimal number (blanks around it allowed) into *value.
bool ParseNumber(const std::string& text, bool allow_sign, long long* value) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  size_t end = text.size();
  while (end > at && IsBlank(text[end - 1])) --end;
  if (at == end) return false;
  bool negative = false;
  if (text[at] == '-' || text[at] == '+') {
    if (!allow_sign && text[at] == '-') return false;
    negative = text[at] == '-';
    ++at;
  }
  if (at == end) return false;
  long long number = 0;
  for (; at < end; ++at) {
    if (text[at] < '0' || text[at] > '9') return false;
    number = number * 10 + (text[at] - '0');
    if (number > 0xFFFFFFFFll) return false;
  }
  *value = negative ? -number : number;
  return true;
}

}  // namespace

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
  if (DialogWindow* window = dialog_.window()) {
    window->SetFocus(id);
    window->SelectText(id, 0, -1);
  }
}

void DataExchange::Text(int id, std::string& value, int max_chars) {
  if (Skip()) return;
  DialogWindow* window = dialog_.window();
  if (save_) {
    value = window->GetText(id);
    if (max_chars > 0 && static_cast<int>(value.size()) > max_chars) value.resize(max_chars);
  } else {
    if (max_chars > 0) window->SetTextLimit(id, max_chars);
    window->SetText(id, value);
  }
}

// A number field: shown as decimal text; taken back only when the whole
// text is a number within [minimum, maximum], else refused with message.
template <typename Number>
bool ExchangeNumber(DataExchange& dx, DialogWindow* window, int id, Number& value,
                    bool allow_sign, long long minimum, long long maximum, const char* message) {
  if (!dx.saving()) {
    window->SetText(id, std::to_string(value));
    return true;
  }
  long long number = 0;
  if (!ParseNumber(window->GetText(id), allow_sign, &number) || number < minimum ||
      number > maximum) {
    dx.Fail(id, message);
    return false;
  }
  value = static_cast<Number>(number);
  return true;
}

void DataExchange::Unsigned(int id, uint32_t& value) {
  if (Skip()) return;
  ExchangeNumber(*this, dialog_.window(), id, value, /*allow_sign=*/false, 0, 0xFFFFFFFFll,
                 "Please enter a positive integer.");
}

void DataExchange::Integer(int id, int32_t& value) {
  if (Skip()) return;
  ExchangeNumber(*this, dialog_.window(), id, value, /*allow_sign=*/true, INT32_MIN, INT32_MAX,
                 "Please enter an integer.");
}

void DataExchange::Check(int id, bool& value) {
  if (Skip()) return;
  if (save_) {
    value = dialog_.window()->IsChecked(id);
  } else {
    dialog_.window()->SetChecked(id, value);
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
  DialogWindow* window = dialog_.window();
  if (save_) {
    index = -1;
    for (size_t i = 0; i < group.size(); ++i) {
      if (window->IsChecked(group[i])) index = static_cast<int>(i);
    }
  } else {
    for (size_t i = 0; i < group.size(); ++i) {
      window->SetChecked(group[i], static_cast<int>(i) == index);
    }
  }
}

void DataExchange::ListText(int id, std::string& value) {
  if (Skip()) return;
  DialogWindow* window = dialog_.window();
  if (save_) {
    const int selected = window->GetSelection(id);
    value = selected >= 0 ? window->ItemText(id, selected) : std::string();
    return;
  }
  int found = -1;
  for (int i = 0, n = window->ItemCount(id); i < n && found < 0; ++i) {
    if (window->ItemText(id, i) == value) found = i;
  }
  window->SetSelection(id, found);
}

void DataExchange::ListIndex(int id, int& index) {
  if (Skip()) return;
  if (save_) {
    index = dialog_.window()->GetSelection(id);
  } else {
    dialog_.window()->SetSelection(id, index);
  }
}

void DataExchange::SliderPosition(int id, int& position) {
  if (Skip()) return;
  if (save_) {
    position = dialog_.window()->GetPosition(id);
  } else {
    dialog_.window()->SetPosition(id, position);
  }
}

}  // namespace ui
