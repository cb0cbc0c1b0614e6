// The files service on Windows: the ANSI file functions of kernel32, with
// the error codes they set.
#include "platform/win32/windows_include.h"

#include <algorithm>
#include <cstdint>

#include "base/path.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/system_services.h"
#include "platform/win32/unique_handle.h"

namespace platform {
namespace {

using win32::unique_hfile;
using win32::unique_hfind;

// The prefix of the temporary file WriteFileAtomic writes beside its target.
constexpr char kScratchPrefix[] = "~gm";

// The calling thread's last error, never 0 after a failure.
Status LastError() {
  const DWORD error = ::GetLastError();
  return error != 0 ? error : ERROR_GEN_FAILURE;
}

bool IsDotEntry(const char* name) {
  return (name[0] == '.' && name[1] == '\0') || (name[0] == '.' && name[1] == '.' && name[2] == '\0');
}

bool HasSeparator(std::string_view text) { return text.find_first_of("\\/") != text.npos; }

// A scratch file older than this (in 100 ns units: 10 minutes) was left by a
// run that was killed: no write of this program takes that long.
constexpr uint64_t kStaleScratchAge = 10ull * 60 * 10'000'000;

uint64_t FileTimeValue(const FILETIME& time) {
  return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Removes the scratch files ("~gm*.tmp") a killed run left in folder, so
// none stays in a published folder. Only old ones; a run writing now holds
// its own open without delete sharing, so it could not go anyway.
void RemoveStaleScratch(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  const std::string pattern = folder + "\\" + kScratchPrefix + "*.tmp";
  const HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  FILETIME now_time{};
  ::GetSystemTimeAsFileTime(&now_time);
  const uint64_t now = FileTimeValue(now_time);
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    const uint64_t written = FileTimeValue(found.ftLastWriteTime);
    if (now > written && now - written > kStaleScratchAge) {
      ::DeleteFileA((folder + "\\" + found.cFileName).c_str());
    }
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

// A drive or share root ("C:\", "\") that CreateDirectoryA cannot make.
bool IsRoot(const std::string& path) {
  return path == "\\" || (path.size() == 3 && path[1] == ':' && path[2] == '\\') ||
         (path.size() == 2 && path[1] == ':');
}

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && base::IsPathSeparator(path.back()) && !IsRoot(path)) path.pop_back();
  return path;
}

// Deletes a file when it goes out of scope unless Keep() was called: the
// temporary file of a write that failed half way.
class DeleteOnExit {
 public:
  explicit DeleteOnExit(std::string path) : path_(std::move(path)) {}
  DeleteOnExit(const DeleteOnExit&) = delete;
  DeleteOnExit& operator=(const DeleteOnExit&) = delete;
  ~DeleteOnExit() {
    if (!path_.empty()) ::DeleteFileA(path_.c_str());
  }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

// Deletes folder and everything in it. A folder that is a junction or a
// symbolic link is removed as a link: what it points to is not touched.
Status RemoveTree(const std::string& folder, DWORD attributes) {
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAA entry;
    unique_hfind find(::FindFirstFileA(base::JoinPath(folder, "*").c_str(), &entry));
    if (!find) return LastError();
    do {
      if (IsDotEntry(entry.cFileName)) continue;
      const std::string child = base::JoinPath(folder, entry.cFileName);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (const Status status = RemoveTree(child, entry.dwFileAttributes); status != kOk) {
          return status;
        }
        continue;
      }
      // "Everything in it" includes read-only files, which DeleteFileA refuses.
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        ::SetFileAttributesA(child.c_str(), entry.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
      }
      if (!::DeleteFileA(child.c_str())) return LastError();
    } while (::FindNextFileA(find.get(), &entry));
    if (::GetLastError() != ERROR_NO_MORE_FILES) return LastError();
  }
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    ::SetFileAttributesA(folder.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  return ::RemoveDirectoryA(folder.c_str()) ? kOk : LastError();
}

// Reads a file: with cut, its first max_size bytes (all of it when
// shorter); without, all of it, or kFileTooLarge with *contents empty when it
// is longer than max_size.
Status Read(const std::string& path, size_t max_size, bool cut, std::string* contents) {
  contents->clear();
  unique_hfile file(::CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastError();
  LARGE_INTEGER size;
  if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
    const uint64_t measured = static_cast<uint64_t>(size.QuadPart);
    if (!cut && measured > max_size) return kFileTooLarge;
    contents->reserve(static_cast<size_t>(std::min<uint64_t>(measured, max_size)));
  }
  char buffer[65536];
  while (!cut || contents->size() < max_size) {
    // A prefix asks for no byte past its end.
    const DWORD wanted = static_cast<DWORD>(
        cut ? std::min<size_t>(sizeof buffer, max_size - contents->size()) : sizeof buffer);
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, wanted, &got, nullptr)) {
      const Status error = LastError();
      contents->clear();
      return error;
    }
    if (got == 0) break;
    contents->append(buffer, got);
    // Grown since it was measured.
    if (contents->size() > max_size) {
      contents->clear();
      return kFileTooLarge;
    }
  }
  return kOk;
}

class Win32Files : public Files {
 public:
  bool FileExists(const std::string& path) override {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool FolderExists(const std::string& path) override {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  // Every entry is read and matched with MatchFilePattern rather than handing
  // the pattern to FindFirstFileA: the system also matches the 8.3 short
  // names, so "*.htm" would find "page.html" on some volumes and not others.
  Status FindFiles(const std::string& folder, std::string_view pattern,
                   std::vector<std::string>* names) override {
    return List(folder, names, [pattern](const char* name, bool is_folder) {
      return !is_folder && MatchFilePattern(pattern, name);
    });
  }

  Status ListFolders(const std::string& folder, std::vector<std::string>* names) override {
    return List(folder, names, [](const char*, bool is_folder) { return is_folder; });
  }

  Status CopyFile(const std::string& from, const std::string& to, bool replace) override {
    return ::CopyFileA(from.c_str(), to.c_str(), replace ? FALSE : TRUE) ? kOk : LastError();
  }

  Status MoveFile(const std::string& from, const std::string& to, bool replace) override {
    // MoveFileA moves across volumes by copying; so does this.
    DWORD flags = MOVEFILE_COPY_ALLOWED;
    if (replace) flags |= MOVEFILE_REPLACE_EXISTING;
    return ::MoveFileExA(from.c_str(), to.c_str(), flags) ? kOk : LastError();
  }

  Status DeleteFile(const std::string& path) override {
    return ::DeleteFileA(path.c_str()) ? kOk : LastError();
  }

  Status CreateFolder(const std::string& path) override {
    return ::CreateDirectoryA(path.c_str(), nullptr) ? kOk : LastError();
  }

  Status CreateFolders(const std::string& path) override {
    const std::string folder = WithoutTrailingSeparators(path);
    if (folder.empty() || IsRoot(folder) || FolderExists(folder)) return kOk;
    const std::string parent = WithoutTrailingSeparators(base::FolderOf(folder));
    if (!parent.empty() && parent.size() < folder.size()) {
      const Status status = CreateFolders(parent);
      // A file where a folder on the way should be.
      if (status == kAlreadyExists) return kPathNotFound;
      if (status != kOk) return status;
    }
    if (::CreateDirectoryA(folder.c_str(), nullptr)) return kOk;
    const Status error = LastError();
    // Made at the same moment by someone else: fine.
    if (error == kAlreadyExists && FolderExists(folder)) return kOk;
    return error;
  }

  Status DeleteTree(const std::string& path) override {
    const std::string folder = WithoutTrailingSeparators(path);
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return kPathNotFound;
    }
    return RemoveTree(folder, attributes);
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
    std::string folder = base::FolderOf(path);
    if (folder.empty()) folder = ".";
    // GetTempFileNameA says ERROR_DIRECTORY for a missing folder; the
    // product reports a missing folder the one way everywhere.
    if (!FolderExists(folder)) return kPathNotFound;
    RemoveStaleScratch(folder);
    char scratch[MAX_PATH];
    if (!::GetTempFileNameA(folder.c_str(), kScratchPrefix, 0, scratch)) return LastError();
    DeleteOnExit delete_scratch(scratch);
    {
      unique_hfile file(::CreateFileA(scratch, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file) return LastError();
      while (!contents.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file.get(), contents.data(), chunk, &written, nullptr)) return LastError();
        contents.remove_prefix(written);
      }
      // On disk before the rename makes it the file.
      if (!::FlushFileBuffers(file.get())) return LastError();
    }
    if (!::MoveFileExA(scratch, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return LastError();
    }
    delete_scratch.Keep();
    return kOk;
  }

  std::string TempFolder() override {
    char buffer[MAX_PATH + 1];
    const DWORD length = ::GetTempPathA(sizeof buffer, buffer);
    std::string folder = length > 0 && length < sizeof buffer ? std::string(buffer, length) : ".";
    if (!base::IsPathSeparator(folder.back())) folder += '\\';
    return folder;
  }

  Status CreateTempFile(const std::string& folder, std::string_view prefix,
                        std::string* path) override {
    // A separator would put the file in another folder than the one asked for.
    if (HasSeparator(prefix)) return kInvalidName;
    const std::string in_folder = folder.empty() ? std::string(".") : folder;
    if (!FolderExists(in_folder)) return kPathNotFound;
    char created[MAX_PATH];
    if (!::GetTempFileNameA(in_folder.c_str(), std::string(prefix.substr(0, 3)).c_str(), 0,
                            created)) {
      return LastError();
    }
    *path = created;
    return kOk;
  }

  std::string FullPath(const std::string& path) override {
    if (path.empty()) return std::string();
    std::string full(MAX_PATH, '\0');
    for (;;) {
      const DWORD length =
          ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
      if (length == 0) return path;
      if (length < full.size()) {
        full.resize(length);
        return full;
      }
      full.resize(length + 1);  // length is the size needed, with the terminator
    }
  }

 private:
  // Names of the entries of folder that keep(name, is_folder) accepts,
  // sorted without regard to case as the product shows them.
  template <typename Keep>
  Status List(const std::string& folder, std::vector<std::string>* names, Keep keep) {
    names->clear();
    if (!FolderExists(folder.empty() ? "." : folder)) return kPathNotFound;
    WIN32_FIND_DATAA entry;
    unique_hfind find(::FindFirstFileA(base::JoinPath(folder, "*").c_str(), &entry));
    if (!find) {
      const Status error = LastError();
      return error == ERROR_FILE_NOT_FOUND ? kOk : error;
    }
    do {
      if (IsDotEntry(entry.cFileName)) continue;
      const bool is_folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      if (keep(entry.cFileName, is_folder)) names->emplace_back(entry.cFileName);
    } while (::FindNextFileA(find.get(), &entry));
    if (::GetLastError() != ERROR_NO_MORE_FILES) {
      const Status error = LastError();
      names->clear();
      return error;
    }
    std::sort(names->begin(), names->end(), [](const std::string& a, const std::string& b) {
      const int order = base::CompareNoCase(a, b);
      return order != 0 ? order < 0 : a < b;
    });
    return kOk;
  }
};

}  // namespace

std::unique_ptr<Files> CreateSystemFiles() { return std::make_unique<Win32Files>(); }

}  // namespace platform
