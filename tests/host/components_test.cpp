// Webbot components read back out of pages: names, values with their escapes,
// bare attributes, the HTML between the comments, and pieces that are not
// components.
#include <gtest/gtest.h>

#include "host/components.h"
#include "runner/attribute_list.h"
#include "runner/compose.h"
#include "host/session.h"

namespace {

using host::FindWebbotComponents;

TEST(WebbotComponentsTest, ComposedComponentsReadBackWithTheirAttributes) {
  runner::AttributeList list({{"java-code", "KelScroll"},
                              {"html-NonJavaString", "<b>\"Java\" & more</b>"},
                              {"CLIENTSIDE", std::nullopt},
                              {"S-HTML", "<applet>\n</applet>\n"}});
  const std::string component = host::InsertableHtml(runner::ComposeWebbotHtml(list.list(), "GMScroller"));
  const std::string page = "<body>\n<p>a</p>\n" + component + "<p>b</p>\n" + component + "</body>";
  const std::vector<host::WebbotComponent> found = FindWebbotComponents(page);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].bot, "GMScroller");
  EXPECT_EQ(found[0].attributes,
            (runner::AttributeEntries{{"java-code", "KelScroll"},
                                      {"html-NonJavaString", "<b>\"Java\" & more</b>"},
                                      {"CLIENTSIDE", std::nullopt}}));
  EXPECT_EQ(found[0].html, "<applet>\n</applet>\n");
  // The span covers the component exactly, its last line break included.
  EXPECT_EQ(page.substr(found[0].begin, found[0].end - found[0].begin), component);
  EXPECT_EQ(page.substr(found[1].begin, found[1].end - found[1].begin), component);
  EXPECT_EQ(page.substr(found[1].end), "</body>");
}

TEST(WebbotComponentsTest, IncompleteOrForeignCommentsAreNoComponents) {
  EXPECT_TRUE(FindWebbotComponents("").empty());
  EXPECT_TRUE(FindWebbotComponents("<!--webbot bot=\"A\" startspan x=\"1\"\n-->text").empty());
  EXPECT_TRUE(FindWebbotComponents("<!--webbot bot=\"A\" startspan x=\"open-->"
                                   "<!--webbot bot=\"A\" endspan -->")
                  .empty());
  // An endspan of another bot does not close it.
  EXPECT_TRUE(FindWebbotComponents("<!--webbot bot=\"A\" startspan -->"
                                   "<!--webbot bot=\"B\" endspan -->")
                  .empty());
  const auto found = FindWebbotComponents("<!--WEBBOT bot=\"A\" startspan -->mid"
                                          "<!--webbot bot=\"A\" endspan -->");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_TRUE(found[0].attributes.empty());
  EXPECT_EQ(found[0].html, "mid");
  EXPECT_EQ(host::UnescapeAttributeValue("&amp;lt; &quot;x&quot; &nbsp;"), "&lt; \"x\" &nbsp;");
}

TEST(WebbotComponentsTest, AnInnerPairBelongsToTheInnerComponent) {
  auto start = [](const char* bot) { return std::string("<!--webbot bot=\"") + bot + "\" startspan -->"; };
  auto end = [](const char* bot) { return std::string("<!--webbot bot=\"") + bot + "\" endspan -->"; };
  struct Case {
    const char* name;
    std::string page;
    std::vector<std::string> spans;  // each component's text, in page order
    std::vector<bool> holds;
  };
  const Case cases[] = {
      {"same bot inside", start("A") + "a" + start("A") + "b" + end("A") + "c" + end("A"),
       {start("A") + "a" + start("A") + "b" + end("A") + "c" + end("A"),
        start("A") + "b" + end("A")},
       {true, false}},
      {"other bot inside", start("A") + start("B") + end("B") + end("A"),
       {start("A") + start("B") + end("B") + end("A"), start("B") + end("B")},
       {true, false}},
      {"unclosed inner start", start("A") + start("B") + "x" + end("A"),
       {start("A") + start("B") + "x" + end("A")},
       {false}},
      {"stray end comment", end("A") + start("A") + "x" + end("A") + end("A"),
       {start("A") + "x" + end("A")},
       {false}},
  };
  for (const Case& c : cases) {
    const std::vector<host::WebbotComponent> found = FindWebbotComponents(c.page);
    ASSERT_EQ(found.size(), c.spans.size()) << c.name;
    for (size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(c.page.substr(found[i].begin, found[i].end - found[i].begin), c.spans[i])
          << c.name;
      EXPECT_EQ(found[i].holds_component, c.holds[i]) << c.name;
    }
  }
}

}  // namespace
