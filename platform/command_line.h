// Splitting a Windows command line into arguments the way the C runtime of a
// Windows program builds argv. The POSIX shell service uses it so that a
// program started there gets the arguments it would get on Windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The arguments of the parameters part of a command line (what follows the
// program name). Spaces and tabs separate arguments; double quotes group
// blanks into one argument and are dropped; 2n backslashes before a quote
// give n backslashes and the quote groups, 2n+1 give n backslashes and a
// literal quote; other backslashes are literal; inside quotes, two quotes
// give one literal quote and the quoted part goes on; an unclosed quote runs
// to the end. "" alone is an empty argument.
std::vector<std::string> SplitCommandLine(std::string_view line);

}  // namespace platform
