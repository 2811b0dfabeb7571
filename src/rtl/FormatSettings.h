// FormatSettings: the locale values that conversions between values and text read
// (separators, date and time layout, Boolean texts). One process-wide set, English
// (United States) by default; start-up may replace it with the system's locale.
#pragma once

#include <string>

namespace rtl {

struct FormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  // Layouts in the platform's picture syntax; the text conversions of dates write
  // month/day/year and a 12-hour clock as these say.
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongTimeFormat = "h:nn:ss AMPM";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  // A two-digit year is taken within this many years before the current year and
  // the years after it that complete the century.
  int TwoDigitYearCenturyWindow = 50;
  std::string TrueBoolStr = "True";
  std::string FalseBoolStr = "False";
};

// The settings conversions use when no other settings are passed. The reference stays
// valid for the life of the process, also after a replacement.
const FormatSettings& CurrentFormatSettings() noexcept;

// Replaces the current settings (start-up and tests). Readers that still hold the
// previous set keep a valid object.
void SetCurrentFormatSettings(const FormatSettings& settings);

}  // namespace rtl
