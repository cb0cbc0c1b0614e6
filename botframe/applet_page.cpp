// The Applet page.
#include "botframe/applet_page.h"

#include "base/numbers.h"
#include "base/text.h"
#include "botframe/applet_tag.h"
#include "botframe/edit_state.h"
#include "platform/services.h"
#include "ui/message_box.h"

namespace botframe {
namespace {

using ui::ControlKind;
namespace style = ui::style;

constexpr const char* kRelativeCodeBase = "./_glintmere/";
// The code base of "Server Preview" on a disk web: the server's root.
constexpr const char* kServerCodeBase = "/_glintmere/";
constexpr const char* kDefaultNonJavaText = "Requires a Java Enabled Browser.";

constexpr ui::ControlSpec kAppletControls[] = {
    {ui::kIdStatic, ControlKind::kGroupBox, "Margin:", 7, 4, 112, 48},
    {ui::kIdStatic, ControlKind::kLabel, "Right:", 16, 19, 34, 8},
    {CAppletPage::kHSpaceId, ControlKind::kEdit, "", 52, 17, 56, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "Bottom:", 16, 35, 34, 8},
    {CAppletPage::kVSpaceId, ControlKind::kEdit, "", 52, 33, 56, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "Alignment:", 130, 8, 112, 8},
    {CAppletPage::kAlignmentId, ControlKind::kDropDownList, "", 130, 18, 112, 120, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Applet Name:", 7, 58, 235, 8},
    {CAppletPage::kNameId, ControlKind::kEdit, "", 7, 68, 235, 12},
    {ui::kIdStatic, ControlKind::kLabel, "Non Java Browser String/HTML:", 7, 86, 235, 8},
    {CAppletPage::kNonJavaId, ControlKind::kEdit, "", 7, 96, 235, 52,
     style::kMultiLine | style::kVScroll | style::kWantReturn},
    {CAppletPage::kForceId, ControlKind::kCheckBox,
     "Force write of existing support and applet files", 7, 156, 235, 10},
    {CAppletPage::kAbsoluteId, ControlKind::kCheckBox, "Absolute reference for shared borders.",
     7, 170, 235, 10},
    {CAppletPage::kLocalPreviewId, ControlKind::kRadioButton, "Local Preview", 19, 184, 90, 10,
     style::kGroup},
    {CAppletPage::kServerPreviewId, ControlKind::kRadioButton, "Server Preview", 115, 184, 90,
     10},
    {CAppletPage::kPlayInBrowsersId, ControlKind::kCheckBox, "Play in browsers without Java", 7,
     200, 180, 10, style::kGroup},
    {CAppletPage::kPreviewId, ControlKind::kPushButton, "Preview", 192, 217, 50, 14,
     style::kGroup},
};
constexpr ui::DialogSpec kAppletSpec{"Applet", 249, 238, kAppletControls};

constexpr ui::Tooltip kTooltips[] = {
    {CAppletPage::kHSpaceId, "Pixel margin when alignment set to left or right."},
    {CAppletPage::kVSpaceId, "Pixel margin when alignment set to top or bottom."},
    {CAppletPage::kAlignmentId, "Position of text that may flow around applet."},
    {CAppletPage::kNonJavaId, "Warning message or alternate HTML for non-Java Browsers."},
    {CAppletPage::kPreviewId, "Preview the Applet with the current settings."},
    {CAppletPage::kNameId,
     "To support javascript for multiple applets on a page specify a name to applet."},
    {CAppletPage::kForceId, "Force the overwrite of existing files on your web"},
    {CAppletPage::kAbsoluteId, "Makes URLs absolute to support placement in the shared borders"},
    {CAppletPage::kLocalPreviewId, "URLs will support local preview of the applet"},
    {CAppletPage::kServerPreviewId,
     "URLs will support preview of the applet on the server when published"},
    {CAppletPage::kPlayInBrowsersId,
     "Adds a script that plays the applet in browsers that no longer run Java"},
};

// The stored text with its line breaks as CR LF, whatever they were.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// The web URL from its third "/" on ("http://server/web" gives "/web"),
// empty when it has fewer.
std::string WebPath(const std::string& web_url) {
  size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    at = web_url.find('/', at + 1);
    if (at == std::string::npos) return std::string();
  }
  return web_url.substr(at);
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// GMWebbotS3: an identifier of ASCII letters, digits and "_".
bool IsIdentifierName(const std::string& name) {
  if (!IsAsciiLetter(name[0]) && name[0] != '_') return false;
  for (char c : name) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_') return false;
  }
  return true;
}

// GMWebbot: no space and none of these characters.
bool HasForbiddenCharacter(const std::string& name) {
  return name.find_first_of(" !@#$%^&*()-=+\\|\"';:,.<>/?~`") != std::string::npos;
}

}  // namespace

namespace {
constexpr base::KeywordRow kAlignmentRows[] = {
    {"Left", "left"},     {"Right", "right"},         {"Top", "top"},
    {"Text Top", "texttop"}, {"Middle", "middle"},    {"Absolute Middle", "absmiddle"},
    {"Baseline", ""},     {"Bottom", "bottom"},       {"Absolute Bottom", "absbottom"}};
}  // namespace

const base::KeywordTable CAppletPage::kAlignments{kAlignmentRows};

// A margin: its member, the tag attribute it is stored in and the field that
// edits it (a whole number from 0 to 4294967295; 0 when none is stored).
struct CAppletPage::Margin {
  uint32_t CAppletPage::*member;
  const char* attribute;
  int control_id;
};

const CAppletPage::Margin CAppletPage::kMargins[2] = {
    {&CAppletPage::horizontal_margin_, "java-hspace", kHSpaceId},
    {&CAppletPage::vertical_margin_, "java-vspace", kVSpaceId},
};

CAppletPage::CAppletPage(EditContext& context)
    : CWebBotPage(context, kAppletSpec), non_java_text_(kDefaultNonJavaText) {
  set_bot_help_topic("Applet");
  const platform::LocalTime now = platform::GetClock().Now();
  applet_name_ = base::Format("%s%04d%02d%02d%02d%02d%02d", bot().prefix,
                              now.year, now.month, now.day, now.hour, now.minute, now.second);
}

void CAppletPage::LoadAttributes(Attributes* attributes) {
  CWebBotPage::LoadAttributes(attributes);
  if (std::optional<std::string> align = attributes->Get("java-align")) {
    // "baseline" is stored nowhere by this page, but a hand-made one is read.
    alignment_ = *align == "baseline" ? "Baseline" : kAlignments.CaptionOf(*align).value_or("");
  } else {
    alignment_ = "Baseline";
  }
  for (const Margin& margin : kMargins) {
    if (std::optional<std::string> stored = attributes->Get(margin.attribute)) {
      this->*margin.member = base::UnsignedDecimalValue(*stored);
    }
  }
  if (std::optional<std::string> code_base = attributes->Get("java-codebase")) {
    code_base_ = *code_base;
    state().absolute_reference = !base::EqualsNoCase(code_base_, kRelativeCodeBase);
    // What the page shows selected when it opens, and what is saved when it
    // is never opened: an OK on another page keeps the code base.
    server_preview_ = IsServerPreview();
  } else {
    code_base_ = kRelativeCodeBase;
    attributes->Set("java-codebase", kRelativeCodeBase);
  }
  if (std::optional<std::string> text = attributes->Get("html-NonJavaString")) {
    non_java_text_ = WithCrLf(*text);
  }
  if (std::optional<std::string> name = attributes->Get(library().applet_name_attribute)) {
    applet_name_ = *name;
  }
  if (std::optional<std::string> play = attributes->Get(kPlayInBrowsersAttribute)) {
    play_in_browsers_ = *play == "1";
  } else {
    // A component stored without the setting keeps its HTML as it was unless
    // the author ticks the box; a new one (no applet class yet) gets it.
    play_in_browsers_ = !attributes->Get("java-code").has_value();
  }
}

void CAppletPage::SaveAttributes() {
  if (!attributes_) return;
  const EditRunState& state = this->state();
  attributes_->Set("java-code", bot().applet_code);
  const std::string_view align_value = kAlignments.KeywordOf(alignment_).value_or("");
  if (!align_value.empty()) {
    attributes_->Set("java-align", align_value);
  } else {
    attributes_->Remove("java-align");
  }
  for (const Margin& margin : kMargins) {
    // Unsigned, as the field takes them: a margin past 2147483647 must come
    // back as itself, not as a negative text that reads as 0.
    attributes_->Set(margin.attribute, base::Format("%u", this->*margin.member));
  }
  if (!state.absolute_reference) {
    code_base_ = kRelativeCodeBase;
  } else if (state.disk_web && server_preview_) {
    code_base_ = kServerCodeBase;
  } else {
    code_base_ = WebPath(state.web_url) + "/_glintmere/";
  }
  attributes_->Set("java-codebase", code_base_);
  attributes_->Set("html-NonJavaString", non_java_text_);
  attributes_->Set(library().applet_name_attribute, applet_name_);
  attributes_->Set(kPlayInBrowsersAttribute, play_in_browsers_ ? "1" : "0");
}

bool CAppletPage::OnInitDialog() {
  const EditRunState& state = this->state();
  AddTooltips(kTooltips);
  ui::ListControl alignment = GetList(kAlignmentId);
  for (const base::KeywordRow& row : kAlignments) alignment.Add(row.caption);
  UpdateData(false);
  const int selected = alignment.Find(alignment_);
  alignment.Select(selected >= 0 ? selected : 0);
  GetButton(kForceId).SetChecked(state.force_overwrite);

  if (!state.disk_web) {
    GetControl(kLocalPreviewId).Show(false);
    GetControl(kServerPreviewId).Show(false);
  }
  const bool absolute = !base::EqualsNoCase(code_base_, kRelativeCodeBase);
  GetButton(kAbsoluteId).SetChecked(absolute);
  const bool server = absolute && IsServerPreview();
  GetButton(kServerPreviewId).SetChecked(server);
  GetButton(kLocalPreviewId).SetChecked(!server);
  UpdateRadioButtons();
  return true;
}

bool CAppletPage::OnSetActive() {
  // Another page or dialog may have changed the flag meanwhile.
  if (IsOpen()) GetButton(kForceId).SetChecked(state().force_overwrite);
  return true;
}

bool CAppletPage::OnKillActive() {
  if (!ValidateName()) return false;
  return UpdateData(true);
}

void CAppletPage::BindEvents() {
  Bind(kForceId, ui::Notify::kClicked, [this] {
    state().force_overwrite = GetButton(kForceId).IsChecked();
  });
  Bind(kAbsoluteId, ui::Notify::kClicked, [this] {
    state().absolute_reference = GetButton(kAbsoluteId).IsChecked();
    UpdateRadioButtons();
  });
  OnClicked(kPreviewId, &CAppletPage::Preview);
}

void CAppletPage::DoDataExchange(ui::DataExchange& dx) {
  for (const Margin& margin : kMargins) dx.Unsigned(margin.control_id, this->*margin.member);
  dx.ListText(kAlignmentId, alignment_);
  dx.Text(kNameId, applet_name_);
  dx.Text(kNonJavaId, non_java_text_);
  dx.Check(kPlayInBrowsersId, play_in_browsers_);
}

void CAppletPage::Preview() {
  if (IsOpen() && !ValidateName()) return;
  CWebBotPage::Preview();
}

bool CAppletPage::IsServerPreview() const {
  return state().disk_web && code_base_ == kServerCodeBase;
}

void CAppletPage::UpdateRadioButtons() {
  if (!state().disk_web) return;
  const bool enabled = GetButton(kAbsoluteId).IsChecked();
  GetControl(kLocalPreviewId).Enable(enabled);
  GetControl(kServerPreviewId).Enable(enabled);
}

bool CAppletPage::ValidateName() {
  std::string name = GetEdit(kNameId).Text();
  if (name.size() > 255) name.resize(255);
  if (state().disk_web) server_preview_ = GetButton(kServerPreviewId).IsChecked();
  const char* problem = nullptr;
  if (library().identifier_applet_names) {
    if (name.empty()) {
      problem = "You must specify a applet name";
    } else if (!IsIdentifierName(name)) {
      problem = "Not a valid Applet name";
    }
  } else if (HasForbiddenCharacter(name)) {
    problem = "Invalid Applet Name:Only alpha-numeric and underscore characters allowed.";
  } else if (name.empty()) {
    problem = "You must specify a applet name";
  }
  if (!problem) return true;
  ui::ShowMessage(problem, ui::kProductCaption, ui::Buttons::kOk, ui::Icon::kWarning, handle());
  ui::Edit field = GetEdit(kNameId);
  field.Select();
  field.Focus();
  return false;
}

}  // namespace botframe
