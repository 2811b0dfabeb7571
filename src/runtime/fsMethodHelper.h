// TfsMethodHelper: a registered function, method, constructor or indexed property.
// Reading it calls its callback with the arguments the engine stored in its parameters;
// writing it (only for indexed properties) calls the callback with the name plus
// ".SET" and the value being written. Callbacks read their arguments through the
// helper (ArgumentValue, or the typed Arg... conversions, whose errors name the
// argument) and write by-reference arguments back with SetArgumentValue.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/fsHelpers.h"
#include "rtl/AnsiString.h"
#include "rtl/ClassInfo.h"
#include "rtl/Object.h"
#include "rtl/Variant.h"

namespace fs {

class TfsMethodHelper;
struct TfsDeclaration;

// The one callback signature of registered routines. Instance is the object a member is
// called on (nullptr for global functions), ClassType the native class that declared
// the member (nullptr for global functions), MethodName the upper-case name (with
// ".GET" or ".SET" for indexed properties), Caller the helper being called. The
// callback is bound to its owner (the module that registered it).
using TfsMethodCallback = std::function<rtl::Variant(rtl::TObject* Instance, rtl::TClass ClassType,
                                                     const std::string& MethodName, TfsMethodHelper* Caller)>;

class TfsMethodHelper : public TfsCustomHelper {
public:
  // Takes over name, result kind and type name, macro mark and parameters of the
  // declaration; declarationText is kept as registered. The helper is read-only.
  TfsMethodHelper(TfsDeclaration&& declaration, const std::string& declarationText);
  ~TfsMethodHelper() override;

  // Calls the callback; a helper without one gives the integer 0.
  rtl::Variant GetValue() override;
  // Indexed properties only: calls the callback with NAME.SET while the value is
  // available as ArgumentValue(ParamCount()); anything else ignores writes.
  void SetValue(const rtl::Variant& value) override;

  // Arguments -------------------------------------------------------------------------

  // The current value of parameter index (0-based); index == ParamCount() gives the
  // value being written to an indexed property. Other indexes raise.
  const rtl::Variant& ArgumentValue(int index) const;
  // Stores a value in parameter index; by-reference parameters go back to the caller.
  void SetArgumentValue(int index, const rtl::Variant& value);

  // Typed conversions of ArgumentValue. A value that does not convert raises the
  // variant conversion error with the argument and routine named at its end.
  std::int32_t ArgInt(int index) const;
  std::int64_t ArgInt64(int index) const;
  double ArgFloat(int index) const;
  bool ArgBool(int index) const;
  // A wide text that loses characters on the way to 8 bits is reported as lost by this
  // routine (rtl/TextLoss).
  rtl::AnsiString ArgString(int index) const;
  std::u16string ArgWideString(int index) const;
  // Whether the argument arrives as a wide string: a routine whose work needs no bytes
  // then does it on the wide text.
  bool ArgIsWide(int index) const;
  // The object an argument names (nullptr for nil); a reference to no living object
  // raises.
  rtl::TObject* ArgObject(int index) const;
  // The same, checked to be a T (nil allowed): another class raises EInvalidCast.
  template <class T>
  T* ArgObjectAs(int index) const {
    rtl::TObject* object = ArgObject(index);
    if (object && !object->InheritsFrom(T::StaticClassInfo())) RaiseInvalidCast(index);
    return static_cast<T*>(object);
  }

  // Registration data -----------------------------------------------------------------

  const TfsMethodCallback& Callback() const noexcept { return FCallback; }
  void SetCallback(TfsMethodCallback callback) { FCallback = std::move(callback); }
  const std::string& Category() const noexcept { return FCategory; }
  void SetCategory(const std::string& category) { FCategory = category; }
  const std::string& Description() const noexcept { return FDescription; }
  void SetDescription(const std::string& description) { FDescription = description; }
  // The native class whose member this is; nullptr for global functions.
  rtl::TClass ClassRef() const noexcept { return FClassRef; }
  void SetClassRef(rtl::TClass classRef) noexcept { FClassRef = classRef; }
  // The declaration exactly as registered.
  const std::string& Declaration() const noexcept { return FDeclaration; }
  bool IsFunction() const noexcept { return FIsFunction; }

  // Appends the argument and routine to a conversion error's message:
  // " (argument 'AValue' of DateOf)".
  void NameArgument(rtl::Exception& error, int index) const;

private:
  rtl::TObject* Instance() const;
  [[noreturn]] void RaiseArgumentIndex(int index) const;
  [[noreturn]] void RaiseInvalidCast(int index) const;
  template <class F>
  auto Convert(int index, F convert) const -> decltype(convert(rtl::Variant()));

  std::string FCategory;
  rtl::TClass FClassRef = nullptr;
  std::string FDescription;
  TfsMethodCallback FCallback;
  rtl::Variant FSetValue;  // the value being written, outside a ".SET" call null
  std::string FDeclaration;
  std::string FGetName;  // NAME.GET
  std::string FSetName;  // NAME.SET
  bool FIsFunction = false;
  bool FIsFree = false;  // Free, which must not hold its own object while it runs
};

}  // namespace fs
