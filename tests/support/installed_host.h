// A fixture for tests that run whole edit calls through the stand-alone
// host: the bot libraries and launchers with their master files copied into
// an installation folder, the host registered for that folder's program, the
// user's data folder made, and the runner library loaded as a host loads it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host/cli.h"
#include "host/registration.h"
#include "host/session.h"
#include "platform/environment.h"
#include "platform/module_loader.h"
#include "platform/services.h"
#include "runner/kelrtl.h"
#include "tests/support/test_support.h"

namespace test_support {

class InstalledHost : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(BinFolder() + "bots", install_.Join("bots"),
                          std::filesystem::copy_options::recursive);
    std::string problem;
    ASSERT_EQ(host::RegisterHost(platform::GetRegistry(), ServerLibrary(),
                                 install_.Join("glintmere.exe"), &problem),
              platform::kOk)
        << problem;
    ASSERT_EQ(host::EnsureApplicationDataFolder(platform::GetRegistry()), platform::kOk);
    platform::Status error = 0;
    kelrtl_ = platform::GetModuleLoader().Load(BinFolder() + LibraryFileName("KelRTL"), &error);
    ASSERT_NE(kelrtl_, nullptr) << error;
    run_bot_ = reinterpret_cast<RunBotFunctionFn>(kelrtl_->FindExport("RunBotFunction", &error));
    ASSERT_NE(run_bot_, nullptr);
  }
  void TearDown() override {
    platform::ClearEnvironmentValue("GLINTMERE_ANSWERS");
    host::UnregisterHost(platform::GetRegistry());
  }

  static std::string ServerLibrary() { return BinFolder() + LibraryFileName("GlintmereHost"); }

  // Opens the host's session on page of the web folder (a page a launcher
  // started by hand then edits).
  void OpenSession(const std::string& page) {
    host::Session session;
    session.web_folder = web_.path();
    session.page = page;
    ASSERT_EQ(session.Save(platform::GetRegistry()), platform::kOk);
  }

  // Runs glintmere in this installation: its exit code; what it wrote on its
  // error stream in *err, and on its output in *out when out is given.
  int Glintmere(const std::vector<std::string>& args, std::string* err,
                std::string* out = nullptr) {
    host::CliEnvironment environment;
    environment.run_bot = run_bot_;
    environment.program_path = install_.Join("glintmere.exe");
    environment.server_library = ServerLibrary();
    std::ostringstream output, errors;
    const int code = host::RunCli(args, environment, output, errors);
    *err = errors.str();
    if (out) *out = output.str();
    return code;
  }

  TempFolder install_;
  TempFolder web_;
  std::unique_ptr<platform::Module> kelrtl_;
  RunBotFunctionFn run_bot_ = nullptr;
};

}  // namespace test_support
