// The compile workload's program: a filter-style PascalScript program of at least 500
// lines (globals, functions with loops and ifs, procedures with string work and calls,
// a main block calling them), the same program in Lua, and the globals one run of it
// leaves, worked out in C++.
#pragma once

#include <cstdint>
#include <string>

namespace compare {

struct GeneratedProgram {
  std::string Pascal;
  std::string Lua;  // a chunk that returns gCount, gTotal, gName
  int PascalLines = 0;
  // The globals after one run.
  std::int32_t Count = 0;
  double Total = 0;
  std::string Name;
};

GeneratedProgram GenerateCompileProgram(int minLines = 500);

}  // namespace compare
