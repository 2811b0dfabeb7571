#include "rtl/FormatDateTime.h"

#include <algorithm>
#include <cstdint>

#include "rtl/CodePage.h"
#include "rtl/DateUtils.h"

namespace rtl {

namespace {

constexpr std::size_t kMaxResult = 256;
// A picture and the locale formats it refers to; a locale format that refers to
// another one inserts nothing there.
constexpr int kMaxLevels = 2;

char UpperAscii(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool StartsNoCase(std::string_view s, std::size_t at, std::string_view prefix) noexcept {
  if (s.size() - at < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (UpperAscii(s[at + i]) != prefix[i]) return false;
  return true;
}

class DateTimeWriter {
public:
  DateTimeWriter(double value, const FormatSettings& fs) : FValue(value), FSettings(fs) {}

  std::string Result() { return std::move(FOut); }

  void Picture(std::string_view fmt) {
    if (FLevel >= kMaxLevels) return;
    ++FLevel;
    char lastToken = ' ';
    bool twelveHour = false;
    std::size_t i = 0;
    while (i < fmt.size()) {
      const char starter = fmt[i];
      if (IsAnsiLeadByte(starter)) {
        Append(fmt.substr(i, 2));
        i += 2;
        continue;
      }
      ++i;
      char token = UpperAscii(starter);
      if (token >= 'A' && token <= 'Z') {
        // "m" right after an hour means minutes.
        if (token == 'M' && lastToken == 'H') token = 'N';
        lastToken = token;
      }
      switch (token) {
        case 'Y': {
          int count = RunLength(fmt, i, starter);
          if (count <= 2) Number(Date().Year % 100, 2);
          else Number(Date().Year, 4);
          break;
        }
        case 'G':
          RunLength(fmt, i, starter);
          Append(FSettings.EraName);
          break;
        case 'E':
          // The Gregorian calendar has one era, so its year is the year itself.
          Number(Date().Year, std::min(RunLength(fmt, i, starter), 2));
          break;
        case 'M': {
          int count = RunLength(fmt, i, starter);
          int month = Date().Month;
          if (count <= 2) Number(month, count);
          else if (count == 3) Append(FSettings.ShortMonthNames[static_cast<std::size_t>(month - 1)]);
          else Append(FSettings.LongMonthNames[static_cast<std::size_t>(month - 1)]);
          break;
        }
        case 'D': {
          int count = RunLength(fmt, i, starter);
          if (count <= 2) Number(Date().Day, count);
          else if (count == 3) Append(FSettings.ShortDayNames[DayIndex()]);
          else if (count == 4) Append(FSettings.LongDayNames[DayIndex()]);
          else if (count == 5) Picture(FSettings.ShortDateFormat);
          else Picture(FSettings.LongDateFormat);
          break;
        }
        case 'H': {
          int count = RunLength(fmt, i, starter);
          if (AmPmFollows(fmt, i)) twelveHour = true;
          int hour = Time().Hour;
          if (twelveHour) {
            if (hour == 0) hour = 12;
            else if (hour > 12) hour -= 12;
          }
          Number(hour, std::min(count, 2));
          break;
        }
        case 'N':
          Number(Time().Minute, std::min(RunLength(fmt, i, starter), 2));
          break;
        case 'S':
          Number(Time().Second, std::min(RunLength(fmt, i, starter), 2));
          break;
        case 'Z':
          Number(Time().Millisecond, std::min(RunLength(fmt, i, starter), 3));
          break;
        case 'T':
          Picture(RunLength(fmt, i, starter) == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat);
          break;
        case 'C': {
          RunLength(fmt, i, starter);
          Picture(FSettings.ShortDateFormat);
          const DateTimeParts& t = Time();
          if (t.Hour || t.Minute || t.Second) {
            Append(" ");
            Picture(FSettings.LongTimeFormat);
          }
          break;
        }
        case 'A': {
          const std::size_t at = i - 1;
          if (StartsNoCase(fmt, at, "AM/PM")) {
            Append(fmt.substr(Time().Hour >= 12 ? at + 3 : at, 2));
            i = at + 5;
            twelveHour = true;
          } else if (StartsNoCase(fmt, at, "A/P")) {
            Append(fmt.substr(Time().Hour >= 12 ? at + 2 : at, 1));
            i = at + 3;
            twelveHour = true;
          } else if (StartsNoCase(fmt, at, "AMPM")) {
            Append(Time().Hour < 12 ? FSettings.TimeAMString : FSettings.TimePMString);
            i = at + 4;
            twelveHour = true;
          } else if (StartsNoCase(fmt, at, "AAAA")) {
            Append(FSettings.LongDayNames[DayIndex()]);
            i = at + 4;
          } else if (StartsNoCase(fmt, at, "AAA")) {
            Append(FSettings.ShortDayNames[DayIndex()]);
            i = at + 3;
          } else {
            Append(std::string_view(&starter, 1));
          }
          break;
        }
        case '/':
          if (FSettings.DateSeparator != '\0') Append(std::string_view(&FSettings.DateSeparator, 1));
          break;
        case ':':
          if (FSettings.TimeSeparator != '\0') Append(std::string_view(&FSettings.TimeSeparator, 1));
          break;
        case '"':
        case '\'': {
          const std::size_t start = i;
          while (i < fmt.size() && fmt[i] != starter) i += IsAnsiLeadByte(fmt[i]) ? 2 : 1;
          i = std::min(i, fmt.size());
          Append(fmt.substr(start, i - start));
          if (i < fmt.size()) ++i;
          break;
        }
        default:
          Append(std::string_view(&starter, 1));
      }
    }
    --FLevel;
  }

private:
  // The length of the run of `starter` that began just before i; moves i past it.
  static int RunLength(std::string_view fmt, std::size_t& i, char starter) noexcept {
    int count = 1;
    for (; i < fmt.size() && fmt[i] == starter; ++i) ++count;
    return count;
  }

  // Whether the first "a" outside quotes after an hour, before any further hour,
  // starts an AM/PM, A/P or AMPM specifier.
  static bool AmPmFollows(std::string_view fmt, std::size_t i) noexcept {
    bool quoted = false;
    for (; i < fmt.size(); ++i) {
      const char c = fmt[i];
      if (IsAnsiLeadByte(c)) {
        ++i;
      } else if ((c == 'a' || c == 'A') && !quoted) {
        return StartsNoCase(fmt, i, "AM/PM") || StartsNoCase(fmt, i, "A/P") || StartsNoCase(fmt, i, "AMPM");
      } else if (c == 'h' || c == 'H') {
        return false;
      } else if (c == '\'' || c == '"') {
        quoted = !quoted;
      }
    }
    return false;
  }

  const DateTimeParts& Date() {
    if (!FDateDecoded) {
      FDate = DecodeDateTime(FValue);
      FDateDecoded = true;
    }
    return FDate;
  }

  // The time of day alone is there for any finite value, also beyond the years a date
  // can have.
  const DateTimeParts& Time() {
    if (!FTimeDecoded) {
      std::uint16_t h, m, s, ms;
      DecodeTime(FValue, h, m, s, ms);
      FTime.Hour = h;
      FTime.Minute = m;
      FTime.Second = s;
      FTime.Millisecond = ms;
      FTimeDecoded = true;
    }
    return FTime;
  }

  std::size_t DayIndex() {
    const DateTimeParts& p = Date();
    return static_cast<std::size_t>(DayOfWeek(EncodeDate(p.Year, p.Month, p.Day)) - 1);
  }

  void Append(std::string_view s) {
    if (FOut.size() < kMaxResult) FOut.append(s.substr(0, kMaxResult - FOut.size()));
  }

  void Number(int value, int digits) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < digits) s.insert(0, static_cast<std::size_t>(digits) - s.size(), '0');
    Append(s);
  }

  double FValue;
  const FormatSettings& FSettings;
  std::string FOut;
  int FLevel = 0;
  bool FDateDecoded = false, FTimeDecoded = false;
  DateTimeParts FDate, FTime;
};

}  // namespace

std::string FormatDateTime(std::string_view picture, double value, const FormatSettings& fs) {
  DateTimeWriter writer(value, fs);
  writer.Picture(picture.empty() ? std::string_view("c") : picture);
  return writer.Result();
}

}  // namespace rtl
