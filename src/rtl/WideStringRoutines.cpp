#include "rtl/WideStringRoutines.h"

#include <algorithm>

#include "rtl/ScriptMemory.h"
#include "rtl/TextSearch.h"

namespace rtl {

namespace {

bool IsTrimmed(char16_t c) noexcept { return c <= 32; }

// Each UTF-16 unit on its own as one to three bytes in the manner of UTF-8 (a surrogate
// too): no unit's bytes begin inside another's, so a byte match of two such texts
// starts at a unit and is a match of the units. This lets the byte search do the work.
void AppendUnits(std::u16string_view s, std::string& out) {
  for (const char16_t c : s) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

// How many units the bytes of AppendUnits hold: every byte that is no continuation byte
// starts one.
std::size_t UnitsIn(std::string_view bytes) noexcept {
  return static_cast<std::size_t>(
      std::count_if(bytes.begin(), bytes.end(), [](char b) { return (static_cast<unsigned char>(b) & 0xC0) != 0x80; }));
}

std::string Units(std::u16string_view s) {
  ScriptMemoryCheck(std::uint64_t{s.size()} * 3);
  std::string out;
  out.reserve(s.size() * 3);
  AppendUnits(s, out);
  return out;
}

}  // namespace

std::u16string WideCopy(std::u16string_view s, std::int64_t from, std::int64_t count) {
  const auto length = static_cast<std::int64_t>(s.size());
  if (from < 1) from = 1;
  if (from > length || count < 1) return {};
  count = std::min(count, length - from + 1);
  return std::u16string(s.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count)));
}

void WideDelete(std::u16string& s, std::int64_t from, std::int64_t count) {
  const auto length = static_cast<std::int64_t>(s.size());
  if (from < 1 || from > length || count < 1) return;
  count = std::min(count, length - from + 1);
  s.erase(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count));
}

void WideInsert(std::u16string_view sub, std::u16string& s, std::int64_t pos) {
  if (sub.empty()) return;
  ScriptMemoryCheck((std::uint64_t{s.size()} + sub.size()) * 2);
  const auto length = static_cast<std::int64_t>(s.size());
  pos = std::clamp<std::int64_t>(pos, 1, length + 1);
  s.insert(static_cast<std::size_t>(pos - 1), sub);
}

std::size_t FindWideText(std::u16string_view text, std::u16string_view pattern, std::size_t from) {
  if (pattern.empty() || from > text.size() || pattern.size() > text.size() - from) return std::u16string_view::npos;
  const std::string units = Units(text.substr(from));
  const std::size_t at = FindText(units, Units(pattern));
  if (at == std::string::npos) return std::u16string_view::npos;
  return from + UnitsIn(std::string_view(units).substr(0, at));
}

std::u16string WideReplace(std::u16string_view text, std::u16string_view from, std::u16string_view to) {
  if (from.empty()) return std::u16string(text);
  const std::string units = Units(text), pattern = Units(from);
  const TTextSearch search(pattern);
  std::u16string out;
  std::size_t unit = 0, byte = 0;  // where the text not yet copied starts
  for (;;) {
    const std::size_t found = search.Find(units, byte);
    if (found == TTextSearch::npos) break;
    const std::size_t at = unit + UnitsIn(std::string_view(units).substr(byte, found - byte));
    ScriptMemoryCheck((std::uint64_t{out.size()} + (at - unit) + to.size()) * 2);
    out.append(text.substr(unit, at - unit)).append(to);
    unit = at + from.size();
    byte = found + pattern.size();
  }
  out.append(text.substr(unit));
  return out;
}

std::int32_t WidePos(std::u16string_view sub, std::u16string_view s) {
  const std::size_t at = FindWideText(s, sub);
  return at == std::u16string_view::npos ? 0 : static_cast<std::int32_t>(at + 1);
}

std::u16string_view WideTrimLeft(std::u16string_view s) noexcept {
  std::size_t i = 0;
  while (i < s.size() && IsTrimmed(s[i])) ++i;
  return s.substr(i);
}

std::u16string_view WideTrimRight(std::u16string_view s) noexcept {
  std::size_t n = s.size();
  while (n > 0 && IsTrimmed(s[n - 1])) --n;
  return s.substr(0, n);
}

std::u16string_view WideTrim(std::u16string_view s) noexcept { return WideTrimRight(WideTrimLeft(s)); }

std::u16string WideAsciiUpperCase(std::u16string_view s) {
  std::u16string r(s);
  for (char16_t& c : r)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return r;
}

std::u16string WideAsciiLowerCase(std::u16string_view s) {
  std::u16string r(s);
  for (char16_t& c : r)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return r;
}

}  // namespace rtl
