// URLs and paths of a disk web.
#include "host/disk_web.h"

#include <vector>

#include "base/path.h"
#include "base/text.h"

namespace host {
namespace {

#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsReservedDeviceName(std::string_view component) {
  // The device names are reserved with any extension ("nul.txt") and with
  // trailing dots or spaces.
  std::string_view stem = component.substr(0, component.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  for (const char* name : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (base::EqualsNoCase(stem, name)) return true;
  }
  if (stem.size() == 4 && (base::StartsWithNoCase(stem, "COM") ||
                           base::StartsWithNoCase(stem, "LPT"))) {
    return stem[3] >= '1' && stem[3] <= '9';
  }
  return false;
}

}  // namespace

std::string FileUrlFromPath(std::string_view full_path) {
  std::string url = "file://";
  if (full_path.empty() || !base::IsPathSeparator(full_path.front())) url.push_back('/');
  for (char c : full_path) url.push_back(c == '\\' ? '/' : c);
  return url;
}

bool PathFromFileUrl(std::string_view url, std::string* path) {
  if (!base::StartsWithNoCase(url, "file://")) return false;
  std::string_view rest = url.substr(7);
  // "file:///C:/x" names the drive path "C:/x"; "file:///srv/x" the path "/srv/x".
  if (rest.size() >= 3 && rest[0] == '/' && rest[2] == ':') rest.remove_prefix(1);
  std::string out;
  for (char c : rest) out.push_back(c == '/' || c == '\\' ? kSeparator : c);
  if (out.empty()) return false;
  *path = std::move(out);
  return true;
}

bool NormalizeWebUrl(std::string_view relative_url, std::string* normalized) {
  if (relative_url.empty() || base::IsPathSeparator(relative_url.front())) return false;
  std::vector<std::string> kept;
  std::string component;
  auto take = [&](const std::string& part) {
    if (part.empty() || part == ".") return true;
    if (part == "..") return false;
    // Windows drops trailing dots and spaces, which would make "..." or ". ."
    // name the parent folder.
    if (part.find_first_not_of(". ") == std::string::npos) return false;
    if (IsReservedDeviceName(part)) return false;
    kept.push_back(part);
    return true;
  };
  for (char c : relative_url) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
        c == '|') {
      return false;
    }
    if (base::IsPathSeparator(c)) {
      if (!take(component)) return false;
      component.clear();
    } else {
      component.push_back(c);
    }
  }
  if (!take(component)) return false;
  if (kept.empty()) return false;
  std::string out;
  for (const std::string& part : kept) {
    if (!out.empty()) out.push_back('/');
    out += part;
  }
  *normalized = std::move(out);
  return true;
}

bool ResolveInWeb(std::string_view web_folder, std::string_view relative_url,
                  std::string* path) {
  std::string normalized;
  if (web_folder.empty() || !NormalizeWebUrl(relative_url, &normalized)) return false;
  std::string out(web_folder);
  if (!base::IsPathSeparator(out.back())) out.push_back(kSeparator);
  for (char c : normalized) out.push_back(c == '/' ? kSeparator : c);
  *path = std::move(out);
  return true;
}

}  // namespace host
