// CTextBkPage: the "Background" page of the applet bots. It edits the
// applet's size, background image (tiled or not), background colour,
// background audio (looped or played once), highlight colour and the string
// the applet shows while it starts.
#pragma once

#include <cstdint>
#include <string>

#include "base/keyword_table.h"

#include "botframe/file_dialogs.h"
#include "botframe/named_colours.h"
#include "botframe/web_bot_page.h"

namespace botframe {

class CTextBkPage : public CWebBotPage {
 public:
  // Control ids.
  enum : int {
    kImageId = 1401,
    kTileId,
    kWidthId,
    kHeightId,
    kSizeToImageId,
    kBackgroundId,
    kAudioId,
    kPlayOnceId,
    kInitListId,
    kCustomInitId,
    kHighlightId,
    kPreviewId,
  };

  // The initialisation string choices, in list order ("Custom" last, added
  // when the page opens), and what each stores in "param-AppInitString"
  // ("Default" removes it; "Custom" stores the custom string).
  static const base::KeywordTable kInitChoices;

  // The defaults of this library's variant (profile): 320 x 240, White
  // (GMWebbotS3) or Gray (GMWebbot), no highlight, no files.
  explicit CTextBkPage(EditContext& context);

  void LoadAttributes(Attributes* attributes) override;
  void SaveAttributes() override;
  void WriteAppletParams(std::string& out, Attributes& attributes) override;

  // "Size to Image": the size of the image the image button names, from the
  // user data folder's "_glintmere", into the width and height fields.
  // Names that are neither GIF nor JPEG files, or not plain file names (a
  // path, a drive, a share), get "Cannot determine size of image file"; a
  // reader's failure leaves the size.
  void SizeToImage();

  // The members, for the sheet and the tests.
  bool tile() const { return tile_; }
  uint32_t width() const { return width_; }
  uint32_t height() const { return height_; }
  int background_index() const { return background_index_; }
  int highlight_index() const { return highlight_index_; }
  Rgb custom_colour() const { return background_list_.custom_colour(); }
  Rgb custom_highlight_colour() const { return highlight_list_.custom_colour(); }
  const std::string& image() const { return image_; }
  const std::string& audio() const { return audio_; }
  const std::string& init_choice() const { return init_choice_; }
  const std::string& custom_init() const { return custom_init_; }
  bool play_once() const { return play_once_; }

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  // The colour the background list stands for (custom colour included),
  // published in the edit-run state.
  void PublishBackgroundColour();
  // "Select a file" for kind (2 image, 5 audio), starting at current; the
  // chosen name, or nothing when cancelled.
  bool ChooseFile(int kind, std::string* current);
  void UpdateEnabling();
  // The new bot's logo background, when the master folder ships it.
  void UseLogoBackground();

  bool tile_ = false;
  uint32_t width_ = 320;
  uint32_t height_ = 240;
  int background_index_;
  std::string audio_;
  std::string image_;
  std::string init_choice_;
  std::string custom_init_;
  bool play_once_ = false;
  int highlight_index_ = 0;
  ColourListState background_list_;
  ColourListState highlight_list_{"None"};
};

}  // namespace botframe
