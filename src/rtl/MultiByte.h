// MultiByte: positions in 8-bit text counted in characters of a code page that may
// have two-byte characters (a lead byte, then a trail byte). On a single-byte code page
// every byte is a character, so these routines give what their byte counterparts give.
// Positions are 1-based, as scripts count them.
#pragma once

#include <cstdint>
#include <string_view>

#include "rtl/AnsiString.h"
#include "rtl/TextSearch.h"

namespace rtl {

// Which bytes start a two-byte character of a code page.
class LeadBytes {
public:
  // The process code page's.
  static const LeadBytes& Process();
  // Another code page's (none for a single-byte page or one the system cannot convert).
  static LeadBytes Of(std::uint32_t codePage);
  explicit LeadBytes(const bool (&lead)[256]) noexcept;

  bool IsLead(char c) const noexcept { return FLead[static_cast<unsigned char>(c)]; }
  // False for a single-byte code page.
  bool Any() const noexcept { return FAny; }

private:
  bool FLead[256];
  bool FAny;
};

// Bytes of the character that starts at 0-based offset i: 2 for a lead byte that has a
// byte after it, else 1.
inline std::size_t CharBytesAt(std::string_view s, std::size_t i, const LeadBytes& lb) noexcept {
  return lb.IsLead(s[i]) && i + 1 < s.size() ? 2 : 1;
}

// Characters that start within the first maxLen bytes (maxLen clipped to the text).
std::int32_t ByteToCharLen(std::string_view s, std::int64_t maxLen, const LeadBytes& lb = LeadBytes::Process());
// Bytes of the first maxLen characters (clipped to the text).
std::int32_t CharToByteLen(std::string_view s, std::int64_t maxLen, const LeadBytes& lb = LeadBytes::Process());
// The character that holds byte index. Outside the text a position is one byte and one
// character wide, so that a single-byte code page gives the index back unchanged: past
// the end it is the text's characters and the bytes beyond, below 1 the index itself.
std::int32_t ByteToCharIndex(std::string_view s, std::int64_t index, const LeadBytes& lb = LeadBytes::Process());
// The first byte of character index; outside the text as ByteToCharIndex.
std::int32_t CharToByteIndex(std::string_view s, std::int64_t index, const LeadBytes& lb = LeadBytes::Process());
// Bytes of the character at byte index: 2 for a whole two-byte character, else 1.
std::int32_t CharLength(std::string_view s, std::int64_t index, const LeadBytes& lb = LeadBytes::Process());
// The byte index of the character after the one at index.
std::int32_t NextCharIndex(std::string_view s, std::int64_t index, const LeadBytes& lb = LeadBytes::Process());
// Whether the byte at index (1-based, inside the text) starts a character rather
// than finishing one.
bool IsCharStart(std::string_view s, std::int64_t index, const LeadBytes& lb = LeadBytes::Process());

// The 0-based offset of the first occurrence of search's pattern at or after from that
// starts on a character; from must start one. npos when there is none.
std::size_t AnsiFind(const TTextSearch& search, std::string_view s, std::size_t from = 0,
                     const LeadBytes& lb = LeadBytes::Process());
// The first occurrence of sub that starts on a character (0 when absent or sub empty).
std::int32_t AnsiPos(std::string_view sub, std::string_view s, const LeadBytes& lb = LeadBytes::Process());
// The last character of s that occurs in delimiters; 0 when none does.
std::int32_t LastDelimiter(std::string_view delimiters, std::string_view s, const LeadBytes& lb = LeadBytes::Process());
// Whether the character at index is one of the delimiters (false outside the text and
// on the second byte of a character).
bool IsDelimiter(std::string_view delimiters, std::string_view s, std::int64_t index,
                 const LeadBytes& lb = LeadBytes::Process());

// The characters in reverse order, each kept whole.
AnsiString AnsiReverse(std::string_view s, const LeadBytes& lb = LeadBytes::Process());
// By characters: the first count, the last count, count from the 1-based start (a
// start below 1 counts as 1).
AnsiString AnsiLeft(std::string_view s, std::int64_t count, const LeadBytes& lb = LeadBytes::Process());
AnsiString AnsiRight(std::string_view s, std::int64_t count, const LeadBytes& lb = LeadBytes::Process());
AnsiString AnsiMid(std::string_view s, std::int64_t start, std::int64_t count,
                   const LeadBytes& lb = LeadBytes::Process());

}  // namespace rtl
