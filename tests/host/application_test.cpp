// The host's application object as an add-in reaches it by name: command
// bars, controls and their events, the web and the page.
#include <gtest/gtest.h>

#include <vector>

#include "host/application.h"
#include "host/session.h"
#include "platform/services.h"
#include "tests/support/test_support.h"

namespace {

using platform::DispatchObject;
using platform::DispatchValue;
using platform::HResult;

DispatchValue Call(DispatchObject& object, const char* name, std::vector<DispatchValue> args = {},
                   HResult expected = platform::kSOk) {
  DispatchValue result;
  EXPECT_EQ(object.Invoke(name, args, &result), expected) << name;
  return result;
}

std::shared_ptr<DispatchObject> Tools(host::HostApplication& application) {
  auto bars = Call(*application.object(), "CommandBars").object();
  return Call(*bars, "FindControl", {DispatchValue(), DispatchValue::Int(62773)}).object();
}

// Records the clicks it hears.
class Sink final : public DispatchObject {
 public:
  HResult Invoke(std::string_view method, std::span<DispatchValue> args, DispatchValue*) override {
    if (method != "Click" || args.size() != 2 || !args[0].object() ||
        args[1].kind() != DispatchValue::Kind::kBoolRef) {
      return platform::kDispETypeMismatch;
    }
    DispatchValue caption;
    args[0].object()->Invoke("Caption", {}, &caption);
    heard.push_back(caption.text());
    return platform::kSOk;
  }
  std::vector<std::string> heard;
};

TEST(HostApplicationTest, ControlsAreAddedWhereAskedAndRefusedOtherwise) {
  const struct {
    std::vector<DispatchValue> args;
    HResult result;
    int index;  // of the new control
  } kCases[] = {
      {{DispatchValue::Int(1)}, platform::kSOk, 5},
      {{DispatchValue::Int(10), DispatchValue(), DispatchValue(), DispatchValue::Int(1),
        DispatchValue::Bool(true)},
       platform::kSOk, 1},
      {{DispatchValue::Int(1), DispatchValue(), DispatchValue(), DispatchValue::Int(5)},
       platform::kSOk, 5},
      {{DispatchValue::Int(1), DispatchValue(), DispatchValue(), DispatchValue::Int(6)},
       platform::kEInvalidArg, 0},
      {{DispatchValue::Int(1), DispatchValue(), DispatchValue(), DispatchValue::Int(0)},
       platform::kEInvalidArg, 0},
      {{DispatchValue::Int(4)}, platform::kEInvalidArg, 0},
      {{DispatchValue::String("popup")}, platform::kDispETypeMismatch, 0},
  };
  for (const auto& c : kCases) {
    host::HostApplication application("4.0");
    auto controls = Call(*Tools(application), "Controls").object();
    ASSERT_EQ(Call(*controls, "Count").AsInt(), 4);
    const DispatchValue added = Call(*controls, "Add", c.args, c.result);
    if (c.result != platform::kSOk) continue;
    EXPECT_EQ(Call(*added.object(), "Index").AsInt(), c.index);
    EXPECT_EQ(Call(*controls, "Count").AsInt(), 5);
  }
}

TEST(HostApplicationTest, ClickReachesTheSinksOfButtonsSharingATag) {
  host::HostApplication application("4.0");
  auto controls = Call(*Tools(application), "Controls").object();
  auto sink = std::make_shared<Sink>();
  const platform::EventInterface events{host::kButtonEventsIid, {}};
  std::vector<std::shared_ptr<DispatchObject>> buttons;
  for (const char* caption : {"One", "Two", "Alone"}) {
    buttons.push_back(Call(*controls, "Add", {DispatchValue::Int(1)}).object());
    EXPECT_EQ(buttons.back()->Put("Caption", DispatchValue::String(caption)), platform::kSOk);
    EXPECT_EQ(buttons.back()->Put("Tag", DispatchValue::String(
                                             std::string(caption) == "Alone" ? "B" : "A")),
              platform::kSOk);
  }
  uint32_t cookie = 0;
  ASSERT_EQ(buttons[0]->Advise(events, sink, &cookie), platform::kSOk);
  EXPECT_EQ(Tools(application)->Advise(events, sink, &cookie), platform::kConnectENoConnection);
  EXPECT_EQ(buttons[1]->Advise({"{00000000-0000-0000-0000-000000000000}", {}}, sink, &cookie),
            platform::kConnectENoConnection);
  for (const char* tag : {"A", "B"}) {
    for (const auto& control : application.menu_bar().controls[3]->controls) {
      if (control->tag == tag) application.Click(control);
    }
  }
  EXPECT_EQ(sink->heard, (std::vector<std::string>{"One", "Two"}));
  // A deleted control answers nothing and is no more clicked.
  Call(*buttons[1], "Delete");
  EXPECT_EQ(Call(*controls, "Count").AsInt(), 6);
  Call(*buttons[1], "Caption", {}, platform::kEFail);
}

TEST(HostApplicationTest, WebAndPageFollowTheSession) {
  test_support::TempFolder web;
  test_support::WriteText(web.Join("saved.htm"), "<html></html>");
  const struct {
    bool with_web;
    const char* page;
    bool web_answers;
    const char* address;  // null: no page window
  } kCases[] = {
      {false, "", false, nullptr},
      {true, "", true, nullptr},
      {true, "saved.htm", true, "file:///"},
      {true, "new.htm", true, "unsaved:///new.htm"},
  };
  for (const auto& c : kCases) {
    host::Session session;
    if (c.with_web) session.web_folder = web.path();
    session.page = c.page;
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
    host::HostApplication application("4.0");
    DispatchObject& app = *application.object();
    EXPECT_EQ(Call(app, "ActiveWeb").object() != nullptr, c.web_answers) << c.page;
    const auto window = Call(app, "ActivePageWindow").object();
    ASSERT_EQ(window != nullptr, c.address != nullptr) << c.page;
    if (!window) continue;
    EXPECT_EQ(Call(*Call(app, "ActiveWebWindow").object(), "ViewMode").AsInt(), 3);
    EXPECT_EQ(Call(*window, "ViewMode").AsInt(), 1);
    EXPECT_TRUE(Call(*Call(*window, "Document").object(), "Url").text().starts_with(c.address));
  }
}

}  // namespace
