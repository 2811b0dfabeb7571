// The date-text readers of fs_DateTimeRoutines (Str2Date and its relatives, the picture
// and digit forms, times) under a day-first locale and under the English month-first
// one, in every dialect. Texts without a year or with a day offset read against today.
#include <gtest/gtest.h>

#include <string>

#include "rtl/CurrentTime.h"
#include "rtl/DateUtils.h"
#include "runtime/DateLibrariesTestSupport.h"

namespace fs {
namespace {

std::string Two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// Show's text of a day (midnight).
std::string DayText(double day) {
  const rtl::DateTimeParts p = rtl::DecodeDateTime(day);
  return "date " + std::to_string(p.Year) + "-" + Two(p.Month) + "-" + Two(p.Day);
}

class DayFirstParsersTest : public test::DateLibrariesFixture {
protected:
  DayFirstParsersTest() : FDayFirst(test::DayFirstSettings()) {}

  test::LocaleScope FDayFirst;
};

TEST_F(DayFirstParsersTest, Str2DateFollowsItsSteps) {
  ExpectAll({
      // Digits only: 6 digits are day, month and year; 20 is not below the cut-off 1920.
      {"Str2Date('150320')", "date 1920-03-15"},
      {"Str2Date('150319')", "date 2019-03-15"},
      {"Str2Date('15032021')", "date 2021-03-15"},
      // Month names, day names, separators of every kind.
      {"Str2Date('15 March 99')", "date 1999-03-15"},
      {"Str2Date(' 15 mar 2021 ')", "date 2021-03-15"},
      {"Str2Date('Monday, 15-3-2021')", "date 2021-03-15"},
      {"Str2Date('15.3.19')", "date 2019-03-15"},
      {"Str2Date('15/3/20')", "date 1920-03-15"},
      {"Str2Date('..15,,3-/2021..')", "date 2021-03-15"},
      {"Str2Date('29.2.2024')", "date 2024-02-29"},
      // Empty texts, also once the separators are gone, are day 0 without an error.
      {"Str2Date('')", "date 1899-12-30"},
      {"Str2Date(' .-/ ')", "date 1899-12-30"},
      // Two-digit years under the other rules.
      {"Str2HistoricDate('15.3.30')", "date 1930-03-15"},
      {"Str2HistoricDate('15.3.24')", "date 2024-03-15"},
      {"Str2CutOffDate('15.3.30', 1950)", "date 2030-03-15"},
      {"Str2CutOffDate('15.3.60', 1950)", "date 1960-03-15"},
      // Defaults and other orders.
      {"Str2DateDef('', 1)", "date 1899-12-31"},
      {"Str2DateDef('31.2.2020', 1)", "date 1899-12-31"},
      {"Str2DateDef('15.3.19', 1)", "date 2019-03-15"},
      {"Str2Date2('15.3', 2023, 7)", "date 2024-03-15"},
      {"Str2Date2('15.8', 2023, 7)", "date 2023-08-15"},
      {"Str2Date2('15.8.2020', 2023, 7)", "date 2020-08-15"},
      {"StrFormat2Date('2024-03-14', 'yyyy-mm-dd')", "date 2024-03-14"},
      {"StrFormat2Date('03/14/24', 'mm/dd/yy')", "date 1924-03-14"},
      {"StrFormat2Date('20240314', 'YYYYMMDD')", "date 2024-03-14"},
      {"StrFormat2DateDef('x', 'dd/mm/yyyy', 2)", "date 1900-01-01"},
      {"DigitStr2Date('20240314')", "date 2024-03-14"},
      {"DigitStr2Date('')", "date 1899-12-30"},
      {"Str2Time('13:05:09')", "date 1899-12-30 13:05:09.000"},
      {"Str2Time('')", "date 1899-12-30"},
      {"Str2TimeDef('x', 0.5)", "date 1899-12-30 12:00:00.000"},
      // Failures name the text as it was passed.
      {"Str2Date('31.2.2020')", "error: Invalid Date - 31.2.2020"},
      {"Str2Date('1.2.3.4')", "error: Invalid Date - 1.2.3.4"},
      {"Str2Date('20240314')", "error: Invalid Date - 20240314"},
      {"Str2Date(' Tomorrow ')", "error: Invalid Date -  Tomorrow "},
      {"DigitStr2Date('2024031')", "error: Invalid Date - 2024031"},
      {"StrFormat2Date('31.2.2020', 'dd.mm.yyyy')", "error: Invalid Date - 31.2.2020"},
      {"Str2Date2('15.8', 2023, 13)", "error: Invalid Month"},
      {"Str2Time('25:00')", "error: Invalid Time"},
  });
  // A backslash separates too (written here only where it is no escape character).
  EXPECT_EQ(FHost.Eval("Str2Date('5\\3\\2021')"), "date 2021-03-05");
}

TEST_F(DayFirstParsersTest, TextsWithoutAYearOrWithAnOffsetReadAgainstToday) {
  const double today = rtl::Date();
  const rtl::DateTimeParts t = rtl::DecodeDateTime(today);
  const std::string ym = std::to_string(t.Year) + "-" + Two(t.Month);
  ExpectAll({
      {"Str2Date('5')", ("date " + ym + "-05").c_str()},
      {"Str2Date('+1')", DayText(today + 1).c_str()},
      {"Str2Date('-7')", DayText(today - 7).c_str()},
      {"Str2Date('+ten')", DayText(today).c_str()},
      {"Str2Date('1503')", ("date " + std::to_string(t.Year) + "-03-15").c_str()},
      {"Str2Date('15 march')", ("date " + std::to_string(t.Year) + "-03-15").c_str()},
  });
  // With ImplyHistoric a day later in the year than today is last year's, one before
  // it this year's (nothing to test on the year's first and last days).
  const rtl::DateTimeParts next = rtl::DecodeDateTime(today + 1), prev = rtl::DecodeDateTime(today - 1);
  if (next.Year == t.Year) {
    const std::string text = std::to_string(next.Day) + "." + std::to_string(next.Month);
    EXPECT_EQ(FHost.Eval("Str2Date('" + text + "', True)"), DayText(rtl::EncodeDate(t.Year - 1, next.Month, next.Day)));
    EXPECT_EQ(FHost.Eval("Str2Date('" + text + "')"), DayText(today + 1));
  }
  if (prev.Year == t.Year) {
    const std::string text = std::to_string(prev.Day) + "." + std::to_string(prev.Month);
    EXPECT_EQ(FHost.Eval("Str2Date('" + text + "', True)"), DayText(today - 1));
  }
}

using MonthFirstParsersTest = test::DateLibrariesFixture;

TEST_F(MonthFirstParsersTest, TheLocaleOrderDecides) {
  ExpectAll({
      {"Str2Date('3/14/2024')", "date 2024-03-14"},
      {"Str2Date('March 14, 2024')", "date 2024-03-14"},
      {"Str2Date('031424')", "date 1924-03-14"},
      {"Str2Time('1:05 PM')", "date 1899-12-30 13:05:00.000"},
      {"Str2Date('14 March 2024')", "error: Invalid Date - 14 March 2024"},
  });
}

}  // namespace
}  // namespace fs
