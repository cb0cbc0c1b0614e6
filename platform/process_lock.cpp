// What the process locks share on every system.
#include "platform/process_lock.h"

#include <cstdint>

#include "base/path.h"
#include "base/text.h"

namespace platform {

bool IsValidLockName(std::string_view name) {
  if (name.empty() || name.size() > 200) return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '_' || c == '.';
    if (!ok) return false;
  }
  return name != "." && name != "..";
}

std::string FileLockName(std::string_view prefix, const std::string& path) {
  std::string real = RealPath(path);
#if defined(_WIN32)
  // Windows names one file in any letter case.
  for (char& c : real) c = static_cast<char>(base::ToUpperAnsi(static_cast<unsigned char>(c)));
#endif
  uint64_t digest = 14695981039346656037ull;  // FNV-1a
  for (char c : real) {
    digest ^= static_cast<unsigned char>(c);
    digest *= 1099511628211ull;
  }
  return std::string(prefix) + "-" +
         base::Format("%08lx%08lx", static_cast<unsigned long>(digest >> 32),
                      static_cast<unsigned long>(digest & 0xFFFFFFFFu));
}

bool RealPathIsInside(const std::string& path, const std::string& folder) {
  const std::string real = RealPath(path);
  std::string root = RealPath(folder);
  if (real.empty() || root.empty()) return false;
  while (root.size() > 1 && base::IsPathSeparator(root.back())) root.pop_back();
  if (real.size() < root.size()) return false;
#if defined(_WIN32)
  if (!base::EqualsNoCase(std::string_view(real).substr(0, root.size()), root)) return false;
#else
  if (real.compare(0, root.size(), root) != 0) return false;
#endif
  return real.size() == root.size() || base::IsPathSeparator(root.back()) ||
         base::IsPathSeparator(real[root.size()]);
}

}  // namespace platform
