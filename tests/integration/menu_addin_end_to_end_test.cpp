// The menu add-in as FrontPage meets it: the KelMenu library registered as
// regsvr32 registers it, listed among FrontPage's add-ins with its settings,
// loaded by a starting host (glintmere, its own process), building its menu,
// and inserting a scroller when its command is clicked.
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>

#include <objbase.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <string>
#include <vector>

#include "platform/module_loader.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "tests/support/test_support.h"

namespace {

using platform::RootKey;

constexpr const char* kAddInKey =
    "Software\\Microsoft\\Office\\FrontPage\\addins\\KelMenu.addinKelMenu";
constexpr const char* kSettings = "Software\\VB and VBA Program Settings\\KelMenu";

// Runs a program to its end with its output in files; the exit code.
int RunProgram(const std::string& program, const std::vector<std::string>& args,
        const std::string& out, const std::string& err) {
#if defined(_WIN32)
  std::string line = "\"" + program + "\"";
  for (const std::string& arg : args) line += " \"" + arg + "\"";
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE out_file = CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, 0, nullptr);
  HANDLE err_file = CreateFileA(err.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out_file;
  startup.hStdError = err_file;
  PROCESS_INFORMATION process{};
  DWORD code = 255;
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &process)) {
    WaitForSingleObject(process.hProcess, 120000);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(out_file);
  CloseHandle(err_file);
  return static_cast<int>(code);
#else
  const pid_t pid = fork();
  if (pid == 0) {
    if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(126);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

std::string WithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

class MenuAddInEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    platform::Registry& registry = platform::GetRegistry();
    ASSERT_EQ(platform::WriteDword(registry, RootKey::kCurrentUser, kAddInKey, "LoadBehavior", 3),
              platform::kOk);
    platform::WriteString(registry, RootKey::kCurrentUser, kAddInKey, "FriendlyName", "KelMenu");
    platform::WriteString(registry, RootKey::kCurrentUser, std::string(kSettings) + "\\_Products",
                          "GMS3", "GMS3");
    const std::string product = std::string(kSettings) + "\\GMS3";
    platform::WriteString(registry, RootKey::kCurrentUser, product, "Details",
                          "GMWebbotS3, Glintmere Applets, Java applet effects");
    platform::WriteString(registry, RootKey::kCurrentUser, product, "Item1",
                          "x, Scroller, Adds a scroller, 1, 6, GMWebbotS3.dll, GMScroller");
    platform::WriteString(registry, RootKey::kCurrentUser, product, "Item2", "-");
    platform::WriteString(registry, RootKey::kCurrentUser, product, "Item3",
                          "x, Read me, Opens the guide, 2, 1, readme.txt, first, second part");
    test_support::WriteText(web_.Join("index.htm"),
                            "<html>\n<body>\n<p>News:</p>\n</body>\n</html>\n");
    test_support::WriteText(web_.Join("answers.json"),
                            R"([{"dialog": "Glintmere Java Effects - Scroller Applet", )"
                            R"("steps": [{"press": "OK"}]}])");
  }
  void TearDown() override {
    Register(false);
    Clean();
  }
  static void Clean() {
    platform::GetRegistry().DeleteTree(RootKey::kCurrentUser, kAddInKey);
    platform::GetRegistry().DeleteTree(RootKey::kCurrentUser, kSettings);
  }
  static std::string Library() {
    return test_support::BinFolder() + test_support::LibraryFileName("KelMenu");
  }
  // regsvr32 [/u] KelMenu.dll, or its entries called as regsvr32 calls them.
  int Register(bool on) {
#if defined(_WIN32)
    std::vector<std::string> args{"/s", Library()};
    if (!on) args.insert(args.begin(), "/u");
    return RunProgram("C:\\windows\\system32\\regsvr32.exe", args, scratch_.Join("reg.out"),
               scratch_.Join("reg.err"));
#else
    platform::Status status = platform::kOk;
    auto module = platform::GetModuleLoader().Load(Library(), &status);
    if (!module) return -1;
    auto entry = reinterpret_cast<long (*)()>(
        module->FindExport(on ? "DllRegisterServer" : "DllUnregisterServer", &status));
    return entry ? static_cast<int>(entry()) : -1;
#endif
  }
  int Glintmere(std::vector<std::string> args) {
    args.insert(args.begin(), "menu");
    return RunProgram(test_support::BinFolder() + "glintmere" + (
#if defined(_WIN32)
                   ".exe"
#else
                   ""
#endif
                   ),
               args, scratch_.Join("out.txt"), scratch_.Join("err.txt"));
  }
  std::string Out() const { return WithoutCarriageReturns(test_support::ReadText(scratch_.Join("out.txt"))); }
  std::string Err() const { return WithoutCarriageReturns(test_support::ReadText(scratch_.Join("err.txt"))); }

  test_support::TempFolder web_;
  test_support::TempFolder scratch_;
};

TEST_F(MenuAddInEndToEndTest, RegisteredAddInBuildsItsMenuAndInsertsAScroller) {
  ASSERT_EQ(Register(true), 0);
  std::string clsid, server;
  ASSERT_EQ(platform::ReadString(platform::GetRegistry(), RootKey::kClassesRoot,
                                 "KelMenu.addinKelMenu\\CLSID", "", &clsid),
            platform::kOk);
  ASSERT_EQ(platform::ReadString(platform::GetRegistry(), RootKey::kClassesRoot,
                                 "CLSID\\" + clsid + "\\InprocServer32", "", &server),
            platform::kOk);
  EXPECT_NE(server.find("KelMenu"), std::string::npos) << server;
#if defined(_WIN32)
  // Office hosts call the add-in through IDTExtensibility2's own interface.
  {
    const IID extensibility = {0xB65AD801, 0xABAF, 0x11D0,
                               {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    CLSID class_id{};
    IUnknown* add_in = nullptr;
    IUnknown* interface_of = nullptr;
    ASSERT_EQ(CLSIDFromProgID(L"KelMenu.addinKelMenu", &class_id), S_OK);
    ASSERT_EQ(CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&add_in)),
              S_OK);
    EXPECT_EQ(add_in->QueryInterface(extensibility, reinterpret_cast<void**>(&interface_of)), S_OK);
    if (interface_of) interface_of->Release();
    add_in->Release();
    CoUninitialize();
  }
#endif

  ASSERT_EQ(Glintmere({"--version", "6.0"}), 0) << Err();
  EXPECT_EQ(Out(),
            "&Glintmere\n"
            "  Glintmere Applets\n"
            "    Scroller  [1,6,GMWebbotS3.dll,GMScroller,1]\n"
            "    ----\n"
            "    Read me  [2,1,readme.txt,first,second part]\n");

  // Clicked: the host has the web in page view and the page in normal mode.
  ASSERT_EQ(Glintmere({"--run", "Glintmere Applets/Scroller", "--web", web_.path(), "--page",
                       "index.htm", "--answers", web_.Join("answers.json")}),
            0)
      << Err();
  const std::string page = test_support::ReadText(web_.Join("index.htm"));
  EXPECT_NE(page.find("<!--webbot bot=\"GMScroller\" endspan -->\n</body>"), std::string::npos)
      << page << Err();

  // Without a web the command is refused with its message.
  ASSERT_EQ(Glintmere({"--run", "Glintmere Applets/Scroller", "--answers",
                       web_.Join("answers.json")}),
            0);
  EXPECT_NE(Err().find("This option requires a FrontPage Web opened in FrontPage."),
            std::string::npos)
      << Err();
}

#if defined(_WIN32)
// The chain an installation makes: KelMenuAdd copies the shipped product
// file into the settings (quietly, as an installer runs it), and the menu a
// starting host loads holds its commands; its scroller command inserts one.
TEST_F(MenuAddInEndToEndTest, ShippedProductActivatedByKelMenuAddInsertsAScroller) {
  ASSERT_EQ(Register(true), 0);
  ASSERT_EQ(RunProgram(test_support::BinFolder() + "KelMenuAdd.exe", {"/S", "KelMenu-Glintmere.ini"},
                       scratch_.Join("add.out"), scratch_.Join("add.err")),
            0);
  ASSERT_EQ(Glintmere({}), 0) << Err();
  EXPECT_NE(Out().find("  Glintmere\n    &Scroller...  [1,2,GMWebbotS3.dll,GMScroller,1]\n"),
            std::string::npos)
      << Out();
  ASSERT_EQ(Glintmere({"--run", "Glintmere/Scroller...", "--web", web_.path(), "--page",
                       "index.htm", "--answers", web_.Join("answers.json")}),
            0)
      << Err();
  EXPECT_NE(test_support::ReadText(web_.Join("index.htm")).find("bot=\"GMScroller\""),
            std::string::npos)
      << Err();
}
#endif

}  // namespace
