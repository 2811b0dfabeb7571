// fs_DateTimeRoutines: 318 date and time routines in the category "Date and time":
// parts, names and texts of dates, free-form date texts read into dates, unit
// conversions of durations, calendar arithmetic by months and years, weeks that start on
// Sunday (week 1 holds 1 January) and ISO 8601 weeks, ages, Easter and working days.
//
// The library reads process-wide options that nothing in this system changes: dates are
// never shown as blank texts; a date text that cannot be read raises, while a number
// that cannot be read inside a date text counts as 0; two-digit years follow the
// cut-off rule with the cut-off year 1920; the weekend is Saturday and Sunday; working
// days skip Easter (Good Friday to Easter Monday) and Christmas Day.
//
// Loaded after fs_DateUtils, whose DaysInMonth, DaysInYear, IsPM, SameDate, SameTime and
// SameDateTime it hides.
#pragma once

#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsDateTimeRoutines : public TfsRTTIModule {
public:
  explicit TfsDateTimeRoutines(TfsScript* script);

  static constexpr const char* Category = "Date and time";
  // The fixed options.
  static constexpr int CutOffYear = 1920;
};

}  // namespace fs
