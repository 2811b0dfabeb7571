// The conversion functions of the system functions module, through scripts: integers
// from text in decimal and hexadecimal with their exact error texts, floats, Booleans,
// dates and times in the locale's forms, and the Valid... tests that never raise.
#include <gtest/gtest.h>

#include <string>

#include "runtime/SysFunctionsTestSupport.h"

namespace fs {
namespace {

using test::EvalCase;
using test::SysFunctionsHost;
using SysFunctionsConversionTest = test::SysFunctionsFixture;

TEST_F(SysFunctionsConversionTest, IntegersToAndFromText) {
  ExpectAll({
      {"IntToStr(-17)", "-17"},
      {"StrToInt('$1F')", "31"},
      {"StrToInt('x1f')", "31"},
      {"StrToInt('0X10')", "16"},
      {"StrToInt(' 12')", "12"},
      {"StrToInt('+7')", "7"},
      {"StrToInt('-2147483648')", "-2147483648"},
      {"StrToInt('$FFFFFFFF')", "-1"},
      {"StrToInt('-$10')", "-16"},
      {"StrToInt('12 ')", "error: '12 ' is not a valid integer value"},
      {"StrToInt('2147483648')", "error: '2147483648' is not a valid integer value"},
      {"StrToInt('$100000000')", "error: '$100000000' is not a valid integer value"},
      {"StrToInt('')", "error: '' is not a valid integer value"},
      {"StrToInt('$')", "error: '$' is not a valid integer value"},
      {"StrToInt('1.5')", "error: '1.5' is not a valid integer value"},
      {"StrToInt64('9223372036854775807')", "9223372036854775807"},
      {"StrToInt64('$FFFFFFFFFFFFFFFF')", "-1"},
      {"StrToInt64('$100000000')", "4294967296"},
      {"StrToInt64('9223372036854775808')", "error: '9223372036854775808' is not a valid integer value"},
  });
}

TEST_F(SysFunctionsConversionTest, FloatsBooleansAndVariants) {
  ExpectAll({
      {"FloatToStr(0.1)", "0.1"},
      {"FloatToStr(1/3)", "0.333333333333333"},
      {"FloatToStr(1e20)", "1E20"},
      {"FloatToStr(-2.5e-7)", "-2.5E-7"},
      {"StrToFloat('1.5e3')", "1500"},
      {"StrToFloat(' -0.25 ')", "-0.25"},
      {"StrToFloat('1,5')", "error: '1,5' is not a valid floating point value"},
      {"StrToFloat('abc')", "error: 'abc' is not a valid floating point value"},
      {"BoolToStr(True)", "-1"},
      {"BoolToStr(False)", "0"},
      {"StrToBool('TRUE')", "True"},
      {"StrToBool('false')", "False"},
      {"StrToBool('0')", "False"},
      {"StrToBool('2.5')", "True"},
      {"StrToBool('yes')", "error: 'yes' is not a valid boolean value"},
      {"StrToBool(' 2.5')", "error: ' 2.5' is not a valid boolean value"},
      {"'[' + VarToStr(Null) + ']'", "[]"},
      {"VarToStr(1.5)", "1.5"},
  });
}

TEST_F(SysFunctionsConversionTest, DatesAndTimesInTheLocaleForms) {
  ExpectAll({
      {"DateToStr(EncodeDate(2024, 3, 14))", "3/14/2024"},
      {"TimeToStr(EncodeTime(13, 5, 9, 0))", "1:05:09 PM"},
      {"DateTimeToStr(EncodeDate(2024, 3, 14))", "3/14/2024"},
      {"DateTimeToStr(EncodeDate(2024, 3, 14) + EncodeTime(0, 0, 1, 0))", "3/14/2024 12:00:01 AM"},
      {"StrToDate('3/14/2024') = EncodeDate(2024, 3, 14)", "True"},
      {"VarType(StrToDate('3/14/2024'))", "7"},
      {"StrToDate('12:30')", "error: '12:30' is not a valid date"},
      {"StrToDate('2/30/2024')", "error: '2/30/2024' is not a valid date"},
      {"StrToTime('1:05 PM') = EncodeTime(13, 5, 0, 0)", "True"},
      {"StrToTime('3/14/2024')", "error: '3/14/2024' is not a valid time"},
      {"StrToDateTime('3/14/2024 13:05') = EncodeDate(2024, 3, 14) + EncodeTime(13, 5, 0, 0)", "True"},
      {"StrToDateTime('soon')", "error: 'soon' is not a valid date and time"},
  });
}

TEST_F(SysFunctionsConversionTest, ADayFirstLocale) {
  rtl::FormatSettings settings;
  settings.ShortDateFormat = "dd.mm.yyyy";
  settings.DateSeparator = '.';
  settings.DecimalSeparator = ',';
  settings.LongTimeFormat = "hh:nn:ss";
  test::EnglishSettings dayFirst(settings);
  ExpectAll({
      {"DateToStr(EncodeDate(2024, 3, 5))", "05.03.2024"},
      {"TimeToStr(EncodeTime(13, 5, 9, 0))", "13:05:09"},
      {"StrToDate('5.3.2024') = EncodeDate(2024, 3, 5)", "True"},
      {"FloatToStr(2.5)", "2,5"},
      {"StrToFloat('2,5') = 2.5", "True"},
      {"ValidFloat('2.5')", "False"},
  });
}

TEST_F(SysFunctionsConversionTest, ValidTestsNeverRaise) {
  ExpectAll({
      {"ValidInt('123')", "True"},
      {"ValidInt('$7FFFFFFF')", "True"},
      {"ValidInt('2147483648')", "False"},
      {"ValidInt('12a')", "False"},
      {"ValidInt(Null)", "False"},
      {"ValidFloat('-1.5E3')", "True"},
      {"ValidFloat('1.5.2')", "False"},
      {"ValidDate('2/29/2024')", "True"},
      {"ValidDate('2/29/2023')", "False"},
      {"ValidDate(VarArrayCreate([0, 1], varVariant))", "False"},
  });
  // Date values (reaching the String parameter through a variant) are written in the
  // short date format first, so a time of day does not matter.
  auto out = FHost.Run(R"(
var v: Variant;
begin
  v := EncodeDate(2024, 3, 14); Print(ValidDate(v));
  v := EncodeDate(2024, 3, 14) + EncodeTime(12, 0, 0, 0); Print(ValidDate(v));
  v := 2.5; Print(IntToStr(v));
  v := 3.5; Print(IntToStr(v));
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "True\nTrue\n2\n4\n");
}

}  // namespace
}  // namespace fs
