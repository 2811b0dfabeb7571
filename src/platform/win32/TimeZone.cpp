#include "platform/TimeZone.h"

#include <windows.h>

#include "rtl/CodePage.h"

namespace platform {

namespace {

std::string ZoneName(const WCHAR* name) {
  std::u16string wide(reinterpret_cast<const char16_t*>(name));
  return rtl::WideToAnsi(wide).str();
}

}  // namespace

TimeZoneInfo CurrentTimeZone() {
  TIME_ZONE_INFORMATION tz{};
  const DWORD id = GetTimeZoneInformation(&tz);
  TimeZoneInfo info;
  info.Bias = tz.Bias;
  info.StandardBias = tz.StandardBias;
  info.DaylightBias = tz.DaylightBias;
  info.State = id == TIME_ZONE_ID_STANDARD   ? TimeZoneState::Standard
               : id == TIME_ZONE_ID_DAYLIGHT ? TimeZoneState::Daylight
                                             : TimeZoneState::Unknown;
  info.StandardName = ZoneName(tz.StandardName);
  info.DaylightName = ZoneName(tz.DaylightName);
  return info;
}

}  // namespace platform
