#include "Private/Plugins/orbInstances.h"

#include <atomic>

#include "Private/Plugins/orbPluginModule.h"
#include "Public/Common/orbWait.h"
#include "platform/CallStack.h"
#include "platform/DebugOutput.h"

namespace orb {

namespace {

std::atomic<TorbPluginClass> gPluginClass{&CreatePluginOf<TorbPlugin>};
std::atomic<TThreadObjectList*> gInstanceList{nullptr};

// The framework's lifetime is the library's: the instance list exists from start-up
// to finalisation, when every remaining instance is freed. The class infos the
// instances need are made first so that they outlive this object.
struct FrameworkLifetime {
  FrameworkLifetime() {
    TorbPlugin::StaticClassInfo();
    InitializeFramework();
  }
  ~FrameworkLifetime() { FinalizeFramework(); }
};
FrameworkLifetime gFramework;

TorbPlugin* AsPlugin(rtl::TObject* o) { return static_cast<TorbPlugin*>(o); }

}  // namespace

TorbPluginClass PluginClass() { return gPluginClass.load(); }
void SetPluginClass(TorbPluginClass pluginClass) { gPluginClass.store(pluginClass); }
TThreadObjectList* InstanceList() { return gInstanceList.load(std::memory_order_acquire); }

void InitializeFramework() {
  if (!gInstanceList.load()) gInstanceList.store(new TThreadObjectList(false));
  SetApplicationTerminating(false);
}

void FinalizeFramework() {
  SetApplicationTerminating(true);
  TThreadObjectList* list = gInstanceList.exchange(nullptr);
  if (!list) return;
  std::vector<rtl::TObject*> instances;
  {
    rtl::TObjectList* l = list->LockList();
    for (int i = 0; i < l->Count(); ++i) instances.push_back(l->Items(i));
    l->Clear();
    list->UnlockList();
  }
  for (rtl::TObject* o : instances) ReleaseUse(AsPlugin(o));
  delete list;
}

void ReleaseUse(TorbPlugin* Instance) {
  if (Instance->FUseCount.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  try {
    rtl::FreeObject(Instance);
  } catch (...) {
  }
}

bool ValidCallRec(const PluginCallRec* rec) {
  return rec && rec->RecSize == PluginCallRecSize &&
         (rec->Params || rec->CallKind == ckRelease || rec->CallKind == ckShutdown);
}

bool FindInstance(PPluginCallRec rec, TorbPlugin*& Instance, bool Create) {
  Instance = nullptr;
  // The shut-down notice: no shut-down procedures are registered by this library.
  if (rec->CallKind == ckShutdown) return false;
  TThreadObjectList* list = InstanceList();
  if (rec->ConfigId == 0 || !list) return false;

  TorbPlugin* released = nullptr;
  rtl::TObjectList* items = list->LockListRead();
  try {
    auto find = [&]() -> int {
      for (int i = 0; i < items->Count(); ++i)
        if (AsPlugin(items->Items(i))->FConfigId == rec->ConfigId) return i;
      return -1;
    };
    int index = find();
    if (index >= 0 && rec->CallKind == ckRelease) {
      bool clean = false;
      list->LockWrite(&clean);
      // Another writer may have moved or released it while we waited.
      if (!clean) index = find();
      if (index >= 0) {
        released = AsPlugin(items->Items(index));
        items->Delete(index);
      }
      list->UnlockWrite();
    } else if (index >= 0) {
      Instance = AsPlugin(items->Items(index));
      Instance->FUseCount.fetch_add(1, std::memory_order_relaxed);
    } else if (rec->CallKind != ckRelease && Create) {
      TorbPlugin* created = nullptr;
      try {
        created = PluginClass()(rec, nullptr);
        bool clean = false;
        list->LockWrite(&clean);
        // Two callers may have made an instance for the same configuration at once:
        // the first one appended wins, the other is dropped.
        int again = clean ? -1 : find();
        if (again >= 0) {
          Instance = AsPlugin(items->Items(again));
          Instance->FUseCount.fetch_add(1, std::memory_order_relaxed);
        } else {
          created->FConfigId = rec->ConfigId;
          created->FUseCount.store(2, std::memory_order_relaxed);  // the list's and the caller's
          items->Add(created);
          Instance = created;
          created = nullptr;
        }
        list->UnlockWrite();
      } catch (...) {
        // Swallowed: the call finds no instance.
      }
      if (created) {
        try {
          rtl::FreeObject(created);
        } catch (...) {
        }
      }
    }
  } catch (...) {
  }
  list->UnlockRead();
  // Freed now, or by the last call still using it.
  if (released) ReleaseUse(released);
  return Instance != nullptr;
}

void LogException(TorbPlugin* Instance, const std::string& Tag, const std::exception& E) {
  std::string text = E.what();
  if (!Tag.empty()) text = "{" + Tag + "} " + text;
  if (Instance) {
    try {
      Instance->AddLog(0, text);
    } catch (...) {
    }
  }
  platform::DebugOutput(text + ": " + platform::CallStackText());
}

}  // namespace orb
