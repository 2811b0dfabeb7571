// fs_StrUtils through scripts of all four dialects: searches and replacements with and
// without case, Soundex codes, texts built from texts, parts by bytes and by
// characters, and PosEx.
#include <gtest/gtest.h>

#include "runtime/FunctionLibrariesTestSupport.h"

namespace fs {
namespace {

using StrUtilsTest = test::FunctionLibrariesFixture;

TEST_F(StrUtilsTest, SearchesWithAndWithoutCase) {
  ExpectAll({
      {"AnsiContainsText('Hello World', 'WORLD')", "bool True"},
      {"AnsiContainsText('caf' + Chr(233), Chr(201))", "bool True"},
      {"AnsiContainsText('Hello', 'x')", "bool False"},
      {"AnsiContainsStr('Hello World', 'WORLD')", "bool False"},
      {"AnsiContainsStr('Hello', 'll')", "bool True"},
      {"AnsiStartsText('HE', 'Hello')", "bool True"},
      {"AnsiStartsText('Hello!', 'Hello')", "bool False"},
      {"AnsiStartsStr('HE', 'Hello')", "bool False"},
      {"AnsiStartsStr('He', 'Hello')", "bool True"},
      {"AnsiEndsText('LO', 'Hello')", "bool True"},
      {"AnsiEndsStr('LO', 'Hello')", "bool False"},
      {"AnsiEndsStr('lo', 'Hello')", "bool True"},
      {"AnsiStartsStr('', 'Hello')", "bool True"},
      {"AnsiStartsText(Missing, 'Hello')", "null"},
  });
}

TEST_F(StrUtilsTest, ReplacementsWithAndWithoutCase) {
  ExpectAll({
      {"AnsiReplaceText('One one ONE', 'one', 'two')", "str 'two two two'"},
      {"AnsiReplaceStr('One one ONE', 'one', 'two')", "str 'One two ONE'"},
      // Replacements are not searched again.
      {"AnsiReplaceStr('aaa', 'a', 'aa')", "str 'aaaaaa'"},
      {"AnsiReplaceText('a.b.c', '.', '')", "str 'abc'"},
      {"AnsiReplaceStr('abc', '', 'x')", "str 'abc'"},
      {"AnsiReplaceText('Stra' + Chr(223) + 'e ' + Chr(196) + 'rger', Chr(228), 'ae')", "str 'Stra\xDF" "e aerger'"},
  });
}

TEST_F(StrUtilsTest, SoundexCodes) {
  ExpectAll({
      {"AnsiResemblesText('Robert', 'Rupert')", "bool True"},
      {"AnsiResemblesText('Robert', 'Rubin')", "bool False"},
      {"SoundexProc('Smith', 'Smyth')", "bool True"},
      // R = 17: 17 * 343 + 1 * 49 + 6 * 7 + 3
      {"SoundexWord('Robert')", "word 5925"},
      {"DecodeSoundexWord(5925)", "str 'R163'"},
      {"DecodeSoundexInt(5925)", "str 'R163'"},
      {"DecodeSoundexWord(SoundexWord('Tymczak'))", "str 'T522'"},
      {"DecodeSoundexWord(SoundexWord('Pfister'))", "str 'P236'"},
      {"DecodeSoundexWord(SoundexWord('Ashcraft'))", "str 'A261'"},
      {"DecodeSoundexWord(SoundexWord('Honeyman'))", "str 'H555'"},
      {"DecodeSoundexWord(SoundexWord('lee'))", "str 'L000'"},
      {"DecodeSoundexWord(SoundexWord('  O''Hara'))", "str 'O600'"},
      {"DecodeSoundexInt(-1)", "error: -1 is not a Soundex code"},
      {"DecodeSoundexWord(9000)", "error: 9000 is not a Soundex code"},
  });
}

TEST_F(StrUtilsTest, TextsBuiltFromTexts) {
  ExpectAll({
      {"DupeString('ab', 3)", "str 'ababab'"},
      {"DupeString('ab', 0)", "str ''"},
      {"DupeString('ab', -1)", "str ''"},
      {"ReverseString('abc')", "str 'cba'"},
      {"AnsiReverseString('abc')", "str 'cba'"},
      {"StuffString('Hello World', 7, 5, 'There')", "str 'Hello There'"},
      {"StuffString('abc', 2, 0, 'X')", "str 'aXbc'"},
      {"StuffString('abc', 10, 2, 'X')", "str 'abcX'"},
      {"IfThen(True, 'a', 'b')", "str 'a'"},
      {"IfThen(False, 'a', 'b')", "str 'b'"},
      {"IfThen(False, 'a')", "str ''"},
  });
}

TEST_F(StrUtilsTest, PartsByBytesAndByCharacters) {
  ExpectAll({
      {"LeftStr('Hello', 2)", "str 'He'"},
      {"LeftStr('Hello', 10)", "str 'Hello'"},
      {"LeftStr('Hello', -1)", "str ''"},
      {"RightStr('Hello', 3)", "str 'llo'"},
      {"RightStr('Hello', 10)", "str 'Hello'"},
      {"RightStr('Hello', 0)", "str ''"},
      {"MidStr('Hello', 2, 3)", "str 'ell'"},
      {"MidStr('Hello', 0, 2)", "str 'He'"},
      {"MidStr('Hello', 9, 2)", "str ''"},
      {"LeftBStr('Hello', 2)", "str 'He'"},
      {"RightBStr('Hello', 2)", "str 'lo'"},
      {"MidBStr('Hello', 2, 2)", "str 'el'"},
      {"AnsiLeftStr('Hello', 2)", "str 'He'"},
      {"AnsiRightStr('Hello', 3)", "str 'llo'"},
      {"AnsiMidStr('Hello', 4, 10)", "str 'lo'"},
      {"AnsiMidStr('Hello', 2, 0)", "str ''"},
      {"PosEx('a', 'banana')", "int 2"},
      {"PosEx('a', 'banana', 3)", "int 4"},
      {"PosEx('na', 'banana', 4)", "int 5"},
      {"PosEx('a', 'banana', 7)", "int 0"},
      {"PosEx('a', 'banana', 0)", "int 0"},
      {"PosEx('', 'banana')", "int 0"},
      {"PosEx('x', 'banana')", "int 0"},
  });
}

}  // namespace
}  // namespace fs
