#include "engine/fsVariables.h"

#include "engine/fsValueCopy.h"
#include "rtl/CodePage.h"
#include "rtl/TextLoss.h"
#include "rtl/VariantConvert.h"

namespace fs {

using rtl::Variant;

namespace {

// A string variable keeps 8-bit text: a wide value that the code page cannot hold in
// full is reported as lost by the variable.
Variant Narrowed(const Variant& value, const std::string& name) {
  if (value.VarType() != rtl::varOleStr) return Variant(rtl::VarToAnsiString(value));
  rtl::AnsiString text;
  if (!rtl::WideToAnsiExact(value.AsOleStrRaw(), text)) rtl::ReportTextLoss("String variable " + name);
  return Variant(text);
}

}  // namespace

TfsVariable::TfsVariable(const std::string& name, TfsVarType typ, const std::string& typeName)
    : TfsCustomVariable(name, typ, typeName) {
  FKind = TfsItemKind::Variable;
  FReadsStorage = true;
  FWrites = TfsWrites::Converted;
  UpdateFastPaths();
}

void TfsVariable::SetValue(const Variant& value) {
  if (FIsReadOnly) return;
  switch (FTyp) {
    case fvtInt:
      if (value.VarType() == rtl::varInteger)
        CopyValue(FValue, value);
      else
        FValue = Variant(rtl::VarToInt32(value));
      break;
    case fvtBool: FValue = Variant(rtl::VarToBool(value)); break;
    case fvtFloat:
      if (value.VarType() == rtl::varDate || value.VarType() == rtl::varDouble)
        CopyValue(FValue, value);
      else
        FValue = Variant(rtl::VarToDouble(value));
      break;
    case fvtString: FValue = Narrowed(value, FName); break;
    case fvtInt64: FValue = Variant(rtl::VarToInt64(value)); break;
    default: CopyValue(FValue, value); break;
  }
}

Variant TfsVariable::GetValue() {
  if (FOnGetVarValue) {
    Variant v = FOnGetVarValue(FName, FTyp, FValue);
    if (!v.IsEmptyOrNull()) return v;
  }
  return ValueCopy(FValue);
}

TfsStringVariable::TfsStringVariable(const std::string& name, TfsVarType typ, const std::string& typeName)
    : TfsVariable(name, typ, typeName) {
  FKind = TfsItemKind::StringVariable;
  FWrites = TfsWrites::Virtual;
  UpdateFastPaths();
}

void TfsStringVariable::SetValue(const Variant& value) {
  if (FIsReadOnly) return;
  if (value.VarType() == rtl::varString)
    FValue = value;
  else
    FValue = Narrowed(value, FName);
}

Variant TfsStringVariable::GetValue() {
  if (FOnGetVarValue) {
    Variant v = FOnGetVarValue(FName, FTyp, FValue);
    if (!v.IsNull()) return v;
  }
  return FValue;
}

TfsParamItem::TfsParamItem(const std::string& name, TfsVarType typ, const std::string& typeName, bool isOptional,
                           bool isVarParam)
    : TfsCustomVariable(name, typ, typeName), FDefValue(Variant::Null()), FIsOptional(isOptional),
      FIsVarParam(isVarParam) {
  FKind = TfsItemKind::Param;
  FReadsStorage = true;
  FWrites = TfsWrites::AsIs;
  UpdateFastPaths();
}

TfsTypeVariable::TfsTypeVariable(const std::string& name, TfsVarType typ, const std::string& typeName)
    : TfsCustomVariable(name, typ, typeName) {
  FKind = TfsItemKind::TypeName;
}

}  // namespace fs
