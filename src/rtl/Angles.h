// Angles: conversions between radians, degrees (360 to the turn), grads (400 to the
// turn) and cycles (whole turns).
#pragma once

#include "rtl/MathRoutines.h"

namespace rtl {

inline double RadToDeg(double r) noexcept { return r * 180 / kPi; }
inline double RadToGrad(double r) noexcept { return r * 200 / kPi; }
inline double RadToCycle(double r) noexcept { return r / (2 * kPi); }
inline double DegToRad(double d) noexcept { return d * kPi / 180; }
inline double DegToGrad(double d) noexcept { return d * 400 / 360; }
inline double DegToCycle(double d) noexcept { return d / 360; }
inline double GradToRad(double g) noexcept { return g * kPi / 200; }
inline double GradToDeg(double g) noexcept { return g * 360 / 400; }
inline double GradToCycle(double g) noexcept { return g / 400; }
inline double CycleToRad(double c) noexcept { return c * 2 * kPi; }
inline double CycleToDeg(double c) noexcept { return c * 360; }
inline double CycleToGrad(double c) noexcept { return c * 400; }

}  // namespace rtl
