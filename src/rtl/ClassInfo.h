// Class info: the run-time type information that settings, translation, form helpers
// and scripts lean on. Every class they reach describes itself once, in its .cpp, with
// a TClassBuilder table: its name, its parent, how to make an uninitialised instance,
// its published properties (typed get and set as Variant, object or event handler)
// and its event slots. Class infos register themselves in a process-wide table by
// name, so a class can also be found from its name alone.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <unordered_map>
#include <utility>
#include <vector>

#include "rtl/AnsiString.h"
#include "rtl/Exceptions.h"
#include "rtl/Variant.h"

namespace rtl {

class TObject;
class TClassInfo;
// A class reference: the class info of a class.
using TClass = const TClassInfo*;

// What a published property holds. Booleans are the enumeration "Boolean" (False,
// True), so code that handles enumerations by name handles them too.
enum TTypeKind : std::uint8_t {
  tkUnknown,
  tkInteger,      // integers up to 32 bits
  tkChar,         // one 8-bit character
  tkEnumeration,  // an ordinal with value names (Boolean included)
  tkFloat,
  tkString,  // 8-bit string (AnsiString)
  tkSet,     // a bit set over an enumeration, bit n for ordinal n
  tkClass,   // an object reference
  tkMethod,  // an event slot
  tkWChar,
  tkWString,
  tkVariant,
  tkInt64,
};

// Name of a kind as diagnostics show it ("tkInteger" ...).
const char* TypeKindName(TTypeKind kind) noexcept;

// Raised for unknown properties, read-only properties and values a property cannot take.
class EPropertyError : public Exception {
public:
  explicit EPropertyError(std::string message) : Exception(std::move(message), "EPropertyError") {}
};

// Raised when an object is used as a class it is not.
class EInvalidCast : public Exception {
public:
  EInvalidCast() : Exception("Invalid class typecast", "EInvalidCast") {}
};

// Raised when an object reference does not name a living object.
class EInvalidPointer : public Exception {
public:
  EInvalidPointer() : Exception("Invalid pointer operation", "EInvalidPointer") {}
};

class EClassNotFound : public Exception {
public:
  explicit EClassNotFound(std::string_view name)
      : Exception("Class " + std::string(name) + " not found", "EClassNotFound") {}
};

// Raised when an abstract class is asked for an instance.
class EAbstractError : public Exception {
public:
  explicit EAbstractError(std::string_view className)
      : Exception("Cannot create an instance of the abstract class " + std::string(className), "EAbstractError") {}
};

// An enumeration type as properties see it: its name and its value names by ordinal.
struct TEnumInfo {
  std::string Name;
  std::vector<std::string> Names;

  int Count() const noexcept { return static_cast<int>(Names.size()); }
  // Ordinal of a value name, ignoring case; -1 when there is none.
  int ValueOf(std::string_view name) const noexcept;
  // Name of an ordinal; empty when out of range.
  const std::string& NameOf(int ordinal) const noexcept;
};

// The enumeration behind every bool property.
const TEnumInfo& BooleanTypeInfo();

// Text of a bit set as "[name1,name2]" and back (names ignore case, brackets optional).
std::string SetToString(const TEnumInfo& elements, std::uint32_t bits);
std::uint32_t StringToSet(const TEnumInfo& elements, std::string_view text);

// An event handler travelling by name: one of the std::function event types, held
// without its type so that code can read and assign event slots generically.
class TMethod {
public:
  TMethod() = default;
  template <class R, class... A>
  TMethod(std::function<R(A...)> handler) {  // NOLINT: implicit on purpose
    if (handler) FHandler = std::move(handler);
  }
  bool Assigned() const noexcept { return FHandler.has_value(); }
  // The handler as event type F, or nullptr when it is of another type or unassigned.
  template <class F>
  const F* Target() const noexcept {
    return std::any_cast<F>(&FHandler);
  }
  const std::type_info& Type() const noexcept { return FHandler.type(); }

private:
  std::any FHandler;
};

// One published property (or event slot) of a class.
class TPropInfo {
public:
  const std::string& Name() const noexcept { return FName; }
  TTypeKind Kind() const noexcept { return FKind; }
  const std::string& TypeName() const noexcept { return FTypeName; }
  // The value names of enumeration and set kinds, else nullptr.
  const TEnumInfo* EnumType() const noexcept { return FEnumType; }
  // The class of an object-kind property, else nullptr.
  TClass PropClass() const noexcept { return FPropClass; }
  // The class that declares the property.
  TClass Owner() const noexcept { return FOwner; }
  bool IsWritable() const noexcept { return static_cast<bool>(FSetValue) || static_cast<bool>(FSetObject) || static_cast<bool>(FSetMethod); }
  bool IsBoolean() const noexcept { return FKind == tkEnumeration && FEnumType == &BooleanTypeInfo(); }

  // The value as a Variant: integers and ordinals (enumerations, Booleans, sets) as
  // varInteger (sets as their bit pattern), 64-bit integers as varInt64, floats as
  // varDouble, 8-bit strings and characters as varString, wide strings and characters
  // as varOleStr, variants as they are, objects as an object reference
  // (ObjectToVariant), events as Null.
  Variant GetValue(TObject* instance) const;
  // Sets the value from a Variant, converting it to the property's type; enumerations
  // also take a value name or a Boolean, sets their "[a,b]" text, objects a reference
  // to a living object of the property's class, events only Empty or Null (clears).
  void SetValue(TObject* instance, const Variant& value) const;

  // Object-kind properties.
  TObject* GetObject(TObject* instance) const;
  void SetObject(TObject* instance, TObject* value) const;

  // Event slots: the handler, and assigning one (an unassigned TMethod clears the slot;
  // a handler of another event type raises EPropertyError).
  TMethod GetMethod(TObject* instance) const;
  void SetMethod(TObject* instance, const TMethod& handler) const;

private:
  template <class T>
  friend class TClassBuilder;
  friend class TClassInfo;

  void CheckInstance(const TObject* instance) const;
  [[noreturn]] void ReadOnlyError() const;
  [[noreturn]] void KindError() const;

  std::string FName;
  TTypeKind FKind = tkUnknown;
  std::string FTypeName;
  const TEnumInfo* FEnumType = nullptr;
  TClass FPropClass = nullptr;
  TClass FOwner = nullptr;
  std::function<Variant(TObject*)> FGetValue;
  std::function<void(TObject*, const Variant&)> FSetValue;
  std::function<TObject*(TObject*)> FGetObject;
  std::function<void(TObject*, TObject*)> FSetObject;
  std::function<TMethod(TObject*)> FGetMethod;
  std::function<void(TObject*, const TMethod&)> FSetMethod;
};

template <class T>
class TClassBuilder;

// The class info record of one class.
class TClassInfo {
public:
  // Takes over what a builder declared (the builder is left empty).
  template <class T>
  TClassInfo(TClassBuilder<T>& builder)  // NOLINT: converting on purpose
      : TClassInfo(std::move(builder.FName), builder.FParent, std::move(builder.FFactory), std::move(builder.FProps)) {}
  template <class T>
  TClassInfo(TClassBuilder<T>&& builder) : TClassInfo(builder) {}  // NOLINT
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& ClassName() const noexcept { return FName; }
  TClass ClassParent() const noexcept { return FParent; }
  // True for this class and every class derived from it.
  bool InheritsFrom(TClass ancestor) const noexcept;
  bool InheritsFrom(const TClassInfo& ancestor) const noexcept { return InheritsFrom(&ancestor); }

  // Whether instances can be made from the class info alone.
  bool CanCreate() const noexcept { return static_cast<bool>(FFactory); }
  // A new instance, constructed but not yet through its creation step (the caller
  // runs that, or a script constructor does). Raises EAbstractError when the class has
  // no factory.
  TObject* NewInstance() const;

  // Published properties and event slots, inherited ones first, each in declaration
  // order; a property redeclared by a descendant takes its ancestor's place.
  const std::vector<const TPropInfo*>& Properties() const noexcept { return FAllProps; }
  // The properties this class itself declares.
  const std::vector<std::unique_ptr<TPropInfo>>& DeclaredProperties() const noexcept { return FOwnProps; }
  // Lookup ignoring case; nullptr when the class has no such property.
  const TPropInfo* FindProperty(std::string_view name) const;
  // An event slot by name (a property of kind tkMethod), or nullptr.
  const TPropInfo* FindEvent(std::string_view name) const;

private:
  TClassInfo(std::string name, TClass parent, std::function<TObject*()> factory, std::vector<std::unique_ptr<TPropInfo>> props);

  std::string FName;
  TClass FParent;
  std::function<TObject*()> FFactory;
  std::vector<std::unique_ptr<TPropInfo>> FOwnProps;
  std::vector<const TPropInfo*> FAllProps;
  std::unordered_map<std::string, const TPropInfo*> FIndex;  // by upper-case name
};

// The process-wide class table. Class infos register themselves when they are made;
// when two classes share a name, the first one made keeps it.
void RegisterClass(const TClassInfo& info);
// The class registered under a name (ignoring case), or nullptr.
TClass GetClass(std::string_view name);
// The same, raising EClassNotFound when there is none.
TClass FindClass(std::string_view name);
// All registered classes, in registration order.
std::vector<TClass> RegisteredClasses();

// An object reference as scripts carry it: an integer holding the address (varInteger
// where pointers have 32 bits, varInt64 where they have 64); nil is 0.
Variant ObjectToVariant(const TObject* object);
// The object a reference names: nullptr for 0, Empty and Null; raises
// EInvalidPointer when the value does not name a living object, and the variant
// conversion error when it is not a number.
TObject* VariantToObject(const Variant& value);

// Typed access by property name. Each raises EPropertyError "Property %s does not
// exist" when the instance's class has no such property.
const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name);
const TPropInfo& FindPropInfo(const TObject* instance, std::string_view name);
bool IsPublishedProp(const TObject* instance, std::string_view name);
Variant GetPropValue(TObject* instance, std::string_view name);
void SetPropValue(TObject* instance, std::string_view name, const Variant& value);
std::int64_t GetOrdProp(TObject* instance, std::string_view name);
void SetOrdProp(TObject* instance, std::string_view name, std::int64_t value);
AnsiString GetStrProp(TObject* instance, std::string_view name);
void SetStrProp(TObject* instance, std::string_view name, const AnsiString& value);
double GetFloatProp(TObject* instance, std::string_view name);
void SetFloatProp(TObject* instance, std::string_view name, double value);
// Enumerations by value name; sets as "[a,b]".
std::string GetEnumProp(TObject* instance, std::string_view name);
void SetEnumProp(TObject* instance, std::string_view name, std::string_view value);
std::string GetSetProp(TObject* instance, std::string_view name);
void SetSetProp(TObject* instance, std::string_view name, std::string_view value);
TObject* GetObjectProp(TObject* instance, std::string_view name);
void SetObjectProp(TObject* instance, std::string_view name, TObject* value);
TMethod GetMethodProp(TObject* instance, std::string_view name);
void SetMethodProp(TObject* instance, std::string_view name, const TMethod& handler);

namespace detail {

// Conversions of property values from Variants (with the variant conversion errors).
std::int64_t PropToInt64(const Variant& v);
std::int32_t PropToInt32(const Variant& v);
std::uint32_t PropToUInt32(const Variant& v);
double PropToFloat(const Variant& v);
AnsiString PropToString(const Variant& v);
std::u16string PropToWide(const Variant& v);
// Ordinal of an enumeration value: a value name, a Boolean (True is 1) or a number
// within the enumeration.
int PropToOrdinal(const Variant& v, const TEnumInfo& type);
std::uint32_t PropToSet(const Variant& v, const TEnumInfo& elements);
[[noreturn]] void InvalidPropertyValue();
[[noreturn]] void HandlerTypeError(const std::string& typeName);
void CheckObjectClass(const TObject* value, TClass required);
TClass ClassOf(const TObject* object) noexcept;

template <class V>
inline constexpr bool kIsObjectPointer = false;
template <class V>
inline constexpr bool kIsObjectPointer<V*> = std::is_base_of_v<TObject, V>;

template <class V>
inline constexpr bool kIsEvent = false;
template <class R, class... A>
inline constexpr bool kIsEvent<std::function<R(A...)>> = true;

template <class V>
constexpr TTypeKind KindOf() {
  if constexpr (std::is_same_v<V, bool>)
    return tkEnumeration;
  else if constexpr (std::is_same_v<V, char>)
    return tkChar;
  else if constexpr (std::is_same_v<V, char16_t>)
    return tkWChar;
  else if constexpr (std::is_integral_v<V> && sizeof(V) <= 4)
    return tkInteger;
  else if constexpr (std::is_integral_v<V> && sizeof(V) == 8 && std::is_signed_v<V>)
    return tkInt64;
  else if constexpr (std::is_floating_point_v<V>)
    return tkFloat;
  else if constexpr (std::is_same_v<V, AnsiString>)
    return tkString;
  else if constexpr (std::is_same_v<V, std::u16string>)
    return tkWString;
  else if constexpr (std::is_same_v<V, Variant>)
    return tkVariant;
  else if constexpr (kIsObjectPointer<V>)
    return tkClass;
  else
    return tkUnknown;
}

template <class V>
std::string DefaultTypeName() {
  if constexpr (std::is_same_v<V, bool>) return "Boolean";
  else if constexpr (std::is_same_v<V, char>) return "Char";
  else if constexpr (std::is_same_v<V, char16_t>) return "WideChar";
  else if constexpr (std::is_same_v<V, std::uint32_t>) return "Cardinal";
  else if constexpr (std::is_integral_v<V> && sizeof(V) <= 4) return "Integer";
  else if constexpr (std::is_integral_v<V>) return "Int64";
  else if constexpr (std::is_same_v<V, float>) return "Single";
  else if constexpr (std::is_floating_point_v<V>) return "Double";
  else if constexpr (std::is_same_v<V, AnsiString>) return "String";
  else if constexpr (std::is_same_v<V, std::u16string>) return "WideString";
  else if constexpr (std::is_same_v<V, Variant>) return "Variant";
  else return std::string();
}

template <class V>
Variant ToVariant(const V& v) {
  if constexpr (std::is_same_v<V, bool>)
    return Variant(static_cast<std::int32_t>(v ? 1 : 0));
  else if constexpr (std::is_same_v<V, char>)
    return Variant(AnsiString(&v, 1));
  else if constexpr (std::is_same_v<V, char16_t>)
    return Variant(std::u16string_view(&v, 1));
  else if constexpr (std::is_same_v<V, std::uint32_t>)
    return Variant::FromLongWord(v);
  else if constexpr (std::is_integral_v<V> && sizeof(V) <= 4)
    return Variant(static_cast<std::int32_t>(v));
  else if constexpr (std::is_integral_v<V>)
    return Variant(static_cast<std::int64_t>(v));
  else if constexpr (std::is_floating_point_v<V>)
    return Variant(static_cast<double>(v));
  else if constexpr (std::is_same_v<V, AnsiString>)
    return Variant(v);
  else if constexpr (std::is_same_v<V, std::u16string>)
    return Variant(std::u16string_view(v));
  else
    return v;  // Variant
}

template <class V>
V FromVariant(const Variant& v) {
  if constexpr (std::is_same_v<V, bool>) {
    return PropToOrdinal(v, BooleanTypeInfo()) != 0;
  } else if constexpr (std::is_same_v<V, char>) {
    AnsiString s = PropToString(v);
    return s.IsEmpty() ? '\0' : s[0];
  } else if constexpr (std::is_same_v<V, char16_t>) {
    std::u16string s = PropToWide(v);
    return s.empty() ? u'\0' : s[0];
  } else if constexpr (std::is_same_v<V, std::uint32_t>) {
    return PropToUInt32(v);
  } else if constexpr (std::is_integral_v<V> && sizeof(V) == 4) {
    return static_cast<V>(PropToInt32(v));
  } else if constexpr (std::is_integral_v<V> && sizeof(V) < 4) {
    std::int64_t n = PropToInt64(v);
    if (n < static_cast<std::int64_t>(std::numeric_limits<V>::min()) || n > static_cast<std::int64_t>(std::numeric_limits<V>::max()))
      InvalidPropertyValue();
    return static_cast<V>(n);
  } else if constexpr (std::is_integral_v<V>) {
    return static_cast<V>(PropToInt64(v));
  } else if constexpr (std::is_floating_point_v<V>) {
    return static_cast<V>(PropToFloat(v));
  } else if constexpr (std::is_same_v<V, AnsiString>) {
    return PropToString(v);
  } else if constexpr (std::is_same_v<V, std::u16string>) {
    return PropToWide(v);
  } else {
    return v;  // Variant
  }
}

// The value type an accessor yields for T: a data member, a const or non-const member
// function, or any callable taking T&.
template <class T, class G>
using GetterValue = std::remove_cvref_t<std::invoke_result_t<const G&, T&>>;

template <class T, class S, class V>
void InvokeSetter(const S& setter, T& target, V&& value) {
  if constexpr (std::is_member_object_pointer_v<S>)
    std::invoke(setter, target) = std::forward<V>(value);
  else
    std::invoke(setter, target, std::forward<V>(value));
}

}  // namespace detail

// Describes a class for its class info, in its .cpp:
//
//   const TClassInfo& TComponent::StaticClassInfo() {
//     static const TClassInfo info = TClassBuilder<TComponent>("TComponent", &TPersistent::StaticClassInfo())
//         .Property("Name", &TComponent::Name, &TComponent::SetName)
//         .Property("Tag", &TComponent::Tag, &TComponent::SetTag);
//     return info;
//   }
//
// A getter is a data member, a member function or a callable taking T&; a setter is a
// data member, a member function or a callable taking (T&, value); no setter makes the
// property read-only. The kind follows from the getter's type: bool, char, char16_t,
// integers, int64, floats, AnsiString, std::u16string, Variant, pointers to TObject
// descendants. Enumerations, sets and events are declared with Enum, Set and Event.
template <class T>
class TClassBuilder {
public:
  TClassBuilder(std::string name, TClass parent) : FName(std::move(name)), FParent(parent) {
    if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>)
      FFactory = []() -> TObject* { return new T(); };
  }

  template <class G, class S = std::nullptr_t>
  TClassBuilder& Property(std::string name, G getter, S setter = nullptr) {
    using V = detail::GetterValue<T, G>;
    constexpr TTypeKind kind = detail::KindOf<V>();
    static_assert(kind != tkUnknown, "declare enumerations with Enum, sets with Set and events with Event");
    auto& p = Add(std::move(name), kind, detail::DefaultTypeName<V>());
    if constexpr (kind == tkClass) {
      using C = std::remove_pointer_t<V>;
      p.FPropClass = &C::StaticClassInfo();
      p.FGetObject = [getter](TObject* o) -> TObject* { return std::invoke(getter, Self(o)); };
      if constexpr (!std::is_null_pointer_v<S>)
        p.FSetObject = [setter](TObject* o, TObject* v) { detail::InvokeSetter(setter, Self(o), static_cast<C*>(v)); };
    } else {
      if constexpr (std::is_same_v<V, bool>) p.FEnumType = &BooleanTypeInfo();
      p.FGetValue = [getter](TObject* o) { return detail::ToVariant<V>(std::invoke(getter, Self(o))); };
      if constexpr (!std::is_null_pointer_v<S>)
        p.FSetValue = [setter](TObject* o, const Variant& v) { detail::InvokeSetter(setter, Self(o), detail::FromVariant<V>(v)); };
    }
    return *this;
  }

  // An enumeration property: the getter yields the enumeration (or its ordinal).
  template <class G, class S = std::nullptr_t>
  TClassBuilder& Enum(std::string name, const TEnumInfo& type, G getter, S setter = nullptr) {
    using V = detail::GetterValue<T, G>;
    static_assert(std::is_enum_v<V> || std::is_integral_v<V>, "an enumeration property yields an enumeration");
    auto& p = Add(std::move(name), tkEnumeration, type.Name);
    p.FEnumType = &type;
    p.FGetValue = [getter](TObject* o) { return Variant(static_cast<std::int32_t>(std::invoke(getter, Self(o)))); };
    if constexpr (!std::is_null_pointer_v<S>)
      p.FSetValue = [setter, &type](TObject* o, const Variant& v) {
        detail::InvokeSetter(setter, Self(o), static_cast<V>(detail::PropToOrdinal(v, type)));
      };
    return *this;
  }

  // A set property: the getter yields the bit set as an unsigned integer (bit n for
  // the element of ordinal n).
  template <class G, class S = std::nullptr_t>
  TClassBuilder& Set(std::string name, std::string typeName, const TEnumInfo& elements, G getter, S setter = nullptr) {
    using V = detail::GetterValue<T, G>;
    static_assert(std::is_integral_v<V> && sizeof(V) <= 4, "a set property yields its bits");
    auto& p = Add(std::move(name), tkSet, std::move(typeName));
    p.FEnumType = &elements;
    p.FGetValue = [getter](TObject* o) {
      return Variant(static_cast<std::int32_t>(static_cast<std::uint32_t>(std::invoke(getter, Self(o)))));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      p.FSetValue = [setter, &elements](TObject* o, const Variant& v) {
        detail::InvokeSetter(setter, Self(o), static_cast<V>(detail::PropToSet(v, elements)));
      };
    return *this;
  }

  // An event slot: the getter yields the std::function of the event type.
  template <class G, class S = std::nullptr_t>
  TClassBuilder& Event(std::string name, std::string typeName, G getter, S setter = nullptr) {
    using F = detail::GetterValue<T, G>;
    static_assert(detail::kIsEvent<F>, "an event slot is a std::function");
    auto& p = Add(std::move(name), tkMethod, std::move(typeName));
    p.FGetMethod = [getter](TObject* o) { return TMethod(F(std::invoke(getter, Self(o)))); };
    if constexpr (!std::is_null_pointer_v<S>) {
      const std::string* typeNamePtr = &p.FTypeName;
      p.FSetMethod = [setter, typeNamePtr](TObject* o, const TMethod& m) {
        if (!m.Assigned()) {
          detail::InvokeSetter(setter, Self(o), F());
          return;
        }
        const F* f = m.Target<F>();
        if (!f) detail::HandlerTypeError(*typeNamePtr);
        detail::InvokeSetter(setter, Self(o), F(*f));
      };
    }
    return *this;
  }

  // Gives the last declared property another type name ("TColor", "TDateTime" ...).
  TClassBuilder& TypeName(std::string typeName) {
    if (!FProps.empty()) FProps.back()->FTypeName = std::move(typeName);
    return *this;
  }

  // How instances are made from the class info (replaces default construction).
  TClassBuilder& Factory(std::function<TObject*()> factory) {
    FFactory = std::move(factory);
    return *this;
  }

  // No instances from the class info.
  TClassBuilder& Abstract() {
    FFactory = nullptr;
    return *this;
  }

private:
  friend class TClassInfo;

  static T& Self(TObject* o) { return *static_cast<T*>(o); }

  TPropInfo& Add(std::string name, TTypeKind kind, std::string typeName) {
    auto p = std::make_unique<TPropInfo>();
    p->FName = std::move(name);
    p->FKind = kind;
    p->FTypeName = std::move(typeName);
    FProps.push_back(std::move(p));
    return *FProps.back();
  }

  std::string FName;
  TClass FParent;
  std::function<TObject*()> FFactory;
  std::vector<std::unique_ptr<TPropInfo>> FProps;
};

}  // namespace rtl
