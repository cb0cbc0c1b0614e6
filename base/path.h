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

// True when name is one plain file name that cannot reach outside the folder
// it is joined to: not empty, no "\" "/" ":" or other characters Windows
// refuses in names, no control characters, not "." or ".." (nor only dots and
// spaces), no trailing dot or space, and not a reserved device name (CON,
// PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension).
bool IsPlainFileName(std::string_view name);

// True when the text before the first "." of name is a reserved device name.
bool IsReservedDeviceName(std::string_view name);

// True when the two paths name the same file by their text: letter case
// aside, and "\" and "/" counting as the same separator.
bool SamePathText(std::string_view a, std::string_view b);

// folder and name joined with one backslash between them.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace base
