// Owners of Win32 handles: one template, one alias per kind of handle, each
// closing its handle with the matching function when it goes out of scope.
#pragma once

#include "platform/win32/windows_include.h"

#include <utility>

namespace platform::win32 {

template <typename Traits>
class unique_handle {
 public:
  using type = typename Traits::type;

  unique_handle() = default;
  // Takes over a handle the caller owns; an invalid one is held as empty.
  explicit unique_handle(type handle) : handle_(handle) {}
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  unique_handle(unique_handle&& other) noexcept : handle_(other.release()) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~unique_handle() { reset(); }

  type get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::invalid(); }
  void reset(type handle = Traits::invalid()) {
    if (handle_ != Traits::invalid()) Traits::close(handle_);
    handle_ = handle;
  }
  type release() { return std::exchange(handle_, Traits::invalid()); }

 private:
  type handle_ = Traits::invalid();
};

struct file_handle_traits {
  using type = HANDLE;
  static type invalid() { return INVALID_HANDLE_VALUE; }
  static void close(type handle) { ::CloseHandle(handle); }
};

struct find_handle_traits {
  using type = HANDLE;
  static type invalid() { return INVALID_HANDLE_VALUE; }
  static void close(type handle) { ::FindClose(handle); }
};

struct module_handle_traits {
  using type = HMODULE;
  static type invalid() { return nullptr; }
  static void close(type handle) { ::FreeLibrary(handle); }
};

// A file opened with CreateFileA.
using unique_hfile = unique_handle<file_handle_traits>;
// A search started with FindFirstFileA.
using unique_hfind = unique_handle<find_handle_traits>;
// A library loaded with LoadLibraryA (one reference).
using unique_hmodule = unique_handle<module_handle_traits>;

}  // namespace platform::win32
