// MathRoutines: the floating-point routines of scripts and the errors of their
// arithmetic. A result outside the function's domain is an error, not a NaN that
// travels on: "Invalid floating point operation" (EInvalidOp), "Floating point
// division by zero" (EZeroDivide, for the logarithm of 0), "Floating point overflow"
// (EOverflow). NaN arguments pass through quietly.
#pragma once

#include "rtl/Exceptions.h"
#include "rtl/VariantOps.h"

namespace rtl {

class EInvalidOp : public Exception {
public:
  EInvalidOp() : Exception("Invalid floating point operation", "EInvalidOp") {}
};

class EOverflow : public Exception {
public:
  EOverflow() : Exception("Floating point overflow", "EOverflow") {}
};

constexpr double kPi = 3.1415926535897932385;

// Toward zero, as a floating-point value; Frac is x - Int(x).
double IntPart(double x) noexcept;
double FracPart(double x) noexcept;
// The processor's range for the sine and cosine ends at 2^63: beyond it they give 0.
double Sin(double x) noexcept;
double Cos(double x) noexcept;
// Raises EInvalidOp for x < 0.
double Sqrt(double x);
// Raises EZeroDivide for 0 and EInvalidOp for x < 0.
double Ln(double x);
// Raises EOverflow when the result is beyond the double range.
double Exp(double x);
// Raises EInvalidOp for infinite x.
double Tan(double x);

}  // namespace rtl
