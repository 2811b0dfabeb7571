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

void TfsCustomVariable::UpdateFastPaths() noexcept {
  FFastRead = FReadsStorage && !FOnGetVarValue;
  if (FWrites == TfsWrites::Virtual || FIsReadOnly)
    FFastStore = TfsFastStore::None;
  else if (FWrites == TfsWrites::AsIs)
    FFastStore = TfsFastStore::AsIs;
  else if (FTyp == fvtInt)
    FFastStore = TfsFastStore::Int;
  else if (FTyp == fvtFloat)
    FFastStore = TfsFastStore::Double;
  else if (FTyp == fvtBool || FTyp == fvtString || FTyp == fvtInt64)
    FFastStore = TfsFastStore::None;  // every write converts
  else
    FFastStore = TfsFastStore::AsIs;
}

TfsParamItem* TfsCustomVariable::Params(int index) const noexcept { return static_cast<TfsParamItem*>(Get(index)); }

void TfsCustomVariable::AddParam(TfsParamItem* param) { Add(param); }

}  // namespace fs
