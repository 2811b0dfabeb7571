// fs_TimeZones: the zone texts and RFC 822 forms that take their bias as an argument, in
// every dialect; and, run by CTest under two fixed zones (TZ=Europe/Berlin with daylight
// saving, TZ=Asia/Kolkata without, half an hour off whole hours), everything that reads
// the system's zone. Without one of those zones the zone cases are skipped.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "rtl/DateUtils.h"
#include "runtime/DateLibrariesTestSupport.h"

namespace fs {
namespace {

using TimeZonesTest = test::DateLibrariesFixture;

#define X "D('2024-03-14 13:05:09.123')"

TEST_F(TimeZonesTest, BiasesAndZoneTexts) {
  ExpectAll({
      {"Bias2RFC822(60)", "str '(-0100)'"},
      {"Bias2RFC822(-600)", "str '(+1000)'"},
      {"Bias2RFC822(0)", "str '(+0000)'"},
      {"Bias2RFC822(-330)", "str '(+0530)'"},
      {"Bias2RFC822(150)", "str '(-0230)'"},
      {"RFC822Value('(EDT)')", "double -4"},
      {"RFC822Value(' gmt ')", "double 0"},
      {"RFC822Value('UT')", "double 0"},
      {"RFC822Value('')", "double 0"},
      {"RFC822Value('Z')", "double 0"},
      {"RFC822Value('EST')", "double -5"},
      {"RFC822Value('CST')", "double -6"},
      {"RFC822Value('CDT')", "double -5"},
      {"RFC822Value('MST')", "double -7"},
      {"RFC822Value('MDT')", "double -6"},
      {"RFC822Value('PST')", "double -8"},
      {"RFC822Value('PDT')", "double -7"},
      {"RFC822Value('A')", "double -1"},
      {"RFC822Value('m')", "double -12"},
      {"RFC822Value('N')", "double 1"},
      {"RFC822Value('Y')", "double 12"},
      {"RFC822Value('+0530')", "double 5.5"},
      {"RFC822Value('-0430')", "double -4.5"},
      {"RFC822Value('(+1000)')", "double 10"},
      {"RFC8222Bias('(EDT)')", "int 240"},
      {"RFC8222Bias('+0530')", "int -330"},
      {"RFC8222Bias('(-0100)')", "int 60"},
      {"ConvertRFC822Times('EST', D('2024-03-14 12:00'), 'GMT')", "date 2024-03-14 17:00:00.000"},
      {"ConvertRFC822Times('+0100', D('2024-01-01 00:30'), 'GMT')", "date 2023-12-31 23:30:00.000"},
      {"GMTStr2Value('GMT+5.5')", "double 5.5"},
      {"GMTStr2Value('GMT-8')", "double -8"},
      {"GMTStr2Value('GMT')", "double 0"},
      {"ConvertGMTStrTimes('GMT+1', D('2024-03-14 12:00'), 'GMT-5')", "date 2024-03-14 06:00:00.000"},
      {"RFC822DateTime2Str(" X ", 60)", "str '14 Mar 24 13:05:09 (-0100)'"},
      {"RFC822DateTime2Str(D('2005-01-02 03:04:05'), 0)", "str '02 Jan 05 03:04:05 (+0000)'"},
      {"RFC822DateTime2LongStr(" X ", -60)", "str 'Thu, 14 Mar 24 13:05:09 (+0100)'"},
      {"RFC822Value('XYZ')", "error: 'XYZ' is not a valid integer value"},
      {"GMTStr2Value('GMT+x')", "error: 'x' is not a valid floating point value"},
  });
}

TEST_F(TimeZonesTest, LocalFormsUseTheLocaleMonthNames) {
  rtl::FormatSettings german;
  german.ShortMonthNames[2] = "Mrz";
  test::LocaleScope scope(german);
  ExpectAll({
      {"LocalRFC822DateTime2Str(" X ", 0)", "str '14 Mrz 24 13:05:09 (+0000)'"},
      {"LocalRFC822DateTime2LongStr(" X ", -120)", "str 'Thu, 14 Mrz 24 13:05:09 (+0200)'"},
      {"RFC822DateTime2Str(" X ", 0)", "str '14 Mar 24 13:05:09 (+0000)'"},
  });
}

// Whether daylight saving time is in force in central Europe now: from the last Sunday
// of March to the last Sunday of October, 01:00 UTC each.
bool CentralEuropeanSummerTime() {
  using namespace std::chrono;
  const double utc = static_cast<double>(duration_cast<seconds>(system_clock::now().time_since_epoch()).count()) /
                         86400 + 25569;
  const int year = rtl::DecodeDateTime(utc).Year;
  auto lastSunday = [year](int month) {
    double day = rtl::EncodeDate(year, month, 31);
    while (rtl::DayOfWeek(day) != 1) --day;
    return day + 1.0 / 24;
  };
  return utc >= lastSunday(3) && utc < lastSunday(10);
}

struct ZoneCase {
  const char* Expression;
  std::string Expected;
};

// The cases of the zone CTest runs this program under, or none.
std::vector<ZoneCase> ZoneCases() {
  const char* tz = std::getenv("TZ");
  const std::string zone = tz ? tz : "";
  if (zone == "Europe/Berlin") {
    const bool summer = CentralEuropeanSummerTime();
    return {
        {"GetLocalTZBias", summer ? "int -120" : "int -60"},
#ifdef _WIN32
        // Windows names the zone after one of the regions that share its rules.
        {"Copy(GetTimeZoneName, Length(GetTimeZoneName) - 12, 13)", summer ? "str 'Daylight Time'" : "str 'Standard Time'"},
#else
        {"GetTimeZoneName", summer ? "str 'CEST'" : "str 'CET'"},
#endif
        {"GetGMTDifference", "str 'GMT+1'"},
        {"GMTStr2Value(GetGMTDifference)", "double 1"},
        {"GetRFC822Difference", summer ? "str '(+0200)'" : "str '(+0100)'"},
        {"GetGMTTime(D('2024-03-14 13:00'))", summer ? "date 2024-03-14 11:00:00.000" : "date 2024-03-14 12:00:00.000"},
        {"GetLocalTime(D('2024-03-14 12:00'))", summer ? "date 2024-03-14 14:00:00.000" : "date 2024-03-14 13:00:00.000"},
        {"GetLocalTime(D('2024-01-01 00:30'))", summer ? "date 2024-01-01 02:30:00.000" : "date 2024-01-01 01:30:00.000"},
        {"RFC822DateTime2Str2(" X ")", summer ? "str '14 Mar 24 13:05:09 (+0200)'" : "str '14 Mar 24 13:05:09 (+0100)'"},
        {"RFC822DateTime2LongStr2(" X ")",
         summer ? "str 'Thu, 14 Mar 24 13:05:09 (+0200)'" : "str 'Thu, 14 Mar 24 13:05:09 (+0100)'"},
        {"LocalRFC822DateTime2Str2(" X ")", summer ? "str '14 Mar 24 13:05:09 (+0200)'" : "str '14 Mar 24 13:05:09 (+0100)'"},
        {"LocalRFC822DateTime2LongStr2(" X ")",
         summer ? "str 'Thu, 14 Mar 24 13:05:09 (+0200)'" : "str 'Thu, 14 Mar 24 13:05:09 (+0100)'"},
        {"Round(MinuteSpan(GMTNow, Now))", summer ? "int 120" : "int 60"},
        {"Round(MinuteSpan(GMTDate + GMTTime, GMTNow))", "int 0"},
        {"TimeOf(GMTDate)", "date 1899-12-30"},
    };
  }
  if (zone == "Asia/Kolkata") {
    return {
        {"GetLocalTZBias", "int -330"},
        // A zone without daylight saving reports neither state, so no name.
        {"GetTimeZoneName", "str ''"},
        {"GetGMTDifference", "str 'GMT+5.5'"},
        {"GMTStr2Value(GetGMTDifference)", "double 5.5"},
        {"GetRFC822Difference", "str '(+0530)'"},
        {"RFC8222Bias(GetRFC822Difference)", "int -330"},
        {"GetGMTTime(D('2024-03-14 05:00'))", "date 2024-03-13 23:30:00.000"},
        {"GetLocalTime(D('2024-03-13 23:30'))", "date 2024-03-14 05:00:00.000"},
        {"RFC822DateTime2Str2(" X ")", "str '14 Mar 24 13:05:09 (+0530)'"},
        {"LocalRFC822DateTime2LongStr2(" X ")", "str 'Thu, 14 Mar 24 13:05:09 (+0530)'"},
        {"Round(MinuteSpan(GMTNow, Now))", "int 330"},
    };
  }
  return {};
}

#undef X

TEST(TimeZonesInZone, ScriptsSeeTheSystemZone) {
  const std::vector<ZoneCase> cases = ZoneCases();
  if (cases.empty()) GTEST_SKIP() << "run by CTest with TZ=Europe/Berlin or TZ=Asia/Kolkata";
  test::LocaleScope english;
  test::DateLibrariesHost host;
  std::vector<std::string> expressions;
  for (const ZoneCase& c : cases) expressions.push_back(c.Expression);
  for (const char* dialect : test::kDialects) {
    const std::vector<std::string> lines = host.Eval(dialect, expressions);
    for (std::size_t i = 0; i < cases.size(); ++i)
      EXPECT_EQ(i < lines.size() ? lines[i] : "(no line)", cases[i].Expected) << dialect << ": " << cases[i].Expression;
  }
}

}  // namespace
}  // namespace fs
