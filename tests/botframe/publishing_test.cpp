// Publishing into a web served by the stand-alone host's Explorer, with
// scripted dialogs and message boxes.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/text.h"
#include "botframe/automation_client.h"
#include "botframe/publishing.h"
#include "host/disk_web.h"
#include "host/host_objects.h"
#include "host/session.h"
#include "platform/services.h"
#include "tests/botframe/expected_messages.h"
#include "tests/botframe/in_process_host.h"
#include "tests/support/edit_call.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_message_box.h"

namespace {

using botframe::MissingEntry;
using test_support::Exists;
using test_support::ReadText;
using test_support::WriteText;

using botframe_test::InProcessHost;

using test_support::RecordingDialogs;

class PublishingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteText(root_.Join("master/_glintmere/KelScroll.class"), "class file");
    WriteText(root_.Join("master/_glintmere/QFXLogoSA.gif"), "GIF89a logo");
    WriteText(root_.Join("user/_glintmere/mine.gif"), "GIF89a mine");
    WriteText(Web("index.htm"), "<html><body></body></html>");
    WriteText(Web("a/b/page.htm"), "<html><body></body></html>");
    WriteText(root_.Join("outside.txt"), "sentinel");

    host::Session session;
    session.web_folder = root_.Join("web");
    session.page = "index.htm";
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);

    state().master_folder = Folder("master");
    state().user_data_folder = Folder("user");
    state().web_url = host::FileUrlFromPath(root_.Join("web"));
    state().page_url = state().web_url + "/index.htm";
  }

  botframe::EditContext& context() { return call_.context(); }
  botframe::EditRunState& state() { return call_.state(); }

  std::string Folder(const std::string& name) const { return root_.Join(name) + "\\"; }
  std::string Web(const std::string& relative) const { return root_.Join("web/" + relative); }

  bool Upload(const std::string& name, bool quiet = false, bool from_master = true) {
    return botframe::UploadFile(context(), "_glintmere", "_glintmere", name, quiet, from_master);
  }

  test_support::TempFolder root_;
  InProcessHost automation_;
  platform::ScopedServices services_{platform::Services{.automation = &automation_}};
  ui::ScriptedMessageBoxes boxes_;
  ui::ScopedMessageBoxes scoped_boxes_{&boxes_};
  test_support::EditCall call_;
  RecordingDialogs& dialogs_ = call_.dialogs();
};

TEST_F(PublishingTest, TargetFolderIsBesideThePageOrAtTheWebRoot) {
  state().page_url = state().web_url + "/a/b/page.htm";
  EXPECT_EQ(botframe::TargetFolderUrl(state(), "_glintmere"), state().web_url + "/a/b/_glintmere");
  state().absolute_reference = true;
  EXPECT_EQ(botframe::TargetFolderUrl(state(), "_glintmere"), state().web_url + "/_glintmere");
  state().absolute_reference = false;
  state().page_url = "page.htm";  // no "/" and no ":": nothing before the subfolder
  EXPECT_EQ(botframe::TargetFolderUrl(state(), "_glintmere"), "_glintmere");
}

TEST_F(PublishingTest, UploadCopiesIntoANewFolderWithProgress) {
  EXPECT_TRUE(Upload("KelScroll.class"));
  EXPECT_EQ(ReadText(Web("_glintmere/KelScroll.class")), "class file");
  EXPECT_EQ(dialogs_.progress_count, 1);
  EXPECT_EQ(dialogs_.open_progress, 0);  // closed after the upload
  EXPECT_EQ(dialogs_.statuses, (std::vector<std::string>{"Searching web for...KelScroll.class",
                                                         "Uploading file...KelScroll.class"}));
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(PublishingTest, FileOnTheWebIsKeptUnlessForcedToOverwrite) {
  WriteText(Web("_glintmere/QFXLogoSA.gif"), "older logo");
  EXPECT_TRUE(Upload("QFXLogoSA.gif"));
  EXPECT_EQ(ReadText(Web("_glintmere/QFXLogoSA.gif")), "older logo");
  state().force_overwrite = true;
  EXPECT_TRUE(Upload("QFXLogoSA.gif"));
  EXPECT_EQ(ReadText(Web("_glintmere/QFXLogoSA.gif")), "GIF89a logo");
}

TEST_F(PublishingTest, PageInASubfolderGetsItsOwnAppletFolder) {
  state().page_url = state().web_url + "/a/b/page.htm";
  EXPECT_TRUE(Upload("mine.gif", false, /*from_master=*/false));
  EXPECT_EQ(ReadText(Web("a/b/_glintmere/mine.gif")), "GIF89a mine");
  // Every missing level is made.
  EXPECT_TRUE(botframe::UploadFile(context(), "_glintmere", "x/y/_glintmere", "mine.gif", false,
                                   false));
  EXPECT_TRUE(Exists(Web("a/b/x/y/_glintmere/mine.gif")));
}

// A web whose URL ends in "/" (the root folder's "file:///"): the page's
// folder keeps its whole name.
TEST_F(PublishingTest, AWebUrlEndingInASlashKeepsThePagesFolderWhole) {
  state().web_url += "/";
  state().page_url = state().web_url + "a/b/page.htm";
  EXPECT_TRUE(Upload("KelScroll.class"));
  EXPECT_EQ(ReadText(Web("a/b/_glintmere/KelScroll.class")), "class file");
}

// Another edit sharing the user's folder may remove a working copy at any
// moment: a master file's copy is published from the master.
TEST_F(PublishingTest, AWorkingCopyRemovedByAnotherEditIsPublishedFromTheMaster) {
  state().temporary_copies = {"KelScroll.class"};
  EXPECT_TRUE(Upload("KelScroll.class", false, /*from_master=*/false));
  EXPECT_EQ(ReadText(Web("_glintmere/KelScroll.class")), "class file");
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(PublishingTest, UnsafeNamesAreRefusedAsFailedCopies) {
  for (const char* name : {"..\\..\\outside.txt", "../outside.txt", "C:outside.txt", "NUL",
                           "com1.gif", "a\\b.gif", ""}) {
    boxes_.Clear();
    EXPECT_FALSE(Upload(name)) << name;
    ASSERT_EQ(boxes_.shown().size(), 1u) << name;
    EXPECT_TRUE(base::StartsWithNoCase(boxes_.shown()[0].text, "Unable to copy '")) << name;
    EXPECT_EQ(boxes_.shown()[0].caption, "Glintmere Error!");
    EXPECT_FALSE(botframe::EnsureWorkingCopy(state(), name)) << name;
    EXPECT_FALSE(botframe::LocateOrRecordMissing(state(), name, botframe::kMissingImage, "Background"));
  }
  EXPECT_TRUE(state().missing_files.empty());
  EXPECT_EQ(ReadText(root_.Join("outside.txt")), "sentinel");
  EXPECT_FALSE(Exists(Web("outside.txt")));
}

TEST_F(PublishingTest, FailuresSayWhyUnlessQuiet) {
  EXPECT_FALSE(Upload("Nowhere.class"));
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text,
            "Unable to copy '" + Folder("master") + "_glintmere\\Nowhere.class'.");
  boxes_.Clear();
  EXPECT_FALSE(Upload("Nowhere.class", /*quiet=*/true));
  EXPECT_TRUE(boxes_.shown().empty());

  automation_.explorer = false;
  EXPECT_FALSE(Upload("KelScroll.class", true));
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, expected::kUnableToAccessFrontPage);
  EXPECT_EQ(boxes_.shown()[0].icon, ui::Icon::kInformation);
  EXPECT_EQ(dialogs_.open_progress, 0);
}

TEST_F(PublishingTest, FolderThatCannotBeMadeAbortsTheCopy) {
  WriteText(Web("_glintmere"), "a file where the folder should be");
  EXPECT_FALSE(Upload("KelScroll.class"));
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "Unable to create Folder on web, file copy aborted.");
}

TEST_F(PublishingTest, WorkingCopiesAreMadeOnceAndRemovedAtTheEnd) {
  EXPECT_TRUE(botframe::EnsureWorkingCopy(state(), "QFXLogoSA.gif"));
  WriteText(root_.Join("user/_glintmere/QFXLogoSA.gif"), "edited");
  EXPECT_TRUE(botframe::EnsureWorkingCopy(state(), "QFXLogoSA.gif"));  // already copied: left alone
  EXPECT_EQ(ReadText(root_.Join("user/_glintmere/QFXLogoSA.gif")), "edited");
  EXPECT_TRUE(botframe::EnsureWorkingCopy(state(), "mine.gif"));  // not shipped: nothing to do
  EXPECT_EQ(state().temporary_copies, std::vector<std::string>{"QFXLogoSA.gif"});

  botframe::RemoveWorkingCopies(state());
  EXPECT_FALSE(Exists(root_.Join("user/_glintmere/QFXLogoSA.gif")));
  EXPECT_TRUE(Exists(root_.Join("user/_glintmere/mine.gif")));
  EXPECT_TRUE(Exists(root_.Join("master/_glintmere/QFXLogoSA.gif")));
  EXPECT_TRUE(state().temporary_copies.empty());

  state().master_folder.clear();
  EXPECT_FALSE(botframe::EnsureWorkingCopy(state(), "QFXLogoSA.gif"));
}

TEST_F(PublishingTest, LocateOrRecordMissing) {
  EXPECT_TRUE(botframe::LocateOrRecordMissing(state(), "KelScroll.class", botframe::kMissingImage, "Applet"));
  EXPECT_TRUE(Exists(root_.Join("user/_glintmere/KelScroll.class")));
  EXPECT_FALSE(botframe::LocateOrRecordMissing(state(), "mine.gif", botframe::kMissingImage, "Background"));
  EXPECT_TRUE(botframe::LocateOrRecordMissing(state(), "gone.au", botframe::kMissingSound, "Strings"));
  ASSERT_EQ(state().missing_files.size(), 1u);
  EXPECT_EQ(state().missing_files[0].panel, "Strings");
  EXPECT_EQ(state().missing_files[0].file_name, "gone.au");
  EXPECT_EQ(state().missing_files[0].kind, botframe::kMissingSound);
  EXPECT_FALSE(state().missing_files[0].found_on_web);
}

TEST_F(PublishingTest, MissingFilesAreShownSortedAndSynchronizeDownloadsTheTickedOnes) {
  WriteText(Web("_glintmere/b.gif"), "web b");
  WriteText(Web("_glintmere/c.au"), "web c");
  botframe::LocateOrRecordMissing(state(), "c.au", botframe::kMissingSound, "Strings");
  botframe::LocateOrRecordMissing(state(), "b.gif", botframe::kMissingImage, "Background");
  botframe::LocateOrRecordMissing(state(), "a.gif", botframe::kMissingImage, "Background");
  dialogs_.missing_answer = botframe::MissingFilesAnswer::kSynchronize;
  dialogs_.ticks = std::vector<bool>{false, true, false};  // the user unticks c.au

  EXPECT_TRUE(botframe::CheckMissingFiles(context()));
  ASSERT_EQ(dialogs_.missing_shown.size(), 3u);
  EXPECT_EQ(dialogs_.missing_shown[0].file_name, "a.gif");
  EXPECT_FALSE(dialogs_.missing_shown[0].found_on_web);
  EXPECT_EQ(dialogs_.missing_shown[1].file_name, "b.gif");
  EXPECT_TRUE(dialogs_.missing_shown[1].found_on_web);
  EXPECT_TRUE(dialogs_.missing_shown[2].found_on_web);
  EXPECT_EQ(ReadText(root_.Join("user/_glintmere/b.gif")), "web b");
  EXPECT_FALSE(Exists(root_.Join("user/_glintmere/c.au")));
  EXPECT_TRUE(state().missing_files.empty());
}

TEST_F(PublishingTest, MissingFilesContinueCancelAndNothingTicked) {
  EXPECT_TRUE(botframe::CheckMissingFiles(context()));  // empty list: no dialog
  EXPECT_TRUE(dialogs_.missing_shown.empty());

  WriteText(Web("_glintmere/b.gif"), "web b");
  botframe::LocateOrRecordMissing(state(), "b.gif", botframe::kMissingImage, "Background");
  dialogs_.missing_answer = botframe::MissingFilesAnswer::kSynchronize;
  dialogs_.ticks = std::vector<bool>{false};
  EXPECT_TRUE(botframe::CheckMissingFiles(context()));
  EXPECT_FALSE(Exists(root_.Join("user/_glintmere/b.gif")));

  botframe::LocateOrRecordMissing(state(), "b.gif", botframe::kMissingImage, "Background");
  dialogs_.missing_answer = botframe::MissingFilesAnswer::kCancel;
  EXPECT_FALSE(botframe::CheckMissingFiles(context()));
  EXPECT_TRUE(state().missing_files.empty());
  EXPECT_FALSE(Exists(root_.Join("user/_glintmere/b.gif")));
}

TEST_F(PublishingTest, MissingFilesOfAPageInASubfolderAreLookedForBesideIt) {
  state().page_url = state().web_url + "/a/b/page.htm";
  WriteText(Web("a/b/_glintmere/deep.gif"), "deep");
  botframe::LocateOrRecordMissing(state(), "deep.gif", botframe::kMissingImage, "Background");
  dialogs_.missing_answer = botframe::MissingFilesAnswer::kSynchronize;
  EXPECT_TRUE(botframe::CheckMissingFiles(context()));
  EXPECT_EQ(ReadText(root_.Join("user/_glintmere/deep.gif")), "deep");
}

TEST_F(PublishingTest, ImportCopiesAsksBeforeReplacingAndNeverOverwritesShippedFiles) {
  WriteText(root_.Join("photo.gif"), "new photo");
  EXPECT_EQ(botframe::ImportFile(context(), root_.Join("photo.gif"), "photo.gif", 2, nullptr), "photo.gif");
  EXPECT_EQ(ReadText(root_.Join("user/_glintmere/photo.gif")), "new photo");
  EXPECT_TRUE(dialogs_.overwrite_asked.empty());

  // Same name again: the question comes; Overwrite also forces the web copy.
  WriteText(root_.Join("photo.gif"), "newer photo");
  dialogs_.overwrite_answer = botframe::OverwriteAnswer::kOverwrite;
  EXPECT_EQ(botframe::ImportFile(context(), root_.Join("photo.gif"), "photo.gif", 2, nullptr), "photo.gif");
  EXPECT_EQ(ReadText(root_.Join("user/_glintmere/photo.gif")), "newer photo");
  EXPECT_TRUE(state().force_overwrite);
  ASSERT_EQ(dialogs_.overwrite_asked.size(), 1u);
  EXPECT_TRUE(dialogs_.overwrite_asked[0].second);

  // A shipped name: only rename or cancel are offered.
  WriteText(root_.Join("QFXLogoSA.gif"), "my logo");
  dialogs_.overwrite_answer = botframe::OverwriteAnswer::kRename;
  dialogs_.rename_to = "MyLogo.gif";
  EXPECT_EQ(botframe::ImportFile(context(), root_.Join("QFXLogoSA.gif"), "QFXLogoSA.gif", 2, nullptr),
            "MyLogo.gif");
  EXPECT_FALSE(dialogs_.overwrite_asked.back().second);
  EXPECT_EQ(ReadText(root_.Join("user/_glintmere/MyLogo.gif")), "my logo");
  EXPECT_EQ(ReadText(root_.Join("master/_glintmere/QFXLogoSA.gif")), "GIF89a logo");

  // Its question too.
  int importing_dialog = 0;
  dialogs_.overwrite_answer = botframe::OverwriteAnswer::kCancel;
  EXPECT_EQ(botframe::ImportFile(context(), root_.Join("photo.gif"), "photo.gif", 2,
                                 &importing_dialog),
            std::nullopt);
  EXPECT_EQ(dialogs_.overwrite_owners.back(), &importing_dialog);
}

TEST_F(PublishingTest, ImportInPlaceFromWebAndMissingSources) {
  // A file already in a local folder is used where it is, without a question.
  EXPECT_EQ(botframe::ImportFile(context(), root_.Join("user/_glintmere/mine.gif"), "mine.gif", 2, nullptr),
            "mine.gif");
  EXPECT_TRUE(dialogs_.overwrite_asked.empty());

  WriteText(Web("images/sky.jpg"), "sky");
  EXPECT_EQ(botframe::ImportFile(context(), state().web_url + "/images/sky.jpg", "sky.jpg", 2, nullptr),
            "sky.jpg");
  EXPECT_EQ(ReadText(root_.Join("user/_glintmere/sky.jpg")), "sky");

  // The dialog that started the import owns its messages.
  int importing_dialog = 0;
  ui::WindowHandle owner = &importing_dialog;
  EXPECT_EQ(botframe::ImportFile(context(), root_.Join("none.gif"), "none.gif", 2, owner),
            std::nullopt);
  EXPECT_EQ(botframe::ImportFile(context(), state().web_url + "/none.gif", "none.gif", 2, owner),
            std::nullopt);
  ASSERT_EQ(boxes_.shown().size(), 2u);
  EXPECT_EQ(boxes_.shown()[0].owner, owner);
  EXPECT_EQ(boxes_.shown()[1].owner, owner);
  EXPECT_EQ(boxes_.shown()[0].text, "Unable to locate source file");
  EXPECT_EQ(boxes_.shown()[0].caption, "Glintmere");  // as the file dialogs say it

  WriteText(root_.Join("ok.gif"), "x");
  EXPECT_EQ(botframe::ImportFile(context(), root_.Join("ok.gif"), "..\\ok.gif", 2, nullptr), std::nullopt);
  EXPECT_FALSE(Exists(root_.Join("user/ok.gif")));
}

// An Explorer that records the folder calls over an in-memory set of folders.
class FolderRecorder : public platform::DispatchObject {
 public:
  std::vector<std::string> folders;
  std::vector<std::string> created;
  platform::HResult Invoke(std::string_view method, std::span<platform::DispatchValue> args,
                           platform::DispatchValue* result) override {
    const std::string url = args[0].text();
    const bool exists = std::find(folders.begin(), folders.end(), url) != folders.end();
    if (method == "vtiIsFolderInWeb") {
      *result = platform::DispatchValue::Bool(exists);
    } else if (method == "vtiCreateFolder") {
      created.push_back(url);
      if (!exists) folders.push_back(url);
      *result = platform::DispatchValue::Int(1);
    } else {
      return platform::kDispEUnknownName;
    }
    return platform::kSOk;
  }
};

TEST(MakeWebFolderTest, CreatesMissingLevelsThenRepeatsTheFullPath) {
  FolderRecorder explorer;
  explorer.folders = {"a"};
  EXPECT_TRUE(botframe::MakeWebFolder(explorer, "a/b/c"));
  EXPECT_EQ(explorer.created, (std::vector<std::string>{"a/b", "a/b/c", "a/b/c"}));

  explorer.created.clear();
  EXPECT_TRUE(botframe::MakeWebFolder(explorer, "a/b/c"));  // exists: created once
  EXPECT_EQ(explorer.created, std::vector<std::string>{"a/b/c"});

  explorer.created.clear();
  EXPECT_TRUE(botframe::MakeWebFolder(explorer, "_glintmere"));
  EXPECT_EQ(explorer.created, (std::vector<std::string>{"_glintmere", "_glintmere"}));
}

}  // namespace
