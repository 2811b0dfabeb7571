// The local clock, as the base library's date routines ask for it.
#include "rtl/SysClock.h"

#include <time.h>

namespace rtl::sys {

DateTimeParts LocalNow() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm parts{};
  localtime_r(&ts.tv_sec, &parts);
  DateTimeParts now;
  now.Year = parts.tm_year + 1900;
  now.Month = parts.tm_mon + 1;
  now.Day = parts.tm_mday;
  now.Hour = parts.tm_hour;
  now.Minute = parts.tm_min;
  // A leap second reads as the last second of its minute.
  now.Second = parts.tm_sec > 59 ? 59 : parts.tm_sec;
  now.Millisecond = static_cast<int>(ts.tv_nsec / 1000000);
  return now;
}

}  // namespace rtl::sys
