// The host's session, its editor and Explorer objects, and its registration.
#include <gtest/gtest.h>

#include <filesystem>

#if !defined(_WIN32)
#include "platform/posix/registry_posix.h"
#endif

#include "base/path.h"
#include "host/disk_web.h"
#include "host/host_objects.h"
#include "host/registration.h"
#include "host/session.h"
#include "platform/com_registration.h"
#include "platform/environment.h"
#include "platform/services.h"
#include "runner/run_bot.h"
#include "tests/support/faulty_files.h"
#include "tests/support/test_support.h"

namespace {

// The host's registered classes, written out: a changed identifier would orphan
// every registration made before.
constexpr char kEditorClsid[] = "{1219374B-914A-4D16-9764-2D3C6F561CFC}";
constexpr char kExplorerClsid[] = "{F9990FE0-3D81-4BEA-97AC-3D55B2CFB25E}";

using platform::DispatchValue;
using platform::RootKey;


class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page_path_ = web_.Join("index.htm");
    test_support::WriteText(page_path_, kPage);
    host::Session session;
    session.web_folder = web_.path();
    session.page = "index.htm";
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
  }

  host::Session LoadSession() {
    host::Session session;
    EXPECT_EQ(host::Session::Load(platform::GetRegistry(), &session), platform::kOk);
    return session;
  }

  std::string Call(platform::DispatchObject& object, const char* method,
                   std::vector<DispatchValue> args = {}) {
    DispatchValue result;
    EXPECT_EQ(object.Invoke(method, args, &result), platform::kSOk) << method;
    return result.kind() == DispatchValue::Kind::kString ? result.text()
                                                         : std::to_string(result.AsInt());
  }

  static constexpr const char* kPage = "<html>\n<BODY>\n<p>Hi</p>\n</Body>\n</html>\n";
  test_support::TempFolder web_;
  std::string page_path_;
};

TEST_F(HostTest, SessionRoundTripsThroughTheRegistry) {
  host::Session session = LoadSession();
  EXPECT_EQ(session.web_folder, web_.path());
  EXPECT_EQ(session.page, "index.htm");
  EXPECT_FALSE(session.insert_at);
  session.insert_at = 7;
  session.has_unsaved_changes = true;
  session.last_insert_at = 3;
  session.last_insert_length = 9;
  ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
  host::Session again = LoadSession();
  EXPECT_EQ(again.insert_at, 7u);
  EXPECT_TRUE(again.has_unsaved_changes);
  EXPECT_EQ(again.last_insert_at, 3u);
  EXPECT_EQ(again.last_insert_length, 9u);
  again.insert_at.reset();
  ASSERT_EQ(again.Save(platform::GetRegistry()), platform::kOk);
  EXPECT_FALSE(LoadSession().insert_at);
}

TEST_F(HostTest, InsertionGoesBeforeTheBodyEndThenFollowsWhatWasInserted) {
  host::EditorObject editor;
  EXPECT_EQ(Call(editor, "vtiInsertHTML", {DispatchValue::String("<html>\n<body><b>1</b></body>\n</html>")}),
            "1");
  EXPECT_EQ(Call(editor, "VTIINSERTHTML", {DispatchValue::String("<i>2</i>")}), "1");
  EXPECT_EQ(test_support::ReadText(page_path_),
            "<html>\n<BODY>\n<p>Hi</p>\n<b>1</b><i>2</i></Body>\n</html>\n");
  const host::Session session = LoadSession();
  EXPECT_EQ(session.last_insert_at, std::string(kPage).find("</Body>") + 8);
  EXPECT_EQ(session.last_insert_length, 8u);
}

TEST_F(HostTest, InsertableHtmlIsTheBodyOfAWholeDocument) {
  EXPECT_EQ(host::InsertableHtml("<html>\n<body bgcolor=\"x\">in</body>\n</html>"), "in");
  EXPECT_EQ(host::InsertableHtml("plain <b>text</b>"), "plain <b>text</b>");
  EXPECT_EQ(host::InsertableHtml("<BODY>open ended"), "open ended");
  EXPECT_EQ(host::DefaultInsertionPoint("no body"), 7u);
}

TEST_F(HostTest, FailedInsertionLeavesPageAndInsertionPointAlone) {
  test_support::FaultyFiles failing(platform::GetFiles());
  failing.fail_write = true;
  platform::ScopedServices scoped{platform::Services{.files = &failing}};
  host::EditorObject editor;
  EXPECT_EQ(Call(editor, "vtiInsertHTML", {DispatchValue::String("<b>x</b>")}), "0");
  EXPECT_EQ(test_support::ReadText(page_path_), kPage);
  EXPECT_FALSE(LoadSession().last_insert_at);
}

TEST_F(HostTest, InsertionIntoAMissingPageFails) {
  host::Session session = LoadSession();
  session.page = "gone.htm";
  ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
  host::EditorObject editor;
  EXPECT_EQ(Call(editor, "vtiInsertHTML", {DispatchValue::String("x")}), "0");
  EXPECT_FALSE(test_support::Exists(web_.Join("gone.htm")));
}

TEST_F(HostTest, PageAndWebUrls) {
  host::EditorObject editor;
  host::ExplorerObject explorer;
  EXPECT_EQ(Call(editor, "vtiGetTopPageURL"), host::FileUrlFromPath(page_path_));
  EXPECT_EQ(Call(explorer, "vtiGetWebURL"), host::FileUrlFromPath(web_.path()));
  host::Session session = LoadSession();
  session.page = "new/untitled.htm";  // never written: a new page
  ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
  EXPECT_EQ(Call(editor, "vtiGetTopPageURL"), "unsaved:///new/untitled.htm");
}

TEST_F(HostTest, UnknownMethodsAndWrongArgumentsAreRefused) {
  host::EditorObject editor;
  DispatchValue result;
  std::vector<DispatchValue> none;
  EXPECT_EQ(editor.Invoke("vtiNoSuchThing", none, &result), platform::kDispEUnknownName);
  EXPECT_EQ(editor.Invoke("vtiInsertHTML", none, &result), platform::kDispEBadParamCount);
  std::vector<DispatchValue> number{DispatchValue::Int(3)};
  EXPECT_EQ(editor.Invoke("vtiInsertHTML", number, &result), platform::kDispETypeMismatch);
  EXPECT_EQ(test_support::ReadText(page_path_), kPage);
}

class RegistrationTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const char* prog_id :
         {"FrontPage.Editor", "FrontPage.Explorer.3.0", "FrontPage.Explorer.4.0"}) {
      if (RegisteredClass(prog_id) == other_clsid_) {
        platform::GetRegistry().DeleteTree(RootKey::kClassesRoot, prog_id);
      }
    }
    host::UnregisterHost(platform::GetRegistry());
    platform::GetRegistry().DeleteTree(RootKey::kClassesRoot, "CLSID\\" + other_clsid_);
  }
  // The class a ProgID names, or "" when it is not registered.
  static std::string RegisteredClass(const std::string& prog_id) {
    std::string clsid;
    platform::ReadString(platform::GetRegistry(), RootKey::kClassesRoot, prog_id + "\\CLSID", "",
                         &clsid);
    return clsid;
  }
  void GiveToOtherProgram(const std::string& prog_id) {
    ASSERT_EQ(platform::WriteString(platform::GetRegistry(), RootKey::kClassesRoot,
                                    prog_id + "\\CLSID", "", other_clsid_),
              platform::kOk);
  }

  test_support::TempFolder install_;
  std::string other_clsid_ = "{00000000-1111-2222-3333-444444444444}";
};

TEST_F(RegistrationTest, RunnerFindsTheProgramFolderOfTheRegisteredHost) {
  platform::Registry& registry = platform::GetRegistry();
  std::string problem;
  const std::string program = install_.Join("glintmere.exe");
  ASSERT_EQ(host::RegisterHost(registry, install_.Join("GlintmereHost.dll"), program, &problem),
            platform::kOk)
      << problem;
  // Registering again changes nothing and succeeds.
  ASSERT_EQ(host::RegisterHost(registry, install_.Join("GlintmereHost.dll"), program, &problem),
            platform::kOk);
  std::string folder;
  ASSERT_TRUE(runner::FindFrontPageFolder("4", &folder));
  EXPECT_EQ(folder, base::FolderOf(program));
  std::string clsid;
  ASSERT_EQ(platform::ReadString(registry, RootKey::kClassesRoot, "FrontPage.Editor\\CLSID", "",
                                 &clsid),
            platform::kOk);
  EXPECT_EQ(clsid, kEditorClsid);

  ASSERT_EQ(host::UnregisterHost(registry), platform::kOk);
  EXPECT_FALSE(runner::FindFrontPageFolder("4", &folder));
}

TEST_F(RegistrationTest, AnotherProgramsRegistrationIsNeverReplaced) {
  platform::Registry& registry = platform::GetRegistry();
  ASSERT_EQ(platform::WriteString(registry, RootKey::kClassesRoot, "FrontPage.Editor\\CLSID", "",
                                  other_clsid_),
            platform::kOk);
  std::string problem;
  EXPECT_EQ(host::RegisterHost(registry, install_.Join("GlintmereHost.dll"),
                               install_.Join("glintmere.exe"), &problem),
            platform::kAlreadyExists);
  EXPECT_NE(problem.find("FrontPage.Editor is registered to another program"), std::string::npos)
      << problem;
  std::string clsid;
  ASSERT_EQ(platform::ReadString(registry, RootKey::kClassesRoot, "FrontPage.Editor\\CLSID", "",
                                 &clsid),
            platform::kOk);
  EXPECT_EQ(clsid, other_clsid_);
  // Unregistering the host leaves the other program's entry too.
  ASSERT_EQ(host::UnregisterHost(registry), platform::kOk);
  ASSERT_EQ(platform::ReadString(registry, RootKey::kClassesRoot, "FrontPage.Editor\\CLSID", "",
                                 &clsid),
            platform::kOk);
  EXPECT_EQ(clsid, other_clsid_);
}

TEST_F(RegistrationTest, BothVersionedExplorerProgIdsLeadToTheHost) {
  platform::Registry& registry = platform::GetRegistry();
  std::string problem;
  const std::string program = install_.Join("glintmere.exe");
  ASSERT_EQ(host::RegisterHost(registry, install_.Join("GlintmereHost.dll"), program, &problem),
            platform::kOk)
      << problem;
  for (const char* version : {"3", "4"}) {
    EXPECT_EQ(RegisteredClass(std::string("FrontPage.Explorer.") + version + ".0"),
              kExplorerClsid);
    std::string folder;
    ASSERT_TRUE(runner::FindFrontPageFolder(version, &folder)) << version;
    EXPECT_EQ(folder, base::FolderOf(program));
  }
  ASSERT_EQ(host::UnregisterHost(registry), platform::kOk);
  EXPECT_EQ(RegisteredClass("FrontPage.Explorer.3.0"), "");
  EXPECT_EQ(RegisteredClass("FrontPage.Explorer.4.0"), "");
}

TEST_F(RegistrationTest, AnOlderFrontPagesExplorerIsLeftAloneAndTheRestRegistered) {
  platform::Registry& registry = platform::GetRegistry();
  GiveToOtherProgram("FrontPage.Explorer.3.0");
  std::string problem;
  ASSERT_EQ(host::RegisterHost(registry, install_.Join("GlintmereHost.dll"),
                               install_.Join("glintmere.exe"), &problem),
            platform::kOk)
      << problem;
  EXPECT_EQ(RegisteredClass("FrontPage.Explorer.3.0"), other_clsid_);
  EXPECT_EQ(RegisteredClass("FrontPage.Explorer.4.0"), kExplorerClsid);
  EXPECT_EQ(RegisteredClass("FrontPage.Explorer"), kExplorerClsid);
  ASSERT_EQ(host::UnregisterHost(registry), platform::kOk);
  EXPECT_EQ(RegisteredClass("FrontPage.Explorer.3.0"), other_clsid_);
  EXPECT_EQ(RegisteredClass("FrontPage.Explorer.4.0"), "");
}

TEST_F(RegistrationTest, TheRunnersExplorerOwnedByAnotherProgramStopsRegistrationUnwritten) {
  platform::Registry& registry = platform::GetRegistry();
  GiveToOtherProgram("FrontPage.Explorer.4.0");
  std::string problem;
  EXPECT_EQ(host::RegisterHost(registry, install_.Join("GlintmereHost.dll"),
                               install_.Join("glintmere.exe"), &problem),
            platform::kAlreadyExists);
  EXPECT_NE(problem.find("FrontPage.Explorer.4.0 is registered to another program"),
            std::string::npos)
      << problem;
  EXPECT_EQ(RegisteredClass("FrontPage.Explorer.4.0"), other_clsid_);
  EXPECT_EQ(RegisteredClass("FrontPage.Editor"), "");
  EXPECT_EQ(RegisteredClass("FrontPage.Explorer.3.0"), "");
}

#if !defined(_WIN32)
// A registry file that cannot be used is reported as what it is (the file,
// the line, what is wrong), never as another program's registration, and is
// never rewritten.
TEST(RegistryFileErrorsTest, UnusableFilesAreNamedAndLeftAsTheyAre) {
  namespace fs = std::filesystem;
  test_support::TempFolder folder;
  const std::string hive = folder.Join("registry.reg");
  struct Case {
    const char* name;
    std::string text;  // empty: a folder in the file's place
    std::string message;
  };
  const Case cases[] = {
      {"bad header", "REGEDIT5\r\n\r\n[HKEY_CLASSES_ROOT\\X]\r\n", "malformed at line 1"},
      {"random bytes", std::string("\x7f\x01\xfe\x00junk\n\x80", 10), "malformed at line 1"},
      {"truncated", "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\FrontPage.Editor\\CLSID]\r\n@=\"{1219",
       "malformed at line 4: a string has no closing quote"},
      {"folder", "", "is not a file"},
  };
  for (const Case& c : cases) {
    fs::remove_all(hive);
    if (c.text.empty()) {
      fs::create_directory(hive);
    } else {
      test_support::WriteText(hive, c.text);
    }
    platform::PosixRegistry registry(hive);
    std::string problem;
    EXPECT_NE(host::RegisterHost(registry, "GlintmereHost.so", "glintmere", &problem),
              platform::kOk)
        << c.name;
    EXPECT_NE(problem.find(hive), std::string::npos) << c.name << ": " << problem;
    EXPECT_NE(problem.find(c.message), std::string::npos) << c.name << ": " << problem;
    EXPECT_EQ(problem.find("registered to another program"), std::string::npos) << c.name;
    if (!c.text.empty()) {
      EXPECT_EQ(test_support::ReadText(hive), c.text) << c.name;
    }
  }
}

// Each run has a session of its own, named in the environment; outside any
// run, the newest open run is joined, and runs that ended are forgotten.
TEST(RunSessionTest, RunsSeeOnlyTheirOwnSessionAndEndedOnesGo) {
  platform::Registry& registry = platform::GetRegistry();
  platform::ClearEnvironmentValue(host::kSessionVariable);
  // A session left by a run that was killed: its process is gone.
  const std::string ended = std::string(host::kRunSessionsKey) + "\\7ffffff0-1";
  ASSERT_EQ(platform::WriteDword(registry, RootKey::kCurrentUser, ended, "Process", 0x7ffffff0),
            platform::kOk);
  ASSERT_EQ(platform::WriteString(registry, RootKey::kCurrentUser, ended, "Web", "/ended"),
            platform::kOk);
  EXPECT_NE(host::CurrentSessionKey(registry), ended);
  {
    host::RunSession first;
    ASSERT_EQ(first.Open(registry), platform::kOk);
    const std::optional<std::string> first_name = platform::EnvironmentValue(host::kSessionVariable);
    ASSERT_TRUE(first_name);
    host::Session session;
    session.web_folder = "/first";
    ASSERT_EQ(session.Save(registry), platform::kOk);
    {
      host::RunSession second;
      ASSERT_EQ(second.Open(registry), platform::kOk);
      EXPECT_NE(platform::EnvironmentValue(host::kSessionVariable), first_name);
      host::Session loaded;
      EXPECT_EQ(host::Session::Load(registry, &loaded), platform::kFileNotFound);
      session.web_folder = "/second";
      ASSERT_EQ(session.Save(registry), platform::kOk);
    }
    EXPECT_EQ(platform::EnvironmentValue(host::kSessionVariable), first_name);
    host::Session loaded;
    ASSERT_EQ(host::Session::Load(registry, &loaded), platform::kOk);
    EXPECT_EQ(loaded.web_folder, "/first");
    // A program started by hand, outside any run, joins the open run.
    platform::ClearEnvironmentValue(host::kSessionVariable);
    ASSERT_EQ(host::Session::Load(registry, &loaded), platform::kOk);
    EXPECT_EQ(loaded.web_folder, "/first");
    platform::SetEnvironmentValue(host::kSessionVariable, *first_name);
  }
  EXPECT_FALSE(platform::EnvironmentValue(host::kSessionVariable));
  std::unique_ptr<platform::RegistryKey> key;
  EXPECT_EQ(registry.OpenKey(RootKey::kCurrentUser, ended, &key), platform::kFileNotFound);
  EXPECT_EQ(host::CurrentSessionKey(registry), host::kSessionKey);
}
#endif

}  // namespace
