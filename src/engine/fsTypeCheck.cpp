#include "engine/fsTypeCheck.h"

#include "engine/fsClassVariable.h"
#include "engine/fsScript.h"
#include "engine/fsStrings.h"

namespace fs {

TfsClassVariable* FindClassVariable(const TfsScript* scope, const std::string& name) {
  if (!scope || name.empty()) return nullptr;
  TfsCustomVariable* v = scope->Lookup(name);
  return v && v->Kind() == TfsItemKind::Class ? static_cast<TfsClassVariable*>(v) : nullptr;
}

namespace {

bool ClassFits(const TfsScript* scope, const std::string& target, const std::string& source) {
  if (SameText(target, source)) return true;
  TfsClassVariable* t = FindClassVariable(scope, target);
  TfsClassVariable* s = FindClassVariable(scope, source);
  return t && s && s->InheritsFrom(t);
}

}  // namespace

bool CanAssign(const TfsScript* scope, TfsVarType target, const std::string& targetTypeName, TfsVarType source,
               const std::string& sourceTypeName, bool strict) {
  switch (target) {
    case fvtInt:
    case fvtInt64:
      if (strict && target == fvtInt && source == fvtFloat) return false;
      return source == fvtInt || source == fvtFloat || source == fvtVariant || source == fvtEnum || source == fvtInt64;
    case fvtBool: return source == fvtBool || source == fvtVariant;
    case fvtFloat: return source == fvtInt || source == fvtFloat || source == fvtVariant;
    case fvtChar:
    case fvtString: return source == fvtChar || source == fvtString || source == fvtVariant;
    case fvtClass:
      if (source == fvtVariant) return true;
      return source == fvtClass && ClassFits(scope, targetTypeName, sourceTypeName);
    case fvtArray: return source == fvtArray || source == fvtVariant;
    case fvtVariant: return true;
    case fvtEnum:
      if (source == fvtInt || source == fvtVariant || source == fvtInt64) return true;
      return source == fvtEnum && SameText(targetTypeName, sourceTypeName);
    case fvtConstructor: return false;
  }
  return false;
}

std::string IncompatibleTypesText(TfsVarType target, const std::string& targetTypeName, TfsVarType source,
                                  const std::string& sourceTypeName) {
  return "Incompatible types: '" + TypeDisplayName(target, targetTypeName) + "', '" +
         TypeDisplayName(source, sourceTypeName) + "'";
}

}  // namespace fs
