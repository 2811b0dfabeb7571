#include "Public/Common/orbTimeout.h"

#include <atomic>

#include "platform/Clock.h"

namespace orb {

namespace {
const TTickSource kSystemTicks = {platform::HasTickCount64(), &platform::TickCount64, &platform::TickCount32};
std::atomic<const TTickSource*> gTicks{nullptr};

const TTickSource& Ticks() {
  const TTickSource* s = gTicks.load(std::memory_order_acquire);
  return s ? *s : kSystemTicks;
}
}  // namespace

void SetTickSource(const TTickSource* source) { gTicks.store(source, std::memory_order_release); }

std::uint64_t TimeoutNow(TTimeout& t) {
  const TTickSource& ticks = Ticks();
  if (ticks.Has64) return ticks.Read64();
  std::uint32_t low = ticks.Read32();
  if (low < t.LastLow) ++t.Wraps;
  t.LastLow = low;
  return (static_cast<std::uint64_t>(t.Wraps) << 32) | low;
}

void StartTimeout(TTimeout& t, std::uint32_t interval) {
  const TTickSource& ticks = Ticks();
  std::uint64_t now = ticks.Has64 ? ticks.Read64() : ticks.Read32();
  t.Start = now;
  t.LastLow = static_cast<std::uint32_t>(now);
  t.Wraps = static_cast<std::uint32_t>(now >> 32);
  t.Interval = interval;
  t.Deadline = now + interval;
  t.Active = true;
}

bool TimedOut(TTimeout& t) { return TimeoutNow(t) >= t.Deadline; }

}  // namespace orb
