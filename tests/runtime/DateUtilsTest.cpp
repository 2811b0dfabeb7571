// fs_DateUtils through scripts of all four dialects, one table per family: the parts of
// a date and the *Of / *OfThe* counts, starts and ends of periods, spans and betweens,
// increments, encoding, recoding and validation with ISO weeks, Julian and Unix time.
// The moment most cases look at is Thursday, 14 March 2024, 13:05:09.123 (ISO week 11).
#include <gtest/gtest.h>

#include "runtime/DateLibrariesTestSupport.h"

namespace fs {
namespace {

using DateUtilsTest = test::DateLibrariesFixture;

#define X "D('2024-03-14 13:05:09.123')"

TEST_F(DateUtilsTest, PartsOfADate) {
  ExpectAll({
      {"DateOf(" X ")", "date 2024-03-14"},
      {"TimeOf(" X ")", "date 1899-12-30 13:05:09.123"},
      {"YearOf(" X ")", "word 2024"},
      {"MonthOf(" X ")", "word 3"},
      {"WeekOf(" X ")", "word 11"},
      {"DayOf(" X ")", "word 14"},
      {"HourOf(" X ")", "word 13"},
      {"MinuteOf(" X ")", "word 5"},
      {"SecondOf(" X ")", "word 9"},
      {"MilliSecondOf(" X ")", "word 123"},
      // A time that rounds up to the next day belongs to it.
      {"DateOf(45365.9999999999)", "date 2024-03-15"},
      {"TimeOf(-1.25)", "date 1899-12-30 06:00:00.000"},
      {"DateOf(-1.25)", "date 1899-12-29"},
  });
}

TEST_F(DateUtilsTest, CountsWithinTheirPeriods) {
  ExpectAll({
      {"MonthOfTheYear(" X ")", "word 3"},
      {"WeekOfTheYear(" X ")", "word 11"},
      {"DayOfTheYear(" X ")", "word 74"},
      {"HourOfTheYear(" X ")", "word 1765"},
      {"MinuteOfTheYear(" X ")", "longword 105905"},
      {"SecondOfTheYear(" X ")", "longword 6354309"},
      {"MilliSecondOfTheYear(" X ")", "int64 6354309123"},
      {"WeekOfTheMonth(" X ")", "word 2"},
      {"DayOfTheMonth(" X ")", "word 14"},
      {"HourOfTheMonth(" X ")", "word 325"},
      {"MinuteOfTheMonth(" X ")", "word 19505"},
      {"SecondOfTheMonth(" X ")", "longword 1170309"},
      {"MilliSecondOfTheMonth(" X ")", "longword 1170309123"},
      {"DayOfTheWeek(" X ")", "word 4"},
      {"HourOfTheWeek(" X ")", "word 85"},
      {"MinuteOfTheWeek(" X ")", "word 5105"},
      {"SecondOfTheWeek(" X ")", "longword 306309"},
      {"MilliSecondOfTheWeek(" X ")", "longword 306309123"},
      {"HourOfTheDay(" X ")", "word 13"},
      {"MinuteOfTheDay(" X ")", "word 785"},
      {"SecondOfTheDay(" X ")", "longword 47109"},
      {"MilliSecondOfTheDay(" X ")", "longword 47109123"},
      {"MinuteOfTheHour(" X ")", "word 5"},
      {"SecondOfTheHour(" X ")", "word 309"},
      {"MilliSecondOfTheHour(" X ")", "longword 309123"},
      {"SecondOfTheMinute(" X ")", "word 9"},
      {"MilliSecondOfTheMinute(" X ")", "longword 9123"},
      {"MilliSecondOfTheSecond(" X ")", "word 123"},
      // The last millisecond of a leap year.
      {"DayOfTheYear(D('2024-12-31 23:59:59.999'))", "word 366"},
      {"MilliSecondOfTheYear(D('2024-12-31 23:59:59.999'))", "int64 31622399999"},
      {"MilliSecondOfTheDay(D('2024-12-31 23:59:59.999'))", "longword 86399999"},
      // Sundays count as day 7 of their week.
      {"DayOfTheWeek(D('2024-03-17'))", "word 7"},
      {"HourOfTheWeek(D('2024-03-17 23:00'))", "word 167"},
      // ISO weeks: the first days of January can belong to the previous year's week 53.
      {"WeekOfTheYear(D('2021-01-01'))", "word 53"},
      {"WeekOfTheYear(D('2021-01-04'))", "word 1"},
      {"WeekOfTheYear(D('2024-12-30'))", "word 1"},
      {"WeekOfTheYear(D('2020-12-31'))", "word 53"},
      // Weeks of a month: week 1 holds the month's first Thursday.
      {"WeekOfTheMonth(D('2024-03-03'))", "word 5"},
      {"WeekOfTheMonth(D('2024-03-04'))", "word 1"},
      {"WeekOfTheMonth(D('2024-04-01'))", "word 1"},
      {"NthDayOfWeek(D('2024-03-07'))", "word 1"},
      {"NthDayOfWeek(" X ")", "word 2"},
      {"NthDayOfWeek(D('2024-03-29'))", "word 5"},
  });
}

TEST_F(DateUtilsTest, StartsAndEndsOfPeriods) {
  ExpectAll({
      {"StartOfTheYear(" X ")", "date 2024-01-01"},
      {"EndOfTheYear(" X ")", "date 2024-12-31 23:59:59.999"},
      {"StartOfAYear(1999)", "date 1999-01-01"},
      {"EndOfAYear(1999)", "date 1999-12-31 23:59:59.999"},
      {"StartOfTheMonth(" X ")", "date 2024-03-01"},
      {"EndOfTheMonth(" X ")", "date 2024-03-31 23:59:59.999"},
      {"StartOfAMonth(2024, 2)", "date 2024-02-01"},
      {"EndOfAMonth(2024, 2)", "date 2024-02-29 23:59:59.999"},
      {"EndOfAMonth(2023, 2)", "date 2023-02-28 23:59:59.999"},
      {"StartOfTheWeek(" X ")", "date 2024-03-11"},
      {"EndOfTheWeek(" X ")", "date 2024-03-17 23:59:59.999"},
      {"StartOfTheWeek(D('2024-03-17 23:00'))", "date 2024-03-11"},
      {"StartOfAWeek(2024, 11)", "date 2024-03-11"},
      {"StartOfAWeek(2024, 11, 4)", "date 2024-03-14"},
      {"EndOfAWeek(2024, 11)", "date 2024-03-17 23:59:59.999"},
      {"EndOfAWeek(2024, 1, 1)", "date 2024-01-01 23:59:59.999"},
      {"StartOfAWeek(2020, 53)", "date 2020-12-28"},
      {"EndOfAWeek(2020, 53)", "date 2021-01-03 23:59:59.999"},
      {"StartOfAWeek(2025, 1)", "date 2024-12-30"},
      {"StartOfTheDay(" X ")", "date 2024-03-14"},
      {"EndOfTheDay(" X ")", "date 2024-03-14 23:59:59.999"},
      {"StartOfADay(2024, 2, 29)", "date 2024-02-29"},
      {"EndOfADay(2024, 2, 29)", "date 2024-02-29 23:59:59.999"},
      {"StartOfADay2(2024, 60)", "date 2024-02-29"},
      {"EndOfADay2(2024, 366)", "date 2024-12-31 23:59:59.999"},
      // Before day 0 the fraction still counts forward from midnight.
      {"EndOfTheDay(-1.25)", "date 1899-12-29 23:59:59.999"},
      {"StartOfAWeek(2021, 53)", "error: (2021, 53, 1) is not a valid DateWeek triplet"},
      {"StartOfADay2(2023, 366)", "error: (2023, 366) is not a valid DateDay pair"},
      {"StartOfADay(2023, 2, 29)", "error: Invalid argument to date encode"},
      {"EndOfAMonth(2024, 13)", "error: Invalid argument to date encode"},
  });
}

TEST_F(DateUtilsTest, CalendarFactsAndValidation) {
  ExpectAll({
      {"IsInLeapYear(D('2024-06-01'))", "bool True"},
      {"IsInLeapYear(D('1900-06-01'))", "bool False"},
      {"IsInLeapYear(D('2000-06-01'))", "bool True"},
      {"IsValidDate(2024, 2, 29)", "bool True"},
      {"IsValidDate(2023, 2, 29)", "bool False"},
      {"IsValidDate(0, 1, 1)", "bool False"},
      {"IsValidDate(9999, 12, 31)", "bool True"},
      {"IsValidTime(23, 59, 59, 999)", "bool True"},
      {"IsValidTime(24, 0, 0, 0)", "bool False"},
      {"IsValidDateTime(2024, 2, 29, 23, 59, 59, 999)", "bool True"},
      {"IsValidDateTime(2024, 2, 29, 23, 60, 0, 0)", "bool False"},
      {"IsValidDateDay(2024, 366)", "bool True"},
      {"IsValidDateDay(2023, 366)", "bool False"},
      {"IsValidDateWeek(2020, 53, 7)", "bool True"},
      {"IsValidDateWeek(2021, 53, 1)", "bool False"},
      {"IsValidDateWeek(2021, 52, 8)", "bool False"},
      {"IsValidDateMonthWeek(2024, 2, 5, 3)", "bool True"},
      {"IsValidDateMonthWeek(2024, 3, 5, 1)", "bool False"},
      {"IsValidDateMonthWeek(2024, 3, 4, 7)", "bool True"},
      {"WeeksInYear(D('2020-06-01'))", "word 53"},
      {"WeeksInAYear(2021)", "word 52"},
      {"WeeksInAYear(2015)", "word 53"},
      {"WeeksInAYear(2026)", "word 53"},
      {"DaysInAYear(2024)", "word 366"},
      {"DaysInAYear(1900)", "word 365"},
      {"DaysInAMonth(2024, 2)", "word 29"},
      {"DaysInAMonth(2023, 2)", "word 28"},
      {"IsSameDay(D('2024-03-14'), D('2024-03-14 23:59:59.999'))", "bool True"},
      {"IsSameDay(D('2024-03-14'), D('2024-03-15'))", "bool False"},
      {"DaysInAMonth(2024, 13)", "error: Invalid argument to date encode"},
  });
}

TEST_F(DateUtilsTest, TodayYesterdayAndTomorrow) {
  ExpectAll({
      {"TimeOf(Today)", "date 1899-12-30"},
      {"TimeOf(Tomorrow)", "date 1899-12-30"},
      {"IsToday(Today)", "bool True"},
      {"IsToday(Tomorrow)", "bool False"},
      {"DaysBetween(Yesterday, Tomorrow)", "int 2"},
  });
}

TEST_F(DateUtilsTest, BetweensSpansAndWithinPast) {
  ExpectAll({
      {"YearsBetween(D('2020-01-01'), D('2020-12-31'))", "int 0"},
      {"YearsBetween(D('2020-01-01'), D('2024-01-01'))", "int 4"},
      {"YearsBetween(D('2024-01-01'), D('2020-01-01'))", "int 4"},
      {"MonthsBetween(D('2024-01-01'), D('2024-01-31'))", "int 0"},
      {"MonthsBetween(D('2024-01-01'), D('2024-03-01'))", "int 1"},
      {"WeeksBetween(D('2024-03-01'), D('2024-03-15'))", "int 2"},
      {"WeeksBetween(D('2024-03-01'), D('2024-03-14 23:59'))", "int 1"},
      {"DaysBetween(D('2024-03-14 12:00'), D('2024-03-15 11:59'))", "int 0"},
      {"DaysBetween(D('2024-03-14 12:00'), D('2024-03-15 12:00'))", "int 1"},
      {"HoursBetween(D('2024-03-14'), " X ")", "int64 13"},
      {"MinutesBetween(D('2024-03-14'), " X ")", "int64 785"},
      {"SecondsBetween(" X ", D('2024-03-14'))", "int64 47109"},
      {"MilliSecondsBetween(D('2024-03-14'), " X ")", "int64 47109123"},
      // Either side of day 0: 29 December 18:00 to 30 December 18:00 is one day.
      {"DaysBetween(-1.75, 0.75)", "int 1"},
      {"HoursBetween(-1.75, 0.75)", "int64 24"},
      {"YearSpan(D('2020-01-01'), D('2020-12-31'))", "double 0.999315537303217"},
      {"MonthSpan(D('2024-01-01'), D('2024-01-31'))", "double 0.985626283367556"},
      {"WeekSpan(D('2024-03-01'), D('2024-03-04 12:00'))", "double 0.5"},
      {"DaySpan(D('2024-03-01 12:00'), D('2024-03-01'))", "double 0.5"},
      {"HourSpan(D('2024-03-14'), D('2024-03-14 01:30'))", "double 1.5"},
      {"DaySpan(-1.75, 0.75)", "double 1"},
      // Spans are not counted in whole milliseconds: 4095/4096 of a day (86 378 906.25
      // ms) stays that in every unit, while the betweens count whole units of it.
      {"DaySpan(45000.0, 45000.999755859375)", "double 0.999755859375"},
      {"HourSpan(45000.999755859375, 45000.0)", "double 23.994140625"},
      {"MinuteSpan(45000.0, 45000.999755859375)", "double 1439.6484375"},
      {"SecondSpan(45000.0, 45000.999755859375)", "double 86378.90625"},
      {"MilliSecondSpan(45000.0, 45000.999755859375)", "double 86378906.25"},
      {"MilliSecondsBetween(45000.0, 45000.999755859375)", "int64 86378906"},
      {"WeekSpan(45000.0, 45003.5)", "double 0.5"},
      {"MonthSpan(45000.0, 45030.4375)", "double 1"},
      {"YearSpan(45000.0, 45365.25)", "double 1"},
      {"WeekSpan(45000.0, 45000.999755859375)", "double 0.142822265625"},
      {"MonthSpan(45000.0, 45000.999755859375)", "double 0.0328461883983573"},
      {"YearSpan(45000.0, 45000.999755859375)", "double 0.00273718236652977"},
      {"WithinPastYears(D('2024-01-01'), D('2020-01-01'), 4)", "bool True"},
      {"WithinPastYears(D('2024-01-01'), D('2020-01-01'), 3)", "bool False"},
      {"WithinPastMonths(D('2024-03-01'), D('2024-01-01'), 1)", "bool True"},
      {"WithinPastWeeks(D('2024-03-15'), D('2024-03-01'), 1)", "bool False"},
      {"WithinPastDays(D('2024-03-14'), D('2024-03-10'), 3)", "bool False"},
      {"WithinPastHours(D('2024-03-14 13:00'), D('2024-03-14'), 13)", "bool True"},
      {"WithinPastMinutes(" X ", D('2024-03-14'), 784)", "bool False"},
      {"WithinPastSeconds(" X ", D('2024-03-14'), 47109)", "bool True"},
      {"WithinPastMilliSeconds(" X ", D('2024-03-14'), 47109122)", "bool False"},
      // Values outside the date range are no moments to count from.
      {"DaysBetween(1e10, 0)", "error: '10000000000' is not a valid date and time"},
      {"SameDate(0, -1e10)", "error: '-10000000000' is not a valid date and time"},
  });
}

TEST_F(DateUtilsTest, Increments) {
  ExpectAll({
      {"IncYear(D('2024-02-29 10:00'))", "date 2025-02-28 10:00:00.000"},
      {"IncYear(D('2024-02-29'), 4)", "date 2028-02-29"},
      {"IncYear(D('2024-02-29'), -1)", "date 2023-02-28"},
      {"IncWeek(D('2024-12-30'))", "date 2025-01-06"},
      {"IncWeek(D('2024-01-03'), -1)", "date 2023-12-27"},
      {"IncDay(D('2024-02-28'))", "date 2024-02-29"},
      {"IncDay(D('2024-12-31 12:00'), 1)", "date 2025-01-01 12:00:00.000"},
      {"IncDay(0.25, -1)", "date 1899-12-29 06:00:00.000"},
      {"IncHour(D('2024-03-14 23:30'))", "date 2024-03-15 00:30:00.000"},
      {"IncHour(D('2024-03-14'), -25)", "date 2024-03-12 23:00:00.000"},
      {"IncHour(-1.75, 12)", "date 1899-12-30 06:00:00.000"},
      {"IncMinute(D('2024-03-14 23:59'))", "date 2024-03-15"},
      {"IncSecond(D('2024-12-31 23:59:59'))", "date 2025-01-01"},
      {"IncMilliSecond(D('2024-03-14 23:59:59.999'))", "date 2024-03-15"},
      {"IncMilliSecond(D('2024-03-15'), -1)", "date 2024-03-14 23:59:59.999"},
      {"IncYear(D('9999-06-01'))", "error: Invalid argument to date encode"},
  });
}

TEST_F(DateUtilsTest, EncodingAndRecoding) {
  ExpectAll({
      {"EncodeDateTime(2024, 2, 29, 23, 59, 59, 999)", "date 2024-02-29 23:59:59.999"},
      {"EncodeDateWeek(2020, 53, 5)", "date 2021-01-01"},
      {"EncodeDateWeek(2025, 1)", "date 2024-12-30"},
      {"EncodeDateDay(2024, 60)", "date 2024-02-29"},
      {"EncodeDateMonthWeek(2024, 3, 2, 4)", "date 2024-03-14"},
      {"EncodeDateMonthWeek(2024, 3, 1, 1)", "date 2024-03-04"},
      {"EncodeDateMonthWeek(2024, 4, 1, 1)", "date 2024-04-01"},
      {"EncodeDayOfWeekInMonth(2024, 3, 2, 4)", "date 2024-03-14"},
      {"EncodeDayOfWeekInMonth(2024, 3, 5, 5)", "date 2024-03-29"},
      {"RecodeYear(" X ", 2020)", "date 2020-03-14 13:05:09.123"},
      {"RecodeMonth(" X ", 2)", "date 2024-02-14 13:05:09.123"},
      {"RecodeDay(" X ", 31)", "date 2024-03-31 13:05:09.123"},
      {"RecodeHour(" X ", 0)", "date 2024-03-14 00:05:09.123"},
      {"RecodeMinute(" X ", 59)", "date 2024-03-14 13:59:09.123"},
      {"RecodeSecond(" X ", 0)", "date 2024-03-14 13:05:00.123"},
      {"RecodeMilliSecond(" X ", 0)", "date 2024-03-14 13:05:09.000"},
      {"RecodeDate(" X ", 2000, 1, 1)", "date 2000-01-01 13:05:09.123"},
      {"RecodeTime(" X ", 0, 0, 0, 0)", "date 2024-03-14"},
      {"RecodeDateTime(" X ", 1999, 12, 31, 23, 59, 59, 999)", "date 1999-12-31 23:59:59.999"},
      {"RecodeDay(-1.25, 28)", "date 1899-12-28 06:00:00.000"},
      {"EncodeDateTime(2023, 2, 29, 0, 0, 0, 0)", "error: ''2023/2/29 0:0:0.0'' is not a valid date and time"},
      {"RecodeYear(D('2024-02-29 10:00'), 2023)", "error: ''2023/2/29 10:0:0.0'' is not a valid date and time"},
      {"RecodeHour(" X ", 24)", "error: ''2024/3/14 24:5:9.123'' is not a valid date and time"},
      {"EncodeDateWeek(2021, 53)", "error: (2021, 53, 1) is not a valid DateWeek triplet"},
      {"EncodeDateDay(2024, 0)", "error: (2024, 0) is not a valid DateDay pair"},
      {"EncodeDateMonthWeek(2024, 3, 5, 1)", "error: (2024, 3, 5, 1) is not a valid DateMonthWeek quad"},
      {"EncodeDayOfWeekInMonth(2024, 3, 5, 4)", "error: (2024, 3, 5, 4) is not a valid DayOfWeekInMonth quad"},
  });
}

TEST_F(DateUtilsTest, JulianAndUnixTime) {
  ExpectAll({
      {"DateTimeToJulianDate(0)", "double 2415018.5"},
      {"DateTimeToJulianDate(D('2000-01-01 12:00'))", "double 2451545"},
      {"JulianDateToDateTime(2451545)", "date 2000-01-01 12:00:00.000"},
      {"JulianDateToDateTime(2415018.5)", "date 1899-12-30"},
      {"DateTimeToModifiedJulianDate(D('1858-11-17'))", "double 0"},
      {"DateTimeToModifiedJulianDate(D('2024-03-14 06:00'))", "double 60383.25"},
      {"ModifiedJulianDateToDateTime(0)", "date 1858-11-17"},
      {"ModifiedJulianDateToDateTime(0.25)", "date 1858-11-17 06:00:00.000"},
      {"DateTimeToUnix(D('1970-01-01'))", "int64 0"},
      {"DateTimeToUnix(D('1970-01-01 00:00:00.600'))", "int64 1"},
      {"DateTimeToUnix(" X ")", "int64 1710421509"},
      {"DateTimeToUnix(D('1969-12-31 23:59:59'))", "int64 -1"},
      {"DateTimeToUnix(-1.75)", "int64 -2209183200"},
      {"UnixToDateTime(0)", "date 1970-01-01"},
      {"UnixToDateTime(1710421509)", "date 2024-03-14 13:05:09.000"},
      {"UnixToDateTime(-2209183200)", "date 1899-12-29 18:00:00.000"},
  });
}

#undef X

}  // namespace
}  // namespace fs
