// Owners for COM pointers, BSTRs and VARIANTs, and the ANSI <-> UTF-16
// conversions used at the automation boundary. Windows only.
#pragma once

#include "platform/win32/windows_include.h"

#include <oleauto.h>

#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/automation.h"

namespace platform::win32 {

// The reference count of a COM object of this product, made with new and
// deriving from the interfaces it implements: the count starts at one (the
// creator's reference) and the object deletes itself when the last goes.
template <typename... Interfaces>
class RefCounted : public Interfaces... {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  RefCounted() = default;
  virtual ~RefCounted() = default;

 private:
  std::atomic<ULONG> refs_{1};
};

// Holds one reference to a COM interface and releases it when destroyed.
template <typename T>
class com_ptr {
 public:
  com_ptr() = default;
  // Takes over a reference the caller already owns (no AddRef).
  explicit com_ptr(T* owned) : ptr_(owned) {}
  com_ptr(const com_ptr& other) : ptr_(other.ptr_) {
    if (ptr_) ptr_->AddRef();
  }
  com_ptr(com_ptr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  com_ptr& operator=(com_ptr other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }
  ~com_ptr() { reset(); }

  void reset() {
    if (T* old = std::exchange(ptr_, nullptr)) old->Release();
  }
  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  // Releases any held pointer and returns the slot for an out parameter.
  T** put() {
    reset();
    return &ptr_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  // Hands the reference to the caller.
  T* detach() { return std::exchange(ptr_, nullptr); }

 private:
  T* ptr_ = nullptr;
};

// Owns a BSTR (SysFreeString). A null BSTR is a valid, empty automation string.
class unique_bstr {
 public:
  unique_bstr() = default;
  explicit unique_bstr(BSTR owned) : bstr_(owned) {}
  unique_bstr(const unique_bstr&) = delete;
  unique_bstr& operator=(const unique_bstr&) = delete;
  unique_bstr(unique_bstr&& other) noexcept : bstr_(std::exchange(other.bstr_, nullptr)) {}
  unique_bstr& operator=(unique_bstr&& other) noexcept {
    if (this != &other) reset(std::exchange(other.bstr_, nullptr));
    return *this;
  }
  ~unique_bstr() { reset(); }

  void reset(BSTR owned = nullptr) {
    if (bstr_) SysFreeString(bstr_);
    bstr_ = owned;
  }
  BSTR get() const { return bstr_; }
  BSTR release() { return std::exchange(bstr_, nullptr); }

 private:
  BSTR bstr_ = nullptr;
};

// A VARIANT that is initialised on construction and cleared on destruction.
class unique_variant {
 public:
  unique_variant() { VariantInit(&value_); }
  unique_variant(const unique_variant&) = delete;
  unique_variant& operator=(const unique_variant&) = delete;
  ~unique_variant() { VariantClear(&value_); }

  VARIANT* get() { return &value_; }
  const VARIANT& operator*() const { return value_; }

 private:
  VARIANT value_;
};

// A contiguous array of VARIANTs (the rgvarg of a call), each cleared on
// destruction.
class unique_variant_array {
 public:
  explicit unique_variant_array(size_t count) : items_(count) {
    for (VARIANT& item : items_) VariantInit(&item);
  }
  unique_variant_array(const unique_variant_array&) = delete;
  unique_variant_array& operator=(const unique_variant_array&) = delete;
  ~unique_variant_array() {
    for (VARIANT& item : items_) VariantClear(&item);
  }

  VARIANT* data() { return items_.empty() ? nullptr : items_.data(); }
  VARIANT& operator[](size_t index) { return items_[index]; }
  size_t size() const { return items_.size(); }

 private:
  std::vector<VARIANT> items_;
};

// ANSI (CP_ACP) text as UTF-16. False when the text is too long to convert.
bool AnsiToWide(std::string_view text, std::wstring* wide);
// A new BSTR holding the ANSI text; null when out of memory or too long.
BSTR AnsiToBstr(std::string_view text);
// UTF-16 text as ANSI (CP_ACP); characters the code page lacks become the
// code page's default character, as the "A" functions of Windows do.
std::string WideToAnsi(const wchar_t* wide, size_t length);
// The ANSI text of a BSTR (empty for a null BSTR), embedded nulls kept.
std::string BstrToAnsi(BSTR bstr);

// Writes a string, int or truth value (or nothing, for an empty value) into
// an empty VARIANT; a null string becomes a null BSTR. E_INVALIDARG for a
// by-reference value, which needs a slot of the caller's; E_OUTOFMEMORY when
// the text cannot be converted (the VARIANT is then left empty).
HRESULT ValueToVariant(const DispatchValue& value, VARIANT* out);

// An object reached over COM as a DispatchObject (one more reference is
// taken). methods, when given, are the names of an event interface: the
// object is then called by their dispatch identifiers (1 + index) instead
// of asking it for names.
std::shared_ptr<DispatchObject> WrapDispatch(IDispatch* dispatch,
                                             std::span<const char* const> methods = {});
// The IDispatch behind an object that WrapDispatch made, with a new
// reference; null for any other object.
IDispatch* UnwrapDispatch(const DispatchObject& object);
// A new IDispatch (one reference, the caller's) around a product object
// that is not a served class: names get dispatch identifiers as they are
// asked for (first_names first, from 1), property puts go to Put, and it is
// a connection point container for the event interfaces of
// SetEventInterfaces. Null when out of memory.
IDispatch* NewObjectAdapter(std::shared_ptr<DispatchObject> object,
                            std::span<const char* const> first_names = {});
// Fills *out from an argument or result: VT_DISPATCH (or VT_UNKNOWN offering
// IDispatch) becomes an object value. False for the kinds it does not take.
bool ObjectFromVariant(const VARIANT& value, DispatchValue* out);

}  // namespace platform::win32
