// FileDate: date values and the packed file time stamps that file dates travel in:
// the date in the high 16 bits (years since 1980 × 512 + month × 32 + day), the time
// of day in the low 16 bits (hour × 2048 + minute × 32 + seconds / 2), local time.
#pragma once

#include <cstdint>

namespace rtl {

// 0 for a year outside 1980 ... 2107, which no stamp can hold.
std::int32_t PackFileDate(int year, int month, int day, int hour, int minute, int second) noexcept;
// Raises "Invalid argument to date encode" or "... time encode" for a stamp whose
// parts make no date or time.
double FileDateToDateTime(std::int32_t fileDate);
// Seconds are rounded down to even; 0 for a year outside 1980 ... 2107.
std::int32_t DateTimeToFileDate(double value);

}  // namespace rtl
