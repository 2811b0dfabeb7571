// Declarative registration tables. A library lists its routines once, as rows of
// declaration text, category and callback, and registers the whole table against its
// module object; every callback has the one MethodCallback signature, as a member of
// the module class, and is bound to the module instance that registers it.
//
//   const TfsFunctionEntry<TfsMath> kMath[] = {
//       {"function Sin(e: Extended): Extended", "ctMath", &TfsMath::CallSin},
//       ...
//   };
//   registry.RegisterFunctions(this, kMath);
#pragma once

#include <string>

#include "rtl/ClassInfo.h"
#include "rtl/Variant.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsPropertyHelper.h"

namespace fs {

// A MethodCallback as a member of the owner class O.
template <class O>
using TfsMethodOf = rtl::Variant (O::*)(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& MethodName,
                                        TfsMethodHelper* Caller);
template <class O>
using TfsGetterOf = rtl::Variant (O::*)(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& PropName);
template <class O>
using TfsSetterOf = void (O::*)(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& PropName,
                                const rtl::Variant& Value);

// One global routine: declaration text, category, callback, description (empty: the
// routine's name is shown).
template <class O>
struct TfsFunctionEntry {
  const char* Declaration;
  const char* Category;
  TfsMethodOf<O> Callback;
  const char* Description = "";
};

// One method or constructor of a class: declaration text and callback.
template <class O>
struct TfsMemberEntry {
  const char* Declaration;
  TfsMethodOf<O> Callback;
};

template <class O>
TfsMethodCallback BindMethod(O* owner, TfsMethodOf<O> method) {
  return [owner, method](rtl::TObject* instance, rtl::TClass classType, const std::string& name,
                         TfsMethodHelper* caller) { return (owner->*method)(instance, classType, name, caller); };
}

template <class O>
TfsPropertyGetter BindGetter(O* owner, TfsGetterOf<O> getter) {
  return [owner, getter](rtl::TObject* instance, rtl::TClass classType, const std::string& name) {
    return (owner->*getter)(instance, classType, name);
  };
}

template <class O>
TfsPropertySetter BindSetter(O* owner, TfsSetterOf<O> setter) {
  return [owner, setter](rtl::TObject* instance, rtl::TClass classType, const std::string& name,
                         const rtl::Variant& value) { (owner->*setter)(instance, classType, name, value); };
}

}  // namespace fs
