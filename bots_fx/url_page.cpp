// The URL page.
#include "bots_fx/url_page.h"

#include <algorithm>
#include <optional>

#include "base/numbers.h"
#include "base/text.h"
#include "botframe/applet_tag.h"
#include "botframe/file_dialogs.h"
#include "botframe/properties.h"

namespace bots_fx {
namespace {

using ui::ControlKind;
namespace style = ui::style;
using Page = CTextURLPage;

constexpr ui::ControlSpec kControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "URL:", 7, 8, 60, 8},
    {Page::kUrlId, ControlKind::kEdit, "", 70, 6, 118, 12},
    {Page::kBrowseId, ControlKind::kPushButton, "Browse...", 192, 5, 50, 14},
    {ui::kIdStatic, ControlKind::kLabel, "Target:", 7, 30, 60, 8},
    {Page::kTargetId, ControlKind::kDropDownList, "", 70, 28, 80, 60, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Highlight:", 7, 52, 60, 8},
    {Page::kHighlightId, ControlKind::kDropDownList, "", 70, 50, 80, 70, style::kVScroll},
    {Page::kHighlightColourId, ControlKind::kColourList, "", 156, 50, 86, 120, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Status Bar Message:", 7, 74, 120, 8},
    {Page::kStatusBarId, ControlKind::kEdit, "", 7, 84, 235, 12},
    {Page::kPreviewId, ControlKind::kPushButton, "Preview", 192, 217, 50, 14, style::kGroup},
};
constexpr ui::DialogSpec kSpec{"  URL", 249, 238, kControls};

constexpr ui::Tooltip kTooltips[] = {
    {Page::kUrlId, "URL used when user clicks in applet."},
    {Page::kBrowseId, "Press here to browse your web for a URL."},
    {Page::kTargetId, "Target of URL redirection."},
    {Page::kHighlightId, "Items highlighted when cursor put in applet."},
    {Page::kHighlightColourId, "Sets the highlight color."},
    {Page::kStatusBarId, "Status bar message that appears when cursor put in applet."},
    {Page::kPreviewId, "Preview the Applet with the current settings."},
};

constexpr base::KeywordRow kTargetRows[] = {
    {"Self", "_self"}, {"Parent", "_parent"}, {"Blank", "_blank"}};
constexpr base::KeywordRow kHighlightRows[] = {{"None", "_none"},
                                               {"Frame Only", "_frame"},
                                               {"Text Only", "_text"},
                                               {"Frame and Text", "_textandframe"}};

// The caption of a stored keyword; the first row's for an unknown one.
std::string CaptionOf(const base::KeywordTable& table, const std::optional<std::string>& keyword) {
  const std::optional<std::string_view> caption =
      keyword ? table.CaptionOf(*keyword) : std::nullopt;
  return std::string(caption.value_or(table[0].caption));
}

// The keyword of a caption; the first row's for one the list lacks.
std::string KeywordOf(const base::KeywordTable& table, const std::string& caption) {
  return std::string(table.KeywordOf(caption).value_or(table[0].keyword));
}

}  // namespace

const base::KeywordTable CTextURLPage::kTargets{kTargetRows};
const base::KeywordTable CTextURLPage::kHighlights{kHighlightRows};

CTextURLPage::CTextURLPage(botframe::EditContext& context)
    : CWebBotPage(context, kSpec), target_(kTargets[0].caption), highlight_(kHighlights[0].caption) {
  set_bot_help_topic("URL");
}

void CTextURLPage::LoadAttributes(botframe::Attributes* attributes) {
  CWebBotPage::LoadAttributes(attributes);
  url_ = attributes->GetOr("param-URL", "");
  target_ = CaptionOf(kTargets, attributes->Get("param-Target"));
  status_bar_ = attributes->GetOr("param-StatusBar", "");
  if (const std::optional<std::string> stored = attributes->Get("temp-Highlight")) {
    // Rows: "Custom..." and the named colours; anything else is no row.
    const std::optional<int64_t> index =
        base::WholeNumber(*stored, 0, botframe::kNamedColourCount - 2);
    colour_index_ = index ? static_cast<int>(*index) : kDefaultColourIndex;
  }
  botframe::Rgb custom;
  if (colours_.TableIndex(colour_index_) == botframe::kCustomColourIndex &&
      botframe::ParseRgb(attributes->GetOr("param-HighlightColor", ""), &custom)) {
    colours_.set_custom_colour(custom);
  }
  highlight_ = CaptionOf(kHighlights, attributes->Get("param-Highlight"));
}

void CTextURLPage::SaveAttributes() {
  if (!attributes_) return;
  botframe::Attributes& attributes = *attributes_;
  attributes.Set("param-StatusBar", status_bar_);
  if (url_.empty()) {
    attributes.Remove("param-URL");
  } else {
    attributes.Set("param-URL", url_);
  }
  attributes.Set("param-Target", KeywordOf(kTargets, target_));
  attributes.Set("param-Highlight", KeywordOf(kHighlights, highlight_));
  const int32_t colour = colours_.ColourOf(colour_index_);
  attributes.Set("param-HighlightColor",
                 colour < 0 ? std::string("None")
                            : botframe::FormatRgb(botframe::Rgb(static_cast<uint32_t>(colour))));
  attributes.Set("temp-Highlight", base::Format("%d", colour_index_));
}

void CTextURLPage::WriteAppletParams(std::string& out, botframe::Attributes& attributes) {
  const std::optional<std::string> url = attributes.Get("param-URL");
  const std::optional<std::string> target = attributes.Get("param-Target");
  if (url && target) {
    const bool preview = properties() && properties()->preview_mode();
    const std::string value =
        (preview ? botframe::AbsoluteUrl(*url, state().page_url) : *url) + "|" + *target;
    botframe::WriteParam(out, "URL", value.c_str());
  }
  const std::optional<std::string> highlight = attributes.Get("param-Highlight");
  const std::optional<std::string> colour = attributes.Get("param-HighlightColor");
  if (highlight && colour && *highlight != "_none") {
    botframe::WriteParam(out, "Highlight", (*highlight + "|" + *colour).c_str());
  }
  const std::optional<std::string> message = attributes.Get("param-StatusBar");
  if (message && colour) botframe::WriteParam(out, "StatusBar", message->c_str());
}

bool CTextURLPage::OnInitDialog() {
  AddTooltips(kTooltips);
  colours_.Fill(GetList(kHighlightColourId), colour_index_);
  for (const base::KeywordRow& row : kTargets) GetList(kTargetId).Add(row.caption);
  for (const base::KeywordRow& row : kHighlights) GetList(kHighlightId).Add(row.caption);
  UpdateData(false);
  for (int id : {kTargetId, kHighlightId}) {
    if (GetList(id).Selection() < 0) GetList(id).Select(0);
  }
  return true;
}

void CTextURLPage::DoDataExchange(ui::DataExchange& dx) {
  dx.Text(kUrlId, url_);
  dx.ListText(kTargetId, target_);
  dx.ListText(kHighlightId, highlight_);
  dx.ColourIndex(kHighlightColourId, colour_index_);
  dx.Text(kStatusBarId, status_bar_);
}

void CTextURLPage::BindEvents() {
  Bind(kHighlightColourId, ui::Notify::kSelectionChanged, [this] {
    colour_index_ = colours_.OnSelectionChanged(GetList(kHighlightColourId), handle());
  });
  Bind(kBrowseId, ui::Notify::kClicked, [this] {
    botframe::CWebFileBrowseDialog browse(context(), botframe::kFileKindPage);
    if (browse.DoModal(handle()) == ui::kIdOk) {
      url_ = browse.relative_url();
      GetEdit(kUrlId).SetText(url_);
    }
  });
  OnClicked(kPreviewId, &CTextURLPage::Preview);
}

}  // namespace bots_fx
