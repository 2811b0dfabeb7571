#include "rtl/VariantConvert.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <type_traits>

#include "rtl/CodePage.h"
#include "rtl/DateText.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "rtl/NumberText.h"

namespace rtl {

namespace {

// Kind names by type code, in one place.
const char* const kTypeNames[] = {
    "Empty",   "Null",  "Smallint", "Integer", "Single",  "Double",   "Currency", "Date",
    "OleStr",  "Dispatch", "Error", "Boolean", "Variant", "Unknown",  "Decimal",  nullptr,
    "ShortInt", "Byte", "Word",     "LongWord", "Int64",  "UInt64"};

constexpr double kCurrencyScale = 10000.0;
// 2^63 as a double: the first magnitude a 64-bit integer cannot hold.
constexpr double kTwoPow63 = 9223372036854775808.0;

char DecimalSep() noexcept { return CurrentFormatSettings().DecimalSeparator; }

// The text of a string variant in the process code page.
AnsiString TextOf(const Variant& v) {
  return v.VarType() == varString ? v.AsAnsiStringRaw() : WideToAnsi(v.AsOleStrRaw());
}

template <class T>
constexpr T AllBits() noexcept {
  return static_cast<T>(~T(0));
}

template <class T>
T FitIntegral(std::int64_t i, std::uint16_t from, std::uint16_t to) {
  if (i < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
      i > static_cast<std::int64_t>(std::numeric_limits<T>::max()))
    VarOverflowError(from, to);
  return static_cast<T>(i);
}

template <class T>
T IntegralFromFloat(double d, std::uint16_t from, std::uint16_t to) {
  double r = RoundHalfEven(d);
  // The upper bound is exclusive: max + 1 is a power of two and exact as a double.
  constexpr double hi = std::is_same_v<T, std::int64_t> ? kTwoPow63 : static_cast<double>(std::numeric_limits<T>::max()) + 1.0;
  constexpr double lo = static_cast<double>(std::numeric_limits<T>::min());
  if (!(r >= lo && r < hi)) VarOverflowError(from, to);  // NaN fails as well
  return static_cast<T>(r);
}

// Currency rounded to a whole number, halves to even.
std::int64_t RoundCurrency(std::int64_t scaled) noexcept {
  std::int64_t q = scaled / 10000, rem = scaled % 10000;
  std::int64_t absRem = rem < 0 ? -rem : rem;
  if (absRem > 5000 || (absRem == 5000 && (q & 1))) q += rem < 0 ? -1 : 1;
  return q;
}

template <class T>
T IntegralFromText(std::string_view s, std::uint16_t from, std::uint16_t to) {
  std::int64_t i;
  if (TextToInt64(s, i) == NumParse::Ok) return FitIntegral<T>(i, from, to);
  double d;
  NumParse f = TextToFloat(s, d, DecimalSep());
  if (f == NumParse::Ok) return IntegralFromFloat<T>(d, from, to);
  if (f == NumParse::Overflow) VarOverflowError(from, to);
  bool b;
  if (TryTextToBool(s, b)) return b ? AllBits<T>() : T(0);
  VarCastError(from, to);
}

template <class T>
T ToIntegral(const Variant& v, std::uint16_t to) {
  const std::uint16_t t = v.VarType();
  switch (t) {
    case varEmpty: return 0;
    case varShortInt: return FitIntegral<T>(v.AsShortIntRaw(), t, to);
    case varByte: return FitIntegral<T>(v.AsByteRaw(), t, to);
    case varSmallint: return FitIntegral<T>(v.AsSmallintRaw(), t, to);
    case varWord: return FitIntegral<T>(v.AsWordRaw(), t, to);
    case varInteger: return FitIntegral<T>(v.AsIntegerRaw(), t, to);
    case varLongWord: return FitIntegral<T>(v.AsLongWordRaw(), t, to);
    case varInt64: return FitIntegral<T>(v.AsInt64Raw(), t, to);
    // True is -1: all bits set, also in an unsigned target.
    case varBoolean: return v.AsBooleanRaw() ? AllBits<T>() : T(0);
    case varSingle: return IntegralFromFloat<T>(v.AsSingleRaw(), t, to);
    case varDouble:
    case varDate: return IntegralFromFloat<T>(v.AsDoubleRaw(), t, to);
    case varCurrency: return FitIntegral<T>(RoundCurrency(v.AsInt64Raw()), t, to);
    case varString:
    case varOleStr: return IntegralFromText<T>(TextOf(v).view(), t, to);
    default:
      if (t & varByRef) return ToIntegral<T>(VarDereference(v), to);
      VarCastError(t, to);
  }
}

double DoubleFromText(std::string_view s, std::uint16_t from, std::uint16_t to) {
  double d;
  NumParse f = TextToFloat(s, d, DecimalSep());
  if (f == NumParse::Ok) return d;
  if (f == NumParse::Overflow) VarOverflowError(from, to);
  std::int64_t i;
  if (TextToInt64(s, i) == NumParse::Ok) return static_cast<double>(i);  // hexadecimal
  bool b;
  if (TryTextToBool(s, b)) return b ? -1.0 : 0.0;
  VarCastError(from, to);
}

double ToDouble(const Variant& v, std::uint16_t to) {
  const std::uint16_t t = v.VarType();
  switch (t) {
    case varEmpty: return 0;
    case varShortInt: return v.AsShortIntRaw();
    case varByte: return v.AsByteRaw();
    case varSmallint: return v.AsSmallintRaw();
    case varWord: return v.AsWordRaw();
    case varInteger: return v.AsIntegerRaw();
    case varLongWord: return v.AsLongWordRaw();
    case varInt64: return static_cast<double>(v.AsInt64Raw());
    case varBoolean: return v.AsBooleanRaw() ? -1.0 : 0.0;
    case varSingle: return v.AsSingleRaw();
    case varDouble:
    case varDate: return v.AsDoubleRaw();
    case varCurrency: return static_cast<double>(v.AsInt64Raw()) / kCurrencyScale;
    case varString:
    case varOleStr: return DoubleFromText(TextOf(v).view(), t, to);
    default:
      if (t & varByRef) return ToDouble(VarDereference(v), to);
      VarCastError(t, to);
  }
}

std::int64_t CurrencyFromInteger(std::int64_t i, std::uint16_t from) {
  constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 10000;
  if (i > limit || i < -limit) VarOverflowError(from, varCurrency);
  return i * 10000;
}

std::int64_t CurrencyFromFloat(double d, std::uint16_t from) {
  double r = RoundHalfEven(d * kCurrencyScale);
  if (!(r >= -kTwoPow63 && r < kTwoPow63)) VarOverflowError(from, varCurrency);
  return static_cast<std::int64_t>(r);
}

std::int64_t ToCurrency(const Variant& v) {
  const std::uint16_t t = v.VarType();
  switch (t) {
    case varEmpty: return 0;
    case varShortInt: return CurrencyFromInteger(v.AsShortIntRaw(), t);
    case varByte: return CurrencyFromInteger(v.AsByteRaw(), t);
    case varSmallint: return CurrencyFromInteger(v.AsSmallintRaw(), t);
    case varWord: return CurrencyFromInteger(v.AsWordRaw(), t);
    case varInteger: return CurrencyFromInteger(v.AsIntegerRaw(), t);
    case varLongWord: return CurrencyFromInteger(v.AsLongWordRaw(), t);
    case varInt64: return CurrencyFromInteger(v.AsInt64Raw(), t);
    case varBoolean: return v.AsBooleanRaw() ? -10000 : 0;
    case varSingle: return CurrencyFromFloat(v.AsSingleRaw(), t);
    case varDouble:
    case varDate: return CurrencyFromFloat(v.AsDoubleRaw(), t);
    case varCurrency: return v.AsInt64Raw();
    case varString:
    case varOleStr: {
      AnsiString s = TextOf(v);
      std::int64_t scaled;
      NumParse r = TextToCurrency(s.view(), scaled, DecimalSep());
      if (r == NumParse::Ok) return scaled;
      if (r == NumParse::Overflow) VarOverflowError(t, varCurrency);
      std::int64_t i;
      if (TextToInt64(s.view(), i) == NumParse::Ok) return CurrencyFromInteger(i, t);
      bool b;
      if (TryTextToBool(s.view(), b)) return b ? -10000 : 0;
      VarCastError(t, varCurrency);
    }
    default:
      if (t & varByRef) return ToCurrency(VarDereference(v));
      VarCastError(t, varCurrency);
  }
}

double ToDate(const Variant& v) {
  const std::uint16_t t = v.VarType();
  if (t == varString || t == varOleStr) {
    double d;
    if (TryTextToDateTime(TextOf(v).view(), d, CurrentFormatSettings())) return d;
    VarCastError(t, varDate);
  }
  if (t & varByRef) return ToDate(VarDereference(v));
  return ToDouble(v, varDate);
}

bool ToBool(const Variant& v) {
  const std::uint16_t t = v.VarType();
  switch (t) {
    case varEmpty: return false;
    case varShortInt:
    case varByte: return v.AsByteRaw() != 0;
    case varSmallint:
    case varWord: return v.AsWordRaw() != 0;
    case varInteger:
    case varLongWord: return v.AsLongWordRaw() != 0;
    case varInt64:
    case varCurrency: return v.AsInt64Raw() != 0;
    case varBoolean: return v.AsBooleanRaw();
    case varSingle: return v.AsSingleRaw() != 0;
    case varDouble:
    case varDate: return v.AsDoubleRaw() != 0;
    case varString:
    case varOleStr: {
      AnsiString s = TextOf(v);
      bool b;
      if (TryTextToBool(s.view(), b)) return b;
      double d;
      NumParse f = TextToFloat(s.view(), d, DecimalSep());
      if (f == NumParse::Ok) return d != 0;
      if (f == NumParse::Overflow) return true;  // too large to hold, so not zero
      std::int64_t i;
      if (TextToInt64(s.view(), i) == NumParse::Ok) return i != 0;
      VarCastError(t, varBoolean);
    }
    default:
      if (t & varByRef) return ToBool(VarDereference(v));
      VarCastError(t, varBoolean);
  }
}

// The text of a value, or false when the kind has none.
bool TryToText(const Variant& v, AnsiString& out) {
  const std::uint16_t t = v.VarType();
  // Only some kinds need the regional settings; texts and integers are the common case.
  auto fs = [] () -> const FormatSettings& { return CurrentFormatSettings(); };
  switch (t) {
    case varEmpty: out = AnsiString(); return true;
    case varShortInt: out = IntToText(v.AsShortIntRaw()); return true;
    case varByte: out = IntToText(v.AsByteRaw()); return true;
    case varSmallint: out = IntToText(v.AsSmallintRaw()); return true;
    case varWord: out = IntToText(v.AsWordRaw()); return true;
    case varInteger: out = IntToText(v.AsIntegerRaw()); return true;
    case varLongWord: out = IntToText(v.AsLongWordRaw()); return true;
    case varInt64: out = IntToText(v.AsInt64Raw()); return true;
    case varBoolean: out = v.AsBooleanRaw() ? fs().TrueBoolStr : fs().FalseBoolStr; return true;
    case varSingle: out = SingleToText(v.AsSingleRaw(), fs().DecimalSeparator); return true;
    case varDouble: out = FloatToText(v.AsDoubleRaw(), fs().DecimalSeparator); return true;
    case varCurrency: out = CurrencyToText(v.AsInt64Raw(), fs().DecimalSeparator); return true;
    case varDate: {
      std::string text;
      if (!TryDateTimeToText(v.AsDoubleRaw(), text, fs())) return false;
      out = text;
      return true;
    }
    case varString: out = v.AsAnsiStringRaw(); return true;
    case varOleStr: out = WideToAnsi(v.AsOleStrRaw()); return true;
    default:
      if (t & varByRef) return TryToText(VarDereference(v), out);
      return false;
  }
}

AnsiString ToText(const Variant& v, std::uint16_t to) {
  AnsiString s;
  if (!TryToText(v, s)) VarCastError(v.VarType(), to);
  return s;
}

Variant ToInterface(const Variant& v, std::uint16_t to) {
  const std::uint16_t t = v.VarType();
  if (t == varEmpty) return Variant::FromInterface(nullptr, to);
  if (t == to) return v;
  UnknownInterface* intf = v.AsInterfaceRaw();
  if (t == varDispatch && to == varUnknown) return Variant::FromInterface(intf, varUnknown);
  if (t == varUnknown && to == varDispatch && intf) {
    // IID_IDispatch {00020400-0000-0000-C000-000000000046}
    static const unsigned char iidDispatch[16] = {0x00, 0x04, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                  0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    void* dispatch = nullptr;
    if (intf->QueryInterface(iidDispatch, &dispatch) == 0 && dispatch) {
      auto* d = static_cast<UnknownInterface*>(dispatch);
      Variant r = Variant::FromInterface(d, varDispatch);
      d->Release();
      return r;
    }
  }
  VarCastError(t, to);
}

Variant DereferenceAt(const Variant& v, int depth) {
  const std::uint16_t t = v.VarType();
  if (!(t & varByRef)) return v;
  const auto base = static_cast<std::uint16_t>(t & ~varByRef);
  void* p = v.RawPointer();
  // A chain of references that does not end (or points nowhere) has no value.
  if (!p || depth > 16) VarCastError(t, base);
  if (base & varArray) {
    const VarArray* a = *static_cast<VarArray* const*>(p);
    return a ? Variant::AdoptArray(VarArrayCopy(a), base & varTypeMask) : Variant();
  }
  switch (base) {
    case varVariant: return DereferenceAt(*static_cast<const Variant*>(p), depth + 1);
    case varShortInt: return Variant::FromShortInt(*static_cast<const std::int8_t*>(p));
    case varByte: return Variant::FromByte(*static_cast<const std::uint8_t*>(p));
    case varSmallint: return Variant::FromSmallint(*static_cast<const std::int16_t*>(p));
    case varWord: return Variant::FromWord(*static_cast<const std::uint16_t*>(p));
    case varInteger: return Variant(*static_cast<const std::int32_t*>(p));
    case varLongWord: return Variant::FromLongWord(*static_cast<const std::uint32_t*>(p));
    case varInt64: return Variant(*static_cast<const std::int64_t*>(p));
    case varSingle: return Variant::FromSingle(*static_cast<const float*>(p));
    case varDouble: return Variant(*static_cast<const double*>(p));
    case varDate: return Variant::FromDate(*static_cast<const double*>(p));
    case varCurrency: return Variant::FromCurrency(*static_cast<const std::int64_t*>(p));
    case varBoolean: return Variant(*static_cast<const std::int16_t*>(p) != 0);
    case varError: return Variant::FromError(*static_cast<const std::int32_t*>(p));
    case varString: return Variant(AnsiString::FromRaw(*static_cast<void* const*>(p)));
    case varOleStr: {
      sys::BStr b = *static_cast<const sys::BStr*>(p);
      return Variant(std::u16string_view(b ? b : u"", sys::SysStringLen(b)));
    }
    case varDispatch:
    case varUnknown: return Variant::FromInterface(*static_cast<UnknownInterface* const*>(p), base);
    default: VarCastError(t, base);
  }
}

bool IsTargetType(std::uint16_t type) noexcept {
  return type <= varUnknown || (type >= varShortInt && type <= varInt64) || type == varString;
}

}  // namespace

std::string VarTypeAsText(std::uint16_t type) {
  const std::uint16_t base = type & varTypeMask;
  std::string name;
  if (base < sizeof kTypeNames / sizeof kTypeNames[0] && kTypeNames[base]) {
    name = kTypeNames[base];
  } else if (base == varString) {
    name = "String";
  } else if (base == varAny) {
    name = "Any";
  } else {
    static const char hex[] = "0123456789ABCDEF";
    name = "$";
    for (int shift = 12; shift >= 0; shift -= 4) name += hex[(base >> shift) & 0xF];
  }
  if (type & varArray) name = "Array " + name;
  if (type & varByRef) name = "ByRef " + name;
  return name;
}

void VarCastError(std::uint16_t fromType, std::uint16_t toType) {
  throw EVariantError("Could not convert variant of type (" + VarTypeAsText(fromType) + ") into type (" +
                      VarTypeAsText(toType) + ")");
}

void VarOverflowError(std::uint16_t fromType, std::uint16_t toType) {
  throw EVariantError("Overflow while converting variant of type (" + VarTypeAsText(fromType) + ") into type (" +
                      VarTypeAsText(toType) + ")");
}

void VarInvalidTypeError() { throw EVariantError("Invalid variant type"); }

Variant VarDereference(const Variant& v) { return DereferenceAt(v, 0); }

Variant VarAsType(const Variant& v, std::uint16_t type) {
  const std::uint16_t t = v.VarType();
  if (!IsTargetType(type) && !(type & varArray)) VarInvalidTypeError();
  if (t & varByRef) return VarAsType(VarDereference(v), type);
  if (type == t || type == varVariant) return v;
  switch (type) {
    case varEmpty: return Variant();
    case varNull: return Variant::Null();
    case varShortInt: return Variant::FromShortInt(ToIntegral<std::int8_t>(v, type));
    case varByte: return Variant::FromByte(ToIntegral<std::uint8_t>(v, type));
    case varSmallint: return Variant::FromSmallint(ToIntegral<std::int16_t>(v, type));
    case varWord: return Variant::FromWord(ToIntegral<std::uint16_t>(v, type));
    case varInteger: return Variant(ToIntegral<std::int32_t>(v, type));
    case varLongWord: return Variant::FromLongWord(ToIntegral<std::uint32_t>(v, type));
    case varInt64: return Variant(ToIntegral<std::int64_t>(v, type));
    case varSingle: return Variant::FromSingle(VarToSingle(v));
    case varDouble: return Variant(ToDouble(v, varDouble));
    case varCurrency: return Variant::FromCurrency(ToCurrency(v));
    case varDate: return Variant::FromDate(ToDate(v));
    case varBoolean: return Variant(ToBool(v));
    case varString: return Variant(ToText(v, varString));
    case varOleStr: return Variant::AdoptOleStr(AnsiToBStr(ToText(v, varOleStr).view()));
    case varDispatch:
    case varUnknown: return ToInterface(v, type);
    default: VarCastError(t, type);  // varError, arrays: only from their own kind
  }
}

std::int32_t VarToInt32(const Variant& v) {
  if (v.VarType() == varInteger) return v.AsIntegerRaw();
  return ToIntegral<std::int32_t>(v, varInteger);
}

std::int64_t VarToInt64(const Variant& v) { return ToIntegral<std::int64_t>(v, varInt64); }

float VarToSingle(const Variant& v) {
  if (v.VarType() == varSingle) return v.AsSingleRaw();
  if (v.VarType() & varByRef) return VarToSingle(VarDereference(v));
  double d = ToDouble(v, varSingle);
  if (std::isfinite(d) && std::fabs(d) > static_cast<double>(FLT_MAX)) VarOverflowError(v.VarType(), varSingle);
  return static_cast<float>(d);
}

double VarToDouble(const Variant& v) {
  if (v.VarType() == varDouble) return v.AsDoubleRaw();
  return ToDouble(v, varDouble);
}

bool VarToBool(const Variant& v) { return ToBool(v); }
std::int64_t VarToCurrency(const Variant& v) { return ToCurrency(v); }
double VarToDate(const Variant& v) { return ToDate(v); }
AnsiString VarToAnsiString(const Variant& v) {
  if (v.VarType() == varString) return v.AsAnsiStringRaw();  // shared, the common case
  return ToText(v, varString);
}

std::u16string VarToWideString(const Variant& v) {
  if (v.VarType() == varOleStr) return std::u16string(v.AsOleStrRaw());
  return AnsiToWide(ToText(v, varOleStr).view());
}

AnsiString VarToStr(const Variant& v) {
  if (v.IsNull()) return AnsiString();
  return ToText(v, varString);
}

bool TryTextToBool(std::string_view s, bool& value) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      char x = a[i], y = b[i];
      if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
      if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
      if (x != y) return false;
    }
    return true;
  };
  const FormatSettings& fs = CurrentFormatSettings();
  if (same(s, fs.TrueBoolStr)) value = true;
  else if (same(s, fs.FalseBoolStr)) value = false;
  else return false;
  return true;
}

void VarStoreNormalised(Variant& dest, const Variant& src) {
  Variant value;
  switch (src.VarType()) {
    case varString: value = Variant::AdoptOleStr(AnsiToBStr(src.AsAnsiStringRaw().view())); break;
    // Rewritten from their own bytes, so only the type's own data is kept.
    case varSmallint: value = Variant::FromSmallint(src.AsSmallintRaw()); break;
    case varInteger: value = Variant(src.AsIntegerRaw()); break;
    case varSingle: value = Variant::FromSingle(src.AsSingleRaw()); break;
    case varDouble: value = Variant(src.AsDoubleRaw()); break;
    case varCurrency: value = Variant::FromCurrency(src.AsInt64Raw()); break;
    case varBoolean: value = Variant(src.AsBooleanRaw()); break;
    case varShortInt: value = Variant::FromShortInt(src.AsShortIntRaw()); break;
    case varByte: value = Variant::FromByte(src.AsByteRaw()); break;
    case varWord: value = Variant::FromWord(src.AsWordRaw()); break;
    case varLongWord: value = Variant::FromLongWord(src.AsLongWordRaw()); break;
    case varInt64: value = Variant(src.AsInt64Raw()); break;
    default:
      if (src.VarType() & varByRef) {
        VarStoreNormalised(dest, VarDereference(src));
        return;
      }
      value = src;
      break;
  }
  dest = std::move(value);
}

}  // namespace rtl
