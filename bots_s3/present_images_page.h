// CPresentImagesPage: the presentation's "Images" page. The author keeps the
// slideshow's image list here (display order, adding, removing, moving) and
// gives each image its transition, sound, link, target and status bar text;
// the row being edited lives in the controls until the next row change.
#pragma once

#include <string>
#include <vector>

#include "base/keyword_table.h"
#include "botframe/web_bot_page.h"

namespace bots_s3 {

// The transitions an image can enter with, captions to applet keywords.
extern const base::KeywordTable kPresentTransitions;
// The image alignments.
extern const base::KeywordTable kPresentAlignments;

// The settings of one image of the slideshow.
struct PresentImage {
  std::string image;             // file name in the "_glintmere" folder
  std::string audio = "(None)";  // sound file name, or "(None)"
  std::string url;
  std::string status;
  std::string effect = "Random";  // a transition caption
  std::string target = "Self";    // a target caption, or free text

  bool operator==(const PresentImage&) const = default;
};

class CPresentImagesPage : public botframe::CWebBotPage {
 public:
  enum : int {
    kListId = 1951,
    kUpId,
    kDownId,
    kAddId,
    kRemoveId,
    kImageId,
    kAudioId,
    kTargetId,
    kUrlId,
    kBrowseId,
    kStatusId,
    kEffectId,
    kAlignId,
    kPreviewId,
  };

  // The most images a component can hold; a stored count above it reads
  // as this many.
  static constexpr int kMostImages = 1000;

  explicit CPresentImagesPage(botframe::EditContext& context);

  void LoadAttributes(botframe::Attributes* attributes) override;
  void SaveAttributes() override;
  void WriteAppletParams(std::string& out, botframe::Attributes& attributes) override;

  // The image list as last stored (the row being edited reaches it at the
  // next row change, move, add or when the page is left).
  const std::vector<PresentImage>& images() const { return images_; }
  int image_count() const { return static_cast<int>(images_.size()); }
  const std::string& alignment() const { return alignment_; }
  int current_row() const { return current_row_; }

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnKillActive() override;
  void BindEvents() override;
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  // The fields of the row being edited, as the controls show them.
  void ShowFields();
  // Reads the controls, then copies them into the current row's image and
  // its list text.
  void StoreCurrentRow();
  // Shows row: the row being left is stored first.
  void ShowRow(int row);
  void AddNewImage(const std::string& name);
  void AddDefaultImages();
  void UpdateRemoveButton();
  // Swaps the current row with the one by (-1 up, +1 down).
  void MoveRow(int by);

  void OnAdd();
  void OnRemove();
  void OnChooseImage();
  void OnChooseAudio();
  void OnBrowse();

  std::vector<PresentImage> images_;
  int loaded_count_ = 0;
  // The most images the attributes held during this edit call (loaded, or
  // written by a preview): a save that is no preview removes that many.
  int most_written_ = 0;
  std::string alignment_;
  int current_row_ = -1;
  PresentImage fields_;
};

}  // namespace bots_s3
