#include "rtl/FloatDecimal.h"

#include <charconv>
#include <cmath>

namespace rtl {

namespace {

constexpr int kMaxDigits = 18;

}  // namespace

FloatDecimal FloatToDecimal(double value, int precision, int decimals) {
  FloatDecimal r;
  if (value == 0 || !std::isfinite(value)) return r;
  if (precision < 1) precision = 1;
  if (precision > kMaxDigits) precision = kMaxDigits;

  // "d.ddddddddddddddddde+X": eighteen significant digits, correctly rounded.
  char buf[48];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, kMaxDigits - 1);
  const char* p = buf;
  r.Negative = *p == '-';
  if (r.Negative) ++p;
  std::string digits;
  for (; p < res.ptr && *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  int exp10 = 0;
  if (p < res.ptr) std::from_chars(p[1] == '+' ? p + 2 : p + 1, res.ptr, exp10);
  r.Exponent = exp10 + 1;

  // How many of the digits survive; rounding may still carry into a new first digit.
  long keep = static_cast<long>(r.Exponent) + decimals;
  if (keep > precision) keep = precision;
  if (keep < 0) {
    r.Negative = false;
    r.Exponent = 0;
    return r;
  }
  const auto n = static_cast<std::size_t>(keep);
  if (n < digits.size()) {
    bool up = digits[n] >= '5';
    digits.resize(n);
    if (up) {
      std::size_t i = n;
      while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
      if (i == 0) {
        digits.insert(digits.begin(), '1');
        ++r.Exponent;
      } else {
        ++digits[i - 1];
      }
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) {
    r.Negative = false;
    r.Exponent = 0;
    return r;
  }
  r.Digits = std::move(digits);
  return r;
}

}  // namespace rtl
