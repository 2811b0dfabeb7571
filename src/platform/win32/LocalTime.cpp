// The local clock, as the base library's date routines ask for it.
#include "rtl/SysClock.h"

#include <windows.h>

namespace rtl::sys {

DateTimeParts LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  DateTimeParts now;
  now.Year = st.wYear;
  now.Month = st.wMonth;
  now.Day = st.wDay;
  now.Hour = st.wHour;
  now.Minute = st.wMinute;
  now.Second = st.wSecond;
  now.Millisecond = st.wMilliseconds;
  return now;
}

}  // namespace rtl::sys
