#include "platform/LocalTime.h"

#include <windows.h>

namespace platform {

LocalDateTime LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  LocalDateTime now;
  now.Year = st.wYear;
  now.Month = st.wMonth;
  now.Day = st.wDay;
  now.Hour = st.wHour;
  now.Minute = st.wMinute;
  now.Second = st.wSecond;
  now.Millisecond = st.wMilliseconds;
  return now;
}

}  // namespace platform
