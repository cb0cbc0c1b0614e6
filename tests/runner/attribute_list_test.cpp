// The host callbacks, exercised through the callback table as a bot sees it.
#include <gtest/gtest.h>

#include <chrono>
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

// Text that cannot be appended (here: past 2 GB) leaves the buffer as it was
// and marks it damaged for its owner, instead of ending the process.
TEST(TextBufferTest, TextThatCannotBeAppendedMarksTheBufferDamaged) {
  {
    runner::TextBuffer buffer;
    const BotHostCallbacks& host = runner::HostCallbacks();
    host.AppendText(buffer.get(), "abc");
    EXPECT_FALSE(buffer.damaged());
    buffer.get()->length = INT32_MAX - 1;  // as if it held nearly 2 GB
    host.AppendText(buffer.get(), "xy");
    EXPECT_TRUE(buffer.damaged());
    EXPECT_EQ(buffer.get()->length, INT32_MAX - 1);
    EXPECT_EQ(std::string(buffer.get()->text, 3), "abc");
    buffer.get()->length = 3;
  }
  runner::TextBuffer next;  // the mark went with the buffer
  EXPECT_FALSE(next.damaged());
}

TEST(AttributeListOwnerTest, BuildsFromPairsInOrder) {
  runner::AttributeList attributes(
      runner::AttributeEntries{{"version", "3.0.1"}, {"CLIENTSIDE", std::nullopt}});
  ASSERT_EQ(attributes.list().count, 2);
  EXPECT_STREQ(attributes.list().entries[0].value, "3.0.1");
  EXPECT_EQ(attributes.list().entries[1].value, nullptr);
}

// A component with a hundred thousand attributes: set, read and partly
// removed in far less than a second each way (it once took minutes), with
// the same answers a short list gives.
TEST_F(AttributeListTest, LongListsStayFastAndAnswerAsShortOnes) {
  constexpr int kCount = 100000;
  const auto started = std::chrono::steady_clock::now();
  for (int i = 0; i < kCount; ++i) {
    host.SetAttribute(list, ("param-Line" + std::to_string(i)).c_str(), std::to_string(i).c_str());
  }
  for (int i = 0; i < kCount; ++i) {
    const char* value = host.GetAttribute(list, ("PARAM-LINE" + std::to_string(i)).c_str());
    ASSERT_NE(value, nullptr) << i;
    ASSERT_EQ(value, std::to_string(i)) << i;
  }
  for (int i = 0; i < kCount; i += 100) {
    host.RemoveAttribute(list, ("param-line" + std::to_string(i)).c_str());
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
  EXPECT_EQ(list->count, kCount - kCount / 100);
  EXPECT_EQ(host.GetAttribute(list, "param-Line100"), nullptr);
  EXPECT_STREQ(host.GetAttribute(list, "param-Line101"), "101");
  EXPECT_STREQ(host.GetAttribute(list, "param-Line99999"), "99999");
  host.SetAttribute(list, "param-Line100", "again");
  EXPECT_STREQ(host.GetAttribute(list, "PARAM-line100"), "again");
  EXPECT_STREQ(list->entries[list->count - 1].name, "param-Line100");
}

}  // namespace
