// Helpers shared by the test executables: scratch folders, file text, and the
// folder of the built programs and libraries.
#pragma once

#include <string>

namespace test_support {

// A new, empty folder under the system's temporary folder, deleted with all
// it holds when the object goes away.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Full path, without a trailing separator.
  const std::string& path() const { return path_; }
  // Full path of name inside the folder ("a/b.htm" allowed).
  std::string Join(const std::string& name) const;

 private:
  std::string path_;
};

std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);
bool Exists(const std::string& path);

// The folder holding the built programs and libraries (build/<preset>/bin),
// with a trailing separator.
std::string BinFolder();

// The platform's file name of a shared library ("KelRTL" gives "KelRTL.dll"
// on Windows and "KelRTL.so" on Linux).
std::string LibraryFileName(const std::string& stem);

// A name no other test run uses at the same time (for registry scratch keys).
std::string UniqueName(const std::string& prefix);

}  // namespace test_support
