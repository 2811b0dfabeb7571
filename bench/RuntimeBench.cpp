// Runtime library benchmarks: registering the whole system functions module into a
// fresh script (every script that loads its own copies of the libraries pays this),
// and a compiled PascalScript loop of 100 000 passes calling system functions
// (Copy, Length, Round, Inc), which measures the cost of a registered call.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/fsScript.h"
#include "runtime/fsSysFunctions.h"

namespace {

using fs::TfsScript;

void BM_RegisterSysFunctions(benchmark::State& state) {
  for (auto _ : state) {
    TfsScript script;
    script.AddName(std::string(), new fs::TfsSysFunctions(&script));
    benchmark::DoNotOptimize(script.Items().Count());
  }
}
BENCHMARK(BM_RegisterSysFunctions)->Unit(benchmark::kMicrosecond);

const char* const kCallLoop = R"(
var i, n: Integer; s: String;
begin
  s := 'abcdefghij'; n := 0;
  for i := 1 to 100000 do begin
    n := n + Length(Copy(s, i mod 10, 3)) + Round(i / 3);
    Inc(n);
  end;
end.)";

void BM_CallSysFunctions(benchmark::State& state) {
  TfsScript registry;
  registry.AddName(std::string(), new fs::TfsSysFunctions(&registry));
  TfsScript script;
  script.SetParentScript(&registry);
  script.SetLinesText(kCallLoop);
  if (!script.CompileProgram()) {
    std::fprintf(stderr, "%s %s\n", script.LastErrorPos().c_str(), script.LastErrorText().c_str());
    std::abort();
  }
  for (auto _ : state) script.RunProgram();
  state.SetItemsProcessed(state.iterations() * 100000 * 4);
}
BENCHMARK(BM_CallSysFunctions)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
