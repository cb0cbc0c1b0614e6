// Process locks on Windows: named mutexes of the user's session.
#include "platform/win32/windows_include.h"

#include <string>

#include "platform/process_lock.h"

namespace platform {
namespace {

class MutexLock : public ProcessLock {
 public:
  explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
  ~MutexLock() override {
    ::ReleaseMutex(mutex_);
    ::CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
};

std::string FullPathOf(const std::string& path) {
  std::string full(MAX_PATH, '\0');
  DWORD length = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(),
                                    nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(),
                                nullptr);
  }
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  return full;
}

// The final path of an existing file or folder; empty when it cannot be opened.
std::string FinalPathOf(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string final_path(MAX_PATH, '\0');
  DWORD length = ::GetFinalPathNameByHandleA(file, final_path.data(),
                                             static_cast<DWORD>(final_path.size()), 0);
  if (length >= final_path.size()) {
    final_path.resize(length + 1);
    length = ::GetFinalPathNameByHandleA(file, final_path.data(),
                                         static_cast<DWORD>(final_path.size()), 0);
  }
  ::CloseHandle(file);
  if (length == 0 || length >= final_path.size()) return std::string();
  final_path.resize(length);
  if (final_path.rfind("\\\\?\\UNC\\", 0) == 0) return "\\" + final_path.substr(7);
  if (final_path.rfind("\\\\?\\", 0) == 0) return final_path.substr(4);
  return final_path;
}

}  // namespace

std::unique_ptr<ProcessLock> AcquireProcessLock(std::string_view name, Status* status) {
  if (!IsValidLockName(name)) {
    *status = kInvalidName;
    return nullptr;
  }
  const std::string full = "Local\\Glintmere." + std::string(name);
  HANDLE mutex = ::CreateMutexA(nullptr, FALSE, full.c_str());
  if (!mutex) {
    *status = ::GetLastError();
    return nullptr;
  }
  // A mutex whose owner ended without releasing it is handed over as
  // abandoned: taken all the same.
  const DWORD waited = ::WaitForSingleObject(mutex, INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    *status = waited == WAIT_FAILED ? ::GetLastError() : ERROR_GEN_FAILURE;
    ::CloseHandle(mutex);
    return nullptr;
  }
  *status = kOk;
  return std::make_unique<MutexLock>(mutex);
}

uint32_t CurrentProcessId() { return ::GetCurrentProcessId(); }

bool ProcessIsRunning(uint32_t process_id) {
  if (process_id == 0) return false;
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  ::CloseHandle(process);
  return running;
}

bool IsSymbolicLink(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

std::string RealPath(const std::string& path) {
  if (path.empty()) return std::string();
  std::string head = FullPathOf(path);
  std::string rest;
  while (true) {
    const std::string final_path = FinalPathOf(head);
    if (!final_path.empty()) {
      if (rest.empty()) return final_path;
      return final_path + (final_path.back() == '\\' ? "" : "\\") + rest;
    }
    const size_t slash = head.find_last_of("\\/");
    if (slash == std::string::npos || slash + 1 == head.size()) return FullPathOf(path);
    const std::string name = head.substr(slash + 1);
    rest = rest.empty() ? name : name + "\\" + rest;
    head = head.substr(0, slash + (slash == 2 && head[1] == ':' ? 1 : 0));
  }
}

}  // namespace platform
