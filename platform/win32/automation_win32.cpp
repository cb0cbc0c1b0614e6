// The automation service over COM: CLSIDFromProgID, CoCreateInstance and
// IDispatch, with ANSI text turned into UTF-16 at this boundary only.
#include "platform/system_services.h"
#include "platform/win32/com_util.h"

#include <ocidl.h>

#include <vector>

#include "base/text.h"

namespace platform {
namespace {

using win32::com_ptr;
using win32::unique_bstr;
using win32::unique_variant;
using win32::unique_variant_array;

// Fills one rgvarg slot. bool_slot is where a by-reference flag lives during
// the call. Returns a failure code when a string cannot be converted.
HRESULT ToVariant(const DispatchValue& value, VARIANT* out, VARIANT_BOOL* bool_slot) {
  if (value.kind() != DispatchValue::Kind::kBoolRef) return win32::ValueToVariant(value, out);
  // The callee writes into our slot; Invoke copies it back afterwards so
  // that the caller's flag never has to be a VARIANT_BOOL itself.
  if (!value.bool_ref()) return E_POINTER;
  *bool_slot = *value.bool_ref();
  V_VT(out) = VT_BOOL | VT_BYREF;
  V_BOOLREF(out) = bool_slot;
  return S_OK;
}

DispatchValue FromVariant(const VARIANT& value) {
  switch (V_VT(&value)) {
    case VT_BSTR:
      return V_BSTR(&value) ? DispatchValue::String(win32::BstrToAnsi(V_BSTR(&value)))
                            : DispatchValue::NullString();
    case VT_I4: return DispatchValue::Int(V_I4(&value));
    case VT_I2: return DispatchValue::Int(V_I2(&value));
    case VT_I1: return DispatchValue::Int(V_I1(&value));
    case VT_UI1: return DispatchValue::Int(V_UI1(&value));
    case VT_UI2: return DispatchValue::Int(V_UI2(&value));
    case VT_UI4: return DispatchValue::Int(static_cast<int32_t>(V_UI4(&value)));
    case VT_INT: return DispatchValue::Int(V_INT(&value));
    case VT_UINT: return DispatchValue::Int(static_cast<int32_t>(V_UINT(&value)));
    case VT_BOOL: return DispatchValue::Bool(V_BOOL(&value) != VARIANT_FALSE);
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      DispatchValue object;
      win32::ObjectFromVariant(value, &object);
      return object;
    }
    default:
      // VT_EMPTY, and results the product never asks for (objects, floating
      // point): the caller sees no value.
      return DispatchValue();
  }
}

// The interface identifier of a registry-form text.
bool IidFromText(const char* text, IID* iid) {
  std::wstring wide;
  if (!text || !win32::AnsiToWide(text, &wide)) return false;
  return SUCCEEDED(IIDFromString(wide.c_str(), iid));
}

class ComDispatchObject final : public DispatchObject {
 public:
  ComDispatchObject(com_ptr<IDispatch> dispatch, std::span<const char* const> methods)
      : dispatch_(std::move(dispatch)), methods_(methods) {}

  IDispatch* dispatch() const { return dispatch_.get(); }

  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    if (result) *result = DispatchValue();
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = IdOf(method, &id);
    if (FAILED(hr)) return static_cast<HResult>(hr);

    // COM takes the arguments last to first.
    const size_t count = args.size();
    unique_variant_array variants(count);
    std::vector<VARIANT_BOOL> bool_slots(count, VARIANT_FALSE);
    for (size_t i = 0; i < count; ++i) {
      hr = ToVariant(args[i], &variants[count - 1 - i], &bool_slots[i]);
      if (FAILED(hr)) return static_cast<HResult>(hr);
    }
    DISPPARAMS params{};
    params.rgvarg = variants.data();
    params.cArgs = static_cast<UINT>(count);

    unique_variant answer;
    // "x = obj.Name" is a method call or a property get, as Visual Basic
    // asks it.
    hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                           DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, answer.get(), nullptr,
                           nullptr);
    // A by-reference argument is the callee's to change even when the call
    // then fails, as it would be with a direct VARIANT_BOOL*.
    for (size_t i = 0; i < count; ++i) {
      if (args[i].kind() == DispatchValue::Kind::kBoolRef) *args[i].bool_ref() = bool_slots[i];
    }
    if (FAILED(hr)) return static_cast<HResult>(hr);
    if (result) *result = FromVariant(*answer);
    return static_cast<HResult>(hr);
  }

  HResult Put(std::string_view property, const DispatchValue& value) override {
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = IdOf(property, &id);
    if (FAILED(hr)) return static_cast<HResult>(hr);
    unique_variant_array variants(1);
    hr = win32::ValueToVariant(value, &variants[0]);
    if (FAILED(hr)) return static_cast<HResult>(hr);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = variants.data();
    params.cArgs = 1;
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
    hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                           nullptr, nullptr, nullptr);
    return static_cast<HResult>(hr);
  }

  HResult Advise(const EventInterface& events, std::shared_ptr<DispatchObject> sink,
                 uint32_t* cookie) override {
    if (!cookie || !sink) return kEPointer;
    *cookie = 0;
    com_ptr<IConnectionPoint> point;
    HRESULT hr = FindPoint(events, &point);
    if (FAILED(hr)) return static_cast<HResult>(hr);
    com_ptr<IDispatch> adapter(win32::NewObjectAdapter(std::move(sink), events.methods));
    if (!adapter) return kEOutOfMemory;
    DWORD connection = 0;
    hr = point->Advise(adapter.get(), &connection);
    if (SUCCEEDED(hr)) *cookie = connection;
    return static_cast<HResult>(hr);
  }

  HResult Unadvise(const EventInterface& events, uint32_t cookie) override {
    com_ptr<IConnectionPoint> point;
    HRESULT hr = FindPoint(events, &point);
    if (FAILED(hr)) return static_cast<HResult>(hr);
    return static_cast<HResult>(point->Unadvise(cookie));
  }

 private:
  HRESULT IdOf(std::string_view method, DISPID* id) {
    if (!methods_.empty()) {
      for (size_t i = 0; i < methods_.size(); ++i) {
        if (methods_[i] && base::EqualsNoCase(methods_[i], method)) {
          *id = static_cast<DISPID>(i + 1);
          return S_OK;
        }
      }
      return DISP_E_UNKNOWNNAME;
    }
    unique_bstr name(win32::AnsiToBstr(method));
    if (!name.get()) return E_OUTOFMEMORY;
    LPOLESTR names[] = {name.get()};
    return dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, id);
  }

  HRESULT FindPoint(const EventInterface& events, com_ptr<IConnectionPoint>* point) {
    IID iid{};
    if (!IidFromText(events.iid, &iid)) return E_INVALIDARG;
    com_ptr<IConnectionPointContainer> container;
    HRESULT hr = dispatch_->QueryInterface(IID_IConnectionPointContainer, container.put_void());
    if (FAILED(hr)) return hr;
    return container->FindConnectionPoint(iid, point->put());
  }

  com_ptr<IDispatch> dispatch_;
  std::span<const char* const> methods_;
};

class ComAutomation final : public Automation {
 public:
  HResult Initialize() override { return static_cast<HResult>(OleInitialize(nullptr)); }
  void Uninitialize() override { OleUninitialize(); }

  CreateResult Create(std::string_view prog_id) override {
    CreateResult created;
    unique_bstr wide_prog_id(win32::AnsiToBstr(prog_id));
    if (!wide_prog_id.get()) return Failed(CreateStage::kClassLookup, kEOutOfMemory);

    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(wide_prog_id.get(), &clsid);
    if (FAILED(hr)) return Failed(CreateStage::kClassLookup, static_cast<HResult>(hr));

    com_ptr<IUnknown> unknown;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                          IID_IUnknown, unknown.put_void());
    if (FAILED(hr)) return Failed(CreateStage::kInstantiation, static_cast<HResult>(hr));

    com_ptr<IDispatch> dispatch;
    hr = unknown->QueryInterface(IID_IDispatch, dispatch.put_void());
    if (FAILED(hr) || !dispatch) {
      return Failed(CreateStage::kNoDispatch, FAILED(hr) ? static_cast<HResult>(hr) : kENoInterface);
    }
    created.object = std::make_unique<ComDispatchObject>(std::move(dispatch),
                                                         std::span<const char* const>());
    return created;
  }

 private:
  static CreateResult Failed(CreateStage stage, HResult error) {
    CreateResult result;
    result.failed_stage = stage;
    result.error = error;
    return result;
  }
};

}  // namespace

namespace win32 {

std::shared_ptr<DispatchObject> WrapDispatch(IDispatch* dispatch,
                                             std::span<const char* const> methods) {
  if (!dispatch) return nullptr;
  dispatch->AddRef();
  return std::make_shared<ComDispatchObject>(com_ptr<IDispatch>(dispatch), methods);
}

IDispatch* UnwrapDispatch(const DispatchObject& object) {
  const auto* com = dynamic_cast<const ComDispatchObject*>(&object);
  if (!com || !com->dispatch()) return nullptr;
  com->dispatch()->AddRef();
  return com->dispatch();
}

}  // namespace win32

std::unique_ptr<Automation> CreateSystemAutomation() { return std::make_unique<ComAutomation>(); }

}  // namespace platform
