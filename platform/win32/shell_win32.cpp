// The shell service on Windows: ShellExecuteA, with its old-style result
// (a number of 32 or less on failure) turned into the matching Win32 error
// code so callers see one kind of failure.
#include "platform/win32/windows_include.h"

#include <objbase.h>
#include <shellapi.h>

#include "platform/shell.h"
#include "platform/system_services.h"

namespace platform {
namespace {

// ShellExecute may hand the request to shell extensions, which need COM on
// the calling thread. This joins whatever the thread already has, and undoes
// only what it did itself.
class ComForShell {
 public:
  ComForShell()
      : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComForShell() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComForShell(const ComForShell&) = delete;
  ComForShell& operator=(const ComForShell&) = delete;

 private:
  HRESULT result_;
};

// ShellExecuteA's failure values (0 and SE_ERR_*) as Win32 error codes. Most
// SE_ERR_ values are already the error code; the others are mapped to the
// code ShellExecuteExA would set for the same failure.
Status StatusFromShellResult(INT_PTR result) {
  switch (result) {
    case 0:  // "out of memory or resources"
    case SE_ERR_OOM:
      return kNotEnoughMemory;
    case SE_ERR_FNF:
      return kFileNotFound;
    case SE_ERR_PNF:
      return kPathNotFound;
    case SE_ERR_ACCESSDENIED:
      return kAccessDenied;
    case ERROR_BAD_FORMAT:
      return ERROR_BAD_FORMAT;
    case SE_ERR_SHARE:
      return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
      return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY:
      return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND:
      return ERROR_DLL_NOT_FOUND;
    default:
      return static_cast<Status>(result);
  }
}

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

class Win32Shell : public Shell {
 public:
  Status Execute(const ShellRequest& request) override {
    // ShellExecuteA may start the program in the current folder when the
    // working folder is missing (Wine does); the program would then write
    // its files in the wrong place.
    if (!request.directory.empty()) {
      const DWORD attributes = ::GetFileAttributesA(request.directory.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return kPathNotFound;
      }
    }
    ComForShell com;
    const HINSTANCE result =
        ::ShellExecuteA(nullptr, OrNull(request.verb), request.file.c_str(),
                        OrNull(request.parameters), OrNull(request.directory),
                        request.show ? SW_SHOWNORMAL : SW_HIDE);
    const INT_PTR code = reinterpret_cast<INT_PTR>(result);
    return code > 32 ? kOk : StatusFromShellResult(code);
  }
};

}  // namespace

std::unique_ptr<Shell> CreateSystemShell() { return std::make_unique<Win32Shell>(); }

}  // namespace platform
