// What an applet bot tells the edit flow about itself, and the property sheet
// CGMWebbotProperties that shows its pages.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "botframe/attributes.h"
#include "botframe/bot_description.h"
#include "botframe/edit_context.h"
#include "botframe/publishing.h"
#include "botframe/web_bot_page.h"
#include "ui/dialog.h"

namespace botframe {

class CGMWebbotProperties;

// One applet bot of a library: its description (texts, files, what differs
// from the library's other bots), its pages, and its own publishing.
class AppletBot {
 public:
  virtual ~AppletBot() = default;
  virtual const BotDescription& description() const = 0;
  // Creates the pages (each within sheet.context()) and adds them to the
  // sheet in tab order, and sets the load/save order, the applet tag's page
  // order and the start page.
  virtual void AddPages(CGMWebbotProperties& sheet) = 0;
  // Checks before OK or a preview is accepted (the presentation's two
  // images); false keeps the sheet open.
  virtual bool AcceptSettings(CGMWebbotProperties& /*sheet*/) { return true; }
  // Publishes the bot's own files after the common ones; false stops.
  virtual bool PublishOwnFiles(EditContext& /*context*/, Attributes& /*attributes*/) {
    return true;
  }
};

class CGMWebbotProperties : public ui::PropertySheet {
 public:
  // The sheet of bot's description within context, owned by the context's
  // parent window; both must outlive the sheet.
  CGMWebbotProperties(AppletBot& bot, EditContext& context);
  ~CGMWebbotProperties() override;

  AppletBot& bot() const { return bot_; }
  EditContext& context() const { return context_; }
  ui::WindowHandle parent() const { return context_.state().parent_window; }

  // Adds a page in tab order; the sheet owns it.
  CWebBotPage* AddOwnedPage(std::unique_ptr<CWebBotPage> page);
  // The order pages load and save in, and the order they write param tags
  // (pages left out write none).
  void SetLoadOrder(std::vector<CWebBotPage*> order) { load_order_ = std::move(order); }
  void SetTagOrder(std::vector<CWebBotPage*> order) { tag_order_ = std::move(order); }

  // Stores the attribute interface and loads every page.
  void Load(Attributes* attributes);
  // Every page's SaveAttributes, in load order.
  void SaveAll();
  // The applet tag of the current attributes.
  std::string WriteAppletTag();
  Attributes* attributes() const { return attributes_; }

  int Show() { return DoModal(parent()); }

  // On while the pages save for a preview.
  bool preview_mode() const { return preview_mode_; }
  void set_preview_mode(bool on) { preview_mode_ = on; }
  // True while the "Applet Preview" dialog is open.
  bool preview_open() const { return preview_open_; }
  void set_preview_open(bool open) { preview_open_ = open; }

 protected:
  bool OnOkPressed() override;

 private:
  AppletBot& bot_;
  EditContext& context_;
  std::vector<std::unique_ptr<CWebBotPage>> owned_;
  std::vector<CWebBotPage*> load_order_;
  std::vector<CWebBotPage*> tag_order_;
  Attributes* attributes_ = nullptr;
  bool preview_mode_ = false;
  bool preview_open_ = false;
};

}  // namespace botframe
