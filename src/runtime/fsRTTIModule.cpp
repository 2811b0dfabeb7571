#include "runtime/fsRTTIModule.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace fs {

namespace {

// Set when the list has been freed at shutdown; never cleared.
constinit std::atomic<bool> gListGone{false};

struct ModuleList {
  std::mutex Lock;
  std::vector<const TfsRTTIModuleClass*> Classes;
  ~ModuleList() { gListGone = true; }
};

// Made on first use (by the first library that registers); freed at shutdown, after
// every registration made before it was complete.
ModuleList* List() {
  if (gListGone) return nullptr;
  static ModuleList list;
  return &list;
}

}  // namespace

std::vector<const TfsRTTIModuleClass*> RuntimeModules() {
  ModuleList* list = List();
  if (!list) return {};
  std::lock_guard<std::mutex> guard(list->Lock);
  return list->Classes;
}

void RegisterRuntimeModule(const TfsRTTIModuleClass& moduleClass) {
  ModuleList* list = List();
  if (!list) return;
  std::lock_guard<std::mutex> guard(list->Lock);
  auto& classes = list->Classes;
  if (std::find(classes.begin(), classes.end(), &moduleClass) != classes.end()) return;
  // After every class of the same or an earlier order.
  auto at = std::find_if(classes.begin(), classes.end(),
                         [&](const TfsRTTIModuleClass* c) { return c->Order > moduleClass.Order; });
  classes.insert(at, &moduleClass);
}

void UnregisterRuntimeModule(const TfsRTTIModuleClass& moduleClass) {
  ModuleList* list = List();
  if (!list) return;
  std::lock_guard<std::mutex> guard(list->Lock);
  auto& classes = list->Classes;
  classes.erase(std::remove(classes.begin(), classes.end(), &moduleClass), classes.end());
}

}  // namespace fs
