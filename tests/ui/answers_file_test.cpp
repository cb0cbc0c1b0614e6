// The answers file: a good file answers a dialog, a sheet and message boxes
// like the C++ steps do; a bad one is refused whole with a message naming
// the file, the entry and the step.
#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "tests/ui/test_dialogs.h"
#include "ui/scripted/answers_file.h"

namespace ui_test {
namespace {

class AnswersFileTest : public ScriptedTest {
 protected:
  // The error of a file that must be refused ("" when it was accepted).
  std::string Refused(const std::string& text) {
    std::string error;
    if (ui::ParseAnswers(text, "answers.json", &driver(), &error)) return "";
    return error;
  }
};

TEST_F(AnswersFileTest, AGoodFileAnswersDialogsAndMessageBoxes) {
  const std::string text = R"({
    // Comments are allowed.
    "default": "OK",
    "answers": [
      {"message": "Use the picture", "caption": "Banner", "answer": "no"},
      {"dialog": "Banner Settings", "steps": [
        {"expect": "Name:", "text": "Hello", "enabled": true, "visible": true},
        {"expect": "Font:", "items": ["_System", "arial", "Courier", "Times"], "selected": "Courier"},
        {"expect": "Bold", "checked": true},
        {"type": "Name:", "text": "Dawn"},
        {"type": 102, "text": "800"},
        {"select": "Font:", "item": "arial"},
        {"select": "Colour:", "index": 1},
        {"uncheck": "Bold"},
        {"check": "Left"},
        {"check_row": "Files:", "index": 0},
        {"double_click": "Files:", "item": "b.gif"},
        {"slider": "Speed:", "position": 9},
        {"click": "Ask"},
        {"click": "Browse..."},
        {"press": "OK"}
      ]},
      {"dialog": "Pick a Picture", "steps": [{"select": "Pick:", "item": "sunset.gif"}]}
    ]
  })";
  ASSERT_EQ(Refused(text), "");
  BannerDialog dialog;
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  EXPECT_EQ(dialog.name, "sunset.g");
  EXPECT_EQ(dialog.width, 800u);
  EXPECT_EQ(dialog.font, "arial");
  EXPECT_EQ(dialog.colour, 1);
  EXPECT_FALSE(dialog.bold);
  EXPECT_EQ(dialog.align, 0);
  EXPECT_EQ(dialog.file_checks, (std::vector<bool>{true, false}));
  EXPECT_EQ(dialog.speed, 9);
  EXPECT_EQ(dialog.asked, ui::Answer::kNo);
  EXPECT_EQ(dialog.picked, "sunset.gif");
  EXPECT_TRUE(driver().Unused().empty());
}

TEST_F(AnswersFileTest, ColoursFilesAndTheDefaultCancel) {
  ASSERT_EQ(Refused(R"({"default": "cancel", "answers": [
      {"colour": "#FF8000"}, {"color": "cancel"},
      {"files": ["C:\\web\\a.gif"], "caption": "Add Images"}, {"files": []}]})"),
            "");
  ui::Colour colour;
  EXPECT_TRUE(backend_.ChooseColour(nullptr, &colour));
  EXPECT_EQ(colour, ui::Rgb(0xFF, 0x80, 0x00));
  EXPECT_FALSE(backend_.ChooseColour(nullptr, &colour));
  std::vector<std::string> paths;
  ui::FileDialogRequest request;
  request.title = "Open Sound";
  EXPECT_EQ(backend_.OpenFiles(request, &paths), ui::FileDialogResult::kCancelled);
  request.title = "Add Images";
  request.multiple = true;
  EXPECT_EQ(backend_.OpenFiles(request, &paths), ui::FileDialogResult::kChosen);
  EXPECT_EQ(paths, std::vector<std::string>{"C:\\web\\a.gif"});
  BannerDialog dialog;
  EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
}

TEST_F(AnswersFileTest, MistakesAreRefusedWithTheFileEntryAndStep) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {R"([{"dialog": "A",)", "answers.json: not valid JSON: parse error at line 1, column 17"},
      {R"({"entries": []})", "answers.json: unknown key \"entries\""},
      {R"({"default": "maybe", "answers": []})",
       "answers.json: \"default\" must be \"OK\" or \"Cancel\""},
      {R"("dialog")", "answers.json: the answers must be a list of entries"},
      {R"([{"window": "A"}])", "answers.json: entry 1: an entry is one of \"dialog\""},
      {R"([{"dialog": "A", "message": "B"}])", "answers.json: entry 1: an entry is one of"},
      {R"([{"dialog": "A", "steps": [{"click": "OK"}, {"tipe": "Name:"}]}])",
       "answers.json: entry 1 (dialog \"A\"), step 2: unknown step \"tipe\""},
      {R"([{"dialog": "A", "steps": [{"type": "Name:"}]}])",
       "answers.json: entry 1 (dialog \"A\"), step 1 (type): \"text\" is missing"},
      {R"([{"dialog": "A", "steps": [{"type": "Name:", "text": 5}]}])",
       "answers.json: entry 1 (dialog \"A\"), step 1 (type): \"text\" must be a string"},
      {R"([{"dialog": "A", "steps": [{"select": "F:", "item": "x", "index": 1}]}])",
       "answers.json: entry 1 (dialog \"A\"), step 1 (select): give \"item\" (its text), "
       "\"index\" (from 0) or \"items\""},
      {R"([{"dialog": "A", "steps": [{"select": "F:", "items": "x"}]}])",
       "step 1 (select): \"items\" must be a list of strings"},
      {R"([{"dialog": "A", "steps": [{"select": "F:", "items": [], "item": "x"}]}])",
       "step 1 (select): unknown key \"item\""},
      {R"([{"dialog": "A", "steps": [{"click": "OK", "check": "Bold"}]}])",
       "a step does one thing"},
      {R"([{"dialog": "A", "steps": [{"click": true}]}])",
       "\"click\" must name a control by its caption or its id"},
      {R"([{"dialog": "A", "steps": [{"slider": "S:", "position": 1.5}]}])",
       "\"position\" must be a whole number"},
      {R"([{"dialog": "A", "steps": [{"expect": "S:"}]}])", "say what to expect"},
      {R"([{"dialog": "A", "steps": [{"check": "Bold", "twice": true}]}])",
       "step 1 (check): unknown key \"twice\""},
      {R"([{"dialog": "A"}, {"message": "Save?", "answer": "Maybe"}])",
       "answers.json: entry 2: unknown answer \"Maybe\""},
      {R"([{"message": "Save?"}])", "answers.json: entry 1: \"answer\" is missing"},
      {R"([{"colour": "red"}])", "the colour must be \"#RRGGBB\" or \"cancel\""},
      {R"([{"files": "a.gif"}])", "\"files\" must be a list of strings"},
  };
  for (const auto& [text, expected] : cases) {
    const std::string error = Refused(text);
    EXPECT_NE(error, "") << text;
    EXPECT_NE(error.find(expected), std::string::npos) << text << "\n  gave: " << error;
  }
  // A refused file adds nothing, not even its good entries.
  EXPECT_TRUE(driver().Unused().empty());
}

TEST_F(AnswersFileTest, AStepThatCannotBeDoneStopsTheEntryAndCancelsTheWindow) {
  ExpectErrors();
  ASSERT_EQ(Refused(R"([{"dialog": "Banner Settings", "steps": [
      {"type": "Name:", "text": "Dusk"},
      {"type": "Title:", "text": "x"},
      {"press": "OK"}]},
    {"dialog": "Banner Settings", "steps": [
      {"expect": "Name:", "text": "Noon"},
      {"press": "OK"}]}])"),
            "");
  BannerDialog dialog;
  EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
  EXPECT_EQ(dialog.name, "Hello");
  ASSERT_EQ(driver().errors().size(), 1u);
  EXPECT_EQ(driver().errors()[0],
            "answers.json: entry 1 (dialog \"Banner Settings\"), step 2 (type): "
            "\"Banner Settings\": no control \"Title:\"");
  // A failed expectation is an error too, and OK after it is never pressed.
  EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
  ASSERT_EQ(driver().errors().size(), 2u);
  EXPECT_EQ(driver().errors()[1],
            "answers.json: entry 2 (dialog \"Banner Settings\"), step 1 (expect): "
            "\"Banner Settings\": expected \"Name:\" text \"Noon\", found \"Hello\"");
}

TEST_F(AnswersFileTest, AWindowOpenedByAStepReportsItsOwnEntry) {
  ExpectErrors();
  ASSERT_EQ(Refused(R"([
    {"dialog": "Banner Settings", "steps": [{"click": "Browse..."}, {"type": "Nothing:", "text": "x"}]},
    {"dialog": "Pick a Picture", "steps": [{"select": "Pick:", "item": "missing.gif"}]}])"),
            "");
  BannerDialog dialog;
  EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
  EXPECT_EQ(dialog.picked, "");
  ASSERT_EQ(driver().errors().size(), 2u);
  EXPECT_EQ(driver().errors()[0],
            "answers.json: entry 2 (dialog \"Pick a Picture\"), step 1 (select): \"Pick a "
            "Picture\": no item \"missing.gif\" in \"Pick:\" (items: \"apple.gif\", "
            "\"Beach.jpg\", \"sunset.gif\")");
  EXPECT_EQ(driver().errors()[1],
            "answers.json: entry 1 (dialog \"Banner Settings\"), step 2 (type): \"Banner "
            "Settings\": no control \"Nothing:\"");
}

TEST_F(AnswersFileTest, FilesAreReadFromDisk) {
  test_support::TempFolder folder;
  const std::string path = folder.Join("answers.json");
  test_support::WriteText(path, R"([{"message": "", "answer": "No"}])");
  std::string error;
  ASSERT_TRUE(ui::LoadAnswersFile(path, &driver(), &error)) << error;
  EXPECT_EQ(ui::ShowMessage("Save?", "", ui::Buttons::kYesNo), ui::Answer::kNo);

  EXPECT_FALSE(ui::LoadAnswersFile(folder.Join("missing.json"), &driver(), &error));
  EXPECT_EQ(error, folder.Join("missing.json") + ": cannot be read (no such file)");
  test_support::WriteText(path, "");
  EXPECT_FALSE(ui::LoadAnswersFile(path, &driver(), &error));
  EXPECT_EQ(error.rfind(path + ": not valid JSON", 0), 0u) << error;
}

}  // namespace
}  // namespace ui_test
