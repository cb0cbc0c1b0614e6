// CAppletPage: the "Applet" page every applet bot shows. It edits the
// attributes of the applet tag itself (alignment, margins, name, the text for
// browsers without Java, the code base) and two publishing options.
#pragma once

#include <cstdint>
#include <string>

#include "base/keyword_table.h"

#include "botframe/web_bot_page.h"

namespace botframe {

class CAppletPage : public CWebBotPage {
 public:
  // Control ids.
  enum : int {
    kHSpaceId = 1101,
    kVSpaceId,
    kAlignmentId,
    kNameId,
    kNonJavaId,
    kForceId,
    kAbsoluteId,
    kLocalPreviewId,
    kServerPreviewId,
    kPreviewId,
    kPlayInBrowsersId,
  };

  // The defaults: margins 0, alignment empty, the text "Requires a Java
  // Enabled Browser.", and a name made of the bot's prefix and the local
  // time.
  explicit CAppletPage(EditContext& context);

  void LoadAttributes(Attributes* attributes) override;
  void SaveAttributes() override;
  void Preview() override;

  // The members, for the sheet and the tests.
  uint32_t horizontal_margin() const { return horizontal_margin_; }
  uint32_t vertical_margin() const { return vertical_margin_; }
  const std::string& alignment() const { return alignment_; }
  const std::string& code_base() const { return code_base_; }
  const std::string& non_java_text() const { return non_java_text_; }
  const std::string& applet_name() const { return applet_name_; }
  bool server_preview() const { return server_preview_; }
  bool play_in_browsers() const { return play_in_browsers_; }

  // The nine alignments in list order, and the value "java-align" takes for
  // each ("" for "Baseline": the attribute is removed).
  static const base::KeywordTable kAlignments;

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnKillActive() override;
  void BindEvents() override;
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  // Checks the name typed; on a refusal shows the message, selects the
  // name and returns false.
  bool ValidateName();
  // The stored code base is the one "Server Preview" writes on a disk web.
  bool IsServerPreview() const;
  // The radio buttons are enabled exactly while the absolute box is ticked
  // on a disk web.
  void UpdateRadioButtons();

  // The margins, described once for load, save and the data exchange.
  struct Margin;
  static const Margin kMargins[2];
  uint32_t horizontal_margin_ = 0;
  uint32_t vertical_margin_ = 0;
  std::string alignment_;
  std::string code_base_;
  std::string non_java_text_;
  std::string applet_name_;
  bool server_preview_ = false;
  // The component's HTML loads the runtime that plays it in browsers without
  // Java: on for a new component, off for a stored one that never had it.
  bool play_in_browsers_ = true;
};

}  // namespace botframe
