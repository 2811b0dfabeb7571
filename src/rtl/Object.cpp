#include "rtl/Object.h"

#include <mutex>
#include <cstdint>
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

// A tracker's run (TObjectRun): how deeply runs nest, and the objects tracked while
// they last (some may be gone again).
struct RunState {
  int Depth = 0;
  std::vector<TObject*> Objects;
};

// Never freed, so that objects destroyed during process exit still find it.
struct LiveObjects {
  std::mutex Mutex;
  LiveTable Map;
  // Trackers that have had a run; an entry stays until its tracker goes, so that a run
  // per row costs no allocation.
  std::unordered_map<const TObjectTracker*, RunState> Runs;
};

LiveObjects& Live() {
  static LiveObjects* live = new LiveObjects();
  return *live;
}

[[maybe_unused]] const TClassInfo& kRegistered = TObject::StaticClassInfo();

}  // namespace

TObject::TObject() {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  live.Map.Insert(this);
}

TObject::~TObject() {
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
  try {
    object->BeforeDestruction();
  } catch (...) {
    delete object;
    throw;
  }
  delete object;
}

// TObjectTracker -------------------------------------------------------------------------

TObjectTracker::~TObjectTracker() {
  FreeAll();
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  live.Runs.erase(this);
}

void TObjectTracker::Track(TObject* object) {
  if (!object) return;
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  LiveTable::Slot* it = live.Map.Find(object);
  if (!it || it->Value == this) return;
  if (it->Value) it->Value->FObjects.erase(object);
  it->Value = this;
  FObjects.insert(object);
  if (live.Runs.empty()) return;
  auto run = live.Runs.find(this);
  if (run == live.Runs.end() || run->second.Depth == 0) return;
  std::vector<TObject*>& made = run->second.Objects;
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

// TObjectRun ----------------------------------------------------------------------------

TObjectRun::TObjectRun(TObjectTracker& tracker) : FTracker(tracker) {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  RunState& run = live.Runs[&tracker];
  if (run.Depth++ == 0) run.Objects.clear();
}

TObjectRun::~TObjectRun() {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  auto run = live.Runs.find(&FTracker);
  if (run == live.Runs.end() || --run->second.Depth > 0) return;
  run->second.Objects.clear();
  // A run that made many objects leaves no large buffer behind.
  if (run->second.Objects.capacity() > 4096) run->second.Objects.shrink_to_fit();
}

bool TObjectRun::Tracked() const {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  auto run = live.Runs.find(&FTracker);
  return run != live.Runs.end() && !run->second.Objects.empty();
}

namespace {

// The walk of FreeUnreached: which of the run's objects are reached.
class ReachWalk final : public TObjectLinks {
public:
  enum class Phase { RunObject, Earlier, Reached };

  explicit ReachWalk(const std::unordered_set<const void*>& run) : FRunObjects(run) {}

  void Reach(const void* address) {
    if (!address || FSeen.count(address) || !TObject::IsLive(address)) return;
    FSeen.insert(address);
    FWork.push_back(static_cast<const TObject*>(address));
  }
  void Visit(const TObject* object, Phase phase) {
    FPhase = phase;
    FCurrent = object;
    VisitObjectLinks(*object, *this);
  }
  // Everything reached from what Reach was given, through the links both ways.
  void Spread() {
    while (!FWork.empty()) {
      const TObject* object = FWork.back();
      FWork.pop_back();
      if (!TObject::IsLive(object)) continue;
      Visit(object, Phase::Reached);
      auto owners = FOwnersInRun.find(object);
      if (owners != FOwnersInRun.end())
        for (const void* owner : owners->second) Reach(owner);
    }
  }
  bool Reached(const void* address) const { return FSeen.count(address) != 0; }

  void HoldsAddress(const void* target, bool owns) override {
    switch (FPhase) {
      case Phase::RunObject:
        // Kept when the target is: an owner cannot go without what it owns.
        if (owns && target) FOwnersInRun[target].push_back(FCurrent);
        break;
      case Phase::Earlier:
      case Phase::Reached: Reach(target); break;
    }
  }
  void HeldBy(const TObject* holder) override {
    switch (FPhase) {
      case Phase::RunObject:
        if (holder && !FRunObjects.count(holder) && TObject::IsLive(holder)) Reach(FCurrent);
        break;
      case Phase::Earlier: break;
      case Phase::Reached: Reach(holder); break;
    }
  }

private:
  const std::unordered_set<const void*>& FRunObjects;
  std::unordered_set<const void*> FSeen;
  std::vector<const TObject*> FWork;
  std::unordered_map<const void*, std::vector<const void*>> FOwnersInRun;
  Phase FPhase = Phase::Reached;
  const TObject* FCurrent = nullptr;
};

}  // namespace

void TObjectRun::FreeUnreached(const std::vector<const void*>& roots) {
  auto& live = Live();
  std::unordered_set<const void*> made;
  std::vector<const TObject*> earlier;
  {
    std::lock_guard<std::mutex> guard(live.Mutex);
    auto run = live.Runs.find(&FTracker);
    // A nested run's failure is its caller's to handle.
    if (run == live.Runs.end() || run->second.Depth != 1) return;
    for (TObject* o : run->second.Objects) {
      LiveTable::Slot* slot = live.Map.Find(o);
      if (slot && slot->Value == &FTracker) made.insert(o);
    }
    run->second.Objects.clear();
    if (made.empty()) return;
    // The tracker's other objects, from the table (the tracker's own set is its own).
    live.Map.ForEach([&](const LiveTable::Slot& s) {
      if (s.Value == &FTracker && !made.count(s.Key)) earlier.push_back(static_cast<const TObject*>(s.Key));
    });
  }
  ReachWalk walk(made);
  for (const void* o : made)
    if (TObject::IsLive(o)) walk.Visit(static_cast<const TObject*>(o), ReachWalk::Phase::RunObject);
  for (const TObject* o : earlier)
    if (TObject::IsLive(o)) walk.Visit(o, ReachWalk::Phase::Earlier);
  for (const void* root : roots) walk.Reach(root);
  walk.Spread();
  std::vector<TObject*> unreached;
  for (const void* o : made)
    if (!walk.Reached(o)) unreached.push_back(static_cast<TObject*>(const_cast<void*>(o)));
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
}

}  // namespace rtl
