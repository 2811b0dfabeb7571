#include "Public/Common/orbThreadObject.h"

namespace orb {

TThreadObject::~TThreadObject() { delete FSync.load(); }

rtl::TMultiReadExclusiveWriteSynchronizer& TThreadObject::Sync() {
  auto* sync = FSync.load(std::memory_order_acquire);
  if (!sync) {
    rtl::CriticalSectionGuard guard(FCreateLock);
    sync = FSync.load(std::memory_order_relaxed);
    if (!sync) {
      sync = new rtl::TMultiReadExclusiveWriteSynchronizer();
      FSync.store(sync, std::memory_order_release);
    }
  }
  return *sync;
}

void* TThreadObject::LockRead() {
  Sync().BeginRead();
  return FObject;
}

void TThreadObject::UnlockRead() { Sync().EndRead(); }

void* TThreadObject::LockWrite(bool* upgradedCleanly) {
  bool clean = Sync().BeginWrite();
  if (upgradedCleanly) *upgradedCleanly = clean;
  return FObject;
}

void TThreadObject::UnlockWrite() { Sync().EndWrite(); }

}  // namespace orb
