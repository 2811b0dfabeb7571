#include "filter/WorkingRow.h"

#include <cstring>

#include "rtl/VariantConvert.h"

namespace filter {

TWorkingRow::~TWorkingRow() {
  Clear();
  for (orb::TorbParamsListItem* p : FPrototypes) delete p;
}

const orb::TorbParamsListItem* TWorkingRow::Prototype(std::string_view name) {
  for (const orb::TorbParamsListItem* p : FPrototypes)
    if (p->Name.view() == name) return p;
  if (orb::IsBlankName(name)) return nullptr;  // what Add refuses
  FPrototypes.reserve(FPrototypes.size() + 1);
  orb::TorbParamsListItem* p = ItemClass->Create(name, rtl::Variant::Null());
  p->State = 2;  // as Add marks its items
  // A script that makes up names without end must not grow this without end.
  constexpr std::size_t kMaxPrototypes = 64;
  if (FPrototypes.size() == kMaxPrototypes) {
    delete FPrototypes.front();
    FPrototypes.erase(FPrototypes.begin());
  }
  FPrototypes.push_back(p);
  return p;
}

void TWorkingRow::Clear() {
  for (std::int32_t i = FCount - 1; i >= 0; --i) {
    orb::TorbParamsListItem* item = FList[i];
    FCount = i;
    if (FOwned[static_cast<std::size_t>(i)]) delete item;
  }
  FCount = 0;
  FOwned.clear();
}

bool TWorkingRow::Load(const orb::TorbParamsList* list, std::int32_t fromIndex, std::int32_t toIndex) {
  Clear();
  if (!list || list->FCount == 0) return false;
  list->CheckSignature();
  if (fromIndex < 0) fromIndex = 0;
  if (toIndex < 0 || toIndex >= list->FCount) toIndex = list->FCount - 1;
  if (toIndex < fromIndex) return true;
  const std::int32_t n = toIndex - fromIndex + 1;
  Reserve(n);
  FOwned.assign(static_cast<std::size_t>(n), 0);
  for (std::int32_t i = fromIndex; i <= toIndex; ++i) {
    orb::TorbParamsListItem* item = list->FList[i];
    if (!item || orb::IsBlankName(item->Name.view())) continue;  // what AddCopy refuses
    FList[FCount++] = item;
  }
  FOwned.resize(static_cast<std::size_t>(FCount));
  return true;
}

orb::TorbParamsListItem* TWorkingRow::Write(std::string_view name, const rtl::Variant& value) {
  const std::int32_t i = IndexOfName(name);
  if (i < 0) {
    // What Add(name, Null) makes, without making the name strings again.
    const orb::TorbParamsListItem* prototype = Prototype(name);
    if (!prototype) return nullptr;
    Reserve(1);
    FOwned.push_back(1);
    orb::TorbParamsListItem* item;
    try {
      item = ItemClass->CreateCopy(*prototype);
    } catch (...) {
      FOwned.pop_back();
      throw;
    }
    FList[FCount++] = item;
    item->WriteValue(value);
    return item;
  }
  if (!FOwned[static_cast<std::size_t>(i)]) {
    FList[i] = ItemClass->CreateCopy(*FList[i]);
    FOwned[static_cast<std::size_t>(i)] = 1;
  }
  FList[i]->WriteValue(value);
  return FList[i];
}

void TWorkingRow::Remove(std::int32_t index) {
  if (index < 0 || index >= FCount) {
    Delete(index);  // the list's own answer to a bad index
    return;
  }
  const bool owned = FOwned[static_cast<std::size_t>(index)];
  orb::TorbParamsListItem* item = FList[index];
  std::memmove(FList + index, FList + index + 1, static_cast<std::size_t>(FCount - index - 1) * sizeof(*FList));
  --FCount;
  FOwned.erase(FOwned.begin() + index);
  if (owned) delete item;
}

void TWorkingRow::MoveTo(orb::TorbParamsList* dest) {
  if (FCount == 0) return;
  if (dest->ItemClass != ItemClass) {
    dest->AppendRow(this);
    Clear();
    return;
  }
  // The packet's items are copied first; should a copy fail, the row still holds
  // everything and is freed whole. Then the list hands all of them over.
  for (std::int32_t i = 0; i < FCount; ++i) {
    if (FOwned[static_cast<std::size_t>(i)]) continue;
    FList[i] = ItemClass->CreateCopy(*FList[i]);
    FOwned[static_cast<std::size_t>(i)] = 1;
  }
  MoveRowTo(dest);
  FOwned.clear();
}

void TWorkingRow::ReadValue(const orb::TorbParamsListItem& item, rtl::Variant& result) {
  rtl::VarStoreNormalised(result, item.Value);
}

}  // namespace filter
