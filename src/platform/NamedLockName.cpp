// Shortening of lock names, shared by both systems' named locks.
#include <cstdint>
#include <string>

#include "platform/NamedLock.h"

namespace platform {

std::string ShortenLockName(const std::string& name, std::size_t maxLength) {
  if (name.size() <= maxLength || maxLength < 24) return name;
  // FNV-1a over the whole name keeps two long names that share a beginning apart.
  std::uint64_t hash = 1469598103934665603ull;
  for (unsigned char c : name) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  static const char hex[] = "0123456789abcdef";
  std::string tail = "_";
  for (int i = 60; i >= 0; i -= 4) tail += hex[(hash >> i) & 15];
  return name.substr(0, maxLength - tail.size()) + tail;
}

}  // namespace platform
