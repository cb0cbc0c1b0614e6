// ANSI text helpers shared by every module: case-insensitive comparison with
// the Windows ANSI (code page 1252) rules, printf-style formatting into
// std::string, trimming and splitting.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// Upper- and lower-case forms of one byte in code page 1252 (ASCII letters,
// the accented Latin-1 letters, and the letters Windows adds in 0x80-0x9F).
unsigned char ToUpperAnsi(unsigned char c);
unsigned char ToLowerAnsi(unsigned char c);

// True when the two texts are equal without regard to letter case. This is
// the one comparison the product uses wherever Windows would call lstrcmpiA
// for equality.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Three-way comparison without regard to letter case (<0, 0, >0), ordering by
// the upper-case forms of the bytes.
int CompareNoCase(std::string_view a, std::string_view b);

bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

// Position of the first occurrence of needle in text without regard to case,
// or std::string_view::npos.
size_t FindNoCase(std::string_view text, std::string_view needle, size_t from = 0);

std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

// printf-style formatting into a growable string.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
std::string FormatV(const char* format, va_list args);

// Like Format, but the result keeps at most max_chars characters, the way a
// fixed buffer of max_chars + 1 bytes filled by a bounded printf would.
std::string FormatLimited(size_t max_chars, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Removes spaces, tabs, carriage returns and line feeds at both ends.
std::string_view Trim(std::string_view text);

// Splits at every occurrence of separator; an empty text gives one empty part.
std::vector<std::string> Split(std::string_view text, char separator);

}  // namespace base
