#include "rtl/Object.h"

#include <mutex>
#include <unordered_set>

namespace rtl {

namespace {

// Addresses of living objects. Never freed, so that objects destroyed during process
// exit still find it.
struct LiveObjects {
  std::mutex Mutex;
  std::unordered_set<const void*> Set;
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
  live.Set.insert(this);
}

TObject::~TObject() {
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  live.Set.erase(this);
}

bool TObject::IsLive(const void* address) {
  if (!address) return false;
  auto& live = Live();
  std::lock_guard<std::mutex> guard(live.Mutex);
  return live.Set.count(address) != 0;
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

}  // namespace rtl
