// TfsClassMembers: the member declarations of a registered class, as returned by
// RegisterClassType. Each operation appends one member (a helper whose class is the
// registered native class) to the class's member list. A handle without a class (the
// class name was already visible) ignores every declaration and returns nullptr.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/fsClassVariable.h"
#include "rtl/Component.h"
#include "runtime/fsComponentHelper.h"
#include "runtime/fsCustomEvent.h"
#include "runtime/fsEventHelper.h"
#include "runtime/fsFunctionTable.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsPropertyHelper.h"

namespace fs {

class TfsClassMembers {
public:
  TfsClassMembers(TfsClassVariable* cls = nullptr) noexcept : FClass(cls) {}  // NOLINT: a handle

  TfsClassVariable* Class() const noexcept { return FClass; }
  explicit operator bool() const noexcept { return FClass != nullptr; }

  // "constructor Create(AOwner: TComponent)" declares the function Create(AOwner:
  // TComponent) with the result type "Constructor"; it receives the fresh instance the
  // class name produced and returns it initialised.
  TfsMethodHelper* DeclareConstructor(const std::string& declaration, TfsMethodCallback callback);
  TfsMethodHelper* DeclareMethod(const std::string& declaration, TfsMethodCallback callback);
  // Read-only exactly when there is no setter.
  TfsPropertyHelper* DeclareProperty(const std::string& name, const std::string& typeName, TfsPropertyGetter getter,
                                     TfsPropertySetter setter = {});
  // Declared as "function Name(p0: T0; p1: T1): Type" from the comma-separated index
  // types; read as NAME.GET, written as NAME.SET.
  TfsMethodHelper* DeclareIndexedProperty(const std::string& name, std::string_view indexTypes,
                                          const std::string& typeName, TfsMethodCallback callback,
                                          bool readOnly = false);
  // An indexed property that indexing the object itself reaches.
  TfsMethodHelper* DeclareDefaultProperty(const std::string& name, std::string_view indexTypes,
                                          const std::string& typeName, TfsMethodCallback callback,
                                          bool readOnly = false);
  TfsEventHelper* DeclareEvent(const std::string& name, TfsCustomEventClass adapterClass);
  TfsComponentHelper* DeclareComponent(rtl::TComponent* component);
  // The member of that name (ignoring case), then the ancestors'.
  TfsCustomVariable* FindMember(std::string_view name) const;

  // Declares a table of methods and constructors (declarations beginning with
  // "constructor"), each bound to owner.
  template <class O, std::size_t N>
  void DeclareMethods(O* owner, const TfsMemberEntry<O> (&table)[N]) {
    for (const TfsMemberEntry<O>& entry : table) DeclareEntry(entry.Declaration, BindMethod(owner, entry.Callback));
  }

private:
  void DeclareEntry(const std::string& declaration, TfsMethodCallback callback);

  TfsClassVariable* FClass;
};

}  // namespace fs
