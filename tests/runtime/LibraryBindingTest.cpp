// The conventions every function library shares, through a small library of echo
// routines called from scripts: the empty-argument rule (tested before any work and
// before any conversion), declared defaults for empty optional arguments, conversion to
// the declared types (halves to even, kept to the declared width, Char), results of the
// declared type, and errors that name the argument or keep the computation's message.
#include <gtest/gtest.h>

#include <string>

#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"
#include "runtime/RuntimeTestSupport.h"
#include "runtime/SysFunctionsTestSupport.h"
#include "runtime/fsLibraryBinding.h"

namespace fs {
namespace {

using rtl::Variant;
using Args = TfsLibraryArgs;

int gCalls = 0;

Variant Count(Args& a) {
  ++gCalls;
  return Variant(a.Int(0) * 2);
}
Variant EchoInt(Args& a) { return Variant(a.Int(0)); }
Variant EchoInt64(Args& a) { return Variant(a.Int64(0)); }
Variant EchoFloat(Args& a) { return Variant(a.Float(0)); }
Variant EchoBool(Args& a) { return Variant(a.Bool(0)); }
Variant EchoStr(Args& a) { return Variant(a.Str(0)); }
Variant EchoChar(Args& a) {
  const char c = a.Char(1);
  return Variant(rtl::AnsiString(&c, c ? 1 : 0));
}
Variant Parts(Args& a) {
  ++gCalls;
  return Variant(a.Int(0) * 10000 + a.Int(1) * 100 + a.Int(2));
}
Variant Fail(Args& a) { throw rtl::EConvertError("no date in '" + a.Str(0).str() + "'"); }
Variant Empties(Args& a) { return Variant(std::int32_t{a.IsEmpty(0) * 10 + a.IsEmpty(1)}); }

const TfsLibraryEntry kEcho[] = {
    {"function Twice(const A: Integer): Integer", &Count},
    {"function EchoInteger(const V: Integer): Integer", &EchoInt},
    {"function EchoWord(const V: Word): Word", &EchoInt},
    {"function EchoByte(const V: Byte): Byte", &EchoInt},
    {"function EchoCardinal(const V: Cardinal): LongWord", &EchoInt64},
    {"function EchoInt64(const V: Int64): Int64", &EchoInt64},
    {"function EchoDate(const V: TDateTime): TDateTime", &EchoFloat},
    {"function EchoExtended(const V: Extended): Extended", &EchoFloat},
    {"function EchoBoolean(const V: Boolean): Boolean", &EchoBool},
    {"function EchoString(const V: string): string", &EchoStr},
    {"function EchoChar(const S: string; const C: Char = ':'): Char", &EchoChar},
    {"function AsBoolean(const V: Integer): Boolean", &EchoInt},
    {"function Step(const A: TDateTime; const N: Integer = 7): Integer", [](Args& a) { return Variant(a.Int(1)); }},
    {"function PartsOf(const AYear, AMonth, ADay: Word): Integer", &Parts},
    {"function Fail(const S: string): Boolean", &Fail},
    {"function Empties(const A, B: Variant): Integer", &Empties, 0},
};

// Show writes a value with its variant type: "Word 5", "<null>".
class LibraryBindingTest : public ::testing::Test {
protected:
  LibraryBindingTest() {
    TfsRegistry r = FHost.Reg();
    r.RegisterFunction("procedure Show(V: Variant)",
                       [this](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper* caller) {
                         const Variant& v = caller->ArgumentValue(0);
                         FShown += v.IsEmptyOrNull() ? test::ValueText(v)
                                                     : rtl::VarTypeAsText(v.VarType()) + " " + test::ValueText(v);
                         FShown += "\n";
                         return Variant();
                       });
    // An unassigned value, as a host gives for a variable it does not have.
    r.RegisterFunction("function Missing: Variant",
                       [](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper*) { return Variant(); });
    RegisterLibrary(r, "Test", kEcho);
    gCalls = 0;
  }

  // What Show writes for one expression, or the run-time error; v holds value (a
  // Variant variable passes any value past the compile-time type check).
  std::string Pascal(const std::string& expression, const std::string& value = "Missing") {
    FShown.clear();
    test::RunOutcome out =
        FHost.Run("var v: Variant;\nbegin\n  v := " + value + ";\n  Show(" + expression + ");\nend.");
    if (!out.Compiled) return "compile: " + out.CompileError;
    if (!out.RunError.empty()) return "error: " + out.RunError.substr(out.RunError.find(' ') + 1);
    return FShown.substr(0, FShown.size() - 1);
  }

  test::ScriptHost FHost;
  std::string FShown;
};

TEST_F(LibraryBindingTest, ArgumentsAreReadAsTheirDeclaredTypes) {
  const struct {
    const char* Expression;
    const char* Shown;
    const char* Value;
  } cases[] = {
      {"EchoInteger(v)", "Integer 2", "2.5"},
      {"EchoInteger(v)", "Integer 4", "3.5"},
      {"EchoInteger(v)", "Integer -2", "-2.5"},
      {"EchoInteger(v)", "Integer 12", "'12'"},
      {"EchoWord(v)", "Word 4464", "70000"},
      {"EchoWord(v)", "Word 65535", "-1"},
      {"EchoWord(v)", "Word 2", "2.5"},
      {"EchoByte(v)", "Byte 1", "257"},
      {"EchoCardinal(v)", "LongWord 4294967295", "-1"},
      {"EchoInt64(v)", "Int64 12884901888", "4294967296 * 3"},
      {"EchoExtended(v)", "Double 1.5", "'1.5'"},
      {"EchoDate(v)", "Date 12/31/1899 12:00:00 PM", "1.5"},
      {"EchoBoolean(v)", "Boolean True", "1"},
      {"EchoString(v)", "String 12", "12"},
      {"EchoChar('', v)", "String x", "'xyz'"},
      {"EchoChar('', v)", "String :", "''"},
      {"EchoChar('')", "String :", "0"},
      {"AsBoolean(5)", "Boolean True", "0"},
  };
  EXPECT_EQ(Pascal("1"), "Integer 1");  // Show itself
  test::EnglishSettings english;
  for (const auto& c : cases) EXPECT_EQ(Pascal(c.Expression, c.Value), c.Shown) << c.Expression << " of " << c.Value;
}

TEST_F(LibraryBindingTest, AnEmptyRequiredArgumentYieldsNullWithoutWork) {
  EXPECT_EQ(Pascal("Twice(v)"), "<null>");
  EXPECT_EQ(Pascal("PartsOf(2024, v, 1)"), "<null>");
  // Tested before any argument is converted: the text that no Word holds raises nothing.
  EXPECT_EQ(Pascal("PartsOf(v, 3, Missing)", "'no year'"), "<null>");
  EXPECT_EQ(gCalls, 0);
  EXPECT_EQ(Pascal("PartsOf(2024, 3, 14)"), "Integer 20240314");
  EXPECT_EQ(gCalls, 1);
  // Null is a value, not a missing argument.
  EXPECT_EQ(Pascal("Twice(v)", "Null"), "error: Could not convert variant of type (Null) into type (Integer) "
                                   "(argument 'A' of Twice)");
}

TEST_F(LibraryBindingTest, AnEmptyOptionalArgumentTakesItsDefault) {
  EXPECT_EQ(Pascal("Step(0)"), "Integer 7");
  EXPECT_EQ(Pascal("Step(0, v)"), "Integer 7");
  EXPECT_EQ(Pascal("Step(0, 3)"), "Integer 3");
  EXPECT_EQ(Pascal("EchoChar('', v)"), "String :");
}

TEST_F(LibraryBindingTest, RoutinesThatLookAtEmptyArgumentsThemselves) {
  EXPECT_EQ(Pascal("Empties(v, 1)"), "Integer 10");
  EXPECT_EQ(Pascal("Empties(1, v)"), "Integer 1");
  EXPECT_EQ(Pascal("Empties(Null, v)", "Null"), "Integer 0");
}

TEST_F(LibraryBindingTest, ErrorsNameTheFirstArgumentThatDoesNotConvert) {
  EXPECT_EQ(Pascal("PartsOf(2024, v, v)", "'March'"),
            "error: Could not convert variant of type (String) into type (Integer) (argument 'AMonth' of PartsOf)");
  EXPECT_EQ(Pascal("Fail('x')"), "error: no date in 'x'");
  EXPECT_EQ(gCalls, 0);
}

TEST_F(LibraryBindingTest, TheSameRulesHoldInOtherDialects) {
  FShown.clear();
  test::RunOutcome js = FHost.Run("var v = Missing();\nShow(Twice(v));\nShow(Step(0, v));\nv = -1;\nShow(EchoWord(v));\n", "JScript");
  ASSERT_TRUE(js.Compiled) << js.CompileError;
  EXPECT_EQ(js.RunError, "");
  EXPECT_EQ(FShown, "<null>\nInteger 7\nWord 65535\n");
  FShown.clear();
  test::RunOutcome basic = FHost.Run("Dim v\nv = Missing()\nShow(Twice(v))\nv = 2.5\nShow(EchoInteger(v))\n", "BasicScript");
  ASSERT_TRUE(basic.Compiled) << basic.CompileError;
  EXPECT_EQ(basic.RunError, "");
  EXPECT_EQ(FShown, "<null>\nInteger 2\n");
}

TEST(LibraryBindingSignature, TypeNamesAreReadIgnoringCase) {
  EXPECT_EQ(LibTypeOf("tdatetime"), TfsLibType::Date);
  EXPECT_EQ(LibTypeOf("LONGWORD"), TfsLibType::Cardinal);
  EXPECT_EQ(LibTypeOf("longint"), TfsLibType::Integer);
  EXPECT_EQ(LibTypeOf("string"), TfsLibType::String);
  EXPECT_EQ(LibTypeOf("BOOL"), TfsLibType::Variant);
  EXPECT_EQ(LibTypeOf(""), TfsLibType::None);
}

}  // namespace
}  // namespace fs
