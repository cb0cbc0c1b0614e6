// Webbot components read back out of pages: names, values with their escapes,
// bare attributes, the HTML between the comments, pieces that are not
// components, and pages built to make a reader slow.
#include <gtest/gtest.h>

#include <chrono>

#include "runner/attribute_list.h"
#include "runner/compose.h"
#include "host/session.h"
#include "runner/webbot_comments.h"

namespace {

using runner::FindWebbotComponents;

TEST(WebbotComponentsTest, ComposedComponentsReadBackWithTheirAttributes) {
  runner::AttributeList list({{"java-code", "KelScroll"},
                              {"html-NonJavaString", "<b>\"Java\" & more</b>"},
                              {"CLIENTSIDE", std::nullopt},
                              {"S-HTML", "<applet>\n</applet>\n"}});
  const std::string component = host::InsertableHtml(runner::ComposeWebbotHtml(list.list(), "GMScroller"));
  const std::string page = "<body>\n<p>a</p>\n" + component + "<p>b</p>\n" + component + "</body>";
  const std::vector<runner::WebbotComponent> found = FindWebbotComponents(page);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].bot, "GMScroller");
  EXPECT_EQ(found[0].attributes,
            (runner::AttributeEntries{{"java-code", "KelScroll"},
                                      {"html-NonJavaString", "<b>\"Java\" & more</b>"},
                                      {"CLIENTSIDE", std::nullopt}}));
  EXPECT_EQ(found[0].Html(page), "<applet>\n</applet>\n");
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
  const std::string page = "<!--WEBBOT bot=\"A\" startspan -->mid<!--webbot bot=\"A\" endspan -->";
  const auto found = FindWebbotComponents(page);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_TRUE(found[0].attributes.empty());
  EXPECT_EQ(found[0].Html(page), "mid");
  EXPECT_EQ(runner::UnescapeAttributeValue("&amp;lt; &quot;x&quot; &nbsp;"), "&lt; \"x\" &nbsp;");
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
      {"closed component inside an unclosed start",
       start("A") + start("B") + start("C") + end("C") + end("A"),
       {start("A") + start("B") + start("C") + end("C") + end("A"), start("C") + end("C")},
       {true, false}},
  };
  for (const Case& c : cases) {
    const std::vector<runner::WebbotComponent> found = FindWebbotComponents(c.page);
    ASSERT_EQ(found.size(), c.spans.size()) << c.name;
    for (size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(c.page.substr(found[i].begin, found[i].end - found[i].begin), c.spans[i])
          << c.name;
      EXPECT_EQ(found[i].holds_component, c.holds[i]) << c.name;
    }
  }
}

TEST(WebbotComponentsTest, AttributeTextRules) {
  using Entries = runner::AttributeEntries;
  struct Case {
    const char* text;
    std::optional<Entries> expected;  // nullopt: the text cannot be read
  };
  const Case cases[] = {
      {"", Entries{}},
      {" a=\"1\" b ", Entries{{"a", "1"}, {"b", std::nullopt}}},
      {"A =\"x y\"", Entries{{"A", "x y"}}},
      {"\tA\r\n=\"1\"\n", Entries{{"A", "1"}}},
      {"a=plain b=c&amp;d", Entries{{"a", "plain"}, {"b", "c&d"}}},
      {"a= \"x\"", Entries{{"a", ""}, {"\"x\"", std::nullopt}}},
      {"a=\"\" b=\"x\"c=\"y\"", Entries{{"a", ""}, {"b", "x"}, {"c", "y"}}},
      {"a=\"&lt;b&gt; &amp;amp; &quot;&nbsp;\"", Entries{{"a", "<b> &amp; \"&nbsp;"}}},
      {"a==b", Entries{{"a", "=b"}}},
      {"a=\"unclosed", std::nullopt},
      {"=\"x\"", std::nullopt},
      {"a=\"1\" =\"2\"", std::nullopt},
  };
  for (const Case& c : cases) {
    Entries found;
    const bool read = runner::ParseWebbotAttributes(c.text, &found);
    EXPECT_EQ(read, c.expected.has_value()) << c.text;
    if (read && c.expected) {
      EXPECT_EQ(found, *c.expected) << c.text;
    }
  }
  const Entries entries{{"Java-Name", "x"}, {"clientside", std::nullopt}, {"java-name", "y"}};
  ASSERT_NE(runner::FindWebbotAttribute(entries, "JAVA-NAME"), nullptr);
  EXPECT_EQ(*runner::FindWebbotAttribute(entries, "JAVA-NAME"), "x");
  EXPECT_EQ(*runner::FindWebbotAttribute(entries, "ClientSide"), std::nullopt);
  EXPECT_EQ(runner::FindWebbotAttribute(entries, "java-code"), nullptr);
}

TEST(WebbotComponentsTest, CommentRules) {
  const std::string end = "<!--webbot bot=\"A\" endspan -->";
  struct Case {
    const char* name;
    std::string page;
    std::vector<runner::AttributeEntries> attributes;  // of each component found
  };
  const Case cases[] = {
      {"any order and letter case", "<!--WebBot k=v StartSpan BOT=A-->x<!--webbot endspan bot=A-->",
       {{{"k", "v"}}}},
      {"only the first bot and startspan are the comment's own",
       "<!--webbot bot=\"A\" startspan bot=\"B\" startspan -->" + end,
       {{{"bot", "B"}, {"startspan", std::nullopt}}}},
      {"a cut comment gives way to the next one",
       "<!--webbot bot=\"A\" startspan x=\"1\" <!--webbot bot=\"A\" startspan y=\"2\" -->" + end,
       {{{"y", "2"}}}},
      {"no bot value", "<!--webbot bot startspan -->" + end, {}},
      {"startspan with a value", "<!--webbot bot=\"A\" startspan=1 -->" + end, {}},
      {"not directly after the opening", "<!-- webbot bot=\"A\" startspan -->" + end, {}},
      {"no end of comment", "<!--webbot bot=\"A\" startspan " + std::string(end, 0, 20), {}},
  };
  for (const Case& c : cases) {
    const std::vector<runner::WebbotComponent> found = FindWebbotComponents(c.page);
    ASSERT_EQ(found.size(), c.attributes.size()) << c.name;
    for (size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(found[i].bot, "A") << c.name;
      EXPECT_EQ(found[i].attributes, c.attributes[i]) << c.name;
    }
  }
}

TEST(WebbotComponentsTest, EveryCutOfAPageFindsOnlyTheComponentsItHoldsWhole) {
  const std::string page =
      "<p>x</p>\n<!--webbot bot=\"Out\" startspan a=\"&quot;1&quot;\"\n-->\n"
      "<!--webbot bot=\"In\" startspan b\n-->\nin<!--webbot bot=\"In\" endspan -->\n"
      "<!--webbot bot=\"Out\" endspan -->\n<p>y</p>";
  const std::vector<runner::WebbotComponent> whole = FindWebbotComponents(page);
  ASSERT_EQ(whole.size(), 2u);
  for (size_t cut = 0; cut <= page.size(); ++cut) {
    // A copy of exactly the cut's size, so reading past it is caught.
    const std::string part(page, 0, cut);
    size_t expected = 0;
    for (const runner::WebbotComponent& component : whole) {
      if (component.end - 1 <= cut) ++expected;  // its "-->" is in the cut
    }
    const std::vector<runner::WebbotComponent> found = FindWebbotComponents(part);
    EXPECT_EQ(found.size(), expected) << cut;
    for (const runner::WebbotComponent& component : found) EXPECT_LE(component.end, cut);
  }
}

TEST(WebbotComponentsTest, HostilePagesAreReadInLinearTime) {
  const std::string start = "<!--webbot bot=\"A\" startspan -->";
  const std::string end = "<!--webbot bot=\"A\" endspan -->";
  auto repeat = [](const std::string& piece, size_t n) {
    std::string out;
    out.reserve(piece.size() * n);
    for (size_t i = 0; i < n; ++i) out += piece;
    return out;
  };
  const std::string long_name(10000, 'n');
  struct Case {
    const char* name;
    std::string page;
    size_t components;
  };
  const Case cases[] = {
      {"openings without an end", repeat("<!--webbot", 100000), 0},
      {"openings with one end at the last", repeat("<!--webbot bot=\"", 100000) + "-->", 0},
      {"starts and ends of another bot", repeat(start, 100000) + repeat("<!--webbot bot=B endspan -->", 100000), 0},
      {"deep nesting", repeat(start, 50000) + repeat(end, 50000), 50000},
      {"megabyte value", "<!--webbot bot=A startspan v=\"" + std::string(10 << 20, 'v') + "\" -->" + end, 1},
      {"long bot names",
       repeat("<!--webbot bot=" + long_name + " startspan -->", 200) +
           repeat("<!--webbot bot=" + long_name + " endspan -->", 200),
       200},
  };
  for (const Case& c : cases) {
    const auto started = std::chrono::steady_clock::now();
    const std::vector<runner::WebbotComponent> found = FindWebbotComponents(c.page);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(found.size(), c.components) << c.name;
    // Linear work takes milliseconds even under the sanitizers; quadratic
    // work on these pages would take minutes.
    EXPECT_LT(seconds, 10.0) << c.name;
  }
}

}  // namespace
