// The button bar catalogue: styles and templates read from a master folder
// (a scratch one and the shipped one), the templates offered per component
// type, the bar's HTML with its placeholders and uploads, its refusals of
// bad or oversized input, component names and the re-edit refusal.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "bots_s3/button_bar_catalogue.h"
#include "tests/support/test_support.h"

namespace {

using bots_s3::ButtonBarRequest;
using bots_s3::ButtonBarTemplate;
using bots_s3::ButtonStyle;

// A path of the catalogue as this platform's file functions take it.
std::string Native(std::string path) {
#ifndef _WIN32
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
#endif
  return path;
}

std::vector<std::string> Names(const std::vector<ButtonBarTemplate>& templates) {
  std::vector<std::string> names;
  for (const ButtonBarTemplate& t : templates) names.push_back(t.name);
  return names;
}

const ButtonStyle kBeta{"Beta Style", "Beta", ""};

class ButtonBarCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    master_ = root_.path() + "\\";
    WriteStyle("Beta", "[info]\r\nname=Beta Style\r\nstop_normal=b_stop.gif\r\n");
    WriteStyle("alpha", "[info]\nname=alpha\n");
    WriteStyle("Unnamed", "[other]\nname=not this one\n");
    WriteStyle("Huge", "[info]\nname=Huge\n" + std::string(300 * 1024, ';'));
    test_support::WriteText(root_.Join("ButtonBarStyles/NoInf/stop.gif"), "GIF");
    WriteTemplate("pres.inf", "[info]\nname=Slides\ntype=1\ndescription=For slides\n"
                              "reedit=Line one\\nLine two\n[template]\n<b>\n");
    WriteTemplate("scroll.inf", "[info]\nname=Crawl\ntype=2\n[template]\n<i>\n");
    WriteTemplate("both.inf", "[INFO]\nNAME=Any\n[template]\n<u>\n");
    test_support::WriteText(root_.Join("ButtonBarTemplates/folder.inf/x"), "");
  }
  void WriteStyle(const std::string& folder, const std::string& text) {
    test_support::WriteText(root_.Join("ButtonBarStyles/" + folder + "/style.inf"), text);
  }
  void WriteTemplate(const std::string& name, const std::string& text) {
    test_support::WriteText(root_.Join("ButtonBarTemplates/" + name), text);
  }

  test_support::TempFolder root_;
  std::string master_;
};

TEST_F(ButtonBarCatalogueTest, LoadsStylesAndTemplatesAndOffersTemplatesPerType) {
  std::vector<std::string> styles;
  for (const ButtonStyle& s : bots_s3::LoadButtonStyles(master_)) {
    styles.push_back(s.name + "|" + s.folder + "|" + s.preview_path.substr(master_.size()));
  }
  EXPECT_EQ(styles, (std::vector<std::string>{"<Name not defined>|Unnamed|ButtonBarStyles\\Unnamed\\",
                                              "alpha|alpha|ButtonBarStyles\\alpha\\",
                                              "Beta Style|Beta|ButtonBarStyles\\Beta\\b_stop.gif"}));
  EXPECT_TRUE(bots_s3::LoadButtonStyles("").empty());
  EXPECT_TRUE(bots_s3::LoadButtonStyles(master_ + "nowhere\\").empty());

  const std::vector<ButtonBarTemplate> templates = bots_s3::LoadButtonBarTemplates(master_);
  std::vector<std::string> rows;
  for (const ButtonBarTemplate& t : bots_s3::TemplatesForType(templates, 0)) {
    rows.push_back(t.name + "|" + std::to_string(t.type_mask) + "|" + t.description + "|" +
                   t.reedit + "|" + t.path.substr(master_.size()));
  }
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "Any|31|<No Description>||ButtonBarTemplates\\both.inf",
                      "Crawl|2|<No Description>||ButtonBarTemplates\\scroll.inf",
                      "Slides|1|For slides|Line one\nLine two|ButtonBarTemplates\\pres.inf"}));
  const struct { int type; std::vector<std::string> names; } cases[] = {
      {1, {"Any", "Slides"}}, {2, {"Any", "Crawl"}}, {3, {"Any"}}};
  for (const auto& c : cases) {
    EXPECT_EQ(Names(bots_s3::TemplatesForType(templates, c.type)), c.names) << c.type;
  }
}

TEST_F(ButtonBarCatalogueTest, FillsTheTemplateOrSaysWhyNot) {
  const ButtonStyle no_inf{"", "NoInf", ""}, huge{"", "Huge", ""};
  std::string many_keys = "[info]\n", long_line = "[template]\n";
  for (int i = 0; i < 1001; ++i) many_keys += "k" + std::to_string(i) + "=v\n";
  for (int i = 0; i < 800; ++i) long_line += "#big#";
  const std::string plain = "[info]\nw=28\n";
  const struct {
    const char* what;
    std::string style_text, template_text;  // Beta's style.inf, the template
    std::string html;                       // expected, or part of the message
    std::vector<std::string> uploads = {};
    const ButtonStyle* style = &kBeta;
    bool absolute = false, disk_web = false, server_preview = false;
    std::string component = "SA1";
  } cases[] = {
      {"relative", plain, "[template]\n<img src=\"#file_path#a\">\n  <br>\n",
       "<img src=\"./_buttonbar/Beta/a\"> \r\n<br> \r\n"},
      {"web path", plain, "[template]\n#file_path#\n", "/web/_buttonbar/Beta/ \r\n", {}, &kBeta, true},
      {"disk web server preview", plain, "[template]\n#file_path#\n", "/_buttonbar/Beta/ \r\n", {},
       &kBeta, true, true, true},
      {"disk web local preview", plain, "[template]\n#file_path#\n", "/web/_buttonbar/Beta/ \r\n",
       {}, &kBeta, true, true},
      {"keys and uploads",
       "[info]\nhome = home.gif\nw=28\nunused=u.gif\nempty=\nno equals\n=x.gif\nup=..\\up.gif\n",
       "[template]\n#home#|#w#|#home#|#empty#|#up#|##\n", "home.gif|28|home.gif||..\\up.gif|## \r\n",
       {"home.gif"}},
      {"names", plain, "[template]\n#applet_name2#:#applet_name#:#BotName#\n#preview_path#\n",
       "SA1:SA1_20030403090507:BBBot \r\nhttp://host/web/sub/_buttonbar/Beta/ \r\n"},
      {"absolute preview", plain, "[template]\n#preview_path#\n",
       "http://host/web/_buttonbar/Beta/ \r\n", {}, &kBeta, true},
      {"no style", plain, "[template]\nx\n", "Not a valid button bar style", {}, nullptr},
      {"no style.inf", "", "[template]\nx\n", "Button bar style data not found.", {}, &no_inf},
      {"empty info", "[info]\nno equals\n", "[template]\nx\n",
       "Invalid section in Button bar style.inf."},
      {"too many keys", many_keys, "[template]\nx\n", "Invalid section in Button bar style.inf."},
      {"huge style", "", "[template]\nx\n", "too large to be a button bar style.", {}, &huge},
      {"no template", plain, "[info]\nname=T\n", "Template data not found for \"T\""},
      {"megabyte template", plain, "[template]\n" + std::string(1 << 20, 'x'),
       "Template data not found for \"T\""},
      {"bar too long", "[info]\nbig=" + std::string(4000, 'b'), long_line,
       "The button bar made from \"T\" is too long."},
      {"bad name", plain, "[template]\nx\n", "Please specify a valid component name.", {}, &kBeta,
       false, false, false, "1SA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteStyle("Beta", c.style_text);
    WriteTemplate("t.inf", c.template_text);
    const ButtonBarTemplate bar_template{1, "T", "", "", master_ + "ButtonBarTemplates\\t.inf"};
    ButtonBarRequest request{master_, c.style, &bar_template, c.component, "http://host/web",
                             "http://host/web/sub/page.htm", c.absolute, c.disk_web,
                             c.server_preview, {2003, 4, 3, 9, 5, 7, 0}};
    const bots_s3::ButtonBarHtml bar = bots_s3::GenerateButtonBarHtml(request);
    if (bar.ok) {
      EXPECT_EQ(bar.html, c.html);
      EXPECT_EQ(bar.uploads, c.uploads);
    } else {
      EXPECT_NE(bar.error.find(c.html), std::string::npos) << bar.error;
      EXPECT_EQ(bar.html, "");
    }
  }
}

TEST(ButtonBarNamesTest, ComponentNamesAndReeditRefusals) {
  const struct { const char* name; bool valid; } names[] = {
      {"SA1", true}, {"_a_9", true}, {"x", true}, {"", false}, {"1SA", false},
      {"S A", false}, {"S-A", false}, {"S\xE9", false}, {"SA1\"", false},
  };
  for (const auto& c : names) EXPECT_EQ(bots_s3::IsValidComponentName(c.name), c.valid) << c.name;

  test_support::TempFolder root;
  test_support::WriteText(root.Join("ButtonBarTemplates/bar.inf"),
                          "[info]\nreedit=Delete it.\\nThen insert.\n");
  test_support::WriteText(root.Join("secret.inf"), "[info]\nreedit=outside\n");
  const std::string master = root.path() + "\\";
  const std::string general =
      "The Button Bar button styles and number cannot be edited directly.\n\n"
      "If you wish to change the number or style of the buttons,\n"
      "please delete the old button bar and insert a new one.";
  const struct { const char* file; std::string message; } reedits[] = {
      {"bar.inf", "Delete it.\nThen insert."}, {"", general}, {"..\\secret.inf", general},
      {"none.inf", ""},
  };
  for (const auto& c : reedits) EXPECT_EQ(bots_s3::ReeditMessage(master, c.file), c.message);
}

// The shipped styles and templates: every combination makes a bar whose
// files the style folder holds and whose scripts call only the methods the
// component type has.
TEST(ButtonBarShippedDataTest, EveryStyleFillsEveryTemplate) {
  const std::string master = test_support::BinFolder() + "bots/";
  const std::vector<ButtonStyle> styles = bots_s3::LoadButtonStyles(master);
  std::vector<std::string> style_names;
  for (const ButtonStyle& s : styles) style_names.push_back(s.name);
  EXPECT_EQ(style_names, (std::vector<std::string>{"Amber Tiles", "Classic Grey", "Ocean Blue"}));
  const std::vector<ButtonBarTemplate> templates = bots_s3::LoadButtonBarTemplates(master);
  const struct { int type; std::vector<std::string> names; std::set<std::string> methods; } types[] = {
      {1, {"Presentation Controls", "Start and Stop"}, {"start", "stop", "next", "previous"}},
      {2, {"Scroller Controls", "Start and Stop"}, {"start", "stop", "faster", "slower"}},
  };
  const std::regex call("document\\.PA1\\.([A-Za-z]+)\\(\\)");
  const std::regex placeholder("#[A-Za-z_0-9]+#");
  for (const auto& type : types) {
    const std::vector<ButtonBarTemplate> offered = bots_s3::TemplatesForType(templates, type.type);
    EXPECT_EQ(Names(offered), type.names);
    for (const ButtonBarTemplate& t : offered) {
      for (const ButtonStyle& style : styles) {
        SCOPED_TRACE(t.name + " in " + style.name);
        EXPECT_TRUE(test_support::Exists(Native(style.preview_path)));
        const ButtonBarRequest request{
            .master_folder = master, .style = &style, .bar_template = &t, .component_name = "PA1"};
        const bots_s3::ButtonBarHtml bar = bots_s3::GenerateButtonBarHtml(request);
        ASSERT_TRUE(bar.ok) << bar.error;
        EXPECT_FALSE(std::regex_search(bar.html, placeholder));
        for (const std::string& file : bar.uploads) {
          EXPECT_TRUE(test_support::Exists(master + "ButtonBarStyles/" + style.folder + "/" + file));
        }
        std::set<std::string> used;
        for (std::sregex_iterator m(bar.html.begin(), bar.html.end(), call), end; m != end; ++m) {
          used.insert((*m)[1]);
        }
        EXPECT_FALSE(used.empty());
        for (const std::string& method : used) EXPECT_TRUE(type.methods.count(method)) << method;
      }
    }
  }
}

}  // namespace
