#include "engine/fsCustomVariable.h"

#include "engine/fsStrings.h"
#include "engine/fsValueCopy.h"
#include "engine/fsVariables.h"

namespace fs {

TfsCustomVariable::TfsCustomVariable(const std::string& name, TfsVarType typ, const std::string& typeName)
    : FTyp(typ), FName(name), FUppercaseName(UpperCase(name)), FTypeName(typeName), FValue(rtl::Variant::Null()) {}

void TfsCustomVariable::SetValue(const rtl::Variant& value) {
  if (!FIsReadOnly) CopyValue(FValue, value);
}

rtl::Variant TfsCustomVariable::GetValue() { return ValueCopy(FValue); }

TfsParamItem* TfsCustomVariable::Params(int index) const noexcept { return static_cast<TfsParamItem*>(Get(index)); }

void TfsCustomVariable::AddParam(TfsParamItem* param) { Add(param); }

}  // namespace fs
