#include "rtl/Object.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "rtl/ObjectLinks.h"
#include "rtl/ObjectRun.h"
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
    bool Failed = false;  // made by a failed run of its tracker, to be swept (TObjectRun)
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
    FSlots[i] = Slot{key, nullptr, false};
  }
  void Erase(Slot* slot) noexcept {
    // Backward-shift deletion: later members of the run move up, so that no
    // tombstones are needed.
    std::size_t hole = static_cast<std::size_t>(slot - FSlots.data());
    FSlots[hole] = Slot{nullptr, nullptr, false};
    --FCount;
    for (std::size_t i = Next(hole); FSlots[i].Key; i = Next(i)) {
      const std::size_t home = Home(FSlots[i].Key);
      // The entry may fill the hole when its home is not in (hole, i], cyclically.
      const bool stays = hole <= i ? (home > hole && home <= i) : (home > hole || home <= i);
      if (stays) continue;
      FSlots[hole] = FSlots[i];
      FSlots[i] = Slot{nullptr, nullptr, false};
      hole = i;
    }
  }
  std::size_t Size() const noexcept { return FCount; }
  template <class F>
  void ForEach(F&& f) const {
    for (const Slot& s : FSlots)
      if (s.Key) f(s);
  }

private:
  std::size_t Home(const void* key) const noexcept {
    const auto k = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
    return static_cast<std::size_t>((k * 0x9E3779B97F4A7C15ull) >> 32) & (FSlots.size() - 1);
  }
  std::size_t Next(std::size_t i) const noexcept { return (i + 1) & (FSlots.size() - 1); }
  void Grow() {
    std::vector<Slot> old(FSlots.empty() ? 1024 : FSlots.size() * 2, Slot{nullptr, nullptr, false});
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

// A tracker's failed runs' objects, to be swept (some may be gone again), and how many
// of them the last sweep kept.
struct FailedRuns {
  std::vector<TObject*> Objects;
  std::size_t KeptAtSweep = 0;
};

// Never freed, so that objects destroyed during process exit still find it.
struct LiveObjects {
  std::mutex Mutex;
  LiveTable Map;
  // Trackers with failed runs' objects; an entry goes with its tracker.
  std::unordered_map<const TObjectTracker*, FailedRuns> Failed;
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

TObjectTracker::~TObjectTracker() {
  FreeAll();
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  live.Failed.erase(this);
}

void TObjectTracker::Track(TObject* object) {
  if (!object) return;
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  LiveTable::Slot* it = live.Map.Find(object);
  if (!it || it->Value == this) return;
  if (it->Value) it->Value->FObjects.erase(object);
  it->Value = this;
  it->Failed = false;
  FObjects.insert(object);
  if (FRunDepth.load(std::memory_order_acquire) == 0 ||
      FRunThread.load(std::memory_order_relaxed) != std::this_thread::get_id())
    return;
  std::vector<TObject*>& made = FRunObjects;
  // A run that makes and frees objects by the million keeps only the living ones.
  if (made.size() >= 4096 && made.size() / 2 > FObjects.size()) {
    std::size_t kept = 0;
    for (TObject* o : made)
      if (FObjects.count(o)) made[kept++] = o;
    made.resize(kept);
  }
  made.push_back(object);
}

void TObjectTracker::Release(TObject* object) {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  if (FObjects.erase(object) == 0) return;
  if (LiveTable::Slot* it = live.Map.Find(object)) {
    it->Value = nullptr;
    it->Failed = false;
  }
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

// TObjectRun ----------------------------------------------------------------------------

TObjectRun::TObjectRun(TObjectTracker& tracker) : FTracker(tracker) {
  const int depth = tracker.FRunDepth.load(std::memory_order_relaxed);
  if (depth == 0) {
    tracker.FRunThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    tracker.FRunObjects.clear();
  }
  tracker.FRunDepth.store(depth + 1, std::memory_order_release);
}

TObjectRun::~TObjectRun() {
  const int depth = FTracker.FRunDepth.load(std::memory_order_relaxed) - 1;
  FTracker.FRunDepth.store(depth, std::memory_order_release);
  if (depth > 0) return;
  FTracker.FRunObjects.clear();
  // A run that made many objects leaves no large buffer behind.
  if (FTracker.FRunObjects.capacity() > 4096) FTracker.FRunObjects.shrink_to_fit();
}

bool TObjectRun::Failed() {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  if (FTracker.FRunDepth != 1 || FTracker.FRunObjects.empty()) return false;
  FailedRuns& failed = live.Failed[&FTracker];
  for (TObject* o : FTracker.FRunObjects) {
    LiveTable::Slot* slot = live.Map.Find(o);
    if (slot && slot->Value == &FTracker && !slot->Failed) {
      slot->Failed = true;
      failed.Objects.push_back(o);
    }
  }
  FTracker.FRunObjects.clear();
  return failed.Objects.size() >= std::max(TObjectRun::kSweepBatch, 2 * failed.KeptAtSweep);
}

namespace {

// The walk of FreeUnreached: which failed-run objects are reached.
class ReachWalk final : public TObjectLinks {
public:
  enum class Phase { Candidate, Holder, Reached };

  explicit ReachWalk(const std::unordered_set<const void*>& candidates) : FCandidates(candidates) {}

  bool IsCandidate(const void* address) const { return FCandidates.count(address) != 0; }
  void Mark(const void* address) {
    if (!IsCandidate(address) || FMarked.count(address)) return;
    FMarked.insert(address);
    FWork.push_back(static_cast<const TObject*>(address));
  }
  void Visit(const TObject* object, Phase phase) {
    FPhase = phase;
    FCurrent = object;
    VisitObjectLinks(*object, *this);
  }
  // The closure of the marks over the links among the candidates.
  void Spread() {
    while (!FWork.empty()) {
      const TObject* object = FWork.back();
      FWork.pop_back();
      if (!TObject::IsLive(object)) continue;
      Visit(object, Phase::Reached);
      auto owners = FOwners.find(object);
      if (owners != FOwners.end())
        for (const void* owner : owners->second) Mark(owner);
    }
  }
  bool Marked(const void* address) const { return FMarked.count(address) != 0; }

  void HoldsAddress(const void* target, bool owns) override {
    if (!target) return;
    switch (FPhase) {
      case Phase::Candidate:
        // A candidate that owns another is kept when the other is.
        if (owns && IsCandidate(target)) FOwners[target].push_back(FCurrent);
        break;
      case Phase::Holder:
      case Phase::Reached: Mark(target); break;
    }
  }
  void HeldBy(const TObject* holder) override {
    if (!holder) return;
    switch (FPhase) {
      case Phase::Candidate:
        if (!IsCandidate(holder) && TObject::IsLive(holder)) Mark(FCurrent);
        break;
      case Phase::Holder: break;
      case Phase::Reached: Mark(holder); break;
    }
  }

private:
  const std::unordered_set<const void*>& FCandidates;
  std::unordered_set<const void*> FMarked;
  std::vector<const TObject*> FWork;
  std::unordered_map<const void*, std::vector<const void*>> FOwners;
  Phase FPhase = Phase::Reached;
  const TObject* FCurrent = nullptr;
};

}  // namespace

void TObjectRun::FreeUnreached(const std::vector<const void*>& roots, const std::vector<const void*>& localRoots) {
  auto& live = Live();
  std::unordered_set<const void*> candidates;
  std::vector<const TObject*> others;
  std::vector<const TObject*> nativeRoots;
  {
    std::lock_guard<std::mutex> guard(live.Mutex);
    auto found = live.Failed.find(&FTracker);
    if (found == live.Failed.end()) return;
    // An address whose object went may have been taken by a new one: only objects still
    // marked as a failed run's count.
    for (TObject* o : found->second.Objects) {
      LiveTable::Slot* slot = live.Map.Find(o);
      if (slot && slot->Value == &FTracker && slot->Failed) candidates.insert(o);
    }
    found->second.Objects.clear();
    found->second.KeptAtSweep = 0;
    if (candidates.empty()) return;
    // The tracker's other objects, from the table (the tracker's own set is its own).
    live.Map.ForEach([&](const LiveTable::Slot& s) {
      if (s.Value == &FTracker && !candidates.count(s.Key)) others.push_back(static_cast<const TObject*>(s.Key));
    });
    for (const void* root : roots) {
      const LiveTable::Slot* slot = live.Map.Find(root);
      if (slot && !slot->Value) nativeRoots.push_back(static_cast<const TObject*>(root));
    }
  }
  ReachWalk walk(candidates);
  for (const void* o : candidates)
    if (TObject::IsLive(o)) walk.Visit(static_cast<const TObject*>(o), ReachWalk::Phase::Candidate);
  for (const TObject* o : others)
    if (TObject::IsLive(o)) walk.Visit(o, ReachWalk::Phase::Holder);
  for (const TObject* o : nativeRoots)
    if (TObject::IsLive(o)) walk.Visit(o, ReachWalk::Phase::Holder);
  for (const void* root : roots) walk.Mark(root);
  walk.Spread();
  std::unordered_set<const void*> adopted;
  for (const void* o : candidates)
    if (walk.Marked(o)) adopted.insert(o);
  for (const void* root : localRoots) walk.Mark(root);
  walk.Spread();
  std::vector<TObject*> unreached, stillCandidates;
  for (const void* o : candidates) {
    auto* object = static_cast<TObject*>(const_cast<void*>(o));
    if (!walk.Marked(o))
      unreached.push_back(object);
    else if (!adopted.count(o))
      stillCandidates.push_back(object);
  }
  for (TObject* next : unreached) {
    {
      // Gone already when an owner freed it with itself on the way.
      std::lock_guard<std::mutex> guard(live.Mutex);
      LiveTable::Slot* slot = live.Map.Find(next);
      if (!slot || slot->Value != &FTracker) continue;
    }
    try {
      FreeObject(next);
    } catch (...) {
    }
  }
  std::lock_guard<std::mutex> guard(live.Mutex);
  // What the program reaches is an ordinary object of the tracker from now on.
  for (const void* o : adopted)
    if (LiveTable::Slot* slot = live.Map.Find(o)) slot->Failed = false;
  FailedRuns& failed = live.Failed[&FTracker];
  failed.Objects.insert(failed.Objects.end(), stillCandidates.begin(), stillCandidates.end());
  failed.KeptAtSweep = failed.Objects.size();
}

}  // namespace rtl
