// KelMenu, the Glintmere menu add-in: on connection it reads the products
// and commands from the user's program settings and adds them to the host's
// menus as temporary command bar controls; a click on one of its buttons
// checks what the command requires of the host and runs it.
//
// The host is reached only through its application object, by the names of
// the Office and FrontPage object models (Version, CommandBars, FindControl,
// Controls, ActiveWeb, ActiveWebWindow, ActivePageWindow, ...). Failures show
// the add-in's message boxes; nothing is thrown out of the public members.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/automation.h"

namespace menu_addin {

// The events interface of Office command bar buttons and its one method
// (Click, dispatch identifier 1: the clicked control and the cancel-default
// flag by reference).
inline constexpr const char* kButtonEventsIid = "{000C0351-0000-0000-C000-000000000046}";
const platform::EventInterface& ButtonEvents();

class KelMenu {
 public:
  KelMenu();
  ~KelMenu();
  KelMenu(const KelMenu&) = delete;
  KelMenu& operator=(const KelMenu&) = delete;

  // Keeps the application and the add-in instance's ProgID (add_in may be
  // empty: the ProgID is then empty too) and builds the menu; a failure shows
  // the loading message and leaves what was built.
  void OnConnection(std::shared_ptr<platform::DispatchObject> application,
                    const platform::DispatchValue& add_in);
  // Removes the menu, except on a version 5 host at shutdown; errors are
  // ignored. The button events are disconnected either way.
  void OnDisconnection(int32_t remove_mode);
  // A click of one of the add-in's buttons: the requirement check, then the
  // command or the requirement's message.
  void OnClick(const platform::DispatchValue& control);

  // Commands created by the last menu build.
  int item_count() const { return item_count_; }

 private:
  class Sink;

  void BuildMenu();
  void AddProducts(platform::DispatchObject& menu);
  void AddItems(platform::DispatchObject& submenu, const std::string& product);
  void WatchButton(std::shared_ptr<platform::DispatchObject> button);
  void StopWatching();
  int EvaluateRequirement(const std::string& code);
  void RunCommand(const std::vector<std::string>& fields);

  std::shared_ptr<platform::DispatchObject> application_;
  std::string prog_id_;
  std::shared_ptr<Sink> sink_;
  std::shared_ptr<platform::DispatchObject> watched_button_;
  uint32_t cookie_ = 0;
  int item_count_ = 0;
};

}  // namespace menu_addin
