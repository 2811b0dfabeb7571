// DateUtils: date values built from and split into their calendar parts, with the
// errors scripts see. A date value counts days from 30 December 1899; its fraction is
// the time of day, counted forward from midnight also for the negative values before
// that day. Years run from 1 to 9999 of the Gregorian calendar.
#pragma once

#include <cstdint>

#include "rtl/DateText.h"

namespace rtl {

// Raise EConvertError "Invalid argument to date encode" / "Invalid argument to time
// encode" for parts out of range (year 1..9999, month 1..12, day within the month;
// hour 0..23, minute and second 0..59, millisecond 0..999).
double EncodeDate(int year, int month, int day);
double EncodeTime(int hour, int minute, int second, int millisecond);

// Every part of a date value, its time rounded to the millisecond (a time that rounds
// up to midnight belongs to the next day). Raises EConvertError "'%g' is not a valid
// date and time" for a value outside years 1..9999, infinite or not a number.
DateTimeParts DecodeDateTime(double value);
void DecodeDate(double date, std::uint16_t& year, std::uint16_t& month, std::uint16_t& day);
// Only the fraction counts, so any finite value has a time of day.
void DecodeTime(double time, std::uint16_t& hour, std::uint16_t& minute, std::uint16_t& second,
                std::uint16_t& millisecond);

// 1 = Sunday ... 7 = Saturday, of the day DecodeDate gives.
int DayOfWeek(double date);
bool IsLeapYear(int year) noexcept;
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month) noexcept;
int DaysInYear(int year) noexcept;

// The error for a value that is no date: "'%g' is not a valid date and time".
[[noreturn]] void InvalidDateTimeValue(double value);

}  // namespace rtl
