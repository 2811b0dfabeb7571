// TextConversions: the conversion routines of scripts between values and text, with
// the errors they raise (EConvertError, the offending text in the message):
//   integers  "'%s' is not a valid integer value"
//   floats    "'%s' is not a valid floating point value"
//   Booleans  "'%s' is not a valid boolean value"
//   dates     "'%s' is not a valid date", "'%s' is not a valid time",
//             "'%s' is not a valid date and time"
// The Try forms report failure instead of raising.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rtl/FormatSettings.h"

namespace rtl {

// Leading blanks, an optional sign, then decimal digits, or hexadecimal digits (either
// case) after "$", "x", "X", "0x" or "0X". Hexadecimal is a bit pattern of the type's
// width ("$FFFFFFFF" is -1 for the 32-bit form), negated by a leading minus; decimal
// values must fit the type. Nothing may follow the digits, not even a blank.
bool TryStrToInt(std::string_view s, std::int32_t& value) noexcept;
bool TryStrToInt64(std::string_view s, std::int64_t& value) noexcept;
std::int32_t StrToInt(std::string_view s);
std::int64_t StrToInt64(std::string_view s);

// A decimal number with the locale's decimal separator and an optional exponent,
// blanks around it allowed.
bool TryStrToFloat(std::string_view s, double& value, const FormatSettings& fs = CurrentFormatSettings()) noexcept;
double StrToFloat(std::string_view s, const FormatSettings& fs = CurrentFormatSettings());
// The shortest general form with up to 15 significant digits.
std::string FloatToStr(double value, const FormatSettings& fs = CurrentFormatSettings());

// "-1" and "0", or with useBoolStrs the locale's True and False texts.
std::string BoolToStr(bool value, bool useBoolStrs = false, const FormatSettings& fs = CurrentFormatSettings());
// The locale's True and False texts in any case, or any number (0 is false); no
// blanks around either.
bool TryStrToBool(std::string_view s, bool& value, const FormatSettings& fs = CurrentFormatSettings()) noexcept;
bool StrToBool(std::string_view s, const FormatSettings& fs = CurrentFormatSettings());

// The short date format; the long time format; the short date and, unless the time of
// day is exactly midnight, a blank and the long time.
std::string DateToStr(double value, const FormatSettings& fs = CurrentFormatSettings());
std::string TimeToStr(double value, const FormatSettings& fs = CurrentFormatSettings());
std::string DateTimeToStr(double value, const FormatSettings& fs = CurrentFormatSettings());
// Texts in those forms: a date, a time, either or both.
bool TryStrToDate(std::string_view s, double& value, const FormatSettings& fs = CurrentFormatSettings());
bool TryStrToTime(std::string_view s, double& value, const FormatSettings& fs = CurrentFormatSettings());
bool TryStrToDateTime(std::string_view s, double& value, const FormatSettings& fs = CurrentFormatSettings());
double StrToDate(std::string_view s, const FormatSettings& fs = CurrentFormatSettings());
double StrToTime(std::string_view s, const FormatSettings& fs = CurrentFormatSettings());
double StrToDateTime(std::string_view s, const FormatSettings& fs = CurrentFormatSettings());

}  // namespace rtl
