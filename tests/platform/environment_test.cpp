// Environment variables: set, read back (long and empty values too, which
// take the Windows reader's other paths), cleared, and bad names refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/environment.h"
#include "tests/support/test_support.h"

namespace {

TEST(EnvironmentTest, ValuesRoundTripAndClear) {
  const std::string name = test_support::UniqueName("GLINTMERE_TEST");
  EXPECT_FALSE(platform::EnvironmentValue(name));
  const std::string long_value(1000, 'x');
  ASSERT_TRUE(platform::SetEnvironmentValue(name, long_value));
  EXPECT_EQ(platform::EnvironmentValue(name), long_value);
  ASSERT_TRUE(platform::SetEnvironmentValue(name, "C:\\web\\answers.json"));
  EXPECT_EQ(platform::EnvironmentValue(name), "C:\\web\\answers.json");
  ASSERT_TRUE(platform::SetEnvironmentValue(name, ""));
  EXPECT_EQ(platform::EnvironmentValue(name), "");  // set, but empty
  EXPECT_TRUE(platform::ClearEnvironmentValue(name));
  EXPECT_FALSE(platform::EnvironmentValue(name));
}

TEST(EnvironmentTest, NamesListEachVariableSetOnceAndNoneCleared) {
  const std::string name = test_support::UniqueName("GLINTMERE_TEST");
  ASSERT_TRUE(platform::SetEnvironmentValue(name, "a=b"));
  auto names = platform::EnvironmentNames();
  EXPECT_EQ(std::count(names.begin(), names.end(), name), 1);
  for (const std::string& listed : names) EXPECT_FALSE(listed.empty() || listed[0] == '=');
  ASSERT_TRUE(platform::ClearEnvironmentValue(name));
  names = platform::EnvironmentNames();
  EXPECT_EQ(std::count(names.begin(), names.end(), name), 0);
}

TEST(EnvironmentTest, NamesThatCannotBeVariablesAreRefused) {
  EXPECT_FALSE(platform::SetEnvironmentValue("", "x"));
  EXPECT_FALSE(platform::SetEnvironmentValue("A=B", "x"));
  EXPECT_FALSE(platform::ClearEnvironmentValue("A=B"));
  EXPECT_FALSE(platform::EnvironmentValue(""));
}

}  // namespace
