// Windows command-line splitting, with the rules the Microsoft C runtime
// documents (and Wine's msvcrt follows), so a program started by the POSIX
// shell sees what the same program sees when started under Windows.
#include "platform/command_line.h"

namespace platform {

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> arguments;
  size_t i = 0;
  const size_t n = line.size();
  auto is_blank = [](char c) { return c == ' ' || c == '\t'; };

  for (;;) {
    while (i < n && is_blank(line[i])) ++i;
    if (i >= n) break;

    std::string argument;
    bool in_quotes = false;
    while (i < n && (in_quotes || !is_blank(line[i]))) {
      size_t backslashes = 0;
      while (i < n && line[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < n && line[i] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
          ++i;
        } else if (in_quotes && i + 1 < n && line[i + 1] == '"') {
          // A doubled quote inside quotes is one literal quote; the quoted
          // part goes on.
          argument += '"';
          i += 2;
        } else {
          in_quotes = !in_quotes;
          ++i;
        }
      } else {
        argument.append(backslashes, '\\');
        if (i < n && (in_quotes || !is_blank(line[i]))) argument += line[i++];
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

}  // namespace platform
