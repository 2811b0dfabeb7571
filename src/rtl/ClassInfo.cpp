#include "rtl/ClassInfo.h"

#include <algorithm>
#include <mutex>

#include "rtl/Object.h"
#include "rtl/VariantConvert.h"

namespace rtl {

namespace {

char AsciiUpper(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Identifiers (class, property and value names) compare with ASCII letters folded.
std::string UpperName(std::string_view name) {
  std::string r(name);
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

bool SameName(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

struct ClassTable {
  std::mutex Mutex;
  std::unordered_map<std::string, TClass> ByName;
  std::vector<TClass> Ordered;
};

// Never freed: class infos of other units may be made or looked up during exit.
ClassTable& Classes() {
  static ClassTable* table = new ClassTable();
  return *table;
}

}  // namespace

const char* TypeKindName(TTypeKind kind) noexcept {
  switch (kind) {
    case tkInteger: return "tkInteger";
    case tkChar: return "tkChar";
    case tkEnumeration: return "tkEnumeration";
    case tkFloat: return "tkFloat";
    case tkString: return "tkString";
    case tkSet: return "tkSet";
    case tkClass: return "tkClass";
    case tkMethod: return "tkMethod";
    case tkWChar: return "tkWChar";
    case tkWString: return "tkWString";
    case tkVariant: return "tkVariant";
    case tkInt64: return "tkInt64";
    default: return "tkUnknown";
  }
}

// TEnumInfo -------------------------------------------------------------------------

int TEnumInfo::ValueOf(std::string_view name) const noexcept {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (SameName(Names[i], name)) return static_cast<int>(i);
  return -1;
}

const std::string& TEnumInfo::NameOf(int ordinal) const noexcept {
  static const std::string empty;
  if (ordinal < 0 || ordinal >= Count()) return empty;
  return Names[static_cast<std::size_t>(ordinal)];
}

const TEnumInfo& BooleanTypeInfo() {
  static const TEnumInfo info{"Boolean", {"False", "True"}};
  return info;
}

std::string SetToString(const TEnumInfo& elements, std::uint32_t bits) {
  std::string r = "[";
  bool first = true;
  for (int i = 0; i < elements.Count() && i < 32; ++i) {
    if (!(bits & (std::uint32_t{1} << i))) continue;
    if (!first) r += ',';
    r += elements.Names[static_cast<std::size_t>(i)];
    first = false;
  }
  r += ']';
  return r;
}

std::uint32_t StringToSet(const TEnumInfo& elements, std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '[') text.remove_prefix(1);
  if (!text.empty() && text.back() == ']') text.remove_suffix(1);
  std::uint32_t bits = 0;
  while (!text.empty()) {
    std::size_t comma = text.find(',');
    std::string_view name = Trim(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    if (name.empty()) continue;
    int ordinal = elements.ValueOf(name);
    if (ordinal < 0 || ordinal >= 32) throw EPropertyError("Invalid enumeration name: " + std::string(name));
    bits |= std::uint32_t{1} << ordinal;
  }
  return bits;
}

// TPropInfo -------------------------------------------------------------------------

void TPropInfo::CheckInstance(const TObject* instance) const {
  if (!instance) throw EPropertyError("Property " + FName + " of a nil object");
  if (!instance->ClassInfo().InheritsFrom(FOwner)) throw EInvalidCast();
}

void TPropInfo::ReadOnlyError() const { throw EPropertyError("Property " + FName + " is read-only"); }

void TPropInfo::KindError() const {
  throw EPropertyError("Property " + FName + " is of kind " + TypeKindName(FKind));
}

Variant TPropInfo::GetValue(TObject* instance) const {
  CheckInstance(instance);
  switch (FKind) {
    case tkClass: return ObjectToVariant(FGetObject(instance));
    case tkMethod: return Variant::Null();
    default: return FGetValue(instance);
  }
}

void TPropInfo::SetValue(TObject* instance, const Variant& value) const {
  CheckInstance(instance);
  switch (FKind) {
    case tkClass:
      SetObject(instance, VariantToObject(value));
      return;
    case tkMethod:
      if (!value.IsEmptyOrNull()) detail::InvalidPropertyValue();
      SetMethod(instance, TMethod());
      return;
    default:
      if (!FSetValue) ReadOnlyError();
      FSetValue(instance, value);
  }
}

TObject* TPropInfo::GetObject(TObject* instance) const {
  CheckInstance(instance);
  if (FKind != tkClass) KindError();
  return FGetObject(instance);
}

void TPropInfo::SetObject(TObject* instance, TObject* value) const {
  CheckInstance(instance);
  if (FKind != tkClass) KindError();
  if (!FSetObject) ReadOnlyError();
  detail::CheckObjectClass(value, FPropClass);
  FSetObject(instance, value);
}

TMethod TPropInfo::GetMethod(TObject* instance) const {
  CheckInstance(instance);
  if (FKind != tkMethod) KindError();
  return FGetMethod(instance);
}

void TPropInfo::SetMethod(TObject* instance, const TMethod& handler) const {
  CheckInstance(instance);
  if (FKind != tkMethod) KindError();
  if (!FSetMethod) ReadOnlyError();
  FSetMethod(instance, handler);
}

// TClassInfo ------------------------------------------------------------------------

TClassInfo::TClassInfo(std::string name, TClass parent, std::function<TObject*()> factory,
                       std::vector<std::unique_ptr<TPropInfo>> props)
    : FName(std::move(name)), FParent(parent), FFactory(std::move(factory)), FOwnProps(std::move(props)) {
  if (FParent) {
    FAllProps = FParent->FAllProps;
    FIndex = FParent->FIndex;
  }
  for (auto& p : FOwnProps) {
    p->FOwner = this;
    std::string key = UpperName(p->FName);
    auto it = FIndex.find(key);
    if (it != FIndex.end()) {
      // A redeclaration takes the ancestor's place in the order.
      std::replace(FAllProps.begin(), FAllProps.end(), it->second, static_cast<const TPropInfo*>(p.get()));
      it->second = p.get();
    } else {
      FIndex.emplace(std::move(key), p.get());
      FAllProps.push_back(p.get());
    }
  }
  RegisterClass(*this);
}

bool TClassInfo::InheritsFrom(TClass ancestor) const noexcept {
  for (TClass c = this; c; c = c->FParent)
    if (c == ancestor) return true;
  return false;
}

TObject* TClassInfo::NewInstance() const {
  if (!FFactory) throw EAbstractError(FName);
  return FFactory();
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
  auto it = FIndex.find(UpperName(name));
  return it == FIndex.end() ? nullptr : it->second;
}

const TPropInfo* TClassInfo::FindEvent(std::string_view name) const {
  const TPropInfo* p = FindProperty(name);
  return p && p->Kind() == tkMethod ? p : nullptr;
}

// Class table -----------------------------------------------------------------------

void RegisterClass(const TClassInfo& info) {
  auto& table = Classes();
  std::lock_guard<std::mutex> guard(table.Mutex);
  if (table.ByName.emplace(UpperName(info.ClassName()), &info).second) table.Ordered.push_back(&info);
}

TClass GetClass(std::string_view name) {
  auto& table = Classes();
  std::string key = UpperName(name);
  std::lock_guard<std::mutex> guard(table.Mutex);
  auto it = table.ByName.find(key);
  return it == table.ByName.end() ? nullptr : it->second;
}

TClass FindClass(std::string_view name) {
  TClass c = GetClass(name);
  if (!c) throw EClassNotFound(name);
  return c;
}

std::vector<TClass> RegisteredClasses() {
  auto& table = Classes();
  std::lock_guard<std::mutex> guard(table.Mutex);
  return table.Ordered;
}

// Object references -----------------------------------------------------------------

Variant ObjectToVariant(const TObject* object) {
  auto address = reinterpret_cast<std::uintptr_t>(object);
  if constexpr (sizeof(void*) == 4)
    return Variant(static_cast<std::int32_t>(address));
  else
    return Variant(static_cast<std::int64_t>(address));
}

TObject* VariantToObject(const Variant& value) {
  if (value.IsEmptyOrNull()) return nullptr;
  std::int64_t n = detail::PropToInt64(value);
  if (n == 0) return nullptr;
  // References that went through a signed 32-bit integer come back sign-extended.
  auto address = sizeof(void*) == 4 ? static_cast<std::uintptr_t>(static_cast<std::uint32_t>(n))
                                    : static_cast<std::uintptr_t>(n);
  auto* object = reinterpret_cast<TObject*>(address);
  if (!TObject::IsLive(object)) throw EInvalidPointer();
  return object;
}

// Access by name --------------------------------------------------------------------

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name) {
  return instance ? instance->ClassInfo().FindProperty(name) : nullptr;
}

const TPropInfo& FindPropInfo(const TObject* instance, std::string_view name) {
  const TPropInfo* p = GetPropInfo(instance, name);
  if (!p) throw EPropertyError("Property " + std::string(name) + " does not exist");
  return *p;
}

bool IsPublishedProp(const TObject* instance, std::string_view name) { return GetPropInfo(instance, name) != nullptr; }

Variant GetPropValue(TObject* instance, std::string_view name) { return FindPropInfo(instance, name).GetValue(instance); }

void SetPropValue(TObject* instance, std::string_view name, const Variant& value) {
  FindPropInfo(instance, name).SetValue(instance, value);
}

std::int64_t GetOrdProp(TObject* instance, std::string_view name) {
  const TPropInfo& p = FindPropInfo(instance, name);
  switch (p.Kind()) {
    case tkInteger:
    case tkInt64:
    case tkEnumeration:
      return detail::PropToInt64(p.GetValue(instance));
    case tkSet:
      return static_cast<std::uint32_t>(p.GetValue(instance).AsIntegerRaw());
    case tkChar: {
      AnsiString s = p.GetValue(instance).AsAnsiStringRaw();
      return s.IsEmpty() ? 0 : static_cast<unsigned char>(s[0]);
    }
    case tkWChar: {
      auto s = p.GetValue(instance).AsOleStrRaw();
      return s.empty() ? 0 : s[0];
    }
    case tkClass:
      return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(p.GetObject(instance)));
    default:
      throw EPropertyError("Property " + p.Name() + " is not of an ordinal kind");
  }
}

void SetOrdProp(TObject* instance, std::string_view name, std::int64_t value) {
  const TPropInfo& p = FindPropInfo(instance, name);
  switch (p.Kind()) {
    case tkInteger:
    case tkInt64:
    case tkEnumeration:
      p.SetValue(instance, Variant(value));
      return;
    case tkSet:
      p.SetValue(instance, Variant(static_cast<std::int32_t>(static_cast<std::uint32_t>(value))));
      return;
    case tkChar: {
      char c = static_cast<char>(value);
      p.SetValue(instance, Variant(AnsiString(&c, 1)));
      return;
    }
    case tkWChar: {
      char16_t c = static_cast<char16_t>(value);
      p.SetValue(instance, Variant(std::u16string_view(&c, 1)));
      return;
    }
    default:
      throw EPropertyError("Property " + p.Name() + " is not of an ordinal kind");
  }
}

AnsiString GetStrProp(TObject* instance, std::string_view name) {
  return detail::PropToString(FindPropInfo(instance, name).GetValue(instance));
}

void SetStrProp(TObject* instance, std::string_view name, const AnsiString& value) {
  SetPropValue(instance, name, Variant(value));
}

double GetFloatProp(TObject* instance, std::string_view name) {
  return detail::PropToFloat(FindPropInfo(instance, name).GetValue(instance));
}

void SetFloatProp(TObject* instance, std::string_view name, double value) {
  SetPropValue(instance, name, Variant(value));
}

std::string GetEnumProp(TObject* instance, std::string_view name) {
  const TPropInfo& p = FindPropInfo(instance, name);
  if (p.Kind() != tkEnumeration) throw EPropertyError("Property " + p.Name() + " is not an enumeration");
  return p.EnumType()->NameOf(p.GetValue(instance).AsIntegerRaw());
}

void SetEnumProp(TObject* instance, std::string_view name, std::string_view value) {
  const TPropInfo& p = FindPropInfo(instance, name);
  if (p.Kind() != tkEnumeration) throw EPropertyError("Property " + p.Name() + " is not an enumeration");
  int ordinal = p.EnumType()->ValueOf(value);
  if (ordinal < 0) throw EPropertyError("Invalid enumeration name: " + std::string(value));
  p.SetValue(instance, Variant(static_cast<std::int32_t>(ordinal)));
}

std::string GetSetProp(TObject* instance, std::string_view name) {
  const TPropInfo& p = FindPropInfo(instance, name);
  if (p.Kind() != tkSet) throw EPropertyError("Property " + p.Name() + " is not a set");
  return SetToString(*p.EnumType(), static_cast<std::uint32_t>(p.GetValue(instance).AsIntegerRaw()));
}

void SetSetProp(TObject* instance, std::string_view name, std::string_view value) {
  const TPropInfo& p = FindPropInfo(instance, name);
  if (p.Kind() != tkSet) throw EPropertyError("Property " + p.Name() + " is not a set");
  p.SetValue(instance, Variant(static_cast<std::int32_t>(StringToSet(*p.EnumType(), value))));
}

TObject* GetObjectProp(TObject* instance, std::string_view name) {
  return FindPropInfo(instance, name).GetObject(instance);
}

void SetObjectProp(TObject* instance, std::string_view name, TObject* value) {
  FindPropInfo(instance, name).SetObject(instance, value);
}

TMethod GetMethodProp(TObject* instance, std::string_view name) {
  return FindPropInfo(instance, name).GetMethod(instance);
}

void SetMethodProp(TObject* instance, std::string_view name, const TMethod& handler) {
  FindPropInfo(instance, name).SetMethod(instance, handler);
}

// Conversions -----------------------------------------------------------------------

namespace detail {

std::int64_t PropToInt64(const Variant& v) { return VarToInt64(v); }

std::int32_t PropToInt32(const Variant& v) { return VarToInt32(v); }

std::uint32_t PropToUInt32(const Variant& v) {
  std::int64_t n = VarToInt64(v);
  if (n < 0 || n > 0xFFFFFFFFLL) VarOverflowError(v.VarType(), varLongWord);
  return static_cast<std::uint32_t>(n);
}

double PropToFloat(const Variant& v) { return VarToDouble(v); }

// Null is the empty text for string properties.
AnsiString PropToString(const Variant& v) { return VarToStr(v); }

std::u16string PropToWide(const Variant& v) { return v.IsNull() ? std::u16string() : VarToWideString(v); }

void InvalidPropertyValue() { throw EPropertyError("Invalid property value"); }

void HandlerTypeError(const std::string& typeName) {
  throw EPropertyError("Event handler is not of type " + typeName);
}

TClass ClassOf(const TObject* object) noexcept { return object ? &object->ClassInfo() : nullptr; }

void CheckObjectClass(const TObject* value, TClass required) {
  if (value && required && !value->ClassInfo().InheritsFrom(required)) throw EInvalidCast();
}

int PropToOrdinal(const Variant& v, const TEnumInfo& type) {
  if (v.VarType() == varString || v.VarType() == varOleStr) {
    AnsiString text = PropToString(v);
    int ordinal = type.ValueOf(Trim(text.view()));
    if (ordinal >= 0) return ordinal;
  }
  if (v.VarType() == varBoolean) return v.AsBooleanRaw() ? 1 : 0;
  std::int64_t n = PropToInt64(v);
  if (&type == &BooleanTypeInfo()) return n != 0 ? 1 : 0;
  if (n < 0 || n >= type.Count()) InvalidPropertyValue();
  return static_cast<int>(n);
}

std::uint32_t PropToSet(const Variant& v, const TEnumInfo& elements) {
  if (v.VarType() == varString || v.VarType() == varOleStr) {
    AnsiString text = PropToString(v);
    std::string_view t = Trim(text.view());
    if (t.empty() || t.front() == '[' || elements.ValueOf(t.substr(0, t.find(','))) >= 0)
      return StringToSet(elements, t);
  }
  return static_cast<std::uint32_t>(PropToInt64(v));
}

}  // namespace detail

}  // namespace rtl
