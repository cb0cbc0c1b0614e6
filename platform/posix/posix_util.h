// Helpers shared by the POSIX services: Windows-style paths to native ones,
// errno values to the Win32 error codes the product reports, an owner for a
// file descriptor and a write that writes everything.
#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/status.h"

namespace platform::posix {

// The path with every "\" turned into "/", so the product's Windows-style
// paths name the same files here.
std::string NativePath(std::string_view path);

// The Win32 error code that matches an errno value (ENOENT gives
// kFileNotFound, EACCES kAccessDenied, ...); ERROR_GEN_FAILURE for values
// Windows has no counterpart for.
Status StatusFromErrno(int error);
Status StatusFromErrorCode(const std::error_code& error);

// kFileNotFound when the folder that would hold path exists, kPathNotFound
// when it does not: Windows tells the two apart where ENOENT does not.
Status NotFoundStatus(const std::string& native_path);

// An open file descriptor (or none, -1), closed when it goes out of scope.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.fd_, -1));
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { Reset(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes the one held (an error of that close is lost) and holds fd.
  void Reset(int fd = -1);
  // Closes now and gives the errno of a failed close (a delayed write
  // error), 0 when it succeeded or nothing was held.
  int Close();

 private:
  int fd_ = -1;
};

// Writes all of data, going on after partial writes and interruptions. 0 on
// success, else the errno of the write that failed (errno is left set too).
int WriteAll(int fd, std::string_view data);

}  // namespace platform::posix
