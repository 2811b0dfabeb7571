#include "Public/Common/orbBlockCache.h"

#include <thread>

#include "rtl/SysMemory.h"

// A cached block is poisoned for the address sanitizer, so that a use of a freed item
// is still reported although its block was not given back to the heap.
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define VELMORA_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define VELMORA_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define VELMORA_POISON(p, n) ((void)(p), (void)(n))
#define VELMORA_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace orb {

TorbBlockCache::~TorbBlockCache() {
  Lock();
  FreeBlock* head = FHead;
  FHead = nullptr;
  FCount = 0;
  // Items freed during the rest of the shutdown go straight back to the heap.
  FClosed = true;
  Unlock();
  while (head) {
    VELMORA_UNPOISON(head, FBlockSize);
    FreeBlock* next = head->Next;
    rtl::sys::BoundaryFree(head);
    head = next;
  }
}

void TorbBlockCache::Lock() const noexcept {
  // Held for a few instructions only: spinning is cheaper than a system lock here.
  while (FLock.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
}

void* TorbBlockCache::Take() {
  Lock();
  FreeBlock* block = FHead;
  if (block) {
    VELMORA_UNPOISON(block, FBlockSize);
    FHead = block->Next;
    --FCount;
  }
  Unlock();
  return block ? static_cast<void*>(block) : rtl::sys::BoundaryAlloc(FBlockSize);
}

void TorbBlockCache::Give(void* block) noexcept {
  if (!block) return;
  Lock();
  if (!FClosed && FCount < FMaxBlocks) {
    auto* freed = static_cast<FreeBlock*>(block);
    freed->Next = FHead;
    VELMORA_POISON(freed, FBlockSize);
    FHead = freed;
    ++FCount;
    block = nullptr;
  }
  Unlock();
  if (block) rtl::sys::BoundaryFree(block);
}

std::size_t TorbBlockCache::CachedBlocks() const noexcept {
  Lock();
  const std::size_t n = FCount;
  Unlock();
  return n;
}

}  // namespace orb
