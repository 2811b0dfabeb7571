#include "rtl/LongWork.h"

namespace rtl {

namespace {
// Units between two questions to the listener: some tens of microseconds of work.
constexpr std::int64_t kUnitsPerQuestion = 1 << 16;
thread_local TLongWorkListener* tListener = nullptr;
}  // namespace

namespace detail {
thread_local std::int64_t tLongWorkCountdown = kUnitsPerQuestion;

void LongWorkDue() {
  tLongWorkCountdown = kUnitsPerQuestion;
  if (tListener) tListener->LongWorkGoesOn();
}
}  // namespace detail

TLongWorkListener* SetLongWorkListener(TLongWorkListener* listener) noexcept {
  TLongWorkListener* previous = tListener;
  tListener = listener;
  return previous;
}

}  // namespace rtl
