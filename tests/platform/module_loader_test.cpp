// Tests of the module loader through its interface, with the Pipsqueak
// fixture library built beside the test program: natively the POSIX loader
// with the Linux build of the library, under Wine the Win32 one.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "base/path.h"
#include "base/text.h"
#include "platform/module_loader.h"
#include "platform/system_services.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using platform::Status;
using AnswerFunction = int (*)();

int AnchorInTheTestProgram() { return 7; }

std::string WindowsStyle(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

class ModuleLoaderTest : public testing::Test {
 protected:
  // The folder of the test program, where Pipsqueak is built.
  std::string TestFolder() const {
    return base::FolderOf(loader_->PathOfModuleContaining(
        reinterpret_cast<const void*>(&AnchorInTheTestProgram)));
  }
  // The fixture named the product's way: backslashes, and ".dll" also on
  // Linux, where the build makes "Pipsqueak.so".
  std::string PipsqueakDll() const { return WindowsStyle(TestFolder()) + "Pipsqueak.dll"; }

  std::unique_ptr<platform::Module> MustLoad(const std::string& path) {
    Status status = 0xDEADBEEF;
    std::unique_ptr<platform::Module> module = loader_->Load(path, &status);
    EXPECT_EQ(platform::kOk, status) << path << ": " << loader_->LastErrorText();
    EXPECT_TRUE(module) << path;
    return module;
  }

  static AnswerFunction Answer(platform::Module& module) {
    Status status = 0xDEADBEEF;
    void* address = module.FindExport("PipsqueakAnswer", &status);
    EXPECT_EQ(platform::kOk, status);
    return reinterpret_cast<AnswerFunction>(address);
  }

  std::unique_ptr<platform::ModuleLoader> loader_ = platform::CreateSystemModuleLoader();
  test_support::TempFolder scratch_;
};

TEST_F(ModuleLoaderTest, LoadsByAWindowsStylePathAndCallsAnExport) {
  std::unique_ptr<platform::Module> module = MustLoad(PipsqueakDll());
  ASSERT_TRUE(module);
  AnswerFunction answer = Answer(*module);
  ASSERT_NE(nullptr, answer);
  EXPECT_EQ(42, answer());
  EXPECT_EQ("", loader_->LastErrorText());
}

TEST_F(ModuleLoaderTest, OnlyTheLibrarysOwnExportsAreFound) {
  std::unique_ptr<platform::Module> module = MustLoad(PipsqueakDll());
  ASSERT_TRUE(module);
  Status status = 0xDEADBEEF;
  EXPECT_EQ(nullptr, module->FindExport("NoSuchExport", &status));
  EXPECT_EQ(platform::kProcNotFound, status);
  // The C runtime's functions are inside or beneath the library, but they
  // are not its exports.
  status = 0xDEADBEEF;
  EXPECT_EQ(nullptr, module->FindExport("malloc", &status));
  EXPECT_EQ(platform::kProcNotFound, status);
  status = 0xDEADBEEF;
  EXPECT_EQ(nullptr, module->FindExport("", &status));
  EXPECT_EQ(platform::kProcNotFound, status);
}

TEST_F(ModuleLoaderTest, PathOfModuleContainingNamesLibraryAndProgram) {
  std::unique_ptr<platform::Module> module = MustLoad(PipsqueakDll());
  ASSERT_TRUE(module);
  const std::string library =
      loader_->PathOfModuleContaining(reinterpret_cast<const void*>(Answer(*module)));
  EXPECT_TRUE(fs::path(library).is_absolute()) << library;
  EXPECT_TRUE(base::StartsWithNoCase(base::FileNameOf(library), "Pipsqueak.")) << library;
  EXPECT_TRUE(base::EqualsNoCase(WindowsStyle(base::FolderOf(library)),
                                 WindowsStyle(TestFolder())))
      << library;

  const std::string program = loader_->PathOfModuleContaining(
      reinterpret_cast<const void*>(&AnchorInTheTestProgram));
  EXPECT_TRUE(fs::path(program).is_absolute()) << program;
  EXPECT_TRUE(base::StartsWithNoCase(base::FileNameOf(program), "platform_tests")) << program;

  // Addresses outside every module.
  int on_the_stack = 0;
  const auto on_the_heap = std::make_unique<int>(0);
  EXPECT_EQ("", loader_->PathOfModuleContaining(nullptr));
  EXPECT_EQ("", loader_->PathOfModuleContaining(&on_the_stack));
  EXPECT_EQ("", loader_->PathOfModuleContaining(on_the_heap.get()));
}

TEST_F(ModuleLoaderTest, EachLoadHoldsItsOwnReference) {
  std::unique_ptr<platform::Module> first = MustLoad(PipsqueakDll());
  std::unique_ptr<platform::Module> second = MustLoad(PipsqueakDll());
  ASSERT_TRUE(first && second);
  AnswerFunction answer = Answer(*first);
  EXPECT_EQ(answer, Answer(*second));
  first.reset();
  // Still loaded through the second reference.
  EXPECT_EQ(42, answer());
  EXPECT_NE("", loader_->PathOfModuleContaining(reinterpret_cast<const void*>(answer)));
  second.reset();
  // Gone with the last reference.
  EXPECT_EQ("", loader_->PathOfModuleContaining(reinterpret_cast<const void*>(answer)));
}

TEST_F(ModuleLoaderTest, AnyCaseOfDllFindsTheBuiltLibrary) {
  const std::string built = loader_->PathOfModuleContaining(reinterpret_cast<const void*>(
      Answer(*MustLoad(PipsqueakDll()))));
  // The copy keeps the build's own extension: ".dll" on Windows, ".so" here.
  const std::string extension = fs::path(built).extension().string();
  fs::copy_file(TestFolder() + base::FileNameOf(built), scratch_.Join("Squeak" + extension));

  std::unique_ptr<platform::Module> module = MustLoad(scratch_.path() + "\\Squeak.DLL");
  ASSERT_TRUE(module);
  EXPECT_EQ(42, Answer(*module)());
}

TEST_F(ModuleLoaderTest, MissingLibraryIsModNotFound) {
  Status status = 0xDEADBEEF;
  EXPECT_EQ(nullptr, loader_->Load(scratch_.path() + "\\Missing.dll", &status));
  EXPECT_EQ(platform::kModNotFound, status);
  status = 0xDEADBEEF;
  EXPECT_EQ(nullptr, loader_->Load(scratch_.path() + "\\no folder\\Missing.dll", &status));
  EXPECT_EQ(platform::kModNotFound, status);
}

TEST_F(ModuleLoaderTest, FileThatIsNoLibraryIsBadExeFormat) {
  test_support::WriteText(scratch_.Join("Junk.dll"), "MZ but not really a library");
  Status status = 0xDEADBEEF;
  EXPECT_EQ(nullptr, loader_->Load(scratch_.path() + "\\Junk.dll", &status));
  EXPECT_EQ(platform::kBadExeFormat, status);
  EXPECT_NE("", loader_->LastErrorText());

  // A ".dll" that is there is what gets loaded, even with a good ".so" beside it.
  test_support::WriteText(scratch_.Join("Twin.dll"), "not a library");
  fs::copy_file(loader_->PathOfModuleContaining(reinterpret_cast<const void*>(
                    Answer(*MustLoad(PipsqueakDll())))),
                scratch_.Join("Twin.so"));
  status = 0xDEADBEEF;
  EXPECT_EQ(nullptr, loader_->Load(scratch_.path() + "\\Twin.dll", &status));
  EXPECT_EQ(platform::kBadExeFormat, status);

  // A later success clears the text of the earlier failure.
  EXPECT_TRUE(MustLoad(PipsqueakDll()));
  EXPECT_EQ("", loader_->LastErrorText());
}

}  // namespace
