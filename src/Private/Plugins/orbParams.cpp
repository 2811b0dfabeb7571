#include "Private/Plugins/orbParams.h"

#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

namespace orb {

bool ReadParam(const TorbParamsList* params, std::string_view name, rtl::Variant& value) {
  value.Clear();
  if (!params) return false;
  params->ReadValue(name, 0, value);
  return !value.IsEmptyOrNull();
}

bool HasParam(const TorbParamsList* params, std::string_view name) {
  rtl::Variant v;
  return ReadParam(params, name, v);
}

std::string ParamText(const TorbParamsList* params, std::string_view name) {
  rtl::Variant v;
  return ReadParam(params, name, v) ? rtl::VarToAnsiString(v).str() : std::string();
}

std::int64_t ParamInt(const TorbParamsList* params, std::string_view name) {
  rtl::Variant v;
  return ReadParam(params, name, v) ? rtl::VarToInt64(v) : 0;
}

void WriteAnswer(TorbParamsList* params, std::string_view name, const rtl::Variant& value) {
  if (params) params->WriteValue(name, value, false);
}

rtl::Variant OleText(std::string_view text) { return rtl::Variant(std::u16string_view(rtl::AnsiToWide(text))); }

}  // namespace orb
