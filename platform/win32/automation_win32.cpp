// The automation service over COM: CLSIDFromProgID, CoCreateInstance and
// IDispatch, with ANSI text turned into UTF-16 at this boundary only.
#include "platform/system_services.h"
#include "platform/win32/com_util.h"

#include <vector>

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
    default:
      // VT_EMPTY, and results the product never asks for (objects, floating
      // point): the caller sees no value.
      return DispatchValue();
  }
}

class ComDispatchObject final : public DispatchObject {
 public:
  explicit ComDispatchObject(com_ptr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

  HResult Invoke(std::string_view method, std::span<DispatchValue> args,
                 DispatchValue* result) override {
    if (result) *result = DispatchValue();

    unique_bstr name(win32::AnsiToBstr(method));
    if (!name.get()) return kEOutOfMemory;
    LPOLESTR names[] = {name.get()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
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
    hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                           answer.get(), nullptr, nullptr);
    // A by-reference argument is the callee's to change even when the call
    // then fails, as it would be with a direct VARIANT_BOOL*.
    for (size_t i = 0; i < count; ++i) {
      if (args[i].kind() == DispatchValue::Kind::kBoolRef) *args[i].bool_ref() = bool_slots[i];
    }
    if (FAILED(hr)) return static_cast<HResult>(hr);
    if (result) *result = FromVariant(*answer);
    return static_cast<HResult>(hr);
  }

 private:
  com_ptr<IDispatch> dispatch_;
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
    created.object = std::make_unique<ComDispatchObject>(std::move(dispatch));
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

std::unique_ptr<Automation> CreateSystemAutomation() { return std::make_unique<ComAutomation>(); }

}  // namespace platform
