#include "runtime/fsMethodHelper.h"

#include <utility>

#include "engine/fsVariables.h"
#include "rtl/Exceptions.h"
#include "rtl/Object.h"
#include "rtl/TextLoss.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsDeclaration.h"

namespace fs {

using rtl::Variant;

TfsMethodHelper::TfsMethodHelper(TfsDeclaration&& declaration, const std::string& declarationText)
    : TfsCustomHelper(declaration.Name, declaration.Typ, declaration.TypeName),
      FSetValue(Variant::Null()),
      FDeclaration(declarationText),
      FIsFunction(declaration.IsFunction) {
  FIsMacro = declaration.IsMacro;
  FIsReadOnly = true;
  for (auto& param : declaration.Params) AddParam(param.release());
  declaration.Params.clear();
  FGetName = FUppercaseName + ".GET";
  FSetName = FUppercaseName + ".SET";
  FIsFree = FUppercaseName == "FREE";
}

TfsMethodHelper::~TfsMethodHelper() = default;

rtl::TObject* TfsMethodHelper::Instance() const { return rtl::VariantToObject(FParentValue); }

Variant TfsMethodHelper::GetValue() {
  if (!FCallback) return Variant(std::int32_t{0});
  rtl::TObject* instance = Instance();
  // The object stays whole while its method runs, even when a handler the method
  // raises frees it; Free itself must not hold it.
  rtl::TObjectUse use(FIsFree ? nullptr : instance);
  return FCallback(instance, FClassRef, FIndexProp ? FGetName : FUppercaseName, this);
}

void TfsMethodHelper::SetValue(const Variant& value) {
  if (!FIndexProp || !FCallback) return;
  // The slot is null again whatever the callback does.
  struct SlotReset {
    Variant& Slot;
    ~SlotReset() { Slot = Variant::Null(); }
  } reset{FSetValue};
  FSetValue = value;
  rtl::TObject* instance = Instance();
  rtl::TObjectUse use(instance);
  FCallback(instance, FClassRef, FSetName, this);
}

const Variant& TfsMethodHelper::ArgumentValue(int index) const {
  if (index == ParamCount()) return FSetValue;
  if (index < 0 || index > ParamCount()) RaiseArgumentIndex(index);
  return Params(index)->StoredValue();
}

void TfsMethodHelper::SetArgumentValue(int index, const Variant& value) {
  if (index < 0 || index >= ParamCount()) RaiseArgumentIndex(index);
  Params(index)->SetValue(value);
}

void TfsMethodHelper::RaiseArgumentIndex(int index) const {
  throw rtl::Exception(Name() + " has no argument " + std::to_string(index + 1), "EListError");
}

void TfsMethodHelper::NameArgument(rtl::Exception& error, int index) const {
  std::string where = index < ParamCount() && !Params(index)->Name().empty()
                          ? "argument '" + Params(index)->Name() + "'"
                          : "argument " + std::to_string(index + 1);
  error.SetMessage(error.Message() + " (" + where + " of " + Name() + ")");
}

void TfsMethodHelper::RaiseInvalidCast(int index) const {
  rtl::EInvalidCast error;
  NameArgument(error, index);
  throw error;
}

template <class F>
auto TfsMethodHelper::Convert(int index, F convert) const -> decltype(convert(Variant())) {
  const Variant& value = ArgumentValue(index);
  try {
    return convert(value);
  } catch (rtl::Exception& error) {
    NameArgument(error, index);
    throw;
  }
}

std::int32_t TfsMethodHelper::ArgInt(int index) const {
  return Convert(index, [](const Variant& v) { return rtl::VarToInt32(v); });
}

std::int64_t TfsMethodHelper::ArgInt64(int index) const {
  return Convert(index, [](const Variant& v) { return rtl::VarToInt64(v); });
}

double TfsMethodHelper::ArgFloat(int index) const {
  return Convert(index, [](const Variant& v) { return rtl::VarToDouble(v); });
}

bool TfsMethodHelper::ArgBool(int index) const {
  return Convert(index, [](const Variant& v) { return rtl::VarToBool(v); });
}

rtl::AnsiString TfsMethodHelper::ArgString(int index) const {
  return Convert(index, [this](const Variant& v) { return rtl::VarToAnsiStringIn(v, Name()); });
}

bool TfsMethodHelper::ArgIsWide(int index) const { return ArgumentValue(index).VarType() == rtl::varOleStr; }

std::u16string TfsMethodHelper::ArgWideString(int index) const {
  return Convert(index, [](const Variant& v) { return rtl::VarToWideString(v); });
}

rtl::TObject* TfsMethodHelper::ArgObject(int index) const {
  return Convert(index, [](const Variant& v) { return rtl::VariantToObject(v); });
}

}  // namespace fs
