// RegKey over the registry service: values written by their input's type or
// the existing value's, read back converted, enumerated and deleted, and the
// errors it shows only when asked.
#include <gtest/gtest.h>

#include "base/text.h"
#include "menu_activate/reg_key.h"
#include "platform/environment.h"
#include "platform/services.h"
#include "tests/support/test_support.h"
#include "ui/scripted/scripted_backend.h"

namespace {

using menu_activate::RegData;
using menu_activate::RegKey;
using platform::RegistryValue;
using Strings = std::vector<std::string>;

class RegKeyTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::GetRegistry().DeleteTree(platform::RootKey::kCurrentUser, path_); }
  RegistryValue Stored(const std::string& name) {
    RegistryValue value;
    std::unique_ptr<platform::RegistryKey> key;
    platform::GetRegistry().OpenKey(platform::RootKey::kCurrentUser, path_, &key);
    EXPECT_TRUE(key && key->GetValue(name, &value) == platform::kOk) << name;
    return value;
  }

  const std::string path_ = "Software\\" + test_support::UniqueName("GlintmereRegKey");
  RegKey key_{platform::GetRegistry()};
};

TEST_F(RegKeyTest, NewValuesTakeTheInputsTypeAndReadBackConverted) {
  // A variable among the environment's first, with a short value.
  std::string variable;
  const Strings names = platform::EnvironmentNames();
  for (size_t i = 0; i < names.size() && i < 100 && variable.empty(); ++i) {
    if (platform::EnvironmentValue(names[i]).value_or("").size() < 100) variable = names[i];
  }
  ASSERT_FALSE(variable.empty());
  EXPECT_TRUE(menu_activate::NamesEnvironmentVariable("a%" + base::ToLower(variable) + "%"));
  EXPECT_FALSE(menu_activate::NamesEnvironmentVariable("%" + variable + "_GLINTMERE%"));
  const std::string expand = "%" + variable + "%\\x";
  struct Case {
    const char* name;
    RegData input;
    int options;
    RegistryValue stored;
    RegData read;
  };
  const Case cases[] = {
      {"Text", std::string("C:\\T"), 0, RegistryValue::String("C:\\T"), std::string("C:\\T")},
      {"Expand", expand, 0, RegistryValue::ExpandString(expand), *platform::EnvironmentValue(variable) + "\\x"},
      {"Number", int64_t{-1}, 0, RegistryValue::Dword(0xFFFFFFFF), int64_t{0xFFFFFFFF}},
      {"NumberText", int64_t{7}, RegKey::kNumbersAsText, RegistryValue::String("7"), std::string("7")},
      {"", int64_t{5}, 0, RegistryValue::String("5"), std::string("5")},
      {"List", Strings{"a", "b c"}, 0, RegistryValue::MultiString({"a", "b c"}), Strings{"a", "b c"}},
  };
  key_.SetKey(path_);
  for (const Case& c : cases) {
    key_.SetOptions(c.options);
    EXPECT_TRUE(key_.SetValue(c.name, c.input)) << c.name;
    EXPECT_EQ(Stored(c.name), c.stored) << c.name;
    EXPECT_EQ(key_.Value(base::ToLower(c.name)), c.read) << c.name;
  }
  // Nothing to write writes nothing; an absent value reads as nothing.
  EXPECT_TRUE(key_.SetValue("Empty", std::string()));
  EXPECT_EQ(key_.Value("Empty"), RegData{});
  EXPECT_EQ(key_.ValueCount(), static_cast<int>(std::size(cases)));
}

TEST_F(RegKeyTest, AnExistingValueKeepsItsTypeOrRefusesTheWrite) {
  struct Case {
    const char* name;
    RegistryValue before;
    RegData input;
    RegistryValue after;
    const char* error;  // "" when written
  };
  const Case cases[] = {
      {"Str", RegistryValue::String("old"), int64_t{12}, RegistryValue::String("12"), ""},
      {"Dw", RegistryValue::Dword(1), std::string(" 42 "), RegistryValue::Dword(42), ""},
      {"DwBad", RegistryValue::Dword(1), std::string("4x"), RegistryValue::Dword(1), "Type mismatch"},
      {"Multi", RegistryValue::MultiString({"a"}), std::string("b"), RegistryValue::MultiString({"b"}), ""},
      {"Bin", RegistryValue::Binary({1, 2}), std::string("text"), RegistryValue::Binary({1, 2}),
       "Existing value has unsupported data type and will not be overwritten"},
  };
  for (const Case& c : cases) {
    platform::WriteValue(platform::GetRegistry(), platform::RootKey::kCurrentUser, path_, c.name, c.before);
  }
  key_.SetKey(path_);
  for (const Case& c : cases) {
    EXPECT_EQ(key_.SetValue(c.name, c.input), *c.error == '\0') << c.name;
    EXPECT_EQ(Stored(c.name), c.after) << c.name;
    if (*c.error) {
      EXPECT_EQ(key_.last_error(), c.error) << c.name;
    }
  }
}

TEST_F(RegKeyTest, SubkeysAndValuesAreListedCountedAndDeleted) {
  key_.SetKey(path_ + "\\One");
  key_.SetKey(path_);
  EXPECT_TRUE(key_.SetValue("A", std::string("1")));
  EXPECT_EQ(key_.AllKeys(), Strings{"One"});
  EXPECT_TRUE(key_.DeleteValue("a"));
  EXPECT_FALSE(key_.DeleteValue("a"));
  EXPECT_EQ(key_.ValueCount(), 0);
  EXPECT_TRUE(key_.DeleteKey());
  key_.SetKey(path_);
  EXPECT_EQ(key_.KeyCount(), 0);
}

TEST_F(RegKeyTest, ErrorsAreShownOnlyWhenAsked) {
  ui::ScriptedBackend backend;
  ui::ScopedScriptedBackend scoped(&backend);
  RegKey silent(platform::GetRegistry());
  EXPECT_EQ(silent.Value("x"), RegData{});
  EXPECT_FALSE(silent.SetValue("x", std::string("y")));
  EXPECT_EQ(silent.last_error(), "No Key name specified!");
  EXPECT_TRUE(backend.driver().shown().empty());
  RegKey loud(platform::GetRegistry());
  loud.SetOptions(RegKey::kShowErrors);
  loud.SetOptions(16);  // out of range: ignored
  EXPECT_FALSE(loud.DeleteKey());
  ASSERT_EQ(backend.driver().shown().size(), 1u);
  EXPECT_EQ(backend.driver().shown()[0].caption, "Registry Error");
  EXPECT_EQ(backend.driver().shown()[0].text, "No Key name specified!");
  EXPECT_EQ(backend.driver().shown()[0].icon, ui::Icon::kWarning);
}

TEST(ExpandVariablesTest, KnownNamesAreReplacedAndEverythingElseKept) {
  const std::string name = test_support::UniqueName("GLINTMERE_EXPAND");
  ASSERT_TRUE(platform::SetEnvironmentValue(name, "C:\\Temp"));
  const std::pair<std::string, std::string> cases[] = {
      {"%" + name + "%\\a", "C:\\Temp\\a"},      {"100%%" + name + "%", "100%C:\\Temp"},
      {"%NO_SUCH_GLINTMERE_VARIABLE%", "%NO_SUCH_GLINTMERE_VARIABLE%"},
      {std::string(2000, '%'), std::string(1023, '%')},
  };
  for (const auto& [text, expanded] : cases) EXPECT_EQ(menu_activate::ExpandVariables(text), expanded) << text;
  platform::ClearEnvironmentValue(name);
}

}  // namespace
