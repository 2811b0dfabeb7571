#include "platform/Guid.h"

#include <cstdio>
#include <mutex>
#include <random>

namespace platform {

// A random (version 4) GUID.
std::string NewGuidText() {
  static std::mutex lock;
  static std::mt19937_64 engine{std::random_device{}()};
  std::uint64_t hi, lo;
  {
    std::lock_guard guard(lock);
    hi = engine();
    lo = engine();
  }
  hi = (hi & ~0xF000ull) | 0x4000ull;
  lo = (lo & ~(0xC0ull << 56)) | (0x80ull << 56);
  char buf[40];
  std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%04X-%012llX}", static_cast<unsigned>(hi >> 32),
                static_cast<unsigned>((hi >> 16) & 0xFFFF), static_cast<unsigned>(hi & 0xFFFF),
                static_cast<unsigned>(lo >> 48), static_cast<unsigned long long>(lo & 0xFFFFFFFFFFFFull));
  return buf;
}

}  // namespace platform
