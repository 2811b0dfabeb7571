#include "rtl/FormatArgs.h"

#include "rtl/VariantConvert.h"

namespace rtl {

FormatArg FormatArg::FromInt(std::int32_t v) {
  FormatArg a;
  a.Kind = FormatArgKind::Integer;
  a.Int = v;
  return a;
}

FormatArg FormatArg::FromInt64(std::int64_t v) {
  FormatArg a;
  a.Kind = FormatArgKind::Int64;
  a.Int64 = v;
  return a;
}

FormatArg FormatArg::FromFloat(double v) {
  FormatArg a;
  a.Kind = FormatArgKind::Float;
  a.Float = v;
  return a;
}

FormatArg FormatArg::FromWide(std::u16string v) {
  FormatArg a;
  a.Kind = FormatArgKind::WideString;
  a.Wide = std::move(v);
  return a;
}

FormatArg FormatArg::FromShort(std::string_view v) {
  FormatArg a;
  a.Kind = FormatArgKind::ShortString;
  a.Short = std::string(v.substr(0, kShortStringMax));
  return a;
}

FormatArg FormatArg::FromBool(bool v) {
  FormatArg a;
  a.Kind = FormatArgKind::Boolean;
  a.Bool = v;
  return a;
}

FormatArg FormatArg::FromVariant(const rtl::Variant& v) {
  FormatArg a;
  a.Kind = FormatArgKind::Variant;
  a.Var = v;
  return a;
}

FormatArg FormatArgFromVariant(const rtl::Variant& element) {
  if (element.VarType() & varByRef) {
    // An element of the Variant kind refers to a variant; keep what it holds.
    if ((element.VarType() & varTypeMask) == varVariant && !(element.VarType() & varArray))
      return FormatArg::FromVariant(VarDereference(element));
    return FormatArgFromVariant(VarDereference(element));
  }
  const rtl::Variant& v = element;
  switch (v.VarType()) {
    case varSmallint: return FormatArg::FromInt(v.AsSmallintRaw());
    case varInteger: return FormatArg::FromInt(v.AsIntegerRaw());
    case varShortInt: return FormatArg::FromInt(v.AsShortIntRaw());
    case varByte: return FormatArg::FromInt(v.AsByteRaw());
    case varWord: return FormatArg::FromInt(v.AsWordRaw());
    case varLongWord: return FormatArg::FromInt(static_cast<std::int32_t>(v.AsLongWordRaw()));
    case varSingle: return FormatArg::FromFloat(v.AsSingleRaw());
    case varDouble:
    case varDate: return FormatArg::FromFloat(v.AsDoubleRaw());
    case varCurrency: return FormatArg::FromFloat(static_cast<double>(v.AsInt64Raw()) / 10000.0);
    case varOleStr: return FormatArg::FromWide(std::u16string(v.AsOleStrRaw()));
    case varBoolean: return FormatArg::FromBool(v.AsBooleanRaw());
    case varInt64: return FormatArg::FromInt64(v.AsInt64Raw());
    case varString: return FormatArg::FromShort(v.AsAnsiStringRaw().view());
    default: return FormatArg::FromInt(0);
  }
}

std::vector<FormatArg> FormatArgsFromVariant(const rtl::Variant& args) {
  std::vector<FormatArg> result;
  if (args.IsEmptyOrNull()) return result;
  if (!args.IsArray()) {
    result.push_back(FormatArgFromVariant(args));
    return result;
  }
  if (args.VarType() & varByRef) return FormatArgsFromVariant(VarDereference(args));
  const VarArray* a = args.AsArrayRaw();
  if (!a) return result;
  const std::size_t n = VarArrayElementCount(a);
  const Variant* data = VarArrayData(a);
  result.reserve(n);
  for (std::size_t i = 0; i < n; ++i) result.push_back(FormatArgFromVariant(data[i]));
  return result;
}

}  // namespace rtl
