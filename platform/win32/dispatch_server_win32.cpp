// Served automation objects as a COM in-process server: a class factory per
// served class and an IDispatch adapter around each object.
#include "platform/dispatch_server.h"
#include "platform/win32/com_util.h"

#include <atomic>
#include <new>
#include <vector>

namespace platform {
namespace {

using win32::com_ptr;

// Class factories handed out and LockServer locks; objects are counted by
// ServedObjectCount. DllCanUnloadNow says yes only when all three are zero.
std::atomic<long> g_live_factories{0};
std::atomic<long> g_server_locks{0};

// Fills *out from one argument; for a VT_BOOL reached through a
// VT_VARIANT|VT_BYREF the callee gets a reference to the caller's flag.
bool FromArgument(VARIANT& argument, DispatchValue* out) {
  VARIANT* value = &argument;
  if (V_VT(value) == (VT_VARIANT | VT_BYREF)) {
    value = V_VARIANTREF(value);
    if (!value || (V_VT(value) & VT_BYREF)) return false;
    if (V_VT(value) == VT_BOOL) {
      *out = DispatchValue::BoolRef(&V_BOOL(value));
      return true;
    }
  }
  switch (V_VT(value)) {
    case VT_EMPTY:
      *out = DispatchValue();
      return true;
    case VT_ERROR:
      // An optional argument the caller left out.
      if (V_ERROR(value) != DISP_E_PARAMNOTFOUND) return false;
      *out = DispatchValue();
      return true;
    case VT_BSTR:
      *out = V_BSTR(value) ? DispatchValue::String(win32::BstrToAnsi(V_BSTR(value)))
                           : DispatchValue::NullString();
      return true;
    case VT_BSTR | VT_BYREF: {
      BSTR* ref = V_BSTRREF(value);
      if (!ref) return false;
      *out = *ref ? DispatchValue::String(win32::BstrToAnsi(*ref)) : DispatchValue::NullString();
      return true;
    }
    case VT_I4: *out = DispatchValue::Int(V_I4(value)); return true;
    case VT_I2: *out = DispatchValue::Int(V_I2(value)); return true;
    case VT_I1: *out = DispatchValue::Int(V_I1(value)); return true;
    case VT_UI1: *out = DispatchValue::Int(V_UI1(value)); return true;
    case VT_UI2: *out = DispatchValue::Int(V_UI2(value)); return true;
    case VT_UI4: *out = DispatchValue::Int(static_cast<int32_t>(V_UI4(value))); return true;
    case VT_INT: *out = DispatchValue::Int(V_INT(value)); return true;
    case VT_UINT: *out = DispatchValue::Int(static_cast<int32_t>(V_UINT(value))); return true;
    case VT_I4 | VT_BYREF:
      if (!V_I4REF(value)) return false;
      *out = DispatchValue::Int(*V_I4REF(value));
      return true;
    case VT_I2 | VT_BYREF:
      if (!V_I2REF(value)) return false;
      *out = DispatchValue::Int(*V_I2REF(value));
      return true;
    case VT_BOOL:
      *out = DispatchValue::Bool(V_BOOL(value) != VARIANT_FALSE);
      return true;
    case VT_BOOL | VT_BYREF:
      if (!V_BOOLREF(value)) return false;
      *out = DispatchValue::BoolRef(V_BOOLREF(value));
      return true;
    default:
      return false;
  }
}

// Writes a result into an empty VARIANT; a reference is no result.
HRESULT ToResult(const DispatchValue& value, VARIANT* out) {
  if (value.kind() == DispatchValue::Kind::kBoolRef) {
    V_VT(out) = VT_EMPTY;
    return S_OK;
  }
  return win32::ValueToVariant(value, out);
}

class DispatchAdapter final : public IDispatch {
 public:
  DispatchAdapter(const ServedClass& served, std::unique_ptr<DispatchObject> object)
      : served_(served), object_(std::move(object)) {}
  DispatchAdapter(const DispatchAdapter&) = delete;
  DispatchAdapter& operator=(const DispatchAdapter&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *ppv = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (count == 0) return S_OK;
    if (!names || !ids) return E_POINTER;
    // The methods take no named arguments, so only the first name can match.
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (!names[0]) return DISP_E_UNKNOWNNAME;
    try {
      const std::string name = win32::WideToAnsi(names[0], wcslen(names[0]));
      const std::optional<size_t> index = FindServedMethod(served_, name);
      if (!index) return DISP_E_UNKNOWNNAME;
      ids[0] = static_cast<DISPID>(*index + 1);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT* arg_error) override {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    // "x = obj.Method" arrives as a property get; a property put cannot be
    // a method call.
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    if (id < 1 || static_cast<size_t>(id) > served_.methods.size()) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS no_params{};
    if (!params) params = &no_params;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params->cArgs != 0 && !params->rgvarg) return E_INVALIDARG;

    try {
      // rgvarg holds the arguments last to first.
      const UINT count = params->cArgs;
      std::vector<DispatchValue> args(count);
      for (UINT i = 0; i < count; ++i) {
        const UINT slot = count - 1 - i;
        if (!FromArgument(params->rgvarg[slot], &args[i])) {
          if (arg_error) *arg_error = slot;
          return DISP_E_TYPEMISMATCH;
        }
      }
      DispatchValue answer;
      const HResult hr = object_->Invoke(served_.methods[static_cast<size_t>(id) - 1], args,
                                         &answer);
      if (!Succeeded(hr)) return static_cast<HRESULT>(hr);
      if (result) {
        VariantInit(result);
        const HRESULT converted = ToResult(answer, result);
        if (FAILED(converted)) return converted;
      }
      return static_cast<HRESULT>(hr);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return DISP_E_EXCEPTION;
    }
  }

 private:
  ~DispatchAdapter() = default;

  std::atomic<ULONG> refs_{1};
  const ServedClass& served_;
  // The wrapper from MakeServedObject: it keeps the module's object count.
  std::unique_ptr<DispatchObject> object_;
};

class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(const ServedClass& served) : served_(served) { ++g_live_factories; }
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *ppv = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    std::unique_ptr<DispatchObject> object = MakeServedObject(served_);
    if (!object) return E_OUTOFMEMORY;
    com_ptr<DispatchAdapter> adapter(new (std::nothrow) DispatchAdapter(served_, std::move(object)));
    if (!adapter) return E_OUTOFMEMORY;
    return adapter->QueryInterface(riid, ppv);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ++g_server_locks;
    } else if (g_server_locks > 0) {
      --g_server_locks;
    }
    return S_OK;
  }

 private:
  ~ClassFactory() { --g_live_factories; }

  std::atomic<ULONG> refs_{1};
  const ServedClass& served_;
};

}  // namespace

HResult ServedGetClassObject(const void* rclsid, const void* riid, void** ppv) {
  if (!ppv) return static_cast<HResult>(E_POINTER);
  *ppv = nullptr;
  if (!rclsid || !riid) return static_cast<HResult>(E_INVALIDARG);
  wchar_t text[64] = {};
  if (StringFromGUID2(*static_cast<const CLSID*>(rclsid), text, 64) == 0) {
    return static_cast<HResult>(E_INVALIDARG);
  }
  try {
    const ServedClass* served = FindServedClass(win32::WideToAnsi(text, wcslen(text)));
    if (!served) return static_cast<HResult>(CLASS_E_CLASSNOTAVAILABLE);
    com_ptr<ClassFactory> factory(new (std::nothrow) ClassFactory(*served));
    if (!factory) return static_cast<HResult>(E_OUTOFMEMORY);
    return static_cast<HResult>(factory->QueryInterface(*static_cast<const IID*>(riid), ppv));
  } catch (...) {
    return static_cast<HResult>(E_OUTOFMEMORY);
  }
}

HResult ServedCanUnloadNow() {
  const bool busy = ServedObjectCount() != 0 || g_live_factories != 0 || g_server_locks != 0;
  return static_cast<HResult>(busy ? S_FALSE : S_OK);
}

}  // namespace platform
