// The attribute interface bots read their stored settings through.
#include <gtest/gtest.h>

#include <string>

#include "botframe/attributes.h"
#include "runner/attribute_list.h"

namespace {

// A stored count (of lines, of links) is followed no further than the list
// has entries: a hostile "2147483647" cannot make a bot loop for ever.
TEST(AttributesTest, CountsAreBoundByTheEntriesTheListHolds) {
  struct Case {
    const char* stored;
    int expected;
  };
  const Case cases[] = {{"3", 3}, {"5", 5}, {"6", 5}, {"2147483647", 5},
                        {"-4", 0}, {"x", 0},  {"", 0}};
  for (const Case& c : cases) {
    runner::AttributeList list({{"param-LineCount", c.stored},
                                {"param-Line1-Sound", "a.au"},
                                {"param-Line2-Sound", "b.au"},
                                {"param-Line3-Sound", "c.au"},
                                {"java-code", "KelScroll"}});
    botframe::Attributes attributes(list.get(), &runner::HostCallbacks());
    EXPECT_EQ(attributes.CountOf("param-LineCount"), c.expected) << c.stored;
  }
  runner::AttributeList empty;
  EXPECT_EQ(botframe::Attributes(empty.get(), &runner::HostCallbacks()).CountOf("param-RunCount"),
            0);
}

// Another host's list is opaque: its record need not hold a count at all,
// so only the callbacks say how many entries there are.
TEST(AttributesTest, CountsComeFromTheCallbacksNotTheHostsRecord) {
  static const char* const kNames[] = {"param-LineCount", "param-Line1-Sound",
                                       "param-Line2-Sound"};
  static size_t cursor = 0;
  BotHostCallbacks host{};
  host.GetAttribute = [](BotAttributeList*, const char* name) -> const char* {
    return std::string(name) == "param-LineCount" ? "2" : nullptr;
  };
  host.RewindAttributes = [](BotAttributeList*) { cursor = 0; };
  host.NextAttributeName = [](BotAttributeList*) -> const char* {
    return cursor < std::size(kNames) ? kNames[cursor++] : nullptr;
  };
  for (const int32_t record_count : {0, -7, 1000000}) {
    BotAttributeList foreign{record_count, 0, nullptr};
    EXPECT_EQ(botframe::Attributes(&foreign, &host).CountOf("param-LineCount"), 2)
        << record_count;
  }
}

}  // namespace
