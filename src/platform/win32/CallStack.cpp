#include "platform/CallStack.h"

#include <windows.h>

#include <cstdio>
#include <exception>

namespace platform {

std::string CallStackText() {
  void* frames[32];
  USHORT n = CaptureStackBackTrace(1, 32, frames, nullptr);
  std::string text;
  char line[32];
  for (USHORT i = 0; i < n; ++i) {
    std::snprintf(line, sizeof line, "%p\r\n", frames[i]);
    text += line;
  }
  return text;
}

StackBounds CurrentStackBounds() {
  // The stack is one reservation, committed from its top down: the committed region
  // holding a local runs to the top, and the reservation starts at the lowest address.
  thread_local const StackBounds bounds = [] {
    StackBounds b;
    MEMORY_BASIC_INFORMATION mbi{};
    if (VirtualQuery(&mbi, &mbi, sizeof mbi) == 0) return b;
    const auto low = reinterpret_cast<std::uintptr_t>(mbi.AllocationBase);
    const auto top = reinterpret_cast<std::uintptr_t>(mbi.BaseAddress) + mbi.RegionSize;
    b.Low = low;
    b.Size = static_cast<std::size_t>(top - low);
    return b;
  }();
  return bounds;
}

namespace {

struct ThreadWork {
  const std::function<void()>* Work;
  std::exception_ptr Error;
};

DWORD WINAPI RunWork(LPVOID arg) {
  auto* w = static_cast<ThreadWork*>(arg);
  try {
    (*w->Work)();
  } catch (...) {
    w->Error = std::current_exception();
  }
  return 0;
}

}  // namespace

bool RunOnThreadWithStack(std::size_t stackBytes, const std::function<void()>& work) {
  ThreadWork w{&work, nullptr};
  HANDLE thread = CreateThread(nullptr, stackBytes, &RunWork, &w, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!thread) return false;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  if (w.Error) std::rethrow_exception(w.Error);
  return true;
}

}  // namespace platform
