// The string routines on UTF-16 text: searching agrees with a plain scan of the units
// (never a match that starts inside a unit's bytes, surrogates and characters from every
// range of byte lengths included), positions and clipping as the 8-bit routines have
// them, and a wide text narrowed with a loss is reported to the thread's listener once
// per narrowing, with the routine's name.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "rtl/TextLoss.h"
#include "rtl/Variant.h"
#include "rtl/WideStringRoutines.h"

namespace rtl {
namespace {

std::size_t Naive(std::u16string_view text, std::u16string_view pattern, std::size_t from) {
  if (pattern.empty()) return std::u16string_view::npos;
  for (std::size_t j = from; j + pattern.size() <= text.size(); ++j)
    if (text.substr(j, pattern.size()) == pattern) return j;
  return std::u16string_view::npos;
}

TEST(WideStringRoutines, SearchAgreesWithAPlainScanOfUnits) {
  std::mt19937 random(9);
  // One-, two- and three-byte units and both halves of a surrogate pair, in few kinds
  // so that patterns occur and almost occur.
  std::u16string alphabet = u"a\u00e9\u0100\u65e5\u0001";
  alphabet += {char16_t(0xD83D), char16_t(0xDE00)};
  auto text = [&](std::size_t n) {
    std::u16string s(n, u' ');
    for (char16_t& c : s) c = alphabet[random() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::u16string pattern = text(1 + random() % 30);
    std::u16string s = text(random() % 120);
    if (round % 3 == 0 && !s.empty()) s.insert(random() % s.size(), pattern);
    const std::size_t from = s.empty() ? 0 : random() % (s.size() + 1);
    ASSERT_EQ(FindWideText(s, pattern, from), Naive(s, pattern, from)) << round;
  }
}

TEST(WideStringRoutines, NoMatchAcrossUnits) {
  // U+0100 U+0100 in the bytes of U+0001 U+0001 ... at an odd offset: no match.
  const std::u16string text(2000, u'\u0001');
  EXPECT_EQ(FindWideText(text, std::u16string(500, u'\u0100')), std::u16string_view::npos);
  // The tail of one three-byte unit and the head of the next are no unit.
  EXPECT_EQ(WidePos(u"\u0080", u"\u65e5\u65e5"), 0);
  EXPECT_EQ(WidePos(u"\u672c\u8a9e", u" \u65e5\u672c\u8a9e "), 3);
  EXPECT_EQ(WidePos(u"", u"abc"), 0);
}

TEST(WideStringRoutines, PositionsAndClipping) {
  const std::u16string s = u"\u65e5\u672c\u8a9e!";
  struct Case {
    std::int64_t From, Count;
    std::u16string Copy;
  } cases[] = {{2, 2, u"\u672c\u8a9e"}, {0, 1, u"\u65e5"}, {4, 9, u"!"}, {5, 1, u""}, {1, 0, u""}};
  for (const Case& c : cases) EXPECT_EQ(WideCopy(s, c.From, c.Count), c.Copy) << c.From << "," << c.Count;

  std::u16string d = s;
  WideDelete(d, 2, 100);
  EXPECT_EQ(d, u"\u65e5");
  WideDelete(d, 0, 1);  // a position below 1 removes nothing
  EXPECT_EQ(d, u"\u65e5");
  WideInsert(u"\u00e9", d, 99);
  WideInsert(u"<", d, -5);
  EXPECT_EQ(d, u"<\u65e5\u00e9");

  EXPECT_EQ(WideReplace(u"\u65e5a\u65e5\u65e5", u"\u65e5", u"<>"), u"<>a<><>");
  EXPECT_EQ(WideReplace(u"aaa", u"aa", u"b"), u"ba");
  EXPECT_EQ(WideReplace(u"\u65e5\u65e5", u"\u0080", u"x"), u"\u65e5\u65e5");
  EXPECT_EQ(WideReplace(u"abc", u"", u"x"), u"abc");

  EXPECT_EQ(WideTrim(u" \t\u65e5 \u3000\r\n"), u"\u65e5 \u3000");  // only codes up to 32
  EXPECT_EQ(WideAsciiUpperCase(u"ab\u00e9\u03c9"), u"AB\u00e9\u03c9");
  EXPECT_EQ(WideAsciiLowerCase(u"AB\u00c9"), u"ab\u00c9");
}

struct Heard final : TTextLossListener {
  std::vector<std::string> Routines;
  void TextLost(std::string_view routine) noexcept override { Routines.emplace_back(routine); }
};

TEST(TextLoss, NarrowingReportsOnlyWhatIsLost) {
  Heard heard;
  TTextLossListener* previous = SetTextLossListener(&heard);
  EXPECT_EQ(VarToAnsiStringIn(Variant(u"\u00e9t\u00e9"), "Kept").view(), "\xe9t\xe9");
  EXPECT_EQ(VarToAnsiStringIn(Variant(12), "Number").view(), "12");
  EXPECT_EQ(VarToAnsiStringIn(Variant(u"x\u65e5"), "Lost").view(), "x?");
  SetTextLossListener(previous);
  VarToAnsiStringIn(Variant(u"\u65e5"), "Unheard");
  EXPECT_EQ(heard.Routines, std::vector<std::string>{"Lost"});
}

}  // namespace
}  // namespace rtl
