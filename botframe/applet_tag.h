// The applet tag writer: the HTML an applet bot puts into the page (its
// "S-HTML" attribute), built from the "java-" and "html-" attributes and the
// param tags the property pages write.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "botframe/attributes.h"

namespace botframe {

// What a property page contributes to the applet tag: its param tags. Every
// page of a sheet implements it (the default writes nothing).
class AppletParamSource {
 public:
  virtual ~AppletParamSource() = default;
  virtual void WriteAppletParams(std::string& out, Attributes& attributes) = 0;
};

// The browser runtime that plays the applets where Java does not run, published
// into the web's _glintmere folder beside the applet classes, and the attribute
// that says whether a component loads it ("1") or not ("0"; absent on
// components stored before it existed, which do not load it).
inline constexpr const char* kAppletRuntimeFile = "glintmere-applets.js";
inline constexpr const char* kPlayInBrowsersAttribute = "temp-PlayInBrowsers";

// Appends the whole applet tag to out: the opening tag with one attribute per
// "java-" attribute that has a value (in list order), closed by tag_close
// (" >" or ">", as the library writes it); the param tags of pages, in the order given
// (null entries are skipped); a line feed; the values of the "html-"
// attributes unchanged; "\n</applet>\n"; then, when kPlayInBrowsersAttribute
// is "1", the runtime's script element, its source the "java-codebase" value
// followed by kAppletRuntimeFile, and a line feed. The string's own terminator ends
// the text, no NUL byte is appended. Never fails.
void WriteAppletTag(std::string& out, Attributes& attributes,
                    std::span<AppletParamSource* const> pages, std::string_view tag_close);

// Appends one param tag, "\n<param name=NAME value=VALUE>", the value escaped
// and quoted when it holds white space. A null name writes nothing; a null
// value is written as a single space.
void WriteParam(std::string& out, const char* name, const char* value);

// Rewrites url in place as an absolute address against base, the address of
// the page that refers to it: a bare name or "./name" lands in the page's
// folder, each leading "../" one folder higher (never above the root of the
// base). A url with a scheme ("http:", "HTTPS:", "mailto:") stays as it is.
// Never fails; neither text has a length limit.
void ResolveRelativeUrl(std::string& url, std::string_view base);

// The URL a preview gives the applet: url made absolute against page_url,
// the address of the page being edited, as ResolveRelativeUrl does.
std::string AbsoluteUrl(const std::string& url, const std::string& page_url);

}  // namespace botframe
