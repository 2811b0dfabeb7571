#include "runtime/fsGlobalRegistry.h"

#include <atomic>
#include <memory>

#include "runtime/fsRTTIModule.h"

namespace fs {

namespace {

// The entry that records, in a script's own table, that its modules are loaded. Its
// name cannot be written in any dialect, and it is no script item, so no lookup of a
// script finds it.
const char* const kLoadedMarkName = "$RuntimeModules$";

class TfsModulesLoadedMark : public TfsObject {
public:
  bool KeptByClear() const noexcept override { return true; }
};

void RemoveModules(TfsScript& script) {
  script.Items().RemoveIf([](const TfsItemTable::Entry& e) {
    if (!e.Object) return false;
    if (dynamic_cast<TfsRTTIModule*>(e.Object) || dynamic_cast<TfsModulesLoadedMark*>(e.Object)) return true;
    TfsCustomVariable* v = e.Object->AsVariable();
    return v && v->IsGlobal();
  });
}

// Set when the process-wide registry is being freed; never cleared.
constinit std::atomic<bool> gShutdown{false};

struct GlobalHolder {
  std::unique_ptr<TfsScript> Script;
  GlobalHolder() : Script(std::make_unique<TfsScript>()) { LoadRuntimeModules(*Script); }
  ~GlobalHolder() {
    gShutdown = true;
    Script.reset();
  }
};

}  // namespace

bool RuntimeModulesLoaded(const TfsScript& script) {
  return dynamic_cast<const TfsModulesLoadedMark*>(script.Items().Find(kLoadedMarkName)) != nullptr;
}

void LoadRuntimeModules(TfsScript& script) {
  if (RuntimeModulesLoaded(script)) return;
  const bool mark = script.GlobalMark();
  script.SetGlobalMark(true);
  try {
    for (const TfsRTTIModuleClass* moduleClass : RuntimeModules()) {
      TfsRTTIModule* module = moduleClass->Create(&script);
      script.AddName(std::string(), module);
    }
  } catch (...) {
    script.SetGlobalMark(mark);
    RemoveModules(script);
    throw;
  }
  script.SetGlobalMark(mark);
  script.AddName(kLoadedMarkName, new TfsModulesLoadedMark);
}

void UnloadRuntimeModules(TfsScript& script) {
  if (!RuntimeModulesLoaded(script)) return;
  RemoveModules(script);
}

TfsScript* GlobalRegistry() {
  if (gShutdown) return nullptr;
  // Made once, whichever thread asks first; a failed load is tried again next time.
  static GlobalHolder holder;
  return gShutdown ? nullptr : holder.Script.get();
}

}  // namespace fs
