// The process-wide side of the framework: the list of module instances, the class
// that new instances are made of, finding the instance of a call, and turning
// exceptions into log lines.
#pragma once

#include <string>

#include "Private/Plugins/orbPluginTypes.h"
#include "Public/Common/orbThreadLists.h"
#include "rtl/Exceptions.h"

namespace orb {

class TorbPlugin;

// A class reference for module instances: makes one from the call that caused it and
// a library handle (0 from FindInstance), creation step included.
using TorbPluginClass = TorbPlugin* (*)(PPluginCallRec pCallRec, void* dllHandle);

template <class T>
TorbPlugin* CreatePluginOf(PPluginCallRec pCallRec, void* dllHandle) {
  return rtl::CreateObject<T>(pCallRec, dllHandle);
}

// The class FindInstance makes; TorbPlugin until a module sets its own.
TorbPluginClass PluginClass();
void SetPluginClass(TorbPluginClass pluginClass);

// All module instances (not owning); nullptr once the library is finalised.
TThreadObjectList* InstanceList();

bool ValidCallRec(const PluginCallRec* rec);
// Finds the instance of the call's configuration, creating it when asked; handles the
// release and shut-down call kinds. The instance found carries a use for the caller,
// given back with ReleaseUse: a release call from another thread takes the instance
// out of the list at once but frees it only when its last use is given back.
bool FindInstance(PPluginCallRec rec, TorbPlugin*& Instance, bool Create);
void ReleaseUse(TorbPlugin* Instance);

// A use of the instance of a call, held for the call's duration.
class TInstanceUse {
public:
  TInstanceUse(PPluginCallRec rec, bool create) { FindInstance(rec, FInstance, create); }
  ~TInstanceUse() {
    if (FInstance) ReleaseUse(FInstance);
  }
  TInstanceUse(const TInstanceUse&) = delete;
  TInstanceUse& operator=(const TInstanceUse&) = delete;
  TorbPlugin* get() const { return FInstance; }
  TorbPlugin* operator->() const { return FInstance; }
  explicit operator bool() const { return FInstance != nullptr; }

private:
  TorbPlugin* FInstance = nullptr;
};
// Logs E's message (prefixed "{Tag} ") at level 0 to the instance's log and writes it
// with the call stack to the debugger output.
void LogException(TorbPlugin* Instance, const std::string& Tag, const std::exception& E);

// Frees every remaining instance and the list (library finalisation; also used by
// tests that need a fresh framework).
void FinalizeFramework();
void InitializeFramework();

}  // namespace orb
