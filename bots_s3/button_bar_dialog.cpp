// The button bar bot's dialogs.
#include "bots_s3/button_bar_dialog.h"

#include "base/scope_exit.h"
#include "base/text.h"
#include "botframe/automation_client.h"
#include "botframe/install_folders.h"
#include "platform/services.h"
#include "runner/webbot_comments.h"
#include "ui/message_box.h"

namespace bots_s3 {
namespace {

using ui::ControlKind;
namespace style = ui::style;

constexpr const char* kHelperCaption = "Glintmere Java Effects - Button Bar Helper";
// The opening's own caption, as the product has always spelt it.
constexpr const char* kOpeningCaption = "Glinrmere Alert!";
constexpr const char* kInvalidName = "Please specify a valid component name.";
constexpr const char* kUserRow = "(User)";
// The pages a bar's component comes from, however large, are read up to this.
constexpr size_t kMostPageBytes = 64 * 1024 * 1024;

using UserDlg = CUserComponentDlg;
constexpr ui::ControlSpec kUserControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Component Name:", 7, 9, 60, 8},
    {UserDlg::kNameId, ControlKind::kEdit, "", 70, 7, 109, 12},
    {ui::kIdStatic, ControlKind::kLabel, "Component Type:", 7, 27, 60, 8},
    {UserDlg::kTypeId, ControlKind::kDropDownList, "", 70, 25, 109, 60,
     style::kSorted | style::kVScroll},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 75, 45, 50, 14, style::kGroup},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 129, 45, 50, 14},
};
constexpr ui::DialogSpec kUserSpec{"User component for Button Bar", 186, 66, kUserControls};

using HelperDlg = CButtonBarHelperDlg;
constexpr ui::ControlSpec kHelperControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Component:", 7, 9, 58, 8},
    {HelperDlg::kComponentId, ControlKind::kDropDownList, "", 66, 7, 134, 80,
     style::kSorted | style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Button Style:", 7, 27, 58, 8},
    {HelperDlg::kStyleId, ControlKind::kDropDownList, "", 66, 25, 134, 80,
     style::kSorted | style::kVScroll},
    {HelperDlg::kPreviewId, ControlKind::kPicture, "", 206, 7, 48, 48,
     style::kBorder | style::kActualSize | style::kMissingMark},
    {ui::kIdStatic, ControlKind::kLabel, "Button Bar Type:", 7, 45, 58, 8},
    {HelperDlg::kTypeId, ControlKind::kDropDownList, "", 66, 43, 134, 80,
     style::kSorted | style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Description:", 7, 61, 58, 8},
    {HelperDlg::kDescriptionId, ControlKind::kEdit, "", 66, 61, 188, 22,
     style::kMultiLine | style::kReadOnly | style::kVScroll},
    {HelperDlg::kAbsoluteId, ControlKind::kCheckBox, "Absolute reference for shared borders", 7, 87,
     160, 10},
    {HelperDlg::kLocalPreviewId, ControlKind::kRadioButton, "Local Preview", 7, 99, 66, 10,
     style::kGroup},
    {HelperDlg::kServerPreviewId, ControlKind::kRadioButton, "Server Preview", 77, 99, 70, 10},
    {ui::kIdHelp, ControlKind::kPushButton, "Help", 7, 110, 50, 14, style::kGroup},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 150, 110, 50, 14},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 204, 110, 50, 14},
};
constexpr ui::DialogSpec kHelperSpec{kHelperCaption, 262, 127, kHelperControls};

void ShowOpeningError(const char* text, ui::WindowHandle owner) {
  ui::ShowMessage(text, kOpeningCaption, ui::Buttons::kOk, ui::Icon::kError, owner);
}

void ShowCatalogueError(const std::string& text, ui::WindowHandle owner) {
  ui::ShowMessage(text, kButtonBarErrorCaption, ui::Buttons::kOk, ui::Icon::kNone, owner);
}

std::string ComponentRowText(const std::string& name, int type) {
  return name + " - " + ComponentTypeCaption(type);
}

}  // namespace

const char* ComponentTypeCaption(int type) {
  switch (type) {
    case kPresentationApplet:
      return "Presentation Applet";
    case kScrollerApplet:
      return "Scroller Applet";
    default:
      return "";
  }
}

std::vector<BarComponent> FindBarComponents(std::string_view page) {
  std::vector<BarComponent> found;
  constexpr std::string_view kOpen = "<!--";
  constexpr std::string_view kWebbot = "webbot";
  size_t at = 0;
  while ((at = page.find(kOpen, at)) != std::string_view::npos) {
    const size_t text_begin = at + kOpen.size() + kWebbot.size();
    if (!base::StartsWithNoCase(page.substr(at + kOpen.size()), kWebbot)) {
      at += kOpen.size();
      continue;
    }
    const size_t close = page.find("-->", text_begin);
    if (close == std::string_view::npos) break;
    at = close + 3;
    runner::AttributeEntries attributes;
    if (!runner::ParseWebbotAttributes(page.substr(text_begin, close - text_begin), &attributes)) {
      continue;
    }
    const std::optional<std::string>* bot = runner::FindWebbotAttribute(attributes, "bot");
    if (!bot || !bot->has_value()) continue;
    const std::optional<std::string>* name =
        runner::FindWebbotAttribute(attributes, "component-name");
    if (!name) name = runner::FindWebbotAttribute(attributes, "java-name");
    if (!name || !name->has_value() || !IsValidComponentName(**name)) continue;
    int type = 0;
    if (base::EqualsNoCase(**bot, "GMPresent")) {
      type = kPresentationApplet;
    } else if (base::EqualsNoCase(**bot, "GMScroller")) {
      type = kScrollerApplet;
    } else {
      continue;
    }
    found.push_back({**name, type});
  }
  return found;
}

// ---- CUserComponentDlg

CUserComponentDlg::CUserComponentDlg() : ui::Dialog(kUserSpec) {}

bool CUserComponentDlg::OnInitDialog() {
  ui::ListControl types = GetList(kTypeId);
  for (int each : {kPresentationApplet, kScrollerApplet}) {
    const int row = types.Add(ComponentTypeCaption(each), each);
    if (each == type) types.Select(row);
  }
  if (types.Selection() < 0) types.Select(0);
  UpdateData(false);
  return true;
}

void CUserComponentDlg::DoDataExchange(ui::DataExchange& dx) { dx.Text(kNameId, name); }

bool CUserComponentDlg::OnOk() {
  if (!UpdateData(true)) return false;
  if (!IsValidComponentName(name)) {
    ui::ShowMessage(kInvalidName, ui::kProductCaption, ui::Buttons::kOk, ui::Icon::kNone,
                    handle());
    GetControl(kNameId).Focus();
    return false;
  }
  ui::ListControl types = GetList(kTypeId);
  const int row = types.Selection();
  if (row < 0) return false;
  type = static_cast<int>(types.ItemData(row));
  caption = types.ItemText(row);
  return true;
}

// ---- CButtonBarHelperDlg

CButtonBarHelperDlg::CButtonBarHelperDlg(botframe::EditContext& context)
    : ui::Dialog(kHelperSpec), context_(context) {}

bool CButtonBarHelperDlg::ReadPage(std::string* page) {
  botframe::EditRunState& state = context_.state();
  platform::Files& files = platform::GetFiles();
  std::string copy;
  std::unique_ptr<platform::DispatchObject> explorer = botframe::GetExplorer(context_.library());
  if (state.user_data_folder.empty() || !explorer ||
      files.CreateTempFile(state.user_data_folder, "gmb", &copy) != platform::kOk) {
    ShowOpeningError(
        "Unable to download the current page from the web. Button bar cannot be inserted.",
        handle());
    return false;
  }
  // The copy goes whichever way the reading ends.
  const base::ScopeExit remove_copy([&files, &copy] { files.DeleteFile(copy); });
  const bool downloaded = botframe::VtiGetDocToFile(*explorer, state.page_url, copy) != 0;
  explorer.reset();
  if (!downloaded) {
    ShowOpeningError(
        "Unable to download the current page from the web. Button bar cannot be inserted.",
        handle());
    return false;
  }
  if (files.ReadFileUpTo(copy, kMostPageBytes, page) != platform::kOk) {
    ShowOpeningError("Unable to read page contents. Button bar cannot be inserted.", handle());
    return false;
  }
  return true;
}

bool CButtonBarHelperDlg::OnInitDialog() {
  static constexpr ui::Tooltip kTips[] = {
      {kComponentId, "Select the component for button operations."},
      {kStyleId, "Select the button bar style."},
      {kTypeId, "Select the button bar type."},
      {kDescriptionId, "Description of the selected button bar type."},
      {kPreviewId, "Preview of the selected button style."},
  };
  AddTooltips(kTips);
  const botframe::EditRunState& state = context_.state();

  std::string page;
  if (!ReadPage(&page)) {
    EndDialog(ui::kIdCancel);
    return false;
  }
  ui::ListControl components = GetList(kComponentId);
  for (const BarComponent& component : FindBarComponents(page)) {
    components.Add(ComponentRowText(component.name, component.type), component.type);
  }
  components.Add(kUserRow, 0);
  if (components.Count() < 2) {
    ShowOpeningError("No button bar compatible components were found on this page.", handle());
    components.Select(-1);
  } else {
    components.Select(1);
  }
  previous_component_ = components.Selection();

  styles_ = LoadButtonStyles(state.master_folder);
  if (styles_.empty()) {
    ShowCatalogueError("No button bar styles available. Button bar cannot be inserted.",
                       handle());
    EndDialog(ui::kIdCancel);
    return false;
  }
  ui::ListControl style_list = GetList(kStyleId);
  for (size_t i = 0; i < styles_.size(); ++i) {
    style_list.Add(styles_[i].name, static_cast<intptr_t>(i));
  }
  style_list.Select(0);

  templates_ = LoadButtonBarTemplates(state.master_folder);
  if (components.Selection() >= 0 && !FillTypes()) {
    ShowCatalogueError("No button bar types available.", handle());
  }

  GetButton(kLocalPreviewId).SetChecked(true);
  GetButton(kAbsoluteId).SetChecked(state.absolute_reference);
  GetControl(kLocalPreviewId).Enable(state.absolute_reference);
  GetControl(kServerPreviewId).Enable(state.absolute_reference);
  ShowDescription();
  ShowPreview();
  return true;
}

void CButtonBarHelperDlg::BindEvents() {
  OnSelectionChanged(kComponentId, &CButtonBarHelperDlg::OnComponentChanged);
  OnSelectionChanged(kTypeId, &CButtonBarHelperDlg::ShowDescription);
  OnSelectionChanged(kStyleId, &CButtonBarHelperDlg::ShowPreview);
  OnClicked(kAbsoluteId, &CButtonBarHelperDlg::OnAbsoluteClicked);
  OnClicked(ui::kIdHelp, &CButtonBarHelperDlg::OnHelpClicked);
}

void CButtonBarHelperDlg::OnHelpClicked() {
  if (!botframe::LaunchHelp(context_.state().common_folder, "ButtonBar", "")) {
    ui::ShowMessage("Unable to display help.", ui::kProductCaption, ui::Buttons::kOk,
                    ui::Icon::kNone, handle());
  }
}

bool CButtonBarHelperDlg::FillTypes() {
  ui::ListControl components = GetList(kComponentId);
  const int row = components.Selection();
  if (row < 0) return false;
  const int type = static_cast<int>(components.ItemData(row));
  ui::ListControl types = GetList(kTypeId);
  types.Clear();
  for (size_t i = 0; i < templates_.size(); ++i) {
    if ((templates_[i].type_mask & type) == type) {
      types.Add(templates_[i].name, static_cast<intptr_t>(i));
    }
  }
  if (types.Count() == 0) return false;
  types.Select(0);
  return true;
}

const ButtonStyle* CButtonBarHelperDlg::ChosenStyle() {
  ui::ListControl list = GetList(kStyleId);
  const int row = list.Selection();
  if (row < 0) return nullptr;
  const size_t index = static_cast<size_t>(list.ItemData(row));
  return index < styles_.size() ? &styles_[index] : nullptr;
}

const ButtonBarTemplate* CButtonBarHelperDlg::ChosenTemplate() {
  ui::ListControl list = GetList(kTypeId);
  const int row = list.Selection();
  if (row < 0) return nullptr;
  const size_t index = static_cast<size_t>(list.ItemData(row));
  return index < templates_.size() ? &templates_[index] : nullptr;
}

void CButtonBarHelperDlg::ShowDescription() {
  const ButtonBarTemplate* chosen = ChosenTemplate();
  GetEdit(kDescriptionId).SetText(chosen ? chosen->description : std::string());
}

void CButtonBarHelperDlg::ShowPreview() {
  const ButtonStyle* chosen = ChosenStyle();
  // A style without a preview image leaves the preview empty.
  GetPicture(kPreviewId).Load(chosen ? chosen->preview_path : std::string());
}

void CButtonBarHelperDlg::OnComponentChanged() {
  ui::ListControl components = GetList(kComponentId);
  if (components.Selection() == 0) {
    CUserComponentDlg user;
    user.name = user_component_name_;
    user.type = static_cast<int>(components.ItemData(0));
    if (user.DoModal(handle()) != ui::kIdOk) {
      components.Select(previous_component_);
      return;
    }
    user_component_name_ = user.name;
    components.Delete(0);
    components.Insert(0, std::string(kUserRow) + " - " + ComponentRowText(user.name, user.type),
                      user.type);
    components.Select(0);
  }
  previous_component_ = components.Selection();
  if (!FillTypes()) {
    ShowCatalogueError("No button type available.", handle());
  }
  ShowDescription();
}

void CButtonBarHelperDlg::OnAbsoluteClicked() {
  botframe::EditRunState& state = context_.state();
  state.absolute_reference = GetButton(kAbsoluteId).IsChecked();
  if (state.disk_web) {
    GetControl(kLocalPreviewId).Enable(state.absolute_reference);
    GetControl(kServerPreviewId).Enable(state.absolute_reference);
  }
}

bool CButtonBarHelperDlg::OnOk() {
  const botframe::EditRunState& state = context_.state();
  if (state.unsaved) {
    ui::ShowMessage(
        "Current page cannot be modified as is not a saved page.\nInsert operation is aborted.",
        "Glintmere Alert", ui::Buttons::kOk, ui::Icon::kError, handle());
    return false;
  }
  ui::ListControl components = GetList(kComponentId);
  const int row = components.Selection();
  if (row < 0) {
    ui::ShowMessage("Please select a component.", ui::kProductCaption, ui::Buttons::kOk,
                    ui::Icon::kNone, handle());
    return false;
  }
  if (row == 0) {
    component_name = user_component_name_;
  } else {
    const std::string text(base::Trim(components.ItemText(row)));
    component_name = text.substr(0, text.find(' '));
  }
  if (component_name.empty()) {
    ui::ShowMessage(kInvalidName, ui::kProductCaption, ui::Buttons::kOk, ui::Icon::kNone,
                    handle());
    return false;
  }
  html_.clear();
  uploads_.clear();
  style_folder_.clear();
  if (!ChosenStyle()) {
    ShowCatalogueError("No button bar style selected. Could not insert HTML code.", handle());
  } else if (!ChosenTemplate()) {
    ShowCatalogueError("No button bar type selected. Could not insert HTML code.", handle());
  } else {
    Generate();
  }
  component_row = row;
  style_row = GetList(kStyleId).Selection();
  type_row = GetList(kTypeId).Selection();
  return true;
}

void CButtonBarHelperDlg::Generate() {
  const botframe::EditRunState& state = context_.state();
  ButtonBarRequest request;
  request.master_folder = state.master_folder;
  request.style = ChosenStyle();
  request.bar_template = ChosenTemplate();
  request.component_name = component_name;
  request.web_url = state.web_url;
  request.page_url = state.page_url;
  request.absolute_reference = state.absolute_reference;
  request.disk_web = state.disk_web;
  request.server_preview = GetButton(kServerPreviewId).IsChecked();
  request.time = platform::GetClock().Now();
  ButtonBarHtml bar = GenerateButtonBarHtml(request);
  if (!bar.ok) {
    ShowCatalogueError(bar.error, handle());
    return;
  }
  html_ = std::move(bar.html);
  uploads_ = std::move(bar.uploads);
  style_folder_ = request.style->folder;
}

}  // namespace bots_s3
