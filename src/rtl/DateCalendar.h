// DateCalendar: the arithmetic of date values beyond building and splitting them.
//
// A date value keeps the day in its integral part and the time of day in its fraction,
// the fraction counting forward from midnight also before day 0: -1.25 is 29 December
// 1899, 6:00, which lies 0.75 days before day 0. Differences and sums of such values
// are therefore worked out on the straight time line (the "linear" value, -0.75 here)
// and turned back afterwards, so that spans and increments come out right on both
// sides of day 0. Spans and increments in whole units work in whole milliseconds, the
// precision of a decoded date value, which keeps 0.1 + 0.2-style rounding out of
// counts such as DaysBetween.
//
// Weeks: ISO 8601 (Monday first; week 1 holds the year's first Thursday).
#pragma once

#include <cstdint>

#include "rtl/DateText.h"

namespace rtl {

constexpr double kMsPerDay = 86400000.0;
// Day 0 is 25569 days before 1 January 1970.
constexpr double kUnixEpochSerial = 25569.0;

// The straight time line and back.
double SerialToLinear(double serial) noexcept;
double LinearToSerial(double linear) noexcept;
// Whole milliseconds since day 0 on the straight line (an integral double), and back.
double SerialToMs(double serial) noexcept;
double MsToSerial(double ms) noexcept;
// The value moved by days (any fraction) along the straight line.
double AddDaysToSerial(double serial, double days) noexcept;
// The value moved by a whole number of milliseconds.
double AddMsToSerial(double serial, double ms) noexcept;

// The day (midnight) and the time of day of a value, both rounded to the millisecond
// the way decoding rounds (23:59:59.9999 is the next day at midnight).
double DateOfSerial(double serial) noexcept;
double TimeOfSerial(double serial) noexcept;
// The same as whole numbers: the day counted from day 0 and the millisecond of the day.
// Compare these, not the fractions, so that no rounding of intermediate results (x87
// registers keep more bits than memory) tells equal times apart.
std::int64_t DayNumberOfSerial(double serial) noexcept;
std::int64_t MsOfDayOfSerial(double serial) noexcept;
// A day and a time of day as one value (the inverse of the two above).
inline double SerialOf(double date, double time) noexcept { return ComposeDateTime(date, time); }

// The last millisecond of a day: 23:59:59.999.
constexpr double kEndOfDayTime = (kMsPerDay - 1) / kMsPerDay;

// 1 = Monday ... 7 = Sunday. Raises for a value that is no date (as decoding does).
int IsoDayOfWeek(double serial);
// 1 ... 366.
int DayOfTheYear(double serial);

// The ISO week a day belongs to: its week-numbering year, week 1 ... 53, weekday 1 ... 7.
struct IsoWeekDate {
  int Year = 0, Week = 0, Day = 0;
};
IsoWeekDate DecodeIsoWeek(double serial);
// 52 or 53.
int IsoWeeksInYear(int year) noexcept;
// False for a year outside 1 ... 9999, a week outside 1 ... IsoWeeksInYear, a weekday
// outside 1 ... 7 (or a day that falls outside the date range).
bool TryEncodeIsoWeek(int year, int week, int day, double& date) noexcept;

// Months added by the calendar: the day of month is kept, or moved back to the last
// day of a shorter month; the time of day is kept. Raises "Invalid argument to date
// encode" for a result outside years 1 ... 9999.
double IncMonths(double serial, std::int64_t months);

// Easter Sunday of the Gregorian calendar and the two quantities of its computation.
int GoldenNumber(int year) noexcept;  // 1 ... 19
int Epact(int year) noexcept;         // 0 ... 29
double EasterSunday(int year);

// The Julian date (days since noon, 1 January 4713 BC, proleptic Julian calendar)
// of a date value, and back.
double DateTimeToJulianDate(double serial);
double JulianDateToDateTime(double julian) noexcept;

}  // namespace rtl
