#include "rtl/NumberText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace rtl;

TEST(NumberText, IntegerTextLimits) {
  struct {
    const char* Text;
    NumParse Result;
    std::int64_t Value;
  } const cases[] = {
      {"9223372036854775807", NumParse::Ok, INT64_MAX},
      {"9223372036854775808", NumParse::Overflow, 0},
      {"-9223372036854775808", NumParse::Ok, INT64_MIN},
      {"-9223372036854775809", NumParse::Overflow, 0},
      {"$7FFFFFFFFFFFFFFF", NumParse::Ok, INT64_MAX},
      {"0X00000000000000000001", NumParse::Ok, 1},
      {"$10000000000000000", NumParse::Overflow, 0},
      {"$1000000000000000G", NumParse::Invalid, 0},
      {"$", NumParse::Invalid, 0},
      {"0x", NumParse::Invalid, 0},
      {"+-1", NumParse::Invalid, 0},
      {"-", NumParse::Invalid, 0},
      {"\t 0 \r\n", NumParse::Ok, 0},
      {"1.0", NumParse::Invalid, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    std::int64_t v = 0;
    EXPECT_EQ(TextToInt64(c.Text, v), c.Result);
    if (c.Result == NumParse::Ok) {
      EXPECT_EQ(v, c.Value);
    }
  }
}

TEST(NumberText, FloatTextForms) {
  struct {
    const char* Text;
    NumParse Result;
    double Value;
  } const cases[] = {
      {"5.", NumParse::Ok, 5},          {"-.5", NumParse::Ok, -0.5},      {"1E+2", NumParse::Ok, 100},
      {"000.000123", NumParse::Ok, 0.000123},
      {"1.7976931348623157e308", NumParse::Ok, 1.7976931348623157e308},
      {"1.8e308", NumParse::Overflow, 0}, {"1e999999999999", NumParse::Overflow, 0},
      {"1e-999999999999", NumParse::Ok, 0},
      {"0.100000000000000000000000000000000000000000000000000000000001", NumParse::Ok, 0.1},
      {"123456789012345678901234567890", NumParse::Ok, 1.2345678901234568e29},
      {"e5", NumParse::Invalid, 0},     {"1e", NumParse::Invalid, 0},     {"1.2.3", NumParse::Invalid, 0},
      {".", NumParse::Invalid, 0},      {"1,5", NumParse::Invalid, 0},    {"INF", NumParse::Invalid, 0},
      {"0x10", NumParse::Invalid, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    double v = -1;
    EXPECT_EQ(TextToFloat(c.Text, v, '.'), c.Result);
    if (c.Result == NumParse::Ok) {
      EXPECT_EQ(v, c.Value);
    }
  }
}

TEST(NumberText, GeneralFormatPrecisionAndRounding) {
  EXPECT_EQ(FloatToText(123.456, '.', 4), "123.5");
  // An exact half rounds away from zero; a value just below a half rounds down.
  EXPECT_EQ(FloatToText(12345.0, '.', 4), "1.235E4");
  EXPECT_EQ(FloatToText(-0.125, '.', 2), "-0.13");
  EXPECT_EQ(FloatToText(1234567890123445.0, '.'), "1.23456789012345E15");
  EXPECT_EQ(FloatToText(2.675, '.', 3), "2.67");
  EXPECT_EQ(FloatToText(9.9999, '.', 4), "10");
  EXPECT_EQ(FloatToText(999999999999999.0, '.'), "999999999999999");
  EXPECT_EQ(FloatToText(9999999999999999.0, '.'), "1E16");
  EXPECT_EQ(FloatToText(0.000123, '.'), "0.000123");
  EXPECT_EQ(CurrencyToText(INT64_MAX, '.'), "922337203685477.5807");
  EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
}
