#include "runtime/fsLibraryBinding.h"

#include "engine/fsStrings.h"
#include "engine/fsVariables.h"
#include "rtl/Exceptions.h"
#include "rtl/TextLoss.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsRegistry.h"

namespace fs {

using rtl::Variant;

TfsLibType LibTypeOf(std::string_view typeName) noexcept {
  static const struct {
    const char* Name;
    TfsLibType Type;
  } kNames[] = {
      {"TDateTime", TfsLibType::Date},   {"TDate", TfsLibType::Date},         {"TTime", TfsLibType::Date},
      {"Extended", TfsLibType::Float},   {"Double", TfsLibType::Float},       {"Real", TfsLibType::Float},
      {"Single", TfsLibType::Float},     {"Currency", TfsLibType::Float},     {"Integer", TfsLibType::Integer},
      {"LongInt", TfsLibType::Integer},  {"Cardinal", TfsLibType::Cardinal},  {"LongWord", TfsLibType::Cardinal},
      {"Word", TfsLibType::Word},        {"Byte", TfsLibType::Byte},          {"Int64", TfsLibType::Int64},
      {"Boolean", TfsLibType::Boolean},  {"String", TfsLibType::String},      {"Char", TfsLibType::Char},
      {"AnsiString", TfsLibType::String}, {"AnsiChar", TfsLibType::Char},     {"DWORD", TfsLibType::Cardinal},
  };
  if (typeName.empty()) return TfsLibType::None;
  for (const auto& n : kNames)
    if (SameText(typeName, n.Name)) return n.Type;
  return TfsLibType::Variant;
}

namespace {

// An integer kept to the declared width, as the routine's parameter would hold it.
std::int64_t Narrowed(std::int64_t v, TfsLibType t) noexcept {
  switch (t) {
    case TfsLibType::Cardinal: return static_cast<std::uint32_t>(v);
    case TfsLibType::Word: return static_cast<std::uint16_t>(v);
    case TfsLibType::Byte: return static_cast<std::uint8_t>(v);
    default: return v;
  }
}

rtl::AnsiString FirstCharacter(const rtl::AnsiString& text) {
  return text.IsEmpty() ? text : rtl::AnsiString(text.view().substr(0, 1));
}

}  // namespace

Variant LibTypedValue(const Variant& value, TfsLibType type) {
  if (value.IsEmptyOrNull()) return value;
  switch (type) {
    case TfsLibType::Date: return Variant::FromDate(rtl::VarToDouble(value));
    case TfsLibType::Float: return Variant(rtl::VarToDouble(value));
    case TfsLibType::Integer: return Variant(rtl::VarToInt32(value));
    case TfsLibType::Cardinal:
      return Variant::FromLongWord(static_cast<std::uint32_t>(Narrowed(rtl::VarToInt64(value), type)));
    case TfsLibType::Word: return Variant::FromWord(static_cast<std::uint16_t>(Narrowed(rtl::VarToInt64(value), type)));
    case TfsLibType::Byte: return Variant::FromByte(static_cast<std::uint8_t>(Narrowed(rtl::VarToInt64(value), type)));
    case TfsLibType::Int64: return Variant(rtl::VarToInt64(value));
    case TfsLibType::Boolean: return Variant(rtl::VarToBool(value));
    case TfsLibType::String: return Variant(rtl::VarToAnsiString(value));
    case TfsLibType::Char: return Variant(FirstCharacter(rtl::VarToAnsiString(value)));
    case TfsLibType::Variant:
    case TfsLibType::None: break;
  }
  return value;
}

namespace {

bool IsText(TfsLibType type) noexcept { return type == TfsLibType::String || type == TfsLibType::Char; }

// A string or character argument as UTF-16 text, for a routine's wide work.
Variant ConvertedWide(const Variant& v, TfsLibType type, const Variant& def) {
  std::u16string text = rtl::VarToWideString(v);
  if (type == TfsLibType::Char) {
    if (text.empty() && !def.IsEmptyOrNull()) text = rtl::VarToWideString(def);
    text.resize(std::min<std::size_t>(text.size(), 1));
  }
  return Variant(std::u16string_view(text));
}

// An argument as its declared type (see TfsLibraryArgs::Value); a text that loses
// characters is reported as lost by routine.
Variant Converted(const Variant& v, TfsLibType type, const Variant& def, const std::string& routine) {
  switch (type) {
    case TfsLibType::Float:
    case TfsLibType::Date: return Variant(rtl::VarToDouble(v));
    case TfsLibType::Integer:
    case TfsLibType::Word:
    case TfsLibType::Byte: return Variant(Narrowed(rtl::VarToInt32(v), type));
    case TfsLibType::Cardinal:
    case TfsLibType::Int64: return Variant(Narrowed(rtl::VarToInt64(v), type));
    case TfsLibType::Boolean: return Variant(rtl::VarToBool(v));
    case TfsLibType::String: return Variant(rtl::VarToAnsiStringIn(v, routine));
    case TfsLibType::Char: {
      rtl::AnsiString text = rtl::VarToAnsiStringIn(v, routine);
      if (text.IsEmpty() && !def.IsEmptyOrNull()) text = rtl::VarToAnsiStringIn(def, routine);
      return Variant(FirstCharacter(text));
    }
    case TfsLibType::Variant:
    case TfsLibType::None: break;
  }
  return v;
}

}  // namespace

TfsLibraryArgs::TfsLibraryArgs(TfsMethodHelper& caller, const TfsLibrarySignature& signature, bool wide)
    : FCaller(caller), FSignature(signature) {
  for (int i = 0; i < signature.Count; ++i) {
    const Variant& passed = caller.ArgumentValue(i);
    const Variant& def = signature.Required[i] ? passed : caller.Params(i)->DefValue();
    const Variant& v = passed.IsEmpty() && !signature.Required[i] ? def : passed;
    try {
      const TfsLibType type = signature.Params[i];
      FValues[i] = wide && IsText(type) ? ConvertedWide(v, type, def) : Converted(v, type, def, caller.Name());
    } catch (rtl::Exception& error) {
      caller.NameArgument(error, i);
      throw;
    }
  }
}

bool TfsLibraryArgs::IsEmpty(int index) const { return FCaller.ArgumentValue(index).IsEmpty(); }

double TfsLibraryArgs::Float(int index) const {
  const Variant& v = FValues[index];
  return v.VarType() == rtl::varDouble ? v.AsDoubleRaw() : rtl::VarToDouble(v);
}

std::int32_t TfsLibraryArgs::Int(int index) const {
  const Variant& v = FValues[index];
  return v.VarType() == rtl::varInt64 ? static_cast<std::int32_t>(v.AsInt64Raw()) : rtl::VarToInt32(v);
}

std::int64_t TfsLibraryArgs::Int64(int index) const {
  const Variant& v = FValues[index];
  return v.VarType() == rtl::varInt64 ? v.AsInt64Raw() : rtl::VarToInt64(v);
}

bool TfsLibraryArgs::Bool(int index) const { return rtl::VarToBool(FValues[index]); }

rtl::AnsiString TfsLibraryArgs::Str(int index) const { return rtl::VarToAnsiString(FValues[index]); }

char TfsLibraryArgs::Char(int index) const {
  const rtl::AnsiString text = Str(index);
  return text.IsEmpty() ? '\0' : text[0];
}

namespace {

TfsLibrarySignature SignatureOf(const TfsMethodHelper& helper, int checked) {
  TfsLibrarySignature s;
  if (helper.ParamCount() > TfsLibrarySignature::kMaxParams)
    throw rtl::Exception(helper.Name() + " has more parameters than a library routine may have", "EListError");
  s.Count = static_cast<std::uint8_t>(helper.ParamCount());
  for (int i = 0; i < s.Count; ++i) {
    const TfsParamItem* p = helper.Params(i);
    s.Params[i] = LibTypeOf(p->TypeName());
    s.Required[i] = !p->IsOptional();
  }
  s.Checked = static_cast<std::uint8_t>(checked < 0 || checked > s.Count ? s.Count : checked);
  s.Result = helper.IsFunction() ? LibTypeOf(helper.TypeName()) : TfsLibType::None;
  return s;
}

// Whether a string or character argument arrives as a wide string.
bool AnyWideText(const TfsMethodHelper& caller, const TfsLibrarySignature& signature) {
  for (int i = 0; i < signature.Count; ++i)
    if (IsText(signature.Params[i]) && caller.ArgumentValue(i).VarType() == rtl::varOleStr) return true;
  return false;
}

}  // namespace

void RegisterLibrary(TfsRegistry& registry, const char* category, std::span<const TfsLibraryEntry> table) {
  for (const TfsLibraryEntry& entry : table) {
    TfsMethodHelper* helper = registry.RegisterFunction(entry.Declaration, TfsMethodCallback(), category);
    const TfsLibrarySignature signature = SignatureOf(*helper, entry.Checked);
    const TfsLibraryFunction work = entry.Callback, wideWork = entry.WideCallback;
    helper->SetCallback([signature, work, wideWork](rtl::TObject*, rtl::TClass, const std::string&,
                                                     TfsMethodHelper* caller) {
      // A missing required argument: no work, and the call yields null.
      for (int i = 0; i < signature.Checked; ++i)
        if (signature.Required[i] && caller->ArgumentValue(i).IsEmpty()) return Variant::Null();
      if (wideWork && AnyWideText(*caller, signature)) {
        TfsLibraryArgs args(*caller, signature, true);
        Variant result = wideWork(args);
        return result.VarType() == rtl::varOleStr && signature.Result == TfsLibType::String
                   ? result
                   : LibTypedValue(result, signature.Result);
      }
      TfsLibraryArgs args(*caller, signature);
      return LibTypedValue(work(args), signature.Result);
    });
  }
}

}  // namespace fs
