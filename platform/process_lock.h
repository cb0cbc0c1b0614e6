// Locks that order the work of several processes of one user on something
// they share (the host's registration, one page of a web), and the real
// path of a file once links are followed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace platform {

// Held while the object lives; released when it goes away, and by the
// system when its process ends (a killed process never leaves it taken).
class ProcessLock {
 public:
  virtual ~ProcessLock() = default;
};

// Takes the lock called name (letters, digits, '-', '_' and '.'), waiting
// while another process (or another thread of this one) holds it. Null with
// *status on failure: kInvalidName for another name, otherwise the system's
// error. On Linux the locks are files in a folder only the user may use
// ($XDG_RUNTIME_DIR/glintmere, else glintmere-<uid> in the temporary folder),
// on Windows named mutexes of the session.
std::unique_ptr<ProcessLock> AcquireProcessLock(std::string_view name, Status* status);

// Whether name may name a lock: 1 to 200 letters, digits, '-', '_' and '.',
// and neither "." nor "..".
bool IsValidLockName(std::string_view name);

// This process's id, and whether the process with that id is running
// (false for 0).
uint32_t CurrentProcessId();
bool ProcessIsRunning(uint32_t process_id);

// The lock name for one file: prefix, "-" and a digest of its real path, so
// every spelling of one file (through links, "." steps) gives one lock.
std::string FileLockName(std::string_view prefix, const std::string& path);

// The absolute path with every symbolic link (junction, on Windows) followed
// and "." and ".." steps resolved; for a path that does not exist, its
// deepest existing folder is resolved and the rest appended as given.
std::string RealPath(const std::string& path);

// True when path itself is a symbolic link (a reparse point, on Windows);
// false when it is anything else or does not exist.
bool IsSymbolicLink(const std::string& path);

// True when the file at path may not be written to: marked read-only (on
// Windows), or without write permission for this process (elsewhere).
bool IsReadOnlyFile(const std::string& path);

// True when the real path of path is folder's real path or lies below it.
bool RealPathIsInside(const std::string& path, const std::string& folder);

}  // namespace platform
