#include "Public/Common/orbBlockCache.h"

#include <algorithm>
#include <cstdlib>
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
  void** blocks = FBlocks;
  const std::size_t count = FCount;
  FBlocks = nullptr;
  FCount = FCapacity = 0;
  // Items freed during the rest of the shutdown go straight back to the heap.
  FClosed = true;
  Unlock();
  for (std::size_t i = 0; i < count; ++i) {
    VELMORA_UNPOISON(blocks[i], FBlockSize);
    rtl::sys::BoundaryFree(blocks[i]);
  }
  std::free(blocks);
}

void TorbBlockCache::Lock() const noexcept {
  // Held for a few instructions only: spinning is cheaper than a system lock here.
  while (FLock.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
}

void* TorbBlockCache::Take() {
  void* block = nullptr;
  Lock();
  if (FCount) block = FBlocks[--FCount];
  Unlock();
  if (!block) return rtl::sys::BoundaryAlloc(FBlockSize);
  VELMORA_UNPOISON(block, FBlockSize);
  return block;
}

void TorbBlockCache::Give(void* block) noexcept {
  if (!block) return;
  Lock();
  if (!FClosed && FCount == FCapacity && FCapacity < FMaxBlocks) {
    // Grows by doubling up to the bound; without room the block goes back to the heap.
    const std::size_t capacity = std::min(FMaxBlocks, std::max<std::size_t>(1024, FCapacity * 2));
    if (void* grown = std::realloc(FBlocks, capacity * sizeof(void*))) {
      FBlocks = static_cast<void**>(grown);
      FCapacity = capacity;
    }
  }
  if (!FClosed && FCount < FCapacity) {
    VELMORA_POISON(block, FBlockSize);
    FBlocks[FCount++] = block;
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
