// Served automation objects as a COM in-process server: a class factory per
// served class and an IDispatch adapter around each object.
#include "platform/dispatch_server.h"
#include "platform/win32/com_util.h"

#include <ocidl.h>

#include <atomic>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "base/text.h"

namespace platform {
namespace {

using win32::com_ptr;
using win32::RefCounted;

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
      return win32::ObjectFromVariant(*value, out);
  }
}

// The arguments of a call, first to last; false with *arg_error set when one
// cannot be taken.
bool ArgumentsOf(DISPPARAMS* params, std::vector<DispatchValue>* args, UINT* arg_error) {
  const UINT count = params->cArgs;
  args->assign(count, DispatchValue());
  for (UINT i = 0; i < count; ++i) {
    const UINT slot = count - 1 - i;
    if (!FromArgument(params->rgvarg[slot], &(*args)[i])) {
      if (arg_error) *arg_error = slot;
      return false;
    }
  }
  return true;
}

// A property put: one value, named DISPID_PROPERTYPUT.
bool IsPropertyPut(WORD flags, const DISPPARAMS& params) {
  return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && params.cArgs == 1 &&
         params.cNamedArgs == 1 && params.rgdispidNamedArgs &&
         params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
}

// IDTExtensibility2, the interface Office hosts call their COM add-ins
// through (a dual interface: its methods are also dispatch identifiers 1-5).
const IID kIidExtensibility = {0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};
struct IExtensibility : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int connect_mode,
                                                 IDispatch* add_in, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(int remove_mode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};
constexpr const char* kExtensibilityMethods[] = {"OnConnection", "OnDisconnection",
                                                 "OnAddInsUpdate", "OnStartupComplete",
                                                 "OnBeginShutdown"};

// A served class whose methods are IDTExtensibility2's, in its order.
bool IsExtensibilityClass(const ServedClass& served) {
  if (served.methods.size() != std::size(kExtensibilityMethods)) return false;
  for (size_t i = 0; i < served.methods.size(); ++i) {
    if (!served.methods[i] || std::string_view(served.methods[i]) != kExtensibilityMethods[i]) {
      return false;
    }
  }
  return true;
}

// Writes a result into an empty VARIANT; a reference is no result.
HRESULT ToResult(const DispatchValue& value, VARIANT* out) {
  if (value.kind() == DispatchValue::Kind::kBoolRef) {
    V_VT(out) = VT_EMPTY;
    return S_OK;
  }
  return win32::ValueToVariant(value, out);
}

// The first of the names GetIDsOfNames is asked for, after its checks; every
// id is set to DISPID_UNKNOWN first. The methods take no named arguments, so
// only the first name can match. S_FALSE when there is nothing to look up.
HRESULT FirstNameAsked(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids, std::string* name) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (count == 0) return S_FALSE;
  if (!names || !ids) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  if (!names[0]) return DISP_E_UNKNOWNNAME;
  try {
    *name = win32::WideToAnsi(names[0], wcslen(names[0]));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

// IDispatch::Invoke of the member called name on object: a property put, or
// a method call or property get ("x = obj.Method" arrives as one).
HRESULT InvokeByName(DispatchObject& object, const char* name, WORD flags, DISPPARAMS* params,
                     VARIANT* result, UINT* arg_error) {
  DISPPARAMS no_params{};
  if (!params) params = &no_params;
  if (params->cArgs != 0 && !params->rgvarg) return E_INVALIDARG;
  try {
    if (IsPropertyPut(flags, *params)) {
      DispatchValue value;
      if (!FromArgument(params->rgvarg[0], &value)) return DISP_E_TYPEMISMATCH;
      return static_cast<HRESULT>(object.Put(name, value));
    }
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    std::vector<DispatchValue> args;
    if (!ArgumentsOf(params, &args, arg_error)) return DISP_E_TYPEMISMATCH;
    DispatchValue answer;
    const HResult hr = object.Invoke(name, args, &answer);
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

// No type information: the objects are reached by name only.
HRESULT NoTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT NoTypeInfo(ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

class DispatchAdapter final : public RefCounted<IExtensibility> {
 public:
  DispatchAdapter(const ServedClass& served, std::unique_ptr<DispatchObject> object)
      : served_(served), object_(std::move(object)) {}
  DispatchAdapter(const DispatchAdapter&) = delete;
  DispatchAdapter& operator=(const DispatchAdapter&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        (IsEqualIID(riid, kIidExtensibility) && IsExtensibilityClass(served_))) {
      *ppv = static_cast<IExtensibility*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  // IDTExtensibility2 through the vtable: the same calls by dispatch
  // identifier. The custom arrays are not used.
  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int connect_mode,
                                         IDispatch* add_in, SAFEARRAY**) override {
    std::vector<DispatchValue> args{
        application ? DispatchValue::Object(win32::WrapDispatch(application)) : DispatchValue(),
        DispatchValue::Int(connect_mode),
        add_in ? DispatchValue::Object(win32::WrapDispatch(add_in)) : DispatchValue(),
        DispatchValue()};
    return CallListed(1, args);
  }
  HRESULT STDMETHODCALLTYPE OnDisconnection(int remove_mode, SAFEARRAY**) override {
    std::vector<DispatchValue> args{DispatchValue::Int(remove_mode), DispatchValue()};
    return CallListed(2, args);
  }
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY**) override { return CallCustom(3); }
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY**) override { return CallCustom(4); }
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY**) override { return CallCustom(5); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return NoTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    return NoTypeInfo(info);
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    std::string name;
    const HRESULT asked = FirstNameAsked(riid, names, count, ids, &name);
    if (asked != S_OK) return asked == S_FALSE ? S_OK : asked;
    const std::optional<size_t> index = FindServedMethod(served_, name);
    if (!index) return DISP_E_UNKNOWNNAME;
    ids[0] = static_cast<DISPID>(*index + 1);
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT* arg_error) override {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (id < 1 || static_cast<size_t>(id) > served_.methods.size()) return DISP_E_MEMBERNOTFOUND;
    return InvokeByName(*object_, served_.methods[static_cast<size_t>(id) - 1], flags, params,
                        result, arg_error);
  }

 private:
  ~DispatchAdapter() = default;

  HRESULT CallListed(DISPID id, std::vector<DispatchValue>& args) {
    if (static_cast<size_t>(id) > served_.methods.size()) return E_NOTIMPL;
    try {
      DispatchValue ignored;
      return static_cast<HRESULT>(
          object_->Invoke(served_.methods[static_cast<size_t>(id) - 1], args, &ignored));
    } catch (...) {
      return E_FAIL;
    }
  }
  HRESULT CallCustom(DISPID id) {
    std::vector<DispatchValue> args{DispatchValue()};
    return CallListed(id, args);
  }

  const ServedClass& served_;
  // The wrapper from MakeServedObject: it keeps the module's object count.
  std::unique_ptr<DispatchObject> object_;
};


// The registry-form text of an interface identifier.
std::string IidText(REFIID iid) {
  wchar_t text[64] = {};
  if (StringFromGUID2(iid, text, 64) == 0) return std::string();
  return win32::WideToAnsi(text, wcslen(text));
}

class ObjectAdapter;

// One event interface of an ObjectAdapter: sinks advised here are wrapped
// to be called by the interface's dispatch identifiers and handed to the
// object's Advise.
class ConnectionPoint final : public RefCounted<IConnectionPoint> {
 public:
  ConnectionPoint(IConnectionPointContainer* container, std::shared_ptr<DispatchObject> object,
                  const EventInterface& events, const IID& iid)
      : container_(container), object_(std::move(object)), events_(events), iid_(iid) {
    container_->AddRef();
  }
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
      *ppv = static_cast<IConnectionPoint*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override {
    if (!out) return E_POINTER;
    *out = container_;
    container_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    com_ptr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(IID_IDispatch, dispatch.put_void()))) {
      return static_cast<HRESULT>(0x80040202);  // CONNECT_E_CANNOTCONNECT
    }
    try {
      uint32_t connection = 0;
      const HResult hr = object_->Advise(
          events_, win32::WrapDispatch(dispatch.get(), events_.methods), &connection);
      if (Succeeded(hr)) *cookie = connection;
      return static_cast<HRESULT>(hr);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    try {
      return static_cast<HRESULT>(object_->Unadvise(events_, cookie));
    } catch (...) {
      return E_FAIL;
    }
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }

 private:
  ~ConnectionPoint() { container_->Release(); }

  IConnectionPointContainer* container_;
  std::shared_ptr<DispatchObject> object_;
  const EventInterface& events_;
  IID iid_;
};

// A product object that is no served class, over COM: names get dispatch
// identifiers as clients ask for them.
class ObjectAdapter final : public RefCounted<IDispatch, IConnectionPointContainer> {
 public:
  ObjectAdapter(std::shared_ptr<DispatchObject> object, std::span<const char* const> first_names)
      : object_(std::move(object)) {
    for (const char* name : first_names) names_.emplace_back(name ? name : "");
  }
  ObjectAdapter(const ObjectAdapter&) = delete;
  ObjectAdapter& operator=(const ObjectAdapter&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *ppv = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(riid, IID_IConnectionPointContainer)) {
      *ppv = static_cast<IConnectionPointContainer*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return NoTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    return NoTypeInfo(info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    std::string name;
    const HRESULT asked = FirstNameAsked(riid, names, count, ids, &name);
    if (asked != S_OK) return asked == S_FALSE ? S_OK : asked;
    try {
      size_t index = 0;
      while (index < names_.size() && !base::EqualsNoCase(names_[index], name)) ++index;
      if (index == names_.size()) names_.push_back(name);
      ids[0] = static_cast<DISPID>(index + 1);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT* arg_error) override {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (id < 1 || static_cast<size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    return InvokeByName(*object_, names_[static_cast<size_t>(id) - 1].c_str(), flags, params,
                        result, arg_error);
  }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
      const EventInterface* events = FindEventInterface(IidText(riid));
      if (!events) return static_cast<HRESULT>(kConnectENoConnection);
      *out = new (std::nothrow) ConnectionPoint(this, object_, *events, riid);
      return *out ? S_OK : E_OUTOFMEMORY;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  ~ObjectAdapter() = default;

  std::shared_ptr<DispatchObject> object_;
  std::vector<std::string> names_;
};

class ClassFactory final : public RefCounted<IClassFactory> {
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

  const ServedClass& served_;
};

}  // namespace

namespace win32 {

IDispatch* NewObjectAdapter(std::shared_ptr<DispatchObject> object,
                            std::span<const char* const> first_names) {
  if (!object) return nullptr;
  try {
    return new (std::nothrow) ObjectAdapter(std::move(object), first_names);
  } catch (...) {
    return nullptr;
  }
}

}  // namespace win32

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
