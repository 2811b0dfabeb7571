#include "engine/fsHelpers.h"

#include <cstdint>
#include <string>

#include "engine/fsValueCopy.h"
#include "engine/fsVariables.h"
#include "rtl/Exceptions.h"
#include "rtl/VariantArrays.h"
#include "rtl/VariantConvert.h"

namespace fs {

using rtl::Variant;

void RaiseArrayIndexError() { throw rtl::EVariantError("Variant or safe array index out of bounds"); }

void RaiseNotAnArray() { throw rtl::EVariantError("Variant is not an array"); }

namespace {

// The 0-based position of a 1-based index into a text of length n.
std::size_t CharPosition(const Variant& index, std::size_t n) {
  const std::int64_t i = rtl::VarToInt32(index);
  if (i < 1 || static_cast<std::uint64_t>(i) > n) RaiseArrayIndexError();
  return static_cast<std::size_t>(i - 1);
}

[[noreturn]] void RaiseEmptyCharacter() {
  throw rtl::EVariantError("Cannot store an empty string in a string character");
}

}  // namespace

Variant StringCharAt(const Variant& text, const Variant& index) {
  if (text.VarType() == rtl::varOleStr) {
    std::u16string_view s = text.AsOleStrRaw();
    return Variant(s.substr(CharPosition(index, s.size()), 1));
  }
  rtl::AnsiString s = text.VarType() == rtl::varString ? text.AsAnsiStringRaw() : rtl::VarToAnsiString(text);
  std::size_t p = CharPosition(index, s.Length());
  return Variant(rtl::AnsiString(s.c_str() + p, 1));
}

Variant StringWithCharAt(const Variant& text, const Variant& index, const Variant& value) {
  if (text.VarType() == rtl::varOleStr) {
    std::u16string s(text.AsOleStrRaw());
    std::size_t p = CharPosition(index, s.size());
    std::u16string c = rtl::VarToWideString(value);
    if (c.empty()) RaiseEmptyCharacter();
    s[p] = c[0];
    return Variant(std::u16string_view(s));
  }
  rtl::AnsiString s = text.VarType() == rtl::varString ? text.AsAnsiStringRaw() : rtl::VarToAnsiString(text);
  std::size_t p = CharPosition(index, s.Length());
  rtl::AnsiString c = rtl::VarToAnsiString(value);
  if (c.IsEmpty()) RaiseEmptyCharacter();
  s.UniqueData()[p] = c[0];
  return Variant(s);
}

void StoreStringChar(Variant& text, const Variant& index, const Variant& value) {
  if (text.VarType() != rtl::varString) {
    text = StringWithCharAt(text, index, value);
    return;
  }
  rtl::AnsiString s = text.AsAnsiStringRaw();
  std::size_t p = CharPosition(index, s.Length());
  rtl::AnsiString c = rtl::VarToAnsiString(value);
  if (c.IsEmpty()) RaiseEmptyCharacter();
  // Drop the stored reference so that the characters change where they stand.
  text = Variant();
  s.UniqueData()[p] = c[0];
  text = Variant(s);
}

// TfsCustomHelper ---------------------------------------------------------------------------

TfsCustomHelper::TfsCustomHelper(const std::string& name, TfsVarType typ, const std::string& typeName)
    : TfsCustomVariable(name, typ, typeName) {
  FKind = TfsItemKind::Helper;
}

// TfsArrayHelper ----------------------------------------------------------------------------

TfsArrayHelper::TfsArrayHelper(const std::string& name, int paramCount, int requiredCount, TfsVarType elementType,
                               const std::string& elementTypeName)
    : TfsCustomHelper(name, elementType, elementTypeName) {
  for (int i = 0; i < paramCount; ++i)
    AddParam(new TfsParamItem("Index" + std::to_string(i), fvtInt, "Integer", i >= requiredCount, false));
}

namespace {

// Whether the container keeps its value in its own storage, so that the helper can
// work on it in place.
bool StoresValue(const TfsCustomVariable* item) {
  if (!item) return false;
  TfsItemKind k = item->Kind();
  return k == TfsItemKind::Variable || k == TfsItemKind::StringVariable || k == TfsItemKind::Param;
}

// The indexes actually given: the parameters up to the array's dimension count.
int IndexCount(TfsCustomVariable* helper, const Variant& array) {
  int n = array.IsArray() && array.AsArrayRaw() ? array.AsArrayRaw()->DimCount : 0;
  return n <= helper->ParamCount() ? n : -1;
}

}  // namespace

Variant TfsArrayHelper::GetValue() {
  Variant& array = StoresValue(FParentRef) ? FParentRef->StoredValue() : FParentValue;
  const int n = IndexCount(this, array);
  if (n < 0) RaiseArrayIndexError();
  Variant result = ValueCopy(*ArrayElement(array, n, [this](int d) { return rtl::VarToInt32(Params(d)->StoredValue()); }));
  FParentValue = Variant();
  return result;
}

void TfsArrayHelper::SetValue(const Variant& value) {
  const bool inPlace = StoresValue(FParentRef);
  Variant& array = inPlace ? FParentRef->StoredValue() : FParentValue;
  const int n = IndexCount(this, array);
  if (n < 0) RaiseArrayIndexError();
  Variant* element = ArrayElement(array, n, [this](int d) { return rtl::VarToInt32(Params(d)->StoredValue()); });
  CopyValue(*element, rtl::VarArrayElementValue(array, value));
  if (!inPlace && FParentRef) FParentRef->SetValue(FParentValue);
  FParentValue = Variant();
}

// TfsStringHelper ---------------------------------------------------------------------------

TfsStringHelper::TfsStringHelper(const std::string& name) : TfsCustomHelper(name, fvtChar, std::string()) {
  AddParam(new TfsParamItem("Index", fvtInt, "Integer", false, false));
}

Variant TfsStringHelper::GetValue() { return StringCharAt(FParentValue, Params(0)->StoredValue()); }

void TfsStringHelper::SetValue(const Variant& value) {
  Variant text = StringWithCharAt(FParentValue, Params(0)->StoredValue(), value);
  FParentValue = Variant();
  if (FParentRef) FParentRef->SetValue(text);
}

}  // namespace fs
