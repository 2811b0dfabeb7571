#include "runtime/fsDateTimeRoutines.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "rtl/CodePage.h"
#include "rtl/CurrentTime.h"
#include "rtl/DateCalendar.h"
#include "rtl/DateTextReader.h"
#include "rtl/DateUtils.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatDateTime.h"
#include "rtl/FormatSettings.h"
#include "rtl/Rounding.h"
#include "rtl/StringRoutines.h"
#include "rtl/TextConversions.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsLibraryBinding.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::AnsiString;
using rtl::DateTimeParts;
using rtl::Variant;
using Args = TfsLibraryArgs;

Variant Date(double v) { return Variant::FromDate(v); }
Variant Text(const std::string& s) { return Variant(AnsiString(s)); }
const rtl::FormatSettings& Locale() { return rtl::CurrentFormatSettings(); }

DateTimeParts Parts(double v) { return rtl::DecodeDateTime(v); }
// The day of a value (midnight), as decoding rounds it.
double DayOf(double v) {
  const DateTimeParts p = Parts(v);
  return rtl::EncodeDate(p.Year, p.Month, p.Day);
}
// 1 = Sunday ... 7 = Saturday.
int Dow(double v) { return rtl::DayOfWeek(v); }
// The moved value, keeping the time of day.
double AddDays(double v, double days) { return rtl::AddDaysToSerial(v, days); }

// At least width digits, with leading zeros.
std::string Padded(std::uint64_t v, int width) {
  std::string s = std::to_string(v);
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
  return s;
}

[[noreturn]] void Raise(const char* message) { throw rtl::EConvertError(message); }

int CheckedDow(int dow) {
  if (dow < 1 || dow > 7) Raise(msg::kInvalidDayOfWeek);
  return dow;
}

// Today and the current moment ----------------------------------------------------------------

template <int Offset>
Variant TodayPlus(Args&) {
  return Date(rtl::Date() + Offset);
}

// Encoding --------------------------------------------------------------------------------------

Variant EncodeDate(Args& a) { return Date(rtl::EncodeDate(a.Int(0), a.Int(1), a.Int(2))); }
Variant EncodeTime(Args& a) { return Date(rtl::EncodeTime(a.Int(0), a.Int(1), a.Int(2), a.Int(3))); }

// Parts of a date value, of the current moment -----------------------------------------------

enum Field { fYear, fMonth, fDay, fHour, fMinute, fSecond, fMilliSecond };

int FieldOf(const DateTimeParts& p, Field f) {
  switch (f) {
    case fYear: return p.Year;
    case fMonth: return p.Month;
    case fDay: return p.Day;
    case fHour: return p.Hour;
    case fMinute: return p.Minute;
    case fSecond: return p.Second;
    default: return p.Millisecond;
  }
}

template <Field F>
Variant PartOf(Args& a) {
  return Variant(FieldOf(Parts(a.Float(0)), F));
}

template <Field F>
Variant PartNow(Args&) {
  return Variant(FieldOf(Parts(rtl::Now()), F));
}

// Texts of dates -----------------------------------------------------------------------------

Variant Date2Str(Args& a) { return Text(rtl::DateToStr(a.Float(0))); }

std::string TimeText(double v) { return rtl::FormatDateTime("h:nn", v); }

Variant Time2Str(Args& a) { return Text(TimeText(a.Float(0))); }
Variant DateTime2Str(Args& a) {
  const double v = a.Float(0);
  return Text(rtl::DateToStr(v) + " " + TimeText(v));
}

// A picture applied to a date; Date2DigitStr and friends use fixed pictures.
template <const char* Picture>
Variant Pictured(Args& a) {
  return Text(rtl::FormatDateTime(Picture, a.Float(0)));
}

constexpr char kDigitPicture[] = "yyyymmdd";
constexpr char kShortMonthYY[] = "mmm yy";
constexpr char kShortMonthYYYY[] = "mmm yyyy";
constexpr char kIsoEnhPicture[] = "yyyy-mm-dd";
constexpr char kStampPicture[] = "yyyymmdd-hhnnsszzz";

Variant FormatStr(Args& a) { return Text(rtl::FormatDateTime(a.Str(1).view(), a.Float(0))); }

Variant Date2LongMonth(Args& a) { return Text(Locale().LongMonthNames[Parts(a.Float(0)).Month - 1]); }
Variant Date2ShortMonth(Args& a) { return Text(Locale().ShortMonthNames[Parts(a.Float(0)).Month - 1]); }
Variant Date2LongDOW(Args& a) { return Text(Locale().LongDayNames[Dow(a.Float(0)) - 1]); }
Variant Date2ShortDOW(Args& a) { return Text(Locale().ShortDayNames[Dow(a.Float(0)) - 1]); }

Variant Date2YearMonth(Args& a) {
  const DateTimeParts p = Parts(a.Float(0));
  return Variant(static_cast<std::int64_t>(p.Year) * 100 + p.Month);
}

// Hours and minutes (or minutes and seconds) of a count of minutes (seconds), rounded to
// the whole unit, joined by the separator.
std::string Clock(double count, char separator, bool withSeconds) {
  const std::int64_t total = rtl::RoundToInt64(count);
  const std::uint64_t n = total < 0 ? 0 - static_cast<std::uint64_t>(total) : static_cast<std::uint64_t>(total);
  std::string s = total < 0 ? "-" : "";
  if (withSeconds)
    s += Padded(n / 3600, 2) + separator + Padded(n / 60 % 60, 2) + separator + Padded(n % 60, 2);
  else
    s += Padded(n / 60, 2) + separator + Padded(n % 60, 2);
  return s;
}

Variant Minutes2HHMM(Args& a) { return Text(Clock(a.Float(0), a.Char(1) ? a.Char(1) : ':', false)); }
Variant Seconds2HHMMSS(Args& a) { return Text(Clock(a.Float(0), a.Char(1) ? a.Char(1) : ':', true)); }

Variant MS2TimeStr(Args& a) {
  const std::int64_t ms = a.Int64(0);
  const std::uint64_t n = ms < 0 ? 0 - static_cast<std::uint64_t>(ms) : static_cast<std::uint64_t>(ms);
  const rtl::FormatSettings& fs = Locale();
  std::string s = ms < 0 ? "-" : "";
  s += std::to_string(n / 3600000);
  if (fs.TimeSeparator) s += fs.TimeSeparator;
  s += Padded(n / 60000 % 60, 2);
  if (fs.TimeSeparator) s += fs.TimeSeparator;
  s += Padded(n / 1000 % 60, 2);
  s += fs.DecimalSeparator;
  s += Padded(n % 1000, 3);
  return Text(s);
}

Variant GetDateTimeStamp(Args&) { return Text(rtl::FormatDateTime(kStampPicture, rtl::Now())); }

// Texts read into dates -------------------------------------------------------------------------

[[noreturn]] void InvalidDate(const AnsiString& text) {
  throw rtl::EConvertError(std::string(msg::kInvalidDate) + msg::kTextSeparator + text.str());
}

// Str2Date and its relatives: the text read in the given order; empty gives fallback
// (0 unless a default is given), unreadable raises or gives the default.
double ReadDate(const AnsiString& text, const std::string& order, const rtl::DateReadOptions& options,
                const Variant* fallback = nullptr) {
  double date = 0;
  switch (rtl::ReadDateText(text.view(), order, options, rtl::Date(), date)) {
    case rtl::DateReadResult::Date: return date;
    case rtl::DateReadResult::NoDate: return fallback ? rtl::VarToDouble(*fallback) : 0;
    case rtl::DateReadResult::Unreadable: break;
  }
  if (fallback) return rtl::VarToDouble(*fallback);
  InvalidDate(text);
}

std::string LocaleOrder() { return rtl::DatePictureOrder(Locale().ShortDateFormat); }

rtl::DateReadOptions CutOffRule(int cutOff = TfsDateTimeRoutines::CutOffYear) {
  rtl::DateReadOptions o;
  o.Rule = rtl::TwoDigitYearRule::CutOff;
  o.CutOffYear = cutOff;
  return o;
}

Variant Str2Date(Args& a) {
  rtl::DateReadOptions o = CutOffRule();
  o.ImplyHistoric = a.Bool(1);
  return Date(ReadDate(a.Str(0), LocaleOrder(), o));
}

Variant Str2Date2(Args& a) {
  rtl::DateReadOptions o = CutOffRule();
  o.StartYear = a.Int(1);
  o.StartMonth = a.Int(2);
  if (o.StartMonth < 1 || o.StartMonth > 12) Raise(msg::kInvalidMonth);
  return Date(ReadDate(a.Str(0), LocaleOrder(), o));
}

Variant Str2DateDef(Args& a) { return Date(ReadDate(a.Str(0), LocaleOrder(), CutOffRule(), &a.Value(1))); }

Variant Str2HistoricDate(Args& a) {
  rtl::DateReadOptions o;
  o.Rule = rtl::TwoDigitYearRule::Historic;
  return Date(ReadDate(a.Str(0), LocaleOrder(), o));
}

Variant Str2CutOffDate(Args& a) { return Date(ReadDate(a.Str(0), LocaleOrder(), CutOffRule(a.Int(1)))); }

// StrFormat2Date reads the parts in the order of the given picture ("DD/MM/YYYY",
// "yyyy-mm-dd", ...).
Variant StrFormat2Date(Args& a) {
  return Date(ReadDate(a.Str(0), rtl::DatePictureOrder(a.Str(1).view()), CutOffRule()));
}

Variant StrFormat2DateDef(Args& a) {
  return Date(ReadDate(a.Str(0), rtl::DatePictureOrder(a.Str(1).view()), CutOffRule(), &a.Value(2)));
}

// The eight digits of Date2DigitStr ("YYYYMMDD") back to a date; an empty text is 0.
Variant DigitStr2Date(Args& a) {
  const AnsiString text = a.Str(0);
  const std::string s = rtl::Trim(text).str();
  if (s.empty()) return Date(0);
  double date;
  bool digits = s.size() == 8;
  for (char c : s) digits = digits && c >= '0' && c <= '9';
  if (!digits || !rtl::TryEncodeDate(std::atoi(s.substr(0, 4).c_str()), std::atoi(s.substr(4, 2).c_str()),
                                     std::atoi(s.substr(6, 2).c_str()), date))
    InvalidDate(text);
  return Date(date);
}

// Times: the locale's forms ("13:05", "1:05:09 PM", ...); an empty text is midnight.
double ReadTime(const AnsiString& text, const Variant* fallback) {
  const std::string s = rtl::Trim(text).str();
  if (s.empty()) return fallback ? rtl::VarToDouble(*fallback) : 0;
  double time;
  if (rtl::TryStrToTime(s, time)) return time;
  if (fallback) return rtl::VarToDouble(*fallback);
  Raise(msg::kInvalidTime);
}

Variant Str2Time(Args& a) { return Date(ReadTime(a.Str(0), nullptr)); }
Variant Str2TimeDef(Args& a) { return Date(ReadTime(a.Str(0), &a.Value(1))); }

// Names of months and days ----------------------------------------------------------------------

// The 1-based position of text among the names (ignoring case and surrounding blanks);
// 0 when it is none of them.
template <std::size_t N>
int NameIndex(const AnsiString& text, const std::array<std::string, N>& names) {
  const AnsiString s = rtl::AnsiUpperCase(rtl::Trim(text));
  if (s.IsEmpty()) return 0;
  for (std::size_t i = 0; i < N; ++i)
    if (rtl::AnsiUpperCase(names[i]) == s) return static_cast<int>(i) + 1;
  return 0;
}

int MonthIndex(const AnsiString& text) {
  const int m = NameIndex(text, Locale().LongMonthNames);
  return m ? m : NameIndex(text, Locale().ShortMonthNames);
}

int DayIndex(const AnsiString& text) {
  const int d = NameIndex(text, Locale().LongDayNames);
  return d ? d : NameIndex(text, Locale().ShortDayNames);
}

Variant MonthName2Month(Args& a) {
  const int m = MonthIndex(a.Str(0));
  if (!m) Raise(msg::kInvalidMonth);
  return Variant(m);
}

Variant DayName2DOW(Args& a) {
  const int d = DayIndex(a.Str(0));
  if (!d) Raise(msg::kInvalidDayOfWeek);
  return Variant(d);
}

Variant IsValidShortMonth(Args& a) { return Variant(NameIndex(a.Str(0), Locale().ShortMonthNames) != 0); }
Variant IsValidLongMonth(Args& a) { return Variant(NameIndex(a.Str(0), Locale().LongMonthNames) != 0); }
Variant IsValidShortDOW(Args& a) { return Variant(NameIndex(a.Str(0), Locale().ShortDayNames) != 0); }
Variant IsValidLongDOW(Args& a) { return Variant(NameIndex(a.Str(0), Locale().LongDayNames) != 0); }

Variant ThisDOW(Args&) { return Variant(Dow(rtl::Now())); }

// Units of time -------------------------------------------------------------------------------

// value * Mul / Div: one conversion between units of time.
struct Ratio {
  double Mul, Div;
};

constexpr double kSynodicMonth = 29.530590277777777779;
constexpr double kTropicalYear = 365.242191;
constexpr double kGregorianYear = 365.2425;
constexpr double kJulianYear = 365.25;
constexpr double kSiderealDayHours = 23.934469638888888888;
constexpr double kSiderealMonth = 27.321666666666666665;

enum Conversion {
  cDays2Hrs, cHrs2Days, cMins2Hrs, cHrs2Mins, cMins2Secs, cSecs2Mins, cDays2Secs, cSecs2Days, cSecs2Hrs, cHrs2Secs,
  cDays2Mins, cMins2Days, cDays2Weeks, cWeeks2Days, cDays2Fortnights, cFortnights2Days, cDays2Months, cMonths2Days,
  cDays2Years, cYears2Days, cDays2YearsGregorian, cYearsGregorian2Days, cDays2YearsJulian, cYearsJulian2Days,
  cDays2SiderealDays, cSiderealDays2Days, cDays2SiderealMonths, cSiderealMonths2Days, cDays2Days,
};

constexpr Ratio kConversions[] = {
    {24, 1},  {1, 24},   {1, 60},  {60, 1},    {60, 1}, {1, 60},   {86400, 1},         {1, 86400},
    {1, 3600}, {3600, 1}, {1440, 1}, {1, 1440}, {1, 7},  {7, 1},    {1, 14},            {14, 1},
    {1, kSynodicMonth},  {kSynodicMonth, 1},  {1, kTropicalYear}, {kTropicalYear, 1},
    {1, kGregorianYear}, {kGregorianYear, 1}, {1, kJulianYear},   {kJulianYear, 1},
    {24, kSiderealDayHours}, {kSiderealDayHours, 24}, {1, kSiderealMonth}, {kSiderealMonth, 1}, {1, 1},
};

template <Conversion C>
Variant Convert(Args& a) {
  return Variant(a.Float(0) * kConversions[C].Mul / kConversions[C].Div);
}

// Years ------------------------------------------------------------------------------------------

// The routines of a year come in three forms: the year as Word, as Integer, and the
// year of a date.
template <Variant (*F)(int year)>
Variant OfYear(Args& a) {
  return F(a.Int(0));
}

template <Variant (*F)(int year)>
Variant OfYearOfDate(Args& a) {
  return F(Parts(a.Float(0)).Year);
}

Variant LeapYear(int y) { return Variant(rtl::IsLeapYear(y)); }
Variant GoldenNumber(int y) { return Variant(rtl::GoldenNumber(y)); }
Variant Epact(int y) { return Variant(rtl::Epact(y)); }
Variant EasterSunday(int y) { return Date(rtl::EasterSunday(y)); }
Variant GoodFriday(int y) { return Date(rtl::EasterSunday(y) - 2); }
Variant ChristmasDay(int y) { return Date(rtl::EncodeDate(y, 12, 25)); }
Variant FirstDayOfYear(int y) { return Date(rtl::EncodeDate(y, 1, 1)); }
Variant LastDayOfYear(int y) { return Date(rtl::EncodeDate(y, 12, 31)); }

double FirstWeekdayOfYear(int y, int dow) {
  const double jan1 = rtl::EncodeDate(y, 1, 1);
  return jan1 + (dow - Dow(jan1) + 7) % 7;
}

Variant FirstSundayOfYear(int y) { return Date(FirstWeekdayOfYear(y, 1)); }
Variant FirstMondayOfYear(int y) { return Date(FirstWeekdayOfYear(y, 2)); }
Variant DaysInYear(int y) { return Variant(rtl::DaysInYear(y)); }
Variant IsoWeeksInYear(int y) { return Variant(rtl::IsoWeeksInYear(y)); }

// Months -----------------------------------------------------------------------------------------

void CheckMonth(int year, int month) {
  if (month < 1 || month > 12) rtl::EncodeDate(year, month, 1);  // raises the encode error
}

// The routines of a month come as (date), (Month, Year: Word) and (Month, Year: Integer).
template <Variant (*F)(int year, int month)>
Variant OfMonthYear(Args& a) {
  const int month = a.Int(0), year = a.Int(1);
  CheckMonth(year, month);
  return F(year, month);
}

template <Variant (*F)(int year, int month)>
Variant OfMonthOfDate(Args& a) {
  const DateTimeParts p = Parts(a.Float(0));
  return F(p.Year, p.Month);
}

Variant MonthDays(int y, int m) { return Variant(rtl::DaysInMonth(y, m)); }
Variant FirstDayOfMonth(int y, int m) { return Date(rtl::EncodeDate(y, m, 1)); }
Variant LastDayOfMonth(int y, int m) { return Date(rtl::EncodeDate(y, m, rtl::DaysInMonth(y, m))); }

Variant DaysInThisMonth(Args&) {
  const DateTimeParts p = Parts(rtl::Now());
  return Variant(rtl::DaysInMonth(p.Year, p.Month));
}

int DaysLeftInMonthOf(double v) {
  const DateTimeParts p = Parts(v);
  return rtl::DaysInMonth(p.Year, p.Month) - p.Day;
}

Variant DaysLeftInMonth(Args& a) { return Variant(DaysLeftInMonthOf(a.Float(0))); }
Variant DaysLeftInThisMonth(Args&) { return Variant(DaysLeftInMonthOf(rtl::Now())); }

Variant DayOfYear(Args& a) { return Variant(rtl::DayOfTheYear(a.Float(0))); }
Variant ThisDayOfYear(Args&) { return Variant(rtl::DayOfTheYear(rtl::Now())); }

int DaysLeftInYearOf(double v) { return rtl::DaysInYear(Parts(v).Year) - rtl::DayOfTheYear(v); }
Variant DaysLeftInYear(Args& a) { return Variant(DaysLeftInYearOf(a.Float(0))); }
Variant DaysLeftInThisYear(Args&) { return Variant(DaysLeftInYearOf(rtl::Now())); }

// Quarters and semesters -------------------------------------------------------------------------

Variant WhichSemester(Args& a) { return Variant(Parts(a.Float(0)).Month <= 6 ? 1 : 2); }
Variant WhichQuarter(Args& a) { return Variant((Parts(a.Float(0)).Month - 1) / 3 + 1); }

template <bool Last>
Variant QuarterDay(int year, int quarter) {
  if (quarter < 1 || quarter > 4) rtl::EncodeDate(year, 0, 1);  // raises the encode error
  if (!Last) return Date(rtl::EncodeDate(year, quarter * 3 - 2, 1));
  return Date(rtl::EncodeDate(year, quarter * 3, rtl::DaysInMonth(year, quarter * 3)));
}

template <bool Last>
Variant QuarterOfDate(Args& a) {
  const DateTimeParts p = Parts(a.Float(0));
  return QuarterDay<Last>(p.Year, (p.Month - 1) / 3 + 1);
}

// (Qtr, Year)
template <bool Last>
Variant QuarterOfYear(Args& a) {
  const int quarter = a.Int(0);
  return QuarterDay<Last>(a.Int(1), quarter);
}

// Adding and subtracting ------------------------------------------------------------------------

// Amounts of exact durations: days per unit as Mul / Div.
enum AddUnit { aSecs, aMins, aHrs, aDays, aWeeks, aFortnights, aYrs };
constexpr Ratio kAddUnits[] = {{1, 86400}, {1, 1440}, {1, 24}, {1, 1}, {7, 1}, {14, 1}, {kJulianYear, 1}};

template <AddUnit U, int Sign>
Variant AddDuration(Args& a) {
  return Date(AddDays(a.Float(0), Sign * a.Float(1) * kAddUnits[U].Mul / kAddUnits[U].Div));
}

// More months or years than the date range holds: the encode error.
double WholeAmount(double amount, double limit) {
  const double whole = std::trunc(amount);
  if (!(std::fabs(whole) <= limit)) rtl::EncodeDate(0, 1, 1);  // raises the encode error
  return whole;
}

// Whole months by the calendar, then the fraction as 30 days a month.
double AddMonthsTo(double v, double months) {
  const double whole = WholeAmount(months, 12 * 10000);
  const double moved = rtl::IncMonths(v, static_cast<std::int64_t>(whole));
  return AddDays(moved, (months - whole) * 30);
}

// Whole years by the calendar, then the fraction as Julian years.
double AddYearsTo(double v, double years) {
  const double whole = WholeAmount(years, 10000);
  const double moved = rtl::IncMonths(v, static_cast<std::int64_t>(whole) * 12);
  return AddDays(moved, (years - whole) * kJulianYear);
}

// Months of fractional amounts: AddMonths (1), AddQuarters (3), AddSemesters (6).
template <int MonthsPer, int Sign>
Variant AddMonthsFn(Args& a) {
  return Date(AddMonthsTo(a.Float(0), Sign * a.Float(1) * MonthsPer));
}

template <int Sign>
Variant AddYearsFn(Args& a) {
  return Date(AddYearsTo(a.Float(0), Sign * a.Float(1)));
}

template <int MonthsPer, int Sign>
Variant AddCalendar(Args& a) {
  return Date(rtl::IncMonths(a.Float(0), Sign * a.Int64(1) * MonthsPer));
}

Variant AdjustDateYear(Args& a) {
  const double v = a.Float(0);
  const int year = a.Int(1);
  const DateTimeParts p = Parts(v);
  const int day = p.Day <= rtl::DaysInMonth(year, p.Month) ? p.Day : rtl::DaysInMonth(year, p.Month);
  return Date(rtl::SerialOf(rtl::EncodeDate(year, p.Month, day), rtl::TimeOfSerial(v)));
}

// Weeks that start on Sunday ----------------------------------------------------------------------

// The Sunday that starts the week of a day, keeping the time of day.
double StartOfWeekOf(double v) { return AddDays(v, -(Dow(v) - 1)); }

Variant StartOfWeek(Args& a) { return Date(StartOfWeekOf(a.Float(0))); }
Variant EndOfWeek(Args& a) { return Date(AddDays(a.Float(0), 7 - Dow(a.Float(0)))); }

// Week 1 holds 1 January; week n starts n - 1 weeks after the Sunday that starts week 1.
double WeekNoStart(int year, int week) { return DayOf(StartOfWeekOf(rtl::EncodeDate(year, 1, 1))) + (week - 1) * 7; }

struct WeekNo {
  int Year, Week;
};

WeekNo WeekNoOf(double v) {
  const double day = DayOf(v);
  const int year = Parts(day).Year;
  const double second = WeekNoStart(year, 2);
  if (day < second) return {year, 1};
  return {year, 2 + static_cast<int>((DayOf(StartOfWeekOf(day)) - second) / 7)};
}

int WeeksInWeekNoYear(int year) { return WeekNoOf(rtl::EncodeDate(year, 12, 31)).Week; }

double WeekNoDay(int year, int week, int dow) {
  CheckedDow(dow);
  if (year < 1 || year > 9999 || week < 1 || week > WeeksInWeekNoYear(year)) Raise(msg::kInvalidDate);
  return WeekNoStart(year, week) + dow - 1;
}

Variant Date2WeekNo(Args& a) { return Variant(WeekNoOf(a.Float(0)).Week); }
Variant ThisWeekNo(Args&) { return Variant(WeekNoOf(rtl::Now()).Week); }

Variant DatesInSameWeekNo(Args& a) {
  const WeekNo w1 = WeekNoOf(a.Float(0)), w2 = WeekNoOf(a.Float(1));
  return Variant(w1.Year == w2.Year && w1.Week == w2.Week);
}

Variant WeekNosApart(Args& a) {
  const WeekNo w1 = WeekNoOf(a.Float(0)), w2 = WeekNoOf(a.Float(1));
  return Variant(static_cast<std::int64_t>(WeekNoStart(w2.Year, w2.Week) - WeekNoStart(w1.Year, w1.Week)) / 7);
}

// (WeekNo, Year)
template <int Dow>
Variant WeekNoBound(Args& a) {
  const int week = a.Int(0);
  return Date(WeekNoDay(a.Int(1), week, Dow));
}

// (DOW, WeekNo, Year)
Variant DWY2Date(Args& a) {
  const int dow = a.Int(0), week = a.Int(1);
  return Date(WeekNoDay(a.Int(2), week, dow));
}

// ISO 8601 weeks -------------------------------------------------------------------------------------

int IsoDow(double v) { return rtl::IsoDayOfWeek(v); }

Variant ISODayOfWeek(Args& a) { return Variant(IsoDow(a.Float(0))); }
Variant ThisISODOW(Args&) { return Variant(IsoDow(rtl::Now())); }
Variant ISODOW2DOW(Args& a) { return Variant(CheckedDow(a.Int(0)) % 7 + 1); }
Variant DOW2ISODOW(Args& a) { return Variant((CheckedDow(a.Int(0)) + 5) % 7 + 1); }

double StartOfIsoWeekOf(double v) { return AddDays(v, -(IsoDow(v) - 1)); }
Variant StartOfISOWeek(Args& a) { return Date(StartOfIsoWeekOf(a.Float(0))); }
Variant EndOfISOWeek(Args& a) { return Date(AddDays(a.Float(0), 7 - IsoDow(a.Float(0)))); }

double IsoWeekDay(int year, int week, int dow) {
  CheckedDow(dow);
  double d;
  if (!rtl::TryEncodeIsoWeek(year, week, dow, d)) Raise(msg::kInvalidDate);
  return d;
}

// (WeekNo, Year)
template <int Dow>
Variant IsoWeekBound(Args& a) {
  const int week = a.Int(0);
  return Date(IsoWeekDay(a.Int(1), week, Dow));
}

// (Year, WeekNo, DOW)
Variant ISOYWD2Date(Args& a) {
  const int year = a.Int(0), week = a.Int(1);
  return Date(IsoWeekDay(year, week, a.Int(2)));
}

// ISO week texts: year, "W", week and weekday, with "-" between them in the Enh forms.
template <bool Enhanced, bool WithDay>
Variant IsoWeekStr(Args& a) {
  const rtl::IsoWeekDate w = rtl::DecodeIsoWeek(a.Float(0));
  std::string s = Padded(w.Year, 4) + (Enhanced ? "-W" : "W") + Padded(w.Week, 2);
  if (WithDay) s += (Enhanced ? "-" : "") + std::to_string(w.Day);
  return Text(s);
}

Variant Date2ISOInt(Args& a) {
  const DateTimeParts p = Parts(a.Float(0));
  return Variant(static_cast<std::int64_t>(p.Year) * 10000 + p.Month * 100 + p.Day);
}

Variant DatesInSameISOWeekNo(Args& a) {
  const rtl::IsoWeekDate w1 = rtl::DecodeIsoWeek(a.Float(0)), w2 = rtl::DecodeIsoWeek(a.Float(1));
  return Variant(w1.Year == w2.Year && w1.Week == w2.Week);
}

// Weeks between the ISO weeks of the two dates.
Variant ISOWeeksApart(Args& a) {
  const double m1 = DayOf(StartOfIsoWeekOf(a.Float(0))), m2 = DayOf(StartOfIsoWeekOf(a.Float(1)));
  return Variant(static_cast<std::int64_t>(m2 - m1) / 7);
}

// Between two dates -----------------------------------------------------------------------------

// Days between the two arguments, whichever comes first (both must be dates).
double SpanDays(Args& a) {
  const double v1 = a.Float(0), v2 = a.Float(1);
  Parts(v1);
  Parts(v2);
  return std::fabs(rtl::SerialToMs(v2) - rtl::SerialToMs(v1)) / rtl::kMsPerDay;
}

template <Conversion C>
Variant TimeApartIn(Args& a) {
  return Variant(SpanDays(a) * kConversions[C].Mul / kConversions[C].Div);
}

Variant MinutesApart(Args& a) {
  const DateTimeParts p1 = Parts(a.Float(0)), p2 = Parts(a.Float(1));
  const int m1 = p1.Hour * 60 + p1.Minute, m2 = p2.Hour * 60 + p2.Minute;
  return Variant(m2 >= m1 ? m2 - m1 : m2 - m1 + 1440);
}

Variant TimeApartStr(Args& a) {
  const std::int64_t secs = rtl::RoundToInt64(SpanDays(a) * 86400);
  return Text(std::to_string(secs / 86400) + " " + msg::kDaysWord + " " + std::to_string(secs / 3600 % 24) + " " +
              msg::kHoursWord + " " + std::to_string(secs / 60 % 60) + " " + msg::kMinutesWord + " " +
              std::to_string(secs % 60) + " " + msg::kSecondsWord);
}

std::int64_t DaysApartOf(Args& a) { return static_cast<std::int64_t>(DayOf(a.Float(1)) - DayOf(a.Float(0))); }

Variant DaysApart(Args& a) { return Variant(DaysApartOf(a)); }
Variant ExactWeeksApart(Args& a) { return Variant(static_cast<double>(DaysApartOf(a)) / 7); }
Variant WeeksApart(Args& a) { return Variant(DaysApartOf(a) / 7); }

Variant CalendarWeeksApart(Args& a) {
  return Variant(static_cast<std::int64_t>(DayOf(StartOfWeekOf(a.Float(1))) - DayOf(StartOfWeekOf(a.Float(0)))) / 7);
}

Variant CalendarMonthsApart(Args& a) {
  const DateTimeParts p1 = Parts(a.Float(0)), p2 = Parts(a.Float(1));
  return Variant((p2.Year * 12 + p2.Month) - (p1.Year * 12 + p1.Month));
}

Variant CalendarYearsApart(Args& a) { return Variant(Parts(a.Float(1)).Year - Parts(a.Float(0)).Year); }

Variant DatesInSameMonth(Args& a) { return Variant(Parts(a.Float(0)).Month == Parts(a.Float(1)).Month); }
Variant DatesInSameYear(Args& a) { return Variant(Parts(a.Float(0)).Year == Parts(a.Float(1)).Year); }
Variant DatesInSameMonthYear(Args& a) {
  const DateTimeParts p1 = Parts(a.Float(0)), p2 = Parts(a.Float(1));
  return Variant(p1.Year == p2.Year && p1.Month == p2.Month);
}

// Whole years, months and days from the earlier to the later date, by the calendar.
void YearsMonthsDays(double v1, double v2, int& years, int& months, int& days) {
  double d1 = DayOf(v1), d2 = DayOf(v2);
  if (d2 < d1) std::swap(d1, d2);
  const DateTimeParts p1 = Parts(d1), p2 = Parts(d2);
  years = p2.Year - p1.Year;
  months = p2.Month - p1.Month;
  days = p2.Day - p1.Day;
  if (days < 0) {
    --months;
    const int prevMonth = p2.Month == 1 ? 12 : p2.Month - 1;
    const int prevYear = p2.Month == 1 ? p2.Year - 1 : p2.Year;
    days += rtl::DaysInMonth(prevYear, prevMonth);
  }
  if (months < 0) {
    --years;
    months += 12;
  }
}

std::string YmdText(Args& a, const std::string& y, const std::string& m, const std::string& d) {
  int years, months, days;
  YearsMonthsDays(a.Float(0), a.Float(1), years, months, days);
  return std::to_string(years) + " " + y + " " + std::to_string(months) + " " + m + " " + std::to_string(days) + " " + d;
}

Variant YMDApartStr(Args& a) { return Text(YmdText(a, a.Str(2).str(), a.Str(3).str(), a.Str(4).str())); }
Variant YMDApartStr2(Args& a) { return Text(YmdText(a, msg::kYearsWord, msg::kMonthsWord, msg::kDaysWord)); }

// Same and not the same: day, time of day (to the millisecond), or both.
enum Sameness { sDate, sTime, sDateTime };

bool Same(Args& a, Sameness s) {
  const double v1 = a.Float(0), v2 = a.Float(1);
  Parts(v1);
  Parts(v2);
  const bool date = rtl::DayNumberOfSerial(v1) == rtl::DayNumberOfSerial(v2);
  const bool time = rtl::MsOfDayOfSerial(v1) == rtl::MsOfDayOfSerial(v2);
  return s == sDate ? date : s == sTime ? time : date && time;
}

template <Sameness S, bool Want>
Variant SameFn(Args& a) {
  return Variant(Same(a, S) == Want);
}

// Ages -------------------------------------------------------------------------------------------

// Whole years and months from the date of birth to a date; -1 before the birth.
int AgeYears(double dob, double dt) {
  if (DayOf(dt) < DayOf(dob)) return -1;
  const DateTimeParts b = Parts(dob), d = Parts(dt);
  int age = d.Year - b.Year;
  if (d.Month < b.Month || (d.Month == b.Month && d.Day < b.Day)) --age;
  return age;
}

int AgeMonths(double dob, double dt) {
  if (DayOf(dt) < DayOf(dob)) return -1;
  const DateTimeParts b = Parts(dob), d = Parts(dt);
  int months = (d.Year * 12 + d.Month) - (b.Year * 12 + b.Month);
  if (d.Day < b.Day) --months;
  return months;
}

int AgeWeeks(double dob, double dt) {
  if (DayOf(dt) < DayOf(dob)) return -1;
  return static_cast<int>(std::trunc(rtl::SerialToLinear(dt) - rtl::SerialToLinear(dob))) / 7;
}

template <int (*Age)(double, double)>
Variant AgeAt(Args& a) {
  return Variant(Age(a.Float(0), a.Float(1)));
}

template <int (*Age)(double, double)>
Variant AgeNowFn(Args& a) {
  return Variant(Age(a.Float(0), rtl::Now()));
}

// (DT, DOB): DOB's day and month in DT's year, or the year before when that is later
// than DT; 29 February becomes 1 March in years that have none.
Variant LastBirthday(Args& a) {
  const double dt = DayOf(a.Float(0));
  const DateTimeParts b = Parts(a.Float(1));
  auto birthday = [&](int year) {
    if (b.Month == 2 && b.Day == 29 && !rtl::IsLeapYear(year)) return rtl::EncodeDate(year, 3, 1);
    return rtl::EncodeDate(year, b.Month, b.Day);
  };
  const int year = Parts(dt).Year;
  const double thisYear = birthday(year);
  return Date(thisYear <= dt ? thisYear : birthday(year - 1));
}

// Tests of a date and of the current moment ------------------------------------------------------

template <bool (*Test)(double)>
Variant Is(Args& a) {
  return Variant(Test(a.Float(0)));
}

template <bool (*Test)(double)>
Variant IsNow(Args&) {
  return Variant(Test(rtl::Now()));
}

template <int M>
bool InMonth(double v) {
  return Parts(v).Month == M;
}

template <int D>
bool OnDow(double v) {
  return Dow(v) == D;
}

// The time of day as the fraction of the value itself.
double Fraction(double v) { return std::fabs(v - std::trunc(v)); }
bool AM(double v) { return Fraction(v) < 0.5; }
bool PM(double v) { return !AM(v); }
bool Noon(double v) { return Fraction(v) == 0.5; }
bool Midnight(double v) { return Fraction(v) == 0; }
bool Weekend(double v) { return Dow(v) == 1 || Dow(v) == 7; }
bool Weekday(double v) { return !Weekend(v); }

bool FirstDayOfMonth(double v) { return Parts(v).Day == 1; }
bool LastDayOfMonth(double v) {
  const DateTimeParts p = Parts(v);
  return p.Day == rtl::DaysInMonth(p.Year, p.Month);
}
bool FirstDayOfYear(double v) {
  const DateTimeParts p = Parts(v);
  return p.Month == 1 && p.Day == 1;
}
bool LastDayOfYear(double v) {
  const DateTimeParts p = Parts(v);
  return p.Month == 12 && p.Day == 31;
}

// Working days -------------------------------------------------------------------------------------

// The holidays of one year: Good Friday to Easter Monday, and Christmas Day.
struct Holidays {
  int Year = 0;
  double Easter = 0, Christmas = 0;

  bool Has(double day) {
    const int year = Parts(day).Year;
    if (year != Year) {
      Year = year;
      Easter = rtl::EasterSunday(year);
      Christmas = rtl::EncodeDate(year, 12, 25);
    }
    return (day >= Easter - 2 && day <= Easter + 1) || day == Christmas;
  }
};

bool IsWorkingDayOf(double day, Holidays& holidays) { return !Weekend(day) && !holidays.Has(DayOf(day)); }

bool WorkingDay(double v) {
  Holidays h;
  return IsWorkingDayOf(v, h);
}

Variant CountWorkingDays(Args& a) {
  double from = DayOf(a.Float(0)), to = DayOf(a.Float(1));
  if (to < from) std::swap(from, to);
  Holidays h;
  std::int32_t count = 0;
  for (double d = from; d <= to; ++d)
    if (IsWorkingDayOf(d, h)) ++count;
  return Variant(count);
}

// The first working day after (before) the date, keeping its time of day.
double StepToWorkingDay(double v, int step, Holidays& h) {
  do v = AddDays(v, step);
  while (!IsWorkingDayOf(v, h));
  return v;
}

Variant NextWorkingDay(Args& a) {
  Holidays h;
  return Date(StepToWorkingDay(a.Float(0), 1, h));
}

Variant PrevWorkingDay(Args& a) {
  Holidays h;
  return Date(StepToWorkingDay(a.Float(0), -1, h));
}

Variant AddWorkingDays(Args& a) {
  double v = a.Float(0);
  const std::int32_t days = a.Int(1);
  Holidays h;
  for (std::int32_t i = 0; i < (days < 0 ? -static_cast<std::int64_t>(days) : days); ++i)
    v = StepToWorkingDay(v, days < 0 ? -1 : 1, h);
  return Date(v);
}

// Weekdays in a month or range ------------------------------------------------------------------

// How often a weekday occurs among count days starting with a day of weekday first.
int WeekdayCount(int dow, int first, std::int64_t count) {
  const std::int64_t offset = (dow - first + 7) % 7;
  return count <= offset ? 0 : static_cast<int>((count - offset - 1) / 7 + 1);
}

int DowsInMonth(int dow, int month, int year) {
  CheckedDow(dow);
  CheckMonth(year, month);
  return WeekdayCount(dow, Dow(rtl::EncodeDate(year, month, 1)), rtl::DaysInMonth(year, month));
}

// (DOW, Month, Year)
Variant DOWsInMonth(Args& a) {
  const int dow = a.Int(0), month = a.Int(1);
  return Variant(DowsInMonth(dow, month, a.Int(2)));
}

int WeekendDays(int month, int year) { return DowsInMonth(1, month, year) + DowsInMonth(7, month, year); }

Variant WeekendDaysInMonth(Args& a) {
  const int month = a.Int(0);
  return Variant(WeekendDays(month, a.Int(1)));
}

Variant WeekDaysInMonth(Args& a) {
  const int month = a.Int(0), year = a.Int(1);
  const int weekend = WeekendDays(month, year);
  return Variant(rtl::DaysInMonth(year, month) - weekend);
}

// (DOW, StartDT, EndDT): the days of both dates count, in either order.
Variant DOWsInRange(Args& a) {
  const int dow = CheckedDow(a.Int(0));
  double from = DayOf(a.Float(1)), to = DayOf(a.Float(2));
  if (to < from) std::swap(from, to);
  return Variant(WeekdayCount(dow, Dow(from), static_cast<std::int64_t>(to - from) + 1));
}

// Database texts ------------------------------------------------------------------------------------

// Empty when the value is no date.
template <bool Ansi>
Variant DatabaseText(Args& a) {
  DateTimeParts p;
  if (!rtl::TryDecodeDateTime(a.Float(0), p)) return Text(std::string());
  if (Ansi) return Text("{ d '" + Padded(p.Year, 4) + "-" + Padded(p.Month, 2) + "-" + Padded(p.Day, 2) + "' }");
  return Text("#" + Padded(p.Month, 2) + "/" + Padded(p.Day, 2) + "/" + Padded(p.Year, 4) + "#");
}

Variant Date2StarSign(Args& a) {
  static const struct {
    int From;
    const char* Sign;
  } kSigns[] = {{101, "Capricorn"}, {120, "Aquarius"}, {219, "Pisces"},  {321, "Aries"},       {420, "Taurus"},
                {521, "Gemini"},    {622, "Cancer"},   {723, "Leo"},     {823, "Virgo"},       {923, "Libra"},
                {1023, "Scorpio"},  {1122, "Sagittarius"}, {1222, "Capricorn"}};
  const DateTimeParts p = Parts(a.Float(0));
  const int md = p.Month * 100 + p.Day;
  const char* sign = kSigns[0].Sign;
  for (const auto& s : kSigns)
    if (md >= s.From) sign = s.Sign;
  return Text(sign);
}

// The table, in registration order -----------------------------------------------------------------

const TfsLibraryEntry kDateTimeRoutines[] = {
    {"function ESBToday: TDateTime", &TodayPlus<0>},
    {"function ESBYesterday: TDateTime", &TodayPlus<-1>},
    {"function ESBTomorrow: TDateTime", &TodayPlus<1>},
    {"function OptEncodeDateI(const Year, Month, Day: Integer): TDateTime", &EncodeDate},
    {"function OptEncodeDateW(const Year, Month, Day: Word): TDateTime", &EncodeDate},
    {"function OptDate2Year(const DT: TDateTime): Word", &PartOf<fYear>},
    {"function OptDate2Month(const DT: TDateTime): Word", &PartOf<fMonth>},
    {"function OptDate2Day(const DT: TDateTime): Word", &PartOf<fDay>},
    {"function ESBEncodeDate(const Year, Month, Day: Word): TDateTime", &EncodeDate},
    {"function ESBEncodeTime(const Hour, Min, Sec, MSec: Word): TDateTime", &EncodeTime},
    {"function Date2Str(const DT: TDateTime): string", &Date2Str},
    {"function DateTime2Str(const DT: TDateTime): string", &DateTime2Str},
    {"function Date2DigitStr(const DT: TDateTime): string", &Pictured<kDigitPicture>},
    {"function Date2FormatStr(const DT: TDateTime; const Format: string): string", &FormatStr},
    {"function Date2Day(const DT: TDateTime): Word", &PartOf<fDay>},
    {"function Date2Month(const DT: TDateTime): Word", &PartOf<fMonth>},
    {"function Date2Year(const DT: TDateTime): Word", &PartOf<fYear>},
    {"function Time2Str(const DT: TDateTime): string", &Time2Str},
    {"function Time2FormatStr(const DT: TDateTime; const Format: string): string", &FormatStr},
    {"function DateTime2FormatStr(const DT: TDateTime; const Format: string): string", &FormatStr},
    {"function Minutes2HHMM(const Minutes: Double; const Separator: Char = ':'): string", &Minutes2HHMM},
    {"function Seconds2HHMMSS(const Seconds: Double; const Separator: Char = ':'): string", &Seconds2HHMMSS},
    {"function Time2Hr(const DT: TDateTime): Word", &PartOf<fHour>},
    {"function Time2Min(const DT: TDateTime): Word", &PartOf<fMinute>},
    {"function Time2Sec(const DT: TDateTime): Word", &PartOf<fSecond>},
    {"function Time2MSec(const DT: TDateTime): Word", &PartOf<fMilliSecond>},
    {"function OptThisYear: Word", &PartNow<fYear>},
    {"function OptThisMonth: Word", &PartNow<fMonth>},
    {"function OptThisDay: Word", &PartNow<fDay>},
    {"function ThisYear: Word", &PartNow<fYear>},
    {"function ThisMonth: Word", &PartNow<fMonth>},
    {"function ThisDay: Word", &PartNow<fDay>},
    {"function ThisHr: Word", &PartNow<fHour>},
    {"function ThisMin: Word", &PartNow<fMinute>},
    {"function ThisSec: Word", &PartNow<fSecond>},
    {"function ThisMSec: Word", &PartNow<fMilliSecond>},
    {"function Str2Time(const TimeStr: string): TDateTime", &Str2Time},
    {"function Str2TimeDef(const TimeStr: string; const Default: TDateTime): TDateTime", &Str2TimeDef},
    {"function Str2Date(const DateStr: string; const ImplyHistoric: Boolean = False): TDateTime", &Str2Date},
    {"function Str2Date2(const DateStr: string; const Year, StartMonth: Integer): TDateTime", &Str2Date2},
    {"function Str2DateDef(const DateStr: string; const Default: TDateTime): TDateTime", &Str2DateDef},
    {"function Str2HistoricDate(const DateStr: string): TDateTime", &Str2HistoricDate},
    {"function Str2CutOffDate(const DateStr: string; const CutOff: Word): TDateTime", &Str2CutOffDate},
    {"function StrFormat2Date(const DateStr, Format: string): TDateTime", &StrFormat2Date},
    {"function StrFormat2DateDef(const DateStr, Format: string; const Default: TDateTime): TDateTime",
     &StrFormat2DateDef},
    {"function DigitStr2Date(const DateStr: string): TDateTime", &DigitStr2Date},
    {"function Date2LongMonth(const DT: TDateTime): string", &Date2LongMonth},
    {"function Date2ShortMonth(const DT: TDateTime): string", &Date2ShortMonth},
    {"function Date2ShortMonthYY(const DT: TDateTime): string", &Pictured<kShortMonthYY>},
    {"function Date2ShortMonthYYYY(const DT: TDateTime): string", &Pictured<kShortMonthYYYY>},
    {"function Date2LongDOW(const DT: TDateTime): string", &Date2LongDOW},
    {"function Date2ShortDOW(const DT: TDateTime): string", &Date2ShortDOW},
    {"function MonthName2Month(const MonthName: string): Word", &MonthName2Month},
    {"function DayName2DOW(const DayName: string): Byte", &DayName2DOW},
    {"function ThisDOW: Byte", &ThisDOW},
    {"function Date2YearMonth(const DT: TDateTime): LongWord", &Date2YearMonth},
    {"function Days2Hrs(const Value: Extended): Extended", &Convert<cDays2Hrs>},
    {"function Hrs2Days(const Value: Extended): Extended", &Convert<cHrs2Days>},
    {"function Mins2Hrs(const Value: Extended): Extended", &Convert<cMins2Hrs>},
    {"function Hrs2Mins(const Value: Extended): Extended", &Convert<cHrs2Mins>},
    {"function Mins2Secs(const Value: Extended): Extended", &Convert<cMins2Secs>},
    {"function Secs2Mins(const Value: Extended): Extended", &Convert<cSecs2Mins>},
    {"function Days2Secs(const Value: Extended): Extended", &Convert<cDays2Secs>},
    {"function Secs2Days(const Value: Extended): Extended", &Convert<cSecs2Days>},
    {"function Secs2Hrs(const Value: Extended): Extended", &Convert<cSecs2Hrs>},
    {"function Hrs2Secs(const Value: Extended): Extended", &Convert<cHrs2Secs>},
    {"function Days2Mins(const Value: Extended): Extended", &Convert<cDays2Mins>},
    {"function Mins2Days(const Value: Extended): Extended", &Convert<cMins2Days>},
    {"function Days2Weeks(const Value: Extended): Extended", &Convert<cDays2Weeks>},
    {"function Weeks2Days(const Value: Extended): Extended", &Convert<cWeeks2Days>},
    {"function Days2Fortnights(const Value: Extended): Extended", &Convert<cDays2Fortnights>},
    {"function Fortnights2Days(const Value: Extended): Extended", &Convert<cFortnights2Days>},
    {"function Days2Months(const Value: Extended): Extended", &Convert<cDays2Months>},
    {"function Months2Days(const Value: Extended): Extended", &Convert<cMonths2Days>},
    {"function Days2Years(const Value: Extended): Extended", &Convert<cDays2Years>},
    {"function Years2Days(const Value: Extended): Extended", &Convert<cYears2Days>},
    {"function Days2YearsGregorian(const Value: Extended): Extended", &Convert<cDays2YearsGregorian>},
    {"function YearsGregorian2Days(const Value: Extended): Extended", &Convert<cYearsGregorian2Days>},
    {"function Days2YearsJulian(const Value: Extended): Extended", &Convert<cDays2YearsJulian>},
    {"function YearsJulian2Days(const Value: Extended): Extended", &Convert<cYearsJulian2Days>},
    {"function IsLeapYear(const Year: Word): Boolean", &OfYear<LeapYear>},
    {"function IsLeapYear2(const Year: Integer): Boolean", &OfYear<LeapYear>},
    {"function IsLeapYear3(const DT: TDateTime): Boolean", &OfYearOfDate<LeapYear>},
    {"function GetGoldenNumber(const Year: Word): Integer", &OfYear<GoldenNumber>},
    {"function GetGoldenNumber2(const Year: Integer): Integer", &OfYear<GoldenNumber>},
    {"function GetGoldenNumber3(const DT: TDateTime): Integer", &OfYearOfDate<GoldenNumber>},
    {"function GetEpact(const Year: Word): Integer", &OfYear<Epact>},
    {"function GetEpact2(const Year: Integer): Integer", &OfYear<Epact>},
    {"function GetEpact3(const DT: TDateTime): Integer", &OfYearOfDate<Epact>},
    {"function GetEasterSunday(const Year: Word): TDateTime", &OfYear<EasterSunday>},
    {"function GetEasterSunday2(const Year: Integer): TDateTime", &OfYear<EasterSunday>},
    {"function GetEasterSunday3(const DT: TDateTime): TDateTime", &OfYearOfDate<EasterSunday>},
    {"function GetGoodFriday(const Year: Word): TDateTime", &OfYear<GoodFriday>},
    {"function GetGoodFriday2(const Year: Integer): TDateTime", &OfYear<GoodFriday>},
    {"function GetGoodFriday3(const DT: TDateTime): TDateTime", &OfYearOfDate<GoodFriday>},
    {"function GetChristmasDay(const Year: Word): TDateTime", &OfYear<ChristmasDay>},
    {"function GetChristmasDay2(const Year: Integer): TDateTime", &OfYear<ChristmasDay>},
    {"function GetChristmasDay3(const DT: TDateTime): TDateTime", &OfYearOfDate<ChristmasDay>},
    {"function GetFirstDayOfYear(const Year: Word): TDateTime", &OfYear<FirstDayOfYear>},
    {"function GetFirstDayOfYear2(const Year: Integer): TDateTime", &OfYear<FirstDayOfYear>},
    {"function GetFirstDayOfYear3(const DT: TDateTime): TDateTime", &OfYearOfDate<FirstDayOfYear>},
    {"function GetLastDayOfYear(const Year: Word): TDateTime", &OfYear<LastDayOfYear>},
    {"function GetLastDayOfYear2(const Year: Integer): TDateTime", &OfYear<LastDayOfYear>},
    {"function GetLastDayOfYear3(const DT: TDateTime): TDateTime", &OfYearOfDate<LastDayOfYear>},
    {"function GetFirstSundayOfYear(const Year: Word): TDateTime", &OfYear<FirstSundayOfYear>},
    {"function GetFirstSundayOfYear2(const Year: Integer): TDateTime", &OfYear<FirstSundayOfYear>},
    {"function GetFirstSundayOfYear3(const DT: TDateTime): TDateTime", &OfYearOfDate<FirstSundayOfYear>},
    {"function MinutesApart(const DT1, DT2: TDateTime): Word", &MinutesApart},
    {"function TimeApartInDays(const DT1, DT2: TDateTime): Extended", &TimeApartIn<cDays2Days>},
    {"function TimeApartInWeeks(const DT1, DT2: TDateTime): Extended", &TimeApartIn<cDays2Weeks>},
    {"function TimeApartInFortnights(const DT1, DT2: TDateTime): Extended", &TimeApartIn<cDays2Fortnights>},
    {"function TimeApartInHrs(const DT1, DT2: TDateTime): Extended", &TimeApartIn<cDays2Hrs>},
    {"function TimeApartInMins(const DT1, DT2: TDateTime): Extended", &TimeApartIn<cDays2Mins>},
    {"function TimeApartInSecs(const DT1, DT2: TDateTime): Extended", &TimeApartIn<cDays2Secs>},
    {"function TimeApartStr(const DT1, DT2: TDateTime): string", &TimeApartStr},
    {"function MS2TimeStr(const MS: Int64): string", &MS2TimeStr},
    {"function GetDateTimeStamp: string", &GetDateTimeStamp},
    {"function AdjustDateYear(const D: TDateTime; const Year: Word): TDateTime", &AdjustDateYear},
    {"function AdjustDateYear2(const D: TDateTime; const Year: Integer): TDateTime", &AdjustDateYear},
    {"function AddSecs(const DT: TDateTime; const Secs: Extended): TDateTime", &AddDuration<aSecs, 1>},
    {"function AddMins(const DT: TDateTime; const Mins: Extended): TDateTime", &AddDuration<aMins, 1>},
    {"function AddHrs(const DT: TDateTime; const Hrs: Extended): TDateTime", &AddDuration<aHrs, 1>},
    {"function AddDays(const DT: TDateTime; const Days: Extended): TDateTime", &AddDuration<aDays, 1>},
    {"function AddWeeks(const DT: TDateTime; const Weeks: Extended): TDateTime", &AddDuration<aWeeks, 1>},
    {"function AddFortnights(const DT: TDateTime; const FNights: Extended): TDateTime", &AddDuration<aFortnights, 1>},
    {"function AddMonths(const DT: TDateTime; const Months: Extended): TDateTime", &AddMonthsFn<1, 1>},
    {"function AddCalendarMonths(const DT: TDateTime; const Months: Integer): TDateTime", &AddCalendar<1, 1>},
    {"function AddQuarters(const DT: TDateTime; const Qtrs: Extended): TDateTime", &AddMonthsFn<3, 1>},
    {"function AddSemesters(const DT: TDateTime; const Sems: Extended): TDateTime", &AddMonthsFn<6, 1>},
    {"function AddYrs(const DT: TDateTime; const Yrs: Extended): TDateTime", &AddDuration<aYrs, 1>},
    {"function AddYears(const DT: TDateTime; const Years: Extended): TDateTime", &AddYearsFn<1>},
    {"function AddCalendarYears(const DT: TDateTime; const Years: Integer): TDateTime", &AddCalendar<12, 1>},
    {"function SubtractSecs(const DT: TDateTime; const Secs: Extended): TDateTime", &AddDuration<aSecs, -1>},
    {"function SubtractMins(const DT: TDateTime; const Mins: Extended): TDateTime", &AddDuration<aMins, -1>},
    {"function SubtractHrs(const DT: TDateTime; const Hrs: Extended): TDateTime", &AddDuration<aHrs, -1>},
    {"function SubtractDays(const DT: TDateTime; const Days: Extended): TDateTime", &AddDuration<aDays, -1>},
    {"function SubtractWeeks(const DT: TDateTime; const Weeks: Extended): TDateTime", &AddDuration<aWeeks, -1>},
    {"function SubtractFortnights(const DT: TDateTime; const FNights: Extended): TDateTime",
     &AddDuration<aFortnights, -1>},
    {"function SubtractMonths(const DT: TDateTime; const Months: Extended): TDateTime", &AddMonthsFn<1, -1>},
    {"function SubtractCalendarMonths(const DT: TDateTime; const Months: Integer): TDateTime", &AddCalendar<1, -1>},
    {"function SubtractYears(const DT: TDateTime; const Years: Extended): TDateTime", &AddYearsFn<-1>},
    {"function SubtractCalendarYears(const DT: TDateTime; const Years: Integer): TDateTime", &AddCalendar<12, -1>},
    {"function SubtractQuarters(const DT: TDateTime; const Qtrs: Extended): TDateTime", &AddMonthsFn<3, -1>},
    {"function SubtractSemesters(const DT: TDateTime; const Sems: Extended): TDateTime", &AddMonthsFn<6, -1>},
    {"function SubtractYrs(const DT: TDateTime; const Yrs: Extended): TDateTime", &AddDuration<aYrs, -1>},
    {"function GetLastDayOfMonth(const DT: TDateTime): TDateTime", &OfMonthOfDate<LastDayOfMonth>},
    {"function GetLastDayOfMonth2(const Month, Year: Word): TDateTime", &OfMonthYear<LastDayOfMonth>},
    {"function GetLastDayOfMonth3(const Month, Year: Integer): TDateTime", &OfMonthYear<LastDayOfMonth>},
    {"function GetFirstDayOfMonth(const DT: TDateTime): TDateTime", &OfMonthOfDate<FirstDayOfMonth>},
    {"function GetFirstDayOfMonth2(const Month, Year: Word): TDateTime", &OfMonthYear<FirstDayOfMonth>},
    {"function GetFirstDayOfMonth3(const Month, Year: Integer): TDateTime", &OfMonthYear<FirstDayOfMonth>},
    {"function StartOfWeek(const DT: TDateTime): TDateTime", &StartOfWeek},
    {"function EndOfWeek(const DT: TDateTime): TDateTime", &EndOfWeek},
    {"function DatesInSameMonth(const DT1, DT2: TDateTime): Boolean", &DatesInSameMonth},
    {"function DatesInSameYear(const DT1, DT2: TDateTime): Boolean", &DatesInSameYear},
    {"function DatesInSameMonthYear(const DT1, DT2: TDateTime): Boolean", &DatesInSameMonthYear},
    {"function DaysApart(const DT1, DT2: TDateTime): LongInt", &DaysApart},
    {"function ExactWeeksApart(const DT1, DT2: TDateTime): Extended", &ExactWeeksApart},
    {"function WeeksApart(const DT1, DT2: TDateTime): LongInt", &WeeksApart},
    {"function CalendarWeeksApart(const DT1, DT2: TDateTime): LongInt", &CalendarWeeksApart},
    {"function CalendarMonthsApart(const DT1, DT2: TDateTime): LongInt", &CalendarMonthsApart},
    {"function CalendarYearsApart(const DT1, DT2: TDateTime): LongInt", &CalendarYearsApart},
    {"function DaysInMonth(const DT: TDateTime): Byte", &OfMonthOfDate<MonthDays>},
    {"function DaysInMonth2(const Month, Year: Word): Byte", &OfMonthYear<MonthDays>},
    {"function DaysInMonth3(const Month, Year: Integer): Byte", &OfMonthYear<MonthDays>},
    {"function DaysInThisMonth: Byte", &DaysInThisMonth},
    {"function DaysLeftInMonth(const DT: TDateTime): Byte", &DaysLeftInMonth},
    {"function DaysLeftInThisMonth: Byte", &DaysLeftInThisMonth},
    {"function DaysInYear(const DT: TDateTime): Integer", &OfYearOfDate<DaysInYear>},
    {"function DaysInYear2(const Year: Word): Integer", &OfYear<DaysInYear>},
    {"function DaysInYear3(const Year: Integer): Integer", &OfYear<DaysInYear>},
    {"function DayOfYear(const DT: TDateTime): Word", &DayOfYear},
    {"function OptDayOfYear(const DT: TDateTime): Word", &DayOfYear},
    {"function ThisDayOfYear: Word", &ThisDayOfYear},
    {"function OptThisDayOfYear: Word", &ThisDayOfYear},
    {"function DaysLeftInYear(const DT: TDateTime): Word", &DaysLeftInYear},
    {"function OptDaysLeftInYear(const DT: TDateTime): Word", &DaysLeftInYear},
    {"function DaysLeftInThisYear: Word", &DaysLeftInThisYear},
    {"function OptDaysLeftInThisYear: Word", &DaysLeftInThisYear},
    {"function WhichSemester(const DT: TDateTime): Byte", &WhichSemester},
    {"function WhichQuarter(const DT: TDateTime): Byte", &WhichQuarter},
    {"function GetFirstDayOfQuarter(const DT: TDateTime): TDateTime", &QuarterOfDate<false>},
    {"function GetFirstDayofQuarter2(const Qtr: Byte; const Year: Word): TDateTime", &QuarterOfYear<false>},
    {"function GetFirstDayofQuarter3(const Qtr, Year: Integer): TDateTime", &QuarterOfYear<false>},
    {"function GetLastDayOfQuarter(const DT: TDateTime): TDateTime", &QuarterOfDate<true>},
    {"function GetLastDayofQuarter2(const Qtr: Byte; const Year: Word): TDateTime", &QuarterOfYear<true>},
    {"function GetLastDayofQuarter3(const Qtr, Year: Integer): TDateTime", &QuarterOfYear<true>},
    {"function AgeAtDate(const DOB, DT: TDateTime): Integer", &AgeAt<AgeYears>},
    {"function AgeNow(const DOB: TDateTime): Integer", &AgeNowFn<AgeYears>},
    {"function AgeAtDateInMonths(const DOB, DT: TDateTime): Integer", &AgeAt<AgeMonths>},
    {"function AgeNowInMonths(const DOB: TDateTime): Integer", &AgeNowFn<AgeMonths>},
    {"function AgeAtDateInWeeks(const DOB, DT: TDateTime): Integer", &AgeAt<AgeWeeks>},
    {"function AgeNowInWeeks(const DOB: TDateTime): Integer", &AgeNowFn<AgeWeeks>},
    {"function LastBirthday(const DT, DOB: TDateTime): TDateTime", &LastBirthday},
    {"function YMDApartStr(const DT1, DT2: TDateTime; const YearsStr, MonthsStr, DaysStr: string): string",
     &YMDApartStr},
    {"function YMDApartStr2(const DT1, DT2: TDateTime): string", &YMDApartStr2},
    {"function Date2WeekNo(const DT: TDateTime): Integer", &Date2WeekNo},
    {"function DatesInSameWeekNo(const DT1, DT2: TDateTime): Boolean", &DatesInSameWeekNo},
    {"function WeekNosApart(const DT1, DT2: TDateTime): Integer", &WeekNosApart},
    {"function ThisWeekNo: Integer", &ThisWeekNo},
    {"function StartOfWeekNo(const WeekNo, Year: Word): TDateTime", &WeekNoBound<1>},
    {"function StartOfWeekNo2(const WeekNo, Year: Integer): TDateTime", &WeekNoBound<1>},
    {"function EndOfWeekNo(const WeekNo, Year: Word): TDateTime", &WeekNoBound<7>},
    {"function EndOfWeekNo2(const WeekNo, Year: Integer): TDateTime", &WeekNoBound<7>},
    {"function DWY2Date(const DOW, WeekNo, Year: Word): TDateTime", &DWY2Date},
    {"function DWY2Date2(const DOW, WeekNo, Year: Integer): TDateTime", &DWY2Date},
    {"function ISODayOfWeek(const DT: TDateTime): Byte", &ISODayOfWeek},
    {"function ThisISODOW: Byte", &ThisISODOW},
    {"function ISODOW2DOW(const ISODOW: Byte): Byte", &ISODOW2DOW},
    {"function DOW2ISODOW(const DOW: Byte): Byte", &DOW2ISODOW},
    {"function ISOWeeksInYear(const Year: Word): Integer", &OfYear<IsoWeeksInYear>},
    {"function ISOWeeksInYear2(const Year: Integer): Integer", &OfYear<IsoWeeksInYear>},
    {"function ISOWeeksInYear3(const DT: TDateTime): Integer", &OfYearOfDate<IsoWeeksInYear>},
    {"function GetFirstMondayOfYear(const Year: Word): TDateTime", &OfYear<FirstMondayOfYear>},
    {"function GetFirstMondayOfYear2(const Year: Integer): TDateTime", &OfYear<FirstMondayOfYear>},
    {"function GetFirstMondayOfYear3(const DT: TDateTime): TDateTime", &OfYearOfDate<FirstMondayOfYear>},
    {"function StartOfISOWeek(const DT: TDateTime): TDateTime", &StartOfISOWeek},
    {"function EndOfISOWeek(const DT: TDateTime): TDateTime", &EndOfISOWeek},
    {"function Date2ISOWeekStr(const DT: TDateTime): string", &IsoWeekStr<false, true>},
    {"function Date2ISOWeekEnhStr(const DT: TDateTime): string", &IsoWeekStr<true, true>},
    {"function Date2ISOWeekOnlyStr(const DT: TDateTime): string", &IsoWeekStr<false, false>},
    {"function Date2ISOWeekOnlyEnhStr(const DT: TDateTime): string", &IsoWeekStr<true, false>},
    {"function Date2ISOStr(const DT: TDateTime): string", &Pictured<kDigitPicture>},
    {"function Date2ISOEnhStr(const DT: TDateTime): string", &Pictured<kIsoEnhPicture>},
    {"function Date2ISOInt(const DT: TDateTime): LongWord", &Date2ISOInt},
    {"function DatesInSameISOWeekNo(const DT1, DT2: TDateTime): Boolean", &DatesInSameISOWeekNo},
    {"function ISOWeekNosApart(DT1, DT2: TDateTime): Int64", &ISOWeeksApart},
    {"function StartOfISOWeekNo(const WeekNo: Integer; const Year: Word): TDateTime", &IsoWeekBound<1>},
    {"function StartOfISOWeekNo2(const WeekNo, Year: Integer): TDateTime", &IsoWeekBound<1>},
    {"function EndOfISOWeekNo(const WeekNo: Integer; const Year: Word): TDateTime", &IsoWeekBound<7>},
    {"function EndOfISOWeekNo2(const WeekNo, Year: Integer): TDateTime", &IsoWeekBound<7>},
    {"function ISOYWD2Date(const Year: Word; const WeekNo, DOW: Integer): TDateTime", &ISOYWD2Date},
    {"function ISOYWD2Date2(const Year, WeekNo, DOW: Integer): TDateTime", &ISOYWD2Date},
    {"function ISOWeeksApart(const DT1, DT2: TDateTime): LongInt", &ISOWeeksApart},
    {"function SameDate(const DT1, DT2: TDateTime): Boolean", &SameFn<sDate, true>},
    {"function SameTime(const DT1, DT2: TDateTime): Boolean", &SameFn<sTime, true>},
    {"function SameDateTime(const DT1, DT2: TDateTime): Boolean", &SameFn<sDateTime, true>},
    {"function NotSameDate(const DT1, DT2: TDateTime): Boolean", &SameFn<sDate, false>},
    {"function NotSameTime(const DT1, DT2: TDateTime): Boolean", &SameFn<sTime, false>},
    {"function NotSameDateTime(const DT1, DT2: TDateTime): Boolean", &SameFn<sDateTime, false>},
    {"function IsJanuary(const DT: TDateTime): Boolean", &Is<InMonth<1>>},
    {"function IsJanuaryNow: Boolean", &IsNow<InMonth<1>>},
    {"function IsFebruary(const DT: TDateTime): Boolean", &Is<InMonth<2>>},
    {"function IsFebruaryNow: Boolean", &IsNow<InMonth<2>>},
    {"function IsMarch(const DT: TDateTime): Boolean", &Is<InMonth<3>>},
    {"function IsMarchNow: Boolean", &IsNow<InMonth<3>>},
    {"function IsApril(const DT: TDateTime): Boolean", &Is<InMonth<4>>},
    {"function IsAprilNow: Boolean", &IsNow<InMonth<4>>},
    {"function IsMay(const DT: TDateTime): Boolean", &Is<InMonth<5>>},
    {"function IsMayNow: Boolean", &IsNow<InMonth<5>>},
    {"function IsJune(const DT: TDateTime): Boolean", &Is<InMonth<6>>},
    {"function IsJuneNow: Boolean", &IsNow<InMonth<6>>},
    {"function IsJuly(const DT: TDateTime): Boolean", &Is<InMonth<7>>},
    {"function IsJulyNow: Boolean", &IsNow<InMonth<7>>},
    {"function IsAugust(const DT: TDateTime): Boolean", &Is<InMonth<8>>},
    {"function IsAugustNow: Boolean", &IsNow<InMonth<8>>},
    {"function IsSeptember(const DT: TDateTime): Boolean", &Is<InMonth<9>>},
    {"function IsSeptemberNow: Boolean", &IsNow<InMonth<9>>},
    {"function IsOctober(const DT: TDateTime): Boolean", &Is<InMonth<10>>},
    {"function IsOctoberNow: Boolean", &IsNow<InMonth<10>>},
    {"function IsNovember(const DT: TDateTime): Boolean", &Is<InMonth<11>>},
    {"function IsNovemberNow: Boolean", &IsNow<InMonth<11>>},
    {"function IsDecember(const DT: TDateTime): Boolean", &Is<InMonth<12>>},
    {"function IsDecemberNow: Boolean", &IsNow<InMonth<12>>},
    {"function IsAM(const DT: TDateTime): Boolean", &Is<AM>},
    {"function IsAMNow: Boolean", &IsNow<AM>},
    {"function IsPM(const DT: TDateTime): Boolean", &Is<PM>},
    {"function IsPMNow: Boolean", &IsNow<PM>},
    {"function IsNoon(const DT: TDateTime): Boolean", &Is<Noon>},
    {"function IsNoonNow: Boolean", &IsNow<Noon>},
    {"function IsMidnight(const DT: TDateTime): Boolean", &Is<Midnight>},
    {"function IsMidnightNow: Boolean", &IsNow<Midnight>},
    {"function IsSunday(const DT: TDateTime): Boolean", &Is<OnDow<1>>},
    {"function IsSundayNow: Boolean", &IsNow<OnDow<1>>},
    {"function IsMonday(const DT: TDateTime): Boolean", &Is<OnDow<2>>},
    {"function IsMondayNow: Boolean", &IsNow<OnDow<2>>},
    {"function IsTuesday(const DT: TDateTime): Boolean", &Is<OnDow<3>>},
    {"function IsTuesdayNow: Boolean", &IsNow<OnDow<3>>},
    {"function IsWednesday(const DT: TDateTime): Boolean", &Is<OnDow<4>>},
    {"function IsWednesdayNow: Boolean", &IsNow<OnDow<4>>},
    {"function IsThursday(const DT: TDateTime): Boolean", &Is<OnDow<5>>},
    {"function IsThursdayNow: Boolean", &IsNow<OnDow<5>>},
    {"function IsFriday(const DT: TDateTime): Boolean", &Is<OnDow<6>>},
    {"function IsFridayNow: Boolean", &IsNow<OnDow<6>>},
    {"function IsSaturday(const DT: TDateTime): Boolean", &Is<OnDow<7>>},
    {"function IsSaturdayNow: Boolean", &IsNow<OnDow<7>>},
    {"function IsWeekend(const DT: TDateTime): Boolean", &Is<Weekend>},
    {"function IsWeekendNow: Boolean", &IsNow<Weekend>},
    {"function IsWeekday(const DT: TDateTime): Boolean", &Is<Weekday>},
    {"function IsWeekdayNow: Boolean", &IsNow<Weekday>},
    {"function IsValidShortMonth(const Month: string): Boolean", &IsValidShortMonth},
    {"function IsValidLongMonth(const Month: string): Boolean", &IsValidLongMonth},
    {"function IsValidShortDOW(const DOW: string): Boolean", &IsValidShortDOW},
    {"function IsValidLongDOW(const DOW: string): Boolean", &IsValidLongDOW},
    {"function IsFirstDayOfMonth(const DT: TDateTime): Boolean", &Is<FirstDayOfMonth>},
    {"function IsFirstDayOfMonthNow: Boolean", &IsNow<FirstDayOfMonth>},
    {"function IsLastDayOfMonth(const DT: TDateTime): Boolean", &Is<LastDayOfMonth>},
    {"function IsLastDayOfMonthNow: Boolean", &IsNow<LastDayOfMonth>},
    {"function IsFirstDayOfYear(const DT: TDateTime): Boolean", &Is<FirstDayOfYear>},
    {"function IsFirstDayOfYearNow: Boolean", &IsNow<FirstDayOfYear>},
    {"function IsLastDayOfYear(const DT: TDateTime): Boolean", &Is<LastDayOfYear>},
    {"function IsLastDayOfYearNow: Boolean", &IsNow<LastDayOfYear>},
    {"function IsWorkingDay(const DT: TDateTime): Boolean", &Is<WorkingDay>},
    {"function CountWorkingDays(const DT1, DT2: TDateTime): Integer", &CountWorkingDays},
    {"function NextWorkingDay(const DT: TDateTime): TDateTime", &NextWorkingDay},
    {"function PrevWorkingDay(const DT: TDateTime): TDateTime", &PrevWorkingDay},
    {"function AddWorkingDays(const DT: TDateTime; const Days: Integer): TDateTime", &AddWorkingDays},
    {"function DOWsInMonth(const DOW: Byte; const Month, Year: Word): Integer", &DOWsInMonth},
    {"function WeekendDaysInMonth(const Month, Year: Word): Integer", &WeekendDaysInMonth},
    {"function WeekDaysInMonth(const Month, Year: Word): Integer", &WeekDaysInMonth},
    {"function DOWsInRange(const DOW: Byte; const StartDT, EndDT: TDateTime): Integer", &DOWsInRange},
    {"function Date2AccessStr(const DT: TDateTime): string", &DatabaseText<false>},
    {"function Date2ANSISQLStr(const DT: TDateTime): string", &DatabaseText<true>},
    {"function Date2StarSign(const DT: TDateTime): string", &Date2StarSign},
    {"function Days2SiderealDays(const Days: Extended): Extended", &Convert<cDays2SiderealDays>},
    {"function SiderealDays2Days(const Days: Extended): Extended", &Convert<cSiderealDays2Days>},
    {"function Days2SiderealMonths(const Days: Extended): Extended", &Convert<cDays2SiderealMonths>},
    {"function SiderealMonths2Days(const Months: Extended): Extended", &Convert<cSiderealMonths2Days>},
};

const TfsRTTIModuleClass kDateTimeRoutinesClass{"fs_DateTimeRoutines", moDateTimeRoutines,
                                                &NewRTTIModule<TfsDateTimeRoutines>};
TfsRuntimeModuleRegistration gDateTimeRoutinesRegistration(kDateTimeRoutinesClass);

}  // namespace

TfsDateTimeRoutines::TfsDateTimeRoutines(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry registry(script);
  RegisterLibrary(registry, Category, kDateTimeRoutines);
}

}  // namespace fs
