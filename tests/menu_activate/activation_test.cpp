// Activating product description files: what lands in the add-in's settings,
// what a hostile file gets (a failure line and nothing written), the report,
// and the utility run with a file on its command line.
#include <gtest/gtest.h>

#include <map>

#include "base/path.h"
#include "menu_activate/activation.h"
#include "menu_activate/utility.h"
#include "platform/services.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using platform::RegistryValue;
using platform::RootKey;
using Names = std::vector<std::string>;

constexpr char kSettings[] = "Software\\VB and VBA Program Settings\\KelMenu";
constexpr char kWindows[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kCompany[] = "Software\\Kel Software";

// A machine setting put in place for a test and restored after it.
class SavedSetting {
 public:
  SavedSetting(const char* path, const char* name, const std::string& value) : path_(path), name_(name) {
    had_ = platform::ReadString(platform::GetRegistry(), RootKey::kLocalMachine, path_, name_, &old_) == 0;
    platform::WriteString(platform::GetRegistry(), RootKey::kLocalMachine, path_, name_, value);
  }
  ~SavedSetting() {
    std::unique_ptr<platform::RegistryKey> key;
    platform::GetRegistry().OpenKey(RootKey::kLocalMachine, path_, &key);
    if (key && had_) key->SetValue(name_, RegistryValue::String(old_));
    if (key && !had_) key->DeleteValue(name_);
  }

 private:
  std::string path_, name_, old_;
  bool had_ = false;
};

class ActivationTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::GetRegistry().DeleteTree(RootKey::kCurrentUser, kSettings); }
  void TearDown() override { platform::GetRegistry().DeleteTree(RootKey::kCurrentUser, kSettings); }

  std::string File(const std::string& name, const std::string& text) {
    test_support::WriteText(folder_.Join(name), text);
    return folder_.Join(name);
  }
  static std::string Product(const std::string& key, const std::string& body) {
    return "[_Products]\nTitle=Test " + key + "\nKey=" + key +
           "\nCompany=Acme Tools\\\n[" + key + "]\nDetails=" + key + ",Test,Tip\n" + body;
  }
  // The values of a settings key, by name.
  std::map<std::string, RegistryValue> Values(const std::string& subkey) {
    std::map<std::string, RegistryValue> values;
    std::unique_ptr<platform::RegistryKey> key;
    Names names;
    if (platform::GetRegistry().OpenKey(RootKey::kCurrentUser, std::string(kSettings) + "\\" + subkey,
                                        &key) != platform::kOk ||
        key->ListValues(&names) != platform::kOk) {
      return values;
    }
    for (const std::string& name : names) key->GetValue(name, &values[name]);
    return values;
  }
  menu_activate::ActivationReport Activate(const Names& paths) {
    std::vector<menu_activate::ProductRequest> requests;
    for (const std::string& path : paths) requests.push_back({path, base::FileNameOf(path)});
    return menu_activate::ActivateProducts(requests, platform::GetRegistry());
  }

  test_support::TempFolder folder_;
  SavedSetting prog_files_{kWindows, "ProgramFilesDir", "C:\\Program Files\\"};
  SavedSetting common_{kCompany, "CommonPath", "C:\\Common"};
};

TEST_F(ActivationTest, NonEmptyItemsAreRenumberedWithTheirPlaceholdersFilledIn) {
  const std::string path = File("KelMenu-A.ini", Product("Alpha",
      "Count=5\n"
      "Item1=a,One,,2,1,#ProgFiles#\\#Company#\\x.exe,#ProgFiles#\n"
      "Item2=\n"
      "Item3=  b,#progfiles#,#FPPath#|#KelCommon#  \n"
      "Item4=\n"
      "item5=c,Three" + std::string(1, '\0') + "junk\n"));
  const auto report = Activate({path});
  EXPECT_EQ(report.Text(), "KelMenu successfully activated for:\n  -  Test Alpha\n");
  EXPECT_TRUE(report.AllSucceeded());  // the add-in registered too
  EXPECT_EQ(Values("_Products"), (std::map<std::string, RegistryValue>{
                                     {"Alpha", RegistryValue::String("Alpha")}}));
  EXPECT_EQ(Values("Alpha"),
            (std::map<std::string, RegistryValue>{
                {"Details", RegistryValue::String("Alpha,Test,Tip")},
                {"Item1", RegistryValue::String(
                              "a,One,,2,1,C:\\Program Files\\Acme Tools\\x.exe,C:\\Program Files")},
                {"Item2", RegistryValue::String("b,#progfiles#,|C:\\Common")},
                {"Item3", RegistryValue::String("c,Three")}}));
}

TEST_F(ActivationTest, ActivatingAgainWithFewerItemsLeavesNoneOfTheEarlierOnes) {
  const std::string path = File("KelMenu-B.ini", Product("Beta", "Count=3\nItem1=a\nItem2=b\nItem3=c\n"));
  ASSERT_TRUE(Activate({path}).AllSucceeded());
  platform::WriteString(platform::GetRegistry(), RootKey::kCurrentUser,
                        std::string(kSettings) + "\\Beta", "Item07", "stray");
  File("KelMenu-B.ini", Product("Beta", "Count=3\nItem1=\nItem2=z\nItem3=\n"));
  ASSERT_TRUE(Activate({path}).AllSucceeded());
  EXPECT_EQ(Values("Beta"), (std::map<std::string, RegistryValue>{
                                {"Details", RegistryValue::String("Beta,Test,Tip")},
                                {"Item1", RegistryValue::String("z")}}));
}

TEST_F(ActivationTest, HostileFilesFailAloneAndWriteNothing) {
  const std::string long_item = "x," + std::string(10000, 'y');
  std::string blow_up = "#KelCommon#";
  while (blow_up.size() < 4000) blow_up += "#KelCommon#";
  SavedSetting long_common(kCompany, "CommonPath", std::string(300, 'c'));
  struct Case {
    const char* key;
    std::string text;
  };
  const Case cases[] = {
      {"NoKey", "[_Products]\nTitle=Test NoKey\n[NoKey]\nDetails=d\nCount=1\nItem1=a\n"},
      {"NoDetails", "[_Products]\nTitle=Test NoDetails\nKey=NoDetails\n[NoDetails]\nCount=1\n"},
      {"NoCount", Product("NoCount", "Item1=a\n")},
      {"Negative", Product("Negative", "Count=-1\nItem1=a\n")},
      {"Million", Product("Million", "Count=1000000\nItem1=a\n")},
      {"Letters", Product("Letters", "Count=abc\nItem1=a\n")},
      {"Slash\\Key", Product("Slash\\Key", "Count=1\nItem1=a\n")},
      {"Huge", Product("Huge", "Count=1\nItem1=" + blow_up + "\n")},
      {"Big", Product("Big", "Count=1\nItem1=a\n;" + std::string(1 << 20, ' ') + "\n")},
  };
  Names paths;
  std::string expected = "KelMenu successfully activated for:\n  -  Test Fine\n\n"
                         "KelMenu activation failed for:\n";
  paths.push_back(File("KelMenu-Fine.ini", Product("Fine", "Count=2\nItem1=a\nItem2=" + long_item + "\n")));
  for (const Case& c : cases) {
    const std::string name = "KelMenu-" + std::to_string(paths.size()) + ".ini";
    paths.push_back(File(name, c.text));
    // A file too large to read has no title either.
    const bool readable = c.text.size() < (1 << 20);
    expected += "  -  " + (readable ? std::string("Test ") + c.key : "(" + name + ")") + "\n";
  }
  paths.push_back(folder_.Join("KelMenu-Missing.ini"));
  const auto report = Activate(paths);
  EXPECT_EQ(report.Text(), expected + "  -  (KelMenu-Missing.ini)\n");
  EXPECT_FALSE(report.AllSucceeded());
  EXPECT_EQ(Values("_Products").size(), 1u);
  // A value is read up to 4095 characters.
  EXPECT_EQ(Values("Fine")["Item2"].text, long_item.substr(0, 4095));
}

TEST_F(ActivationTest, ACommandLineFileIsActivatedWithoutTheListAndReported) {
  File("KelMenu-C.ini", Product("Gamma", "Count=1\nItem1=a\n"));
  File("KelMenu-NoTitle.ini", "[_Products]\nKey=Delta\n");
  ui::ScriptedBackend backend;
  ui::ScopedScriptedBackend scoped(&backend);
  EXPECT_EQ(menu_activate::RunActivationUtility(" \"KelMenu-C.ini\" ", folder_.path()), 0);
  EXPECT_EQ(menu_activate::RunActivationUtility("KelMenu-NoTitle.ini", folder_.path() + "\\"), 1);
  // An installer's quiet run: told by the exit code, no box.
  EXPECT_EQ(menu_activate::RunActivationUtility("/S KelMenu-C.ini", folder_.path()), 0);
  EXPECT_EQ(menu_activate::RunActivationUtility("/s KelMenu-NoTitle.ini", folder_.path()), 1);
  ASSERT_EQ(backend.driver().shown().size(), 2u);  // two reports, no list
  for (const ui::WindowRecord& shown : backend.driver().shown()) {
    EXPECT_EQ(shown.kind, ui::WindowKind::kMessageBox);
    EXPECT_EQ(shown.caption, "Activate KelMenu");
    EXPECT_EQ(shown.buttons, ui::Buttons::kOk);
    EXPECT_EQ(shown.icon, ui::Icon::kNone);
  }
  EXPECT_EQ(backend.driver().MessageTexts(),
            (Names{"KelMenu successfully activated for:\n  -  Test Gamma\n",
                   "KelMenu activation failed for:\n  -  (KelMenu-NoTitle.ini)\n"}));
}

}  // namespace
