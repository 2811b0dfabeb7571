#include "engine/fsVarType.h"

namespace fs {

const char* VarTypeText(TfsVarType typ) {
  switch (typ) {
    case fvtInt: return "Integer";
    case fvtBool: return "Boolean";
    case fvtFloat: return "Extended";
    case fvtChar: return "Char";
    case fvtString: return "String";
    case fvtArray: return "Array";
    case fvtInt64: return "Int64";
    default: return "Variant";
  }
}

std::string TypeDisplayName(TfsVarType typ, const std::string& typeName) {
  if (typ == fvtClass || typ == fvtEnum) return typeName;
  return VarTypeText(typ);
}

}  // namespace fs
