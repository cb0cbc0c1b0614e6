// Reading and writing numbers in text.
#include "base/numbers.h"

#include <charconv>
#include <climits>
#include <system_error>

namespace base {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipBlanks(std::string_view text, size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

}  // namespace

int DecimalValue(std::string_view text) {
  size_t at = SkipBlanks(text, 0);
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  long long value = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    value = value * 10 + (text[at] - '0');
    if (value > INT_MAX) return negative ? -INT_MAX : INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

uint32_t UnsignedDecimalValue(std::string_view text) {
  unsigned long long value = 0;
  for (size_t at = SkipBlanks(text, 0); at < text.size() && IsDigit(text[at]); ++at) {
    value = value * 10 + static_cast<unsigned>(text[at] - '0');
    if (value > UINT32_MAX) return UINT32_MAX;
  }
  return static_cast<uint32_t>(value);
}

double RealValue(std::string_view text) {
  size_t at = SkipBlanks(text, 0);
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  const size_t start = at;
  size_t digits = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) ++digits;
  if (at < text.size() && text[at] == '.') {
    ++at;
    for (; at < text.size() && IsDigit(text[at]); ++at) ++digits;
  }
  if (digits == 0) return 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    size_t exponent = at + 1;
    if (exponent < text.size() && (text[exponent] == '-' || text[exponent] == '+')) ++exponent;
    if (exponent < text.size() && IsDigit(text[exponent])) {
      at = exponent;
      while (at < text.size() && IsDigit(text[at])) ++at;
    }
  }
  double value = 0;
  const std::from_chars_result result =
      std::from_chars(text.data() + start, text.data() + at, value, std::chars_format::general);
  if (result.ec != std::errc()) return 0;
  return negative ? -value : value;
}

std::optional<int64_t> WholeNumber(std::string_view text, int64_t minimum, int64_t maximum) {
  size_t at = SkipBlanks(text, 0);
  size_t end = text.size();
  while (end > at && IsBlank(text[end - 1])) --end;
  if (at == end) return std::nullopt;
  bool negative = false;
  if (text[at] == '-' || text[at] == '+') {
    negative = text[at] == '-';
    if (negative && minimum >= 0) return std::nullopt;
    ++at;
  }
  if (at == end) return std::nullopt;
  // Digits beyond what any range can hold are refused before they overflow.
  constexpr uint64_t kLimit = uint64_t{1} << 63;
  uint64_t magnitude = 0;
  for (; at < end; ++at) {
    if (!IsDigit(text[at])) return std::nullopt;
    magnitude = magnitude * 10 + static_cast<unsigned>(text[at] - '0');
    if (magnitude > kLimit) return std::nullopt;
  }
  if (!negative && magnitude == kLimit) return std::nullopt;
  const int64_t value = negative ? static_cast<int64_t>(0 - magnitude)
                                 : static_cast<int64_t>(magnitude);
  if (value < minimum || value > maximum) return std::nullopt;
  return value;
}

std::string FormatFixed(double value, int width, int precision) {
  // Room for the 309 integer digits of the largest double and the rest.
  char buffer[400];
  const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
  std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace base
