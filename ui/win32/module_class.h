// Shared by the window classes of the Win32 backend: a class registered once
// per module, and a COM apartment held for the lifetime of a window.
#pragma once

#include "platform/win32/windows_include.h"

namespace ui::win32 {

// The module (program or DLL) this code is linked into. The backend's
// classes are local to it, so every DLL carrying the backend has its own.
HINSTANCE ThisModule();

// Registers a window class local to ThisModule() (cbSize and hInstance are
// filled in). True when the class is registered now, or was already with
// the same window procedure; false when registration fails.
bool RegisterModuleClass(WNDCLASSEXA window_class);

// Enters a single-threaded apartment on the calling thread (with OLE's own
// initialisation when `ole` is true) and leaves it on destruction, so a
// window works on a thread nobody initialised and leaves the thread as it
// found it. Not copyable; create and destroy on the same thread.
class ScopedApartment {
 public:
  explicit ScopedApartment(bool ole);
  ~ScopedApartment();
  ScopedApartment(const ScopedApartment&) = delete;
  ScopedApartment& operator=(const ScopedApartment&) = delete;

  // Whether COM objects may be used on this thread: false when initialising
  // failed, and for OLE also when the thread is already multithreaded, where
  // in-place activation is not possible.
  bool usable() const { return usable_; }

 private:
  bool ole_;
  bool balance_ = false;
  bool usable_ = false;
};

// The state pointer kept in extra window bytes 0 of a window of one of our
// own classes (recognised by its class procedure, so a subclassed window
// still counts), or null for any other window and from any other thread:
// the COM objects behind these windows belong to the window's thread.
void* OwnWindowState(HWND window, WNDPROC class_procedure);

}  // namespace ui::win32
