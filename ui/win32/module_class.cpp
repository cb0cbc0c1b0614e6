// Per-module window class registration and a window's COM apartment.
#include "ui/win32/module_class.h"

#include <ole2.h>

namespace ui::win32 {

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  // Any address inside this code names the module it was linked into; the
  // reference count stays as it is, the module cannot unload under itself.
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&ThisModule), &module)) {
    return nullptr;
  }
  return module;
}

bool RegisterModuleClass(WNDCLASSEXA window_class) {
  const HINSTANCE module = ThisModule();
  if (!module) return false;
  window_class.cbSize = sizeof(window_class);
  window_class.hInstance = module;

  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExA(module, window_class.lpszClassName, &existing)) {
    if (existing.lpfnWndProc == window_class.lpfnWndProc) return true;
    // A DLL's classes outlive it: a class left by an earlier copy of this
    // module loaded at the same address points at code that is gone.
    // Replace it (this fails while windows of it still exist).
    if (!UnregisterClassA(window_class.lpszClassName, module)) return false;
  }
  if (RegisterClassExA(&window_class)) return true;
  // Another thread may have registered it in between.
  existing = {};
  existing.cbSize = sizeof(existing);
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS &&
         GetClassInfoExA(module, window_class.lpszClassName, &existing) &&
         existing.lpfnWndProc == window_class.lpfnWndProc;
}

ScopedApartment::ScopedApartment(bool ole) : ole_(ole) {
  const HRESULT hr = ole ? OleInitialize(nullptr)
                         : CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(hr)) {
    // S_FALSE too: every successful call is balanced by one uninitialise.
    balance_ = true;
    usable_ = true;
  } else if (hr == RPC_E_CHANGED_MODE) {
    // The thread is multithreaded already: plain COM objects still work
    // there, in-place OLE controls do not.
    usable_ = !ole;
  }
}

ScopedApartment::~ScopedApartment() {
  if (!balance_) return;
  if (ole_) {
    OleUninitialize();
  } else {
    CoUninitialize();
  }
}

void* OwnWindowState(HWND window, WNDPROC class_procedure) {
  if (!window || !IsWindow(window)) return nullptr;
  if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return nullptr;
  if (GetClassLongPtrA(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(class_procedure)) {
    return nullptr;
  }
  return reinterpret_cast<void*>(GetWindowLongPtrA(window, 0));
}

}  // namespace ui::win32
