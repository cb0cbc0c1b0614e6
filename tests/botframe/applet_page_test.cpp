// The Applet page's loading and saving, without showing it.
#include <gtest/gtest.h>

#include "botframe/applet_page.h"
#include "botframe/edit_state.h"
#include "botframe/profile.h"
#include "platform/services.h"
#include "runner/attribute_list.h"

namespace {

using botframe::CAppletPage;
using botframe::State;

class AppletPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    State().Reset();
    State().bot_kind = 1;
  }
  void TearDown() override {
    State().Reset();
    botframe::SetProfile(botframe::S3Profile());
  }

  std::optional<std::string> Attribute(const char* name) { return attributes_.Get(name); }

  platform::FixedClock clock_{platform::LocalTime{2003, 4, 12, 9, 30, 15, 0}};
  platform::ScopedServices services_{platform::Services{.clock = &clock_}};
  runner::AttributeList list_;
  botframe::Attributes attributes_{list_.get(), &runner::HostCallbacks()};
};

TEST_F(AppletPageTest, NewBotGetsTheDefaults) {
  CAppletPage page;
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.alignment(), "Baseline");
  EXPECT_EQ(page.horizontal_margin(), 0u);
  EXPECT_EQ(page.code_base(), "./_glintmere/");
  EXPECT_EQ(Attribute("java-codebase"), "./_glintmere/");  // written at load
  EXPECT_EQ(page.non_java_text(), "Requires a Java Enabled Browser.");
  EXPECT_EQ(page.applet_name(), "SA20030412093015");
  EXPECT_FALSE(State().absolute_reference);

  page.SaveAttributes();
  EXPECT_EQ(Attribute("java-code"), "KelScroll");
  EXPECT_EQ(Attribute("java-align"), std::nullopt);
  EXPECT_EQ(Attribute("java-hspace"), "0");
  EXPECT_EQ(Attribute("java-vspace"), "0");
  EXPECT_EQ(Attribute("java-Name"), "SA20030412093015");
  EXPECT_EQ(Attribute("html-NonJavaString"), "Requires a Java Enabled Browser.");
  EXPECT_EQ(list_.list().count, 6);
}

TEST_F(AppletPageTest, PresentationAndEffectsLibraryVariants) {
  State().bot_kind = 2;
  {
    CAppletPage page;
    page.LoadAttributes(&attributes_);
    page.SaveAttributes();
    EXPECT_EQ(Attribute("java-code"), "KelPresent");
    EXPECT_EQ(Attribute("java-Name"), "PA20030412093015");
  }
  botframe::SetProfile(botframe::FxProfile());
  runner::AttributeList other;
  botframe::Attributes attributes(other.get(), &runner::HostCallbacks());
  CAppletPage page;
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
  CAppletPage page;
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.alignment(), "Absolute Middle");
  EXPECT_EQ(page.horizontal_margin(), 12u);
  EXPECT_EQ(page.vertical_margin(), 0u);
  EXPECT_EQ(page.applet_name(), "Ticker_1");
  EXPECT_EQ(page.non_java_text(), "one\r\ntwo\r\nthree");
  page.SaveAttributes();
  EXPECT_EQ(Attribute("java-align"), "absmiddle");
  EXPECT_EQ(Attribute("html-NonJavaString"), "one\r\ntwo\r\nthree");

  // A value in another letter case is not one of the table's.
  attributes_.Set("java-align", "Top");
  CAppletPage other;
  other.LoadAttributes(&attributes_);
  EXPECT_EQ(other.alignment(), "");
  other.SaveAttributes();
  EXPECT_EQ(Attribute("java-align"), std::nullopt);
}

TEST_F(AppletPageTest, CodeBaseFollowsTheAbsoluteReferenceFlag) {
  attributes_.Set("java-codebase", "/web/_glintmere/");
  CAppletPage page;
  page.LoadAttributes(&attributes_);
  EXPECT_TRUE(State().absolute_reference);  // any code base but the relative one

  State().web_url = "http://server/web";
  page.SaveAttributes();
  EXPECT_EQ(Attribute("java-codebase"), "/web/_glintmere/");

  State().web_url = "http://server";  // fewer than three slashes: no path
  page.SaveAttributes();
  EXPECT_EQ(Attribute("java-codebase"), "/_glintmere/");

  State().absolute_reference = false;
  page.SaveAttributes();
  EXPECT_EQ(Attribute("java-codebase"), "./_glintmere/");

  attributes_.Set("java-codebase", "./_GLINTMERE/");
  CAppletPage relative;
  relative.LoadAttributes(&attributes_);
  EXPECT_FALSE(State().absolute_reference);
}

}  // namespace
