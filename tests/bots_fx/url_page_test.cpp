// The URL page of the text and image effects bots: defaults, loading what a
// stored (or hostile) component holds, when each param tag exists, absolute
// URLs in a preview, and the page driven through the scripted interface.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "botframe/properties.h"
#include "bots_fx/text_effects_bot.h"
#include "bots_fx/url_page.h"
#include "runner/attribute_list.h"
#include "tests/support/page_test.h"
#include "tests/support/shown_windows.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using bots_fx::CTextURLPage;

class UrlPageTest : public test_support::PageTest {
 protected:
  void SetUp() override {
    UseBot(test_support::kTextEffectsBot);
  }
  std::string Params(CTextURLPage& page) {
    std::string out;
    page.WriteAppletParams(out, attributes_);
    return out;
  }

};

TEST_F(UrlPageTest, NewPageSavesItsDefaultsAndWritesNoLink) {
  CTextURLPage page(context());
  EXPECT_EQ(page.help_topic(), "TAURL");
  EXPECT_EQ(page.spec().caption, std::string("  URL"));
  page.LoadAttributes(&attributes_);
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-URL"), "<absent>");
  EXPECT_EQ(Attribute("param-Target"), "_self");
  EXPECT_EQ(Attribute("param-Highlight"), "_none");
  EXPECT_EQ(Attribute("param-HighlightColor"), "0000ff");
  EXPECT_EQ(Attribute("temp-Highlight"), "10");
  EXPECT_EQ(Attribute("param-StatusBar"), "");
  // No URL, no highlight: only the (empty) message, beside its colour.
  EXPECT_EQ(Params(page), "\n<param name=StatusBar value=>");

  UseBot(test_support::kImageEffectsBot);
  EXPECT_EQ(CTextURLPage(context()).help_topic(), "IAURL");
}

TEST_F(UrlPageTest, StoredAndHostileValuesLoad) {
  // Stored target, highlight, colour row and colour; what the page shows
  // ("target/highlight/row") and the colour it saves.
  const struct { const char* target, *highlight, *row, *colour, *shown, *saved; } cases[] = {
      {"_blank", "_textandframe", "0", "12ab9f", "Blank/Frame and Text/0", "12ab9f"},
      {"_parent", "_frame", "8", "", "Parent/Frame Only/8", "000000"},  // Black
      {"_top", "_TEXT", "140", "", "Self/None/140", "9acd32"},  // unknown keywords; last row
      {"_self", "_text", "141", "", "Self/Text Only/10", "0000ff"},  // no row: Blue
      {"_self", "_text", "-1", "", "Self/Text Only/10", "0000ff"},
      {"_self", "_text", "99999999999", "", "Self/Text Only/10", "0000ff"},
      {"_self", "_text", "4x", "", "Self/Text Only/10", "0000ff"},
      {"_self", "_text", "0", "not a colour", "Self/Text Only/0", "ffffff"},
  };
  for (const auto& c : cases) {
    list_.Clear();
    attributes_.Set("param-Target", c.target);
    attributes_.Set("param-Highlight", c.highlight);
    attributes_.Set("temp-Highlight", c.row);
    if (*c.colour) attributes_.Set("param-HighlightColor", c.colour);
    CTextURLPage page(context());
    page.LoadAttributes(&attributes_);
    EXPECT_EQ(page.target() + "/" + page.highlight() + "/" + std::to_string(page.colour_index()),
              c.shown);
    page.SaveAttributes();
    EXPECT_EQ(Attribute("param-HighlightColor"), c.saved) << c.row;
  }
}

TEST_F(UrlPageTest, ParamsNeedTheirAttributesAndPreviewsMakeUrlsAbsolute) {
  bots_fx::TextEffectsBot bot;
  botframe::CGMWebbotProperties sheet(bot, context());
  auto* page = static_cast<CTextURLPage*>(sheet.AddOwnedPage(std::make_unique<CTextURLPage>(context())));
  state().page_url = "file:///C:/web/a/b/page.htm";
  attributes_.Set("param-Target", "_blank");
  attributes_.Set("param-Highlight", "_frame");
  attributes_.Set("param-StatusBar", "Hello there");

  // No colour: neither "Highlight" nor "StatusBar".
  attributes_.Set("param-URL", "../up.htm");
  EXPECT_EQ(Params(*page), "\n<param name=URL value=../up.htm|_blank>");
  attributes_.Set("param-HighlightColor", "ff0000");
  EXPECT_EQ(Params(*page),
            "\n<param name=URL value=../up.htm|_blank>"
            "\n<param name=Highlight value=_frame|ff0000>"
            "\n<param name=StatusBar value=\"Hello there\">");
  attributes_.Set("param-Highlight", "_none");
  attributes_.Remove("param-Target");
  EXPECT_EQ(Params(*page), "\n<param name=StatusBar value=\"Hello there\">");
  attributes_.Set("param-Target", "_self");

  const struct {
    const char* url;
    const char* preview;
  } urls[] = {
      {"../up.htm", "file:///C:/web/a/up.htm"},
      {"./here.htm", "file:///C:/web/a/b/here.htm"},
      {"same.htm", "file:///C:/web/a/b/same.htm"},
      {"http://example.com/x.htm", "http://example.com/x.htm"},
  };
  for (const auto& u : urls) {
    attributes_.Set("param-URL", u.url);
    const auto url_param = [&] {
      const std::string out = Params(*page);
      return out.substr(0, out.find('>') + 1);
    };
    EXPECT_EQ(url_param(), std::string("\n<param name=URL value=") + u.url + "|_self>");
    sheet.set_preview_mode(true);
    EXPECT_EQ(url_param(), std::string("\n<param name=URL value=") + u.preview + "|_self>");
    sheet.set_preview_mode(false);
  }
}

TEST_F(UrlPageTest, UserSetsTheLinkOnThePage) {
  CTextURLPage page(context());
  page.LoadAttributes(&attributes_);
  ui::PropertySheet sheet("URL Test");
  sheet.AddPage(&page);
  backend_.driver().Expect("URL Test", [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items("Highlight:"),
              (std::vector<std::string>{"None", "Frame Only", "Text Only", "Frame and Text"}));
    EXPECT_EQ(w.SelectedItem(CTextURLPage::kHighlightColourId), "Blue");
    EXPECT_EQ(w.Items(CTextURLPage::kHighlightColourId).front(), "Custom...");
    w.Type("URL:", "news/today.htm");
    w.Select("Target:", "Parent");
    w.Select("Highlight:", "Text Only");
    w.Select(CTextURLPage::kHighlightColourId, "Black");
    w.Type("Status Bar Message:", "Today's news");
    w.PressOk();
  });
  sheet.DoModal();
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-URL"), "news/today.htm");
  EXPECT_EQ(Attribute("param-Target"), "_parent");
  EXPECT_EQ(Attribute("param-Highlight"), "_text");
  EXPECT_EQ(Attribute("param-HighlightColor"), "000000");
  EXPECT_EQ(Attribute("temp-Highlight"), "8");
  EXPECT_EQ(Attribute("param-StatusBar"), "Today's news");
}

}  // namespace
