// The button bar bot's dialogs: CButtonBarHelperDlg, where the user picks the
// component a new button bar drives, the button style and the bar type, and
// CUserComponentDlg, which names a component the page does not hold yet.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "botframe/edit_context.h"
#include "bots_s3/button_bar_catalogue.h"
#include "ui/dialog.h"

namespace bots_s3 {

// The caption of a component type (kPresentationApplet, kScrollerApplet);
// "" for any other.
const char* ComponentTypeCaption(int type);

// A component of the page a button bar can drive.
struct BarComponent {
  std::string name;
  int type = 0;
};

// The components of page text, in page order: every webbot comment (also one
// without its closing pair) of a presentation or scroller bot whose
// "component-name" (else "java-name") is a valid component name.
std::vector<BarComponent> FindBarComponents(std::string_view page);

class CUserComponentDlg : public ui::Dialog {
 public:
  enum : int { kNameId = 1901, kTypeId };

  CUserComponentDlg();

  std::string name;     // in and out
  int type = 0;         // out: kPresentationApplet or kScrollerApplet
  std::string caption;  // out: the type's caption

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(ui::DataExchange& dx) override;
  bool OnOk() override;
};

class CButtonBarHelperDlg : public ui::Dialog {
 public:
  enum : int {
    kComponentId = 1911,
    kStyleId,
    kPreviewId,
    kTypeId,
    kDescriptionId,
    kAbsoluteId,
    kLocalPreviewId,
    kServerPreviewId,
  };

  // context: the edit call (its page and web URLs and folders are read);
  // it must outlive the dialog.
  explicit CButtonBarHelperDlg(botframe::EditContext& context);

  // In: the stored choice; out: the rows chosen at OK.
  int component_row = 0;
  int style_row = 0;
  int type_row = 0;
  std::string component_name;

  // After OK: the bar (empty when none was made), the style files it shows
  // and the chosen style's folder name.
  const std::string& html() const { return html_; }
  const std::vector<std::string>& uploads() const { return uploads_; }
  const std::string& style_folder() const { return style_folder_; }

 protected:
  bool OnInitDialog() override;
  void BindEvents() override;
  bool OnOk() override;

 private:
  bool ReadPage(std::string* page);
  // Fills the type list for the chosen component; false when it stays empty
  // (or no component is chosen).
  bool FillTypes();
  void ShowDescription();
  void ShowPreview();
  void OnComponentChanged();
  void OnAbsoluteClicked();
  void OnHelpClicked();
  void Generate();
  const ButtonStyle* ChosenStyle();
  const ButtonBarTemplate* ChosenTemplate();

  botframe::EditContext& context_;
  std::vector<ButtonStyle> styles_;
  std::vector<ButtonBarTemplate> templates_;
  std::string user_component_name_;
  int previous_component_ = -1;
  std::string html_;
  std::vector<std::string> uploads_;
  std::string style_folder_;
};

}  // namespace bots_s3
