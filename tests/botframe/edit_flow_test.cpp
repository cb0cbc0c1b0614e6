// A whole edit call of a bot with the Applet and About pages, through the
// scripted user interface, against the stand-alone host's objects.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/text.h"
#include "botframe/about_page.h"
#include "botframe/applet_page.h"
#include "botframe/automation_client.h"
#include "botframe/edit_flow.h"
#include "botframe/edit_state.h"
#include "botframe/publishing_dialogs.h"
#include "botframe/text_bk_page.h"
#include "host/disk_web.h"
#include "host/host_objects.h"
#include "host/session.h"
#include "platform/services.h"
#include "runner/attribute_list.h"
#include "tests/botframe/expected_messages.h"
#include "tests/botframe/in_process_host.h"
#include "tests/support/edit_call.h"
#include "tests/support/saved_value.h"
#include "tests/support/shown_windows.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using platform::RootKey;
using test_support::Exists;
using test_support::ReadText;
using test_support::WriteText;

constexpr const char* kSheet = "Glintmere Java Effects - Applet Test";

constexpr botframe::BotDescription kTestBot =
    test_support::WithSheetTitle(test_support::kScrollerBot, kSheet);

class TestBot : public botframe::AppletBot {
 public:
  const botframe::BotDescription& description() const override { return kTestBot; }
  void AddPages(botframe::CGMWebbotProperties& sheet) override {
    auto* applet = sheet.AddOwnedPage(std::make_unique<botframe::CAppletPage>(sheet.context()));
    auto* about = sheet.AddOwnedPage(std::make_unique<botframe::CAboutPage>(sheet.context()));
    sheet.SetLoadOrder({applet, about});
    sheet.SetTagOrder({applet});
  }
};

using botframe_test::InProcessHost;

class EditFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteText(root_.Join("master/_glintmere/KelScroll.class"), "class file");
    WriteText(root_.Join("master/_glintmere/QFXLogoSA.gif"), "GIF89a logo");
    WriteText(root_.Join("master/_glintmere/glintmere-applets.js"), "// runtime");
    WriteText(root_.Join("web/news/index.htm"), "<html><body></body></html>");
    std::filesystem::create_directories(root_.Join("appdata"));
    master_.Set(root_.Join("master"));
    app_data_.Set(root_.Join("appdata"));
    OpenPage("news/index.htm");
    backend_.driver().SetErrorHandler([](const std::string& error) { ADD_FAILURE() << error; });
  }
  void TearDown() override {
    if (HasFailure()) {
      test_support::PrintShownWindows(backend_.driver());
    }
  }

  void OpenPage(const std::string& page) {
    host::Session session;
    session.web_folder = root_.Join("web");
    session.page = page;
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
  }

  int32_t Edit() {
    TestBot bot;
    return Edit(bot);
  }
  int32_t Edit(botframe::AppletBot& bot) {
    return botframe::RunAppletEdit(bot, list_.get(), &runner::HostCallbacks());
  }
  std::string Attribute(const char* name) {
    const char* value = runner::HostGetAttribute(list_.get(), name);
    return value ? value : "<absent>";
  }
  std::string WebUrl() { return host::FileUrlFromPath(root_.Join("web")); }
  std::string UserFile(const std::string& name) {
    return root_.Join("appdata/Kel Software/Glintmere/_glintmere/" + name);
  }

  test_support::TempFolder root_;
  test_support::SavedValue master_{RootKey::kLocalMachine, "Software\\Kel Software\\GMQFX",
                                   "MasterFolder"};
  test_support::SavedValue app_data_{
      RootKey::kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      "AppData"};
  InProcessHost automation_;
  platform::ScopedServices services_{platform::Services{.automation = &automation_}};
  ui::ScriptedBackend backend_;
  ui::ScopedScriptedBackend scoped_backend_{&backend_};
  runner::AttributeList list_;
};

TEST_F(EditFlowTest, NewComponentIsWrittenAndPublished) {
  backend_.driver().Expect(kSheet, [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.ActivePage(), "Applet");
    EXPECT_TRUE(w.IsChecked("Force write of existing support and applet files"));
    w.Type("Applet Name:", "Banner");
    w.Select("Alignment:", "Middle");
    w.Type("Right:", "4");
    w.PressOk();
  });
  ASSERT_EQ(Edit(), 1);
  EXPECT_EQ(Attribute("version"), "3.0.1");
  EXPECT_EQ(Attribute("java-Name"), "Banner");
  EXPECT_EQ(Attribute("java-align"), "middle");
  EXPECT_EQ(Attribute("java-hspace"), "4");
  EXPECT_EQ(Attribute("CLIENTSIDE"), "");
  EXPECT_EQ(Attribute("S-HTML"),
            "\n<applet codebase=\"./_glintmere/\" code=\"KelScroll\" align=\"middle\" hspace=\"4\""
            " vspace=\"0\" Name=\"Banner\" >\nRequires a Java Enabled Browser.\n</applet>\n"
            "<script src=\"./_glintmere/glintmere-applets.js\"></script>\n");
  EXPECT_EQ(Attribute("PREVIEW"), "<img src=\"" + WebUrl() +
                                      "/news/_glintmere/QFXLogoSA.gif\" width=\"\" height=\"\">");
  EXPECT_EQ(ReadText(root_.Join("web/news/_glintmere/KelScroll.class")), "class file");
  EXPECT_EQ(ReadText(root_.Join("web/news/_glintmere/QFXLogoSA.gif")), "GIF89a logo");
  EXPECT_EQ(ReadText(root_.Join("web/news/_glintmere/glintmere-applets.js")), "// runtime");
  // The working copies of this call are gone again.
  EXPECT_FALSE(Exists(UserFile("KelScroll.class")));
  EXPECT_FALSE(Exists(UserFile("glintmere-applets.js")));
  EXPECT_TRUE(backend_.driver().MessageTexts().empty());
}

TEST_F(EditFlowTest, CancelledSheetChangesNothingButTheDefaultCodeBase) {
  backend_.driver().Expect(kSheet, [](ui::ScriptedWindow& w) { w.PressCancel(); });
  EXPECT_EQ(Edit(), 0);
  EXPECT_EQ(list_.list().count, 1);
  EXPECT_EQ(Attribute("java-codebase"), "./_glintmere/");
  EXPECT_FALSE(Exists(root_.Join("web/news/_glintmere")));
}

TEST_F(EditFlowTest, FrontPageUnreachable) {
  automation_.editor = false;
  EXPECT_EQ(Edit(), 0);
  automation_.editor = true;
  automation_.explorer = false;
  EXPECT_EQ(Edit(), 0);
  const auto& shown = backend_.driver().shown();
  ASSERT_EQ(shown.size(), 2u);
  for (const ui::WindowRecord& record : shown) {
    EXPECT_EQ(record.text, expected::kUnableToAccessFrontPage);
    EXPECT_EQ(record.caption, "Glintmere Error!");
    EXPECT_EQ(record.icon, ui::Icon::kInformation);
  }
}

// An absolute code base makes the preview picture's address the web's; the
// stored size goes into it.
TEST_F(EditFlowTest, PreviewOfAnAbsoluteComponentWithItsSize) {
  runner::HostSetAttribute(list_.get(), "java-codebase", (WebUrl() + "/_glintmere/").c_str());
  runner::HostSetAttribute(list_.get(), "java-width", "300");
  runner::HostSetAttribute(list_.get(), "java-height", "60");
  ASSERT_EQ(Edit(), 1);
  EXPECT_EQ(Attribute("PREVIEW"),
            "<img src=\"" + WebUrl() + "/_glintmere/QFXLogoSA.gif\" width=\"300\" height=\"60\">");
  EXPECT_TRUE(Exists(root_.Join("web/_glintmere/KelScroll.class")));
}

TEST_F(EditFlowTest, NoWebUrl) {
  host::Session session;  // no web open: the Explorer has no URL to give
  session.page = "news/index.htm";
  ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
  EXPECT_EQ(Edit(), 0);
  EXPECT_EQ(backend_.driver().MessageTexts(),
            std::vector<std::string>{expected::kNoWebUrl});
}

TEST_F(EditFlowTest, UnsavedPageAsksAndTheSheetRefusesOk) {
  OpenPage("news/new.htm");  // never written: "unsaved:"
  backend_.driver().ExpectMessage("Glintmere Alert", "This page is not saved.", ui::Answer::kNo);
  EXPECT_EQ(Edit(), 0);
  EXPECT_EQ(backend_.driver().shown().size(), 1u);  // the question alone

  backend_.driver().Reset();
  backend_.driver().SetErrorHandler([](const std::string& error) { ADD_FAILURE() << error; });
  backend_.driver().ExpectMessage("Glintmere Alert", "This page is not saved.", ui::Answer::kYes);
  // The sheet's default OK is refused on an unsaved page; Cancel follows.
  EXPECT_EQ(Edit(), 0);
  const std::vector<std::string> texts = backend_.driver().MessageTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1],
            "Current page cannot be modified as is not a saved page.\nInsert operation is aborted.");
}

TEST_F(EditFlowTest, CurrentVersionKeepsFilesOnTheWebAndOtherVersionsReplaceThem) {
  WriteText(root_.Join("web/news/_glintmere/KelScroll.class"), "older class");
  runner::HostSetAttribute(list_.get(), "version", "3.0.1");
  ASSERT_EQ(Edit(), 1);
  EXPECT_EQ(ReadText(root_.Join("web/news/_glintmere/KelScroll.class")), "older class");

  runner::HostSetAttribute(list_.get(), "version", "2, 0, 0, 2");
  backend_.driver().Expect(kSheet, [](ui::ScriptedWindow& w) {
    EXPECT_TRUE(w.IsChecked("Force write of existing support and applet files"));
    w.PressOk();
  });
  ASSERT_EQ(Edit(), 1);
  EXPECT_EQ(ReadText(root_.Join("web/news/_glintmere/KelScroll.class")), "class file");
}

TEST_F(EditFlowTest, InvalidNamesKeepThePage) {
  backend_.driver().Expect(kSheet, [](ui::ScriptedWindow& w) {
    w.Type("Applet Name:", "9lives");
    w.PressOk();
    EXPECT_TRUE(w.IsOpen());
    w.Type("Applet Name:", "");
    w.PressOk();
    w.Type("Applet Name:", "my-applet");
    w.PressOk();
    w.Type("Applet Name:", "_a1");
    w.PressOk();
  });
  ASSERT_EQ(Edit(), 1);
  EXPECT_EQ(Attribute("java-Name"), "_a1");
  EXPECT_EQ(backend_.driver().MessageTexts(),
            (std::vector<std::string>{"Not a valid Applet name", "You must specify a applet name",
                                      "Not a valid Applet name"}));
}

TEST_F(EditFlowTest, BackgroundFilesArePublishedByTheirNameAlone) {
  WriteText(UserFile("sky.gif"), "GIF89a sky");
  runner::HostSetAttribute(list_.get(), "param-AppBGImage", "images/sky.gif");
  runner::HostSetAttribute(list_.get(), "param-AppBGSound", "");
  ASSERT_EQ(Edit(), 1);
  EXPECT_EQ(ReadText(root_.Join("web/news/_glintmere/sky.gif")), "GIF89a sky");
}

// A page that refers to a file neither local folder holds.
class MissingFilePage : public botframe::CWebBotPage {
 public:
  explicit MissingFilePage(botframe::EditContext& context)
      : botframe::CWebBotPage(context, kSpec) {}
  void LoadAttributes(botframe::Attributes* attributes) override {
    CWebBotPage::LoadAttributes(attributes);
    botframe::LocateOrRecordMissing(state(), "gone.gif", botframe::kMissingImage, "Background");
  }

 private:
  static constexpr ui::DialogSpec kSpec{"Background", 249, 238, {}};
};

TEST_F(EditFlowTest, MissingFilesAreOfferedBeforeTheSheet) {
  class MissingBot : public TestBot {
    void AddPages(botframe::CGMWebbotProperties& sheet) override {
      auto* page = sheet.AddOwnedPage(std::make_unique<MissingFilePage>(sheet.context()));
      sheet.SetLoadOrder({page});
    }
  } bot;
  backend_.driver().Expect("Warning: Missing files", [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.RowText(botframe::CMissingFilesDialog::kListId, 0, 0), "gone.gif");
    EXPECT_EQ(w.RowText(botframe::CMissingFilesDialog::kListId, 0, 1), "Background");
    EXPECT_FALSE(w.IsRowChecked(botframe::CMissingFilesDialog::kListId, 0));
    w.Click("Cancel");
  });
  EXPECT_EQ(botframe::RunAppletEdit(bot, list_.get(), &runner::HostCallbacks()), 0);
  ASSERT_FALSE(backend_.driver().shown().empty());
  EXPECT_EQ(backend_.driver().shown()[0].caption, "Warning: Missing files");
}

TEST(WebUrlTest, DiskWebsKeepOneSlashAndLoseThree) {
  bool disk = false;
  EXPECT_EQ(botframe::NormalizeWebUrl("file:///C:/My Webs/site", &disk), "file:///C:/My Webs/site");
  EXPECT_TRUE(disk);
  EXPECT_EQ(botframe::NormalizeWebUrl("FILE://///server/share/web", &disk),
            "file://server/share/web");
  EXPECT_TRUE(disk);
  EXPECT_EQ(botframe::NormalizeWebUrl("http://server/web", &disk), "http://server/web");
  EXPECT_FALSE(disk);
}

}  // namespace

namespace {

TEST_F(EditFlowTest, PreviewWritesTheAppletAndItsFileGoesHoweverItIsClosed) {
  for (const bool by_ok : {true, false}) {  // OK, or Esc and the close box
    SCOPED_TRACE(by_ok ? "OK" : "Esc");
    std::string shown_file;
    backend_.driver().Expect(kSheet, [&](ui::ScriptedWindow& w) {
      w.Type("Applet Name:", "Previewed");
      w.Click("Preview");
      w.PressOk();
    });
    backend_.driver().Expect("Applet Preview", [&](ui::ScriptedWindow& w) {
      shown_file = root_.Join("appdata/Kel Software/Glintmere/GMBots.htm");
      const std::string html = ReadText(shown_file);
      EXPECT_NE(html.find("<applet codebase=\"./_glintmere/\" code=\"KelScroll\""),
                std::string::npos)
          << html;
      EXPECT_NE(html.find(" Name=\"Previewed\""), std::string::npos) << html;
      if (by_ok) w.PressOk(); else w.PressCancel();
    });
    ASSERT_EQ(Edit(), 1);
    EXPECT_FALSE(shown_file.empty());
    EXPECT_FALSE(Exists(shown_file));
  }
}

TEST_F(EditFlowTest, MessagesOfTheFileDialogsInAnEditCarryTheProductsCaption) {
  class BackgroundBot : public TestBot {
    void AddPages(botframe::CGMWebbotProperties& sheet) override {
      botframe::EditContext& context = sheet.context();
      auto* applet = sheet.AddOwnedPage(std::make_unique<botframe::CAppletPage>(context));
      auto* background = sheet.AddOwnedPage(std::make_unique<botframe::CTextBkPage>(context));
      sheet.SetLoadOrder({applet, background});
      sheet.SetTagOrder({applet, background});
    }
  } bot;
  WriteText(root_.Join("master/_glintmere/bell.au"), "shipped bell");
  WriteText(root_.Join("disk/bell.au"), "my bell");
  auto& driver = backend_.driver();
  driver.Expect(kSheet, [](ui::ScriptedWindow& w) {
    w.SelectPage("Background");
    w.Click(botframe::CTextBkPage::kAudioId);
    w.PressCancel();
  });
  driver.Expect("Select a file", [](ui::ScriptedWindow& w) {
    w.Click("Play");              // no sound device here, or a bell
    w.Click("Add From Disk...");  // a shipped name: renamed, to a name refused once
    w.PressCancel();
  });
  driver.ExpectFiles("", {root_.Join("disk/bell.au")});
  driver.Expect("Glintmere", [](ui::ScriptedWindow& w) {
    w.Click("Rename...");
    w.PressCancel();
  });
  driver.Expect("Rename 'bell.au' to...", [](ui::ScriptedWindow& w) {
    w.Type(botframe::CRenameDialog::kNameId, "bell.gif");
    w.PressOk();
    w.PressCancel();
  });
  EXPECT_EQ(Edit(bot), 0);
  std::vector<std::string> captions;
  for (const ui::WindowRecord& record : driver.shown()) {
    if (record.kind == ui::WindowKind::kMessageBox) {
      captions.push_back(record.caption + ": " + record.text.substr(0, record.text.find('\n')));
    }
  }
  EXPECT_EQ(captions, (std::vector<std::string>{
                          "Glintmere: Error occurred while opening the audio file:",
                          "Glintmere: Invalid file type."}));
}

TEST_F(EditFlowTest, WorkingCopiesGoWhenTheCallEndsThroughAnException) {
  class ThrowingBot : public TestBot {
    bool PublishOwnFiles(botframe::EditContext&, botframe::Attributes&) override {
      throw std::bad_alloc();
    }
  } bot;
  backend_.driver().Expect(kSheet, [](ui::ScriptedWindow& w) { w.PressOk(); });
  EXPECT_THROW(Edit(bot), std::bad_alloc);
  EXPECT_FALSE(Exists(UserFile("KelScroll.class")));
  EXPECT_FALSE(Exists(UserFile("QFXLogoSA.gif")));
}

TEST_F(EditFlowTest, HelpWithoutTheHelpViewerSaysSo) {
  backend_.driver().Expect(kSheet, [](ui::ScriptedWindow& w) {
    w.PressHelp();
    w.PressCancel();
  });
  test_support::SavedValue common(RootKey::kLocalMachine, "Software\\Kel Software", "CommonPath");
  test_support::SavedValue install(RootKey::kLocalMachine, "Software\\Kel Software\\GMQFX",
                                   "InstallRoot");
  test_support::SavedValue programs(RootKey::kLocalMachine,
                                    "Software\\Microsoft\\Windows\\CurrentVersion",
                                    "ProgramFilesDir");
  common.Delete();
  install.Delete();
  programs.Delete();
  EXPECT_EQ(Edit(), 0);
  EXPECT_EQ(backend_.driver().MessageTexts(), std::vector<std::string>{"Unable to display help."});
}

// The publishing dialogs, driven as a user would.
class PublishingDialogTest : public EditFlowTest {
 protected:
  void SetUp() override {
    EditFlowTest::SetUp();
    state().master_folder = root_.Join("master") + "\\";
    state().user_data_folder = root_.Join("appdata") + "\\";
    WriteText(root_.Join("appdata/_glintmere/photo.gif"), "old photo");
    WriteText(root_.Join("photo.gif"), "new photo");
    WriteText(root_.Join("QFXLogoSA.gif"), "my logo");
  }
  botframe::EditRunState& state() { return context_.state(); }
  botframe::UiPublishingDialogs dialogs_;
  botframe::EditContext context_{test_support::kScrollerBot, dialogs_};
};

TEST_F(PublishingDialogTest, OverwriteIsOfferedOnlyForUserFiles) {
  backend_.driver().Expect("Glintmere", [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Text(botframe::COverwriteDialog::kFileId), "photo.gif");
    EXPECT_TRUE(w.IsEnabled("Overwrite"));
    w.Click("Overwrite");
  });
  EXPECT_EQ(botframe::ImportFile(context_, root_.Join("photo.gif"), "photo.gif", 2, nullptr), "photo.gif");
  EXPECT_EQ(ReadText(root_.Join("appdata/_glintmere/photo.gif")), "new photo");
  EXPECT_TRUE(state().force_overwrite);

  // A shipped name: Overwrite is disabled; Rename... asks for another name.
  backend_.driver().Expect("Glintmere", [](ui::ScriptedWindow& w) {
    EXPECT_FALSE(w.IsEnabled("Overwrite"));
    w.Click("Rename...");
  });
  backend_.driver().Expect("Rename 'QFXLogoSA.gif' to...", [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Text("New File Name:"), "QFXLogoSA.gif");
    w.Type("New File Name:", "logo.png");  // another type
    w.PressOk();
    w.Type("New File Name:", "a/b.gif");
    w.PressOk();
    w.Type("New File Name:", "photo.gif");  // taken
    w.PressOk();
    w.Type("New File Name:", "MyLogo.GIF");
    w.PressOk();
  });
  EXPECT_EQ(botframe::ImportFile(context_, root_.Join("QFXLogoSA.gif"), "QFXLogoSA.gif", 2, nullptr),
            "MyLogo.GIF");
  EXPECT_EQ(ReadText(root_.Join("appdata/_glintmere/MyLogo.GIF")), "my logo");
  EXPECT_EQ(backend_.driver().MessageTexts(),
            (std::vector<std::string>{"Invalid file type.", "Not a valid File name",
                                      "File already exists. Please specify another name."}));
}

TEST_F(PublishingDialogTest, JpegNamesMayTakeEitherExtensionAndCancelSkips) {
  WriteText(root_.Join("appdata/_glintmere/sky.jpg"), "old sky");
  WriteText(root_.Join("sky.jpg"), "new sky");
  backend_.driver().Expect("Glintmere", [](ui::ScriptedWindow& w) { w.Click("Rename..."); });
  backend_.driver().Expect("", [](ui::ScriptedWindow& w) {
    w.Type("New File Name:", "sky2.jpeg");
    w.PressOk();
  });
  EXPECT_EQ(botframe::ImportFile(context_, root_.Join("sky.jpg"), "sky.jpg", 2, nullptr), "sky2.jpeg");

  backend_.driver().Expect("Glintmere", [](ui::ScriptedWindow& w) { w.PressCancel(); });
  EXPECT_EQ(botframe::ImportFile(context_, root_.Join("sky.jpg"), "sky.jpg", 2, nullptr), std::nullopt);
  EXPECT_EQ(ReadText(root_.Join("appdata/_glintmere/sky.jpg")), "old sky");
}

TEST_F(PublishingDialogTest, MissingFilesSynchronizeStoresTheTicks) {
  std::vector<botframe::MissingEntry> entries = {
      {"Background", "a.gif", botframe::kMissingImage, true},
      {"Strings", "b.au", botframe::kMissingSound, true}};
  backend_.driver().Expect("Warning: Missing files", [](ui::ScriptedWindow& w) {
    EXPECT_TRUE(w.IsRowChecked(botframe::CMissingFilesDialog::kListId, 1));
    w.CheckRow(botframe::CMissingFilesDialog::kListId, 1, false);
    w.Click("Synchronize");
  });
  EXPECT_EQ(dialogs_.AskMissingFiles(entries, nullptr), botframe::MissingFilesAnswer::kSynchronize);
  EXPECT_TRUE(entries[0].found_on_web);
  EXPECT_FALSE(entries[1].found_on_web);

  backend_.driver().Expect("Warning: Missing files",
                           [](ui::ScriptedWindow& w) { w.Click("Continue"); });
  EXPECT_EQ(dialogs_.AskMissingFiles(entries, nullptr), botframe::MissingFilesAnswer::kContinue);
}

TEST_F(PublishingDialogTest, ProgressShowsTheStatusOfOneUpload) {
  auto progress = dialogs_.OpenProgress(nullptr);
  progress->SetStatus(botframe::kUploadingStatus, "KelScroll.class");
  auto* dialog = dynamic_cast<botframe::CProgressDialog*>(progress.get());
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(dialog->IsOpen());
  EXPECT_EQ(dialog->GetControl(botframe::CProgressDialog::kStatusId).Text(), "Uploading file...");
  EXPECT_EQ(dialog->GetControl(botframe::CProgressDialog::kFileId).Text(), "KelScroll.class");
  progress.reset();
  ASSERT_FALSE(backend_.driver().shown().empty());
  EXPECT_EQ(backend_.driver().shown().back().caption, "Glintmere");
}

}  // namespace

namespace {

// A loader that cannot tell where any code lives.
class PathlessLoader : public platform::ModuleLoader {
 public:
  std::unique_ptr<platform::Module> Load(const std::string&, platform::Status* error) override {
    *error = platform::kModNotFound;
    return nullptr;
  }
  std::string PathOfModuleContaining(const void*) override { return std::string(); }
};

TEST_F(EditFlowTest, ModulePathNotAvailable) {
  PathlessLoader loader;
  platform::ScopedServices scoped{platform::Services{.modules = &loader}};
  EXPECT_EQ(Edit(), 0);
  ASSERT_EQ(backend_.driver().shown().size(), 1u);
  EXPECT_EQ(backend_.driver().shown()[0].text, "Failed to retrieve the path.");
  EXPECT_EQ(backend_.driver().shown()[0].caption, "Error");
  EXPECT_EQ(backend_.driver().shown()[0].icon, ui::Icon::kError);
}

TEST_F(EditFlowTest, FailedUploadReturnsZeroWithTheNewAttributes) {
  std::filesystem::remove(root_.Join("master/_glintmere/QFXLogoSA.gif"));
  EXPECT_EQ(Edit(), 0);
  EXPECT_EQ(Attribute("version"), "3.0.1");
  EXPECT_NE(Attribute("S-HTML"), "<absent>");
  const std::vector<std::string> texts = backend_.driver().MessageTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].rfind("Unable to copy '", 0), 0u) << texts[0];
  EXPECT_NE(texts[0].find("QFXLogoSA.gif'."), std::string::npos) << texts[0];
  // The class file went up before the failure and stays there.
  EXPECT_TRUE(Exists(root_.Join("web/news/_glintmere/KelScroll.class")));
}

}  // namespace
