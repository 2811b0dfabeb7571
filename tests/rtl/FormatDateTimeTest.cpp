#include "rtl/FormatDateTime.h"

#include <gtest/gtest.h>

#include <limits>

#include "rtl/DateUtils.h"
#include "rtl/Exceptions.h"

using namespace rtl;

namespace {

// Tuesday 5 March 2024, 13:04:09.007.
const double kAfternoon = EncodeDate(2024, 3, 5) + EncodeTime(13, 4, 9, 7);

struct Case {
  const char* Picture;
  double Value;
  const char* Expected;
};

void ExpectAll(const Case* cases, std::size_t n, const FormatSettings& fs = FormatSettings()) {
  for (std::size_t i = 0; i < n; ++i) {
    SCOPED_TRACE(std::string("picture ") + cases[i].Picture);
    EXPECT_EQ(FormatDateTime(cases[i].Picture, cases[i].Value, fs), cases[i].Expected);
  }
}

}  // namespace

TEST(FormatDateTime, DateSpecifiers) {
  const Case cases[] = {
      {"yyyy-mm-dd", kAfternoon, "2024-03-05"},
      {"d/m/y", kAfternoon, "5/3/24"},
      {"yyy", kAfternoon, "2024"},
      {"yy", EncodeDate(2007, 1, 1), "07"},
      {"dd mmm yyyy", kAfternoon, "05 Mar 2024"},
      {"dddd mmmm", kAfternoon, "Tuesday March"},
      {"ddd MMMMMM", kAfternoon, "Tue March"},
      {"ddddd", kAfternoon, "3/5/2024"},
      {"dddddd", kAfternoon, "Tuesday, March 5, 2024"},
      {"dddddddd", kAfternoon, "Tuesday, March 5, 2024"},
      {"aaa aaaa", kAfternoon, "Tue Tuesday"},
      {"AAAA", EncodeDate(2024, 3, 10), "Sunday"},
      {"e g", kAfternoon, "2024 A.D."},
      {"DD/MM/YYYY", kAfternoon, "05/03/2024"},
      {"dD", kAfternoon, "55"},  // a run is one character repeated, case included
      {"c", -1.25, "12/29/1899 6:00:00 AM"},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(FormatDateTime, TimeSpecifiers) {
  const double midnightHalf = EncodeDate(2024, 3, 5) + EncodeTime(0, 30, 5, 0);
  const double noon = EncodeDate(2024, 3, 5) + 0.5;
  const Case cases[] = {
      {"hh:nn:ss.zzz", kAfternoon, "13:04:09.007"},
      {"h:n:s", kAfternoon, "13:4:9"},
      {"hhh:nnn:sss", kAfternoon, "13:04:09"},
      {"z|zz|zzz|zzzz", kAfternoon, "7|07|007|007"},
      {"h:mm", kAfternoon, "13:04"},      // "m" right after an hour is minutes
      {"hh:mm:ss mm", kAfternoon, "13:04:09 03"},
      {"mm", kAfternoon, "03"},
      {"h:mm am/pm", kAfternoon, "1:04 pm"},
      {"hh:nn AM/PM", kAfternoon, "01:04 PM"},
      {"hh:nn Am/pM", midnightHalf, "12:30 Am"},  // the picture's own letters
      {"h a/p", kAfternoon, "1 p"},
      {"h A/P", midnightHalf, "12 A"},
      {"h ampm", noon, "12 PM"},
      {"h ampm", midnightHalf, "12 AM"},
      {"h 'am/pm'", kAfternoon, "13 am/pm"},   // a quoted "a" starts no specifier
      {"h \"x\" ampm", kAfternoon, "1 x PM"},
      {"h h am/pm", kAfternoon, "13 1 pm"},    // only the hour right before it
      {"am/pm h", kAfternoon, "pm 1"},         // and every hour after it
      {"h ab", kAfternoon, "13 ab"},
      {"t", kAfternoon, "1:04 PM"},
      {"tt", kAfternoon, "1:04:09 PM"},
      {"c", kAfternoon, "3/5/2024 1:04:09 PM"},
      {"c", EncodeDate(2024, 3, 5), "3/5/2024"},
      {"", kAfternoon, "3/5/2024 1:04:09 PM"},
      {"c", EncodeDate(2024, 3, 5) + EncodeTime(0, 0, 0, 500), "3/5/2024"},  // milliseconds do not count
  };
  ExpectAll(cases, std::size(cases));
}

TEST(FormatDateTime, LiteralsAndSeparators) {
  FormatSettings fs;
  fs.DateSeparator = '-';
  fs.TimeSeparator = '.';
  const Case cases[] = {
      {"yyyy/mm/dd hh:nn", kAfternoon, "2024-03-05 13.04"},
      {"'yyyy' \"hh\" yyyy", kAfternoon, "yyyy hh 2024"},
      {"'unterminated", kAfternoon, "unterminated"},
      {"x#1 ", kAfternoon, "x#1 "},
      {"ddddd", kAfternoon, "3-5-2024"},
  };
  ExpectAll(cases, std::size(cases), fs);
  fs.DateSeparator = '\0';
  EXPECT_EQ(FormatDateTime("d/m", kAfternoon, fs), "53");
}

TEST(FormatDateTime, LocaleFormatsNestOneLevel) {
  FormatSettings fs;
  fs.ShortDateFormat = "dd ddddd|";  // refers to itself: the inner reference writes nothing
  fs.LongTimeFormat = "hh 'h' nn";
  fs.TimePMString = "nachm.";
  fs.LongMonthNames[2] = "Maerz";
  fs.ShortDayNames[2] = "Di";
  EXPECT_EQ(FormatDateTime("ddddd", kAfternoon, fs), "05 |");
  EXPECT_EQ(FormatDateTime("c", kAfternoon, fs), "05 | 13 h 04");
  EXPECT_EQ(FormatDateTime("mmmm ddd ampm", kAfternoon, fs), "Maerz Di nachm.");
}

TEST(FormatDateTime, ResultIsCutAt256Characters) {
  const std::string picture = "\"" + std::string(300, 'x') + "\"";
  EXPECT_EQ(FormatDateTime(picture, 0), std::string(256, 'x'));
  std::string many;
  for (int i = 0; i < 30; ++i) many += "dddddd ";
  EXPECT_EQ(FormatDateTime(many, kAfternoon).size(), 256u);
}

TEST(FormatDateTime, ValuesThatAreNoDate) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(FormatDateTime("'text'", nan), "text");  // no part needed, no error
  EXPECT_EQ(FormatDateTime("hh:nn", 3e6 + 0.75), "18:00");
  try {
    FormatDateTime("yyyy", 3e6);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'3000000' is not a valid date and time");
  }
  EXPECT_THROW(FormatDateTime("hh", nan), EConvertError);
}
