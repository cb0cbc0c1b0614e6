// The presentation's Images page.
#include "bots_s3/present_images_page.h"

#include <algorithm>
#include <utility>

#include "base/numbers.h"
#include "base/path.h"
#include "base/text.h"
#include "botframe/applet_tag.h"
#include "botframe/file_dialogs.h"
#include "botframe/properties.h"
#include "botframe/publishing.h"
#include "bots_s3/add_images_dialog.h"
#include "bots_s3/scroll_conversion.h"
#include "bots_s3/scroll_links.h"
#include "platform/services.h"
#include "ui/message_box.h"

namespace bots_s3 {
namespace {

using ui::ControlKind;
namespace style = ui::style;
using Page = CPresentImagesPage;

constexpr ui::ControlSpec kControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Image List:", 7, 7, 120, 8},
    {Page::kListId, ControlKind::kListBox, "", 7, 18, 160, 84, style::kVScroll},
    {Page::kUpId, ControlKind::kBitmapButton, "Move up", 172, 18, 16, 14},
    {Page::kDownId, ControlKind::kBitmapButton, "Move down", 172, 36, 16, 14},
    {Page::kAddId, ControlKind::kPushButton, "Add...", 192, 18, 50, 14},
    {Page::kRemoveId, ControlKind::kPushButton, "Remove", 192, 36, 50, 14},
    {ui::kIdStatic, ControlKind::kGroupBox, "Presentation Parameters", 7, 108, 235, 104},
    {ui::kIdStatic, ControlKind::kLabel, "Image:", 14, 123, 30, 8},
    {Page::kImageId, ControlKind::kPushButton, "", 48, 120, 110, 14},
    {ui::kIdStatic, ControlKind::kLabel, "Audio:", 14, 141, 30, 8},
    {Page::kAudioId, ControlKind::kPushButton, "(None)", 48, 138, 110, 14},
    {ui::kIdStatic, ControlKind::kLabel, "Target:", 164, 123, 26, 8},
    {Page::kTargetId, ControlKind::kDropDownCombo, "", 190, 120, 46, 70, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "URL:", 14, 159, 30, 8},
    {Page::kUrlId, ControlKind::kEdit, "", 48, 157, 134, 12},
    {Page::kBrowseId, ControlKind::kPushButton, "Browse...", 186, 156, 50, 14},
    {ui::kIdStatic, ControlKind::kLabel, "Status:", 14, 176, 30, 8},
    {Page::kStatusId, ControlKind::kEdit, "", 48, 174, 188, 12},
    {ui::kIdStatic, ControlKind::kLabel, "Effect:", 14, 194, 30, 8},
    {Page::kEffectId, ControlKind::kDropDownList, "", 48, 192, 110, 120, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Align:", 7, 220, 24, 8},
    {Page::kAlignId, ControlKind::kDropDownList, "", 34, 218, 70, 60, style::kVScroll},
    {Page::kPreviewId, ControlKind::kPushButton, "Preview", 192, 217, 50, 14, style::kGroup},
};
constexpr ui::DialogSpec kSpec{"Images", 249, 238, kControls};

constexpr base::KeywordRow kTransitionRows[] = {
    {"Basic", "_basic"},
    {"Slide Horizontal", "_slide|_horizontal"},
    {"Slide Vertical", "_slide|_vertical"},
    {"Push Horizontal", "_push|_horizontal"},
    {"Push Vertical", "_push|_vertical"},
    {"Split Horizontal", "_split|_horizontal"},
    {"Split Vertical", "_split|_vertical"},
    {"Swap Horizontal", "_swap|_horizontal"},
    {"Swap Vertical", "_swap|_vertical"},
    {"Shutter Horizontal 2", "_shutter|_horizontal|2"},
    {"Shutter Horizontal 4", "_shutter|_horizontal|4"},
    {"Shutter Horizontal 8", "_shutter|_horizontal|8"},
    {"Shutter Horizontal 12", "_shutter|_horizontal|12"},
    {"Shutter Horizontal 20", "_shutter|_horizontal|20"},
    {"Shutter Vertical 2", "_shutter|_vertical|2"},
    {"Shutter Vertical 4", "_shutter|_vertical|4"},
    {"Shutter Vertical 8", "_shutter|_vertical|8"},
    {"Shutter Vertical 12", "_shutter|_vertical|12"},
    {"Shutter Vertical 20", "_shutter|_vertical|20"},
    {"Fade", "_fade"},
    {"Dissolve", "_dissolve"},
    {"Sparkle", "_sparkle"},
    {"Rotate Horizontal", "_rotate|_horizontal"},
    {"Rotate Vertical", "_rotate|_vertical"},
    {"Boxwipe", "_boxwipe"},
    {"Upperleft Wipe", "_ulwipe"},
    {"Lowerleft Wipe", "_llwipe"},
    {"Upperright Wipe", "_urwipe"},
    {"Lowerright Wipe", "_lrwipe"},
    {"Random", "_random"},
};
constexpr base::KeywordRow kAlignmentRows[] = {{"Center", "_center"},
                                               {"Upperleft", "_upperleft"}};

constexpr const char* kPanel = "Images";
constexpr const char* kNoFile = botframe::kNoFileName;
// The attribute suffixes of one image, every one a save removes (three of
// them no version writes any more).
constexpr const char* kImageSuffixes[] = {"",    "Sound", "Align", "Transition", "Direction",
                                          "Shutters", "Url", "Target", "StatusMessage"};
// The default images of a new presentation, when the folders have them.
constexpr const char* kLogoImages[] = {"GMQFXLogo.gif", "GMRFXLogo.gif"};

// The text after the last "/" (all of it without one).
std::string AfterLastSlash(const std::string& text) {
  const size_t slash = text.rfind('/');
  return slash == std::string::npos ? text : text.substr(slash + 1);
}

bool IsNoFile(const std::string& name) { return base::EqualsNoCase(name, kNoFile); }

std::string ImagePrefix(int k) { return base::Format("param-Image%d", k); }

}  // namespace

const base::KeywordTable kPresentTransitions{kTransitionRows};
const base::KeywordTable kPresentAlignments{kAlignmentRows};

CPresentImagesPage::CPresentImagesPage(botframe::EditContext& context)
    : CWebBotPage(context, kSpec) {
  set_bot_help_topic("Images");
}

// ---------------------------------------------------------------------------
// Attributes

void CPresentImagesPage::LoadAttributes(botframe::Attributes* attributes) {
  CWebBotPage::LoadAttributes(attributes);
  botframe::Attributes& a = *attributes;
  images_.clear();
  // Each image is stored in at least one attribute: a larger count is
  // bounded by the attributes there are.
  const int count = std::min(a.CountOf("param-NumImages"), kMostImages);
  loaded_count_ = count;
  most_written_ = count;
  for (int k = 1; k <= count; ++k) {
    const std::string prefix = ImagePrefix(k);
    const auto name = [&prefix](const char* suffix) { return prefix + suffix; };
    PresentImage image;
    image.image = AfterLastSlash(a.GetOr(prefix.c_str(), ""));
    if (std::optional<std::string> sound = a.Get(name("Sound").c_str())) {
      if (base::EqualsNoCase(*sound, "none")) {
        a.Remove(name("Sound").c_str());
      } else {
        image.audio = AfterLastSlash(*sound);
      }
    }
    if (std::optional<std::string> transition = a.Get(name("Transition").c_str())) {
      image.effect = std::string(kPresentTransitions.CaptionOf(*transition).value_or("Random"));
    }
    image.url = a.GetOr(name("Url").c_str(), "");
    image.target.clear();
    if (std::optional<std::string> target = a.Get(name("Target").c_str())) {
      image.target = std::string(kLinkTargets.CaptionOf(*target).value_or(*target));
    }
    image.status = a.GetOr(name("StatusMessage").c_str(), "");
    // An image without a file name is nothing the applet could show.
    if (image.image.empty()) continue;
    images_.push_back(std::move(image));
  }
  if (images_.empty()) return;
  const std::string align = a.GetOr("param-ImageAlign", "");
  alignment_ = std::string(kPresentAlignments.CaptionOf(align).value_or(""));
  for (const PresentImage& image : images_) {
    botframe::LocateOrRecordMissing(state(), image.image, botframe::kMissingImage, kPanel);
    if (!IsNoFile(image.audio)) {
      botframe::LocateOrRecordMissing(state(), image.audio, botframe::kMissingSound, kPanel);
    }
  }
}

void CPresentImagesPage::SaveAttributes() {
  if (!attributes_) return;
  botframe::Attributes& a = *attributes_;
  // The row being edited, when the page is open (a preview from this page).
  if (IsOpen()) StoreCurrentRow();
  const bool preview = properties() && properties()->preview_mode();
  const int count = image_count();
  a.Set("param-NumImages", base::Format("%d", count));
  if (!preview) {
    for (int k = 1; k <= most_written_; ++k) {
      const std::string prefix = ImagePrefix(k);
      for (const char* suffix : kImageSuffixes) a.Remove((prefix + suffix).c_str());
    }
  }
  most_written_ = std::max(most_written_, count);
  const std::string code_base = a.GetOr("java-codebase", "");
  for (int k = 1; k <= count; ++k) {
    const PresentImage& image = images_[static_cast<size_t>(k - 1)];
    const std::string prefix = ImagePrefix(k);
    a.Set(prefix, code_base + image.image);
    if (!IsNoFile(image.audio)) {
      a.Set(prefix + "Sound", code_base + image.audio);
    } else {
      a.Remove((prefix + "Sound").c_str());  // a preview keeps no sound taken away
    }
    a.Set(prefix + "Transition",
          std::string(kPresentTransitions.KeywordOf(image.effect).value_or("_random")));
    a.Set(prefix + "Url", image.url);
    a.Set(prefix + "Target", std::string(kLinkTargets.KeywordOf(image.target).value_or(image.target)));
    a.Set(prefix + "StatusMessage", image.status);
  }
  if (count > 0) {
    a.Set("param-ImageAlign", std::string(kPresentAlignments.KeywordOf(alignment_).value_or("")));
  }
}

void CPresentImagesPage::WriteAppletParams(std::string& out, botframe::Attributes& a) {
  using botframe::WriteParam;
  const std::string stored = a.GetOr("param-NumImages", "0");
  WriteParam(out, "NumImages", stored.c_str());
  const int count = std::min(a.CountOf("param-NumImages"), kMostImages);
  const bool preview = properties() && properties()->preview_mode();
  for (int k = 1; k <= count; ++k) {
    const std::string prefix = ImagePrefix(k);
    const auto get = [&](const char* suffix, const char* fallback) {
      return a.GetOr((prefix + suffix).c_str(), fallback);
    };
    WriteParam(out, base::Format("Image%d", k).c_str(), get("", "").c_str());
    const std::string sound = get("Sound", kNoFile);
    if (sound != kNoFile) WriteParam(out, base::Format("Sound%d", k).c_str(), sound.c_str());
    WriteParam(out, base::Format("Transition%d", k).c_str(), get("Transition", "").c_str());
    const std::string url = get("Url", "");
    if (!url.empty()) {
      const std::string value =
          (preview ? botframe::AbsoluteUrl(url, state().page_url) : url) + "|" + get("Target", "");
      WriteParam(out, base::Format("URL%d", k).c_str(), value.c_str());
    }
    WriteParam(out, base::Format("StatusBar%d", k).c_str(), get("StatusMessage", "").c_str());
  }
  if (std::optional<std::string> align = a.Get("param-ImageAlign")) {
    WriteParam(out, "Align", align->c_str());
  }
}

// ---------------------------------------------------------------------------
// The page

bool CPresentImagesPage::OnInitDialog() {
  static constexpr ui::Tooltip kTips[] = {
      {kListId, "This is Image list displayed in top to bottom order."},
      {kUpId, "Move the currently selected image up in the Image List."},
      {kDownId, "Move the currently selected image down in the Image List."},
      {kAddId, "Add a new image to the Image List."},
      {kRemoveId, "Remove the currently selected image From the Image List."},
      {kImageId, "Select the image you want to display."},
      {kAudioId, "Audio played with selected image."},
      {kTargetId, "Target of URL redirection."},
      {kUrlId, "URL when user click on the Image."},
      {kBrowseId, "Click here to browse your web for URL."},
      {kStatusId, "Status bar message that appears when cursor is on the Image."},
      {kEffectId, "Select from the list of image effects."},
      {kAlignId, "Sets the image alignment."},
      {kPreviewId, "Preview the Applet with the current settings."},
  };
  AddTooltips(kTips);
  ui::ListBox list = GetList(kListId);
  list.Clear();
  for (const PresentImage& image : images_) list.Add(image.image);
  GetEdit(kUrlId).SetLimit(256);
  ui::ListControl align = GetList(kAlignId);
  for (const base::KeywordRow& row : kPresentAlignments) align.Add(row.caption);
  const int align_row = kPresentAlignments.IndexOfCaption(alignment_);
  align.Select(align_row < 0 ? 0 : align_row);
  ui::ListControl effects = GetList(kEffectId);
  for (const base::KeywordRow& row : kPresentTransitions) effects.Add(row.caption);
  effects.Select(effects.Find("Random"));
  ui::ListControl targets = GetList(kTargetId);
  for (const base::KeywordRow& row : kLinkTargets) targets.Add(row.caption);

  current_row_ = -1;
  if (images_.empty()) AddDefaultImages();
  if (!images_.empty()) {
    list.Select(0);
    ShowRow(0);
  }
  UpdateRemoveButton();
  return true;
}

void CPresentImagesPage::AddDefaultImages() {
  platform::Files& files = platform::GetFiles();
  const std::string master = botframe::AppletFolderOf(state().master_folder);
  const std::string user = botframe::AppletFolderOf(state().user_data_folder);
  const auto in_folder = [&files](const std::string& folder, const std::string& name) {
    return !folder.empty() && files.FileExists(folder + name);
  };
  for (const char* logo : kLogoImages) {
    if (in_folder(master, logo)) {
      botframe::EnsureWorkingCopy(state(), logo);
    } else if (!in_folder(user, logo)) {
      continue;
    }
    AddNewImage(logo);
  }
  if (master.empty()) return;
  for (const char* pattern : {"*.jpg", "*.jpeg", "*.gif"}) {
    std::vector<std::string> names;
    if (files.FindFiles(master, pattern, &names) != platform::kOk) continue;
    for (const std::string& name : names) {
      if (image_count() >= 2) return;
      const bool listed = std::any_of(images_.begin(), images_.end(),
                                      [&name](const PresentImage& i) { return i.image == name; });
      if (listed) continue;
      botframe::EnsureWorkingCopy(state(), name);
      AddNewImage(name);
    }
  }
}

bool CPresentImagesPage::OnSetActive() {
  UpdateRemoveButton();
  return true;
}

bool CPresentImagesPage::OnKillActive() {
  StoreCurrentRow();
  return true;
}

void CPresentImagesPage::DoDataExchange(ui::DataExchange& dx) {
  // Only the controls' side is read: the page shows its rows itself.
  if (!dx.saving()) return;
  dx.Text(kImageId, fields_.image);
  dx.Text(kAudioId, fields_.audio);
  dx.Text(kTargetId, fields_.target);
  dx.Text(kUrlId, fields_.url, 256);
  dx.Text(kStatusId, fields_.status);
  dx.ListText(kEffectId, fields_.effect);
  dx.ListText(kAlignId, alignment_);
}

void CPresentImagesPage::ShowFields() {
  GetButton(kImageId).SetText(fields_.image);
  GetButton(kAudioId).SetText(fields_.audio);
  GetEdit(kUrlId).SetText(fields_.url);
  GetEdit(kStatusId).SetText(fields_.status);
  ui::ListControl effects = GetList(kEffectId);
  const int effect = effects.Find(fields_.effect);
  effects.Select(effect >= 0 ? effect : effects.Find("Random"));
  // A target that is no caption as written is shown as typed.
  ui::ListControl targets = GetList(kTargetId);
  targets.Select(targets.Find(fields_.target));
  GetControl(kTargetId).SetText(fields_.target);
}

void CPresentImagesPage::StoreCurrentRow() {
  if (!IsOpen()) return;
  UpdateData(true);
  if (current_row_ < 0 || current_row_ >= image_count()) return;
  images_[static_cast<size_t>(current_row_)] = fields_;
  ui::ListBox list = GetList(kListId);
  if (list.ItemText(current_row_) == fields_.image) return;
  const bool selected = list.Selection() == current_row_;
  list.Delete(current_row_);
  list.Insert(current_row_, fields_.image);
  if (selected) list.Select(current_row_);
}

void CPresentImagesPage::ShowRow(int row) {
  if (row < 0 || row >= image_count()) return;
  // The current row always holds the image it shows (a move takes it
  // along), so storing it first never loses what was typed.
  StoreCurrentRow();
  current_row_ = row;
  fields_ = images_[static_cast<size_t>(row)];
  ShowFields();
}

void CPresentImagesPage::AddNewImage(const std::string& name) {
  fields_ = PresentImage{};
  fields_.image = name;
  ShowFields();
  ui::ListBox list = GetList(kListId);
  const int row = list.Add(name);
  list.Select(row);
  images_.push_back(fields_);
  current_row_ = image_count() - 1;
  UpdateRemoveButton();
}

void CPresentImagesPage::UpdateRemoveButton() { GetControl(kRemoveId).Enable(image_count() > 1); }

void CPresentImagesPage::MoveRow(int by) {
  StoreCurrentRow();
  ui::ListBox list = GetList(kListId);
  const int row = list.Selection();
  if (row < 0) {
    if (by > 0 && list.Count() > 0) {
      ui::ShowMessage("Please select an item from the list", "Error!!!", ui::Buttons::kOk,
                      ui::Icon::kError, handle());
    }
    return;
  }
  const int other = row + by;
  if (other < 0 || other >= image_count()) return;
  std::swap(images_[static_cast<size_t>(row)], images_[static_cast<size_t>(other)]);
  list.Delete(row);
  list.Insert(other, images_[static_cast<size_t>(other)].image);
  list.Select(other);
  // The row being edited moved with its image.
  current_row_ = other;
}

void CPresentImagesPage::OnAdd() {
  StoreCurrentRow();
  CAddImagesDlg adder(context(), botframe::AppletFolderOf(state().master_folder),
                      botframe::AppletFolderOf(state().user_data_folder));
  if (adder.DoModal(handle()) != ui::kIdOk) return;
  for (const std::string& name : adder.names()) {
    if (!base::IsPlainFileName(name)) continue;
    botframe::EnsureWorkingCopy(state(), name);
    AddNewImage(name);
  }
}

void CPresentImagesPage::OnRemove() {
  UpdateData(true);
  ui::ListBox list = GetList(kListId);
  const int row = list.Selection();
  if (row < 0 || row >= image_count()) return;
  list.Delete(row);
  images_.erase(images_.begin() + row);
  // The row being edited is gone: nothing of it is stored.
  current_row_ = -1;
  if (!images_.empty()) {
    const int shown = std::max(row - 1, 0);
    list.Select(shown);
    ShowRow(shown);
  }
  UpdateRemoveButton();
}

void CPresentImagesPage::OnChooseImage() {
  botframe::CSelectFileDialog dialog(context(), botframe::kFileKindImage,
                                     /*show_add_from_web=*/true, /*show_no_file=*/false);
  dialog.set_selected_name(GetButton(kImageId).Text());
  if (dialog.DoModal(handle()) != ui::kIdOk) return;
  // "(None)" is no image: the row keeps the one it had.
  if (!IsNoFile(dialog.selected_name())) GetButton(kImageId).SetText(dialog.selected_name());
  StoreCurrentRow();
}

void CPresentImagesPage::OnChooseAudio() {
  botframe::CSelectFileDialog dialog(context(), botframe::kFileKindAudio,
                                     /*show_add_from_web=*/true, /*show_no_file=*/true);
  dialog.set_selected_name(GetButton(kAudioId).Text());
  if (dialog.DoModal(handle()) == ui::kIdOk) GetButton(kAudioId).SetText(dialog.selected_name());
}

void CPresentImagesPage::OnBrowse() {
  botframe::CWebFileBrowseDialog browse(context(), botframe::kFileKindPage);
  if (browse.DoModal(handle()) == ui::kIdOk) GetEdit(kUrlId).SetText(browse.relative_url());
}

void CPresentImagesPage::BindEvents() {
  using ui::Notify;
  Bind(kListId, Notify::kSelectionChanged, [this] {
    UpdateData(true);
    ShowRow(GetList(kListId).Selection());
  });
  Bind(kUpId, Notify::kClicked, [this] { MoveRow(-1); });
  Bind(kDownId, Notify::kClicked, [this] { MoveRow(+1); });
  OnClicked(kAddId, &CPresentImagesPage::OnAdd);
  OnClicked(kRemoveId, &CPresentImagesPage::OnRemove);
  OnClicked(kImageId, &CPresentImagesPage::OnChooseImage);
  OnClicked(kAudioId, &CPresentImagesPage::OnChooseAudio);
  OnClicked(kBrowseId, &CPresentImagesPage::OnBrowse);
  OnClicked(kPreviewId, &CPresentImagesPage::Preview);
}

}  // namespace bots_s3
