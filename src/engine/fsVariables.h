// The items scripts declare: variables and constants (TfsVariable), string variables
// (TfsStringVariable), parameters (TfsParamItem), and type names (TfsTypeVariable).
#pragma once

#include <string>

#include "engine/fsCustomVariable.h"

namespace fs {

// A script variable or constant. Writes convert to the declared type; reads may be
// answered by the value-request handler.
class TfsVariable : public TfsCustomVariable {
public:
  TfsVariable(const std::string& name, TfsVarType typ, const std::string& typeName);

  void SetValue(const rtl::Variant& value) override;
  rtl::Variant GetValue() override;
};

// A variable of type String or Char: keeps its value as a byte string (a Char variable
// holds a whole string, too).
class TfsStringVariable : public TfsVariable {
public:
  TfsStringVariable(const std::string& name, TfsVarType typ, const std::string& typeName);

  void SetValue(const rtl::Variant& value) override;
  rtl::Variant GetValue() override;
};

// A parameter of a script procedure or a registered function: reads and writes
// without conversion.
class TfsParamItem : public TfsCustomVariable {
public:
  TfsParamItem(const std::string& name, TfsVarType typ, const std::string& typeName, bool isOptional,
               bool isVarParam);

  const rtl::Variant& DefValue() const noexcept { return FDefValue; }
  void SetDefValue(const rtl::Variant& value) { FDefValue = value; }
  bool IsOptional() const noexcept { return FIsOptional; }
  void SetOptional(bool on) noexcept { FIsOptional = on; }
  bool IsVarParam() const noexcept { return FIsVarParam; }
  void SetVarParam(bool on) noexcept { FIsVarParam = on; }
  // A value that leaves the script (a row's variable, say) must not be an object
  // reference, which would arrive as a bare address: arguments of a class type are
  // refused when the program is built.
  bool RefusesObjects() const noexcept { return FRefusesObjects; }
  void SetRefusesObjects(bool on) noexcept { FRefusesObjects = on; }

private:
  rtl::Variant FDefValue;
  bool FIsOptional;
  bool FIsVarParam;
  bool FRefusesObjects = false;
};

// A type name: declarations resolve to its kind. It has no value.
class TfsTypeVariable : public TfsCustomVariable {
public:
  TfsTypeVariable(const std::string& name, TfsVarType typ, const std::string& typeName);
};

}  // namespace fs
