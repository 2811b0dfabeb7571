#include "rtl/DateText.h"

#include <chrono>
#include <cmath>
#include <cstdint>

namespace rtl {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Days from 1 January 1970 to 30 December 1899, the day serial 0 stands for.
constexpr std::int64_t kSerialEpoch = -25569;
constexpr double kMinSerial = -693594;  // 31 December 0000, exclusive
constexpr double kMaxSerial = 2958466;  // 1 January 10000, exclusive

// Days from 1 January 1970 for a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) noexcept {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) noexcept {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

bool IsLeapYear(int y) noexcept { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) noexcept {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

int CurrentYear() {
  auto days = std::chrono::duration_cast<std::chrono::hours>(std::chrono::system_clock::now().time_since_epoch()).count() / 24;
  int y, m, d;
  CivilFromDays(days, y, m, d);
  return y;
}

void AppendPadded(std::string& out, int v, int width) {
  std::string s = std::to_string(v);
  if (static_cast<int>(s.size()) < width) out.append(static_cast<std::size_t>(width) - s.size(), '0');
  out += s;
}

// The order of day, month and year in the locale's short date layout ("MDY" and so on).
std::string DateOrder(const std::string& layout) {
  std::string order;
  for (char c : layout) {
    char u = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    if ((u == 'D' || u == 'M' || u == 'Y') && order.find(u) == std::string::npos) order += u;
  }
  return order.size() == 3 ? order : "MDY";
}

bool EqualsNoCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// A reader over the text being parsed.
struct Cursor {
  std::string_view Text;
  std::size_t Pos = 0;

  bool AtEnd() const noexcept { return Pos >= Text.size(); }
  char Peek() const noexcept { return AtEnd() ? '\0' : Text[Pos]; }
  void SkipBlanks() noexcept {
    while (!AtEnd() && (Text[Pos] == ' ' || Text[Pos] == '\t')) ++Pos;
  }
  // Up to nine digits; false when there is none.
  bool Number(int& value, int& digits) noexcept {
    value = 0;
    digits = 0;
    while (!AtEnd() && Text[Pos] >= '0' && Text[Pos] <= '9') {
      if (digits == 9) return false;
      value = value * 10 + (Text[Pos++] - '0');
      ++digits;
    }
    return digits > 0;
  }
};

bool ParseTime(Cursor& c, double& time, const FormatSettings& fs) {
  int hour, minute = 0, second = 0, ms = 0, digits;
  if (!c.Number(hour, digits)) return false;
  bool haveMinutes = false;
  if (c.Peek() == fs.TimeSeparator) {
    ++c.Pos;
    if (!c.Number(minute, digits)) return false;
    haveMinutes = true;
    if (c.Peek() == fs.TimeSeparator) {
      ++c.Pos;
      if (!c.Number(second, digits)) return false;
      if (c.Peek() == fs.DecimalSeparator || c.Peek() == '.') {
        ++c.Pos;
        if (!c.Number(ms, digits) || digits > 3) return false;
        for (; digits < 3; ++digits) ms *= 10;
      }
    }
  }
  c.SkipBlanks();
  std::string_view rest = c.Text.substr(c.Pos);
  while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
  if (!rest.empty()) {
    bool pm;
    if (EqualsNoCase(rest, fs.TimeAMString) || EqualsNoCase(rest, "AM")) pm = false;
    else if (EqualsNoCase(rest, fs.TimePMString) || EqualsNoCase(rest, "PM")) pm = true;
    else return false;
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + (pm ? 12 : 0);
    c.Pos = c.Text.size();
  } else if (!haveMinutes) {
    return false;  // a lone number is not a time
  }
  return TryEncodeTime(hour, minute, second, ms, time);
}

// Reads a date in the locale's order; false (cursor unchanged) when the text does not
// start with one.
bool ParseDate(Cursor& c, double& date, const FormatSettings& fs) {
  Cursor probe = c;
  int values[3], digits[3] = {0, 0, 0}, count = 0;
  for (; count < 3; ++count) {
    if (!probe.Number(values[count], digits[count])) return false;
    if (count < 2 && probe.Peek() == fs.DateSeparator) {
      ++probe.Pos;
      continue;
    }
    ++count;
    break;
  }
  if (count < 2) return false;
  std::string order = DateOrder(fs.ShortDateFormat);
  int year = 0, month = 0, day = 0, yearDigits = 0;
  bool haveYear = false;
  if (count == 2) {
    // Two numbers: day and month of the current year, in the layout's order.
    std::string dm;
    for (char o : order)
      if (o != 'Y') dm += o;
    (dm[0] == 'M' ? month : day) = values[0];
    (dm[1] == 'M' ? month : day) = values[1];
  } else {
    for (int i = 0; i < 3; ++i) {
      if (order[i] == 'Y') {
        year = values[i];
        yearDigits = digits[i];
        haveYear = true;
      } else if (order[i] == 'M') {
        month = values[i];
      } else {
        day = values[i];
      }
    }
  }
  if (!haveYear) {
    year = CurrentYear();
  } else if (yearDigits <= 2) {
    int current = CurrentYear();
    int century = current - fs.TwoDigitYearCenturyWindow;
    year += century / 100 * 100;
    if (fs.TwoDigitYearCenturyWindow > 0 && year < century) year += 100;
  }
  if (!TryEncodeDate(year, month, day, date)) return false;
  c = probe;
  return true;
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, double& date) noexcept {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  date = static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kSerialEpoch);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, double& time) noexcept {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999)
    return false;
  time = static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / kMsPerDay;
  return true;
}

double ComposeDateTime(double date, double time) noexcept { return date < 0 ? date - time : date + time; }

bool TryDecodeDateTime(double serial, DateTimeParts& parts) noexcept {
  if (!(serial > kMinSerial && serial < kMaxSerial)) return false;  // also rejects NaN
  double whole = std::trunc(serial);
  auto days = static_cast<std::int64_t>(whole);
  auto ms = static_cast<std::int64_t>(std::llround(std::fabs(serial - whole) * kMsPerDay));
  if (ms >= kMsPerDay) {
    // Rounded up to midnight: that is the start of the next calendar day.
    ms -= kMsPerDay;
    ++days;
  }
  CivilFromDays(days + kSerialEpoch, parts.Year, parts.Month, parts.Day);
  if (parts.Year > 9999) return false;
  parts.Millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  parts.Second = static_cast<int>(ms % 60);
  ms /= 60;
  parts.Minute = static_cast<int>(ms % 60);
  parts.Hour = static_cast<int>(ms / 60);
  return true;
}

bool TryDateTimeToText(double serial, std::string& text, const FormatSettings& fs) {
  DateTimeParts p;
  if (!TryDecodeDateTime(serial, p)) return false;
  std::string out;
  std::string order = DateOrder(fs.ShortDateFormat);
  for (std::size_t i = 0; i < 3; ++i) {
    if (i) out += fs.DateSeparator;
    if (order[i] == 'Y') AppendPadded(out, p.Year, 4);
    else AppendPadded(out, order[i] == 'M' ? p.Month : p.Day, 1);
  }
  if (p.Hour || p.Minute || p.Second) {
    out += ' ';
    int h12 = p.Hour % 12 == 0 ? 12 : p.Hour % 12;
    AppendPadded(out, h12, 1);
    out += fs.TimeSeparator;
    AppendPadded(out, p.Minute, 2);
    out += fs.TimeSeparator;
    AppendPadded(out, p.Second, 2);
    out += ' ';
    out += p.Hour < 12 ? fs.TimeAMString : fs.TimePMString;
  }
  text = std::move(out);
  return true;
}

bool TryTextToDateTime(std::string_view text, double& serial, const FormatSettings& fs) {
  Cursor c{text};
  c.SkipBlanks();
  double date = 0, time = 0;
  bool haveDate = ParseDate(c, date, fs);
  c.SkipBlanks();
  if (haveDate && c.AtEnd()) {
    serial = date;
    return true;
  }
  if (haveDate && c.Pos > 0 && c.Text[c.Pos - 1] != ' ' && c.Text[c.Pos - 1] != '\t') return false;
  if (!ParseTime(c, time, fs)) return false;
  c.SkipBlanks();
  if (!c.AtEnd()) return false;
  serial = ComposeDateTime(date, time);
  return true;
}

bool TryTextToDate(std::string_view text, double& date, const FormatSettings& fs) {
  Cursor c{text};
  c.SkipBlanks();
  if (!ParseDate(c, date, fs)) return false;
  c.SkipBlanks();
  return c.AtEnd();
}

bool TryTextToTime(std::string_view text, double& time, const FormatSettings& fs) {
  Cursor c{text};
  c.SkipBlanks();
  if (!ParseTime(c, time, fs)) return false;
  c.SkipBlanks();
  return c.AtEnd();
}

}  // namespace rtl
