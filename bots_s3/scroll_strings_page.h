// CScrollStringsPage: the scroller's "Strings" page. The author writes and
// formats the text in two rich-text columns (a narrow header and the main
// column), links stretches of the main column, and gives main lines a sound
// and a pause. The page keeps the text as RTF with its link ranges and line
// settings, and on OK turns it into the applet's flat item lists.
#pragma once

#include <cstdint>
#include <string>

#include "bots_s3/scroll_conversion.h"
#include "bots_s3/scroll_links.h"
#include "botframe/named_colours.h"
#include "botframe/web_bot_page.h"

namespace bots_s3 {

struct ScrollFont {
  const char* name;         // the list's text and the stored "param-FontFace"
  const char* editor_face;  // the face the columns show it in
  const char* applet_face;  // what the applet is told
};
extern const ScrollFont kScrollFonts[6];

class CScrollStringsPage : public botframe::CWebBotPage {
 public:
  enum : int {
    kHeaderCheckId = 1701,
    kHeaderBoxId,
    kMainLabelId,
    kMainBoxId,
    kHeaderWidthId,
    kAlignmentId,
    kBoldId,
    kItalicId,
    kUnderlineId,
    kColourId,
    kHyperlinkId,
    kSoundId,
    kPauseId,
    kFontId,
    kFontSizeId,
    kStartupId,
    kLineSpaceId,
    kLeftId,
    kTopId,
    kBottomId,
    kPreviewId,
  };
  enum class Column { kHeader, kMain };

  // The text a new scroller starts with.
  static const char* const kDefaultText;

  explicit CScrollStringsPage(botframe::EditContext& context);

  void LoadAttributes(botframe::Attributes* attributes) override;
  void SaveAttributes() override;
  void WriteAppletParams(std::string& out, botframe::Attributes& attributes) override;

  // The members, for the sheet and the tests.
  const std::string& header_rtf() const { return header_rtf_; }
  const std::string& main_rtf() const { return main_rtf_; }
  const ScrollLinks& links() const { return links_; }
  const ScrollLines& line_settings() const { return lines_; }
  int font() const { return font_; }
  const std::string& font_size() const { return font_size_; }
  const std::string& line_spacing() const { return line_spacing_; }
  int alignment() const { return alignment_; }
  int startup() const { return startup_; }
  bool header_enabled() const { return header_enabled_; }
  const std::string& header_width() const { return header_width_; }
  const std::string& left_margin() const { return left_margin_; }
  const std::string& top_margin() const { return top_margin_; }
  const std::string& bottom_margin() const { return bottom_margin_; }
  // The looks of B, I and U (0 off, 1 on, 2 mixed) and H (0, 2 link, 6 mixed).
  int bold_look() const { return bold_; }
  int italic_look() const { return italic_; }
  int underline_look() const { return underline_; }
  int link_look() const { return link_look_; }
  Column active_column() const { return active_; }
  const ScrollAppletItems& items() const { return items_; }

  // Streams both columns out as RTF and converts them into the applet items
  // (what OK does); preview makes link URLs absolute.
  void CaptureAndConvert(bool preview);

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnKillActive() override;
  void OnApply() override;
  void BindEvents() override;
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  class SelfChange;
  struct Setting;
  static const Setting kSettings[];

  ui::RichEdit Box(Column column) { return GetRichEdit(column == Column::kHeader ? kHeaderBoxId : kMainBoxId); }
  ui::RichEdit Active() { return Box(active_); }
  void SetActive(Column column);
  void RefreshFormat();
  // The B, I, U and H buttons show the looks.
  void ShowLooks();
  void ToggleEffect(int id);
  void ApplyColour();
  // The header column works on whole lines: the selection grows to them.
  void ExtendHeaderSelectionToLines();
  void ApplyFont();
  void ApplyLineSpacing();
  void ApplyLeftMargin();
  void UpdateHeaderControls();
  void OnMainSelectionChanged();
  void OnMainTextChanged();
  void StoreLineSettings();
  void OnHeaderChecked();
  void ChooseSound();
  void EditHyperlink();

  std::string header_rtf_;
  std::string main_rtf_;
  ScrollLinks links_;
  ScrollLines lines_;
  // The most links and lines the attributes held during this edit call
  // (loaded, or written by a preview): a save that is no preview removes
  // that many, so nothing of a removed item stays.
  // The main column's caret is put at its start once, when the page opens.
  bool caret_placed_ = false;
  int most_runs_ = 0;
  int most_lines_ = 0;
  int font_ = 1;
  std::string font_size_ = "12";
  std::string line_spacing_ = "0";
  int alignment_ = 0;
  int startup_ = 0;
  bool header_enabled_ = false;
  std::string header_width_ = "50";
  std::string left_margin_ = "5";
  std::string top_margin_ = "5";
  std::string bottom_margin_ = "5";
  int bold_ = 0;
  int italic_ = 0;
  int underline_ = 0;
  int link_look_ = 0;
  botframe::Rgb caret_link_colour_{};
  Column active_ = Column::kHeader;
  int last_start_ = 0;
  int last_end_ = 0;
  int last_length_ = 0;
  int self_change_ = 0;
  botframe::ColourListState colours_;
  ScrollAppletItems items_;
};

}  // namespace bots_s3
