// The module loader on Linux: dlopen, dlsym, dladdr. The product names its
// libraries the Windows way ("bots\GMWebbot.dll"); here "\" is a folder
// separator and a missing ".dll" file is looked for as ".so", which is how
// the build names the same library on Linux.
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <filesystem>

#include "base/text.h"
#include "platform/module_loader.h"
#include "platform/posix/posix_util.h"
#include "platform/system_services.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string DlErrorText() {
  const char* text = ::dlerror();
  return text ? std::string(text) : std::string();
}

// The link map of the object (program or library) holding address, or null.
const link_map* LinkMapOf(const void* address) {
  Dl_info info{};
  link_map* map = nullptr;
  if (::dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0) {
    return nullptr;
  }
  return map;
}

class PosixModule : public Module {
 public:
  explicit PosixModule(void* handle) : handle_(handle) {
    link_map* map = nullptr;
    if (::dlinfo(handle_, RTLD_DI_LINKMAP, &map) == 0) map_ = map;
  }
  ~PosixModule() override { ::dlclose(handle_); }
  PosixModule(const PosixModule&) = delete;
  PosixModule& operator=(const PosixModule&) = delete;

  void* FindExport(const std::string& name, Status* error) override {
    ::dlerror();
    void* address = name.empty() ? nullptr : ::dlsym(handle_, name.c_str());
    // dlsym also searches the libraries this one depends on ("printf" would
    // be found through the C library); GetProcAddress looks at the module's
    // own exports only, and so does this.
    if (address && map_ && LinkMapOf(address) != map_) address = nullptr;
    if (!address) {
      if (error) *error = kProcNotFound;
      return nullptr;
    }
    if (error) *error = kOk;
    return address;
  }

 private:
  void* handle_;
  const link_map* map_ = nullptr;
};

class PosixModuleLoader : public ModuleLoader {
 public:
  std::unique_ptr<Module> Load(const std::string& path, Status* error) override {
    last_error_text_.clear();
    Status status = kOk;
    std::unique_ptr<Module> module = LoadNative(posix::NativePath(path), &status);
    if (error) *error = status;
    return module;
  }

  std::string PathOfModuleContaining(const void* address) override {
    if (!address) return std::string();
    const link_map* map = LinkMapOf(address);
    if (!map) return std::string();
    // The program itself has an empty name in the link map.
    if (!map->l_name || map->l_name[0] == '\0') {
      std::error_code error;
      const fs::path self = fs::read_symlink("/proc/self/exe", error);
      return error ? std::string() : self.string();
    }
    std::error_code error;
    const fs::path full = fs::absolute(map->l_name, error);
    return error ? std::string(map->l_name) : full.lexically_normal().string();
  }

  std::string LastErrorText() const override { return last_error_text_; }

 private:
  std::unique_ptr<Module> LoadNative(const std::string& native, Status* status) {
    if (native.find('/') == std::string::npos) return LoadByName(native, status);

    std::string file = native;
    std::error_code error;
    if (!fs::is_regular_file(file, error) && base::EndsWithNoCase(file, ".dll")) {
      file = file.substr(0, file.size() - 4) + ".so";
    }
    if (!fs::is_regular_file(file, error)) {
      *status = kModNotFound;
      return nullptr;
    }
    // An absolute name keeps PathOfModuleContaining right after the current
    // folder changes, and stops dlopen from searching anywhere else.
    const fs::path full = fs::absolute(file, error);
    if (!error) file = full.lexically_normal().string();
    return Open(file, kBadExeFormat, status);
  }

  // A bare name is left to the system's library search, as LoadLibraryA
  // leaves it to the Windows one; nothing tells a missing library from a
  // broken one there, so every failure is kModNotFound.
  std::unique_ptr<Module> LoadByName(const std::string& name, Status* status) {
    if (std::unique_ptr<Module> module = Open(name, kModNotFound, status)) return module;
    if (base::EndsWithNoCase(name, ".dll")) {
      const std::string first_error = last_error_text_;
      if (std::unique_ptr<Module> module =
              Open(name.substr(0, name.size() - 4) + ".so", kModNotFound, status)) {
        return module;
      }
      last_error_text_ = first_error;
    }
    return nullptr;
  }

  std::unique_ptr<Module> Open(const std::string& file, Status failure, Status* status) {
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      last_error_text_ = DlErrorText();
      *status = failure;
      return nullptr;
    }
    last_error_text_.clear();
    *status = kOk;
    return std::make_unique<PosixModule>(handle);
  }

  std::string last_error_text_;
};

}  // namespace

std::unique_ptr<ModuleLoader> CreateSystemModuleLoader() {
  return std::make_unique<PosixModuleLoader>();
}

}  // namespace platform
