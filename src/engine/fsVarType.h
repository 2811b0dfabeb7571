// TfsVarType: the kind of every script item, and the type names compile-time messages
// use for each kind.
#pragma once

#include <string>

namespace fs {

// The ordinal is stored by hosts; keep the order.
enum TfsVarType : int {
  fvtInt,
  fvtBool,
  fvtFloat,
  fvtChar,
  fvtString,
  fvtClass,
  fvtArray,
  fvtVariant,
  fvtEnum,
  fvtConstructor,
  fvtInt64,
};

// "Integer", "Boolean", "Extended", "Char", "String", "Array", "Int64"; "Variant" for
// every other kind.
const char* VarTypeText(TfsVarType typ);
// The name a message gives a type: the declared name for classes and enumerations,
// else VarTypeText.
std::string TypeDisplayName(TfsVarType typ, const std::string& typeName);

}  // namespace fs
