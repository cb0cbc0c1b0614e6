// The Animation page: the defaults of the scroller and the presentation,
// loading and saving the stored timing and mode, the param tags, and both
// variants of the page driven through the scripted user interface.
#include <gtest/gtest.h>

#include <vector>

#include "bots_s3/animation_page.h"
#include "runner/attribute_list.h"
#include "tests/support/page_test.h"
#include "tests/support/shown_windows.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using bots_s3::CAnimationPage;

class AnimationPageTest : public test_support::PageTest {
 protected:
  void UsePresentation() {
    UseBot(test_support::kPresentationBot);
    variant_ = CAnimationPage::Variant::kPresentation;
  }
  void UseScroller() {
    UseBot(test_support::kScrollerBot);
    variant_ = CAnimationPage::Variant::kScroller;
  }
  std::string Params(CAnimationPage& page) {
    std::string out;
    page.WriteAppletParams(out, attributes_);
    return out;
  }
  // Shows the page alone in a sheet, answered by steps.
  void RunSheet(CAnimationPage& page, ui::Driver::Steps steps) {
    ui::PropertySheet sheet("Animation Test");
    sheet.AddPage(&page);
    backend_.driver().Expect("Animation Test", std::move(steps));
    sheet.DoModal();
    EXPECT_TRUE(backend_.driver().Unused().empty());
  }

  CAnimationPage::Variant variant_ = CAnimationPage::Variant::kScroller;
};

TEST_F(AnimationPageTest, NewScrollerAndNewPresentationSaveTheirDefaults) {
  {
    CAnimationPage page(context(), variant_);
    EXPECT_EQ(page.help_topic(), "SAAnimation");
    page.LoadAttributes(&attributes_);
    page.SaveAttributes();
    EXPECT_EQ(Attribute("param-StepDelay"), "20");
    EXPECT_EQ(Attribute("param-StepSize"), "1");
    EXPECT_EQ(Attribute("param-Mode"), "_enter");
    EXPECT_EQ(Attribute("param-ImageDelay"), "<absent>");
    EXPECT_EQ(Params(page),
              "\n<param name=StepDelay value=20>"
              "\n<param name=StepSize value=1>"
              "\n<param name=Mode value=_enter>");
  }
  list_.Clear();
  UsePresentation();
  CAnimationPage page(context(), variant_);
  EXPECT_EQ(page.help_topic(), "PAAnimation");
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.image_delay(), "3.0");
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-StepDelay"), "20");
  EXPECT_EQ(Attribute("param-StepSize"), "8");
  EXPECT_EQ(Attribute("param-Mode"), "_none");
  EXPECT_EQ(Attribute("param-ImageDelay"), "3000");
  EXPECT_EQ(Params(page),
            "\n<param name=StepDelay value=20>"
            "\n<param name=StepSize value=8>"
            "\n<param name=Mode value=_none>"
            "\n<param name=ImageDelay value=3000>");

  // Written from the attributes, not the members; an absent one is the
  // quoted single space.
  attributes_.Remove("param-Mode");
  EXPECT_EQ(Params(page),
            "\n<param name=StepDelay value=20>"
            "\n<param name=StepSize value=8>"
            "\n<param name=Mode value=\" \">"
            "\n<param name=ImageDelay value=3000>");
}

TEST_F(AnimationPageTest, StoredValuesLoadAndSaveAgain) {
  UsePresentation();
  const struct {
    const char* stored;
    const char* shown;
    const char* saved;
  } delays[] = {
      {"2500", " 2.5", "2500"},
      {" 1400ms", " 1.4", "1400"},  // read as far as it is a number
      {"1.5e4", "15.0", "15000"},
      {"2449", " 2.4", "2400"},  // only tenths of a second are kept
      {"nan", " 0.0", "0"},  // never a number that is none
      {"1e999", " 0.0", "0"},
  };
  for (const auto& d : delays) {
    SCOPED_TRACE(d.stored);
    attributes_.Set("param-ImageDelay", d.stored);
    CAnimationPage page(context(), variant_);
    page.LoadAttributes(&attributes_);
    EXPECT_EQ(page.image_delay(), d.shown);
    page.SaveAttributes();
    EXPECT_EQ(Attribute("param-ImageDelay"), d.saved);
  }

  // Every keyword gives its caption, whichever bot stored it; others, in
  // another case included, leave the mode.
  for (const base::KeywordRow& mode : CAnimationPage::kModes) {
    attributes_.Set("param-Mode", mode.keyword);
    CAnimationPage page(context(), variant_);
    page.LoadAttributes(&attributes_);
    EXPECT_EQ(page.mode(), mode.caption);
    attributes_.Remove("param-Mode");
    page.SaveAttributes();
    EXPECT_EQ(Attribute("param-Mode"), mode.keyword);
  }
  for (const char* unknown : {"_RANDOM", "Random"}) {
    attributes_.Set("param-Mode", unknown);
    CAnimationPage page(context(), variant_);
    page.LoadAttributes(&attributes_);
    EXPECT_EQ(page.mode(), "Sequential") << unknown;
  }

  // The scroller neither reads nor writes an image delay, and keeps the
  // other texts as stored.
  list_.Clear();
  UseScroller();
  attributes_.Set("param-ImageDelay", "2500");
  attributes_.Set("param-StepDelay", "23");
  attributes_.Set("param-StepSize", "4px");
  CAnimationPage page(context(), variant_);
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.image_delay(), "3.0");
  attributes_.Remove("param-ImageDelay");
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-ImageDelay"), "<absent>");
  EXPECT_EQ(Attribute("param-StepDelay"), "23");
  EXPECT_EQ(Attribute("param-StepSize"), "4px");
  EXPECT_EQ(Params(page).find("ImageDelay"), std::string::npos);
}

TEST_F(AnimationPageTest, PresentationSlidersGiveTheirValuesAtBothEnds) {
  UsePresentation();
  CAnimationPage page(context(), variant_);
  page.LoadAttributes(&attributes_);
  RunSheet(page, [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items("Mode:"),
              (std::vector<std::string>{"Sequential", "Random", "First then Random",
                                        "JavaScript Controlled", "Cycle then stop on last",
                                        "Cycle then stop on first"}));
    EXPECT_EQ(w.SelectedItem("Mode:"), "Sequential");
    EXPECT_EQ(w.Text(CAnimationPage::kStepSizeUnitId), "steps");
    EXPECT_TRUE(w.IsVisible("Image Delay:"));
    EXPECT_EQ(w.Position("Step Delay:"), 2);
    EXPECT_EQ(w.Position("Step Size:"), 8);
    EXPECT_EQ(w.Position("Image Delay:"), 15);
    EXPECT_EQ(w.Text(CAnimationPage::kStepDelayValueId), "20");
    EXPECT_EQ(w.Text(CAnimationPage::kStepSizeValueId), "8");
    EXPECT_EQ(w.Text(CAnimationPage::kImageDelayValueId), "3.0");

    w.MoveSlider("Step Delay:", 0);
    EXPECT_EQ(w.Text(CAnimationPage::kStepDelayValueId), "10");
    w.MoveSlider("Image Delay:", 0);
    EXPECT_EQ(w.Text(CAnimationPage::kImageDelayValueId), " 0.1");
    w.MoveSlider("Step Size:", 1);  // kept at the lower end, 3
    EXPECT_EQ(w.Text(CAnimationPage::kStepSizeValueId), "3");
    w.Select("Mode:", "Cycle then stop on first");
    w.PressOk();
  });
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-StepDelay"), "10");
  EXPECT_EQ(Attribute("param-StepSize"), "3");
  EXPECT_EQ(Attribute("param-ImageDelay"), "100");
  EXPECT_EQ(Attribute("param-Mode"), "_cycletobegin");

  CAnimationPage reopened(context(), variant_);
  reopened.LoadAttributes(&attributes_);
  RunSheet(reopened, [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Position("Step Delay:"), 0);
    EXPECT_EQ(w.Position("Image Delay:"), 0);
    EXPECT_EQ(w.SelectedItem("Mode:"), "Cycle then stop on first");
    w.MoveSlider("Step Delay:", 38);
    EXPECT_EQ(w.Text(CAnimationPage::kStepDelayValueId), "200");
    w.MoveSlider("Image Delay:", 150);
    EXPECT_EQ(w.Text(CAnimationPage::kImageDelayValueId), "30.0");
    w.MoveSlider("Image Delay:", 200);  // kept at the upper end
    EXPECT_EQ(w.Text(CAnimationPage::kImageDelayValueId), "30.0");
    w.MoveSlider("Step Size:", 50);
    EXPECT_EQ(w.Text(CAnimationPage::kStepSizeValueId), "50");
    w.PressOk();
  });
  reopened.SaveAttributes();
  EXPECT_EQ(Attribute("param-StepDelay"), "200");
  EXPECT_EQ(Attribute("param-StepSize"), "50");
  EXPECT_EQ(Attribute("param-ImageDelay"), "30000");
}

TEST_F(AnimationPageTest, StoredDelaysPlaceTheSlidersAndUnreadableOnesStayInRange) {
  UsePresentation();
  attributes_.Set("param-ImageDelay", "2500");
  attributes_.Set("param-StepDelay", "23");
  attributes_.Set("param-StepSize", "75");
  CAnimationPage page(context(), variant_);
  page.LoadAttributes(&attributes_);
  RunSheet(page, [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Position("Image Delay:"), 12);
    EXPECT_EQ(w.Text(CAnimationPage::kImageDelayValueId), " 2.5");
    EXPECT_EQ(w.Position("Step Delay:"), 2);
    EXPECT_EQ(w.Text(CAnimationPage::kStepDelayValueId), "23");
    EXPECT_EQ(w.Position("Step Size:"), 50);
    EXPECT_EQ(w.Text(CAnimationPage::kStepSizeValueId), "75");
    w.PressOk();
  });
  page.SaveAttributes();  // nothing moved: saved as stored
  EXPECT_EQ(Attribute("param-ImageDelay"), "2500");
  EXPECT_EQ(Attribute("param-StepDelay"), "23");
  EXPECT_EQ(Attribute("param-StepSize"), "75");

  // Far beyond the slider's end, either way.
  for (const char* stored : {"1e300", "-4000"}) {
    SCOPED_TRACE(stored);
    attributes_.Set("param-ImageDelay", stored);
    attributes_.Set("param-StepDelay", stored);
    CAnimationPage far(context(), variant_);
    far.LoadAttributes(&attributes_);
    const int end = stored[0] == '-' ? 0 : 150;
    RunSheet(far, [&](ui::ScriptedWindow& w) {
      EXPECT_EQ(w.Position("Image Delay:"), end);
      EXPECT_EQ(w.Position("Step Delay:"), 0);  // read as 1 and -4000
      w.PressOk();
    });
  }
}

TEST_F(AnimationPageTest, ScrollerOffersItsModesAndHidesTheImageDelay) {
  attributes_.Set("param-StepDelay", "23");
  attributes_.Set("param-StepSize", "3");
  attributes_.Set("param-Mode", "_continuous");
  CAnimationPage page(context(), variant_);
  page.LoadAttributes(&attributes_);
  RunSheet(page, [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items("Mode:"), (std::vector<std::string>{"Continuous", "Stop on Cursor Entry"}));
    EXPECT_EQ(w.SelectedItem("Mode:"), "Continuous");
    EXPECT_EQ(w.Text(CAnimationPage::kStepSizeUnitId), "pixels");
    for (int id : {CAnimationPage::kImageDelayLabelId, CAnimationPage::kImageDelayId,
                   CAnimationPage::kImageDelayValueId, CAnimationPage::kImageDelayUnitId}) {
      EXPECT_FALSE(w.IsVisible(id)) << id;
    }
    EXPECT_EQ(w.Position("Step Delay:"), 2);
    EXPECT_EQ(w.Text(CAnimationPage::kStepDelayValueId), "23");
    EXPECT_EQ(w.Position("Step Size:"), 3);

    w.MoveSlider("Step Delay:", 7);
    EXPECT_EQ(w.Text(CAnimationPage::kStepDelayValueId), "45");
    w.MoveSlider("Step Size:", 20);  // the scroller's steps end at 10 pixels
    EXPECT_EQ(w.Text(CAnimationPage::kStepSizeValueId), "10");
    w.Select("Mode:", "Stop on Cursor Entry");
    w.PressOk();
  });
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-StepDelay"), "45");
  EXPECT_EQ(Attribute("param-StepSize"), "10");
  EXPECT_EQ(Attribute("param-Mode"), "_enter");
  EXPECT_EQ(Attribute("param-ImageDelay"), "<absent>");

  // A presentation mode stored for a scroller is no row of its list; it
  // stays as stored.
  attributes_.Set("param-Mode", "_random");
  CAnimationPage other(context(), variant_);
  other.LoadAttributes(&attributes_);
  RunSheet(other, [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Selection("Mode:"), -1);
    w.PressOk();
  });
  other.SaveAttributes();
  EXPECT_EQ(Attribute("param-Mode"), "_random");
}

}  // namespace
