#include "rtl/FormatFloat.h"

#include <gtest/gtest.h>

#include <limits>

#include "rtl/Exceptions.h"

using namespace rtl;

namespace {

struct Case {
  const char* Picture;
  double Value;
  const char* Expected;
};

void ExpectAll(const Case* cases, std::size_t n, const FormatSettings& fs = FormatSettings()) {
  for (std::size_t i = 0; i < n; ++i) {
    SCOPED_TRACE(std::string("picture ") + cases[i].Picture + " value " + std::to_string(cases[i].Value));
    EXPECT_EQ(FormatFloat(cases[i].Picture, cases[i].Value, fs), cases[i].Expected);
  }
}

}  // namespace

TEST(FormatFloat, PlaceholdersAndGrouping) {
  const Case cases[] = {
      {"0.00", 3.14159, "3.14"},
      {"000", 7, "007"},
      {"#0#", 5, "05"},  // digits show from the first "0" on
      {"0.##", 1, "1"},  // no decimal separator without decimals
      {"#.##", 0.5, ".5"},
      {"#.##", 0, ""},
      {"#.0#", 2.5, "2.5"},
      {"0.", 2.7, "3"},
      {"00.00", -0.5, "-00.50"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0", -1234567, "-1,234,567"},
      {"0,0", 1234, "1,234"},  // a "," anywhere turns grouping on
      {"#,##0.00", 0.5, "0.50"},
      {"0", 123456, "123456"},  // digits beyond the placeholders go to the first one
      {".00", 5.25, "5.25"},
      {"\"abc\"", 5, "abc"},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(FormatFloat, RoundsHalfAwayFromZeroOnEighteenDigits) {
  const Case cases[] = {
      {"0", 2.5, "3"},
      {"0", -2.5, "-3"},
      {"0.00", 0.125, "0.13"},
      {"0.00", 1.005, "1.00"},  // stored as 1.00499999999999989...
      {"0.0", 9.96, "10.0"},
      {"0.00", 1e-10, "0.00"},
      {"0.00", -0.001, "0.00"},  // rounds to zero: no minus sign
      {"0", 123456789012345678.0, "123456789012345680"},
      {"0.000000000000000000", 0.1, "0.100000000000000006"},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(FormatFloat, Sections) {
  const Case cases[] = {
      {"0.00;(0.00)", -5.5, "(5.50)"},
      {"0.00;(0.00)", 5.5, "5.50"},
      {"0.00;(0.00);zero", 0, "zero"},
      {"0.0;-0.0;\"nil\"", 0.04, "nil"},  // rounds to zero with the first section
      {"0.0;-0.0;\"nil\"", -0.04, "nil"},
      {"0.00;(0.0)", -1.26, "(1.3)"},     // the negative section rounds with its own places
      {"0.00;", -2, "-2.00"},             // an empty second section means the first
      {"0.00;;", 0, "0.00"},
      {"0.00;-0.00", 0, "0.00"},          // no zero section: the first
      {"0.00;(0);zero", -0.3, "(0)"},
      {"'a;b'0", 3, "a;b3"},              // a quoted ";" separates nothing
      {"0;1;2;3", 0, "2"},                // a fourth section is ignored
      {"\"$\"0.00", -5, "-$5.00"},        // the sign leads the first section
      {"0' units'", 3, "3 units"},
      {"\"#,0.\"0", 7, "#,0.7"},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(FormatFloat, Scientific) {
  const Case cases[] = {
      {"0.00E+00", 12345, "1.23E+04"},
      {"0.00E-00", 12345, "1.23E04"},
      {"0.00E-00", 0.00012345, "1.23E-04"},
      {"0.00E+00", -0.00012345, "-1.23E-04"},
      {"00.0E+0", 12345, "12.3E+3"},
      {"0.0e+000", 1.5, "1.5e+000"},
      {"0E+", 5, "5E+0"},
      {"0.0E+0000000", 1, "1.0E+0000"},  // at most four exponent digits count
      {"0.##E+00", 1.5, "1.5E+00"},
      {"0.00E+00", 0, "0.00E+00"},
      {"0.00E+00", 9.999, "1.00E+01"},
      {"0.00E+00", 1e100, "1.00E+100"},  // no fallback: scientific holds any size
      {"0E", 7, "7E"},                    // an "E" without a sign is text
  };
  ExpectAll(cases, std::size(cases));
}

TEST(FormatFloat, GeneralFormatFallbacks) {
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {"", 1234.5, "1234.5"},
      {";0", 5, "5"},
      {"", 1.0 / 3, "0.333333333333333"},
      {"0.00", inf, "INF"},
      {"0.00", -inf, "-INF"},
      {"0.00", std::numeric_limits<double>::quiet_NaN(), "NAN"},
      {"0", 1e18, "1E18"},
      {"#,##0", -2.5e20, "-2.5E20"},
      {"0", 1e17, "100000000000000000"},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(FormatFloat, UsesTheLocaleSeparators) {
  FormatSettings fs;
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  const Case cases[] = {
      {"#,##0.00", 1234.5, "1.234,50"},
      {"0.0E+0", 1234.5, "1,2E+3"},
      {"", 1.5, "1,5"},
  };
  ExpectAll(cases, std::size(cases), fs);
  fs.ThousandSeparator = '\0';
  EXPECT_EQ(FormatFloat("#,##0", 1234567, fs), "1234567");
}

TEST(FormatFloat, RejectsLongPictures) {
  const std::string longest(224, '0');
  EXPECT_EQ(FormatFloat(longest, 1).size(), 224u);
  try {
    FormatFloat(longest + "0", 1);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Format string too long");
  }
}
