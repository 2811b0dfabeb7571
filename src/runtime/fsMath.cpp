#include "runtime/fsMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "rtl/Angles.h"
#include "rtl/Exceptions.h"
#include "rtl/MathRoutines.h"
#include "rtl/Random.h"
#include "rtl/Rounding.h"
#include "rtl/VariantOps.h"
#include "runtime/fsLibraryBinding.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::Variant;
using Args = TfsLibraryArgs;

// The errors of the arithmetic. Not-a-number arguments pass through quietly.
double Divided(double n, double d) {
  if (d == 0 && !std::isnan(n)) throw rtl::EZeroDivide();
  return n / d;
}

// A finite argument whose result is infinite overflowed.
double Finite(double result, double argument) {
  if (std::isinf(result) && std::isfinite(argument)) throw rtl::EOverflow();
  return result;
}

void Domain(bool ok) {
  if (!ok) throw rtl::EInvalidOp();
}

// The checks of the natural logarithm (0 divides by zero, below 0 is invalid).
double LogArgument(double x) {
  rtl::Ln(x);
  return x;
}

template <double (*F)(double)>
Variant Of(Args& a) {
  return Variant(F(a.Float(0)));
}

double ArcCos(double x) {
  Domain(!(std::fabs(x) > 1));
  return std::acos(x);
}
double ArcSin(double x) {
  Domain(!(std::fabs(x) > 1));
  return std::asin(x);
}
double Tan(double x) { return rtl::Tan(x); }
double Cot(double x) { return Divided(1, rtl::Tan(x)); }
double Sec(double x) { return Divided(1, rtl::Cos(x)); }
double Csc(double x) { return Divided(1, rtl::Sin(x)); }
double Cosh(double x) { return Finite(std::cosh(x), x); }
double Sinh(double x) { return Finite(std::sinh(x), x); }
double Tanh(double x) { return std::tanh(x); }
// The reciprocals are taken before the result is rounded to double, so that both
// builds' C libraries give the same last digit.
double Reciprocal(long double d) {
  if (d == 0) throw rtl::EZeroDivide();
  return static_cast<double>(1.0L / d);
}
double CotH(double x) { return Reciprocal(std::tanh(static_cast<long double>(x))); }
double SecH(double x) { return static_cast<double>(1.0L / std::cosh(static_cast<long double>(x))); }
double CscH(double x) { return Reciprocal(std::sinh(static_cast<long double>(x))); }
double ArcCot(double x) { return x == 0 ? rtl::kPi / 2 : std::atan(1 / x); }
double ArcSec(double x) { return ArcCos(Divided(1, x)); }
double ArcCsc(double x) { return ArcSin(Divided(1, x)); }
double ArcCosh(double x) {
  Domain(!(x < 1));
  return std::acosh(x);
}
double ArcSinh(double x) { return std::asinh(x); }
double ArcTanh(double x) {
  Domain(!(std::fabs(x) > 1));
  if (std::fabs(x) == 1) throw rtl::EZeroDivide();
  return std::atanh(x);
}
double ArcCotH(double x) {
  Domain(!(std::fabs(x) < 1));
  if (std::fabs(x) == 1) throw rtl::EZeroDivide();
  return std::atanh(1 / x);
}
double ArcSecH(double x) {
  const double inverse = Divided(1, x);
  Domain(!(x < 0 || x > 1));
  return std::acosh(inverse);
}
double ArcCscH(double x) { return std::asinh(Divided(1, x)); }
double LnXP1(double x) {
  Domain(!(x < -1));
  if (x == -1) throw rtl::EZeroDivide();
  return std::log1p(x);
}
double Log10(double x) { return std::log10(LogArgument(x)); }
double Log2(double x) { return std::log2(LogArgument(x)); }

Variant ArcTan2(Args& a) { return Variant(std::atan2(a.Float(0), a.Float(1))); }

Variant Hypot(Args& a) {
  const double x = a.Float(0), y = a.Float(1);
  const double r = std::hypot(x, y);
  if (std::isinf(r) && std::isfinite(x) && std::isfinite(y)) throw rtl::EOverflow();
  return Variant(r);
}

Variant LogN(Args& a) { return Variant(Divided(rtl::Ln(a.Float(1)), rtl::Ln(a.Float(0)))); }

Variant IntPower(Args& a) {
  const double base = a.Float(0);
  const std::int32_t exponent = a.Int(1);
  if (base == 0 && exponent < 0) throw rtl::EZeroDivide();
  return Variant(Finite(std::pow(base, exponent), base));
}

Variant Power(Args& a) {
  const double base = a.Float(0), exponent = a.Float(1);
  if (exponent == 0) return Variant(1.0);
  if (base == 0) {
    if (exponent < 0) throw rtl::EZeroDivide();
    return Variant(0.0);
  }
  Domain(!(base < 0 && std::isfinite(exponent) && exponent != std::trunc(exponent)));
  return Variant(Finite(std::pow(base, exponent), std::isfinite(exponent) ? base : exponent));
}

Variant Ldexp(Args& a) {
  const double x = a.Float(0);
  return Variant(Finite(std::ldexp(x, a.Int(1)), x));
}

// Toward the infinities; the low 32 bits of the result, as Round and Trunc give them.
// A value no 64-bit integer holds is the invalid-operation error, as for Round.
double Integral(double v) {
  Domain(rtl::FitsInt64(v));
  return v;
}
Variant Ceil(Args& a) { return Variant(rtl::TruncToInt32(std::ceil(Integral(a.Float(0))))); }
Variant Floor(Args& a) { return Variant(rtl::TruncToInt32(std::floor(Integral(a.Float(0))))); }

// Minimum and maximum in the argument's type ------------------------------------------

template <bool Larger>
Variant MinMaxInt(Args& a) {
  const std::int32_t x = a.Int(0), y = a.Int(1);
  return Variant(Larger ? std::max(x, y) : std::min(x, y));
}

template <bool Larger>
Variant MinMaxInt64(Args& a) {
  const std::int64_t x = a.Int64(0), y = a.Int64(1);
  return Variant(Larger ? std::max(x, y) : std::min(x, y));
}

template <class T, bool Larger>
Variant MinMaxFloat(Args& a) {
  const T x = static_cast<T>(a.Float(0)), y = static_cast<T>(a.Float(1));
  return Variant(static_cast<double>(Larger ? (x > y ? x : y) : (x < y ? x : y)));
}

// Tests of values ---------------------------------------------------------------------------

template <class T>
Variant IsNan(Args& a) {
  return Variant(std::isnan(static_cast<T>(a.Float(0))));
}

Variant IsInfinite(Args& a) { return Variant(std::isinf(a.Float(0))); }

constexpr double kResolution = 1e-16;

template <class T>
Variant SameValue(Args& a) {
  const double x = static_cast<T>(a.Float(0)), y = static_cast<T>(a.Float(1));
  double epsilon = static_cast<T>(a.Float(2));
  if (epsilon == 0) epsilon = std::max(kResolution, std::min(std::fabs(x), std::fabs(y)) * kResolution);
  return Variant(std::fabs(x - y) <= epsilon);
}

template <class T>
Variant IsZero(Args& a) {
  const double x = static_cast<T>(a.Float(0));
  double epsilon = static_cast<T>(a.Float(1));
  if (epsilon == 0) epsilon = kResolution;
  return Variant(std::fabs(x) <= epsilon);
}

Variant IfThen(Args& a) { return a.Value(a.Bool(0) ? 1 : 2); }

// Ranges -------------------------------------------------------------------------------------

// From the smaller bound (inclusive) to the larger (exclusive).
Variant RandomRange(Args& a) {
  const std::int64_t from = a.Int(0), to = a.Int(1);
  const std::int64_t low = std::min(from, to), span = std::max(from, to) - low;
  const auto offset = static_cast<std::int64_t>(std::floor(rtl::Random() * static_cast<double>(span)));
  return Variant(static_cast<std::int32_t>(low + std::min(offset, span > 0 ? span - 1 : 0)));
}

Variant InRange(Args& a) { return Variant(a.Int64(0) >= a.Int64(1) && a.Int64(0) <= a.Int64(2)); }
Variant InRangeFloat(Args& a) { return Variant(a.Float(0) >= a.Float(1) && a.Float(0) <= a.Float(2)); }

void CheckRange(bool ordered) {
  if (!ordered) throw rtl::Exception(msg::kAssertionFailure, "EAssertionFailed");
}

Variant EnsureRange(Args& a) {
  const std::int64_t v = a.Int64(0), low = a.Int64(1), high = a.Int64(2);
  CheckRange(low <= high);
  return a.Value(v < low ? 1 : v > high ? 2 : 0);
}

Variant EnsureRangeFloat(Args& a) {
  const double v = a.Float(0), low = a.Float(1), high = a.Float(2);
  CheckRange(!(high < low));
  return Variant(v < low ? low : v > high ? high : v);
}

// A normally distributed number (Marsaglia's polar method on the shared generator).
Variant RandG(Args& a) {
  const double mean = a.Float(0), deviation = a.Float(1);
  double u, v, s;
  do {
    u = 2 * rtl::Random() - 1;
    v = 2 * rtl::Random() - 1;
    s = u * u + v * v;
  } while (s >= 1 || s == 0);
  return Variant(mean + deviation * u * std::sqrt(-2 * std::log(s) / s));
}

Variant DoubleDecliningBalance(Args& a) {
  const double cost = a.Float(0), salvage = a.Float(1);
  const std::int32_t life = a.Int(2), period = a.Int(3);
  if (period <= 0 || life < period || life <= 0 || salvage >= cost) return Variant(0.0);
  if (life <= 2) return Variant(period == 1 ? cost - salvage : 0.0);
  const double rate = 2.0 / life;
  const double book = cost * std::pow(1 - rate, period - 1);
  double depreciation = std::min(rate * book, book - salvage);
  if (depreciation < 0) depreciation = 0;
  return Variant(depreciation);
}

const TfsLibraryEntry kMath[] = {
    {"function ArcCos(const X: Extended): Extended", &Of<ArcCos>},
    {"function ArcSin(const X: Extended): Extended", &Of<ArcSin>},
    {"function ArcTan2(const Y, X: Extended): Extended", &ArcTan2},
    {"function Tan(const X: Extended): Extended", &Of<Tan>},
    {"function Cotan(const X: Extended): Extended", &Of<Cot>},
    {"function Secant(const X: Extended): Extended", &Of<Sec>},
    {"function Cosecant(const X: Extended): Extended", &Of<Csc>},
    {"function Hypot(const X, Y: Extended): Extended", &Hypot},
    {"function RadToDeg(const Radians: Extended): Extended", &Of<rtl::RadToDeg>},
    {"function RadToGrad(const Radians: Extended): Extended", &Of<rtl::RadToGrad>},
    {"function RadToCycle(const Radians: Extended): Extended", &Of<rtl::RadToCycle>},
    {"function DegToRad(const Degrees: Extended): Extended", &Of<rtl::DegToRad>},
    {"function DegToGrad(const Degrees: Extended): Extended", &Of<rtl::DegToGrad>},
    {"function GradToCycle(const Grads: Extended): Extended", &Of<rtl::GradToCycle>},
    {"function DegToCycle(const Degrees: Extended): Extended", &Of<rtl::DegToCycle>},
    {"function CycleToDeg(const Cycles: Extended): Extended", &Of<rtl::CycleToDeg>},
    {"function CycleToGrad(const Cycles: Extended): Extended", &Of<rtl::CycleToGrad>},
    {"function GradToRad(const Grads: Extended): Extended", &Of<rtl::GradToRad>},
    {"function GradToDeg(const Grads: Extended): Extended", &Of<rtl::GradToDeg>},
    {"function CycleToRad(const Cycles: Extended): Extended", &Of<rtl::CycleToRad>},
    {"function Cot(const X: Extended): Extended", &Of<Cot>},
    {"function Sec(const X: Extended): Extended", &Of<Sec>},
    {"function Csc(const X: Extended): Extended", &Of<Csc>},
    {"function Cosh(const X: Extended): Extended", &Of<Cosh>},
    {"function Sinh(const X: Extended): Extended", &Of<Sinh>},
    {"function Tanh(const X: Extended): Extended", &Of<Tanh>},
    {"function CotH(const X: Extended): Extended", &Of<CotH>},
    {"function SecH(const X: Extended): Extended", &Of<SecH>},
    {"function CscH(const X: Extended): Extended", &Of<CscH>},
    {"function ArcCot(const X: Extended): Extended", &Of<ArcCot>},
    {"function ArcSec(const X: Extended): Extended", &Of<ArcSec>},
    {"function ArcCsc(const X: Extended): Extended", &Of<ArcCsc>},
    {"function ArcCosh(const X: Extended): Extended", &Of<ArcCosh>},
    {"function ArcSinh(const X: Extended): Extended", &Of<ArcSinh>},
    {"function ArcTanh(const X: Extended): Extended", &Of<ArcTanh>},
    {"function ArcCotH(const X: Extended): Extended", &Of<ArcCotH>},
    {"function ArcSecH(const X: Extended): Extended", &Of<ArcSecH>},
    {"function ArcCscH(const X: Extended): Extended", &Of<ArcCscH>},
    {"function LnXP1(const X: Extended): Extended", &Of<LnXP1>},
    {"function Log10(const X: Extended): Extended", &Of<Log10>},
    {"function Log2(const X: Extended): Extended", &Of<Log2>},
    {"function LogN(const Base, X: Extended): Extended", &LogN},
    {"function IntPower(const Base: Extended; const Exponent: Integer): Extended", &IntPower},
    {"function Power(const Base, Exponent: Extended): Extended", &Power},
    {"function Ldexp(const X: Extended; const P: Integer): Extended", &Ldexp},
    {"function Ceil(const X: Extended): Integer", &Ceil},
    {"function Floor(const X: Extended): Integer", &Floor},
    {"function Min(const A, B: Integer): Integer", &MinMaxInt<false>},
    {"function Min64(const A, B: Int64): Int64", &MinMaxInt64<false>},
    {"function Min_single(const A, B: Single): Single", &MinMaxFloat<float, false>},
    {"function Min_double(const A, B: Double): Double", &MinMaxFloat<double, false>},
    {"function Min_extended(const A, B: Extended): Extended", &MinMaxFloat<double, false>},
    {"function Max(const A, B: Integer): Integer", &MinMaxInt<true>},
    {"function Max64(const A, B: Int64): Int64", &MinMaxInt64<true>},
    {"function Max_single(const A, B: Single): Single", &MinMaxFloat<float, true>},
    {"function Max_double(const A, B: Double): Double", &MinMaxFloat<double, true>},
    {"function Max_extended(const A, B: Extended): Extended", &MinMaxFloat<double, true>},
    {"function RandG(Mean, StdDev: Extended): Extended", &RandG},
    {"function IsNan(const AValue: Double): Boolean", &IsNan<double>},
    {"function IsNan2(const AValue: Single): Boolean", &IsNan<float>},
    {"function IsNan3(const AValue: Extended): Boolean", &IsNan<double>},
    {"function IsInfinite(const AValue: Double): Boolean", &IsInfinite},
    {"function SameValue(const A, B: Extended; Epsilon: Extended = 0): Boolean", &SameValue<double>},
    {"function SameValue2(const A, B: Double; Epsilon: Double = 0): Boolean", &SameValue<double>},
    {"function SameValue3(const A, B: Single; Epsilon: Single = 0): Boolean", &SameValue<float>},
    {"function IsZero(const A: Extended; Epsilon: Extended = 0): Boolean", &IsZero<double>},
    {"function IsZero2(const A: Double; Epsilon: Double = 0): Boolean", &IsZero<double>},
    {"function IsZero3(const A: Single; Epsilon: Single = 0): Boolean", &IsZero<float>},
    {"function IfThen(AValue: Boolean; const ATrue: Integer; const AFalse: Integer = 0): Integer", &IfThen},
    {"function IfThen64(AValue: Boolean; const ATrue: Int64; const AFalse: Int64 = 0): Int64", &IfThen},
    {"function IfThen_double(AValue: Boolean; const ATrue: Double; const AFalse: Double = 0.0): Double", &IfThen},
    {"function RandomRange(const AFrom, ATo: Integer): Integer", &RandomRange},
    {"function InRange(const AValue, AMin, AMax: Integer): Boolean", &InRange},
    {"function InRange64(const AValue, AMin, AMax: Int64): Boolean", &InRange},
    {"function InRange2(const AValue, AMin, AMax: Double): Boolean", &InRangeFloat},
    {"function EnsureRange(const AValue, AMin, AMax: Integer): Integer", &EnsureRange},
    {"function EnsureRange64(const AValue, AMin, AMax: Int64): Int64", &EnsureRange},
    {"function EnsureRange_double(const AValue, AMin, AMax: Double): Double", &EnsureRangeFloat},
    {"function DoubleDecliningBalance(const Cost, Salvage: Extended; Life, Period: Integer): Extended",
     &DoubleDecliningBalance},
};

const TfsRTTIModuleClass kMathClass{"fs_Math", moMath, &NewRTTIModule<TfsMath>};
TfsRuntimeModuleRegistration gMathRegistration(kMathClass);

}  // namespace

TfsMath::TfsMath(TfsScript* script) : TfsRTTIModule(script) {
  TfsRegistry registry(script);
  RegisterLibrary(registry, Category, kMath);
}

}  // namespace fs
