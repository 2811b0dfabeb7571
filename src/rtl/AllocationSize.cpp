#include "rtl/AllocationSize.h"

#include "rtl/Exceptions.h"

namespace rtl {

std::size_t CheckedBytes(std::size_t count, std::size_t elementSize) {
  if (elementSize != 0 && count > kMaxAllocation / elementSize) throw EOutOfMemory();
  return count * elementSize;
}

std::size_t CheckedSum(std::size_t a, std::size_t b) {
  if (a > kMaxAllocation || b > kMaxAllocation - a) throw EOutOfMemory();
  return a + b;
}

}  // namespace rtl
