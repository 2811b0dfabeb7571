#include <cstdio>
#include <mutex>
#include <random>

#include "platform/Guid.h"

namespace platform {

std::string NewGuidText() {
  static std::mutex lock;
  static std::mt19937_64 engine = [] {
    std::uint64_t hi = 0, lo = 0;
    SystemGuidBits(hi, lo);
    std::seed_seq seed{static_cast<std::uint32_t>(hi >> 32), static_cast<std::uint32_t>(hi),
                       static_cast<std::uint32_t>(lo >> 32), static_cast<std::uint32_t>(lo)};
    return std::mt19937_64(seed);
  }();
  std::uint64_t hi, lo;
  {
    std::lock_guard guard(lock);
    hi = engine();
    lo = engine();
  }
  hi = (hi & ~0xF000ull) | 0x4000ull;                     // version 4
  lo = (lo & ~(0xC0ull << 56)) | (0x80ull << 56);         // the standard variant
  char buf[40];
  std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%04X-%012llX}", static_cast<unsigned>(hi >> 32),
                static_cast<unsigned>((hi >> 16) & 0xFFFF), static_cast<unsigned>(hi & 0xFFFF),
                static_cast<unsigned>(lo >> 48), static_cast<unsigned long long>(lo & 0xFFFFFFFFFFFFull));
  return buf;
}

}  // namespace platform
