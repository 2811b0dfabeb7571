// The workloads of the comparison, in the order of the table: the row filter, the
// compute programs in PascalScript and JScript, and the compile of a 500-line program.
#pragma once

#include <vector>

#include "compare/Workload.h"

namespace compare {

std::vector<Workload> AllWorkloads();

}  // namespace compare
