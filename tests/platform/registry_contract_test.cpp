// What every registry service must do, written once against the Registry
// interface: natively it runs against the POSIX hive on a scratch file, in the
// Windows build against the real registry under a scratch key of HKCU that is
// deleted before and after each test.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/registry.h"
#include "tests/support/test_support.h"

#if defined(_WIN32)
#include "platform/system_services.h"
#else
#include "platform/posix/registry_posix.h"
#endif

namespace {

using platform::kFileNotFound;
using platform::kInvalidData;
using platform::kInvalidParameter;
using platform::kKeyDeleted;
using platform::kOk;
using platform::Registry;
using platform::RegistryKey;
using platform::RegistryValue;
using platform::RootKey;
using platform::Status;

constexpr RootKey kUser = RootKey::kCurrentUser;
constexpr char kTestsKey[] = "Software\\Glintmere Tests";

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

class RegistryContractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_ = NewRegistry();
    scratch_ = std::string(kTestsKey) + "\\" + test_support::UniqueName("contract");
    registry_->DeleteTree(kUser, scratch_);
  }

  void TearDown() override {
    registry_->DeleteTree(kUser, scratch_);
    // The shared parent goes too once no other run is using it.
    std::unique_ptr<RegistryKey> parent;
    std::vector<std::string> left;
    if (registry_->OpenKey(kUser, kTestsKey, &parent) == kOk &&
        parent->ListSubKeys(&left) == kOk && left.empty()) {
      parent.reset();
      registry_->DeleteTree(kUser, kTestsKey);
    }
  }

  // Another registry object on the same store, seeing only what was stored.
  std::unique_ptr<Registry> NewRegistry() {
#if defined(_WIN32)
    return platform::CreateSystemRegistry();
#else
    return std::make_unique<platform::PosixRegistry>(folder_.Join("registry.reg"));
#endif
  }

  std::string Path(const std::string& sub) const { return scratch_ + "\\" + sub; }

  std::unique_ptr<RegistryKey> Create(const std::string& sub) {
    std::unique_ptr<RegistryKey> key;
    Status status = registry_->CreateKey(kUser, Path(sub), &key);
    EXPECT_EQ(status, kOk) << "creating " << sub;
    return key;
  }

#if !defined(_WIN32)
  test_support::TempFolder folder_;
#endif
  std::unique_ptr<Registry> registry_;
  std::string scratch_;
};

TEST_F(RegistryContractTest, KeysAreCreatedWithTheirParentsAndDeletedAsTrees) {
  std::unique_ptr<RegistryKey> key;
  EXPECT_EQ(registry_->OpenKey(kUser, Path("A"), &key), kFileNotFound);
  EXPECT_EQ(key, nullptr);

  ASSERT_NE(Create("A\\B\\C"), nullptr);
  Create("A\\B2");
  ASSERT_EQ(registry_->OpenKey(kUser, Path("A\\B"), &key), kOk);
  std::vector<std::string> names;
  ASSERT_EQ(key->ListSubKeys(&names), kOk);
  EXPECT_EQ(names, std::vector<std::string>{"C"});

  // An empty path opens the root itself.
  std::unique_ptr<RegistryKey> root;
  ASSERT_EQ(registry_->OpenKey(kUser, "", &root), kOk);
  ASSERT_EQ(root->ListSubKeys(&names), kOk);
  EXPECT_TRUE(std::any_of(names.begin(), names.end(),
                          [](const std::string& n) { return base::EqualsNoCase(n, "Software"); }));

  EXPECT_EQ(registry_->DeleteTree(kUser, Path("A\\B")), kOk);
  EXPECT_EQ(registry_->OpenKey(kUser, Path("A\\B\\C"), &key), kFileNotFound);
  EXPECT_EQ(registry_->OpenKey(kUser, Path("A\\B"), &key), kFileNotFound);
  EXPECT_EQ(registry_->OpenKey(kUser, Path("A\\B2"), &key), kOk);
  EXPECT_EQ(registry_->DeleteTree(kUser, Path("A\\B")), kFileNotFound);
  EXPECT_EQ(registry_->DeleteTree(kUser, Path("Missing\\Deeper")), kFileNotFound);
}

TEST_F(RegistryContractTest, EveryValueTypeRoundTrips) {
  const std::vector<std::pair<std::string, RegistryValue>> values = {
      {"Text", RegistryValue::String("C:\\Program Files\\Glintmere \"quoted\"")},
      {"Accented", RegistryValue::String("\xC9t\xE9 \xE0 Gen\xE8ve")},
      {"Empty", RegistryValue::String("")},
      {"Expand", RegistryValue::ExpandString("%SystemRoot%\\system32")},
      {"Number", RegistryValue::Dword(42)},
      {"Largest", RegistryValue::Dword(0xFFFFFFFFu)},
      {"Bytes", RegistryValue::Binary({0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF})},
      {"NoBytes", RegistryValue::Binary({})},
      {"List", RegistryValue::MultiString({"first", "second item", "C:\\third"})},
      {"EmptyList", RegistryValue::MultiString({})},
  };
  auto key = Create("Values");
  ASSERT_NE(key, nullptr);
  for (const auto& [name, value] : values) EXPECT_EQ(key->SetValue(name, value), kOk) << name;

  // Read back through a new registry object, so the values come from the store.
  auto other = NewRegistry();
  std::unique_ptr<RegistryKey> reopened;
  ASSERT_EQ(other->OpenKey(kUser, Path("Values"), &reopened), kOk);
  for (const auto& [name, value] : values) {
    RegistryValue read;
    read.text = "sentinel";
    ASSERT_EQ(reopened->GetValue(name, &read), kOk) << name;
    EXPECT_EQ(read.type, value.type) << name;
    EXPECT_TRUE(read == value) << name;
  }

  // Replacing a value may change its type.
  ASSERT_EQ(key->SetValue("Number", RegistryValue::String("forty-two")), kOk);
  RegistryValue read;
  ASSERT_EQ(reopened->GetValue("Number", &read), kOk);
  EXPECT_TRUE(read == RegistryValue::String("forty-two"));
}

TEST_F(RegistryContractTest, DefaultValueIsTheEmptyName) {
  auto key = Create("Default");
  ASSERT_NE(key, nullptr);
  RegistryValue read;
  EXPECT_EQ(key->GetValue("", &read), kFileNotFound);
  ASSERT_EQ(key->SetValue("", RegistryValue::String("{4B1A0D7C-0000-4000-8000-000000000001}")),
            kOk);
  ASSERT_EQ(key->SetValue("Other", RegistryValue::Dword(1)), kOk);

  std::string text;
  EXPECT_EQ(platform::ReadString(*registry_, kUser, Path("Default"), "", &text), kOk);
  EXPECT_EQ(text, "{4B1A0D7C-0000-4000-8000-000000000001}");
  std::vector<std::string> names;
  ASSERT_EQ(key->ListValues(&names), kOk);
  EXPECT_EQ(Sorted(names), (std::vector<std::string>{"", "Other"}));

  EXPECT_EQ(key->DeleteValue(""), kOk);
  EXPECT_EQ(key->GetValue("", &read), kFileNotFound);
}

TEST_F(RegistryContractTest, NamesMatchWithoutCaseAndKeepTheirCreationCase) {
  auto key = Create("MixedCase\\Inner");
  ASSERT_NE(key, nullptr);
  std::unique_ptr<RegistryKey> again;
  ASSERT_EQ(registry_->CreateKey(kUser, Path("MIXEDCASE\\inner"), &again), kOk);
  ASSERT_EQ(registry_->OpenKey(kUser, Path("mixedcase\\INNER"), &again), kOk);

  ASSERT_EQ(key->SetValue("Colour", RegistryValue::String("red")), kOk);
  ASSERT_EQ(again->SetValue("COLOUR", RegistryValue::String("blue")), kOk);
  RegistryValue read;
  ASSERT_EQ(key->GetValue("colour", &read), kOk);
  EXPECT_EQ(read.text, "blue");

  std::vector<std::string> names;
  ASSERT_EQ(key->ListValues(&names), kOk);
  EXPECT_EQ(names, std::vector<std::string>{"Colour"});
  std::unique_ptr<RegistryKey> scratch;
  ASSERT_EQ(registry_->OpenKey(kUser, scratch_, &scratch), kOk);
  ASSERT_EQ(scratch->ListSubKeys(&names), kOk);
  EXPECT_EQ(names, std::vector<std::string>{"MixedCase"});

  EXPECT_EQ(again->DeleteValue("cOLOUR"), kOk);
  EXPECT_EQ(key->GetValue("Colour", &read), kFileNotFound);
  EXPECT_EQ(registry_->DeleteTree(kUser, Path("mixedCASE")), kOk);
  EXPECT_EQ(registry_->OpenKey(kUser, Path("MixedCase"), &again), kFileNotFound);
}

TEST_F(RegistryContractTest, ListsSubKeysAndValues) {
  auto key = Create("List");
  ASSERT_NE(key, nullptr);
  std::vector<std::string> names = {"stale"};
  ASSERT_EQ(key->ListSubKeys(&names), kOk);
  EXPECT_TRUE(names.empty());
  names = {"stale"};
  ASSERT_EQ(key->ListValues(&names), kOk);
  EXPECT_TRUE(names.empty());

  for (const char* sub : {"Zeta", "alpha", "Mid dle", "Deep\\Er"}) {
    Create(std::string("List\\") + sub);
  }
  for (const char* value : {"b", "A", "c c"}) {
    ASSERT_EQ(key->SetValue(value, RegistryValue::Dword(7)), kOk);
  }
  ASSERT_EQ(key->ListSubKeys(&names), kOk);
  EXPECT_EQ(Sorted(names), (std::vector<std::string>{"Deep", "Mid dle", "Zeta", "alpha"}));
  ASSERT_EQ(key->ListValues(&names), kOk);
  EXPECT_EQ(Sorted(names), (std::vector<std::string>{"A", "b", "c c"}));
}

TEST_F(RegistryContractTest, MissingValuesAndDeletedKeysHaveTheirCodes) {
  auto key = Create("Gone");
  ASSERT_NE(key, nullptr);
  RegistryValue read;
  EXPECT_EQ(key->GetValue("Missing", &read), kFileNotFound);
  EXPECT_EQ(key->DeleteValue("Missing"), kFileNotFound);
  ASSERT_EQ(key->SetValue("Present", RegistryValue::Dword(5)), kOk);
  EXPECT_EQ(key->DeleteValue("Present"), kOk);
  EXPECT_EQ(key->GetValue("Present", &read), kFileNotFound);
  EXPECT_EQ(key->DeleteValue("Present"), kFileNotFound);

  // Windows answers ERROR_KEY_DELETED on a handle whose key was deleted.
  ASSERT_EQ(key->SetValue("Present", RegistryValue::Dword(5)), kOk);
  auto child = Create("Gone\\Child");
  ASSERT_EQ(registry_->DeleteTree(kUser, Path("Gone")), kOk);
  std::vector<std::string> names;
  EXPECT_EQ(key->GetValue("Present", &read), kKeyDeleted);
  EXPECT_EQ(key->SetValue("New", RegistryValue::Dword(1)), kKeyDeleted);
  EXPECT_EQ(key->DeleteValue("Present"), kKeyDeleted);
  EXPECT_EQ(key->ListValues(&names), kKeyDeleted);
  EXPECT_EQ(key->ListSubKeys(&names), kKeyDeleted);
  EXPECT_EQ(child->GetValue("", &read), kKeyDeleted);
  std::unique_ptr<RegistryKey> reopened;
  EXPECT_EQ(registry_->OpenKey(kUser, Path("Gone"), &reopened), kFileNotFound);
}

TEST_F(RegistryContractTest, WrappersCreateKeysAndCheckTypes) {
  const std::string path = Path("Wrapped\\Deeper");
  EXPECT_EQ(platform::WriteString(*registry_, kUser, path, "MasterFolder", "C:\\Master"), kOk);
  EXPECT_EQ(platform::WriteDword(*registry_, kUser, path, "Count", 3), kOk);
  EXPECT_EQ(platform::WriteValue(*registry_, kUser, path, "Root",
                                 RegistryValue::ExpandString("%ProgramFiles%")),
            kOk);

  std::string text = "sentinel";
  uint32_t number = 0xDEADBEEF;
  EXPECT_EQ(platform::ReadString(*registry_, kUser, path, "MasterFolder", &text), kOk);
  EXPECT_EQ(text, "C:\\Master");
  // Expandable strings are read as they are stored, not expanded.
  EXPECT_EQ(platform::ReadString(*registry_, kUser, path, "Root", &text), kOk);
  EXPECT_EQ(text, "%ProgramFiles%");
  EXPECT_EQ(platform::ReadDword(*registry_, kUser, path, "Count", &number), kOk);
  EXPECT_EQ(number, 3u);

  text = "sentinel";
  number = 0xDEADBEEF;
  EXPECT_EQ(platform::ReadString(*registry_, kUser, path, "Count", &text), kInvalidData);
  EXPECT_EQ(platform::ReadDword(*registry_, kUser, path, "MasterFolder", &number), kInvalidData);
  EXPECT_EQ(platform::ReadString(*registry_, kUser, path, "Missing", &text), kFileNotFound);
  EXPECT_EQ(platform::ReadDword(*registry_, kUser, Path("Nowhere"), "Count", &number),
            kFileNotFound);
  EXPECT_EQ(text, "sentinel");
  EXPECT_EQ(number, 0xDEADBEEFu);
}

TEST_F(RegistryContractTest, PathsFollowTheWindowsBackslashRules) {
  // Repeated and trailing backslashes count as one, as Windows counts them.
  ASSERT_NE(Create("One\\\\Two\\"), nullptr);
  std::unique_ptr<RegistryKey> key;
  EXPECT_EQ(registry_->OpenKey(kUser, Path("One\\Two"), &key), kOk);
  // A leading backslash is refused (ERROR_BAD_PATHNAME).
  EXPECT_EQ(registry_->OpenKey(kUser, "\\" + scratch_, &key), 161u);
  EXPECT_EQ(registry_->CreateKey(kUser, "\\" + scratch_, &key), 161u);
  EXPECT_EQ(registry_->DeleteTree(kUser, "\\" + scratch_), 161u);
  // A root cannot be deleted.
  EXPECT_EQ(registry_->DeleteTree(kUser, ""), kInvalidParameter);
  EXPECT_EQ(registry_->OpenKey(kUser, "Software", &key), kOk);
}

TEST_F(RegistryContractTest, RefusesWhatCouldNotBeReadBackUnchanged) {
  auto key = Create("Refused");
  ASSERT_NE(key, nullptr);
  // Windows would keep only the text before a NUL, and an empty entry would
  // end a multi-string early.
  EXPECT_EQ(key->SetValue("Nul", RegistryValue::String(std::string("a\0b", 3))),
            kInvalidParameter);
  EXPECT_EQ(key->SetValue("Gap", RegistryValue::MultiString({"a", "", "b"})), kInvalidParameter);
  EXPECT_EQ(key->SetValue("Line\nBreak", RegistryValue::Dword(1)), kInvalidParameter);
  std::unique_ptr<RegistryKey> bad;
  EXPECT_EQ(registry_->CreateKey(kUser, Path("Line\r\nBreak"), &bad), kInvalidParameter);
  std::vector<std::string> names;
  ASSERT_EQ(key->ListValues(&names), kOk);
  EXPECT_TRUE(names.empty());

  // Text with line breaks is an ordinary value.
  const RegistryValue lines = RegistryValue::String("first\r\nsecond\nthird");
  ASSERT_EQ(key->SetValue("Lines", lines), kOk);
  RegistryValue read;
  ASSERT_EQ(NewRegistry()->OpenKey(kUser, Path("Refused"), &bad), kOk);
  ASSERT_EQ(bad->GetValue("Lines", &read), kOk);
  EXPECT_TRUE(read == lines);
}

}  // namespace
