// The files service on Linux: std::filesystem with error codes (never
// exceptions) plus a few POSIX calls where the standard library cannot say
// what is needed (exclusive creation, fsync, rename without replacing).
// Paths may use "\" as on Windows, and the results carry the Win32 error
// codes Windows would report for the same failure.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "base/text.h"
#include "platform/files.h"
#include "platform/posix/posix_util.h"
#include "platform/system_services.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using posix::NativePath;
using posix::NotFoundStatus;
using posix::StatusFromErrno;
using posix::StatusFromErrorCode;
using posix::UniqueFd;

// The prefix of the temporary files WriteFileAtomic and CopyFile write
// beside their target.
constexpr std::string_view kScratchPrefix = "~gm";

// Removes a file when it goes out of scope unless Keep() was called: the
// temporary file of a write that failed half way.
class RemoveOnExit {
 public:
  explicit RemoveOnExit(std::string path) : path_(std::move(path)) {}
  RemoveOnExit(const RemoveOnExit&) = delete;
  RemoveOnExit& operator=(const RemoveOnExit&) = delete;
  ~RemoveOnExit() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

bool HasSeparator(std::string_view text) { return text.find_first_of("\\/") != text.npos; }

// A scratch file older than this was left by a run that was killed: no
// write of this program takes that long between creating and renaming it.
constexpr auto kStaleScratchAge = std::chrono::minutes(10);

// Removes the scratch files ("~gm*.tmp") a killed run left in native_folder,
// so none stays in a published folder. Only old ones: a run that is writing
// now keeps its own.
void RemoveStaleScratch(const std::string& native_folder) {
  std::error_code error;
  fs::directory_iterator entries(native_folder, error);
  if (error) return;
  const auto now = fs::file_time_type::clock::now();
  for (const fs::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (name.size() < 8 || name.compare(0, kScratchPrefix.size(), kScratchPrefix) != 0 ||
        !base::EndsWithNoCase(name, ".tmp")) {
      continue;
    }
    std::error_code status_error;
    if (!entry.is_regular_file(status_error) || entry.is_symlink(status_error)) continue;
    const auto written = entry.last_write_time(status_error);
    if (!status_error && now - written > kStaleScratchAge) {
      ::unlink(entry.path().c_str());
    }
  }
}

std::string FolderOfNative(const std::string& native_path) {
  const fs::path parent = fs::path(native_path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

std::string JoinNative(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

// Creates a new empty file named like GetTempFileNameA names them: up to
// three characters of prefix, a hexadecimal number, ".tmp". The number
// starts at a random value and counts up until a name is free, so two
// processes racing for names both succeed. The file is created exclusively
// (O_EXCL), which is what makes the name unique.
Status CreateUniqueFile(const std::string& native_folder, std::string_view prefix,
                        std::string* native_path, UniqueFd* fd) {
  if (HasSeparator(prefix)) return kInvalidName;
  const std::string stem(prefix.substr(0, 3));
  // Where to start counting: differs between processes and between calls,
  // so racing callers rarely try the same names. (std::random_device could
  // throw; this cannot.)
  static std::atomic<unsigned> calls{0};
  const auto now = static_cast<unsigned>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  const unsigned start =
      (now ^ (static_cast<unsigned>(::getpid()) * 2654435761u) ^ (calls++ * 40503u)) & 0xFFFFu;
  for (unsigned attempt = 0; attempt < 0x10000u; ++attempt) {
    const unsigned unique = (start + attempt) & 0xFFFFu;
    if (unique == 0) continue;  // GetTempFileNameA never uses 0 either
    const std::string path =
        JoinNative(native_folder, stem + base::Format("%X", unique) + ".tmp");
    const int opened = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (opened >= 0) {
      fd->Reset(opened);
      *native_path = path;
      return kOk;
    }
    if (errno == EEXIST) continue;
    if (errno == ENOENT) return kPathNotFound;
    return StatusFromErrno(errno);
  }
  return kFileExists;  // every name is taken, as GetTempFileNameA reports it
}

// A scratch file in native_folder that has no name while it is written
// (O_TMPFILE), so a process killed half way leaves nothing behind; where the
// file system cannot do that, a named one as CreateUniqueFile makes it.
// *native_path is empty for an unnamed file until NameScratch gives it one.
Status CreateScratch(const std::string& native_folder, std::string* native_path, UniqueFd* fd) {
  native_path->clear();
#if defined(O_TMPFILE)
  const int opened = ::open(native_folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (opened >= 0) {
    fd->Reset(opened);
    return kOk;
  }
  if (errno == ENOENT || errno == ENOTDIR) return kPathNotFound;
  if (errno == EACCES || errno == EPERM || errno == EROFS) return StatusFromErrno(errno);
#endif
  return CreateUniqueFile(native_folder, kScratchPrefix, native_path, fd);
}

// Gives an unnamed scratch file a unique name in native_folder, just before
// it is renamed into place.
Status NameScratch(const std::string& native_folder, int fd, std::string* native_path) {
  if (!native_path->empty()) return kOk;
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  static std::atomic<unsigned> calls{0};
  const unsigned start = (static_cast<unsigned>(::getpid()) * 2654435761u ^ calls++ * 40503u) & 0xFFFFu;
  for (unsigned attempt = 0; attempt < 0x10000u; ++attempt) {
    const std::string path = JoinNative(
        native_folder, std::string(kScratchPrefix) + base::Format("%X", (start + attempt) & 0xFFFFu) + ".tmp");
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      *native_path = path;
      return kOk;
    }
    if (errno != EEXIST) return StatusFromErrno(errno);
  }
  return kFileExists;
}

// Makes a rename in folder durable. A failure here is not reported: the
// rename itself has happened and is visible.
void SyncFolder(const std::string& native_folder) {
  UniqueFd folder(::open(native_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
}

// Renames from to to, failing with EEXIST instead of replacing an existing
// to. renameat2 does it in one step; file systems without RENAME_NOREPLACE
// get link + unlink, which is just as atomic for files.
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return 0;
  }
  if (errno != EPERM && errno != EOPNOTSUPP) return errno;
  // Neither is available (some network file systems); check, then rename.
  std::error_code ignored;
  if (fs::exists(fs::symlink_status(to, ignored))) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

class PosixFiles : public Files {
 public:
  bool FileExists(const std::string& path) override {
    std::error_code error;
    const fs::file_status status = fs::status(NativePath(path), error);
    return !error && fs::exists(status) && !fs::is_directory(status);
  }

  bool FolderExists(const std::string& path) override {
    std::error_code error;
    return fs::is_directory(NativePath(path), error);
  }

  Status FindFiles(const std::string& folder, std::string_view pattern,
                   std::vector<std::string>* names) override {
    return List(folder, names, [pattern](const std::string& name, bool is_folder) {
      return !is_folder && MatchFilePattern(pattern, name);
    });
  }

  Status ListFolders(const std::string& folder, std::vector<std::string>* names) override {
    return List(folder, names, [](const std::string&, bool is_folder) { return is_folder; });
  }

  Status CopyFile(const std::string& from, const std::string& to, bool replace) override {
    const std::string source = NativePath(from);
    const std::string target = NativePath(to);
    std::error_code error;
    const fs::file_status source_status = fs::status(source, error);
    if (!fs::exists(source_status)) return NotFoundStatus(source);
    if (fs::is_directory(source_status)) return kAccessDenied;
    const fs::file_status target_status = fs::status(target, error);
    if (fs::exists(target_status)) {
      if (!replace) return kFileExists;
      if (fs::is_directory(target_status)) return kAccessDenied;
      // Copying a file onto itself would truncate it; Windows refuses too.
      if (fs::equivalent(source, target, error)) return kSharingViolation;
    }

    // The copy goes to a scratch file beside the target and is renamed
    // into place, so a failed copy (a full disk) never leaves a truncated
    // target behind, and "do not replace" holds even against a racing writer.
    const std::string target_folder = FolderOfNative(target);
    UniqueFd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0) return StatusFromErrno(errno);
    struct stat source_info {};
    if (::fstat(in.get(), &source_info) != 0) return StatusFromErrno(errno);
    if (!S_ISREG(source_info.st_mode)) return kAccessDenied;
    std::string scratch;
    UniqueFd scratch_fd;
    Status status = CreateScratch(target_folder, &scratch, &scratch_fd);
    if (status != kOk) return status;
    RemoveOnExit remove_scratch(scratch);
    char buffer[65536];
    for (;;) {
      const ssize_t got = ::read(in.get(), buffer, sizeof buffer);
      if (got < 0) {
        if (errno == EINTR) continue;
        return kReadFault;
      }
      if (got == 0) break;
      const std::string_view data(buffer, static_cast<size_t>(got));
      if (const int error = posix::WriteAll(scratch_fd.get(), data); error != 0) {
        return StatusFromErrno(error);
      }
    }
    ::fchmod(scratch_fd.get(), source_info.st_mode & 0777);
    // Windows keeps the time the source was last written.
    const timespec times[2] = {source_info.st_atim, source_info.st_mtim};
    ::futimens(scratch_fd.get(), times);
    if ((status = NameScratch(target_folder, scratch_fd.get(), &scratch)) != kOk) return status;
    RemoveOnExit remove_named(scratch);
    remove_scratch.Keep();
    if (const int close_error = scratch_fd.Close(); close_error != 0) {
      return StatusFromErrno(close_error);
    }

    if (replace) {
      if (::rename(scratch.c_str(), target.c_str()) != 0) return StatusFromErrno(errno);
    } else {
      const int rename_error = RenameNoReplace(scratch, target);
      if (rename_error == EEXIST) return kFileExists;
      if (rename_error != 0) return StatusFromErrno(rename_error);
    }
    remove_named.Keep();
    return kOk;
  }

  Status MoveFile(const std::string& from, const std::string& to, bool replace) override {
    const std::string source = NativePath(from);
    const std::string target = NativePath(to);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(source, error))) return NotFoundStatus(source);
    if (!fs::is_directory(FolderOfNative(target), error)) return kPathNotFound;

    const int rename_error = replace ? (::rename(source.c_str(), target.c_str()) == 0 ? 0 : errno)
                                     : RenameNoReplace(source, target);
    if (rename_error == 0) return kOk;
    if (rename_error == EEXIST || rename_error == ENOTEMPTY) return kAlreadyExists;
    if (rename_error != EXDEV) return StatusFromErrno(rename_error);

    // Another file system: copy, then delete the original, as MoveFileEx
    // does with MOVEFILE_COPY_ALLOWED. Folders are not moved that way.
    if (fs::is_directory(source, error)) return kNotSameDevice;
    const Status copied = CopyFile(from, to, replace);
    if (copied != kOk) return copied;
    return ::unlink(source.c_str()) == 0 ? kOk : StatusFromErrno(errno);
  }

  Status DeleteFile(const std::string& path) override {
    const std::string native = NativePath(path);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(native, error);
    if (!fs::exists(status)) return NotFoundStatus(native);
    if (fs::is_directory(status)) return kAccessDenied;  // as DeleteFileA on a folder
    return ::unlink(native.c_str()) == 0 ? kOk : StatusFromErrno(errno);
  }

  Status CreateFolder(const std::string& path) override {
    const std::string native = NativePath(path);
    if (::mkdir(native.c_str(), 0777) == 0) return kOk;
    if (errno == ENOENT) return kPathNotFound;
    return StatusFromErrno(errno);  // EEXIST: kAlreadyExists
  }

  Status CreateFolders(const std::string& path) override {
    const std::string native = NativePath(path);
    std::error_code error;
    const fs::file_status status = fs::status(native, error);
    if (fs::is_directory(status)) return kOk;
    if (fs::exists(status)) return kAlreadyExists;  // a file is in the way
    fs::create_directories(native, error);
    if (!error) return kOk;
    // A folder made at the same moment by someone else is fine.
    std::error_code ignored;
    if (fs::is_directory(native, ignored)) return kOk;
    // A file on the way to the folder.
    if (error == std::errc::not_a_directory || error == std::errc::file_exists) {
      return kPathNotFound;
    }
    return StatusFromErrorCode(error);
  }

  Status DeleteTree(const std::string& path) override {
    const std::string native = NativePath(path);
    std::error_code error;
    // A link to a folder counts as the folder, but remove_all deletes the
    // link only, never what it points to.
    if (!fs::is_directory(native, error)) return kPathNotFound;
    fs::remove_all(native, error);
    return StatusFromErrorCode(error);
  }

  Status ReadFile(const std::string& path, std::string* contents) override {
    return ReadFileUpTo(path, SIZE_MAX, contents);
  }

  Status ReadFileUpTo(const std::string& path, size_t max_size, std::string* contents) override {
    return Read(path, max_size, /*cut=*/false, contents);
  }

  Status ReadFilePrefix(const std::string& path, size_t max_size, std::string* contents) override {
    return Read(path, max_size, /*cut=*/true, contents);
  }

  Status WriteFileAtomic(const std::string& path, std::string_view contents) override {
    std::string target = NativePath(path);
    // A link is written through: its target gets the new contents and the
    // link stays a link.
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
      const fs::path resolved = fs::canonical(target, error);
      if (!error) target = resolved.string();
    }
    const std::string folder = FolderOfNative(target);
    RemoveStaleScratch(folder);
    std::string scratch;
    UniqueFd fd;
    const Status created = CreateScratch(folder, &scratch, &fd);
    if (created != kOk) return created;
    RemoveOnExit remove_scratch(scratch);

    if (const int error = posix::WriteAll(fd.get(), contents); error != 0) {
      return StatusFromErrno(error);
    }
    // A replaced file keeps its permissions (a script stays executable).
    struct stat old_info {};
    if (::stat(target.c_str(), &old_info) == 0 && S_ISREG(old_info.st_mode)) {
      ::fchmod(fd.get(), old_info.st_mode & 07777);
    }
    // The data must be on disk before the rename makes it the file:
    // otherwise a crash can leave an empty file under the old name.
    if (::fsync(fd.get()) != 0) return kWriteFault;
    if (const Status named = NameScratch(folder, fd.get(), &scratch); named != kOk) return named;
    RemoveOnExit remove_named(scratch);
    remove_scratch.Keep();
    if (const int close_error = fd.Close(); close_error != 0) return StatusFromErrno(close_error);
    if (::rename(scratch.c_str(), target.c_str()) != 0) return StatusFromErrno(errno);
    remove_named.Keep();
    SyncFolder(folder);
    return kOk;
  }

  std::string TempFolder() override {
    std::string folder = "/tmp";
    if (const char* tmpdir = std::getenv("TMPDIR"); tmpdir && *tmpdir) {
      std::error_code error;
      if (fs::is_directory(tmpdir, error)) folder = tmpdir;
    }
    if (folder.back() != '/') folder += '/';
    return folder;
  }

  Status CreateTempFile(const std::string& folder, std::string_view prefix,
                        std::string* path) override {
    std::string native_folder = NativePath(folder);
    if (native_folder.empty()) native_folder = ".";
    UniqueFd fd;
    return CreateUniqueFile(native_folder, prefix, path, &fd);
  }

  std::string FullPath(const std::string& path) override {
    if (path.empty()) return std::string();
    std::error_code error;
    const fs::path full = fs::absolute(NativePath(path), error);
    if (error) return NativePath(path);
    return full.lexically_normal().string();
  }

 private:
  static constexpr Status kSharingViolation = 32;  // ERROR_SHARING_VIOLATION
  static constexpr Status kNotSameDevice = 17;     // ERROR_NOT_SAME_DEVICE

  // Reads a regular file: with cut, its first max_size bytes (all of it
  // when shorter); without, all of it, or kFileTooLarge with *contents
  // empty when it is longer than max_size.
  static Status Read(const std::string& path, size_t max_size, bool cut, std::string* contents) {
    contents->clear();
    const std::string native = NativePath(path);
    // O_NONBLOCK: opening a FIFO must not wait for a writer that never comes.
    UniqueFd fd(::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
      return errno == ENOENT ? NotFoundStatus(native) : StatusFromErrno(errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return StatusFromErrno(errno);
    // A folder (as CreateFileA on a folder), a FIFO or a device such as
    // /dev/zero, which would never end, is not a file to read.
    if (!S_ISREG(info.st_mode)) return kAccessDenied;
    const uint64_t measured = static_cast<uint64_t>(info.st_size);
    if (!cut && measured > max_size) return kFileTooLarge;
    // Never more than this is read: the prefix, or one byte past the limit,
    // which tells a file that grew since it was measured.
    const size_t most = cut || max_size == SIZE_MAX ? max_size : max_size + 1;
    // Read straight into the text, measured size first (and one byte to see
    // the end); a file that grew since goes on in steps.
    size_t size = 0;
    contents->resize(static_cast<size_t>(std::min<uint64_t>(measured + 1, most)));
    for (;;) {
      if (size == contents->size()) {
        if (size == most) break;
        contents->resize(size + std::min<size_t>(most - size, 65536));
      }
      const ssize_t got = ::read(fd.get(), contents->data() + size, contents->size() - size);
      if (got < 0) {
        if (errno == EINTR) continue;
        contents->clear();
        return kReadFault;
      }
      if (got == 0) break;
      size += static_cast<size_t>(got);
    }
    contents->resize(size);
    if (size > max_size) {
      contents->clear();
      return kFileTooLarge;
    }
    return kOk;
  }

  // Names of the entries of folder that keep(name, is_folder) accepts,
  // sorted without regard to case as the product shows them.
  template <typename Keep>
  Status List(const std::string& folder, std::vector<std::string>* names, Keep keep) {
    names->clear();
    std::string native = NativePath(folder);
    if (native.empty()) native = ".";
    std::error_code error;
    if (!fs::is_directory(native, error)) return kPathNotFound;
    fs::directory_iterator it(native, error);
    if (error) return StatusFromErrorCode(error);
    for (; it != fs::directory_iterator(); it.increment(error)) {
      if (error) break;
      std::error_code entry_error;
      // Follows links, as Windows reports a link by its target's kind; a
      // dangling link is neither a file nor a folder here. The entry's
      // kind comes with the listing, so only links cost a look-up.
      if (!it->exists(entry_error) || entry_error) continue;
      const bool is_folder = it->is_directory(entry_error);
      if (entry_error) continue;
      std::string name = it->path().filename().string();
      if (keep(name, is_folder)) names->push_back(std::move(name));
    }
    if (error) {
      names->clear();
      return StatusFromErrorCode(error);
    }
    std::sort(names->begin(), names->end(), [](const std::string& a, const std::string& b) {
      const int order = base::CompareNoCase(a, b);
      return order != 0 ? order < 0 : a < b;
    });
    return kOk;
  }
};

}  // namespace

std::unique_ptr<Files> CreateSystemFiles() { return std::make_unique<PosixFiles>(); }

}  // namespace platform
