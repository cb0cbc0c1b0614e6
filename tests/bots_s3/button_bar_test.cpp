// The button bar bot end to end: glintmere insert button-bar and glintmere
// edit, answered by a file, through the real runner, host and bot library.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/installed_host.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadText;
using test_support::WriteText;

// A scroller SA1 and a presentation PA1, and comments no bar can drive: a
// name that starts with a digit, another bot, an unclosed start comment.
constexpr const char* kPage =
    "<html><body>\n"
    "<!--webbot bot=\"GMScroller\" startspan java-Name=\"SA1\" -->\n<applet></applet>\n"
    "<!--webbot bot=\"GMScroller\" endspan -->\n"
    "<!--webbot bot=\"GMPresent\" startspan java-Name=\"PA1\" -->\n<applet></applet>\n"
    "<!--webbot bot=\"GMPresent\" endspan -->\n"
    "<!--webbot bot=\"GMPresent\" startspan java-Name=\"9PA\" -->\n"
    "<!--webbot bot=\"GMBots\" startspan java-name=\"TE1\" -->\n"
    "</body></html>\n";

class ButtonBarTest : public test_support::InstalledHost {
 protected:
  void SetUp() override {
    InstalledHost::SetUp();
    WriteText(web_.Join("index.htm"), kPage);
  }

  // Runs glintmere with an answers file: its exit code; *said gets what the
  // run and the message boxes it showed wrote on the error output.
  int Glintmere(std::vector<std::string> args, const std::string& answers, std::string* said) {
    const std::string file = install_.Join("answers.json");
    WriteText(file, answers);
    args.insert(args.end(), {"--answers", file});
    std::string errors;
    ::testing::internal::CaptureStderr();
    const int code = InstalledHost::Glintmere(args, &errors);
    *said = ::testing::internal::GetCapturedStderr() + errors;
    // A step of the answers that did not hold (an "expect") ends the run as
    // a cancel does: only its report tells them apart.
    EXPECT_EQ(said->find("error: "), std::string::npos) << *said;
    return code;
  }
  int Insert(const std::string& answers, std::string* said) {
    return Glintmere({"insert", "button-bar", "--web", web_.path(), "--page", "index.htm"},
                     answers, said);
  }
  std::string Page() { return ReadText(web_.Join("index.htm")); }
};

TEST_F(ButtonBarTest, ListsTheCompatibleComponentsAndSelectsTheFirst) {
  std::string said;
  ASSERT_EQ(Insert(R"j([{"dialog": "Glintmere Java Effects - Button Bar Helper", "steps": [
      {"expect": "Component:", "selected": "PA1 - Presentation Applet",
       "items": ["(User)", "PA1 - Presentation Applet", "SA1 - Scroller Applet"]},
      {"expect": "Button Bar Type:", "items": ["Presentation Controls", "Start and Stop"]},
      {"expect": "Local Preview", "checked": true, "enabled": false},
      {"press": "Cancel"}]}])j",
                   &said),
            1)
      << said;
  EXPECT_EQ(Page(), kPage);
}

struct InsertCase {
  const char* name;
  const char* steps;        // answers of the helper dialog before OK
  const char* user_steps;   // answers of the user component dialog, or null
  const char* applet;       // the component the bar drives
  const char* first_button; // the style file of the bar's first button
  std::vector<std::string> style_files;
};

void PrintTo(const InsertCase& c, std::ostream* os) { *os << c.name; }

class ButtonBarInsertTest : public ButtonBarTest,
                            public ::testing::WithParamInterface<InsertCase> {};

TEST_P(ButtonBarInsertTest, InsertsTheBarAndPublishesItsStyleFiles) {
  const InsertCase& c = GetParam();
  std::string answers = std::string(R"j([{"dialog": "Glintmere Java Effects - Button Bar Helper",
      "steps": [)j") + c.steps + R"j({"press": "OK"}]})j";
  if (c.user_steps) {
    answers += std::string(R"j(, {"dialog": "User component for Button Bar", "steps": [)j") +
               c.user_steps + "]}";
  }
  answers += "]";
  std::string said;
  ASSERT_EQ(Insert(answers, &said), 0) << said;
  const std::string page = Page();
  EXPECT_NE(page.find(std::string("onclick=\"document.") + c.applet + "."), std::string::npos)
      << page;
  EXPECT_TRUE(std::regex_search(page, std::regex(std::string("id=\"") + c.applet + "_[0-9]{14}\"")))
      << page;
  EXPECT_NE(page.find(std::string("src=\"./_buttonbar/Amber/") + c.first_button + "\""),
            std::string::npos)
      << page;
  EXPECT_NE(page.find(std::string("<!--webbot bot=\"BBBot\" startspan")), std::string::npos)
      << page;
  EXPECT_NE(page.find(std::string(" param-AppletName=\"") + c.applet + "\""), std::string::npos)
      << page;
  EXPECT_NE(page.find(" PREVIEW=\" \""), std::string::npos) << page;
  for (const std::string& file : c.style_files) {
    EXPECT_TRUE(test_support::Exists(web_.Join("_buttonbar/Amber/" + file))) << file;
  }
  // Only the files the bar shows are published.
  EXPECT_FALSE(test_support::Exists(web_.Join("_buttonbar/Amber/style.inf")));
}

INSTANTIATE_TEST_SUITE_P(
    Components, ButtonBarInsertTest,
    ::testing::Values(
        InsertCase{"Presentation", "", nullptr, "PA1", "previous_normal.gif",
                   {"previous_normal.gif", "previous_over.gif", "next_normal.gif"}},
        InsertCase{"Scroller",
                   R"j({"select": "Component:", "item": "SA1 - Scroller Applet"},
                      {"expect": "Button Bar Type:", "selected": "Scroller Controls"},)j",
                   nullptr, "SA1", "slower_normal.gif",
                   {"slower_normal.gif", "faster_over.gif", "stop_normal.gif"}},
        InsertCase{"UserScroller",
                   R"j({"select": "Component:", "item": "(User)"},
                      {"expect": "Component:", "selected": "(User) - my_bar - Scroller Applet"},
                      {"expect": "Button Bar Type:", "items": ["Scroller Controls", "Start and Stop"]},)j",
                   R"j({"type": "Component Name:", "text": "my_bar"},
                      {"select": "Component Type:", "item": "Scroller Applet"}, {"press": "OK"})j",
                   "my_bar", "slower_normal.gif", {"slower_normal.gif"}}),
    [](const ::testing::TestParamInfo<InsertCase>& info) { return info.param.name; });

TEST_F(ButtonBarTest, RefusesAUserComponentNameThatIsNoIdentifier) {
  std::string said;
  ASSERT_EQ(Insert(R"j([
      {"dialog": "Glintmere Java Effects - Button Bar Helper", "steps": [
        {"select": "Component:", "item": "(User)"},
        {"expect": "Component:", "selected": "PA1 - Presentation Applet"},
        {"press": "Cancel"}]},
      {"dialog": "User component for Button Bar", "steps": [
        {"type": "Component Name:", "text": "9bar"}, {"press": "OK"}, {"press": "Cancel"}]}])j",
                   &said),
            1)
      << said;
  EXPECT_NE(said.find("Please specify a valid component name."), std::string::npos) << said;
  EXPECT_EQ(Page(), kPage);
}

// What the helper says when the page, the installed styles and templates
// or the web let no bar be made; the page is never changed then.
TEST_F(ButtonBarTest, RefusalsOfTheHelperLeaveThePageAsItWas) {
  struct Case {
    const char* name;
    const char* page;     // null: the page with SA1 and PA1
    const char* removed;  // installed folder taken away, or null
    const char* steps;    // answers of the helper dialog
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"NoComponents", "<html><body>\n<p>No applets.</p>\n</body></html>\n", nullptr,
       R"j({"expect": "Component:", "items": ["(User)"]}, {"press": "OK"}, {"press": "Cancel"})j",
       {"[Glinrmere Alert!] No button bar compatible components were "
        "found on this page.",
        "Please select a component."}},
      {"NoStyles", nullptr, "ButtonBarStyles", "",
       {"[Glintmere Error!] No button bar styles available. Button bar cannot be inserted."}},
      {"NoTemplates", nullptr, "ButtonBarTemplates",
       R"j({"expect": "Button Bar Type:", "items": []}, {"press": "OK"})j",
       {"[Glintmere Error!] No button bar types available.",
        "[Glintmere Error!] No button bar type selected. Could not insert HTML code."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string page = c.page ? c.page : kPage;
    WriteText(web_.Join("index.htm"), page);
    const std::string folder = install_.Join(std::string("bots/") + (c.removed ? c.removed : ""));
    if (c.removed) fs::rename(folder, folder + ".away");
    std::string said;
    EXPECT_EQ(Insert(std::string(R"j([{"dialog": "Glintmere Java Effects - Button Bar Helper",
                                       "steps": [)j") + c.steps + "]}]",
                     &said),
              1);
    for (const std::string& message : c.messages) {
      EXPECT_NE(said.find(message), std::string::npos) << message << "\nin:\n" << said;
    }
    EXPECT_EQ(Page(), page);
    if (c.removed) fs::rename(folder + ".away", folder);
  }
}

// A style file the web cannot take is named in the report; the bar is
// still inserted, as its other files were published.
TEST_F(ButtonBarTest, StyleFilesTheWebRefusesAreListed) {
  WriteText(web_.Join("_buttonbar"), "a file where the folder would go");
  std::string said;
  EXPECT_EQ(Insert(R"j([{"dialog": "Glintmere Java Effects - Button Bar Helper", "steps": [
      {"press": "OK"}]}])j",
                   &said),
            0);
  EXPECT_NE(Page().find("<!--webbot bot=\"BBBot\" startspan"), std::string::npos);
  EXPECT_NE(said.find("[Glintmere Error!] Unable to copy following files to the web:\n"
                      "start_normal.gif\nstart_over.gif\n"),
            std::string::npos)
      << said;
}

TEST_F(ButtonBarTest, ABarMadeFromATemplateIsNeverEditedAgain) {
  struct {
    const char* attributes;
    const char* refusal;
  } cases[] = {
      {"edit=\"0\" template=\"Scroller.inf\"",
       "This button bar drives a scroller through its name and cannot be edited.\n\n"
       "To change its buttons or their style, delete the bar and insert a new one\n"
       "with the Button Bar Helper."},
      {"EDIT=\"0\"",
       "The Button Bar button styles and number cannot be edited directly.\n\n"
       "If you wish to change the number or style of the buttons,\n"
       "please delete the old button bar and insert a new one."},
  };
  for (const auto& c : cases) {
    const std::string page = std::string("<html><body>\n<!--webbot bot=\"BBBot\" startspan ") +
                             c.attributes + " -->\n<table></table>\n" +
                             "<!--webbot bot=\"BBBot\" endspan -->\n</body></html>\n";
    WriteText(web_.Join("bar.htm"), page);
    std::string said;
    EXPECT_EQ(Glintmere({"edit", web_.Join("bar.htm"), "--web", web_.path()}, "[]", &said), 1);
    EXPECT_NE(said.find(std::string("[Glintmere Java Effects - Button Bar Helper] ") + c.refusal),
              std::string::npos)
        << said;
    EXPECT_EQ(ReadText(web_.Join("bar.htm")), page);
  }
}

}  // namespace
