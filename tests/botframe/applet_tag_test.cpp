// The applet tag writer, the param writer and its escaping, and the
// resolution of page-relative addresses, through the attribute interface
// over the host's own callbacks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "botframe/applet_tag.h"
#include "botframe/attributes.h"
#include "botframe/bot_description.h"
#include "runner/attribute_list.h"

namespace {

using botframe::AppletParamSource;
using botframe::Attributes;

// A page that writes one param tag and records that it was called.
class ParamPage : public AppletParamSource {
 public:
  ParamPage(const char* name, const char* value, std::vector<std::string>* calls)
      : name_(name), value_(value), calls_(calls) {}

  void WriteAppletParams(std::string& out, Attributes& attributes) override {
    calls_->push_back(name_);
    list_seen_ = attributes.list();
    botframe::WriteParam(out, name_, value_);
  }

  BotAttributeList* list_seen() const { return list_seen_; }

 private:
  const char* name_;
  const char* value_;
  std::vector<std::string>* calls_;
  BotAttributeList* list_seen_ = nullptr;
};

// A page that walks the attribute list itself, as a page that collects its
// own family of attributes does, leaving the list's cursor at the end.
class WalkingPage : public AppletParamSource {
 public:
  void WriteAppletParams(std::string& out, Attributes& attributes) override {
    botframe::WriteParam(out, "Count", std::to_string(attributes.Names().size()).c_str());
  }
};

std::string Tag(runner::AttributeList& list, std::span<AppletParamSource* const> pages = {},
                std::string_view tag_close = " >") {
  Attributes attributes(list.get(), &runner::HostCallbacks());
  std::string out;
  botframe::WriteAppletTag(out, attributes, pages, tag_close);
  return out;
}

std::string Param(const char* name, const char* value) {
  std::string out;
  botframe::WriteParam(out, name, value);
  return out;
}

std::string Resolved(std::string url, std::string_view base) {
  botframe::ResolveRelativeUrl(url, base);
  return url;
}

TEST(AppletTagTest, WorkedExampleInBothLibraries) {
  struct Library {
    const botframe::LibraryDescription& description;
    const char* opening;
  };
  const Library libraries[] = {
      {botframe::kGMWebbotS3Library, "\n<applet code=\"KelScroll\" width=\"400\" >"},
      {botframe::kGMWebbotLibrary, "\n<applet code=\"KelScroll\" width=\"400\">"},
  };
  for (const Library& library : libraries) {
    SCOPED_TRACE(library.description.name);
    runner::AttributeList list({{"java-code", "KelScroll"},
                                {"java-width", "400"},
                                {"html-NonJavaString", "Requires a Java Enabled Browser."}});
    std::vector<std::string> calls;
    ParamPage applet("AppName", "SA1", &calls);
    ParamPage background("BgColor", "ffffff", &calls);
    ParamPage strings("Text", "Hello there", &calls);
    AppletParamSource* const pages[] = {&applet, &background, &strings};

    EXPECT_EQ(Tag(list, pages, library.description.applet_tag_close),
              std::string(library.opening) +
                  "\n<param name=AppName value=SA1>"
                  "\n<param name=BgColor value=ffffff>"
                  "\n<param name=Text value=\"Hello there\">"
                  "\nRequires a Java Enabled Browser."
                  "\n</applet>\n");
    EXPECT_EQ(calls, (std::vector<std::string>{"AppName", "BgColor", "Text"}));
    EXPECT_EQ(applet.list_seen(), list.get());
  }
}

TEST(AppletTagTest, PagesWriteInTheOrderTheCallerGivesAndNullPagesAreSkipped) {
  runner::AttributeList list;
  std::vector<std::string> calls;
  ParamPage first("B", "2", &calls);
  ParamPage second("A", "1", &calls);
  AppletParamSource* const pages[] = {&first, nullptr, &second};
  EXPECT_EQ(Tag(list, pages), "\n<applet >\n<param name=B value=2>\n<param name=A value=1>\n"
                              "\n</applet>\n");
  EXPECT_EQ(calls, (std::vector<std::string>{"B", "A"}));
}

TEST(AppletTagTest, OnlyValuedAttributesOfTheExactPrefixesAreUsedInListOrder) {
  runner::AttributeList list({{"java-code", std::nullopt},  // no value: left out
                              {"Java-width", "100"},        // other letter case
                              {"JAVA-height", "50"},
                              {"html-Empty", std::nullopt},
                              {"HTML-Other", "<b>not copied</b>"},
                              {"param-Text", "Hello"},  // for the pages only
                              {"java-align", "left"},
                              {"html-A", "one"},
                              {"htmlX", "none"},
                              {"java-hspace", "5"},
                              {"html-B", "two"}});
  EXPECT_EQ(Tag(list), "\n<applet align=\"left\" hspace=\"5\" >\nonetwo\n</applet>\n");
}

TEST(AppletTagTest, ValuesAreCopiedAsTheyAre) {
  // Tag attribute values keep entities and addresses with "&"; only a double
  // quote, which would end the value, is written as an entity. The "html-"
  // text is raw HTML, line breaks and all.
  runner::AttributeList list({{"java-codebase", "http://host/a?x=1&amp;y=<2>"},
                              {"java-name", "say \"hi\""},
                              {"java-archive", ""},
                              {"html-NonJavaString", "<p>No Java\r\nhere & \"there\"</p>"}});
  EXPECT_EQ(Tag(list),
            "\n<applet codebase=\"http://host/a?x=1&amp;y=<2>\" name=\"say &quot;hi&quot;\""
            " archive=\"\" >\n<p>No Java\r\nhere & \"there\"</p>\n</applet>\n");
}

TEST(AppletTagTest, NamesThatWouldBreakTheTagAreLeftOut) {
  runner::AttributeList list({{"java-", "x"},
                              {"java-on load", "alert(1)"},
                              {"java-a=b", "1"},
                              {"java-x\"y", "1"},
                              {"java-a>b", "1"},
                              {"java-a/b", "1"},
                              {"java-a\tb", "1"},
                              {"java-mayscript", "true"}});
  EXPECT_EQ(Tag(list), "\n<applet mayscript=\"true\" >\n\n</applet>\n");
}

TEST(AppletTagTest, HtmlTextSurvivesAPageThatWalksTheList) {
  runner::AttributeList list({{"java-code", "KelText.class"}, {"html-Text", "plain"}});
  WalkingPage walker;
  AppletParamSource* const pages[] = {&walker};
  EXPECT_EQ(Tag(list, pages, ">"),
            "\n<applet code=\"KelText.class\">\n<param name=Count value=2>\nplain\n</applet>\n");
}

TEST(AppletTagTest, TheRuntimeScriptFollowsTheAppletWhenTheComponentPlaysInBrowsers) {
  const struct {
    runner::AttributeEntries entries;
    const char* ending;
  } kCases[] = {
      {{{"java-codebase", "./_glintmere/"}, {"temp-PlayInBrowsers", "1"}},
       "</applet>\n<script src=\"./_glintmere/glintmere-applets.js\"></script>\n"},
      {{{"java-codebase", "/web/_glintmere/"}, {"temp-PlayInBrowsers", "1"}},
       "</applet>\n<script src=\"/web/_glintmere/glintmere-applets.js\"></script>\n"},
      {{{"java-codebase", "/a\"b/"}, {"temp-PlayInBrowsers", "1"}},
       "</applet>\n<script src=\"/a&quot;b/glintmere-applets.js\"></script>\n"},
      {{{"java-codebase", "./_glintmere/"}, {"temp-PlayInBrowsers", "0"}}, "\n</applet>\n"},
      {{{"java-codebase", "./_glintmere/"}}, "\n</applet>\n"},
  };
  for (const auto& c : kCases) {
    runner::AttributeList list(c.entries);
    const std::string tag = Tag(list);
    EXPECT_TRUE(tag.ends_with(c.ending)) << tag;
    EXPECT_EQ(tag.find("<script"), tag.rfind("<script")) << tag;
  }
}

TEST(AppletTagTest, AppendsToWhatTheOutputHoldsWithoutANulByte) {
  runner::AttributeList list(runner::AttributeEntries{{"java-code", "KelScroll"}});
  Attributes attributes(list.get(), &runner::HostCallbacks());
  std::string out = "<p>before</p>";
  botframe::WriteAppletTag(out, attributes, {}, " >");
  EXPECT_EQ(out, "<p>before</p>\n<applet code=\"KelScroll\" >\n\n</applet>\n");
  EXPECT_EQ(out.find('\0'), std::string::npos);
}

TEST(WriteParamTest, QuotesValuesWithWhiteSpaceAndEscapesEveryValue) {
  EXPECT_EQ(Param("Speed", "10"), "\n<param name=Speed value=10>");
  EXPECT_EQ(Param("Text", "Hello world"), "\n<param name=Text value=\"Hello world\">");
  EXPECT_EQ(Param("Text", "a<b"), "\n<param name=Text value=a&lt;b>");
  EXPECT_EQ(Param("Text", "say \"a & b\" <now>"),
            "\n<param name=Text value=\"say &quot;a &amp; b&quot; &lt;now&gt;\">");
  EXPECT_EQ(Param("Text", ""), "\n<param name=Text value=>");
}

TEST(WriteParamTest, NullNameWritesNothingAndNullValueIsASpace) {
  std::string out = "kept";
  botframe::WriteParam(out, nullptr, "value");
  EXPECT_EQ(out, "kept");
  EXPECT_EQ(Param("Sound", nullptr), "\n<param name=Sound value=\" \">");
}

TEST(WriteParamTest, LineBreaksAndTabsAreKeptInsideQuotes) {
  // Unquoted, the browser would end the value at the line break.
  EXPECT_EQ(Param("Lines", "one\ntwo"), "\n<param name=Lines value=\"one\ntwo\">");
  EXPECT_EQ(Param("Lines", "one\r\ntwo"), "\n<param name=Lines value=\"one\r\ntwo\">");
  EXPECT_EQ(Param("Cells", "a\tb"), "\n<param name=Cells value=\"a\tb\">");
}

TEST(WriteParamTest, LongNamesAndValuesAreKeptWhole) {
  // The opening text of a name this long passes 255 characters; it is
  // written whole rather than cut into another name.
  const std::string name = "Text" + std::string(300, 'N');
  const std::string value(70000, 'v');
  EXPECT_EQ(Param(name.c_str(), value.c_str()),
            "\n<param name=" + name + " value=" + value + ">");
  const std::string spaced = value + " end";
  EXPECT_EQ(Param(name.c_str(), spaced.c_str()),
            "\n<param name=" + name + " value=\"" + spaced + "\">");
}

TEST(ResolveRelativeUrlTest, ResolvesAgainstThePagesFolder) {
  const std::string base = "http://server/a/b/page.htm";
  EXPECT_EQ(Resolved("x.htm", base), "http://server/a/b/x.htm");
  EXPECT_EQ(Resolved("./x.htm", base), "http://server/a/b/x.htm");
  EXPECT_EQ(Resolved("../x.htm", base), "http://server/a/x.htm");
  EXPECT_EQ(Resolved("./../x.htm", base), "http://server/a/x.htm");
  EXPECT_EQ(Resolved("../../x.htm", base), "http://server/x.htm");
  EXPECT_EQ(Resolved("../c/x.htm?q=1#top", base), "http://server/a/c/x.htm?q=1#top");
  EXPECT_EQ(Resolved("", base), "http://server/a/b/");
  EXPECT_EQ(Resolved("..x.htm", base), "http://server/a/b/..x.htm");
  // Only one leading "./" is taken off.
  EXPECT_EQ(Resolved("././x.htm", base), "http://server/a/b/./x.htm");
  // A base that is a folder already.
  EXPECT_EQ(Resolved("../x.htm", "file:///C:/web/sub/"), "file:///C:/web/x.htm");
}

TEST(ResolveRelativeUrlTest, NeverClimbsAboveTheRootOfTheBase) {
  EXPECT_EQ(Resolved("../../../x.htm", "http://server/a/b/page.htm"), "http://server/x.htm");
  EXPECT_EQ(Resolved("../../x.htm", "http://server/page.htm"), "http://server/x.htm");
  EXPECT_EQ(Resolved("../../../../x.htm", "file:///C:/web/a/page.htm"), "file:///C:/x.htm");
  EXPECT_EQ(Resolved("../../x.htm", "file:///web/page.htm"), "file:///x.htm");
  EXPECT_EQ(Resolved("../../x.htm", "//server/a/page.htm"), "//server/x.htm");
  EXPECT_EQ(Resolved("../../x.htm", "/a/page.htm"), "/x.htm");
  EXPECT_EQ(Resolved("../../x.htm", "C:/web/page.htm"), "C:/x.htm");
  // A relative base climbs to nothing, and no further.
  EXPECT_EQ(Resolved("../x.htm", "a/b/page.htm"), "a/x.htm");
  EXPECT_EQ(Resolved("../../../x.htm", "a/b/page.htm"), "x.htm");
}

TEST(ResolveRelativeUrlTest, AddressesWithASchemeStayAsTheyAre) {
  const std::string base = "http://server/a/b/page.htm";
  for (const char* url : {"http://other/x.htm", "HTTP://other/x.htm", "hTtP:x.htm",
                          "https://other/x.htm", "mailto:someone@example.com",
                          "ftp://files/a.zip", "javascript:go(1)"}) {
    EXPECT_EQ(Resolved(url, base), url);
  }
  // A drive letter is no scheme.
  EXPECT_EQ(Resolved("C:x.htm", base), "http://server/a/b/C:x.htm");
}

TEST(ResolveRelativeUrlTest, BasesWithoutASlash) {
  // Without "/" the base is cut after its last ":".
  EXPECT_EQ(Resolved("x.htm", "unsaved:Untitled"), "unsaved:x.htm");
  EXPECT_EQ(Resolved("./x.htm", "a:b:page"), "a:b:x.htm");
  EXPECT_EQ(Resolved("../x.htm", "unsaved:Untitled"), "unsaved:x.htm");
  // With neither, the url stays relative.
  EXPECT_EQ(Resolved("x.htm", "page.htm"), "x.htm");
  EXPECT_EQ(Resolved("./x.htm", "page.htm"), "x.htm");
  EXPECT_EQ(Resolved("../../x.htm", "page.htm"), "x.htm");
  EXPECT_EQ(Resolved("x.htm", ""), "x.htm");
}

TEST(ResolveRelativeUrlTest, LongAddressesAreKeptWhole) {
  // Longer than 511 characters on both sides.
  const std::string folder = "http://server/" + std::string(600, 'f') + "/";
  const std::string name = std::string(600, 'n') + ".htm";
  EXPECT_EQ(Resolved("../" + name, folder + "sub/page.htm"), folder + name);
  const std::string absolute = "http://other/" + std::string(2000, 'a');
  EXPECT_EQ(Resolved(absolute, folder), absolute);
}

}  // namespace
