// Tests of the COM face of served objects as other COM clients see it
// (scripting hosts pass by-reference variants, leave out optional arguments,
// ask for named arguments): the echo server fixture created with
// CoCreateInstance and called through raw IDispatch. Windows only.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <string>

#include "platform/com_registration.h"
#include "platform/services.h"
#include "platform/win32/com_util.h"
#include "tests/platform/fixtures/echo_server.h"
#include "tests/support/test_support.h"

namespace {

using platform::win32::com_ptr;
using platform::win32::unique_bstr;
using platform::win32::unique_variant;
using platform::win32::unique_variant_array;

constexpr platform::ServedClass kEchoClass = {echo_server::kClassId, echo_server::kProgId,
                                              nullptr, {}};

class DispatchServerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    initialized_ = true;
    const std::string path =
        test_support::BinFolder() + test_support::LibraryFileName(echo_server::kLibraryStem);
    platform::UnregisterServedClass(platform::GetRegistry(), kEchoClass);
    ASSERT_EQ(platform::RegisterServedClass(platform::GetRegistry(), kEchoClass, path),
              platform::kOk);
    std::wstring clsid_text(echo_server::kClassId, echo_server::kClassId +
                                                       std::char_traits<char>::length(
                                                           echo_server::kClassId));
    ASSERT_EQ(CLSIDFromString(clsid_text.c_str(), &clsid_), S_OK);
    ASSERT_EQ(CoCreateInstance(clsid_, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               echo_.put_void()),
              S_OK);
  }

  void TearDown() override {
    echo_.reset();
    platform::UnregisterServedClass(platform::GetRegistry(), kEchoClass);
    if (initialized_) OleUninitialize();
  }

  DISPID IdOf(const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = 0x7EADBEEF;
    EXPECT_EQ(echo_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
    return id;
  }

  // Invokes a method with rgvarg as given (last argument first).
  HRESULT Call(const wchar_t* name, unique_variant_array& args, VARIANT* result,
               WORD flags = DISPATCH_METHOD, UINT* arg_error = nullptr) {
    DISPPARAMS params{};
    params.rgvarg = args.data();
    params.cArgs = static_cast<UINT>(args.size());
    return echo_->Invoke(IdOf(name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                         nullptr, arg_error);
  }

  std::string Text(const unique_variant& value) {
    EXPECT_EQ(V_VT(&*value), VT_BSTR);
    return V_VT(&*value) == VT_BSTR ? platform::win32::BstrToAnsi(V_BSTR(&*value)) : "";
  }

  bool initialized_ = false;
  CLSID clsid_{};
  com_ptr<IDispatch> echo_;
};

TEST_F(DispatchServerTest, NamesMapToStableIdsWithoutRegardToCase) {
  EXPECT_EQ(IdOf(L"Echo"), IdOf(L"ECHO"));
  EXPECT_NE(IdOf(L"Echo"), IdOf(L"Add"));

  LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMethod")};
  DISPID id = 0x7EADBEEF;
  EXPECT_EQ(echo_->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id),
            DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  // The methods take no named arguments.
  LPOLESTR with_argument[] = {const_cast<LPOLESTR>(L"Echo"), const_cast<LPOLESTR>(L"text")};
  DISPID ids[2] = {0x7EADBEEF, 0x7EADBEEF};
  EXPECT_EQ(echo_->GetIDsOfNames(IID_NULL, with_argument, 2, LOCALE_USER_DEFAULT, ids),
            DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], IdOf(L"Echo"));
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);

  UINT count = 99;
  EXPECT_EQ(echo_->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(0x1);
  EXPECT_EQ(echo_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), E_NOTIMPL);
  EXPECT_EQ(info, nullptr);
}

TEST_F(DispatchServerTest, ScriptStyleArgumentsAreUnderstood) {
  // Describe(<missing>, ByRef Variant holding True, ByRef String, 7 as VT_I2)
  VARIANT_BOOL flag = VARIANT_TRUE;
  unique_variant inner;
  V_VT(inner.get()) = VT_BOOL;
  V_BOOL(inner.get()) = VARIANT_TRUE;
  unique_bstr text(SysAllocString(L"by ref"));
  BSTR text_slot = text.get();
  unique_variant_array args(5);
  V_VT(&args[4]) = VT_ERROR;
  V_ERROR(&args[4]) = DISP_E_PARAMNOTFOUND;
  V_VT(&args[3]) = VT_VARIANT | VT_BYREF;
  V_VARIANTREF(&args[3]) = inner.get();
  V_VT(&args[2]) = VT_BSTR | VT_BYREF;
  V_BSTRREF(&args[2]) = &text_slot;
  V_VT(&args[1]) = VT_I2;
  V_I2(&args[1]) = 7;
  V_VT(&args[0]) = VT_BOOL | VT_BYREF;
  V_BOOLREF(&args[0]) = &flag;
  unique_variant result;
  ASSERT_EQ(Call(L"Describe", args, result.get()), S_OK);
  EXPECT_EQ(Text(result), "empty, ref -1, 'by ref', int 7, ref -1");

  // A flag inside a by-reference variant is the caller's to get back.
  unique_variant_array toggle(1);
  V_VT(&toggle[0]) = VT_VARIANT | VT_BYREF;
  V_VARIANTREF(&toggle[0]) = inner.get();
  unique_variant toggled;
  ASSERT_EQ(Call(L"Toggle", toggle, toggled.get()), S_OK);
  EXPECT_EQ(V_VT(inner.get()), VT_BOOL);
  EXPECT_EQ(V_BOOL(inner.get()), VARIANT_FALSE);
  EXPECT_EQ(V_VT(&*toggled), VT_I4);
  EXPECT_EQ(V_I4(&*toggled), 1);

  // "x = obj.EmptyText" arrives as a property get.
  unique_variant_array none(0);
  unique_variant empty_text;
  EXPECT_EQ(Call(L"EmptyText", none, empty_text.get(), DISPATCH_METHOD | DISPATCH_PROPERTYGET),
            S_OK);
  EXPECT_EQ(Text(empty_text), "");
  EXPECT_NE(V_BSTR(&*empty_text), nullptr);
}

TEST_F(DispatchServerTest, RefusesWhatItCannotCall) {
  unique_variant_array args(2);
  V_VT(&args[1]) = VT_BSTR;
  V_BSTR(&args[1]) = SysAllocString(L"ok");
  V_VT(&args[0]) = VT_R8;
  V_R8(&args[0]) = 1.5;
  unique_variant result;
  UINT arg_error = 99;
  EXPECT_EQ(Call(L"Describe", args, result.get(), DISPATCH_METHOD, &arg_error),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(arg_error, 0u);  // the index in rgvarg of the double

  unique_variant_array none(0);
  EXPECT_EQ(Call(L"Nothing", none, nullptr, DISPATCH_PROPERTYPUT), DISP_E_MEMBERNOTFOUND);

  DISPID named = 0;
  unique_variant_array one(1);
  V_VT(&one[0]) = VT_I4;
  DISPPARAMS params{one.data(), &named, 1, 1};
  EXPECT_EQ(echo_->Invoke(IdOf(L"Describe"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                          &params, nullptr, nullptr, nullptr),
            DISP_E_NONAMEDARGS);

  DISPPARAMS no_params{};
  EXPECT_EQ(echo_->Invoke(1000, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &no_params,
                          nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(echo_->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                          &no_params, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
}

TEST_F(DispatchServerTest, ClassFactoryRefusesAggregationAndOtherInterfaces) {
  com_ptr<IClassFactory> factory;
  ASSERT_EQ(CoGetClassObject(clsid_, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             factory.put_void()),
            S_OK);
  com_ptr<IUnknown> object;
  EXPECT_EQ(factory->CreateInstance(echo_.get(), IID_IUnknown, object.put_void()),
            CLASS_E_NOAGGREGATION);
  EXPECT_FALSE(object);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, object.put_void()), E_NOINTERFACE);
  EXPECT_FALSE(object);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, object.put_void()), S_OK);
  com_ptr<IDispatch> dispatch;
  EXPECT_EQ(object->QueryInterface(IID_IDispatch, dispatch.put_void()), S_OK);
}

}  // namespace

#endif  // _WIN32
