// The Lua 5.4 side of the workloads, in this process through the C API: the row filter
// as a Lua function called once per row on a table of the row's values, the compute
// chunks loaded once and called per run, and the load of the generated chunk.
#pragma once

#include <memory>

#include "compare/Workload.h"

namespace compare {

struct ComputeProgram;
struct GeneratedProgram;

// Each run: for every row of the packet a table of its values, the filter called on
// it, and the kept rows read back into the output list.
std::unique_ptr<TimedSide> MakeLuaFilter(std::shared_ptr<const orb::TorbParamsList> packet, int rows);

// "Lua 5.4.x", the release linked in.
const char* LuaRelease();

// Each run calls the chunk once.
std::unique_ptr<TimedSide> MakeLuaProgram(const ComputeProgram& program);

// Each run loads (compiles) the generated chunk `compiles` times.
std::unique_ptr<TimedSide> MakeLuaCompile(std::shared_ptr<const GeneratedProgram> program, int compiles);

}  // namespace compare
