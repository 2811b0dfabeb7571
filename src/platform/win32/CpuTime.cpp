#include "platform/CpuTime.h"

#include <windows.h>

namespace platform {

namespace {
double Seconds(const FILETIME& t) {
  const ULONGLONG units = (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  return static_cast<double>(units) * 1e-7;  // 100 ns units
}
}  // namespace

double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
  return Seconds(kernel) + Seconds(user);
}

}  // namespace platform
