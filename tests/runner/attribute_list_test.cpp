// The host callbacks, exercised through the callback table as a bot sees it.
#include <gtest/gtest.h>

#include <string>

#include "runner/attribute_list.h"

namespace {

class AttributeListTest : public ::testing::Test {
 protected:
  const BotHostCallbacks& host = runner::HostCallbacks();
  runner::AttributeList attributes;
  BotAttributeList* list = attributes.get();

  std::string Names() {
    std::string names;
    host.RewindAttributes(list);
    while (const char* name = host.NextAttributeName(list)) names += std::string(name) + ";";
    return names;
  }
};

TEST_F(AttributeListTest, EmptyListAnswersNothingAndIgnoresRemoval) {
  EXPECT_EQ(host.GetAttribute(list, "version"), nullptr);
  host.RewindAttributes(list);
  EXPECT_EQ(host.NextAttributeName(list), nullptr);
  host.RemoveAttribute(list, "version");
  EXPECT_EQ(list->count, 0);
  EXPECT_EQ(list->entries, nullptr);
}

TEST_F(AttributeListTest, SetKeepsInsertionOrderAndReplacesInPlaceWithoutRegardToCase) {
  host.SetAttribute(list, "version", "1");
  host.SetAttribute(list, "S-HTML", "<p>");
  host.SetAttribute(list, "PREVIEW", "p");
  host.SetAttribute(list, "Version", "x");
  EXPECT_EQ(list->count, 3);
  EXPECT_EQ(Names(), "version;S-HTML;PREVIEW;");  // the first spelling stays
  EXPECT_STREQ(host.GetAttribute(list, "VERSION"), "x");
  EXPECT_STREQ(host.GetAttribute(list, "s-html"), "<p>");
}

TEST_F(AttributeListTest, EmptyAndNullValues) {
  host.SetAttribute(list, "CLIENTSIDE", "");
  ASSERT_NE(host.GetAttribute(list, "CLIENTSIDE"), nullptr);
  EXPECT_STREQ(host.GetAttribute(list, "CLIENTSIDE"), "");

  host.SetAttribute(list, "CLIENTSIDE", nullptr);
  EXPECT_EQ(host.GetAttribute(list, "CLIENTSIDE"), nullptr);
  EXPECT_EQ(list->count, 1);  // still present, without a value
  EXPECT_EQ(list->entries[0].value, nullptr);
}

TEST_F(AttributeListTest, HostCopiesWhatTheBotHandsIt) {
  std::string name = "param-Text";
  std::string value = "Hello";
  host.SetAttribute(list, name.c_str(), value.c_str());
  name.assign("xxxxxxxxxx");
  value.assign("yyyyyyyyyy");
  EXPECT_STREQ(host.GetAttribute(list, "param-Text"), "Hello");
  // A value replaced with (a copy of) itself survives the replacement.
  host.SetAttribute(list, "param-Text", host.GetAttribute(list, "param-Text"));
  EXPECT_STREQ(host.GetAttribute(list, "param-Text"), "Hello");
}

TEST_F(AttributeListTest, RemoveClosesTheGapAndLeavesTheCursor) {
  host.SetAttribute(list, "a", "1");
  host.SetAttribute(list, "b", "2");
  host.SetAttribute(list, "c", "3");
  host.RewindAttributes(list);
  EXPECT_STREQ(host.NextAttributeName(list), "a");
  host.RemoveAttribute(list, "B");
  EXPECT_EQ(list->count, 2);
  EXPECT_EQ(list->cursor, 1);
  EXPECT_STREQ(list->entries[0].name, "a");
  EXPECT_STREQ(list->entries[1].name, "c");
  EXPECT_STREQ(host.NextAttributeName(list), "c");
  host.RemoveAttribute(list, "missing");
  EXPECT_EQ(list->count, 2);
}

TEST_F(AttributeListTest, NextStaysNullAfterTheEndUntilRewound) {
  host.SetAttribute(list, "a", "1");
  host.RewindAttributes(list);
  EXPECT_STREQ(host.NextAttributeName(list), "a");
  EXPECT_EQ(host.NextAttributeName(list), nullptr);
  EXPECT_EQ(host.NextAttributeName(list), nullptr);
  EXPECT_EQ(list->cursor, 1);
  host.SetAttribute(list, "b", "2");  // setting does not move the cursor
  EXPECT_STREQ(host.NextAttributeName(list), "b");
  host.RewindAttributes(list);
  EXPECT_STREQ(host.NextAttributeName(list), "a");
}

TEST_F(AttributeListTest, TableFillsExactlyTheHostSlots) {
  void* const* slots = reinterpret_cast<void* const*>(&host);
  for (int slot = 0; slot < BOT_SLOT_COUNT; ++slot) {
    const bool filled = slot == 1 || slot == 3 || slot == 4 || slot == 5 || slot == 7 ||
                        slot == 10 || slot == 12 || slot == 14 || slot == 15;
    EXPECT_EQ(slots[slot] != nullptr, filled) << "slot " << slot;
  }
  EXPECT_EQ(slots[1], slots[10]);
  EXPECT_EQ(slots[3], slots[12]);
  EXPECT_EQ(slots[5], slots[14]);
}

TEST(TextBufferTest, AppendTextGrowsAndKeepsTheTerminator) {
  runner::TextBuffer buffer;
  const BotHostCallbacks& host = runner::HostCallbacks();
  EXPECT_EQ(buffer.get()->text, nullptr);
  host.AppendText(buffer.get(), "");
  ASSERT_NE(buffer.get()->text, nullptr);  // an empty buffer gets a fresh block
  EXPECT_EQ(buffer.get()->length, 0);
  host.AppendText(buffer.get(), "<html>");
  host.AppendText(buffer.get(), "\n<body>");
  EXPECT_EQ(buffer.get()->length, 13);
  EXPECT_STREQ(buffer.get()->text, "<html>\n<body>");
}

TEST(AttributeListOwnerTest, BuildsFromPairsInOrder) {
  runner::AttributeList attributes(
      runner::AttributeEntries{{"version", "3.0.1"}, {"CLIENTSIDE", std::nullopt}});
  ASSERT_EQ(attributes.list().count, 2);
  EXPECT_STREQ(attributes.list().entries[0].value, "3.0.1");
  EXPECT_EQ(attributes.list().entries[1].value, nullptr);
}

}  // namespace
