// fs_TimeZones: 23 functions in the category "Date and time (time zones)": the local
// time zone's bias and name, conversions between local time and GMT, zone differences
// written as "GMT+1" or as RFC 822 zones ("(+0100)", "EDT"), and date texts in the
// RFC 822 style. The zone is the platform's (the TZ variable on POSIX), read at every
// call.
#pragma once

#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsTimeZones : public TfsRTTIModule {
public:
  explicit TfsTimeZones(TfsScript* script);

  static constexpr const char* Category = "Date and time (time zones)";
};

}  // namespace fs
