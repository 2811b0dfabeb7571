// The regional settings behind the conversions: the English set and its environment
// overrides, and scripts following the settings in force.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/Locale.h"
#include "platform/Process.h"
#include "runtime/SysFunctionsTestSupport.h"

namespace fs {
namespace {

platform::EnvironmentLookup From(const std::map<std::string, std::string>& vars) {
  return [vars](const char* name) -> const char* {
    auto it = vars.find(name);
    return it == vars.end() ? nullptr : it->second.c_str();
  };
}

TEST(SysFunctionsLocaleTest, EnglishUnlessTheEnvironmentSaysOtherwise) {
  const rtl::FormatSettings plain = platform::EnglishFormatSettings(From({}));
  EXPECT_EQ(plain.ShortDateFormat, "M/d/yyyy");
  EXPECT_EQ(plain.LongTimeFormat, "h:nn:ss AMPM");
  EXPECT_EQ(plain.DecimalSeparator, '.');
  EXPECT_EQ(plain.LongMonthNames[0], "January");
  EXPECT_EQ(plain.ShortDayNames[0], "Sun");

  const rtl::FormatSettings other = platform::EnglishFormatSettings(From({
      {"VELMORA_LOCALE_DATE_ORDER", "DMY"},
      {"VELMORA_LOCALE_CLOCK", "24"},
      {"VELMORA_LOCALE_DATE_SEPARATOR", "."},
      {"VELMORA_LOCALE_TIME_SEPARATOR", "-"},
      {"VELMORA_LOCALE_DECIMAL_SEPARATOR", ","},
      {"VELMORA_LOCALE_THOUSAND_SEPARATOR", " "},
      {"VELMORA_LOCALE_CURRENCY", "EUR"},
  }));
  EXPECT_EQ(other.ShortDateFormat, "d/M/yyyy");
  EXPECT_EQ(other.LongDateFormat, "dddd, d MMMM yyyy");
  EXPECT_EQ(other.LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(other.DateSeparator, '.');
  EXPECT_EQ(other.TimeSeparator, '-');
  EXPECT_EQ(other.DecimalSeparator, ',');
  EXPECT_EQ(other.ThousandSeparator, ' ');
  EXPECT_EQ(other.CurrencyString, "EUR");

  // Unknown choices and empty separators change nothing.
  const rtl::FormatSettings odd = platform::EnglishFormatSettings(From({
      {"VELMORA_LOCALE_DATE_ORDER", "XYZ"},
      {"VELMORA_LOCALE_CLOCK", "13"},
      {"VELMORA_LOCALE_DECIMAL_SEPARATOR", ""},
  }));
  EXPECT_EQ(odd.ShortDateFormat, plain.ShortDateFormat);
  EXPECT_EQ(odd.LongTimeFormat, plain.LongTimeFormat);
  EXPECT_EQ(odd.DecimalSeparator, '.');
}

// Whatever the system's locale, every value the conversions need is there.
TEST(SysFunctionsLocaleTest, TheSystemSettingsAreComplete) {
  const rtl::FormatSettings fs = platform::SystemFormatSettings();
  for (const std::string& name : fs.ShortMonthNames) EXPECT_FALSE(name.empty());
  for (const std::string& name : fs.LongMonthNames) EXPECT_FALSE(name.empty());
  for (const std::string& name : fs.ShortDayNames) EXPECT_FALSE(name.empty());
  for (const std::string& name : fs.LongDayNames) EXPECT_FALSE(name.empty());
  EXPECT_NE(fs.LongMonthNames[0], fs.LongMonthNames[11]);
  EXPECT_NE(fs.LongDayNames[0], fs.LongDayNames[1]);
  EXPECT_NE(fs.ShortDateFormat.find_first_of("yY"), std::string::npos) << fs.ShortDateFormat;
  EXPECT_NE(fs.LongTimeFormat.find("nn:ss"), std::string::npos) << fs.LongTimeFormat;
  EXPECT_NE(fs.DecimalSeparator, '\0');
  EXPECT_FALSE(fs.CurrencyString.empty());
}

#ifndef _WIN32
TEST(SysFunctionsLocaleTest, PosixReadsTheProcessEnvironment) {
  ASSERT_TRUE(platform::SetEnvVariable("VELMORA_LOCALE_DATE_ORDER", "YMD"));
  const rtl::FormatSettings fs = platform::SystemFormatSettings();
  platform::SetEnvVariable("VELMORA_LOCALE_DATE_ORDER", "");
  EXPECT_EQ(fs.ShortDateFormat, "yyyy/M/d");
  EXPECT_EQ(platform::SystemFormatSettings().ShortDateFormat, "M/d/yyyy");
}
#endif

TEST(SysFunctionsLocaleTest, ScriptsFollowTheSettingsInForce) {
  test::EnglishSettings dmy(platform::EnglishFormatSettings(From({
      {"VELMORA_LOCALE_DATE_ORDER", "DMY"},
      {"VELMORA_LOCALE_CLOCK", "24"},
      {"VELMORA_LOCALE_DATE_SEPARATOR", "."},
  })));
  test::SysFunctionsHost host;
  EXPECT_EQ(host.Eval("DateTimeToStr(EncodeDate(2024, 3, 14) + EncodeTime(9, 5, 0, 0))"), "14.3.2024 09:05:00");
  EXPECT_EQ(host.Eval("StrToDate('14.3.2024') = EncodeDate(2024, 3, 14)"), "True");
  EXPECT_EQ(host.Eval("FormatDateTime('dddd d mmmm', EncodeDate(2024, 3, 14))"), "Thursday 14 March");
}

}  // namespace
}  // namespace fs
