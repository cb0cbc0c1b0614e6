// glintmere as separate processes at the same time, and killed half way:
// each run edits its own page, no change reported is lost, and a page is
// always either its old or its new whole text.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "host/registration.h"
#include "runner/webbot_comments.h"
#include "platform/services.h"
#include "tests/support/test_support.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using test_support::ReadText;
using test_support::WriteText;

constexpr const char* kSheet = "Glintmere Java Effects - Applet Test";

// One glintmere process, its output kept in files.
class GlintmereRun {
 public:
  GlintmereRun(const std::vector<std::string>& args, const std::string& output_stem,
      const std::string& data_home)
      : out_(output_stem + ".out"), err_(output_stem + ".err") {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      if (std::string(*e).rfind("XDG_DATA_HOME=", 0) != 0) env.emplace_back(*e);
    }
    // Every run shares one user's data folder, working copies included.
    env.push_back("XDG_DATA_HOME=" + data_home);
    const std::string program = test_support::BinFolder() + "glintmere";
    pid_ = fork();
    if (pid_ == 0) {
      freopen(out_.c_str(), "w", stdout);
      freopen(err_.c_str(), "w", stderr);
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      std::vector<char*> envp;
      for (std::string& e : env) envp.push_back(e.data());
      envp.push_back(nullptr);
      execve(program.c_str(), argv.data(), envp.data());
      _exit(127);
    }
  }
  // The exit code, or -1 for a killed run.
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void Kill() { kill(pid_, SIGKILL); }
  std::string Out() const { return ReadText(out_); }
  std::string Err() const { return ReadText(err_); }

 private:
  std::string out_, err_;
  pid_t pid_ = -1;
};

std::string Answers(const std::string& name) {
  return std::string(R"([{"dialog": ")") + kSheet +
         R"(", "steps": [{"type": "Applet Name:", "text": ")" + name +
         R"("}, {"press": "OK"}]}])";
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class ConcurrentRunsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The runs name this test's data folder as the user's (their registry
    // is this test program's scratch hive).
    std::unique_ptr<platform::RegistryKey> key;
    if (platform::GetRegistry().OpenKey(platform::RootKey::kCurrentUser, host::kShellFoldersKey,
                                        &key) == platform::kOk) {
      key->DeleteValue("AppData");
    }
  }
  // The runs named this test's data folder, which goes with the test.
  void TearDown() override { SetUp(); }
  std::vector<std::string> Insert(const std::string& web, const std::string& answers) {
    return {"insert", "FrameBots.dll", "AppletTest", "--web", web, "--page", "index.htm",
            "--answers", answers};
  }
  std::string Stem(const std::string& name) { return scratch_.Join(name); }

  test_support::TempFolder scratch_;
  test_support::TempFolder data_home_;
};

TEST_F(ConcurrentRunsTest, SixInsertsIntoSixWebsEachLandInTheirOwnPage) {
  constexpr int kRuns = 6;
  std::vector<std::string> webs;
  std::vector<std::unique_ptr<GlintmereRun>> runs;
  for (int i = 0; i < kRuns; ++i) {
    webs.push_back(scratch_.Join("web" + std::to_string(i)));
    fs::create_directories(webs.back());
    WriteText(webs.back() + "/index.htm", "<html><body>\n<p>News</p>\n</body></html>\n");
    WriteText(Stem("answers" + std::to_string(i)), Answers("Web" + std::to_string(i)));
  }
  for (int i = 0; i < kRuns; ++i) {
    runs.push_back(std::make_unique<GlintmereRun>(Insert(webs[i], Stem("answers" + std::to_string(i))),
                                         Stem("run" + std::to_string(i)), data_home_.path()));
  }
  for (int i = 0; i < kRuns; ++i) {
    const std::string name = "Web" + std::to_string(i);
    EXPECT_EQ(runs[i]->Wait(), 0) << runs[i]->Err();
    EXPECT_NE(runs[i]->Out().find(webs[i] + "/index.htm"), std::string::npos) << runs[i]->Out();
    const std::string page = ReadText(webs[i] + "/index.htm");
    EXPECT_EQ(Count(page, "startspan"), 1u) << name << "\n" << page;
    EXPECT_EQ(Count(page, "java-Name=\"" + name + "\""), 1u) << page;
    EXPECT_TRUE(fs::exists(webs[i] + "/_glintmere/KelScroll.class")) << name;
  }
}

TEST_F(ConcurrentRunsTest, FiveEditsOfOnePageAllKeepTheChangesTheyReport) {
  // A page of five components, made from one inserted by glintmere.
  const std::string web = scratch_.Join("web");
  fs::create_directories(web);
  const std::string page_path = web + "/index.htm";
  WriteText(page_path, "<html><body>\n</body></html>\n");
  WriteText(Stem("answers"), Answers("First"));
  GlintmereRun first(Insert(web, Stem("answers")), Stem("first"), data_home_.path());
  ASSERT_EQ(first.Wait(), 0) << first.Err();
  const std::string one = ReadText(page_path);
  const std::vector<runner::WebbotComponent> found = runner::FindWebbotComponents(one);
  ASSERT_EQ(found.size(), 1u);
  const std::string component = one.substr(found[0].begin, found[0].end - found[0].begin);
  std::string page = "<html><body>\n";
  for (int i = 0; i < 5; ++i) page += component;
  WriteText(page_path, page + "</body></html>\n");

  std::vector<std::unique_ptr<GlintmereRun>> runs;
  for (int i = 1; i <= 5; ++i) {
    const std::string n = std::to_string(i);
    WriteText(Stem("edit" + n), Answers("Edit" + n));
    runs.push_back(std::make_unique<GlintmereRun>(
        std::vector<std::string>{"edit", page_path, "--library", "FrameBots.dll", "--component",
                                 n, "--answers", Stem("edit" + n)},
        Stem("edit-run" + n), data_home_.path()));
  }
  std::vector<int> codes;
  for (auto& run : runs) codes.push_back(run->Wait());
  const std::string after = ReadText(page_path);
  EXPECT_EQ(runner::FindWebbotComponents(after).size(), 5u) << after;
  int succeeded = 0;
  for (int i = 0; i < 5; ++i) {
    const std::string name = "Edit" + std::to_string(i + 1);
    if (codes[i] == 0) {
      ++succeeded;
      EXPECT_EQ(Count(after, "java-Name=\"" + name + "\""), 1u) << name << "\n" << after;
    } else {
      // A run whose change could not be made says so.
      EXPECT_EQ(codes[i], 1);
      EXPECT_NE(runs[i]->Err().find("glintmere: "), std::string::npos) << name;
      EXPECT_EQ(Count(after, "java-Name=\"" + name + "\""), 0u) << name;
    }
  }
  // Each edits its own component: under the page's lock none is refused.
  EXPECT_EQ(succeeded, 5);
}

// Files in the web that no run put there on purpose.
std::vector<std::string> ScratchFiles(const std::string& web) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(web)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("~g", 0) == 0 || name.find(".tmp") != std::string::npos) {
      found.push_back(entry.path().string());
    }
  }
  return found;
}

TEST_F(ConcurrentRunsTest, KilledInsertsIntoABigPageLeaveItOldOrNewAndNoScratchFiles) {
  const std::string web = scratch_.Join("web");
  fs::create_directories(web);
  const std::string page_path = web + "/index.htm";
  std::string filler;
  while (filler.size() < 20u << 20) filler += "<p>Harbour news of the day, line by line.</p>\n";
  WriteText(page_path, "<html><body>\n" + filler + "</body></html>\n");
  WriteText(Stem("answers"), Answers("Big"));

  // One whole run tells how long an insertion takes here.
  const auto started = std::chrono::steady_clock::now();
  GlintmereRun whole(Insert(web, Stem("answers")), Stem("whole"), data_home_.path());
  ASSERT_EQ(whole.Wait(), 0) << whole.Err();
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - started);

  std::mt19937 random(20240611);
  std::uniform_int_distribution<long> moment(0, took.count() * 6 / 5);
  std::string before = ReadText(page_path);
  for (int kill = 0; kill < 20; ++kill) {
    GlintmereRun run(Insert(web, Stem("answers")), Stem("killed"), data_home_.path());
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    run.Kill();
    run.Wait();
    const std::string after = ReadText(page_path);
    if (after == before) continue;
    // Otherwise the new whole text: the old one with one more component
    // before the closing body tag.
    const size_t at = before.rfind("</body>");
    ASSERT_GT(after.size(), before.size()) << "kill " << kill;
    ASSERT_EQ(after.compare(0, at, before, 0, at), 0) << "kill " << kill;
    ASSERT_EQ(after.compare(after.size() - (before.size() - at), std::string::npos, before, at),
              0)
        << "kill " << kill;
    const std::string added = after.substr(at, after.size() - before.size());
    ASSERT_EQ(runner::FindWebbotComponents(added).size(), 1u) << "kill " << kill << "\n" << added;
    before = after;
  }
  GlintmereRun next(Insert(web, Stem("answers")), Stem("next"), data_home_.path());
  ASSERT_EQ(next.Wait(), 0) << next.Err();
  EXPECT_EQ(ScratchFiles(web), std::vector<std::string>());
  const std::string hive = std::getenv("GLINTMERE_REGISTRY");
  for (const auto& entry : fs::directory_iterator(fs::path(hive).parent_path())) {
    EXPECT_EQ(entry.path().string().rfind(hive + ".tmp-", 0), std::string::npos)
        << entry.path();
  }
}

}  // namespace

#endif  // !defined(_WIN32)
