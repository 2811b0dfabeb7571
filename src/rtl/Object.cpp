#include "rtl/Object.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "rtl/ObjectTracker.h"

namespace rtl {

namespace {

// Addresses of living objects, each with the tracker that holds it (if any): open
// addressing with linear probing, so that making and destroying an object (parsers make
// them by the ten thousand) costs no allocation of its own.
class LiveTable {
public:
  struct Slot {
    const void* Key;
    TObjectTracker* Value;
  };

  // The slot of key, or null.
  Slot* Find(const void* key) noexcept {
    if (FCount == 0) return nullptr;
    for (std::size_t i = Home(key);; i = Next(i)) {
      if (FSlots[i].Key == key) return &FSlots[i];
      if (!FSlots[i].Key) return nullptr;
    }
  }
  void Insert(const void* key) {
    if ((FCount + 1) * 2 > FSlots.size()) Grow();
    std::size_t i = Home(key);
    while (FSlots[i].Key && FSlots[i].Key != key) i = Next(i);
    if (!FSlots[i].Key) ++FCount;
    FSlots[i] = Slot{key, nullptr};
  }
  void Erase(Slot* slot) noexcept {
    // Backward-shift deletion: later members of the run move up, so that no
    // tombstones are needed.
    std::size_t hole = static_cast<std::size_t>(slot - FSlots.data());
    FSlots[hole] = Slot{nullptr, nullptr};
    --FCount;
    for (std::size_t i = Next(hole); FSlots[i].Key; i = Next(i)) {
      const std::size_t home = Home(FSlots[i].Key);
      // The entry may fill the hole when its home is not in (hole, i], cyclically.
      const bool stays = hole <= i ? (home > hole && home <= i) : (home > hole || home <= i);
      if (stays) continue;
      FSlots[hole] = FSlots[i];
      FSlots[i] = Slot{nullptr, nullptr};
      hole = i;
    }
  }
  std::size_t Size() const noexcept { return FCount; }

private:
  std::size_t Home(const void* key) const noexcept {
    const auto k = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
    return static_cast<std::size_t>((k * 0x9E3779B97F4A7C15ull) >> 32) & (FSlots.size() - 1);
  }
  std::size_t Next(std::size_t i) const noexcept { return (i + 1) & (FSlots.size() - 1); }
  void Grow() {
    std::vector<Slot> old(FSlots.empty() ? 1024 : FSlots.size() * 2, Slot{nullptr, nullptr});
    old.swap(FSlots);
    FCount = 0;
    for (const Slot& s : old)
      if (s.Key) {
        std::size_t i = Home(s.Key);
        while (FSlots[i].Key) i = Next(i);
        FSlots[i] = s;
        ++FCount;
      }
  }

  std::vector<Slot> FSlots;
  std::size_t FCount = 0;
};

// Never freed, so that objects destroyed during process exit still find it.
struct LiveObjects {
  std::mutex Mutex;
  LiveTable Map;
};

LiveObjects& Live() {
  static LiveObjects* live = new LiveObjects();
  return *live;
}

// Objects whose freeing waits for their uses to end, with the thread that asked: only
// that thread's code runs on them, so only it may look at their uses.
struct PendingFree {
  TObject* Object;
  std::thread::id Thread;
};
struct PendingFrees {
  std::mutex Mutex;
  std::vector<PendingFree> List;
  std::atomic<std::size_t> Count{0};
};

PendingFrees& Pending() {
  static PendingFrees* pending = new PendingFrees();
  return *pending;
}

void ForgetPending(TObject* object) {
  auto& pending = Pending();
  std::lock_guard<std::mutex> guard(pending.Mutex);
  auto it = std::find_if(pending.List.begin(), pending.List.end(),
                         [object](const PendingFree& p) { return p.Object == object; });
  if (it == pending.List.end()) return;
  pending.List.erase(it);
  pending.Count.fetch_sub(1, std::memory_order_relaxed);
}

// The innermost use on this thread; each use links to the one it is nested in.
thread_local TObjectUse* tInnermostUse = nullptr;

[[maybe_unused]] const TClassInfo& kRegistered = TObject::StaticClassInfo();

}  // namespace

TObject::TObject() {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  live.Map.Insert(this);
}

TObject::~TObject() {
  // Destroyed by other means while its freeing waited, or by the very method that
  // uses it: the uses end here.
  if (FState == TState::FreePending) ForgetPending(this);
  if (FUses != 0)
    for (TObjectUse* use = tInnermostUse; use; use = use->FOuter)
      if (use->FObject == this) use->FObject = nullptr;
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  LiveTable::Slot* it = live.Map.Find(this);
  if (!it) return;
  if (it->Value) it->Value->FObjects.erase(this);
  live.Map.Erase(it);
}

bool TObject::IsLive(const void* address) {
  if (!address) return false;
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  return live.Map.Find(address) != nullptr;
}

std::size_t TObject::LiveCount() {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  return live.Map.Size();
}

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TObject>("TObject", nullptr);
  return info;
}

void FreeObject(TObject* object) {
  if (!object) return;
  if (object->FState == TObject::TState::Freeing) return;
  if (object->InUse()) {
    if (object->FState == TObject::TState::FreePending) return;
    object->FState = TObject::TState::FreePending;
    {
      auto& pending = Pending();
      std::lock_guard<std::mutex> guard(pending.Mutex);
      pending.List.push_back({object, std::this_thread::get_id()});
      pending.Count.fetch_add(1, std::memory_order_relaxed);
    }
    object->FreeDeferred();
    return;
  }
  if (object->FState == TObject::TState::FreePending) ForgetPending(object);
  object->FState = TObject::TState::Freeing;
  try {
    object->BeforeDestruction();
  } catch (...) {
    delete object;
    throw;
  }
  delete object;
}

// TObjectUse ----------------------------------------------------------------------------

TObjectUse::TObjectUse(TObject* object) noexcept : FObject(object) {
  if (!FObject) return;
  ++FObject->FUses;
  FOuter = tInnermostUse;
  tInnermostUse = this;
  FExceptions = std::uncaught_exceptions();
}

TObjectUse::~TObjectUse() noexcept(false) {
  if (tInnermostUse != this) return;  // made for nil
  tInnermostUse = FOuter;
  if (FObject && --FObject->FUses != 0) return;
  auto& pending = Pending();
  if (pending.Count.load(std::memory_order_relaxed) == 0) return;
  // Free, one by one, what this thread deferred and nothing uses any more; a freeing
  // may defer or release others, so the list is looked at afresh each time.
  const std::thread::id self = std::this_thread::get_id();
  std::exception_ptr first;
  for (;;) {
    TObject* next = nullptr;
    {
      std::lock_guard<std::mutex> guard(pending.Mutex);
      for (const PendingFree& p : pending.List)
        if (p.Thread == self && !p.Object->InUse()) {
          next = p.Object;
          break;
        }
    }
    if (!next) break;
    try {
      FreeObject(next);
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first && std::uncaught_exceptions() <= FExceptions) std::rethrow_exception(first);
}

// TObjectTracker -------------------------------------------------------------------------

TObjectTracker::~TObjectTracker() { FreeAll(); }

void TObjectTracker::Track(TObject* object) {
  if (!object) return;
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  LiveTable::Slot* it = live.Map.Find(object);
  if (!it || it->Value == this) return;
  if (it->Value) it->Value->FObjects.erase(object);
  it->Value = this;
  FObjects.insert(object);
}

void TObjectTracker::Release(TObject* object) {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  if (FObjects.erase(object) == 0) return;
  if (LiveTable::Slot* it = live.Map.Find(object)) it->Value = nullptr;
}

bool TObjectTracker::Tracks(const TObject* object) const {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  return FObjects.count(const_cast<TObject*>(object)) != 0;
}

std::size_t TObjectTracker::Count() const {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  return FObjects.size();
}

void TObjectTracker::FreeAll() {
  auto& live = Live();
  for (;;) {
    TObject* next = nullptr;
    {
      std::lock_guard<std::mutex> guard(live.Mutex);
      if (FObjects.empty()) return;
      next = *FObjects.begin();
      FObjects.erase(FObjects.begin());
      LiveTable::Slot* it = live.Map.Find(next);
      if (!it) continue;
      it->Value = nullptr;
    }
    try {
      FreeObject(next);
    } catch (...) {
    }
  }
}

bool TObjectTracker::IsTracked(const TObject* object) {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  const LiveTable::Slot* it = live.Map.Find(object);
  return it && it->Value != nullptr;
}

}  // namespace rtl
