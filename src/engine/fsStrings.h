// Small text helpers the engine shares: case mapping and comparison of 8-bit names
// (by the process code page), the standard integer conversion, line ends, trimming.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fs {

char UpCase(char c);
char LowCase(char c);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Equal ignoring case.
bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0 ignoring case.
int CompareText(std::string_view a, std::string_view b);
// The text as a string list gives it back: every line (ended by CR LF, CR or LF)
// followed by a carriage return and a line feed.
std::string AdjustLineBreaks(std::string_view s);
// Removes leading and trailing blanks and control characters.
std::string Trim(std::string_view s);

// The standard integer conversion: optional sign, decimal digits or a "$", "0x" or
// "0X" prefix and hexadecimal digits. Decimal values must fit in 32 signed bits,
// hexadecimal ones in 32 bits (wrapping to negative). Anything else raises
// EConvertError "'%s' is not a valid integer value".
std::int32_t StrToInt(std::string_view s);

}  // namespace fs
