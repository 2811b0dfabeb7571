// What the base library needs from the operating system for values that cross the
// boundary: the process-wide allocator (either side of the boundary may free what the
// other allocated) and wide strings in the platform's BSTR form. Declared here, supplied
// by the platform layer (src/platform/win32 or src/platform/posix).
#pragma once

#include <cstddef>
#include <cstdint>

namespace rtl::sys {

void* BoundaryAlloc(std::size_t size);
void* BoundaryRealloc(void* p, std::size_t size);
void BoundaryFree(void* p) noexcept;

// A BSTR: UTF-16 characters, a 32-bit byte length in front, a NUL after. Null is the
// empty string.
using BStr = char16_t*;
BStr SysAllocStringLen(const char16_t* chars, std::uint32_t length);
void SysFreeString(BStr s) noexcept;
std::uint32_t SysStringLen(BStr s) noexcept;

}  // namespace rtl::sys
