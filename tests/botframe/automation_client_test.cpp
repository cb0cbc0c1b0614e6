// The FrontPage automation client: which ProgIDs it tries, and the argument
// and result forms of its method wrappers.
#include <gtest/gtest.h>

#include <map>

#include "base/text.h"
#include "botframe/automation_client.h"
#include "platform/services.h"

namespace {

using platform::DispatchValue;

// An object that records its calls and answers from a table.
class ScriptedObject : public platform::DispatchObject {
 public:
  struct Call {
    std::string method;
    std::vector<DispatchValue> args;
  };
  std::vector<Call>* calls;
  std::map<std::string, DispatchValue> answers;  // by method name
  int16_t first_ref = 0, second_ref = 0;         // written to by-ref arguments

  explicit ScriptedObject(std::vector<Call>* log) : calls(log) {}
  platform::HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                           DispatchValue* result) override {
    auto it = answers.find(std::string(method));
    if (it == answers.end()) return platform::kDispEUnknownName;
    calls->push_back({std::string(method), {args.begin(), args.end()}});
    int refs = 0;
    for (DispatchValue& arg : args) {
      if (arg.kind() == DispatchValue::Kind::kBoolRef) {
        *arg.bool_ref() = refs++ == 0 ? first_ref : second_ref;
      }
    }
    *result = it->second;
    return platform::kSOk;
  }
};

class ScriptedAutomation : public platform::Automation {
 public:
  std::vector<std::string> registered;
  std::vector<std::string> tried;
  std::vector<ScriptedObject::Call> calls;
  std::map<std::string, DispatchValue> answers;
  int16_t first_ref = 0, second_ref = 0;

  platform::HResult Initialize() override { return platform::kSOk; }
  void Uninitialize() override {}
  platform::CreateResult Create(std::string_view prog_id) override {
    tried.emplace_back(prog_id);
    platform::CreateResult result;
    if (std::find(registered.begin(), registered.end(), prog_id) == registered.end()) {
      result.failed_stage = platform::CreateStage::kClassLookup;
      result.error = platform::kCoEClassString;
      return result;
    }
    auto object = std::make_unique<ScriptedObject>(&calls);
    object->answers = answers;
    object->first_ref = first_ref;
    object->second_ref = second_ref;
    result.object = std::move(object);
    return result;
  }
};

class AutomationClientTest : public ::testing::Test {
 protected:
  ScriptedAutomation automation_;
  platform::ScopedServices scoped_{platform::Services{.automation = &automation_}};
};

TEST_F(AutomationClientTest, EditorVersionedProgIdIsTriedOnlyWhenThePlainOneFails) {
  automation_.registered = {"FrontPage.Editor", "FrontPage.Editor.3.0"};
  EXPECT_NE(botframe::GetEditor(), nullptr);
  EXPECT_EQ(automation_.tried, std::vector<std::string>{"FrontPage.Editor"});
  automation_.registered = {};
  automation_.tried.clear();
  EXPECT_EQ(botframe::GetEditor(), nullptr);
  EXPECT_EQ(automation_.tried,
            (std::vector<std::string>{"FrontPage.Editor", "FrontPage.Editor.3.0"}));
}

TEST_F(AutomationClientTest, ExplorerProgIdsDependOnTheLibrary) {
  automation_.registered = {"FrontPage.Explorer.4.0"};
  EXPECT_NE(botframe::GetExplorer(botframe::kGMWebbotS3Library), nullptr);
  EXPECT_EQ(automation_.tried, (std::vector<std::string>{"FrontPage.Explorer",
                                                         "FrontPage.Explorer.3.0",
                                                         "FrontPage.Explorer.4.0"}));
  automation_.tried.clear();
  EXPECT_EQ(botframe::GetExplorer(botframe::kGMWebbotLibrary), nullptr);
  EXPECT_EQ(automation_.tried,
            (std::vector<std::string>{"FrontPage.Explorer", "FrontPage.Explorer.3.0"}));
}

TEST_F(AutomationClientTest, ResultsAndArgumentForms) {
  automation_.registered = {"FrontPage.Explorer"};
  automation_.answers = {
      {"vtiGetWebURL", DispatchValue::String("")},
      {"vtiGetFoldersList", DispatchValue::String("images\n")},
      {"vtiIsPageInWeb", DispatchValue::Bool(true)},
      {"vtiPutDocument", DispatchValue::Int(7)},
      {"vtiGetPagesInFolder", DispatchValue()},
  };
  auto explorer = botframe::GetExplorer(botframe::kGMWebbotS3Library);
  ASSERT_NE(explorer, nullptr);
  EXPECT_EQ(botframe::VtiGetWebUrl(*explorer), std::nullopt);  // empty means nothing
  EXPECT_EQ(botframe::VtiGetFoldersList(*explorer, ""), std::optional<std::string>("images\n"));
  EXPECT_EQ(botframe::VtiGetPagesInFolder(*explorer, "images", 2), std::nullopt);
  EXPECT_TRUE(botframe::VtiIsPageInWeb(*explorer, "_glintmere/a.gif"));
  EXPECT_EQ(botframe::VtiPutDocument(*explorer, "C:\\a.gif", "_glintmere/a.gif"), 7);
  // A method the object does not know gives the failure result; nothing is called.
  EXPECT_EQ(botframe::VtiCreateFolder(*explorer, "x"), 0);
  EXPECT_FALSE(botframe::VtiIsFolderInWeb(*explorer, "x"));

  ASSERT_EQ(automation_.calls.size(), 5u);
  const auto& put = automation_.calls[4];
  EXPECT_EQ(put.method, "vtiPutDocument");
  ASSERT_EQ(put.args.size(), 3u);
  EXPECT_EQ(put.args[0].text(), "C:\\a.gif");
  EXPECT_EQ(put.args[1].text(), "_glintmere/a.gif");
  EXPECT_EQ(put.args[2].kind(), DispatchValue::Kind::kBool);
  EXPECT_TRUE(put.args[2].bool_value());
  const auto& pages = automation_.calls[2];
  EXPECT_EQ(pages.args[1].kind(), DispatchValue::Kind::kInt);
  EXPECT_EQ(pages.args[1].int_value(), 2);
}

TEST_F(AutomationClientTest, QueryWebPageExPassesANullStringAndWidensTheTruthValues) {
  automation_.registered = {"FrontPage.Editor"};
  automation_.answers = {{"vtiQueryWebPageEx", DispatchValue::Int(1)}};
  automation_.first_ref = -1;  // VARIANT_BOOL true
  auto editor = botframe::GetEditor();
  ASSERT_NE(editor, nullptr);
  const botframe::QueryWebPageResult result =
      botframe::VtiQueryWebPageEx(*editor, "file:///C:/web/index.htm");
  EXPECT_EQ(result.result, 1);
  EXPECT_EQ(result.first, -1);
  EXPECT_EQ(result.second, 0);
  ASSERT_EQ(automation_.calls.size(), 1u);
  const auto& args = automation_.calls[0].args;
  ASSERT_EQ(args.size(), 4u);
  EXPECT_TRUE(args[1].is_null_string());
  EXPECT_EQ(args[2].kind(), DispatchValue::Kind::kBoolRef);
}

TEST(AutomationMessagesTest, WebUrlMessageEndsAsTheLibrarySays) {
  const std::string fx_text =
      "Could not get Web URL from FP Explorer.\nPlease check if following conditions are met:\n"
      "- A valid FP web is opened (Tools->Web Settings menu item should be selectable).\n"
      "- A saved page is opened for editing in \"Normal\" mode.\n"
      "- The \"Page\" button in the View panel is selected";
  EXPECT_EQ(botframe::CouldNotGetWebUrlMessage(botframe::kGMWebbotLibrary), fx_text);
  EXPECT_EQ(botframe::CouldNotGetWebUrlMessage(botframe::kGMWebbotS3Library), fx_text + ".");
  EXPECT_EQ(botframe::UnableToCopyMessage("C:\\x.gif"), "Unable to copy 'C:\\x.gif'.");
}

}  // namespace
