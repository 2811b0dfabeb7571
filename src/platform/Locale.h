// Locale: the user's regional settings as the conversions between values and text use
// them (separators, date and time layouts, day and month names, money format, morning
// and afternoon texts). Read once at start-up into the base library's format settings.
//
// Windows: the user's default locale (GetLocaleInfo). POSIX: English (United States),
// with single values overridable through the environment, for tests and for users who
// want another layout:
//   VELMORA_LOCALE_DATE_ORDER          MDY (default), DMY or YMD: order of the short and
//                                      long date formats
//   VELMORA_LOCALE_CLOCK               12 (default) or 24: the time formats' clock
//   VELMORA_LOCALE_DATE_SEPARATOR      one character each; an empty value is ignored
//   VELMORA_LOCALE_TIME_SEPARATOR
//   VELMORA_LOCALE_DECIMAL_SEPARATOR
//   VELMORA_LOCALE_THOUSAND_SEPARATOR
//   VELMORA_LOCALE_CURRENCY            the currency symbol
// Unknown values of the two choices are ignored.
#pragma once

#include <functional>

#include "rtl/FormatSettings.h"

namespace platform {

rtl::FormatSettings SystemFormatSettings();

// The English settings with the overrides above, each variable read through lookup
// (which gives nullptr for a variable that is not set). Both systems build it, so both
// can test the rules; only POSIX uses it for SystemFormatSettings.
using EnvironmentLookup = std::function<const char*(const char* name)>;
rtl::FormatSettings EnglishFormatSettings(const EnvironmentLookup& lookup);

}  // namespace platform
