#include "engine/fsRunLimit.h"

#include <algorithm>

#include "platform/Clock.h"
#include "rtl/Format.h"
#include "rtl/FormatArgs.h"

namespace fs {

const char* const kRunTimeLimitText = "Script run time limit exceeded (%d ms)";

namespace {
// Ticks before the clock is first read: rows with a short loop never read it.
constexpr std::int32_t kFirstStride = 8;
// Between reads the stride adapts so that the clock is read about once a millisecond
// whatever a pass costs.
constexpr std::int32_t kMaxStride = 1 << 16;
constexpr std::uint64_t kSlowGapMs = 4;
}  // namespace

ERunTimeLimit::ERunTimeLimit(std::uint32_t limitMs)
    : rtl::Exception(rtl::Format(kRunTimeLimitText, {rtl::FormatArg::FromInt64(limitMs)}),
                     "ERunTimeLimit") {}

void TfsRunLimit::Start(std::uint32_t limitMs) noexcept {
  FLimitMs = limitMs;
  FDeadline = 0;
  FWaitDepth = 0;
  FStride = kFirstStride;
  FCountdown = limitMs ? kFirstStride : INT32_MAX;
}

void TfsRunLimit::Finish() noexcept {
  FLimitMs = 0;
  FDeadline = 0;
  FCountdown = INT32_MAX;
}

void TfsRunLimit::Check() {
  if (FLimitMs == 0) {
    FCountdown = INT32_MAX;
    return;
  }
  const std::uint64_t now = platform::TickCount64();
  if (FDeadline == 0) {
    FDeadline = now + FLimitMs;
  } else {
    if (now >= FDeadline && FWaitDepth == 0) throw ERunTimeLimit(FLimitMs);
    if (now == FLastCheck)
      FStride = std::min(FStride * 2, kMaxStride);
    else if (now - FLastCheck > kSlowGapMs)
      FStride = std::max(FStride / 4, 1);
  }
  FLastCheck = now;
  FCountdown = FStride;
}

void TfsRunLimit::LongWorkGoesOn() {
  if (FLimitMs == 0) return;
  const std::uint64_t now = platform::TickCount64();
  if (FDeadline == 0)
    FDeadline = now + FLimitMs;
  else if (now >= FDeadline && FWaitDepth == 0)
    throw ERunTimeLimit(FLimitMs);
}

void TfsRunLimit::UserWaitBegins() noexcept {
  if (FWaitDepth++ == 0) FWaitStart = platform::TickCount64();
}

void TfsRunLimit::UserWaitEnds() noexcept {
  if (FWaitDepth == 0 || --FWaitDepth > 0) return;
  if (FDeadline != 0) FDeadline += platform::TickCount64() - FWaitStart;
}

}  // namespace fs
