#include "VariantJson.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

Json VariantToJson(const rtl::Variant& v) {
  using namespace rtl;
  switch (v.VarType()) {
    case varEmpty:
    case varNull:
      return nullptr;
    case varBoolean:
      return v.AsBooleanRaw();
    case varShortInt:
    case varSmallint:
    case varInteger:
    case varInt64:
      return VarToInt64(v);
    case varByte:
    case varWord:
    case varLongWord:
      return static_cast<std::uint64_t>(VarToInt64(v));
    case varSingle:
    case varDouble:
    case varDate:
    case varCurrency:
      return VarToDouble(v);
    case varOleStr:
      return WideToUtf8(v.AsOleStrRaw());
    case varString:
      return AnsiToUtf8(v.AsAnsiStringRaw().view());
    default:
      if (v.IsArray()) {
        Json a = Json::array();
        const VarArray* arr = v.AsArrayRaw();
        for (std::size_t i = 0; i < VarArrayElementCount(arr); ++i) a.push_back(VariantToJson(VarArrayData(arr)[i]));
        return a;
      }
      return WideToUtf8(VarToWideString(v));
  }
}

rtl::Variant JsonToVariant(const Json& j) {
  if (j.is_null()) return rtl::Variant::Null();
  if (j.is_boolean()) return rtl::Variant(j.get<bool>());
  if (j.is_number_integer() || j.is_number_unsigned()) {
    if (j.is_number_unsigned() && j.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
      return rtl::Variant(j.get<double>());
    std::int64_t n = j.get<std::int64_t>();
    if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max())
      return rtl::Variant(static_cast<std::int32_t>(n));
    return rtl::Variant(n);
  }
  if (j.is_number()) return rtl::Variant(j.get<double>());
  if (j.is_string()) {
    std::u16string ws = rtl::Utf8ToWide(j.get<std::string>());
    return rtl::Variant(std::u16string_view(ws));
  }
  // Objects and arrays as their JSON text.
  std::u16string ws = rtl::Utf8ToWide(j.dump());
  return rtl::Variant(std::u16string_view(ws));
}

rtl::Variant ArgumentToVariant(const std::string& text) {
  if (text == "true") return rtl::Variant(true);
  if (text == "false") return rtl::Variant(false);
  if (!text.empty()) {
    errno = 0;
    char* end = nullptr;
    long long n = std::strtoll(text.c_str(), &end, 10);
    if (errno == 0 && end && *end == '\0' && n >= std::numeric_limits<std::int32_t>::min() &&
        n <= std::numeric_limits<std::int32_t>::max())
      return rtl::Variant(static_cast<std::int32_t>(n));
  }
  std::u16string ws = rtl::Utf8ToWide(text);
  return rtl::Variant(std::u16string_view(ws));
}
