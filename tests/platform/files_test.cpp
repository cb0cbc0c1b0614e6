// Tests of the files service through its interface. The same cases run
// natively against the POSIX implementation and under Wine against the Win32
// one; scratch files are made and checked with the standard library, not
// with the service under test.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "base/path.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/process_lock.h"
#include "platform/system_services.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using platform::Status;
using Names = std::vector<std::string>;

TEST(MatchFilePatternTest, MatchesAsWindowsDoes) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Case cases[] = {
      {"*.gif", "logo.gif", true},
      {"*.gif", "A.GIF", true},  // letters without regard to case
      {"*.gif", ".gif", true},
      {"*.gif", "logo.gif.bak", false},
      {"*.gif", "logo.jpg", false},
      {"*.htm", "page.html", false},  // no 8.3 short-name surprises
      {"*.*", "README", true},        // "*.*" also finds names without a dot
      {"*.*", "a.b.c", true},
      {"*", "README", true},
      {"*.", "README", true},  // "*." finds only names without a dot
      {"*.", "a.txt", false},
      {"a?c.*", "ABC.txt", true},
      {"a?c.*", "abc", true},  // ".*" at the end also matches nothing
      {"a?c.*", "ac.txt", false},
      {"a?c.*", "a.c.txt", false},  // "?" never matches the dot
      {"????.txt", "ab.txt", true},  // "?" before a dot may match nothing
      {"????.txt", "abcde.txt", false},
      {"a?", "a", true},
      {"btn*.gif", "Btn12.GIF", true},
      {"btn*.gif", "xbtn1.gif", false},
      {"*.b*", "a.b.gif", true},
      {"\xC9t\xE9*", "\xE9T\xC9.txt", true},  // code page 1252 letters fold too
      {"*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
      {"", "a", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.matches, platform::MatchFilePattern(c.pattern, c.name))
        << "pattern \"" << c.pattern << "\", name \"" << c.name << "\"";
  }
}

class FilesTest : public testing::Test {
 protected:
  // Path of name in the scratch folder, written the Windows way, which both
  // implementations must take.
  std::string At(const std::string& name) const { return scratch_.path() + "\\" + name; }
  // The same file as the standard library names it.
  std::string Native(const std::string& name) const { return scratch_.Join(name); }

  void Put(const std::string& name, const std::string& text) const {
    test_support::WriteText(Native(name), text);
  }
  std::string Get(const std::string& name) const { return test_support::ReadText(Native(name)); }
  bool Has(const std::string& name) const { return test_support::Exists(Native(name)); }
  Names Everything() const {
    Names names;
    for (const auto& entry : fs::directory_iterator(scratch_.path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  std::unique_ptr<platform::Files> files_ = platform::CreateSystemFiles();
  test_support::TempFolder scratch_;
};

TEST_F(FilesTest, FindFilesMatchesFilesOnlyAndSortsWithoutRegardToCase) {
  Put("b.gif", "b");
  Put("A.GIF", "a");
  Put("C.gif", "c");
  Put("c.jpg", "j");
  Put("README", "r");
  fs::create_directory(Native("d.gif"));  // a folder that matches the pattern

  Names names{"stale"};
  ASSERT_EQ(platform::kOk, files_->FindFiles(scratch_.path() + "\\", "*.gif", &names));
  EXPECT_EQ((Names{"A.GIF", "b.gif", "C.gif"}), names);

  ASSERT_EQ(platform::kOk, files_->FindFiles(scratch_.path(), "*.*", &names));
  EXPECT_EQ((Names{"A.GIF", "b.gif", "C.gif", "c.jpg", "README"}), names);

  ASSERT_EQ(platform::kOk, files_->FindFiles(scratch_.path(), "*.png", &names));
  EXPECT_TRUE(names.empty());

  ASSERT_EQ(platform::kOk, files_->ListFolders(scratch_.path(), &names));
  EXPECT_EQ((Names{"d.gif"}), names);
}

TEST_F(FilesTest, ListingAMissingFolderIsPathNotFound) {
  Names names{"stale"};
  EXPECT_EQ(platform::kPathNotFound, files_->FindFiles(At("missing"), "*.*", &names));
  EXPECT_TRUE(names.empty());
  Put("plain.txt", "x");
  EXPECT_EQ(platform::kPathNotFound, files_->ListFolders(At("plain.txt"), &names));
}

TEST_F(FilesTest, ExistenceTellsFilesFromFolders) {
  Put("file.txt", "x");
  fs::create_directory(Native("folder"));
  EXPECT_TRUE(files_->FileExists(At("file.txt")));
  EXPECT_FALSE(files_->FolderExists(At("file.txt")));
  EXPECT_TRUE(files_->FolderExists(At("folder")));
  EXPECT_FALSE(files_->FileExists(At("folder")));
  EXPECT_FALSE(files_->FileExists(At("missing.txt")));
  EXPECT_FALSE(files_->FolderExists(At("missing")));
}

TEST_F(FilesTest, CopyReplacesOnlyWhenAskedAndKeepsTheWriteTime) {
  Put("from.txt", "new contents");
  const auto written = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  fs::last_write_time(Native("from.txt"), written);

  ASSERT_EQ(platform::kOk, files_->CopyFile(At("from.txt"), At("to.txt"), false));
  EXPECT_EQ("new contents", Get("to.txt"));
  EXPECT_EQ("new contents", Get("from.txt"));
  const auto copied = fs::last_write_time(Native("to.txt"));
  EXPECT_LT(std::chrono::abs(copied - written), std::chrono::seconds(2));

  Put("to.txt", "old");
  EXPECT_EQ(platform::kFileExists, files_->CopyFile(At("from.txt"), At("to.txt"), false));
  EXPECT_EQ("old", Get("to.txt"));
  ASSERT_EQ(platform::kOk, files_->CopyFile(At("from.txt"), At("to.txt"), true));
  EXPECT_EQ("new contents", Get("to.txt"));
  // No temporary file is left beside the target.
  EXPECT_EQ(2u, Everything().size());
}

TEST_F(FilesTest, CopyFailuresLeaveEverythingAsItWas) {
  Put("keep.txt", "precious");
  EXPECT_EQ(platform::kFileNotFound, files_->CopyFile(At("missing.txt"), At("x.txt"), true));
  EXPECT_EQ(platform::kPathNotFound,
            files_->CopyFile(At("keep.txt"), At("no\\such\\folder.txt"), true));
  // Copying a file onto itself must not truncate it.
  EXPECT_NE(platform::kOk, files_->CopyFile(At("keep.txt"), At("keep.txt"), true));
  EXPECT_EQ("precious", Get("keep.txt"));
  EXPECT_EQ((Names{"keep.txt"}), Everything());
}

TEST_F(FilesTest, MoveRenamesAndReplacesOnlyWhenAsked) {
  Put("a.txt", "A");
  ASSERT_EQ(platform::kOk, files_->MoveFile(At("a.txt"), At("b.txt"), false));
  EXPECT_FALSE(Has("a.txt"));
  EXPECT_EQ("A", Get("b.txt"));

  Put("c.txt", "C");
  EXPECT_EQ(platform::kAlreadyExists, files_->MoveFile(At("c.txt"), At("b.txt"), false));
  EXPECT_EQ("A", Get("b.txt"));
  EXPECT_EQ("C", Get("c.txt"));
  ASSERT_EQ(platform::kOk, files_->MoveFile(At("c.txt"), At("b.txt"), true));
  EXPECT_EQ("C", Get("b.txt"));
  EXPECT_FALSE(Has("c.txt"));

  EXPECT_EQ(platform::kFileNotFound, files_->MoveFile(At("gone.txt"), At("d.txt"), true));
  EXPECT_EQ(platform::kPathNotFound, files_->MoveFile(At("b.txt"), At("none\\b.txt"), true));
  EXPECT_EQ("C", Get("b.txt"));
}

TEST_F(FilesTest, DeleteFileRemovesFilesButNotFolders) {
  Put("doomed.txt", "x");
  ASSERT_EQ(platform::kOk, files_->DeleteFile(At("doomed.txt")));
  EXPECT_FALSE(Has("doomed.txt"));
  EXPECT_EQ(platform::kFileNotFound, files_->DeleteFile(At("doomed.txt")));
  EXPECT_EQ(platform::kPathNotFound, files_->DeleteFile(At("nowhere\\doomed.txt")));
  fs::create_directory(Native("folder"));
  EXPECT_EQ(platform::kAccessDenied, files_->DeleteFile(At("folder")));
  EXPECT_TRUE(fs::is_directory(Native("folder")));
}

TEST_F(FilesTest, CreateFolderAndCreateFolders) {
  ASSERT_EQ(platform::kOk, files_->CreateFolder(At("one")));
  EXPECT_TRUE(fs::is_directory(Native("one")));
  EXPECT_EQ(platform::kAlreadyExists, files_->CreateFolder(At("one")));
  EXPECT_EQ(platform::kPathNotFound, files_->CreateFolder(At("two\\three")));

  ASSERT_EQ(platform::kOk, files_->CreateFolders(At("two\\three\\four\\")));
  EXPECT_TRUE(fs::is_directory(Native("two/three/four")));
  EXPECT_EQ(platform::kOk, files_->CreateFolders(At("two\\three")));

  // A file where a folder should be.
  Put("blocker", "x");
  EXPECT_EQ(platform::kAlreadyExists, files_->CreateFolders(At("blocker")));
  EXPECT_EQ(platform::kPathNotFound, files_->CreateFolders(At("blocker\\below")));
  EXPECT_EQ("x", Get("blocker"));
}

TEST_F(FilesTest, DeleteTreeRemovesEverythingInside) {
  Put("tree/a.txt", "a");
  Put("tree/sub/b.txt", "b");
  Put("tree/sub/deeper/c.txt", "c");
  // A read-only file goes too, which DeleteFileA alone would refuse.
  fs::permissions(Native("tree/sub/b.txt"), fs::perms::owner_write | fs::perms::group_write |
                                                fs::perms::others_write,
                  fs::perm_options::remove);
  ASSERT_EQ(platform::kOk, files_->DeleteTree(At("tree")));
  EXPECT_FALSE(Has("tree"));

  EXPECT_EQ(platform::kPathNotFound, files_->DeleteTree(At("tree")));
  Put("lonely.txt", "x");
  EXPECT_EQ(platform::kPathNotFound, files_->DeleteTree(At("lonely.txt")));
  EXPECT_TRUE(Has("lonely.txt"));
}

TEST_F(FilesTest, DeleteTreeRemovesLinksNotWhatTheyPointTo) {
  Put("outside/keep.txt", "keep");
  Put("tree/a.txt", "a");
  std::error_code error;
  fs::create_directory_symlink(Native("outside"), Native("tree/link"), error);
  if (error) GTEST_SKIP() << "no folder links here: " << error.message();
  ASSERT_EQ(platform::kOk, files_->DeleteTree(At("tree")));
  EXPECT_FALSE(Has("tree"));
  EXPECT_EQ("keep", Get("outside/keep.txt"));
}

TEST_F(FilesTest, ReadFileGivesTheExactBytes) {
  const std::string bytes("line one\r\nline two\n\0\x1A\xFF end", 27);
  Put("data.bin", bytes);
  std::string contents = "stale";
  ASSERT_EQ(platform::kOk, files_->ReadFile(At("data.bin"), &contents));
  EXPECT_EQ(bytes, contents);

  EXPECT_EQ(platform::kFileNotFound, files_->ReadFile(At("missing.txt"), &contents));
  EXPECT_TRUE(contents.empty());
  EXPECT_EQ(platform::kPathNotFound, files_->ReadFile(At("missing\\x.txt"), &contents));
  fs::create_directory(Native("folder"));
  EXPECT_EQ(platform::kAccessDenied, files_->ReadFile(At("folder"), &contents));
}

TEST_F(FilesTest, ReadFilePrefixReadsAtMostTheBytesAskedFor) {
  Put("data.bin", "0123456789");
  for (const size_t most : {0, 4, 10, 1000}) {
    std::string contents = "stale";
    ASSERT_EQ(platform::kOk, files_->ReadFilePrefix(At("data.bin"), most, &contents));
    EXPECT_EQ(std::string("0123456789").substr(0, most), contents);
  }
  std::string contents;
  EXPECT_EQ(platform::kFileNotFound, files_->ReadFilePrefix(At("missing.txt"), 4, &contents));
}

#if !defined(_WIN32)
// Only regular files are read: a FIFO would wait for a writer for ever and a
// device such as /dev/zero would never end.
TEST_F(FilesTest, ReadFileRefusesWhatIsNotARegularFile) {
  ASSERT_EQ(mkfifo(Native("fifo").c_str(), 0600), 0);
  for (const std::string& path : {At("fifo"), std::string("/dev/zero"), std::string("/dev/null")}) {
    std::string contents = "stale";
    EXPECT_EQ(platform::kAccessDenied, files_->ReadFile(path, &contents)) << path;
    EXPECT_TRUE(contents.empty()) << path;
  }
}
#endif

// Real paths follow links, so a link that leads out of a folder is seen to
// lie outside it; a missing tail is kept as written.
TEST_F(FilesTest, RealPathsFollowLinksOutOfAFolder) {
  Put("web/page.htm", "p");
  Put("outside/secret.htm", "s");
  std::error_code error;
  fs::create_symlink(Native("outside/secret.htm"), Native("web/link.htm"), error);
  if (error) GTEST_SKIP() << "no file links here: " << error.message();
  fs::create_directory_symlink(Native("outside"), Native("web/sub"), error);
  if (error) GTEST_SKIP() << "no folder links here: " << error.message();
  struct Case {
    const char* path;
    bool inside;
  };
  const Case cases[] = {{"web\\page.htm", true},     {"web\\new\\file.htm", true},
                        {"web\\link.htm", false},    {"web\\sub\\secret.htm", false},
                        {"web\\sub\\missing.htm", false}, {"web", true},
                        {"outside\\secret.htm", false}, {"web\\..\\outside", false}};
  for (const Case& c : cases) {
    EXPECT_EQ(platform::RealPathIsInside(At(c.path), At("web")), c.inside) << c.path;
  }
  EXPECT_EQ(platform::RealPath(At("web\\sub\\secret.htm")),
            platform::RealPath(At("outside\\secret.htm")));
}

// A process lock excludes every other holder until it goes, and locks of
// other names do not wait for it.
TEST(ProcessLockTest, OneHolderAtATime) {
  platform::Status status = 1;
  auto held = platform::AcquireProcessLock("test-lock-" + test_support::UniqueName("a"), &status);
  ASSERT_TRUE(held) << status;
  EXPECT_EQ(status, platform::kOk);
  const std::string name = "test-lock-" + test_support::UniqueName("b");
  std::atomic<int> order{0};
  int second_at = 0;
  auto first = platform::AcquireProcessLock(name, &status);
  ASSERT_TRUE(first);
  std::thread other([&] {
    platform::Status other_status = 1;
    auto lock = platform::AcquireProcessLock(name, &other_status);
    second_at = ++order;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const int released_at = ++order;
  first.reset();
  other.join();
  EXPECT_EQ(released_at, 1);
  EXPECT_EQ(second_at, 2);
  EXPECT_FALSE(platform::AcquireProcessLock("no/slashes", &status));
  EXPECT_EQ(status, platform::kInvalidName);
}

TEST_F(FilesTest, WriteFileAtomicReplacesTheWholeFileAndLeavesNothingElse) {
  const std::string big(1 << 20, 'x');
  ASSERT_EQ(platform::kOk, files_->WriteFileAtomic(At("page.htm"), big));
  EXPECT_EQ(big, Get("page.htm"));
  const std::string bytes("short\r\n\0end", 11);
  ASSERT_EQ(platform::kOk, files_->WriteFileAtomic(At("page.htm"), bytes));
  EXPECT_EQ(bytes, Get("page.htm"));
  ASSERT_EQ(platform::kOk, files_->WriteFileAtomic(At("empty.txt"), ""));
  EXPECT_EQ("", Get("empty.txt"));
  Names all = Everything();
  std::sort(all.begin(), all.end());
  EXPECT_EQ((Names{"empty.txt", "page.htm"}), all);
}

TEST_F(FilesTest, WriteFileAtomicRemovesOnlyOldScratchFilesOfKilledRuns) {
  // A killed run's copy of a page, an hour old; one a run is writing now;
  // an old file that only looks alike.
  Put("~gm3F2A.tmp", "half a page");
  Put("~gm51.tmp", "being written");
  Put("~gx3F2B.tmp", "someone else's");
  for (const char* name : {"~gm3F2A.tmp", "~gx3F2B.tmp"}) {
    fs::last_write_time(Native(name), fs::file_time_type::clock::now() - std::chrono::hours(1));
  }
  ASSERT_EQ(platform::kOk, files_->WriteFileAtomic(At("page.htm"), "new"));
  Names all = Everything();
  std::sort(all.begin(), all.end());
  EXPECT_EQ((Names{"page.htm", "~gm51.tmp", "~gx3F2B.tmp"}), all);
}

TEST_F(FilesTest, WriteFileAtomicThatCannotFinishLeavesTheOldState) {
  // The folder of the target is gone: nothing may appear anywhere.
  EXPECT_EQ(platform::kPathNotFound, files_->WriteFileAtomic(At("gone\\page.htm"), "x"));
  EXPECT_TRUE(Everything().empty());

  // The rename cannot replace a folder: the folder and what it holds stay,
  // and the temporary file is cleaned up.
  Put("page.htm/inside.txt", "inside");
  EXPECT_NE(platform::kOk, files_->WriteFileAtomic(At("page.htm"), "new"));
  EXPECT_EQ("inside", Get("page.htm/inside.txt"));
  EXPECT_EQ((Names{"page.htm"}), Everything());
}

TEST_F(FilesTest, WriteFileAtomicWritesThroughALink) {
  Put("real.txt", "old");
  std::error_code error;
  fs::create_symlink(Native("real.txt"), Native("link.txt"), error);
  if (error) GTEST_SKIP() << "no file links here: " << error.message();
  ASSERT_EQ(platform::kOk, files_->WriteFileAtomic(At("link.txt"), "new"));
  EXPECT_TRUE(fs::is_symlink(Native("link.txt")));
  EXPECT_EQ("new", Get("real.txt"));
}

TEST_F(FilesTest, TempFilesAreNewEmptyAndUnique) {
  const std::string temp_folder = files_->TempFolder();
  ASSERT_FALSE(temp_folder.empty());
  EXPECT_TRUE(base::IsPathSeparator(temp_folder.back()));
  EXPECT_TRUE(fs::is_directory(temp_folder));

  std::set<std::string> paths;
  for (int i = 0; i < 25; ++i) {
    std::string path;
    ASSERT_EQ(platform::kOk, files_->CreateTempFile(scratch_.path(), "glintmere", &path));
    const std::string name = base::FileNameOf(path);
    // Three characters of the prefix, a hexadecimal number, ".tmp".
    ASSERT_TRUE(base::StartsWithNoCase(name, "gli")) << name;
    ASSERT_TRUE(base::EndsWithNoCase(name, ".tmp")) << name;
    const std::string number = name.substr(3, name.size() - 7);
    EXPECT_FALSE(number.empty()) << name;
    EXPECT_EQ(std::string::npos, number.find_first_not_of("0123456789abcdefABCDEF")) << name;
    EXPECT_TRUE(fs::is_regular_file(path)) << path;
    EXPECT_EQ(0u, fs::file_size(path)) << path;
    paths.insert(path);
  }
  EXPECT_EQ(25u, paths.size());
  EXPECT_EQ(25u, Everything().size());
}

TEST_F(FilesTest, TempFileFailures) {
  std::string path;
  EXPECT_EQ(platform::kPathNotFound, files_->CreateTempFile(At("missing"), "tmp", &path));
  // A prefix cannot lead the file out of its folder.
  EXPECT_EQ(platform::kInvalidName, files_->CreateTempFile(scratch_.path(), "..\\", &path));
  EXPECT_EQ(platform::kInvalidName, files_->CreateTempFile(scratch_.path(), "a/", &path));
  EXPECT_TRUE(Everything().empty());
}

TEST_F(FilesTest, FullPathIsAbsoluteAndResolved) {
  const std::string full = files_->FullPath(At("sub\\..\\page.htm"));
  EXPECT_TRUE(fs::path(full).is_absolute()) << full;
  EXPECT_EQ("page.htm", base::FileNameOf(full));
  EXPECT_EQ(std::string::npos, full.find("..")) << full;
  EXPECT_EQ(full, files_->FullPath(full));
  EXPECT_TRUE(fs::path(files_->FullPath("relative.txt")).is_absolute());
  EXPECT_EQ("", files_->FullPath(""));
}

}  // namespace
