// CHyperlinkDlg: the "Hyperlink" dialog of the scroller's Strings page, which
// gives a stretch of the main column its URL, target, status bar message and
// highlight colour.
#pragma once

#include <string>

#include "botframe/edit_context.h"
#include "botframe/named_colours.h"
#include "ui/dialog.h"

namespace bots_s3 {

class CHyperlinkDlg : public ui::Dialog {
 public:
  enum : int { kTextId = 1801, kUrlId, kBrowseId, kTargetId, kHighlightId, kMessageId };

  // context: the edit call whose web "Browse..." shows; it must outlive
  // the dialog.
  explicit CHyperlinkDlg(const botframe::EditContext& context);

  // In and out: the dialog starts from these and leaves the user's choice.
  std::string text;     // the selected text, shown read-only
  std::string url;
  std::string target;
  std::string message;
  int highlight = 11;   // named colour row, with "None" at row 0
  botframe::Rgb custom_colour{0xFFFFFF};

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  const botframe::EditContext& context_;
  botframe::ColourListState colours_{"None"};
};

}  // namespace bots_s3
