// The module loader on Windows: LoadLibraryA, GetProcAddress, FreeLibrary,
// and GetModuleHandleExA + GetModuleFileNameA for the path of loaded code.
#include "platform/win32/windows_include.h"

#include "base/text.h"
#include "platform/module_loader.h"
#include "platform/system_services.h"
#include "platform/win32/unique_handle.h"

namespace platform {
namespace {

using win32::unique_hmodule;

Status LastError() {
  const DWORD error = ::GetLastError();
  return error != 0 ? error : ERROR_GEN_FAILURE;
}

// The system's sentence for an error code, without the line break.
std::string MessageOf(DWORD error) {
  char buffer[512];
  const DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, buffer, sizeof buffer, nullptr);
  return std::string(base::Trim(std::string_view(buffer, length)));
}

class Win32Module : public Module {
 public:
  explicit Win32Module(unique_hmodule module) : module_(std::move(module)) {}

  void* FindExport(const std::string& name, Status* error) override {
    const FARPROC address = name.empty() ? nullptr : ::GetProcAddress(module_.get(), name.c_str());
    if (!address) {
      if (error) *error = name.empty() ? kProcNotFound : LastError();
      return nullptr;
    }
    if (error) *error = kOk;
    return reinterpret_cast<void*>(address);
  }

 private:
  unique_hmodule module_;
};

class Win32ModuleLoader : public ModuleLoader {
 public:
  std::unique_ptr<Module> Load(const std::string& path, Status* error) override {
    // LoadLibraryA wants backslashes; the product's paths may hold either.
    std::string file = path;
    for (char& c : file) {
      if (c == '/') c = '\\';
    }
    // No "cannot find" or "bad image" system dialog box: the caller reports
    // the failure its own way.
    DWORD previous_mode = 0;
    const bool mode_set =
        ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_mode);
    unique_hmodule module(::LoadLibraryA(file.c_str()));
    const Status status = module ? kOk : LastError();
    if (mode_set) ::SetThreadErrorMode(previous_mode, nullptr);

    if (error) *error = status;
    if (!module) {
      last_error_text_ = MessageOf(status);
      return nullptr;
    }
    last_error_text_.clear();
    return std::make_unique<Win32Module>(std::move(module));
  }

  std::string PathOfModuleContaining(const void* address) override {
    if (!address) return std::string();
    HMODULE module = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCSTR>(address), &module)) {
      return std::string();
    }
    std::string path(MAX_PATH, '\0');
    for (;;) {
      const DWORD length =
          ::GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
      if (length == 0) return std::string();
      // A full buffer means the name was cut short.
      if (length < path.size()) {
        path.resize(length);
        return path;
      }
      if (path.size() >= 32768) return std::string();
      path.resize(path.size() * 2);
    }
  }

  std::string LastErrorText() const override { return last_error_text_; }

 private:
  std::string last_error_text_;
};

}  // namespace

std::unique_ptr<ModuleLoader> CreateSystemModuleLoader() {
  return std::make_unique<Win32ModuleLoader>();
}

}  // namespace platform
