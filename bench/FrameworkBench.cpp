// The framework's per-call costs: finding the instance and guarding a data call, and
// the parameter list operations every row goes through.
#include <benchmark/benchmark.h>

#include "Private/Plugins/orbDataCalls.h"
#include "Private/Plugins/orbInstances.h"
#include "Public/Common/orbParamLst.h"

using namespace orb;

namespace {

std::unique_ptr<TorbParamsList> Packet(int rows, int vars) {
  auto list = std::make_unique<TorbParamsList>();
  for (int r = 0; r < rows; ++r) {
    for (int v = 0; v < vars; ++v) list->Add("Var" + std::to_string(v), rtl::Variant(r * vars + v));
    list->AddRowMarker();
  }
  return list;
}

// A packet through ProcessData of a module without a handler: the call guard alone.
void BM_ProcessDataPassThrough(benchmark::State& state) {
  auto packet = Packet(10, 8);
  auto params = std::make_unique<TorbParamsList>();
  PluginCallRec rec = NewCallRec();
  rec.ConfigId = 1;
  rec.ModuleTypes = ModuleTypeBit(mttFilter);
  rec.Params = params.get();
  for (auto _ : state) {
    rec.Input = {0, 0, pdtParamsList, reinterpret_cast<std::uintptr_t>(packet.get())};
    benchmark::DoNotOptimize(DoProcessData(&rec));
  }
}
BENCHMARK(BM_ProcessDataPassThrough);

void BM_IndexOfNameLast(benchmark::State& state) {
  auto packet = Packet(1, 8);
  for (auto _ : state) benchmark::DoNotOptimize(packet->IndexOfName("VAR7"));
}
BENCHMARK(BM_IndexOfNameLast);

// Copying one row into a working list and appending it to an output list.
void BM_CopyRowAndAppend(benchmark::State& state) {
  auto packet = Packet(1, 8);
  TorbParamsList row, out;
  for (auto _ : state) {
    row.Clear();
    row.AddRange(packet.get(), 0, 7);
    out.AppendRow(&row);
    if (out.Count() > 9000) out.Clear();
  }
}
BENCHMARK(BM_CopyRowAndAppend);

}  // namespace

BENCHMARK_MAIN();
