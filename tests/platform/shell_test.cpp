// Tests of the shell service through its interface. The started program is
// the shell_helper fixture, built beside the test program, which writes the
// arguments it got into a file in its working folder; the tests wait for
// that file. Natively the POSIX shell runs it (its ".exe" name is found
// without the suffix), under Wine ShellExecuteA does.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/path.h"
#include "base/text.h"
#include "platform/shell.h"
#include "platform/system_services.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// What ShellExecuteA reports, as a Win32 code, when nothing opens the file.
constexpr platform::Status kNoAssociation = 1155;  // ERROR_NO_ASSOCIATION

int AnchorInTheTestProgram() { return 7; }

class ShellTest : public testing::Test {
 protected:
  static std::string Helper() {
    const std::string program = platform::CreateSystemModuleLoader()->PathOfModuleContaining(
        reinterpret_cast<const void*>(&AnchorInTheTestProgram));
    return base::FolderOf(program) + "shell_helper.exe";
  }

  // Waits for a file a started program writes; a Wine process can take a
  // few seconds to start on a busy machine.
  static bool WaitFor(const std::string& path) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fs::exists(path)) {
      if (std::chrono::steady_clock::now() > give_up) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }

  static Lines ReadLines(const std::string& path) {
    Lines lines = base::Split(test_support::ReadText(path), '\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
  }

  platform::ShellRequest HelperRequest(const std::string& parameters) const {
    platform::ShellRequest request;
    request.verb = "open";
    request.file = Helper();
    request.parameters = parameters;
    request.directory = scratch_.path();
    return request;
  }

  std::unique_ptr<platform::Shell> shell_ = platform::CreateSystemShell();
  test_support::TempFolder scratch_;
};

TEST_F(ShellTest, StartsAProgramInItsWorkingFolderWithItsArguments) {
  ASSERT_EQ(platform::kOk,
            shell_->Execute(HelperRequest("marker.txt one \"two words\"   three")));
  ASSERT_TRUE(WaitFor(scratch_.Join("marker.txt")));
  EXPECT_EQ((Lines{"one", "two words", "three"}), ReadLines(scratch_.Join("marker.txt")));
}

TEST_F(ShellTest, ParametersArriveAsAWindowsProgramSplitsThem) {
  platform::ShellRequest request = HelperRequest(
      R"(split.txt "C:\Program Files\Kel" a\\\"b "" tail\\ "x""y z" q)");
  request.verb = "";  // the default verb
  request.show = false;
  ASSERT_EQ(platform::kOk, shell_->Execute(request));
  ASSERT_TRUE(WaitFor(scratch_.Join("split.txt")));
  // A doubled quote inside quotes is a literal quote, and the quoted part
  // goes on.
  EXPECT_EQ((Lines{R"(C:\Program Files\Kel)", R"(a\"b)", "", R"(tail\\)", R"(x"y z)", "q"}),
            ReadLines(scratch_.Join("split.txt")));
}

TEST_F(ShellTest, MissingProgramIsFileNotFound) {
  platform::ShellRequest request;
  request.file = scratch_.path() + "\\NoSuchProgram.exe";
  EXPECT_EQ(platform::kFileNotFound, shell_->Execute(request));
  request.file = scratch_.path() + "\\no folder\\NoSuchProgram.exe";
  EXPECT_EQ(platform::kFileNotFound, shell_->Execute(request));
  request.file = "glintmere-no-such-program.exe";
  EXPECT_EQ(platform::kFileNotFound, shell_->Execute(request));
}

TEST_F(ShellTest, MissingWorkingFolderStartsNothing) {
  platform::ShellRequest request = HelperRequest("stray.txt");
  request.directory = scratch_.path() + "\\gone";
  EXPECT_EQ(platform::kPathNotFound, shell_->Execute(request));
  // Had it started anyway, it would write into the current folder.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_FALSE(fs::exists("stray.txt"));
}

TEST_F(ShellTest, FileThatIsNoProgramIsBadFormat) {
  const std::string junk = scratch_.Join("junk.exe");
  test_support::WriteText(junk, "not a program at all");
  fs::permissions(junk, fs::perms::owner_all);
  platform::ShellRequest request;
  request.file = scratch_.path() + "\\junk.exe";
  EXPECT_EQ(11u, shell_->Execute(request));  // ERROR_BAD_FORMAT
}

TEST_F(ShellTest, DocumentNothingOpensIsNoAssociation) {
  test_support::WriteText(scratch_.Join("notes.glintmere-unknown"), "text");
#if !defined(_WIN32)
  // No desktop opener on the search path.
  const std::string saved_path = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", scratch_.path().c_str(), 1);
#endif
  platform::ShellRequest request;
  request.file = scratch_.path() + "\\notes.glintmere-unknown";
  const platform::Status status = shell_->Execute(request);
#if !defined(_WIN32)
  ::setenv("PATH", saved_path.c_str(), 1);
#endif
  EXPECT_EQ(kNoAssociation, status);
}

#if defined(__linux__)

// The POSIX shell hands documents, folders and URLs to xdg-open. A stand-in
// on PATH records what it was given.
TEST_F(ShellTest, DocumentsAndUrlsGoToTheDesktopOpener) {
  fs::create_directory(scratch_.Join("bin"));
  const std::string opener = scratch_.Join("bin/xdg-open");
  test_support::WriteText(opener,
                          "#!/bin/sh\n"
                          "printf '%s\\n' \"$@\" > \"part-$$\" && mv \"part-$$\" \"opened-$$\"\n");
  fs::permissions(opener, fs::perms::owner_all);
  test_support::WriteText(scratch_.Join("page.htm"), "<html></html>");

  const std::string saved_path = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (scratch_.Join("bin") + ":/usr/bin:/bin").c_str(), 1);
  platform::ShellRequest document;
  document.file = scratch_.path() + "\\page.htm";
  document.directory = scratch_.path();
  const platform::Status document_status = shell_->Execute(document);
  platform::ShellRequest url;
  url.file = "http://example.com/a b";
  url.directory = scratch_.path();
  const platform::Status url_status = shell_->Execute(url);
  ::setenv("PATH", saved_path.c_str(), 1);

  ASSERT_EQ(platform::kOk, document_status);
  ASSERT_EQ(platform::kOk, url_status);
  Lines opened;
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (opened.size() < 2 && std::chrono::steady_clock::now() < give_up) {
    opened.clear();
    for (const auto& entry : fs::directory_iterator(scratch_.path())) {
      if (base::StartsWithNoCase(entry.path().filename().string(), "opened-")) {
        for (const std::string& line : ReadLines(entry.path().string())) opened.push_back(line);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  Lines expected{"http://example.com/a b", scratch_.Join("page.htm")};
  std::sort(opened.begin(), opened.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, opened);
}

// Processes whose parent is this one, read from /proc.
Lines ChildrenOfThisProcess() {
  const std::string self = fs::read_symlink("/proc/self").string();
  Lines children;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string stat = test_support::ReadText(entry.path().string() + "/stat");
    const size_t end_of_name = stat.rfind(')');
    if (end_of_name == std::string::npos) continue;
    // "pid (name) state ppid ..."
    const Lines fields = base::Split(stat.substr(end_of_name + 2), ' ');
    if (fields.size() > 1 && fields[1] == self) children.push_back(entry.path().string());
  }
  return children;
}

TEST_F(ShellTest, LeavesNoChildProcessBehind) {
  ASSERT_EQ(platform::kOk, shell_->Execute(HelperRequest("done.txt")));
  // Not even while the program runs: it was started by a child that is gone.
  EXPECT_EQ(Lines{}, ChildrenOfThisProcess());
  ASSERT_TRUE(WaitFor(scratch_.Join("done.txt")));
  EXPECT_EQ(Lines{}, ChildrenOfThisProcess());
}

#endif

}  // namespace
