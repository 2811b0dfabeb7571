// A lock shared by every process (and thread) that names it the same: Windows' named
// mutex; elsewhere an exclusive flock on a file of that name in /tmp (not $TMPDIR,
// which two processes need not share).
// Used to serialise read-modify-write cycles of one settings file between processes.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

class NamedLock {
public:
  // The name: letters, digits and "_" are safe everywhere; a long name is shortened
  // (keeping it distinct) where the system limits its length.
  explicit NamedLock(const std::string& name);
  ~NamedLock();
  NamedLock(const NamedLock&) = delete;
  NamedLock& operator=(const NamedLock&) = delete;

  // Waits up to timeoutMs for the lock. False when it was not had in time or the
  // system could not make the lock. A lock left by a process that ended is taken over.
  bool Acquire(std::uint32_t timeoutMs);
  void Release();
  bool Held() const noexcept { return FHeld; }

  // The name as the system sees it.
  const std::string& SystemName() const noexcept { return FName; }

private:
  std::string FName;
  void* FHandle = nullptr;  // the mutex
  int FFd = -1;             // the lock file
  bool FHeld = false;
};

// A name of at most maxLength characters: the name itself when it fits, else its
// beginning and a hash of the whole.
std::string ShortenLockName(const std::string& name, std::size_t maxLength);

}  // namespace platform
