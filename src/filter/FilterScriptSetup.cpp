#include "filter/FilterScriptSetup.h"

#include <memory>
#include <mutex>

#include "Public/Common/orbThreadObject.h"
#include "engine/fsScript.h"
#include "runtime/fsGlobalRegistry.h"

namespace filter {

namespace {
std::unique_ptr<orb::TThreadObjectCs> gPreparationLock;

class PreparationScope {
public:
  PreparationScope() { gPreparationLock->Lock(); }
  ~PreparationScope() { gPreparationLock->Unlock(); }
  PreparationScope(const PreparationScope&) = delete;
  PreparationScope& operator=(const PreparationScope&) = delete;
};
}  // namespace

void CreatePreparationLock() {
  if (!gPreparationLock) gPreparationLock = std::make_unique<orb::TThreadObjectCs>();
}

void FreePreparationLock() { gPreparationLock.reset(); }

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
