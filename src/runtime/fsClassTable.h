// Declarative class tables. A class library lists its classes once, as rows: a class
// row (the native class and its ancestor's name) followed by that class's members
// (methods and constructors by declaration text, properties, indexed and default
// properties, events with their adapter class). Registering the table binds every
// method to the library's one method callback and every property to its one getter
// and setter, so the library's code is the table plus three dispatching callbacks.
//
//   const TfsClassRow kForms[] = {
//       ClassRow(&gui::TControl::StaticClassInfo, "TComponent"),
//       MethodRow("procedure Hide"),
//       PropertyRow("Parent", "TWinControl"),
//       EventRow("OnClick", EventClassOf<TfsNotifyEvent>()),
//       ...
//   };
//   RegisterClassTable(registry, kForms, BindMethod(this, &TfsForms::CallMethod), ...);
#pragma once

#include <span>

#include "rtl/ClassInfo.h"
#include "runtime/fsCustomEvent.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsPropertyHelper.h"

namespace fs {

class TfsRegistry;

enum class TfsClassRowKind { Class, Method, Property, Indexed, Default, Event };

struct TfsClassRow {
  TfsClassRowKind Kind;
  // Class: the ancestor's name; method: the declaration; others: the member's name.
  const char* Text;
  const char* TypeName = "";
  // Indexed and default properties: the index types as comma text.
  const char* IndexTypes = "";
  bool ReadOnly = false;
  const rtl::TClassInfo& (*Info)() = nullptr;
  TfsCustomEventClass Adapter = nullptr;
};

constexpr TfsClassRow ClassRow(const rtl::TClassInfo& (*info)(), const char* ancestor) {
  return {TfsClassRowKind::Class, ancestor, "", "", false, info};
}
// A method, or a constructor when the declaration begins with "constructor".
constexpr TfsClassRow MethodRow(const char* declaration) { return {TfsClassRowKind::Method, declaration}; }
constexpr TfsClassRow PropertyRow(const char* name, const char* typeName, bool readOnly = false) {
  return {TfsClassRowKind::Property, name, typeName, "", readOnly};
}
constexpr TfsClassRow IndexedRow(const char* name, const char* indexTypes, const char* typeName, bool readOnly = false) {
  return {TfsClassRowKind::Indexed, name, typeName, indexTypes, readOnly};
}
constexpr TfsClassRow DefaultRow(const char* name, const char* indexTypes, const char* typeName, bool readOnly = false) {
  return {TfsClassRowKind::Default, name, typeName, indexTypes, readOnly};
}
constexpr TfsClassRow EventRow(const char* name, TfsCustomEventClass adapter) {
  return {TfsClassRowKind::Event, name, "", "", false, nullptr, adapter};
}

// Registers the classes in table order with their members. A class whose name is
// visible already is skipped with its members.
void RegisterClassTable(TfsRegistry& registry, std::span<const TfsClassRow> table, const TfsMethodCallback& method,
                        const TfsPropertyGetter& getter, const TfsPropertySetter& setter);

}  // namespace fs
