// DateTextReader: dates written freely, the way people type them into a form: "5"
// (the 5th of this month), "+1" (tomorrow), "150320", "15 March 99", "15.3.19",
// "Monday, 15-3-2021". Parts come in the order of the locale's short date format
// (or another order the caller gives); month names may stand for the month, day
// names are ignored, and a two-digit year is expanded by a cut-off year or by the
// historic rule.
//
// The steps:
//   1. Characters with codes up to 32 are trimmed from both ends and the text is
//      upper-cased (code-page case mapping). An empty text reads as no date.
//   2. A text starting with "+" or "-" is a day offset from today (a number that cannot
//      be read counts as 0).
//   3. A text of 4, 6 or 8 digits is split into groups of 2 (8 digits: 4, 2, 2 when the
//      year comes first, else 2, 2, 4) joined by the date separator. Any other text has
//      the first long month name it contains (January first) replaced by the month's
//      number, or else the first short month name, and then the first long day name, or
//      else the first short day name, replaced by a blank; it is trimmed again.
//   4. "-", "/", "\", blank, "." and "," become the date separator; separators at both
//      ends go and runs of them become one. Nothing left reads as no date.
//   5. No separator: the text is the day, of the current month and year. One: day and
//      month (month first when the order starts with the month or the year), of the
//      current year (or, implying history, of the previous year when that day lies after
//      today). Two: day, month and year; a year below 100 is expanded by the rule.
//   6. The parts are read as a date in the order given.
#pragma once

#include <string>
#include <string_view>

#include "rtl/FormatSettings.h"

namespace rtl {

// How a two-digit year y is expanded: CutOff gives 1900 + y when that is at least the
// cut-off year, else 2000 + y; Historic gives 2000 + y unless that lies after the current
// year, else 1900 + y.
enum class TwoDigitYearRule { CutOff, Historic };

struct DateReadOptions {
  TwoDigitYearRule Rule = TwoDigitYearRule::CutOff;
  int CutOffYear = 1920;
  // A day and month without a year that lie after today belong to last year.
  bool ImplyHistoric = false;
  // A day and month without a year belong to the year that starts with StartMonth of
  // StartYear: months from StartMonth on to StartYear, earlier ones to the year after.
  // 0: not used.
  int StartMonth = 0;
  int StartYear = 0;
};

enum class DateReadResult {
  NoDate,      // the text is empty (or only separators)
  Date,        // date holds the day read
  Unreadable,  // the parts are no date in the order given
};

// The order of day, month and year that a date picture gives: "DMY", "MDY" or "YMD",
// decided by the first of the letters D, M, and Y or E (year) after "DDDD" and "DDD"
// are removed (ignoring case); "MDY" when the picture has none of them.
std::string DatePictureOrder(std::string_view picture);

// Reads text by the steps above; today is the current date (a day, midnight).
DateReadResult ReadDateText(std::string_view text, std::string_view order, const DateReadOptions& options, double today,
                            double& date, const FormatSettings& fs = CurrentFormatSettings());

}  // namespace rtl
