// Local time: the current date and time of day on the user's clock (time zone and
// daylight saving applied), to the millisecond.
#pragma once

namespace platform {

struct LocalDateTime {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

LocalDateTime LocalNow();

}  // namespace platform
