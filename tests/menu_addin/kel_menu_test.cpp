// The add-in against the host's application object: the menu it builds from
// the settings, its clicks, and its removal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#if !defined(_WIN32)
#include "platform/posix/registry_posix.h"
#endif

#include "host/application.h"
#include "host/session.h"
#include "menu_addin/kel_menu.h"
#include "platform/services.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_message_box.h"

namespace {

using platform::DispatchValue;
using platform::RootKey;

constexpr const char* kSettings = "Software\\VB and VBA Program Settings\\KelMenu";

// What the commands were asked to run.
struct Calls {
  std::vector<std::string> bot;   // version|library|bot|insert
  std::vector<platform::ShellRequest> shell;
};
Calls* g_calls = nullptr;

int32_t RecordRunBot(const char* version, const char* library, const char* bot, int32_t insert) {
  g_calls->bot.push_back(std::string(version) + "|" + library + "|" + bot + "|" +
                         std::to_string(insert));
  return 1;
}

class RecordingShell final : public platform::Shell {
 public:
  platform::Status Execute(const platform::ShellRequest& request) override {
    g_calls->shell.push_back(request);
    return platform::kOk;
  }
};

// KelRTL as the add-in binds it: one module exporting RunBotFunction.
class FakeKelRtl final : public platform::Module {
 public:
  void* FindExport(const std::string& name, platform::Status* error) override {
    if (name == "RunBotFunction") return reinterpret_cast<void*>(&RecordRunBot);
    *error = platform::kProcNotFound;
    return nullptr;
  }
};
class FakeLoader final : public platform::ModuleLoader {
 public:
  std::unique_ptr<platform::Module> Load(const std::string&, platform::Status*) override {
    return std::make_unique<FakeKelRtl>();
  }
  std::string PathOfModuleContaining(const void*) override { return "C:\\Addins\\KelMenu.dll"; }
};

class KelMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls = &calls_;
    registry().DeleteTree(RootKey::kCurrentUser, kSettings);
    test_support::WriteText(web_.Join("index.htm"), "<html><body></body></html>");
    OpenSession("index.htm");
  }
  void TearDown() override {
    registry().DeleteTree(RootKey::kCurrentUser, kSettings);
    g_calls = nullptr;
  }

  static platform::Registry& registry() { return platform::GetRegistry(); }
  void OpenSession(const std::string& page, bool with_web = true) {
    host::Session session;
    if (with_web) session.web_folder = web_.path();
    session.page = page;
    ASSERT_EQ(session.Save(registry()), platform::kOk);
  }
  // One product with its details and items.
  static void Product(const std::string& key, const std::string& details,
                      const std::vector<std::string>& items) {
    platform::WriteString(registry(), RootKey::kCurrentUser, std::string(kSettings) + "\\_Products",
                          key, key);
    const std::string section = std::string(kSettings) + "\\" + key;
    platform::WriteString(registry(), RootKey::kCurrentUser, section, "Details", details);
    for (size_t i = 0; i < items.size(); ++i) {
      platform::WriteString(registry(), RootKey::kCurrentUser, section,
                            "Item" + std::to_string(i + 1), items[i]);
    }
  }
  // Connects a new add-in to a host of the version; returns the printed menu.
  std::string Connect(const std::string& version = "4.0") {
    application_ = std::make_unique<host::HostApplication>(version);
    add_in_ = std::make_unique<menu_addin::KelMenu>();
    add_in_->OnConnection(application_->object(), DispatchValue());
    return host::PrintMenu(*application_, "GlintmereMenu");
  }
  // Clicks the command with this caption.
  void Click(const std::string& caption) {
    const auto menu = application_->FindByTag("GlintmereMenu");
    ASSERT_TRUE(menu);
    for (const auto& submenu : menu->controls) {
      for (const auto& item : submenu->controls) {
        if (item->caption == caption) {
          ASSERT_TRUE(application_->Click(item));
          return;
        }
      }
    }
    FAIL() << "no command " << caption;
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes_.shown()) texts.push_back(box.caption + ": " + box.text);
    return texts;
  }

  test_support::TempFolder web_;
  Calls calls_;
  RecordingShell shell_;
  FakeLoader loader_;
  platform::ScopedServices services_{{.modules = &loader_, .shell = &shell_}};
  ui::ScriptedMessageBoxes boxes_;
  ui::ScopedMessageBoxes scoped_boxes_{&boxes_};
  std::unique_ptr<host::HostApplication> application_;
  std::unique_ptr<menu_addin::KelMenu> add_in_;
};

TEST_F(KelMenuTest, NoMenuWithoutProductsOrValidItems) {
  EXPECT_EQ(Connect(), "(no Glintmere menu)\n");
  Product("GMA", "x,Applets", {"x,,Tip,1,1,a.dll,Bot", "x,Bad,Tip,9,1,a,b"});
  EXPECT_EQ(Connect(), "(no Glintmere menu)\n");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(KelMenuTest, MenuFollowsTheAnchorWithSeparatorsAndParameters) {
  Product("GMA", "x, Glintmere Applets , Java effects",
          {"-", "-", "x,Scroller,Scrolls,1,3,GMWebbotS3.dll,GMScroller",
           "x,Slides,Shows,1,3,GMWebbotS3.dll,GMPresent,0", "-",
           "x,Help,Reads,2,1,KelHelp.exe,Applets,Getting started"});
  EXPECT_EQ(Connect("6.0"),
            "&Glintmere\n"
            "  Glintmere Applets\n"
            "    ----\n"
            "    Scroller  [1,3,GMWebbotS3.dll,GMScroller,1]\n"
            "    Slides  [1,3,GMWebbotS3.dll,GMPresent,0]\n"
            "    ----\n"
            "    Help  [2,1,KelHelp.exe,Applets,Getting started]\n");
  EXPECT_EQ(add_in_->item_count(), 3);
  // Placed right after the version's anchor in the host popup.
  const auto tools = application_->FindById(62773);
  ASSERT_TRUE(tools);
  ASSERT_GE(tools->controls.size(), 4u);
  EXPECT_EQ(tools->controls[2]->id, 7716);
  EXPECT_EQ(tools->controls[3]->tag, "GlintmereMenu");
  EXPECT_EQ(tools->controls[3]->controls[0]->tooltip, "Java effects");
  EXPECT_TRUE(tools->controls[3]->controls[0]->controls[0]->temporary);
}

TEST_F(KelMenuTest, AcceleratorAvoidsTheHostPopupsLetters) {
  Product("GMA", "x,Applets", {"x,Scroller,Tip,1,3,GMWebbotS3.dll,GMScroller"});
  application_ = std::make_unique<host::HostApplication>("4.0");
  // Two more host commands take "G" and "l".
  auto host_popup = application_->FindById(62773);
  for (const char* caption : {"&Go To...", "&lookup"}) {
    auto added = std::make_shared<host::CommandBarControl>();
    added->caption = caption;
    added->parent = host_popup.get();
    host_popup->controls.push_back(added);
  }
  add_in_ = std::make_unique<menu_addin::KelMenu>();
  add_in_->OnConnection(application_->object(), DispatchValue());
  EXPECT_EQ(application_->FindByTag("GlintmereMenu")->caption, "Gl&intmere");
}

TEST_F(KelMenuTest, CommandsRunWithTheirArguments) {
  Product("GMA", "x,Applets",
          {"x,Scroller,Tip,1,3,GMWebbotS3.dll,GMScroller",
           "x,Help,Tip,2,1,KelHelp.exe,first,second part"});
  Connect();
  Click("Scroller");
  Click("Help");
  EXPECT_EQ(calls_.bot, std::vector<std::string>{"4.0|GMWebbotS3.dll|GMScroller|1"});
  ASSERT_EQ(calls_.shell.size(), 1u);
  EXPECT_EQ(calls_.shell[0].file, "KelHelp.exe");
  EXPECT_EQ(calls_.shell[0].parameters, " \"first\" \"second part\"");
  EXPECT_EQ(calls_.shell[0].verb, "");
  EXPECT_EQ(calls_.shell[0].directory, "C:\\Addins");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(KelMenuTest, UnmetRequirementsAndBadFlagsAreTold) {
  Product("GMA", "x,Applets",
          {"x,Needs web,Tip,1,4,GMWebbotS3.dll,GMScroller", "x,Needs normal,Tip,1,6,a.dll,Bot",
           "x,Bad flag,Tip,1,1,a.dll,Bot,maybe", "x,Odd code,Tip,1,9,a.dll,Bot"});
  OpenSession("index.htm", /*with_web=*/false);
  Connect();
  Click("Needs web");
  OpenSession("index.htm");
  application_->set_page_view_mode(2);
  Click("Needs normal");
  Click("Bad flag");
  Click("Odd code");
  EXPECT_TRUE(calls_.bot.empty());
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         "Glintmere: This option requires a FrontPage Web opened in FrontPage.",
                         "Glintmere: The active page must be in \"Normal\" mode.",
                         "Glintmere Menu: Error occured while executing command:\nType mismatch",
                         "Glintmere: Unknown error"}));
  EXPECT_EQ(boxes_.shown()[0].icon, ui::Icon::kError);
}

// An editor whose state cannot be read: the command is not run.
TEST_F(KelMenuTest, AStateThatCannotBeReadStopsTheCommand) {
  // The application object, except that asking for the active web fails.
  class Unreadable : public platform::DispatchObject {
   public:
    explicit Unreadable(std::shared_ptr<platform::DispatchObject> real) : real_(std::move(real)) {}
    platform::HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                             DispatchValue* result) override {
      return method == "ActiveWeb" ? platform::kEFail : real_->Invoke(method, args, result);
    }
    platform::HResult Put(std::string_view property, const DispatchValue& value) override {
      return real_->Put(property, value);
    }

   private:
    std::shared_ptr<platform::DispatchObject> real_;
  };
  Product("GMA", "x,Applets", {"x,Scroller,Tip,1,3,GMWebbotS3.dll,GMScroller"});
  OpenSession("index.htm");
  Connect();
  add_in_->OnDisconnection(0);
  add_in_ = std::make_unique<menu_addin::KelMenu>();
  add_in_->OnConnection(std::make_shared<Unreadable>(application_->object()), DispatchValue());
  Click("Scroller");
  EXPECT_TRUE(calls_.bot.empty());
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         "Glintmere: Error occured while evaluating the command.",
                         "Glintmere: Unknown error"}));
  EXPECT_EQ(boxes_.shown()[0].icon, ui::Icon::kError);
}

TEST_F(KelMenuTest, DisconnectionRemovesTheMenuButOnVersionFiveAtShutdown) {
  Product("GMA", "x,Applets", {"x,Scroller,Tip,1,3,GMWebbotS3.dll,GMScroller"});
  const struct {
    const char* version;
    int mode;
    bool remains;
  } kCases[] = {{"5.0", 0, true}, {"5.0", 1, false}, {"4.0", 0, false}, {"6.0", 0, false}};
  for (const auto& c : kCases) {
    Connect(c.version);
    add_in_->OnDisconnection(c.mode);
    EXPECT_EQ(application_->FindByTag("GlintmereMenu") != nullptr, c.remains) << c.version;
  }
}

TEST_F(KelMenuTest, MalformedAndLargeSettings) {
  // A details line of one field stops the build with the loading message.
  Product("GMA", "only", {"x,Scroller,Tip,1,3,GMWebbotS3.dll,GMScroller"});
  EXPECT_EQ(Connect(), "(no Glintmere menu)\n");
  EXPECT_EQ(Shown(), std::vector<std::string>{
                         "Glintmere Menu: Error occured while loading Glintmere menu:\n"
                         "Subscript out of range"});
  boxes_.Clear();
  // An item of one field, after a valid one: the loading message, and what
  // was built stays.
  Product("GMA", "x,Applets", {"x,Scroller,Tip,1,3,GMWebbotS3.dll,GMScroller", "lonely"});
  EXPECT_EQ(Connect(), "&Glintmere\n  Applets\n    Scroller  [1,3,GMWebbotS3.dll,GMScroller,1]\n");
  EXPECT_EQ(Shown().size(), 1u);
  boxes_.Clear();
  // Long values and many items.
  std::vector<std::string> items(3000, "x,Item,Tip,3,1,lib.dll,Entry");
  items[0] = "x," + std::string(10000, 'c') + ",Tip,2,1,file.htm," + std::string(10000, 'a');
  const std::string details = "x," + std::string(10000, 'p');
#if defined(_WIN32)
  Product("GMA", details, items);
#else
  // Written as one hive: value by value, each write would rewrite the file.
  std::string hive = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + std::string(kSettings) +
                     "\\_Products]\r\n\"GMA\"=\"GMA\"\r\n\r\n[HKEY_CURRENT_USER\\" +
                     std::string(kSettings) + "\\GMA]\r\n\"Details\"=\"" + details + "\"\r\n";
  for (size_t i = 0; i < items.size(); ++i) {
    hive += "\"Item" + std::to_string(i + 1) + "\"=\"" + items[i] + "\"\r\n";
  }
  test_support::WriteText(web_.Join("many.reg"), hive);
  platform::PosixRegistry many(web_.Join("many.reg"));
  platform::ScopedServices use_many({.registry = &many});
#endif
  Connect();
  EXPECT_EQ(add_in_->item_count(), 3000);
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
