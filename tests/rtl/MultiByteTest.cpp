// Character positions in text of a code page with two-byte characters: counting and
// converting between byte and character positions, searching and delimiters that
// never match the second byte of a character, and parts and reversal that keep
// characters whole. A table of lead bytes shaped like Shift-JIS's serves on every
// build; on Windows the system's own code page 932 is checked too.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "rtl/MultiByte.h"

namespace rtl {
namespace {

LeadBytes ShiftJisLike() {
  bool lead[256] = {};
  for (int b = 0x81; b <= 0x9F; ++b) lead[b] = true;
  for (int b = 0xE0; b <= 0xFC; ++b) lead[b] = true;
  return LeadBytes(lead);
}

// "a", a two-byte character, "b", and a two-byte character whose second byte is "\".
const std::string kText = "a\x82\xA0" "b\x83\\";

void ExpectDoubleByteRules(const LeadBytes& lb) {
  ASSERT_TRUE(lb.Any());
  EXPECT_EQ(ByteToCharLen(kText, 6, lb), 4);
  EXPECT_EQ(ByteToCharLen(kText, 2, lb), 2);
  EXPECT_EQ(ByteToCharLen(kText, 100, lb), 4);
  EXPECT_EQ(ByteToCharLen(kText, 0, lb), 0);
  EXPECT_EQ(CharToByteLen(kText, 2, lb), 3);
  EXPECT_EQ(CharToByteLen(kText, 4, lb), 6);
  EXPECT_EQ(CharToByteLen(kText, 10, lb), 6);
  EXPECT_EQ(ByteToCharIndex(kText, 3, lb), 2);
  EXPECT_EQ(ByteToCharIndex(kText, 4, lb), 3);
  EXPECT_EQ(ByteToCharIndex(kText, 6, lb), 4);
  EXPECT_EQ(CharToByteIndex(kText, 3, lb), 4);
  EXPECT_EQ(CharToByteIndex(kText, 4, lb), 5);
  // Outside the text a position is one byte and one character wide.
  EXPECT_EQ(ByteToCharIndex(kText, 7, lb), 5);
  EXPECT_EQ(ByteToCharIndex(kText, 9, lb), 7);
  EXPECT_EQ(CharToByteIndex(kText, 5, lb), 7);
  EXPECT_EQ(CharToByteIndex(kText, 7, lb), 9);
  EXPECT_EQ(ByteToCharIndex(kText, 0, lb), 0);
  EXPECT_EQ(CharToByteIndex(kText, -2, lb), -2);
  EXPECT_EQ(ByteToCharIndex("", 1, lb), 1);
  EXPECT_EQ(CharToByteIndex("", 1, lb), 1);
  EXPECT_EQ(CharLength(kText, 1, lb), 1);
  EXPECT_EQ(CharLength(kText, 2, lb), 2);
  EXPECT_EQ(NextCharIndex(kText, 2, lb), 4);
  EXPECT_FALSE(IsCharStart(kText, 3, lb));
  // The "\" that finishes a character is no delimiter and no match.
  EXPECT_EQ(LastDelimiter("\\", kText, lb), 0);
  EXPECT_FALSE(IsDelimiter("\\", kText, 6, lb));
  EXPECT_EQ(LastDelimiter("ab", kText, lb), 4);
  EXPECT_EQ(AnsiPos("\xA0" "b", kText, lb), 0);
  EXPECT_EQ(AnsiPos("b", kText, lb), 4);
  EXPECT_EQ(AnsiReverse(kText, lb).str(), "\x83\\b\x82\xA0" "a");
  EXPECT_EQ(AnsiLeft(kText, 2, lb).str(), "a\x82\xA0");
  EXPECT_EQ(AnsiRight(kText, 1, lb).str(), "\x83\\");
  EXPECT_EQ(AnsiMid(kText, 2, 2, lb).str(), "\x82\xA0" "b");
  // A lead byte at the very end stands alone.
  EXPECT_EQ(CharLength("a\x82", 2, lb), 1);
  EXPECT_EQ(ByteToCharLen("a\x82", 2, lb), 2);
}

TEST(MultiByteTest, DoubleByteCharactersStayWhole) { ExpectDoubleByteRules(ShiftJisLike()); }

TEST(MultiByteTest, SingleByteTextGivesTheBytePositions) {
  const bool none[256] = {};
  const LeadBytes lb(none);
  EXPECT_FALSE(lb.Any());
  EXPECT_EQ(ByteToCharLen("abc", 5, lb), 3);
  EXPECT_EQ(CharToByteLen("abc", 2, lb), 2);
  EXPECT_EQ(ByteToCharIndex("abc", 2, lb), 2);
  EXPECT_EQ(CharToByteIndex("abc", 3, lb), 3);
  // Every index comes back as it is, inside the text or not.
  for (std::int64_t index : {-1, 0, 4, 100}) {
    EXPECT_EQ(ByteToCharIndex("abc", index, lb), index);
    EXPECT_EQ(CharToByteIndex("abc", index, lb), index);
    EXPECT_EQ(ByteToCharIndex("", index, lb), index);
    EXPECT_EQ(CharToByteIndex("", index, lb), index);
  }
  EXPECT_EQ(CharLength("\x82\xA0", 1, lb), 1);
  EXPECT_EQ(NextCharIndex("abc", 1, lb), 2);
  EXPECT_EQ(AnsiReverse("\x82\xA0", lb).str(), "\xA0\x82");
  EXPECT_EQ(LastDelimiter("\\", "a\x83\\", lb), 3);
}

TEST(MultiByteTest, TheSystemsDoubleByteCodePage) {
  const LeadBytes japanese = LeadBytes::Of(932);
#ifdef _WIN32
  ExpectDoubleByteRules(japanese);
  EXPECT_FALSE(japanese.IsLead('a'));
#else
  // POSIX converts single-byte code pages only.
  EXPECT_FALSE(japanese.Any());
#endif
}

}  // namespace
}  // namespace rtl
