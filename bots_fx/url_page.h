// CTextURLPage: the "  URL" page of the text effects and image effects
// bots. It makes the whole applet a link: its address and target, what is
// highlighted (and in which colour) while the cursor is over the applet, and
// the status bar message shown then.
#pragma once

#include <string>

#include "base/keyword_table.h"
#include "botframe/named_colours.h"
#include "botframe/web_bot_page.h"

namespace bots_fx {

class CTextURLPage : public botframe::CWebBotPage {
 public:
  // Control ids.
  enum : int {
    kUrlId = 1851,
    kBrowseId,
    kTargetId,
    kHighlightId,
    kHighlightColourId,
    kStatusBarId,
    kPreviewId,
  };

  // The targets and highlights: captions as the lists show them, keywords
  // as "param-Target" and "param-Highlight" store them.
  static const base::KeywordTable kTargets;
  static const base::KeywordTable kHighlights;

  // The highlight colour list's default row: "Blue" ("Custom..." is row 0,
  // then the named colours).
  static constexpr int kDefaultColourIndex = 10;

  // No URL, "Self", "None", "Blue", no message.
  explicit CTextURLPage(botframe::EditContext& context);

  // "param-URL", "param-Target" and "param-Highlight" (by keyword; an
  // unknown one gives the first row), "param-StatusBar", and the colour row
  // "temp-Highlight" (one outside the list gives "Blue"), with the custom
  // colour from "param-HighlightColor" on the "Custom..." row.
  void LoadAttributes(botframe::Attributes* attributes) override;
  // "param-StatusBar" (even empty), "param-URL" (removed when empty),
  // "param-Target", "param-Highlight", "param-HighlightColor" (the row's
  // colour as "rrggbb") and "temp-Highlight".
  void SaveAttributes() override;
  // "URL" = "url|target" when both are stored (in a preview the URL made
  // absolute against the edited page's address); "Highlight" =
  // "highlight|colour" when both are stored and the highlight is not
  // "_none"; "StatusBar" when the message and the colour are stored.
  void WriteAppletParams(std::string& out, botframe::Attributes& attributes) override;

  // The members, for the sheet and the tests.
  const std::string& url() const { return url_; }
  const std::string& target() const { return target_; }
  const std::string& highlight() const { return highlight_; }
  int colour_index() const { return colour_index_; }
  botframe::Rgb custom_colour() const { return colours_.custom_colour(); }
  const std::string& status_bar() const { return status_bar_; }

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  std::string url_;
  std::string target_;
  std::string highlight_;
  int colour_index_ = kDefaultColourIndex;
  botframe::ColourListState colours_;
  std::string status_bar_;
};

}  // namespace bots_fx
