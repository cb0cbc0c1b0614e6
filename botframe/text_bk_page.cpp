// The Background page.
#include "botframe/text_bk_page.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "base/numbers.h"
#include "base/path.h"
#include "base/text.h"
#include "botframe/applet_tag.h"
#include "botframe/edit_state.h"
#include "botframe/file_dialogs.h"
#include "botframe/image_size.h"
#include "botframe/publishing.h"
#include "platform/services.h"
#include "ui/message_box.h"

namespace botframe {
namespace {

using ui::ControlKind;
namespace style = ui::style;

constexpr const char* kLogoName = "GMQFXLogo.gif";
constexpr const char* kPanel = "Background";

// The image and colour controls, then the audio, the start-up string and
// the highlight; GMWebbot's page is the same without the highlight.
constexpr ui::ControlSpec kS3Controls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Background Image:", 7, 6, 112, 8},
    {CTextBkPage::kImageId, ControlKind::kPushButton, "", 7, 16, 112, 14},
    {CTextBkPage::kTileId, ControlKind::kCheckBox, "Tile image", 7, 34, 112, 10},
    {ui::kIdStatic, ControlKind::kGroupBox, "Size:", 7, 50, 112, 66},
    {ui::kIdStatic, ControlKind::kLabel, "Width ", 14, 64, 28, 8},
    {CTextBkPage::kWidthId, ControlKind::kEdit, "", 44, 62, 40, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "Height", 14, 80, 28, 8},
    {CTextBkPage::kHeightId, ControlKind::kEdit, "", 44, 78, 40, 12, style::kNumber},
    {CTextBkPage::kSizeToImageId, ControlKind::kPushButton, "Size to Image", 14, 96, 98, 14},
    {ui::kIdStatic, ControlKind::kLabel, "Background Color:", 130, 6, 112, 8},
    {CTextBkPage::kBackgroundId, ControlKind::kColourList, "", 130, 16, 112, 120,
     style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Background Audio:", 130, 36, 112, 8},
    {CTextBkPage::kAudioId, ControlKind::kPushButton, "", 130, 46, 112, 14},
    {CTextBkPage::kPlayOnceId, ControlKind::kCheckBox, "Play Once", 130, 64, 112, 10},
    {ui::kIdStatic, ControlKind::kLabel, "Initialization String:", 7, 124, 235, 8},
    {CTextBkPage::kInitListId, ControlKind::kDropDownList, "", 7, 134, 235, 90,
     style::kVScroll},
    {CTextBkPage::kCustomInitId, ControlKind::kEdit, "", 7, 152, 235, 12},
    {ui::kIdStatic, ControlKind::kLabel, "Highlight Color:", 7, 172, 112, 8},
    {CTextBkPage::kHighlightId, ControlKind::kColourList, "", 7, 182, 112, 120, style::kVScroll},
    {CTextBkPage::kPreviewId, ControlKind::kPushButton, "Preview", 192, 217, 50, 14,
     style::kGroup},
};
constexpr auto kFxControls = ui::WithoutControls<kS3Controls, CTextBkPage::kHighlightId>();

constexpr ui::DialogSpec kS3Spec{"Background", 249, 238, kS3Controls};
constexpr ui::DialogSpec kFxSpec{"Background", 249, 238, kFxControls};

constexpr ui::Tooltip kTooltips[] = {
    {CTextBkPage::kImageId, "Applet background image."},
    {CTextBkPage::kWidthId, "Width of the Applet in pixels."},
    {CTextBkPage::kHeightId, "Height of the Applet in pixels."},
    {CTextBkPage::kSizeToImageId, "Sets the applet to be the same size as the background image."},
    {CTextBkPage::kBackgroundId, "Sets the background color of the applet."},
    {CTextBkPage::kAudioId, "Audio played in infinite loop."},
    {CTextBkPage::kInitListId, "Applet initialization string. Select \"Custom\" to set string."},
    {CTextBkPage::kCustomInitId, "Custom string presented upon applet initialization."},
    {CTextBkPage::kHighlightId, "Sets the highlight color when mouse enters into image area."},
    {CTextBkPage::kPreviewId, "Preview the Applet with the current settings."},
    {CTextBkPage::kPlayOnceId, "To play the background audio only once."},
    {CTextBkPage::kTileId, "Check if background image should be tiled across the applet."},
};

constexpr int kCustomChoice = 5;

// The text after the last "/" (all of it without one).
std::string AfterLastSlash(const std::string& text) {
  const size_t slash = text.rfind('/');
  return slash == std::string::npos ? text : text.substr(slash + 1);
}

bool IsFileName(const std::string& name) { return !name.empty() && name != kNoFileName; }

// The colour a list index of list stands for, as RGB (black for "None").
Rgb ColourOfIndex(const ColourListState& list, int index) {
  const int32_t colour = list.ColourOf(index);
  return Rgb(colour < 0 ? 0u : static_cast<uint32_t>(colour));
}

// A list index within the list's entries, else the fallback.
int ValidIndex(const ColourListState& list, int index, int fallback) {
  const int table_index = list.TableIndex(index);
  return table_index >= (list.with_none() ? 0 : 1) && table_index < kNamedColourCount ? index
                                                                                      : fallback;
}

}  // namespace

namespace {
constexpr base::KeywordRow kInitRows[] = {
    {"Default", ""},
    {"Java Version Report", "_javaversion"},
    {"Java Vendor Report", "_javavendor"},
    {"Java Information Report", "_javainfo"},
    {"URL Report", "_url"},
    {"Custom", ""}};
static_assert(std::size(kInitRows) == kCustomChoice + 1);
}  // namespace

const base::KeywordTable CTextBkPage::kInitChoices{kInitRows};

CTextBkPage::CTextBkPage(EditContext& context)
    : CWebBotPage(context,
                  context.library().background_highlight_colour ? kS3Spec : kFxSpec),
      background_index_(context.library().default_background_index) {
  set_bot_help_topic("Background");
  PublishBackgroundColour();
}

void CTextBkPage::PublishBackgroundColour() {
  state().background_colour = base::ToBgr(ColourOfIndex(background_list_, background_index_));
}

void CTextBkPage::LoadAttributes(Attributes* attributes) {
  CWebBotPage::LoadAttributes(attributes);
  bool stored_size = false;
  if (std::optional<std::string> width = attributes->Get("java-width")) {
    // Unsigned, as the field takes it and the page stores it; a negative
    // stored size reads as 0, never as a huge unsigned one.
    width_ = base::UnsignedDecimalValue(*width);
    stored_size = true;
  }
  if (std::optional<std::string> height = attributes->Get("java-height")) {
    height_ = base::UnsignedDecimalValue(*height);
    stored_size = true;
  }

  init_choice_ = kInitChoices[0].caption;
  std::optional<std::string> init = attributes->Get("param-AppInitString");
  if (init && !init->empty()) {
    init_choice_ = kInitChoices[kCustomChoice].caption;
    custom_init_ = *init;
    if (const auto caption = kInitChoices.CaptionOf(*init)) {
      init_choice_ = *caption;
      custom_init_.clear();
    }
  }

  if (std::optional<std::string> index = attributes->Get("temp-AppBGColor")) {
    background_index_ = ValidIndex(background_list_, base::DecimalValue(*index),
                                   library().default_background_index);
    Rgb custom;
    if (background_list_.TableIndex(background_index_) == kCustomColourIndex &&
        ParseRgb(attributes->GetOr("param-AppBGColor", ""), &custom)) {
      background_list_.set_custom_colour(custom);
    }
  }
  PublishBackgroundColour();

  if (library().background_highlight_colour) {
    if (std::optional<std::string> index = attributes->Get("temp-AppHighlightColor")) {
      highlight_index_ = ValidIndex(highlight_list_, base::DecimalValue(*index), 0);
      Rgb custom;
      if (highlight_list_.TableIndex(highlight_index_) == kCustomColourIndex &&
          ParseRgb(attributes->GetOr("param-AppHighlightColor", ""), &custom)) {
        highlight_list_.set_custom_colour(custom);
      }
    }
  }

  std::optional<std::string> sound = attributes->Get("param-AppBGSound");
  audio_ = sound ? AfterLastSlash(*sound) : kNoFileName;
  if (std::optional<std::string> image = attributes->Get("param-AppBGImage")) {
    image_ = AfterLastSlash(*image);
  } else {
    image_ = kNoFileName;
    if (!stored_size) UseLogoBackground();
  }
  if (std::optional<std::string> tile = attributes->Get("param-AppBGTile")) {
    tile_ = base::EqualsNoCase(*tile, "true");
  }
  if (std::optional<std::string> repeat = attributes->Get("param-AppBGSoundRepeat")) {
    play_once_ = !base::EqualsNoCase(*repeat, "true");
  }
  if (IsFileName(image_)) LocateOrRecordMissing(state(), image_, kMissingImage, kPanel);
  if (IsFileName(audio_)) LocateOrRecordMissing(state(), audio_, kMissingSound, kPanel);
}

void CTextBkPage::UseLogoBackground() {
  const EditRunState& state = this->state();
  if (state.master_folder.empty()) return;
  const std::string master_logo = state.master_folder + "_glintmere\\" + kLogoName;
  if (!platform::GetFiles().FileExists(master_logo)) return;
  EnsureWorkingCopy(this->state(), kLogoName);
  image_ = kLogoName;
  // The working copy is what "Size to Image" measures; the shipped file has
  // the same size should the copy have failed.
  ImageSize size{static_cast<int>(width_), static_cast<int>(height_)};
  if (state.user_data_folder.empty() ||
      !ReadGifSize(state.user_data_folder + "_glintmere\\" + kLogoName, &size)) {
    ReadGifSize(master_logo, &size);
  }
  width_ = static_cast<uint32_t>(size.width);
  height_ = static_cast<uint32_t>(size.height);
}

void CTextBkPage::SaveAttributes() {
  if (!attributes_) return;
  Attributes& attributes = *attributes_;
  const int choice = std::max(kInitChoices.IndexOfCaption(init_choice_), 0);
  if (choice == 0) {
    attributes.Remove("param-AppInitString");
  } else {
    attributes.Set("param-AppInitString",
                   choice == kCustomChoice ? custom_init_ : std::string(kInitChoices[choice].keyword));
  }

  attributes.Set("param-AppBGColor", FormatRgb(ColourOfIndex(background_list_, background_index_)));
  attributes.Set("temp-AppBGColor", base::Format("%d", background_index_));
  if (library().background_highlight_colour) {
    if (highlight_index_ == 0) {
      attributes.Remove("param-AppHighlightColor");
    } else {
      attributes.Set("param-AppHighlightColor",
                     FormatRgb(ColourOfIndex(highlight_list_, highlight_index_)));
    }
    attributes.Set("temp-AppHighlightColor", base::Format("%d", highlight_index_));
  }

  // Unsigned, as the fields take them: a size past 2147483647 must come back
  // as itself, not as a negative text.
  attributes.Set("java-width", base::Format("%u", width_));
  attributes.Set("java-height", base::Format("%u", height_));

  const std::string code_base = attributes.GetOr("java-codebase", "");
  if (IsFileName(image_)) {
    attributes.Set("param-AppBGImage", code_base + image_);
  } else {
    attributes.Remove("param-AppBGImage");
  }
  if (IsFileName(audio_)) {
    attributes.Set("param-AppBGSound", code_base + audio_);
  } else {
    attributes.Remove("param-AppBGSound");
  }
  attributes.Set("param-AppBGTile", tile_ ? "true" : "false");
  attributes.Set("param-AppBGSoundRepeat", play_once_ ? "false" : "true");
}

void CTextBkPage::WriteAppletParams(std::string& out, Attributes& attributes) {
  static constexpr struct {
    const char* param;
    const char* attribute;
  } kParams[] = {
      {"AppInitString", "param-AppInitString"}, {"AppBGColor", "param-AppBGColor"},
      {"AppBGImage", "param-AppBGImage"},       {"AppBGSound", "param-AppBGSound"},
      {"AppBGTile", "param-AppBGTile"},         {"AppBGSoundRepeat", "param-AppBGSoundRepeat"},
  };
  for (const auto& [param, attribute] : kParams) {
    if (std::optional<std::string> value = attributes.Get(attribute)) {
      WriteParam(out, param, value->c_str());
    }
  }
  if (!library().background_highlight_colour) return;
  if (std::optional<std::string> value = attributes.Get("param-AppHighlightColor")) {
    WriteParam(out, "Highlight", ("_frame|" + *value).c_str());
  }
}

bool CTextBkPage::OnInitDialog() {
  AddTooltips(kTooltips);
  background_list_.Fill(GetList(kBackgroundId), background_index_);
  if (library().background_highlight_colour) highlight_list_.Fill(GetList(kHighlightId), highlight_index_);
  ui::ListControl init = GetList(kInitListId);
  for (const base::KeywordRow& choice : kInitChoices) init.Add(choice.caption);
  GetButton(kImageId).SetText(image_);
  GetButton(kAudioId).SetText(audio_);
  UpdateData(false);
  if (init.Selection() < 0) init.Select(0);
  UpdateEnabling();
  return true;
}

void CTextBkPage::UpdateEnabling() {
  GetControl(kPlayOnceId).Enable(IsFileName(audio_));
  GetControl(kTileId).Enable(IsFileName(image_));
  GetControl(kSizeToImageId).Enable(IsFileName(image_));
  GetControl(kCustomInitId).Enable(GetList(kInitListId).ItemText(GetList(kInitListId).Selection()) ==
                                   kInitChoices[kCustomChoice].caption);
}

void CTextBkPage::DoDataExchange(ui::DataExchange& dx) {
  dx.Check(kTileId, tile_);
  dx.Unsigned(kWidthId, width_);
  dx.Unsigned(kHeightId, height_);
  dx.ColourIndex(kBackgroundId, background_index_);
  dx.ListText(kInitListId, init_choice_);
  dx.Text(kCustomInitId, custom_init_);
  dx.Check(kPlayOnceId, play_once_);
  if (library().background_highlight_colour) dx.ColourIndex(kHighlightId, highlight_index_);
}

bool CTextBkPage::ChooseFile(int kind, std::string* current) {
  CSelectFileDialog dialog(context(), kind, /*show_add_from_web=*/true, /*show_no_file=*/true);
  dialog.set_selected_name(*current);
  if (dialog.DoModal(handle()) != ui::kIdOk) return false;
  *current = dialog.selected_name();
  return true;
}

void CTextBkPage::BindEvents() {
  using ui::Notify;
  Bind(kBackgroundId, Notify::kSelectionChanged, [this] {
    background_index_ = background_list_.OnSelectionChanged(GetList(kBackgroundId), handle());
    PublishBackgroundColour();
  });
  Bind(kHighlightId, Notify::kSelectionChanged, [this] {
    highlight_index_ = highlight_list_.OnSelectionChanged(GetList(kHighlightId), handle());
  });
  OnSelectionChanged(kInitListId, &CTextBkPage::UpdateEnabling);
  Bind(kImageId, Notify::kClicked, [this] {
    if (!ChooseFile(kFileKindImage, &image_)) return;
    GetButton(kImageId).SetText(image_);
    if (!IsFileName(image_)) {
      tile_ = false;
      GetButton(kTileId).SetChecked(false);
    }
    UpdateEnabling();
  });
  Bind(kAudioId, Notify::kClicked, [this] {
    if (!ChooseFile(kFileKindAudio, &audio_)) return;
    GetButton(kAudioId).SetText(audio_);
    UpdateEnabling();
  });
  OnClicked(kSizeToImageId, &CTextBkPage::SizeToImage);
  OnClicked(kPreviewId, &CTextBkPage::Preview);
}

void CTextBkPage::SizeToImage() {
  const std::string name = IsOpen() ? GetButton(kImageId).Text() : image_;
  const std::string path = state().user_data_folder + "_glintmere\\" + name;
  ImageSize size{static_cast<int>(width_), static_cast<int>(height_)};
  bool measured = false;
  // A stored name may say anything (a "..\" path, a drive, a share): only a
  // plain file name is one of the working folder's images.
  const bool plain = base::IsPlainFileName(name);
  if (plain && (base::EndsWithNoCase(name, ".jpg") || base::EndsWithNoCase(name, ".jpeg"))) {
    std::string message;
    measured = ReadJpegSize(path, &size, &message);
    if (!measured) {
      // As libjpeg's own error output does, and in a box for the user.
      std::fprintf(stderr, "%s\n", message.c_str());
      ui::ShowMessage(message, "Error", ui::Buttons::kOk, ui::Icon::kError, handle());
    }
  } else if (plain && base::EndsWithNoCase(name, ".gif")) {
    measured = ReadGifSize(path, &size);
  } else {
    const char* caption = library().image_size_error_caption;
    ui::ShowMessage("Cannot determine size of image file",
                    caption ? std::string(caption) : ui::kProductCaption, ui::Buttons::kOk,
                    caption ? ui::Icon::kError : ui::Icon::kWarning, handle());
    return;
  }
  if (!measured) return;
  width_ = static_cast<uint32_t>(size.width);
  height_ = static_cast<uint32_t>(size.height);
  if (IsOpen()) {
    GetEdit(kWidthId).SetText(base::Format("%d", size.width));
    GetEdit(kHeightId).SetText(base::Format("%d", size.height));
  }
}

}  // namespace botframe
