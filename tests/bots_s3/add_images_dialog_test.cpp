// "Add New Images" over a master and a user image folder, a web served by the
// stand-alone host's Explorer and files on disk, through the scripted user
// interface: what it lists, how rows are added and removed, and what OK
// imports.
#include <gtest/gtest.h>

#include <filesystem>

#include "botframe/file_dialogs.h"
#include "bots_s3/add_images_dialog.h"
#include "host/disk_web.h"
#include "host/session.h"
#include "platform/services.h"
#include "tests/botframe/in_process_host.h"
#include "tests/support/edit_call.h"
#include "tests/support/shown_windows.h"
#include "tests/support/test_support.h"
#include "ui/scripted/answers_file.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using bots_s3::CAddImagesDlg;
using test_support::ReadText;
using test_support::WriteText;
using Names = std::vector<std::string>;

constexpr int kAvailable = CAddImagesDlg::kAvailableId;
constexpr int kToAdd = CAddImagesDlg::kToAddId;
constexpr int kBrowseList = botframe::CWebFileBrowseDialog::kListId;

class AddImagesDialogTest : public ::testing::Test, protected test_support::EditCallHolder {
 protected:
  void SetUp() override {
    WriteText(Local("master", "b.jpg"), "master b");
    WriteText(Local("master", "logo.gif"), "master logo");
    WriteText(Local("master", "sky.jpeg"), "master sky");
    WriteText(Local("user", "logo.gif"), "working copy");
    WriteText(Local("user", "A.gif"), "user a");
    WriteText(Local("user", "c.JPG"), "user c");
    WriteText(Local("user", "notes.txt"), "not an image");
    WriteText(root_.Join("web/index.htm"), "<html></html>");
    WriteText(root_.Join("web/news/pics/sun.gif"), "web sun");
    host::Session session;
    session.web_folder = root_.Join("web");
    session.page = "index.htm";
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
    state().master_folder = Folder("master");
    state().user_data_folder = Folder("user");
    state().web_url = host::FileUrlFromPath(root_.Join("web"));
    state().page_url = state().web_url + "/index.htm";
    driver().SetErrorHandler([](const std::string& error) { ADD_FAILURE() << error; });
  }
  void TearDown() override {
    if (HasFailure()) test_support::PrintShownWindows(driver());
  }

  std::string Folder(const std::string& name) const { return root_.Join(name) + "\\"; }
  std::string Local(const std::string& folder, const std::string& name) const {
    return root_.Join(folder + "/_glintmere/" + name);
  }
  ui::Driver& driver() { return backend_.driver(); }
  // Runs the dialog over both image folders, answered by steps.
  Names Run(ui::Driver::Steps steps, int expected_result = ui::kIdOk) {
    CAddImagesDlg dialog(context(), Folder("master") + "_glintmere\\",
                         Folder("user") + "_glintmere\\");
    if (steps) driver().Expect("Add New Images", std::move(steps));
    EXPECT_EQ(dialog.DoModal(), expected_result);
    return dialog.names();
  }

  test_support::TempFolder root_;
  botframe_test::InProcessHost automation_;
  platform::ScopedServices services_{platform::Services{.automation = &automation_}};
  ui::ScriptedBackend backend_;
  ui::ScopedScriptedBackend scoped_backend_{&backend_};
};

TEST_F(AddImagesDialogTest, ListsEachImageOnceAndAddsAndRemovesSeveralRows) {
  // An answers file selects several rows as the C++ steps do.
  std::string error;
  ASSERT_TRUE(ui::ParseAnswers(R"([{"dialog": "Add New Images", "steps": [
      {"expect": "Available files:", "items": ["A.gif", "b.jpg", "c.JPG", "logo.gif", "sky.jpeg"]},
      {"select": "Available files:", "items": ["b.jpg", "logo.gif", "sky.jpeg"]},
      {"click": "Add selected"},
      {"select": "Files to add:", "items": ["b.jpg", "sky.jpeg"]},
      {"click": "Remove selected"},
      {"select": "Available files:", "items": ["A.gif"]},
      {"click": "Add selected"},
      {"expect": "Files to add:", "items": ["logo.gif", "A.gif"]}]}])",
                               "answers.json", &driver(), &error))
      << error;
  EXPECT_EQ(Run({}), (Names{"logo.gif", "A.gif"}));
  EXPECT_TRUE(dialogs().overwrite_asked.empty());  // local files are not imported

  const Names cancelled = Run(
      [](ui::ScriptedWindow& w) {
        w.SelectItems(kAvailable, {"A.gif", "c.JPG"});
        w.Click("Add selected");
        EXPECT_EQ(w.Items(kToAdd), (Names{"A.gif", "c.JPG"}));
        w.PressCancel();
      },
      ui::kIdCancel);
  EXPECT_TRUE(cancelled.empty());
  // Without a master folder only the user's files are listed.
  CAddImagesDlg user_only(context(), "", Folder("user") + "_glintmere\\");
  driver().Expect("Add New Images", [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items(kAvailable), (Names{"A.gif", "c.JPG", "logo.gif"}));
  });
  user_only.DoModal();
}

TEST_F(AddImagesDialogTest, FromDiskAndWebOnlyImagesAndOkImportsThemUnderTheAnsweredName) {
  for (const char* name : {"A.gif", "Old.JPEG", "photo.png", "gone.gif"}) {
    WriteText(root_.Join(std::string("disk/") + name), name);
  }
  driver().ExpectFiles("", {root_.Join("disk/A.gif"), root_.Join("disk/photo.png"),
                            root_.Join("disk/Old.JPEG"), root_.Join("disk/gone.gif")});
  // 400 names of 12 characters do not fit the 4096 bytes.
  Names many;
  for (int i = 0; i < 400; ++i) many.push_back(root_.Join("disk/" + std::to_string(1000000 + i) + ".gif"));
  driver().ExpectFiles("", many);
  driver().Expect("Web File Browse", [](ui::ScriptedWindow& w) {
    w.DoubleClick(kBrowseList, "news");
    w.DoubleClick(kBrowseList, "pics");
    w.DoubleClick(kBrowseList, "sun.gif");
  });
  driver().Expect("Web File Browse", [](ui::ScriptedWindow& w) {
    w.Select("Files of type:", "All Files");
    w.DoubleClick(kBrowseList, "index.htm");
  });
  dialogs().overwrite_answer = botframe::OverwriteAnswer::kOverwrite;
  Names names = Run([&](ui::ScriptedWindow& w) {
    w.Click("Add from disk");
    w.Click("Add from disk");
    w.Click("Add from web");
    w.Click("Add from web");
    EXPECT_EQ(w.Items(kToAdd), (Names{"A.gif", "Old.JPEG", "gone.gif", "sun.gif"}));
    std::filesystem::remove(root_.Join("disk/gone.gif"));
    std::filesystem::remove(root_.Join("web/news/pics/sun.gif"));
    w.PressOk();
  });
  // Every row comes back, a missing one under its own name.
  EXPECT_EQ(names, (Names{"A.gif", "Old.JPEG", "gone.gif", "sun.gif"}));
  EXPECT_EQ(driver().MessageTexts(),
            (Names{"\"photo.png\" will not be added to list.\n\nInvalid file type!!",
                   "Too many files selected. Please select fewer files.", "Invalid File Extension",
                   root_.Join("disk/gone.gif") + "\nUnable to locate source file",
                   state().web_url + "/news/pics/sun.gif" + "Unable to locate source file"}));
  EXPECT_EQ(ReadText(Local("user", "A.gif")), "A.gif");  // overwritten after asking
  EXPECT_EQ(ReadText(Local("user", "Old.JPEG")), "Old.JPEG");
  EXPECT_TRUE(state().force_overwrite);

  // A shipped file's name cannot be overwritten: renamed instead.
  WriteText(root_.Join("disk/b.jpg"), "new b");
  driver().Reset();
  driver().ExpectFiles("", {root_.Join("disk/b.jpg")});
  dialogs().overwrite_answer = botframe::OverwriteAnswer::kRename;
  dialogs().rename_to = "b2.jpg";
  names = Run([](ui::ScriptedWindow& w) {
    w.Click("Add from disk");
    w.PressOk();
  });
  EXPECT_EQ(names, (Names{"b2.jpg"}));
  EXPECT_EQ(dialogs().overwrite_asked.back(), (std::pair<std::string, bool>{"b.jpg", false}));
  EXPECT_EQ(ReadText(Local("user", "b2.jpg")), "new b");
}

}  // namespace
