// TfsCustomVariable: the base of every item a script can name (variables, constants,
// parameters, procedures, registered helpers and classes, type names) and of the
// designators and expressions built from a program. Its items are its parameters.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/fsItemList.h"
#include "engine/fsValueCopy.h"
#include "rtl/VariantOps.h"
#include "engine/fsVarType.h"
#include "rtl/Variant.h"

namespace fs {

class TfsParamItem;
class TfsScript;

// Consulted when a script variable is read: (name, type, stored value) -> value; a
// null or empty answer keeps the stored value.
using TfsGetVariableValueEvent =
    std::function<rtl::Variant(const std::string& VarName, TfsVarType VarTyp, const rtl::Variant& OldValue)>;

// What an item is, for the few places that must tell items apart while running.
enum class TfsItemKind : std::uint8_t {
  Other,
  Variable,        // TfsVariable
  StringVariable,  // TfsStringVariable
  Param,           // TfsParamItem
  Proc,            // TfsProcVariable
  TypeName,        // TfsTypeVariable
  Class,           // TfsClassVariable
  Helper,          // TfsCustomHelper descendants
  Designator,      // TfsDesignator descendants
  Expression,      // TfsCustomExpression descendants, expression nodes, sets
};

class TfsCustomVariable : public TfsItemList {
public:
  TfsCustomVariable(const std::string& name, TfsVarType typ, const std::string& typeName);

  TfsCustomVariable* AsVariable() noexcept override { return this; }
  bool KeptByClear() const noexcept override { return FIsGlobal; }

  // Stores a value; the base ignores writes to a read-only item.
  virtual void SetValue(const rtl::Variant& value);
  // The item's value; the base gives the stored value.
  virtual rtl::Variant GetValue();
  // GetValue on the hot paths: variables and parameters without a value-request
  // handler give their stored value without a virtual call.
  rtl::Variant Value() {
    if (FFastRead) return ValueCopy(FValue);
    return GetValue();
  }
  // value := value op operand on the stored value itself, for numbers whose result the
  // item keeps as it is; false (nothing done) when GetValue and SetValue have to.
  RTL_ALWAYS_INLINE bool TryOpInPlace(const rtl::Variant& operand, rtl::TVarOp op) {
    if (!FFastRead) return false;
    switch (FFastStore) {
      case TfsFastStore::AsIs: return rtl::varops_detail::TryNumberOp(FValue, operand, op, FValue);
      case TfsFastStore::Int:
        if (FValue.VarType() == rtl::varInteger && operand.VarType() == rtl::varInteger) {
          std::int32_t r;
          if (!rtl::varops_detail::TryInt32Op(FValue.AsIntegerRaw(), operand.AsIntegerRaw(), op, r)) return false;
          rtl::varops_detail::StoreInt32(FValue, r);
          return true;
        }
        return false;
      case TfsFastStore::Double:
        return FValue.VarType() == rtl::varDouble && rtl::varops_detail::TryNumberOp(FValue, operand, op, FValue);
      default: return false;
    }
  }
  // value := value op operand: in place when TryOpInPlace can, else through Value and
  // Assign.
  RTL_ALWAYS_INLINE void ApplyOp(const rtl::Variant& operand, rtl::TVarOp op) {
    if (TryOpInPlace(operand, op)) return;
    rtl::Variant v = Value();
    rtl::VarOpInPlace(v, operand, op);
    Assign(v);
  }
  // SetValue on the hot paths: a value the item would store unchanged is stored
  // without a virtual call.
  void Assign(const rtl::Variant& value) {
    const std::uint16_t t = value.VarType();
    if (FFastStore == TfsFastStore::AsIs || (FFastStore == TfsFastStore::Int && t == rtl::varInteger) ||
        (FFastStore == TfsFastStore::Double && t == rtl::varDouble)) {
      CopyValue(FValue, value);
      return;
    }
    SetValue(value);
  }

  // Parameters (the items).
  int ParamCount() const noexcept { return Count(); }
  TfsParamItem* Params(int index) const noexcept;
  void AddParam(TfsParamItem* param);

  TfsItemKind Kind() const noexcept { return FKind; }
  const std::string& Name() const noexcept { return FName; }
  const std::string& UppercaseName() const noexcept { return FUppercaseName; }
  TfsVarType Typ() const noexcept { return FTyp; }
  void SetTyp(TfsVarType typ) noexcept {
    FTyp = typ;
    UpdateFastPaths();
  }
  const std::string& TypeName() const noexcept { return FTypeName; }
  void SetTypeName(const std::string& name) { FTypeName = name; }
  bool IsReadOnly() const noexcept { return FIsReadOnly; }
  void SetReadOnly(bool on) noexcept {
    FIsReadOnly = on;
    UpdateFastPaths();
  }
  bool IsGlobal() const noexcept { return FIsGlobal; }
  void SetGlobal(bool on) noexcept { FIsGlobal = on; }
  bool IsMacro() const noexcept { return FIsMacro; }
  void SetMacro(bool on) noexcept { FIsMacro = on; }
  // Set by a caller before a read: false when the value of a call is thrown away.
  bool NeedResult() const noexcept { return FNeedResult; }
  void SetNeedResult(bool on) noexcept { FNeedResult = on; }
  // A function's Result, an array variable's helper, a designator's variable.
  TfsCustomVariable* RefItem() const noexcept { return FRefItem; }
  void SetRefItem(TfsCustomVariable* item) noexcept { FRefItem = item; }
  const std::string& SourcePos() const noexcept { return FSourcePos; }
  void SetSourcePos(const std::string& pos) { FSourcePos = pos; }
  const std::string& SourceUnit() const noexcept { return FSourceUnit; }
  void SetSourceUnit(const std::string& unit) { FSourceUnit = unit; }
  const TfsGetVariableValueEvent& OnGetVarValue() const noexcept { return FOnGetVarValue; }
  // Reads give the stored value: no value-request handler to ask.
  bool ReadsStorageOnly() const noexcept { return FFastRead; }
  void SetOnGetVarValue(const TfsGetVariableValueEvent& handler) {
    FOnGetVarValue = handler;
    UpdateFastPaths();
  }

  // The stored value itself, without conversion or hooks (loop counters, the array
  // and string helpers working in place, snapshots of recursive calls).
  rtl::Variant& StoredValue() noexcept { return FValue; }
  const rtl::Variant& StoredValue() const noexcept { return FValue; }

protected:
  TfsItemKind FKind = TfsItemKind::Other;
  bool FIsGlobal = false;
  bool FIsMacro = false;
  bool FIsReadOnly = false;
  bool FNeedResult = true;
  bool FReadsStorage = false;  // GetValue is the stored value unless a handler answers
  // What SetValue does with a value (set by the classes that store values).
  enum class TfsWrites : std::uint8_t {
    Virtual,    // only SetValue knows
    AsIs,       // stores every value unchanged
    Converted,  // converts values to the declared type; values of that type stay as they are
  };
  TfsWrites FWrites = TfsWrites::Virtual;
  // Call after changing FReadsStorage, FWrites, the type, the read-only flag or the handler.
  void UpdateFastPaths() noexcept;

private:
  // What Value, Assign and TryOpInPlace may do without the virtual calls.
  enum class TfsFastStore : std::uint8_t { None, AsIs, Int, Double };
  bool FFastRead = false;
  TfsFastStore FFastStore = TfsFastStore::None;

protected:
  TfsVarType FTyp;
  TfsCustomVariable* FRefItem = nullptr;
  std::string FName;
  std::string FUppercaseName;
  std::string FTypeName;
  std::string FSourcePos;
  std::string FSourceUnit;
  rtl::Variant FValue;
  TfsGetVariableValueEvent FOnGetVarValue;
};

}  // namespace fs
