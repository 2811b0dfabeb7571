#include "rtl/Object.h"

#include <mutex>
#include <unordered_map>
#include <vector>

#include "rtl/ObjectTracker.h"

namespace rtl {

namespace {

// Living objects, each with the tracker that holds it (if any). Never freed, so that
// objects destroyed during process exit still find it.
struct LiveObjects {
  std::mutex Mutex;
  std::unordered_map<const void*, TObjectTracker*> Map;
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
  live.Map.emplace(this, nullptr);
}

TObject::~TObject() {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  auto it = live.Map.find(this);
  if (it == live.Map.end()) return;
  if (it->second) it->second->FObjects.erase(this);
  live.Map.erase(it);
}

bool TObject::IsLive(const void* address) {
  if (!address) return false;
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  return live.Map.count(address) != 0;
}

std::size_t TObject::LiveCount() {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  return live.Map.size();
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

TObjectTracker::~TObjectTracker() { FreeAll(); }

void TObjectTracker::Track(TObject* object) {
  if (!object) return;
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  auto it = live.Map.find(object);
  if (it == live.Map.end() || it->second == this) return;
  if (it->second) it->second->FObjects.erase(object);
  it->second = this;
  FObjects.insert(object);
}

void TObjectTracker::Release(TObject* object) {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  if (FObjects.erase(object) == 0) return;
  auto it = live.Map.find(object);
  if (it != live.Map.end()) it->second = nullptr;
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
      auto it = live.Map.find(next);
      if (it == live.Map.end()) continue;
      it->second = nullptr;
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
  auto it = live.Map.find(object);
  return it != live.Map.end() && it->second != nullptr;
}

}  // namespace rtl
