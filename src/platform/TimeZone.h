// TimeZone: the time-zone information of the system, read afresh at every call.
//
// Windows: GetTimeZoneInformation. POSIX: the C library's local zone, so that the TZ
// environment variable selects it: the base bias is the zone's standard offset, the
// daylight bias the difference to its daylight-saving offset, and the state says which
// of the two is in force now. A zone without daylight saving reports neither state,
// as Windows does.
#pragma once

#include <string>

namespace platform {

enum class TimeZoneState { Unknown, Standard, Daylight };

// Biases in minutes, in the sense UTC = local time + bias.
struct TimeZoneInfo {
  int Bias = 0;
  int StandardBias = 0;
  int DaylightBias = 0;
  TimeZoneState State = TimeZoneState::Unknown;
  // In the process code page.
  std::string StandardName;
  std::string DaylightName;
};

TimeZoneInfo CurrentTimeZone();

}  // namespace platform
