// The Effects page and the effect catalogue: a new component's effect and
// starting values, the checks on the catalogue's values, the effect's files
// (working copies and what the bot publishes), a master folder without
// effects, and the page driven through the scripted user interface.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "botframe/ini_file.h"
#include "bots_fx/effect_catalogue.h"
#include "bots_fx/effects_page.h"
#include "runner/attribute_list.h"
#include "tests/support/page_test.h"
#include "tests/support/shown_windows.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using bots_fx::CImageEffectsPage;
using test_support::Exists;

constexpr const char* kCatalogue =
    "[DefaultEffect]\n"
    "Name=Ripple\n"
    "[ripple]\r\n"
    "name = Water Ripple\r\n"
    "P1Name=Wave Length\n"
    "P1Help=Distance between ripples.\n"
    "P1Default=12\n"
    "P2Default=40\n"
    "[Fire]\n"
    "Name=Flames\n"
    "P2Name=Heat\n"
    "P2Active=false\n"
    "P2Help=Brightness.\n"
    "P1Default=150\n"
    "P2Default=7;\n"
    "File1=FirePalette.gif\n"
    "File3=FireSparks.gif\n";

class EffectsPageTest : public test_support::PageTest {
 protected:
  void SetUp() override {
    UseBot(test_support::kImageEffectsBot);
    state().master_folder = root_.path() + "\\master\\";
    state().user_data_folder = root_.path() + "\\user\\";
    for (const char* name : {"EffectsFilter.class", "eRipple.class", "eFire.class",
                             "eBubbles.class", "FirePalette.gif", "FireSparks.gif"}) {
      test_support::WriteText(root_.Join(std::string("master/_glintmere/") + name), name);
    }
    test_support::WriteText(root_.Join("user/_glintmere/keep"), "");
    WriteCatalogue(kCatalogue);
  }

  void WriteCatalogue(const std::string& text) {
    test_support::WriteText(root_.Join("master/Effects.inf"), text);
  }
  void RunSheet(CImageEffectsPage& page, ui::Driver::Steps steps) {
    ui::PropertySheet sheet("Effects Test");
    sheet.AddPage(&page);
    backend_.driver().Expect("Effects Test", std::move(steps));
    sheet.DoModal();
    EXPECT_TRUE(backend_.driver().Unused().empty());
  }
  // The tooltip of a control of the open page.
  static std::string Tooltip(CImageEffectsPage& page, int id) {
    auto* window = static_cast<ui::ScriptedDialogWindow*>(page.window());
    ui::ScriptedControl* control = window ? window->Find(id) : nullptr;
    return control ? control->tooltip : "<none>";
  }

  test_support::TempFolder root_;
};

TEST(EffectCatalogueTest, SliderStartingValuesAreCheckedAndCapped) {
  // text, value with the narrower check, value with the wider one
  const struct { const char* text; int narrow, wide; } cases[] = {
      {"35", 35, 35}, {"150", 100, 100}, {"0", 0, 0}, {"-3", 20, 20}, {"1x", 20, 20},
      {"1 2", 20, 20}, {"5%", 20, 20}, {"5\\", 20, 20}, {"5~", 20, 20}, {"", 0, 0},
      {"7;", 7, 20}, {"[7]", 0, 20}, {"7:", 7, 20}, {"{7'", 0, 20}, {"007", 7, 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(bots_fx::SliderDefault(c.text, false), c.narrow) << c.text;
    EXPECT_EQ(bots_fx::SliderDefault(c.text, true), c.wide) << c.text;
  }
}

TEST(EffectCatalogueTest, DefaultsAndFilesOfTheCatalogue) {
  const bots_fx::EffectCatalogue empty;
  const bots_fx::EffectSlider second = empty.Slider("Twirl", 2);
  EXPECT_EQ(empty.Slider("Twirl", 1).caption + "/" + second.caption + "/" + second.help + "/" +
                second.default_text,
            "Filter Speed/Intensity/Intensity of the effect(Typ:20-100)./20");

  const bots_fx::EffectCatalogue catalogue(botframe::IniFile::Parse(
      "[DefaultEffect]\nName=0\n[Lens]\nName=0\nP1Active=FALSE\nP1Default=12345\n"
      "File1=a.gif\nFile2=..\\..\\secret.txt\nFile3=sub/b.gif\nFile4=\"c d.gif\"\n"
      "File5=\nFile6=e.gif\n"));
  EXPECT_EQ(catalogue.DefaultEffect() + "/" + catalogue.Caption("Lens"), "Bubbles/Lens");
  EXPECT_FALSE(catalogue.Slider("lens", 1).active);
  EXPECT_EQ(catalogue.Slider("Lens", 1).default_text, "1234");  // read to 4 characters
  // Names with a folder part are refused; the empty File5 ends the list.
  EXPECT_EQ(catalogue.Files("Lens"), (std::vector<std::string>{"eLens.class", "a.gif", "c d.gif"}));
  std::string many = "[Many]\n";
  for (int i = 1; i <= 150; ++i) many += "File" + std::to_string(i) + "=f.gif\n";
  EXPECT_EQ(bots_fx::EffectCatalogue(botframe::IniFile::Parse(many)).Files("Many").size(), 101u);
}

TEST_F(EffectsPageTest, NewComponentStartsWithTheDefaultEffectAndItsValues) {
  CImageEffectsPage page(context());
  EXPECT_EQ(page.help_topic(), "IAEffects");
  EXPECT_EQ(page.effect(), "Bubbles");
  page.LoadAttributes(&attributes_);
  EXPECT_TRUE(page.is_new());
  RunSheet(page, [&page](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items("Effects"), (std::vector<std::string>{"Bubbles", "Flames", "Water Ripple"}));
    EXPECT_EQ(w.SelectedItem("Effects"), "Water Ripple");
    EXPECT_EQ(w.Text(CImageEffectsPage::kSpeedLabelId), "Wave Length");
    EXPECT_EQ(w.Text(CImageEffectsPage::kIntensityLabelId), "Intensity");
    EXPECT_EQ(Tooltip(page, CImageEffectsPage::kSpeedId), "Distance between ripples.");
    EXPECT_EQ(Tooltip(page, CImageEffectsPage::kEffectsId),
              "Select from the list of background image effects.");
    EXPECT_EQ(w.Text(CImageEffectsPage::kDelayValueId), "20");
    EXPECT_EQ(w.Text(CImageEffectsPage::kSpeedValueId), "12");
    EXPECT_EQ(w.Position(CImageEffectsPage::kSpeedId), 12);
    EXPECT_EQ(w.Text(CImageEffectsPage::kIntensityValueId), "40");
    w.MoveSlider(CImageEffectsPage::kDelayId, 150);
    EXPECT_EQ(w.Text(CImageEffectsPage::kDelayValueId), "150");
    w.PressOk();
  });
  EXPECT_TRUE(Exists(root_.Join("user/_glintmere/eRipple.class")));  // for the preview
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppBGFilter-Effect"), "Ripple");
  std::string out;
  page.WriteAppletParams(out, attributes_);
  EXPECT_EQ(out, "\n<param name=AppBGFilter value=Ripple|150|12|40>");

  // Without "DefaultEffect" a new component starts with "Bubbles".
  WriteCatalogue("[Bubbles]\nP1Default=9\n");
  list_.Clear();
  CImageEffectsPage fresh(context());
  fresh.LoadAttributes(&attributes_);
  RunSheet(fresh, [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.SelectedItem("Effects"), "Bubbles");
    EXPECT_EQ(w.Text(CImageEffectsPage::kSpeedLabelId), "Filter Speed");
    EXPECT_EQ(w.Text(CImageEffectsPage::kSpeedValueId), "9");
    w.PressOk();
  });
  EXPECT_EQ(fresh.effect(), "Bubbles");
}

TEST_F(EffectsPageTest, StoredValuesStayAndAnotherEffectResetsTheSliders) {
  attributes_.Set("param-AppBGFilter-Effect", "Ripple");
  attributes_.Set("param-AppBGFilter-Delay", "70");
  attributes_.Set("param-AppBGFilter-Speed", "5");
  attributes_.Set("param-AppBGFilter-Intensity", "99999");  // no slider value: the default
  CImageEffectsPage page(context());
  page.LoadAttributes(&attributes_);
  EXPECT_FALSE(page.is_new());
  RunSheet(page, [&page](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Text(CImageEffectsPage::kDelayValueId), "70");
    EXPECT_EQ(w.Text(CImageEffectsPage::kSpeedValueId), "5");
    EXPECT_EQ(w.Text(CImageEffectsPage::kIntensityValueId), "20");
    EXPECT_TRUE(w.IsEnabled(CImageEffectsPage::kIntensityId));

    // Flames: 150 is capped; "7;" passes the check a change of effect makes.
    w.Select("Effects", "Flames");
    EXPECT_EQ(w.Text(CImageEffectsPage::kSpeedValueId), "100");
    EXPECT_EQ(w.Position(CImageEffectsPage::kSpeedId), 100);
    EXPECT_EQ(w.Text(CImageEffectsPage::kIntensityValueId), "7");
    EXPECT_EQ(w.Text(CImageEffectsPage::kIntensityLabelId), "Heat");
    EXPECT_EQ(Tooltip(page, CImageEffectsPage::kIntensityId), "Brightness.");
    for (int id : {CImageEffectsPage::kIntensityLabelId, CImageEffectsPage::kIntensityId,
                   CImageEffectsPage::kIntensityValueId}) {
      EXPECT_FALSE(w.IsEnabled(id)) << id;
    }
    EXPECT_EQ(w.Text(CImageEffectsPage::kDelayValueId), "70");  // the delay stays
    w.PressOk();
  });
  EXPECT_TRUE(Exists(root_.Join("user/_glintmere/eFire.class")));
  EXPECT_TRUE(Exists(root_.Join("user/_glintmere/FirePalette.gif")));
  EXPECT_FALSE(Exists(root_.Join("user/_glintmere/FireSparks.gif")));  // no "File2" before it
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppBGFilter-Effect"), "Fire");
  EXPECT_EQ(Attribute("param-AppBGFilter-Speed"), "100");
  EXPECT_EQ(Attribute("param-AppBGFilter-Intensity"), "7");

  // A new component with Flames first checks "7;" against the wider set.
  WriteCatalogue(std::string("[DefaultEffect]\nName=Fire\n") + kCatalogue);
  list_.Clear();
  CImageEffectsPage fresh(context());
  fresh.LoadAttributes(&attributes_);
  RunSheet(fresh, [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.SelectedItem("Effects"), "Flames");
    EXPECT_EQ(w.Text(CImageEffectsPage::kIntensityValueId), "20");
    w.PressOk();
  });
}

TEST_F(EffectsPageTest, NoEffectFilterGivesTheMessageAndAnEmptyPage) {
  for (const char* name : {"eRipple.class", "eFire.class", "eBubbles.class"}) {
    std::remove(root_.Join(std::string("master/_glintmere/") + name).c_str());
  }
  attributes_.Set("param-AppBGFilter-Effect", "Fire");
  attributes_.Set("param-AppBGFilter-Delay", "33");
  attributes_.Set("param-AppBGFilter-Speed", "fast");  // kept, though no slider shows it
  CImageEffectsPage page(context());
  page.LoadAttributes(&attributes_);
  RunSheet(page, [&page](ui::ScriptedWindow& w) {
    EXPECT_TRUE(w.Items("Effects").empty());
    w.PressOk();
  });
  EXPECT_EQ(backend_.driver().MessageTexts(),
            std::vector<std::string>{"No Valid Effects Filters Available."});
  ui::WindowRecord box;
  for (const ui::WindowRecord& shown : backend_.driver().shown()) {
    if (!shown.text.empty()) box = shown;
  }
  EXPECT_EQ(box.text, "No Valid Effects Filters Available.");
  EXPECT_EQ(box.caption, "Error!!!");
  EXPECT_EQ(box.icon, ui::Icon::kError);
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppBGFilter-Effect"), "Fire");
  EXPECT_EQ(Attribute("param-AppBGFilter-Delay"), "33");
  EXPECT_EQ(Attribute("param-AppBGFilter-Speed"), "fast");
  EXPECT_EQ(Attribute("param-AppBGFilter-Intensity"), "<absent>");
}

TEST_F(EffectsPageTest, ImageBotSheetOpensOnEffectsAndWritesTheFilterBeforeTheLink) {
  attributes_.Set("param-URL", "more.htm");
  ASSERT_EQ(RunBotSheet<bots_fx::ImageEffectsBot>([](ui::ScriptedWindow& w) {
              EXPECT_EQ(w.ActivePage(), "Effects");
              w.PressOk();
            }),
            ui::kIdOk);
  const size_t filter = tag_.find("<param name=AppBGFilter value=Ripple|20|12|40>");
  EXPECT_NE(filter, std::string::npos) << tag_;
  EXPECT_GT(tag_.find("<param name=URL value=more.htm|_self>"), filter) << tag_;
}

}  // namespace
