// In-memory dialog templates (DLGTEMPLATEEX) built from the model's control
// tables: the window classes and styles each kind of control becomes.
#pragma once

#include "platform/win32/windows_include.h"

#include <string>
#include <vector>

#include "ui/control_table.h"

namespace ui::win32 {

// What the template is for: its frame and visibility differ.
enum class TemplateUse {
  kModal,     // DialogBoxIndirectParam: a captioned, centred frame
  kModeless,  // CreateDialogIndirectParam: the same frame, visible at once
  kPage,      // a property page: a child window the sheet places
};

// The window a table row becomes.
struct ControlWindow {
  std::wstring class_name;  // "Button", "SysListView32", ...
  DWORD style = 0;
  DWORD ex_style = 0;
  int height = 0;  // dialog units; drop-down lists get room to open
};

// Window class, styles and height for a control at `index` of the table
// (neighbours decide where radio groups end).
ControlWindow ControlWindowFor(const DialogSpec& spec, size_t index);

// A DLGTEMPLATEEX with its items, DWORD aligned, alive as long as the object.
class DialogTemplate {
 public:
  DialogTemplate(const DialogSpec& spec, TemplateUse use);

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value);
  void Text(const std::wstring& text);
  void AlignToDword();

  std::vector<WORD> words_;
};

}  // namespace ui::win32
