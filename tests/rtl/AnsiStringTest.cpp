#include "rtl/AnsiString.h"

#include <gtest/gtest.h>

#include <cstring>

using rtl::AnsiString;

namespace {

// The boundary layout: reference count and length in the eight bytes before the text.
std::int32_t HeaderField(const AnsiString& s, int back) {
  std::int32_t v;
  std::memcpy(&v, static_cast<const char*>(s.Raw()) - back, sizeof v);
  return v;
}

}  // namespace

TEST(AnsiString, EmptyIsNilAndReadsAsEmptyText) {
  AnsiString s;
  EXPECT_EQ(s.Raw(), nullptr);
  EXPECT_STREQ(s.c_str(), "");
  EXPECT_EQ(s.Length(), 0u);
  EXPECT_EQ(AnsiString("").Raw(), nullptr);
  EXPECT_EQ(s.RefCount(), 0);
}

TEST(AnsiString, BoundaryLayoutHasCountLengthAndTerminator) {
  AnsiString s("abc");
  EXPECT_EQ(HeaderField(s, 4), 3);  // length
  EXPECT_EQ(HeaderField(s, 8), 1);  // reference count
  EXPECT_EQ(static_cast<const char*>(s.Raw())[3], '\0');
  AnsiString t(s);
  EXPECT_EQ(HeaderField(s, 8), 2);
}

TEST(AnsiString, CopiesShareUntilOneWrites) {
  AnsiString a("hello");
  AnsiString b(a);
  EXPECT_EQ(a.Raw(), b.Raw());
  EXPECT_EQ(a.RefCount(), 2);
  b.UniqueData()[0] = 'j';
  EXPECT_NE(a.Raw(), b.Raw());
  EXPECT_EQ(a, "hello");
  EXPECT_EQ(b, "jello");
  EXPECT_EQ(a.RefCount(), 1);
  EXPECT_EQ(b.RefCount(), 1);
  // A unique buffer is written in place.
  const void* before = b.Raw();
  b.UniqueData()[1] = 'a';
  EXPECT_EQ(b.Raw(), before);
}

TEST(AnsiString, AssignmentAndMoveKeepCountsRight) {
  AnsiString a("x");
  {
    AnsiString b;
    b = a;
    EXPECT_EQ(a.RefCount(), 2);
    b = b;  // self-assignment keeps the reference
    EXPECT_EQ(a.RefCount(), 2);
    AnsiString c(std::move(b));
    EXPECT_EQ(b.Raw(), nullptr);
    EXPECT_EQ(a.RefCount(), 2);
  }
  EXPECT_EQ(a.RefCount(), 1);
}

TEST(AnsiString, SetLengthPadsTruncatesAndEmpties) {
  AnsiString s("abc");
  AnsiString shared(s);
  s.SetLength(5);
  EXPECT_EQ(s.Length(), 5u);
  EXPECT_EQ(std::memcmp(s.c_str(), "abc\0\0", 6), 0);
  EXPECT_EQ(shared, "abc");
  s.SetLength(2);
  EXPECT_EQ(s, "ab");
  s.SetLength(0);
  EXPECT_EQ(s.Raw(), nullptr);
}

TEST(AnsiString, AppendGrowsOwnBufferAndCopiesSharedOne) {
  AnsiString a("ab");
  AnsiString b(a);
  b += "cd";
  EXPECT_EQ(a, "ab");
  EXPECT_EQ(b, "abcd");
  b += b.view();  // appending itself while the buffer moves
  EXPECT_EQ(b, "abcdabcd");
  AnsiString e;
  e += "";
  EXPECT_EQ(e.Raw(), nullptr);
  EXPECT_EQ(a + "!", "ab!");
}

TEST(AnsiString, DetachAndFromRawHandOverReferences) {
  AnsiString a("text");
  void* raw = AnsiString(a).Detach();  // a second reference now held raw
  EXPECT_EQ(a.RefCount(), 2);
  {
    AnsiString b = AnsiString::FromRaw(raw);
    EXPECT_EQ(a.RefCount(), 3);
    EXPECT_EQ(b, "text");
  }
  EXPECT_EQ(a.RefCount(), 2);
  AnsiString::ReleaseRaw(raw);
  EXPECT_EQ(a.RefCount(), 1);
  EXPECT_EQ(AnsiString::FromRaw(nullptr).Raw(), nullptr);
}

TEST(AnsiString, ComparesByContent) {
  EXPECT_EQ(AnsiString("a"), AnsiString("a"));
  EXPECT_LT(AnsiString("a"), AnsiString("b"));
  EXPECT_EQ(AnsiString(std::string_view("a\0b", 3)).Length(), 3u);
}
