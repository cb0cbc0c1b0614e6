// "Select a file" over a master and a user folder, "Web File Browse" over a
// web served by the stand-alone host's Explorer, and the page-relative URLs
// it gives, all through the scripted user interface.
#include <gtest/gtest.h>


#include "botframe/file_dialogs.h"
#include "botframe/publishing_dialogs.h"
#include "host/disk_web.h"
#include "host/session.h"
#include "platform/services.h"
#include "tests/botframe/in_process_host.h"
#include "tests/support/edit_call.h"
#include "tests/support/shown_windows.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using botframe::CSelectFileDialog;
using botframe::CWebFileBrowseDialog;
using botframe::PageRelativeUrl;
using test_support::Exists;
using test_support::ReadText;
using test_support::WriteText;
using Names = std::vector<std::string>;

constexpr int kList = CSelectFileDialog::kListId;
constexpr int kBrowseList = CWebFileBrowseDialog::kListId;

TEST(PageRelativeUrlTest, FromTheRootAndFromFoldersBelowIt) {
  const std::string web = "http://server/web";
  const std::string file = web + "/_glintmere/a.gif";
  EXPECT_EQ(PageRelativeUrl(web, web + "/index.htm", file, "a.gif"), "./_glintmere/a.gif");
  EXPECT_EQ(PageRelativeUrl(web, web + "/news/index.htm", file, "a.gif"), "../_glintmere/a.gif");
  EXPECT_EQ(PageRelativeUrl(web, web + "/news/2003/index.htm", file, "a.gif"),
            "../../_glintmere/a.gif");
  // Common leading folders are dropped, compared without regard to case.
  EXPECT_EQ(PageRelativeUrl(web, web + "/News/index.htm", web + "/news/pics/a.gif", "a.gif"),
            "./pics/a.gif");
  EXPECT_EQ(PageRelativeUrl(web, web + "/news/x/index.htm", web + "/news/a.gif", "a.gif"),
            "../a.gif");
  // A file named like the page's folder is not a folder in common.
  EXPECT_EQ(PageRelativeUrl(web, web + "/a/index.htm", web + "/a", "a"), "../a");
  // Outside the web: the name alone.
  EXPECT_EQ(PageRelativeUrl(web, "http://other/index.htm", file, "a.gif"), "a.gif");
  EXPECT_EQ(PageRelativeUrl(web, web + "/index.htm", "http://other/a.gif", "a.gif"), "a.gif");
  EXPECT_EQ(PageRelativeUrl("", web + "/index.htm", file, "a.gif"), "a.gif");
}

TEST(FileKindTest, ExtensionsOfEachKind) {
  EXPECT_TRUE(botframe::HasFileKindExtension("a.GIF", botframe::kFileKindImage));
  EXPECT_TRUE(botframe::HasFileKindExtension("a.jpeg", botframe::kFileKindImage));
  EXPECT_FALSE(botframe::HasFileKindExtension("a.png", botframe::kFileKindImage));
  EXPECT_FALSE(botframe::HasFileKindExtension("gif", botframe::kFileKindImage));
  EXPECT_TRUE(botframe::HasFileKindExtension("b.Au", botframe::kFileKindAudio));
  EXPECT_FALSE(botframe::HasFileKindExtension("b.wav", botframe::kFileKindAudio));
}

// Records the sound commands the audio dialog sends.
class RecordingSound : public platform::Sound {
 public:
  std::vector<std::string> commands;
  platform::SoundError open_error = platform::kSoundOk;
  platform::SoundReply SendCommand(const std::string& command,
                                   platform::SoundNotifyWindow) override {
    commands.push_back(command);
    platform::SoundReply reply;
    if (command.rfind("open ", 0) == 0) reply.error = open_error;
    return reply;
  }
  std::string ErrorText(platform::SoundError) override { return "The device is not ready."; }
  std::string ShortPathName(const std::string& path) override { return path; }
};

class FileDialogsTest : public ::testing::Test, protected test_support::EditCallHolder {
 protected:
  void SetUp() override {
    WriteText(Local("master", "b.jpg"), "master b");
    WriteText(Local("master", "shared.gif"), "master shared");
    WriteText(Local("master", "KelScroll.class"), "class");
    WriteText(Local("master", "bell.au"), "bell");
    WriteText(Local("user", "shared.gif"), "old user copy");
    WriteText(Local("user", "A.gif"), "user a");
    WriteText(Local("user", "c.JPEG"), "user c");
    WriteText(Local("user", "notes.txt"), "not an image");
    WriteText(Web("index.htm"), "<html></html>");
    WriteText(Web("news/today.htm"), "<html></html>");
    WriteText(Web("news/pics/sun.gif"), "web sun");
    WriteText(Web("_glintmere/rain.au"), "web rain");
    WriteText(Web("_glintmere/b.jpg"), "web b");

    host::Session session;
    session.web_folder = root_.Join("web");
    session.page = "news/today.htm";
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
    UseDialogs(ui_dialogs_);
    state().master_folder = Folder("master");
    state().user_data_folder = Folder("user");
    state().web_url = host::FileUrlFromPath(root_.Join("web"));
    state().page_url = state().web_url + "/news/today.htm";
    backend_.driver().SetErrorHandler([](const std::string& error) { ADD_FAILURE() << error; });
  }
  void TearDown() override {
    if (HasFailure()) {
      test_support::PrintShownWindows(backend_.driver());
    }
  }

  std::string Folder(const std::string& name) const { return root_.Join(name) + "\\"; }
  std::string Web(const std::string& relative) const { return root_.Join("web/" + relative); }
  // A file of a folder's "_glintmere", for reading and writing here.
  std::string Local(const std::string& folder, const std::string& name) const {
    return root_.Join(folder + "/_glintmere/" + name);
  }
  // The same file as the product names it.
  std::string UserFile(const std::string& name) const {
    return Folder("user") + "_glintmere\\" + name;
  }
  // Runs "Select a file" for kind starting at name, answered by steps; the
  // dialog's result.
  int RunSelect(CSelectFileDialog& dialog, ui::Driver::Steps steps) {
    backend_.driver().Expect("Select a file", std::move(steps));
    return dialog.DoModal();
  }
  static std::string Picture(ui::ScriptedWindow& w) {
    return w.scripted_window()->Find(CSelectFileDialog::kViewerId)->picture;
  }
  std::vector<std::string> Messages() { return backend_.driver().MessageTexts(); }

  test_support::TempFolder root_;
  botframe_test::InProcessHost automation_;
  RecordingSound sound_;
  platform::ScopedServices services_{
      platform::Services{.automation = &automation_, .sound = &sound_}};
  ui::ScriptedBackend backend_;
  ui::ScopedScriptedBackend scoped_backend_{&backend_};
  botframe::UiPublishingDialogs ui_dialogs_;
};

TEST_F(FileDialogsTest, ListJoinsBothFoldersWithMasterFilesWinning) {
  CSelectFileDialog dialog(context(), botframe::kFileKindImage, true, true);
  dialog.set_selected_name("c.JPEG");
  const int result = RunSelect(dialog, [&](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items(kList), (Names{"A.gif", "b.jpg", "c.JPEG", "shared.gif"}));
    EXPECT_EQ(w.SelectedItem(kList), "c.JPEG");
    EXPECT_TRUE(w.IsChecked("Preview"));
    EXPECT_EQ(Picture(w), UserFile("c.JPEG"));
    EXPECT_TRUE(w.IsVisible("Add From Web..."));
    EXPECT_TRUE(w.IsVisible("No Image"));
    w.Check("Preview", false);
    EXPECT_EQ(Picture(w), "");
    w.Select(kList, "b.jpg");
    EXPECT_EQ(Picture(w), "");
    w.Check("Preview", true);
    EXPECT_EQ(Picture(w), Folder("master") + "_glintmere\\b.jpg");
    w.Select(kList, "shared.gif");
    EXPECT_EQ(Picture(w), Folder("master") + "_glintmere\\shared.gif");
    w.PressOk();
  });
  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(dialog.selected_name(), "shared.gif");
  // A master file chosen refreshes the user copy.
  EXPECT_EQ(ReadText(Local("user", "shared.gif")), "master shared");
  ASSERT_EQ(dialog.rows().size(), 4u);
  EXPECT_EQ(dialog.rows()[3].origin, CSelectFileDialog::kMaster);
  EXPECT_EQ(dialog.rows()[0].origin, CSelectFileDialog::kUser);
}

TEST_F(FileDialogsTest, UnknownNamesSelectTheFirstRowAndNoFileEndsWithNone) {
  CSelectFileDialog dialog(context(), botframe::kFileKindImage, false, false);
  dialog.set_selected_name("(None)");
  RunSelect(dialog, [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.SelectedItem(kList), "A.gif");
    EXPECT_FALSE(w.IsVisible("Add From Web..."));
    EXPECT_FALSE(w.IsVisible("No Image"));
    w.DoubleClick(kList, "b.jpg");
    EXPECT_FALSE(w.IsOpen());
  });
  EXPECT_EQ(dialog.selected_name(), "b.jpg");
  EXPECT_TRUE(Exists(Local("user", "b.jpg")));

  CSelectFileDialog none(context(), botframe::kFileKindAudio, true, true);
  none.set_selected_name("bell.au");
  EXPECT_EQ(RunSelect(none, [](ui::ScriptedWindow& w) { w.Click("No Audio"); }), ui::kIdOk);
  EXPECT_EQ(none.selected_name(), "(None)");
}

TEST_F(FileDialogsTest, AddFromDiskChecksTheTypeAndImports) {
  WriteText(root_.Join("disk/new.gif"), "new image");
  WriteText(root_.Join("disk/A.gif"), "replacement");
  WriteText(root_.Join("disk/photo.png"), "png");
  auto& driver = backend_.driver();
  driver.ExpectFiles("", {root_.Join("disk/photo.png")});
  driver.ExpectFiles("", {root_.Join("disk/new.gif")});
  driver.ExpectFiles("", {Folder("master") + "_glintmere\\b.jpg"});
  driver.ExpectFiles("", {root_.Join("disk/A.gif")});
  driver.Expect("Glintmere", [](ui::ScriptedWindow& w) { w.Click("Overwrite"); });
  CSelectFileDialog dialog(context(), botframe::kFileKindImage, true, true);
  RunSelect(dialog, [&](ui::ScriptedWindow& w) {
    w.Click("Add From Disk...");
    EXPECT_EQ(Messages(), (Names{"Invalid file type"}));
    w.Click("Add From Disk...");
    EXPECT_EQ(w.Items(kList), (Names{"A.gif", "b.jpg", "c.JPEG", "new.gif", "shared.gif"}));
    EXPECT_EQ(w.SelectedItem(kList), "new.gif");
    EXPECT_EQ(Picture(w), UserFile("new.gif"));
    w.Click("Add From Disk...");  // already in the master folder: just selected
    EXPECT_EQ(w.SelectedItem(kList), "b.jpg");
    w.Click("Add From Disk...");  // a user file's name: overwritten after asking
    EXPECT_EQ(w.SelectedItem(kList), "A.gif");
    EXPECT_EQ(w.Items(kList).size(), 5u);
    w.PressOk();
  });
  EXPECT_TRUE(driver.Unused().empty());
  EXPECT_EQ(ReadText(Local("user", "new.gif")), "new image");
  EXPECT_EQ(ReadText(Local("user", "A.gif")), "replacement");
  EXPECT_EQ(dialog.selected_name(), "A.gif");
}

TEST_F(FileDialogsTest, WebFileBrowseListsNavigatesAndChecksTheChoice) {
  CWebFileBrowseDialog browse(context(), botframe::kFileKindImage);
  backend_.driver().Expect("Web File Browse", [&](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items("Look in:"), (Names{state().web_url}));
    EXPECT_EQ(w.Items("Files of type:"), (Names{"All Files", "Image Files"}));
    EXPECT_EQ(w.SelectedItem("Files of type:"), "Image Files");
    EXPECT_FALSE(w.IsVisible(CWebFileBrowseDialog::kDrivesId));
    EXPECT_EQ(w.Items(kBrowseList), (Names{"news", "_glintmere"}));  // no image at the root
    w.Select("Files of type:", "All Files");
    EXPECT_EQ(w.Items(kBrowseList), (Names{"news", "_glintmere", "index.htm"}));
    w.Select("Files of type:", "Image Files");

    w.DoubleClick(kBrowseList, "news");
    EXPECT_EQ(browse.current_folder(), "news");
    w.DoubleClick(kBrowseList, "pics");
    EXPECT_EQ(browse.current_folder(), "news/pics");
    EXPECT_EQ(w.Items("Look in:"), (Names{state().web_url, "news", "pics"}));
    EXPECT_EQ(w.Items(kBrowseList), (Names{"sun.gif"}));
    w.Click("Up one level");
    EXPECT_EQ(browse.current_folder(), "news");
    EXPECT_EQ(w.SelectedItem("Look in:"), "news");
    w.Select("Look in:", 0);
    EXPECT_EQ(browse.current_folder(), "");
    w.Select("Look in:", "news");  // the entry after the selected one stays
    EXPECT_EQ(browse.current_folder(), "news");
    w.Select(kBrowseList, "pics");
    EXPECT_EQ(w.Text("URL:"), "");  // a folder row leaves the field
    w.Type("URL:", "pics");
    w.PressOk();
    EXPECT_TRUE(w.IsOpen());
    w.DoubleClick(kBrowseList, "pics");
    w.Select(kBrowseList, "sun.gif");
    EXPECT_EQ(w.Text("URL:"), "sun.gif");
    w.PressOk();
  });
  ASSERT_EQ(browse.DoModal(), ui::kIdOk);
  EXPECT_EQ(Messages(), (Names{"Please specify a file within the current web folder."}));
  EXPECT_EQ(browse.file_name(), "sun.gif");
  EXPECT_EQ(browse.extension(), "gif");
  EXPECT_EQ(browse.full_url(), state().web_url + "/news/pics/sun.gif");
  EXPECT_EQ(browse.relative_url(), "./pics/sun.gif");  // the page is in "news"
}

TEST_F(FileDialogsTest, AddFromWebImportsThroughTheExplorer) {
  auto& driver = backend_.driver();
  driver.Expect("Web File Browse", [](ui::ScriptedWindow& w) {
    w.DoubleClick(kBrowseList, "_glintmere");
    w.DoubleClick(kBrowseList, "rain.au");
  });
  driver.Expect("Web File Browse", [](ui::ScriptedWindow& w) {
    w.DoubleClick(kBrowseList, "_glintmere");
    w.Select("Files of type:", "All Files");
    w.DoubleClick(kBrowseList, "b.jpg");  // an image: not for the audio dialog
  });
  CSelectFileDialog dialog(context(), botframe::kFileKindAudio, true, true);
  RunSelect(dialog, [&](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items(kList), (Names{"bell.au"}));
    w.Click("Add From Web...");
    EXPECT_EQ(w.Items(kList), (Names{"bell.au", "rain.au"}));
    EXPECT_EQ(w.SelectedItem(kList), "rain.au");
    w.Click("Add From Web...");
    EXPECT_EQ(Messages(), (Names{"Invalid file type"}));
    w.PressOk();
  });
  EXPECT_EQ(ReadText(Local("user", "rain.au")), "web rain");
  EXPECT_EQ(dialog.selected_name(), "rain.au");

  automation_.explorer = false;
  backend_.driver().Reset();
  CSelectFileDialog offline(context(), botframe::kFileKindAudio, true, true);
  RunSelect(offline, [](ui::ScriptedWindow& w) {
    w.Click("Add From Web...");
    w.PressCancel();
  });
  EXPECT_EQ(Messages(), (Names{"Unable to locate source file"}));
}

TEST_F(FileDialogsTest, PlayAndStopDriveOneSoundDevice) {
  // The player's command sequence (restart, stop) is the sound player's
  // own test; here: the selected row's file, and closing the dialog stops it.
  CSelectFileDialog dialog(context(), botframe::kFileKindAudio, true, true);
  RunSelect(dialog, [&](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.SelectedItem(kList), "bell.au");
    w.Click("Stop");  // nothing open: nothing sent
    EXPECT_TRUE(sound_.commands.empty());
    w.Click("Play");
    w.PressCancel();  // closing the dialog closes the device
  });
  const std::string bell = Folder("master") + "_glintmere\\bell.au";
  EXPECT_EQ(sound_.commands,
            (Names{"open mpegvideo!" + bell + " alias QFXSoundPreview wait",
                   "play QFXSoundPreview", "close QFXSoundPreview wait"}));
  EXPECT_TRUE(Messages().empty());

  sound_.commands.clear();
  sound_.open_error = 276;
  CSelectFileDialog failing(context(), botframe::kFileKindAudio, true, true);
  RunSelect(failing, [](ui::ScriptedWindow& w) { w.Click("Play"); });
  EXPECT_EQ(Messages(), (Names{"Error occurred while opening the audio file:\n"
                               "The device is not ready."}));

  // No files at all: nothing to play.
  backend_.driver().Reset();
  state().master_folder = Folder("nowhere");
  state().user_data_folder = Folder("none");
  CSelectFileDialog empty(context(), botframe::kFileKindAudio, true, true);
  RunSelect(empty, [](ui::ScriptedWindow& w) { w.Click("Play"); });
  EXPECT_EQ(Messages(), (Names{"Please select a file."}));
}

}  // namespace
