#include "rtl/DateUtils.h"

#include <cmath>

#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/NumberText.h"

namespace rtl {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;

}  // namespace

double EncodeDate(int year, int month, int day) {
  double date;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError("Invalid argument to date encode");
  return date;
}

double EncodeTime(int hour, int minute, int second, int millisecond) {
  double time;
  if (!TryEncodeTime(hour, minute, second, millisecond, time)) throw EConvertError("Invalid argument to time encode");
  return time;
}

void InvalidDateTimeValue(double value) {
  throw EConvertError("'" + FloatToText(value, CurrentFormatSettings().DecimalSeparator) +
                      "' is not a valid date and time");
}

DateTimeParts DecodeDateTime(double value) {
  DateTimeParts parts;
  if (!TryDecodeDateTime(value, parts)) InvalidDateTimeValue(value);
  return parts;
}

void DecodeDate(double date, std::uint16_t& year, std::uint16_t& month, std::uint16_t& day) {
  DateTimeParts p = DecodeDateTime(date);
  year = static_cast<std::uint16_t>(p.Year);
  month = static_cast<std::uint16_t>(p.Month);
  day = static_cast<std::uint16_t>(p.Day);
}

void DecodeTime(double time, std::uint16_t& hour, std::uint16_t& minute, std::uint16_t& second,
                std::uint16_t& millisecond) {
  if (!std::isfinite(time)) InvalidDateTimeValue(time);
  auto ms = static_cast<std::int64_t>(std::llround(std::fabs(time - std::trunc(time)) * kMsPerDay));
  // 23:59:59.9996 rounds to the next midnight, not to a 24th hour.
  if (ms >= kMsPerDay) ms -= kMsPerDay;
  millisecond = static_cast<std::uint16_t>(ms % 1000);
  ms /= 1000;
  second = static_cast<std::uint16_t>(ms % 60);
  ms /= 60;
  minute = static_cast<std::uint16_t>(ms % 60);
  hour = static_cast<std::uint16_t>(ms / 60);
}

int DayOfWeek(double date) {
  DateTimeParts p = DecodeDateTime(date);
  double day;
  TryEncodeDate(p.Year, p.Month, p.Day, day);
  // Day 0 was a Saturday.
  auto d = static_cast<std::int64_t>(day);
  return static_cast<int>(((d + 6) % 7 + 7) % 7) + 1;
}

bool IsLeapYear(int year) noexcept { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) noexcept {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int DaysInYear(int year) noexcept { return IsLeapYear(year) ? 366 : 365; }

}  // namespace rtl
