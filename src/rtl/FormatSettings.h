// FormatSettings: the locale values that conversions between values and text read
// (separators, date and time layout, day and month names, currency, Boolean texts).
// One process-wide set, English (United States) by default; start-up may replace it
// with the system's locale.
#pragma once

#include <array>
#include <string>

namespace rtl {

struct FormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  // Layouts in the platform's picture syntax; the text conversions of dates write
  // month/day/year and a 12-hour clock as these say.
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongDateFormat = "dddd, MMMM d, yyyy";
  std::string ShortTimeFormat = "h:nn AMPM";
  std::string LongTimeFormat = "h:nn:ss AMPM";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  // January first; day names Sunday first.
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                             "July",    "August",   "September", "October", "November", "December"};
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  // The calendar's era as date pictures write it; the calendar itself is Gregorian.
  std::string EraName = "A.D.";
  // Money: the symbol, where it stands for positive values (0 "$1", 1 "1$", 2 "$ 1",
  // 3 "1 $") and for negative ones (0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)",
  // 5 "-1$", 6 "1-$", 7 "1$-", 8 "-1 $", 9 "-$ 1", 10 "1 $-", 11 "$ 1-", 12 "$ -1",
  // 13 "1- $", 14 "($ 1)", 15 "(1 $)"), and the number of decimals.
  std::string CurrencyString = "$";
  int CurrencyFormat = 0;
  int NegCurrFormat = 0;
  int CurrencyDecimals = 2;
  // A two-digit year is taken within this many years before the current year and
  // the years after it that complete the century.
  int TwoDigitYearCenturyWindow = 50;
  std::string TrueBoolStr = "True";
  std::string FalseBoolStr = "False";
};

// The settings conversions use when no other settings are passed. The reference stays
// valid for the life of the process, also after a replacement.
const FormatSettings& CurrentFormatSettings() noexcept;

// Replaces the current settings (start-up and tests). Readers that still hold the
// previous set keep a valid object.
void SetCurrentFormatSettings(const FormatSettings& settings);

}  // namespace rtl
