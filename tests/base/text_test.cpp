// Tests of the ANSI text helpers.
#include "base/path.h"
#include "base/text.h"

#include <gtest/gtest.h>

namespace {

TEST(TextTest, CaseInsensitiveComparisonFollowsCodePage1252) {
  EXPECT_TRUE(base::EqualsNoCase("S-HTML", "s-html"));
  EXPECT_TRUE(base::EqualsNoCase("Version", "vERSION"));
  EXPECT_FALSE(base::EqualsNoCase("version", "versions"));
  // Accented letters fold as Windows folds them in the ANSI code page.
  EXPECT_TRUE(base::EqualsNoCase("\xC9t\xE9", "\xE9T\xC9"));  // "Été" / "éTÉ"
  EXPECT_TRUE(base::EqualsNoCase("\x8A\x9F", "\x9A\xFF"));    // S caron, Y diaeresis
  // The multiplication and division signs are not letters.
  EXPECT_FALSE(base::EqualsNoCase("\xD7", "\xF7"));
  EXPECT_LT(base::CompareNoCase("abc", "ABD"), 0);
  EXPECT_GT(base::CompareNoCase("abcd", "ABC"), 0);
  EXPECT_EQ(base::FindNoCase("<HTML><Body>", "<body>"), 6u);
  EXPECT_EQ(base::FindNoCase("abc", "x"), std::string::npos);
}

TEST(TextTest, FormattingAndLimits) {
  EXPECT_EQ(base::Format("%s=%d|%X", "a", 5, 0x800401F3u), "a=5|800401F3");
  EXPECT_EQ(base::FormatLimited(5, "%s", "1234567890"), "12345");
  const std::string big(5000, 'x');
  EXPECT_EQ(base::Format("[%s]", big.c_str()).size(), 5002u);
}

TEST(TextTest, TrimAndSplit) {
  EXPECT_EQ(base::Trim("  a b\r\n"), "a b");
  EXPECT_EQ(base::Trim(" \t "), "");
  EXPECT_EQ(base::Split("a||b", '|'), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(base::Split("", '|'), (std::vector<std::string>{""}));
}

TEST(PathTest, FolderAndFileName) {
  EXPECT_EQ(base::FolderOf("C:\\Office\\FRONTPG.EXE"), "C:\\Office\\");
  EXPECT_EQ(base::FolderOf("/usr/bin/glintmere"), "/usr/bin/");
  EXPECT_EQ(base::FolderOf("plain.exe"), "");
  EXPECT_EQ(base::FileNameOf("a/b\\c.gif"), "c.gif");
  EXPECT_EQ(base::JoinPath("C:\\x\\", "y"), "C:\\x\\y");
  EXPECT_EQ(base::JoinPath("C:\\x", "y"), "C:\\x\\y");
}

}  // namespace
