// TStoredVariables: the values a configuration's script keeps across rows and packets
// (PushVariable, PopVariable, IsVariableStored). A parameter list as it always was,
// with an index from name to item beside it, so that a lookup costs the same whether
// the script keeps ten names or a hundred thousand.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "Public/Common/orbParamLst.h"

namespace filter {

class TStoredVariables : public orb::TorbParamsList {
public:
  void Clear() override;
  // The item of that name, case ignored as the list compares names; nullptr for none.
  orb::TorbParamsListItem* Find(std::string_view name) const;
  // Stores value under name, adding the name when it is missing (a blank name is
  // ignored, as the list ignores it).
  void Push(std::string_view name, const rtl::Variant& value);

private:
  // Items by their key (the name in lower case); items are only ever added or all
  // cleared, so the pointers stay valid.
  std::unordered_map<std::string, orb::TorbParamsListItem*> FIndex;
};

}  // namespace filter
