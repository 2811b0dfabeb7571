// The date functions of the system functions module, through scripts: encoding and
// decoding with by-reference Word results, their range errors, the calendar helpers,
// and the clock functions against each other.
#include <gtest/gtest.h>

#include <string>

#include "runtime/SysFunctionsTestSupport.h"

namespace fs {
namespace {

using test::EvalCase;
using test::SysFunctionsHost;
using SysFunctionsDateTest = test::SysFunctionsFixture;

TEST_F(SysFunctionsDateTest, EncodeAndDecodeWriteTheirParts) {
  auto out = FHost.Run(R"(
var y, m, d, h, n, s, ms: Word; v: Variant;
begin
  DecodeDate(EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 999), y, m, d);
  Print(y); Print(m); Print(d);
  DecodeTime(EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 999), h, n, s, ms);
  Print(h); Print(n); Print(s); Print(ms);
  DecodeDate(-1.25, y, m, d); Print(d);
  DecodeTime(-1.25, h, n, s, ms); Print(h);
  v := 0; DecodeDate(45365, v, m, d); Print(VarType(v));
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "2024\n2\n29\n23\n59\n59\n999\n29\n6\n18\n");
}

TEST_F(SysFunctionsDateTest, CalendarFunctionsAndRangeErrors) {
  ExpectAll({
      {"EncodeDate(1899, 12, 30) = 0", "True"},
      {"VarType(EncodeDate(2024, 1, 1))", "7"},
      {"EncodeDate(2023, 2, 29)", "error: Invalid argument to date encode"},
      {"EncodeDate(10000, 1, 1)", "error: Invalid argument to date encode"},
      {"EncodeTime(24, 0, 0, 0)", "error: Invalid argument to time encode"},
      {"EncodeTime(12, 0, 0, 0) = 0.5", "True"},
      {"DayOfWeek(EncodeDate(2024, 3, 14))", "5"},
      {"DayOfWeek(EncodeDate(2024, 3, 17))", "1"},
      {"IsLeapYear(1900)", "False"},
      {"IsLeapYear(2000)", "True"},
      {"IsLeapYear(2024)", "True"},
      {"DaysInMonth(2024, 2)", "29"},
      {"DaysInMonth(2023, 2)", "28"},
      {"DaysInMonth(2023, 11)", "30"},
  });
}

TEST_F(SysFunctionsDateTest, ClockFunctionsAgree) {
  auto out = FHost.Run(R"(
var n, d, t: Double; y, m, dd: Word;
begin
  n := Now; d := Date; t := Time;
  Print(Frac(d) = 0);
  Print((t >= 0) and (t < 1));
  { The day may turn between the calls. }
  Print((d = Int(n)) or (d = Int(n) + 1));
  DecodeDate(n, y, m, dd);
  Print(y >= 2024);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "True\nTrue\nTrue\nTrue\n");
}

}  // namespace
}  // namespace fs
