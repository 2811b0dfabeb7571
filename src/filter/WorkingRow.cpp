#include "filter/WorkingRow.h"

#include <cstring>

#include "rtl/VariantConvert.h"

namespace filter {

namespace {

bool BlankName(const orb::TorbParamsListItem* item) {
  for (char c : item->Name.view())
    if (static_cast<unsigned char>(c) > ' ') return false;
  return true;
}

}  // namespace

TWorkingRow::~TWorkingRow() { Clear(); }

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
  Reserve(toIndex - fromIndex + 1);
  for (std::int32_t i = fromIndex; i <= toIndex; ++i) {
    orb::TorbParamsListItem* item = list->FList[i];
    if (!item || BlankName(item)) continue;  // what AddCopy refuses
    FList[FCount++] = item;
    FOwned.push_back(false);
  }
  return true;
}

orb::TorbParamsListItem* TWorkingRow::Write(std::string_view name, const rtl::Variant& value) {
  const std::int32_t i = IndexOfName(name);
  if (i < 0) {
    orb::TorbParamsListItem* item = Add(name, rtl::Variant::Null());
    if (!item) return nullptr;
    FOwned.push_back(true);
    item->WriteValue(value);
    return item;
  }
  if (!FOwned[static_cast<std::size_t>(i)]) {
    FList[i] = ItemClass->CreateCopy(*FList[i]);
    FOwned[static_cast<std::size_t>(i)] = true;
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
    FOwned[static_cast<std::size_t>(i)] = true;
  }
  MoveRowTo(dest);
  FOwned.clear();
}

void TWorkingRow::ReadValue(const orb::TorbParamsListItem& item, rtl::Variant& result) {
  rtl::VarStoreNormalised(result, item.Value);
}

}  // namespace filter
