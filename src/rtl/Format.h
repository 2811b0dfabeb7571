// Format: text built from a format string and typed arguments, as scripts' Format
// call does it ("%5.2f|%-4d|%s").
//
// A specifier is "%" [index ":"] ["-"] [width] ["." precision] type, where index,
// width and precision may be "*" (taken from the next argument, which must be an
// integer); "%%" writes "%". Index counts from 0 and moves the running argument
// position. Types: d (decimal, precision = minimum digits), u (unsigned), x
// (upper-case hexadecimal, precision = minimum digits), e (scientific, precision =
// significant digits, default 15, exponent with sign and three digits), f (fixed,
// precision = decimals, default 2), g (general, precision = significant digits,
// default 15), n (f with thousands separators), m (the locale's money format), p
// (eight hexadecimal digits), s (text, precision = maximum characters); letters in
// either case. A precision above 18 counts as none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rtl/FormatArgs.h"
#include "rtl/FormatSettings.h"

namespace rtl {

// Raises EConvertError "Format '%s' invalid or incompatible with argument" for a
// malformed specifier or one whose type does not fit its argument, and "No argument
// for format '%s'" when the arguments run out (the whole format string in place of
// %s).
std::string Format(std::string_view fmt, const std::vector<FormatArg>& args,
                   const FormatSettings& fs = CurrentFormatSettings());

}  // namespace rtl
