#include "engine/fsClassVariable.h"

#include <utility>

#include "engine/fsHelpers.h"
#include "engine/fsScript.h"
#include "engine/fsStrings.h"
#include "engine/fsTypeCheck.h"
#include "engine/fsVariables.h"
#include "rtl/Object.h"

namespace fs {

using rtl::Variant;

TfsClassVariable::TfsClassVariable(rtl::TClass classRef, const std::string& ancestor, TfsScript* program)
    : TfsCustomVariable(classRef ? classRef->ClassName() : std::string(), fvtClass,
                        classRef ? classRef->ClassName() : std::string()),
      FClassRef(classRef),
      FAncestor(ancestor),
      FProgram(program) {
  FKind = TfsItemKind::Class;
  // The typecast argument: the class name applied to a value.
  AddParam(new TfsParamItem(std::string(), fvtVariant, std::string(), true, false));
}

TfsClassVariable::~TfsClassVariable() = default;

Variant TfsClassVariable::GetValue() { return ValueFor(FProgram); }

Variant TfsClassVariable::ValueFor(TfsScript* program) {
  Variant& cast = Params(0)->StoredValue();
  if (!cast.IsNull()) {
    Variant result = std::move(cast);
    cast = Variant::Null();
    return result;
  }
  rtl::TObject* instance = FClassRef ? FClassRef->NewInstance() : nullptr;
  // Owned by the program from the start, so an instance that no constructor completes
  // is not lost either.
  if (instance && program) program->Objects().Track(instance);
  return rtl::ObjectToVariant(instance);
}

void TfsClassVariable::AddMember(TfsCustomVariable* member) { FMembers.Add(member); }

TfsCustomVariable* TfsClassVariable::Members(int index) const noexcept {
  return static_cast<TfsCustomVariable*>(FMembers.Get(index));
}

TfsCustomVariable* TfsClassVariable::FindMember(std::string_view name) const {
  const std::string upper = UpperCase(name);
  // Ancestors are followed by name; a chain that loops back stops.
  const TfsClassVariable* cls = this;
  for (int guard = 0; cls && guard < 64; ++guard) {
    for (int i = 0; i < cls->MembersCount(); ++i)
      if (cls->Members(i)->UppercaseName() == upper) return cls->Members(i);
    cls = cls->FAncestor.empty() ? nullptr : FindClassVariable(cls->FProgram, cls->FAncestor);
  }
  return nullptr;
}

bool TfsClassVariable::InheritsFrom(const TfsClassVariable* other) const {
  if (!other) return false;
  if (this == other) return true;
  if (FClassRef && other->FClassRef) return FClassRef->InheritsFrom(other->FClassRef);
  const TfsClassVariable* cls = this;
  for (int guard = 0; cls && guard < 64; ++guard) {
    if (SameText(cls->Name(), other->Name())) return true;
    cls = cls->FAncestor.empty() ? nullptr : FindClassVariable(cls->FProgram, cls->FAncestor);
  }
  return false;
}

}  // namespace fs
