// FormatFloat: a floating-point value written through a number picture such as
// "#,##0.00;(#,##0.00);Zero" or "0.###E+00".
//
// Up to three sections separated by ";" (outside quotes): positive, negative, zero; a
// missing or empty second or third section means the first, an empty first section
// the general format with 15 significant digits. "0" shows a digit always, "#" only
// when significant; the first "." places the decimal separator; a "," anywhere turns
// on thousands grouping; "E+", "E-", "e+", "e-" select scientific notation with as
// many significant digits as placeholders and the following zeros (at most four) as
// the minimum exponent digits. Quoted text is copied without its quotes, any other
// character as it stands.
#pragma once

#include <string>
#include <string_view>

#include "rtl/FormatSettings.h"

namespace rtl {

// Raises EConvertError "Format string too long" for a picture of more than 224
// characters.
std::string FormatFloat(std::string_view picture, double value,
                        const FormatSettings& fs = CurrentFormatSettings());

}  // namespace rtl
