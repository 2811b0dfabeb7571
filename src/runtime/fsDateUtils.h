// fs_DateUtils: 131 date and time functions in the category "Date and time": the parts
// of a date value and where it lies in its year, month, week, day, hour and minute,
// the start and end of periods, spans and whole periods between two moments,
// increments, encoding, recoding and validating with ISO 8601 weeks, Julian dates and
// Unix time. Loaded after the system functions; fs_DateTimeRoutines, loaded next,
// answers for DaysInMonth, DaysInYear, IsPM, SameDate, SameTime and SameDateTime.
#pragma once

#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsDateUtils : public TfsRTTIModule {
public:
  explicit TfsDateUtils(TfsScript* script);

  static constexpr const char* Category = "Date and time";
};

}  // namespace fs
