// Tests of the caption and keyword tables.
#include "base/keyword_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace {

constexpr base::KeywordRow kRows[] = {
    {"Left", "left"}, {"Baseline", ""}, {"Absolute Middle", "absmiddle"}, {"Custom", ""}};
constexpr base::KeywordTable kTable{kRows};

TEST(KeywordTableTest, CaptionsIgnoreLetterCaseAndKeywordsMatchExactly) {
  const struct {
    std::string_view caption;
    std::optional<std::string_view> keyword;
  } by_caption[] = {
      {"Absolute Middle", "absmiddle"}, {"absolute MIDDLE", "absmiddle"},
      {"Baseline", ""},                 {"Absolute", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : by_caption) EXPECT_EQ(kTable.KeywordOf(c.caption), c.keyword) << c.caption;

  const struct {
    std::string_view keyword;
    std::optional<std::string_view> caption;
  } by_keyword[] = {
      {"left", "Left"}, {"Left", std::nullopt}, {"absmiddle", "Absolute Middle"},
      {"", std::nullopt},  // an empty keyword means nothing is stored
  };
  for (const auto& c : by_keyword) EXPECT_EQ(kTable.CaptionOf(c.keyword), c.caption) << c.keyword;

  EXPECT_EQ(kTable.IndexOfCaption("custom"), 3);
  EXPECT_EQ(kTable.IndexOfKeyword("ABSMIDDLE"), -1);
}

}  // namespace
