// The Strings pages of the text and image effects bots, driven through the
// scripted user interface within their bots' sheets: new components, the
// worked cases of one string's settings, the list buttons, stored components
// read back (hostile ones too) and the image bot's switch.
#include "bots_fx/strings_page.h"

#include <gtest/gtest.h>

#include "bots_fx/image_effects_bot.h"
#include "bots_fx/text_effects_bot.h"
#include "runner/attribute_list.h"
#include "tests/support/page_test.h"
#include "tests/support/shown_windows.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using Page = bots_fx::CEffectStringsPage;
using Names = std::vector<std::string>;
constexpr const char* kList = "String List:";

class StringsPageTest : public test_support::PageTest {
 protected:
  void SetUp() override {
    UseText();
  }
  void UseText() { Use(test_support::kTextEffectsBot); }
  void UseImage() { Use(test_support::kImageEffectsBot); }
  void Use(const botframe::BotDescription& bot) {
    UseBot(bot);
    state().master_folder = root_.path() + "\\master\\";
    state().user_data_folder = root_.path() + "\\user\\";
    test_support::WriteText(root_.Join("master/_glintmere/bell.au"), "sound");
    test_support::WriteText(root_.Join("user/_glintmere/own.au"), "sound");
    image_ = &bot == &test_support::kImageEffectsBot;
  }

  // Loads the attributes, runs the bot's sheet answered by steps, and on OK
  // saves and writes the applet tag; the sheet's result.
  int Run(ui::Driver::Steps steps) {
    return image_ ? RunBotSheet<bots_fx::ImageEffectsBot>(std::move(steps))
                  : RunBotSheet<bots_fx::TextEffectsBot>(std::move(steps));
  }
  static Page* StringsPage(ui::ScriptedWindow& w) {
    for (ui::PropertyPage* page : w.sheet()->pages()) {
      if (auto* strings = dynamic_cast<Page*>(page)) return strings;
    }
    return nullptr;
  }
  // Strings stored as a saved component holds them (in Courier, the rest
  // the defaults).
  void Store(const Names& texts) {
    attributes_.Set("java-codebase", "./_glintmere/");
    attributes_.Set("param-TextCount", std::to_string(texts.size()));
    for (size_t i = 1; i <= texts.size(); ++i) {
      bots_fx::StringEntry entry;
      entry.text = texts[i - 1];
      entry.font_face = "Courier";
      bots_fx::WriteStringEntry(attributes_,
                                image_ ? bots_fx::kImageStrings : bots_fx::kTextStrings,
                                static_cast<int>(i), entry, "./_glintmere/");
    }
  }
  Names AttributeNames(const std::string& prefix) {
    Names found;
    for (const std::string& name : attributes_.Names()) {
      if (name.rfind(prefix, 0) == 0) found.push_back(name);
    }
    return found;
  }

  test_support::TempFolder root_;
  bool image_ = false;
};

TEST_F(StringsPageTest, NewComponentsOfBothBotsGiveEveryDefault) {
  const std::vector<std::pair<const char*, const char*>> shared = {
      {"param-TextCount", "1"},
      {"param-Text1", "Put your String Here"},
      {"param-Text1FontFace", "Helvetica"},
      {"param-Text1FontSize", "16"},
      {"param-Text1FontStyle", "0"},
      {"param-Text1Shadow", "0"},
      {"param-Text1ShadowColor", "51"},
      {"param-Text1ShadowXOffset", "2"},
      {"param-Text1ShadowYOffset", "2"},
      {"param-Text1AlignX", "0"},
      {"param-Text1AlignXOffset", "0"},
      {"param-Text1AlignY", "0"},
      {"param-Text1AlignYOffset", "0"},
      {"param-Text1FontColor1", "9"},
      {"param-Text1EntryHow", "0"},
      {"param-Text1EntryDelay", "100"},
      {"param-Text1ExitHow", "0"},
      {"param-Text1ExitDelay", "100"},
      {"param-Text1HoldTime", "1000"},
      {"param-Text1RunDelay", "0"},
      {"param-Text1EntrySound", "<absent>"},
      {"param-Text1ShadowColorTempShadowColor", "<absent>"},
  };
  const struct {
    bool image;
    std::vector<std::pair<const char*, const char*>> own;
    const char* params;
  } cases[] = {
      {false,
       {{"param-Text1FontColor2", "0"},
        {"param-Text1FontColor4", "0"},
        {"param-Text1ColorDelay", "80"},
        {"param-Text1EntryAnimStep", "<absent>"},
        {"param-UsesStrings", "<absent>"},
        {"param-Text1FontColor1TempFontColor1", "<absent>"}},
       "\n<param name=TextCount value=1>"
       "\n<param name=Text1 value=\"Put your String Here\">"
       "\n<param name=Font1 value=Helvetica|16|_bold|_center,0|_center,0|_noshadow,808080,2,2>"
       "\n<param name=SoundEffect1 value=|>"
       "\n<param name=MotionEffect1 value=_fromthecenter,100|_fromthecenter,100|1000|0>"
       "\n<param name=Colors1 value=80|000000,,,>"},
      {true,
       {{"param-Text1FontColor2", "<absent>"},
        {"param-Text1ColorDelay", "<absent>"},
        {"param-Text1EntryAnimStep", "20"},
        {"param-Text1ExitAnimStep", "20"},
        {"param-UsesStrings", "1"}},
       "\n<param name=TextCount value=1>"
       "\n<param name=Text1 value=\"Put your String Here\">"
       "\n<param name=Font1 "
       "value=Helvetica|16|_bold|000000|_center,0|_center,0|_noshadow,808080,2,2>"
       "\n<param name=SoundEffect1 value=|>"
       "\n<param name=MotionEffect1 value=_fromthecenter,20,100|_fromthecenter,20,100|1000|0>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.image ? "image" : "text");
    list_.Clear();
    c.image ? UseImage() : UseText();
    Run([&c](ui::ScriptedWindow& w) {
      if (c.image) {
        EXPECT_EQ(w.caption(), "Glintmere Java Effects - Image Effects Applet");
        EXPECT_EQ(w.ActivePage(), "Effects");
        w.SelectPage("Strings");
        EXPECT_TRUE(w.IsChecked("Enable Strings Display"));
        const Names motions = w.Items("Entry:");
        ASSERT_EQ(motions.size(), 13u);
        EXPECT_EQ(motions[1], "Every Other Horizontal");
        EXPECT_EQ(motions[12], "Jitter Vertical");
        EXPECT_EQ(w.Items("Effect:"), (Names{"None", "Shadow"}));
      } else {
        EXPECT_EQ(w.caption(), "Glintmere Java Effects - Text Effects Applet");
        EXPECT_EQ(w.ActivePage(), "Strings");
        EXPECT_EQ(w.Items("Entry:").size(), 23u);
        EXPECT_EQ(w.SelectedItem(Page::kColour2Id), "Default");
      }
      EXPECT_EQ(w.Items(kList), Names{"Put your String Here"});
      EXPECT_EQ(w.SelectedItem("Font:"), "Helvetica");
      EXPECT_EQ(w.SelectedItem(Page::kStyleId), "Bold");
      EXPECT_EQ(w.SelectedItem("Colors:"), "Black");
      EXPECT_EQ(w.SelectedItem("Shadow:"), "Gray");
      EXPECT_EQ(w.SelectedItem(Page::kShadowXId), "2");
      EXPECT_EQ(w.SelectedItem("Align:"), "Center");
      EXPECT_EQ(w.SelectedItem("Exit:"), "From the Center");
      EXPECT_EQ(w.Text(Page::kEntrySoundId), "(None)");
      EXPECT_FALSE(w.IsEnabled("Remove"));
      EXPECT_EQ(StringsPage(w)->help_topic(), c.image ? "IAStrings" : "TAStrings");
      w.PressOk();
    });
    for (const auto& [name, value] : shared) EXPECT_EQ(Attribute(name), value) << name;
    for (const auto& [name, value] : c.own) EXPECT_EQ(Attribute(name), value) << name;
    EXPECT_TRUE(Has(c.params)) << tag_;
  }
}

TEST_F(StringsPageTest, ColoursAndEffectsAsStoredAndAsTheAppletGetsThem) {
  backend_.driver().ExpectColour(ui::Colour(0x0000FF));  // pure red
  Run([](ui::ScriptedWindow& w) {
    for (int id : {Page::kColour1Id, Page::kColour2Id, Page::kColour3Id, Page::kColour4Id}) {
      w.Select(id, "Default");
    }
    w.Select("Effect:", "Glow Dark");
    w.Select("Shadow:", "Custom...");
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-Text1ShadowColor"), "0");
  EXPECT_EQ(Attribute("param-Text1ShadowColorTempShadowColor"), "ff0000");
  EXPECT_EQ(Attribute("param-Text1FontColor1"), "0");
  EXPECT_TRUE(Has("|_glowdark,ff0000,2,2>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=Colors1 value=80|000000,,,>")) << tag_;

  // The image bot always stores its colour's custom attribute for "Default".
  list_.Clear();
  UseImage();
  Run([](ui::ScriptedWindow& w) {
    w.Select("Colors:", "Default");
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-Text1FontColor1TempFontColor1"), "000000");
  EXPECT_TRUE(Has("value=Helvetica|16|_bold|000000|")) << tag_;
}

TEST_F(StringsPageTest, RemovedStringsLeaveNothingAfterPreviewsAndOk) {
  Store({"one", "two"});
  attributes_.Set("param-Text2EntrySound", "./_glintmere/bell.au");
  attributes_.Set("param-Text2EntryAnimStep", "7");
  backend_.driver().Expect("Applet Preview");
  backend_.driver().Expect("Applet Preview");
  Run([this](ui::ScriptedWindow& w) {
    w.Click("New");
    w.Click("New");
    w.Click("Preview");  // writes four strings
    for (int i = 0; i < 3; ++i) w.Click("Remove");
    EXPECT_EQ(w.Items(kList), Names{"one"});
    EXPECT_FALSE(w.IsEnabled("Remove"));
    w.Click("Preview");
    // A preview removes nothing, but counts again.
    EXPECT_EQ(Attribute("param-TextCount"), "1");
    EXPECT_EQ(Attribute("param-Text4"), "Put your String Here");
    w.PressOk();
  });
  EXPECT_EQ(AttributeNames("param-Text2"), Names{});
  EXPECT_EQ(AttributeNames("param-Text3"), Names{});
  EXPECT_EQ(AttributeNames("param-Text4"), Names{});
  EXPECT_EQ(Attribute("param-Text1FontFace"), "Courier");
}

TEST_F(StringsPageTest, EditingSelectingAndMovingStrings) {
  Store({"one", "two", "three"});
  backend_.driver().ExpectMessage("Error!!!", "Please select an item from the list",
                                  ui::Answer::kOk);
  Run([](ui::ScriptedWindow& w) {
    EXPECT_TRUE(w.IsEnabled("Remove"));
    // An empty String box stores nothing of the string.
    w.Type("String:", "");
    w.Type("Hold Time:", "5");
    w.Select(kList, "two");
    w.Select(kList, "one");
    EXPECT_EQ(w.Text("String:"), "one");
    EXPECT_EQ(w.Text("Hold Time:"), "1000");
    w.Type("String:", "first");
    w.Select("Font:", "Dialog");
    w.Click("Up");  // the first: nothing moves
    w.Click("Down");
    EXPECT_EQ(w.Items(kList), (Names{"two", "first", "three"}));
    EXPECT_EQ(w.SelectedItem(kList), "first");
    w.Type("Run Delay:", "250");  // belongs to the moved string
    w.Select(kList, "three");
    w.Click("Up");
    EXPECT_EQ(w.Items(kList), (Names{"two", "three", "first"}));
    StringsPage(w)->GetList(Page::kListId).Select(-1);
    w.Click("Down");
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-Text3"), "first");
  EXPECT_EQ(Attribute("param-Text3FontFace"), "Dialog");
  EXPECT_EQ(Attribute("param-Text3RunDelay"), "250");
  EXPECT_EQ(Attribute("param-Text3HoldTime"), "1000");
  EXPECT_EQ(Attribute("param-Text2"), "three");
}

TEST_F(StringsPageTest, BadNumbersAreRefusedBeforeListChanges) {
  const char* const kRefused = "Please enter an integer.";
  for (bool image : {false, true}) {
    SCOPED_TRACE(image ? "image" : "text");
    list_.Clear();
    image ? UseImage() : UseText();
    Store({"one", "two"});
    backend_.driver().ExpectMessage("", kRefused, ui::Answer::kOk);
    backend_.driver().ExpectMessage("", kRefused, ui::Answer::kOk);
    if (image) backend_.driver().ExpectMessage("", kRefused, ui::Answer::kOk);
    Run([image](ui::ScriptedWindow& w) {
      w.SelectPage("Strings");
      w.Type(Page::kAlignXOffsetId, "left");
      w.Click("Down");
      w.Click("Preview");
      w.Click("New");  // only the image page checks first
      EXPECT_EQ(w.Items(kList).size(), image ? 2u : 3u);
      w.Type(Page::kAlignXOffsetId, "-12");
      w.PressOk();
    });
    EXPECT_EQ(Attribute("param-Text1AlignXOffset"), image ? "-12" : "0");
    EXPECT_EQ(Attribute("param-Text1"), "one");
  }
}

TEST_F(StringsPageTest, StoredSoundsAndTheImageBotsSwitch) {
  UseImage();
  Store({"one"});
  attributes_.Set("param-Text1EntrySound", "NONE");
  attributes_.Set("param-Text1ExitSound", "./_glintmere/bell.au");
  attributes_.Set("param-Text1EntryAnimStep", "33");
  attributes_.Set("param-UsesStrings", "1");
  Run([](ui::ScriptedWindow& w) {
    w.SelectPage("Strings");
    EXPECT_EQ(w.Text(Page::kEntrySoundId), "(None)");
    EXPECT_EQ(w.Text(Page::kExitSoundId), "bell.au");
    EXPECT_EQ(w.Text(Page::kEntryStepsId), "33");
    w.Check("Enable Strings Display", false);
    EXPECT_FALSE(w.IsEnabled(kList));
    EXPECT_FALSE(w.IsEnabled("New"));
    EXPECT_FALSE(w.IsEnabled(Page::kExitSoundId));
    EXPECT_TRUE(w.IsEnabled("Preview"));
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-UsesStrings"), "0");
  EXPECT_EQ(Attribute("param-Text1ExitSound"), "./_glintmere/bell.au");
  EXPECT_EQ(Attribute("param-Text1EntrySound"), "<absent>");  // dropped at load
  EXPECT_TRUE(Has("\n<param name=TextCount value=1>\n<param name=Text1 value=\" \">")) << tag_;
  EXPECT_FALSE(Has("Font1")) << tag_;
}

TEST_F(StringsPageTest, HostileStoredValuesGiveDefaults) {
  const struct {
    const char* name;
    const char* value;
    const char* expected;  // in the applet tag
  } cases[] = {
      {"param-TextCount", "2147483647", "<param name=Text1 value=one>"},
      {"param-Text1FontStyle", "99", "|16|_bold|"},
      {"param-Text1Shadow", "-1", "|_noshadow,808080,"},
      {"param-Text1ShadowColor", "141", "|_noshadow,808080,"},
      {"param-Text1ShadowXOffset", "6", ",808080,2,2>"},
      {"param-Text1AlignY", "3", "|_center,0|_noshadow"},
      {"param-Text1FontColor1", "142", "value=80|000000,,,>"},
      {"param-Text1FontColor2", "-3", "value=80|000000,,,>"},
      {"param-Text1EntryHow", "23", "value=_fromthecenter,100|"},
      {"param-Text1HoldTime", "-1", "|1000|0>"},
      {"param-Text1ColorDelay", "1000000000", "value=80|"},
      {"param-Text1AlignXOffset", "-100000000", "|_center,0|_center,0|"},
      {"param-Text1FontColor1TempFontColor1", "zz", "value=80|000000,,,>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    list_.Clear();
    Store({"one"});
    attributes_.Set(c.name, c.value);
    if (std::string(c.name) == "param-Text1FontColor1TempFontColor1") {
      attributes_.Set("param-Text1FontColor1", "1");
    }
    tag_.clear();
    Run([](ui::ScriptedWindow& w) {
      EXPECT_EQ(w.Items(kList).at(0), "one");  // a larger count: empty strings
      w.PressOk();
    });
    EXPECT_TRUE(Has(c.expected)) << tag_;
  }
}

}  // namespace
