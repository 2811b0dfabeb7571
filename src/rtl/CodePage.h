// CodePage: the process code page and everything that depends on it. 8-bit text in
// this library is text in the process code page (the system's ANSI code page on
// Windows, Windows-1252 elsewhere); its conversions to and from UTF-16 and UTF-8, its
// upper and lower case and its character classes all come from here, as do the case
// mapping and classes of UTF-16 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "rtl/AnsiString.h"
#include "rtl/SysMemory.h"

namespace rtl {

constexpr std::uint32_t cpUtf8 = 65001;
constexpr std::uint32_t cpWindows1252 = 1252;

// Character-type bits, as the platform's character-type query reports them.
enum : std::uint16_t {
  ctUpper = 0x0001,
  ctLower = 0x0002,
  ctDigit = 0x0004,
  ctSpace = 0x0008,
  ctPunct = 0x0010,
  ctControl = 0x0020,
  ctBlank = 0x0040,
  ctXDigit = 0x0080,
  ctAlpha = 0x0100,
};

std::uint32_t ProcessCodePage() noexcept;
std::uint32_t OemCodePage() noexcept;
bool ProcessCodePageIsSingleByte() noexcept;
// True when the byte starts a two-byte character (never on a single-byte code page).
bool IsAnsiLeadByte(char c) noexcept;

// 8-bit text <-> UTF-16 ------------------------------------------------------------

std::u16string AnsiToWide(std::string_view s);
// A new BSTR holding the text (null for the empty text).
sys::BStr AnsiToBStr(std::string_view s);
AnsiString WideToAnsi(std::u16string_view s);
// A piece of text to join: 8-bit in the process code page, or UTF-16.
struct TextPiece {
  std::string_view Ansi;
  std::u16string_view Wide;
  bool IsWide = false;
};
// A new BSTR holding both pieces one after the other (null for the empty text): one
// allocation, whatever the pieces are.
sys::BStr JoinToBStr(const TextPiece& first, const TextPiece& second);
// WideToAnsi that tells whether the code page held every character: false when one
// became a substitute or a look-alike, so that two different texts would read the same.
bool WideToAnsiExact(std::u16string_view s, AnsiString& out);

// UTF-8 -------------------------------------------------------------------------------
// Malformed UTF-8 and unpaired surrogates become U+FFFD.

std::u16string Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::u16string_view s);
std::string AnsiToUtf8(std::string_view s);
AnsiString Utf8ToAnsi(std::string_view s);

// Other code pages (translations, OEM text). UTF-8 is always available; a code page the
// system cannot convert is read and written as the process code page.
std::u16string CodePageToWide(std::uint32_t codePage, std::string_view s);
std::string WideToCodePage(std::uint32_t codePage, std::u16string_view s);

// Case of 8-bit text ------------------------------------------------------------------

char AnsiUpperChar(char c) noexcept;
char AnsiLowerChar(char c) noexcept;
void AnsiUpperInPlace(char* s, std::size_t n) noexcept;
void AnsiLowerInPlace(char* s, std::size_t n) noexcept;
AnsiString AnsiUpperCase(std::string_view s);
AnsiString AnsiLowerCase(std::string_view s);
// These share the argument's buffer when no character changes.
AnsiString AnsiUpperCase(const AnsiString& s);
AnsiString AnsiLowerCase(const AnsiString& s);
AnsiString AnsiUpperCase(const char* s);
AnsiString AnsiLowerCase(const char* s);
AnsiString AnsiUpperCase(const std::string& s);
AnsiString AnsiLowerCase(const std::string& s);

// Case of UTF-16 text -----------------------------------------------------------------

char16_t WideUpperChar(char16_t c) noexcept;
char16_t WideLowerChar(char16_t c) noexcept;
void WideUpperInPlace(char16_t* s, std::size_t n) noexcept;
void WideLowerInPlace(char16_t* s, std::size_t n) noexcept;
std::u16string WideUpperCase(std::u16string_view s);
std::u16string WideLowerCase(std::u16string_view s);

// Character classes -------------------------------------------------------------------

std::uint16_t AnsiCharType(char c) noexcept;
inline bool IsAnsiLetter(char c) noexcept { return (AnsiCharType(c) & ctAlpha) != 0; }
inline bool IsAnsiDigit(char c) noexcept { return (AnsiCharType(c) & ctDigit) != 0; }
inline bool IsAnsiAlphaNumeric(char c) noexcept { return (AnsiCharType(c) & (ctAlpha | ctDigit)) != 0; }
inline bool IsAnsiBlank(char c) noexcept { return (AnsiCharType(c) & ctBlank) != 0; }
inline bool IsAnsiSpace(char c) noexcept { return (AnsiCharType(c) & ctSpace) != 0; }
inline bool IsAnsiUpper(char c) noexcept { return (AnsiCharType(c) & ctUpper) != 0; }
inline bool IsAnsiLower(char c) noexcept { return (AnsiCharType(c) & ctLower) != 0; }

std::uint16_t WideCharType(char16_t c) noexcept;
inline bool IsWideLetter(char16_t c) noexcept { return (WideCharType(c) & ctAlpha) != 0; }
inline bool IsWideDigit(char16_t c) noexcept { return (WideCharType(c) & ctDigit) != 0; }
inline bool IsWideAlphaNumeric(char16_t c) noexcept { return (WideCharType(c) & (ctAlpha | ctDigit)) != 0; }
inline bool IsWideBlank(char16_t c) noexcept { return (WideCharType(c) & ctBlank) != 0; }
inline bool IsWideSpace(char16_t c) noexcept { return (WideCharType(c) & ctSpace) != 0; }

}  // namespace rtl
