// FloatDecimal: a floating-point value as the decimal digits that the number pictures
// and the format specifiers write. The value is first taken to 18 significant digits
// (nearest), then rounded half away from zero to the digits the caller asks for, so
// 0.125 with two decimals is 0.13 while 1.005, stored a little below, stays 1.00.
#pragma once

#include <string>

namespace rtl {

struct FloatDecimal {
  bool Negative = false;
  // The value is 0.<Digits> times ten to the power Exponent: Exponent is the number
  // of digits before the decimal point (negative when zeros follow the point first).
  int Exponent = 0;
  // Significant digits without trailing zeros; empty when the value rounds to zero
  // (Negative is then false).
  std::string Digits;
};

// At most `precision` significant digits (clamped to 1..18) and at most `decimals`
// digits after the decimal point. The value must be finite.
FloatDecimal FloatToDecimal(double value, int precision, int decimals);

}  // namespace rtl
