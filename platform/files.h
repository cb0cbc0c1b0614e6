// The files service: finding, reading, writing, copying, moving and deleting
// files and folders. Paths are Windows-style; on Linux "\" is a folder
// separator too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace platform {

class Files {
 public:
  virtual ~Files() = default;

  virtual bool FileExists(const std::string& path) = 0;    // a file, not a folder
  virtual bool FolderExists(const std::string& path) = 0;

  // Names (not paths) of the files in folder whose names match pattern
  // ("*.gif", "a?c.*"), compared without regard to case as Windows does;
  // folders are left out. Sorted without regard to case.
  virtual Status FindFiles(const std::string& folder, std::string_view pattern,
                           std::vector<std::string>* names) = 0;
  // Names of the subfolders of folder, sorted without regard to case.
  virtual Status ListFolders(const std::string& folder, std::vector<std::string>* names) = 0;

  // Copies a file; with replace false an existing target gives kFileExists.
  virtual Status CopyFile(const std::string& from, const std::string& to, bool replace) = 0;
  // Renames or moves a file, replacing the target when replace is true.
  virtual Status MoveFile(const std::string& from, const std::string& to, bool replace) = 0;
  virtual Status DeleteFile(const std::string& path) = 0;

  // Creates one folder; kAlreadyExists when it is there.
  virtual Status CreateFolder(const std::string& path) = 0;
  // Creates the folder and every missing parent; kOk when it already exists.
  virtual Status CreateFolders(const std::string& path) = 0;
  // Deletes a folder with everything in it.
  virtual Status DeleteTree(const std::string& path) = 0;

  virtual Status ReadFile(const std::string& path, std::string* contents) = 0;
  // ReadFile for a file of at most max_size bytes: a larger one gives
  // kFileTooLarge with *contents empty, and no more than max_size + 1 bytes
  // of it are read (the services themselves look at the size first).
  virtual Status ReadFileUpTo(const std::string& path, size_t max_size, std::string* contents);
  // The first max_size bytes of a file, or all of it when shorter: for
  // looking at a header. No more than max_size bytes are read (by the
  // services themselves), however large the file; failures as ReadFile.
  virtual Status ReadFilePrefix(const std::string& path, size_t max_size, std::string* contents);
  // Writes through a temporary file in the same folder and a rename, so the
  // file is either fully replaced or left as it was.
  virtual Status WriteFileAtomic(const std::string& path, std::string_view contents) = 0;

  // The folder for temporary files, with a trailing separator.
  virtual std::string TempFolder() = 0;
  // Creates a new empty file with a unique name in folder, beginning with
  // prefix (at most three characters are used, as GetTempFileNameA does), and
  // returns its path.
  virtual Status CreateTempFile(const std::string& folder, std::string_view prefix,
                                std::string* path) = 0;

  // The full, absolute form of path.
  virtual std::string FullPath(const std::string& path) = 0;
};

// True when name matches a Windows file pattern: "*" any run, "?" any one
// character, letters compared without regard to case. "*.*" matches every
// name, with or without a dot.
bool MatchFilePattern(std::string_view pattern, std::string_view name);

}  // namespace platform
