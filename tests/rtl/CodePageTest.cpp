#include "rtl/CodePage.h"

#include <gtest/gtest.h>

#include <string>

using namespace rtl;

namespace {

// Windows-1252 is the process code page on POSIX and on an English Windows; the
// tables below are written for it.
bool Is1252() { return ProcessCodePage() == cpWindows1252; }

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

}  // namespace

TEST(CodePage, ProcessCodePageIsSingleByteAnsi) {
#ifndef _WIN32
  EXPECT_EQ(ProcessCodePage(), cpWindows1252);
#endif
  if (!Is1252()) GTEST_SKIP() << "code page " << ProcessCodePage();
  EXPECT_TRUE(ProcessCodePageIsSingleByte());
  for (int b = 0; b < 256; ++b) EXPECT_FALSE(IsAnsiLeadByte(static_cast<char>(b)));
}

TEST(CodePage, EveryByteRoundTripsThroughUtf16) {
  if (!Is1252()) GTEST_SKIP();
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::u16string wide = AnsiToWide(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(WideToAnsi(wide).str(), all);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)).str(), all);
}

TEST(CodePage, Windows1252Characters) {
  if (!Is1252()) GTEST_SKIP();
  struct {
    int Byte;
    char16_t Wide;
  } const cases[] = {{0x41, u'A'},     {0x80, 0x20AC}, {0x81, 0x0081}, {0x83, 0x0192}, {0x8A, 0x0160},
                     {0x8C, 0x0152},   {0x8E, 0x017D}, {0x92, 0x2019}, {0x99, 0x2122}, {0x9A, 0x0161},
                     {0x9F, 0x0178},   {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Byte);
    EXPECT_EQ(AnsiToWide(Bytes({c.Byte})), std::u16string(1, c.Wide));
    EXPECT_EQ(WideToAnsi(std::u16string(1, c.Wide)).str(), Bytes({c.Byte}));
  }
  // A character the code page lacks.
  EXPECT_EQ(WideToAnsi(u"a\u4E2Db"), "a?b");
}

// The checked conversion tells a text the code page holds from one it only
// approximates ("?" for a CJK character, a plain letter for a Latin one with a macron
// on Windows), whatever the platform substitutes.
TEST(CodePage, WideToAnsiExactReportsWhatTheCodePageLacks) {
  AnsiString out;
  EXPECT_TRUE(WideToAnsiExact(u"plain", out));
  EXPECT_EQ(out, "plain");
  EXPECT_TRUE(WideToAnsiExact(u"", out));
  EXPECT_EQ(out, "");
  if (!Is1252()) GTEST_SKIP();
  EXPECT_TRUE(WideToAnsiExact(u"caf\u00E9 \u20AC", out));
  EXPECT_EQ(out, "caf\xE9 \x80");
  EXPECT_FALSE(WideToAnsiExact(u"a\u4E2Db", out));
  EXPECT_FALSE(WideToAnsiExact(u"\u0101", out));
  EXPECT_FALSE(WideToAnsiExact(u"\U0001F600", out));
}

TEST(CodePage, BStrHoldsTheConvertedText) {
  sys::BStr b = AnsiToBStr(Is1252() ? "caf\xE9" : "cafe");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(sys::SysStringLen(b), 4u);
  EXPECT_EQ(b[4], u'\0');
  if (Is1252()) {
    EXPECT_EQ(b[3], u'\u00E9');
  }
  sys::SysFreeString(b);
  EXPECT_EQ(AnsiToBStr(""), nullptr);
}

TEST(CodePage, Utf8RoundTripsAndReplacesMalformedInput) {
  const std::u16string text = u"A\u00E9\u20AC\U0001F600z";
  std::string utf8 = WideToUtf8(text);
  EXPECT_EQ(utf8, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z");
  EXPECT_EQ(Utf8ToWide(utf8), text);

  struct {
    const char* In;
    std::u16string Out;
  } const malformed[] = {
      {"\xC0\xAF", u"\uFFFD\uFFFD"},              // overlong
      {"a\xE2\x82", u"a\uFFFD"},                  // cut short
      {"\xE2\x82x", u"\uFFFDx"},                  // broken by an ASCII byte
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},    // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xFF", u"\uFFFD"},
  };
  for (const auto& m : malformed) {
    SCOPED_TRACE(m.In);
    EXPECT_EQ(Utf8ToWide(m.In), m.Out);
  }
  // Unpaired surrogates cannot be written as UTF-8.
  EXPECT_EQ(WideToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(WideToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(CodePage, AnsiAndUtf8) {
  EXPECT_EQ(AnsiToUtf8("plain"), "plain");
  if (!Is1252()) GTEST_SKIP();
  EXPECT_EQ(AnsiToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(Utf8ToAnsi("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
  EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD"), "?");
}

TEST(CodePage, OtherCodePages) {
  EXPECT_EQ(CodePageToWide(cpUtf8, "\xC3\xA9"), u"\u00E9");
  EXPECT_EQ(WideToCodePage(cpUtf8, u"\u00E9"), "\xC3\xA9");
  // A code page the system cannot convert reads as the process code page.
  EXPECT_EQ(CodePageToWide(54321, "abc"), u"abc");
  EXPECT_EQ(WideToCodePage(54321, u"abc"), "abc");
  if (!Is1252()) GTEST_SKIP();
  EXPECT_EQ(CodePageToWide(cpWindows1252, "\x80"), u"\u20AC");
  EXPECT_EQ(WideToCodePage(cpWindows1252, u"\u20AC"), "\x80");
}

TEST(CodePage, AnsiCaseMappingFollowsWindows1252) {
  if (!Is1252()) GTEST_SKIP();
  // Pairs of upper and lower case.
  const int pairs[][2] = {{'A', 'a'}, {'Z', 'z'}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF},
                          {0xC0, 0xE0}, {0xC9, 0xE9}, {0xD6, 0xF6}, {0xD8, 0xF8}, {0xDE, 0xFE}};
  for (const auto& p : pairs) {
    SCOPED_TRACE(p[0]);
    char up = static_cast<char>(p[0]), low = static_cast<char>(p[1]);
    EXPECT_EQ(AnsiLowerChar(up), low);
    EXPECT_EQ(AnsiUpperChar(low), up);
    EXPECT_EQ(AnsiUpperChar(up), up);
    EXPECT_EQ(AnsiLowerChar(low), low);
  }
  // No partner in the code page.
  for (int b : {int('1'), int('_'), 0xD7, 0xF7, 0xDF, 0x83, 0x80, 0xA0}) {
    SCOPED_TRACE(b);
    EXPECT_EQ(AnsiUpperChar(static_cast<char>(b)), static_cast<char>(b));
    EXPECT_EQ(AnsiLowerChar(static_cast<char>(b)), static_cast<char>(b));
  }
  EXPECT_EQ(AnsiUpperCase("stra\xDF" "e \xE9t\xE9 \x9A\x9C\xFF"), "STRA\xDF" "E \xC9T\xC9 \x8A\x8C\x9F");
  EXPECT_EQ(AnsiLowerCase(std::string("\xC0" "BC")), "\xE0" "bc");
}

TEST(CodePage, LowerCaseSharesTheBufferWhenNothingChanges) {
  AnsiString name("already lower");
  AnsiString key = AnsiLowerCase(name);
  EXPECT_EQ(key.Raw(), name.Raw());

  AnsiString mixed("MixedCase");
  AnsiString lower = AnsiLowerCase(mixed);
  EXPECT_EQ(lower, "mixedcase");
  EXPECT_EQ(mixed, "MixedCase");
  EXPECT_EQ(lower.RefCount(), 1);
  EXPECT_EQ(AnsiUpperCase(AnsiString()).Raw(), nullptr);
}

TEST(CodePage, WideCaseMapping) {
  struct {
    std::u16string Upper, Lower;
  } const cases[] = {
      {u"ABC XYZ 123", u"abc xyz 123"},
      {u"\u00C9T\u00C9 \u0178", u"\u00E9t\u00E9 \u00FF"},
      {u"\u0391\u0392\u0393 \u03A3", u"\u03B1\u03B2\u03B3 \u03C3"},
      {u"\u041F\u0420\u0418\u0412\u0415\u0422 \u0401", u"\u043F\u0440\u0438\u0432\u0435\u0442 \u0451"},
      {u"\u0100\u0106\u0141\u0179", u"\u0101\u0107\u0142\u017A"},
      {u"\uFF21\uFF3A", u"\uFF41\uFF5A"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WideUpperCase(c.Lower), c.Upper);
    EXPECT_EQ(WideLowerCase(c.Upper), c.Lower);
  }
  // Characters without a one-unit partner stay as they are.
  EXPECT_EQ(WideUpperCase(u"\u00DF\u4E2D1"), u"\u00DF\u4E2D1");
  EXPECT_EQ(WideUpperChar(u'q'), u'Q');
  EXPECT_EQ(WideLowerChar(u'\u0110'), u'\u0111');
}

TEST(CodePage, CharacterClasses) {
  struct {
    int Byte;
    bool Letter, Digit, Blank, Upper, Lower;
  } const ascii[] = {
      {'A', true, false, false, true, false}, {'z', true, false, false, false, true},
      {'5', false, true, false, false, false}, {' ', false, false, true, false, false},
      {'\t', false, false, true, false, false}, {'_', false, false, false, false, false},
      {'\n', false, false, false, false, false},
  };
  for (const auto& c : ascii) {
    SCOPED_TRACE(c.Byte);
    char ch = static_cast<char>(c.Byte);
    EXPECT_EQ(IsAnsiLetter(ch), c.Letter);
    EXPECT_EQ(IsAnsiDigit(ch), c.Digit);
    EXPECT_EQ(IsAnsiAlphaNumeric(ch), c.Letter || c.Digit);
    EXPECT_EQ(IsAnsiBlank(ch), c.Blank);
    EXPECT_EQ(IsAnsiUpper(ch), c.Upper);
    EXPECT_EQ(IsAnsiLower(ch), c.Lower);
    EXPECT_EQ(IsWideLetter(static_cast<char16_t>(c.Byte)), c.Letter);
  }
  EXPECT_EQ(AnsiCharType('A'), ctUpper | ctXDigit | ctAlpha);
  EXPECT_EQ(AnsiCharType('7'), ctDigit | ctXDigit);
  EXPECT_TRUE(AnsiCharType('\n') & ctSpace);
  EXPECT_TRUE(AnsiCharType('\n') & ctControl);
  EXPECT_TRUE(AnsiCharType('!') & ctPunct);

  EXPECT_TRUE(IsWideLetter(u'\u03B1'));
  EXPECT_TRUE(IsWideLetter(u'\u4E2D'));
  EXPECT_TRUE(IsWideDigit(u'\u0663'));
  EXPECT_FALSE(IsWideLetter(u'\u2022'));
  EXPECT_TRUE(IsWideSpace(u'\u3000'));

  if (!Is1252()) GTEST_SKIP();
  for (int b : {0x8A, 0x9A, 0xC0, 0xE9, 0xFF, 0xDF}) EXPECT_TRUE(IsAnsiLetter(static_cast<char>(b))) << b;
  for (int b : {0x80, 0x95, 0xD7, 0xF7, 0xA9}) EXPECT_FALSE(IsAnsiAlphaNumeric(static_cast<char>(b))) << b;
  EXPECT_TRUE(IsAnsiUpper('\xC9'));
  EXPECT_TRUE(IsAnsiLower('\xE9'));
  EXPECT_TRUE(AnsiCharType('\xA0') & ctSpace);
}

// Runs only where the process code page is Shift-JIS (a Japanese Windows, or Wine
// started with a Japanese locale): trail bytes that look like ASCII letters must not be
// case-mapped.
TEST(CodePage, DoubleByteCodePage) {
  if (ProcessCodePage() != 932) GTEST_SKIP();
  EXPECT_FALSE(ProcessCodePageIsSingleByte());
  const std::string katakanaA = "\x83\x41";  // U+30A2, its trail byte is 'A'
  EXPECT_TRUE(IsAnsiLeadByte('\x83'));
  EXPECT_EQ(AnsiToWide(katakanaA + "b"), u"\u30A2b");
  EXPECT_EQ(WideToAnsi(u"\u30A2b").str(), katakanaA + "b");
  EXPECT_EQ(AnsiLowerCase(katakanaA + "B").str(), katakanaA + "b");
  EXPECT_EQ(AnsiUpperCase(katakanaA + "b").str(), katakanaA + "B");
  sys::BStr b = AnsiToBStr(katakanaA);
  EXPECT_EQ(sys::SysStringLen(b), 1u);
  sys::SysFreeString(b);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(katakanaA)).str(), katakanaA);
}
