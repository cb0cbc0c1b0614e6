// The Explorer's work on the files of a disk web: what the host's "vti"
// methods do once their arguments are read. Every URL goes through
// ResolveInWeb, so nothing outside the web folder is read or written on a
// URL's behalf, and every file operation goes through platform::GetFiles().
//
// URLs given back (vtiGetFoldersList, vtiGetPagesInFolder) are relative to
// the web root, "/"-separated, without a leading or trailing "/"
// ("images/photos", "images/photos/a.gif"): the web file browser shows the
// text after their last "/" and passes them back as the next folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace host {

// The file kinds vtiGetPagesInFolder lists, as the web file browser asks.
inline constexpr int32_t kAllFiles = 0;    // every file
inline constexpr int32_t kHtmlPages = 1;   // .htm, .html
inline constexpr int32_t kImageFiles = 2;  // .gif, .jpg, .jpeg
inline constexpr int32_t kAudioFiles = 5;  // .au

// True when url names a file (not a folder) of the web in web_folder.
bool IsPageInWeb(const std::string& web_folder, std::string_view url);

// True when url names a folder of the web; the empty URL and the web's own
// URL name the web folder itself.
bool IsFolderInWeb(const std::string& web_folder, std::string_view url);

// Creates the one folder url names, whose parent must exist. True when the
// folder exists afterwards, including when it was there already; false when
// the parent is missing, a file is in the way or the URL is refused.
bool CreateWebFolder(const std::string& web_folder, std::string_view url);

// Copies the whole local file into the web as the document url names. Fails
// (false, the web unchanged) when the local file is missing or not a plain
// file path, the document's folder does not exist, a folder has the
// document's name, or the document exists and overwrite is false. An
// existing document is replaced in one step: it holds either its old or all
// of its new contents.
bool PutDocument(const std::string& web_folder, const std::string& local_path,
                 std::string_view url, bool overwrite);

// Copies the whole web document url names to local_path (anywhere on this
// machine), replacing a file there in one step. False when the document is
// missing, the URL is refused, the local path's folder does not exist or
// the local path is a folder or a device.
bool GetDocToFile(const std::string& web_folder, std::string_view url,
                  const std::string& local_path);

// The subfolders of the folder url names, each as its web-relative URL
// followed by "\n", sorted without regard to case; "" when there are none or
// the URL is refused. Folders whose names cannot be given back as a URL (a
// device name, a colon or another character the URLs refuse) are left out.
std::string FoldersList(const std::string& web_folder, std::string_view url);

// Two lines per file of the folder url names, each line followed by "\n":
// the file's name, then its web-relative URL. filter is one of the kinds
// above (names matched without regard to case); files are sorted by name
// without regard to case. "" when nothing matches, the URL is refused or the
// filter is none of the kinds.
std::string PagesInFolder(const std::string& web_folder, std::string_view url, int32_t filter);

}  // namespace host
