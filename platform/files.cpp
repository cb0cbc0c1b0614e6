// Portable part of the files service: Windows file-pattern matching. Both
// implementations of Files filter directory entries through MatchFilePattern,
// so "*.gif" means the same on Windows and Linux.
#include "platform/files.h"

#include <algorithm>
#include <vector>

#include "base/text.h"

namespace platform {
namespace {

// The pattern elements of the Windows file system. Before a pattern reaches
// the file system, Windows rewrites "?" as kAnyOrEnd, "*" before a "." as
// kRunBeforeLastDot, and a "." before "*", "?" or the end as kDotOrEnd; that
// rewriting is why "*.*" finds names without a dot and "*." finds only them.
enum class Element {
  kLiteral,           // this character, without regard to case
  kRun,               // "*": any run of characters
  kRunBeforeLastDot,  // "*" before ".": any run that stops short of the last "."
  kAnyOrEnd,          // "?": one character other than "."; nothing at a "." or the end
  kDotOrEnd,          // ".": a "." or, at the end of the name, nothing
};

struct PatternElement {
  Element kind;
  unsigned char letter;
};

std::vector<PatternElement> Compile(std::string_view pattern) {
  std::vector<PatternElement> elements;
  elements.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (c == '?') {
      elements.push_back({Element::kAnyOrEnd, 0});
    } else if (c == '*') {
      elements.push_back({next == '.' ? Element::kRunBeforeLastDot : Element::kRun, 0});
    } else if (c == '.' && (next == '*' || next == '?' || next == '\0')) {
      elements.push_back({Element::kDotOrEnd, 0});
    } else {
      elements.push_back({Element::kLiteral, base::ToUpperAnsi(static_cast<unsigned char>(c))});
    }
  }
  return elements;
}

}  // namespace

bool MatchFilePattern(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  const std::vector<PatternElement> elements = Compile(pattern);
  const size_t n = name.size();
  const size_t last_dot = name.rfind('.');

  // reached[j]: the elements so far can match the first j characters of name.
  // One pass per element keeps the cost at pattern x name, whatever the
  // pattern ("*a*a*a*b" cannot make it backtrack).
  std::vector<char> reached(n + 1, 0);
  std::vector<char> next(n + 1, 0);
  reached[0] = 1;
  for (const PatternElement& element : elements) {
    std::fill(next.begin(), next.end(), 0);
    for (size_t j = 0; j <= n; ++j) {
      const bool at_end = j == n;
      switch (element.kind) {
        case Element::kLiteral:
          if (reached[j] && !at_end &&
              base::ToUpperAnsi(static_cast<unsigned char>(name[j])) == element.letter) {
            next[j + 1] = 1;
          }
          break;
        case Element::kRun:
          next[j] = reached[j] || (j > 0 && next[j - 1]);
          break;
        case Element::kRunBeforeLastDot:
          next[j] = reached[j] || (j > 0 && next[j - 1] && j - 1 != last_dot);
          break;
        case Element::kAnyOrEnd:
          if (reached[j]) {
            if (at_end || name[j] == '.') {
              next[j] = 1;
            } else {
              next[j + 1] = 1;
            }
          }
          break;
        case Element::kDotOrEnd:
          if (reached[j]) {
            if (at_end) {
              next[j] = 1;
            } else if (name[j] == '.') {
              next[j + 1] = 1;
            }
          }
          break;
      }
    }
    reached.swap(next);
  }
  return reached[n] != 0;
}

Status Files::ReadFileUpTo(const std::string& path, size_t max_size, std::string* contents) {
  const Status status = ReadFile(path, contents);
  if (status != kOk) return status;
  if (contents->size() <= max_size) return kOk;
  contents->clear();
  return kFileTooLarge;
}

Status Files::ReadFilePrefix(const std::string& path, size_t max_size, std::string* contents) {
  const Status status = ReadFile(path, contents);
  if (status == kOk && contents->size() > max_size) contents->resize(max_size);
  return status;
}

}  // namespace platform
