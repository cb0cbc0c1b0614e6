// The fixture of tests that drive a bot's sheet and pages through the scripted
// user interface: one edit call, a component's attribute list, the scripted
// backend in force (a failed step fails the test, and a failing test prints
// what was shown), and the applet tag of the last confirmed sheet.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "runner/attribute_list.h"
#include "tests/support/edit_call.h"
#include "tests/support/shown_windows.h"
#include "ui/scripted/scripted_backend.h"

namespace test_support {

class PageTest : public ::testing::Test, protected EditCallHolder {
 protected:
  PageTest() {
    backend_.driver().SetErrorHandler([](const std::string& error) { ADD_FAILURE() << error; });
  }
  void TearDown() override {
    if (HasFailure()) PrintShownWindows(backend_.driver());
  }

  // Bot's whole sheet over the attributes, answered by steps; on OK the
  // pages saved and the tag written. Every answer given must have been used.
  template <typename Bot>
  int RunBotSheet(ui::Driver::Steps steps) {
    const int result = RunSheet<Bot>(attributes_, backend_.driver(), std::move(steps), &tag_);
    EXPECT_TRUE(backend_.driver().Unused().empty());
    return result;
  }
  // A stored attribute, "<absent>" when there is none.
  std::string Attribute(const std::string& name) const {
    return attributes_.GetOr(name.c_str(), "<absent>");
  }
  // Whether the last applet tag holds text.
  bool Has(const std::string& text) const { return tag_.find(text) != std::string::npos; }

  runner::AttributeList list_;
  botframe::Attributes attributes_{list_.get(), &runner::HostCallbacks()};
  ui::ScriptedBackend backend_;
  ui::ScopedScriptedBackend scoped_backend_{&backend_};
  std::string tag_;
};

}  // namespace test_support
