// CWebBotPage: the base of every property page of a bot's sheet. Besides the
// page events it has four hooks the sheet and the edit flow call: the page's
// param tags for the applet tag, saving to and loading from the component's
// attributes, and the preview all pages share. Every page works within one
// edit call's context (the bot's description, the run's state).
#pragma once

#include <string>

#include "botframe/applet_tag.h"
#include "botframe/attributes.h"
#include "botframe/edit_context.h"
#include "ui/dialog.h"

namespace botframe {

class CGMWebbotProperties;

class CWebBotPage : public ui::PropertyPage, public AppletParamSource {
 public:
  // context must outlive the page.
  CWebBotPage(EditContext& context, const ui::DialogSpec& spec)
      : ui::PropertyPage(spec), context_(context) {}

  // 1. This page's param tags. Default: none.
  void WriteAppletParams(std::string& out, Attributes& attributes) override;
  // 2. This page's settings into the attributes (through the stored
  //    interface). Default: nothing.
  virtual void SaveAttributes() {}
  // 3. Stores the attribute interface and fills the members from it.
  //    Overrides must store the interface too (call this first).
  virtual void LoadAttributes(Attributes* attributes) { attributes_ = attributes; }
  // 4. The shared preview of the applet with the current settings.
  virtual void Preview();

  Attributes* attributes() const { return attributes_; }
  const std::string& help_topic() const { return help_topic_; }
  EditContext& context() const { return context_; }
  const BotDescription& bot() const { return context_.bot(); }
  const LibraryDescription& library() const { return context_.library(); }
  EditRunState& state() const { return context_.state(); }
  // The sheet the page belongs to, once added.
  CGMWebbotProperties* properties() const;

 protected:
  void set_help_topic(std::string topic) { help_topic_ = std::move(topic); }
  // The topic of this bot's page: its prefix and the page's name ("SA" +
  // "Applet").
  void set_bot_help_topic(const char* page) { help_topic_ = std::string(bot().prefix) + page; }
  // Help: the help viewer on the page's topic, or "Unable to display help.".
  void OnHelp() override;

  Attributes* attributes_ = nullptr;

 private:
  EditContext& context_;
  std::string help_topic_;
};

}  // namespace botframe
