// errno to Win32 error codes, native paths, file descriptors and writes for
// the POSIX services.
#include "platform/posix/posix_util.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace platform::posix {
namespace {

// Win32 codes status.h has no name for; they only ever appear as numbers in
// the product's messages.
constexpr Status kWriteProtect = 19;        // ERROR_WRITE_PROTECT
constexpr Status kGenFailure = 31;          // ERROR_GEN_FAILURE
constexpr Status kSharingViolation = 32;    // ERROR_SHARING_VIOLATION
constexpr Status kNotSameDevice = 17;       // ERROR_NOT_SAME_DEVICE
constexpr Status kDiskFull = 112;           // ERROR_DISK_FULL
constexpr Status kDirNotEmpty = 145;        // ERROR_DIR_NOT_EMPTY
constexpr Status kFilenameTooLong = 206;    // ERROR_FILENAME_EXCED_RANGE
constexpr Status kTooManyOpenFiles = 4;     // ERROR_TOO_MANY_OPEN_FILES

}  // namespace

std::string NativePath(std::string_view path) {
  std::string native(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

Status StatusFromErrno(int error) {
  switch (error) {
    case 0:
      return kOk;
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kAccessDenied;
    case EBADF:
      return kInvalidHandle;
    case ENOMEM:
    case EAGAIN:
      return kNotEnoughMemory;
    case EEXIST:
      return kAlreadyExists;
    case EINVAL:
      return kInvalidParameter;
    case ENAMETOOLONG:
      return kFilenameTooLong;
    case ENOEXEC:
    case ELIBBAD:
      return kBadExeFormat;
    case EROFS:
      return kWriteProtect;
    case EBUSY:
    case ETXTBSY:
      return kSharingViolation;
    case EXDEV:
      return kNotSameDevice;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    case ENOTEMPTY:
      return kDirNotEmpty;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case ELOOP:
      return kInvalidName;
    default:
      return kGenFailure;
  }
}

Status StatusFromErrorCode(const std::error_code& error) {
  if (!error) return kOk;
  if (error.category() == std::generic_category() || error.category() == std::system_category()) {
    return StatusFromErrno(error.value());
  }
  return kGenFailure;
}

void UniqueFd::Reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

int UniqueFd::Close() {
  const int fd = std::exchange(fd_, -1);
  if (fd < 0) return 0;
  return ::close(fd) == 0 ? 0 : errno;
}

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

Status NotFoundStatus(const std::string& native_path) {
  std::error_code ignored;
  const std::filesystem::path parent = std::filesystem::path(native_path).parent_path();
  if (parent.empty() || std::filesystem::is_directory(parent, ignored)) return kFileNotFound;
  return kPathNotFound;
}

}  // namespace platform::posix
