// The stack guard: whether the calling thread's stack is nearly used up, so that a
// script's recursion or a deeply nested source ends with an error instead of running
// off the end of the stack, however small the host made its threads.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/CallStack.h"

namespace fs {

// Kept free below the deepest script level for the native work a level does (library
// calls, event handlers): a quarter of a small stack, at most this much.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kStackReserve = 256u << 10;
#else
constexpr std::size_t kStackReserve = 64u << 10;
#endif

// The lowest address the calling thread's script levels may use (0: not known).
inline std::uintptr_t StackFloor() {
  const platform::StackBounds bounds = platform::CurrentStackBounds();
  if (bounds.Low == 0) return 0;
  const std::size_t reserve = bounds.Size / 4 < kStackReserve ? bounds.Size / 4 : kStackReserve;
  return bounds.Low + reserve;
}

// here: an address in the caller's frame.
inline bool StackNearlyFull(std::uintptr_t here) { return here < StackFloor(); }

}  // namespace fs
