// The bot framework's automation client and publishing against the host's
// objects created through the platform's real automation: COM with the
// GlintmereHost DLL under Wine, the factory export natively. The web is a
// folder on disk (inside the Wine prefix under Wine).
#include <gtest/gtest.h>

#include <filesystem>

#include "botframe/automation_client.h"
#include "botframe/edit_state.h"
#include "botframe/publishing.h"
#include "host/disk_web.h"
#include "host/registration.h"
#include "host/session.h"
#include "platform/services.h"
#include "tests/support/edit_call.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_message_box.h"

namespace {

using test_support::ReadText;
using test_support::WriteText;

class PublishingEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string problem;
    ASSERT_EQ(host::RegisterHost(platform::GetRegistry(),
                                 test_support::BinFolder() +
                                     test_support::LibraryFileName("GlintmereHost"),
                                 root_.Join("glintmere.exe"), &problem),
              platform::kOk)
        << problem;
    WriteText(root_.Join("master/_glintmere/KelScroll.class"), "class file");
    WriteText(root_.Join("web/news/page.htm"), "<html><body></body></html>");
    WriteText(root_.Join("web/_glintmere/sound.au"), ".snd on the web");
    std::filesystem::create_directories(root_.Join("user/_glintmere"));
    host::Session session;
    session.web_folder = root_.Join("web");
    session.page = "news/page.htm";
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
    ASSERT_TRUE(platform::Succeeded(platform::GetAutomation().Initialize()));
  }
  void TearDown() override {
    platform::GetAutomation().Uninitialize();
    host::UnregisterHost(platform::GetRegistry());
  }

  test_support::TempFolder root_;
  ui::ScriptedMessageBoxes boxes_;
  ui::ScopedMessageBoxes scoped_boxes_{&boxes_};
};

TEST_F(PublishingEndToEndTest, ClientReadsTheWebAndPublishesIntoIt) {
  auto editor = botframe::GetEditor();
  auto explorer = botframe::GetExplorer(botframe::kGMWebbotS3Library);
  ASSERT_NE(editor, nullptr);
  ASSERT_NE(explorer, nullptr);
  const std::string web_url = host::FileUrlFromPath(root_.Join("web"));
  EXPECT_EQ(botframe::VtiGetWebUrl(*explorer), web_url);
  EXPECT_EQ(botframe::VtiGetTopPageUrl(*editor), web_url + "/news/page.htm");
  EXPECT_EQ(botframe::VtiQueryWebPageEx(*editor, web_url + "/news/page.htm").first, 0);
  explorer.reset();
  editor.reset();

  test_support::EditCall call;
  botframe::EditRunState& state = call.state();
  state.master_folder = root_.Join("master") + "\\";
  state.user_data_folder = root_.Join("user") + "\\";
  state.web_url = web_url;
  state.page_url = web_url + "/news/page.htm";
  test_support::RecordingDialogs& dialogs = call.dialogs();
  dialogs.missing_answer = botframe::MissingFilesAnswer::kSynchronize;

  ASSERT_TRUE(botframe::EnsureWorkingCopy(state, "KelScroll.class"));
  EXPECT_TRUE(botframe::UploadFile(call.context(), "_glintmere", "_glintmere", "KelScroll.class", false,
                                   false));
  EXPECT_EQ(ReadText(root_.Join("web/news/_glintmere/KelScroll.class")), "class file");
  EXPECT_TRUE(boxes_.shown().empty()) << boxes_.shown()[0].text;

  // A sound the component refers to is only on the web: synchronising fetches it.
  state.absolute_reference = true;
  ASSERT_TRUE(botframe::LocateOrRecordMissing(state, "sound.au", botframe::kMissingSound, "Strings"));
  EXPECT_TRUE(botframe::CheckMissingFiles(call.context()));
  ASSERT_EQ(dialogs.missing_shown.size(), 1u);
  EXPECT_EQ(dialogs.missing_shown[0].file_name, "sound.au");
  EXPECT_EQ(ReadText(root_.Join("user/_glintmere/sound.au")), ".snd on the web");

  botframe::RemoveWorkingCopies(state);
  EXPECT_FALSE(test_support::Exists(root_.Join("user/_glintmere/KelScroll.class")));
}

}  // namespace
