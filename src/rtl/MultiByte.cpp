#include "rtl/MultiByte.h"

#include <algorithm>
#include <vector>

#include "rtl/CodePage.h"
#include "rtl/SysCodePage.h"

namespace rtl {

namespace {

// Byte offsets (0-based) at which the characters of s start.
std::vector<std::size_t> CharStarts(std::string_view s, const LeadBytes& lb) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < s.size(); i += CharBytesAt(s, i, lb)) starts.push_back(i);
  return starts;
}

std::int32_t Count(std::size_t n) { return static_cast<std::int32_t>(std::min<std::size_t>(n, INT32_MAX)); }
std::int32_t Clipped(std::int64_t n) { return static_cast<std::int32_t>(std::clamp<std::int64_t>(n, INT32_MIN, INT32_MAX)); }

}  // namespace

LeadBytes::LeadBytes(const bool (&lead)[256]) noexcept : FAny(false) {
  for (int b = 0; b < 256; ++b) {
    FLead[b] = lead[b];
    FAny = FAny || lead[b];
  }
}

const LeadBytes& LeadBytes::Process() {
  static const LeadBytes process = [] {
    bool lead[256];
    for (int b = 0; b < 256; ++b) lead[b] = IsAnsiLeadByte(static_cast<char>(b));
    return LeadBytes(lead);
  }();
  return process;
}

LeadBytes LeadBytes::Of(std::uint32_t codePage) {
  bool lead[256];
  sys::CodePageLeadBytes(codePage, lead);
  return LeadBytes(lead);
}

std::int32_t ByteToCharLen(std::string_view s, std::int64_t maxLen, const LeadBytes& lb) {
  if (maxLen <= 0) return 0;
  const std::size_t bytes = std::min<std::uint64_t>(static_cast<std::uint64_t>(maxLen), s.size());
  if (!lb.Any()) return Count(bytes);
  std::size_t chars = 0;
  for (std::size_t i = 0; i < bytes; i += CharBytesAt(s, i, lb)) ++chars;
  return Count(chars);
}

std::int32_t CharToByteLen(std::string_view s, std::int64_t maxLen, const LeadBytes& lb) {
  if (maxLen <= 0) return 0;
  if (!lb.Any()) return Count(std::min<std::uint64_t>(static_cast<std::uint64_t>(maxLen), s.size()));
  std::size_t i = 0;
  for (std::int64_t chars = 0; i < s.size() && chars < maxLen; ++chars) i += CharBytesAt(s, i, lb);
  return Count(i);
}

std::int32_t ByteToCharIndex(std::string_view s, std::int64_t index, const LeadBytes& lb) {
  const auto bytes = static_cast<std::int64_t>(s.size());
  if (index < 1 || !lb.Any()) return Clipped(index);
  // Past the end every byte position stands for one character, as on a single-byte page.
  if (index > bytes) return Clipped(ByteToCharLen(s, bytes, lb) + (index - bytes));
  const std::size_t byte = static_cast<std::size_t>(index - 1);
  std::size_t chars = 0;
  for (std::size_t i = 0; i <= byte; i += CharBytesAt(s, i, lb)) ++chars;
  return Count(chars);
}

std::int32_t CharToByteIndex(std::string_view s, std::int64_t index, const LeadBytes& lb) {
  if (index < 1 || !lb.Any()) return Clipped(index);
  std::int64_t chars = 1;
  for (std::size_t i = 0; i < s.size(); i += CharBytesAt(s, i, lb), ++chars)
    if (chars == index) return Count(i + 1);
  // Past the last character: one byte for each further character.
  return Clipped(static_cast<std::int64_t>(s.size()) + (index - chars) + 1);
}

std::int32_t CharLength(std::string_view s, std::int64_t index, const LeadBytes& lb) {
  if (!lb.Any() || index < 1 || index > static_cast<std::int64_t>(s.size())) return 1;
  return static_cast<std::int32_t>(CharBytesAt(s, static_cast<std::size_t>(index - 1), lb));
}

std::int32_t NextCharIndex(std::string_view s, std::int64_t index, const LeadBytes& lb) {
  return static_cast<std::int32_t>(index + CharLength(s, index, lb));
}

bool IsCharStart(std::string_view s, std::int64_t index, const LeadBytes& lb) {
  if (index < 1 || index > static_cast<std::int64_t>(s.size())) return false;
  if (!lb.Any()) return true;
  const std::size_t target = static_cast<std::size_t>(index - 1);
  std::size_t i = 0;
  while (i < target) i += CharBytesAt(s, i, lb);
  return i == target;
}

std::size_t AnsiFind(const TTextSearch& search, std::string_view s, std::size_t from, const LeadBytes& lb) {
  std::size_t start = from;  // a character start, walked forward as matches are found
  for (;;) {
    const std::size_t at = search.Find(s, from);
    if (at == TTextSearch::npos || !lb.Any()) return at;
    while (start < at) start += CharBytesAt(s, start, lb);
    if (start == at) return at;
    // A match inside a character: go on from the character after it.
    from = start;
  }
}

std::int32_t AnsiPos(std::string_view sub, std::string_view s, const LeadBytes& lb) {
  if (sub.empty() || sub.size() > s.size()) return 0;
  const std::size_t at = AnsiFind(TTextSearch(sub), s, 0, lb);
  return at == TTextSearch::npos ? 0 : Count(at + 1);
}

std::int32_t LastDelimiter(std::string_view delimiters, std::string_view s, const LeadBytes& lb) {
  // A table of the delimiters: each character is looked up once, however many there are.
  bool isDelimiter[256] = {};
  for (char d : delimiters) isDelimiter[static_cast<unsigned char>(d)] = true;
  std::size_t found = 0;
  for (std::size_t i = 0; i < s.size(); i += CharBytesAt(s, i, lb))
    if (CharBytesAt(s, i, lb) == 1 && isDelimiter[static_cast<unsigned char>(s[i])]) found = i + 1;
  return Count(found);
}

bool IsDelimiter(std::string_view delimiters, std::string_view s, std::int64_t index, const LeadBytes& lb) {
  if (!IsCharStart(s, index, lb)) return false;
  const std::size_t i = static_cast<std::size_t>(index - 1);
  return CharBytesAt(s, i, lb) == 1 && delimiters.find(s[i]) != std::string_view::npos;
}

AnsiString AnsiReverse(std::string_view s, const LeadBytes& lb) {
  std::string out;
  out.reserve(s.size());
  const std::vector<std::size_t> starts = CharStarts(s, lb);
  for (std::size_t k = starts.size(); k-- > 0;) {
    const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : s.size();
    out.append(s.substr(starts[k], end - starts[k]));
  }
  return AnsiString(out);
}

AnsiString AnsiMid(std::string_view s, std::int64_t start, std::int64_t count, const LeadBytes& lb) {
  if (start < 1) start = 1;
  if (count <= 0) return AnsiString();
  const std::vector<std::size_t> starts = CharStarts(s, lb);
  const auto n = static_cast<std::int64_t>(starts.size());
  if (start > n) return AnsiString();
  const std::int64_t last = std::min(n, start - 1 + count);  // characters start .. last
  const std::size_t from = starts[static_cast<std::size_t>(start - 1)];
  const std::size_t to = last < n ? starts[static_cast<std::size_t>(last)] : s.size();
  return AnsiString(s.substr(from, to - from));
}

AnsiString AnsiLeft(std::string_view s, std::int64_t count, const LeadBytes& lb) { return AnsiMid(s, 1, count, lb); }

AnsiString AnsiRight(std::string_view s, std::int64_t count, const LeadBytes& lb) {
  if (count <= 0) return AnsiString();
  const std::int64_t n = static_cast<std::int64_t>(CharStarts(s, lb).size());
  return AnsiMid(s, std::max<std::int64_t>(1, n - count + 1), count, lb);
}

}  // namespace rtl
