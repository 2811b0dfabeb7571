#include "platform/NamedLock.h"

#include <windows.h>

namespace platform {

NamedLock::NamedLock(const std::string& name) : FName(ShortenLockName(name, MAX_PATH - 1)) {}

NamedLock::~NamedLock() {
  Release();
  if (FHandle) CloseHandle(static_cast<HANDLE>(FHandle));
}

bool NamedLock::Acquire(std::uint32_t timeoutMs) {
  if (FHeld) return true;
  if (!FHandle) {
    FHandle = CreateMutexA(nullptr, FALSE, FName.c_str());
    if (!FHandle) return false;
  }
  DWORD rc = WaitForSingleObject(static_cast<HANDLE>(FHandle), timeoutMs);
  // An abandoned mutex belonged to a process that ended while holding it: ours now.
  FHeld = rc == WAIT_OBJECT_0 || rc == WAIT_ABANDONED;
  return FHeld;
}

void NamedLock::Release() {
  if (!FHeld) return;
  ReleaseMutex(static_cast<HANDLE>(FHandle));
  FHeld = false;
}

}  // namespace platform
