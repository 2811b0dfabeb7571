#include "platform/Clock.h"

#include <windows.h>

namespace platform {

namespace {
using TickCount64Fn = ULONGLONG(WINAPI*)();

// Looked up by name: systems before Vista have only the 32-bit counter.
TickCount64Fn LookupTickCount64() {
  HMODULE kernel = GetModuleHandleW(L"kernel32");
  return kernel ? reinterpret_cast<TickCount64Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetTickCount64"))) : nullptr;
}

TickCount64Fn TickSource() {
  static const TickCount64Fn fn = LookupTickCount64();
  return fn;
}
}  // namespace

std::uint64_t TickCount64() {
  if (auto fn = TickSource()) return fn();
  return GetTickCount();
}

std::uint32_t TickCount32() { return GetTickCount(); }

bool HasTickCount64() { return TickSource() != nullptr; }

}  // namespace platform
