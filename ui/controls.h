// Handles of the controls of an open dialog or page: thin facades over the
// backend's DialogWindow, addressed by control id. A handle is only valid
// while its dialog is open.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog_window.h"

namespace ui {

class Control {
 public:
  Control(DialogWindow* window, int id) : window_(window), id_(id) {}
  int id() const { return id_; }
  std::string Text() const { return window_->GetText(id_); }
  void SetText(const std::string& text) { window_->SetText(id_, text); }
  void Enable(bool enabled = true) { window_->Enable(id_, enabled); }
  bool IsEnabled() const { return window_->IsEnabled(id_); }
  void Show(bool visible = true) { window_->Show(id_, visible); }
  bool IsVisible() const { return window_->IsVisible(id_); }
  void Focus() { window_->SetFocus(id_); }

 protected:
  DialogWindow* window_;
  int id_;
};

class Edit : public Control {
 public:
  using Control::Control;
  // Selects the text (all of it by default), scrolls it into view.
  void Select(int start = 0, int end = -1) { window_->SelectText(id_, start, end); }
  void SetLimit(int characters) { window_->SetTextLimit(id_, characters); }
};

class Button : public Control {
 public:
  using Control::Control;
  bool IsChecked() const { return window_->IsChecked(id_); }
  void SetChecked(bool checked = true) { window_->SetChecked(id_, checked); }
  // Bitmap buttons: 0 off, 1 on, 2 mixed.
  void SetLook(int look) { window_->SetButtonLook(id_, look); }
};
using CheckBox = Button;
using RadioButton = Button;

// Combo boxes, list boxes and colour lists.
class ListControl : public Control {
 public:
  using Control::Control;
  void Clear() { window_->ClearItems(id_); }
  int Add(const std::string& text, intptr_t data = 0) { return window_->AddItem(id_, text, data); }
  int Insert(int index, const std::string& text, intptr_t data = 0) {
    return window_->InsertItem(id_, index, text, data);
  }
  void Delete(int index) { window_->DeleteItem(id_, index); }
  int Count() const { return window_->ItemCount(id_); }
  std::string ItemText(int index) const { return window_->ItemText(id_, index); }
  intptr_t ItemData(int index) const { return window_->ItemData(id_, index); }
  void SetItemData(int index, intptr_t data) { window_->SetItemData(id_, index, data); }
  int Selection() const { return window_->GetSelection(id_); }
  void Select(int index) { window_->SetSelection(id_, index); }
  bool IsSelected(int index) const { return window_->IsSelected(id_, index); }
  void SetSelected(int index, bool selected) { window_->SetSelected(id_, index, selected); }
  // Index of the item whose text equals text exactly, or -1.
  int Find(const std::string& text) const {
    for (int i = 0, n = Count(); i < n; ++i) {
      if (ItemText(i) == text) return i;
    }
    return -1;
  }
  void SetItemColour(int index, Colour colour) { window_->SetItemColour(id_, index, colour); }
};
using ComboBox = ListControl;
using ListBox = ListControl;
using ColourList = ListControl;

class ListView : public ListControl {
 public:
  using ListControl::ListControl;
  void AddColumn(const std::string& title, int width) { window_->AddColumn(id_, title, width); }
  void SetIcons(const std::vector<std::string>& names) { window_->SetRowIcons(id_, names); }
  int AddRow(const std::vector<std::string>& texts, int icon = -1, intptr_t data = 0) {
    return window_->AddRow(id_, texts, icon, data);
  }
  std::string RowText(int row, int column) const { return window_->RowText(id_, row, column); }
  bool IsRowChecked(int row) const { return window_->IsRowChecked(id_, row); }
  void SetRowChecked(int row, bool checked) { window_->SetRowChecked(id_, row, checked); }
};

class Slider : public Control {
 public:
  using Control::Control;
  void SetRange(int minimum, int maximum) { window_->SetRange(id_, minimum, maximum); }
  int Position() const { return window_->GetPosition(id_); }
  void SetPosition(int position) { window_->SetPosition(id_, position); }
  void SetTickFrequency(int frequency) { window_->SetTickFrequency(id_, frequency); }
};

class Browser : public Control {
 public:
  using Control::Control;
  void Navigate(const std::string& path_or_url) { window_->Navigate(id_, path_or_url); }
};

// A rich-text box: formatted lines, positions counting a line break as two.
class RichEdit : public Control {
 public:
  using Control::Control;
  using Target = DialogWindow::RichTarget;
  void GetSelection(int* start, int* end) const { window_->GetRichSelection(id_, start, end); }
  void SetSelection(int start, int end) { window_->SetRichSelection(id_, start, end); }
  void HideSelection(bool hide) { window_->HideRichSelection(id_, hide); }
  int Length() const { return window_->RichTextLength(id_); }
  std::string TextRange(int start, int end) const { return window_->RichTextRange(id_, start, end); }
  int LineCount() const { return window_->RichLineCount(id_); }
  int LineIndex(int line) const { return window_->RichLineIndex(id_, line); }
  int LineLength(int line) const { return window_->RichLineLength(id_, line); }
  int LineFromChar(int position) const { return window_->RichLineFromChar(id_, position); }
  void ReplaceSelection(const std::string& text) { window_->ReplaceRichSelection(id_, text); }
  uint32_t GetFormat(richtext::CharFormat* format) const {
    return window_->GetRichFormat(id_, format);
  }
  void SetFormat(Target target, const richtext::CharFormat& format, uint32_t mask) {
    window_->SetRichFormat(id_, target, format, mask);
  }
  void SetParagraphFormat(const richtext::ParagraphFormat& format, uint32_t mask) {
    window_->SetRichParagraphFormat(id_, format, mask);
  }
  std::string Rtf() const { return window_->GetRtf(id_); }
  bool SetRtf(const std::string& rtf) { return window_->SetRtf(id_, rtf); }
  void SetBackground(Colour colour) { window_->SetRichBackground(id_, colour); }
};

class Picture : public Control {
 public:
  using Control::Control;
  bool Load(const std::string& path) { return window_->ShowPicture(id_, path); }
};

}  // namespace ui
