// The POSIX registry: a hive kept in a text file in Windows REGEDIT4 format,
// shared by every process (and every module of a process) that names the
// same file.
//
// The file holds "[HKEY_CURRENT_USER\Software\X]" sections with values
// written as regedit writes them: "name"="text", @= for the default value,
// dword:0000002a, hex: (binary), hex(2): (expandable string), hex(7):
// (multi-string), all text in ANSI bytes. Lines end in CR LF; lines ending in
// LF alone, ";" comments and hex data continued over several lines ending in
// "\" are read too. Comments are kept when the file is written back; the
// layout is not. Every operation takes an exclusive lock on a sibling file
// "<hive>.lock", re-reads the hive when the file changed, and writes the whole
// hive to a temporary file in the same folder which then replaces the hive,
// so a reader never sees half a file. A hive that is a symbolic link is
// written through the link.
//
// A malformed file is never overwritten: every operation on it fails with
// kBadDatabase, and LastErrorText() names the file and the line.
//
// Keys are held by path: once their key is deleted (by this or another
// process), operations on open keys fail with kKeyDeleted, as on Windows; a
// key created again under the same path is seen again by those handles.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace platform {

class HiveFile;

class PosixRegistry : public Registry {
 public:
  // The registry kept in the file at hive_path, which need not exist yet (a
  // missing file is an empty registry; the first write creates it and its
  // folders). An empty hive_path fails every operation with kPathNotFound.
  explicit PosixRegistry(std::string hive_path);
  ~PosixRegistry() override;

  Status OpenKey(RootKey root, std::string_view path,
                 std::unique_ptr<RegistryKey>* key) override;
  Status CreateKey(RootKey root, std::string_view path,
                   std::unique_ptr<RegistryKey>* key) override;
  // Refuses the empty path (a root cannot be deleted) with kInvalidParameter.
  Status DeleteTree(RootKey root, std::string_view path) override;
  std::string LastErrorText() const override;

  const std::string& hive_path() const;

 private:
  // Shared with the keys opened here, which may outlive this object.
  std::shared_ptr<HiveFile> hive_;
};

// The hive file of the system registry: $GLINTMERE_REGISTRY when set,
// otherwise glintmere/registry.reg under $XDG_DATA_HOME, or under
// ~/.local/share when that is not set.
std::string DefaultHivePath();

}  // namespace platform
