// Process locks on Linux: flock on files in a folder of the user's own.
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "platform/posix/posix_util.h"
#include "platform/process_lock.h"

namespace platform {
namespace {

class FlockLock : public ProcessLock {
 public:
  explicit FlockLock(int fd) : fd_(fd) {}
  ~FlockLock() override { ::close(fd_); }  // closing the file releases the lock

 private:
  int fd_;
};

// The folder of the lock files, made when missing; it must be a folder of
// this user that nobody else may write, or another user could hold or
// replace our locks.
Status LockFolder(std::string* folder) {
  std::string path;
  if (const char* runtime = ::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
    path = std::string(runtime) + "/glintmere";
  } else {
    const char* tmp = ::getenv("TMPDIR");
    path = std::string(tmp && tmp[0] == '/' ? tmp : "/tmp") + "/glintmere-" +
           std::to_string(static_cast<unsigned long>(::getuid()));
  }
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return posix::StatusFromErrno(errno);
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return posix::StatusFromErrno(errno);
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid() || (info.st_mode & 022) != 0) {
    return kAccessDenied;
  }
  *folder = std::move(path);
  return kOk;
}

}  // namespace

std::unique_ptr<ProcessLock> AcquireProcessLock(std::string_view name, Status* status) {
  if (!IsValidLockName(name)) {
    *status = kInvalidName;
    return nullptr;
  }
  std::string folder;
  if ((*status = LockFolder(&folder)) != kOk) return nullptr;
  const std::string path = folder + "/" + std::string(name) + ".lock";
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    *status = posix::StatusFromErrno(errno);
    return nullptr;
  }
  // Each call opens the file anew: flock belongs to the open file, so two
  // threads of one process exclude each other as two processes do.
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      *status = posix::StatusFromErrno(errno);
      ::close(fd);
      return nullptr;
    }
  }
  *status = kOk;
  return std::make_unique<FlockLock>(fd);
}

uint32_t CurrentProcessId() { return static_cast<uint32_t>(::getpid()); }

bool ProcessIsRunning(uint32_t process_id) {
  if (process_id == 0 || process_id > static_cast<uint32_t>(INT32_MAX)) return false;
  // EPERM: running, as another user's.
  return ::kill(static_cast<pid_t>(process_id), 0) == 0 || errno == EPERM;
}

bool IsSymbolicLink(const std::string& path) {
  struct stat info {};
  return ::lstat(posix::NativePath(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool IsReadOnlyFile(const std::string& path) {
  return ::access(posix::NativePath(path).c_str(), W_OK) != 0 && errno != ENOENT;
}

std::string RealPath(const std::string& path) {
  std::string native = posix::NativePath(path);
  if (native.empty()) return std::string();
  if (native.front() != '/') {
    char cwd[PATH_MAX];
    if (!::getcwd(cwd, sizeof cwd)) return std::string();
    native = std::string(cwd) + "/" + native;
  }
  // Resolves the deepest part that exists and keeps the rest as written.
  std::string rest;
  std::string head = native;
  while (true) {
    if (char* resolved = ::realpath(head.c_str(), nullptr)) {
      std::string out(resolved);
      ::free(resolved);
      if (!rest.empty()) out += (out == "/" ? "" : "/") + rest;
      return out;
    }
    const size_t slash = head.find_last_of('/');
    if (slash == std::string::npos || head.size() <= 1) return native;
    const std::string name = head.substr(slash + 1);
    if (name == "..") return std::string();  // cannot tell where a missing folder's parent is
    if (!name.empty() && name != ".") rest = rest.empty() ? name : name + "/" + rest;
    head = slash == 0 ? "/" : head.substr(0, slash);
  }
}

}  // namespace platform
