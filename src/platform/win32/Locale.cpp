#include "platform/Locale.h"

#include <windows.h>

#include <string>

#include "rtl/CodePage.h"

namespace platform {

namespace {

// One locale value of the user's default locale as 8-bit text; fallback when the
// locale has none.
std::string LocaleText(LCTYPE type, const std::string& fallback) {
  wchar_t buffer[256];
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 256);
  if (n <= 1) return fallback;
  std::u16string wide(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(n - 1));
  return rtl::WideToAnsi(wide).str();
}

char LocaleChar(LCTYPE type, char fallback) {
  const std::string s = LocaleText(type, std::string());
  return s.empty() ? fallback : s[0];
}

int LocaleNumber(LCTYPE type, int fallback) {
  const std::string s = LocaleText(type, std::string());
  if (s.empty()) return fallback;
  int value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return fallback;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

rtl::FormatSettings SystemFormatSettings() {
  rtl::FormatSettings fs;
  fs.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, fs.DecimalSeparator);
  fs.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, fs.ThousandSeparator);
  fs.DateSeparator = LocaleChar(LOCALE_SDATE, fs.DateSeparator);
  fs.TimeSeparator = LocaleChar(LOCALE_STIME, fs.TimeSeparator);
  // The date layouts use the same letters as our pictures (d, M, y, g, quotes).
  fs.ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, fs.ShortDateFormat);
  fs.LongDateFormat = LocaleText(LOCALE_SLONGDATE, fs.LongDateFormat);
  // The time layouts are built from the clock settings rather than taken over: the
  // system's time pictures mark the hour's half with letters our pictures read as
  // the time formats themselves.
  const bool twentyFour = LocaleNumber(LOCALE_ITIME, 0) == 1;
  const std::string hour = LocaleNumber(LOCALE_ITLZERO, 0) == 1 ? "hh" : "h";
  std::string prefix, postfix;
  if (!twentyFour) {
    if (LocaleNumber(LOCALE_ITIMEMARKPOSN, 0) == 1) prefix = "AMPM ";
    else postfix = " AMPM";
  }
  fs.ShortTimeFormat = prefix + hour + ":nn" + postfix;
  fs.LongTimeFormat = prefix + hour + ":nn:ss" + postfix;
  fs.TimeAMString = LocaleText(LOCALE_S1159, twentyFour ? std::string() : fs.TimeAMString);
  fs.TimePMString = LocaleText(LOCALE_S2359, twentyFour ? std::string() : fs.TimePMString);
  for (int i = 0; i < 12; ++i) {
    const auto at = static_cast<std::size_t>(i);
    fs.ShortMonthNames[at] = LocaleText(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(i), fs.ShortMonthNames[at]);
    fs.LongMonthNames[at] = LocaleText(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(i), fs.LongMonthNames[at]);
  }
  // The system counts days from Monday; our names start with Sunday.
  for (int i = 0; i < 7; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const LCTYPE day = static_cast<LCTYPE>((i + 6) % 7);
    fs.ShortDayNames[at] = LocaleText(LOCALE_SABBREVDAYNAME1 + day, fs.ShortDayNames[at]);
    fs.LongDayNames[at] = LocaleText(LOCALE_SDAYNAME1 + day, fs.LongDayNames[at]);
  }
  fs.CurrencyString = LocaleText(LOCALE_SCURRENCY, fs.CurrencyString);
  fs.CurrencyFormat = LocaleNumber(LOCALE_ICURRENCY, fs.CurrencyFormat);
  fs.NegCurrFormat = LocaleNumber(LOCALE_INEGCURR, fs.NegCurrFormat);
  fs.CurrencyDecimals = LocaleNumber(LOCALE_ICURRDIGITS, fs.CurrencyDecimals);
  return fs;
}

}  // namespace platform
