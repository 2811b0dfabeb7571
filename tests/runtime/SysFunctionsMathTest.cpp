// The math functions and Inc/Dec of the system functions module, through scripts:
// rounding halves to even, Int's floating-point result, the trigonometric range
// limit, the errors of arithmetic outside a function's domain, and Inc/Dec on
// floating-point variables.
#include <gtest/gtest.h>

#include <string>

#include "runtime/SysFunctionsTestSupport.h"

namespace fs {
namespace {

using test::EvalCase;
using test::SysFunctionsHost;
using SysFunctionsMathTest = test::SysFunctionsFixture;

TEST_F(SysFunctionsMathTest, RoundTruncAndInt) {
  ExpectAll({
      {"Round(2.5)", "2"},
      {"Round(3.5)", "4"},
      {"Round(-2.5)", "-2"},
      {"Round(-0.5)", "0"},
      {"Round(2.4999)", "2"},
      {"Round(-3.5)", "-4"},
      {"Round(4294967298.0)", "2"},  // the low 32 bits
      {"Trunc(-2.7)", "-2"},
      {"Trunc(2.7)", "2"},
      {"Int(2.7)", "2"},
      {"VarType(Int(2.7))", "5"},  // a floating-point value whatever the declaration says
      {"Int(-2.7)", "-2"},
      {"Frac(2.75)", "0.75"},
      {"Frac(-2.75)", "-0.75"},
      {"VarType(Round(2.5))", "3"},
      // No integer holds these: an error rather than the 0 of the indefinite pattern.
      {"Round(1e300)", "error: Invalid floating point operation"},
      {"Trunc(-1e300)", "error: Invalid floating point operation"},
      {"Round(9.3e18)", "error: Invalid floating point operation"},
      {"Round(9.2e18)", "-1650982912"},  // within 64 bits: the low 32 bits
  });
  // A variable of kind Integer receiving Int converts it.
  auto out = FHost.Run("var i: Integer; begin i := Int(7.9); Print(i); Print(VarType(i)); end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "7\n3\n");
}

TEST_F(SysFunctionsMathTest, FloatingPointFunctions) {
  ExpectAll({
      {"Sqrt(16)", "4"},
      {"Abs(-2.5)", "2.5"},
      {"Abs(3)", "3"},
      {"Sin(0)", "0"},
      {"Sin(1e20)", "0"},
      {"Cos(-1e19)", "0"},
      {"Cos(0)", "1"},
      {"Round(Sin(Pi / 2) * 1000)", "1000"},
      {"ArcTan(1) * 4 = Pi", "True"},
      {"Round(Tan(Pi / 4) * 1000)", "1000"},
      {"Exp(0)", "1"},
      {"Ln(Exp(2))", "2"},
      {"Pi", "3.14159265358979"},
  });
}

TEST_F(SysFunctionsMathTest, ArithmeticOutsideTheDomainRaises) {
  ExpectAll({
      {"Sqrt(-1)", "error: Invalid floating point operation"},
      {"Ln(0)", "error: Floating point division by zero"},
      {"Ln(-1)", "error: Invalid floating point operation"},
      {"Exp(1000)", "error: Floating point overflow"},
  });
  auto out = FHost.Run("begin try Sqrt(-4); except Print(ExceptionClassName); end; end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "EInvalidOp\n");
}

TEST_F(SysFunctionsMathTest, IncAndDecStepIntegersAndFloats) {
  auto out = FHost.Run(R"(
var i: Integer; f: Double; big: Int64; v: Variant;
begin
  i := 5; Inc(i); Print(i); Inc(i, 10); Print(i); Dec(i); Print(i); Dec(i, 20); Print(i);
  f := 1.5; Inc(f); Print(f); Dec(f, 3); Print(f);
  big := 2147483647; Inc(big); Print(big);
  v := 2.25; Inc(v, 2); Print(v);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "6\n16\n15\n-5\n2.5\n-0.5\n2147483648\n4.25\n");
}

TEST_F(SysFunctionsMathTest, IncRefusesTextVariablesAtCompileTime) {
  auto out = FHost.Run("var s: String; begin Inc(s); end.");
  EXPECT_FALSE(out.Compiled);
  EXPECT_NE(out.CompileError.find("Incompatible types"), std::string::npos) << out.CompileError;
  // The step stays an integer.
  out = FHost.Run("var f: Double; begin Inc(f, 0.5); end.");
  EXPECT_FALSE(out.Compiled);
}

}  // namespace
}  // namespace fs
