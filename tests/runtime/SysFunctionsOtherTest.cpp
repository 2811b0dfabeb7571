// The remaining functions of the system functions module: RaiseException caught by the
// try statements of three dialects, ShowMessage's way out without message boxes,
// Random, VarArrayCreate and VarType, CreateOleObject's failure, ExtractFilePath.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtl/Random.h"
#include "runtime/SysFunctionsTestSupport.h"
#include "runtime/fsSysFunctions.h"

namespace fs {
namespace {

using test::EvalCase;
using test::SysFunctionsHost;
using SysFunctionsOtherTest = test::SysFunctionsFixture;

TEST_F(SysFunctionsOtherTest, RaiseExceptionIsCaughtByTry) {
  auto out = FHost.Run(R"(
begin
  try
    RaiseException('boom');
    Print('not reached');
  except
    Print(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    RaiseException(Null);
  except
    Print(ExceptionMessage);
  end;
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "Exception: boom\n\n");

  out = FHost.Run("begin RaiseException('left the script'); end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "1:7: left the script");

  out = FHost.Run(R"(
try {
  RaiseException("from js");
} except {
  Print(ExceptionClassName + "/" + ExceptionMessage);
}
Print(Copy("abcdef", 2, 3));
)", "JScript");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "Exception/from js\nbcd\n");

  out = FHost.Run(R"(
Dim s
s = "abc"
Try
  RaiseException("from basic")
Catch
  Print(ExceptionMessage & " " & NameCase("mary ann"))
End Try
Insert("X", s, 2)
Print(s)
)", "BasicScript");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "from basic Mary Ann\naXbc\n");
}

TEST_F(SysFunctionsOtherTest, ShowMessageWithoutMessageBoxesGoesToTheHook) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows shows a real message box, which would wait for a user";
#else
  std::vector<std::string> shown;
  SetShowMessageHook([&shown](const std::string& text) { shown.push_back(text); });
  auto out = FHost.Run("begin ShowMessage('hello'); ShowMessage(1.5); ShowMessage(Null); end.");
  SetShowMessageHook(nullptr);
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(shown, (std::vector<std::string>{"hello", "1.5", ""}));
#endif
}

TEST_F(SysFunctionsOtherTest, RandomStaysInItsRangeAndRepeatsForASeed) {
  auto out = FHost.Run(R"(
var i: Integer; r: Double; ok: Boolean;
begin
  Randomize;
  ok := True;
  for i := 1 to 2000 do begin
    r := Random;
    if (r < 0) or (r >= 1) then ok := False;
  end;
  Print(ok);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "True\n");
  rtl::RandSeed(7);
  const std::string first = FHost.Eval("Random");
  rtl::RandSeed(7);
  EXPECT_EQ(FHost.Eval("Random"), first);
  EXPECT_NE(FHost.Eval("Random"), first);
}

TEST_F(SysFunctionsOtherTest, VarArrayCreateAndVarType) {
  ExpectAll({
      {"VarType(VarArrayCreate([0, 4], varVariant))", "8204"},
      {"VarType(VarArrayCreate([0, 4], varInteger)[2])", "3"},
      {"VarArrayCreate([0, 4], varDouble)[4]", "0"},
      {"VarType(VarArrayCreate([0, 4], varVariant)[0])", "0"},
      {"'[' + VarArrayCreate([1, 2], varString)[1] + ']'", "[]"},
      {"VarArrayCreate([0, 4, 1], varVariant)", "error: Error creating variant or safe array"},
      {"VarArrayCreate([5, 3], varVariant)", "error: Error creating variant or safe array"},
      {"VarArrayCreate([0, 1], varNull)", "error: Error creating variant or safe array"},
      {"VarType(1)", "3"},
      {"VarType(1.5)", "5"},
      {"VarType('a')", "256"},
      {"VarType(True)", "11"},
      {"VarType(Null)", "1"},
      {"VarType(EncodeDate(2024, 1, 1))", "7"},
      {"VarType([1, 2])", "8204"},
      {"varArray + varVariant", "8204"},
  });
  // Two dimensions, written and read through the array helper.
  auto out = FHost.Run("var v: Variant; begin v := 5; VarArrayCreate(v, varVariant); end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_NE(out.RunError.find("Variant is not an array"), std::string::npos) << out.RunError;
  out = FHost.Run(R"(
var a: Variant;
begin
  a := VarArrayCreate([0, 1, 1, 3], varInteger);
  a[1, 3] := 7;
  Print(a[1, 3]); Print(a[0, 1]); Print(Length(a));
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "7\n0\n2\n");
}

TEST_F(SysFunctionsOtherTest, VarArrayCreateMakesAnArrayOfTheGivenType) {
  ExpectAll({
      {"VarType(VarArrayCreate([1, 3], varInteger))", "8195"},
      {"VarType(VarArrayCreate([1, 3], varDouble))", "8197"},
      {"VarType(VarArrayCreate([1, 3], varString))", "8448"},
      {"VarType(VarArrayCreate([1, 3], varVariant))", "8204"},
  });
  // Stored values take the element type; SetLength keeps it, and its new elements
  // start as the type's zero.
  auto out = FHost.Run(R"(
var a, v: Variant;
begin
  a := VarArrayCreate([1, 3], varInteger);
  a[1] := '42'; Print(VarType(a[1])); Print(a[1] + 1);
  a[2] := 2.5; Print(a[2]);
  SetLength(a, 5); Print(VarType(a)); Print(a[4]);
  v := VarArrayCreate([0, 1], varVariant);
  v[0] := '42'; Print(VarType(v[0]));
  a[3] := 'x';
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "3\n43\n2\n8195\n0\n256\n");
  EXPECT_EQ(out.RunError, "10:3: Could not convert variant of type (String) into type (Integer)");
  out = FHost.Run(R"(
var a;
a = VarArrayCreate([0, 1], varDouble);
a[0] = "1.5";
Print(a[0] * 2);
Print(VarType(a));
)", "JScript");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "3\n8197\n");
}

TEST_F(SysFunctionsOtherTest, CreateOleObjectFailsWithTheSystemsError) {
  auto out = FHost.Run(R"(
var o: Variant;
begin
  try
    o := CreateOleObject('No.Such.Class');
  except
    Print(ExceptionClassName);
    Print(ExceptionMessage);
  end;
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
#ifdef _WIN32
  EXPECT_EQ(out.Output.substr(0, out.Output.find('\n') + 1), "EOleSysError\n");
  EXPECT_NE(out.Output.find("OLE error 800401F3: No.Such.Class"), std::string::npos) << out.Output;
#else
  EXPECT_EQ(out.Output,
            "EOleSysError\nOLE error 80004001: No.Such.Class: Automation objects are not available on this system\n");
#endif
}

#ifdef _WIN32
TEST_F(SysFunctionsOtherTest, CreateOleObjectMakesAnAutomationObject) {
  // Wine and Windows both provide this one.
  EXPECT_EQ(FHost.Eval("VarType(CreateOleObject('Scripting.Dictionary'))"), "9");
}
#endif

TEST_F(SysFunctionsOtherTest, ExtractFilePath) {
  ExpectAll({
      {"ExtractFilePath('C:\\dir\\file.txt')", "C:\\dir\\"},
      {"ExtractFilePath('/var/log/x.log')", "/var/log/"},
      {"ExtractFilePath('C:file.txt')", "C:"},
      {"'[' + ExtractFilePath('file.txt') + ']'", "[]"},
  });
}

}  // namespace
}  // namespace fs
