// fs_Math: 79 functions in the category "Math": trigonometric, hyperbolic and inverse
// functions, angle conversions (these hide fs_UnitConversion's, and Tan the system
// function), logarithms and powers, rounding toward the infinities, minimum and
// maximum, comparisons with a tolerance, ranges, random numbers of a range or a normal
// distribution, and depreciation. Arguments outside a function's domain raise the
// floating-point error of the arithmetic.
#pragma once

#include "runtime/fsRTTIModule.h"

namespace fs {

class TfsMath : public TfsRTTIModule {
public:
  explicit TfsMath(TfsScript* script);

  static constexpr const char* Category = "Math";
};

}  // namespace fs
