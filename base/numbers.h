// Reading numbers from text and writing them back, the one place the
// product does either. Every reader is defined for every input: a value
// outside the result's range gives the stated result, never undefined
// behaviour, and none depends on the process locale ("." is the decimal
// point everywhere).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

// The leading decimal number of text, the way the C library's integer reader
// takes it: spaces and tabs, an optional sign, then digits up to the first
// other character; 0 without any digit. A value beyond int gives INT_MAX, or
// -INT_MAX when negative.
int DecimalValue(std::string_view text);

// The same without a sign: spaces and tabs, then digits; 0 without any digit
// (also for a text starting with "-" or "+"). A value beyond uint32_t gives
// 0xFFFFFFFF.
uint32_t UnsignedDecimalValue(std::string_view text);

// The leading real number of text, the way the C library's reader takes it in
// the "C" locale: spaces and tabs, an optional sign, digits with an optional
// "." fraction and an optional exponent; 0 without any digit. A value beyond
// the range of double gives 0, so the result is always finite.
double RealValue(std::string_view text);

// The whole of text as a decimal number within [minimum, maximum]: spaces and
// tabs around it are allowed, a "+" always, a "-" only when minimum is below
// zero; nothing else. No value for anything else, or for a number outside
// the range.
std::optional<int64_t> WholeNumber(std::string_view text, int64_t minimum, int64_t maximum);

// value in fixed notation with precision decimals, padded with spaces on the
// left to width characters, as "%*.*f" writes it in the "C" locale.
std::string FormatFixed(double value, int width, int precision);

}  // namespace base
