// The INI file reader: sections and keys without regard to case, blanks,
// quotes, comments, empty values and the length limit, and a file that is
// missing.
#include <gtest/gtest.h>

#include "botframe/ini_file.h"
#include "tests/support/test_support.h"

namespace {

TEST(IniFileTest, LooksUpAsThePrivateProfileReadingDoes) {
  const botframe::IniFile file = botframe::IniFile::Parse(
      "orphan=before any section\n"
      "; a comment\r\n"
      "[First]\r\n"
      "  Key = spaced value  \r\n"
      "Quoted=\"in quotes\"\n"
      "Half=\"open\n"
      "Empty=\n"
      "no equals sign here\n"
      "Twice=first\n"
      "twice=second\n"
      "[ Second ]\n"
      "Key=other\n"
      "[first]\n"
      "Key=later section\n"
      "[Unclosed\n"
      "Key=still read\n");
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"FIRST", "KEY", "spaced value"},  {"First", "Quoted", "in quotes"},
      {"First", "Half", "\"open"},       {"First", "Empty", ""},
      {"First", "twice", "first"},       {"second", "Key", "other"},
      {"Unclosed", "Key", "still read"}, {"First", "Missing", "<fallback>"},
      {"None", "Key", "<fallback>"},     {"First", "orphan", "<fallback>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(file.GetString(c.section, c.key, "<fallback>"), c.value) << c.section << c.key;
  }
  EXPECT_EQ(file.GetString("First", "Key", "", 6), "spaced");
  // Whole lines, as templates keep their HTML.
  EXPECT_EQ(file.SectionLines("first"),
            (std::vector<std::string>{"Key = spaced value", "Quoted=\"in quotes\"", "Half=\"open",
                                      "Empty=", "no equals sign here", "Twice=first",
                                      "twice=second"}));
  EXPECT_TRUE(file.SectionLines("Third").empty());
  EXPECT_TRUE(file.HasSection("SECOND"));
  EXPECT_FALSE(file.HasSection("Third"));
}

TEST(IniFileTest, ReadsAFileAndTakesAMissingOneAsEmpty) {
  test_support::TempFolder folder;
  test_support::WriteText(folder.Join("a.inf"), "[S]\nK=V\n");
  EXPECT_EQ(botframe::IniFile::Load(folder.Join("a.inf")).GetString("s", "k", "-"), "V");
  EXPECT_EQ(botframe::IniFile::Load(folder.Join("none.inf")).GetString("S", "K", "-"), "-");
  EXPECT_EQ(botframe::IniFile::Load("").GetString("S", "K", "-"), "-");
  // Saved as UTF-8 with a byte order mark.
  test_support::WriteText(folder.Join("bom.inf"), "\xEF\xBB\xBF[S]\r\nK=V\r\n");
  EXPECT_EQ(botframe::IniFile::Load(folder.Join("bom.inf")).GetString("S", "K", "-"), "V");
}

}  // namespace
