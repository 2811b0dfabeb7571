#include "rtl/DateCalendar.h"

#include <cmath>

#include "rtl/DateUtils.h"

namespace rtl {

double SerialToLinear(double serial) noexcept {
  const double day = std::trunc(serial);
  return day + std::fabs(serial - day);
}

double LinearToSerial(double linear) noexcept {
  const double day = std::floor(linear);
  return ComposeDateTime(day, linear - day);
}

double SerialToMs(double serial) noexcept {
  const double day = std::trunc(serial);
  return day * kMsPerDay + std::round(std::fabs(serial - day) * kMsPerDay);
}

double MsToSerial(double ms) noexcept {
  const double day = std::floor(ms / kMsPerDay);
  return ComposeDateTime(day, (ms - day * kMsPerDay) / kMsPerDay);
}

double AddDaysToSerial(double serial, double days) noexcept { return LinearToSerial(SerialToLinear(serial) + days); }

double AddMsToSerial(double serial, double ms) noexcept { return MsToSerial(SerialToMs(serial) + ms); }

double DateOfSerial(double serial) noexcept { return std::floor(SerialToMs(serial) / kMsPerDay); }

double TimeOfSerial(double serial) noexcept {
  const double ms = SerialToMs(serial);
  return (ms - std::floor(ms / kMsPerDay) * kMsPerDay) / kMsPerDay;
}

std::int64_t DayNumberOfSerial(double serial) noexcept { return std::llround(DateOfSerial(serial)); }

std::int64_t MsOfDayOfSerial(double serial) noexcept {
  const std::int64_t ms = std::llround(SerialToMs(serial));
  const std::int64_t perDay = 86400000;
  return (ms % perDay + perDay) % perDay;
}

namespace {

// The day of a value's decoded date (raises for a value that is no date).
double DayOf(double serial) {
  const DateTimeParts p = DecodeDateTime(serial);
  return EncodeDate(p.Year, p.Month, p.Day);
}

int IsoDayOfDay(double day) noexcept {
  // Day 0 was a Saturday (ISO 6).
  const auto d = static_cast<std::int64_t>(day);
  return static_cast<int>(((d + 5) % 7 + 7) % 7) + 1;
}

// The Monday of ISO week 1 of a year.
double IsoYearStart(int year) {
  double jan4;
  TryEncodeDate(year, 1, 4, jan4);
  return jan4 - (IsoDayOfDay(jan4) - 1);
}

}  // namespace

int IsoDayOfWeek(double serial) { return IsoDayOfDay(DayOf(serial)); }

int DayOfTheYear(double serial) {
  const DateTimeParts p = DecodeDateTime(serial);
  return static_cast<int>(EncodeDate(p.Year, p.Month, p.Day) - EncodeDate(p.Year, 1, 1)) + 1;
}

IsoWeekDate DecodeIsoWeek(double serial) {
  const double day = DayOf(serial);
  IsoWeekDate w;
  w.Day = IsoDayOfDay(day);
  // The week belongs to the year of its Thursday.
  const double thursday = day - w.Day + 4;
  // 1 January 0001 is a Monday and 31 December 9999 a Friday: the Thursday of every
  // week of the date range lies in that range too.
  const DateTimeParts t = DecodeDateTime(thursday);
  double jan1;
  TryEncodeDate(t.Year, 1, 1, jan1);
  w.Year = t.Year;
  w.Week = static_cast<int>((thursday - jan1) / 7) + 1;
  return w;
}

int IsoWeeksInYear(int year) noexcept {
  double jan1;
  if (!TryEncodeDate(year, 1, 1, jan1)) return 52;
  const int dow = IsoDayOfDay(jan1);
  return dow == 4 || (dow == 3 && IsLeapYear(year)) ? 53 : 52;
}

bool TryEncodeIsoWeek(int year, int week, int day, double& date) noexcept {
  if (year < 1 || year > 9999 || week < 1 || week > IsoWeeksInYear(year) || day < 1 || day > 7) return false;
  const double d = IsoYearStart(year) + (week - 1) * 7 + (day - 1);
  DateTimeParts check;
  if (!TryDecodeDateTime(d, check)) return false;
  date = d;
  return true;
}

double IncMonths(double serial, std::int64_t months) {
  const DateTimeParts p = DecodeDateTime(serial);
  const std::int64_t total = static_cast<std::int64_t>(p.Year) * 12 + (p.Month - 1) + months;
  const std::int64_t year = total >= 0 ? total / 12 : -((-total + 11) / 12);
  const int month = static_cast<int>(total - year * 12) + 1;
  if (year < 1 || year > 9999) EncodeDate(0, 1, 1);  // raises the encode error
  const int y = static_cast<int>(year);
  const int day = p.Day < DaysInMonth(y, month) ? p.Day : DaysInMonth(y, month);
  double time;
  TryEncodeTime(p.Hour, p.Minute, p.Second, p.Millisecond, time);
  return ComposeDateTime(EncodeDate(y, month, day), time);
}

int GoldenNumber(int year) noexcept { return year % 19 + 1; }

namespace {

struct EasterTerms {
  int Golden, Century, X, Z, Epact;
};

// The Gregorian computation: golden number, century, the solar (X) and lunar (Z)
// corrections, and the epact.
EasterTerms Easter(int year) noexcept {
  EasterTerms t;
  t.Golden = GoldenNumber(year);
  t.Century = year / 100 + 1;
  t.X = 3 * t.Century / 4 - 12;
  t.Z = (8 * t.Century + 5) / 25 - 5;
  int e = (11 * t.Golden + 20 + t.Z - t.X) % 30;
  if (e < 0) e += 30;
  if ((e == 25 && t.Golden > 11) || e == 24) ++e;
  t.Epact = e;
  return t;
}

}  // namespace

int Epact(int year) noexcept { return Easter(year).Epact; }

double EasterSunday(int year) {
  const EasterTerms t = Easter(year);
  const int d = 5 * year / 4 - t.X - 10;
  int n = 44 - t.Epact;
  if (n < 21) n += 30;
  n = n + 7 - (d + n) % 7;
  return n > 31 ? EncodeDate(year, 4, n - 31) : EncodeDate(year, 3, n);
}

double DateTimeToJulianDate(double serial) {
  const DateTimeParts p = DecodeDateTime(serial);
  const std::int64_t y = p.Year, m = p.Month, d = p.Day;
  const std::int64_t a = (m - 14) / 12;
  const std::int64_t jd = (1461 * (y + 4800 + a)) / 4 + (367 * (m - 2 - 12 * a)) / 12 -
                          (3 * ((y + 4900 + a) / 100)) / 4 + d - 32075;
  return static_cast<double>(jd) - 0.5 + TimeOfSerial(serial);
}

double JulianDateToDateTime(double julian) noexcept {
  // Julian day 2415019 begins at noon of day 0, so day 0 began at 2415018.5.
  return LinearToSerial(julian - 2415018.5);
}

}  // namespace rtl
