// The folder lookup against the registry service (natively the scratch hive
// of the test run, under Wine the registry of the test prefix) and the files
// service on scratch folders, and the start of the help viewer through a
// recording shell.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "botframe/edit_state.h"
#include "botframe/install_folders.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "tests/support/saved_value.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using platform::RegistryKey;
using platform::RegistryValue;
using platform::RootKey;

constexpr RootKey kMachine = RootKey::kLocalMachine;
constexpr RootKey kUser = RootKey::kCurrentUser;
constexpr char kCompanyKey[] = "Software\\Kel Software";
constexpr char kProductKey[] = "Software\\Kel Software\\GMQFX";
constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kWindowsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

using test_support::SavedValue;

class InstallFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::unique_ptr<RegistryKey> company;
    company_existed_ =
        platform::GetRegistry().OpenKey(kMachine, kCompanyKey, &company) == platform::kOk;
    master_ = std::make_unique<SavedValue>(kMachine, kProductKey, "MasterFolder");
    install_root_ = std::make_unique<SavedValue>(kMachine, kProductKey, "InstallRoot");
    common_path_ = std::make_unique<SavedValue>(kMachine, kCompanyKey, "CommonPath");
    app_data_ = std::make_unique<SavedValue>(kUser, kShellFoldersKey, "AppData");
    program_files_ = std::make_unique<SavedValue>(kMachine, kWindowsKey, "ProgramFilesDir");
    // Every test starts from a machine where none of the values is set.
    for (SavedValue* value : Values()) value->Delete();
  }

  void TearDown() override {
    master_.reset();
    install_root_.reset();
    common_path_.reset();
    app_data_.reset();
    program_files_.reset();
    if (!company_existed_) platform::GetRegistry().DeleteTree(kMachine, kCompanyKey);
  }

  std::vector<SavedValue*> Values() {
    return {master_.get(), install_root_.get(), common_path_.get(), app_data_.get(),
            program_files_.get()};
  }

  // A scratch folder in the Windows style the product uses ("\" between
  // names), which the POSIX services accept too.
  std::string Folder(const std::string& name) const { return scratch_.path() + "\\" + name; }
  // Makes a file below the scratch folder ("a/b.gif").
  void MakeFile(const std::string& relative) const {
    test_support::WriteText(scratch_.Join(relative), "x");
  }
  bool IsFolder(const std::string& relative) const {
    return fs::is_directory(scratch_.Join(relative));
  }

  botframe::EditRunState state;
  test_support::TempFolder scratch_;
  bool company_existed_ = false;
  std::unique_ptr<SavedValue> master_, install_root_, common_path_, app_data_, program_files_;
};

TEST_F(InstallFoldersTest, MasterFolderFromTheRegistryEndsInABackslash) {
  MakeFile("master/_glintmere/KelScroll.class");
  master_->Set(Folder("master"));
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, Folder("master\\"));

  master_->Set(Folder("master\\"));
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, Folder("master\\"));
}

TEST_F(InstallFoldersTest, MasterFolderWithoutAppletFilesIsEmpty) {
  // The module folder has the files, but a master folder named in the
  // registry is not replaced by it.
  MakeFile("module/_glintmere/KelScroll.class");
  state.module_folder = Folder("module\\");
  master_->Set(Folder("master"));
  fs::create_directories(scratch_.Join("master/_glintmere/sub"));
  state.master_folder = "stale\\";
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, "") << "a subfolder is no applet file";

  master_->Set(Folder("missing"));
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, "");
}

TEST_F(InstallFoldersTest, WithoutMasterFolderValueTheModuleFolderIsUsed) {
  MakeFile("module/_glintmere/QFXLogo.gif");
  state.module_folder = Folder("module\\");
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, Folder("module\\"));

  master_->Set("");  // an empty value counts as absent
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, Folder("module\\"));

  fs::create_directories(scratch_.Join("bare/_glintmere"));
  state.module_folder = Folder("bare\\");
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, "") << "empty _glintmere";

  state.module_folder = Folder("nothing\\");
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, "") << "no _glintmere";

  // Without any folder nothing is searched (a lone "\" would be the drive's
  // root).
  state.module_folder = "";
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, "");
}

TEST_F(InstallFoldersTest, UserDataFolderIsMadeUnderAppData) {
  fs::create_directories(scratch_.Join("appdata"));
  app_data_->Set(Folder("appdata"));
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.user_data_folder, Folder("appdata\\Kel Software\\Glintmere\\"));
  EXPECT_TRUE(IsFolder("appdata/Kel Software/Glintmere/_glintmere"));

  // Folders already there are fine; a trailing backslash is not doubled.
  MakeFile("appdata/Kel Software/Glintmere/_glintmere/kept.gif");
  app_data_->Set(Folder("appdata\\"));
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.user_data_folder, Folder("appdata\\Kel Software\\Glintmere\\"));
  EXPECT_TRUE(
      test_support::Exists(scratch_.Join("appdata/Kel Software/Glintmere/_glintmere/kept.gif")));
}

TEST_F(InstallFoldersTest, UserDataFolderIsEmptyWhenItCannotBeMade) {
  state.user_data_folder = "stale\\";
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.user_data_folder, "") << "no AppData value";

  app_data_->Set(Folder("missing"));
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.user_data_folder, "") << "AppData folder missing";
  EXPECT_FALSE(IsFolder("missing"));

  // A file where a folder belongs is no folder that "already exists".
  MakeFile("a/Kel Software");
  app_data_->Set(Folder("a"));
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.user_data_folder, "") << "file Kel Software";

  MakeFile("b/Kel Software/Glintmere/_glintmere");
  app_data_->Set(Folder("b"));
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.user_data_folder, "") << "file _glintmere";
}

TEST_F(InstallFoldersTest, InstallAndCommonFolderFallBackToProgramFiles) {
  program_files_->Set("C:\\Program Files");
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.install_folder, "C:\\Program Files\\Kel Software\\Glintmere\\");
  EXPECT_EQ(state.common_folder, "C:\\Program Files\\Kel Software\\Glintmere\\");

  program_files_->Set("D:\\Apps\\");
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.install_folder, "D:\\Apps\\Kel Software\\Glintmere\\");

  install_root_->Set("E:\\Glintmere");
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.install_folder, "E:\\Glintmere\\");
  EXPECT_EQ(state.common_folder, "E:\\Glintmere\\");

  common_path_->Set("C:\\Common");
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.install_folder, "E:\\Glintmere\\");
  EXPECT_EQ(state.common_folder, "C:\\Common\\");

  common_path_->Set("C:\\Common\\");
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.common_folder, "C:\\Common\\");
}

TEST_F(InstallFoldersTest, WithNothingInstalledEveryFolderIsEmpty) {
  state.master_folder = "stale\\";
  state.user_data_folder = "stale\\";
  state.install_folder = "stale\\";
  state.common_folder = "stale\\";
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, "");
  EXPECT_EQ(state.user_data_folder, "");
  EXPECT_EQ(state.install_folder, "");
  EXPECT_EQ(state.common_folder, "");
}

TEST_F(InstallFoldersTest, ValuesOfAnotherTypeCountAsAbsent) {
  install_root_->SetDword(1);
  common_path_->SetDword(1);
  program_files_->Set("C:\\Program Files");
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.install_folder, "C:\\Program Files\\Kel Software\\Glintmere\\");
  EXPECT_EQ(state.common_folder, "C:\\Program Files\\Kel Software\\Glintmere\\");
}

TEST_F(InstallFoldersTest, ValuesTooLongForTheBufferCountAsAbsentNotCut) {
  const std::string longest = "C:\\" + std::string(botframe::kMaxFolderValueLength - 3, 'x');
  const std::string too_long = longest + "y";
  ASSERT_EQ(longest.size(), 1023u);

  program_files_->Set("C:\\Program Files");
  install_root_->Set(longest);
  common_path_->Set(longest);
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.install_folder, longest + "\\");
  EXPECT_EQ(state.common_folder, longest + "\\");

  install_root_->Set(too_long);
  common_path_->Set(too_long);
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.install_folder, "C:\\Program Files\\Kel Software\\Glintmere\\");
  EXPECT_EQ(state.common_folder, "C:\\Program Files\\Kel Software\\Glintmere\\");

  // An overlong master folder falls back to the module folder; the longest
  // one taken is searched and, holding no files, leaves the folder empty.
  MakeFile("module/_glintmere/KelScroll.class");
  state.module_folder = Folder("module\\");
  master_->Set(too_long);
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, Folder("module\\"));
  master_->Set(longest);
  botframe::FindInstallFolders(state);
  EXPECT_EQ(state.master_folder, "");
}

// A shell that records what it is asked to start.
class RecordingShell : public platform::Shell {
 public:
  platform::Status Execute(const platform::ShellRequest& request) override {
    requests.push_back(request);
    return result;
  }
  platform::Status result = platform::kOk;
  std::vector<platform::ShellRequest> requests;
};

class LaunchHelpTest : public ::testing::Test {
 protected:
  bool LaunchHelp(const std::string& topic, const std::string& page) {
    return botframe::LaunchHelp(common_folder_, topic, page);
  }

  // The one request made; empty parameters when there was none.
  platform::ShellRequest Only() {
    EXPECT_EQ(shell_.requests.size(), 1u);
    return shell_.requests.empty() ? platform::ShellRequest() : shell_.requests.front();
  }

  std::string common_folder_ = "C:\\Common\\";
  RecordingShell shell_;
  platform::ScopedServices services_{platform::Services{.shell = &shell_}};
};

TEST_F(LaunchHelpTest, StartsTheViewerOnTheQuotedHelpFolderAndTopic) {
  EXPECT_TRUE(LaunchHelp("SAApplet", ""));
  const platform::ShellRequest request = Only();
  EXPECT_EQ(request.verb, "open");
  EXPECT_EQ(request.file, "C:\\Common\\KelHelp.exe");
  EXPECT_EQ(request.parameters, "\"C:\\Common\\QFXHelp\\\" /cSAApplet");
  EXPECT_EQ(request.directory, "");
  EXPECT_TRUE(request.show);
}

TEST_F(LaunchHelpTest, PageOnlyWithoutATopic) {
  EXPECT_TRUE(LaunchHelp("", "index.htm"));
  EXPECT_EQ(Only().parameters, "\"C:\\Common\\QFXHelp\\\" index.htm");

  shell_.requests.clear();
  EXPECT_TRUE(LaunchHelp("ButtonBar", "index.htm"));
  EXPECT_EQ(Only().parameters, "\"C:\\Common\\QFXHelp\\\" /cButtonBar");

  shell_.requests.clear();
  EXPECT_TRUE(LaunchHelp("", ""));
  EXPECT_EQ(Only().parameters, "\"C:\\Common\\QFXHelp\\\"");
}

TEST_F(LaunchHelpTest, FailsWithoutCommonFolderOrWhenTheShellFails) {
  common_folder_ = "";
  EXPECT_FALSE(LaunchHelp("SAApplet", ""));
  EXPECT_TRUE(shell_.requests.empty());

  common_folder_ = "C:\\Common\\";
  shell_.result = platform::kFileNotFound;
  EXPECT_FALSE(LaunchHelp("SAApplet", ""));
  EXPECT_EQ(shell_.requests.size(), 1u);
}

}  // namespace
