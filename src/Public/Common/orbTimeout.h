// Time-outs on the millisecond tick count. Where only the 32-bit count exists, a
// time-out widens it to 64 bits itself by counting the wraps it sees.
#pragma once

#include <cstdint>

namespace orb {

struct TTimeout {
  std::uint64_t Start = 0;
  std::uint64_t Deadline = 0;
  std::uint32_t LastLow = 0;
  std::uint32_t Wraps = 0;
  std::uint32_t Interval = 0;
  bool Active = false;
};

// The tick source a time-out reads: the 64-bit count, or the 32-bit one widened.
// Replaceable for tests of the wrap-around.
struct TTickSource {
  bool Has64;
  std::uint64_t (*Read64)();
  std::uint32_t (*Read32)();
};
void SetTickSource(const TTickSource* source);  // nullptr: the system's

void StartTimeout(TTimeout& t, std::uint32_t interval);
bool TimedOut(TTimeout& t);
// Now, read through the time-out (updates the wrap count in the 32-bit mode).
std::uint64_t TimeoutNow(TTimeout& t);

}  // namespace orb
