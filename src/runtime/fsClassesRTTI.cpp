#include "runtime/fsClassesRTTI.h"

#include <cstdint>

#include "rtl/AnsiString.h"
#include "rtl/Component.h"
#include "rtl/ObjectTracker.h"
#include "rtl/Persistent.h"
#include "runtime/fsLibraryMessages.h"
#include "runtime/fsRegistry.h"

namespace fs {

namespace {

using rtl::AnsiString;
using rtl::Variant;
using Call = TfsMemberCall;

Variant Text(const std::string& s) { return Variant(AnsiString(s)); }
Variant Object(const rtl::TObject* o) { return rtl::ObjectToVariant(o); }
Variant None() { return Variant(); }

// TObject -----------------------------------------------------------------------------

Variant ObjectCreate(Call& c) {
  c.Instance->AfterConstruction();
  return Object(c.Instance);
}

// Whether freeing the object leaves no owner holding it: what a script made, a
// component (it leaves its owner's list), an element (it leaves its parent).
bool MayFree(rtl::TObject* o) {
  return rtl::TObjectTracker::IsTracked(o) || o->InheritsFrom<rtl::TComponent>();
}

Variant ObjectFree(Call& c) {
  if (!c.Instance) return None();
  if (!MayFree(c.Instance)) throw rtl::EInvalidPointer();
  rtl::FreeObject(c.Instance);
  return None();
}

Variant ObjectClassName(Call& c) { return Text(c.Instance->ClassName()); }

const TfsClassMethod kObjectMethods[] = {
    {"constructor Create", &ObjectCreate},
    {"procedure Free", &ObjectFree},
    {"function ClassName: String", &ObjectClassName},
};

// TPersistent -------------------------------------------------------------------------

Variant PersistentAssign(Call& c) {
  c.Self<rtl::TPersistent>().Assign(c.Args().ArgObjectAs<rtl::TPersistent>(0));
  return None();
}

const TfsClassMethod kPersistentMethods[] = {
    {"procedure Assign(Source: TPersistent)", &PersistentAssign},
};

// TComponent --------------------------------------------------------------------------

Variant ComponentCreate(Call& c) {
  auto& self = c.Self<rtl::TComponent>();
  if (auto* owner = c.Args().ArgObjectAs<rtl::TComponent>(0)) owner->InsertComponent(&self);
  self.AfterConstruction();
  return Object(&self);
}

Variant ComponentOwner(Call& c) { return Object(c.Self<rtl::TComponent>().Owner()); }

const TfsClassMethod kComponentMethods[] = {
    {"constructor Create(AOwner: TComponent)", &ComponentCreate},
};
const TfsClassProperty kComponentProperties[] = {
    {"Owner", "TComponent", &ComponentOwner},
};

const TfsClassEntry kClasses[] = {
    {&rtl::TObject::StaticClassInfo, "", kObjectMethods},
    {&rtl::TPersistent::StaticClassInfo, "TObject", kPersistentMethods},
    {&rtl::TComponent::StaticClassInfo, "TPersistent", kComponentMethods, kComponentProperties},
};

}  // namespace

TfsClassesRTTI::TfsClassesRTTI(TfsScript* script) : TfsClassLibrary(script) {
  TfsRegistry r(script);
  r.RegisterEnumeration("TDuplicates", "dupIgnore, dupAccept, dupError");
  r.RegisterEnumeration("TPrinterOrientation", "poPortrait, poLandscape");
  struct Constant {
    const char* Name;
    std::int32_t Value;
  };
  static const Constant kConstants[] = {
      {"fmCreate", 65535},        {"fmOpenRead", 0},        {"fmOpenWrite", 1},       {"fmOpenReadWrite", 2},
      {"fmShareExclusive", 16},   {"fmShareDenyWrite", 32}, {"fmShareDenyNone", 64},  {"soFromBeginning", 0},
      {"soFromCurrent", 1},       {"soFromEnd", 2},
  };
  for (const Constant& k : kConstants) r.RegisterConstant(k.Name, "Integer", Variant(k.Value));
  RegisterClasses(kClasses);
}

namespace {

const TfsRTTIModuleClass kClassesClass{"TfsClassesRTTI", moClasses, &NewRTTIModule<TfsClassesRTTI>};
TfsRuntimeModuleRegistration gClassesRegistration(kClassesClass);

}  // namespace

}  // namespace fs
