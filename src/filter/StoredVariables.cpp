#include "filter/StoredVariables.h"

#include "rtl/CodePage.h"

namespace filter {

void TStoredVariables::Clear() {
  FIndex.clear();
  TorbParamsList::Clear();
}

orb::TorbParamsListItem* TStoredVariables::Find(std::string_view name) const {
  std::string key(name);
  rtl::AnsiLowerInPlace(key.data(), key.size());
  auto it = FIndex.find(key);
  return it == FIndex.end() ? nullptr : it->second;
}

void TStoredVariables::Push(std::string_view name, const rtl::Variant& value) {
  orb::TorbParamsListItem* item = Find(name);
  if (!item) {
    item = Add(name, rtl::Variant::Null());
    if (!item) return;
    FIndex.emplace(item->Key.str(), item);
  }
  item->WriteValue(value);
}

}  // namespace filter
