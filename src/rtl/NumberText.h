// NumberText: numbers read from and written as text, the way variant conversions and
// the conversion functions of scripts do it: integers (decimal or hexadecimal),
// floating-point numbers in the general format with 15 significant digits, and
// currency as an exact four-decimal fixed-point number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

enum class NumParse : std::uint8_t { Ok, Invalid, Overflow };

// Blanks around the number, an optional sign, then decimal digits or hexadecimal digits
// after "$", "0x" or "0X". Hexadecimal gives the 64-bit pattern (at most 16 digits), so
// "$FFFFFFFFFFFFFFFF" is -1. Overflow when the digits do not fit 64 bits.
NumParse TextToInt64(std::string_view s, std::int64_t& out) noexcept;

// Blanks around the number, an optional sign, digits with at most one decimal separator
// (at least one digit in all), an optional exponent ("E" or "e", optional sign, digits).
// Overflow when the value is beyond the double range; too small values read as 0.
NumParse TextToFloat(std::string_view s, double& out, char decimalSeparator) noexcept;

// The same form, read exactly into currency (scaled by 10000), digits beyond the fourth
// decimal rounded half to even.
NumParse TextToCurrency(std::string_view s, std::int64_t& scaled, char decimalSeparator) noexcept;

// General format: the shortest text of the value rounded to `precision` significant
// digits; fixed notation unless the exponent is `precision` or more or below -4
// ("1E20", "1.5E-7"). "NAN", "INF" and "-INF" for the special values.
std::string FloatToText(double v, char decimalSeparator, int precision = 15);
// A single in the general format with the fewest digits that read back as the same
// single.
std::string SingleToText(float v, char decimalSeparator);
// Currency with its significant decimals only ("1.5", "-0.0001", "12").
std::string CurrencyToText(std::int64_t scaled, char decimalSeparator);
std::string IntToText(std::int64_t v);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double v) noexcept;

}  // namespace rtl
