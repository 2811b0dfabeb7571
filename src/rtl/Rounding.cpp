#include "rtl/Rounding.h"

#include <cmath>
#include <limits>

#include "rtl/NumberText.h"

namespace rtl {

namespace {

// 2^63: the first magnitude a 64-bit integer cannot hold, exact as a double.
constexpr double kTwoPow63 = 9223372036854775808.0;

std::int64_t ToInt64OrIndefinite(double whole) noexcept {
  if (!(whole >= -kTwoPow63 && whole < kTwoPow63)) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(whole);
}

std::int32_t Low32(std::int64_t v) noexcept {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

}  // namespace

bool FitsInt64(double v) noexcept { return v >= -kTwoPow63 && v < kTwoPow63; }

std::int64_t RoundToInt64(double v) noexcept { return ToInt64OrIndefinite(RoundHalfEven(v)); }
std::int64_t TruncToInt64(double v) noexcept { return ToInt64OrIndefinite(std::trunc(v)); }
std::int32_t RoundToInt32(double v) noexcept { return Low32(RoundToInt64(v)); }
std::int32_t TruncToInt32(double v) noexcept { return Low32(TruncToInt64(v)); }

}  // namespace rtl
