// DateText: date serials (days from 30 December 1899, the fraction the time of day)
// built from and split into calendar fields, and their short text form as variant
// conversions use it: the date as the locale's month/day/year and, when the time of
// day is not midnight, a 12-hour time ("3/14/2024 1:05:09 PM").
#pragma once

#include <string>
#include <string_view>

#include "rtl/FormatSettings.h"

namespace rtl {

struct DateTimeParts {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// False for a date outside years 1..9999 or a day the month lacks.
bool TryEncodeDate(int year, int month, int day, double& date) noexcept;
// False for fields out of range (hour 0..23, minute and second 0..59, ms 0..999).
bool TryEncodeTime(int hour, int minute, int second, int millisecond, double& time) noexcept;
// A date and a time of day as one serial. Before 30 December 1899 the serial is
// negative and its fraction still counts forward from midnight (-1.25 is 29 December
// 1899, 6:00).
double ComposeDateTime(double date, double time) noexcept;
// False for values that are not a number or lie outside years 1..9999.
bool TryDecodeDateTime(double serial, DateTimeParts& parts) noexcept;

// The short text form; false when the serial cannot be decoded.
bool TryDateTimeToText(double serial, std::string& text, const FormatSettings& fs);
// Reads a date ("M/D/YYYY", "M/D/YY" or "M/D" in the locale's order and separator), a
// time ("h:nn", "h:nn:ss", "h:nn:ss.zzz", each optionally followed by the locale's AM or
// PM text, or "h AM") or a date followed by a time.
bool TryTextToDateTime(std::string_view text, double& serial, const FormatSettings& fs);
// The same forms, but only a date, or only a time (blanks around allowed).
bool TryTextToDate(std::string_view text, double& date, const FormatSettings& fs);
bool TryTextToTime(std::string_view text, double& time, const FormatSettings& fs);

}  // namespace rtl
