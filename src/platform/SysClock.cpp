// The base library's clock, met by the platform's local time.
#include "rtl/SysClock.h"

#include "platform/LocalTime.h"

namespace rtl::sys {

DateTimeParts LocalNow() {
  const platform::LocalDateTime now = platform::LocalNow();
  DateTimeParts parts;
  parts.Year = now.Year;
  parts.Month = now.Month;
  parts.Day = now.Day;
  parts.Hour = now.Hour;
  parts.Minute = now.Minute;
  parts.Second = now.Second;
  parts.Millisecond = now.Millisecond;
  return parts;
}

}  // namespace rtl::sys
