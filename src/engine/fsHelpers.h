// Helpers: items that forward reads, writes and calls to native code. TfsCustomHelper
// is their base; before each access the engine gives it the item it is reached
// through, the value reached so far and the script. The engine's own helpers index
// containers: TfsArrayHelper (elements of variant arrays, in place) and
// TfsStringHelper (characters of strings).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/fsCustomVariable.h"

namespace fs {

class TfsScript;

class TfsCustomHelper : public TfsCustomVariable {
public:
  TfsCustomHelper(const std::string& name, TfsVarType typ, const std::string& typeName);

  // Set by the engine immediately before each access.
  TfsCustomVariable* ParentRef() const noexcept { return FParentRef; }
  const rtl::Variant& ParentValue() const noexcept { return FParentValue; }
  TfsScript* Prog() const noexcept { return FProgram; }
  void Prepare(TfsCustomVariable* parentRef, rtl::Variant&& parentValue, TfsScript* program) {
    FParentRef = parentRef;
    FParentValue = static_cast<rtl::Variant&&>(parentValue);
    FProgram = program;
  }

  // A method reached with an index ("Items[i]"): the index must follow it.
  bool IsIndexProp() const noexcept { return FIndexProp; }
  void SetIndexProp(bool on) noexcept { FIndexProp = on; }
  // Works on the container item itself, so the engine need not read it first.
  virtual bool UsesContainerInPlace() const noexcept { return false; }

protected:
  TfsCustomVariable* FParentRef = nullptr;
  rtl::Variant FParentValue;
  TfsScript* FProgram = nullptr;
  bool FIndexProp = false;
};

// Indexing a variant array held by the container with one index per dimension (the
// parameters, in written order). The container's array is read and written in place.
class TfsArrayHelper : public TfsCustomHelper {
public:
  // paramCount parameters, of which those from requiredCount on are optional.
  TfsArrayHelper(const std::string& name, int paramCount, int requiredCount, TfsVarType elementType,
                 const std::string& elementTypeName);

  rtl::Variant GetValue() override;
  void SetValue(const rtl::Variant& value) override;
  bool UsesContainerInPlace() const noexcept override { return true; }
};

// Indexing a string held by the container: one character, 1-based.
class TfsStringHelper : public TfsCustomHelper {
public:
  explicit TfsStringHelper(const std::string& name);

  rtl::Variant GetValue() override;
  void SetValue(const rtl::Variant& value) override;
};

[[noreturn]] void RaiseArrayIndexError();
[[noreturn]] void RaiseNotAnArray();

// The element of a variant array at count indexes, one per dimension, indexAt(d) giving
// the index of dimension d; raises the variant array index error for a wrong count or
// an index outside the bounds, and "Variant is not an array" when the value is none.
template <class IndexAt>
rtl::Variant* ArrayElement(rtl::Variant& array, int count, IndexAt indexAt) {
  if (!array.IsArray() || !array.AsArrayRaw()) RaiseNotAnArray();
  rtl::VarArray* a = array.AsArrayRaw();
  if (count != a->DimCount) RaiseArrayIndexError();
  // The first dimension varies fastest.
  std::size_t offset = 0, stride = 1;
  for (int d = 0; d < count; ++d) {
    const std::int64_t i = static_cast<std::int64_t>(indexAt(d)) - a->Bounds[d].LowBound;
    if (i < 0 || i >= static_cast<std::int64_t>(a->Bounds[d].ElementCount)) RaiseArrayIndexError();
    offset += static_cast<std::size_t>(i) * stride;
    stride *= a->Bounds[d].ElementCount;
  }
  return rtl::VarArrayData(a) + offset;
}

// One character (1-based) of a text as a one-character string of the same kind (byte
// or wide); an index outside 1..length raises the index error.
rtl::Variant StringCharAt(const rtl::Variant& text, const rtl::Variant& index);
// The text with the character at a 1-based index replaced by the first character of
// value's text; an index outside the text or an empty value raises.
rtl::Variant StringWithCharAt(const rtl::Variant& text, const rtl::Variant& index, const rtl::Variant& value);
// The same on a stored text, in place when it is a byte string; the text is unchanged
// when the write fails.
void StoreStringChar(rtl::Variant& text, const rtl::Variant& index, const rtl::Variant& value);

}  // namespace fs
