// The help viewer's portable core: the command line it is started with (or
// handed by a second start), the help folder's "KelHelp.inf", the window
// caption and the toolbar's buttons with the rules that enable them.
#pragma once

#include <string>
#include <string_view>

namespace helpviewer {

// A command line split into its help folder and its argument.
struct HelpCommandLine {
  // Ends in a backslash or slash (one is appended when it does not).
  std::string folder;
  // A page name, "/c" (any case) and a help topic, or empty.
  std::string argument;
};

// Splits text: blanks first; the help folder, in double quotes (up to the
// closing one or the end) or up to the next space; blanks; then a page in
// double quotes that close at the end of the line (an unclosed one gives no
// argument), or the rest of the line. Spaces at the end never belong to the
// argument.
HelpCommandLine ParseHelpCommandLine(std::string_view text);

// What the help folder's "KelHelp.inf" says, each value cut to 259
// characters; a missing file or key gives the defaults below.
struct HelpSettings {
  std::string title = "KelHelp";         // [Info] Title
  std::string home = "index.htm";        // [Documents] Home
  std::string contents = "Contents.htm"; // [Documents] Contents
};

// Reads the settings of the help folder (ending in a separator) through the
// platform's files.
HelpSettings ReadHelpSettings(const std::string& folder);

// What a command line asks the viewer to do.
struct HelpRequest {
  std::string folder;      // the help folder, ending in a separator
  std::string page;        // never empty: a topic without page gives Home
  std::string location;    // folder followed by page: where to navigate
  std::string base_title;  // the caption's first part
};

// The whole processing of a command line: parse it, look a topic up, fall
// back to the home page, and take the title from the folder's settings.
HelpRequest ProcessHelpCommandLine(std::string_view text);

// True when text holds nothing but blanks: such a command line asks for
// nothing and leaves the viewer as it is.
bool IsBlankCommandLine(std::string_view text);

// The window caption: "base - page", or whichever of the two is not empty.
std::string ComposeCaption(std::string_view base_title, std::string_view page_title);

}  // namespace helpviewer
