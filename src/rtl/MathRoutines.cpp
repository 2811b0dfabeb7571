#include "rtl/MathRoutines.h"

#include <cmath>

namespace rtl {

namespace {

constexpr double kTrigLimit = 9223372036854775808.0;  // 2^63

}  // namespace

double IntPart(double x) noexcept { return std::trunc(x); }

double FracPart(double x) noexcept { return x - std::trunc(x); }

double Sin(double x) noexcept { return std::fabs(x) >= kTrigLimit ? 0.0 : std::sin(x); }

double Cos(double x) noexcept { return std::fabs(x) >= kTrigLimit ? 0.0 : std::cos(x); }

double Sqrt(double x) {
  if (x < 0) throw EInvalidOp();
  return std::sqrt(x);
}

double Ln(double x) {
  if (x == 0) throw EZeroDivide();
  if (x < 0) throw EInvalidOp();
  return std::log(x);
}

double Exp(double x) {
  const double r = std::exp(x);
  if (std::isinf(r) && !std::isinf(x)) throw EOverflow();
  return r;
}

double Tan(double x) {
  if (std::isinf(x)) throw EInvalidOp();
  return std::tan(x);
}

}  // namespace rtl
