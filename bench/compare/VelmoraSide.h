// The Velmora side of the workloads: a filter configuration driven through the exports
// as the host drives it, a compiled program run again and again, and the compile a
// configuration reload does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "compare/Workload.h"

namespace compare {

struct ComputeProgram;
struct GeneratedProgram;

// A configuration (id configId) with the script in the language of the options dialog's
// index; each run is one ProcessData of the packet. The first run compiles.
std::unique_ptr<TimedSide> MakeVelmoraFilter(std::uint32_t configId, const std::string& script, int language,
                                             std::shared_ptr<const orb::TorbParamsList> packet, int rows);

// The program in the dialect ("PascalScript", "JScript"), prepared as the filter
// prepares its script and compiled once; each run is one RunProgram.
std::unique_ptr<TimedSide> MakeVelmoraProgram(const ComputeProgram& program, const std::string& dialect);

// Each run prepares the same script again and compiles the program `compiles` times.
std::unique_ptr<TimedSide> MakeVelmoraCompile(std::shared_ptr<const GeneratedProgram> program, int compiles);

}  // namespace compare
