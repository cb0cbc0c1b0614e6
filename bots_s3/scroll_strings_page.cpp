// The scroller's Strings page.
#include "bots_s3/scroll_strings_page.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "base/numbers.h"
#include "base/text.h"
#include "botframe/applet_tag.h"
#include "botframe/edit_state.h"
#include "botframe/file_dialogs.h"
#include "botframe/properties.h"
#include "botframe/publishing.h"
#include "bots_s3/hyperlink_dialog.h"
#include "ui/message_box.h"

namespace bots_s3 {
namespace {

using ui::ControlKind;
namespace style = ui::style;
using Page = CScrollStringsPage;

constexpr uint32_t kBoxStyle =
    style::kMultiLine | style::kWantReturn | style::kVScroll | style::kHScroll |
    style::kNoHideSelection;

constexpr ui::ControlSpec kControls[] = {
    {Page::kHeaderCheckId, ControlKind::kCheckBox, "Header Column:", 7, 4, 70, 10},
    {Page::kHeaderBoxId, ControlKind::kRichEdit, "", 7, 16, 70, 88, kBoxStyle},
    {Page::kMainLabelId, ControlKind::kLabel, "Main Column:", 82, 5, 160, 8},
    {Page::kMainBoxId, ControlKind::kRichEdit, "", 82, 16, 160, 88, kBoxStyle},
    {ui::kIdStatic, ControlKind::kLabel, "Header Width:", 7, 110, 46, 8},
    {Page::kHeaderWidthId, ControlKind::kEdit, "", 54, 108, 23, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "Column Alignment:", 82, 110, 60, 8},
    {Page::kAlignmentId, ControlKind::kDropDownList, "", 144, 108, 98, 60, style::kVScroll},
    {ui::kIdStatic, ControlKind::kGroupBox, " Text formatting ", 7, 122, 150, 28},
    {Page::kBoldId, ControlKind::kBitmapButton, "B", 13, 132, 16, 14},
    {Page::kItalicId, ControlKind::kBitmapButton, "I", 31, 132, 16, 14},
    {Page::kUnderlineId, ControlKind::kBitmapButton, "U", 49, 132, 16, 14},
    {ui::kIdStatic, ControlKind::kLabel, "Color:", 70, 135, 20, 8},
    {Page::kColourId, ControlKind::kColourList, "", 92, 132, 60, 120, style::kVScroll},
    {ui::kIdStatic, ControlKind::kGroupBox, " URL ", 162, 122, 80, 28},
    {Page::kHyperlinkId, ControlKind::kBitmapButton, "H", 168, 132, 16, 14},
    {ui::kIdStatic, ControlKind::kGroupBox, "", 7, 152, 235, 26},
    {ui::kIdStatic, ControlKind::kLabel, "Sound:", 13, 163, 24, 8},
    {Page::kSoundId, ControlKind::kPushButton, "(None)", 38, 160, 100, 14},
    {ui::kIdStatic, ControlKind::kLabel, "Line Pause:", 146, 163, 40, 8},
    {Page::kPauseId, ControlKind::kEdit, "", 188, 161, 48, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "Font Name:", 7, 184, 40, 8},
    {Page::kFontId, ControlKind::kDropDownList, "", 48, 182, 76, 80, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Font Size:", 130, 184, 36, 8},
    {Page::kFontSizeId, ControlKind::kEdit, "", 168, 182, 24, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "Startup Mode:", 7, 200, 48, 8},
    {Page::kStartupId, ControlKind::kDropDownList, "", 56, 198, 68, 60, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Additional Line Space:", 130, 200, 76, 8},
    {Page::kLineSpaceId, ControlKind::kEdit, "", 208, 198, 34, 12},
    {ui::kIdStatic, ControlKind::kLabel, "Margins:", 7, 219, 30, 8},
    {ui::kIdStatic, ControlKind::kLabel, "Left:", 38, 219, 16, 8},
    {Page::kLeftId, ControlKind::kEdit, "", 55, 217, 22, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "Top:", 81, 219, 16, 8},
    {Page::kTopId, ControlKind::kEdit, "", 98, 217, 22, 12, style::kNumber},
    {ui::kIdStatic, ControlKind::kLabel, "Bottom:", 124, 219, 26, 8},
    {Page::kBottomId, ControlKind::kEdit, "", 151, 217, 24, 12, style::kNumber},
    {Page::kPreviewId, ControlKind::kPushButton, "Preview", 192, 217, 50, 14, style::kGroup},
};
constexpr ui::DialogSpec kSpec{"Strings", 249, 238, kControls};

constexpr base::KeywordRow kAlignmentRows[] = {
    {"Left", "_left"}, {"Center", "_center"}, {"Right", "_right"}};
constexpr base::KeywordTable kAlignments{kAlignmentRows};
constexpr base::KeywordRow kStartupRows[] = {{"Empty", "_empty"}, {"Full", "_full"}};
constexpr base::KeywordTable kStartups{kStartupRows};
// The colour list's row of "Black" (a list without "None").
constexpr int kBlackRow = 8;
constexpr const char* kPanel = "Strings";

std::string WithCrLf(const char* text) {
  std::string out;
  for (const char* c = text; *c; ++c) {
    if (*c == '\n') out += '\r';
    out += *c;
  }
  return out;
}

}  // namespace

const ScrollFont kScrollFonts[6] = {
    {"Times New Roman", "Times New Roman", "TimesRoman"},
    {"Helvetica", "Helvetica", "Helvetica"},
    {"Courier New", "Courier New", "Courier"},
    {"Dialog", "Helvetica", "Dialog"},
    {"DialogInput", "Helvetica", "DialogInput"},
    {"ZapfDingbats", "Helvetica", "ZapfDingbats"},
};

const char* const CScrollStringsPage::kDefaultText =
    "This is the scroller applet, \none of 4 applets in the \nGlintmere Java Effects \n"
    "product which also include \na slideshow, image and \ntext effects applets. \n"
    "Easy-to use interface -- \nno programming or scripting!";

// Marks the page's own changes, so that the notifications they cause are not
// taken for the user's.
class CScrollStringsPage::SelfChange {
 public:
  explicit SelfChange(CScrollStringsPage& page) : page_(page) { ++page_.self_change_; }
  ~SelfChange() { --page_.self_change_; }
  SelfChange(const SelfChange&) = delete;
  SelfChange& operator=(const SelfChange&) = delete;

 private:
  CScrollStringsPage& page_;
};

CScrollStringsPage::CScrollStringsPage(botframe::EditContext& context)
    : CWebBotPage(context, kSpec) {
  set_help_topic("SAStrings");
  colours_.set_custom_colour(botframe::Rgb(0xFFFFFF));
}

// The page's scalar settings: where each is stored, the control that shows
// it, and the member that holds it (a text, a row of a list, or a check).
// Load, save and the data exchange go down this table; its order is the
// order the attributes are stored in.
struct CScrollStringsPage::Setting {
  const char* attribute;
  int control_id;
  std::string CScrollStringsPage::*text = nullptr;
  bool CScrollStringsPage::*check = nullptr;
  int CScrollStringsPage::*choice = nullptr;
  // A list's rows: the row a stored value names (-1 for none), the value
  // stored for a row, and how many rows there are.
  int (*row_of)(std::string_view stored) = nullptr;
  const char* (*keyword_of)(int row) = nullptr;
  int rows = 0;
  // A text read before this one: older components store it there.
  const char* older_attribute = nullptr;
  // An empty text is stored as "0".
  bool empty_is_zero = false;
};

namespace {
// Font names and the alignment and start-up keywords match in any letter
// case.
int FontRow(std::string_view stored) {
  for (int i = 0; i < 6; ++i) {
    if (base::EqualsNoCase(stored, kScrollFonts[i].name)) return i;
  }
  return -1;
}
int KeywordRowNoCase(const base::KeywordTable& table, std::string_view stored) {
  for (size_t i = 0; i < table.size(); ++i) {
    if (base::EqualsNoCase(stored, table[i].keyword)) return static_cast<int>(i);
  }
  return -1;
}
const char* FontName(int row) { return kScrollFonts[row].name; }
int AlignmentRow(std::string_view stored) { return KeywordRowNoCase(kAlignments, stored); }
const char* AlignmentKeyword(int row) { return kAlignments[static_cast<size_t>(row)].keyword; }
int StartupRow(std::string_view stored) { return KeywordRowNoCase(kStartups, stored); }
const char* StartupKeyword(int row) { return kStartups[static_cast<size_t>(row)].keyword; }
}  // namespace

const CScrollStringsPage::Setting CScrollStringsPage::kSettings[] = {
    {.attribute = "param-FontFace", .control_id = kFontId, .choice = &CScrollStringsPage::font_,
     .row_of = FontRow, .keyword_of = FontName, .rows = 6},
    {.attribute = "param-FontSize", .control_id = kFontSizeId,
     .text = &CScrollStringsPage::font_size_},
    {.attribute = "param-AddLineSpacing", .control_id = kLineSpaceId,
     .text = &CScrollStringsPage::line_spacing_},
    {.attribute = "param-TextAlign", .control_id = kAlignmentId,
     .choice = &CScrollStringsPage::alignment_, .row_of = AlignmentRow,
     .keyword_of = AlignmentKeyword, .rows = 3},
    {.attribute = "param-Startup", .control_id = kStartupId,
     .choice = &CScrollStringsPage::startup_, .row_of = StartupRow, .keyword_of = StartupKeyword,
     .rows = 2},
    {.attribute = "param-HeadWidth", .control_id = kHeaderWidthId,
     .text = &CScrollStringsPage::header_width_},
    {.attribute = "param-HeaderEnabled", .control_id = kHeaderCheckId,
     .check = &CScrollStringsPage::header_enabled_},
    {.attribute = "param-HeadOffset", .control_id = kLeftId,
     .text = &CScrollStringsPage::left_margin_, .older_attribute = "param-TextLeftMargin",
     .empty_is_zero = true},
    {.attribute = "param-TextTopMargin", .control_id = kTopId,
     .text = &CScrollStringsPage::top_margin_, .empty_is_zero = true},
    {.attribute = "param-TextBottomMargin", .control_id = kBottomId,
     .text = &CScrollStringsPage::bottom_margin_, .empty_is_zero = true},
};

// ---------------------------------------------------------------------------
// Attributes

void CScrollStringsPage::LoadAttributes(botframe::Attributes* attributes) {
  CWebBotPage::LoadAttributes(attributes);
  botframe::Attributes& a = *attributes;
  if (auto rtf = a.Get("param-HeaderRTF")) header_rtf_ = *rtf;
  if (auto rtf = a.Get("param-MainRTF")) main_rtf_ = *rtf;

  links_.clear();
  const int run_count = a.CountOf("param-RunCount");
  most_runs_ = run_count;
  most_lines_ = a.CountOf("param-LineCount");
  for (int k = 1; k <= run_count; ++k) {
    const std::string prefix = base::Format("param-Run%d-", k);
    const auto get = [&](const char* field) { return a.GetOr((prefix + field).c_str(), ""); };
    ScrollLink link;
    link.url = get("URL");
    link.message = get("Message");
    link.target = get("Target");
    // An absent row keeps the default highlight.
    if (auto row = a.Get((prefix + "HighlightColor").c_str())) link.highlight = base::DecimalValue(*row);
    // A row the colour table lacks (a negative one, one past its end) is
    // the default highlight.
    if (link.highlight < 0 || link.highlight >= botframe::kNamedColourCount) {
      link.highlight = kDefaultLinkHighlight;
    }
    if (link.highlight == 1) {
      botframe::Rgb colour;
      if (botframe::ParseRgb(get("customHighlightColor"), &colour)) link.custom_colour = colour;
    }
    link.start = base::DecimalValue(get("Start"));
    link.end = base::DecimalValue(get("End"));
    links_.push_back(std::move(link));
  }

  lines_.clear();
  const int line_count = a.CountOf("param-LineCount");
  for (int k = 1; k <= line_count; ++k) {
    const std::string prefix = base::Format("param-Line%d-", k);
    const auto get = [&](const char* field) { return a.GetOr((prefix + field).c_str(), ""); };
    ScrollLineInfo line;
    line.sound = get("Sound");
    // No sound named is no sound, never the folder the sounds are in.
    if (line.sound.empty() || base::EqualsNoCase(line.sound, "none")) {
      line.sound = botframe::kNoFileName;
    }
    line.pause = base::DecimalValue(get("Pause"));
    line.start = base::DecimalValue(get("Start"));
    lines_.push_back(std::move(line));
  }
  KeepStoredInOrder(links_, lines_);

  for (const Setting& setting : kSettings) {
    if (setting.older_attribute) {
      if (auto older = a.Get(setting.older_attribute)) this->*setting.text = *older;
    }
    const std::optional<std::string> stored = a.Get(setting.attribute);
    if (!stored) continue;
    if (setting.text) {
      this->*setting.text = *stored;
    } else if (setting.check) {
      this->*setting.check = base::DecimalValue(*stored) != 0;
    } else if (const int row = setting.row_of(*stored); row >= 0) {
      this->*setting.choice = row;
    }
  }

  for (const ScrollLineInfo& line : lines_) {
    if (!base::EqualsNoCase(line.sound, botframe::kNoFileName)) {
      botframe::LocateOrRecordMissing(state(), line.sound, botframe::kMissingSound, kPanel);
    }
  }
}

void CScrollStringsPage::SaveAttributes() {
  if (!attributes_) return;
  botframe::Attributes& a = *attributes_;
  const bool preview = properties() && properties()->preview_mode();
  if (!preview) {
    a.Remove("param-HeaderRTF");
    a.Remove("param-MainRTF");
    const int old_runs = std::max(a.CountOf("param-RunCount"), most_runs_);
    for (int k = 1; k <= old_runs; ++k) {
      for (const char* field : {"URL", "Message", "Target", "HighlightColor",
                                "customHighlightColor", "Start", "End"}) {
        a.Remove((base::Format("param-Run%d-", k) + field).c_str());
      }
    }
    const int old_lines = std::max(a.CountOf("param-LineCount"), most_lines_);
    for (int k = 1; k <= old_lines; ++k) {
      for (const char* field : {"Sound", "Pause", "Start"}) {
        a.Remove((base::Format("param-Line%d-", k) + field).c_str());
      }
    }
  }
  a.Set("param-HeaderRTF", header_rtf_);
  a.Set("param-MainRTF", main_rtf_);

  int k = 0;
  for (const ScrollLink& link : links_) {
    const std::string prefix = base::Format("param-Run%d-", ++k);
    a.Set((prefix + "URL").c_str(), link.url);
    a.Set((prefix + "Message").c_str(), link.message);
    a.Set((prefix + "Target").c_str(), link.target);
    a.Set((prefix + "HighlightColor").c_str(), base::Format("%d", link.highlight));
    if (link.highlight == 1) {
      a.Set((prefix + "customHighlightColor").c_str(),
            base::Format("%02X%02X%02X", link.custom_colour.red(), link.custom_colour.green(),
                         link.custom_colour.blue()));
    }
    a.Set((prefix + "Start").c_str(), base::Format("%d", link.start));
    a.Set((prefix + "End").c_str(), base::Format("%d", link.end));
  }
  a.Set("param-RunCount", base::Format("%d", static_cast<int>(links_.size())));
  most_runs_ = std::max(most_runs_, static_cast<int>(links_.size()));

  k = 0;
  for (const ScrollLineInfo& line : lines_) {
    const std::string prefix = base::Format("param-Line%d-", ++k);
    a.Set((prefix + "Sound").c_str(), line.sound);
    a.Set((prefix + "Pause").c_str(), base::Format("%d", line.pause));
    a.Set((prefix + "Start").c_str(), base::Format("%d", line.start));
  }
  a.Set("param-LineCount", base::Format("%d", static_cast<int>(lines_.size())));
  most_lines_ = std::max(most_lines_, static_cast<int>(lines_.size()));

  for (const Setting& setting : kSettings) {
    if (setting.text) {
      std::string& text = this->*setting.text;
      if (setting.empty_is_zero && text.empty()) text = "0";
      a.Set(setting.attribute, text);
    } else if (setting.check) {
      a.Set(setting.attribute, this->*setting.check ? "1" : "0");
    } else {
      a.Set(setting.attribute, setting.keyword_of(this->*setting.choice));
    }
  }
}

void CScrollStringsPage::WriteAppletParams(std::string& out, botframe::Attributes& a) {
  // A preview shows the links from where the preview file is.
  if (properties() && properties()->preview_mode() && IsOpen()) CaptureAndConvert(true);
  for (size_t i = 0; i < items_.header.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    botframe::WriteParam(out, base::Format("HeadText%d", n).c_str(), items_.header[i].text.c_str());
    botframe::WriteParam(out, base::Format("HeadStyle%d", n).c_str(),
                         items_.header[i].style.c_str());
  }
  botframe::WriteParam(out, "LineCount", base::Format("%d", items_.line_count).c_str());
  for (const auto& [line, sound] : items_.line_sounds) {
    botframe::WriteParam(out, base::Format("LineSound%d", line + 1).c_str(),
                         ("./_glintmere/" + sound).c_str());
  }
  botframe::WriteParam(out, "RunCount",
                       base::Format("%d", static_cast<int>(items_.segments.size())).c_str());
  for (size_t i = 0; i < items_.segments.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    const ScrollItem& item = items_.segments[i];
    botframe::WriteParam(out, base::Format("RunText%d", n).c_str(), item.text.c_str());
    botframe::WriteParam(out, base::Format("RunStyle%d", n).c_str(), item.style.c_str());
    if (!item.link.empty()) {
      botframe::WriteParam(out, base::Format("RunURL%d", n).c_str(), item.link.c_str());
    }
  }
  if (auto spacing = a.Get("param-AddLineSpacing")) {
    std::string face = a.GetOr("param-FontFace", "");
    if (face == "Courier New") face = "Courier";
    if (face == "Times New Roman") face = "TimesRoman";
    botframe::WriteParam(
        out, "Font", (face + "|" + a.GetOr("param-FontSize", "") + "|" + *spacing).c_str());
  }
  const auto enabled_text = a.Get("param-HeaderEnabled");
  const bool header = enabled_text ? base::DecimalValue(*enabled_text) != 0 : true;
  if (auto width = a.Get("param-HeadWidth")) {
    botframe::WriteParam(out, "HeadWidth", header ? width->c_str() : "0");
  }
  botframe::WriteParam(
      out, "TextAlign",
      (a.GetOr("param-TextAlign", "") + "," + a.GetOr("param-HeadOffset", "")).c_str());
  if (header) {
    if (auto offset = a.Get("param-HeadOffset")) {
      botframe::WriteParam(out, "HeadOffset", offset->c_str());
    }
  }
  for (const auto& [param, attribute] :
       {std::pair{"TopMargin", "param-TextTopMargin"},
        std::pair{"BottomMargin", "param-TextBottomMargin"}, std::pair{"Startup", "param-Startup"}}) {
    if (auto value = a.Get(attribute)) botframe::WriteParam(out, param, value->c_str());
  }
}

// ---------------------------------------------------------------------------
// Capture and conversion

namespace {

// A rich-text box read for the conversion: ranges are selected to read
// their format, the box's selection hidden meanwhile and put back after.
class BoxColumn : public ScrollColumn {
 public:
  explicit BoxColumn(ui::RichEdit box) : box_(box) {
    box_.HideSelection(true);
    box_.GetSelection(&saved_start_, &saved_end_);
  }
  ~BoxColumn() override {
    box_.SetSelection(saved_start_, saved_end_);
    box_.HideSelection(false);
  }
  int LineCount() override { return box_.LineCount(); }
  int LineIndex(int line) override { return box_.LineIndex(line); }
  int LineLength(int line) override { return box_.LineLength(line); }
  std::string TextRange(int start, int end) override { return box_.TextRange(start, end); }
  uint32_t Format(int start, int end, richtext::CharFormat* format) override {
    box_.SetSelection(start, end);
    return box_.GetFormat(format);
  }

 private:
  ui::RichEdit box_;
  int saved_start_ = 0;
  int saved_end_ = 0;
};

}  // namespace

void CScrollStringsPage::CaptureAndConvert(bool preview) {
  if (!IsOpen()) return;
  SelfChange self(*this);
  header_rtf_ = Box(Column::kHeader).Rtf();
  main_rtf_ = Box(Column::kMain).Rtf();
  items_ = ScrollAppletItems();
  int header_lines = 0;
  {
    BoxColumn header(Box(Column::kHeader));
    header_lines = header.LineCount();
    items_.header = ConvertHeader(header);
  }
  BoxColumn main(Box(Column::kMain));
  ConvertMain(main, std::max(header_lines, main.LineCount()), links_, lines_, preview,
              state().page_url, &items_);
}

void CScrollStringsPage::OnApply() { CaptureAndConvert(false); }

// ---------------------------------------------------------------------------
// Opening, data exchange, leaving

bool CScrollStringsPage::OnInitDialog() {
  static constexpr ui::Tooltip kTips[] = {
      {kHeaderBoxId, "Header Column"},
      {kMainBoxId, "Main Column"},
      {kBoldId, "Bold"},
      {kItalicId, "Italic"},
      {kUnderlineId, "Underline"},
      {kColourId, "Color"},
      {kHyperlinkId, "Hyperlink"},
      {kSoundId, "Line Sound"},
      {kPauseId, "Line Pause (in miliseconds)."},
      {kHeaderWidthId, "Header Column Width"},
      {kLineSpaceId, "Additional Line Spacing +/-"},
      {kFontId, "Font"},
      {kFontSizeId, "Font Size"},
      {kLeftId, "Left Margin"},
      {kTopId, "Top Margin"},
      {kBottomId, "Bottom Margin"},
      {kAlignmentId, "Main Column Text Aligment."},
      {kStartupId, "Startup Mode"},
      {kPreviewId, "Preview the Applet with the current settings."},
      {kHeaderCheckId, "Disable or enable Header Column."},
  };
  AddTooltips(kTips);
  SelfChange self(*this);
  ui::RichEdit main = Box(Column::kMain);
  ui::RichEdit header = Box(Column::kHeader);
  const bool fresh = main_rtf_.empty() || !main.SetRtf(main_rtf_);
  if (fresh) main.SetText(WithCrLf(kDefaultText));
  last_length_ = main.Length();
  if (header_rtf_.empty() || !header.SetRtf(header_rtf_)) header.SetText("Header");

  colours_.Fill(GetList(kColourId), kBlackRow);
  ui::ListControl fonts = GetList(kFontId);
  for (const ScrollFont& font : kScrollFonts) fonts.Add(font.name);
  ui::ListControl alignments = GetList(kAlignmentId);
  for (const base::KeywordRow& row : kAlignments) alignments.Add(row.caption);
  ui::ListControl startups = GetList(kStartupId);
  for (const base::KeywordRow& row : kStartups) startups.Add(row.caption);
  UpdateData(false);
  // Line 0's sound and pause show whichever column is active at first.
  const ScrollLineInfo* first_line = FindLineSetting(lines_, 0);
  GetButton(kSoundId).SetText(first_line ? first_line->sound : std::string(botframe::kNoFileName));
  GetEdit(kPauseId).SetText(base::Format("%d", first_line ? first_line->pause : 0));
  caret_placed_ = false;

  if (fresh) {
    ApplyFont();
    richtext::CharFormat format;
    format.face = kScrollFonts[font_].editor_face;
    format.height = static_cast<int>(base::DecimalValue(font_size_) * 16.504);
    for (Column column : {Column::kHeader, Column::kMain}) {
      Box(column).SetFormat(ui::RichEdit::Target::kDefault, format,
                            richtext::mask::kFace | richtext::mask::kHeight);
    }
    ApplyLineSpacing();
    ApplyLeftMargin();
  }
  UpdateHeaderControls();
  if (header_enabled_) {
    SetActive(Column::kHeader);
    GetControl(kHeaderBoxId).Focus();
  } else {
    SetActive(Column::kMain);
    GetControl(kMainBoxId).Focus();
  }
  return false;  // the focus is set
}

void CScrollStringsPage::DoDataExchange(ui::DataExchange& dx) {
  for (const Setting& setting : kSettings) {
    if (setting.text) {
      dx.Text(setting.control_id, this->*setting.text);
    } else if (setting.check) {
      dx.Check(setting.control_id, this->*setting.check);
    } else {
      int& row = this->*setting.choice;
      dx.ListIndex(setting.control_id, row);
      if (dx.saving()) row = std::clamp(row, 0, setting.rows - 1);
    }
  }
}

bool CScrollStringsPage::OnSetActive() {
  if (!IsOpen()) return true;
  // The columns show the text on the applet's background colour.
  for (Column column : {Column::kHeader, Column::kMain}) {
    Box(column).SetBackground(state().background_colour);
  }
  // At the opening the caret at the start runs the selection handling once;
  // a return to the page keeps the caret and selection where they were.
  if (active_ == Column::kMain && !caret_placed_) {
    ui::RichEdit main = Box(Column::kMain);
    main.SetSelection(0, 1);
    main.SetSelection(0, 0);
  } else {
    RefreshFormat();
  }
  caret_placed_ = true;
  return true;
}

bool CScrollStringsPage::OnKillActive() {
  if (base::DecimalValue(GetEdit(kFontSizeId).Text()) <= 0) {
    ui::ShowMessage("Please enter a positive non zero integer", ui::kProductCaption,
                    ui::Buttons::kOk, ui::Icon::kWarning, handle());
    GetControl(kFontSizeId).Focus();
    return false;
  }
  return UpdateData(true);
}

// ---------------------------------------------------------------------------
// Events

void CScrollStringsPage::BindEvents() {
  using ui::Notify;
  // The program's own changes to the boxes move their selections too: those
  // are not the user's.
  const auto unless_self = [this](void (CScrollStringsPage::*method)()) {
    return [this, method] {
      if (!self_change_) (this->*method)();
    };
  };
  Bind(kHeaderBoxId, Notify::kSetFocus, [this] { SetActive(Column::kHeader); });
  Bind(kHeaderBoxId, Notify::kSelectionChanged, unless_self(&CScrollStringsPage::RefreshFormat));
  Bind(kMainBoxId, Notify::kSetFocus, [this] { SetActive(Column::kMain); });
  Bind(kMainBoxId, Notify::kSelectionChanged,
       unless_self(&CScrollStringsPage::OnMainSelectionChanged));
  Bind(kMainBoxId, Notify::kChanged, unless_self(&CScrollStringsPage::OnMainTextChanged));
  for (int id : {kBoldId, kItalicId, kUnderlineId}) {
    Bind(id, Notify::kClicked, [this, id] { ToggleEffect(id); });
  }
  Bind(kColourId, Notify::kSelectionChanged, [this] {
    ui::ListControl list = GetList(kColourId);
    const int chosen = list.Selection();
    // A cancelled colour dialog goes back to the row before and changes
    // no text.
    if (colours_.OnSelectionChanged(list, handle()) != chosen) return;
    ApplyColour();
  });
  OnSelectionChanged(kFontId, &CScrollStringsPage::ApplyFont);
  Bind(kFontSizeId, Notify::kKillFocus, [this] { ApplyFont(); });
  Bind(kLineSpaceId, Notify::kKillFocus, [this] { ApplyLineSpacing(); });
  Bind(kLeftId, Notify::kKillFocus, [this] { ApplyLeftMargin(); });
  OnClicked(kHeaderCheckId, &CScrollStringsPage::OnHeaderChecked);
  OnChanged(kHeaderWidthId, &CScrollStringsPage::UpdateHeaderControls);
  OnClicked(kSoundId, &CScrollStringsPage::ChooseSound);
  Bind(kPauseId, Notify::kChanged, unless_self(&CScrollStringsPage::StoreLineSettings));
  OnClicked(kHyperlinkId, &CScrollStringsPage::EditHyperlink);
  OnClicked(kPreviewId, &CScrollStringsPage::Preview);
}

void CScrollStringsPage::OnHeaderChecked() {
  header_enabled_ = GetButton(kHeaderCheckId).IsChecked();
  UpdateHeaderControls();
  if (!header_enabled_) {
    SetActive(Column::kMain);
    GetControl(kMainBoxId).Focus();
  }
}

void CScrollStringsPage::SetActive(Column column) {
  active_ = column;
  Box(column == Column::kHeader ? Column::kMain : Column::kHeader).HideSelection(true);
  Box(column).HideSelection(false);
  const bool main = column == Column::kMain;
  for (int id : {kHyperlinkId, kAlignmentId, kSoundId, kPauseId}) GetControl(id).Enable(main);
  RefreshFormat();
}

void CScrollStringsPage::RefreshFormat() {
  richtext::CharFormat format;
  const uint32_t uniform = Active().GetFormat(&format);
  const auto look = [uniform](uint32_t bit, bool set) { return (uniform & bit) ? (set ? 1 : 0) : 2; };
  bold_ = look(richtext::mask::kBold, format.bold);
  italic_ = look(richtext::mask::kItalic, format.italic);
  underline_ = look(richtext::mask::kUnderline, format.underline);
  ShowLooks();
  ui::ListControl list = GetList(kColourId);
  if (!(uniform & richtext::mask::kColour)) {
    colours_.Select(list, -1);
    return;
  }
  const botframe::Rgb rgb = base::ToRgb(format.colour);
  const auto table = botframe::NamedColours();
  for (int row = 1; row < botframe::kNamedColourCount; ++row) {
    const int32_t value = row == botframe::kCustomColourIndex
                              ? static_cast<int32_t>(colours_.custom_colour().value())
                              : table[static_cast<size_t>(row)].value;
    if (value == static_cast<int32_t>(rgb.value())) {
      colours_.Select(list, colours_.ListIndex(row));
      return;
    }
  }
  colours_.set_custom_colour(rgb);
  list.SetItemColour(0, format.colour);
  colours_.Select(list, 0);
}

void CScrollStringsPage::ShowLooks() {
  GetButton(kBoldId).SetLook(bold_);
  GetButton(kItalicId).SetLook(italic_);
  GetButton(kUnderlineId).SetLook(underline_);
  GetButton(kHyperlinkId).SetLook(link_look_ == 2 ? 1 : link_look_ == 6 ? 2 : 0);
}

void CScrollStringsPage::ExtendHeaderSelectionToLines() {
  ui::RichEdit box = Box(Column::kHeader);
  int start = 0, end = 0;
  box.GetSelection(&start, &end);
  const int first = box.LineIndex(box.LineFromChar(start));
  const int last_line = box.LineFromChar(end);
  const int last = box.LineIndex(last_line) + std::max(box.LineLength(last_line), 0);
  box.SetSelection(first, last);
}

void CScrollStringsPage::ToggleEffect(int id) {
  SelfChange self(*this);
  if (active_ == Column::kHeader) ExtendHeaderSelectionToLines();
  richtext::CharFormat format;
  uint32_t mask = 0;
  if (id == kBoldId) {
    format.bold = bold_ != 1;
    mask = richtext::mask::kBold;
  } else if (id == kItalicId) {
    format.italic = italic_ != 1;
    mask = richtext::mask::kItalic;
  } else {
    format.underline = underline_ != 1;
    mask = richtext::mask::kUnderline;
  }
  Active().SetFormat(ui::RichEdit::Target::kSelection, format, mask);
  RefreshFormat();
  Active().Focus();
}

void CScrollStringsPage::ApplyColour() {
  const int row = GetList(kColourId).Selection();
  if (row < 0) return;
  SelfChange self(*this);
  if (active_ == Column::kHeader) ExtendHeaderSelectionToLines();
  richtext::CharFormat format;
  format.colour =
      base::ToBgr(botframe::Rgb(static_cast<uint32_t>(colours_.ColourOf(row))));
  Active().SetFormat(ui::RichEdit::Target::kSelection, format, richtext::mask::kColour);
  RefreshFormat();
  Active().Focus();
}

void CScrollStringsPage::ApplyFont() {
  const int row = GetList(kFontId).Selection();
  if (row < 0) {
    ui::ShowMessage("Error!!!", ui::kProductCaption, ui::Buttons::kOk, ui::Icon::kError,
                    handle());
    return;
  }
  font_ = row;
  font_size_ = GetEdit(kFontSizeId).Text();
  richtext::CharFormat format;
  format.face = kScrollFonts[row].editor_face;
  format.height = static_cast<int>(base::DecimalValue(font_size_) * 16.504);
  SelfChange self(*this);
  for (Column column : {Column::kHeader, Column::kMain}) {
    Box(column).SetFormat(ui::RichEdit::Target::kAll, format,
                          richtext::mask::kFace | richtext::mask::kHeight);
  }
}

void CScrollStringsPage::ApplyLineSpacing() {
  richtext::ParagraphFormat format;
  format.line_spacing = base::DecimalValue(GetEdit(kLineSpaceId).Text());
  SelfChange self(*this);
  for (Column column : {Column::kHeader, Column::kMain}) {
    Box(column).SetParagraphFormat(format, richtext::paragraph_mask::kLineSpacing);
  }
}

void CScrollStringsPage::ApplyLeftMargin() {
  richtext::ParagraphFormat format;
  format.offset = base::DecimalValue(GetEdit(kLeftId).Text()) * 144;
  SelfChange self(*this);
  for (Column column : {Column::kHeader, Column::kMain}) {
    Box(column).SetParagraphFormat(format, richtext::paragraph_mask::kOffset);
  }
}

void CScrollStringsPage::UpdateHeaderControls() {
  const bool on = GetButton(kHeaderCheckId).IsChecked();
  GetControl(kHeaderWidthId).Enable(on);
  GetControl(kHeaderBoxId).Enable(on && base::DecimalValue(GetEdit(kHeaderWidthId).Text()) != 0);
}

// ---------------------------------------------------------------------------
// Following the main column

void CScrollStringsPage::OnMainSelectionChanged() {
  ui::RichEdit main = Box(Column::kMain);
  int start = 0, end = 0;
  main.GetSelection(&start, &end);
  const int length = main.Length();
  if (length != last_length_) {
    FollowSelectionEdit(links_, lines_, last_start_, last_end_, length - last_length_, start);
    last_length_ = length;
  }

  const int line = main.LineFromChar(start);
  const int line_start = main.LineIndex(line);
  const int position = start == end && start != line_start ? start - 1 : start;
  int caret_link = -1;
  link_look_ = LinkLook(links_, position, start, end, &caret_link);
  if (caret_link >= 0) caret_link_colour_ = links_[static_cast<size_t>(caret_link)].custom_colour;

  {
    SelfChange self(*this);
    const ScrollLineInfo* setting = FindLineSetting(lines_, line_start);
    GetButton(kSoundId).SetText(setting ? setting->sound : std::string(botframe::kNoFileName));
    GetEdit(kPauseId).SetText(base::Format("%d", setting ? setting->pause : 0));
  }
  RefreshFormat();
  last_start_ = start;
  last_end_ = end;
}

void CScrollStringsPage::OnMainTextChanged() {
  ui::RichEdit main = Box(Column::kMain);
  const int length = main.Length();
  if (length == last_length_) return;  // the selection handling took it
  const int line = main.LineFromChar(last_start_);
  const bool line_end = last_start_ == main.LineIndex(line) + std::max(main.LineLength(line), 0);
  FollowTextEdit(links_, lines_, last_start_, length - last_length_, line_end);
  last_length_ = length;
  int start = 0, end = 0;
  main.GetSelection(&start, &end);
  main.SetSelection(end + 1, end + 1);
  main.SetSelection(start, end);
}

void CScrollStringsPage::StoreLineSettings() {
  ui::RichEdit main = Box(Column::kMain);
  int start = 0, end = 0;
  main.GetSelection(&start, &end);
  const int first = main.LineFromChar(start);
  const int last = end > start ? main.LineFromChar(end - 1) : first;
  const std::string sound = GetButton(kSoundId).Text();
  const int pause = base::DecimalValue(GetEdit(kPauseId).Text());
  for (int line = first; line <= last; ++line) {
    SetLineSetting(lines_, main.LineIndex(line), sound, pause);
  }
}

void CScrollStringsPage::ChooseSound() {
  botframe::CSelectFileDialog dialog(context(), botframe::kFileKindAudio, true, true);
  dialog.set_selected_name(GetButton(kSoundId).Text());
  if (dialog.DoModal(handle()) == ui::kIdOk) GetButton(kSoundId).SetText(dialog.selected_name());
  StoreLineSettings();
}

void CScrollStringsPage::EditHyperlink() {
  ui::RichEdit main = Box(Column::kMain);
  int start = 0, end = 0;
  main.GetSelection(&start, &end);
  CHyperlinkDlg dialog(context());
  const int found = LinkUnderSelection(links_, start, end);
  if (found >= 0) {
    const ScrollLink& link = links_[static_cast<size_t>(found)];
    dialog.url = link.url;
    dialog.target = link.target;
    dialog.message = link.message;
    dialog.highlight = link.highlight;
    dialog.custom_colour = link.custom_colour;
  }
  if (start == end) {
    // Widened within the caret's line: the link before the caret, or the
    // stretch between the neighbouring links.
    const int line = main.LineFromChar(start);
    const int line_start = main.LineIndex(line);
    const int line_end = line_start + std::max(main.LineLength(line), 0);
    int from = 0;
    int to = line_end;
    const auto before = std::find_if(links_.begin(), links_.end(),
                                     [&](const ScrollLink& l) { return l.Contains(start - 1); });
    if (before != links_.end()) {
      from = before->start;
      to = before->end + 1;
    } else {
      for (const ScrollLink& link : links_) {
        if (link.end < start) from = link.end + 1;
        if (link.start >= start) {
          to = link.start;
          break;
        }
      }
    }
    start = std::max(from, line_start);
    end = std::min(to, line_end);
    if (end < start) end = start;
    main.SetSelection(start, end);
  }
  dialog.text = main.TextRange(start, end);
  if (dialog.DoModal(handle()) == ui::kIdOk && end > start) {
    ScrollLink values;
    values.url = dialog.url;
    values.message = dialog.message;
    values.target = dialog.target;
    values.highlight = dialog.highlight;
    values.custom_colour = dialog.custom_colour;
    link_look_ = values.url.empty() ? 0 : 2;
    ShowLooks();
    const bool line_break = dialog.text.size() >= 2 &&
                            dialog.text.compare(dialog.text.size() - 2, 2, "\r\n") == 0;
    ApplyLink(links_, start, end - 1, values, line_break);
  }
  GetControl(kMainBoxId).Focus();
}

}  // namespace bots_s3
