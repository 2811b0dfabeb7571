#include "runtime/fsClassLibrary.h"

#include "engine/fsCustomVariable.h"
#include "engine/fsStrings.h"
#include "rtl/ObjectTracker.h"
#include "runtime/fsFunctionTable.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

using rtl::Variant;

namespace {

bool IsConstructor(const std::string& declaration) {
  const std::size_t blank = declaration.find(' ');
  return SameText(std::string_view(declaration).substr(0, blank), "constructor");
}

}  // namespace

std::string FillMessage(const char* text, std::string_view s) {
  std::string m(text);
  const std::size_t at = m.find("%s");
  if (at != std::string::npos) m.replace(at, 2, s);
  return m;
}

void TfsClassLibrary::RegisterClasses(std::span<const TfsClassEntry> classes) {
  TfsRegistry r(FScript);
  const TfsMethodCallback method = BindMethod(this, &TfsClassLibrary::CallMethod);
  const TfsPropertyGetter getter = BindGetter(this, &TfsClassLibrary::GetProperty);
  const TfsPropertySetter setter = BindSetter(this, &TfsClassLibrary::SetProperty);
  for (const TfsClassEntry& entry : classes) {
    const rtl::TClass cls = &entry.Class();
    TfsClassMembers members = r.RegisterClassType(cls, entry.Ancestor);
    if (!members) continue;
    for (const TfsClassMethod& m : entry.Methods) {
      const bool constructor = IsConstructor(m.Declaration);
      TfsMethodHelper* helper = constructor ? members.DeclareConstructor(m.Declaration, method)
                                            : members.DeclareMethod(m.Declaration, method);
      FMethods[cls][helper->UppercaseName()] = Work{m.Work, constructor};
    }
    for (const TfsClassProperty& p : entry.Properties) {
      TfsPropertyHelper* helper =
          members.DeclareProperty(p.Name, p.TypeName, getter, p.Write ? setter : TfsPropertySetter());
      FGetters[cls][helper->UppercaseName()] = Work{p.Read};
      if (p.Write) FSetters[cls][helper->UppercaseName()] = Work{p.Write};
    }
    for (const TfsClassIndexed& p : entry.Indexed) {
      TfsMethodHelper* helper =
          p.Default ? members.DeclareDefaultProperty(p.Name, p.IndexTypes, p.TypeName, method, !p.Write)
                    : members.DeclareIndexedProperty(p.Name, p.IndexTypes, p.TypeName, method, !p.Write);
      FMethods[cls][helper->UppercaseName() + ".GET"] = Work{p.Read};
      if (p.Write) FMethods[cls][helper->UppercaseName() + ".SET"] = Work{p.Write};
    }
    for (const TfsClassEvent& e : entry.Events) members.DeclareEvent(e.Name, e.Adapter);
  }
}

void TfsClassLibrary::RegisterRoutine(const char* declaration, const char* category, TfsMemberWork work) {
  TfsRegistry r(FScript);
  TfsMethodHelper* helper = r.RegisterFunction(declaration, BindMethod(this, &TfsClassLibrary::CallMethod), category);
  FMethods[nullptr][helper->UppercaseName()] = Work{work};
}

const TfsClassLibrary::Work* TfsClassLibrary::Find(const std::unordered_map<rtl::TClass, Table>& tables,
                                                   rtl::TClass cls, const std::string& name) const {
  auto t = tables.find(cls);
  if (t == tables.end()) return nullptr;
  auto w = t->second.find(name);
  return w == t->second.end() ? nullptr : &w->second;
}

void TfsClassLibrary::CheckInstance(rtl::TObject* instance, rtl::TClass cls, const std::string& name) {
  if (!cls) return;
  if (!instance) throw rtl::Exception(FillMessage(msg::kNilObject, name), "EAccessViolation");
  if (!instance->InheritsFrom(*cls)) throw rtl::EInvalidCast();
}

Variant TfsClassLibrary::CallMethod(rtl::TObject* instance, rtl::TClass classType, const std::string& methodName,
                                    TfsMethodHelper* caller) {
  const Work* work = Find(FMethods, classType, methodName);
  if (!work) return Variant(std::int32_t{0});
  TfsMemberCall call{instance, classType, caller, nullptr};
  // Free on nil does nothing, as it always has.
  if (!(instance == nullptr && classType && methodName == "FREE")) CheckInstance(instance, classType, methodName);
  if (!work->Constructor) return work->Fn(call);
  // Reached through the class name, the instance is the fresh one that reading the
  // name made; one that cannot be initialised goes at once. A constructor called on
  // an object that exists already leaves it as it is.
  const bool fresh = caller && caller->ParentRef() && caller->ParentRef()->Kind() == TfsItemKind::Class;
  try {
    return work->Fn(call);
  } catch (...) {
    if (fresh && rtl::TObjectTracker::IsTracked(instance)) rtl::FreeObject(instance);
    throw;
  }
}

Variant TfsClassLibrary::GetProperty(rtl::TObject* instance, rtl::TClass classType, const std::string& propName) {
  const Work* work = Find(FGetters, classType, propName);
  if (!work) return Variant(std::int32_t{0});
  CheckInstance(instance, classType, propName);
  TfsMemberCall call{instance, classType, nullptr, nullptr};
  return work->Fn(call);
}

void TfsClassLibrary::SetProperty(rtl::TObject* instance, rtl::TClass classType, const std::string& propName,
                                  const Variant& value) {
  const Work* work = Find(FSetters, classType, propName);
  if (!work) return;
  CheckInstance(instance, classType, propName);
  TfsMemberCall call{instance, classType, nullptr, &value};
  work->Fn(call);
}

}  // namespace fs
