// The help folder as installed beside the programs: every topic a bot's
// pages or the button bar dialog open has its page in "KelHelp.inf", that
// file names nothing else, and every page it names is in the folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "botframe/ini_file.h"
#include "botframe/properties.h"
#include "botframe/web_bot_page.h"
#include "bots_fx/image_effects_bot.h"
#include "bots_fx/text_effects_bot.h"
#include "bots_s3/presentation_bot.h"
#include "bots_s3/scroller_bot.h"
#include "tests/support/edit_call.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

namespace fs = std::filesystem;

std::string HelpFolder() { return test_support::BinFolder() + "QFXHelp"; }

botframe::IniFile HelpIndex() {
  return botframe::IniFile::Load((fs::path(HelpFolder()) / "KelHelp.inf").string());
}

bool IsPageOfFolder(const std::string& page) {
  return !page.empty() && fs::is_regular_file(fs::path(HelpFolder()) / page);
}

// The help topics of the pages of Bot's sheet, in tab order.
template <typename Bot>
std::vector<std::string> PageTopics() {
  ui::ScriptedBackend backend;
  ui::ScopedScriptedBackend scoped(&backend);
  Bot bot;
  test_support::EditCall call(bot.description());
  botframe::CGMWebbotProperties sheet(bot, call.context());
  bot.AddPages(sheet);
  std::vector<std::string> topics;
  for (ui::PropertyPage* page : sheet.pages()) {
    topics.push_back(static_cast<botframe::CWebBotPage*>(page)->help_topic());
  }
  return topics;
}

struct BotTopics {
  const char* bot;
  std::vector<std::string> (*topics)();
  std::vector<std::string> expected;
};

const BotTopics kBots[] = {
    {"scroller", PageTopics<bots_s3::ScrollerBot>,
     {"SAApplet", "SABackground", "SAAnimation", "SAStrings", "SAAbout"}},
    {"presentation", PageTopics<bots_s3::PresentationBot>,
     {"PAApplet", "PABackground", "PAAnimation", "PAImages", "PAAbout"}},
    {"text effects", PageTopics<bots_fx::TextEffectsBot>,
     {"TAApplet", "TABackground", "TAURL", "TAStrings", "TAAbout"}},
    {"image effects", PageTopics<bots_fx::ImageEffectsBot>,
     {"IAApplet", "IABackground", "IAURL", "IAEffects", "IAStrings", "IAAbout"}},
};
// The button bar dialog's Help opens this topic.
constexpr const char* kButtonBarTopic = "ButtonBar";

TEST(HelpContents, EveryPageOfEveryBotOpensATopicWithItsPage) {
  const botframe::IniFile index = HelpIndex();
  ASSERT_TRUE(index.HasSection("Contexts")) << "no KelHelp.inf in " << HelpFolder();
  for (const BotTopics& bot : kBots) {
    SCOPED_TRACE(bot.bot);
    const std::vector<std::string> topics = bot.topics();
    EXPECT_EQ(topics, bot.expected);
    for (const std::string& topic : topics) {
      const std::string page = index.GetString("Contexts", topic, "");
      EXPECT_TRUE(IsPageOfFolder(page)) << topic << " opens \"" << page << "\"";
    }
  }
  EXPECT_TRUE(IsPageOfFolder(index.GetString("Contexts", kButtonBarTopic, "")));
}

TEST(HelpContents, ContextsNameOnlyTopicsTheProductOpens) {
  std::set<std::string> opened{kButtonBarTopic};
  for (const BotTopics& bot : kBots) opened.insert(bot.expected.begin(), bot.expected.end());
  std::set<std::string> listed;
  const botframe::IniFile index = HelpIndex();
  for (const std::string& line : index.SectionLines("Contexts")) {
    const size_t equals = line.find('=');
    ASSERT_NE(equals, std::string::npos) << line;
    std::string key = line.substr(0, equals);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    EXPECT_TRUE(listed.insert(key).second) << key << " is listed twice";
  }
  EXPECT_EQ(listed, opened);
}

TEST(HelpContents, TitleHomeAndContentsPagesAreThere) {
  const botframe::IniFile index = HelpIndex();
  EXPECT_EQ(index.GetString("Info", "Title", ""), "Glintmere Java Effects Help");
  // The viewer's own defaults stand for absent keys.
  EXPECT_TRUE(IsPageOfFolder(index.GetString("Documents", "Home", "index.htm")));
  EXPECT_TRUE(IsPageOfFolder(index.GetString("Documents", "Contents", "Contents.htm")));
}

}  // namespace
