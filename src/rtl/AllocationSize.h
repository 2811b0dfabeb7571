// Sizes of blocks computed from counts that scripts and callers control (array
// elements, string lengths, list capacities). Every such product or sum goes through
// here: a size that does not fit one allocation raises EOutOfMemory instead of wrapping
// around, which on 32 bits would hand out a block far smaller than what is written
// into it. The bound is the same on every build, so a script fails the same way on
// both.
#pragma once

#include <cstddef>

namespace rtl {

// The largest block handed out for one value: what a 32-bit length field can count.
inline constexpr std::size_t kMaxAllocation = 0x7FFFFFFF;

// Raises EOutOfMemory; out of line so that the checks below stay a compare each.
[[noreturn]] void AllocationTooLarge();

// count * elementSize, or EOutOfMemory when that exceeds kMaxAllocation.
inline std::size_t CheckedBytes(std::size_t count, std::size_t elementSize) {
  if (elementSize != 0 && count > kMaxAllocation / elementSize) AllocationTooLarge();
  return count * elementSize;
}

// a + b, or EOutOfMemory when that exceeds kMaxAllocation.
inline std::size_t CheckedSum(std::size_t a, std::size_t b) {
  if (a > kMaxAllocation || b > kMaxAllocation - a) AllocationTooLarge();
  return a + b;
}

}  // namespace rtl
