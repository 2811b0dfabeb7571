// The process heap and the system's BSTR allocator: what one module allocates here,
// any other module of the process may free.
#include <windows.h>
#include <oleauto.h>

#include <new>

#include "rtl/ScriptMemory.h"
#include "rtl/SysMemory.h"

namespace rtl::sys {

void* BoundaryAlloc(std::size_t size) {
  void* p = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
  if (!p) throw std::bad_alloc();
  return p;
}

void* BoundaryRealloc(void* p, std::size_t size) {
  if (!p) return BoundaryAlloc(size);
  void* q = HeapReAlloc(GetProcessHeap(), 0, p, size ? size : 1);
  if (!q) throw std::bad_alloc();
  return q;
}

void BoundaryFree(void* p) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}

namespace {
// The system allocator's block of a BSTR: the length in front, the characters, a NUL.
std::size_t BStrBlock(std::uint32_t length) { return std::size_t{length} * sizeof(char16_t) + 6; }
}  // namespace

BStr SysAllocStringLen(const char16_t* chars, std::uint32_t length) {
  // Wide text is a script value like 8-bit text: counted against the running script's
  // memory limit.
  ScriptBlockComing(BStrBlock(length));
  BSTR s = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(chars), length);
  if (!s) throw std::bad_alloc();
  ScriptBlockMade(s, BStrBlock(length));
  return reinterpret_cast<BStr>(s);
}

void SysFreeString(BStr s) noexcept {
  if (!s) return;
  ScriptBlockGone(s, BStrBlock(::SysStringLen(reinterpret_cast<BSTR>(s))));
  ::SysFreeString(reinterpret_cast<BSTR>(s));
}

std::uint32_t SysStringLen(BStr s) noexcept { return ::SysStringLen(reinterpret_cast<BSTR>(s)); }

}  // namespace rtl::sys
