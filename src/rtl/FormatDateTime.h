// FormatDateTime: a date value written through a date and time picture such as
// "dddd, mmmm d, yyyy" or "hh:nn:ss am/pm".
//
// Letters are specifiers in any case; a run of the same character is one specifier
// whose length picks the form: d dd ddd dddd ddddd dddddd (day, short/long day name,
// short/long date format), m mm mmm mmmm (month; minutes right after an hour), yy
// yyyy, h hh, n nn, s ss, z zzz, t tt (short/long time format), c (short date and,
// unless midnight, long time), am/pm, a/p, ampm, aaa aaaa (day names), e and g (year
// of the era and era name). "/" and ":" write the locale's separators, quoted text is
// copied without quotes, anything else as it stands. An empty picture means "c".
#pragma once

#include <string>
#include <string_view>

#include "rtl/FormatSettings.h"

namespace rtl {

// The result is cut at 256 characters. Raises EConvertError "'%g' is not a valid date
// and time" when the picture needs a part of a value that is no date.
std::string FormatDateTime(std::string_view picture, double value,
                           const FormatSettings& fs = CurrentFormatSettings());

}  // namespace rtl
