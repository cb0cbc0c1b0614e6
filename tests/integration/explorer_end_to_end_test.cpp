// The host's Explorer and editor created by ProgID through the platform's
// automation, as a bot creates them: real COM with the GlintmereHost DLL
// under Wine, the library's factory export natively.
#include <gtest/gtest.h>

#include "host/disk_web.h"
#include "host/registration.h"
#include "host/session.h"
#include "platform/services.h"
#include "tests/support/test_support.h"

namespace {

using platform::DispatchValue;
using test_support::ReadText;
using test_support::WriteText;

DispatchValue Str(const std::string& text) { return DispatchValue::String(text); }

class ExplorerEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string problem;
    ASSERT_EQ(host::RegisterHost(platform::GetRegistry(),
                                 test_support::BinFolder() +
                                     test_support::LibraryFileName("GlintmereHost"),
                                 root_.Join("glintmere.exe"), &problem),
              platform::kOk)
        << problem;
    WriteText(root_.Join("web/index.htm"), "<html><body></body></html>");
    WriteText(root_.Join("outside.htm"), "sentinel");
    host::Session session;
    session.web_folder = root_.Join("web");
    session.page = "index.htm";
    session.has_unsaved_changes = true;
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
    initialized_ = platform::Succeeded(platform::GetAutomation().Initialize());
    ASSERT_TRUE(initialized_);
  }
  void TearDown() override {
    if (initialized_) platform::GetAutomation().Uninitialize();
    host::UnregisterHost(platform::GetRegistry());
  }

  std::unique_ptr<platform::DispatchObject> Create(const char* prog_id) {
    platform::CreateResult created = platform::GetAutomation().Create(prog_id);
    EXPECT_EQ(created.failed_stage, platform::CreateStage::kNone)
        << prog_id << " error " << std::hex << created.error;
    return std::move(created.object);
  }

  static DispatchValue Call(platform::DispatchObject& object, const char* method,
                            std::vector<DispatchValue> args) {
    DispatchValue result;
    EXPECT_EQ(object.Invoke(method, args, &result), platform::kSOk) << method;
    return result;
  }

  test_support::TempFolder root_;
  bool initialized_ = false;
};

TEST_F(ExplorerEndToEndTest, FilesGoIntoTheWebAndComeBackThroughTheAutomationService) {
  std::string binary;
  for (int b = 0; b < 512; ++b) binary.push_back(static_cast<char>(b));
  WriteText(root_.Join("local/logo.gif"), binary);
  const std::string web_url = host::FileUrlFromPath(root_.Join("web"));
  {
    std::unique_ptr<platform::DispatchObject> explorer = Create("FrontPage.Explorer");
    ASSERT_NE(explorer, nullptr);
    EXPECT_EQ(Call(*explorer, "vtiGetWebURL", {}).text(), web_url);
    EXPECT_EQ(Call(*explorer, "vtiCreateFolder", {Str("_glintmere")}).AsInt(), 1);
    EXPECT_EQ(Call(*explorer, "vtiPutDocument",
                   {Str(root_.Join("local/logo.gif")), Str("_glintmere/logo.gif"),
                    DispatchValue::Int(1)})
                  .AsInt(),
              1);
    EXPECT_EQ(ReadText(root_.Join("web/_glintmere/logo.gif")), binary);
    EXPECT_EQ(Call(*explorer, "vtiPutDocument",
                   {Str(root_.Join("local/logo.gif")), Str("_glintmere/logo.gif"),
                    DispatchValue::Bool(false)})
                  .AsInt(),
              0);

    const std::string full_url = web_url + "/_glintmere/logo.gif";
    EXPECT_NE(Call(*explorer, "vtiIsPageInWeb", {Str(full_url)}).AsInt(), 0);
    EXPECT_EQ(Call(*explorer, "vtiIsPageInWeb", {Str("../outside.htm")}).AsInt(), 0);
    EXPECT_EQ(Call(*explorer, "vtiGetDocToFile", {Str(full_url), Str(root_.Join("local/copy.gif"))})
                  .AsInt(),
              1);
    EXPECT_EQ(ReadText(root_.Join("local/copy.gif")), binary);
    EXPECT_EQ(Call(*explorer, "vtiGetDocToFile",
                   {Str("../outside.htm"), Str(root_.Join("local/stolen.htm"))})
                  .AsInt(),
              0);
    EXPECT_FALSE(test_support::Exists(root_.Join("local/stolen.htm")));

    const DispatchValue folders = Call(*explorer, "vtiGetFoldersList", {Str("")});
    EXPECT_EQ(folders.text(), "_glintmere\n");
    // No subfolders: no value at all, which the client reads as null.
    EXPECT_EQ(Call(*explorer, "vtiGetFoldersList", {Str("_glintmere")}).kind(),
              DispatchValue::Kind::kEmpty);
    EXPECT_EQ(Call(*explorer, "vtiGetPagesInFolder", {Str("_glintmere"), DispatchValue::Int(2)})
                  .text(),
              "logo.gif\n_glintmere/logo.gif\n");
  }
  // The versioned ProgID an older bot library tries leads to the same web.
  std::unique_ptr<platform::DispatchObject> old_explorer = Create("FrontPage.Explorer.3.0");
  ASSERT_NE(old_explorer, nullptr);
  EXPECT_NE(Call(*old_explorer, "vtiIsFolderInWeb", {Str("_glintmere")}).AsInt(), 0);
  EXPECT_EQ(ReadText(root_.Join("outside.htm")), "sentinel");
}

TEST_F(ExplorerEndToEndTest, QueryWebPageWritesItsTruthValuesBackThroughByReferenceArguments) {
  std::unique_ptr<platform::DispatchObject> editor = Create("FrontPage.Editor");
  ASSERT_NE(editor, nullptr);
  const std::string page_url = host::FileUrlFromPath(root_.Join("web")) + "/index.htm";
  int16_t unsaved = 0, open = 0;
  const DispatchValue result =
      Call(*editor, "vtiQueryWebPageEx",
           {Str(page_url), DispatchValue::NullString(), DispatchValue::BoolRef(&unsaved),
            DispatchValue::BoolRef(&open)});
  EXPECT_EQ(result.AsInt(), 1);
  EXPECT_EQ(unsaved, -1);
  EXPECT_EQ(open, -1);
  unsaved = open = -1;
  Call(*editor, "vtiQueryWebPageEx",
       {Str("other.htm"), DispatchValue::NullString(), DispatchValue::BoolRef(&unsaved),
        DispatchValue::BoolRef(&open)});
  EXPECT_EQ(unsaved, 0);
  EXPECT_EQ(open, 0);
}

}  // namespace
