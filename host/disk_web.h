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

// Resolves a URL relative to the web folder ("images/a.gif", "page.htm") to a
// path inside it, with the folder's own separators. Refuses (false) anything
// that could leave the folder or name a device: an absolute path or URL, a
// drive letter or other colon, a ".." step, control characters, and the
// reserved device names (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without
// an extension). "\" counts as a separator.
bool ResolveInWeb(std::string_view web_folder, std::string_view relative_url,
                  std::string* path);

// The relative URL, with "/" separators and no "." steps, that ResolveInWeb
// accepts for the same input; false where ResolveInWeb refuses.
bool NormalizeWebUrl(std::string_view relative_url, std::string* normalized);

}  // namespace host
