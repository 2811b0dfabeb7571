// Reading arguments from and writing answers into a call's parameter list, with the
// conventions of the command protocol: an item is present when its value is neither
// empty nor null; answers are written only into items the host created.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Public/Common/orbParamLst.h"
#include "rtl/Variant.h"

namespace orb {

// The value of a present item, or false (value left Empty).
bool ReadParam(const TorbParamsList* params, std::string_view name, rtl::Variant& value);
bool HasParam(const TorbParamsList* params, std::string_view name);
// Text and numbers of an item; '' or 0 when absent or null.
std::string ParamText(const TorbParamsList* params, std::string_view name);
std::int64_t ParamInt(const TorbParamsList* params, std::string_view name);
// Stores an answer in an existing item (strings as OLE strings); nothing when missing.
void WriteAnswer(TorbParamsList* params, std::string_view name, const rtl::Variant& value);
// An 8-bit text as the OLE string the host is given.
rtl::Variant OleText(std::string_view text);

}  // namespace orb
