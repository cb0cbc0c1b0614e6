// Tests of the POSIX registry hive file: the REGEDIT4 text it reads and
// writes, malformed files, and several registries and processes sharing one
// file.
#if !defined(_WIN32)

#include <gtest/gtest.h>

#include <chrono>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/posix/registry_posix.h"
#include "platform/registry.h"
#include "platform/system_services.h"
#include "tests/support/test_support.h"

namespace platform {

// Readable failures of EXPECT_EQ on values; internal, so other test files may
// have their own.
[[maybe_unused]] static void PrintTo(const RegistryValue& value, std::ostream* out) {
  *out << "type " << static_cast<unsigned>(value.type) << ": ";
  switch (value.type) {
    case ValueType::kString:
    case ValueType::kExpandString:
      *out << '"' << value.text << '"';
      break;
    case ValueType::kDword:
      *out << value.dword;
      break;
    case ValueType::kBinary:
      for (uint8_t byte : value.bytes) *out << base::Format("%02x ", byte);
      break;
    case ValueType::kMultiString:
      for (const std::string& entry : value.strings) *out << '"' << entry << "\" ";
      break;
  }
}

}  // namespace platform

namespace {

using platform::kBadDatabase;
using platform::kFileNotFound;
using platform::kKeyDeleted;
using platform::kOk;
using platform::PosixRegistry;
using platform::RegistryKey;
using platform::RegistryValue;
using platform::RootKey;
using platform::Status;

constexpr RootKey kUser = RootKey::kCurrentUser;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class HiveTest : public ::testing::Test {
 protected:
  std::optional<RegistryValue> Read(PosixRegistry& registry, RootKey root, const std::string& path,
                                    const std::string& name) {
    std::unique_ptr<RegistryKey> key;
    RegistryValue value;
    if (registry.OpenKey(root, path, &key) != kOk || key->GetValue(name, &value) != kOk) {
      return std::nullopt;
    }
    return value;
  }

  test_support::TempFolder folder_;
  const std::string hive_ = folder_.Join("registry.reg");
};

// A file as people write them by hand: comments, both line ends, spaces
// around "=", every value form and continued hex lines.
const char kHandWritten[] =
    "REGEDIT4\r\n"
    "\r\n"
    "; Settings of the Glintmere bots\r\n"
    "[HKEY_CURRENT_USER\\Software\\Kel Software\\GMQFX]\r\n"
    "\"MasterFolder\"=\"C:\\\\Program Files\\\\Glintmere\\\\_glintmere\"\r\n"
    "\"Quote\"=\"say \\\"hi\\\" [x]=\\\\\"\n"
    "@=\"default text\"\r\n"
    "\"Count\"=dword:0000002A\r\n"
    "\"Blob\"=hex:00,01,7f,80,FF\r\n"
    "\"Path\"=hex(2):25,50,41,54,48,25,00\r\n"
    "\"List\"=hex(7):61,00,62,63,00,00\r\n"
    "\"Long\"=hex:00,01,02,03,\\\r\n"
    "  04,05,\\\n"
    "  06\r\n"
    "\"HexText\"=hex(1):41,0d,0a,42,00\r\n"
    "\"HexDword\"=hex(4):2a,01,00,00\r\n"
    "\"Nothing\"=hex:\r\n"
    "  \"Spaced\" = \"x\"  \r\n"
    "; the runner's lookup\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\FrontPage.Explorer.4.0\\CLSID]\r\n"
    "@=\"{A4C7F7A0-1111-4F11-9A11-000000000004}\"\r\n"
    "\r\n"
    "[hkey_local_machine]\r\n"
    "\"AtRoot\"=\"r\"\r\n";

TEST_F(HiveTest, ReadsEveryFormOfAHandWrittenFile) {
  test_support::WriteText(hive_, kHandWritten);
  PosixRegistry registry(hive_);
  const std::string key = "Software\\Kel Software\\GMQFX";
  auto read = [&](const std::string& name) { return Read(registry, kUser, key, name); };

  EXPECT_EQ(read("MasterFolder"),
            RegistryValue::String("C:\\Program Files\\Glintmere\\_glintmere"));
  EXPECT_EQ(read("Quote"), RegistryValue::String("say \"hi\" [x]=\\"));
  EXPECT_EQ(read(""), RegistryValue::String("default text"));
  EXPECT_EQ(read("Count"), RegistryValue::Dword(42));
  EXPECT_EQ(read("Blob"), RegistryValue::Binary({0x00, 0x01, 0x7F, 0x80, 0xFF}));
  EXPECT_EQ(read("Path"), RegistryValue::ExpandString("%PATH%"));
  EXPECT_EQ(read("List"), RegistryValue::MultiString({"a", "bc"}));
  EXPECT_EQ(read("Long"), RegistryValue::Binary({0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(read("HexText"), RegistryValue::String("A\r\nB"));
  EXPECT_EQ(read("HexDword"), RegistryValue::Dword(0x12A));
  EXPECT_EQ(read("Nothing"), RegistryValue::Binary({}));
  EXPECT_EQ(read("Spaced"), RegistryValue::String("x"));
  EXPECT_EQ(Read(registry, RootKey::kClassesRoot, "FrontPage.Explorer.4.0\\CLSID", ""),
            RegistryValue::String("{A4C7F7A0-1111-4F11-9A11-000000000004}"));
  EXPECT_EQ(Read(registry, RootKey::kLocalMachine, "", "AtRoot"), RegistryValue::String("r"));
  // The roots are separate: the same path under HKCR holds nothing.
  EXPECT_EQ(Read(registry, RootKey::kClassesRoot, key, "Count"), std::nullopt);
}

TEST_F(HiveTest, WritesBackEverythingItReadAndKeepsComments) {
  test_support::WriteText(hive_, kHandWritten);
  PosixRegistry original(hive_);
  ASSERT_EQ(platform::WriteDword(original, kUser, "Software\\Added", "New", 1), kOk);

  const std::string text = test_support::ReadText(hive_);
  const std::vector<std::string> lines = Lines(text);
  EXPECT_EQ(text.rfind("REGEDIT4\r\n\r\n", 0), 0u);
  auto has_line = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has_line("; Settings of the Glintmere bots"));
  EXPECT_TRUE(has_line("; the runner's lookup"));
  EXPECT_TRUE(has_line("\"MasterFolder\"=\"C:\\\\Program Files\\\\Glintmere\\\\_glintmere\""));
  EXPECT_TRUE(has_line("\"Quote\"=\"say \\\"hi\\\" [x]=\\\\\""));
  EXPECT_TRUE(has_line("\"Count\"=dword:0000002a"));
  EXPECT_TRUE(has_line("\"HexText\"=hex(1):41,0d,0a,42,00"));
  EXPECT_TRUE(has_line("[HKEY_LOCAL_MACHINE]"));
  EXPECT_TRUE(has_line("[HKEY_CURRENT_USER\\Software\\Added]"));

  // A registry reading the written file sees what one reading the original sees.
  const std::string copy = folder_.Join("original.reg");
  test_support::WriteText(copy, kHandWritten);
  PosixRegistry written(hive_), source(copy);
  const std::string key = "Software\\Kel Software\\GMQFX";
  std::unique_ptr<RegistryKey> source_key;
  ASSERT_EQ(source.OpenKey(kUser, key, &source_key), kOk);
  std::vector<std::string> names;
  ASSERT_EQ(source_key->ListValues(&names), kOk);
  ASSERT_EQ(names.size(), 12u);
  for (const std::string& name : names) {
    EXPECT_EQ(Read(written, kUser, key, name), Read(source, kUser, key, name)) << name;
  }
  EXPECT_EQ(Read(written, RootKey::kLocalMachine, "", "AtRoot"), RegistryValue::String("r"));

  // Writing again changes nothing: the written form is stable.
  ASSERT_EQ(platform::WriteDword(written, kUser, "Software\\Added", "New", 2), kOk);
  ASSERT_EQ(platform::WriteDword(written, kUser, "Software\\Added", "New", 1), kOk);
  EXPECT_EQ(test_support::ReadText(hive_), text);
}

TEST_F(HiveTest, WritesValuesAsRegeditDoes) {
  PosixRegistry registry(hive_);
  std::unique_ptr<RegistryKey> key;
  ASSERT_EQ(registry.CreateKey(kUser, "Software\\Forms", &key), kOk);
  std::vector<uint8_t> long_bytes(100);
  for (size_t i = 0; i < long_bytes.size(); ++i) long_bytes[i] = static_cast<uint8_t>(i * 7);
  ASSERT_EQ(key->SetValue("", RegistryValue::String("d")), kOk);
  ASSERT_EQ(key->SetValue("n", RegistryValue::Dword(42)), kOk);
  ASSERT_EQ(key->SetValue("e", RegistryValue::ExpandString("%A%")), kOk);
  ASSERT_EQ(key->SetValue("m", RegistryValue::MultiString({"a", "b"})), kOk);
  ASSERT_EQ(key->SetValue("two\nlines", RegistryValue::Dword(0)), platform::kInvalidParameter);
  ASSERT_EQ(key->SetValue("crlf", RegistryValue::String("a\r\nb")), kOk);
  ASSERT_EQ(key->SetValue("long", RegistryValue::Binary(long_bytes)), kOk);

  const std::vector<std::string> lines = Lines(test_support::ReadText(hive_));
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 9),
            (std::vector<std::string>{"REGEDIT4", "", "[HKEY_CURRENT_USER\\Software]", "",
                                      "[HKEY_CURRENT_USER\\Software\\Forms]", "@=\"d\"",
                                      "\"n\"=dword:0000002a", "\"e\"=hex(2):25,41,25,00",
                                      "\"m\"=hex(7):61,00,62,00,00"}));
  EXPECT_EQ(lines[9], "\"crlf\"=hex(1):61,0d,0a,62,00");
  // The long value is wrapped within 80 columns, every line but the last
  // ending in ",\".
  size_t wrapped = 0;
  for (size_t i = 10; i < lines.size() && !lines[i].empty(); ++i, ++wrapped) {
    EXPECT_LE(lines[i].size(), 80u) << lines[i];
    bool last = i + 1 == lines.size() || lines[i + 1].empty();
    EXPECT_EQ(base::EndsWithNoCase(lines[i], ",\\"), !last) << lines[i];
  }
  EXPECT_GE(wrapped, 4u);

  PosixRegistry other(hive_);
  EXPECT_EQ(Read(other, kUser, "Software\\Forms", "long"), RegistryValue::Binary(long_bytes));
  EXPECT_EQ(Read(other, kUser, "Software\\Forms", "crlf"), RegistryValue::String("a\r\nb"));
}

struct MalformedCase {
  std::string body;  // after "REGEDIT4" and a blank line, unless it starts with '!'
  size_t line;
  const char* phrase;
};

// A key nested deeper than Windows allows.
std::string DeepSection(size_t depth) {
  std::string section = "[HKEY_CURRENT_USER";
  for (size_t i = 0; i < depth; ++i) section += "\\k";
  return section + "]\r\n";
}

TEST_F(HiveTest, MalformedFilesAreReportedAndNeverWritten) {
  const MalformedCase cases[] = {
      {"!REGEDIT5\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n", 1, "REGEDIT4"},
      {"!Windows Registry Editor Version 5.00\r\n", 1, "REGEDIT4"},
      {"\"a\"=\"b\"\r\n", 3, "before the first key"},
      {"[HKEY_CURRENT_USER\\A\r\n", 3, "\"]\""},
      {"[HKEY_USERS\\A]\r\n", 3, "HKEY_USERS"},
      {"[HKEY_CURRENT_USER\\A\\\\B]\r\n", 3, "empty key name"},
      {"[-HKEY_CURRENT_USER\\A]\r\n", 3, "deletion"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"no end\r\n", 4, "closing quote"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"C:\\Program Files\"\r\n", 4, "\\P"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"b\" junk\r\n", 4, "after the closing quote"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"a\" \"b\"\r\n", 4, "\"=\""},
      {"[HKEY_CURRENT_USER\\A]\r\n\"a\"=-\r\n", 4, "deletion"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"d\"=dword:123456789\r\n", 4, "dword"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"d\"=dword:12g4\r\n", 4, "dword"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"b\"=hex:00,zz,01\r\n", 4, "\"zz\""},
      {"[HKEY_CURRENT_USER\\A]\r\n\"b\"=hex:00,,01\r\n", 4, "missing"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"b\"=hex:00,\\\r\n  01,123\r\n", 5, "\"123\""},
      {"[HKEY_CURRENT_USER\\A]\r\n\"b\"=hex:00,01,\\\r\n", 4, "end of the file"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"q\"=hex(b):00,00,00,00,00,00,00,00\r\n", 4, "hex(b)"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"e\"=hex(2):41,00,42,00\r\n", 4, "after the NUL"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"d\"=hex(4):01,02\r\n", 4, "four bytes"},
      {"[HKEY_CURRENT_USER\\A]\r\n\"a\"=\"1\"\r\n\r\n[HKEY_CURRENT_USER\\a]\r\n\"A\"=\"2\"\r\n", 7,
       "twice"},
      {"[HKEY_CURRENT_USER\\A]\r\n@=\"1\"\r\n@=\"2\"\r\n", 5, "twice"},
      {"[HKEY_CURRENT_USER\\A]\r\nMasterFolder=C:\\\r\n", 4, "not a key, a value"},
      {DeepSection(513), 3, "deeper than 512"},
  };
  for (const MalformedCase& c : cases) {
    SCOPED_TRACE(c.body);
    const std::string text =
        c.body[0] == '!' ? c.body.substr(1) : std::string("REGEDIT4\r\n\r\n") + c.body;
    test_support::WriteText(hive_, text);
    PosixRegistry registry(hive_);
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(registry.OpenKey(kUser, "A", &key), kBadDatabase);
    const std::string message = registry.LastErrorText();
    EXPECT_NE(message.find(hive_), std::string::npos) << message;
    EXPECT_NE(message.find(base::Format("line %zu:", c.line)), std::string::npos) << message;
    EXPECT_NE(message.find(c.phrase), std::string::npos) << message;

    EXPECT_EQ(registry.CreateKey(kUser, "A\\New", &key), kBadDatabase);
    EXPECT_EQ(platform::WriteString(registry, kUser, "B", "v", "x"), kBadDatabase);
    EXPECT_EQ(registry.DeleteTree(kUser, "A"), kBadDatabase);
    EXPECT_EQ(registry.LastErrorText(), message);
    EXPECT_EQ(test_support::ReadText(hive_), text);
    EXPECT_EQ(FilesIn(folder_.path()),
              (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
  }
}

TEST_F(HiveTest, AFileBrokenLaterIsLeftAloneUntilRepaired) {
  PosixRegistry registry(hive_);
  std::unique_ptr<RegistryKey> key;
  ASSERT_EQ(registry.CreateKey(kUser, "Software\\Kept", &key), kOk);
  ASSERT_EQ(key->SetValue("v", RegistryValue::Dword(1)), kOk);
  const std::string good = test_support::ReadText(hive_);

  const std::string broken = good + "\"stray\"=\"unterminated\r\n";
  test_support::WriteText(hive_, broken);
  EXPECT_EQ(key->SetValue("v", RegistryValue::Dword(2)), kBadDatabase);
  EXPECT_NE(registry.LastErrorText().find("closing quote"), std::string::npos);
  RegistryValue read;
  EXPECT_EQ(key->GetValue("v", &read), kBadDatabase);
  EXPECT_EQ(test_support::ReadText(hive_), broken);

  test_support::WriteText(hive_, good);
  ASSERT_EQ(key->SetValue("v", RegistryValue::Dword(3)), kOk);
  ASSERT_EQ(key->GetValue("v", &read), kOk);
  EXPECT_EQ(read.dword, 3u);
  // A plain failure leaves nothing more to say.
  EXPECT_EQ(key->GetValue("missing", &read), kFileNotFound);
  EXPECT_EQ(registry.LastErrorText(), "");
}

TEST_F(HiveTest, MissingFileIsAnEmptyRegistryUntilTheFirstWrite) {
  const std::string nested = folder_.Join("not/yet/there/registry.reg");
  PosixRegistry registry(nested);
  std::unique_ptr<RegistryKey> key;
  EXPECT_EQ(registry.OpenKey(kUser, "Software", &key), kFileNotFound);
  ASSERT_EQ(registry.OpenKey(kUser, "", &key), kOk);
  std::vector<std::string> names = {"stale"};
  ASSERT_EQ(key->ListSubKeys(&names), kOk);
  EXPECT_TRUE(names.empty());
  EXPECT_FALSE(test_support::Exists(folder_.Join("not")));

  ASSERT_EQ(platform::WriteString(registry, kUser, "Software\\X", "", "y"), kOk);
  EXPECT_EQ(test_support::ReadText(nested).rfind("REGEDIT4\r\n", 0), 0u);

  // An empty file (made by touch, say) is an empty registry as well.
  test_support::WriteText(hive_, "");
  PosixRegistry empty(hive_);
  EXPECT_EQ(empty.OpenKey(kUser, "Software", &key), kFileNotFound);
  ASSERT_EQ(platform::WriteDword(empty, kUser, "Software", "n", 1), kOk);
}

TEST_F(HiveTest, UnwritableLocationFailsWithAMessage) {
  test_support::WriteText(folder_.Join("plain-file"), "x");
  const std::string inside_file = folder_.Join("plain-file/registry.reg");
  PosixRegistry registry(inside_file);
  std::unique_ptr<RegistryKey> key;
  EXPECT_EQ(registry.OpenKey(kUser, "Software", &key), kFileNotFound);
  EXPECT_EQ(registry.CreateKey(kUser, "Software", &key), platform::kPathNotFound);
  EXPECT_NE(registry.LastErrorText().find(inside_file), std::string::npos)
      << registry.LastErrorText();
}

TEST_F(HiveTest, KeysNestAtMostAsDeepAsOnWindows) {
  PosixRegistry registry(hive_);
  std::string path = "k";
  for (int i = 1; i < 512; ++i) path += "\\k";
  std::unique_ptr<RegistryKey> key;
  ASSERT_EQ(registry.CreateKey(kUser, path, &key), kOk);
  EXPECT_EQ(registry.CreateKey(kUser, path + "\\k", &key), platform::kInvalidParameter);
  PosixRegistry other(hive_);
  EXPECT_EQ(other.OpenKey(kUser, path, &key), kOk);
}

TEST_F(HiveTest, WritesThroughASymbolicLink) {
  const std::string target = folder_.Join("real.reg");
  ASSERT_EQ(symlink(target.c_str(), hive_.c_str()), 0);
  PosixRegistry registry(hive_);
  ASSERT_EQ(platform::WriteDword(registry, kUser, "Software", "n", 7), kOk);
  ASSERT_EQ(platform::WriteDword(registry, kUser, "Software", "m", 8), kOk);
  EXPECT_TRUE(std::filesystem::is_symlink(hive_));
  EXPECT_NE(test_support::ReadText(target).find("\"m\"=dword:00000008"), std::string::npos);
}

TEST_F(HiveTest, TwoRegistriesOnOneFileSeeEachOthersChanges) {
  PosixRegistry first(hive_), second(hive_);
  std::unique_ptr<RegistryKey> from_first, from_second;
  ASSERT_EQ(first.CreateKey(kUser, "Software\\Shared", &from_first), kOk);
  ASSERT_EQ(second.OpenKey(kUser, "software\\shared", &from_second), kOk);

  ASSERT_EQ(from_first->SetValue("a", RegistryValue::Dword(1)), kOk);
  ASSERT_EQ(from_second->SetValue("b", RegistryValue::Dword(2)), kOk);
  ASSERT_EQ(from_first->SetValue("a", RegistryValue::Dword(3)), kOk);
  EXPECT_EQ(Read(second, kUser, "Software\\Shared", "a"), RegistryValue::Dword(3));
  EXPECT_EQ(Read(first, kUser, "Software\\Shared", "b"), RegistryValue::Dword(2));

  // A key deleted by one is deleted for the other's open handle too; made
  // again under the same path, the handle sees the new key.
  ASSERT_EQ(second.DeleteTree(kUser, "Software\\Shared"), kOk);
  RegistryValue read;
  EXPECT_EQ(from_first->GetValue("a", &read), kKeyDeleted);
  std::unique_ptr<RegistryKey> again;
  ASSERT_EQ(second.CreateKey(kUser, "Software\\Shared", &again), kOk);
  EXPECT_EQ(from_first->GetValue("a", &read), kFileNotFound);

  // Another program replacing the file is noticed as well.
  const std::string replaced = folder_.Join("replacement.reg");
  test_support::WriteText(replaced, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Shared]\r\n"
                                    "\"c\"=\"new\"\r\n");
  ASSERT_EQ(std::rename(replaced.c_str(), hive_.c_str()), 0);
  EXPECT_EQ(Read(first, kUser, "Software\\Shared", "c"), RegistryValue::String("new"));
}

TEST_F(HiveTest, ProcessesWritingAtOnceLoseNoUpdate) {
  constexpr int kProcesses = 3;
  constexpr int kValuesEach = 40;
  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      PosixRegistry registry(hive_);
      bool ok = true;
      for (int i = 0; i < kValuesEach; ++i) {
        const std::string name = base::Format("p%d-%d", p, i);
        ok &= platform::WriteDword(registry, kUser, "Software\\Race", name, i) == kOk;
        if (i % 10 == 0) {
          std::unique_ptr<RegistryKey> key;
          ok &= registry.CreateKey(kUser, "Software\\Race\\" + name, &key) == kOk;
        }
      }
      _exit(ok ? 0 : 1);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  PosixRegistry registry(hive_);
  std::unique_ptr<RegistryKey> key;
  ASSERT_EQ(registry.OpenKey(kUser, "Software\\Race", &key), kOk);
  std::vector<std::string> names;
  ASSERT_EQ(key->ListValues(&names), kOk);
  EXPECT_EQ(names.size(), static_cast<size_t>(kProcesses * kValuesEach));
  for (int p = 0; p < kProcesses; ++p) {
    EXPECT_EQ(Read(registry, kUser, "Software\\Race", base::Format("p%d-%d", p, kValuesEach - 1)),
              RegistryValue::Dword(kValuesEach - 1));
  }
  ASSERT_EQ(key->ListSubKeys(&names), kOk);
  EXPECT_EQ(names.size(), static_cast<size_t>(kProcesses * kValuesEach / 10));
  // Only the hive and its lock file are left: no temporary files.
  EXPECT_EQ(FilesIn(folder_.path()),
            (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
}

// A hive of a hundred thousand keys (and one key of a hundred thousand
// values) is read, searched and written back in seconds, not hours.
TEST_F(HiveTest, LargeHivesLoadInNLogNTime) {
  constexpr int kCount = 100000;
  std::string text = "REGEDIT4\r\n\r\n";
  for (int i = 0; i < kCount; ++i) {
    text += base::Format("[HKEY_CURRENT_USER\\Software\\Many\\K%d]\r\n\"v\"=dword:%08x\r\n", i, i);
  }
  text += "[HKEY_CURRENT_USER\\Software\\Values]\r\n";
  for (int i = 0; i < kCount; ++i) text += base::Format("\"V%d\"=\"%d\"\r\n", i, i);
  test_support::WriteText(hive_, text);
  const auto started = std::chrono::steady_clock::now();
  PosixRegistry registry(hive_);
  EXPECT_EQ(Read(registry, kUser, "Software\\Many\\k99999", "V"), RegistryValue::Dword(99999));
  EXPECT_EQ(Read(registry, kUser, "Software\\Values", "v77777"), RegistryValue::String("77777"));
  EXPECT_EQ(platform::WriteDword(registry, kUser, "Software\\Many\\K5", "w", 1), kOk);
  EXPECT_EQ(registry.DeleteTree(kUser, "Software\\Many\\K7"), kOk);
  PosixRegistry again(hive_);
  EXPECT_EQ(Read(again, kUser, "Software\\Many\\K5", "w"), RegistryValue::Dword(1));
  EXPECT_EQ(Read(again, kUser, "Software\\Many\\K7", "v"), std::nullopt);
  EXPECT_EQ(Read(again, kUser, "Software\\Many\\K8", "v"), RegistryValue::Dword(8));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
}

// A writer killed half way leaves its temporary file; the next write, which
// holds the lock every writer holds, removes it.
TEST_F(HiveTest, TemporaryFilesOfKilledWritersGoWithTheNextWrite) {
  PosixRegistry registry(hive_);
  ASSERT_EQ(platform::WriteDword(registry, kUser, "Software\\X", "a", 1), kOk);
  test_support::WriteText(hive_ + ".tmp-Ab3xYz", "REGEDIT4\r\n half");
  test_support::WriteText(hive_ + ".tmp-other-name", "not ours");
  ASSERT_EQ(platform::WriteDword(registry, kUser, "Software\\X", "a", 2), kOk);
  EXPECT_EQ(FilesIn(folder_.path()),
            (std::vector<std::string>{"registry.reg", "registry.reg.lock",
                                      "registry.reg.tmp-other-name"}));
}

// Sets or clears an environment variable for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST_F(HiveTest, SystemRegistryFindsItsFileInTheEnvironment) {
  {
    ScopedEnv registry_env("GLINTMERE_REGISTRY", hive_.c_str());
    EXPECT_EQ(platform::DefaultHivePath(), hive_);
    auto system = platform::CreateSystemRegistry();
    ASSERT_EQ(platform::WriteString(*system, kUser, "Software\\Env", "", "set"), kOk);
    PosixRegistry direct(hive_);
    EXPECT_EQ(Read(direct, kUser, "Software\\Env", ""), RegistryValue::String("set"));
  }
  ScopedEnv no_registry("GLINTMERE_REGISTRY", nullptr);
  ScopedEnv home("HOME", "/home/someone");
  {
    ScopedEnv data("XDG_DATA_HOME", "/data/someone");
    EXPECT_EQ(platform::DefaultHivePath(), "/data/someone/glintmere/registry.reg");
  }
  // A relative XDG_DATA_HOME is ignored, as the XDG rules say.
  ScopedEnv relative("XDG_DATA_HOME", "relative");
  EXPECT_EQ(platform::DefaultHivePath(), "/home/someone/.local/share/glintmere/registry.reg");
}

}  // namespace

#endif  // !defined(_WIN32)
