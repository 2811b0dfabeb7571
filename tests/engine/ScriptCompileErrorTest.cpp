// Compile-time messages of the builder, with the positions they are reported at.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/ScriptTestSupport.h"
#include "engine/fsExpression.h"

namespace fs::test {
namespace {

struct CompileErrorCase {
  const char* Name;
  const char* Dialect;
  const char* Source;
  const char* Expected;  // "line:column: message"
};

void PrintTo(const CompileErrorCase& c, std::ostream* os) { *os << c.Name; }

class ScriptCompileErrorTest : public ::testing::TestWithParam<CompileErrorCase> {};

TEST_P(ScriptCompileErrorTest, ReportsMessageAndPosition) {
  const CompileErrorCase& c = GetParam();
  ScriptRunner runner(c.Dialect);
  EXPECT_FALSE(runner.Compile(c.Source));
  EXPECT_EQ(c.Expected, runner.Outcome().CompileError);
}

const CompileErrorCase kCases[] = {
    {"UndeclaredInPascal", "PascalScript", "begin\n  a := 1;\nend.", "2:4: Undeclared identifier: 'a'"},
    {"UndeclaredInCpp", "C++Script", "{\n  b = 1;\n}", "2:4: Undeclared identifier: 'b'"},
    // A unit or include file that is nowhere is an error of the line that names it.
    {"MissingUnitInPascal", "PascalScript", "// the units\n  uses 'no_such_unit.pas';\nbegin end.",
     "2:3: File not found"},
    {"MissingUnitFirstInPascal", "PascalScript", "uses 'no_such_unit.pas';\nbegin end.", "1:1: File not found"},
    {"MissingIncludeInCpp", "C++Script", "#include \"no_such_unit.cpp\"\n{\n}", "1:1: File not found"},
    {"MissingImportInJScript", "JScript", "var x = 1;\nimport \"no_such_unit.js\"", "2:1: File not found"},
    {"MissingImportsInBasic", "BasicScript", "Imports \"no_such_unit.vbs\"\nDim x", "1:1: File not found"},
    // A block comment left open would take the rest of the script with it unseen.
    {"UnterminatedCommentInJScript", "JScript", "var x = 1;\n  /* not closed\nx = 2;", "2:3: Unterminated comment"},
    {"UnterminatedCommentAtTheEndOfJScript", "JScript", "var x = 1;\n/*", "2:1: Unterminated comment"},
    {"UnterminatedCommentInCpp", "C++Script", "{\n}\n/* x", "3:1: Unterminated comment"},
    {"Redeclared", "PascalScript", "var i: Integer;\n    i: String;\nbegin end.", "2:6: Identifier redeclared: 'i'"},
    // Routines are declared before the other declarations of their scope.
    {"RedeclaredProcedure", "JScript", "var f;\nfunction f() { }", "1:6: Identifier redeclared: 'f'"},
    {"RedeclaredParameter", "C++Script", "void p(int a, int a) { }\n{ }", "1:20: Identifier redeclared: 'a'"},
    {"UnknownType", "PascalScript", "var x: TFoo;\nbegin end.", "1:12: Unknown type: 'TFoo'"},
    {"UnknownResultType", "PascalScript", "function F: TBar; begin end;\nbegin end.", "1:17: Unknown type: 'TBar'"},
    {"FloatToInteger", "PascalScript", "var i: Integer;\nbegin\n  i := 2.5;\nend.",
     "3:8: Incompatible types: 'Integer', 'Extended'"},
    {"StringToBoolean", "BasicScript", "Dim b As Boolean\nb = \"yes\"", "2:5: Incompatible types: 'Boolean', 'String'"},
    {"StringConstantPlusNumber", "PascalScript", "begin\n  Print('12' + 5);\nend.", "2:15: Incompatible types"},
    {"StringMinusNumber", "PascalScript", "begin\n  Print('abc' - 1);\nend.", "2:16: Incompatible types"},
    {"BooleanArithmetic", "JScript", "var x = true + 1;", "1:15: Incompatible types"},
    {"ObjectArithmetic", "PascalScript", "var l: TStringList;\nbegin\n  Print(l + 1);\nend.", "3:12: Incompatible types"},
    {"CppPrecedenceQuirk", "C++Script", "int a, b;\n{\n  if (a == 1 && b == 2) a = 0;\n}", "3:21: Incompatible types"},
    {"ArgumentType", "PascalScript", "procedure P(s: String); begin end;\nbegin\n  P(1);\nend.",
     "3:5: Incompatible types: 'String', 'Integer'"},
    {"ForBoundType", "PascalScript", "var i: Integer;\nbegin\n  for i := 1 to 2.5 do ;\nend.",
     "3:17: Incompatible types: 'Integer', 'Extended'"},
    {"ClassToOtherClass", "PascalScript", "var o: TObject; l: TStringList;\nbegin\n  l := o;\nend.",
     "3:8: Incompatible types: 'TStringList', 'TObject'"},
    {"NotEnoughParameters", "PascalScript",
     "function F(a, b: Integer): Integer; begin end;\nbegin\n  Print(F(1));\nend.", "3:9: Not enough actual parameters"},
    {"TooManyParameters", "JScript", "function f(a) { }\nf(1, 2);", "2:1: Too many actual parameters"},
    {"ArgumentsToAVariable", "PascalScript", "var i: Integer;\nbegin\n  i(1);\nend.", "3:3: Too many actual parameters"},
    {"AssignToConstant", "PascalScript", "const c = 1;\nbegin\n  c := 2;\nend.", "3:3: Left side cannot be assigned to"},
    {"AssignToProcedure", "PascalScript", "procedure P; begin end;\nbegin\n  P := 1;\nend.",
     "3:3: Left side cannot be assigned to"},
    {"IncrementConstant", "C++Script", "#define C 1\n{\n  C++;\n}", "3:6: Left side cannot be assigned to"},
    {"StringLoopVariable", "PascalScript", "var s: String;\nbegin\n  for s := 1 to 2 do ;\nend.",
     "3:8: For loop variable must be numeric variable"},
    {"BooleanLoopVariable", "BasicScript", "Dim b As Boolean\nFor b = 1 To 2\nNext", "2:6: For loop variable must be numeric variable"},
    {"WithOnInteger", "PascalScript", "var i: Integer;\nbegin\n  with i do ;\nend.", "3:8: Class type required"},
    {"NewOnNonClass", "JScript", "var x = new Print;", "1:18: Class type required"},
    {"DeleteInteger", "C++Script", "int i;\n{\n  delete i;\n}", "3:11: Class type required"},
    {"MemberOfString", "PascalScript", "var s: String;\nbegin\n  Print(s.Length);\nend.",
     "3:17: Strings doesn't have properties or methods"},
    {"MemberOfInteger", "PascalScript", "var i: Integer;\nbegin\n  Print(i.x);\nend.", "3:12: Array type required"},
    {"IndexedPropertyWithoutIndex", "PascalScript", "var l: TStringList;\nbegin\n  Print(l.Strings.x);\nend.",
     "3:20: Index required"},
    {"NoDefaultProperty", "PascalScript", "var o: TObject;\nbegin\n  Print(o[0]);\nend.",
     "3:11: Class TObject does not have a default property"},
    {"UnknownMember", "PascalScript", "var l: TStringList;\nbegin\n  l.Sort;\nend.", "3:9: Undeclared identifier: 'Sort'"},
    {"AddressOfMember", "PascalScript", "var l: TStringList;\nbegin\n  Print(@l.Count);\nend.", "3:10: Variable required"},
    {"ArrayMemberName", "PascalScript", "var a: array[3] of Integer;\nbegin\n  Print(a.x);\nend.", "3:12: Index required"},
    // Arrays that cannot be one block are refused where they are declared, on every build.
    {"StaticArrayTooLarge", "PascalScript", "var a: array[0..268435455] of Integer;\nbegin end.", "1:26: Out of memory"},
    {"BasicDimTooLarge", "BasicScript", "Dim a[268435456]", "1:16: Out of memory"},
    {"CppArrayTooLarge", "C++Script", "int a[268435456];\n{ }", "1:16: Out of memory"},
    {"ArrayDimensionsTooLarge", "PascalScript", "var a: array[0..65535, 0..4095] of Integer;\nbegin end.", "1:31: Out of memory"},
};

INSTANTIATE_TEST_SUITE_P(Messages, ScriptCompileErrorTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CompileErrorCase>& info) { return info.param.Name; });

TEST(ScriptCompile, TextAfterThePascalProgramIsIgnored) {
  RunOutcome o = RunScript("PascalScript", "begin\n  Print(1);\nend.\nthis is not Pascal at all");
  EXPECT_EQ("", o.CompileError);
  EXPECT_EQ("1\n", o.Output);
}

TEST(ScriptCompile, UndeclaredNamesAreGlobalsWhereDeclarationsAreOptional) {
  ScriptRunner runner("JScript");
  ASSERT_TRUE(runner.Compile("function f() { fresh = 1; } f(); Print(fresh);"));
  runner.Run();
  EXPECT_EQ("1\n", runner.Outcome().Output);
  // Created in the compiled program, not in the function's scope.
  EXPECT_NE(nullptr, runner.Script().LookupLocal("fresh"));
}

TEST(ScriptCompile, OverlyDeepExpressionsAreRefused) {
  std::string sum = "1";
  for (int i = 0; i < kMaxExpressionDepth; ++i) sum += " + 1";
  ScriptRunner runner("PascalScript");
  EXPECT_FALSE(runner.Compile("begin\n  Print(" + sum + ");\nend."));
  EXPECT_EQ("2:9: Expression too complex", runner.Outcome().CompileError);
  // One operator less fits.
  RunOutcome o = RunScript("PascalScript", "begin\n  Print(" + sum.substr(4) + ");\nend.");
  EXPECT_EQ(std::to_string(kMaxExpressionDepth) + "\n", o.Output);
}

TEST(ScriptCompile, SyntaxErrorsComeFromTheParser) {
  ScriptRunner runner("PascalScript");
  EXPECT_FALSE(runner.Compile("var i: Integer;\nbegin\n  for i := 1 to 10\n    i := 2;\nend."));
  EXPECT_EQ("4:5: 'DO' expected", runner.Outcome().CompileError);
}

TEST(ScriptCompile, ErrorsAreClearedByTheNextSuccessfulCompile) {
  ScriptRunner runner("PascalScript");
  EXPECT_FALSE(runner.Compile("begin x := 1; end."));
  EXPECT_TRUE(runner.Compile("begin end."));
  EXPECT_EQ("", runner.Script().LastErrorText());
  EXPECT_EQ("", runner.Script().LastErrorPos());
}

}  // namespace
}  // namespace fs::test
