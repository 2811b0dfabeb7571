// The string functions of the system functions module, through PascalScript: the
// bounds of Copy, Delete and Insert, Pos, Length, NameCase and the ASCII-only case
// functions, Chr and Ord, SetLength on strings and arrays, and string indexing.
#include <gtest/gtest.h>

#include <string>

#include "runtime/SysFunctionsTestSupport.h"

namespace fs {
namespace {

using test::EvalCase;
using test::SysFunctionsHost;
using SysFunctionsStringTest = test::SysFunctionsFixture;

TEST_F(SysFunctionsStringTest, CopyClipsStartAndCount) {
  ExpectAll({
      {"Copy('abcdef', 0, 2)", "ab"},
      {"Copy('abcdef', -5, 3)", "abc"},
      {"Copy('abc', 5, 1)", ""},
      {"Copy('abc', 4, 1)", ""},
      {"Copy('abc', 3, 1)", "c"},
      {"Copy('abcdef', 2, 100)", "bcdef"},
      {"Copy('abcdef', 2, 0)", ""},
      {"Copy('abcdef', 2, -1)", ""},
      {"Copy('', 1, 1)", ""},
  });
}

TEST_F(SysFunctionsStringTest, DeleteAndInsertWriteBackWithinBounds) {
  auto out = FHost.Run(R"(
var s: String;
begin
  s := 'abcdef'; Delete(s, 2, 3); Print(s);
  s := 'abcdef'; Delete(s, 0, 3); Print(s);
  s := 'abcdef'; Delete(s, 7, 1); Print(s);
  s := 'abcdef'; Delete(s, 5, 100); Print(s);
  s := 'abcdef'; Delete(s, 2, 0); Print(s);
  s := 'abcdef'; Delete(s, 2, -4); Print(s);
  s := 'abcdef'; DeleteStr(s, 1, 1); Print(s);
  s := 'abc'; Insert('XY', s, 2); Print(s);
  s := 'abc'; Insert('XY', s, -3); Print(s);
  s := 'abc'; Insert('XY', s, 4); Print(s);
  s := 'abc'; Insert('XY', s, 10); Print(s);
  s := ''; Insert('XY', s, 1); Print(s);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "aef\nabcdef\nabcdef\nabcd\nabcdef\nabcdef\nbcdef\naXYbc\nXYabc\nabcXY\nabcXY\nXY\n");
}

TEST_F(SysFunctionsStringTest, PosLengthAndComparison) {
  ExpectAll({
      {"Pos('cd', 'abcdcd')", "3"},
      {"Pos('x', 'abc')", "0"},
      {"Pos('', 'abc')", "0"},
      {"Length('hello')", "5"},
      {"Length(12345)", "5"},
      {"Length('')", "0"},
      {"Length(VarArrayCreate([0, 4], varVariant))", "5"},
      {"Length(VarArrayCreate([2, 3, 0, 9], varVariant))", "2"},
      {"CompareText('abc', 'ABC')", "0"},
      {"CompareText('abc', 'ABD') < 0", "True"},
      {"CompareText('b', 'A') > 0", "True"},
      {"CompareText('ab', 'a') > 0", "True"},
  });
}

TEST_F(SysFunctionsStringTest, CaseFunctions) {
  ExpectAll({
      {"NameCase('jOHN o''neil')", "John O'neil"},
      {"NameCase(' john')", " john"},
      {"NameCase('a  b c')", "A  B C"},
      {"NameCase('')", ""},
      // Letters beyond ASCII follow the code page.
      {"NameCase('x ' + Chr(233) + 't' + Chr(201)) = 'X ' + Chr(201) + 't' + Chr(233)", "True"},
      // Uppercase and Lowercase change only a-z and A-Z.
      {"Uppercase('abc' + Chr(233)) = 'ABC' + Chr(233)", "True"},
      {"Lowercase('ABC' + Chr(201)) = 'abc' + Chr(201)", "True"},
      {"'[' + Trim(Chr(9) + ' a b ' + Chr(13) + Chr(0)) + ']'", "[a b]"},
  });
}

TEST_F(SysFunctionsStringTest, ChrAndOrd) {
  ExpectAll({
      {"Chr(65)", "A"},
      {"Chr(321)", "A"},
      {"Ord(Chr(0))", "0"},
      {"Ord('A')", "65"},
      {"Ord('AB')", "65"},
      {"Ord(Chr(233))", "233"},
      {"Ord('')", "0"},
  });
}

TEST_F(SysFunctionsStringTest, SetLengthCutsAndExtendsStringsAndArrays) {
  auto out = FHost.Run(R"(
var s: String; v: Variant;
begin
  s := 'abcdef'; SetLength(s, 3); Print(s);
  SetLength(s, 5); Print(Length(s)); Print(Ord(s[5]));
  SetLength(s, -1); Print(Length(s));
  v := VarArrayCreate([0, 2], varVariant);
  v[0] := 'a'; v[2] := 'c';
  SetLength(v, 5); Print(Length(v)); Print(v[0]); Print(v[2]); Print(VarType(v[4]));
  SetLength(v, 1); Print(Length(v)); Print(v[0]);
  SetLength(v, 0); Print(Length(v));
  v := 'text'; SetLength(v, 2); Print(v);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "abc\n5\n0\n0\n5\na\nc\n0\n1\na\n0\nte\n");
}

TEST_F(SysFunctionsStringTest, SetLengthOfAnythingElseIsAVariantError) {
  auto out = FHost.Run("var v: Variant; begin v := 5; SetLength(v, 2); end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_NE(out.RunError.find("Variant is not an array"), std::string::npos) << out.RunError;
  out = FHost.Run("var i: Integer; begin i := 5; try SetLength(i, 2); except Print(ExceptionClassName); end; end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "EVariantError\n");
}

TEST_F(SysFunctionsStringTest, StringsAreIndexedThroughTheHelper) {
  auto out = FHost.Run("var s: String; begin s := 'abc'; s[2] := 'X'; Print(s); Print(s[3]); end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "aXc\nc\n");
}

}  // namespace
}  // namespace fs
