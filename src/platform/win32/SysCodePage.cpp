// The system's code pages: the ANSI code page (CP_ACP) is the process code page, and the
// system's own conversions, case mapping and character-type query serve it.
#include <windows.h>

#include <climits>

#include "rtl/SysCodePage.h"

namespace rtl::sys {

namespace {
// The Win32 calls count in int; a 32-bit process never holds more than that anyway.
int Clip(std::size_t n) noexcept { return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n); }
}  // namespace

std::uint32_t AnsiCodePage() noexcept { return GetACP(); }
std::uint32_t OemCodePage() noexcept { return GetOEMCP(); }

int CodePageMaxCharSize(std::uint32_t codePage) noexcept {
  CPINFO info;
  if (!GetCPInfo(codePage, &info)) return 0;
  return static_cast<int>(info.MaxCharSize);
}

bool IsAnsiLeadByte(unsigned char c) noexcept { return IsDBCSLeadByte(c) != 0; }

void CodePageLeadBytes(std::uint32_t codePage, bool (&lead)[256]) noexcept {
  for (bool& b : lead) b = false;
  CPINFO info;
  if (!GetCPInfo(codePage, &info) || info.MaxCharSize < 2) return;
  // Pairs of first and last byte of each range, ended by a zero pair.
  for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2)
    for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1] && b < 256; ++b) lead[b] = true;
}

std::size_t MultiByteToWide(std::uint32_t codePage, const char* src, std::size_t n, char16_t* dst,
                            std::size_t dstLen) {
  if (n == 0) return 0;
  int r = MultiByteToWideChar(codePage, 0, src, Clip(n), reinterpret_cast<wchar_t*>(dst), dst ? Clip(dstLen) : 0);
  return r > 0 ? static_cast<std::size_t>(r) : 0;
}

std::size_t WideToMultiByte(std::uint32_t codePage, const char16_t* src, std::size_t n, char* dst,
                            std::size_t dstLen) {
  if (n == 0) return 0;
  int r = WideCharToMultiByte(codePage, 0, reinterpret_cast<const wchar_t*>(src), Clip(n), dst,
                              dst ? Clip(dstLen) : 0, nullptr, nullptr);
  return r > 0 ? static_cast<std::size_t>(r) : 0;
}

void AnsiBuffToUpper(char* s, std::size_t n) noexcept {
  if (n) CharUpperBuffA(s, static_cast<DWORD>(n));
}

void AnsiBuffToLower(char* s, std::size_t n) noexcept {
  if (n) CharLowerBuffA(s, static_cast<DWORD>(n));
}

void WideBuffToUpper(char16_t* s, std::size_t n) noexcept {
  if (n) CharUpperBuffW(reinterpret_cast<wchar_t*>(s), static_cast<DWORD>(n));
}

void WideBuffToLower(char16_t* s, std::size_t n) noexcept {
  if (n) CharLowerBuffW(reinterpret_cast<wchar_t*>(s), static_cast<DWORD>(n));
}

std::uint16_t AnsiCharType(unsigned char c) noexcept {
  // The byte's character in the ANSI code page, then its type: what the system's
  // ANSI character-type query does.
  char b = static_cast<char>(c);
  wchar_t w = 0;
  if (MultiByteToWideChar(CP_ACP, 0, &b, 1, &w, 1) != 1) return 0;
  WORD type = 0;
  if (!GetStringTypeW(CT_CTYPE1, &w, 1, &type)) return 0;
  return static_cast<std::uint16_t>(type & 0x1FF);
}

std::uint16_t WideCharType(char16_t c) noexcept {
  wchar_t w = static_cast<wchar_t>(c);
  WORD type = 0;
  if (!GetStringTypeW(CT_CTYPE1, &w, 1, &type)) return 0;
  return static_cast<std::uint16_t>(type & 0x1FF);
}

}  // namespace rtl::sys
