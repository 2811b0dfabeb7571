// ScriptMemory: the memory a configuration's script may take. A TScriptMemory is one
// configuration's budget; while a row or a compile of that configuration runs, a
// TScriptMemoryScope makes it the running thread's budget, and every block made for a
// script-visible value (8-bit and wide strings, variant arrays, the storage of lists,
// the compiler's tree) is counted against it *before* it is taken: a block that would go
// past the limit raises EScriptMemoryLimit instead of being allocated.
//
// What is counted:
//   - large blocks (kLargeBlock bytes and more) for as long as they live, whatever
//     thread frees them: they are kept in a table with the budget they were charged to;
//   - smaller blocks net within the running section (a row or a compile): what the
//     section made minus what it freed. They are too many and too cheap to keep in a
//     table, and a section that piles up small blocks is stopped all the same; what
//     outlives its section is no longer counted.
// Outside a scope nothing is counted (the host's own values, set-up and tear-down).
#pragma once

#include <atomic>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "rtl/Exceptions.h"
#include "rtl/SysMemory.h"

namespace rtl {

// "Script memory limit exceeded (N MB)", N being the limit; a run-time error of the row
// (or the compile) like an out-of-memory.
class EScriptMemoryLimit : public Exception {
public:
  explicit EScriptMemoryLimit(std::uint32_t limitMB);
};

// Blocks from this size on are counted for their whole life.
inline constexpr std::size_t kLargeBlock = 64 * 1024;

// Made with std::make_shared: blocks and storage it was charged for keep it alive.
class TScriptMemory : public std::enable_shared_from_this<TScriptMemory> {
public:
  // 0 MB means no limit.
  explicit TScriptMemory(std::uint32_t limitMB = 0) { SetLimitMB(limitMB); }
  TScriptMemory(const TScriptMemory&) = delete;
  TScriptMemory& operator=(const TScriptMemory&) = delete;

  // The limit may be read on other threads than the one that sets it.
  std::uint32_t LimitMB() const noexcept { return FLimitMB.load(std::memory_order_relaxed); }
  void SetLimitMB(std::uint32_t mb) noexcept {
    FLimitMB.store(mb, std::memory_order_relaxed);
    FLimit.store(static_cast<std::int64_t>(mb) << 20, std::memory_order_relaxed);
    FSectionMark.store(kMarkUnknown, std::memory_order_relaxed);
  }
  // Bytes counted now: the large blocks alive and the running section's small ones.
  std::int64_t Used() const noexcept {
    return FLarge.load(std::memory_order_relaxed) + (FSection > 0 ? FSection : 0);
  }
  // Raises EScriptMemoryLimit when bytes more would go past the limit.
  void Check(std::uint64_t bytes) const {
    const std::int64_t limit = FLimit.load(std::memory_order_relaxed);
    if (!limit) return;
    const std::int64_t room = limit - Used();
    if (room < 0 || bytes > static_cast<std::uint64_t>(room)) Exceeded();
  }
  // Small blocks made (positive) or freed (negative) by the running section.
  void CountSection(std::int64_t bytes) noexcept { FSection += bytes; }
  // A small block of the running section is coming: counted, and checked only once the
  // section passes the mark below which it cannot reach the limit.
  void SmallBlockComing(std::size_t bytes) {
    FSection += static_cast<std::int64_t>(bytes);
    if (FSection > FSectionMark.load(std::memory_order_relaxed)) CheckSection(bytes);
  }
  // Large blocks and storage charged (positive) or given back (negative). A charge
  // moves the section's mark down, so the next small block checks again.
  void CountLarge(std::int64_t bytes) noexcept {
    FLarge.fetch_add(bytes, std::memory_order_relaxed);
    if (bytes > 0) FSectionMark.store(kMarkUnknown, std::memory_order_relaxed);
  }

private:
  friend class TScriptMemoryScope;
  [[noreturn]] void Exceeded() const;
  // The section took bytes more and passed its mark: the whole check, and a new mark.
  void CheckSection(std::size_t bytes);
  static constexpr std::int64_t kMarkUnknown = INT64_MIN;

  std::atomic<std::int64_t> FLimit{0};
  std::atomic<std::uint32_t> FLimitMB{0};
  std::atomic<std::int64_t> FLarge{0};
  std::int64_t FSection = 0;  // the running section's small blocks, on its thread only
  // The section's level up to which it stays within the limit with the large blocks
  // as they were when it was worked out (kMarkUnknown: to be worked out).
  std::atomic<std::int64_t> FSectionMark{kMarkUnknown};
};

namespace scriptmemory_detail {
#if defined(__ELF__)
// The library is loaded with its host: the short access model keeps the hot paths free
// of a call per access.
extern constinit thread_local TScriptMemory* tRunning __attribute__((tls_model("initial-exec")));
#else
extern constinit thread_local TScriptMemory* tRunning;
#endif
void ChargeLarge(TScriptMemory* running, const void* block, std::size_t bytes) noexcept;
// How many large blocks are charged, readable without a lock: where there are none (no
// script ran with a budget), freeing and moving large blocks does not look them up. A
// block charged on one thread reaches another only through a hand-over that makes its
// count seen.
extern constinit std::atomic<std::size_t> gLargeCount;
void ForgetLargeCharged(const void* block) noexcept;
inline void ForgetLarge(const void* block) noexcept {
  if (gLargeCount.load(std::memory_order_relaxed) != 0) ForgetLargeCharged(block);
}
}  // namespace scriptmemory_detail

// The running thread's budget for the life of the scope (nil: none); scopes nest. A new
// section starts: its small blocks count from zero.
class TScriptMemoryScope {
public:
  explicit TScriptMemoryScope(TScriptMemory* budget) noexcept;
  ~TScriptMemoryScope();
  TScriptMemoryScope(const TScriptMemoryScope&) = delete;
  TScriptMemoryScope& operator=(const TScriptMemoryScope&) = delete;

private:
  TScriptMemory* FPrevious;
  std::int64_t FPreviousSection = 0;
};

// The running thread's budget, or nil.
inline TScriptMemory* RunningScriptMemory() noexcept { return scriptmemory_detail::tRunning; }

// Before a value of that size is built from what a script asked for (a result whose
// size is known beforehand): raises EScriptMemoryLimit when it would take the running
// budget past its limit. Counts nothing; the blocks made then are counted as they come.
inline void ScriptMemoryCheck(std::uint64_t bytes) {
  if (TScriptMemory* running = scriptmemory_detail::tRunning) running->Check(bytes);
}

// Before a block of that size is made for a script value: raises EScriptMemoryLimit
// when it would take the running budget past its limit; counts a small block.
inline void ScriptBlockComing(std::size_t bytes) {
  TScriptMemory* running = scriptmemory_detail::tRunning;
  if (!running) return;
  if (bytes < kLargeBlock) running->SmallBlockComing(bytes);
  else running->Check(bytes);
}
// After the block was made: a large one is charged to the running budget.
inline void ScriptBlockMade(const void* block, std::size_t bytes) noexcept {
  if (bytes < kLargeBlock) return;
  if (TScriptMemory* running = scriptmemory_detail::tRunning) scriptmemory_detail::ChargeLarge(running, block, bytes);
}
// A block made for a script value is freed (or about to be).
inline void ScriptBlockGone(const void* block, std::size_t bytes) noexcept {
  if (bytes >= kLargeBlock) {
    scriptmemory_detail::ForgetLarge(block);
  } else if (TScriptMemory* running = scriptmemory_detail::tRunning) {
    running->CountSection(-static_cast<std::int64_t>(bytes));
  }
}

// Blocks of the process-wide allocator for script values, counted as above. Inline:
// every string a row makes comes through here.
inline void* ScriptAlloc(std::size_t bytes) {
  ScriptBlockComing(bytes);
  void* block = sys::BoundaryAlloc(bytes);
  ScriptBlockMade(block, bytes);
  return block;
}
// Moves a block made by ScriptAlloc to a new size (the contents kept as realloc does).
void* ScriptRealloc(void* block, std::size_t oldBytes, std::size_t bytes);
// Out of line: kept small, a string's release stays inlined where it is used.
void ScriptFree(void* block, std::size_t bytes) noexcept;

// The storage a container keeps for script values (a list's entries) goes from oldBytes
// to bytes; the container's address stands for the storage, which is counted as a block
// of that size. Raises EScriptMemoryLimit, before anything changes, when growing would
// go past the running budget's limit.
void ScriptStorageResize(const void* container, std::size_t oldBytes, std::size_t bytes);

// Storage that one piece of code keeps for a while (the text of a compile's tree):
// charged to the budget running when it grows, given back to the same budget.
class TScriptStorageCharge {
public:
  TScriptStorageCharge() = default;
  ~TScriptStorageCharge() { Resize(0); }
  TScriptStorageCharge(const TScriptStorageCharge&) = delete;
  TScriptStorageCharge& operator=(const TScriptStorageCharge&) = delete;

  // The storage is about to be that many bytes: raises EScriptMemoryLimit when growing
  // it would go past the running budget's limit.
  void Resize(std::size_t bytes) {
    if (bytes == FBytes) return;
    if (bytes > FBytes) Grow(bytes);
    else Shrink(bytes);
  }

private:
  void Grow(std::size_t bytes);
  void Shrink(std::size_t bytes) noexcept;
  std::shared_ptr<TScriptMemory> FBudget;
  std::size_t FBytes = 0;
};

}  // namespace rtl
