// The scroller's sheet with its Strings page, driven through the scripted user
// interface: what a new scroller writes, formatting and links made in the
// columns, line sounds, and the stored attributes.
#include <gtest/gtest.h>


#include "botframe/file_dialogs.h"
#include "bots_s3/scroll_strings_page.h"
#include "bots_s3/scroller_bot.h"
#include "runner/attribute_list.h"
#include "tests/support/page_test.h"
#include "tests/support/shown_windows.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using bots_s3::CScrollStringsPage;
using Page = CScrollStringsPage;
constexpr const char* kSheet = "Glintmere Java Effects - Scroller Applet";

class ScrollStringsPageTest : public test_support::PageTest {
 protected:
  void SetUp() override {
    state().master_folder = root_.path() + "\\master\\";
    state().user_data_folder = root_.path() + "\\user\\";
    state().page_url = "file:///C:/web/a/b/p.htm";
    test_support::WriteText(root_.Join("master/_glintmere/bell.au"), "sound");
    test_support::WriteText(root_.Join("user/_glintmere/readme.txt"), "");
  }

  // Loads the attributes, runs the sheet answered by steps, and on OK saves
  // and writes the applet tag; the sheet's result.
  int Run(ui::Driver::Steps steps) {
    const int result = RunBotSheet<bots_s3::ScrollerBot>(std::move(steps));
    page_ = nullptr;
    return result;
  }
  // Types "Hello world" into the main column and links "world" with H.
  static void LinkWorld(ui::ScriptedWindow& w) {
    w.SelectRange(Page::kMainBoxId, 0, -1);
    w.Type(Page::kMainBoxId, "Hello world");
    w.SelectRange(Page::kMainBoxId, 6, 11);
    w.Click("H");
  }
  static CScrollStringsPage* StringsPage(ui::ScriptedWindow& w) {
    return dynamic_cast<CScrollStringsPage*>(w.sheet()->pages()[3]);
  }

  test_support::TempFolder root_;
  CScrollStringsPage* page_ = nullptr;
};

TEST_F(ScrollStringsPageTest, NewScrollerWritesTheDefaults) {
  ASSERT_EQ(Run([](ui::ScriptedWindow& w) {
              EXPECT_EQ(w.caption(), kSheet);
              EXPECT_EQ(w.ActivePage(), "Strings");
              EXPECT_EQ(w.Text(Page::kHeaderBoxId), "Header");
              const std::string main = w.Text(Page::kMainBoxId);
              EXPECT_EQ(main.rfind("This is the scroller applet, \r\none of 4 applets", 0), 0u);
              EXPECT_FALSE(w.IsChecked("Header Column:"));
              EXPECT_FALSE(w.IsEnabled(Page::kHeaderBoxId));
              EXPECT_FALSE(w.IsEnabled("Header Width:"));
              EXPECT_EQ(w.SelectedItem("Font Name:"), "Helvetica");
              EXPECT_EQ(w.SelectedItem("Color:"), "Black");
              // The columns show the chosen font.
              richtext::CharFormat format;
              StringsPage(w)->GetRichEdit(Page::kMainBoxId).GetFormat(&format);
              EXPECT_EQ(format.face, "Helvetica");
              EXPECT_EQ(format.height, 198);  // 12 x 16.504 twips
              w.PressOk();
            }),
            ui::kIdOk);
  EXPECT_EQ(Attribute("param-FontFace"), "Helvetica");
  EXPECT_EQ(Attribute("param-FontSize"), "12");
  EXPECT_EQ(Attribute("param-AddLineSpacing"), "0");
  EXPECT_EQ(Attribute("param-TextAlign"), "_left");
  EXPECT_EQ(Attribute("param-Startup"), "_empty");
  EXPECT_EQ(Attribute("param-HeadWidth"), "50");
  EXPECT_EQ(Attribute("param-HeaderEnabled"), "0");
  EXPECT_EQ(Attribute("param-HeadOffset"), "5");
  EXPECT_EQ(Attribute("param-RunCount"), "0");
  EXPECT_EQ(Attribute("param-LineCount"), "0");
  EXPECT_EQ(Attribute("param-StepDelay"), "20");
  EXPECT_EQ(Attribute("param-StepSize"), "1");
  EXPECT_EQ(Attribute("param-Mode"), "_enter");
  EXPECT_EQ(Attribute("param-MainRTF").rfind("{\\rtf1", 0), 0u);

  EXPECT_TRUE(Has("\n<param name=HeadText1 value=Header>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=LineCount value=8>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=RunCount value=8>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=RunText1 value=\"This is the scroller applet,\\u0020\">"))
      << tag_;
  EXPECT_TRUE(Has("\n<param name=RunStyle1 value=_plain|000000|_newline,0>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=Font value=Helvetica|12|0>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=HeadWidth value=0>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=TextAlign value=_left,5>")) << tag_;
  EXPECT_FALSE(Has("name=HeadOffset")) << tag_;
  EXPECT_TRUE(Has("\n<param name=TopMargin value=5>\n<param name=BottomMargin value=5>"
                  "\n<param name=Startup value=_empty>"))
      << tag_;
  // The pages write in their order: Background, Animation, then Strings.
  EXPECT_LT(tag_.find("AppBGColor"), tag_.find("StepDelay"));
  EXPECT_LT(tag_.find("StepDelay"), tag_.find("HeadText1"));
}

// Stored scalar settings: what the page shows for them and what OK stores.
// Font names and keywords match in any letter case.
TEST_F(ScrollStringsPageTest, StoredSettingsReopenAndAreStoredInTheirOrder) {
  struct Case {
    const char* attribute;
    const char* stored;
    const char* shown_in;  // a list's label, or nullptr for the stored text
    const char* shown;
    const char* saved;
  };
  const Case cases[] = {
      {"param-FontFace", "zapfdingbats", "Font Name:", "ZapfDingbats", "ZapfDingbats"},
      {"param-TextAlign", "_right", "Column Alignment:", "Right", "_right"},
      {"param-Startup", "_FULL", "Startup Mode:", "Full", "_full"},
      {"param-HeadWidth", "80", nullptr, nullptr, "80"},
      {"param-HeaderEnabled", "2", nullptr, nullptr, "1"},
      {"param-TextTopMargin", "", nullptr, nullptr, "0"},  // empty stores 0
      {"param-TextBottomMargin", "11", nullptr, nullptr, "11"},
  };
  for (const Case& c : cases) attributes_.Set(c.attribute, c.stored);
  Run([&cases](ui::ScriptedWindow& w) {
    for (const Case& c : cases) {
      if (c.shown_in) {
        EXPECT_EQ(w.SelectedItem(c.shown_in), c.shown) << c.attribute;
      }
    }
    EXPECT_TRUE(w.IsChecked("Header Column:"));
    w.Type("Left:", "");
    w.PressOk();
  });
  for (const Case& c : cases) {
    EXPECT_EQ(Attribute(c.attribute), c.saved) << c.attribute;
  }
  EXPECT_EQ(Attribute("param-HeadOffset"), "0");

  // A new component stores them in this order.
  list_.Clear();
  Run([](ui::ScriptedWindow& w) { w.PressOk(); });
  std::vector<std::string> scalars;
  for (const std::string& name : attributes_.Names()) {
    for (const char* wanted :
         {"param-FontFace", "param-FontSize", "param-AddLineSpacing", "param-TextAlign",
          "param-Startup", "param-HeadWidth", "param-HeaderEnabled", "param-HeadOffset",
          "param-TextTopMargin", "param-TextBottomMargin"}) {
      if (name == wanted) scalars.push_back(name);
    }
  }
  EXPECT_EQ(scalars, (std::vector<std::string>{
                         "param-FontFace", "param-FontSize", "param-AddLineSpacing",
                         "param-TextAlign", "param-Startup", "param-HeadWidth",
                         "param-HeaderEnabled", "param-HeadOffset", "param-TextTopMargin",
                         "param-TextBottomMargin"}));
}

// Links and line settings as a hostile or damaged page stores them: the
// page keeps what the editor can hold, in order, and typing moves them on
// without overflowing.
TEST_F(ScrollStringsPageTest, StoredLinksAndLinesAreBoundedSortedAndKeepTheirDefaults) {
  struct StoredRun {
    const char* start;
    const char* end;
    const char* highlight;  // nullptr: absent
  };
  const StoredRun runs[] = {
      {"8", "10", nullptr},           // absent row: the default highlight
      {"0", "3", "4"},                // before the first: sorted to the front
      {"9", "12", "4"},               // overlaps the first kept: goes
      {"20", "2147483647", "4"},      // past any text: goes
      {"-5", "2", "4"},               // negative: goes
      {"15", "14", "4"},              // ends before it starts: goes
  };
  int k = 0;
  for (const StoredRun& run : runs) {
    const std::string prefix = "param-Run" + std::to_string(++k) + "-";
    attributes_.Set(prefix + "URL", "p" + std::to_string(k) + ".htm");
    attributes_.Set(prefix + "Start", run.start);
    attributes_.Set(prefix + "End", run.end);
    if (run.highlight) attributes_.Set(prefix + "HighlightColor", run.highlight);
  }
  attributes_.Set("param-RunCount", std::to_string(k));
  const char* line_starts[] = {"12", "0", "12", "2147483647"};
  k = 0;
  for (const char* start : line_starts) {
    attributes_.Set("param-Line" + std::to_string(++k) + "-Start", start);
  }
  attributes_.Set("param-Line2-Sound", "");
  attributes_.Set("param-LineCount", std::to_string(k));
  Run([](ui::ScriptedWindow& w) {
    CScrollStringsPage* page = StringsPage(w);
    ASSERT_EQ(page->links().size(), 2u);
    EXPECT_EQ(page->links()[0].url, "p2.htm");
    EXPECT_EQ(page->links()[1].url, "p1.htm");
    EXPECT_EQ(page->links()[1].highlight, 11);  // Blue
    ASSERT_EQ(page->line_settings().size(), 2u);
    EXPECT_EQ(page->line_settings()[0].start, 0);
    EXPECT_EQ(page->line_settings()[0].sound, "(None)");
    EXPECT_EQ(page->line_settings()[1].start, 12);
    EXPECT_EQ(page->line_settings()[1].sound, "(None)");  // absent
    w.SelectRange(Page::kMainBoxId, 0, 0);
    w.Type(Page::kMainBoxId, "ab");
    EXPECT_EQ(page->links()[1].start, 10);
    EXPECT_EQ(page->line_settings()[1].start, 14);
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-RunCount"), "2");
  EXPECT_EQ(Attribute("param-Run2-HighlightColor"), "11");
  EXPECT_EQ(Attribute("param-LineCount"), "2");
  EXPECT_FALSE(Has("LineSound")) << tag_;  // no sound, never the sounds' folder
}

TEST_F(ScrollStringsPageTest, LinkedWordThroughTheHyperlinkDialog) {
  backend_.driver().Expect("Hyperlink", [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Text("Text:"), "world");
    EXPECT_EQ(w.SelectedItem("Highlight Color:"), "Blue");
    EXPECT_EQ(w.Text("Target:"), "Self");
    w.Type("URL:", "news.htm");
    w.Select("Target:", "Blank");
    w.PressOk();
  });
  Run([](ui::ScriptedWindow& w) {
    LinkWorld(w);
    EXPECT_EQ(StringsPage(w)->link_look(), 2);
    w.PressOk();
  });
  EXPECT_TRUE(Has("\n<param name=LineCount value=1>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=RunCount value=2>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=RunText1 value=Hello\\u0020>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=RunStyle1 value=_plain|000000>\n<param name=RunText2")) << tag_;
  EXPECT_TRUE(Has("\n<param name=RunText2 value=world>\n<param name=RunStyle2 "
                  "value=_plain|000000|_newline,0>\n<param name=RunURL2 value=news.htm|_blank|0000ff>"))
      << tag_;
  EXPECT_EQ(Attribute("param-RunCount"), "1");
  EXPECT_EQ(Attribute("param-Run1-Start"), "6");
  EXPECT_EQ(Attribute("param-Run1-End"), "10");
  EXPECT_EQ(Attribute("param-Run1-Target"), "Blank");
  EXPECT_EQ(Attribute("param-Run1-HighlightColor"), "11");
}

TEST_F(ScrollStringsPageTest, StoredLinksAndLinesAreReplacedAndCustomColoursRoundTrip) {
  for (int k = 1; k <= 5; ++k) {
    const std::string run = "param-Run" + std::to_string(k) + "-";
    attributes_.Set((run + "URL").c_str(), "p" + std::to_string(k) + ".htm");
    attributes_.Set((run + "HighlightColor").c_str(), k == 1 ? "1" : "0");
    attributes_.Set((run + "Start").c_str(), std::to_string(k * 2));
    attributes_.Set((run + "End").c_str(), std::to_string(k * 2));
    const std::string line = "param-Line" + std::to_string(k) + "-";
    attributes_.Set((line + "Sound").c_str(), k == 1 ? "NONE" : "bell.au");
    attributes_.Set((line + "Start").c_str(), std::to_string(k * 3));
  }
  attributes_.Set("param-Run1-customHighlightColor", "12ab9F");
  attributes_.Set("param-RunCount", "5");
  attributes_.Set("param-LineCount", "5");
  attributes_.Set("param-TextLeftMargin", "9");
  attributes_.Set("param-HeadOffset", "7");
  attributes_.Set("param-FontFace", "courier new");
  Run([](ui::ScriptedWindow& w) {
    CScrollStringsPage* page = StringsPage(w);
    ASSERT_EQ(page->links().size(), 5u);
    EXPECT_EQ(page->links()[0].custom_colour, base::RgbColour(0x12AB9F));
    EXPECT_EQ(page->line_settings()[0].sound, "(None)");
    EXPECT_EQ(page->left_margin(), "7");  // the offset wins over the old margin
    EXPECT_EQ(w.SelectedItem("Font Name:"), "Courier New");
    // Everything but the first four characters goes: links 2 to 5 with it.
    w.SelectRange(Page::kMainBoxId, 4, -1);
    w.Type(Page::kMainBoxId, "\x7f");
    EXPECT_EQ(page->links().size(), 1u);
    EXPECT_EQ(page->line_settings().size(), 1u);
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-RunCount"), "1");
  EXPECT_EQ(Attribute("param-Run1-customHighlightColor"), "12AB9F");
  EXPECT_EQ(Attribute("param-LineCount"), "1");
  for (int k = 2; k <= 5; ++k) {
    for (const char* field : {"URL", "Start", "End", "HighlightColor"}) {
      const std::string name = "param-Run" + std::to_string(k) + "-" + field;
      EXPECT_EQ(Attribute(name.c_str()), "<absent>") << name;
    }
    const std::string sound = "param-Line" + std::to_string(k) + "-Sound";
    EXPECT_EQ(Attribute(sound.c_str()), "<absent>");
  }
  EXPECT_TRUE(Has("\n<param name=Font value=Courier|12|0>")) << tag_;
  // The bell was recorded nowhere as missing: it ships.
  EXPECT_TRUE(state().missing_files.empty());
}

TEST_F(ScrollStringsPageTest, NothingOfRemovedItemsStaysAfterAPreviewAndStoredRowsStayInTheTable) {
  for (int k = 1; k <= 5; ++k) {
    const std::string run = "param-Run" + std::to_string(k) + "-";
    attributes_.Set(run + "URL", "p.htm");
    attributes_.Set(run + "Start", std::to_string(k * 2));
    attributes_.Set(run + "End", std::to_string(k * 2 + 1));
    attributes_.Set("param-Line" + std::to_string(k) + "-Start", std::to_string(k * 3));
  }
  // Rows the colour table lacks give the default highlight, never a read
  // outside it.
  attributes_.Set("param-Run1-HighlightColor", "-5");
  attributes_.Set("param-Run2-HighlightColor", "99999");
  attributes_.Set("param-RunCount", "5");
  attributes_.Set("param-LineCount", "5");
  Run([](ui::ScriptedWindow& w) {
    w.SelectRange(Page::kMainBoxId, 6, -1);
    w.Type(Page::kMainBoxId, "\x7f");
    w.Click("Preview");  // saves two links and lines before OK saves again
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-RunCount"), "2");
  EXPECT_EQ(Attribute("param-Run1-HighlightColor"), "11");
  EXPECT_EQ(Attribute("param-Run2-HighlightColor"), "11");
  for (int k = 3; k <= 5; ++k) {
    for (const std::string& field : {"Run" + std::to_string(k) + "-URL",
                                     "Run" + std::to_string(k) + "-Start",
                                     "Line" + std::to_string(k) + "-Start"}) {
      EXPECT_EQ(Attribute(("param-" + field).c_str()), "<absent>") << field;
    }
  }
}

TEST_F(ScrollStringsPageTest, LineSoundsFormatsAndTheHeaderColumn) {
  backend_.driver().Expect("Select a file", [](ui::ScriptedWindow& w) {
    w.Select(botframe::CSelectFileDialog::kListId, "bell.au");
    w.PressOk();
  });
  Run([](ui::ScriptedWindow& w) {
    CScrollStringsPage* page = StringsPage(w);
    w.SelectRange(Page::kMainBoxId, 0, -1);
    w.Type(Page::kMainBoxId, "one\ntwo big\nthree");
    w.SelectRange(Page::kMainBoxId, 6, 7);  // in line two
    w.Click("Sound:");
    w.Type("Line Pause:", "300");
    // Mixed bold, then bold throughout.
    w.SelectRange(Page::kMainBoxId, 9, 12);
    w.Click("B");
    w.SelectRange(Page::kMainBoxId, 5, 12);
    EXPECT_EQ(page->bold_look(), 2);
    w.Click("B");
    EXPECT_EQ(page->bold_look(), 1);

    w.Check("Header Column:");
    EXPECT_TRUE(w.IsEnabled(Page::kHeaderBoxId));
    w.SelectRange(Page::kHeaderBoxId, 0, -1);
    w.Type(Page::kHeaderBoxId, "Top\nSecond");
    EXPECT_EQ(page->active_column(), CScrollStringsPage::Column::kHeader);
    EXPECT_FALSE(w.IsEnabled("H"));
    w.SelectRange(Page::kHeaderBoxId, 1, 2);  // part of the first line
    w.Click("U");
    w.Select("Color:", "Red");
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-LineCount"), "1");
  EXPECT_EQ(Attribute("param-Line1-Sound"), "bell.au");
  EXPECT_EQ(Attribute("param-Line1-Pause"), "300");
  EXPECT_EQ(Attribute("param-Line1-Start"), "5");
  EXPECT_EQ(Attribute("param-HeaderEnabled"), "1");
  EXPECT_TRUE(Has("\n<param name=LineCount value=3>\n<param name=LineSound2 "
                  "value=./_glintmere/bell.au>\n<param name=RunCount value=3>"))
      << tag_;
  EXPECT_TRUE(Has("\n<param name=RunText2 value=\"two big\">\n<param name=RunStyle2 "
                  "value=_bold|000000|_newline,300>"))
      << tag_;
  EXPECT_TRUE(Has("\n<param name=HeadText1 value=Top>\n<param name=HeadStyle1 "
                  "value=_underline|ff0000>\n<param name=HeadText2 value=Second>\n"
                  "<param name=HeadStyle2 value=_plain|000000>"))
      << tag_;
  EXPECT_TRUE(Has("\n<param name=HeadWidth value=50>")) << tag_;
  EXPECT_TRUE(Has("\n<param name=HeadOffset value=5>")) << tag_;
}

TEST_F(ScrollStringsPageTest, FontSizeMustBePositiveToLeaveThePage) {
  Run([](ui::ScriptedWindow& w) {
    w.Type("Font Size:", "0");
    w.SelectPage("Animation");
    EXPECT_EQ(w.ActivePage(), "Strings");
    w.PressCancel();
  });
  EXPECT_EQ(backend_.driver().MessageTexts(),
            (std::vector<std::string>{"Please enter a positive non zero integer"}));
}

TEST_F(ScrollStringsPageTest, ATargetThatIsNoCaptionAsWrittenReopensAsTyped) {
  for (const std::string target : {"frame2", "blank", "Top"}) {
    SCOPED_TRACE(target);
    list_.Clear();
    backend_.driver().Expect("Hyperlink", [&](ui::ScriptedWindow& w) {
      w.Type("URL:", "a.htm");
      w.Type("Target:", target);
      w.PressOk();
    });
    Run([](ui::ScriptedWindow& w) {
      LinkWorld(w);
      w.PressOk();
    });
    backend_.driver().Expect("Hyperlink", [&](ui::ScriptedWindow& w) {
      EXPECT_EQ(w.Text("Target:"), target);
      w.PressOk();
    });
    Run([](ui::ScriptedWindow& w) {
      w.SelectRange(Page::kMainBoxId, 7, 8);
      w.Click("H");
      w.PressOk();
    });
    EXPECT_EQ(Attribute("param-Run1-Target"), target);
  }
}

TEST_F(ScrollStringsPageTest, CancelledCustomColourReturningToThePageAndLineZeroUnderTheHeader) {
  // A stored first line's sound shows at opening though the header is active.
  attributes_.Set("param-HeaderEnabled", "1");
  attributes_.Set("param-LineCount", "1");
  attributes_.Set("param-Line1-Sound", "bell.au");
  attributes_.Set("param-Line1-Pause", "250");
  attributes_.Set("param-Line1-Start", "0");
  backend_.driver().ExpectColour(std::nullopt);
  Run([](ui::ScriptedWindow& w) {
    CScrollStringsPage* page = StringsPage(w);
    EXPECT_EQ(page->active_column(), CScrollStringsPage::Column::kHeader);
    EXPECT_EQ(w.Text("Sound:"), "bell.au");
    EXPECT_EQ(w.Text("Line Pause:"), "250");

    w.SelectRange(Page::kMainBoxId, 0, -1);
    w.Type(Page::kMainBoxId, "Plain words");
    w.SelectRange(Page::kMainBoxId, 2, 5);
    w.Select("Color:", "Red");
    w.SelectRange(Page::kMainBoxId, 0, 4);  // mixed: no row
    w.Select("Color:", "Custom...");        // cancelled: back to no row, text unchanged
    EXPECT_EQ(w.Selection("Color:"), -1);
    ui::RichEdit main = page->GetRichEdit(Page::kMainBoxId);
    main.SetSelection(2, 5);
    richtext::CharFormat format;
    ASSERT_NE(main.GetFormat(&format) & richtext::mask::kColour, 0u);
    EXPECT_EQ(format.colour, base::ToBgr(botframe::Rgb(0xFF0000)));
    main.SetSelection(0, 2);
    main.GetFormat(&format);
    EXPECT_EQ(format.colour, base::ToBgr(botframe::Rgb(0x000000)));

    // Another page and back: the selection stays where the user left it.
    w.SelectRange(Page::kMainBoxId, 3, 7);
    w.SelectPage("Animation");
    w.SelectPage("Strings");
    int start = 0, end = 0;
    main.GetSelection(&start, &end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 7);
    w.PressOk();
  });
}

TEST_F(ScrollStringsPageTest, PreviewShowsLinksFromWhereThePreviewFileIs) {
  std::string preview;
  backend_.driver().Expect("Hyperlink", [](ui::ScriptedWindow& w) {
    w.Type("URL:", "../x.htm");
    w.PressOk();
  });
  backend_.driver().Expect("Applet Preview", [&](ui::ScriptedWindow& w) {
    preview = test_support::ReadText(root_.Join("user/GMBots.htm"));
    w.PressOk();
  });
  Run([](ui::ScriptedWindow& w) {
    w.SelectRange(Page::kMainBoxId, 0, -1);
    w.Type(Page::kMainBoxId, "Go home");
    w.SelectRange(Page::kMainBoxId, 3, 7);
    w.Click("H");
    w.Click("Preview");
    w.PressOk();
  });
  EXPECT_NE(preview.find("<param name=RunURL2 value=file:///C:/web/a/x.htm|_self|0000ff>"),
            std::string::npos)
      << preview;
  // The component keeps the URL as it was given.
  EXPECT_TRUE(Has("\n<param name=RunURL2 value=../x.htm|_self|0000ff>")) << tag_;
  EXPECT_EQ(Attribute("param-Run1-URL"), "../x.htm");
}

}  // namespace
