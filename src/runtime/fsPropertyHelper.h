// TfsPropertyHelper: a property of a registered class. A declared property reads and
// writes through its getter and setter callbacks; a published property goes through
// the published-property table of the object's own class, so the actual class of the
// object decides. PublishedMemberType maps a published property's kind onto the
// item kind and type name scripts see.
#pragma once

#include <functional>
#include <string>

#include "engine/fsHelpers.h"
#include "rtl/ClassInfo.h"
#include "rtl/Variant.h"

namespace fs {

// Reads a declared property: (object, declaring class, upper-case property name).
using TfsPropertyGetter =
    std::function<rtl::Variant(rtl::TObject* Instance, rtl::TClass ClassType, const std::string& PropName)>;
// Writes a declared property: (object, declaring class, upper-case name, value).
using TfsPropertySetter = std::function<void(rtl::TObject* Instance, rtl::TClass ClassType,
                                             const std::string& PropName, const rtl::Variant& Value)>;

class TfsPropertyHelper : public TfsCustomHelper {
public:
  // A declared property: read-only exactly when there is no setter.
  TfsPropertyHelper(const std::string& name, TfsVarType typ, const std::string& typeName, rtl::TClass classRef,
                    TfsPropertyGetter getter, TfsPropertySetter setter);
  // A published property of classRef: read-only when the class cannot write it.
  TfsPropertyHelper(const rtl::TPropInfo& published, rtl::TClass classRef);

  // Null for a nil object (published) or when nothing reads it; a Boolean-kind helper
  // normalises the value to a Boolean.
  rtl::Variant GetValue() override;
  // Ignored when read-only. A published property of a nil object, or one the object's
  // class does not have, raises.
  void SetValue(const rtl::Variant& value) override;

  rtl::TClass ClassRef() const noexcept { return FClassRef; }
  bool IsPublished() const noexcept { return FIsPublished; }
  const TfsPropertyGetter& Getter() const noexcept { return FGetter; }
  const TfsPropertySetter& Setter() const noexcept { return FSetter; }

private:
  // The published property of the instance's class, or nullptr.
  const rtl::TPropInfo* PublishedOf(const rtl::TObject* instance) const;

  rtl::TClass FClassRef;
  bool FIsPublished;
  const rtl::TPropInfo* FProp = nullptr;  // as the registered class has it
  TfsPropertyGetter FGetter;
  TfsPropertySetter FSetter;
};

// The kind and type name of the member a published property becomes.
struct TfsMemberType {
  TfsVarType Typ;
  std::string TypeName;
};
TfsMemberType PublishedMemberType(const rtl::TPropInfo& prop);

}  // namespace fs
