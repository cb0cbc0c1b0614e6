// The applet tag writer, the param tag writer with its value escaping, and
// the resolution of page-relative addresses.
#include "botframe/applet_tag.h"

#include <optional>
#include <utility>

#include "base/quoting.h"
#include "base/text.h"

namespace botframe {
namespace {

constexpr std::string_view kJavaPrefix = "java-";
constexpr std::string_view kHtmlPrefix = "html-";

// The families are told apart by the exact letters: "Java-code" is no tag
// attribute.
bool HasPrefix(std::string_view name, std::string_view prefix) {
  return name.substr(0, prefix.size()) == prefix;
}

// A name the browser reads as one attribute name. The rest of a "java-" name
// comes from the page's stored comment, which can be edited by hand; a name
// that is empty or holds white space, a quote, "=", "/" or an angle bracket
// would break the tag open, so such an attribute is left out.
bool IsTagAttributeName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u == 0x7F) return false;
    if (c == '"' || c == '\'' || c == '<' || c == '>' || c == '/' || c == '=') return false;
  }
  return true;
}

// Tag attribute values are written as they are (they may already hold
// entities or an address with "&"), except for a double quote, which would
// end the value early and let the rest of it become tag text.
void AppendAttributeValue(std::string& out, std::string_view value) {
  for (char c : value) {
    if (c == '"') {
      out += "&quot;";
    } else {
      out += c;
    }
  }
}

// HTML white space: an unquoted value ends at any of these.
constexpr std::string_view kWhiteSpace = " \t\n\r\f";

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// True when url begins with a scheme and a colon ("http:", "mailto:"). One
// letter before the colon is a drive ("C:"), not a scheme.
bool HasScheme(std::string_view url) {
  if (url.empty() || !IsAsciiLetter(url[0])) return false;
  size_t length = 1;
  while (length < url.size() && (IsAsciiLetter(url[length]) || IsAsciiDigit(url[length]) ||
                                 url[length] == '+' || url[length] == '-' || url[length] == '.')) {
    ++length;
  }
  return length >= 2 && length < url.size() && url[length] == ':';
}

// True for a drive name such as "C:".
bool IsDrive(std::string_view segment) {
  return segment.size() == 2 && IsAsciiLetter(segment[0]) && segment[1] == ':';
}

// Takes the last folder off a base folder that ends in "/" ("http://s/a/b/"
// becomes "http://s/a/"). Returns false and leaves the folder when it is a
// root, so that extra "../" cannot eat into the host or the scheme: a folder
// not ending in "/" ("unsaved:"), "/", "C:/", "scheme://host/", "//host/",
// "file:///". A relative folder ("a/") climbs to nothing.
bool ClimbOneFolder(std::string& folder) {
  if (folder.empty() || folder.back() != '/') return false;
  const std::string_view inner(folder.data(), folder.size() - 1);
  const size_t slash = inner.rfind('/');
  if (slash == std::string_view::npos) {
    if (inner.empty() || inner.find(':') != std::string_view::npos) return false;
    folder.clear();
    return true;
  }
  const std::string_view segment = inner.substr(slash + 1);
  if (segment.empty() || IsDrive(segment)) return false;
  // The host of "scheme://host/" is no folder.
  const size_t authority = inner.find("//");
  if (authority != std::string_view::npos && authority + 1 == slash) return false;
  folder.resize(slash + 1);
  return true;
}

}  // namespace

void WriteAppletTag(std::string& out, Attributes& attributes,
                    std::span<AppletParamSource* const> pages, std::string_view tag_close) {
  out += "\n<applet";
  // Each walk takes the names first: a page may walk the list itself, which
  // moves the list's one cursor.
  for (const std::string& name : attributes.Names()) {
    if (!HasPrefix(name, kJavaPrefix)) continue;
    const std::string_view tag_name = std::string_view(name).substr(kJavaPrefix.size());
    if (!IsTagAttributeName(tag_name)) continue;
    const std::optional<std::string> value = attributes.Get(name.c_str());
    if (!value) continue;
    out += ' ';
    out += tag_name;
    out += "=\"";
    AppendAttributeValue(out, *value);
    out += '"';
  }
  out += tag_close;

  for (AppletParamSource* page : pages) {
    if (page) page->WriteAppletParams(out, attributes);
  }
  out += '\n';

  for (const std::string& name : attributes.Names()) {
    if (!HasPrefix(name, kHtmlPrefix)) continue;
    if (const std::optional<std::string> value = attributes.Get(name.c_str())) out += *value;
  }
  out += "\n</applet>\n";
  if (attributes.GetOr(kPlayInBrowsersAttribute, "") == "1") {
    // The script follows its applet: a browser without Java runs it once the
    // applet is in the document. Several components on a page each load it;
    // the runtime plays every applet once however often it is loaded.
    out += "<script src=\"";
    AppendAttributeValue(out, attributes.GetOr("java-codebase", "./_glintmere/"));
    out += kAppletRuntimeFile;
    out += "\"></script>\n";
  }
}

void WriteParam(std::string& out, const char* name, const char* value) {
  if (!name) return;
  const std::string_view text = value ? std::string_view(value) : std::string_view(" ");
  // Quoted as soon as the value holds any white space, not only a space: an
  // unquoted value would end at a line break or tab and lose the rest.
  const bool quoted = text.find_first_of(kWhiteSpace) != std::string_view::npos;
  // The opening text is kept whole however long the name is: a name cut to
  // fit a fixed line would name another parameter, or none, and the applet
  // would silently lose the setting.
  out += "\n<param name=";
  out += name;
  out += quoted ? " value=\"" : " value=";
  base::AppendEscapedAttributeValue(out, text);
  out += quoted ? "\">" : ">";
}

void ResolveRelativeUrl(std::string& url, std::string_view base) {
  if (HasScheme(url)) return;

  // The base's folder: up to its last "/", else its last ":", else nothing.
  // Copied before url changes, so base may even view url itself.
  size_t cut = base.rfind('/');
  if (cut == std::string_view::npos) cut = base.rfind(':');
  std::string folder(cut == std::string_view::npos ? std::string_view() : base.substr(0, cut + 1));

  std::string_view relative = url;
  if (relative.substr(0, 2) == "./") relative.remove_prefix(2);
  while (relative.substr(0, 3) == "../") {
    // A "../" above the root is dropped, as browsers do.
    ClimbOneFolder(folder);
    relative.remove_prefix(3);
  }
  // No length limit: the whole address is kept rather than cut.
  folder += relative;
  url = std::move(folder);
}

std::string AbsoluteUrl(const std::string& url, const std::string& page_url) {
  std::string absolute = url;
  ResolveRelativeUrl(absolute, page_url);
  return absolute;
}

}  // namespace botframe
