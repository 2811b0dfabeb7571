// Ticks: the operating system's millisecond counters.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, 64-bit; nullptr-free on every system we run on.
std::uint64_t TickCount64();
// The 32-bit millisecond counter that wraps after 49.7 days.
std::uint32_t TickCount32();
// Whether the 64-bit counter exists (looked up once); otherwise time-outs widen the
// 32-bit one themselves.
bool HasTickCount64();

}  // namespace platform
