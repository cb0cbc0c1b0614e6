// The Applet page's loading and saving, without showing it.
#include <gtest/gtest.h>

#include "botframe/about_page.h"
#include "botframe/applet_page.h"
#include "platform/services.h"
#include "runner/attribute_list.h"
#include "tests/support/edit_call.h"

namespace {

using botframe::CAppletPage;

class AppletPageTest : public ::testing::Test, protected test_support::EditCallHolder {
 protected:
  std::optional<std::string> Attribute(const char* name) { return attributes_.Get(name); }

  platform::FixedClock clock_{platform::LocalTime{2003, 4, 12, 9, 30, 15, 0}};
  platform::ScopedServices services_{platform::Services{.clock = &clock_}};
  runner::AttributeList list_;
  botframe::Attributes attributes_{list_.get(), &runner::HostCallbacks()};
};

TEST_F(AppletPageTest, NewBotGetsTheDefaults) {
  CAppletPage page(context());
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.alignment(), "Baseline");
  EXPECT_EQ(page.horizontal_margin(), 0u);
  EXPECT_EQ(page.code_base(), "./_glintmere/");
  EXPECT_EQ(Attribute("java-codebase"), "./_glintmere/");  // written at load
  EXPECT_EQ(page.non_java_text(), "Requires a Java Enabled Browser.");
  EXPECT_EQ(page.applet_name(), "SA20030412093015");
  EXPECT_FALSE(state().absolute_reference);

  page.SaveAttributes();
  EXPECT_EQ(Attribute("java-code"), "KelScroll");
  EXPECT_EQ(Attribute("java-align"), std::nullopt);
  EXPECT_EQ(Attribute("java-hspace"), "0");
  EXPECT_EQ(Attribute("java-vspace"), "0");
  EXPECT_EQ(Attribute("java-Name"), "SA20030412093015");
  EXPECT_EQ(Attribute("html-NonJavaString"), "Requires a Java Enabled Browser.");
  EXPECT_EQ(Attribute("temp-PlayInBrowsers"), "1");
  EXPECT_EQ(list_.list().count, 7);
}

TEST_F(AppletPageTest, PresentationAndEffectsLibraryVariants) {
  UseBot(test_support::kPresentationBot);
  {
    CAppletPage page(context());
    page.LoadAttributes(&attributes_);
    page.SaveAttributes();
    EXPECT_EQ(Attribute("java-code"), "KelPresent");
    EXPECT_EQ(Attribute("java-Name"), "PA20030412093015");
  }
  UseBot(test_support::kImageEffectsBot);
  runner::AttributeList other;
  botframe::Attributes attributes(other.get(), &runner::HostCallbacks());
  CAppletPage page(context());
  page.LoadAttributes(&attributes);
  page.SaveAttributes();
  EXPECT_EQ(attributes.Get("java-code"), "KelImage.class");
  EXPECT_EQ(attributes.Get("java-name"), "IA20030412093015");
  EXPECT_EQ(page.help_topic(), "IAApplet");
}

TEST_F(AppletPageTest, StoredValuesLoadAndAlignmentsOutsideTheTableAreDropped) {
  attributes_.Set("java-align", "absmiddle");
  attributes_.Set("java-hspace", "12px");
  attributes_.Set("java-vspace", "x");
  attributes_.Set("java-Name", "Ticker_1");
  attributes_.Set("html-NonJavaString", "one\ntwo\r\nthree\r");
  CAppletPage page(context());
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.alignment(), "Absolute Middle");
  EXPECT_EQ(page.horizontal_margin(), 12u);
  EXPECT_EQ(page.vertical_margin(), 0u);
  EXPECT_EQ(page.applet_name(), "Ticker_1");
  EXPECT_EQ(page.non_java_text(), "one\r\ntwo\r\nthree");
  page.SaveAttributes();
  EXPECT_EQ(Attribute("java-align"), "absmiddle");
  EXPECT_EQ(Attribute("html-NonJavaString"), "one\r\ntwo\r\nthree");
  EXPECT_EQ(Attribute("java-hspace"), "12");

  // The largest margin the field takes is stored as it is and read back.
  attributes_.Set("java-vspace", "4294967295");
  CAppletPage widest(context());
  widest.LoadAttributes(&attributes_);
  widest.SaveAttributes();
  EXPECT_EQ(Attribute("java-vspace"), "4294967295");

  // A value in another letter case is not one of the table's.
  attributes_.Set("java-align", "Top");
  CAppletPage other(context());
  other.LoadAttributes(&attributes_);
  EXPECT_EQ(other.alignment(), "");
  other.SaveAttributes();
  EXPECT_EQ(Attribute("java-align"), std::nullopt);
}

TEST_F(AppletPageTest, PlayingInBrowsersIsOnForNewComponentsOnly) {
  const struct {
    const char* code;    // stored "java-code", or null for a new component
    const char* stored;  // stored setting, or null
    bool on;
    const char* saved;
  } kCases[] = {
      {nullptr, nullptr, true, "1"},    {"KelScroll", nullptr, false, "0"},
      {"KelScroll", "1", true, "1"},    {"KelScroll", "0", false, "0"},
      {nullptr, "0", false, "0"},       {"KelScroll", "yes", false, "0"},
  };
  for (const auto& c : kCases) {
    runner::AttributeList list;
    botframe::Attributes attributes(list.get(), &runner::HostCallbacks());
    if (c.code) attributes.Set("java-code", c.code);
    if (c.stored) attributes.Set("temp-PlayInBrowsers", c.stored);
    CAppletPage page(context());
    page.LoadAttributes(&attributes);
    EXPECT_EQ(page.play_in_browsers(), c.on) << (c.code ? c.code : "new") << " " << (c.stored ? c.stored : "-");
    page.SaveAttributes();
    EXPECT_EQ(attributes.Get("temp-PlayInBrowsers"), c.saved);
  }
}

TEST_F(AppletPageTest, CodeBaseFollowsTheAbsoluteReferenceFlag) {
  attributes_.Set("java-codebase", "/web/_glintmere/");
  CAppletPage page(context());
  page.LoadAttributes(&attributes_);
  EXPECT_TRUE(state().absolute_reference);  // any code base but the relative one

  state().web_url = "http://server/web";
  page.SaveAttributes();
  EXPECT_EQ(Attribute("java-codebase"), "/web/_glintmere/");

  state().web_url = "http://server";  // fewer than three slashes: no path
  page.SaveAttributes();
  EXPECT_EQ(Attribute("java-codebase"), "/_glintmere/");

  state().absolute_reference = false;
  page.SaveAttributes();
  EXPECT_EQ(Attribute("java-codebase"), "./_glintmere/");

  attributes_.Set("java-codebase", "./_GLINTMERE/");
  CAppletPage relative(context());
  relative.LoadAttributes(&attributes_);
  EXPECT_FALSE(state().absolute_reference);
}

}  // namespace

#include "ui/scripted/scripted_backend.h"

namespace {

// The Applet page shown in a sheet of its own, driven through the scripted
// user interface.
class ShownAppletPageTest : public AppletPageTest {
 protected:
  void SetUp() override {
    AppletPageTest::SetUp();
    backend_.driver().SetErrorHandler([](const std::string& error) { ADD_FAILURE() << error; });
  }
  // With first, that page opens and the Applet page is never shown.
  int Show(CAppletPage& page, ui::Driver::Steps steps, ui::PropertyPage* first = nullptr) {
    page.LoadAttributes(&attributes_);
    ui::PropertySheet sheet("Applet Sheet");
    if (first) sheet.AddPage(first);
    sheet.AddPage(&page);
    backend_.driver().Expect("Applet Sheet", std::move(steps));
    const int result = sheet.DoModal();
    if (result == ui::kIdOk) page.SaveAttributes();
    return result;
  }
  ui::ScriptedBackend backend_;
  ui::ScopedScriptedBackend scoped_{&backend_};
};

TEST_F(ShownAppletPageTest, AlignmentOutsideTheTableShowsLeftAndIsStoredSo) {
  attributes_.Set("java-align", "Top");
  CAppletPage page(context());
  EXPECT_EQ(Show(page, [](ui::ScriptedWindow& w) {
              EXPECT_EQ(w.SelectedItem("Alignment:"), "Left");
              EXPECT_EQ(w.Items("Alignment:").size(), 9u);
              w.PressOk();
            }),
            ui::kIdOk);
  EXPECT_EQ(Attribute("java-align"), "left");
}

TEST_F(ShownAppletPageTest, DiskWebServerPreviewAndTheRadioButtonRules) {
  state().disk_web = true;
  state().web_url = "file:///C:/My Webs/site";
  CAppletPage page(context());
  EXPECT_EQ(Show(page, [](ui::ScriptedWindow& w) {
              EXPECT_TRUE(w.IsVisible("Local Preview"));
              EXPECT_FALSE(w.IsEnabled("Server Preview"));  // relative: nothing to choose
              w.Check("Absolute reference for shared borders.");
              EXPECT_TRUE(w.IsEnabled("Server Preview"));
              w.Check("Server Preview");
              w.PressOk();
            }),
            ui::kIdOk);
  EXPECT_TRUE(state().absolute_reference);
  EXPECT_EQ(Attribute("java-codebase"), "/_glintmere/");
}

// Stored on a disk web with either preview choice, the code base stays when
// OK is pressed on another page, and the page, opened, shows the choice.
TEST_F(ShownAppletPageTest, StoredPreviewChoiceIsKeptWhetherThePageOpensOrNot) {
  state().disk_web = true;
  state().web_url = "file://C:/My Webs/site";
  for (const std::string stored : {"/_glintmere/", "/My Webs/site/_glintmere/"}) {
    attributes_.Set("java-codebase", stored);
    CAppletPage page(context()), opened(context());
    botframe::CAboutPage about(context());
    EXPECT_EQ(Show(page, [](ui::ScriptedWindow& w) { w.PressOk(); }, &about), ui::kIdOk);
    EXPECT_EQ(Attribute("java-codebase"), stored);
    EXPECT_EQ(Show(opened, [&](ui::ScriptedWindow& w) {
                EXPECT_EQ(w.IsChecked("Server Preview"), stored == "/_glintmere/");
                w.PressOk();
              }),
              ui::kIdOk);
    EXPECT_EQ(Attribute("java-codebase"), stored);
  }
}

TEST_F(ShownAppletPageTest, ServerWebsHideTheRadioButtonsAndUseTheWebPath) {
  state().web_url = "http://server/web";
  attributes_.Set("java-codebase", "/web/_glintmere/");
  CAppletPage page(context());
  EXPECT_EQ(Show(page, [](ui::ScriptedWindow& w) {
              EXPECT_FALSE(w.IsVisible("Local Preview"));
              EXPECT_FALSE(w.IsVisible("Server Preview"));
              EXPECT_TRUE(w.IsChecked("Absolute reference for shared borders."));
              w.PressOk();
            }),
            ui::kIdOk);
  EXPECT_EQ(Attribute("java-codebase"), "/web/_glintmere/");
}

TEST_F(ShownAppletPageTest, MarginsMustBePositiveIntegers) {
  CAppletPage page(context());
  EXPECT_EQ(Show(page, [](ui::ScriptedWindow& w) {
              w.Type("Bottom:", "");
              w.PressOk();
              EXPECT_TRUE(w.IsOpen());
              w.Type("Bottom:", "7");
              w.PressOk();
            }),
            ui::kIdOk);
  EXPECT_EQ(Attribute("java-vspace"), "7");
  EXPECT_EQ(backend_.driver().MessageTexts(),
            std::vector<std::string>{"Please enter a positive integer."});
}

TEST_F(ShownAppletPageTest, EffectsLibraryNameRuleAllowsMoreButNoPunctuation) {
  UseBot(test_support::kTextEffectsBot);
  CAppletPage page(context());
  EXPECT_EQ(Show(page, [](ui::ScriptedWindow& w) {
              for (const char* bad : {"a b", "a-b", "a.b", "a~b", ""}) {
                w.Type("Applet Name:", bad);
                w.PressOk();
              }
              w.Type("Applet Name:", "9[x]{\xE9}");  // digits first, brackets, accents
              w.PressOk();
            }),
            ui::kIdOk);
  EXPECT_EQ(Attribute("java-name"), "9[x]{\xE9}");
  const std::string invalid =
      "Invalid Applet Name:Only alpha-numeric and underscore characters allowed.";
  EXPECT_EQ(backend_.driver().MessageTexts(),
            (std::vector<std::string>{invalid, invalid, invalid, invalid,
                                      "You must specify a applet name"}));
}

TEST_F(ShownAppletPageTest, ForceBoxFollowsTheFlag) {
  state().force_overwrite = true;
  CAppletPage page(context());
  EXPECT_EQ(Show(page, [](ui::ScriptedWindow& w) {
              EXPECT_TRUE(w.IsChecked("Force write of existing support and applet files"));
              w.Check("Force write of existing support and applet files", false);
              w.PressOk();
            }),
            ui::kIdOk);
  EXPECT_FALSE(state().force_overwrite);
}

}  // namespace
