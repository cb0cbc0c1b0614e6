// KelMenuAdd as real windows: the program run with the shipped product file
// on its command line writes the add-in's registration and the product's
// menu, and shows its report; the product list lists and returns the chosen
// files. Pictures of both are saved under the build folder's screenshots/.
// Windows only.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <windows.h>

#include "menu_activate/product_list_form.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "tests/support/test_support.h"
#include "tests/ui_win32/screenshot.h"
#include "tests/ui_win32/ui_user.h"
#include "ui/backend.h"

namespace {

using platform::RegistryValue;
using platform::RootKey;

constexpr char kCompanyKey[] = "Software\\Kel Software";
constexpr char kSettings[] = "Software\\VB and VBA Program Settings\\KelMenu\\Glintmere";

RegistryValue Stored(RootKey root, const std::string& path, const std::string& name) {
  RegistryValue value;
  std::unique_ptr<platform::RegistryKey> key;
  if (platform::GetRegistry().OpenKey(root, path, &key) == platform::kOk) key->GetValue(name, &value);
  return value;
}

TEST(KelMenuAddWindowTest, ShippedProductFileIsActivatedAndReported) {
  platform::Registry& registry = platform::GetRegistry();
  registry.DeleteTree(RootKey::kCurrentUser, "Software\\VB and VBA Program Settings\\KelMenu");
  ASSERT_EQ(platform::WriteString(registry, RootKey::kLocalMachine, kCompanyKey, "CommonPath",
                                  "C:\\Kel Common\\"),
            platform::kOk);
  std::string program_files;
  platform::ReadString(registry, RootKey::kLocalMachine,
                       "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                       &program_files);

  ui_test::StartedProgram program(test_support::BinFolder() + "KelMenuAdd.exe",
                                 "KelMenu-Glintmere.ini");
  ASSERT_TRUE(program.started()) << program.start_error();
  const HWND box = ui_test::WaitForWindow("Activate KelMenu", 15000);
  std::string text;
  if (box) {
    text = ui_test::Text(GetDlgItem(box, 0xFFFF));
    ui_test::Painted(box);
    ui_test::SaveScreenshot(ui_test::CaptureWindow(box), "kelmenuadd_report");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  const DWORD exit_code = program.WaitForExit(15000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(text, "KelMenu successfully activated for:\n  -  Glintmere Java Effects\n");
  EXPECT_EQ(exit_code, 0u);

  const std::string add_in = "Software\\Microsoft\\Office\\FrontPage\\addins\\KelMenu.addinKelMenu";
  EXPECT_EQ(Stored(RootKey::kCurrentUser, add_in, "LoadBehavior"), RegistryValue::Dword(3));
  EXPECT_EQ(Stored(RootKey::kCurrentUser, add_in, "CommandLineSafe"), RegistryValue::Dword(0));
  EXPECT_EQ(Stored(RootKey::kCurrentUser, add_in, "FriendlyName"), RegistryValue::String("KelMenu"));
  EXPECT_EQ(Stored(RootKey::kCurrentUser, "Software\\VB and VBA Program Settings\\KelMenu\\_Products",
                   "Glintmere"),
            RegistryValue::String("Glintmere"));
  const std::pair<const char*, std::string> items[] = {
      {"Details", "Glintmere,Glintmere,Java applet effects and button bars"},
      {"Item1", "Scroller,&Scroller...,Insert a scrolling text,1,2,GMWebbotS3.dll,GMScroller,1"},
      {"Item6", "-"},
      {"Item7", "Folder,Glintmere &Folder,Open the folder Glintmere is installed in,2,1," +
                    program_files + "\\Kel Software\\Glintmere"},
      {"Item8", "Help,Glintmere &Help,Show the Glintmere help,2,1,C:\\Kel Common\\KelHelp.exe,"
                "C:\\Kel Common\\QFXHelp\\,/cSAApplet"},
  };
  for (const auto& [name, data] : items) {
    EXPECT_EQ(Stored(RootKey::kCurrentUser, kSettings, name), RegistryValue::String(data)) << name;
  }
  std::unique_ptr<platform::RegistryKey> key;
  std::vector<std::string> names;
  ASSERT_EQ(registry.OpenKey(RootKey::kCurrentUser, kSettings, &key), platform::kOk);
  key->ListValues(&names);
  EXPECT_EQ(names.size(), 9u);  // Details and Item1 to Item8
  std::unique_ptr<platform::RegistryKey> company;
  if (registry.OpenKey(RootKey::kLocalMachine, kCompanyKey, &company) == platform::kOk) {
    company->DeleteValue("CommonPath");
  }
}

TEST(KelMenuAddWindowTest, ProductListShowsTheTitlesAndReturnsTheChosenFiles) {
  test_support::TempFolder folder;
  test_support::WriteText(folder.Join("KelMenu-B.ini"), "[_Products]\nTitle=Glintmere Java Effects\n");
  test_support::WriteText(folder.Join("KelMenu-A.ini"), "[_Products]\nTitle=Other Tools\n");
  ui::ScopedUiBackend backend(&ui::Win32UiBackend());
  menu_activate::ProductListForm form(folder.path());
  int result = 0;
  ui_test::Drive(
      [&] {
        const HWND window = ui_test::WaitForWindow("Activate KelMenu");
        if (!window) return;
        const HWND list = ui_test::Item(window, menu_activate::ProductListForm::kProductsId);
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
        SendMessageA(list, LB_SETSEL, TRUE, 1);
        ui_test::Painted(window);
        ui_test::SaveScreenshot(ui_test::CaptureWindow(window), "activate_kelmenu_list");
        ui_test::Click(ui_test::Item(window, IDOK));
      },
      [&] { result = form.DoModal(); });
  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(form.selected_files(), std::vector<std::string>{folder.path() + "\\KelMenu-A.ini"});
}

}  // namespace

#endif
