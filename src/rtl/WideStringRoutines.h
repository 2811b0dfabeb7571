// WideStringRoutines: the string routines of scripts on UTF-16 text, counterparts of
// StringRoutines with the same 1-based positions and clipping. A routine whose work does
// not need bytes runs here when its text arrives wide (the row's values do), so that
// characters outside the process code page pass through unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

std::u16string WideCopy(std::u16string_view s, std::int64_t from, std::int64_t count);
void WideDelete(std::u16string& s, std::int64_t from, std::int64_t count);
void WideInsert(std::u16string_view sub, std::u16string& s, std::int64_t pos);

// The 0-based offset of the first occurrence of pattern at or after from; npos when
// there is none or the pattern is empty. Linear in both lengths, as FindText.
std::size_t FindWideText(std::u16string_view text, std::u16string_view pattern, std::size_t from = 0);
// Every occurrence of from replaced by to, left to right; linear as FindWideText.
std::u16string WideReplace(std::u16string_view text, std::u16string_view from, std::u16string_view to);
// 1-based position of the first occurrence of sub in s; 0 when absent or sub is empty.
std::int32_t WidePos(std::u16string_view sub, std::u16string_view s);

// Without the leading and/or trailing characters of codes up to 32.
std::u16string_view WideTrim(std::u16string_view s) noexcept;
std::u16string_view WideTrimLeft(std::u16string_view s) noexcept;
std::u16string_view WideTrimRight(std::u16string_view s) noexcept;

// Only the ASCII letters change (WideUpperCase maps every letter).
std::u16string WideAsciiUpperCase(std::u16string_view s);
std::u16string WideAsciiLowerCase(std::u16string_view s);

}  // namespace rtl
