// Declarations of registered routines: the text a host registers a function or method
// with ("function Copy(s: String; from, count: Integer): String") read into a name, a
// result kind and type name, and parameters; and TypeCodeOf, the kind a type name has
// in a script at the moment of registration.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fsVarType.h"
#include "engine/fsVariables.h"

namespace fs {

class TfsScript;

// A parsed declaration. The parameters are owned until a helper takes them over.
struct TfsDeclaration {
  std::string Name;
  TfsVarType Typ = fvtClass;
  std::string TypeName;
  bool IsFunction = false;
  bool IsMacro = false;
  std::vector<std::unique_ptr<TfsParamItem>> Params;
};

// Reads a declaration of the form
//   kind-word name [ "(" group { ";" group } ")" ] [ ":" result-type ] [ ";" ]
// where a group is [ "var" | "const" ] name { "," name } ":" type [ "=" default ].
// Comments may stand anywhere. A kind word beginning with "macro" marks a routine that
// receives its arguments' source texts. Type names and identifiers used as defaults
// are looked up in script (and its parents); script may be nullptr. A malformed
// declaration gives whatever could be read; it never raises.
TfsDeclaration ParseDeclaration(std::string_view declaration, const TfsScript* script);

// The kind of the item a type name finds in script and its parents; fvtClass when
// nothing is found (the empty name included) or script is nullptr.
TfsVarType TypeCodeOf(std::string_view typeName, const TfsScript* script);

}  // namespace fs
