#include "platform/Clock.h"

#include <time.h>

namespace platform {

std::uint64_t TickCount64() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
}

std::uint32_t TickCount32() { return static_cast<std::uint32_t>(TickCount64()); }

bool HasTickCount64() { return true; }

}  // namespace platform
