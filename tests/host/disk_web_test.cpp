// URLs and paths of a disk web, and the refusal of URLs that leave the web.
#include <gtest/gtest.h>

#include "host/disk_web.h"

namespace {

TEST(DiskWebTest, FileUrlsOfWindowsAndPosixPaths) {
  EXPECT_EQ(host::FileUrlFromPath("C:\\My Webs\\site"), "file:///C:/My Webs/site");
  EXPECT_EQ(host::FileUrlFromPath("/srv/site"), "file:///srv/site");
  std::string path;
  ASSERT_TRUE(host::PathFromFileUrl("FILE:///srv/site/a.htm", &path));
#if defined(_WIN32)
  EXPECT_EQ(path, "\\srv\\site\\a.htm");
  ASSERT_TRUE(host::PathFromFileUrl("file:///C:/My Webs/site", &path));
  EXPECT_EQ(path, "C:\\My Webs\\site");
#else
  EXPECT_EQ(path, "/srv/site/a.htm");
#endif
  EXPECT_FALSE(host::PathFromFileUrl("http://example.com/", &path));
  EXPECT_FALSE(host::PathFromFileUrl("file://", &path));
}

TEST(DiskWebTest, RelativeUrlsResolveInsideTheWeb) {
  std::string path;
  ASSERT_TRUE(host::ResolveInWeb("/w", "images/./logo.gif", &path));
#if defined(_WIN32)
  EXPECT_EQ(path, "/w\\images\\logo.gif");
#else
  EXPECT_EQ(path, "/w/images/logo.gif");
#endif
  std::string url;
  ASSERT_TRUE(host::NormalizeWebUrl("a\\b//c.htm", &url));
  EXPECT_EQ(url, "a/b/c.htm");
}

TEST(DiskWebTest, UrlsThatLeaveTheWebOrNameDevicesAreRefused) {
  std::string path = "untouched";
  for (const char* url : {"", "/etc/passwd", "\\\\server\\share\\x", "../x.htm", "a/../../x",
                          "a\\..\\..\\x", "C:\\x.htm", "c:x.htm", "file:///etc/passwd",
                          "a/.../x", "a/. ./x", "nul", "NUL.txt", "sub/com1.htm", "lpt9",
                          "con .txt", "a\tb", "a|b", "a?b", "a*b", "a\"b", "a<b", ".", "./"}) {
    EXPECT_FALSE(host::ResolveInWeb("/w", url, &path)) << url;
  }
  EXPECT_EQ(path, "untouched");
  // Names that only look like devices are fine.
  EXPECT_TRUE(host::ResolveInWeb("/w", "console.htm", &path));
  EXPECT_TRUE(host::ResolveInWeb("/w", "com10.htm", &path));
  EXPECT_TRUE(host::ResolveInWeb("/w", "..a/b..", &path));
}

}  // namespace
