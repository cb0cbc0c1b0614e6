// The help viewer's command line, its settings file, the caption and the
// toolbar's rules.
#include <gtest/gtest.h>

#include <string>

#include "helpviewer/help_request.h"
#include "helpviewer/toolbar.h"
#include "tests/support/test_support.h"

namespace {

using helpviewer::HelpCommand;

struct ParseCase {
  const char* text;
  const char* folder;
  const char* argument;
};

TEST(HelpCommandLineTest, SplitsFolderAndArgument) {
  const ParseCase cases[] = {
      {R"("C:\Common\QFXHelp\" /cSAApplet)", R"(C:\Common\QFXHelp\)", "/cSAApplet"},
      {R"(C:\Common\QFXHelp /CSAApplet)", R"(C:\Common\QFXHelp\)", "/CSAApplet"},
      {R"(   C:\Help/ page.htm)", "C:\\Help/", "page.htm"},
      {R"("C:\Program Files\Help" "my page.htm"  )", R"(C:\Program Files\Help\)", "my page.htm"},
      {R"("C:\Help\" "unclosed.htm)", R"(C:\Help\)", ""},
      {R"("C:\Help\" "inner" quote")", R"(C:\Help\)", R"(inner" quote)"},
      {R"("C:\Program Files\Help)", R"(C:\Program Files\Help\)", ""},
      {R"(C:\Help\ index.htm   )", R"(C:\Help\)", "index.htm"},
      {R"(C:\Help)", R"(C:\Help\)", ""},
  };
  for (const ParseCase& c : cases) {
    const helpviewer::HelpCommandLine parsed = helpviewer::ParseHelpCommandLine(c.text);
    EXPECT_EQ(parsed.folder, c.folder) << c.text;
    EXPECT_EQ(parsed.argument, c.argument) << c.text;
  }
}

struct RequestCase {
  const char* arguments;  // after the quoted help folder
  const char* page;
};

TEST(HelpCommandLineTest, FindsThePageOfATopicOrFallsBackToHome) {
  test_support::TempFolder help;
  test_support::WriteText(help.Join("KelHelp.inf"),
                          "[Info]\r\nTitle=Glintmere Help\r\n"
                          "[Documents]\r\nHome=welcome.htm\r\nContents=toc.htm\r\n"
                          "[Contexts]\r\nSAApplet=scroller.htm\r\n"
                          "PAApplet=\"slide show.htm\"\r\n");
  const std::string folder = help.path() + "\\";
  const RequestCase cases[] = {
      {" /cSAApplet", "scroller.htm"},    {" /CSAApplet", "scroller.htm"},
      {" /csaapplet", "scroller.htm"},    {" /cPAApplet", "slide show.htm"},
      {" /cNoSuchTopic", "welcome.htm"},  {" /c", "welcome.htm"},
      {"", "welcome.htm"},                {" \"other page.htm\"", "other page.htm"},
      {" \"unclosed.htm", "welcome.htm"}, {" plain.htm", "plain.htm"},
  };
  for (const RequestCase& c : cases) {
    const helpviewer::HelpRequest request =
        helpviewer::ProcessHelpCommandLine("\"" + folder + "\"" + c.arguments);
    EXPECT_EQ(request.folder, folder) << c.arguments;
    EXPECT_EQ(request.page, c.page) << c.arguments;
    EXPECT_EQ(request.location, folder + c.page) << c.arguments;
    EXPECT_EQ(request.base_title, "Glintmere Help") << c.arguments;
  }
}

struct SettingsCase {
  const char* file;  // nullptr: no KelHelp.inf at all
  const char* title;
  const char* home;
  const char* contents;
};

TEST(HelpSettingsTest, MissingFileOrKeysGiveTheDefaults) {
  const std::string long_title(300, 'T');
  const std::string long_file = "[Info]\nTitle=" + long_title + "\n";
  const std::string cut_title(259, 'T');
  const SettingsCase cases[] = {
      {nullptr, "KelHelp", "index.htm", "Contents.htm"},
      {"", "KelHelp", "index.htm", "Contents.htm"},
      {"[Documents]\nHome=start.htm\n", "KelHelp", "start.htm", "Contents.htm"},
      {"[info]\ntitle = Mine \n[DOCUMENTS]\ncontents=all.htm\n", "Mine", "index.htm", "all.htm"},
      {"[Info]\nTitle=\n", "", "index.htm", "Contents.htm"},
      {long_file.c_str(), cut_title.c_str(), "index.htm", "Contents.htm"},
  };
  for (const SettingsCase& c : cases) {
    test_support::TempFolder help;
    if (c.file) test_support::WriteText(help.Join("KelHelp.inf"), c.file);
    const helpviewer::HelpSettings settings = helpviewer::ReadHelpSettings(help.path() + "/");
    const std::string shown = c.file ? c.file : "(no file)";
    EXPECT_EQ(settings.title, c.title) << shown;
    EXPECT_EQ(settings.home, c.home) << shown;
    EXPECT_EQ(settings.contents, c.contents) << shown;
  }
  // A topic in a folder without settings shows the default home page.
  test_support::TempFolder empty;
  const helpviewer::HelpRequest request =
      helpviewer::ProcessHelpCommandLine(empty.path() + "/ /cSAApplet");
  EXPECT_EQ(request.location, empty.path() + "/index.htm");
  EXPECT_EQ(request.base_title, "KelHelp");
}

TEST(HelpCaptionTest, JoinsWhatIsThere) {
  const struct {
    const char* base;
    const char* page;
    const char* caption;
  } cases[] = {
      {"KelHelp", "", "KelHelp"},
      {"KelHelp", "Scroller", "KelHelp - Scroller"},
      {"", "Scroller", "Scroller"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(helpviewer::ComposeCaption(c.base, c.page), c.caption) << c.base << "|" << c.page;
  }
}

TEST(HelpToolbarTest, ButtonsInOrderWithTheirTextsAndRules) {
  // Enabled with: nothing known, a folder, a folder and history both ways.
  const helpviewer::ViewerState states[] = {{false, false, false}, {true, false, false},
                                            {true, true, true}};
  const struct {
    const char* prompt;
    const char* tooltip;
    bool separator_before;
    bool enabled[3];
  } expected[] = {
      {"Go to the default page", "Default page", false, {false, true, true}},
      {"Go to the contents page", "Contents page", false, {false, true, true}},
      {"Print the current page", "Print", false, {false, true, true}},
      {"Go to the previous page", "Previous page", true, {false, false, true}},
      {"Go to the next page", "Next page", false, {false, false, true}},
  };
  const auto buttons = helpviewer::ToolbarButtons();
  ASSERT_EQ(buttons.size(), std::size(expected));
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_STREQ(buttons[i].prompt, expected[i].prompt) << i;
    EXPECT_STREQ(buttons[i].tooltip, expected[i].tooltip) << i;
    EXPECT_EQ(buttons[i].separator_before, expected[i].separator_before) << i;
    for (size_t s = 0; s < std::size(states); ++s) {
      EXPECT_EQ(helpviewer::IsCommandEnabled(buttons[i].command, states[s]), expected[i].enabled[s])
          << "button " << i << ", state " << s;
    }
  }
  // History alone, without a folder, enables only the history buttons.
  EXPECT_FALSE(helpviewer::IsCommandEnabled(HelpCommand::kPrint, {false, true, true}));
  EXPECT_TRUE(helpviewer::IsCommandEnabled(HelpCommand::kNext, {false, false, true}));
  EXPECT_FALSE(helpviewer::IsCommandEnabled(HelpCommand::kPrevious, {true, false, true}));
}

}  // namespace
