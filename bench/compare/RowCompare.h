// Rows of a parameter list as name -> value maps, and the comparison of two filters'
// outputs row by row (the order of variables within a row does not matter).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "rtl/Variant.h"

namespace orb {
class TorbParamsList;
}

namespace compare {

using RowValues = std::map<std::string, rtl::Variant>;

// The rows of a list; each row ends at a row marker (or at the end of the list).
std::vector<RowValues> RowsOf(const orb::TorbParamsList& list);

// The first difference between two outputs, as a sentence; empty when they hold the
// same rows with the same names, variant types and values.
std::string CompareRows(const orb::TorbParamsList* a, const std::string& nameA, const orb::TorbParamsList* b,
                        const std::string& nameB);

}  // namespace compare
