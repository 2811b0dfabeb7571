#include "rtl/Rounding.h"

#include <gtest/gtest.h>

#include <limits>

using namespace rtl;

TEST(Rounding, RoundHalvesGoToTheEvenNeighbour) {
  struct {
    double Value;
    std::int32_t Round, Trunc;
  } const cases[] = {
      {2.5, 2, 2},
      {3.5, 4, 3},
      {-0.5, 0, 0},
      {-2.5, -2, -2},
      {-3.5, -4, -3},
      {-2.7, -3, -2},
      {2.7, 3, 2},
      {0.49999999999999994, 0, 0},
      {1.5000000000000002, 2, 1},
      {4503599627370497.0, 1, 1},  // 2^52 + 1: no fraction left to round
      // Only the low 32 bits of the 64-bit result remain.
      {2147483648.0, INT32_MIN, INT32_MIN},
      {4294967297.5, 2, 1},
      // Beyond 64 bits, and not a number: the integer indefinite, whose low half is 0.
      {1e30, 0, 0},
      {-1e30, 0, 0},
      {std::numeric_limits<double>::quiet_NaN(), 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(RoundToInt32(c.Value), c.Round);
    EXPECT_EQ(TruncToInt32(c.Value), c.Trunc);
  }
  EXPECT_EQ(RoundToInt64(4294967296.5), 4294967296);
  EXPECT_EQ(RoundToInt64(9.3e18), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(TruncToInt64(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
}
