#include "platform/Guid.h"

#include <random>

namespace platform {

void SystemGuidBits(std::uint64_t& hi, std::uint64_t& lo) {
  std::random_device device;
  hi = (static_cast<std::uint64_t>(device()) << 32) | device();
  lo = (static_cast<std::uint64_t>(device()) << 32) | device();
}

}  // namespace platform
