// The English (United States) regional settings and their environment overrides.
#include <string>

#include "platform/Locale.h"

namespace platform {

namespace {

// The one character a separator variable names; false when it is unset or empty.
bool SeparatorFrom(const EnvironmentLookup& lookup, const char* name, char& target) {
  const char* value = lookup(name);
  if (!value || !*value) return false;
  target = value[0];
  return true;
}

}  // namespace

rtl::FormatSettings EnglishFormatSettings(const EnvironmentLookup& lookup) {
  rtl::FormatSettings fs;  // its defaults are the English (United States) values
  if (const char* order = lookup("VELMORA_LOCALE_DATE_ORDER")) {
    const std::string o(order);
    if (o == "DMY") {
      fs.ShortDateFormat = "d/M/yyyy";
      fs.LongDateFormat = "dddd, d MMMM yyyy";
    } else if (o == "YMD") {
      fs.ShortDateFormat = "yyyy/M/d";
      fs.LongDateFormat = "dddd, yyyy MMMM d";
    } else if (o == "MDY") {
      fs.ShortDateFormat = "M/d/yyyy";
      fs.LongDateFormat = "dddd, MMMM d, yyyy";
    }
  }
  if (const char* clock = lookup("VELMORA_LOCALE_CLOCK")) {
    if (std::string(clock) == "24") {
      fs.ShortTimeFormat = "hh:nn";
      fs.LongTimeFormat = "hh:nn:ss";
    }
  }
  SeparatorFrom(lookup, "VELMORA_LOCALE_DATE_SEPARATOR", fs.DateSeparator);
  SeparatorFrom(lookup, "VELMORA_LOCALE_TIME_SEPARATOR", fs.TimeSeparator);
  SeparatorFrom(lookup, "VELMORA_LOCALE_DECIMAL_SEPARATOR", fs.DecimalSeparator);
  SeparatorFrom(lookup, "VELMORA_LOCALE_THOUSAND_SEPARATOR", fs.ThousandSeparator);
  if (const char* currency = lookup("VELMORA_LOCALE_CURRENCY")) fs.CurrencyString = currency;
  return fs;
}

}  // namespace platform
