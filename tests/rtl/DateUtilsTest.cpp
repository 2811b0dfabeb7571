#include "rtl/DateUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "rtl/Exceptions.h"

using namespace rtl;

namespace {

std::string ConvertErrorOf(void (*f)()) {
  try {
    f();
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return "(no error)";
}

}  // namespace

TEST(DateUtils, EncodeDateCountsDaysFromTheEpoch) {
  struct {
    int Y, M, D;
    double Serial;
  } const cases[] = {
      {1899, 12, 30, 0},    {1900, 1, 1, 2},      {2024, 1, 1, 45292},     {2024, 2, 29, 45351},
      {2024, 3, 14, 45365}, {1, 1, 1, -693593},   {9999, 12, 31, 2958465}, {1899, 12, 29, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.Y) + "-" + std::to_string(c.M) + "-" + std::to_string(c.D));
    EXPECT_EQ(EncodeDate(c.Y, c.M, c.D), c.Serial);
    std::uint16_t y, m, d;
    DecodeDate(c.Serial, y, m, d);
    EXPECT_EQ(y, c.Y);
    EXPECT_EQ(m, c.M);
    EXPECT_EQ(d, c.D);
  }
}

TEST(DateUtils, EncodeRejectsPartsOutOfRange) {
  const int badDates[][3] = {{2023, 2, 29}, {1900, 2, 29}, {0, 1, 1}, {10000, 1, 1},
                             {2024, 13, 1}, {2024, 0, 1},  {2024, 4, 31}, {2024, 1, 0}};
  for (const auto& d : badDates) {
    try {
      EncodeDate(d[0], d[1], d[2]);
      ADD_FAILURE() << d[0] << "-" << d[1] << "-" << d[2];
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "Invalid argument to date encode");
    }
  }
  const int badTimes[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
  for (const auto& t : badTimes) {
    try {
      EncodeTime(t[0], t[1], t[2], t[3]);
      ADD_FAILURE() << t[0] << ":" << t[1] << ":" << t[2] << "." << t[3];
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "Invalid argument to time encode");
    }
  }
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_NEAR(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0, 1e-15);
}

TEST(DateUtils, DecodeTimeRoundsToTheMillisecond) {
  struct {
    double Value;
    int H, N, S, Z;
  } const cases[] = {
      {0.5, 12, 0, 0, 0},
      {EncodeDate(2024, 3, 5) + EncodeTime(13, 4, 9, 7), 13, 4, 9, 7},
      // Before the epoch the fraction still counts forward from midnight.
      {-1.25, 6, 0, 0, 0},
      // Rounds up to midnight: the next day starts, no hour 24.
      {0.999999999999, 0, 0, 0, 0},
      // The time of day is there even for a value beyond the years a date can have.
      {1e10 + 0.75, 18, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Value);
    std::uint16_t h, n, s, z;
    DecodeTime(c.Value, h, n, s, z);
    EXPECT_EQ(h, c.H);
    EXPECT_EQ(n, c.N);
    EXPECT_EQ(s, c.S);
    EXPECT_EQ(z, c.Z);
  }
  std::uint16_t y, m, d;
  DecodeDate(0.999999999999, y, m, d);
  EXPECT_EQ(d, 31);  // 31 December 1899, as the rounded time says
  DecodeDate(-1.25, y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
}

TEST(DateUtils, ValuesThatAreNoDateRaise) {
  EXPECT_EQ(ConvertErrorOf([] {
              std::uint16_t y, m, d;
              DecodeDate(std::numeric_limits<double>::quiet_NaN(), y, m, d);
            }),
            "'NAN' is not a valid date and time");
  EXPECT_EQ(ConvertErrorOf([] {
              std::uint16_t y, m, d;
              DecodeDate(3e6, y, m, d);
            }),
            "'3000000' is not a valid date and time");
  EXPECT_EQ(ConvertErrorOf([] { DayOfWeek(-1e9); }), "'-1000000000' is not a valid date and time");
  EXPECT_EQ(ConvertErrorOf([] {
              std::uint16_t h, n, s, z;
              DecodeTime(std::numeric_limits<double>::infinity(), h, n, s, z);
            }),
            "'INF' is not a valid date and time");
}

TEST(DateUtils, DayOfWeekStartsOnSunday) {
  EXPECT_EQ(DayOfWeek(0), 7);                       // 30 December 1899, a Saturday
  EXPECT_EQ(DayOfWeek(1.9), 1);                     // Sunday, whatever the time
  EXPECT_EQ(DayOfWeek(-1.5), 6);                    // Friday 29 December 1899
  EXPECT_EQ(DayOfWeek(-7), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 14)), 5);  // Thursday
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);      // Monday
  EXPECT_EQ(DayOfWeek(EncodeDate(9999, 12, 31)), 6);
}

TEST(DateUtils, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 4), 30);
  EXPECT_EQ(DaysInMonth(2023, 12), 31);
  EXPECT_EQ(DaysInMonth(2023, 13), 0);
  EXPECT_EQ(DaysInMonth(2023, 0), 0);
  EXPECT_EQ(DaysInYear(2024), 366);
  EXPECT_EQ(DaysInYear(2100), 365);
}
