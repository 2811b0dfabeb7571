// TWorkingRow: the row a script works on. It starts as a view of the input packet's
// items and copies an item only when the script changes it or the row is kept, so a
// row the script only reads and then discards costs no copies. What the script sees
// is the same as if every item had been copied: values read are normalised the way a
// copy would store them, and the packet's own items are never changed.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "Public/Common/orbParamLst.h"
#include "rtl/Variant.h"

namespace filter {

class TWorkingRow : public orb::TorbParamsList {
public:
  TWorkingRow() = default;
  ~TWorkingRow() override;

  // Frees the row's own items and forgets the packet's.
  void Clear() override;
  // The row becomes the items fromIndex..toIndex of list (those AddRange would copy);
  // false when list is nil or empty.
  bool Load(const orb::TorbParamsList* list, std::int32_t fromIndex, std::int32_t toIndex);
  // WriteValue with a new item when the name is missing; the packet's item is copied
  // before it is changed. New items share their name strings with earlier ones.
  orb::TorbParamsListItem* Write(std::string_view name, const rtl::Variant& value);
  // Delete: the row's own item is freed, the packet's only left out.
  void Remove(std::int32_t index);
  // MoveRowTo: the row's own items are handed over, the packet's copied.
  void MoveTo(orb::TorbParamsList* dest);
  // An item's value as a copy of the item would hold it.
  static void ReadValue(const orb::TorbParamsListItem& item, rtl::Variant& result);

private:
  // An item of that name with no value, to copy for a new item: the rows of a packet
  // add the same few names again and again, and copies share the name and key
  // strings. Null for a blank name.
  const orb::TorbParamsListItem* Prototype(std::string_view name);

  std::vector<std::uint8_t> FOwned;  // per item: 1 when made by this row, 0 when the packet's
  std::vector<orb::TorbParamsListItem*> FPrototypes;
};

}  // namespace filter
