// StringRoutines: the string routines of scripts on 8-bit text, with 1-based
// positions: copying, deleting and inserting by position, searching, NameCase,
// trimming, ASCII case mapping and comparison, and the path part of a file name.
// Positions and counts out of range never raise: they are clipped as each routine
// says.
#pragma once

#include <cstdint>
#include <string_view>

#include "rtl/AnsiString.h"

namespace rtl {

// count characters from position from; a start below 1 counts as 1, a start beyond
// the end or a count below 1 gives the empty text, a count beyond the end stops there.
AnsiString Copy(const AnsiString& s, std::int64_t from, std::int64_t count);
// Removes count characters from position from; a position outside 1..length or a
// count below 1 removes nothing, a count beyond the end removes to the end.
void Delete(AnsiString& s, std::int64_t from, std::int64_t count);
// Inserts sub before position pos of s; a position below 1 counts as 1, one beyond
// the end appends.
void Insert(std::string_view sub, AnsiString& s, std::int64_t pos);
// 1-based position of the first occurrence of sub in s; 0 when absent or sub is empty.
// Linear in both lengths; a long search takes part in the run's time limit.
std::int32_t Pos(std::string_view sub, std::string_view s);

// Lower case, then the first character and every character that follows a blank
// upper case (a blank in the first position capitalises nothing); case by the code
// page.
AnsiString NameCase(std::string_view s);

// Without the leading and/or trailing characters of codes up to 32.
AnsiString Trim(const AnsiString& s);
AnsiString TrimLeft(const AnsiString& s);
AnsiString TrimRight(const AnsiString& s);

// Only the ASCII letters change (the code page's case mapping is AnsiUpperCase).
AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);
// Byte comparison with the ASCII letters folded to upper case: the difference of the
// first differing characters, else of the lengths.
std::int32_t CompareText(std::string_view a, std::string_view b) noexcept;
// Exact byte comparison, the same kind of result.
std::int32_t CompareStr(std::string_view a, std::string_view b) noexcept;

// The drive and directory part of a file name, up to and including the last "\",
// "/" or ":"; empty when it has none.
AnsiString ExtractFilePath(std::string_view fileName);

}  // namespace rtl
