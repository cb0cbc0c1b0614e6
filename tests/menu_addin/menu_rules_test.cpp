// The menu's rules that need no host: item parameters, the accelerator, the
// anchor and disconnection by version, the requirement table and messages.
#include <gtest/gtest.h>

#include "menu_addin/menu_rules.h"

namespace {

using menu_addin::HostState;
using menu_addin::PageState;

TEST(MenuRulesTest, ItemsBecomeParametersOrAreLeftOut) {
  const struct {
    const char* item;
    const char* parameter;  // null: left out
  } kCases[] = {
      {"x, Scroller , Tip, 1, 3, GMWebbotS3.dll, GMScroller", "1,3,GMWebbotS3.dll,GMScroller,1"},
      {"x,Scroller,Tip,1,3,GMWebbotS3.dll,GMScroller,0", "1,3,GMWebbotS3.dll,GMScroller,0"},
      {"x,Help,Tip,2,1,help.htm", "2,1,help.htm"},
      {"x,Help,Tip,2,1,kelhelp.exe,one,two words", "2,1,kelhelp.exe,one,two words"},
      {"x,Call,Tip,3,6,lib.dll,Entry", "3,6,lib.dll,Entry"},
      {"x,,Tip,1,3,GMWebbotS3.dll,GMScroller", nullptr},  // no caption
      {"x,Scroller,Tip,1,3,GMWebbotS3.dll", nullptr},     // too few fields
      {"x,Scroller,Tip,1,3,,GMScroller", nullptr},        // no library
      {"x,Help,Tip,2,1", nullptr},
      {"x,Help,Tip,2,1, ", nullptr},
      {"x,Call,Tip,3,6,lib.dll, ", nullptr},
      {"x,Other,Tip,4,1,a,b,c", nullptr},
      {"x,Short", nullptr},
  };
  for (const auto& c : kCases) {
    const auto parameter = menu_addin::ItemParameter(menu_addin::SplitFields(c.item));
    if (c.parameter) {
      ASSERT_TRUE(parameter) << c.item;
      EXPECT_EQ(*parameter, c.parameter) << c.item;
    } else {
      EXPECT_FALSE(parameter) << c.item;
    }
  }
}

TEST(MenuRulesTest, AcceleratorGoesToTheFirstFreeLetter) {
  const struct {
    std::vector<const char*> host_captions;
    const char* caption;
  } kCases[] = {
      {{"&File", "&Edit"}, "&Glintmere"},
      {{"&Go", "&lookup"}, "Gl&intmere"},
      {{"&go", "&Links", "Fish && &Chips"}, "Gl&intmere"},
      {{"A&&G", "&&&Lamp"}, "&Glintmere"},  // "&&" is no accelerator
      {{"&G", "&L", "&I", "&N", "&T", "&M", "&E", "&R"}, "Glintmere"},
  };
  for (const auto& c : kCases) {
    std::string taken;
    for (const char* caption : c.host_captions) {
      if (auto key = menu_addin::AcceleratorOf(caption)) taken += *key;
    }
    EXPECT_EQ(menu_addin::WithAccelerator("Glintmere", taken), c.caption);
  }
}

TEST(MenuRulesTest, VersionDecidesAnchorAndRemoval) {
  EXPECT_EQ(menu_addin::AnchorId("4.0.2.2717"), 546);
  EXPECT_EQ(menu_addin::AnchorId("5.0"), 5965);
  EXPECT_EQ(menu_addin::AnchorId("6.0"), 7716);
  EXPECT_FALSE(menu_addin::AnchorId("7.0"));
  EXPECT_FALSE(menu_addin::AnchorId(""));
  const struct {
    const char* version;
    int mode;
    bool keeps;
  } kCases[] = {{"5.0", 0, true}, {"5.", 0, true}, {"5.0", 1, false}, {"4.0", 0, false},
                {"6.0", 0, false}, {"50", 0, false}};
  for (const auto& c : kCases) {
    EXPECT_EQ(menu_addin::KeepsMenuAtDisconnection(c.version, c.mode), c.keeps) << c.version;
  }
}

TEST(MenuRulesTest, RequirementTable) {
  // Web: none, open in another view, open in page view. Page: none,
  // unsaved, saved; normal mode or not.
  const HostState no_web_saved{false, false, PageState::kSaved, true};
  const HostState no_web_unsaved{false, false, PageState::kUnsaved, true};
  const HostState no_web_no_page{false, false, PageState::kNone, false};
  const HostState no_web_html_view{false, false, PageState::kSaved, false};
  const HostState other_view_saved{true, false, PageState::kSaved, true};
  const HostState page_view_saved{true, true, PageState::kSaved, true};
  const HostState page_view_unsaved{true, true, PageState::kUnsaved, true};
  const HostState page_view_no_page{true, true, PageState::kNone, false};
  const HostState page_view_html_view{true, true, PageState::kSaved, false};
  const struct {
    HostState state;
    int results[6];  // codes "1" to "6"
  } kCases[] = {
      {no_web_saved, {0, 0, 0, -2, -2, -2}},
      {no_web_unsaved, {0, -5, 0, -2, -2, -2}},
      {no_web_no_page, {0, -5, -4, -2, -2, -2}},
      {no_web_html_view, {0, -6, -6, -2, -2, -2}},
      {other_view_saved, {0, -3, -3, -3, -3, -3}},
      {page_view_saved, {0, 0, 0, 0, 0, 0}},
      {page_view_unsaved, {0, -5, 0, 0, -5, 0}},
      {page_view_no_page, {0, -5, -4, 0, -5, -4}},
      {page_view_html_view, {0, -6, -6, 0, -6, -6}},
  };
  for (size_t row = 0; row < std::size(kCases); ++row) {
    for (int code = 1; code <= 6; ++code) {
      EXPECT_EQ(menu_addin::RequirementResult(std::to_string(code), kCases[row].state),
                kCases[row].results[code - 1])
          << "row " << row << " code " << code;
    }
  }
  for (const char* code : {"0", "7", "", " 1", "x"}) {
    EXPECT_EQ(menu_addin::RequirementResult(code, page_view_saved), -1) << code;
  }
  EXPECT_TRUE(menu_addin::IsUnsavedAddress("UNSAVED:///new_page_1.htm"));
  EXPECT_FALSE(menu_addin::IsUnsavedAddress("file:///C:/web/unsaved.htm"));
}

TEST(MenuRulesTest, RequirementMessages) {
  const std::pair<int, const char*> kCases[] = {
      {-2, "This option requires a FrontPage Web opened in FrontPage."},
      {-3, "The FrontPage Web must be in Page View mode. Please go to View menu and select Page."},
      {-4, "A page must be opened for editing."},
      {-5, "A saved page must be opened for editing."},
      {-6, "The active page must be in \"Normal\" mode."},
      {-1, "Unknown error"},
      {-7, "Unknown error"},
  };
  for (const auto& [result, message] : kCases) {
    EXPECT_EQ(menu_addin::RequirementMessage(result), message);
  }
}

}  // namespace
