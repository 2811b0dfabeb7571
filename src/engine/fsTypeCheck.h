// The compile-time type check: whether a value of one item type may be given to
// another (assignments, arguments, loop bounds, operator operands).
#pragma once

#include <string>

#include "engine/fsVarType.h"

namespace fs {

class TfsScript;
class TfsClassVariable;

// Whether a source of type source/sourceTypeName fits a target. With strict set (for
// assignments, arguments and loop bounds) a float is refused for an integer target.
// Class names are looked up from scope to decide derivation.
bool CanAssign(const TfsScript* scope, TfsVarType target, const std::string& targetTypeName, TfsVarType source,
               const std::string& sourceTypeName, bool strict);

// The message of a failed check: "Incompatible types: 'target', 'source'".
std::string IncompatibleTypesText(TfsVarType target, const std::string& targetTypeName, TfsVarType source,
                                  const std::string& sourceTypeName);

// The registered class of that name visible from scope, or nullptr.
TfsClassVariable* FindClassVariable(const TfsScript* scope, const std::string& name);

}  // namespace fs
