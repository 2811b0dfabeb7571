#include "filter/FilterScriptSetup.h"

#include <memory>
#include <mutex>

#include "Public/Common/orbThreadObject.h"
#include "engine/fsScript.h"
#include "runtime/fsGlobalRegistry.h"

namespace filter {

namespace {
// A plain pointer: it has no static destructor of its own, so the library's finalisation
// (FilterLifetime) frees it once, whatever the order the units are finalised in.
orb::TThreadObjectCs* gPreparationLock = nullptr;

class PreparationScope {
public:
  PreparationScope() { gPreparationLock->Lock(); }
  ~PreparationScope() { gPreparationLock->Unlock(); }
  PreparationScope(const PreparationScope&) = delete;
  PreparationScope& operator=(const PreparationScope&) = delete;
};
}  // namespace

void CreatePreparationLock() {
  if (!gPreparationLock) gPreparationLock = new orb::TThreadObjectCs();
}

void FreePreparationLock() {
  delete gPreparationLock;
  gPreparationLock = nullptr;
}

void PrepareFilterScript(fs::TfsScript& script, const rtl::TStrings* lines, const std::string& syntaxType,
                         bool loadModules) {
  PreparationScope scope;
  script.ClearProgram();
  // Each filter script carries its own copies of the registrations, so no registered
  // helper is shared between configurations running on different threads.
  if (loadModules) fs::LoadRuntimeModules(script);
  std::vector<std::string> source;
  source.reserve(static_cast<std::size_t>(lines->Count()));
  for (int i = 0; i < lines->Count(); ++i) source.push_back(lines->Strings(i).str());
  script.SetLines(source);
  script.SetSyntaxType(syntaxType);
  script.SetParentScript(fs::GlobalRegistry());
}

}  // namespace filter
