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

namespace {

// The relative URL with "/" separators and without "." steps; "" when
// nothing but separators and "." steps is left. False for a ".." step, a
// component of only dots and spaces, a reserved device name, a colon, a
// control character or another character Windows refuses in names.
bool NormalizeComponents(std::string_view url, std::string* normalized) {
  std::vector<std::string> kept;
  std::string component;
  auto take = [&](const std::string& part) {
    if (part.empty() || part == ".") return true;
    if (part == "..") return false;
    // Windows drops trailing dots and spaces, which would make "..." or ". ."
    // name the parent folder.
    if (part.find_first_not_of(". ") == std::string::npos) return false;
    if (base::IsReservedDeviceName(part)) return false;
    kept.push_back(part);
    return true;
  };
  for (char c : url) {
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
  std::string out;
  for (const std::string& part : kept) {
    if (!out.empty()) out.push_back('/');
    out += part;
  }
  *normalized = std::move(out);
  return true;
}

// What follows "file:" and its slashes ("file:///C:/w" gives "C:/w").
std::string_view AfterFileScheme(std::string_view url) {
  url.remove_prefix(5);
  while (!url.empty() && base::IsPathSeparator(url.front())) url.remove_prefix(1);
  return url;
}

// The part of a "file:" URL after the web's own URL and the separators that
// follow it; false when the URL is not the web's URL or one below it.
bool AfterWebUrl(std::string_view web_folder, std::string_view url, std::string_view* rest) {
  const std::string web_url = FileUrlFromPath(web_folder);
  std::string_view web = AfterFileScheme(web_url);
  while (!web.empty() && base::IsPathSeparator(web.back())) web.remove_suffix(1);
  std::string_view in = AfterFileScheme(url);
  if (in.size() < web.size()) return false;
  for (size_t i = 0; i < web.size(); ++i) {
    const bool separator = base::IsPathSeparator(web[i]);
    if (separator ? !base::IsPathSeparator(in[i])
                  : base::ToUpperAnsi(static_cast<unsigned char>(web[i])) !=
                        base::ToUpperAnsi(static_cast<unsigned char>(in[i]))) {
      return false;
    }
  }
  in.remove_prefix(web.size());
  // "file:///srv/site2/x" is not inside "file:///srv/site".
  if (!web.empty() && !in.empty() && !base::IsPathSeparator(in.front())) return false;
  while (!in.empty() && base::IsPathSeparator(in.front())) in.remove_prefix(1);
  *rest = in;
  return true;
}

}  // namespace

bool NormalizeWebUrl(std::string_view relative_url, std::string* normalized) {
  if (relative_url.empty() || base::IsPathSeparator(relative_url.front())) return false;
  std::string out;
  if (!NormalizeComponents(relative_url, &out) || out.empty()) return false;
  *normalized = std::move(out);
  return true;
}

bool WebRelativeUrl(std::string_view web_folder, std::string_view url, WebRoot root,
                    std::string* relative) {
  if (web_folder.empty()) return false;
  std::string_view rest = url;
  if (base::StartsWithNoCase(url, "file:")) {
    if (!AfterWebUrl(web_folder, url, &rest)) return false;
  } else if (!url.empty() && base::IsPathSeparator(url.front())) {
    return false;  // an absolute path or a network share
  }
  std::string out;
  if (!NormalizeComponents(rest, &out)) return false;
  if (out.empty() && root == WebRoot::kRefused) return false;
  *relative = std::move(out);
  return true;
}

bool ResolveInWeb(std::string_view web_folder, std::string_view url, std::string* path,
                  WebRoot root) {
  std::string relative;
  if (!WebRelativeUrl(web_folder, url, root, &relative)) return false;
  std::string out(web_folder);
  if (!relative.empty()) {
    if (!base::IsPathSeparator(out.back())) out.push_back(kSeparator);
    for (char c : relative) out.push_back(c == '/' ? kSeparator : c);
  }
  *path = std::move(out);
  return true;
}

}  // namespace host
