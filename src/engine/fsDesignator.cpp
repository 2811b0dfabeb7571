#include "engine/fsDesignator.h"

#include <new>

#include "engine/fsClassVariable.h"
#include "engine/fsExpression.h"
#include "engine/fsHelpers.h"
#include "engine/fsProcVariable.h"
#include "engine/fsProgramBuilder.h"
#include "engine/fsScript.h"
#include "engine/fsValueCopy.h"
#include "rtl/VariantArrays.h"
#include "rtl/VariantConvert.h"
#include "engine/fsVariables.h"
#include "engine/fsXMLItem.h"

namespace fs {

using rtl::Variant;

namespace {

bool StoresValue(const TfsCustomVariable* item) {
  TfsItemKind k = item->Kind();
  return k == TfsItemKind::Variable || k == TfsItemKind::StringVariable || k == TfsItemKind::Param;
}

// Argument values of one call, evaluated before any is stored: a call among the
// arguments of a call of the same routine must not overwrite what was stored already.
// A few live on the stack; more go to the heap.
class ArgValues {
public:
  explicit ArgValues(int count) : FCount(count) {
    FData = count <= kInline ? reinterpret_cast<Variant*>(FInline)
                             : static_cast<Variant*>(::operator new(sizeof(Variant) * static_cast<std::size_t>(count)));
    for (int i = 0; i < count; ++i) new (FData + i) Variant();
  }
  ~ArgValues() {
    for (int i = 0; i < FCount; ++i) FData[i].~Variant();
    if (FCount > kInline) ::operator delete(FData);
  }
  ArgValues(const ArgValues&) = delete;
  ArgValues& operator=(const ArgValues&) = delete;
  Variant& operator[](int i) noexcept { return FData[i]; }

private:
  static constexpr int kInline = 4;
  int FCount;
  Variant* FData;
  alignas(Variant) unsigned char FInline[kInline * sizeof(Variant)];
};

// Evaluates the link's arguments and stores them in the target's parameters.
void StoreArguments(TfsDesignatorItem* link, TfsCustomVariable* target) {
  const int count = link->ArgumentCount() < target->ParamCount() ? link->ArgumentCount() : target->ParamCount();
  if (count == 0) return;
  const bool macro = target->IsMacro();
  if (count == 1 && !macro) {
    // Nothing is stored before the one value is complete.
    target->Params(0)->Assign(link->Arguments(0)->GetValue());
    return;
  }
  ArgValues values(count);
  for (int j = 0; j < count; ++j) {
    TfsCustomExpression* arg = link->Arguments(j);
    if (macro) {
      auto* e = static_cast<TfsExpression*>(arg);
      values[j] = Variant(rtl::AnsiString(e->Source()));
    } else {
      values[j] = arg->GetValue();
    }
  }
  for (int j = 0; j < count; ++j) target->Params(j)->Assign(values[j]);
}

// Gives the values of by-reference parameters back to the arguments' designators.
void WriteBackVarParams(TfsDesignatorItem* link, TfsCustomVariable* target) {
  const int count = link->ArgumentCount() < target->ParamCount() ? link->ArgumentCount() : target->ParamCount();
  for (int j = 0; j < count; ++j) {
    TfsParamItem* p = target->Params(j);
    if (p->IsVarParam()) link->Arguments(j)->SetValue(p->GetValue());
  }
}

}  // namespace

// TfsDesignatorItem -------------------------------------------------------------------------

TfsDesignatorItem::TfsDesignatorItem(TfsCustomVariable* target, const std::string& sourcePos)
    : FRef(target), FSourcePos(sourcePos) {}

void TfsDesignatorItem::AddArgument(TfsCustomExpression* argument) { Add(argument); }

TfsCustomExpression* TfsDesignatorItem::Arguments(int index) const noexcept {
  return static_cast<TfsCustomExpression*>(Get(index));
}

void TfsDesignatorItem::Prepare(const TfsDesignatorItem* next) {
  FHasVarParams = false;
  const int count = ArgumentCount() < FRef->ParamCount() ? ArgumentCount() : FRef->ParamCount();
  if (FRef->Kind() != TfsItemKind::Designator)
    for (int j = 0; j < count; ++j)
      if (FRef->Params(j)->IsVarParam()) FHasVarParams = true;
  FSkipRead = next && ArgumentCount() == 0 && StoresValue(FRef) && next->Ref()->Kind() == TfsItemKind::Helper &&
              static_cast<const TfsCustomHelper*>(next->Ref())->UsesContainerInPlace();
}

// TfsLateBinding ----------------------------------------------------------------------------

TfsLateBinding::TfsLateBinding() = default;
TfsLateBinding::~TfsLateBinding() = default;

// TfsDesignator -----------------------------------------------------------------------------

TfsDesignator::TfsDesignator(TfsScript* program)
    : TfsCustomVariable(std::string(), fvtVariant, std::string()), FProgram(program) {
  FKind = TfsItemKind::Designator;
}

TfsDesignator::~TfsDesignator() = default;

void TfsDesignator::RemoveLastLink() {
  if (FItems.empty()) return;
  delete FItems.back();
  FItems.pop_back();
}

void TfsDesignator::TakeLinks(TfsDesignator& from) {
  FItems.insert(FItems.end(), from.FItems.begin(), from.FItems.end());
  from.FItems.clear();
}

void TfsDesignator::SetLateBinding(std::unique_ptr<TfsLateBinding> late) { FLate = std::move(late); }

bool TfsDesignator::Pending() const noexcept { return FLate && FLate->Tree && FLate->Next < FLate->Tree->Count(); }

void TfsDesignator::Finish() {
  for (int i = 0; i < LinkCount(); ++i) Links(i)->Prepare(i + 1 < LinkCount() ? Links(i + 1) : nullptr);
  const TfsItemKind kind = LinkCount() == 1 ? Links(0)->Ref()->Kind() : TfsItemKind::Other;
  FSingleCall = LinkCount() == 1 && !Pending() && (kind == TfsItemKind::Proc || kind == TfsItemKind::Helper);
  if (Pending() || LinkCount() == 0) {
    FTyp = fvtVariant;
    FTypeName = "Variant";
    FIsReadOnly = false;
    return;
  }
  TfsCustomVariable* last = LastLink()->Ref();
  FTyp = last->Typ();
  FTypeName = last->TypeName();
  FIsReadOnly = last->IsReadOnly();
  if (FTyp == fvtConstructor) {
    FTyp = fvtClass;
    FTypeName = LinkCount() > 1 ? Links(LinkCount() - 2)->Ref()->TypeName() : std::string();
    FIsReadOnly = true;
  }
}

void TfsDesignator::ResolvePending(const Variant& current) {
  TfsProgramBuilder builder(*FLate);
  builder.ResolveLate(this, current);
}

Variant TfsDesignator::CallSingle() {
  TfsDesignatorItem* link = Links(0);
  TfsCustomVariable* target = link->Ref();
  TfsProcVariable* proc = target->Kind() == TfsItemKind::Proc ? static_cast<TfsProcVariable*>(target) : nullptr;
  const bool saved = proc && proc->Executing();
  // By-reference results of a recursive call go back after the caller's locals: the
  // general walk knows that order.
  if (saved && link->HasVarParams()) return Walk(nullptr);
  if (saved) proc->SaveLocals();
  Variant result;
  try {
    StoreArguments(link, target);
    if (!proc) static_cast<TfsCustomHelper*>(target)->Prepare(nullptr, Variant::Null(), FProgram);
    target->SetNeedResult(FNeedResult);
    MoveValue(result, target->GetValue());
    if (link->HasVarParams()) WriteBackVarParams(link, target);
  } catch (...) {
    if (saved) proc->RestoreLocals();
    throw;
  }
  if (saved) proc->RestoreLocals();
  return result;
}

Variant TfsDesignator::Walk(const Variant* writeValue) {
  Variant current = Variant::Null();
  TfsCustomVariable* previous = nullptr;
  for (int i = 0;; ++i) {
    if (i == LinkCount()) {
      if (!Pending()) break;
      ResolvePending(current);
      if (i == LinkCount()) break;
    }
    TfsDesignatorItem* link = Links(i);
    TfsCustomVariable* target = link->Ref();
    const bool last = i + 1 == LinkCount() && !Pending();
    if (target->Kind() == TfsItemKind::Designator) {
      if (last && writeValue) {
        target->SetValue(*writeValue);
        return Variant();
      }
      MoveValue(current, target->GetValue());
      previous = target;
      continue;
    }
    if (!last && link->SkipRead()) {
      // The next link works on this item's storage itself.
      current = Variant();
      previous = target;
      continue;
    }
    TfsProcVariable* proc = target->Kind() == TfsItemKind::Proc ? static_cast<TfsProcVariable*>(target) : nullptr;
    bool saved = proc && proc->Executing();
    if (saved) proc->SaveLocals();
    try {
      StoreArguments(link, target);
      if (target->Kind() == TfsItemKind::Helper)
        static_cast<TfsCustomHelper*>(target)->Prepare(previous, std::move(current), FProgram);
      if (last && writeValue) {
        target->SetValue(*writeValue);
      } else if (target->Kind() == TfsItemKind::Class) {
        // A new instance belongs to the program that asked for it.
        MoveValue(current, static_cast<TfsClassVariable*>(target)->ValueFor(FProgram));
      } else {
        target->SetNeedResult(last ? FNeedResult : true);
        MoveValue(current, target->GetValue());
      }
      if (link->HasVarParams()) {
        if (saved) {
          // The caller's locals come back first; the by-reference results then go to
          // the caller's variables.
          const int count = link->ArgumentCount() < target->ParamCount() ? link->ArgumentCount() : target->ParamCount();
          ArgValues results(count);
          for (int j = 0; j < count; ++j)
            if (target->Params(j)->IsVarParam()) results[j] = target->Params(j)->GetValue();
          saved = false;
          proc->RestoreLocals();
          for (int j = 0; j < count; ++j)
            if (target->Params(j)->IsVarParam()) link->Arguments(j)->SetValue(results[j]);
        } else {
          WriteBackVarParams(link, target);
        }
      }
    } catch (...) {
      if (saved) proc->RestoreLocals();
      throw;
    }
    if (saved) proc->RestoreLocals();
    previous = target;
  }
  return current;
}

Variant TfsDesignator::GetValue() {
  if (FSingleCall && LinkCount() == 1) return CallSingle();
  return Walk(nullptr);
}

void TfsDesignator::SetValue(const Variant& value) { Walk(&value); }

// Specialised designators -------------------------------------------------------------------

Variant TfsStringDesignator::GetValue() {
  Variant index = Links(1)->Arguments(0)->GetValue();
  return StringCharAt(Links(0)->Ref()->GetValue(), index);
}

void TfsStringDesignator::SetValue(const Variant& value) {
  TfsCustomVariable* variable = Links(0)->Ref();
  if (variable->IsReadOnly()) return;
  Variant index = Links(1)->Arguments(0)->GetValue();
  StoreStringChar(variable->StoredValue(), index, value);
}

Variant* TfsArrayDesignator::Element() {
  TfsDesignatorItem* link = Links(1);
  const int n = link->ArgumentCount();
  if (n == 1) {
    // One index, the common case: no buffer.
    const std::int32_t i = rtl::VarToInt32(link->Arguments(0)->GetValue());
    return ArrayElement(Links(0)->Ref()->StoredValue(), 1, [i](int) { return i; });
  }
  ArgValues indexes(n);
  for (int j = 0; j < n; ++j) indexes[j] = link->Arguments(j)->GetValue();
  return ArrayElement(Links(0)->Ref()->StoredValue(), n, [&indexes](int d) { return rtl::VarToInt32(indexes[d]); });
}

Variant TfsArrayDesignator::GetValue() { return ValueCopy(*Element()); }

void TfsArrayDesignator::SetValue(const Variant& value) {
  if (Links(0)->Ref()->IsReadOnly()) return;
  Variant* element = Element();
  CopyValue(*element, rtl::VarArrayElementValue(Links(0)->Ref()->StoredValue(), value));
}

}  // namespace fs
