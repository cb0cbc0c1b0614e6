// A component goes from a bot's Edit entry into a page on disk through the
// real runner library and the real host objects.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "base/path.h"
#include "host/cli.h"
#include "host/registration.h"
#include "host/session.h"
#include "platform/services.h"
#include "runner/kelrtl.h"
#include "tests/support/message_box_watcher.h"
#include "tests/support/test_support.h"

namespace {

constexpr const char* kPage =
    "<html>\n<head><title>Shop</title></head>\n<body>\n<p>News:</p>\n</body>\n</html>\n";

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A host "installation" with the test bots in its bots folder.
    std::filesystem::create_directories(install_.Join("bots"));
    const std::string bots = test_support::LibraryFileName("TestBots");
    std::filesystem::copy_file(test_support::BinFolder() + "bots/" + bots,
                               install_.Join("bots/" + bots));
    std::string problem;
    ASSERT_EQ(host::RegisterHost(platform::GetRegistry(), ServerLibrary(), Program(), &problem),
              platform::kOk)
        << problem;

    test_support::WriteText(web_.Join("index.htm"), kPage);
    host::Session session;
    session.web_folder = web_.path();
    session.page = "index.htm";
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);

    platform::Status error = 0;
    kelrtl_ = platform::GetModuleLoader().Load(
        test_support::BinFolder() + test_support::LibraryFileName("KelRTL"), &error);
    ASSERT_NE(kelrtl_, nullptr) << "error " << error;
    run_bot_ = reinterpret_cast<RunBotFunctionFn>(kelrtl_->FindExport("RunBotFunction", &error));
    run_dll_ = reinterpret_cast<RunDllFunctionFn>(kelrtl_->FindExport("RunDllFunction", &error));
    ASSERT_NE(run_bot_, nullptr);
    ASSERT_NE(run_dll_, nullptr);
  }

  void TearDown() override { host::UnregisterHost(platform::GetRegistry()); }

  std::string Program() const { return install_.Join("glintmere.exe"); }
  static std::string ServerLibrary() {
    return test_support::BinFolder() + test_support::LibraryFileName("GlintmereHost");
  }
  std::string Page() const { return test_support::ReadText(web_.Join("index.htm")); }

  test_support::TempFolder install_;
  test_support::TempFolder web_;
  std::unique_ptr<platform::Module> kelrtl_;
  RunBotFunctionFn run_bot_ = nullptr;
  RunDllFunctionFn run_dll_ = nullptr;
#if defined(_WIN32)
  test_support::MessageBoxWatcher boxes_;
#endif
};

TEST_F(EndToEndTest, BotComponentLandsInThePageBeforeTheBodyEnd) {
  ASSERT_EQ(run_bot_("4.0.2.2717", "TestBots.dll", "Hello", 1), 1);
  const std::string page = Page();
  const std::string expected_start =
      "<p>News:</p>\n<!--webbot bot=\"Hello\" startspan version=\"3.0.1\"\n"
      " param-Text=\"Hello from Glintmere\"\n param-Color=\"1e90ff\"\n temp-Edits=\"1\"\n"
      " PREVIEW=\"&lt;img src=&quot;_glintmere/hello.gif&quot; width=&quot;320&quot; "
      "height=&quot;40&quot;&gt;\"\n CLIENTSIDE-->\n<applet code=\"Hello.class\"";
  EXPECT_NE(page.find(expected_start), std::string::npos) << page;
  EXPECT_NE(page.find("</applet><!--webbot bot=\"Hello\" endspan -->\n</body>\n</html>\n"),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("<html>", 1), std::string::npos) << "the document wrapper was inserted";
#if defined(_WIN32)
  EXPECT_TRUE(boxes_.Seen().empty());
#endif
}

TEST_F(EndToEndTest, SecondComponentFollowsTheFirstAndCancelChangesNothing) {
  ASSERT_EQ(run_bot_("4.0", "TestBots.dll", "Worked", 1), 1);
  ASSERT_EQ(run_bot_("4.0", "TestBots.dll", "Worked", 1), 1);
  const std::string one = "<!--webbot bot=\"Worked\" startspan version=\"3.0.1\"\n CLIENTSIDE-->\n"
                          "X<!--webbot bot=\"Worked\" endspan -->\n";
  EXPECT_NE(Page().find("<p>News:</p>\n" + one + one + "</body>"), std::string::npos) << Page();
  const std::string before = Page();
  EXPECT_EQ(run_bot_("4.0", "TestBots.dll", "Cancel", 1), 1);
  EXPECT_EQ(run_bot_("4.0", "TestBots.dll", "Worked", 0), 1);
  EXPECT_EQ(Page(), before);
}

TEST_F(EndToEndTest, FailuresComeBackAsZeroWithTheRunnersMessage) {
  EXPECT_EQ(run_bot_("4.0", "Missing.dll", "Hello", 1), 0);
  EXPECT_EQ(run_bot_("9.0", "TestBots.dll", "Hello", 1), 0);  // no FrontPage 9 registered
  EXPECT_EQ(Page(), kPage);
#if defined(_WIN32)
  const std::vector<test_support::SeenBox> seen = boxes_.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].caption, "Error");
  EXPECT_EQ(seen[0].text, "Failed to load bot DLL.\n" + base::FolderOf(Program()) +
                              "bots\\Missing.dll\nError code: 126\nFP version: 4.0");
  EXPECT_EQ(seen[1].text, "Failed to retrieve bot DLL path.");
#endif
}

TEST_F(EndToEndTest, RunDllFunctionCallsAnExport) {
  const std::string library = install_.Join("bots/" + test_support::LibraryFileName("TestBots"));
  EXPECT_EQ(run_dll_(library.c_str(), "Answer"), 42);
  EXPECT_EQ(run_dll_(library.c_str(), "NoSuchFunction"), 0);
}

TEST_F(EndToEndTest, GlintmereInsertCommand) {
  host::CliEnvironment environment;
  environment.run_bot = run_bot_;
  environment.program_path = Program();
  environment.server_library = ServerLibrary();
  std::ostringstream out, err;
  ASSERT_EQ(host::RunCli({"insert", "TestBots.dll", "Hello", "--web", web_.path(), "--page",
                          "index.htm"},
                         environment, out, err),
            0)
      << err.str();
  EXPECT_NE(out.str().find("Inserted Hello into "), std::string::npos) << out.str();
  EXPECT_NE(Page().find("<!--webbot bot=\"Hello\" startspan"), std::string::npos);
}

}  // namespace
