#include "engine/fsProcVariable.h"

#include <algorithm>

#include "engine/fsScript.h"
#include "engine/fsStackGuard.h"
#include "engine/fsStatements.h"
#include "engine/fsValueCopy.h"
#include "rtl/Exceptions.h"

namespace fs {

const char* const kStackOverflowText = "Stack overflow";

namespace {

class EStackOverflow : public rtl::Exception {
public:
  EStackOverflow() : rtl::Exception(kStackOverflowText, "EStackOverflow") {}
};

}  // namespace

TfsProcVariable::TfsProcVariable(const std::string& name, TfsVarType typ, const std::string& typeName,
                                 TfsScript* parent, bool isFunc, TfsScript* depthRoot)
    : TfsCustomVariable(name, typ, typeName),
      FProgram(std::make_unique<TfsScript>()),
      FDepthRoot(depthRoot ? depthRoot : parent),
      FIsFunc(isFunc) {
  FKind = TfsItemKind::Proc;
  FIsReadOnly = true;
  FProgram->SetParentScript(parent);
  FProgram->ShareRunLimit(FDepthRoot);
  FProgram->ShareObjects(FDepthRoot);
}

TfsProcVariable::~TfsProcVariable() {
  // The scope's table lists the parameters without owning them; it goes first.
  FProgram.reset();
}

rtl::Variant TfsProcVariable::GetValue() {
  FDepthRoot->RunLimit().Tick();
  int& depth = FDepthRoot->CallDepth();
  const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
  if (depth == 0) {
    // The outermost call: one level, within the stack guard's reserve.
    FDepthRoot->CallStackBase() = here;
    FDepthRoot->CallStackFloor() = 0;
  } else {
    std::uintptr_t& floor = FDepthRoot->CallStackFloor();
    if (floor == 0) {
      const std::uintptr_t base = FDepthRoot->CallStackBase();
      floor = std::max<std::uintptr_t>({StackFloor(), base > kMaxCallStack ? base - kMaxCallStack : 0, 1});
    }
    if (depth >= kMaxCallDepth || here < floor) throw EStackOverflow();
  }
  ++depth;
  bool wasExecuting = FExecuting;
  FExecuting = true;
  if (FIsFunc && FRefItem) MoveValue(FRefItem->StoredValue(), rtl::Variant());
  TfsScript* scope = FProgram.get();
  // Requests belong to one call: a break or continue outside any loop ends the call
  // like exit and is not seen by the caller or the next call.
  scope->ClearRequests();
  try {
    scope->MainStatement()->Run();
  } catch (...) {
    scope->MarkErrorPosition();
    scope->ClearRequests();
    FExecuting = wasExecuting;
    --depth;
    throw;
  }
  scope->ClearRequests();
  FExecuting = wasExecuting;
  --depth;
  if (FIsFunc && FRefItem) return FRefItem->Value();
  return rtl::Variant::Null();
}

void TfsProcVariable::SaveLocals() {
  FFrames.push_back(FLocalStack.size());
  const TfsItemTable& items = FProgram->Items();
  if (!FLocalsKnown || FLocalsVersion != items.Version()) {
    FLocals.clear();
    for (int i = 0, n = items.Count(); i < n; ++i) {
      TfsObject* o = items.Entries(i).Object;
      TfsCustomVariable* v = o ? o->AsVariable() : nullptr;
      if (!v) continue;
      TfsItemKind k = v->Kind();
      if (k == TfsItemKind::Variable || k == TfsItemKind::StringVariable || k == TfsItemKind::Param) FLocals.push_back(v);
    }
    FLocalsVersion = items.Version();
    FLocalsKnown = true;
  }
  for (TfsCustomVariable* v : FLocals) FLocalStack.push_back({v, ValueCopy(v->StoredValue())});
}

void TfsProcVariable::RestoreLocals() {
  if (FFrames.empty()) return;
  std::size_t start = FFrames.back();
  FFrames.pop_back();
  for (std::size_t i = FLocalStack.size(); i-- > start;)
    MoveValue(FLocalStack[i].Variable->StoredValue(), std::move(FLocalStack[i].Value));
  FLocalStack.resize(start);
}

}  // namespace fs
