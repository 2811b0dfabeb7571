#include "compare/Workloads.h"

#include <memory>

#include "Public/Common/orbParamLst.h"
#include "compare/CompileProgram.h"
#include "compare/ComputePrograms.h"
#include "compare/LuaSide.h"
#include "compare/RowFilterCase.h"
#include "compare/VelmoraSide.h"

namespace compare {

namespace {
// Compiles per run of the compile workload: one compile is too short to time alone.
constexpr int kCompilesPerRun = 20;

// The language indexes of the options dialog's list.
constexpr int kPascalIndex = 0;
constexpr int kJScriptIndex = 2;
}  // namespace

std::vector<Workload> AllWorkloads() {
  std::vector<Workload> list;

  // Made once, on the first side that needs it, and shared by both sides.
  auto packet = std::make_shared<std::shared_ptr<const orb::TorbParamsList>>();
  auto thePacket = [packet] {
    if (!*packet) *packet = MakeFilterPacket(kFilterRows);
    return *packet;
  };
  const struct {
    const char* Suffix;
    const char* Script;
    int Language;
    std::uint32_t ConfigId;
  } filters[] = {{"pascal", kFilterPascal, kPascalIndex, 9001}, {"jscript", kFilterJScript, kJScriptIndex, 9002}};
  for (const auto& f : filters) {
    list.push_back({std::string("row-filter-") + f.Suffix, "row-filter", TimeUnit::MicrosecondsPerRow, kFilterRows,
                    [f, thePacket] { return MakeVelmoraFilter(f.ConfigId, f.Script, f.Language, thePacket(), kFilterRows); },
                    [thePacket] { return MakeLuaFilter(thePacket(), kFilterRows); }});
  }

  for (const ComputeProgram& program : ComputePrograms()) {
    for (const char* dialect : {"PascalScript", "JScript"}) {
      const std::string suffix = std::string(dialect) == "JScript" ? "-jscript" : "-pascal";
      list.push_back({program.Name + suffix, program.Name, TimeUnit::MillisecondsPerOp, 1,
                      [&program, dialect] { return MakeVelmoraProgram(program, dialect); },
                      [&program] { return MakeLuaProgram(program); }});
    }
  }

  auto generated = std::make_shared<const GeneratedProgram>(GenerateCompileProgram(500));
  list.push_back({"compile", "compile", TimeUnit::MillisecondsPerOp, kCompilesPerRun,
                  [generated] { return MakeVelmoraCompile(generated, kCompilesPerRun); },
                  [generated] { return MakeLuaCompile(generated, kCompilesPerRun); }});
  return list;
}

}  // namespace compare
