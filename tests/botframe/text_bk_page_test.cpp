// The Background page: loading and saving in both library variants, its
// param tags, "Size to Image", and the page driven through the scripted
// user interface.
#include <gtest/gtest.h>


#include "botframe/file_dialogs.h"
#include "botframe/text_bk_page.h"
#include "platform/services.h"
#include "runner/attribute_list.h"
#include "tests/support/edit_call.h"
#include "tests/support/shown_windows.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using botframe::CTextBkPage;
using test_support::Exists;

class TextBkPageTest : public ::testing::Test, protected test_support::EditCallHolder {
 protected:
  void SetUp() override {
    SetFolders();
    test_support::WriteText(root_.Join("master/_glintmere/shipped.au"), "sound");
    test_support::WriteText(root_.Join("user/_glintmere/mine.gif"), Image("gif89a.gif"));
    attributes_.Set("java-codebase", "./_glintmere/");
    backend_.driver().SetErrorHandler([](const std::string& error) { ADD_FAILURE() << error; });
  }
  void TearDown() override {
    if (HasFailure()) {
      test_support::PrintShownWindows(backend_.driver());
    }
  }

  void SetFolders() {
    state().master_folder = root_.path() + "\\master\\";
    state().user_data_folder = root_.path() + "\\user\\";
  }
  static std::string Image(const std::string& name) {
    return test_support::ReadText(test_support::BinFolder() + "tests/images/" + name);
  }
  void ShipLogo() {
    test_support::WriteText(root_.Join("master/_glintmere/GMQFXLogo.gif"), Image("gif89a.gif"));
  }
  std::string Attribute(const char* name) { return attributes_.GetOr(name, "<absent>"); }
  std::string Params(CTextBkPage& page) {
    std::string out;
    page.WriteAppletParams(out, attributes_);
    return out;
  }
  // Shows the page alone in a sheet, answered by steps.
  void RunSheet(CTextBkPage& page, ui::Driver::Steps steps) {
    ui::PropertySheet sheet("Background Test");
    sheet.AddPage(&page);
    backend_.driver().Expect("Background Test", std::move(steps));
    sheet.DoModal();
  }
  std::vector<std::string> Messages() { return backend_.driver().MessageTexts(); }

  test_support::TempFolder root_;
  runner::AttributeList list_;
  botframe::Attributes attributes_{list_.get(), &runner::HostCallbacks()};
  ui::ScriptedBackend backend_;
  ui::ScopedScriptedBackend scoped_backend_{&backend_};
};

TEST_F(TextBkPageTest, NewBotTakesTheShippedLogoAndItsSize) {
  ShipLogo();
  CTextBkPage page(context());
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.image(), "GMQFXLogo.gif");
  EXPECT_EQ(page.width(), 37u);
  EXPECT_EQ(page.height(), 23u);
  EXPECT_EQ(page.audio(), "(None)");
  EXPECT_EQ(page.init_choice(), "Default");
  EXPECT_TRUE(Exists(root_.Join("user/_glintmere/GMQFXLogo.gif")));  // the working copy
  EXPECT_EQ(state().background_colour, ui::Rgb(0xFF, 0xFF, 0xFF));

  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppBGColor"), "ffffff");
  EXPECT_EQ(Attribute("temp-AppBGColor"), "137");
  EXPECT_EQ(Attribute("param-AppHighlightColor"), "<absent>");
  EXPECT_EQ(Attribute("temp-AppHighlightColor"), "0");
  EXPECT_EQ(Attribute("java-width"), "37");
  EXPECT_EQ(Attribute("java-height"), "23");
  EXPECT_EQ(Attribute("param-AppBGImage"), "./_glintmere/GMQFXLogo.gif");
  EXPECT_EQ(Attribute("param-AppBGSound"), "<absent>");
  EXPECT_EQ(Attribute("param-AppInitString"), "<absent>");
  EXPECT_EQ(Attribute("param-AppBGTile"), "false");
  EXPECT_EQ(Attribute("param-AppBGSoundRepeat"), "true");
  EXPECT_EQ(Params(page),
            "\n<param name=AppBGColor value=ffffff>"
            "\n<param name=AppBGImage value=./_glintmere/GMQFXLogo.gif>"
            "\n<param name=AppBGTile value=false>"
            "\n<param name=AppBGSoundRepeat value=true>");
}

TEST_F(TextBkPageTest, NoLogoForAStoredPageOrWithoutTheShippedFile) {
  {
    CTextBkPage page(context());  // nothing shipped
    page.LoadAttributes(&attributes_);
    EXPECT_EQ(page.image(), "(None)");
    EXPECT_EQ(page.width(), 320u);
    EXPECT_EQ(page.height(), 240u);
  }
  ShipLogo();
  attributes_.Set("java-width", "200");
  CTextBkPage page(context());
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.image(), "(None)");
  EXPECT_EQ(page.width(), 200u);
  EXPECT_EQ(page.height(), 240u);
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppBGImage"), "<absent>");
  EXPECT_FALSE(Exists(root_.Join("user/_glintmere/GMQFXLogo.gif")));

  // Sizes from a hand-edited page: negative ones read as 0, huge ones as the
  // largest the fields take; those past int are stored as they are.
  attributes_.Set("java-width", "-40");
  attributes_.Set("java-height", "99999999999");
  CTextBkPage edited(context());
  edited.LoadAttributes(&attributes_);
  EXPECT_EQ(edited.width(), 0u);
  EXPECT_EQ(edited.height(), 4294967295u);
  attributes_.Set("java-width", "3000000000");
  CTextBkPage wide(context());
  wide.LoadAttributes(&attributes_);
  EXPECT_EQ(wide.width(), 3000000000u);
  wide.SaveAttributes();
  EXPECT_EQ(Attribute("java-width"), "3000000000");
}

TEST_F(TextBkPageTest, InitStringChoicesLoadAndSave) {
  const struct {
    const char* stored;
    const char* choice;
    const char* custom;
  } cases[] = {
      {"_url", "URL Report", ""},
      {"_javaversion", "Java Version Report", ""},
      {"_javavendor", "Java Vendor Report", ""},
      {"_javainfo", "Java Information Report", ""},
      {"_URL", "Custom", "_URL"},  // compared exactly
      {"Loading the news...", "Custom", "Loading the news..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    attributes_.Set("param-AppInitString", c.stored);
    CTextBkPage page(context());
    page.LoadAttributes(&attributes_);
    EXPECT_EQ(page.init_choice(), c.choice);
    EXPECT_EQ(page.custom_init(), c.custom);
    attributes_.Remove("param-AppInitString");
    page.SaveAttributes();
    EXPECT_EQ(Attribute("param-AppInitString"), c.stored);
    EXPECT_NE(Params(page).find("<param name=AppInitString value="), std::string::npos);
  }
  attributes_.Set("param-AppInitString", "");  // no value: "Default", removed on save
  CTextBkPage page(context());
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.init_choice(), "Default");
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppInitString"), "<absent>");
}

TEST_F(TextBkPageTest, CustomColoursRoundTripAndTheHighlightParameter) {
  attributes_.Set("java-width", "100");
  attributes_.Set("temp-AppBGColor", "0");
  attributes_.Set("param-AppBGColor", "12AB9f");
  attributes_.Set("temp-AppHighlightColor", "1");
  attributes_.Set("param-AppHighlightColor", "c0ffee");
  CTextBkPage page(context());
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.background_index(), 0);
  EXPECT_EQ(page.custom_colour(), botframe::Rgb(0x12AB9F));
  EXPECT_EQ(page.highlight_index(), 1);
  EXPECT_EQ(page.custom_highlight_colour(), botframe::Rgb(0xC0FFEE));
  EXPECT_EQ(state().background_colour, ui::Rgb(0x12, 0xAB, 0x9F));

  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppBGColor"), "12ab9f");
  EXPECT_EQ(Attribute("temp-AppBGColor"), "0");
  EXPECT_EQ(Attribute("param-AppHighlightColor"), "c0ffee");
  EXPECT_EQ(Attribute("temp-AppHighlightColor"), "1");
  const std::string params = Params(page);
  EXPECT_NE(params.find("\n<param name=Highlight value=_frame|c0ffee>"), std::string::npos);
  EXPECT_LT(params.find("AppBGSoundRepeat"), params.find("Highlight"));

  // A named highlight and an index out of the table.
  const auto colours = botframe::NamedColours();
  int red = 0;
  while (std::string(colours[red].name) != "Red") ++red;
  attributes_.Set("temp-AppHighlightColor", std::to_string(red));
  attributes_.Set("temp-AppBGColor", "4000");
  CTextBkPage named(context());
  named.LoadAttributes(&attributes_);
  named.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppHighlightColor"), "ff0000");
  EXPECT_EQ(Attribute("temp-AppBGColor"), "137");
}

TEST_F(TextBkPageTest, TileAndRepeatInAnyCaseAndFileNamesAfterTheLastSlash) {
  attributes_.Set("java-width", "100");
  attributes_.Set("param-AppBGImage", "./_glintmere/mine.gif");
  attributes_.Set("param-AppBGSound", "/web/_glintmere/shipped.au");
  for (const char* text : {"true", "TRUE", "True"}) {
    attributes_.Set("param-AppBGTile", text);
    attributes_.Set("param-AppBGSoundRepeat", text);
    CTextBkPage page(context());
    page.LoadAttributes(&attributes_);
    EXPECT_TRUE(page.tile()) << text;
    EXPECT_FALSE(page.play_once()) << text;
  }
  attributes_.Set("param-AppBGTile", "yes");
  attributes_.Set("param-AppBGSoundRepeat", "false");
  CTextBkPage page(context());
  page.LoadAttributes(&attributes_);
  EXPECT_FALSE(page.tile());
  EXPECT_TRUE(page.play_once());
  EXPECT_EQ(page.image(), "mine.gif");
  EXPECT_EQ(page.audio(), "shipped.au");
  // The shipped sound got its working copy; nothing is missing.
  EXPECT_TRUE(Exists(root_.Join("user/_glintmere/shipped.au")));
  EXPECT_TRUE(state().missing_files.empty());

  attributes_.Set("java-codebase", "/web/_glintmere/");
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppBGImage"), "/web/_glintmere/mine.gif");
  EXPECT_EQ(Attribute("param-AppBGSound"), "/web/_glintmere/shipped.au");
  EXPECT_EQ(Attribute("param-AppBGTile"), "false");
  EXPECT_EQ(Attribute("param-AppBGSoundRepeat"), "false");
}

TEST_F(TextBkPageTest, FilesNeitherFolderHoldsAreRecordedAsMissing) {
  attributes_.Set("param-AppBGImage", "./_glintmere/gone.jpg");
  attributes_.Set("param-AppBGSound", "./_glintmere/gone.au");
  CTextBkPage page(context());
  page.LoadAttributes(&attributes_);
  ASSERT_EQ(state().missing_files.size(), 2u);
  EXPECT_EQ(state().missing_files[0].file_name, "gone.jpg");
  EXPECT_EQ(state().missing_files[0].kind, botframe::kMissingImage);
  EXPECT_EQ(state().missing_files[0].panel, "Background");
  EXPECT_EQ(state().missing_files[1].file_name, "gone.au");
  EXPECT_EQ(state().missing_files[1].kind, botframe::kMissingSound);
}

TEST_F(TextBkPageTest, EffectsLibraryVariantHasNoHighlightAndDefaultsToGray) {
  UseBot(test_support::kTextEffectsBot);
  SetFolders();
  test_support::WriteText(root_.Join("user/_glintmere/logo.png"), Image("png_named.gif"));
  attributes_.Set("param-AppBGImage", "./_glintmere/logo.png");
  attributes_.Set("temp-AppHighlightColor", "5");
  attributes_.Set("param-AppHighlightColor", "ff0000");
  CTextBkPage page(context());
  EXPECT_EQ(state().background_colour, ui::Rgb(0x80, 0x80, 0x80));
  page.LoadAttributes(&attributes_);
  EXPECT_EQ(page.background_index(), 51);
  EXPECT_EQ(page.highlight_index(), 0);
  attributes_.Remove("param-AppHighlightColor");
  attributes_.Remove("temp-AppHighlightColor");
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppBGColor"), "808080");
  EXPECT_EQ(Attribute("temp-AppBGColor"), "51");
  EXPECT_EQ(Attribute("temp-AppHighlightColor"), "<absent>");
  attributes_.Set("param-AppHighlightColor", "ff0000");  // left by someone else
  EXPECT_EQ(Params(page).find("Highlight"), std::string::npos);

  // The page has no highlight list; the colour list's first entry is "Default".
  RunSheet(page, [](ui::ScriptedWindow& w) {
    EXPECT_FALSE(w.Has("Highlight Color:"));
    EXPECT_EQ(w.Items("Background Color:").front(), "Custom...");
    EXPECT_EQ(w.SelectedItem("Background Color:"), "Gray");
    w.Click("Size to Image");
    w.PressOk();
  });
  ASSERT_EQ(backend_.driver().shown().size(), 2u);
  const ui::WindowRecord& box = backend_.driver().shown()[1];
  EXPECT_EQ(box.text, "Cannot determine size of image file");
  EXPECT_EQ(box.caption, "Error!!!");
  EXPECT_EQ(box.icon, ui::Icon::kError);
}

TEST_F(TextBkPageTest, SizeToImageOnEachKindOfFile) {
  for (const char* name : {"baseline.jpg", "progressive.jpg", "truncated.jpg", "png_named.gif"}) {
    test_support::WriteText(root_.Join(std::string("user/_glintmere/") + name), Image(name));
  }
  test_support::WriteText(root_.Join("user/_glintmere/photo.JPEG"), Image("exif.jpg"));
  test_support::WriteText(root_.Join("user/_glintmere/logo.png"), Image("png_named.gif"));
  const struct {
    const char* image;
    const char* width;
    const char* height;
    const char* message;
  } cases[] = {
      {"mine.gif", "37", "23", nullptr},
      {"baseline.jpg", "41", "29", nullptr},
      {"photo.JPEG", "41", "29", nullptr},  // endings in any case
      {"png_named.gif", "320", "240", nullptr},  // silent failure
      {"truncated.jpg", "320", "240", "Bogus marker length"},
      {"logo.png", "320", "240", "Cannot determine size of image file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.image);
    backend_.driver().Reset();
    attributes_.Remove("java-width");
    attributes_.Remove("java-height");
    attributes_.Set("param-AppBGImage", std::string("./_glintmere/") + c.image);
    CTextBkPage page(context());
    page.LoadAttributes(&attributes_);
    RunSheet(page, [&](ui::ScriptedWindow& w) {
      EXPECT_EQ(w.Text("Background Image:"), c.image);
      w.Click("Size to Image");
      EXPECT_EQ(w.Text("Width "), c.width);
      EXPECT_EQ(w.Text("Height"), c.height);
      w.PressOk();
    });
    if (c.message) {
      ASSERT_EQ(Messages().size(), 1u);
      EXPECT_EQ(Messages()[0], c.message);
    } else {
      EXPECT_TRUE(Messages().empty());
    }
    page.SaveAttributes();
    EXPECT_EQ(Attribute("java-width"), c.width);
  }
}

// Names that are paths are never opened, even where one would reach an image.
TEST_F(TextBkPageTest, SizeToImageRefusesNamesThatAreNotPlainFileNames) {
  test_support::WriteText(root_.Join("x.gif"), Image("gif89a.gif"));  // where ".." leads
  for (const char* name : {"..\\..\\x.gif", "C:\\x.jpg", "\\\\host\\share\\x.gif"}) {
    SCOPED_TRACE(name);
    backend_.driver().Reset();
    attributes_.Set("param-AppBGImage", std::string("./_glintmere/") + name);
    CTextBkPage page(context());
    page.LoadAttributes(&attributes_);
    RunSheet(page, [](ui::ScriptedWindow& w) {
      w.Click("Size to Image");
      EXPECT_EQ(w.Text("Width "), "320");
      w.PressOk();
    });
    ASSERT_EQ(backend_.driver().shown().size(), 2u);
    EXPECT_EQ(backend_.driver().shown()[1].text, "Cannot determine size of image file");
    EXPECT_EQ(backend_.driver().shown()[1].caption, "Glintmere");
  }
}

TEST_F(TextBkPageTest, EnablingFollowsTheChoicesAndCustomColourCancelGoesBack) {
  CTextBkPage page(context());
  page.LoadAttributes(&attributes_);
  backend_.driver().ExpectColour(std::nullopt);                 // Cancel
  backend_.driver().ExpectColour(ui::Rgb(0x10, 0x20, 0x30));   // then a colour
  RunSheet(page, [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.SelectedItem("Background Color:"), "White");
    EXPECT_EQ(w.Items("Background Color:").size(), 141u);
    EXPECT_EQ(w.Items("Highlight Color:").size(), 142u);
    EXPECT_EQ(w.SelectedItem("Highlight Color:"), "None");
    EXPECT_FALSE(w.IsEnabled("Tile image"));
    EXPECT_FALSE(w.IsEnabled("Size to Image"));
    EXPECT_FALSE(w.IsEnabled("Play Once"));
    EXPECT_FALSE(w.IsEnabled(CTextBkPage::kCustomInitId));
    EXPECT_EQ(w.Items("Initialization String:").back(), "Custom");

    w.Select("Background Color:", "Navy");
    w.Select("Background Color:", "Custom...");
    EXPECT_EQ(w.SelectedItem("Background Color:"), "Navy");
    w.Select("Highlight Color:", "Custom...");
    EXPECT_EQ(w.SelectedItem("Highlight Color:"), "Custom...");

    w.Select("Initialization String:", "Custom");
    EXPECT_TRUE(w.IsEnabled(CTextBkPage::kCustomInitId));
    w.Type(CTextBkPage::kCustomInitId, "Starting...");
    w.Select("Initialization String:", "URL Report");
    EXPECT_FALSE(w.IsEnabled(CTextBkPage::kCustomInitId));
    w.Select("Initialization String:", "Custom");
    w.PressOk();
  });
  EXPECT_EQ(state().background_colour, ui::Rgb(0, 0, 0x80));
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppBGColor"), "000080");
  EXPECT_EQ(Attribute("param-AppHighlightColor"), "102030");
  EXPECT_EQ(Attribute("temp-AppHighlightColor"), "1");
  EXPECT_EQ(Attribute("param-AppInitString"), "Starting...");
}

TEST_F(TextBkPageTest, ImageAndAudioButtonsChooseThroughSelectAFile) {
  attributes_.Set("java-width", "100");
  attributes_.Set("param-AppBGImage", "./_glintmere/mine.gif");
  attributes_.Set("param-AppBGTile", "true");
  CTextBkPage page(context());
  page.LoadAttributes(&attributes_);
  backend_.driver().Expect("Select a file", [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.Items(botframe::CSelectFileDialog::kListId),
              (std::vector<std::string>{"shipped.au"}));
    w.PressOk();
  });
  backend_.driver().Expect("Select a file", [](ui::ScriptedWindow& w) {
    EXPECT_EQ(w.SelectedItem(botframe::CSelectFileDialog::kListId), "mine.gif");
    w.Click("No Image");
  });
  RunSheet(page, [](ui::ScriptedWindow& w) {
    EXPECT_TRUE(w.IsChecked("Tile image"));
    w.Click("Background Audio:");
    EXPECT_EQ(w.Text("Background Audio:"), "shipped.au");
    EXPECT_TRUE(w.IsEnabled("Play Once"));
    w.Check("Play Once");
    w.Click("Background Image:");
    EXPECT_EQ(w.Text("Background Image:"), "(None)");
    EXPECT_FALSE(w.IsChecked("Tile image"));
    EXPECT_FALSE(w.IsEnabled("Tile image"));
    w.PressOk();
  });
  EXPECT_TRUE(backend_.driver().Unused().empty());
  EXPECT_TRUE(Exists(root_.Join("user/_glintmere/shipped.au")));  // chosen: copied
  page.SaveAttributes();
  EXPECT_EQ(Attribute("param-AppBGImage"), "<absent>");
  EXPECT_EQ(Attribute("param-AppBGSound"), "./_glintmere/shipped.au");
  EXPECT_EQ(Attribute("param-AppBGTile"), "false");
  EXPECT_EQ(Attribute("param-AppBGSoundRepeat"), "false");
}

}  // namespace
