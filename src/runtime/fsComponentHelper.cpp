#include "runtime/fsComponentHelper.h"

#include "rtl/Object.h"

namespace fs {

TfsComponentHelper::TfsComponentHelper(rtl::TComponent* component)
    : TfsCustomHelper(component->Name().str(), fvtClass, component->ClassName()), FComponent(component) {
  // A member that names an owned component; scripts cannot replace it.
  FIsReadOnly = true;
}

rtl::Variant TfsComponentHelper::GetValue() { return rtl::ObjectToVariant(FComponent); }

}  // namespace fs
