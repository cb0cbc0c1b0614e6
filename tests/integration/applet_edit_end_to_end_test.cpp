// Whole edit calls of the framework's test bots (Applet and About pages; with
// the Background page) through the real runner and host: answered by an
// answers file through glintmere insert, and under Windows also by a user at
// the real windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/path.h"
#include "host/session.h"
#include "platform/environment.h"
#include "platform/services.h"
#include "tests/support/installed_host.h"
#include "tests/support/message_box_watcher.h"

#if defined(_WIN32)
#include <windows.h>
#include <commctrl.h>

#include "tests/ui_win32/screenshot.h"
#include "tests/ui_win32/ui_user.h"
#endif

namespace {

namespace fs = std::filesystem;
using test_support::ReadText;
using test_support::WriteText;

constexpr const char* kSheet = "Glintmere Java Effects - Applet Test";

class AppletEditEndToEndTest : public test_support::InstalledHost {
 protected:
  void SetUp() override {
    InstalledHost::SetUp();
    WriteText(web_.Join("index.htm"), "<html><body>\n<p>News</p>\n</body></html>\n");
    OpenSession("index.htm");
  }
  std::string Page() { return ReadText(web_.Join("index.htm")); }
};

TEST_F(AppletEditEndToEndTest, GlintmereInsertAnsweredByAFile) {
  const std::string answers = install_.Join("answers.json");
  WriteText(answers, R"([
    {"dialog": "Glintmere Java Effects - Applet Test", "steps": [
      {"type": "Applet Name:", "text": "HarbourNews"},
      {"select": "Alignment:", "item": "Middle"},
      {"press": "OK"}]}
  ])");
  std::string err;
  ASSERT_EQ(Glintmere({"insert", "FrameBots.dll", "AppletTest", "--web", web_.path(), "--page",
                       "index.htm", "--answers", answers},
                      &err),
            0)
      << err;
  const std::string page = Page();
  EXPECT_NE(page.find("<!--webbot bot=\"AppletTest\" startspan"), std::string::npos) << page;
  EXPECT_NE(page.find(" java-Name=\"HarbourNews\"\n"), std::string::npos) << page;
  EXPECT_NE(page.find(" java-align=\"middle\"\n"), std::string::npos) << page;
  EXPECT_NE(page.find("<applet codebase=\"./_glintmere/\" code=\"KelScroll\" align=\"middle\""),
            std::string::npos)
      << page;
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/KelScroll.class")));
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/QFXLogoSA.gif")));
}

TEST_F(AppletEditEndToEndTest, PresentationInsertedEditedAndPublished) {
  const std::string answers = install_.Join("answers.json");
  WriteText(answers, R"([
    {"dialog": "Glintmere Java Effects - Presentation Applet", "steps": [
      {"expect": "Image List:", "items": ["GMQFXLogo.gif", "GMRFXLogo.gif"]},
      {"expect": "Mode:", "selected": "Sequential"},
      {"select": "Effect:", "item": "Fade"},
      {"type": "URL:", "text": "news.htm"},
      {"press": "OK"}]}
  ])");
  std::string err;
  ASSERT_EQ(Glintmere({"insert", "presentation", "--web", web_.path(), "--page", "index.htm",
                       "--answers", answers},
                      &err),
            0)
      << err;
  std::string page = Page();
  for (const char* expected :
       {"<!--webbot bot=\"GMPresent\" startspan", " java-code=\"KelPresent\"\n",
        " java-Name=\"PA", " param-StepSize=\"8\"\n", " param-Mode=\"_none\"\n",
        " param-ImageDelay=\"3000\"\n", "QFXLogoPA.gif&quot;", " param-NumImages=\"2\"\n",
        " param-Image1Transition=\"_fade\"\n",
        "\n<param name=Image1 value=./_glintmere/GMQFXLogo.gif>"
        "\n<param name=Transition1 value=_fade>"
        "\n<param name=URL1 value=news.htm|_self>"}) {
    EXPECT_NE(page.find(expected), std::string::npos) << expected << "\n" << page;
  }
  // The presentation's own files went with the applet's.
  for (const char* file : {"KelPresent.class", "QFXLogoPA.gif", "GMQFXLogo.gif", "GMRFXLogo.gif"}) {
    EXPECT_TRUE(test_support::Exists(web_.Join(std::string("_glintmere/") + file))) << file;
  }

  // Edited again: one image removed, so OK is refused with the alert until
  // the user cancels; the page stays as it was.
  WriteText(answers, R"([
    {"dialog": "Glintmere Java Effects - Presentation Applet", "steps": [
      {"expect": "Effect:", "selected": "Fade"},
      {"press": "Remove"},
      {"press": "OK"},
      {"expect": "Remove", "enabled": false},
      {"press": "Cancel"}]},
    {"dialog": "Glintmere Alert", "steps": [
      {"expect": 1451, "text": "This applet requires atleast two images be listed on the image panel. \nPlease add another image to the Image Panel."},
      {"press": "OK"}]}
  ])");
  EXPECT_EQ(Glintmere({"edit", web_.Join("index.htm"), "--answers", answers}, &err), 1) << err;
  EXPECT_NE(err.find("nothing was changed"), std::string::npos) << err;
  EXPECT_EQ(err.find("rror"), std::string::npos) << err;
  EXPECT_EQ(Page(), page);
}

TEST_F(AppletEditEndToEndTest, ImageEffectsPublishesItsEffectWithTheApplet) {
  const std::string answers = install_.Join("answers.json");
  WriteText(answers, R"([
    {"dialog": "Glintmere Java Effects - Image Effects Applet", "steps": [
      {"expect": "Effects", "selected": "Bubbles"},
      {"select": "Effects", "item": "Flames"},
      {"page": "Strings"},
      {"press": 2327},
      {"uncheck": "Enable Strings Display"},
      {"press": "OK"}]},
    {"dialog": "Select a file", "steps": [
      {"select": 1501, "item": "QFXChime.au"},
      {"press": "OK"}]}
  ])");
  std::string err;
  ASSERT_EQ(Glintmere({"insert", "image-effects", "--web", web_.path(), "--page", "index.htm",
                       "--answers", answers},
                      &err),
            0)
      << err;
  const std::string page = Page();
  for (const char* expected : {" param-AppBGFilter-Effect=\"Fire\"\n",
                               "<param name=AppBGFilter value=Fire|20|50|70>",
                               " param-Target=\"_self\"\n", " temp-Highlight=\"10\"\n"}) {
    EXPECT_NE(page.find(expected), std::string::npos) << expected << "\n" << page;
  }
  EXPECT_EQ(page.find("<param name=Highlight"), std::string::npos) << page;
  // The effect's class and its first file went with the applet; the file
  // listed after a gap did not.
  for (const char* file : {"KelImage.class", "EffectsFilter.class", "QFXLogoIA.gif", "eFire.class",
                           "FirePalette.gif"}) {
    EXPECT_TRUE(test_support::Exists(web_.Join(std::string("_glintmere/") + file))) << file;
  }
  EXPECT_FALSE(test_support::Exists(web_.Join("_glintmere/FireSparks.gif")));
  EXPECT_FALSE(test_support::Exists(web_.Join("_glintmere/eBubbles.class")));
  // The strings are off: their sound stays behind.
  EXPECT_FALSE(test_support::Exists(web_.Join("_glintmere/QFXChime.au")));
}

TEST_F(AppletEditEndToEndTest, TextEffectsInsertedThenEditedAgain) {
  const std::string answers = install_.Join("answers.json");
  WriteText(answers, R"([
    {"dialog": "Glintmere Java Effects - Text Effects Applet", "steps": [
      {"type": "String:", "text": "Harbour news"},
      {"select": "Effect:", "item": "Glow Dark"},
      {"press": 2327},
      {"press": "OK"}]},
    {"dialog": "Select a file", "steps": [
      {"select": 1501, "item": "QFXChime.au"},
      {"press": "OK"}]}
  ])");
  std::string err;
  ASSERT_EQ(Glintmere({"insert", "text-effects", "--web", web_.path(), "--page", "index.htm",
                       "--answers", answers},
                      &err),
            0)
      << err;
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/KelText.class")));
  // The string's entry sound went with the applet.
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/QFXChime.au")));
  // The applet finds it in its code base.
  EXPECT_NE(Page().find("<param name=SoundEffect1 value=QFXChime.au|>"),
            std::string::npos)
      << Page();
  // The stored string comes back; a second string is added after it.
  WriteText(answers, R"([
    {"dialog": "Glintmere Java Effects - Text Effects Applet", "steps": [
      {"expect": "String List:", "items": ["Harbour news"]},
      {"expect": "Effect:", "selected": "Glow Dark"},
      {"press": "New"},
      {"type": "String:", "text": "Fresh fish"},
      {"press": "OK"}]}
  ])");
  ASSERT_EQ(Glintmere({"edit", web_.Join("index.htm"), "--answers", answers}, &err), 0) << err;
  EXPECT_EQ(err.find("Error"), std::string::npos) << err;
  const std::string page = Page();
  for (const char* expected :
       {"<param name=TextCount value=2>\n<param name=Text1 value=\"Harbour news\">",
        "_glowdark,808080,2,2>", "<param name=Text2 value=\"Fresh fish\">"}) {
    EXPECT_NE(page.find(expected), std::string::npos) << expected << "\n" << page;
  }
}

// The four applets as the bots write them, for the browser runtime's own tests
// (tests/js), which read the files this test leaves in GLINTMERE_JS_FIXTURES:
// the two sides read and write the same pages and cannot drift apart.
TEST_F(AppletEditEndToEndTest, AppletsForTheBrowserRuntime) {
  const auto folder = platform::EnvironmentValue("GLINTMERE_JS_FIXTURES");
  if (!folder) GTEST_SKIP() << "GLINTMERE_JS_FIXTURES names no folder";
  const std::string answers = install_.Join("answers.json");
  const struct {
    const char* effect;
    const char* file;
    const char* answers;
  } kCases[] = {
      {"scroller", "scroller.html", R"([
        {"dialog": "Glintmere Java Effects - Scroller Applet", "steps": [
          {"page": "Strings"},
          {"select_text": "Main Column:", "start": 0},
          {"type": "Main Column:", "text": "Fresh bread every morning\nCakes to order"},
          {"select_text": "Main Column:", "start": 6, "end": 11},
          {"press": "B"},
          {"select_text": "Main Column:", "start": 27, "end": 32},
          {"press": "H"},
          {"select": "Color:", "item": "Navy"},
          {"page": "Applet"},
          {"type": "Applet Name:", "text": "HarbourNews"},
          {"page": "Background"},
          {"select": "Background Color:", "item": "Light Yellow"},
          {"press": "OK"}]},
        {"dialog": "Hyperlink", "steps": [
          {"type": "URL:", "text": "cakes.htm"},
          {"select": "Target:", "item": "Blank"},
          {"type": "Status bar text:", "text": "Order a cake"},
          {"press": "OK"}]}])"},
      {"presentation", "presentation.html", R"([
        {"dialog": "Glintmere Java Effects - Presentation Applet", "steps": [
          {"select": "Effect:", "item": "Shutter Vertical 12"},
          {"type": "URL:", "text": "news.htm"},
          {"page": "Applet"},
          {"type": "Applet Name:", "text": "Slides"},
          {"press": "OK"}]}])"},
      {"text-effects", "text-effects.html", R"([
        {"dialog": "Glintmere Java Effects - Text Effects Applet", "steps": [
          {"type": "String:", "text": "Harbour news"},
          {"select": "Effect:", "item": "Glow Dark"},
          {"press": "OK"}]}])"},
      {"image-effects", "image-effects.html", R"([
        {"dialog": "Glintmere Java Effects - Image Effects Applet", "steps": [
          {"select": "Effects", "item": "Flames"},
          {"page": "Strings"},
          {"type": "String:", "text": "Harbour lights"},
          {"page": "Applet"},
          {"type": "Applet Name:", "text": "Lights"},
          {"press": "OK"}]}])"},
  };
  std::filesystem::create_directories(*folder);
  size_t seen = 0;
  for (const auto& c : kCases) {
    WriteText(answers, c.answers);
    std::string err;
    ASSERT_EQ(Glintmere({"insert", c.effect, "--web", web_.path(), "--page", "index.htm",
                         "--answers", answers},
                        &err),
              0)
        << c.effect << ": " << err;
    // The component just inserted is the last applet of the page.
    const std::string page = Page();
    const size_t begin = page.rfind("<applet ");
    const size_t end = page.find("</applet>", begin);
    ASSERT_TRUE(begin != std::string::npos && end != std::string::npos && begin >= seen)
        << c.effect << "\n" << page;
    seen = begin + 1;
    WriteText((fs::path(*folder) / c.file).string(),
              page.substr(begin, end + 9 - begin) + "\n");
  }
  // A bar of buttons that drives the presentation, and the whole web for a
  // browser to open.
  WriteText(answers, R"([
    {"dialog": "Glintmere Java Effects - Button Bar Helper", "steps": [
      {"select": "Component:", "item": "Slides - Presentation Applet"},
      {"press": "OK"}]}])");
  std::string err;
  ASSERT_EQ(Glintmere({"insert", "button-bar", "--web", web_.path(), "--page", "index.htm",
                       "--answers", answers},
                      &err),
            0)
      << err;
  const std::string page = Page();
  EXPECT_NE(page.find("document.Slides.next()"), std::string::npos) << page;
  EXPECT_EQ(page.find("<script src=\"./_glintmere/glintmere-applets.js\"></script>"),
            page.find("\n</applet>\n<script src=") + 11)
      << page;
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/glintmere-applets.js")));
  const fs::path copy = fs::path(*folder) / "web";
  fs::remove_all(copy);
  fs::copy(web_.path(), copy, fs::copy_options::recursive);
}

#if defined(_WIN32)
// A user at the real windows: finds the sheet by its caption, changes the
// applet name and the alignment through the Applet page's controls, and
// presses OK.
TEST_F(AppletEditEndToEndTest, UserFillsTheRealAppletPage) {
  struct Shared {
    std::string problem;
    std::string screenshot;
    std::string preview_file;
    int preview_width = 0;
    int preview_height = 0;
    bool preview_file_there = false;
  } shared;
  std::string app_data;
  ASSERT_EQ(platform::ReadString(platform::GetRegistry(), platform::RootKey::kCurrentUser,
                                 host::kShellFoldersKey, "AppData", &app_data),
            platform::kOk);
  shared.preview_file = app_data + "\\Kel Software\\Glintmere\\GMBots.htm";
  auto user = [](void* context) -> DWORD {
    auto* shared = static_cast<Shared*>(context);
    HWND sheet = nullptr;
    ui_test::WaitUntil([&] { return (sheet = FindWindowA(nullptr, kSheet)) != nullptr; }, 20000);
    if (!sheet) {
      shared->problem = "the sheet did not open";
      return 0;
    }
    HWND page = nullptr;
    ui_test::WaitUntil([&] {
      page = ui_test::CurrentPage(sheet);
      return page && GetDlgItem(page, 1104);
    });
    if (!page || !GetDlgItem(page, 1104)) {
      shared->problem = "the Applet page has no name field";
      return 0;
    }
    ui_test::Painted(sheet);
    shared->screenshot = ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet), "applet_page");
    SetDlgItemTextA(page, 1104, "HarbourNews");
    HWND alignment = GetDlgItem(page, 1103);
    SendMessageA(alignment, CB_SETCURSEL, 4, 0);  // "Middle"
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(1103, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(alignment));

    // The preview: the dialog opens at the applet's size plus its border
    // even without a browser engine, and the file is there until OK.
    PostMessageA(GetDlgItem(page, 1110), BM_CLICK, 0, 0);
    HWND preview = nullptr;
    ui_test::WaitUntil([&] {
      preview = FindWindowA(nullptr, "Applet Preview");
      return preview && IsWindowVisible(preview);
    }, 10000);
    if (!preview || !ui_test::Painted(preview)) {
      shared->problem = "the preview did not open";
      PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      return 0;
    }
    RECT frame{};
    GetWindowRect(preview, &frame);
    shared->preview_width = frame.right - frame.left;
    shared->preview_height = frame.bottom - frame.top;
    shared->preview_file_there = GetFileAttributesA(shared->preview_file.c_str()) !=
                                 INVALID_FILE_ATTRIBUTES;
    ui_test::SaveScreenshot(ui_test::CaptureWindow(preview), "applet_preview");
    SendMessageA(preview, WM_COMMAND, IDOK, 0);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    return 0;
  };
  test_support::MessageBoxWatcher boxes;
  HANDLE thread = CreateThread(nullptr, 0, user, &shared, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  // FrontPage's thread, which the bot runs on, has OLE initialised.
  ASSERT_TRUE(platform::Succeeded(platform::GetAutomation().Initialize()));
  const int32_t result = run_bot_("4.0", "FrameBots.dll", "AppletTest", 1);
  platform::GetAutomation().Uninitialize();
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);

  ASSERT_TRUE(shared.problem.empty()) << shared.problem;
  EXPECT_FALSE(shared.screenshot.empty());
  // 320 x 240 applet (the defaults) plus 100 x 125.
  EXPECT_EQ(shared.preview_width, 420);
  EXPECT_EQ(shared.preview_height, 365);
  EXPECT_TRUE(shared.preview_file_there) << shared.preview_file;
  EXPECT_FALSE(test_support::Exists(shared.preview_file));  // OK deleted it
  EXPECT_EQ(result, 1);
  for (const test_support::SeenBox& box : boxes.Seen()) {
    ADD_FAILURE() << "message box [" << box.caption << "] " << box.text;
  }
  const std::string page = Page();
  EXPECT_NE(page.find(" java-Name=\"HarbourNews\"\n"), std::string::npos) << page;
  EXPECT_NE(page.find(" java-align=\"middle\"\n"), std::string::npos) << page;
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/KelScroll.class")));
}
#endif

constexpr const char* kBackgroundSheet = "Glintmere Java Effects - Background Test";

// The same choices on the Background page and in "Select a file", made by an
// answers file (here) and by a user at the real windows (below), give the
// same component.
void ExpectBackgroundChoices(const std::string& page) {
  EXPECT_NE(page.find(" param-AppBGColor=\"000080\"\n"), std::string::npos) << page;
  EXPECT_NE(page.find(" param-AppBGSound=\"./_glintmere/QFXChime.au\"\n"), std::string::npos)
      << page;
  EXPECT_NE(page.find(" param-AppBGImage=\"./_glintmere/QFXLogoSA.gif\"\n"), std::string::npos)
      << page;
  EXPECT_NE(page.find("<param name=AppBGColor value=000080>"), std::string::npos) << page;
  EXPECT_NE(page.find("<param name=AppInitString value=_url>"), std::string::npos) << page;
}

TEST_F(AppletEditEndToEndTest, BackgroundChoicesAnsweredByAFile) {
  const std::string answers = install_.Join("answers.json");
  WriteText(answers, R"([
    {"dialog": "Glintmere Java Effects - Background Test", "steps": [
      {"page": "Background"},
      {"select": "Background Color:", "item": "Navy"},
      {"select": "Initialization String:", "item": "URL Report"},
      {"press": "Background Audio:"},
      {"press": "Background Image:"},
      {"press": "Size to Image"},
      {"press": "OK"}]},
    {"dialog": "Select a file", "steps": [
      {"select": 1501, "item": "QFXChime.au"},
      {"press": "OK"}]},
    {"dialog": "Select a file", "steps": [
      {"select": 1501, "item": "QFXLogoSA.gif"},
      {"press": "OK"}]}
  ])");
  std::string err;
  ASSERT_EQ(Glintmere({"insert", "FrameBots.dll", "BackgroundTest", "--web", web_.path(),
                       "--page", "index.htm", "--answers", answers},
                      &err),
            0)
      << err;
  const std::string page = Page();
  ExpectBackgroundChoices(page);
  // "Size to Image" measured the logo chosen: 120 x 40.
  EXPECT_NE(page.find(" java-width=\"120\"\n"), std::string::npos) << page;
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/QFXChime.au")));
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/QFXLogoSA.gif")));
}

#if defined(_WIN32)
// The page's ids, as the Background page and "Select a file" number them.
constexpr int kImageButton = 1401, kWidth = 1403, kSizeToImage = 1405, kBackground = 1406,
              kAudioButton = 1407, kInitList = 1409, kFileList = 1501;

// Selects a list-view row by its text, as a click does (the dialog hears
// LVN_ITEMCHANGED); false when no row has that text.
bool ChooseRow(HWND list, const std::string& text) {
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    char buffer[260] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    if (text == buffer) {
      LVITEMA state{};
      state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
      return true;
    }
  }
  return false;
}

// Index of a combo box item by its text, or -1.
int ComboIndex(HWND combo, const std::string& text) {
  return static_cast<int>(
      SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(text.c_str())));
}

// Works one "Select a file" dialog: the row, a picture, OK; then waits until
// it is gone.
void ChooseInSelectAFile(const std::string& row, const std::string& screenshot) {
  const HWND dialog = ui_test::WaitForWindow("Select a file");
  if (!dialog) return;
  // The list is filled as the dialog opens; choosing a row loads its preview
  // before the change notification returns.
  EXPECT_TRUE(ui_test::WaitUntil([&] { return ChooseRow(ui_test::Item(dialog, kFileList), row); }))
      << row;
  ui_test::Painted(dialog);
  ui_test::SaveScreenshot(ui_test::CaptureWindow(dialog), screenshot);
  ui_test::Click(ui_test::Item(dialog, IDOK));
  EXPECT_TRUE(ui_test::WaitUntil([] { return FindWindowA(nullptr, "Select a file") == nullptr; }));
}

TEST_F(AppletEditEndToEndTest, UserChoosesTheBackgroundAtTheRealWindows) {
  std::string width_after_sizing;
  std::string audio_caption;
  int32_t result = 0;
  test_support::MessageBoxWatcher boxes;
  ui_test::Drive(
      [&] {
        const HWND sheet = ui_test::WaitForWindow(kBackgroundSheet);
        if (!sheet) return;
        HWND page = nullptr;
        ui_test::WaitUntil([&] {
          page = ui_test::CurrentPage(sheet);
          return page && GetDlgItem(page, kBackground);
        });
        if (!page || !GetDlgItem(page, kBackground)) {
          ADD_FAILURE() << "the Background page did not show";
          ui_test::PressSheetButton(sheet, PSBTN_CANCEL);
          return;
        }
        ui_test::Painted(sheet);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet), "background_page");

        const HWND colours = ui_test::Item(page, kBackground);
        ui_test::Choose(colours, ComboIndex(colours, "Navy"));
        const HWND init = ui_test::Item(page, kInitList);
        ui_test::Choose(init, ComboIndex(init, "URL Report"));

        ui_test::Click(ui_test::Item(page, kAudioButton));
        ChooseInSelectAFile("QFXChime.au", "select_a_file_audio");
        audio_caption = ui_test::Text(ui_test::Item(page, kAudioButton));

        ui_test::Click(ui_test::Item(page, kImageButton));
        ChooseInSelectAFile("QFXLogoSA.gif", "select_a_file_image");
        ui_test::Click(ui_test::Item(page, kSizeToImage));
        ui_test::WaitUntil([&] { return ui_test::Text(ui_test::Item(page, kWidth)) == "120"; });
        width_after_sizing = ui_test::Text(ui_test::Item(page, kWidth));
        ui_test::Painted(sheet);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet), "background_page_chosen");
        // The open list shows the swatches.
        SendMessageA(colours, CB_SHOWDROPDOWN, TRUE, 0);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(colours, &info) && info.hwndList && ui_test::Painted(info.hwndList)) {
          ui_test::SaveScreenshot(ui_test::CaptureWindow(info.hwndList), "background_colour_list");
        }
        SendMessageA(colours, CB_SHOWDROPDOWN, FALSE, 0);
        ui_test::PressSheetButton(sheet, PSBTN_OK);
      },
      [&] {
        // FrontPage's thread, which the bot runs on, has OLE initialised.
        ASSERT_TRUE(platform::Succeeded(platform::GetAutomation().Initialize()));
        result = run_bot_("4.0", "FrameBots.dll", "BackgroundTest", 1);
        platform::GetAutomation().Uninitialize();
      });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(audio_caption, "QFXChime.au");
  EXPECT_EQ(width_after_sizing, "120");
  for (const test_support::SeenBox& box : boxes.Seen()) {
    ADD_FAILURE() << "message box [" << box.caption << "] " << box.text;
  }
  ExpectBackgroundChoices(Page());
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/QFXChime.au")));
}

// The index of the exact item text of a list box, or -1.
int ListIndex(HWND list, const char* text) {
  return static_cast<int>(
      SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[260] = {};
    if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text)) {
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    }
    items.emplace_back(text);
  }
  return items;
}

TEST_F(AppletEditEndToEndTest, PresentationWithAnAddedImageAtTheRealWindows) {
  constexpr int kImageList = 1951, kMoveUp = 1952, kAdd = 1954;
  constexpr int kAvailable = 1901, kAddSelected = 1903;
  std::vector<std::string> rows;
  int32_t result = 0;
  test_support::MessageBoxWatcher boxes;
  ui_test::Drive(
      [&] {
        const HWND sheet = ui_test::WaitForWindow("Glintmere Java Effects - Presentation Applet");
        if (!sheet) return;
        HWND page = nullptr;
        ui_test::WaitUntil([&] {
          page = ui_test::CurrentPage(sheet);
          return page && GetDlgItem(page, kImageList);
        });
        if (!page || !GetDlgItem(page, kImageList)) {
          ADD_FAILURE() << "the Images page did not show";
          ui_test::PressSheetButton(sheet, PSBTN_CANCEL);
          return;
        }
        ui_test::Painted(sheet);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet), "presentation_images_page");

        ui_test::Click(ui_test::Item(page, kAdd));
        if (const HWND adder = ui_test::WaitForWindow("Add New Images")) {
          const HWND available = ui_test::Item(adder, kAvailable);
          ui_test::Choose(available, ListIndex(available, "Sunset.jpg"));
          ui_test::Click(ui_test::Item(adder, kAddSelected));
          ui_test::Settle(adder);
          ui_test::Painted(adder);
          ui_test::SaveScreenshot(ui_test::CaptureWindow(adder), "presentation_add_new_images");
          ui_test::Click(ui_test::Item(adder, IDOK));
          ui_test::WaitUntil([] { return FindWindowA(nullptr, "Add New Images") == nullptr; });
        }
        const HWND list = ui_test::Item(page, kImageList);
        ui_test::WaitUntil([&] { return ListItems(list).size() == 3; });
        // The new image is the selected row: up one place.
        ui_test::Click(ui_test::Item(page, kMoveUp));
        ui_test::WaitUntil([&] { return ListItems(list).at(1) == "Sunset.jpg"; });
        rows = ListItems(list);
        ui_test::Painted(sheet);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet), "presentation_images_reordered");
        SendMessageA(sheet, PSM_SETCURSEL, 2, 0);  // Animation, for the help pages
        ui_test::Painted(sheet);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet), "presentation_animation_page");
        ui_test::PressSheetButton(sheet, PSBTN_OK);
      },
      [&] {
        ASSERT_TRUE(platform::Succeeded(platform::GetAutomation().Initialize()));
        result = run_bot_("4.0", "GMWebbotS3.dll", "GMPresent", 1);
        platform::GetAutomation().Uninitialize();
      });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(rows, (std::vector<std::string>{"GMQFXLogo.gif", "Sunset.jpg", "GMRFXLogo.gif"}));
  for (const test_support::SeenBox& box : boxes.Seen()) {
    ADD_FAILURE() << "message box [" << box.caption << "] " << box.text;
  }
  const std::string page = Page();
  EXPECT_NE(page.find("\n<param name=NumImages value=3>\n<param name=Image1 "
                      "value=./_glintmere/GMQFXLogo.gif>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("\n<param name=Image2 value=./_glintmere/Sunset.jpg>"), std::string::npos)
      << page;
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/Sunset.jpg")));
}

int ComboIndexOf(HWND combo, const char* text) {
  return static_cast<int>(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text)));
}

TEST_F(AppletEditEndToEndTest, ButtonBarForAPresentationAtTheRealDialog) {
  constexpr int kComponent = 1911, kStyle = 1912;
  WriteText(web_.Join("index.htm"),
            "<html><body>\n"
            "<!--webbot bot=\"GMScroller\" startspan java-Name=\"SA1\" -->x"
            "<!--webbot bot=\"GMScroller\" endspan -->\n"
            "<!--webbot bot=\"GMPresent\" startspan java-Name=\"PA1\" -->y"
            "<!--webbot bot=\"GMPresent\" endspan -->\n"
            "</body></html>\n");
  std::string component;
  int32_t result = 0;
  test_support::MessageBoxWatcher boxes;
  ui_test::Drive(
      [&] {
        const HWND dialog = ui_test::WaitForWindow("Glintmere Java Effects - Button Bar Helper");
        if (!dialog) return;
        const HWND components = ui_test::Item(dialog, kComponent);
        component = ui_test::Text(components);
        const HWND styles = ui_test::Item(dialog, kStyle);
        ui_test::Choose(styles, ComboIndexOf(styles, "Ocean Blue"));
        ui_test::Settle(dialog);
        ui_test::Painted(dialog);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(dialog), "button_bar_helper");
        ui_test::Click(ui_test::Item(dialog, IDOK));
      },
      [&] {
        ASSERT_TRUE(platform::Succeeded(platform::GetAutomation().Initialize()));
        result = run_bot_("4.0", "GMWebbotS3.dll", "BBBot", 1);
        platform::GetAutomation().Uninitialize();
      });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(component, "PA1 - Presentation Applet");
  for (const test_support::SeenBox& box : boxes.Seen()) {
    ADD_FAILURE() << "message box [" << box.caption << "] " << box.text;
  }
  const std::string page = Page();
  EXPECT_NE(page.find("onclick=\"document.PA1.next();"), std::string::npos) << page;
  EXPECT_NE(page.find("./_buttonbar/Ocean/next_normal.gif"), std::string::npos) << page;
  EXPECT_TRUE(test_support::Exists(web_.Join("_buttonbar/Ocean/next_normal.gif")));
}
#endif

// The scroller: the same formatting and link made by an answers file through
// glintmere, and at the real windows of the scroller launcher under Windows,
// give the same applet parameters.
constexpr const char* kScrollerSheet = "Glintmere Java Effects - Scroller Applet";
constexpr const char* kScrollerParams =
    "\n<param name=LineCount value=2>\n<param name=RunCount value=3>"
    "\n<param name=RunText1 value=Fresh\\u0020>\n<param name=RunStyle1 value=_plain|000000>"
    "\n<param name=RunText2 value=bread>\n<param name=RunStyle2 value=_bold|000000|_newline,0>"
    "\n<param name=RunText3 value=Cakes>\n<param name=RunStyle3 value=_plain|000000|_newline,0>"
    "\n<param name=RunURL3 value=cakes.htm|_blank|0000ff>";
constexpr int kMainColumn = 1704;

TEST_F(AppletEditEndToEndTest, ScrollerInsertedAndEditedAgainThroughGlintmere) {
  const std::string answers = install_.Join("answers.json");
  WriteText(answers, R"([
    {"dialog": "Glintmere Java Effects - Scroller Applet", "steps": [
      {"select_text": 1704, "start": 0},
      {"type": 1704, "text": "Fresh bread\nCakes"},
      {"select_text": 1704, "start": 6, "end": 11},
      {"press": "B"},
      {"select_text": 1704, "start": 13, "end": 18},
      {"press": "H"},
      {"press": "OK"}]},
    {"dialog": "Hyperlink", "steps": [
      {"type": "URL:", "text": "cakes.htm"},
      {"select": "Target:", "item": "Blank"},
      {"press": "OK"}]}
  ])");
  std::string err;
  ASSERT_EQ(Glintmere({"insert", "scroller", "--web", web_.path(), "--page", "index.htm",
                       "--answers", answers},
                      &err),
            0)
      << err;
  std::string page = Page();
  EXPECT_NE(page.find(kScrollerParams), std::string::npos) << page;
  EXPECT_NE(page.find(" param-Run1-URL=\"cakes.htm\"\n"), std::string::npos) << page;
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/KelScroll.class")));

  // Edited again: the stored text and link come back, the font size
  // changes, the first line gets a sound (published with the page), and the
  // component is replaced where it stood.
  WriteText(answers, R"([
    {"dialog": "Glintmere Java Effects - Scroller Applet", "steps": [
      {"expect": 1704, "text": "Fresh bread\r\nCakes"},
      {"type": "Font Size:", "text": "14"},
      {"select_text": 1704, "start": 2, "end": 2},
      {"press": "Sound:"},
      {"press": "OK"}]},
    {"dialog": "Select a file", "steps": [
      {"select": 1501, "item": "QFXChime.au"},
      {"press": "OK"}]}
  ])");
  ASSERT_EQ(Glintmere({"edit", web_.Join("index.htm"), "--answers", answers}, &err), 0) << err;
  page = Page();
  EXPECT_NE(page.find("\n<param name=LineCount value=2>\n<param name=LineSound1 "
                      "value=./_glintmere/QFXChime.au>\n<param name=RunCount value=3>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("\n<param name=RunURL3 value=cakes.htm|_blank|0000ff>"), std::string::npos)
      << page;
  EXPECT_TRUE(test_support::Exists(web_.Join("_glintmere/QFXChime.au")));
  EXPECT_NE(page.find(" param-FontSize=\"14\"\n"), std::string::npos) << page;
  EXPECT_NE(page.find("<param name=Font value=Helvetica|14|0>"), std::string::npos) << page;
  size_t components = 0;
  for (size_t at = page.find("startspan"); at != std::string::npos;
       at = page.find("startspan", at + 1)) {
    ++components;
  }
  EXPECT_EQ(components, 1u) << page;
  EXPECT_NE(page.find("<p>News</p>\n<!--webbot bot=\"GMScroller\" startspan"), std::string::npos)
      << page;
}

#if defined(_WIN32)
// Text typed as keystrokes: each character posted, then waits until the box
// has taken them all (the launcher runs in its own process).
void TypeInto(HWND box, const std::string& keys, int expected_length) {
  ui_test::TypeKeys(box, keys);
  EXPECT_TRUE(ui_test::WaitUntil(
      [&] { return SendMessageA(box, WM_GETTEXTLENGTH, 0, 0) == expected_length; }))
      << keys;
}

void SelectRange(HWND box, int start, int end) {
  SendMessageA(box, EM_SETSEL, start, end);
}

TEST_F(AppletEditEndToEndTest, ScrollerLauncherAtTheRealWindows) {
  test_support::MessageBoxWatcher boxes;
  ui_test::StartedProgram launcher(install_.Join("bots/GMScrollerLaunch.exe"));
  ASSERT_TRUE(launcher.started()) << launcher.start_error();
  const HWND sheet = ui_test::WaitForWindow(kScrollerSheet, 20000);
  if (sheet) {
    HWND page = nullptr;
    ui_test::WaitUntil([&] {
      page = ui_test::CurrentPage(sheet);
      return page && GetDlgItem(page, kMainColumn);
    });
    const HWND main = page ? GetDlgItem(page, kMainColumn) : nullptr;
    // The page is shown once it is set up; typing before would be undone.
    if (main && ui_test::WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) {
      SelectRange(main, 0, -1);
      TypeInto(main, "Fresh bread\rCakes", 18);
      SelectRange(main, 6, 11);
      // Sent, not posted: the bold is applied when it returns.
      SendMessageA(GetDlgItem(page, 1707), BM_CLICK, 0, 0);  // B
      ui_test::Painted(sheet);
      ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet), "scroller_strings_page");
      SelectRange(main, 13, 18);
      ui_test::Click(GetDlgItem(page, 1711));  // H
      const HWND link = ui_test::WaitForWindow("Hyperlink");
      if (link) {
        SetWindowTextA(GetDlgItem(link, 1802), "cakes.htm");
        const HWND target = GetDlgItem(link, 1804);
        SendMessageA(target, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>("Blank"));
        ui_test::Painted(link);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(link), "scroller_hyperlink");
        ui_test::Click(GetDlgItem(link, IDOK));
        ui_test::WaitUntil([] { return FindWindowA(nullptr, "Hyperlink") == nullptr; });
      }
      SendMessageA(sheet, PSM_SETCURSEL, 2, 0);  // Animation
      ui_test::Painted(sheet);
      ui_test::SaveScreenshot(ui_test::CaptureWindow(sheet), "scroller_animation_page");
    } else {
      ADD_FAILURE() << "the Strings page has no main column";
    }
    ui_test::PressSheetButton(sheet, PSBTN_OK);
  }
  EXPECT_EQ(launcher.WaitForExit(30000), 0u);
  for (const test_support::SeenBox& box : boxes.Seen()) {
    ADD_FAILURE() << "message box [" << box.caption << "] " << box.text;
  }
  const std::string text = Page();
  EXPECT_NE(text.find(kScrollerParams), std::string::npos) << text;
  // The launcher leaves CLIENTSIDE out of the comment.
  EXPECT_EQ(text.find("CLIENTSIDE"), std::string::npos) << text;
}
#endif

}  // namespace
