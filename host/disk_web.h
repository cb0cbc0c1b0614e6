// A disk web: a folder of pages on disk, addressed by "file:///" URLs, as the
// stand-alone host serves it in place of a FrontPage web.
#pragma once

#include <string>
#include <string_view>

namespace host {

// "file:///" followed by the full path with "/" separators
// ("C:\My Webs\site" gives "file:///C:/My Webs/site", "/srv/site" gives
// "file:///srv/site").
std::string FileUrlFromPath(std::string_view full_path);

// The inverse of FileUrlFromPath (a "file://" URL, any letter case); false for
// any other URL.
bool PathFromFileUrl(std::string_view url, std::string* path);

// Whether a URL may name the web folder itself.
enum class WebRoot { kRefused, kAllowed };

// The web-relative form (as NormalizeWebUrl gives it: "/" separators, no "."
// steps, no leading or trailing "/") of a URL given to the host's objects.
// Accepted are a URL relative to the web ("_glintmere/logo.gif",
// "sub\page.htm") and a full URL inside the web: the web's own URL
// (FileUrlFromPath of web_folder) followed by "/" and a relative part. The
// web's URL is compared without regard to case, with any number of "/" after
// "file:" and "\" taken as "/". With WebRoot::kAllowed, the empty URL, "."
// and the web's own URL give "" (the web folder itself). False for everything
// that could leave the web or name a device, as ResolveInWeb says.
bool WebRelativeUrl(std::string_view web_folder, std::string_view url, WebRoot root,
                    std::string* relative);

// Resolves a URL that WebRelativeUrl accepts to a path inside the web folder,
// with the folder's own separators (the web folder itself for the root).
// Refuses (false, *path untouched) anything that could leave the folder or
// name a device: an absolute path, another URL or a "file:" URL outside the
// web, a drive letter or other colon, a ".." step, control characters, and
// the reserved device names (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or
// without an extension). "\" counts as a separator.
bool ResolveInWeb(std::string_view web_folder, std::string_view url, std::string* path,
                  WebRoot root = WebRoot::kRefused);

// The relative URL, with "/" separators and no "." steps, that ResolveInWeb
// accepts for the same relative input; false where ResolveInWeb refuses, for
// the empty URL and for full URLs.
bool NormalizeWebUrl(std::string_view relative_url, std::string* normalized);

}  // namespace host
