// fs_Math through scripts of all four dialects: trigonometric, hyperbolic and inverse
// functions with the errors at their domain edges, angles, logarithms and powers,
// rounding toward the infinities, minimum and maximum per type, tolerances, ranges,
// random numbers and depreciation.
#include <gtest/gtest.h>

#include <string>

#include "rtl/Random.h"
#include "runtime/FunctionLibrariesTestSupport.h"

namespace fs {
namespace {

using MathLibraryTest = test::FunctionLibrariesFixture;

#define INVALID "error: Invalid floating point operation"
#define ZERO_DIVIDE "error: Floating point division by zero"
#define OVERFLOW_ERROR "error: Floating point overflow"

TEST_F(MathLibraryTest, TrigonometricFunctionsAndTheirDomains) {
  ExpectAll({
      {"ArcCos(1)", "double 0"},
      {"ArcCos(-1)", "double 3.14159265358979"},
      {"ArcSin(1)", "double 1.5707963267949"},
      {"ArcTan2(1, 1)", "double 0.785398163397448"},
      {"ArcTan2(0, -1)", "double 3.14159265358979"},
      {"Tan(0.5)", "double 0.54630248984379"},
      {"Cotan(1)", "double 0.642092615934331"},
      {"Cot(1)", "double 0.642092615934331"},
      {"Secant(0)", "double 1"},
      {"Sec(Pi)", "double -1"},
      {"Cosecant(Pi / 2)", "double 1"},
      {"Csc(Pi / 2)", "double 1"},
      {"Hypot(3, 4)", "double 5"},
      {"ArcCot(0)", "double 1.5707963267949"},
      {"ArcCot(1)", "double 0.785398163397448"},
      {"ArcSec(2)", "double 1.0471975511966"},
      {"ArcCsc(2)", "double 0.523598775598299"},
      {"ArcCos(1.5)", INVALID},
      {"ArcSin(-1.0001)", INVALID},
      {"Cotan(0)", ZERO_DIVIDE},
      {"Csc(0)", ZERO_DIVIDE},
      {"ArcSec(0.5)", INVALID},
      {"ArcCsc(0)", ZERO_DIVIDE},
      {"Hypot(1.5E308, 1.5E308)", OVERFLOW_ERROR},
      {"Hypot(1E308, 1E308)", "double 1.4142135623731e+308"},
  });
}

TEST_F(MathLibraryTest, HyperbolicFunctionsAndTheirDomains) {
  ExpectAll({
      {"Cosh(0)", "double 1"},
      {"Sinh(0)", "double 0"},
      {"Tanh(100)", "double 1"},
      {"SecH(0)", "double 1"},
      {"CscH(1)", "double 0.850918128239322"},
      {"CotH(1)", "double 1.31303528549933"},
      {"ArcCosh(1)", "double 0"},
      {"ArcSinh(0)", "double 0"},
      {"ArcTanh(0.5)", "double 0.549306144334055"},
      {"ArcCotH(2)", "double 0.549306144334055"},
      {"ArcSecH(1)", "double 0"},
      {"ArcCscH(1)", "double 0.881373587019543"},
      {"Cosh(1000)", OVERFLOW_ERROR},
      {"Sinh(-1000)", OVERFLOW_ERROR},
      {"CotH(0)", ZERO_DIVIDE},
      {"CscH(0)", ZERO_DIVIDE},
      {"ArcCosh(0.5)", INVALID},
      {"ArcTanh(1)", ZERO_DIVIDE},
      {"ArcTanh(2)", INVALID},
      {"ArcCotH(0.5)", INVALID},
      {"ArcCotH(-1)", ZERO_DIVIDE},
      {"ArcSecH(2)", INVALID},
      {"ArcSecH(0)", ZERO_DIVIDE},
      {"ArcCscH(0)", ZERO_DIVIDE},
  });
}

TEST_F(MathLibraryTest, AngleConversions) {
  ExpectAll({
      {"RadToDeg(Pi)", "double 180"},
      {"RadToGrad(Pi)", "double 200"},
      {"RadToCycle(Pi)", "double 0.5"},
      {"DegToRad(90)", "double 1.5707963267949"},
      {"DegToGrad(90)", "double 100"},
      {"DegToCycle(90)", "double 0.25"},
      {"GradToRad(200)", "double 3.14159265358979"},
      {"GradToDeg(100)", "double 90"},
      {"GradToCycle(100)", "double 0.25"},
      {"CycleToRad(1)", "double 6.28318530717959"},
      {"CycleToDeg(0.5)", "double 180"},
      {"CycleToGrad(0.25)", "double 100"},
      {"DegToRad(RadToDeg(1.25))", "double 1.25"},
  });
}

TEST_F(MathLibraryTest, LogarithmsPowersAndRounding) {
  ExpectAll({
      {"LnXP1(0)", "double 0"},
      {"LnXP1(1E-20)", "double 1e-20"},
      {"Log10(1000)", "double 3"},
      {"Log2(8)", "double 3"},
      {"LogN(2, 1024)", "double 10"},
      {"IntPower(2, 10)", "double 1024"},
      {"IntPower(2, -1)", "double 0.5"},
      {"IntPower(0, 0)", "double 1"},
      {"Power(2, 0.5)", "double 1.4142135623731"},
      {"Power(-2, 3)", "double -8"},
      {"Power(0, 0)", "double 1"},
      {"Power(0, 2)", "double 0"},
      {"Ldexp(1.5, 3)", "double 12"},
      {"Ceil(1.2)", "int 2"},
      {"Ceil(-1.2)", "int -1"},
      {"Ceil(3)", "int 3"},
      {"Floor(-1.2)", "int -2"},
      {"Floor(2.9)", "int 2"},
      {"Ceil(1e300)", INVALID},
      {"Floor(-1e300)", INVALID},
      {"LnXP1(-1)", ZERO_DIVIDE},
      {"LnXP1(-2)", INVALID},
      {"Log10(0)", ZERO_DIVIDE},
      {"Log10(-1)", INVALID},
      {"Log2(-8)", INVALID},
      {"LogN(1, 5)", ZERO_DIVIDE},
      {"LogN(-2, 5)", INVALID},
      {"IntPower(0, -1)", ZERO_DIVIDE},
      {"IntPower(10, 400)", OVERFLOW_ERROR},
      {"Power(-8, 1 / 3)", INVALID},
      {"Power(0, -1)", ZERO_DIVIDE},
      {"Power(10, 400)", OVERFLOW_ERROR},
      {"Ldexp(1, 2000)", OVERFLOW_ERROR},
  });
}

TEST_F(MathLibraryTest, MinimumAndMaximumInTheirTypes) {
  ExpectAll({
      {"Min(3, -2)", "int -2"},
      {"Max(3, -2)", "int 3"},
      {"Min64(5000000000, 4)", "int64 4"},
      {"Max64(5000000000, 4)", "int64 5000000000"},
      {"Min_single(1.5, 2.5)", "double 1.5"},
      {"Min_single(0.1, 1)", "double 0.100000001490116"},
      {"Max_single(0.1, 0.05)", "double 0.100000001490116"},
      {"Min_double(0.1, 1)", "double 0.1"},
      {"Max_double(1.5, 2.5)", "double 2.5"},
      {"Min_extended(-1, -2)", "double -2"},
      {"Max_extended(-1, -2)", "double -1"},
  });
}

TEST_F(MathLibraryTest, TestsWithTolerances) {
  ExpectAll({
      {"IsNan(1)", "bool False"},
      {"IsNan2(1)", "bool False"},
      {"IsNan3(1)", "bool False"},
      {"IsInfinite(1E308)", "bool False"},
      {"SameValue(1, 1 + 1E-17)", "bool True"},
      {"SameValue(1, 1.0000001)", "bool False"},
      {"SameValue(1, 1.1, 0.2)", "bool True"},
      {"SameValue2(0.1 + 0.2, 0.3)", "bool True"},
      {"SameValue3(1, 1.00000001)", "bool True"},
      {"SameValue3(1, 1.001)", "bool False"},
      {"IsZero(1E-15)", "bool False"},
      {"IsZero(1E-17)", "bool True"},
      {"IsZero(0.05, 0.1)", "bool True"},
      {"IsZero2(-1E-17)", "bool True"},
      {"IsZero3(1E-17)", "bool True"},
  });
}

TEST_F(MathLibraryTest, IfThenRangesAndDepreciation) {
  ExpectAll({
      // The string IfThen of fs_StrUtils answers the name.
      {"IfThen(True, 'a', 'b')", "str 'a'"},
      {"IfThen(False, 'a')", "str ''"},
      {"IfThen64(True, 5000000000, 1)", "int64 5000000000"},
      {"IfThen64(False, 5000000000)", "int64 0"},
      {"IfThen_double(False, 1.5)", "double 0"},
      {"IfThen_double(True, 1.5, 2)", "double 1.5"},
      {"RandomRange(3, 3)", "int 3"},
      {"InRange(5, 1, 5)", "bool True"},
      {"InRange(6, 1, 5)", "bool False"},
      {"InRange64(5000000000, 0, 5000000000)", "bool True"},
      {"InRange2(0.5, 0, 1)", "bool True"},
      {"InRange2(1.5, 0, 1)", "bool False"},
      {"EnsureRange(10, 1, 5)", "int 5"},
      {"EnsureRange(-3, 1, 5)", "int 1"},
      {"EnsureRange(3, 1, 5)", "int 3"},
      {"EnsureRange64(-5000000000, 0, 9)", "int64 0"},
      {"EnsureRange_double(1.5, 0, 1)", "double 1"},
      {"EnsureRange(1, 5, 1)", "error: Assertion failure"},
      {"EnsureRange_double(1, 2, 1)", "error: Assertion failure"},
      {"RandG(10, 0)", "double 10"},
      {"DoubleDecliningBalance(1000, 100, 5, 1)", "double 400"},
      {"DoubleDecliningBalance(1000, 100, 5, 2)", "double 240"},
      // The book value 129.6 may not fall below the salvage value.
      {"DoubleDecliningBalance(1000, 100, 5, 5)", "double 29.6"},
      {"DoubleDecliningBalance(1000, 100, 2, 1)", "double 900"},
      {"DoubleDecliningBalance(1000, 100, 2, 2)", "double 0"},
      {"DoubleDecliningBalance(1000, 100, 5, 0)", "double 0"},
      {"DoubleDecliningBalance(1000, 100, 5, 6)", "double 0"},
      {"DoubleDecliningBalance(100, 100, 5, 1)", "double 0"},
  });
}

TEST_F(MathLibraryTest, IntegerIfThenIsHiddenAndDoesNotCompile) {
  const std::string out = FHost.Run("begin Show(IfThen(True, 1, 2)); end.");
  EXPECT_EQ(out.rfind("compile: ", 0), 0u) << out;
  EXPECT_NE(out.find("Incompatible types"), std::string::npos) << out;
}

TEST_F(MathLibraryTest, RandomNumbersStayInTheirRangeAndDistribution) {
  rtl::RandSeed(11);
  const std::string out = FHost.Run(R"(
var i, r, low, high: Integer; sum, g: Extended;
begin
  low := 100; high := -100; sum := 0;
  for i := 1 to 2000 do
  begin
    r := RandomRange(10, 5);
    if r < low then low := r;
    if r > high then high := r;
    sum := sum + RandG(10, 2);
  end;
  Show(low); Show(high);
  g := sum / 2000;
  Show((g > 9.8) and (g < 10.2));
end.)");
  EXPECT_EQ(out, "int 5\nint 9\nbool True\n");
}

}  // namespace
}  // namespace fs
