// TfsRegistry: the registration operations of a script. Everything a script can name
// that it does not declare itself (type names, constants, variables, enumerations and
// sets, global routines, native classes, components) is an item of some script's
// table; registering adds the item there, and scripts whose parent chain reaches that
// script see it. TfsRegistry is a light view over one script (make one wherever it is
// needed); the engine stays free of the helper and callback types registration needs.
//
// Constants, variables, type names and classes refuse a name that is already visible
// (the first registration wins); routines do not (the latest registration answers).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/fsScript.h"
#include "engine/fsVarType.h"
#include "engine/fsVariables.h"
#include "rtl/ClassInfo.h"
#include "rtl/Component.h"
#include "rtl/Variant.h"
#include "runtime/fsClassMembers.h"
#include "runtime/fsFunctionTable.h"
#include "runtime/fsMethodHelper.h"

namespace fs {

class TfsRegistry {
public:
  explicit TfsRegistry(TfsScript* script) noexcept : FScript(script) {}

  TfsScript* Script() const noexcept { return FScript; }

  // A type name of the given kind; nullptr (nothing added) when the name is visible.
  TfsTypeVariable* RegisterTypeName(const std::string& name, TfsVarType typ);
  // A read-only variable whose kind is TypeCodeOf(typeName), holding value converted to
  // that kind. When the name is visible nothing is added and the visible item is
  // returned.
  TfsCustomVariable* RegisterConstant(const std::string& name, const std::string& typeName, const rtl::Variant& value);
  // As RegisterConstant, but writable; the variable takes over the script's
  // OnGetVarValue so that the host may answer its reads.
  TfsCustomVariable* RegisterVariable(const std::string& name, const std::string& typeName, const rtl::Variant& value);
  // A variable of the object's class holding the object.
  TfsCustomVariable* RegisterObject(const std::string& name, rtl::TObject* object);
  // The type (an fvtEnum variable named like it), then one read-only value per name of
  // the comma text, valued 0, 1, 2 ... No visibility check.
  void RegisterEnumeration(const std::string& typeName, std::string_view names);
  // As RegisterEnumeration with the values 1, 2, 4, 8 ...
  void RegisterSetType(const std::string& typeName, std::string_view names);
  // A native class under its own name with its published properties as members (those
  // that are not events, alphabetically); it inherits the ancestor's default property.
  // An empty handle when the class name is visible already.
  TfsClassMembers RegisterClassType(rtl::TClass classRef, const std::string& ancestor);
  // A global routine from its declaration, added under its name. An empty description
  // becomes the routine's name.
  TfsMethodHelper* RegisterFunction(const std::string& declaration, TfsMethodCallback callback,
                                    const std::string& category = std::string(),
                                    const std::string& description = std::string());
  // Every row of a table, in order, bound to owner.
  template <class O, std::size_t N>
  void RegisterFunctions(O* owner, const TfsFunctionEntry<O> (&table)[N]) {
    for (const TfsFunctionEntry<O>& e : table)
      RegisterFunction(e.Declaration, BindMethod(owner, e.Callback), e.Category, e.Description ? e.Description : "");
  }
  // Makes a form, data module or frame reachable by its name, with its owned components
  // as members of its class (the class is registered when it is not yet). Other
  // components are ignored.
  void RegisterComponent(rtl::TComponent* component);
  // The engine's indexing helpers for strings ("__StringHelper") and variant arrays
  // ("__ArrayHelper": one to three indexes).
  void RegisterIndexHelpers();

private:
  TfsCustomVariable* AddVariable(const std::string& name, const std::string& typeName, const rtl::Variant& value,
                                 bool readOnly);
  void AddFlags(const std::string& typeName, std::string_view names, bool bits);

  TfsScript* FScript;
};

}  // namespace fs
