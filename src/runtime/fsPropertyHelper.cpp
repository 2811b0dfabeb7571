#include "runtime/fsPropertyHelper.h"

#include <cstdint>
#include <utility>

#include "engine/fsStrings.h"
#include "rtl/Object.h"
#include "rtl/VariantConvert.h"
#include "rtl/VariantOps.h"

namespace fs {

using rtl::Variant;

TfsMemberType PublishedMemberType(const rtl::TPropInfo& prop) {
  switch (prop.Kind()) {
    case rtl::tkChar:
    case rtl::tkWChar: return {fvtChar, std::string()};
    case rtl::tkEnumeration:
      if (SameText(prop.TypeName(), "Boolean") || SameText(prop.TypeName(), "bool")) return {fvtBool, prop.TypeName()};
      return {fvtEnum, prop.TypeName()};
    case rtl::tkSet: return {fvtEnum, prop.TypeName()};
    case rtl::tkFloat: return {fvtFloat, std::string()};
    case rtl::tkString:
    case rtl::tkWString: return {fvtString, std::string()};
    case rtl::tkClass: return {fvtClass, prop.PropClass() ? prop.PropClass()->ClassName() : prop.TypeName()};
    case rtl::tkVariant: return {fvtVariant, std::string()};
    case rtl::tkInt64: return {fvtInt64, std::string()};
    default: return {fvtInt, std::string()};
  }
}

TfsPropertyHelper::TfsPropertyHelper(const std::string& name, TfsVarType typ, const std::string& typeName,
                                     rtl::TClass classRef, TfsPropertyGetter getter, TfsPropertySetter setter)
    : TfsCustomHelper(name, typ, typeName),
      FClassRef(classRef),
      FIsPublished(false),
      FGetter(std::move(getter)),
      FSetter(std::move(setter)) {
  FIsReadOnly = !FSetter;
}

TfsPropertyHelper::TfsPropertyHelper(const rtl::TPropInfo& published, rtl::TClass classRef)
    : TfsCustomHelper(published.Name(), PublishedMemberType(published).Typ, PublishedMemberType(published).TypeName),
      FClassRef(classRef),
      FIsPublished(true),
      FProp(&published) {
  // Assignments the class cannot take are refused when the script is built.
  FIsReadOnly = !published.IsWritable();
}

const rtl::TPropInfo* TfsPropertyHelper::PublishedOf(const rtl::TObject* instance) const {
  if (&instance->ClassInfo() == FClassRef) return FProp;
  return instance->ClassInfo().FindProperty(FName);
}

Variant TfsPropertyHelper::GetValue() {
  Variant result = Variant::Null();
  rtl::TObject* instance = rtl::VariantToObject(FParentValue);
  if (FIsPublished && instance) {
    if (const rtl::TPropInfo* prop = PublishedOf(instance)) {
      switch (prop->Kind()) {
        case rtl::tkUnknown:
        case rtl::tkMethod: break;
        default: result = prop->GetValue(instance);
      }
    }
  } else if (FGetter) {
    result = FGetter(instance, FClassRef, FUppercaseName);
  }
  if (FTyp == fvtBool && !result.IsEmptyOrNull() && result.VarType() != rtl::varBoolean)
    result = Variant(rtl::VarCompare(result, Variant(std::int32_t{0}), rtl::TVarCompareOp::NotEqual));
  return result;
}

void TfsPropertyHelper::SetValue(const Variant& value) {
  if (FIsReadOnly) return;
  rtl::TObject* instance = rtl::VariantToObject(FParentValue);
  // The object stays whole while the new value takes effect, even when a handler that
  // raises (OnResize, OnShow) frees it.
  rtl::TObjectUse use(instance);
  if (!FIsPublished) {
    if (FSetter) FSetter(instance, FClassRef, FUppercaseName, value);
    return;
  }
  if (!instance) throw rtl::EPropertyError("Cannot write property " + FName + " of a nil object");
  const rtl::TPropInfo* prop = PublishedOf(instance);
  if (!prop) throw rtl::EPropertyError("Property " + FName + " does not exist");
  switch (prop->Kind()) {
    case rtl::tkInteger:
    case rtl::tkEnumeration:
    case rtl::tkSet:
      if (FTyp == fvtBool) {
        const bool on = rtl::VarCompare(value, Variant(true), rtl::TVarCompareOp::Equal);
        prop->SetValue(instance, Variant(std::int32_t{on ? 1 : 0}));
      } else {
        prop->SetValue(instance, Variant(rtl::VarToInt64(value)));
      }
      break;
    case rtl::tkClass: prop->SetValue(instance, value); break;
    case rtl::tkChar:
    case rtl::tkString: prop->SetValue(instance, Variant(rtl::VarToStr(value))); break;
    case rtl::tkWChar:
    case rtl::tkWString:
      prop->SetValue(instance, value.VarType() == rtl::varOleStr ? value : Variant(rtl::VarToStr(value)));
      break;
    case rtl::tkFloat: prop->SetValue(instance, Variant(rtl::VarToDouble(value))); break;
    case rtl::tkVariant: prop->SetValue(instance, value); break;
    case rtl::tkInt64: prop->SetValue(instance, Variant(rtl::VarToInt64(value))); break;
    default: break;
  }
}

}  // namespace fs
