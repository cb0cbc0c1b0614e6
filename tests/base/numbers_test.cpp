// Tests of reading and writing numbers in text.
#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace {

TEST(NumbersTest, LeadingWholeNumbersStopAtTheFirstOtherCharacterAndNeverOverflow) {
  const struct {
    const char* text;
    int signed_value;
    uint32_t unsigned_value;
  } cases[] = {
      {"  42px", 42, 42},
      {"\t7", 7, 7},
      {"-7", -7, 0},
      {"+3", 3, 0},
      {"x1", 0, 0},
      {"", 0, 0},
      {"4294967295", 2147483647, 4294967295u},
      {"99999999999999999999", 2147483647, 4294967295u},
      {"-99999999999999999999", -2147483647, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(base::DecimalValue(c.text), c.signed_value) << c.text;
    EXPECT_EQ(base::UnsignedDecimalValue(c.text), c.unsigned_value) << c.text;
  }
}

TEST(NumbersTest, LeadingRealNumbersAreFiniteAndLocaleFree) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {" 3.25s", 3.25}, {"-0.5", -0.5}, {"+2", 2},     {".5", 0.5},   {"1e3x", 1000},
      {"2e", 2},        {"2e+", 2},     {"1,5", 1},    {"abc", 0},    {"", 0},
      {".", 0},         {"1e999", 0},   {"-1e999", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(base::RealValue(c.text), c.value) << c.text;
}

TEST(NumbersTest, WholeNumbersTakeTheWholeTextWithinTheRange) {
  const struct {
    const char* text;
    int64_t minimum, maximum;
    std::optional<int64_t> value;
  } cases[] = {
      {" 12 ", 0, 100, 12},
      {"+12", 0, 100, 12},
      {"-12", 0, 100, std::nullopt},
      {"-0", 0, 100, std::nullopt},
      {"-12", -100, 100, -12},
      {"101", 0, 100, std::nullopt},
      {"12a", 0, 100, std::nullopt},
      {"1 2", 0, 100, std::nullopt},
      {"", 0, 100, std::nullopt},
      {"-", -100, 100, std::nullopt},
      {"4294967295", 0, 4294967295, 4294967295},
      {"9223372036854775807", 0, INT64_MAX, INT64_MAX},
      {"9223372036854775808", 0, INT64_MAX, std::nullopt},
      {"-9223372036854775808", INT64_MIN, 0, INT64_MIN},
      {"99999999999999999999999", INT64_MIN, INT64_MAX, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(base::WholeNumber(c.text, c.minimum, c.maximum), c.value) << c.text;
  }
}

TEST(NumbersTest, FixedNotationPadsToTheWidth) {
  EXPECT_EQ(base::FormatFixed(0.1, 4, 1), " 0.1");
  EXPECT_EQ(base::FormatFixed(3000.0, 0, 0), "3000");
  EXPECT_EQ(base::FormatFixed(2.25, 6, 2), "  2.25");
  EXPECT_EQ(base::FormatFixed(-1.5, 0, 1), "-1.5");
}

}  // namespace
