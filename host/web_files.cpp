// The files of a disk web as the host's Explorer reads and writes them.
#include "host/web_files.h"

#include <initializer_list>
#include <vector>

#include "base/path.h"
#include "base/text.h"
#include "host/disk_web.h"
#include "platform/process_lock.h"
#include "platform/services.h"

namespace host {
namespace {

#if defined(_WIN32)
// The prefix of the scratch file a copy is written to before it is renamed
// into place.
constexpr std::string_view kScratchPrefix = "~gl";
#endif

// A path the files service can copy to or from as a plain file: not a device
// ("CON", "\\.\PIPE\x", "\\?\..." forms) and not a folder path ending in a
// separator.
bool IsPlainLocalPath(const std::string& path) {
  if (path.empty() || base::IsPathSeparator(path.back())) return false;
  for (char c : path) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
  }
  if (path.size() >= 4 && base::IsPathSeparator(path[0]) && base::IsPathSeparator(path[1]) &&
      (path[2] == '.' || path[2] == '?') && base::IsPathSeparator(path[3])) {
    return false;
  }
  std::string name = base::FileNameOf(path);
  // "C:con" names the device as well.
  if (const size_t colon = name.rfind(':'); colon != std::string::npos) name.erase(0, colon + 1);
  // The name must be one a web URL could have: no device, no "." or "..".
  std::string ignored;
  return NormalizeWebUrl(name, &ignored);
}

// Copies from over to through a scratch file beside to and a rename, so that
// to holds either what it held before or all of from. With replace false an
// existing to stays and the copy fails.
bool CopyWhole(platform::Files& files, const std::string& from, const std::string& to,
               bool replace) {
#if !defined(_WIN32)
  // The Linux files service copies through a scratch file that has no name
  // until the rename: nothing is left in the web when the copy is cut short.
  return files.CopyFile(from, to, replace) == platform::kOk;
#else
  std::string scratch;
  if (files.CreateTempFile(base::FolderOf(to), kScratchPrefix, &scratch) != platform::kOk) {
    return false;
  }
  if (files.CopyFile(from, scratch, true) == platform::kOk &&
      files.MoveFile(scratch, to, replace) == platform::kOk) {
    return true;
  }
  files.DeleteFile(scratch);
  return false;
#endif
}

// The endings a file of this kind has; empty for kAllFiles, false for an
// unknown kind.
bool EndingsOf(int32_t filter, std::vector<std::string_view>* endings) {
  switch (filter) {
    case kAllFiles: *endings = {}; return true;
    case kHtmlPages: *endings = {".htm", ".html"}; return true;
    case kImageFiles: *endings = {".gif", ".jpg", ".jpeg"}; return true;
    case kAudioFiles: *endings = {".au"}; return true;
    default: return false;
  }
}

// The URL of an entry of the folder with web-relative URL folder_url, or
// false when the name cannot be given back as a URL that names it.
bool EntryUrl(const std::string& folder_url, const std::string& name, std::string* url) {
  std::string normalized;
  if (!NormalizeWebUrl(name, &normalized) || normalized != name) return false;
  *url = folder_url.empty() ? name : folder_url + "/" + name;
  return true;
}

// ResolveInWeb, and then the path's real location (links followed) inside
// the web's: a link in the web that leads out of it is refused.
bool ResolveOnDisk(const std::string& web_folder, std::string_view url, std::string* path,
                   WebRoot root = WebRoot::kRefused) {
  std::string resolved;
  if (!ResolveInWeb(web_folder, url, &resolved, root)) return false;
  if (!platform::RealPathIsInside(resolved, web_folder)) return false;
  *path = std::move(resolved);
  return true;
}

}  // namespace

bool IsPageInWeb(const std::string& web_folder, std::string_view url) {
  std::string path;
  return ResolveOnDisk(web_folder, url, &path) && platform::GetFiles().FileExists(path);
}

bool IsFolderInWeb(const std::string& web_folder, std::string_view url) {
  std::string path;
  return ResolveOnDisk(web_folder, url, &path, WebRoot::kAllowed) &&
         platform::GetFiles().FolderExists(path);
}

bool CreateWebFolder(const std::string& web_folder, std::string_view url) {
  std::string path;
  if (!ResolveOnDisk(web_folder, url, &path, WebRoot::kAllowed)) return false;
  platform::Files& files = platform::GetFiles();
  if (files.FolderExists(path)) return true;
  const platform::Status status = files.CreateFolder(path);
  // Made at the same moment by another process: there all the same.
  return status == platform::kOk || (status == platform::kAlreadyExists && files.FolderExists(path));
}

bool PutDocument(const std::string& web_folder, const std::string& local_path,
                 std::string_view url, bool overwrite) {
  std::string target;
  if (!ResolveOnDisk(web_folder, url, &target)) return false;
  platform::Files& files = platform::GetFiles();
  if (!IsPlainLocalPath(local_path) || !files.FileExists(local_path)) return false;
  if (!files.FolderExists(base::FolderOf(target)) || files.FolderExists(target)) return false;
  if (!overwrite && files.FileExists(target)) return false;
  return CopyWhole(files, local_path, target, overwrite);
}

bool GetDocToFile(const std::string& web_folder, std::string_view url,
                  const std::string& local_path) {
  std::string source;
  if (!ResolveOnDisk(web_folder, url, &source)) return false;
  platform::Files& files = platform::GetFiles();
  if (!files.FileExists(source) || !IsPlainLocalPath(local_path)) return false;
  // A relative local path is taken from the working folder, once, so the
  // scratch file lands beside the same target.
  const std::string target = files.FullPath(local_path);
  if (files.FolderExists(target)) return false;
  return CopyWhole(files, source, target, true);
}

std::string FoldersList(const std::string& web_folder, std::string_view url) {
  std::string relative, path;
  if (!WebRelativeUrl(web_folder, url, WebRoot::kAllowed, &relative) ||
      !ResolveOnDisk(web_folder, relative, &path, WebRoot::kAllowed)) {
    return std::string();
  }
  std::vector<std::string> names;
  if (platform::GetFiles().ListFolders(path, &names) != platform::kOk) return std::string();
  std::string list;
  for (const std::string& name : names) {
    std::string entry;
    if (EntryUrl(relative, name, &entry)) list += entry + "\n";
  }
  return list;
}

std::string PagesInFolder(const std::string& web_folder, std::string_view url, int32_t filter) {
  std::vector<std::string_view> endings;
  std::string relative, path;
  if (!EndingsOf(filter, &endings) ||
      !WebRelativeUrl(web_folder, url, WebRoot::kAllowed, &relative) ||
      !ResolveOnDisk(web_folder, relative, &path, WebRoot::kAllowed)) {
    return std::string();
  }
  std::vector<std::string> names;
  if (platform::GetFiles().FindFiles(path, "*", &names) != platform::kOk) return std::string();
  std::string list;
  for (const std::string& name : names) {
    bool wanted = endings.empty();
    for (std::string_view ending : endings) wanted = wanted || base::EndsWithNoCase(name, ending);
    std::string entry;
    if (wanted && EntryUrl(relative, name, &entry)) list += name + "\n" + entry + "\n";
  }
  return list;
}

}  // namespace host
