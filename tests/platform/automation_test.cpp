// Tests of the automation service and of serving automation objects. A real
// in-process server (fixtures/echo_server.cpp) is registered with the
// product's registration helpers and created by ProgID: natively through the
// registry hive and the library's factory export, under Wine through COM.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "base/text.h"
#include "platform/automation.h"
#include "platform/com_registration.h"
#include "platform/dispatch_server.h"
#include "platform/services.h"
#include "platform/system_services.h"
#include "tests/platform/fixtures/echo_server.h"
#include "tests/support/test_support.h"

namespace {

using platform::CreateStage;
using platform::DispatchValue;
using platform::HResult;
using platform::RootKey;
using platform::ServedClass;

constexpr HResult kSFalse = 1;
// What the echo server's class would be in a table; registration needs only
// the identifiers.
constexpr ServedClass kEchoClass = {echo_server::kClassId, echo_server::kProgId, nullptr, {}};

std::string Hex(HResult code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

std::string EchoServerPath() {
  return test_support::BinFolder() + test_support::LibraryFileName(echo_server::kLibraryStem);
}

// A class identifier and ProgID no other test run uses.
struct ScratchClass {
  std::string clsid;
  std::string prog_id;
  ServedClass served() const { return {clsid.c_str(), prog_id.c_str(), nullptr, {}}; }
};

ScratchClass NewScratchClass() {
  static std::mt19937_64 random{std::random_device{}()};
  const uint64_t high = random();
  const uint64_t low = random();
  char clsid[40];
  std::snprintf(clsid, sizeof clsid, "{%08X-%04X-%04X-%04X-%012llX}",
                static_cast<unsigned>(high >> 32), static_cast<unsigned>((high >> 16) & 0xFFFF),
                static_cast<unsigned>(high & 0xFFFF), static_cast<unsigned>(low >> 48),
                static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFull));
  std::string prog_id = test_support::UniqueName("Glintmere.Scratch");
  for (char& c : prog_id) {
    if (c == '-') c = '.';
  }
  return {clsid, prog_id};
}

bool KeyExists(const std::string& path) {
  std::unique_ptr<platform::RegistryKey> key;
  return platform::GetRegistry().OpenKey(RootKey::kClassesRoot, path, &key) == platform::kOk;
}

std::string ReadClassesValue(const std::string& path, const std::string& name) {
  std::string text;
  const platform::Status status =
      platform::ReadString(platform::GetRegistry(), RootKey::kClassesRoot, path, name, &text);
  return status == platform::kOk ? text : "<status " + std::to_string(status) + ">";
}

TEST(AutomationInitializeTest, NestsLikeOleInitialize) {
  std::unique_ptr<platform::Automation> automation = platform::CreateSystemAutomation();
  EXPECT_EQ(Hex(automation->Initialize()), Hex(platform::kSOk));
  EXPECT_EQ(Hex(automation->Initialize()), Hex(kSFalse));
  automation->Uninitialize();
  automation->Uninitialize();
  // Balanced: the next one starts afresh.
  EXPECT_EQ(Hex(automation->Initialize()), Hex(platform::kSOk));
  automation->Uninitialize();
}

// The echo server registered in the registry COM reads (the scratch hive
// natively), and one object of it created by ProgID.
class AutomationTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::Succeeded(automation_->Initialize()));
    initialized_ = true;
    platform::UnregisterServedClass(platform::GetRegistry(), kEchoClass);
    ASSERT_EQ(platform::RegisterServedClass(platform::GetRegistry(), kEchoClass, EchoServerPath()),
              platform::kOk);
    echo_ = CreateEcho();
    ASSERT_TRUE(echo_);
  }

  void TearDown() override {
    echo_.reset();
    for (const ScratchClass& scratch : scratch_) {
      platform::UnregisterServedClass(platform::GetRegistry(), scratch.served());
      platform::GetRegistry().DeleteTree(RootKey::kClassesRoot, scratch.prog_id);
    }
    platform::UnregisterServedClass(platform::GetRegistry(), kEchoClass);
    if (initialized_) automation_->Uninitialize();
  }

  std::unique_ptr<platform::DispatchObject> CreateEcho() {
    platform::CreateResult created = automation_->Create(echo_server::kProgId);
    EXPECT_EQ(created.failed_stage, CreateStage::kNone) << "error " << Hex(created.error);
    return std::move(created.object);
  }

  // A scratch class removed again in TearDown.
  const ScratchClass& AddScratch() { return scratch_.emplace_back(NewScratchClass()); }

  // Calls a method of the echo object that must succeed.
  DispatchValue Call(std::string_view method, std::vector<DispatchValue> args = {}) {
    DispatchValue result = DispatchValue::Int(0x5EED);  // must be replaced
    const HResult hr = echo_->Invoke(method, args, &result);
    EXPECT_EQ(Hex(hr), Hex(platform::kSOk)) << method;
    return result;
  }

  std::unique_ptr<platform::Automation> automation_ = platform::CreateSystemAutomation();
  bool initialized_ = false;
  std::unique_ptr<platform::DispatchObject> echo_;
  std::vector<ScratchClass> scratch_;
};

TEST_F(AutomationTest, UnknownProgIdFailsTheClassLookup) {
  const platform::CreateResult created = automation_->Create(NewScratchClass().prog_id);
  EXPECT_EQ(created.failed_stage, CreateStage::kClassLookup);
  EXPECT_EQ(Hex(created.error), Hex(platform::kCoEClassString));
  EXPECT_FALSE(created.object);
}

TEST_F(AutomationTest, ClassWhoseServerIsMissingFailsInstantiation) {
  const ScratchClass& scratch = AddScratch();
  const ServedClass served = scratch.served();
  ASSERT_EQ(platform::RegisterServedClass(
                platform::GetRegistry(), served,
                test_support::BinFolder() + test_support::LibraryFileName("NoSuchServer")),
            platform::kOk);
  const platform::CreateResult created = automation_->Create(scratch.prog_id);
  EXPECT_EQ(created.failed_stage, CreateStage::kInstantiation);
  EXPECT_FALSE(platform::Succeeded(created.error)) << Hex(created.error);
  EXPECT_FALSE(created.object);
#if !defined(_WIN32)
  EXPECT_EQ(Hex(created.error), Hex(platform::kCoEDllNotFound));
#endif
}

TEST_F(AutomationTest, ServerThatDoesNotServeTheClassFailsInstantiation) {
  // A class registered to the echo server's library, which does not serve it.
  const ScratchClass& scratch = AddScratch();
  ASSERT_EQ(platform::RegisterServedClass(platform::GetRegistry(), scratch.served(),
                                          EchoServerPath()),
            platform::kOk);
  const platform::CreateResult created = automation_->Create(scratch.prog_id);
  EXPECT_EQ(created.failed_stage, CreateStage::kInstantiation);
  EXPECT_FALSE(platform::Succeeded(created.error)) << Hex(created.error);
  EXPECT_FALSE(created.object);
#if !defined(_WIN32)
  EXPECT_EQ(Hex(created.error), Hex(platform::kRegDbEClassNotReg));
#endif
}

TEST_F(AutomationTest, MalformedClassIdentifierFailsTheClassLookup) {
  // A CLSID value that would lead the lookup out of the CLSID key.
  const ScratchClass& scratch = AddScratch();
  ASSERT_EQ(platform::WriteString(platform::GetRegistry(), RootKey::kClassesRoot,
                                  scratch.prog_id + "\\CLSID", "",
                                  std::string("..\\") + echo_server::kProgId),
            platform::kOk);
  const platform::CreateResult created = automation_->Create(scratch.prog_id);
  EXPECT_EQ(created.failed_stage, CreateStage::kClassLookup);
  EXPECT_EQ(Hex(created.error), Hex(platform::kCoEClassString));
}

TEST_F(AutomationTest, StringsRoundTrip) {
  DispatchValue result = Call("Echo", {DispatchValue::String("Hello, world")});
  EXPECT_EQ(result.kind(), DispatchValue::Kind::kString);
  EXPECT_EQ(result.text(), "Hello, world");

  // ANSI text outside ASCII ("Été") survives the trip through UTF-16.
  EXPECT_EQ(Call("Echo", {DispatchValue::String("\xC9t\xE9")}).text(), "\xC9t\xE9");
  const std::string long_text(100000, 'x');
  EXPECT_EQ(Call("Echo", {DispatchValue::String(long_text)}).text(), long_text);

  // An empty string and a null string stay apart on the way in and out.
  result = Call("Echo", {DispatchValue::String("")});
  EXPECT_EQ(result.kind(), DispatchValue::Kind::kString);
  EXPECT_FALSE(result.is_null_string());
  result = Call("Echo", {DispatchValue::NullString()});
  EXPECT_TRUE(result.is_null_string());
  EXPECT_EQ(result.text(), "");
  EXPECT_EQ(Call("Describe", {DispatchValue::NullString(), DispatchValue::String("")}).text(),
            "null, ''");
}

TEST_F(AutomationTest, ArgumentsOfEveryKindArriveInOrder) {
  int16_t flag = -1;
  const DispatchValue result =
      Call("Describe", {DispatchValue::String("first"), DispatchValue::Int(-7),
                        DispatchValue::Bool(true), DispatchValue::Bool(false),
                        DispatchValue::BoolRef(&flag), DispatchValue()});
  EXPECT_EQ(result.text(), "'first', int -7, true, false, ref -1, empty");
  EXPECT_EQ(Call("Describe").text(), "");
}

TEST_F(AutomationTest, IntAndBoolResults) {
  DispatchValue sum = Call("Add", {DispatchValue::Int(2), DispatchValue::Int(40)});
  EXPECT_EQ(sum.kind(), DispatchValue::Kind::kInt);
  EXPECT_EQ(sum.AsInt(), 42);
  EXPECT_EQ(Call("Add", {DispatchValue::Int(INT32_MIN), DispatchValue::Int(INT32_MAX)}).AsInt(),
            -1);

  DispatchValue flag = Call("Not", {DispatchValue::Bool(true)});
  EXPECT_EQ(flag.kind(), DispatchValue::Kind::kBool);
  EXPECT_FALSE(flag.bool_value());
  flag = Call("Not", {DispatchValue::Bool(false)});
  EXPECT_TRUE(flag.bool_value());
  EXPECT_EQ(flag.AsInt(), 1);
}

TEST_F(AutomationTest, ByReferenceFlagsAreWrittenBack) {
  int16_t on = -1;
  int16_t off = 0;
  const DispatchValue was_true =
      Call("Toggle", {DispatchValue::BoolRef(&on), DispatchValue::BoolRef(&off)});
  EXPECT_EQ(was_true.AsInt(), 1);
  EXPECT_EQ(on, 0);
  EXPECT_EQ(off, -1);

  // The callee sees the flag's current value, not a stale copy.
  EXPECT_EQ(Call("Toggle", {DispatchValue::BoolRef(&off)}).AsInt(), 1);
  EXPECT_EQ(off, 0);
}

TEST_F(AutomationTest, EmptyResults) {
  const DispatchValue empty_text = Call("EmptyText");
  EXPECT_EQ(empty_text.kind(), DispatchValue::Kind::kString);
  EXPECT_EQ(empty_text.text(), "");
  EXPECT_FALSE(empty_text.is_null_string());
  // A method without a result leaves none, whatever the caller held before.
  EXPECT_EQ(Call("Nothing").kind(), DispatchValue::Kind::kEmpty);
  // Callers that want no result pass none.
  EXPECT_EQ(Hex(echo_->Invoke("EmptyText", {}, nullptr)), Hex(platform::kSOk));
}

TEST_F(AutomationTest, FailuresReachTheCaller) {
  DispatchValue result;
  std::vector<DispatchValue> args{DispatchValue::Int(static_cast<int32_t>(0x80041234u))};
  EXPECT_EQ(Hex(echo_->Invoke("Fail", args, &result)), "0x80041234");
  std::vector<DispatchValue> one{DispatchValue::Int(1)};
  EXPECT_EQ(Hex(echo_->Invoke("Add", one, &result)), Hex(platform::kDispEBadParamCount));
  std::vector<DispatchValue> text{DispatchValue::String("1"), DispatchValue::Int(1)};
  EXPECT_EQ(Hex(echo_->Invoke("Add", text, &result)), Hex(platform::kDispETypeMismatch));
}

TEST_F(AutomationTest, MethodNamesIgnoreCaseAndUnknownNamesCallNothing) {
  EXPECT_EQ(Call("eCHO", {DispatchValue::String("x")}).text(), "x");
  const int32_t calls = Call("Calls").AsInt();

  int16_t flag = -1;
  std::vector<DispatchValue> args{DispatchValue::BoolRef(&flag)};
  DispatchValue result = DispatchValue::String("untouched");
  EXPECT_EQ(Hex(echo_->Invoke("NoSuchMethod", args, &result)), Hex(platform::kDispEUnknownName));
  // A method's name with something added is no method either.
  EXPECT_EQ(Hex(echo_->Invoke("Toggle2", args, &result)), Hex(platform::kDispEUnknownName));
  EXPECT_EQ(flag, -1);
  EXPECT_NE(result.kind(), DispatchValue::Kind::kInt);

  // Only the "Calls" call itself was counted.
  EXPECT_EQ(Call("Calls").AsInt(), calls + 1);
}

TEST_F(AutomationTest, ObjectsAreSeparateAndReleased) {
  EXPECT_EQ(Call("Objects").AsInt(), 1);
  std::unique_ptr<platform::DispatchObject> second = CreateEcho();
  ASSERT_TRUE(second);
  EXPECT_EQ(Call("Objects").AsInt(), 2);
  // Each object has its own state.
  Call("Nothing");
  DispatchValue calls;
  ASSERT_EQ(Hex(second->Invoke("Calls", {}, &calls)), Hex(platform::kSOk));
  EXPECT_EQ(calls.AsInt(), 0);

  second.reset();
  EXPECT_EQ(Call("Objects").AsInt(), 1);
}

#if defined(_WIN32)
TEST_F(AutomationTest, ServerCanUnloadOnlyWhenItsObjectsAreGone) {
  platform::Status status = platform::kOk;
  std::unique_ptr<platform::Module> server =
      platform::GetModuleLoader().Load(EchoServerPath(), &status);
  ASSERT_TRUE(server) << status;
  using CanUnloadNow = long(__stdcall*)();
  auto can_unload = reinterpret_cast<CanUnloadNow>(server->FindExport("DllCanUnloadNow", &status));
  ASSERT_TRUE(can_unload) << status;
  EXPECT_EQ(can_unload(), 1);  // S_FALSE: echo_ lives
  echo_.reset();
  EXPECT_EQ(can_unload(), 0);
}
#endif

// Registration, checked through the registry service alone.
class ComRegistrationTest : public testing::Test {
 protected:
  void TearDown() override {
    for (const std::string& prog_id : {scratch_.prog_id, other_.prog_id}) {
      registry_.DeleteTree(RootKey::kClassesRoot, prog_id);
    }
    for (const std::string& clsid : {scratch_.clsid, other_.clsid}) {
      registry_.DeleteTree(RootKey::kClassesRoot, "CLSID\\" + clsid);
    }
  }

  platform::Registry& registry_ = platform::GetRegistry();
  ScratchClass scratch_ = NewScratchClass();
  ScratchClass other_ = NewScratchClass();
};

TEST_F(ComRegistrationTest, WritesTheKeysComReads) {
  const ServedClass served = scratch_.served();
  ASSERT_EQ(platform::RegisterServedClass(registry_, served, "C:\\Glintmere\\Server.dll"),
            platform::kOk);
  const std::string class_key = "CLSID\\" + scratch_.clsid;
  EXPECT_EQ(ReadClassesValue(scratch_.prog_id + "\\CLSID", ""), scratch_.clsid);
  EXPECT_EQ(ReadClassesValue(class_key + "\\InprocServer32", ""), "C:\\Glintmere\\Server.dll");
  EXPECT_EQ(ReadClassesValue(class_key + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(ReadClassesValue(class_key + "\\ProgID", ""), scratch_.prog_id);

  EXPECT_FALSE(platform::IsRegisteredToOther(registry_, scratch_.prog_id,
                                             base::ToLower(scratch_.clsid)));
  EXPECT_TRUE(platform::IsRegisteredToOther(registry_, scratch_.prog_id, other_.clsid));

  // Registering again (another copy of the library) moves the class.
  ASSERT_EQ(platform::RegisterServedClass(registry_, served, "D:\\Moved\\Server.dll"),
            platform::kOk);
  EXPECT_EQ(ReadClassesValue(class_key + "\\InprocServer32", ""), "D:\\Moved\\Server.dll");

  EXPECT_EQ(platform::UnregisterServedClass(registry_, served), platform::kOk);
  EXPECT_FALSE(KeyExists(scratch_.prog_id));
  EXPECT_FALSE(KeyExists(class_key));
  EXPECT_FALSE(platform::IsRegisteredToOther(registry_, scratch_.prog_id, scratch_.clsid));
  // Nothing left to remove is no failure.
  EXPECT_EQ(platform::UnregisterServedClass(registry_, served), platform::kOk);
}

TEST_F(ComRegistrationTest, NeverReplacesAnotherProgramsProgId) {
  // Another program owns the ProgID.
  ASSERT_EQ(platform::WriteString(registry_, RootKey::kClassesRoot, scratch_.prog_id + "\\CLSID",
                                  "", other_.clsid),
            platform::kOk);
  const ServedClass served = scratch_.served();
  EXPECT_TRUE(platform::IsRegisteredToOther(registry_, scratch_.prog_id, scratch_.clsid));
  EXPECT_EQ(platform::RegisterServedClass(registry_, served, "C:\\Glintmere\\Server.dll"),
            platform::kAlreadyExists);
  EXPECT_EQ(ReadClassesValue(scratch_.prog_id + "\\CLSID", ""), other_.clsid);
  EXPECT_FALSE(KeyExists("CLSID\\" + scratch_.clsid));

  // Unregistering our class leaves the other program's ProgID alone.
  EXPECT_EQ(platform::UnregisterServedClass(registry_, served), platform::kOk);
  EXPECT_EQ(ReadClassesValue(scratch_.prog_id + "\\CLSID", ""), other_.clsid);

  // A ProgID key without a CLSID is someone else's too.
  ASSERT_EQ(platform::WriteString(registry_, RootKey::kClassesRoot, other_.prog_id, "",
                                  "Some document type"),
            platform::kOk);
  EXPECT_TRUE(platform::IsRegisteredToOther(registry_, other_.prog_id, scratch_.clsid));
  const ServedClass on_other_key = {scratch_.clsid.c_str(), other_.prog_id.c_str(), nullptr, {}};
  EXPECT_EQ(platform::RegisterServedClass(registry_, on_other_key, "C:\\Glintmere\\Server.dll"),
            platform::kAlreadyExists);
  EXPECT_EQ(ReadClassesValue(other_.prog_id, ""), "Some document type");
}

TEST_F(ComRegistrationTest, RefusesMalformedIdentifiers) {
  const std::string escaping_prog_id = scratch_.prog_id + "\\Sub";
  const std::string escaping_clsid = scratch_.clsid + "\\..";
  const ServedClass bad_prog_id = {scratch_.clsid.c_str(), escaping_prog_id.c_str(), nullptr, {}};
  const ServedClass bad_clsid = {escaping_clsid.c_str(), scratch_.prog_id.c_str(), nullptr, {}};
  const ServedClass no_braces = {"6E0C3B52-9A4F-4C1D-8E27-5B9D0F3A7C41", scratch_.prog_id.c_str(),
                                 nullptr, {}};
  const ServedClass served = scratch_.served();
  for (const ServedClass& bad : {bad_prog_id, bad_clsid, no_braces}) {
    EXPECT_EQ(platform::RegisterServedClass(registry_, bad, "C:\\Server.dll"),
              platform::kInvalidParameter)
        << bad.clsid << " " << bad.prog_id;
  }
  EXPECT_EQ(platform::RegisterServedClass(registry_, served, ""), platform::kInvalidParameter);
  EXPECT_FALSE(KeyExists(scratch_.prog_id));
  EXPECT_FALSE(KeyExists("CLSID\\" + scratch_.clsid));

  EXPECT_TRUE(platform::IsClassIdText("{6e0c3b52-9A4F-4C1D-8E27-5B9D0F3A7C41}"));
  EXPECT_FALSE(platform::IsClassIdText("{6E0C3B52-9A4F-4C1D-8E27-5B9D0F3A7C4G}"));
  EXPECT_FALSE(platform::IsClassIdText("{6E0C3B52-9A4F-4C1D-8E275-B9D0F3A7C41}"));
}

}  // namespace
