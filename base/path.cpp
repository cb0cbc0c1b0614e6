// Windows-style path helpers.
#include "base/path.h"

namespace base {

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

size_t LastSeparator(std::string_view path) { return path.find_last_of("\\/"); }

std::string FolderOf(std::string_view path) {
  const size_t at = LastSeparator(path);
  if (at == std::string_view::npos) return std::string();
  return std::string(path.substr(0, at + 1));
}

std::string FileNameOf(std::string_view path) {
  const size_t at = LastSeparator(path);
  if (at == std::string_view::npos) return std::string(path);
  return std::string(path.substr(at + 1));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && !IsPathSeparator(out.back())) out += '\\';
  out += name;
  return out;
}

}  // namespace base
