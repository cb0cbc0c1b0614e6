// The glintmere program's commands, with a stand-in for the runner that
// inserts through the host as the runner would.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "base/path.h"
#include "host/cli.h"
#include "host/host_objects.h"
#include "host/registration.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/services.h"
#include "tests/support/test_support.h"

namespace {

struct RunnerCall {
  std::string version, library, bot;
  int32_t insert = 0;
};
RunnerCall last_call;
int32_t runner_result = 1;
bool runner_inserts = true;

int32_t KELRTL_CALL FakeRunBot(const char* version, const char* library, const char* bot,
                               int32_t insert) {
  last_call = {version, library, bot, insert};
  if (runner_result && runner_inserts) host::InsertIntoOpenPage("<html>\n<body>[bot]</body>\n</html>");
  return runner_result;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    runner_result = 1;
    runner_inserts = true;
    last_call = {};
    test_support::WriteText(web_.Join("index.htm"), "<body>\n</body>");
    environment_.run_bot = FakeRunBot;
    environment_.program_path = install_.Join("glintmere");
    environment_.server_library = install_.Join("GlintmereHost.dll");
  }
  void TearDown() override { host::UnregisterHost(platform::GetRegistry()); }

  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return host::RunCli(args, environment_, out_, err_);
  }

  test_support::TempFolder web_;
  test_support::TempFolder install_;
  host::CliEnvironment environment_;
  std::ostringstream out_, err_;
};

TEST_F(CliTest, BadArgumentsGetTheUsageAndExitCodeTwo) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"paint"},
      {"insert"},
      {"insert", "Lib.dll", "Bot"},
      {"insert", "Lib.dll", "Bot", "--web", web_.path()},
      {"insert", "Lib.dll", "--web", web_.path(), "--page", "index.htm"},
      {"insert", "Lib.dll", "Bot", "--web"},
      {"insert", "Lib.dll", "Bot", "--web", web_.path(), "--page", "index.htm", "--colour", "red"},
      {"insert", "Lib.dll", "Bot", "--web", "a", "--web", "b", "--page", "index.htm"},
      {"insert", "slideshow-of-doom", "--web", web_.path(), "--page", "index.htm"},
      {"edit"},
      {"edit", "a.htm", "b.htm"},
      {"edit", "a.htm", "--component", "0"},
      {"edit", "a.htm", "--component", "2x"},
      {"edit", "a.htm", "--component", "99999999999999999999"},
  };
  for (const auto& args : bad) {
    EXPECT_EQ(Run(args), 2) << (args.empty() ? "" : args[0]);
    EXPECT_NE(err_.str().find("usage: glintmere insert"), std::string::npos);
  }
  EXPECT_TRUE(last_call.bot.empty());
}

TEST_F(CliTest, EffectNamesAndEditingPagesWithoutTheirComponent) {
  ASSERT_EQ(Run({"insert", "Scroller", "--web", web_.path(), "--page", "index.htm"}), 0)
      << err_.str();
  EXPECT_EQ(last_call.library, "GMWebbotS3.dll");
  EXPECT_EQ(last_call.bot, "GMScroller");

  // Nothing to edit: a page without components, a number past them, a
  // page outside the web, a bot whose library is not known.
  EXPECT_EQ(Run({"edit", web_.Join("index.htm")}), 1);
  EXPECT_NE(err_.str().find("holds 0 component(s); there is no component 1"), std::string::npos)
      << err_.str();
  EXPECT_EQ(Run({"edit", web_.Join("index.htm"), "--web", install_.path()}), 1);
  EXPECT_NE(err_.str().find("is not inside the web folder"), std::string::npos) << err_.str();
  const std::string other =
      "<!--webbot bot=\"Mystery\" startspan a=\"1\"\n-->x<!--webbot bot=\"Mystery\" endspan -->\n";
  test_support::WriteText(web_.Join("other.htm"), other);
  EXPECT_EQ(Run({"edit", web_.Join("other.htm")}), 1);
  EXPECT_NE(err_.str().find("the bot library of Mystery is not known"), std::string::npos)
      << err_.str();
  EXPECT_EQ(Run({"edit", web_.Join("other.htm"), "--library", "Nowhere.dll"}), 1);
  EXPECT_NE(err_.str().find("could not load"), std::string::npos) << err_.str();
  EXPECT_EQ(test_support::ReadText(web_.Join("other.htm")), other);
}

TEST_F(CliTest, InsertRegistersTheHostRunsTheBotAndSaysWhereItWent) {
  ASSERT_EQ(Run({"insert", "Lib.dll", "Bot", "--page", "index.htm", "--web", web_.path()}), 0)
      << err_.str();
  EXPECT_EQ(last_call.version, "4.0");
  EXPECT_EQ(last_call.library, "Lib.dll");
  EXPECT_EQ(last_call.bot, "Bot");
  EXPECT_EQ(last_call.insert, 1);
  EXPECT_EQ(test_support::ReadText(web_.Join("index.htm")), "<body>\n[bot]</body>");
  EXPECT_EQ(out_.str(), "Inserted Bot into " + web_.Join("index.htm") + " at byte 7 (5 bytes).\n");
  // The help viewer beside the program is the common folder's, unless an
  // installed one is named.
  const auto common = [] {
    std::string folder;
    platform::ReadString(platform::GetRegistry(), platform::RootKey::kLocalMachine,
                         "Software\\Kel Software", "CommonPath", &folder);
    return folder;
  };
  EXPECT_EQ(common(), base::FolderOf(environment_.program_path));
  test_support::TempFolder installed;
  test_support::WriteText(installed.Join("KelHelp.exe"), "viewer");
  const std::string installed_folder = base::FolderOf(installed.Join("KelHelp.exe"));
  platform::WriteString(platform::GetRegistry(), platform::RootKey::kLocalMachine,
                        "Software\\Kel Software", "CommonPath", installed_folder);
  Run({"insert", "Lib.dll", "Bot", "--page", "index.htm", "--web", web_.path()});
  EXPECT_EQ(common(), installed_folder);
  platform::GetRegistry().DeleteTree(platform::RootKey::kLocalMachine, "Software\\Kel Software");
}

// A page that cannot be written back is told before the editor runs, so
// no work of the user's is lost at the end.
TEST_F(CliTest, ReadOnlyPageIsRefusedBeforeTheEditorRuns) {
#if !defined(_WIN32)
  if (geteuid() == 0) GTEST_SKIP() << "the superuser writes any file";
#endif
  namespace fs = std::filesystem;
  fs::permissions(web_.Join("index.htm"), fs::perms::owner_write | fs::perms::group_write |
                                              fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(Run({"insert", "Lib.dll", "Bot", "--page", "index.htm", "--web", web_.path()}), 1);
  EXPECT_NE(err_.str().find("cannot be changed (it or its folder is read-only)"),
            std::string::npos)
      << err_.str();
  EXPECT_TRUE(last_call.bot.empty());
  fs::permissions(web_.Join("index.htm"), fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(CliTest, MissingWebOrPageAndPagesOutsideTheWebFail) {
  EXPECT_EQ(Run({"insert", "L.dll", "B", "--web", web_.Join("nowhere"), "--page", "index.htm"}), 1);
  EXPECT_NE(err_.str().find("does not exist"), std::string::npos);
  EXPECT_EQ(Run({"insert", "L.dll", "B", "--web", web_.path(), "--page", "missing.htm"}), 1);
  EXPECT_NE(err_.str().find("does not exist"), std::string::npos);
  EXPECT_EQ(Run({"insert", "L.dll", "B", "--web", web_.path(), "--page", "../index.htm"}), 1);
  EXPECT_NE(err_.str().find("must be a file inside the web folder"), std::string::npos);
  EXPECT_TRUE(last_call.bot.empty());
}

TEST_F(CliTest, RunnerFailureAndCancelledBotAreReported) {
  runner_result = 0;
  EXPECT_EQ(Run({"insert", "L.dll", "B", "--web", web_.path(), "--page", "index.htm"}), 1);
  EXPECT_NE(err_.str().find("could not be run"), std::string::npos);
  runner_result = 1;
  runner_inserts = false;
  EXPECT_EQ(Run({"insert", "L.dll", "B", "--web", web_.path(), "--page", "index.htm"}), 1);
  EXPECT_NE(err_.str().find("nothing was inserted"), std::string::npos);
  EXPECT_EQ(test_support::ReadText(web_.Join("index.htm")), "<body>\n</body>");
}

TEST_F(CliTest, AnAnswersFileIsCheckedThenHandedToTheBotThroughTheEnvironment) {
  const std::string answers = install_.Join("answers.json");
  EXPECT_EQ(Run({"insert", "L.dll", "B", "--web", web_.path(), "--page", "index.htm",
                 "--answers", answers}),
            2);
  EXPECT_NE(err_.str().find("the answers file " + answers + " does not exist"), std::string::npos);
  test_support::WriteText(answers, R"([{"dialog": "X", "steps": [{"tick": "Bold"}]}])");
  EXPECT_EQ(Run({"insert", "L.dll", "B", "--web", web_.path(), "--page", "index.htm",
                 "--answers", answers}),
            2);
  EXPECT_NE(err_.str().find("glintmere: " + answers +
                            ": entry 1 (dialog \"X\"), step 1: unknown step \"tick\""),
            std::string::npos)
      << err_.str();
  EXPECT_TRUE(last_call.bot.empty());
  EXPECT_FALSE(platform::EnvironmentValue("GLINTMERE_ANSWERS"));

  test_support::WriteText(answers, R"([{"dialog": "X", "steps": [{"check": "Bold"}]}])");
  EXPECT_EQ(Run({"insert", "L.dll", "B", "--answers", answers, "--web", web_.path(), "--page",
                 "index.htm"}),
            0)
      << err_.str();
  EXPECT_EQ(platform::EnvironmentValue("GLINTMERE_ANSWERS"),
            platform::GetFiles().FullPath(answers));
  platform::ClearEnvironmentValue("GLINTMERE_ANSWERS");
}

#if !defined(_WIN32)
// Pages and answers files that are links out of the web, FIFOs or devices
// are refused, quickly, before any editor runs; nothing outside changes.
TEST_F(CliTest, HostilePagesAndAnswersFilesAreRefusedBeforeTheEditorRuns) {
  namespace fs = std::filesystem;
  test_support::TempFolder outside;
  test_support::WriteText(outside.Join("secret.htm"), "<body>\n</body>");
  fs::create_symlink(outside.Join("secret.htm"), web_.Join("link.htm"));
  fs::create_directory_symlink(outside.path(), web_.Join("linked"));
  ASSERT_EQ(mkfifo(web_.Join("fifo.htm").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(install_.Join("fifo.json").c_str(), 0600), 0);
  test_support::WriteText(install_.Join("big.json"), "[" + std::string(2 << 20, ' ') + "]");
  struct Case {
    const char* page;
    std::string answers;
    int code;
    std::string message;
  };
  const Case cases[] = {
      {"link.htm", "", 1, "leads out of the web folder"},
      {"linked/secret.htm", "", 1, "leads out of the web folder"},
      {"fifo.htm", "", 1, "could not read the page"},
      {"index.htm", install_.Join("fifo.json"), 2, "cannot be read as a file"},
      {"index.htm", "/dev/zero", 2, "cannot be read as a file"},
      {"index.htm", install_.Join("big.json"), 2, "is larger than 1 MB"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"insert", "L.dll", "B", "--web", web_.path(), "--page", c.page};
    if (!c.answers.empty()) args.insert(args.end(), {"--answers", c.answers});
    EXPECT_EQ(Run(args), c.code) << c.page << " " << c.answers;
    EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
  }
  EXPECT_TRUE(last_call.bot.empty());
  EXPECT_EQ(test_support::ReadText(outside.Join("secret.htm")), "<body>\n</body>");
  EXPECT_EQ(Run({"edit", web_.Join("link.htm")}), 1);
  EXPECT_NE(err_.str().find("leads out of the web folder"), std::string::npos) << err_.str();
}

// The web's root folder is a web like any other: its pages keep their names.
TEST_F(CliTest, PagesOfARootWebKeepTheirWholeName) {
  EXPECT_EQ(Run({"edit", web_.Join("index.htm"), "--web", "/"}), 1);
  EXPECT_NE(err_.str().find("holds 0 component(s)"), std::string::npos) << err_.str();
}
#endif

// Editing a component that holds another would compose it again without the
// inner one: refused, the page left whole.
TEST_F(CliTest, EditRefusesAComponentHoldingAnother) {
  const std::string page =
      "<body>\n<!--webbot bot=\"GMScroller\" startspan -->\n"
      "<!--webbot bot=\"GMScroller\" startspan java-Name=\"Inner\" -->\nx\n"
      "<!--webbot bot=\"GMScroller\" endspan -->\n"
      "<!--webbot bot=\"GMScroller\" endspan -->\n</body>";
  test_support::WriteText(web_.Join("nested.htm"), page);
  EXPECT_EQ(Run({"edit", web_.Join("nested.htm"), "--component", "1"}), 1);
  EXPECT_NE(err_.str().find("holds another component"), std::string::npos) << err_.str();
  EXPECT_EQ(test_support::ReadText(web_.Join("nested.htm")), page);
}

// `list` of a small web: every page but those under "_" folders, each
// component's line, name and files, a missing file marked and told in the
// exit code, a page too large to read skipped.
TEST_F(CliTest, ActivatePrintsTheReportAndFailsWhenAProductFails) {
  const std::string good = web_.Join("KelMenu-Good.ini");
  test_support::WriteText(good, "[_Products]\nTitle=Good\nKey=CliGood\n[CliGood]\n"
                                "Details=x,Good\nCount=1\nItem1=a,A,,1,2,L.dll,B\n");
  EXPECT_EQ(Run({"activate"}), 2);
  EXPECT_EQ(Run({"activate", good}), 0);
  EXPECT_EQ(out_.str(), "KelMenu successfully activated for:\n  -  Good\n");
  EXPECT_EQ(Run({"activate", good, web_.Join("KelMenu-Gone.ini")}), 1);
  EXPECT_EQ(out_.str(), "KelMenu successfully activated for:\n  -  Good\n\n"
                        "KelMenu activation failed for:\n  -  (" + web_.Join("KelMenu-Gone.ini") +
                        ")\n");
  platform::GetRegistry().DeleteTree(platform::RootKey::kCurrentUser,
                                     "Software\\VB and VBA Program Settings\\KelMenu");
}

TEST_F(CliTest, ListShowsEachComponentAndTheFilesItUses) {
  auto component = [](const std::string& attributes) {
    return "<!--webbot bot=\"GMScroller\" startspan " + attributes +
           " -->\n<applet></applet>\n<!--webbot bot=\"GMScroller\" endspan -->\n";
  };
  platform::Files& files = platform::GetFiles();
  ASSERT_EQ(files.CreateFolders(web_.Join("_glintmere")), platform::kOk);
  ASSERT_EQ(files.CreateFolders(web_.Join("news")), platform::kOk);
  test_support::WriteText(web_.Join("_glintmere/KelScroll.class"), "");
  test_support::WriteText(web_.Join("_glintmere/sky.gif"), "");
  test_support::WriteText(
      web_.Join("index.htm"),
      "<body>\n" +
          component("java-code=\"KelScroll\" java-codebase=\"./_glintmere/\" "
                    "java-name=\"Top\" param-AppBGImage=\"./_glintmere/sky.gif\" "
                    "param-AppBGSound=\"./_glintmere/gone.au\" param-Text=\"./_glintmere/\"") +
          "</body>");
  test_support::WriteText(web_.Join("news/a.html"),
                          "<body>\n\n" +
                              component("component-name=\"N\" java-code=\"KelScroll.class\" "
                                        "java-codebase=\"../_glintmere/\" "
                                        "param-X=\"../_glintmere/../../secret.gif\"") +
                              component("java-code=\"K\" java-codebase=\"http://elsewhere/\""));
  test_support::WriteText(web_.Join("_glintmere/sample.htm"), component("java-name=\"Hidden\""));

  EXPECT_EQ(Run({"list", web_.path()}), 1) << err_.str();
  EXPECT_EQ(out_.str(),
            "index.htm:2: GMScroller \"Top\"\n"
            "  _glintmere/KelScroll.class\n"
            "  _glintmere/sky.gif\n"
            "  _glintmere/gone.au (missing)\n"
            "news/a.html:3: GMScroller \"N\"\n"
            "  _glintmere/KelScroll.class\n"
            "  ../_glintmere/../../secret.gif (outside the web)\n"
            "news/a.html:6: GMScroller -\n"
            "  http://elsewhere/K.class (not checked)\n");
  EXPECT_EQ(err_.str(), "");

  // One page, the web given; then with everything there.
  EXPECT_EQ(Run({"list", web_.Join("index.htm"), "--web", web_.path()}), 1);
  EXPECT_EQ(out_.str().substr(0, 23), "index.htm:2: GMScroller");
  test_support::WriteText(web_.Join("_glintmere/gone.au"), "");
  EXPECT_EQ(Run({"list", web_.Join("index.htm")}), 0) << out_.str();

  // A page over 64 MB is told and skipped; the rest is still listed.
  test_support::WriteText(web_.Join("news/a.html"), std::string((64 << 20) + 1, ' '));
  EXPECT_EQ(Run({"list", web_.path()}), 1);
  EXPECT_EQ(out_.str().find("news/"), std::string::npos);
  EXPECT_EQ(err_.str(), "glintmere: news/a.html: skipped (larger than 64 MB)\n");

  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"list"}, {"list", "a.htm", "b.htm"}, {"list", "a.htm", "--web"},
        {"list", web_.path(), "--web", web_.path()}, {"list", "--all", web_.path()}}) {
    EXPECT_EQ(Run(bad), 2) << bad.size();
  }
  EXPECT_EQ(Run({"list", web_.Join("nothing.htm")}), 1);
  EXPECT_NE(err_.str().find("does not exist"), std::string::npos) << err_.str();
}

}  // namespace

namespace {

// A fresh Linux account may have no data folder yet: it is made, once named.
// (Windows names its own; the test registry here is a scratch hive.)
TEST(ApplicationDataFolderTest, MissingDataFolderIsMadeAndNamedButAnExistingValueStays) {
#if defined(_WIN32)
  GTEST_SKIP() << "Windows names the application data folder itself";
#else
  test_support::TempFolder home;
  const std::optional<std::string> saved = platform::EnvironmentValue("XDG_DATA_HOME");
  const std::string data_home = home.Join("fresh/.local/share");
  ASSERT_TRUE(platform::SetEnvironmentValue("XDG_DATA_HOME", data_home));
  platform::Registry& registry = platform::GetRegistry();
  const char* key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  std::unique_ptr<platform::RegistryKey> folders;
  if (registry.OpenKey(platform::RootKey::kCurrentUser, key, &folders) == platform::kOk) {
    folders->DeleteValue("AppData");
  }

  EXPECT_EQ(host::EnsureApplicationDataFolder(registry), platform::kOk);
  std::string named;
  EXPECT_EQ(platform::ReadString(registry, platform::RootKey::kCurrentUser, key, "AppData", &named),
            platform::kOk);
  EXPECT_EQ(named, data_home);
  EXPECT_TRUE(platform::GetFiles().FolderExists(data_home));

  ASSERT_TRUE(platform::SetEnvironmentValue("XDG_DATA_HOME", home.Join("elsewhere")));
  EXPECT_EQ(host::EnsureApplicationDataFolder(registry), platform::kOk);
  platform::ReadString(registry, platform::RootKey::kCurrentUser, key, "AppData", &named);
  EXPECT_EQ(named, data_home);
  EXPECT_FALSE(platform::GetFiles().FolderExists(home.Join("elsewhere")));
  // A named folder removed since is made again, and stays the one named.
  std::filesystem::remove_all(data_home);
  EXPECT_EQ(host::EnsureApplicationDataFolder(registry), platform::kOk);
  EXPECT_TRUE(platform::GetFiles().FolderExists(data_home));
  if (saved) {
    platform::SetEnvironmentValue("XDG_DATA_HOME", *saved);
  } else {
    platform::ClearEnvironmentValue("XDG_DATA_HOME");
  }
#endif
}

}  // namespace
