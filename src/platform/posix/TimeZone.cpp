#include "platform/TimeZone.h"

#include <time.h>

namespace platform {

namespace {

// The zone's offset east of UTC in minutes at a moment, whether daylight saving is in
// force then, and the zone's abbreviation then.
struct ZoneAt {
  int EastMinutes = 0;
  bool Daylight = false;
  std::string Name;
};

ZoneAt Zone(time_t when) {
  tm parts{};
  localtime_r(&when, &parts);
  ZoneAt z;
  z.EastMinutes = static_cast<int>(parts.tm_gmtoff / 60);
  z.Daylight = parts.tm_isdst > 0;
  z.Name = parts.tm_zone ? parts.tm_zone : "";
  return z;
}

}  // namespace

TimeZoneInfo CurrentTimeZone() {
  // TZ may have changed since the last call.
  tzset();
  const time_t now = time(nullptr);
  const ZoneAt current = Zone(now);
  // The standard and daylight offsets of the zone this year: look at the middle of
  // every month, which finds both halves of the year on either hemisphere.
  ZoneAt standard = current, daylight;
  bool haveStandard = !current.Daylight, haveDaylight = current.Daylight;
  if (current.Daylight) daylight = current;
  tm year{};
  localtime_r(&now, &year);
  for (int month = 0; month < 12 && !(haveStandard && haveDaylight); ++month) {
    tm probe{};
    probe.tm_year = year.tm_year;
    probe.tm_mon = month;
    probe.tm_mday = 15;
    probe.tm_hour = 12;
    probe.tm_isdst = -1;
    const ZoneAt z = Zone(mktime(&probe));
    if (z.Daylight && !haveDaylight) {
      daylight = z;
      haveDaylight = true;
    } else if (!z.Daylight && !haveStandard) {
      standard = z;
      haveStandard = true;
    }
  }
  TimeZoneInfo info;
  info.Bias = -standard.EastMinutes;
  info.StandardName = standard.Name;
  if (haveDaylight) {
    info.DaylightBias = -daylight.EastMinutes - info.Bias;
    info.DaylightName = daylight.Name;
    info.State = current.Daylight ? TimeZoneState::Daylight : TimeZoneState::Standard;
  }
  return info;
}

}  // namespace platform
