// Handles of the controls of an open dialog or page: thin facades over the
// control's peer in the backend (control_peers.h), found by control id when
// the handle is made. A handle is only valid while its dialog is open; one
// made for an id the dialog lacks, or used for an operation its control's
// kind does not have, does nothing and reads empty values (the scripted
// backend reports it).
#pragma once

#include <string>
#include <vector>

#include "ui/control_peers.h"

namespace ui {

class Control {
 public:
  Control(DialogWindow* window, int id)
      : window_(window), id_(id), peer_(window ? window->Peer(id) : nullptr) {}
  int id() const { return id_; }
  std::string Text() const {
    ControlPeer* peer = Need<ControlPeer>("GetText", nullptr);
    return peer ? peer->Text() : std::string();
  }
  void SetText(const std::string& text) {
    if (ControlPeer* peer = Need<ControlPeer>("SetText", nullptr)) peer->SetText(text);
  }
  void Enable(bool enabled = true) {
    if (ControlPeer* peer = Need<ControlPeer>("Enable", nullptr)) peer->Enable(enabled);
  }
  bool IsEnabled() const {
    ControlPeer* peer = Need<ControlPeer>("IsEnabled", nullptr);
    return peer && peer->IsEnabled();
  }
  void Show(bool visible = true) {
    if (ControlPeer* peer = Need<ControlPeer>("Show", nullptr)) peer->Show(visible);
  }
  bool IsVisible() const {
    ControlPeer* peer = Need<ControlPeer>("IsVisible", nullptr);
    return peer && peer->IsVisible();
  }
  void Focus() {
    if (ControlPeer* peer = Need<ControlPeer>("SetFocus", nullptr)) peer->Focus();
  }

  // The control's family interface, or null when its kind lacks it
  // (nothing reported: for code that serves several kinds).
  template <typename Family>
  Family* As() const {
    return FamilyOf<Family>(peer_);
  }

 protected:
  // The family an operation needs; null, reported to the window, when the
  // control is missing or of another kind (family names the kind needed).
  template <typename Family>
  Family* Need(const char* operation, const char* family) const {
    Family* found = As<Family>();
    if (!found && window_) window_->ReportMisuse(id_, operation, peer_ ? family : nullptr);
    return found;
  }

  DialogWindow* window_;
  int id_;
  ControlPeer* peer_;
};

class Edit : public Control {
 public:
  using Control::Control;
  // Selects the text (all of it by default), scrolls it into view.
  void Select(int start = 0, int end = -1) {
    if (EditPeer* peer = Need<EditPeer>("SelectText", "text field")) peer->SelectText(start, end);
  }
  void SetLimit(int characters) {
    if (EditPeer* peer = Need<EditPeer>("SetTextLimit", "text field")) {
      peer->SetTextLimit(characters);
    }
  }
};

class Button : public Control {
 public:
  using Control::Control;
  bool IsChecked() const {
    ButtonPeer* peer = Need<ButtonPeer>("IsChecked", "button");
    return peer && peer->IsChecked();
  }
  void SetChecked(bool checked = true) {
    if (ButtonPeer* peer = Need<ButtonPeer>("SetChecked", "button")) peer->SetChecked(checked);
  }
  // Bitmap buttons: 0 off, 1 on, 2 mixed.
  void SetLook(int look) {
    if (ButtonPeer* peer = Need<ButtonPeer>("SetButtonLook", "button")) peer->SetLook(look);
  }
};
using CheckBox = Button;
using RadioButton = Button;

// Combo boxes, list boxes, colour lists, and list-views' rows.
class ListControl : public Control {
 public:
  using Control::Control;
  void Clear() {
    if (ListPeer* peer = List("ClearItems")) peer->Clear();
  }
  int Add(const std::string& text, intptr_t data = 0) {
    ListPeer* peer = List("AddItem");
    return peer ? peer->Add(text, data) : -1;
  }
  int Insert(int index, const std::string& text, intptr_t data = 0) {
    ListPeer* peer = List("InsertItem");
    return peer ? peer->Insert(index, text, data) : -1;
  }
  void Delete(int index) {
    if (ListPeer* peer = List("DeleteItem")) peer->Delete(index);
  }
  int Count() const {
    ListPeer* peer = List("ItemCount");
    return peer ? peer->Count() : 0;
  }
  std::string ItemText(int index) const {
    ListPeer* peer = List("ItemText");
    return peer ? peer->ItemText(index) : std::string();
  }
  intptr_t ItemData(int index) const {
    ListPeer* peer = List("ItemData");
    return peer ? peer->ItemData(index) : 0;
  }
  void SetItemData(int index, intptr_t data) {
    if (ListPeer* peer = List("SetItemData")) peer->SetItemData(index, data);
  }
  int Selection() const {
    ListPeer* peer = List("GetSelection");
    return peer ? peer->Selection() : -1;
  }
  void Select(int index) {
    if (ListPeer* peer = List("SetSelection")) peer->Select(index);
  }
  bool IsSelected(int index) const {
    ListPeer* peer = List("IsSelected");
    return peer && peer->IsSelected(index);
  }
  void SetSelected(int index, bool selected) {
    if (ListPeer* peer = List("SetSelected")) peer->SetSelected(index, selected);
  }
  // Index of the item whose text equals text exactly, or -1.
  int Find(const std::string& text) const {
    for (int i = 0, n = Count(); i < n; ++i) {
      if (ItemText(i) == text) return i;
    }
    return -1;
  }
  // Colour lists: the item's swatch.
  void SetItemColour(int index, Colour colour) {
    if (auto* peer = Need<ColourListPeer>("SetItemColour", "colour list")) {
      peer->SetItemColour(index, colour);
    }
  }

 private:
  ListPeer* List(const char* operation) const { return Need<ListPeer>(operation, "list"); }
};
using ComboBox = ListControl;
using ListBox = ListControl;
using ColourList = ListControl;

class ListView : public ListControl {
 public:
  using ListControl::ListControl;
  void AddColumn(const std::string& title, int width) {
    if (ListViewPeer* peer = Rows("AddColumn")) peer->AddColumn(title, width);
  }
  void SetIcons(const std::vector<std::string>& names) {
    if (ListViewPeer* peer = Rows("SetRowIcons")) peer->SetRowIcons(names);
  }
  int AddRow(const std::vector<std::string>& texts, int icon = -1, intptr_t data = 0) {
    ListViewPeer* peer = Rows("AddRow");
    return peer ? peer->AddRow(texts, icon, data) : -1;
  }
  std::string RowText(int row, int column) const {
    ListViewPeer* peer = Rows("RowText");
    return peer ? peer->RowText(row, column) : std::string();
  }
  bool IsRowChecked(int row) const {
    ListViewPeer* peer = Rows("IsRowChecked");
    return peer && peer->IsRowChecked(row);
  }
  void SetRowChecked(int row, bool checked) {
    if (ListViewPeer* peer = Rows("SetRowChecked")) peer->SetRowChecked(row, checked);
  }

 private:
  ListViewPeer* Rows(const char* operation) const {
    return Need<ListViewPeer>(operation, "list-view");
  }
};

class Slider : public Control {
 public:
  using Control::Control;
  void SetRange(int minimum, int maximum) {
    if (SliderPeer* peer = Need<SliderPeer>("SetRange", "slider")) peer->SetRange(minimum, maximum);
  }
  int Position() const {
    SliderPeer* peer = Need<SliderPeer>("GetPosition", "slider");
    return peer ? peer->Position() : 0;
  }
  void SetPosition(int position) {
    if (SliderPeer* peer = Need<SliderPeer>("SetPosition", "slider")) peer->SetPosition(position);
  }
  void SetTickFrequency(int frequency) {
    if (SliderPeer* peer = Need<SliderPeer>("SetTickFrequency", "slider")) {
      peer->SetTickFrequency(frequency);
    }
  }
};

class Browser : public Control {
 public:
  using Control::Control;
  void Navigate(const std::string& path_or_url) {
    if (BrowserPeer* peer = Need<BrowserPeer>("Navigate", "browser")) peer->Navigate(path_or_url);
  }
};

// A rich-text box: formatted lines, positions counting a line break as two.
class RichEdit : public Control {
 public:
  using Control::Control;
  using Target = RichEditPeer::Target;
  void GetSelection(int* start, int* end) const {
    *start = *end = 0;
    if (RichEditPeer* peer = Rich("GetRichSelection")) peer->GetSelection(start, end);
  }
  void SetSelection(int start, int end) {
    if (RichEditPeer* peer = Rich("SetRichSelection")) peer->SetSelection(start, end);
  }
  void HideSelection(bool hide) {
    if (RichEditPeer* peer = Rich("HideRichSelection")) peer->HideSelection(hide);
  }
  int Length() const {
    RichEditPeer* peer = Rich("RichTextLength");
    return peer ? peer->Length() : 0;
  }
  std::string TextRange(int start, int end) const {
    RichEditPeer* peer = Rich("RichTextRange");
    return peer ? peer->TextRange(start, end) : std::string();
  }
  int LineCount() const {
    RichEditPeer* peer = Rich("RichLineCount");
    return peer ? peer->LineCount() : 0;
  }
  int LineIndex(int line) const {
    RichEditPeer* peer = Rich("RichLineIndex");
    return peer ? peer->LineIndex(line) : -1;
  }
  int LineLength(int line) const {
    RichEditPeer* peer = Rich("RichLineLength");
    return peer ? peer->LineLength(line) : 0;
  }
  int LineFromChar(int position) const {
    RichEditPeer* peer = Rich("RichLineFromChar");
    return peer ? peer->LineFromChar(position) : 0;
  }
  void ReplaceSelection(const std::string& text) {
    if (RichEditPeer* peer = Rich("ReplaceRichSelection")) peer->ReplaceSelection(text);
  }
  uint32_t GetFormat(richtext::CharFormat* format) const {
    RichEditPeer* peer = Rich("GetRichFormat");
    return peer ? peer->GetFormat(format) : 0;
  }
  void SetFormat(Target target, const richtext::CharFormat& format, uint32_t mask) {
    if (RichEditPeer* peer = Rich("SetRichFormat")) peer->SetFormat(target, format, mask);
  }
  void SetParagraphFormat(const richtext::ParagraphFormat& format, uint32_t mask) {
    if (RichEditPeer* peer = Rich("SetRichParagraphFormat")) peer->SetParagraphFormat(format, mask);
  }
  std::string Rtf() const {
    RichEditPeer* peer = Rich("GetRtf");
    return peer ? peer->Rtf() : std::string();
  }
  bool SetRtf(const std::string& rtf) {
    RichEditPeer* peer = Rich("SetRtf");
    return peer && peer->SetRtf(rtf);
  }
  void SetBackground(Colour colour) {
    if (RichEditPeer* peer = Rich("SetRichBackground")) peer->SetBackground(colour);
  }

 private:
  RichEditPeer* Rich(const char* operation) const {
    return Need<RichEditPeer>(operation, "rich-text box");
  }
};

class Picture : public Control {
 public:
  using Control::Control;
  bool Load(const std::string& path) {
    PicturePeer* peer = Need<PicturePeer>("ShowPicture", "picture");
    return peer && peer->Load(path);
  }
};

}  // namespace ui
