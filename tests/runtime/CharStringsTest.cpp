// fs_CharStrings through scripts of all four dialects, one table per family: classes
// of characters and texts, case, quoting, prefixes and suffixes, escapes, hexadecimal
// and OEM text, parts around a sub-text, and lenient numbers with the locale's
// separators.
#include <gtest/gtest.h>

#include "runtime/FunctionLibrariesTestSupport.h"

namespace fs {
namespace {

using CharStringsTest = test::FunctionLibrariesFixture;

TEST_F(CharStringsTest, ClassesOfCharactersByTheCodePage) {
  ExpectAll({
      {"CharIsAlpha('a')", "bool True"},
      {"CharIsAlpha(Chr(228))", "bool True"},  // a with diaeresis
      {"CharIsAlpha('1')", "bool False"},
      {"CharIsAlphaNum('7')", "bool True"},
      {"CharIsDigit('7')", "bool True"},
      {"CharIsBlank(' ')", "bool True"},
      {"CharIsBlank(Chr(9))", "bool True"},
      {"CharIsControl(Chr(7))", "bool True"},
      {"CharIsDelete(Chr(8))", "bool True"},
      {"CharIsFracDigit('.')", "bool True"},
      {"CharIsFracDigit(',')", "bool False"},
      {"CharIsHexDigit('F')", "bool True"},
      {"CharIsHexDigit('g')", "bool False"},
      {"CharIsLower('a')", "bool True"},
      {"CharIsUpper(Chr(196))", "bool True"},
      {"CharIsNumberChar('-')", "bool True"},
      {"CharIsNumber('+')", "bool False"},
      {"CharIsNumber('.')", "bool True"},
      {"CharIsPrintable(Chr(10))", "bool False"},
      {"CharIsPrintable('~')", "bool True"},
      {"CharIsPunctuation('!')", "bool True"},
      {"CharIsReturn(Chr(13))", "bool True"},
      {"CharIsReturn(Chr(9))", "bool False"},
      {"CharIsSpace(Chr(11))", "bool True"},
      {"CharIsValidIdentifierLetter('_')", "bool True"},
      {"CharIsValidIdentifierLetter('$')", "bool False"},
      {"CharIsWhiteSpace(Chr(12))", "bool True"},
      {"CharIsWhiteSpace('x')", "bool False"},
      {"CharIsWildcard('?')", "bool True"},
      {"CharIsWildcard('%')", "bool False"},
      // upper, hexadecimal digit and alphabetic; the digit and hexadecimal bits
      {"CharType('A')", "word 385"},
      {"CharType('5')", "word 132"},
      {"CharType(' ')", "word 72"},
      {"CharHex('b')", "byte 11"},
      {"CharHex('F')", "byte 15"},
      {"CharHex('z')", "byte 255"},
      {"CharLower('Q')", "str 'q'"},
      {"CharUpper(Chr(246))", "str '\xD6'"},
      {"CharToggleCase('a')", "str 'A'"},
      {"CharToggleCase('A')", "str 'a'"},
      {"CharToggleCase('1')", "str '1'"},
      {"CharEqualNoCase('e', 'E')", "bool True"},
      {"CharEqualNoCase(Chr(233), Chr(201))", "bool True"},
      // A Char argument is the first character of the text.
      {"CharIsDigit('7x')", "bool True"},
      {"CharIsAlpha(Missing)", "null"},
  });
}

TEST_F(CharStringsTest, ClassesOfTexts) {
  ExpectAll({
      {"StrIsAlpha('abc' + Chr(196))", "bool True"},
      {"StrIsAlpha('ab1')", "bool False"},
      {"StrIsAlpha('')", "bool True"},
      {"StrIsAlphaNum('ab12')", "bool True"},
      {"StrIsAlphaNum('ab_')", "bool False"},
      {"StrIsAlphaNumUnderscore('ab_1')", "bool True"},
      {"StrIsDigit('0123')", "bool True"},
      {"StrIsDigit('12a')", "bool False"},
      {"StrConsistsOfNumberChars('-1.5')", "bool True"},
      {"StrConsistsOfNumberChars('1,5')", "bool False"},
      {"StrConsistsOfNumberChars('')", "bool False"},
      {"StrSame('Abc', 'aBC')", "bool True"},
      {"StrSame('Abc', 'aBD')", "bool False"},
      {"StrSame(Chr(228), Chr(196))", "bool True"},
  });
}

TEST_F(CharStringsTest, CaseQuotingPrefixesAndSuffixes) {
  ExpectAll({
      {"StrLower('ABC' + Chr(196))", "str 'abc\xE4'"},
      {"StrUpper('abc' + Chr(228))", "str 'ABC\xC4'"},
      {"StrProper('hELLO wORLD')", "str 'Hello world'"},
      {"StrProper('')", "str ''"},
      {"StrDoubleQuote('a')", "str '\"a\"'"},
      {"StrSingleQuote('a')", "str ''a''"},
      {"StrQuote('abc', '*')", "str '*abc*'"},
      {"StrQuote('*abc', '*')", "str '*abc*'"},
      {"StrQuote('abc*', '*')", "str '*abc*'"},
      {"StrQuote('*', '*')", "str '*'"},
      {"StrQuote('', '*')", "str ''"},
      {"StrTrimQuotes(Chr(34) + 'ab' + Chr(34))", "str 'ab'"},
      {"StrTrimQuotes(Chr(39) + 'ab' + Chr(39))", "str 'ab'"},
      {"StrTrimQuotes(Chr(34) + 'ab' + Chr(39))", "str '\"ab''"},
      {"StrTrimQuotes(Chr(39))", "str '''"},
      {"StrTrimQuotes('xabx')", "str 'xabx'"},
      {"StrTrimQuotes2('*ab*', '*')", "str 'ab'"},
      {"StrTrimQuotes2('*ab*', '#')", "str '*ab*'"},
      {"StrEnsurePrefix('http://', 'x.org')", "str 'http://x.org'"},
      {"StrEnsurePrefix('ab', 'abc')", "str 'abc'"},
      {"StrEnsureNoPrefix('ab', 'abc')", "str 'c'"},
      {"StrEnsureNoPrefix('AB', 'abc')", "str 'abc'"},
      {"StrEnsureSuffix('.txt', 'a')", "str 'a.txt'"},
      {"StrEnsureSuffix('.txt', 'a.txt')", "str 'a.txt'"},
      {"StrEnsureNoSuffix('.txt', 'a.txt')", "str 'a'"},
      {"StrEnsureNoSuffix('.txt', 'a.TXT')", "str 'a.TXT'"},
      {"StrDoubleQuote(Missing)", "null"},
  });
}

TEST_F(CharStringsTest, EscapesBothWays) {
  ExpectAll({
      // Octal, hexadecimal, named and kept escapes, shown escaped again.
      {"StrStringToEscaped(StrEscapedToString('\\101\\x42\\n\\q'))", "str 'AB\\n\\\\q'"},
      {"StrStringToEscaped(StrEscapedToString('\\a\\b\\f\\r\\t\\v\\\\'))", "str '\\a\\b\\f\\r\\t\\v\\\\'"},
      {"StrEscapedToString('\\x4a\\x4Bz')", "str 'JKz'"},
      {"StrEscapedToString('\\' + Chr(34) + '\\?\\' + Chr(39))", "str '\"?''"},
      // Three octal digits at most; a lone \x and a trailing backslash stay.
      {"StrEscapedToString('\\1011')", "str 'A1'"},
      {"StrEscapedToString('a\\xg')", "str 'a\\xg'"},
      {"StrEscapedToString('a\\x')", "str 'a\\x'"},
      {"StrEscapedToString('a\\')", "str 'a\\'"},
      {"StrLength(StrEscapedToString('\\0\\x4'))", "int 2"},
      {"StrStringToEscaped('say ' + Chr(34) + 'hi' + Chr(34) + Chr(1) + Chr(31))",
       "str 'say \\\"hi\\\"\\x01\\x1f'"},
      {"StrStringToEscaped('caf' + Chr(233))", "str 'caf\xE9'"},
      {"StrEscapedToString('ab\\400')", "error: Numeric constant too large (256) at position 4."},
      {"StrEscapedToString('\\777')", "error: Numeric constant too large (511) at position 2."},
  });
}

TEST_F(CharStringsTest, CharactersPartsHexAndOemText) {
  ExpectAll({
      {"StrReplaceChar('a-b-c', '-', '+')", "str 'a+b+c'"},
      {"StrReverse('abc')", "str 'cba'"},
      {"StrTrimCharLeft('xxabx', 'x')", "str 'abx'"},
      {"StrTrimCharRight('xxabx', 'x')", "str 'xxab'"},
      {"StrTrimCharLeft('xxx', 'x')", "str ''"},
      {"StrStripNonNumberChars('a1.5b-2 ')", "str '1.5-2'"},
      // Pairs of digits; an odd count reads with a leading 0.
      {"StrToHex('6869')", "str 'hi'"},
      {"StrStringToEscaped(StrToHex('414'))", "str '\\x04\\x14'"},
      {"StrStringToEscaped(StrToHex('441'))", "str '\\x04A'"},
      {"StrToHex('4g')", "str ''"},
      {"StrToHex('')", "str ''"},
      {"StrLength('abc')", "int 3"},
      {"StrRefCount('abc')", "int 1"},
      {"StrRefCount('')", "int 0"},
      {"StrAfter('=', 'key=value=x')", "str 'value=x'"},
      {"StrAfter('#', 'key=value')", "str ''"},
      {"StrBefore('=', 'key=value')", "str 'key'"},
      {"StrBefore('#', 'key=value')", "str 'key=value'"},
      {"StrBetween('f(a, b) + g(c)', '(', ')')", "str 'a, b'"},
      {"StrBetween('f(a', '(', ')')", "str ''"},
      {"StrBetween('fa)', '(', ')')", "str ''"},
      // ASCII is the same in every OEM and ANSI code page.
      {"StrOemToAnsi('plain text')", "str 'plain text'"},
      {"StrAnsiToOem('plain text')", "str 'plain text'"},
  });
}

TEST_F(CharStringsTest, LenientNumbers) {
  ExpectAll({
      {"StrToFloatSafe('(1.234,5)')", "double 1234.5"},
      {"StrToFloatSafe('1,234.5')", "double 1234.5"},
      {"StrToFloatSafe(' +12.5 kg')", "double 12.5"},
      {"StrToFloatSafe('--3')", "double 3"},
      {"StrToFloatSafe('-3')", "double -3"},
      {"StrToFloatSafe(',5')", "double 0.5"},
      {"StrToFloatSafe('7.')", "double 7"},
      {"StrToFloatSafe('1.2.3')", "double 123"},
      {"StrToFloatSafe('abc')", "double 0"},
      {"StrToIntSafe('-12.9')", "int -12"},
      {"StrToIntSafe('x')", "int 0"},
  });
}

TEST(CharStringsLocaleTest, LenientNumbersFollowTheLocalesSeparators) {
  rtl::FormatSettings comma;
  comma.DecimalSeparator = ',';
  comma.ThousandSeparator = '.';
  test::LocaleScope locale(comma);
  test::DateLibrariesHost host(test::AllFunctionLibraries());
  for (const char* dialect : test::kDialects) {
    EXPECT_EQ(host.Eval(dialect, {"StrToFloatSafe('(1.234,5)')", "StrToFloatSafe('1,234.5')", "StrToFloatSafe('.5')",
                                  "StrConsistsOfNumberChars('1,5')", "CharIsNumber(',')"}),
              (std::vector<std::string>{"double 1234.5", "double 1234.5", "double 0.5", "bool True", "bool True"}))
        << dialect;
  }
}

}  // namespace
}  // namespace fs
