// Quoting text for where it goes: an HTML attribute value (a tag attribute,
// a param value, the webbot comment) and a Windows command-line argument.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// Appends value with '"', '&', '<' and '>' written as "&quot;", "&amp;",
// "&lt;" and "&gt;", every other byte unchanged; no entity in value is taken
// as already written. EscapedAttributeSize is the length that appends.
void AppendEscapedAttributeValue(std::string& out, std::string_view value);
size_t EscapedAttributeSize(std::string_view value);

// argument as one argument of a Windows command line, read back unchanged by
// a program's C runtime (and platform::SplitCommandLine): as it is when it is
// not empty and holds no blank or quote, else in double quotes, with each
// quote preceded by a backslash and the backslashes before a quote (or the
// closing one) doubled.
std::string QuoteArgument(std::string_view argument);

}  // namespace base
