#include "rtl/FileDate.h"

#include "rtl/DateUtils.h"

namespace rtl {

std::int32_t PackFileDate(int year, int month, int day, int hour, int minute, int second) noexcept {
  if (year < 1980 || year > 2107) return 0;
  const auto date = static_cast<std::uint32_t>(((year - 1980) << 9) | (month << 5) | day);
  const auto time = static_cast<std::uint32_t>((hour << 11) | (minute << 5) | (second / 2));
  return static_cast<std::int32_t>(date << 16 | time);
}

double FileDateToDateTime(std::int32_t fileDate) {
  const auto packed = static_cast<std::uint32_t>(fileDate);
  const std::uint32_t date = packed >> 16, time = packed & 0xFFFF;
  const double day = EncodeDate(static_cast<int>((date >> 9) + 1980), static_cast<int>((date >> 5) & 15),
                                static_cast<int>(date & 31));
  const double clock = EncodeTime(static_cast<int>(time >> 11), static_cast<int>((time >> 5) & 63),
                                  static_cast<int>((time & 31) * 2), 0);
  return ComposeDateTime(day, clock);
}

std::int32_t DateTimeToFileDate(double value) {
  const DateTimeParts p = DecodeDateTime(value);
  return PackFileDate(p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second);
}

}  // namespace rtl
