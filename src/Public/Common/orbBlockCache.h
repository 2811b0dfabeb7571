// TorbBlockCache: freed process-heap blocks of one size, kept for reuse. The rows of a
// packet make and free parameter-list items by the ten thousand, and the system heap
// is slow with that many small blocks (the Windows heap notably so). A cached block is
// an ordinary block of the process heap, so whoever frees it later may do so the
// ordinary way. Any thread may take and give back; the cache holds at most a bound of
// blocks and frees the rest.
#pragma once

#include <atomic>
#include <cstddef>

namespace orb {

class TorbBlockCache {
public:
  constexpr TorbBlockCache(std::size_t blockSize, std::size_t maxBlocks) noexcept
      : FBlockSize(blockSize), FMaxBlocks(maxBlocks) {}
  ~TorbBlockCache();
  TorbBlockCache(const TorbBlockCache&) = delete;
  TorbBlockCache& operator=(const TorbBlockCache&) = delete;

  // A block of the cache's size: a cached one, or a new one from the process heap.
  void* Take();
  // Keeps the block (which must be of the cache's size) or frees it when the cache is full.
  void Give(void* block) noexcept;

  std::size_t BlockSize() const noexcept { return FBlockSize; }
  std::size_t CachedBlocks() const noexcept;

private:
  void Lock() const noexcept;
  void Unlock() const noexcept { FLock.clear(std::memory_order_release); }

  const std::size_t FBlockSize;
  const std::size_t FMaxBlocks;
  mutable std::atomic_flag FLock = ATOMIC_FLAG_INIT;
  // The cached blocks' addresses, last given first taken. An array rather than a list
  // threaded through the blocks: after a large packet the blocks are out of the
  // processor's caches, and taking one must not wait for memory to learn the next.
  void** FBlocks = nullptr;
  std::size_t FCount = 0;
  std::size_t FCapacity = 0;
  bool FClosed = false;  // after destruction: everything goes back to the heap
};

}  // namespace orb
