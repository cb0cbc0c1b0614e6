// Windows-style path helpers.
#include "base/path.h"

#include "base/text.h"

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

bool SamePathText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsPathSeparator(a[i]) && IsPathSeparator(b[i])) continue;
    if (ToUpperAnsi(static_cast<unsigned char>(a[i])) !=
        ToUpperAnsi(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool IsReservedDeviceName(std::string_view name) {
  // Reserved with any extension ("nul.txt") and with trailing spaces.
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (EqualsNoCase(stem, device)) return true;
  }
  if (stem.size() == 4 && (StartsWithNoCase(stem, "COM") || StartsWithNoCase(stem, "LPT"))) {
    return stem[3] >= '1' && stem[3] <= '9';
  }
  return false;
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' ||
        c == '<' || c == '>' || c == '|') {
      return false;
    }
  }
  // Windows drops trailing dots and spaces, so "..." or "a." would name
  // something else than what was checked.
  if (name.back() == '.' || name.back() == ' ') return false;
  return !IsReservedDeviceName(name);
}

}  // namespace base
