// The formatting functions of the system functions module, through scripts: Format
// with a script array of arguments (and its errors), number and date pictures, and
// the edit-mask cases of both modes.
#include <gtest/gtest.h>

#include <string>

#include "runtime/SysFunctionsTestSupport.h"

namespace fs {
namespace {

using test::EvalCase;
using test::SysFunctionsHost;
using SysFunctionsFormatTest = test::SysFunctionsFixture;

TEST_F(SysFunctionsFormatTest, FormatTakesAScriptArray) {
  ExpectAll({
      {"Format('%5.2f|%-4d|%s', [3.14159, 7, 'x'])", " 3.14|7   |x"},
      {"Format('%d%%', [50])", "50%"},
      {"Format('%x %.4x', [255, 255])", "FF 00FF"},
      {"Format('%1:s-%0:s', ['a', 'b'])", "b-a"},
      {"Format('%*d', [5, 42])", "   42"},
      {"Format('%n', [1234567.891])", "1,234,567.89"},
      {"Format('%s', [True])", "error: Format '%s' invalid or incompatible with argument"},
      {"Format('%d', ['x'])", "error: Format '%d' invalid or incompatible with argument"},
      {"Format('%d %d', [1])", "error: No argument for format '%d %d'"},
      {"Format('no arguments', Null)", "no arguments"},
  });
  // A string argument longer than 255 characters is cut to 255.
  auto out = FHost.Run(R"(
var s: String; i: Integer;
begin
  s := '';
  for i := 1 to 300 do s := s + 'a';
  Print(Length(Format('%s', [s])));
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "255\n");
}

TEST_F(SysFunctionsFormatTest, NumberAndDatePictures) {
  ExpectAll({
      {"FormatFloat('#,##0.00', 1234.5)", "1,234.50"},
      {"FormatFloat('0.00;(0.00);zero', -2.5)", "(2.50)"},
      {"FormatFloat('0.00;(0.00);zero', 0.001)", "zero"},
      {"FormatFloat('0.###E+00', 12345)", "1.235E+04"},
      {"FormatFloat('', 2.5)", "2.5"},
      {"FormatDateTime('yyyy-mm-dd hh:nn:ss.zzz', EncodeDate(2024, 3, 14) + EncodeTime(13, 5, 9, 7))",
       "2024-03-14 13:05:09.007"},
      {"FormatDateTime('dddd, mmmm d', EncodeDate(2024, 3, 14))", "Thursday, March 14"},
      {"FormatDateTime('h:nn am/pm', EncodeTime(13, 5, 0, 0))", "1:05 pm"},
      {"FormatDateTime('', EncodeDate(2024, 3, 14))", "3/14/2024"},
  });
}

TEST_F(SysFunctionsFormatTest, EditMasks) {
  ExpectAll({
      // Insertion mode: the value holds only the mask positions' characters.
      {"FormatMaskText('000-0000;0;_', '5551234')", "555-1234"},
      {"'[' + FormatMaskText('000-0000;0;_', '555') + ']'", "[555-    ]"},
      {"'[' + FormatMaskText('!000-0000;0;_', '51234') + ']'", "[  5-1234]"},
      // Matching mode: the value already holds the literals.
      {"'[' + FormatMaskText('000-0000', '5551234') + ']'", "[555-    ]"},
      {"'[' + FormatMaskText('000-0000', '55-12') + ']'", "[55 -12  ]"},
      {"FormatMaskText('000-0000;1;_', '555-1234')", "555-1234"},
      // Never a change of letter case.
      {"FormatMaskText('>aaa<aaa;0;_', 'aBcDeF')", "aBcDeF"},
      {"FormatMaskText('99/99;0;_', '1231')", "12/31"},
  });
}

}  // namespace
}  // namespace fs
