// Fresh GUIDs in their registry text form: hexadecimal groups in braces.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A random (version 4) GUID. Every parameter list gets one, a packet's lists included,
// so only the first comes from the system: it seeds a generator in the process that
// gives the others (unique in the process, random across processes).
std::string NewGuidText();

// 128 bits from the system's source of GUIDs (Windows: CoCreateGuid; POSIX: the
// system's random device).
void SystemGuidBits(std::uint64_t& hi, std::uint64_t& lo);

}  // namespace platform
