// The compute workloads: one program in PascalScript, JScript and Lua each, and the
// value of r every one of them must end with.
#pragma once

#include <vector>

namespace compare {

struct ComputeProgram {
  const char* Name;     // "fib", "int-loop" ...
  const char* Pascal;   // leaves its result in the global r
  const char* JScript;  // leaves its result in the global r
  const char* Lua;      // a chunk that returns its result
  double Expected;      // r after a run
};

const std::vector<ComputeProgram>& ComputePrograms();

}  // namespace compare
