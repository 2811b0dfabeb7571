#include "rtl/DateTextReader.h"

#include <array>
#include <cstdint>
#include <vector>

#include "rtl/CodePage.h"
#include "rtl/DateUtils.h"
#include "rtl/TextConversions.h"

namespace rtl {

namespace {

std::string_view TrimControls(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
  return s;
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// A whole number, or 0 for text that is none.
int NumberOrZero(std::string_view s) {
  std::int32_t value;
  return TryStrToInt(TrimControls(s), value) ? value : 0;
}

// Replaces the first name of the list found in text (in list order): by the name's
// number from 1, or by a blank.
template <std::size_t N>
bool ReplaceFirstName(std::string& text, const std::array<std::string, N>& names, bool numbered) {
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i].empty()) continue;
    const std::string upper = AnsiUpperCase(names[i]).str();
    const std::size_t at = text.find(upper);
    if (at == std::string::npos) continue;
    text.replace(at, upper.size(), numbered ? std::to_string(i + 1) : std::string(" "));
    return true;
  }
  return false;
}

bool IsSeparatorChar(char c, char dateSeparator) {
  return c == '-' || c == '/' || c == '\\' || c == ' ' || c == '.' || c == ',' || c == dateSeparator;
}

std::vector<std::string> SplitParts(std::string_view text, char dateSeparator) {
  std::vector<std::string> parts;
  std::string part;
  bool inPart = false;
  for (char c : text) {
    if (IsSeparatorChar(c, dateSeparator)) {
      if (inPart) parts.push_back(part);
      part.clear();
      inPart = false;
    } else {
      part += c;
      inPart = true;
    }
  }
  if (inPart) parts.push_back(part);
  return parts;
}

int ExpandYear(int year, const DateReadOptions& options, int currentYear) {
  if (year >= 100) return year;
  if (options.Rule == TwoDigitYearRule::CutOff) return 1900 + year >= options.CutOffYear ? 1900 + year : 2000 + year;
  return 2000 + year > currentYear ? 1900 + year : 2000 + year;
}

}  // namespace

std::string DatePictureOrder(std::string_view picture) {
  std::string upper = AnsiUpperCase(picture).str();
  for (const char* remove : {"DDDD", "DDD"})
    for (std::size_t at; (at = upper.find(remove)) != std::string::npos;) upper.erase(at, std::string_view(remove).size());
  for (char c : upper) {
    if (c == 'D') return "DMY";
    if (c == 'M') return "MDY";
    if (c == 'Y' || c == 'E') return "YMD";
  }
  return "MDY";
}

DateReadResult ReadDateText(std::string_view input, std::string_view order, const DateReadOptions& options,
                            double today, double& date, const FormatSettings& fs) {
  // 1.
  std::string text = AnsiUpperCase(TrimControls(input)).str();
  if (text.empty()) return DateReadResult::NoDate;
  // 2.
  if (text[0] == '+' || text[0] == '-') {
    const int days = NumberOrZero(std::string_view(text).substr(1));
    date = text[0] == '+' ? today + days : today - days;
    return DateReadResult::Date;
  }
  const char sep = fs.DateSeparator ? fs.DateSeparator : '/';
  const bool yearFirst = !order.empty() && order[0] == 'Y';
  // 3.
  if (AllDigits(text) && (text.size() == 4 || text.size() == 6 || text.size() == 8)) {
    std::vector<std::size_t> groups;
    if (text.size() == 4) groups = {2, 2};
    else if (text.size() == 6) groups = {2, 2, 2};
    else groups = yearFirst ? std::vector<std::size_t>{4, 2, 2} : std::vector<std::size_t>{2, 2, 4};
    std::string joined;
    std::size_t at = 0;
    for (std::size_t g : groups) {
      if (!joined.empty()) joined += sep;
      joined += text.substr(at, g);
      at += g;
    }
    text = joined;
  } else {
    if (!ReplaceFirstName(text, fs.LongMonthNames, true)) ReplaceFirstName(text, fs.ShortMonthNames, true);
    if (!ReplaceFirstName(text, fs.LongDayNames, false)) ReplaceFirstName(text, fs.ShortDayNames, false);
    text = std::string(TrimControls(text));
  }
  // 4.
  const std::vector<std::string> parts = SplitParts(text, sep);
  if (parts.empty()) return DateReadResult::NoDate;

  // 5.
  DateTimeParts now = DecodeDateTime(today);
  std::string day, month, year;
  const bool monthFirst = !order.empty() && (order[0] == 'M' || order[0] == 'Y');
  if (parts.size() == 1) {
    day = parts[0];
    month = std::to_string(now.Month);
  } else if (parts.size() == 2) {
    day = parts[monthFirst ? 1 : 0];
    month = parts[monthFirst ? 0 : 1];
  } else if (parts.size() == 3) {
    const std::size_t y = yearFirst ? 0 : 2;
    year = std::to_string(ExpandYear(NumberOrZero(parts[y]), options, now.Year));
    if (NumberOrZero(parts[y]) >= 100) year = parts[y];
    // The other two in the order's own sequence.
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < 3; ++i)
      if (i != y) rest.push_back(parts[i]);
    std::string dm;
    for (char o : order)
      if (o != 'Y') dm += o;
    day = rest[dm.size() == 2 && dm[0] == 'M' ? 1 : 0];
    month = rest[dm.size() == 2 && dm[0] == 'M' ? 0 : 1];
  } else {
    return DateReadResult::Unreadable;
  }
  if (parts.size() < 3) {
    int y = now.Year;
    const int m = NumberOrZero(month), d = NumberOrZero(day);
    if (options.StartMonth > 0)
      y = m >= options.StartMonth ? options.StartYear : options.StartYear + 1;
    else if (options.ImplyHistoric && (m > now.Month || (m == now.Month && d > now.Day)))
      --y;
    year = std::to_string(y);
  }

  // 6.
  FormatSettings picture = fs;
  picture.DateSeparator = sep;
  std::string layout;
  for (char o : order) {
    if (!layout.empty()) layout += '/';
    layout += o == 'D' ? "dd" : o == 'M' ? "mm" : "yyyy";
  }
  picture.ShortDateFormat = layout;
  std::string joined;
  for (char o : order) {
    if (!joined.empty()) joined += sep;
    joined += o == 'D' ? day : o == 'M' ? month : year;
  }
  double value;
  if (!TryStrToDate(joined, value, picture)) return DateReadResult::Unreadable;
  date = value;
  return DateReadResult::Date;
}

}  // namespace rtl
