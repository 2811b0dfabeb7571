// POSIX stand-in for the process heap and BSTRs: malloc, and a BSTR laid out as on
// Windows (32-bit byte length in front of the characters, a NUL after them).
#include "rtl/SysMemory.h"

#include "rtl/AllocationSize.h"
#include "rtl/ScriptMemory.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace rtl::sys {

void* BoundaryAlloc(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  return p;
}

void* BoundaryRealloc(void* p, std::size_t size) {
  void* q = std::realloc(p, size ? size : 1);
  if (!q) throw std::bad_alloc();
  return q;
}

void BoundaryFree(void* p) noexcept { std::free(p); }

BStr SysAllocStringLen(const char16_t* chars, std::uint32_t length) {
  // Pointer alignment for the characters: keep the 4-byte length right in front.
  const std::size_t bytes = CheckedBytes(CheckedSum(length, 1), sizeof(char16_t));
  // Wide text is a script value like 8-bit text: counted against the running script's
  // memory limit.
  auto* block = static_cast<std::uint32_t*>(ScriptAlloc(CheckedSum(bytes, sizeof(std::uint32_t))));
  block[0] = length * sizeof(char16_t);
  auto* s = reinterpret_cast<char16_t*>(block + 1);
  if (chars && length) std::memcpy(s, chars, length * sizeof(char16_t));
  else if (length) std::memset(s, 0, length * sizeof(char16_t));
  s[length] = 0;
  return s;
}

void SysFreeString(BStr s) noexcept {
  if (!s) return;
  auto* block = reinterpret_cast<std::uint32_t*>(s) - 1;
  ScriptFree(block, block[0] + sizeof(char16_t) + sizeof(std::uint32_t));
}

std::uint32_t SysStringLen(BStr s) noexcept {
  return s ? (reinterpret_cast<std::uint32_t*>(s)[-1]) / sizeof(char16_t) : 0;
}

}  // namespace rtl::sys
