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

namespace {

TEST(PathTest, PlainFileNamesCannotLeaveTheirFolder) {
  for (const char* name : {"logo.gif", "My Logo.jpeg", "a..b.au", "console.htm", "com10.gif",
                           "\xE9t\xE9.gif"}) {
    EXPECT_TRUE(base::IsPlainFileName(name)) << name;
  }
  for (const char* name : {"", ".", "..", "...", "a/b.gif", "a\\b.gif", "..\\x", "C:x.gif",
                           "x.gif.", "x.gif ", "NUL", "nul.txt", "Com1.gif", "LPT9", "con .a",
                           "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "a\tb"}) {
    EXPECT_FALSE(base::IsPlainFileName(name)) << name;
  }
}

TEST(PathTest, SamePathTextIgnoresCaseAndSeparatorKind) {
  EXPECT_TRUE(base::SamePathText("C:\\Data\\_glintmere\\A.gif", "c:/data/_GLINTMERE/a.GIF"));
  EXPECT_FALSE(base::SamePathText("C:\\Data\\a.gif", "C:\\Data\\b.gif"));
  EXPECT_FALSE(base::SamePathText("C:\\Data\\a.gif", "C:\\Data\\a.gif2"));
}

}  // namespace
