#include "rtl/ScriptMemory.h"

#include <atomic>
#include <mutex>
#include <unordered_map>

#include "rtl/SysMemory.h"

namespace rtl {

namespace scriptmemory_detail {

#if defined(__ELF__)
constinit thread_local TScriptMemory* tRunning __attribute__((tls_model("initial-exec"))) = nullptr;
#else
constinit thread_local TScriptMemory* tRunning = nullptr;
#endif

constinit std::atomic<std::size_t> gLargeCount{0};

namespace {

// The large blocks alive with the budget each was charged to.
struct LargeBlocks {
  struct Entry {
    std::shared_ptr<TScriptMemory> Budget;
    std::size_t Bytes;
  };
  std::mutex Mutex;
  std::unordered_map<const void*, Entry> Map;
  // Under the lock, after every change of the map.
  void Counted() noexcept { gLargeCount.store(Map.size(), std::memory_order_relaxed); }
};

// Never freed, so that blocks freed during process exit still find it.
LargeBlocks& Large() {
  static LargeBlocks* blocks = new LargeBlocks();
  return *blocks;
}

}  // namespace

void ChargeLarge(TScriptMemory* running, const void* block, std::size_t bytes) noexcept {
  std::shared_ptr<TScriptMemory> budget = running->weak_from_this().lock();
  if (!budget || !block) return;
  auto& large = Large();
  std::lock_guard<std::mutex> guard(large.Mutex);
  try {
    auto [it, fresh] = large.Map.try_emplace(block, LargeBlocks::Entry{budget, bytes});
    if (!fresh) {
      it->second.Budget->CountLarge(-static_cast<std::int64_t>(it->second.Bytes));
      it->second = LargeBlocks::Entry{budget, bytes};
    }
  } catch (...) {
    // Without room in the table the block goes uncounted rather than lost.
    return;
  }
  large.Counted();
  budget->CountLarge(static_cast<std::int64_t>(bytes));
}

void ForgetLargeCharged(const void* block) noexcept {
  std::shared_ptr<TScriptMemory> budget;  // released after the lock
  auto& large = Large();
  std::lock_guard<std::mutex> guard(large.Mutex);
  auto it = large.Map.find(block);
  if (it == large.Map.end()) return;
  it->second.Budget->CountLarge(-static_cast<std::int64_t>(it->second.Bytes));
  budget = std::move(it->second.Budget);
  large.Map.erase(it);
  large.Counted();
}

}  // namespace scriptmemory_detail

EScriptMemoryLimit::EScriptMemoryLimit(std::uint32_t limitMB)
    : Exception("Script memory limit exceeded (" + std::to_string(limitMB) + " MB)", "EOutOfMemory") {}

void TScriptMemory::Exceeded() const { throw EScriptMemoryLimit(LimitMB()); }

void TScriptMemory::CheckSection(std::size_t bytes) {
  const std::int64_t limit = FLimit.load(std::memory_order_relaxed);
  if (!limit) {
    FSectionMark.store(INT64_MAX, std::memory_order_relaxed);
    return;
  }
  const std::int64_t mark = limit - FLarge.load(std::memory_order_relaxed);
  if (FSection > mark) {
    FSection -= static_cast<std::int64_t>(bytes);
    Exceeded();
  }
  FSectionMark.store(mark, std::memory_order_relaxed);
}

TScriptMemoryScope::TScriptMemoryScope(TScriptMemory* budget) noexcept : FPrevious(scriptmemory_detail::tRunning) {
  if (budget) {
    FPreviousSection = budget->FSection;
    budget->FSection = 0;
  }
  scriptmemory_detail::tRunning = budget;
}

TScriptMemoryScope::~TScriptMemoryScope() {
  if (TScriptMemory* budget = scriptmemory_detail::tRunning) budget->FSection = FPreviousSection;
  scriptmemory_detail::tRunning = FPrevious;
}

namespace {

// A block of oldBytes leaves the count (it may not exist afterwards).
void Uncount(TScriptMemory* running, const void* block, std::size_t oldBytes) noexcept {
  if (oldBytes >= kLargeBlock) scriptmemory_detail::ForgetLarge(block);
  else if (running) running->CountSection(-static_cast<std::int64_t>(oldBytes));
}

// A block of bytes joins the count.
void Count(TScriptMemory* running, const void* block, std::size_t bytes) noexcept {
  if (!running) return;
  if (bytes >= kLargeBlock) scriptmemory_detail::ChargeLarge(running, block, bytes);
  else running->CountSection(static_cast<std::int64_t>(bytes));
}

// ScriptRealloc under a budget, apart so that the way without one stays short.
[[gnu::noinline]] void* ReallocCounted(TScriptMemory* running, void* block, std::size_t oldBytes, std::size_t bytes) {
  if (bytes > oldBytes) running->Check(bytes - oldBytes);
  if (oldBytes >= kLargeBlock && bytes >= kLargeBlock) {
    // A growing large string: its entry is taken out while the block moves and put back
    // under the new address, instead of forgetting and charging the block anew for
    // every append.
    auto& large = scriptmemory_detail::Large();
    decltype(large.Map)::node_type entry;
    {
      std::lock_guard<std::mutex> guard(large.Mutex);
      auto it = large.Map.find(block);
      if (it != large.Map.end() && it->second.Budget.get() == running) entry = large.Map.extract(it);
      large.Counted();
    }
    if (entry) {
      void* moved = nullptr;
      try {
        moved = sys::BoundaryRealloc(block, bytes);
      } catch (...) {
        std::lock_guard<std::mutex> guard(large.Mutex);
        large.Map.insert(std::move(entry));
        large.Counted();
        throw;
      }
      running->CountLarge(static_cast<std::int64_t>(bytes) - static_cast<std::int64_t>(entry.mapped().Bytes));
      entry.key() = moved;
      entry.mapped().Bytes = bytes;
      std::lock_guard<std::mutex> guard(large.Mutex);
      auto put = large.Map.insert(std::move(entry));
      if (!put.inserted) {
        // The address is ours now: an entry left there by a block freed uncounted goes.
        put.position->second.Budget->CountLarge(-static_cast<std::int64_t>(put.position->second.Bytes));
        put.position->second = std::move(put.node.mapped());
      }
      large.Counted();
      return moved;
    }
  }
  // Should the move fail, the old block stays uncounted.
  Uncount(running, block, oldBytes);
  void* moved = sys::BoundaryRealloc(block, bytes);
  Count(running, moved, bytes);
  return moved;
}

}  // namespace

void* ScriptRealloc(void* block, std::size_t oldBytes, std::size_t bytes) {
  if (TScriptMemory* running = RunningScriptMemory()) return ReallocCounted(running, block, oldBytes, bytes);
  if (oldBytes >= kLargeBlock) scriptmemory_detail::ForgetLarge(block);
  return sys::BoundaryRealloc(block, bytes);
}

void ScriptStorageResize(const void* container, std::size_t oldBytes, std::size_t bytes) {
  if (bytes == oldBytes) return;
  TScriptMemory* running = RunningScriptMemory();
  if (running && bytes > oldBytes) running->Check(bytes - oldBytes);
  Uncount(running, container, oldBytes);
  if (bytes) Count(running, container, bytes);
}

void ScriptFree(void* block, std::size_t bytes) noexcept {
  if (!block) return;
  ScriptBlockGone(block, bytes);
  sys::BoundaryFree(block);
}

void TScriptStorageCharge::Grow(std::size_t bytes) {
  if (!FBudget) {
    TScriptMemory* running = RunningScriptMemory();
    if (!running) {
      FBytes = bytes;
      return;
    }
    FBudget = running->weak_from_this().lock();
    if (!FBudget) {
      FBytes = bytes;
      return;
    }
    // What the storage held before it had a budget is not the budget's.
    FBytes = 0;
  }
  const std::size_t more = bytes - FBytes;
  FBudget->Check(more);
  FBudget->CountLarge(static_cast<std::int64_t>(more));
  FBytes = bytes;
}

void TScriptStorageCharge::Shrink(std::size_t bytes) noexcept {
  if (FBudget) FBudget->CountLarge(-static_cast<std::int64_t>(FBytes - bytes));
  FBytes = bytes;
}

}  // namespace rtl
