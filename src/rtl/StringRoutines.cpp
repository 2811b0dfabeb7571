#include "rtl/StringRoutines.h"

#include <algorithm>

#include "rtl/CodePage.h"
#include "rtl/TextSearch.h"

namespace rtl {

namespace {

char AsciiUpper(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
bool IsTrimmed(char c) noexcept { return static_cast<unsigned char>(c) <= 32; }

// The text with each character mapped; shares the buffer when nothing changes.
template <class F>
AnsiString MapChars(const AnsiString& s, F map) {
  const std::string_view v = s.view();
  std::size_t i = 0;
  while (i < v.size() && map(v[i]) == v[i]) ++i;
  if (i == v.size()) return s;
  AnsiString r(s);
  char* p = r.UniqueData();
  for (; i < v.size(); ++i) p[i] = map(p[i]);
  return r;
}

std::int32_t CompareMapped(std::string_view a, std::string_view b, char (*map)(char) noexcept) noexcept {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = static_cast<unsigned char>(map(a[i]));
    const int cb = static_cast<unsigned char>(map(b[i]));
    if (ca != cb) return ca - cb;
  }
  const auto diff = static_cast<std::int64_t>(a.size()) - static_cast<std::int64_t>(b.size());
  return diff < 0 ? -1 : diff > 0 ? 1 : 0;
}

char Same(char c) noexcept { return c; }

AnsiString Slice(const AnsiString& s, std::size_t first, std::size_t last) {
  if (first == 0 && last == s.Length()) return s;
  return AnsiString(s.view().substr(first, last - first));
}

}  // namespace

AnsiString Copy(const AnsiString& s, std::int64_t from, std::int64_t count) {
  const auto length = static_cast<std::int64_t>(s.Length());
  if (from < 1) from = 1;
  if (from > length || count < 1) return AnsiString();
  count = std::min(count, length - from + 1);
  return Slice(s, static_cast<std::size_t>(from - 1), static_cast<std::size_t>(from - 1 + count));
}

void Delete(AnsiString& s, std::int64_t from, std::int64_t count) {
  const auto length = static_cast<std::int64_t>(s.Length());
  if (from < 1 || from > length || count < 1) return;
  count = std::min(count, length - from + 1);
  std::string rest(s.view());
  rest.erase(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count));
  s = AnsiString(rest);
}

void Insert(std::string_view sub, AnsiString& s, std::int64_t pos) {
  if (sub.empty()) return;
  const auto length = static_cast<std::int64_t>(s.Length());
  pos = std::clamp<std::int64_t>(pos, 1, length + 1);
  std::string text(s.view());
  text.insert(static_cast<std::size_t>(pos - 1), sub);
  s = AnsiString(text);
}

std::int32_t Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  const std::size_t at = FindText(s, sub);
  return at == std::string_view::npos ? 0 : static_cast<std::int32_t>(at + 1);
}

AnsiString NameCase(std::string_view s) {
  AnsiString r = AnsiLowerCase(s);
  if (r.IsEmpty()) return r;
  char* p = r.UniqueData();
  const std::size_t n = r.Length();
  p[0] = AnsiUpperChar(p[0]);
  // A blank capitalises the next character only from the second position on.
  for (std::size_t i = 1; i + 1 < n; ++i)
    if (p[i] == ' ') p[i + 1] = AnsiUpperChar(p[i + 1]);
  return r;
}

AnsiString Trim(const AnsiString& s) {
  const std::string_view v = s.view();
  std::size_t first = 0, last = v.size();
  while (first < last && IsTrimmed(v[first])) ++first;
  while (last > first && IsTrimmed(v[last - 1])) --last;
  return Slice(s, first, last);
}

AnsiString TrimLeft(const AnsiString& s) {
  const std::string_view v = s.view();
  std::size_t first = 0;
  while (first < v.size() && IsTrimmed(v[first])) ++first;
  return Slice(s, first, v.size());
}

AnsiString TrimRight(const AnsiString& s) {
  const std::string_view v = s.view();
  std::size_t last = v.size();
  while (last > 0 && IsTrimmed(v[last - 1])) --last;
  return Slice(s, 0, last);
}

AnsiString UpperCase(const AnsiString& s) { return MapChars(s, AsciiUpper); }
AnsiString LowerCase(const AnsiString& s) { return MapChars(s, AsciiLower); }

std::int32_t CompareText(std::string_view a, std::string_view b) noexcept { return CompareMapped(a, b, AsciiUpper); }
std::int32_t CompareStr(std::string_view a, std::string_view b) noexcept { return CompareMapped(a, b, Same); }

AnsiString ExtractFilePath(std::string_view fileName) {
  // Walked by characters: the second byte of a two-byte character may look like "\".
  std::size_t end = 0;
  for (std::size_t i = 0; i < fileName.size(); ++i) {
    const char c = fileName[i];
    if (IsAnsiLeadByte(c)) ++i;
    else if (c == '\\' || c == '/' || c == ':') end = i + 1;
  }
  return AnsiString(fileName.substr(0, end));
}

}  // namespace rtl
