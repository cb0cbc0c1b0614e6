// The host's application object, as a COM add-in sees FrontPage's: its
// version, its command bars (a "Menu Bar" whose popup of id 62773 holds a
// few commands and the anchor control of the version), the active web and
// its window, and the active page window with its document's address.
// The web and the page are the session's (session.h), read at each call.
//
// The command bars are a model kept in this process: controls added by an
// add-in live until they are deleted or the application object goes. Their
// buttons raise the Office button events: a click is delivered to the sinks
// of every button that shares the clicked one's tag.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/automation.h"

namespace host {

// The events interface of command bar buttons (Office's Click event).
inline constexpr const char* kButtonEventsIid = "{000C0351-0000-0000-C000-000000000046}";
// The id of the popup an add-in menu is placed in, and the anchors by version.
inline constexpr int kAddInMenuHostId = 62773;

// One control of the command bars.
struct CommandBarControl {
  int id = 1;
  int type = 1;  // 1 button, 10 popup
  std::string caption;
  std::string tag;
  std::string tooltip;
  std::string parameter;
  std::string on_action;
  bool begin_group = false;
  bool temporary = false;
  bool deleted = false;
  CommandBarControl* parent = nullptr;
  std::vector<std::shared_ptr<CommandBarControl>> controls;  // a popup's
  std::vector<std::pair<uint32_t, std::shared_ptr<platform::DispatchObject>>> sinks;
};

class HostApplication {
 public:
  // version is what "Version" answers ("4.0" by default in the host).
  explicit HostApplication(std::string version);
  ~HostApplication();
  HostApplication(const HostApplication&) = delete;
  HostApplication& operator=(const HostApplication&) = delete;

  // The application object handed to add-ins. It keeps the model alive.
  std::shared_ptr<platform::DispatchObject> object() const { return object_; }

  // The "Menu Bar" command bar: its top popups.
  const CommandBarControl& menu_bar() const;
  // The first live control with this tag (searched through every popup), or null.
  std::shared_ptr<CommandBarControl> FindByTag(std::string_view tag) const;
  // The control with this id, or null.
  std::shared_ptr<CommandBarControl> FindById(int id) const;

  // Clicks a button as the user would: every sink of the buttons sharing its
  // tag hears Click(button, cancel default). False when the button has been
  // deleted or is no button.
  bool Click(const std::shared_ptr<CommandBarControl>& button);

  // The view modes the web window and the page window answer (3, page view,
  // and 1, normal, unless changed).
  void set_web_view_mode(int mode);
  void set_page_view_mode(int mode);

  // Lets go of every event sink (before the add-ins that made them unload).
  void DropEventSinks();

  struct Model;

 private:
  std::shared_ptr<Model> model_;
  std::shared_ptr<platform::DispatchObject> object_;
};

// The printed form of the add-in menu tagged tag: one line per control,
// indented by two spaces a level, commands with their parameter in square
// brackets, "----" before a command that begins a group; "(no Glintmere
// menu)" when there is none.
std::string PrintMenu(const HostApplication& application, std::string_view tag);

}  // namespace host
