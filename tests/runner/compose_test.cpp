// Composition of the webbot comment pair.
#include <gtest/gtest.h>

#include "runner/attribute_list.h"
#include "runner/compose.h"

namespace {

std::string Compose(const runner::AttributeEntries& entries, const char* bot = "GMScroller") {
  runner::AttributeList attributes(entries);
  return runner::ComposeWebbotHtml(attributes.list(), bot);
}

TEST(ComposeTest, WorkedExampleComesOutByteForByte) {
  EXPECT_EQ(Compose({{"version", "3.0.1"}, {"CLIENTSIDE", ""}, {"S-HTML", "X"}}),
            "<html>\n"
            "<body><!--webbot bot=\"GMScroller\" startspan version=\"3.0.1\"\n"
            " CLIENTSIDE-->\n"
            "X<!--webbot bot=\"GMScroller\" endspan -->\n"
            "</body>\n"
            "</html>");
}

TEST(ComposeTest, EscapesValuesButNotTheShownHtml) {
  const std::string html = Compose({{"param-Text", "say \"<hi>\" & go"},
                                    {"s-html", "<a href=\"x\">&</a>"}});
  EXPECT_NE(html.find(" param-Text=\"say &quot;&lt;hi&gt;&quot; &amp; go\"\n"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("-->\n<a href=\"x\">&</a><!--webbot bot=\"GMScroller\" endspan -->"),
            std::string::npos)
      << html;
}

TEST(ComposeTest, ShtmlInAnyCaseIsTheBodyAndTheLastOneWins) {
  // SetAttribute keeps names unique, but a list a host builds by hand may
  // repeat one; composition must still pick the last "S-HTML".
  char shtml[] = "S-HTML", first[] = "first", version[] = "version", one[] = "1";
  char shtml2[] = "s-Html", second[] = "second";
  BotAttribute entries[] = {{shtml, first}, {version, one}, {shtml2, second}};
  const BotAttributeList list{3, 0, entries};
  EXPECT_EQ(runner::ComposeWebbotHtml(list, "B"),
            "<html>\n<body><!--webbot bot=\"B\" startspan version=\"1\"\n-->\n"
            "second<!--webbot bot=\"B\" endspan -->\n</body>\n</html>");
}

TEST(ComposeTest, EmptyNamesAreSkippedAndBareNamesStandAlone) {
  EXPECT_EQ(Compose({{"", "lost"}, {"a", std::nullopt}, {"b", ""}, {"c", "1"}}, "Bot"),
            "<html>\n<body><!--webbot bot=\"Bot\" startspan a b c=\"1\"\n-->\n"
            "<!--webbot bot=\"Bot\" endspan -->\n</body>\n</html>");
}

TEST(ComposeTest, WithoutShtmlTheEndspanFollowsDirectly) {
  EXPECT_EQ(Compose({}, "Bot"),
            "<html>\n<body><!--webbot bot=\"Bot\" startspan-->\n"
            "<!--webbot bot=\"Bot\" endspan -->\n</body>\n</html>");
  // An S-HTML entry without a value adds nothing either.
  EXPECT_EQ(Compose({{"S-HTML", std::nullopt}}, "Bot"), Compose({}, "Bot"));
}

TEST(ComposeTest, AppendsToAHostTextBuffer) {
  runner::AttributeList attributes(runner::AttributeEntries{{"S-HTML", "X"}});
  runner::TextBuffer buffer;
  runner::HostAppendText(buffer.get(), "before|");
  runner::ComposeWebbotHtml(attributes.list(), "B", buffer.get());
  EXPECT_EQ(buffer.view(), "before|" + runner::ComposeWebbotHtml(attributes.list(), "B"));
}

}  // namespace
