// The presentation's sheet with its Images page, driven through the scripted
// user interface: a new slideshow, the worked cases of one image's settings,
// stored components read back (hostile ones too), and the list buttons.
#include <gtest/gtest.h>

#include <filesystem>

#include "botframe/alert_dialog.h"
#include "botframe/file_dialogs.h"
#include "bots_s3/present_images_page.h"
#include "bots_s3/presentation_bot.h"
#include "runner/attribute_list.h"
#include "tests/support/page_test.h"
#include "tests/support/shown_windows.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using bots_s3::CPresentImagesPage;
using Page = CPresentImagesPage;
using Names = std::vector<std::string>;
constexpr const char* kSheet = "Glintmere Java Effects - Presentation Applet";
constexpr const char* kList = "Image List:";

class PresentImagesPageTest : public test_support::PageTest {
 protected:
  void SetUp() override {
    UseBot(test_support::kPresentationBot);
    state().master_folder = root_.path() + "\\master\\";
    state().user_data_folder = root_.path() + "\\user\\";
    state().page_url = "file:///C:/web/a/p.htm";
    for (const char* name : {"GMQFXLogo.gif", "GMRFXLogo.gif", "Sunset.jpg"}) {
      test_support::WriteText(root_.Join(std::string("master/_glintmere/") + name), "picture");
    }
    test_support::WriteText(root_.Join("user/_glintmere/mine.gif"), "picture");
    test_support::WriteText(root_.Join("master/_glintmere/bell.au"), "sound");
  }

  // Loads the attributes, runs the sheet answered by steps, and on OK saves
  // and writes the applet tag; the sheet's result.
  int Run(ui::Driver::Steps steps) { return RunBotSheet<bots_s3::PresentationBot>(std::move(steps)); }
  static Page* ImagesPage(ui::ScriptedWindow& w) {
    return dynamic_cast<Page*>(w.sheet()->pages()[3]);
  }
  void Store(const Names& images) {
    attributes_.Set("java-codebase", "./_glintmere/");
    attributes_.Set("param-NumImages", std::to_string(images.size()));
    for (size_t k = 1; k <= images.size(); ++k) {
      attributes_.Set("param-Image" + std::to_string(k), "./_glintmere/" + images[k - 1]);
    }
  }

  test_support::TempFolder root_;
};

TEST_F(PresentImagesPageTest, NewPresentationStartsWithBothLogosAndWritesTheDefaults) {
  ASSERT_EQ(Run([](ui::ScriptedWindow& w) {
              EXPECT_EQ(w.caption(), kSheet);
              EXPECT_EQ(w.ActivePage(), "Images");
              EXPECT_EQ(w.Items(kList), (Names{"GMQFXLogo.gif", "GMRFXLogo.gif"}));
              EXPECT_EQ(w.SelectedItem(kList), "GMQFXLogo.gif");
              EXPECT_EQ(w.Text("Image:"), "GMQFXLogo.gif");
              EXPECT_EQ(w.Text("Audio:"), "(None)");
              EXPECT_EQ(w.Text("Target:"), "Self");
              EXPECT_EQ(w.SelectedItem("Effect:"), "Random");
              EXPECT_EQ(w.SelectedItem("Align:"), "Center");
              EXPECT_EQ(w.Items("Effect:").size(), 30u);
              EXPECT_TRUE(w.IsEnabled("Remove"));
              w.PressOk();
            }),
            ui::kIdOk);
  EXPECT_EQ(Attribute("param-NumImages"), "2");
  EXPECT_EQ(Attribute("param-Image1"), "./_glintmere/GMQFXLogo.gif");
  EXPECT_EQ(Attribute("param-Image2"), "./_glintmere/GMRFXLogo.gif");
  EXPECT_EQ(Attribute("param-Image1Sound"), "<absent>");
  EXPECT_EQ(Attribute("param-Image2Transition"), "_random");
  EXPECT_EQ(Attribute("param-Image2Target"), "_self");
  EXPECT_EQ(Attribute("param-ImageAlign"), "_center");
  EXPECT_EQ(Attribute("param-StepSize"), "8");
  EXPECT_EQ(Attribute("param-Mode"), "_none");
  EXPECT_EQ(Attribute("param-ImageDelay"), "3000");
  EXPECT_TRUE(Has("\n<param name=NumImages value=2>"
                  "\n<param name=Image1 value=./_glintmere/GMQFXLogo.gif>"
                  "\n<param name=Transition1 value=_random>"
                  "\n<param name=StatusBar1 value=>"
                  "\n<param name=Image2 value=./_glintmere/GMRFXLogo.gif>"))
      << tag_;
  EXPECT_FALSE(Has("URL1")) << tag_;
  EXPECT_TRUE(Has("\n<param name=Align value=_center>")) << tag_;
  // The shipped logos got working copies.
  EXPECT_TRUE(test_support::Exists(root_.Join("user/_glintmere/GMRFXLogo.gif")));
}

TEST_F(PresentImagesPageTest, WithoutTheLogosTheMasterFolderFillsTwoRows) {
  std::filesystem::remove(root_.Join("master/_glintmere/GMQFXLogo.gif"));
  std::filesystem::remove(root_.Join("master/_glintmere/GMRFXLogo.gif"));
  test_support::WriteText(root_.Join("master/_glintmere/b.gif"), "picture");
  test_support::WriteText(root_.Join("master/_glintmere/a.jpeg"), "picture");
  Run([](ui::ScriptedWindow& w) {
    // JPEG files first, then GIF files.
    EXPECT_EQ(w.Items(kList), (Names{"Sunset.jpg", "a.jpeg"}));
    w.PressCancel();
  });
}

TEST_F(PresentImagesPageTest, OneImagesSettingsAsSavedAndAsTheAppletGetsThem) {
  Run([](ui::ScriptedWindow& w) {
    w.Select("Effect:", "Shutter Vertical 12");
    w.Select("Target:", "Blank");
    w.Type("URL:", "../page.htm");
    w.Type("Status:", "Our harbour");
    w.Select(kList, 1);  // the first row is stored on leaving it
    w.Type("Target:", "frame2");
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-Image1Transition"), "_shutter|_vertical|12");
  EXPECT_EQ(Attribute("param-Image1Target"), "_blank");
  EXPECT_EQ(Attribute("param-Image1Url"), "../page.htm");
  EXPECT_EQ(Attribute("param-Image1StatusMessage"), "Our harbour");
  EXPECT_EQ(Attribute("param-Image2Target"), "frame2");  // no caption: kept as typed
  EXPECT_TRUE(Has("\n<param name=Transition1 value=_shutter|_vertical|12>"
                  "\n<param name=URL1 value=../page.htm|_blank>"
                  "\n<param name=StatusBar1 value=\"Our harbour\">"))
      << tag_;

  // A preview makes the URL absolute against the page.
  backend_.driver().Expect("Applet Preview", [this](ui::ScriptedWindow& w) {
    const std::string preview =
        test_support::ReadText(root_.Join("user/GMBots.htm"));
    EXPECT_NE(preview.find("<param name=URL1 value=file:///C:/web/page.htm|_blank>"),
              std::string::npos)
        << preview;
    w.PressOk();
  });
  Run([](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.SelectedItem("Effect:"), "Shutter Vertical 12");
    EXPECT_EQ(w.Text("Target:"), "Blank");
    w.Click("Preview");
    w.PressCancel();
  });
}

TEST_F(PresentImagesPageTest, StoredComponentsReadBack) {
  Store({"one.gif", "two.jpg", "three.gif"});
  attributes_.Set("param-Image1Sound", "./_glintmere/bell.au");
  attributes_.Set("param-Image2Sound", "NONE");
  attributes_.Set("param-Image1Transition", "_fade");
  attributes_.Set("param-Image2Transition", "_wobble");
  attributes_.Set("param-Image1Target", "main");
  attributes_.Set("param-Image3Target", "side");
  attributes_.Set("param-ImageAlign", "_upperleft");
  Run([](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items(kList), (Names{"one.gif", "two.jpg", "three.gif"}));
    EXPECT_EQ(w.Text("Audio:"), "bell.au");
    EXPECT_EQ(w.SelectedItem("Effect:"), "Fade");
    EXPECT_EQ(w.Text("Target:"), "Main");
    EXPECT_EQ(w.SelectedItem("Align:"), "Upperleft");
    w.Select(kList, "two.jpg");
    EXPECT_EQ(w.Text("Audio:"), "(None)");
    EXPECT_EQ(w.SelectedItem("Effect:"), "Random");  // an unknown transition
    EXPECT_EQ(w.Text("Target:"), "");
    w.Select(kList, "three.gif");
    EXPECT_EQ(w.Text("Target:"), "side");
    w.PressCancel();
  });
  // The "none" sound left the attributes at load.
  EXPECT_EQ(Attribute("param-Image2Sound"), "<absent>");
  // The images missing from both folders were recorded for the warning.
  Names missing;
  for (const botframe::MissingEntry& entry : state().missing_files) {
    missing.push_back(entry.file_name + " " + entry.panel);
  }
  EXPECT_EQ(missing, (Names{"one.gif Images", "two.jpg Images", "three.gif Images"}));
}

TEST_F(PresentImagesPageTest, ShrinkingTheListLeavesNothingOfTheRemovedImages) {
  Store({"a.gif", "b.gif", "c.gif", "d.gif"});
  attributes_.Set("param-Image4Sound", "./_glintmere/bell.au");
  attributes_.Set("param-Image3Shutters", "4");
  backend_.driver().Expect("Applet Preview");
  Run([](ui::ScriptedWindow& w) {
    w.Click("Preview");  // writes all four again
    w.Select(kList, "d.gif");
    w.Click("Remove");
    EXPECT_EQ(w.SelectedItem(kList), "c.gif");  // the row before
    w.Click("Remove");
    EXPECT_EQ(w.Items(kList), (Names{"a.gif", "b.gif"}));
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-NumImages"), "2");
  for (const std::string& name : attributes_.Names()) {
    EXPECT_EQ(name.find("param-Image3"), std::string::npos) << name;
    EXPECT_EQ(name.find("param-Image4"), std::string::npos) << name;
  }
}

TEST_F(PresentImagesPageTest, MovingRows) {
  Store({"a.gif", "b.gif", "c.gif"});
  Run([](ui::ScriptedWindow& w) {
    w.Click("Move up");  // the first row: nothing moves
    EXPECT_EQ(w.Items(kList), (Names{"a.gif", "b.gif", "c.gif"}));
    w.Type("Status:", "first");
    w.Click("Move down");
    EXPECT_EQ(w.Items(kList), (Names{"b.gif", "a.gif", "c.gif"}));
    EXPECT_EQ(w.SelectedItem(kList), "a.gif");
    // What is typed after a move belongs to the moved image.
    w.Type("URL:", "a.htm");
    w.Select(kList, "c.gif");
    w.Click("Move down");  // the last row: nothing moves
    w.Click("Move up");
    EXPECT_EQ(w.Items(kList), (Names{"b.gif", "c.gif", "a.gif"}));
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-Image3"), "./_glintmere/a.gif");
  EXPECT_EQ(Attribute("param-Image3StatusMessage"), "first");
  EXPECT_EQ(Attribute("param-Image3Url"), "a.htm");
  EXPECT_EQ(Attribute("param-Image2"), "./_glintmere/c.gif");
  EXPECT_EQ(Attribute("param-Image2Url"), "");
}

TEST_F(PresentImagesPageTest, FewerThanTwoImagesAreRefusedOnOkAndOnPreview) {
  Store({"a.gif", "b.gif"});
  const std::string alert =
      "This applet requires atleast two images be listed on the image panel. \n"
      "Please add another image to the Image Panel.";
  int alerts = 0;
  backend_.driver().SetDefaultCancel(false);
  for (int i = 0; i < 2; ++i) {
    backend_.driver().Expect("Glintmere Alert", [&](ui::ScriptedWindow& w) {
      EXPECT_EQ(w.Text(botframe::CAlertDialog::kTextId), alert);
      ++alerts;
      w.PressOk();
    });
  }
  EXPECT_EQ(Run([](ui::ScriptedWindow& w) {
              w.Click("Remove");
              EXPECT_FALSE(w.IsEnabled("Remove"));
              w.SelectPage("Animation");
              w.Click("Preview");
              w.PressOk();
              EXPECT_TRUE(w.IsOpen());
              w.PressCancel();
            }),
            ui::kIdCancel);
  EXPECT_EQ(alerts, 2);
}

TEST_F(PresentImagesPageTest, ChoosingTheImageAndTheSoundAndMoveDownWithoutASelection) {
  Store({"a.gif", "b.gif"});
  backend_.driver().Expect("Select a file", [](ui::ScriptedWindow& w) {
    w.Select(botframe::CSelectFileDialog::kListId, "mine.gif");
    w.PressOk();
  });
  backend_.driver().Expect("Select a file", [](ui::ScriptedWindow& w) {
    w.Select(botframe::CSelectFileDialog::kListId, "bell.au");
    w.PressOk();
  });
  backend_.driver().ExpectMessage("Error!!!", "Please select an item from the list",
                                  ui::Answer::kOk);
  Run([](ui::ScriptedWindow& w) {
    w.Click("Image:");
    EXPECT_EQ(w.Items(kList), (Names{"mine.gif", "b.gif"}));  // the row follows at once
    w.Click("Audio:");
    EXPECT_EQ(w.Text("Audio:"), "bell.au");
    ImagesPage(w)->GetList(Page::kListId).Select(-1);
    w.Click("Move down");
    w.PressOk();
  });
  EXPECT_EQ(Attribute("param-Image1"), "./_glintmere/mine.gif");
  EXPECT_EQ(Attribute("param-Image1Sound"), "./_glintmere/bell.au");
  EXPECT_TRUE(Has("\n<param name=Sound1 value=./_glintmere/bell.au>")) << tag_;
}

TEST_F(PresentImagesPageTest, HostileCountsAndRowsAreBounded) {
  const struct {
    const char* count;
    size_t rows;
  } cases[] = {{"2147483647", 2}, {"-4", 0}, {"many", 0}, {"99999999999999999999", 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    list_.Clear();
    Store({"a.gif", "b.gif"});
    attributes_.Set("param-NumImages", c.count);
    Run([&c](ui::ScriptedWindow& w) {
      // No stored image: the new presentation's logos.
      const Names expected = c.rows ? Names{"a.gif", "b.gif"} : Names{"GMQFXLogo.gif", "GMRFXLogo.gif"};
      EXPECT_EQ(w.Items(kList), expected);
      w.PressOk();
    });
    EXPECT_EQ(Attribute("param-NumImages"), "2");
    EXPECT_NE(tag_.find("<param name=NumImages value=2>"), std::string::npos);
  }
}

}  // namespace
