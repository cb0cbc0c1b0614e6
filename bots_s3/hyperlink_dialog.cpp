// The Hyperlink dialog.
#include "bots_s3/hyperlink_dialog.h"

#include <algorithm>

#include "botframe/file_dialogs.h"
#include "bots_s3/scroll_links.h"

namespace bots_s3 {
namespace {

using ui::ControlKind;
namespace style = ui::style;
using Dlg = CHyperlinkDlg;

constexpr ui::ControlSpec kControls[] = {
    {ui::kIdStatic, ControlKind::kLabel, "Text:", 7, 9, 50, 8},
    {Dlg::kTextId, ControlKind::kEdit, "", 60, 7, 184, 12, style::kReadOnly},
    {ui::kIdStatic, ControlKind::kLabel, "URL:", 7, 25, 50, 8},
    {Dlg::kUrlId, ControlKind::kEdit, "", 60, 23, 130, 12},
    {Dlg::kBrowseId, ControlKind::kPushButton, "Browse...", 194, 22, 50, 14},
    {ui::kIdStatic, ControlKind::kLabel, "Target:", 7, 41, 50, 8},
    {Dlg::kTargetId, ControlKind::kDropDownCombo, "", 60, 39, 58, 70, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Highlight Color:", 124, 41, 52, 8},
    {Dlg::kHighlightId, ControlKind::kColourList, "", 176, 39, 68, 120, style::kVScroll},
    {ui::kIdStatic, ControlKind::kLabel, "Status bar text:", 7, 57, 52, 8},
    {Dlg::kMessageId, ControlKind::kEdit, "", 60, 55, 184, 12},
    {ui::kIdOk, ControlKind::kDefaultButton, "OK", 140, 81, 50, 14, style::kGroup},
    {ui::kIdCancel, ControlKind::kPushButton, "Cancel", 194, 81, 50, 14},
};
constexpr ui::DialogSpec kSpec{"Hyperlink", 251, 102, kControls};

}  // namespace


CHyperlinkDlg::CHyperlinkDlg(const botframe::EditContext& context)
    : ui::Dialog(kSpec), context_(context) {}

bool CHyperlinkDlg::OnInitDialog() {
  static constexpr ui::Tooltip kTips[] = {
      {kUrlId, "URL when user click on the text."},
      {kBrowseId, "Click here to browse your web for URL."},
      {kTargetId, "Target of URL redirection."},
      {kHighlightId, "Text highlighted when user put cursor on the text."},
      {kMessageId, "Status bar message when user put cursor on the text."},
      {kTextId, "Text for which this URL is assigned"},
  };
  AddTooltips(kTips);
  GetEdit(kUrlId).SetLimit(256);
  ui::ListControl targets = GetList(kTargetId);
  for (const base::KeywordRow& row : kLinkTargets) targets.Add(row.caption);
  // A target that is no caption as written (a frame's name, a keyword in
  // another letter case) is shown as typed, so OK keeps it.
  const int found = kLinkTargets.IndexOfCaption(target);
  const bool as_typed = found < 0 || kLinkTargets[static_cast<size_t>(found)].caption != target;
  const int selected = as_typed ? 0 : found;
  colours_.set_custom_colour(custom_colour);
  const int row = highlight >= 0 && highlight < botframe::kNamedColourCount ? highlight : 11;
  colours_.Fill(GetList(kHighlightId), row);
  UpdateData(false);
  if (as_typed && !target.empty()) {
    targets.Select(-1);
    GetControl(kTargetId).SetText(target);
  } else {
    targets.Select(selected);
    GetControl(kTargetId).SetText(kLinkTargets[static_cast<size_t>(selected)].caption);
  }
  return true;
}

void CHyperlinkDlg::DoDataExchange(ui::DataExchange& dx) {
  dx.Text(kTextId, text);
  dx.Text(kUrlId, url, 256);
  dx.Text(kMessageId, message);
  if (dx.saving()) {
    dx.Text(kTargetId, target);
    dx.ColourIndex(kHighlightId, highlight);
    custom_colour = colours_.custom_colour();
  }
}

void CHyperlinkDlg::BindEvents() {
  Bind(kHighlightId, ui::Notify::kSelectionChanged,
       [this] { colours_.OnSelectionChanged(GetList(kHighlightId), handle()); });
  Bind(kBrowseId, ui::Notify::kClicked, [this] {
    botframe::CWebFileBrowseDialog browse(context_, botframe::kFileKindPage);
    if (browse.DoModal(handle()) == ui::kIdOk) GetEdit(kUrlId).SetText(browse.relative_url());
  });
}

}  // namespace bots_s3
