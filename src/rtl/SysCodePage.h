// What the code-page unit needs from the operating system: the process's ANSI and OEM
// code pages, conversions between a code page and UTF-16, case mapping and the
// character-type query. Declared here, supplied by the platform layer
// (src/platform/win32 or src/platform/posix). UTF-8 never comes here: the code-page
// unit handles it itself.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rtl::sys {

std::uint32_t AnsiCodePage() noexcept;
std::uint32_t OemCodePage() noexcept;

// Bytes per character at most in the code page (1 for single-byte pages); 0 when the
// code page cannot be converted on this system.
int CodePageMaxCharSize(std::uint32_t codePage) noexcept;

// True when the byte starts a two-byte character of the ANSI code page.
bool IsAnsiLeadByte(unsigned char c) noexcept;
// The lead bytes of any code page (none for single-byte pages and for pages the system
// cannot convert).
void CodePageLeadBytes(std::uint32_t codePage, bool (&lead)[256]) noexcept;

// Decodes n bytes of the code page into dst (room for dstLen units) and returns the
// number of units written; with dst null, the number needed. Bytes without a
// character decode as the platform decides (a substitute, never an error).
std::size_t MultiByteToWide(std::uint32_t codePage, const char* src, std::size_t n, char16_t* dst,
                            std::size_t dstLen);
// Encodes n UTF-16 units; a character the code page lacks becomes the platform's
// nearest or default character. Returns bytes written, or needed with dst null.
std::size_t WideToMultiByte(std::uint32_t codePage, const char16_t* src, std::size_t n, char* dst,
                            std::size_t dstLen);

// Case mapping in place by the ANSI code page's rules (same length).
void AnsiBuffToUpper(char* s, std::size_t n) noexcept;
void AnsiBuffToLower(char* s, std::size_t n) noexcept;
// Case mapping of UTF-16 units in place, one unit to one unit.
void WideBuffToUpper(char16_t* s, std::size_t n) noexcept;
void WideBuffToLower(char16_t* s, std::size_t n) noexcept;

// The character-type bits (upper 1, lower 2, digit 4, space 8, punctuation 16,
// control 32, blank 64, hexadecimal digit 128, alphabetic 256) of one byte of the ANSI
// code page and of one UTF-16 unit.
std::uint16_t AnsiCharType(unsigned char c) noexcept;
std::uint16_t WideCharType(char16_t c) noexcept;

}  // namespace rtl::sys
