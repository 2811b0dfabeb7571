// Lock-guarded holders: one object behind a multi-reader, single-writer lock
// (TThreadObject) or behind a critical section (TThreadObjectCs).
#pragma once

#include <atomic>

#include "rtl/Locks.h"

namespace orb {

class TThreadObject {
public:
  // Without an object the holder guards itself.
  explicit TThreadObject(void* object = nullptr) : FObject(object ? object : this) {}
  virtual ~TThreadObject();
  TThreadObject(const TThreadObject&) = delete;
  TThreadObject& operator=(const TThreadObject&) = delete;

  void* LockRead();
  void UnlockRead();
  // Called while holding the read lock this upgrades; False when another writer got
  // in meanwhile.
  void* LockWrite(bool* upgradedCleanly = nullptr);
  void UnlockWrite();

protected:
  void SetObject(void* object) { FObject = object ? object : this; }
  rtl::TMultiReadExclusiveWriteSynchronizer& Sync();

private:
  void* FObject;
  // Created on first use; the critical section guards only that creation.
  std::atomic<rtl::TMultiReadExclusiveWriteSynchronizer*> FSync{nullptr};
  rtl::TCriticalSection FCreateLock;
};

class TThreadObjectCs {
public:
  explicit TThreadObjectCs(void* object = nullptr) : FObject(object ? object : this) {}
  virtual ~TThreadObjectCs() = default;
  TThreadObjectCs(const TThreadObjectCs&) = delete;
  TThreadObjectCs& operator=(const TThreadObjectCs&) = delete;

  void* Lock() {
    FLock.Enter();
    return FObject;
  }
  void Unlock() { FLock.Leave(); }

private:
  void* FObject;
  rtl::TCriticalSection FLock;
};

}  // namespace orb
