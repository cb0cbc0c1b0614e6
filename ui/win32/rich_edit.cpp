// Rich-text boxes as RichEdit 1.0 controls ("RICHEDIT", riched32.dll), whose
// character positions count a line break as two characters, as the portable
// document does.
#include "ui/win32/rich_edit.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "ui/win32/win32_dialog_window.h"

namespace ui::win32 {
namespace {

constexpr DWORD kCharMaskAll =
    CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR | CFM_FACE | CFM_SIZE;

DWORD ToCharMask(uint32_t mask) {
  DWORD out = 0;
  if (mask & richtext::mask::kBold) out |= CFM_BOLD;
  if (mask & richtext::mask::kItalic) out |= CFM_ITALIC;
  if (mask & richtext::mask::kUnderline) out |= CFM_UNDERLINE;
  if (mask & richtext::mask::kColour) out |= CFM_COLOR;
  if (mask & richtext::mask::kFace) out |= CFM_FACE;
  if (mask & richtext::mask::kHeight) out |= CFM_SIZE;
  return out;
}

uint32_t FromCharMask(DWORD mask) {
  uint32_t out = 0;
  if (mask & CFM_BOLD) out |= richtext::mask::kBold;
  if (mask & CFM_ITALIC) out |= richtext::mask::kItalic;
  if (mask & CFM_UNDERLINE) out |= richtext::mask::kUnderline;
  if (mask & CFM_COLOR) out |= richtext::mask::kColour;
  if (mask & CFM_FACE) out |= richtext::mask::kFace;
  if (mask & CFM_SIZE) out |= richtext::mask::kHeight;
  return out;
}

CHARFORMATA ToCharFormat(const richtext::CharFormat& format, uint32_t mask) {
  CHARFORMATA out{};
  out.cbSize = sizeof out;
  out.dwMask = ToCharMask(mask);
  out.dwEffects = (format.bold ? CFE_BOLD : 0) | (format.italic ? CFE_ITALIC : 0) |
                  (format.underline ? CFE_UNDERLINE : 0);
  // An explicit colour: CFE_AUTOCOLOR stays clear.
  out.crTextColor = format.colour.value();
  out.yHeight = format.height;
  out.bCharSet = ANSI_CHARSET;
  const size_t face = std::min(format.face.size(), sizeof out.szFaceName - 1);
  std::memcpy(out.szFaceName, format.face.data(), face);
  return out;
}

DWORD CALLBACK AppendOut(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* written) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(bytes),
                                                 static_cast<size_t>(count));
  *written = count;
  return 0;
}

struct Source {
  const std::string* text;
  size_t at;
};

DWORD CALLBACK ReadIn(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* read) {
  auto* source = reinterpret_cast<Source*>(cookie);
  const size_t left = source->text->size() - source->at;
  const size_t n = std::min(left, static_cast<size_t>(std::max<LONG>(count, 0)));
  std::memcpy(bytes, source->text->data() + source->at, n);
  source->at += n;
  *read = static_cast<LONG>(n);
  return 0;
}

}  // namespace

// A RichEdit 1.0 box.
class RichEditBox : public Win32Peer, public RichEditPeer {
 public:
  using Win32Peer::Win32Peer;
  RichEditPeer* AsRichEdit() override { return this; }
  void GetSelection(int* start, int* end) override;
  void SetSelection(int start, int end) override;
  void HideSelection(bool hide) override;
  int Length() override;
  std::string TextRange(int start, int end) override;
  int LineCount() override;
  int LineIndex(int line) override;
  int LineLength(int line) override;
  int LineFromChar(int position) override;
  void ReplaceSelection(const std::string& text) override;
  uint32_t GetFormat(richtext::CharFormat* format) override;
  void SetFormat(Target target, const richtext::CharFormat& format, uint32_t mask) override;
  void SetParagraphFormat(const richtext::ParagraphFormat& format, uint32_t mask) override;
  std::string Rtf() override;
  bool SetRtf(const std::string& rtf) override;
  void SetBackground(Colour colour) override;
};

std::unique_ptr<Win32Peer> MakeRichEditPeer(Win32DialogWindow& window, const ControlSpec& spec,
                                            HWND control) {
  return std::make_unique<RichEditBox>(window, spec, control);
}

const wchar_t* RichEditClassName() {
  // The class exists once its library is loaded; the library stays for the
  // process's life, as the dialogs using it may come and go.
  static const bool loaded = ::LoadLibraryA("riched32.dll") != nullptr;
  (void)loaded;
  return L"RICHEDIT";
}

void PrepareRichEdit(HWND control) {
  // Selection and text changes reach the dialog (EN_SELCHANGE, EN_CHANGE).
  ::SendMessageA(control, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
  ::SendMessageA(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  // Some RichEdits start with a bold system font: give every box the same
  // plain start.
  CHARFORMATA plain = ToCharFormat(richtext::CharFormat{}, richtext::mask::kAll);
  ::SendMessageA(control, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&plain));
  ::SendMessageA(control, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&plain));
}

void RichEditBox::GetSelection(int* start, int* end) {
  CHARRANGE range{0, 0};
  if (const HWND control = control_) {
    ::SendMessageA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
  *start = static_cast<int>(range.cpMin);
  *end = static_cast<int>(range.cpMax);
}

void RichEditBox::SetSelection(int start, int end) {
  const HWND control = control_;
  if (!control) return;
  CHARRANGE range{start, end};
  ::SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void RichEditBox::HideSelection(bool hide) {
  if (const HWND control = control_) {
    ::SendMessageA(control, EM_HIDESELECTION, hide ? TRUE : FALSE, FALSE);
  }
}

int RichEditBox::Length() {
  const HWND control = control_;
  return control ? static_cast<int>(::SendMessageA(control, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

std::string RichEditBox::TextRange(int start, int end) {
  const HWND control = control_;
  if (!control) return std::string();
  const int length = Length();
  if (end < 0 || end > length) end = length;
  start = std::clamp(start, 0, end);
  std::string text(static_cast<size_t>(end - start) + 1, '\0');
  TEXTRANGEA range{};
  range.chrg.cpMin = start;
  range.chrg.cpMax = end;
  range.lpstrText = text.data();
  const LRESULT copied = ::SendMessageA(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, end - start)));
  return text;
}

int RichEditBox::LineCount() {
  const HWND control = control_;
  return control ? static_cast<int>(::SendMessageA(control, EM_GETLINECOUNT, 0, 0)) : 0;
}

int RichEditBox::LineIndex(int line) {
  const HWND control = control_;
  return control ? static_cast<int>(::SendMessageA(control, EM_LINEINDEX, line, 0)) : -1;
}

int RichEditBox::LineLength(int line) {
  const HWND control = control_;
  if (!control) return -1;
  const LRESULT first = ::SendMessageA(control, EM_LINEINDEX, line, 0);
  if (first < 0) return -1;
  return static_cast<int>(::SendMessageA(control, EM_LINELENGTH, first, 0));
}

int RichEditBox::LineFromChar(int position) {
  const HWND control = control_;
  return control ? static_cast<int>(::SendMessageA(control, EM_EXLINEFROMCHAR, 0, position)) : 0;
}

void RichEditBox::ReplaceSelection(const std::string& text) {
  const HWND control = control_;
  if (!control) return;
  // The text change is the program's; the caret's move is told, as the
  // scripted boxes do.
  Win32DialogWindow::QuietChangesScope quiet(window_);
  ::SendMessageA(control, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

uint32_t RichEditBox::GetFormat(richtext::CharFormat* format) {
  const HWND control = control_;
  if (!control) return 0;
  CHARFORMATA got{};
  got.cbSize = sizeof got;
  got.dwMask = kCharMaskAll;
  const DWORD uniform = static_cast<DWORD>(
      ::SendMessageA(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&got)));
  format->bold = (got.dwEffects & CFE_BOLD) != 0;
  format->italic = (got.dwEffects & CFE_ITALIC) != 0;
  format->underline = (got.dwEffects & CFE_UNDERLINE) != 0;
  format->colour = richtext::Colour((got.dwEffects & CFE_AUTOCOLOR) ? 0 : got.crTextColor);
  format->face = got.szFaceName;
  format->height = static_cast<int>(got.yHeight);
  return FromCharMask(uniform & kCharMaskAll);
}

void RichEditBox::SetFormat(Target target,
                                      const richtext::CharFormat& format, uint32_t mask) {
  const HWND control = control_;
  if (!control) return;
  CHARFORMATA set = ToCharFormat(format, mask);
  const WPARAM scope = target == Target::kSelection ? SCF_SELECTION
                       : target == Target::kAll     ? SCF_ALL
                                                        : SCF_DEFAULT;
  Win32DialogWindow::QuietChangesScope quiet(window_);
  ::SendMessageA(control, EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&set));
}

void RichEditBox::SetParagraphFormat(const richtext::ParagraphFormat& format,
                                               uint32_t mask) {
  const HWND control = control_;
  if (!control) return;
  PARAFORMAT2 set{};
  set.cbSize = sizeof set;
  if (mask & richtext::paragraph_mask::kLineSpacing) {
    set.dwMask |= PFM_LINESPACING;
    // 3: at least dyLineSpacing, never less than single spacing.
    set.bLineSpacingRule = format.line_spacing > 0 ? 3 : 0;
    set.dyLineSpacing = format.line_spacing;
  }
  if (mask & richtext::paragraph_mask::kStartIndent) {
    set.dwMask |= PFM_STARTINDENT;
    set.dxStartIndent = format.start_indent;
  }
  if (mask & richtext::paragraph_mask::kOffset) {
    set.dwMask |= PFM_OFFSET;
    set.dxOffset = format.offset;
  }
  // Every paragraph: through a selection of everything, put back after.
  Win32DialogWindow::QuietScope quiet(window_);
  CHARRANGE saved{};
  ::SendMessageA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
  CHARRANGE all{0, -1};
  ::SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  ::SendMessageA(control, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&set));
  ::SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
}

std::string RichEditBox::Rtf() {
  const HWND control = control_;
  std::string rtf;
  if (!control) return rtf;
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&rtf);
  stream.pfnCallback = AppendOut;
  ::SendMessageA(control, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  return stream.dwError == 0 ? rtf : std::string();
}

bool RichEditBox::SetRtf(const std::string& rtf) {
  const HWND control = control_;
  if (!control) return false;
  Source source{&rtf, 0};
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = ReadIn;
  Win32DialogWindow::QuietScope quiet(window_);
  ::SendMessageA(control, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  CHARRANGE start{0, 0};
  ::SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  return stream.dwError == 0;
}

void RichEditBox::SetBackground(Colour colour) {
  if (const HWND control = control_) {
    ::SendMessageA(control, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(colour.value()));
  }
}

}  // namespace ui::win32
