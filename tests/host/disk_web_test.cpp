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

TEST(DiskWebTest, FullUrlsInsideTheWebAndTheRootGiveTheirRelativeForm) {
  struct Case {
    const char* web;
    const char* url;
    const char* relative;  // null: refused
  };
  const Case cases[] = {
      {"C:\\My Webs\\site", "file:///C:/My Webs/site/images/a.gif", "images/a.gif"},
      {"C:\\My Webs\\site", "FILE:///c:/my webs/SITE/./x.htm", "x.htm"},
      {"C:\\My Webs\\site", "file://C:\\My Webs\\site\\x.htm", "x.htm"},
      {"C:\\My Webs\\site\\", "file:///C:/My Webs/site/x.htm", "x.htm"},
      {"/srv/site", "file:///srv/site/", ""},
      {"/srv/site", "file:///srv/site", ""},
      {"/srv/site", "", ""},
      {"/srv/site", "./", ""},
      {"/srv/site", "file:///srv/site2/x.htm", nullptr},
      {"/srv/site", "file:///srv/sit", nullptr},
      {"/srv/site", "file:///srv/site/../x.htm", nullptr},
      {"/srv/site", "file:///srv/x.htm", nullptr},
      {"/srv/site", "http:///srv/site/x.htm", nullptr},
      {"", "x.htm", nullptr},
  };
  for (const Case& c : cases) {
    std::string relative = "untouched";
    const bool accepted = host::WebRelativeUrl(c.web, c.url, host::WebRoot::kAllowed, &relative);
    EXPECT_EQ(accepted, c.relative != nullptr) << c.web << " " << c.url;
    EXPECT_EQ(relative, c.relative ? c.relative : "untouched") << c.web << " " << c.url;
  }
  // Where a folder is not meant, the web itself is refused.
  std::string relative;
  EXPECT_FALSE(host::WebRelativeUrl("/srv/site", "", host::WebRoot::kRefused, &relative));
  EXPECT_FALSE(host::WebRelativeUrl("/srv/site", "file:///srv/site", host::WebRoot::kRefused,
                                    &relative));
  std::string path;
  ASSERT_TRUE(host::ResolveInWeb("/w", "", &path, host::WebRoot::kAllowed));
  EXPECT_EQ(path, "/w");
  ASSERT_TRUE(host::ResolveInWeb("/w", "file:///W/a/b.htm", &path));
#if defined(_WIN32)
  EXPECT_EQ(path, "/w\\a\\b.htm");
#else
  EXPECT_EQ(path, "/w/a/b.htm");
#endif
}

}  // namespace
