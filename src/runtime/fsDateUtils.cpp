#include "runtime/fsDateUtils.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "rtl/CurrentTime.h"
#include "rtl/DateCalendar.h"
#include "rtl/DateUtils.h"
#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "rtl/Rounding.h"
#include "runtime/fsLibraryBinding.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::DateTimeParts;
using rtl::Variant;
using Args = TfsLibraryArgs;

Variant Date(double v) { return Variant::FromDate(v); }

// The day (midnight) of decoded parts.
double DayOf(const DateTimeParts& p) { return rtl::EncodeDate(p.Year, p.Month, p.Day); }

std::int64_t MsOfDay(const DateTimeParts& p) {
  return ((static_cast<std::int64_t>(p.Hour) * 60 + p.Minute) * 60 + p.Second) * 1000 + p.Millisecond;
}

int IsoDayOfDay(double day) { return rtl::IsoDayOfWeek(day); }

// The value, or the error for a value that is no date.
double Checked(double v) {
  rtl::DecodeDateTime(v);
  return v;
}

// Periods a moment lies in, and the units counted within them ------------------------

enum class Period { Year, Month, Week, Day, Hour, Minute, Second };

// The first day of the year, month or (Monday-first) week of decoded parts.
double PeriodStartDay(const DateTimeParts& p, Period period) {
  switch (period) {
    case Period::Year: return rtl::EncodeDate(p.Year, 1, 1);
    case Period::Month: return rtl::EncodeDate(p.Year, p.Month, 1);
    case Period::Week: {
      const double day = DayOf(p);
      return day - (IsoDayOfDay(day) - 1);
    }
    default: return DayOf(p);
  }
}

double PeriodEndDay(const DateTimeParts& p, Period period) {
  switch (period) {
    case Period::Year: return rtl::EncodeDate(p.Year, 12, 31);
    case Period::Month: return rtl::EncodeDate(p.Year, p.Month, rtl::DaysInMonth(p.Year, p.Month));
    case Period::Week: return PeriodStartDay(p, Period::Week) + 6;
    default: return DayOf(p);
  }
}

// Milliseconds from the start of the period to the moment.
std::int64_t ElapsedMs(double value, Period period) {
  const DateTimeParts p = rtl::DecodeDateTime(value);
  const std::int64_t ms = MsOfDay(p);
  switch (period) {
    case Period::Hour: return ms % 3600000;
    case Period::Minute: return ms % 60000;
    case Period::Second: return ms % 1000;
    default: break;
  }
  const auto days = static_cast<std::int64_t>(DayOf(p) - PeriodStartDay(p, period));
  return days * 86400000 + ms;
}

// Whole units elapsed in the period: HourOfTheYear, SecondOfTheMinute, HourOf ...
template <Period P, std::int64_t UnitMs>
Variant ElapsedOf(Args& a) {
  return Variant(ElapsedMs(a.Float(0), P) / UnitMs);
}

// The day within the year, month or week, from 1.
template <Period P>
Variant DayWithin(Args& a) {
  return Variant(static_cast<std::int32_t>(ElapsedMs(a.Float(0), P) / 86400000 + 1));
}

template <Period P>
Variant StartOfThe(Args& a) {
  return Date(PeriodStartDay(rtl::DecodeDateTime(a.Float(0)), P));
}

template <Period P>
Variant EndOfThe(Args& a) {
  return Date(rtl::SerialOf(PeriodEndDay(rtl::DecodeDateTime(a.Float(0)), P), rtl::kEndOfDayTime));
}

Variant YearOf(Args& a) { return Variant(rtl::DecodeDateTime(a.Float(0)).Year); }
Variant MonthOf(Args& a) { return Variant(rtl::DecodeDateTime(a.Float(0)).Month); }
Variant WeekOf(Args& a) { return Variant(rtl::DecodeIsoWeek(a.Float(0)).Week); }

// Weeks of a month follow the ISO rule: Monday first, and week 1 is the week that holds
// the month's first Thursday (the days before it belong to the previous month's last
// week).
double MonthWeekStart(int year, int month) {
  const double first = rtl::EncodeDate(year, month, 1);
  return first + (4 - IsoDayOfDay(first) + 7) % 7 - 3;
}

int WeeksInMonth(int year, int month) {
  const double first = rtl::EncodeDate(year, month, 1);
  const int firstThursday = 1 + (4 - IsoDayOfDay(first) + 7) % 7;
  return (rtl::DaysInMonth(year, month) - firstThursday) / 7 + 1;
}

Variant WeekOfTheMonth(Args& a) {
  const DateTimeParts p = rtl::DecodeDateTime(a.Float(0));
  const double thursday = PeriodStartDay(p, Period::Week) + 3;
  return Variant((rtl::DecodeDateTime(thursday).Day - 1) / 7 + 1);
}

Variant DayOfTheWeek(Args& a) { return Variant(rtl::IsoDayOfWeek(a.Float(0))); }

// Calendar facts ---------------------------------------------------------------------------

bool ValidYear(int year) { return year >= 1 && year <= 9999; }
bool ValidMonth(int year, int month) { return ValidYear(year) && month >= 1 && month <= 12; }

// A month of a valid year, or the encode error.
void CheckMonth(int year, int month) {
  if (!ValidMonth(year, month)) rtl::EncodeDate(year, month, 1);
}

Variant IsInLeapYear(Args& a) { return Variant(rtl::IsLeapYear(rtl::DecodeDateTime(a.Float(0)).Year)); }
Variant IsPM(Args& a) { return Variant(rtl::DecodeDateTime(a.Float(0)).Hour >= 12); }

Variant IsValidDate(Args& a) {
  double d;
  return Variant(rtl::TryEncodeDate(a.Int(0), a.Int(1), a.Int(2), d));
}

Variant IsValidTime(Args& a) {
  double t;
  return Variant(rtl::TryEncodeTime(a.Int(0), a.Int(1), a.Int(2), a.Int(3), t));
}

Variant IsValidDateTime(Args& a) {
  double d, t;
  const bool date = rtl::TryEncodeDate(a.Int(0), a.Int(1), a.Int(2), d);
  const bool time = rtl::TryEncodeTime(a.Int(3), a.Int(4), a.Int(5), a.Int(6), t);
  return Variant(date && time);
}

bool ValidDateDay(int year, int dayOfYear) {
  return ValidYear(year) && dayOfYear >= 1 && dayOfYear <= rtl::DaysInYear(year);
}

Variant IsValidDateDay(Args& a) { return Variant(ValidDateDay(a.Int(0), a.Int(1))); }

Variant IsValidDateWeek(Args& a) {
  double d;
  return Variant(rtl::TryEncodeIsoWeek(a.Int(0), a.Int(1), a.Int(2), d));
}

bool ValidDateMonthWeek(int year, int month, int week, int day) {
  return ValidMonth(year, month) && day >= 1 && day <= 7 && week >= 1 && week <= WeeksInMonth(year, month);
}

Variant IsValidDateMonthWeek(Args& a) { return Variant(ValidDateMonthWeek(a.Int(0), a.Int(1), a.Int(2), a.Int(3))); }

Variant WeeksInYear(Args& a) { return Variant(rtl::IsoWeeksInYear(rtl::DecodeDateTime(a.Float(0)).Year)); }
Variant WeeksInAYear(Args& a) { return Variant(rtl::IsoWeeksInYear(a.Int(0))); }
Variant DaysInYear(Args& a) { return Variant(rtl::DaysInYear(rtl::DecodeDateTime(a.Float(0)).Year)); }
Variant DaysInAYear(Args& a) { return Variant(rtl::DaysInYear(a.Int(0))); }

Variant DaysInMonth(Args& a) {
  const DateTimeParts p = rtl::DecodeDateTime(a.Float(0));
  return Variant(rtl::DaysInMonth(p.Year, p.Month));
}

Variant DaysInAMonth(Args& a) {
  const int year = a.Int(0), month = a.Int(1);
  CheckMonth(year, month);
  return Variant(rtl::DaysInMonth(year, month));
}

// Today --------------------------------------------------------------------------------------

template <int Offset>
Variant TodayPlus(Args&) {
  return Date(rtl::Date() + Offset);
}

Variant IsToday(Args& a) {
  return Variant(rtl::DayNumberOfSerial(Checked(a.Float(0))) == rtl::DayNumberOfSerial(rtl::Date()));
}
Variant IsSameDay(Args& a) {
  return Variant(rtl::DayNumberOfSerial(Checked(a.Float(0))) == rtl::DayNumberOfSerial(Checked(a.Float(1))));
}

// Periods given by their parts ------------------------------------------------------------

Variant StartOfAYear(Args& a) { return Date(rtl::EncodeDate(a.Int(0), 1, 1)); }
Variant EndOfAYear(Args& a) { return Date(rtl::SerialOf(rtl::EncodeDate(a.Int(0), 12, 31), rtl::kEndOfDayTime)); }
Variant StartOfAMonth(Args& a) { return Date(rtl::EncodeDate(a.Int(0), a.Int(1), 1)); }

Variant EndOfAMonth(Args& a) {
  const int year = a.Int(0), month = a.Int(1);
  CheckMonth(year, month);
  return Date(rtl::SerialOf(rtl::EncodeDate(year, month, rtl::DaysInMonth(year, month)), rtl::kEndOfDayTime));
}

double EncodeDateWeek(int year, int week, int day) {
  double d;
  if (!rtl::TryEncodeIsoWeek(year, week, day, d))
    throw rtl::EConvertError(rtl::Format(
        msg::kInvalidDateWeek, {rtl::FormatArg::FromInt(year), rtl::FormatArg::FromInt(week), rtl::FormatArg::FromInt(day)}));
  return d;
}

double EncodeDateDay(int year, int dayOfYear) {
  if (!ValidDateDay(year, dayOfYear))
    throw rtl::EConvertError(
        rtl::Format(msg::kInvalidDateDay, {rtl::FormatArg::FromInt(year), rtl::FormatArg::FromInt(dayOfYear)}));
  return rtl::EncodeDate(year, 1, 1) + dayOfYear - 1;
}

Variant StartOfAWeek(Args& a) { return Date(EncodeDateWeek(a.Int(0), a.Int(1), a.Int(2))); }
Variant EndOfAWeek(Args& a) { return Date(rtl::SerialOf(EncodeDateWeek(a.Int(0), a.Int(1), a.Int(2)), rtl::kEndOfDayTime)); }
Variant StartOfADay(Args& a) { return Date(rtl::EncodeDate(a.Int(0), a.Int(1), a.Int(2))); }
Variant EndOfADay(Args& a) { return Date(rtl::SerialOf(rtl::EncodeDate(a.Int(0), a.Int(1), a.Int(2)), rtl::kEndOfDayTime)); }
Variant StartOfADay2(Args& a) { return Date(EncodeDateDay(a.Int(0), a.Int(1))); }
Variant EndOfADay2(Args& a) { return Date(rtl::SerialOf(EncodeDateDay(a.Int(0), a.Int(1)), rtl::kEndOfDayTime)); }

// Between two moments ---------------------------------------------------------------------

constexpr double kDayMs = rtl::kMsPerDay;

// Milliseconds between the two arguments, whichever comes first (both must be dates).
double SpanMs(Args& a) {
  return std::fabs(rtl::SerialToMs(Checked(a.Float(0))) - rtl::SerialToMs(Checked(a.Float(1))));
}

// Lengths of the units in milliseconds; years and months by their average lengths.
enum Unit { uYear, uMonth, uWeek, uDay, uHour, uMinute, uSecond, uMilliSecond };
constexpr double kUnitMs[] = {365.25 * kDayMs, 30.4375 * kDayMs, 7 * kDayMs, kDayMs, 3600000, 60000, 1000, 1};

template <Unit U>
std::int64_t WholeUnits(Args& a) {
  return rtl::TruncToInt64(SpanMs(a) / kUnitMs[U]);
}

template <Unit U>
Variant Between(Args& a) {
  return Variant(WholeUnits<U>(a));
}

// Days between the two arguments on the straight time line, not rounded to the
// millisecond: a span is a fraction of its unit, not a count.
double SpanDays(Args& a) {
  return std::fabs(rtl::SerialToLinear(Checked(a.Float(0))) - rtl::SerialToLinear(Checked(a.Float(1))));
}

// Units per day below a day, days per unit from a day up: one rounding each way, so
// that a span that is exact in days is exact in hours or milliseconds too.
constexpr double kUnitsPerDay[] = {0, 0, 0, 0, 24, 1440, 86400, kDayMs};
constexpr double kDaysPerUnit[] = {365.25, 30.4375, 7, 1};

template <Unit U>
Variant Span(Args& a) {
  if constexpr (U <= uDay)
    return Variant(SpanDays(a) / kDaysPerUnit[U]);
  else
    return Variant(SpanDays(a) * kUnitsPerDay[U]);
}

template <Unit U>
Variant WithinPast(Args& a) {
  return Variant(WholeUnits<U>(a) <= a.Int64(2));
}

// Increments --------------------------------------------------------------------------------

Variant IncYear(Args& a) { return Date(rtl::IncMonths(a.Float(0), a.Int64(1) * 12)); }

template <Unit U>
Variant Inc(Args& a) {
  return Date(rtl::AddMsToSerial(a.Float(0), static_cast<double>(a.Int64(1)) * kUnitMs[U]));
}

// Encoding and recoding -----------------------------------------------------------------------

// A value from all seven parts, or the error that names them.
double EncodeParts(const DateTimeParts& p) {
  double date, time;
  if (!rtl::TryEncodeDate(p.Year, p.Month, p.Day, date) ||
      !rtl::TryEncodeTime(p.Hour, p.Minute, p.Second, p.Millisecond, time)) {
    const rtl::FormatSettings& fs = rtl::CurrentFormatSettings();
    const std::string text = std::to_string(p.Year) + fs.DateSeparator + std::to_string(p.Month) + fs.DateSeparator +
                             std::to_string(p.Day) + ' ' + std::to_string(p.Hour) + fs.TimeSeparator +
                             std::to_string(p.Minute) + fs.TimeSeparator + std::to_string(p.Second) +
                             fs.DecimalSeparator + std::to_string(p.Millisecond);
    throw rtl::EConvertError(rtl::Format(msg::kInvalidDateTimeParts, {rtl::FormatArg::FromShort(text)}));
  }
  return rtl::ComposeDateTime(date, time);
}

Variant EncodeDateTime(Args& a) {
  return Date(EncodeParts({a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4), a.Int(5), a.Int(6)}));
}

Variant EncodeDateWeekFn(Args& a) { return Date(EncodeDateWeek(a.Int(0), a.Int(1), a.Int(2))); }
Variant EncodeDateDayFn(Args& a) { return Date(EncodeDateDay(a.Int(0), a.Int(1))); }

Variant EncodeDateMonthWeek(Args& a) {
  const int year = a.Int(0), month = a.Int(1), week = a.Int(2), day = a.Int(3);
  if (!ValidDateMonthWeek(year, month, week, day))
    throw rtl::EConvertError(rtl::Format(msg::kInvalidDateMonthWeek,
                                         {rtl::FormatArg::FromInt(year), rtl::FormatArg::FromInt(month),
                                          rtl::FormatArg::FromInt(week), rtl::FormatArg::FromInt(day)}));
  return Date(MonthWeekStart(year, month) + (week - 1) * 7 + (day - 1));
}

// The parts a Recode function replaces: Year ... MilliSecond.
enum Part { pYear, pMonth, pDay, pHour, pMinute, pSecond, pMilliSecond };

int& PartRef(DateTimeParts& p, int part) {
  int* parts[] = {&p.Year, &p.Month, &p.Day, &p.Hour, &p.Minute, &p.Second, &p.Millisecond};
  return *parts[part];
}

// Replaces Count parts from First on with the arguments after the value.
template <int First, int Count>
Variant Recode(Args& a) {
  DateTimeParts p = rtl::DecodeDateTime(a.Float(0));
  for (int i = 0; i < Count; ++i) PartRef(p, First + i) = a.Int(1 + i);
  return Date(EncodeParts(p));
}

Variant SameDateTime(Args& a) {
  const double v1 = Checked(a.Float(0)), v2 = Checked(a.Float(1));
  return Variant(rtl::DayNumberOfSerial(v1) == rtl::DayNumberOfSerial(v2) &&
                 rtl::MsOfDayOfSerial(v1) == rtl::MsOfDayOfSerial(v2));
}
Variant SameDate(Args& a) {
  return Variant(rtl::DayNumberOfSerial(Checked(a.Float(0))) == rtl::DayNumberOfSerial(Checked(a.Float(1))));
}
Variant SameTime(Args& a) {
  return Variant(rtl::MsOfDayOfSerial(Checked(a.Float(0))) == rtl::MsOfDayOfSerial(Checked(a.Float(1))));
}

Variant NthDayOfWeek(Args& a) { return Variant((rtl::DecodeDateTime(a.Float(0)).Day - 1) / 7 + 1); }

Variant EncodeDayOfWeekInMonth(Args& a) {
  const int year = a.Int(0), month = a.Int(1), nth = a.Int(2), day = a.Int(3);
  if (ValidMonth(year, month) && day >= 1 && day <= 7 && nth >= 1) {
    const double first = rtl::EncodeDate(year, month, 1);
    const int dayOfMonth = 1 + (day - IsoDayOfDay(first) + 7) % 7 + (nth - 1) * 7;
    if (dayOfMonth <= rtl::DaysInMonth(year, month)) return Date(first + dayOfMonth - 1);
  }
  throw rtl::EConvertError(rtl::Format(msg::kInvalidDayOfWeekInMonth,
                                       {rtl::FormatArg::FromInt(year), rtl::FormatArg::FromInt(month),
                                        rtl::FormatArg::FromInt(nth), rtl::FormatArg::FromInt(day)}));
}

// Julian dates and Unix time --------------------------------------------------------------------

constexpr double kModifiedJulianOffset = 2400000.5;

Variant DateTimeToJulianDate(Args& a) { return Variant(rtl::DateTimeToJulianDate(a.Float(0))); }
Variant JulianDateToDateTime(Args& a) { return Date(rtl::JulianDateToDateTime(a.Float(0))); }
Variant DateTimeToModifiedJulianDate(Args& a) {
  return Variant(rtl::DateTimeToJulianDate(a.Float(0)) - kModifiedJulianOffset);
}
Variant ModifiedJulianDateToDateTime(Args& a) {
  return Date(rtl::JulianDateToDateTime(a.Float(0) + kModifiedJulianOffset));
}

Variant DateTimeToUnix(Args& a) {
  return Variant(rtl::RoundToInt64((rtl::SerialToLinear(a.Float(0)) - rtl::kUnixEpochSerial) * 86400));
}

Variant UnixToDateTime(Args& a) {
  return Date(rtl::LinearToSerial(static_cast<double>(a.Int64(0)) / 86400 + rtl::kUnixEpochSerial));
}

Variant DateOf(Args& a) { return Date(rtl::DateOfSerial(Checked(a.Float(0)))); }
Variant TimeOf(Args& a) { return Date(rtl::TimeOfSerial(Checked(a.Float(0)))); }

// The table, in registration order -------------------------------------------------------------

constexpr std::int64_t kHour = 3600000, kMinute = 60000, kSecond = 1000;

const TfsLibraryEntry kDateUtils[] = {
    {"function DateOf(const AValue: TDateTime): TDateTime", &DateOf},
    {"function TimeOf(const AValue: TDateTime): TDateTime", &TimeOf},
    {"function IsInLeapYear(const AValue: TDateTime): Boolean", &IsInLeapYear},
    {"function IsPM(const AValue: TDateTime): Boolean", &IsPM},
    {"function IsValidDate(const AYear, AMonth, ADay: Word): Boolean", &IsValidDate},
    {"function IsValidTime(const AHour, AMinute, ASecond, AMilliSecond: Word): Boolean", &IsValidTime},
    {"function IsValidDateTime(const AYear, AMonth, ADay, AHour, AMinute, ASecond, AMilliSecond: Word): Boolean",
     &IsValidDateTime},
    {"function IsValidDateDay(const AYear, ADayOfYear: Word): Boolean", &IsValidDateDay},
    {"function IsValidDateWeek(const AYear, AWeekOfYear, {ISO 8601} ADayOfWeek: Word): Boolean", &IsValidDateWeek},
    {"function IsValidDateMonthWeek(const AYear, AMonth, AWeekOfMonth, {ISO 8601} ADayOfWeek: Word): Boolean",
     &IsValidDateMonthWeek},
    {"function WeeksInYear(const AValue: TDateTime): Word", &WeeksInYear},
    {"function WeeksInAYear(const AYear: Word): Word", &WeeksInAYear},
    {"function DaysInYear(const AValue: TDateTime): Word", &DaysInYear},
    {"function DaysInAYear(const AYear: Word): Word", &DaysInAYear},
    {"function DaysInMonth(const AValue: TDateTime): Word", &DaysInMonth},
    {"function DaysInAMonth(const AYear, AMonth: Word): Word", &DaysInAMonth},
    {"function Today: TDateTime", &TodayPlus<0>},
    {"function Yesterday: TDateTime", &TodayPlus<-1>},
    {"function Tomorrow: TDateTime", &TodayPlus<1>},
    {"function IsToday(const AValue: TDateTime): Boolean", &IsToday},
    {"function IsSameDay(const AValue, ABasis: TDateTime): Boolean", &IsSameDay},
    {"function YearOf(const AValue: TDateTime): Word", &YearOf},
    {"function MonthOf(const AValue: TDateTime): Word", &MonthOf},
    {"function WeekOf(const AValue: TDateTime): Word", &WeekOf},
    {"function DayOf(const AValue: TDateTime): Word", &DayWithin<Period::Month>},
    {"function HourOf(const AValue: TDateTime): Word", &ElapsedOf<Period::Day, kHour>},
    {"function MinuteOf(const AValue: TDateTime): Word", &ElapsedOf<Period::Hour, kMinute>},
    {"function SecondOf(const AValue: TDateTime): Word", &ElapsedOf<Period::Minute, kSecond>},
    {"function MilliSecondOf(const AValue: TDateTime): Word", &ElapsedOf<Period::Second, 1>},
    {"function StartOfTheYear(const AValue: TDateTime): TDateTime", &StartOfThe<Period::Year>},
    {"function EndOfTheYear(const AValue: TDateTime): TDateTime", &EndOfThe<Period::Year>},
    {"function StartOfAYear(const AYear: Word): TDateTime", &StartOfAYear},
    {"function EndOfAYear(const AYear: Word): TDateTime", &EndOfAYear},
    {"function StartOfTheMonth(const AValue: TDateTime): TDateTime", &StartOfThe<Period::Month>},
    {"function EndOfTheMonth(const AValue: TDateTime): TDateTime", &EndOfThe<Period::Month>},
    {"function StartOfAMonth(const AYear, AMonth: Word): TDateTime", &StartOfAMonth},
    {"function EndOfAMonth(const AYear, AMonth: Word): TDateTime", &EndOfAMonth},
    {"function StartOfTheWeek(const AValue: TDateTime): TDateTime", &StartOfThe<Period::Week>},
    {"function EndOfTheWeek(const AValue: TDateTime): TDateTime", &EndOfThe<Period::Week>},
    {"function StartOfAWeek(const AYear, AWeekOfYear: Word; {ISO 8601} const ADayOfWeek: Word = 1): TDateTime",
     &StartOfAWeek},
    {"function EndOfAWeek(const AYear, AWeekOfYear: Word; {ISO 8601} const ADayOfWeek: Word = 7): TDateTime",
     &EndOfAWeek},
    {"function StartOfTheDay(const AValue: TDateTime): TDateTime", &StartOfThe<Period::Day>},
    {"function EndOfTheDay(const AValue: TDateTime): TDateTime", &EndOfThe<Period::Day>},
    {"function StartOfADay(const AYear, AMonth, ADay: Word): TDateTime", &StartOfADay},
    {"function EndOfADay(const AYear, AMonth, ADay: Word): TDateTime", &EndOfADay},
    {"function StartOfADay2(const AYear, ADayOfYear: Word): TDateTime", &StartOfADay2},
    {"function EndOfADay2(const AYear, ADayOfYear: Word): TDateTime", &EndOfADay2},
    {"function MonthOfTheYear(const AValue: TDateTime): Word", &MonthOf},
    {"function WeekOfTheYear(const AValue: TDateTime): Word", &WeekOf},
    {"function DayOfTheYear(const AValue: TDateTime): Word", &DayWithin<Period::Year>},
    {"function HourOfTheYear(const AValue: TDateTime): Word", &ElapsedOf<Period::Year, kHour>},
    {"function MinuteOfTheYear(const AValue: TDateTime): LongWord", &ElapsedOf<Period::Year, kMinute>},
    {"function SecondOfTheYear(const AValue: TDateTime): LongWord", &ElapsedOf<Period::Year, kSecond>},
    {"function MilliSecondOfTheYear(const AValue: TDateTime): Int64", &ElapsedOf<Period::Year, 1>},
    {"function WeekOfTheMonth(const AValue: TDateTime): Word", &WeekOfTheMonth},
    {"function DayOfTheMonth(const AValue: TDateTime): Word", &DayWithin<Period::Month>},
    {"function HourOfTheMonth(const AValue: TDateTime): Word", &ElapsedOf<Period::Month, kHour>},
    {"function MinuteOfTheMonth(const AValue: TDateTime): Word", &ElapsedOf<Period::Month, kMinute>},
    {"function SecondOfTheMonth(const AValue: TDateTime): LongWord", &ElapsedOf<Period::Month, kSecond>},
    {"function MilliSecondOfTheMonth(const AValue: TDateTime): LongWord", &ElapsedOf<Period::Month, 1>},
    {"function DayOfTheWeek(const AValue: TDateTime): Word", &DayOfTheWeek},
    {"function HourOfTheWeek(const AValue: TDateTime): Word", &ElapsedOf<Period::Week, kHour>},
    {"function MinuteOfTheWeek(const AValue: TDateTime): Word", &ElapsedOf<Period::Week, kMinute>},
    {"function SecondOfTheWeek(const AValue: TDateTime): LongWord", &ElapsedOf<Period::Week, kSecond>},
    {"function MilliSecondOfTheWeek(const AValue: TDateTime): LongWord", &ElapsedOf<Period::Week, 1>},
    {"function HourOfTheDay(const AValue: TDateTime): Word", &ElapsedOf<Period::Day, kHour>},
    {"function MinuteOfTheDay(const AValue: TDateTime): Word", &ElapsedOf<Period::Day, kMinute>},
    {"function SecondOfTheDay(const AValue: TDateTime): LongWord", &ElapsedOf<Period::Day, kSecond>},
    {"function MilliSecondOfTheDay(const AValue: TDateTime): LongWord", &ElapsedOf<Period::Day, 1>},
    {"function MinuteOfTheHour(const AValue: TDateTime): Word", &ElapsedOf<Period::Hour, kMinute>},
    {"function SecondOfTheHour(const AValue: TDateTime): Word", &ElapsedOf<Period::Hour, kSecond>},
    {"function MilliSecondOfTheHour(const AValue: TDateTime): LongWord", &ElapsedOf<Period::Hour, 1>},
    {"function SecondOfTheMinute(const AValue: TDateTime): Word", &ElapsedOf<Period::Minute, kSecond>},
    {"function MilliSecondOfTheMinute(const AValue: TDateTime): LongWord", &ElapsedOf<Period::Minute, 1>},
    {"function MilliSecondOfTheSecond(const AValue: TDateTime): Word", &ElapsedOf<Period::Second, 1>},
    {"function WithinPastYears(const ANow, AThen: TDateTime; const AYears: Integer): Boolean", &WithinPast<uYear>},
    {"function WithinPastMonths(const ANow, AThen: TDateTime; const AMonths: Integer): Boolean", &WithinPast<uMonth>},
    {"function WithinPastWeeks(const ANow, AThen: TDateTime; const AWeeks: Integer): Boolean", &WithinPast<uWeek>},
    {"function WithinPastDays(const ANow, AThen: TDateTime; const ADays: Integer): Boolean", &WithinPast<uDay>},
    {"function WithinPastHours(const ANow, AThen: TDateTime; const AHours: Int64): Boolean", &WithinPast<uHour>},
    {"function WithinPastMinutes(const ANow, AThen: TDateTime; const AMinutes: Int64): Boolean", &WithinPast<uMinute>},
    {"function WithinPastSeconds(const ANow, AThen: TDateTime; const ASeconds: Int64): Boolean", &WithinPast<uSecond>},
    {"function WithinPastMilliSeconds(const ANow, AThen: TDateTime; const AMilliSeconds: Int64): Boolean",
     &WithinPast<uMilliSecond>},
    {"function YearsBetween(const ANow, AThen: TDateTime): Integer", &Between<uYear>},
    {"function MonthsBetween(const ANow, AThen: TDateTime): Integer", &Between<uMonth>},
    {"function WeeksBetween(const ANow, AThen: TDateTime): Integer", &Between<uWeek>},
    {"function DaysBetween(const ANow, AThen: TDateTime): Integer", &Between<uDay>},
    {"function HoursBetween(const ANow, AThen: TDateTime): Int64", &Between<uHour>},
    {"function MinutesBetween(const ANow, AThen: TDateTime): Int64", &Between<uMinute>},
    {"function SecondsBetween(const ANow, AThen: TDateTime): Int64", &Between<uSecond>},
    {"function MilliSecondsBetween(const ANow, AThen: TDateTime): Int64", &Between<uMilliSecond>},
    {"function YearSpan(const ANow, AThen: TDateTime): Double", &Span<uYear>},
    {"function MonthSpan(const ANow, AThen: TDateTime): Double", &Span<uMonth>},
    {"function WeekSpan(const ANow, AThen: TDateTime): Double", &Span<uWeek>},
    {"function DaySpan(const ANow, AThen: TDateTime): Double", &Span<uDay>},
    {"function HourSpan(const ANow, AThen: TDateTime): Double", &Span<uHour>},
    {"function MinuteSpan(const ANow, AThen: TDateTime): Double", &Span<uMinute>},
    {"function SecondSpan(const ANow, AThen: TDateTime): Double", &Span<uSecond>},
    {"function MilliSecondSpan(const ANow, AThen: TDateTime): Double", &Span<uMilliSecond>},
    {"function IncYear(const AValue: TDateTime; const ANumberOfYears: Integer = 1): TDateTime", &IncYear},
    {"function IncWeek(const AValue: TDateTime; const ANumberOfWeeks: Integer = 1): TDateTime", &Inc<uWeek>},
    {"function IncDay(const AValue: TDateTime; const ANumberOfDays: Integer = 1): TDateTime", &Inc<uDay>},
    {"function IncHour(const AValue: TDateTime; const ANumberOfHours: Int64 = 1): TDateTime", &Inc<uHour>},
    {"function IncMinute(const AValue: TDateTime; const ANumberOfMinutes: Int64 = 1): TDateTime", &Inc<uMinute>},
    {"function IncSecond(const AValue: TDateTime; const ANumberOfSeconds: Int64 = 1): TDateTime", &Inc<uSecond>},
    {"function IncMilliSecond(const AValue: TDateTime; const ANumberOfMilliSeconds: Int64 = 1): TDateTime",
     &Inc<uMilliSecond>},
    {"function EncodeDateTime(const AYear, AMonth, ADay, AHour, AMinute, ASecond, AMilliSecond: Word): TDateTime",
     &EncodeDateTime},
    {"function EncodeDateWeek(const AYear, AWeekOfYear: Word; {ISO 8601} const ADayOfWeek: Word = 1): TDateTime",
     &EncodeDateWeekFn},
    {"function EncodeDateDay(const AYear, ADayOfYear: Word): TDateTime", &EncodeDateDayFn},
    {"function EncodeDateMonthWeek(const AYear, AMonth, AWeekOfMonth, {ISO 8601} ADayOfWeek: Word): TDateTime",
     &EncodeDateMonthWeek},
    {"function RecodeYear(const AValue: TDateTime; const AYear: Word): TDateTime", &Recode<pYear, 1>},
    {"function RecodeMonth(const AValue: TDateTime; const AMonth: Word): TDateTime", &Recode<pMonth, 1>},
    {"function RecodeDay(const AValue: TDateTime; const ADay: Word): TDateTime", &Recode<pDay, 1>},
    {"function RecodeHour(const AValue: TDateTime; const AHour: Word): TDateTime", &Recode<pHour, 1>},
    {"function RecodeMinute(const AValue: TDateTime; const AMinute: Word): TDateTime", &Recode<pMinute, 1>},
    {"function RecodeSecond(const AValue: TDateTime; const ASecond: Word): TDateTime", &Recode<pSecond, 1>},
    {"function RecodeMilliSecond(const AValue: TDateTime; const AMilliSecond: Word): TDateTime",
     &Recode<pMilliSecond, 1>},
    {"function RecodeDate(const AValue: TDateTime; const AYear, AMonth, ADay: Word): TDateTime", &Recode<pYear, 3>},
    {"function RecodeTime(const AValue: TDateTime; const AHour, AMinute, ASecond, AMilliSecond: Word): TDateTime",
     &Recode<pHour, 4>},
    {"function RecodeDateTime(const AValue: TDateTime; const AYear, AMonth, ADay, AHour, AMinute, ASecond, "
     "AMilliSecond: Word): TDateTime",
     &Recode<pYear, 7>},
    {"function SameDateTime(const A, B: TDateTime): Boolean", &SameDateTime},
    {"function SameDate(const A, B: TDateTime): Boolean", &SameDate},
    {"function SameTime(const A, B: TDateTime): Boolean", &SameTime},
    {"function NthDayOfWeek(const AValue: TDateTime): Word", &NthDayOfWeek},
    {"function EncodeDayOfWeekInMonth(const AYear, AMonth, ANthDayOfWeek, ADayOfWeek: Word): TDateTime",
     &EncodeDayOfWeekInMonth},
    {"function DateTimeToJulianDate(const AValue: TDateTime): Double", &DateTimeToJulianDate},
    {"function JulianDateToDateTime(const AValue: Double): TDateTime", &JulianDateToDateTime},
    {"function DateTimeToModifiedJulianDate(const AValue: TDateTime): Double", &DateTimeToModifiedJulianDate},
    {"function ModifiedJulianDateToDateTime(const AValue: Double): TDateTime", &ModifiedJulianDateToDateTime},
    {"function DateTimeToUnix(const AValue: TDateTime): Int64", &DateTimeToUnix},
    {"function UnixToDateTime(const AValue: Int64): TDateTime", &UnixToDateTime},
};

const TfsRTTIModuleClass kDateUtilsClass{"fs_DateUtils", moDateUtils, &NewRTTIModule<TfsDateUtils>};
TfsRuntimeModuleRegistration gDateUtilsRegistration(kDateUtilsClass);

}  // namespace

TfsDateUtils::TfsDateUtils(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry registry(script);
  RegisterLibrary(registry, Category, kDateUtils);
}

}  // namespace fs
