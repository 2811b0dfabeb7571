#include "runtime/fsCustomEvent.h"

#include "engine/fsProcVariable.h"
#include "engine/fsVariables.h"
#include "rtl/Exceptions.h"
#include "rtl/Object.h"

namespace fs {

using rtl::Variant;

TfsCustomEvent::TfsCustomEvent(rtl::TObject* instance, TfsProcVariable* handler)
    : FInstance(instance), FHandler(handler), FAlive(std::make_shared<TfsCustomEvent*>(this)) {}

TfsCustomEvent::~TfsCustomEvent() { *FAlive = nullptr; }

bool TfsCustomEvent::IsVarArgument(int) const { return false; }

void TfsCustomEvent::CheckHandler() const {
  const int n = ArgumentCount();
  bool fits = FHandler->ParamCount() == n;
  for (int i = 0; fits && i < n; ++i)
    if (IsVarArgument(i) && !FHandler->Params(i)->IsVarParam()) fits = false;
  if (!fits)
    throw rtl::Exception("Event handler " + FHandler->Name() + " must declare " + std::to_string(n) +
                         (n == 1 ? " parameter" : " parameters") + " fitting the event");
}

void TfsCustomEvent::CallHandler(Variant* args, int count) {
  TfsProcVariable* proc = FHandler;
  const int n = count < proc->ParamCount() ? count : proc->ParamCount();
  // The object that raises the event stays whole until the handler has returned to
  // its code, whatever the handler frees.
  rtl::TObjectUse use(FInstance);
  const bool saved = proc->Executing();
  if (saved) proc->SaveLocals();
  try {
    for (int i = 0; i < n; ++i) proc->Params(i)->SetValue(args[i]);
    proc->SetNeedResult(false);
    proc->GetValue();
    for (int i = 0; i < n; ++i)
      if (proc->Params(i)->IsVarParam()) args[i] = proc->Params(i)->GetValue();
  } catch (...) {
    if (saved) proc->RestoreLocals();
    throw;
  }
  if (saved) proc->RestoreLocals();
}

}  // namespace fs
