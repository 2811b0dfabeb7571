#include "runtime/fsRegistry.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/fsHelpers.h"
#include "engine/fsStrings.h"
#include "engine/fsTypeCheck.h"
#include "rtl/Object.h"
#include "runtime/fsCommaText.h"
#include "runtime/fsDeclaration.h"
#include "runtime/fsPropertyHelper.h"

namespace fs {

using rtl::Variant;

TfsTypeVariable* TfsRegistry::RegisterTypeName(const std::string& name, TfsVarType typ) {
  if (FScript->Lookup(name)) return nullptr;
  auto* item = new TfsTypeVariable(name, typ, name);
  FScript->AddName(name, item);
  return item;
}

TfsCustomVariable* TfsRegistry::AddVariable(const std::string& name, const std::string& typeName,
                                            const Variant& value, bool readOnly) {
  if (TfsCustomVariable* visible = FScript->Lookup(name)) return visible;
  auto* item = new TfsVariable(name, TypeCodeOf(typeName, FScript), typeName);
  FScript->AddName(name, item);
  item->SetValue(value);
  item->SetReadOnly(readOnly);
  if (!readOnly) item->SetOnGetVarValue(FScript->OnGetVarValue);
  return item;
}

TfsCustomVariable* TfsRegistry::RegisterConstant(const std::string& name, const std::string& typeName,
                                                 const Variant& value) {
  return AddVariable(name, typeName, value, true);
}

TfsCustomVariable* TfsRegistry::RegisterVariable(const std::string& name, const std::string& typeName,
                                                 const Variant& value) {
  return AddVariable(name, typeName, value, false);
}

TfsCustomVariable* TfsRegistry::RegisterObject(const std::string& name, rtl::TObject* object) {
  return RegisterVariable(name, object ? object->ClassName() : std::string(), rtl::ObjectToVariant(object));
}

void TfsRegistry::AddFlags(const std::string& typeName, std::string_view names, bool bits) {
  FScript->AddName(typeName, new TfsVariable(typeName, fvtEnum, typeName));
  std::int32_t n = 0;
  for (const std::string& name : CommaTextNames(names)) {
    auto* item = new TfsVariable(name, fvtEnum, typeName);
    FScript->AddName(name, item);
    if (!bits)
      item->SetValue(Variant(n));
    else if (n < 32)
      item->SetValue(Variant(static_cast<std::int32_t>(1u << n)));
    else if (n < 64)
      item->SetValue(Variant(std::int64_t{1} << n));  // beyond a 32-bit set
    else
      item->SetValue(Variant::Null());
    item->SetReadOnly(true);
    ++n;
  }
}

void TfsRegistry::RegisterEnumeration(const std::string& typeName, std::string_view names) {
  AddFlags(typeName, names, false);
}

void TfsRegistry::RegisterSetType(const std::string& typeName, std::string_view names) {
  AddFlags(typeName, names, true);
}

TfsClassMembers TfsRegistry::RegisterClassType(rtl::TClass classRef, const std::string& ancestor) {
  if (!classRef || FScript->Lookup(classRef->ClassName())) return TfsClassMembers();
  auto* cls = new TfsClassVariable(classRef, ancestor, FScript);
  FScript->AddName(cls->Name(), cls);

  // Published properties (not events) become members, alphabetically.
  std::vector<const rtl::TPropInfo*> published;
  for (const rtl::TPropInfo* prop : classRef->Properties())
    if (prop->Kind() != rtl::tkMethod) published.push_back(prop);
  std::stable_sort(published.begin(), published.end(), [](const rtl::TPropInfo* a, const rtl::TPropInfo* b) {
    return CompareText(a->Name(), b->Name()) < 0;
  });
  for (const rtl::TPropInfo* prop : published) cls->AddMember(new TfsPropertyHelper(*prop, classRef));

  if (TfsClassVariable* parent = ancestor.empty() ? nullptr : FindClassVariable(FScript, ancestor))
    if (parent->DefProperty()) cls->SetDefProperty(parent->DefProperty());
  return TfsClassMembers(cls);
}

TfsMethodHelper* TfsRegistry::RegisterFunction(const std::string& declaration, TfsMethodCallback callback,
                                               const std::string& category, const std::string& description) {
  auto* helper = new TfsMethodHelper(ParseDeclaration(declaration, FScript), declaration);
  helper->SetCallback(std::move(callback));
  helper->SetCategory(category);
  helper->SetDescription(description.empty() ? helper->Name() : description);
  FScript->AddName(helper->Name(), helper);
  return helper;
}

namespace {

// Whether a class is, or derives from, one of the named classes.
bool DerivesFromAny(rtl::TClass cls, std::initializer_list<const char*> names) {
  for (; cls; cls = cls->ClassParent())
    for (const char* name : names)
      if (SameText(cls->ClassName(), name)) return true;
  return false;
}

}  // namespace

void TfsRegistry::RegisterComponent(rtl::TComponent* component) {
  if (!component) return;
  rtl::TClass classRef = &component->ClassInfo();
  TfsClassVariable* cls = FindClassVariable(FScript, classRef->ClassName());
  if (!cls) {
    // Forms, data modules and frames get their own class; other components are not
    // reachable by name.
    if (DerivesFromAny(classRef, {"TCustomForm", "TForm"}))
      RegisterClassType(classRef, "TForm");
    else if (DerivesFromAny(classRef, {"TDataModule"}))
      RegisterClassType(classRef, "TDataModule");
    else if (DerivesFromAny(classRef, {"TCustomFrame", "TFrame"}))
      RegisterClassType(classRef, "TFrame");
    else
      return;
    cls = FindClassVariable(FScript, classRef->ClassName());
    if (!cls) return;
  }
  TfsClassMembers members(cls);
  for (int i = 0; i < component->ComponentCount(); ++i) members.DeclareComponent(component->Components(i));
  RegisterObject(component->Name().str(), component);
}

void TfsRegistry::RegisterIndexHelpers() {
  FScript->AddName("__StringHelper", new TfsStringHelper("__StringHelper"));
  FScript->AddName("__ArrayHelper", new TfsArrayHelper("__ArrayHelper", 3, 1, fvtVariant, "Variant"));
}

}  // namespace fs
