// Attribute values and command-line arguments.
#include "base/quoting.h"

namespace base {
namespace {

// Extra bytes each character needs once escaped (0 for most).
struct ExtraTable {
  unsigned char extra[256] = {};
  constexpr ExtraTable() {
    extra[static_cast<unsigned char>('"')] = 5;
    extra[static_cast<unsigned char>('&')] = 4;
    extra[static_cast<unsigned char>('<')] = 3;
    extra[static_cast<unsigned char>('>')] = 3;
  }
};
constexpr ExtraTable kExtra;

size_t Extra(char c) { return kExtra.extra[static_cast<unsigned char>(c)]; }

}  // namespace

size_t EscapedAttributeSize(std::string_view value) {
  size_t size = value.size();
  for (char c : value) size += Extra(c);
  return size;
}

void AppendEscapedAttributeValue(std::string& out, std::string_view value) {
  out.reserve(out.size() + EscapedAttributeSize(value));
  size_t start = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    if (Extra(value[i]) == 0) continue;
    // Copy the run before the special character in one piece.
    out.append(value.data() + start, i - start);
    switch (value[i]) {
      case '"': out.append("&quot;"); break;
      case '&': out.append("&amp;"); break;
      case '<': out.append("&lt;"); break;
      default: out.append("&gt;"); break;
    }
    start = i + 1;
  }
  out.append(value.data() + start, value.size() - start);
}

std::string QuoteArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos) {
    return std::string(argument);
  }
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes are literal unless a quote follows them.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  quoted += '"';
  return quoted;
}

}  // namespace base
