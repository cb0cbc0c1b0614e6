// Path and file-name helpers for Windows-style paths. Both "\" and "/" count
// as folder separators, so the same helpers serve the POSIX build, where the
// platform services turn "\" into "/".
#pragma once

#include <string>
#include <string_view>

namespace base {

bool IsPathSeparator(char c);

// Position of the last "\" or "/", or npos.
size_t LastSeparator(std::string_view path);

// The path cut after its last separator, the separator kept ("C:\Office\FP.EXE"
// gives "C:\Office\"); empty when the path has no separator.
std::string FolderOf(std::string_view path);

// The text after the last separator (the whole path when it has none).
std::string FileNameOf(std::string_view path);

// folder and name joined with one backslash between them.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace base
