// Rounding: floating-point values taken to integers the way the runtime's Round and
// Trunc do it. Round goes to the nearest integer with halves to the even neighbour;
// Trunc goes toward zero. The 32-bit forms keep the low 32 bits of the 64-bit result,
// and a value that no 64-bit integer holds (NaN included) gives the integer
// "indefinite" pattern, whose low 32 bits are 0.
#pragma once

#include <cstdint>

namespace rtl {

// Whether v is a number that a 64-bit integer holds once rounded or truncated (false
// for NaN and the infinities): where the integer "indefinite" would stand for an
// answer, scripts get the invalid-operation error instead.
bool FitsInt64(double v) noexcept;
std::int64_t RoundToInt64(double v) noexcept;
std::int64_t TruncToInt64(double v) noexcept;
std::int32_t RoundToInt32(double v) noexcept;
std::int32_t TruncToInt32(double v) noexcept;

}  // namespace rtl
