// The Win32 backend's services around the dialogs: real message boxes, the
// colour dialog and the file-open dialog, answered by a user thread.
// Windows only.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "tests/support/message_box_watcher.h"
#include "tests/support/test_support.h"
#include "tests/ui_win32/ui_user.h"
#include "ui/backend.h"
#include "ui/win32/common_controls.h"
#include "ui/win32/win32_backend.h"

#include <dlgs.h>

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The file name field of the Explorer-style open dialog.
HWND FileNameField(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, cmb13)) return combo;
  return GetDlgItem(dialog, edt1);
}

TEST(CommonDialogsTest, MessageBoxesAreRealBoxesWithTheirTextAndCaption) {
  test_support::MessageBoxWatcher boxes;
  ui::MessageBoxService& service = ui::Win32UiBackend().MessageBoxes();
  const ui::Answer answer = service.Show(
      {"Unable to locate source file", "Glintmere Alert", ui::Buttons::kOk, ui::Icon::kWarning});
  EXPECT_EQ(answer, ui::Answer::kOk);
  const std::vector<test_support::SeenBox> seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Glintmere Alert");
  EXPECT_EQ(seen[0].text, "Unable to locate source file");
}

TEST(CommonDialogsTest, TheColourDialogStartsAtTheColourAndCancelKeepsIt) {
  ui::UiBackend& backend = ui::Win32UiBackend();
  for (const bool accept : {true, false}) {
    ui::Colour colour = ui::Rgb(10, 20, 30);
    bool chosen = !accept;
    ui_test::Drive(
        [&] {
          const HWND dialog = ui_test::WaitForWindow("Color");
          if (!dialog) return;
          PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(accept ? IDOK : IDCANCEL, BN_CLICKED), 0);
        },
        [&] { chosen = backend.ChooseColour(nullptr, &colour); });
    EXPECT_EQ(chosen, accept);
    EXPECT_EQ(colour, ui::Rgb(10, 20, 30));
  }
}

TEST(CommonDialogsTest, TheFileDialogGivesFullPathsOfOneOrSeveralFiles) {
  test_support::TempFolder folder;
  for (const char* name : {"a.gif", "b.gif", "notes.txt"}) {
    test_support::WriteText(folder.Join(name), "GIF89a");
  }
  ui::UiBackend& backend = ui::Win32UiBackend();
  ui::FileDialogRequest request;
  request.title = "Glintmere Add From Disk Test";
  request.filters = {{"Image Files (*.gif; *.jpg)", "*.gif; *.jpg"}, {"All Files", "*.*"}};
  request.initial_folder = folder.path();

  struct Case {
    bool multiple;
    const char* typed;
    size_t buffer;  // 0: the default
    ui::FileDialogResult result;
    std::vector<std::string> expected;
  };
  using Result = ui::FileDialogResult;
  // The folder, NUL, "a.gif", NUL, "b.gif", NUL and a final NUL need
  // folder + 14 bytes.
  const size_t two_files = folder.path().size() + 14;
  const std::vector<Case> cases = {
      {false, "a.gif", 0, Result::kChosen, {folder.Join("a.gif")}},
      {true, "\"a.gif\" \"b.gif\"", 0, Result::kChosen,
       {folder.Join("a.gif"), folder.Join("b.gif")}},
      {true, "\"a.gif\" \"b.gif\"", two_files, Result::kChosen,
       {folder.Join("a.gif"), folder.Join("b.gif")}},
      {true, "\"a.gif\" \"b.gif\"", two_files - 1, Result::kTooMany, {}},
      {true, "\"a.gif\" \"b.gif\"", 20, Result::kTooMany, {}},  // not even the folder
      {false, "a.gif", 12, Result::kTooMany, {}},
  };
  for (const Case& c : cases) {
    request.multiple = c.multiple;
    request.name_buffer_size = c.buffer;
    std::vector<std::string> paths;
    Result chosen = Result::kCancelled;
    ui_test::Drive(
        [&] {
          const HWND dialog = ui_test::WaitForWindow(request.title);
          if (!dialog) return;
          ui_test::Type(FileNameField(dialog), c.typed);
          PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        },
        [&] { chosen = backend.OpenFiles(request, &paths); });
    ASSERT_EQ(chosen, c.result) << c.typed << " in " << c.buffer << " of " << two_files;
    ASSERT_EQ(paths.size(), c.expected.size()) << c.typed;
    for (size_t i = 0; i < paths.size(); ++i) {
      EXPECT_EQ(Lower(paths[i]), Lower(c.expected[i]));
    }
  }

  std::vector<std::string> untouched = {"kept"};
  request.name_buffer_size = 0;
  Result chosen = Result::kChosen;
  ui_test::Drive(
      [&] {
        const HWND dialog = ui_test::WaitForWindow(request.title);
        if (dialog) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      },
      [&] { chosen = backend.OpenFiles(request, &untouched); });
  EXPECT_EQ(chosen, Result::kCancelled);
  EXPECT_EQ(untouched, std::vector<std::string>{"kept"});
}

TEST(CommonDialogsTest, SeveralChosenFilesJoinTheirFolderOnce) {
  using ui::win32::SplitChosenFiles;
  EXPECT_EQ(SplitChosenFiles("C:\\web\\a.gif\0"), std::vector<std::string>{"C:\\web\\a.gif"});
  EXPECT_EQ(SplitChosenFiles("C:\\web\0a.gif\0b.au\0"),
            (std::vector<std::string>{"C:\\web\\a.gif", "C:\\web\\b.au"}));
  // A drive's root already ends in a backslash.
  EXPECT_EQ(SplitChosenFiles("C:\\\0a.gif\0b.au\0"),
            (std::vector<std::string>{"C:\\a.gif", "C:\\b.au"}));
  EXPECT_TRUE(SplitChosenFiles("\0").empty());
}

}  // namespace

#endif
