// ANSI <-> UTF-16 conversions at the automation boundary.
#include "platform/win32/com_util.h"

#include <climits>

namespace platform::win32 {

bool AnsiToWide(std::string_view text, std::wstring* wide) {
  wide->clear();
  if (text.empty()) return true;
  if (text.size() > static_cast<size_t>(INT_MAX)) return false;
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return false;
  wide->resize(static_cast<size_t>(needed));
  return MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide->data(), needed) == needed;
}

BSTR AnsiToBstr(std::string_view text) {
  std::wstring wide;
  if (!AnsiToWide(text, &wide) || wide.size() > UINT_MAX) return nullptr;
  // Never null for an empty text: a null BSTR means "no string" to a callee
  // that tells them apart.
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string WideToAnsi(const wchar_t* wide, size_t length) {
  std::string text;
  if (!wide || length == 0 || length > static_cast<size_t>(INT_MAX)) return text;
  const int count = static_cast<int>(length);
  const int needed = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return text;
  text.resize(static_cast<size_t>(needed));
  WideCharToMultiByte(CP_ACP, 0, wide, count, text.data(), needed, nullptr, nullptr);
  return text;
}

std::string BstrToAnsi(BSTR bstr) {
  return bstr ? WideToAnsi(bstr, SysStringLen(bstr)) : std::string();
}

HRESULT ValueToVariant(const DispatchValue& value, VARIANT* out) {
  switch (value.kind()) {
    case DispatchValue::Kind::kEmpty:
      V_VT(out) = VT_EMPTY;
      return S_OK;
    case DispatchValue::Kind::kString:
      V_VT(out) = VT_BSTR;
      V_BSTR(out) = nullptr;
      if (value.is_null_string()) return S_OK;
      V_BSTR(out) = AnsiToBstr(value.text());
      if (V_BSTR(out)) return S_OK;
      V_VT(out) = VT_EMPTY;
      return E_OUTOFMEMORY;
    case DispatchValue::Kind::kInt:
      V_VT(out) = VT_I4;
      V_I4(out) = value.int_value();
      return S_OK;
    case DispatchValue::Kind::kBool:
      V_VT(out) = VT_BOOL;
      V_BOOL(out) = value.bool_value() ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    case DispatchValue::Kind::kObject: {
      IDispatch* dispatch = UnwrapDispatch(*value.object());
      if (!dispatch) dispatch = NewObjectAdapter(value.object());
      if (!dispatch) {
        V_VT(out) = VT_EMPTY;
        return E_OUTOFMEMORY;
      }
      V_VT(out) = VT_DISPATCH;
      V_DISPATCH(out) = dispatch;
      return S_OK;
    }
    case DispatchValue::Kind::kBoolRef:
      break;
  }
  V_VT(out) = VT_EMPTY;
  return E_INVALIDARG;
}

bool ObjectFromVariant(const VARIANT& value, DispatchValue* out) {
  IDispatch* dispatch = nullptr;
  com_ptr<IDispatch> queried;
  switch (V_VT(&value)) {
    case VT_DISPATCH: dispatch = V_DISPATCH(&value); break;
    case VT_DISPATCH | VT_BYREF: dispatch = V_DISPATCHREF(&value) ? *V_DISPATCHREF(&value) : nullptr; break;
    case VT_UNKNOWN:
      if (V_UNKNOWN(&value) &&
          SUCCEEDED(V_UNKNOWN(&value)->QueryInterface(IID_IDispatch, queried.put_void()))) {
        dispatch = queried.get();
      }
      break;
    default: return false;
  }
  // A null object is Nothing: an empty value.
  *out = dispatch ? DispatchValue::Object(WrapDispatch(dispatch)) : DispatchValue();
  return true;
}

}  // namespace platform::win32
