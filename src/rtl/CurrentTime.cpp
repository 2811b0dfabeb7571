#include "rtl/CurrentTime.h"

#include "rtl/DateText.h"
#include "rtl/SysClock.h"

namespace rtl {

namespace {

void Split(double& date, double& time) {
  const DateTimeParts now = sys::LocalNow();
  date = 0;
  time = 0;
  // The clock gives valid parts; should it not, the day still comes out right.
  TryEncodeDate(now.Year, now.Month, now.Day, date);
  TryEncodeTime(now.Hour, now.Minute, now.Second, now.Millisecond, time);
}

}  // namespace

double Now() {
  double date, time;
  Split(date, time);
  return ComposeDateTime(date, time);
}

double Date() {
  double date, time;
  Split(date, time);
  return date;
}

double Time() {
  double date, time;
  Split(date, time);
  return time;
}

}  // namespace rtl
