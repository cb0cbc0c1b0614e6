// The bot runner against the platform's registry and module loader, with the
// test bot library, scripted message boxes and a recording editor object.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>

#include "base/path.h"
#include "base/text.h"
#include "platform/services.h"
#include "runner/attribute_list.h"
#include "runner/compose.h"
#include "runner/run_bot.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_message_box.h"

namespace {

using platform::CreateStage;
using platform::RootKey;

// An editor that records what it is asked to insert.
class RecordingEditor : public platform::DispatchObject {
 public:
  explicit RecordingEditor(std::vector<std::string>* inserted) : inserted_(inserted) {}
  platform::HResult Invoke(std::string_view method, std::span<platform::DispatchValue> args,
                           platform::DispatchValue* result) override {
    if (!base::EqualsNoCase(method, "vtiInsertHTML")) return platform::kDispEUnknownName;
    if (args.size() != 1) return platform::kDispEBadParamCount;
    inserted_->push_back(args[0].text());
    *result = platform::DispatchValue::Int(1);
    return platform::kSOk;
  }

 private:
  std::vector<std::string>* inserted_;
};

// Automation whose classes the test declares; unknown ProgIDs fail the class
// lookup as COM does.
class FakeAutomation : public platform::Automation {
 public:
  struct Failure {
    CreateStage stage;
    platform::HResult error;
  };
  std::map<std::string, Failure> failures;  // ProgIDs that fail and how
  std::vector<std::string> registered;      // ProgIDs that give an editor
  std::vector<std::string> log;
  std::vector<std::string> inserted;

  platform::HResult Initialize() override {
    log.push_back("init");
    return platform::kSOk;
  }
  void Uninitialize() override { log.push_back("uninit"); }
  platform::CreateResult Create(std::string_view prog_id) override {
    log.push_back("create " + std::string(prog_id));
    platform::CreateResult result;
    if (auto it = failures.find(std::string(prog_id)); it != failures.end()) {
      result.failed_stage = it->second.stage;
      result.error = it->second.error;
    } else if (std::find(registered.begin(), registered.end(), prog_id) != registered.end()) {
      result.object = std::make_unique<RecordingEditor>(&inserted);
    } else {
      result.failed_stage = CreateStage::kClassLookup;
      result.error = platform::kCoEClassString;
    }
    return result;
  }
};

class RunBotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A FrontPage "installation" of its own: a program folder with bots\.
    std::filesystem::create_directories(install_.Join("bots"));
    std::filesystem::copy_file(
        test_support::BinFolder() + "bots/" + test_support::LibraryFileName("TestBots"),
        install_.Join("bots/" + test_support::LibraryFileName("TestBots")));
    std::random_device random;
    major_ = std::to_string(100 + random() % 900000);
    clsid_ = "{" + test_support::UniqueName("RunBotTest") + "}";
    automation_.registered = {"FrontPage.Editor"};
    RegisterExplorer(install_.Join("FRONTPG.EXE"));
  }

  void TearDown() override {
    platform::Registry& registry = platform::GetRegistry();
    registry.DeleteTree(RootKey::kClassesRoot, "FrontPage.Explorer." + major_ + ".0");
    registry.DeleteTree(RootKey::kClassesRoot, "CLSID\\" + clsid_);
  }

  void RegisterExplorer(const std::string& program) {
    platform::Registry& registry = platform::GetRegistry();
    ASSERT_EQ(platform::WriteString(registry, RootKey::kClassesRoot,
                                    "FrontPage.Explorer." + major_ + ".0\\CLSID", "", clsid_),
              platform::kOk);
    ASSERT_EQ(platform::WriteString(registry, RootKey::kClassesRoot,
                                    "CLSID\\" + clsid_ + "\\LocalServer32", "", program),
              platform::kOk);
  }

  std::string Version() const { return major_ + ".0.2.2623"; }
  std::string BotsFolder() const { return base::FolderOf(install_.Join("FRONTPG.EXE")) + "bots\\"; }

  int32_t Run(const char* bot, int32_t insert = 1, const char* library = "TestBots.dll") {
    const std::string version = Version();
    return runner::RunBot(version.c_str(), library, bot, insert);
  }

  // Exactly one box was shown, with this text and caption.
  void ExpectOneBox(const std::string& text, const std::string& caption = "Error") {
    ASSERT_EQ(boxes_.shown().size(), 1u) << (boxes_.shown().empty() ? "" : boxes_.shown()[0].text);
    EXPECT_EQ(boxes_.shown()[0].text, text);
    EXPECT_EQ(boxes_.shown()[0].caption, caption);
    EXPECT_EQ(boxes_.shown()[0].buttons, ui::Buttons::kOk);
    EXPECT_EQ(boxes_.shown()[0].owner, nullptr);
  }

  test_support::TempFolder install_;
  std::string major_;
  std::string clsid_;
  FakeAutomation automation_;
  platform::ScopedServices services_{platform::Services{.automation = &automation_}};
  ui::ScriptedMessageBoxes boxes_;
  ui::ScopedMessageBoxes scoped_boxes_{&boxes_};
};

TEST_F(RunBotTest, VersionBeforeTheFirstDotNamesTheExplorerKey) {
  EXPECT_EQ(runner::ExplorerClassKey("5.0.2.2623"), "FrontPage.Explorer.5.0\\CLSID");
  EXPECT_EQ(runner::ExplorerClassKey("4"), "FrontPage.Explorer.4.0\\CLSID");
  EXPECT_EQ(runner::ExplorerClassKey("12.34"), "FrontPage.Explorer.12.0\\CLSID");
  std::string folder;
  ASSERT_TRUE(runner::FindFrontPageFolder(major_, &folder));
  EXPECT_EQ(folder, base::FolderOf(install_.Join("FRONTPG.EXE")));
  EXPECT_FALSE(runner::FindFrontPageFolder(major_ + "1", &folder));
}

TEST_F(RunBotTest, ServerPathWithASwitchGivesTheProgramFolderQuotedOrNot) {
  // Written the Windows way on Linux too: the switch's "/" is no folder.
  std::string program = install_.Join("FRONTPG.EXE");
  std::replace(program.begin(), program.end(), '/', '\\');
  const std::string folder = program.substr(0, program.size() - std::string("FRONTPG.EXE").size());
  for (const std::string& server : {"\"" + program + "\" /automation", program + " /automation"}) {
    SCOPED_TRACE(server);
    RegisterExplorer(server);
    std::string found;
    ASSERT_TRUE(runner::FindFrontPageFolder(major_, &found));
    EXPECT_EQ(found, folder);
    automation_.inserted.clear();
    EXPECT_EQ(Run("Worked"), 1);
    EXPECT_TRUE(boxes_.shown().empty()) << boxes_.shown()[0].text;
    EXPECT_EQ(automation_.inserted.size(), 1u);
    boxes_.Clear();
  }
}

TEST_F(RunBotTest, InsertsTheComposedComponentWithOleAroundTheInsertionOnly) {
  EXPECT_EQ(Run("Worked"), 1);
  EXPECT_TRUE(boxes_.shown().empty());
  ASSERT_EQ(automation_.inserted.size(), 1u);
  EXPECT_EQ(automation_.inserted[0],
            "<html>\n<body><!--webbot bot=\"Worked\" startspan version=\"3.0.1\"\n CLIENTSIDE-->\n"
            "X<!--webbot bot=\"Worked\" endspan -->\n</body>\n</html>");
  EXPECT_EQ(automation_.log,
            (std::vector<std::string>{"init", "create FrontPage.Editor", "uninit"}));
}

TEST_F(RunBotTest, TheBotGetsAnEmptyListAndTheHostTable) {
  EXPECT_EQ(Run("Probe"), 1);
  ASSERT_EQ(automation_.inserted.size(), 1u);
  EXPECT_NE(automation_.inserted[0].find(" probe=\"ok\"\n"), std::string::npos)
      << automation_.inserted[0];
}

TEST_F(RunBotTest, NothingIsInsertedWithoutInsertOrWhenTheBotCancels) {
  EXPECT_EQ(Run("Worked", 0), 1);
  EXPECT_EQ(Run("Cancel", 1), 1);
  EXPECT_TRUE(automation_.inserted.empty());
  EXPECT_TRUE(automation_.log.empty());  // OLE is not even initialised
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(RunBotTest, MissingExplorerRegistration) {
  platform::GetRegistry().DeleteTree(RootKey::kClassesRoot, "CLSID\\" + clsid_);
  EXPECT_EQ(Run("Worked"), 0);
  ExpectOneBox("Failed to retrieve bot DLL path.");

  boxes_.Clear();
  RegisterExplorer("");  // an empty program path fails the same way
  EXPECT_EQ(Run("Worked"), 0);
  ExpectOneBox("Failed to retrieve bot DLL path.");

  boxes_.Clear();
  platform::GetRegistry().DeleteTree(RootKey::kClassesRoot, "FrontPage.Explorer." + major_ + ".0");
  EXPECT_EQ(Run("Worked"), 0);
  ExpectOneBox("Failed to retrieve bot DLL path.");
  EXPECT_TRUE(automation_.log.empty());
}

TEST_F(RunBotTest, OverlongRegistryValuesFailTheLookup) {
  // A class identifier too long for the key text, and a program path too long
  // for the value buffer, are refused rather than cut.
  platform::Registry& registry = platform::GetRegistry();
  const std::string long_clsid(95, 'C');
  ASSERT_EQ(platform::WriteString(registry, RootKey::kClassesRoot,
                                  "FrontPage.Explorer." + major_ + ".0\\CLSID", "", long_clsid),
            platform::kOk);
  EXPECT_EQ(Run("Worked"), 0);
  ExpectOneBox("Failed to retrieve bot DLL path.");

  boxes_.Clear();
  RegisterExplorer(std::string(1020, 'x') + "\\FRONTPG.EXE");
  EXPECT_EQ(Run("Worked"), 0);
  ExpectOneBox("Failed to retrieve bot DLL path.");
}

TEST_F(RunBotTest, MissingBotLibrary) {
  EXPECT_EQ(Run("Worked", 1, "Nowhere.dll"), 0);
  ExpectOneBox("Failed to load bot DLL.\n" + BotsFolder() + "Nowhere.dll\nError code: 126\n"
               "FP version: " + Version());
}

TEST_F(RunBotTest, MissingEditEntry) {
  EXPECT_EQ(Run("Nope"), 0);
  ExpectOneBox("Failed to retrieve the bot function address.\nNope_Edit\nError code: 127");
}

TEST_F(RunBotTest, EditorFallsBackToTheVersionedProgIdAfterOneMessage) {
  automation_.registered = {"FrontPage.Editor.3.0"};
  EXPECT_EQ(Run("Worked"), 1);
  ExpectOneBox("CLSIDFromProgID failed with error 800401F3", "");
  EXPECT_EQ(automation_.inserted.size(), 1u);
  EXPECT_EQ(automation_.log, (std::vector<std::string>{"init", "create FrontPage.Editor",
                                                       "create FrontPage.Editor.3.0", "uninit"}));
}

TEST_F(RunBotTest, NoEditorMeansTwoMessagesNothingInsertedAndStillSuccess) {
  automation_.registered.clear();
  automation_.failures["FrontPage.Editor"] = {CreateStage::kInstantiation,
                                              platform::kRegDbEClassNotReg};
  EXPECT_EQ(Run("Worked"), 1);
  ASSERT_EQ(boxes_.shown().size(), 2u);
  EXPECT_EQ(boxes_.shown()[0].text, "CoCreateInstance failed with error 80040154");
  EXPECT_EQ(boxes_.shown()[1].text, "CLSIDFromProgID failed with error 800401F3");
  EXPECT_EQ(boxes_.shown()[1].caption, "");
  EXPECT_TRUE(automation_.inserted.empty());
  EXPECT_EQ(automation_.log.back(), "uninit");
}

TEST_F(RunBotTest, ObjectWithoutDispatchIsSkippedQuietly) {
  automation_.registered = {"FrontPage.Editor.3.0"};
  automation_.failures["FrontPage.Editor"] = {CreateStage::kNoDispatch, platform::kENoInterface};
  EXPECT_EQ(Run("Worked"), 1);
  EXPECT_TRUE(boxes_.shown().empty());
  EXPECT_EQ(automation_.inserted.size(), 1u);
}

TEST_F(RunBotTest, RefusesMissingAndOverlongArguments) {
  const std::string version = Version();
  EXPECT_EQ(runner::RunBot(nullptr, "TestBots.dll", "Worked", 1), 0);
  ExpectOneBox("Invalid argument: the FrontPage version is missing.");
  boxes_.Clear();
  EXPECT_EQ(runner::RunBot(version.c_str(), nullptr, "Worked", 1), 0);
  ExpectOneBox("Invalid argument: the bot library name is missing.");
  boxes_.Clear();
  EXPECT_EQ(runner::RunBot(version.c_str(), "TestBots.dll", nullptr, 1), 0);
  ExpectOneBox("Invalid argument: the bot name is missing.");
  boxes_.Clear();
  EXPECT_EQ(runner::RunBot((major_ + ".0.0000000000000000").c_str(), "TestBots.dll", "Worked", 1), 0);
  ExpectOneBox("Invalid argument: the FrontPage version is longer than 19 characters.");
  boxes_.Clear();
  EXPECT_EQ(runner::RunBot(version.c_str(), "TestBots.dll", std::string(95, 'B').c_str(), 1), 0);
  ExpectOneBox("Invalid argument: the bot name is longer than 94 characters.");
  boxes_.Clear();
  EXPECT_EQ(runner::RunBot(version.c_str(), std::string(1100, 'L').c_str(), "Worked", 1), 0);
  ExpectOneBox("Invalid argument: the bot library path is longer than 1023 characters.");
  EXPECT_TRUE(automation_.log.empty());

  // The limits themselves are accepted: a 94-character name reaches the lookup.
  boxes_.Clear();
  const std::string longest(94, 'B');
  EXPECT_EQ(runner::RunBot(version.c_str(), "TestBots.dll", longest.c_str(), 1), 0);
  ExpectOneBox("Failed to retrieve the bot function address.\n" + longest +
               "_Edit\nError code: 127");
}

TEST_F(RunBotTest, RunDllCallsTheFunctionOrSaysWhyNot) {
  const std::string library = install_.Join("bots/" + test_support::LibraryFileName("TestBots"));
  EXPECT_EQ(runner::RunDll(library.c_str(), "Answer"), 42);
  EXPECT_TRUE(boxes_.shown().empty());

  EXPECT_EQ(runner::RunDll(library.c_str(), "Question"), 0);
  ExpectOneBox("Failed to retrieve the function address.\nQuestion\nError code: 127");

  boxes_.Clear();
  const std::string missing = install_.Join("missing.dll");
  EXPECT_EQ(runner::RunDll(missing.c_str(), "Answer"), 0);
  ExpectOneBox("Failed to load the DLL.\n" + missing + "\nError code: 126");

  boxes_.Clear();
  EXPECT_EQ(runner::RunDll(nullptr, "Answer"), 0);
  ExpectOneBox("Invalid argument: the library path is missing.");
  boxes_.Clear();
  EXPECT_EQ(runner::RunDll(library.c_str(), nullptr), 0);
  ExpectOneBox("Invalid argument: the function name is missing.");
}

TEST_F(RunBotTest, MessagesAreCutToTheMessageLimit) {
  const std::string long_name(1500, 'f');
  const std::string library = install_.Join("bots/" + test_support::LibraryFileName("TestBots"));
  EXPECT_EQ(runner::RunDll(library.c_str(), long_name.c_str()), 0);
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text.size(), 1023u);  // a 1024-byte buffer and its null
}

}  // namespace
