#include "compare/RowCompare.h"

#include "Public/Common/orbParamLst.h"
#include "rtl/VariantConvert.h"

namespace compare {

std::vector<RowValues> RowsOf(const orb::TorbParamsList& list) {
  std::vector<RowValues> rows;
  RowValues row;
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    const orb::TorbParamsListItem* item = list.Items(i);
    if (item->IsRowMarker()) {
      rows.push_back(std::move(row));
      row.clear();
    } else {
      row[item->Name.str()] = item->Value;
    }
  }
  if (!row.empty()) rows.push_back(std::move(row));
  return rows;
}

std::string CompareRows(const orb::TorbParamsList* a, const std::string& nameA, const orb::TorbParamsList* b,
                        const std::string& nameB) {
  if (!a || !b) return (a ? nameB : nameA) + " has no output";
  const std::vector<RowValues> rowsA = RowsOf(*a), rowsB = RowsOf(*b);
  if (rowsA.size() != rowsB.size())
    return nameA + " kept " + std::to_string(rowsA.size()) + " rows, " + nameB + " " + std::to_string(rowsB.size());
  for (std::size_t r = 0; r < rowsA.size(); ++r) {
    const std::string where = "row " + std::to_string(r) + ": ";
    if (rowsA[r].size() != rowsB[r].size())
      return where + nameA + " has " + std::to_string(rowsA[r].size()) + " variables, " + nameB + " " +
             std::to_string(rowsB[r].size());
    for (const auto& [name, value] : rowsA[r]) {
      auto other = rowsB[r].find(name);
      if (other == rowsB[r].end()) return where + nameB + " has no " + name;
      const std::string textA = rtl::VarToStr(value).str(), textB = rtl::VarToStr(other->second).str();
      if (value.VarType() != other->second.VarType() || textA != textB)
        return where + name + " is " + textA + " (" + rtl::VarTypeAsText(value.VarType()) + ") in " + nameA + ", " +
               textB + " (" + rtl::VarTypeAsText(other->second.VarType()) + ") in " + nameB;
    }
  }
  return {};
}

}  // namespace compare
