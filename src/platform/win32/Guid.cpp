#include "platform/Guid.h"

#include <objbase.h>
#include <windows.h>

#include <cstring>

namespace platform {

void SystemGuidBits(std::uint64_t& hi, std::uint64_t& lo) {
  GUID g{};
  CoCreateGuid(&g);
  unsigned char bytes[16];
  std::memcpy(bytes, &g, sizeof bytes);
  std::memcpy(&hi, bytes, 8);
  std::memcpy(&lo, bytes + 8, 8);
}

}  // namespace platform
