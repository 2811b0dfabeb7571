// Runtime library benchmarks: registering the whole system functions module into a
// fresh script (every script that loads its own copies of the libraries pays this);
// the three date and time libraries after it; every runtime module linked into the
// program loaded the way the global registry loads them once at library start; a
// compiled PascalScript loop of 100 000 passes calling system functions (Copy, Length,
// Round, Inc), which measures the cost of a registered call; and the same for calls of
// date library routines, which go through the libraries' argument conventions; and a
// loop that makes, uses and frees string lists, which measures what a script pays for
// each object it owns (the tracking included). Searching and sorting on their own: Pos
// of a 1 000 000-character pattern that nearly matches everywhere in a 2 000 000-character
// text, Pos of a word in 64 KB of prose, and sorting 20 000 lines that share a
// 10 000-character start (ignoring case, as string lists do by default).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/fsScript.h"
#include "rtl/StringList.h"
#include "rtl/StringRoutines.h"
#include "runtime/fsClassesRTTI.h"
#include "runtime/fsDateTimeRoutines.h"
#include "runtime/fsDateUtils.h"
#include "runtime/fsGlobalRegistry.h"
#include "runtime/fsSysFunctions.h"
#include "runtime/fsTimeZones.h"

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

void BM_RegisterDateLibraries(benchmark::State& state) {
  for (auto _ : state) {
    TfsScript script;
    script.AddName(std::string(), new fs::TfsSysFunctions(&script));
    script.AddName(std::string(), new fs::TfsDateUtils(&script));
    script.AddName(std::string(), new fs::TfsDateTimeRoutines(&script));
    script.AddName(std::string(), new fs::TfsTimeZones(&script));
    benchmark::DoNotOptimize(script.Items().Count());
  }
}
BENCHMARK(BM_RegisterDateLibraries)->Unit(benchmark::kMicrosecond);

// What the first request of the global registry costs: every module of RuntimeModules.
void BM_LoadRuntimeModules(benchmark::State& state) {
  for (auto _ : state) {
    TfsScript script;
    fs::LoadRuntimeModules(script);
    benchmark::DoNotOptimize(script.Items().Count());
  }
  state.counters["modules"] = static_cast<double>(fs::RuntimeModules().size());
}
BENCHMARK(BM_LoadRuntimeModules)->Unit(benchmark::kMicrosecond);

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

const char* const kDateCallLoop = R"(
var i, n: Integer; d: TDateTime;
begin
  d := EncodeDate(2024, 3, 14); n := 0;
  for i := 1 to 100000 do begin
    n := n + DayOfTheYear(IncDay(d, i mod 365)) + WeekOfTheYear(d);
    Inc(n);
  end;
end.)";

void BM_CallDateLibraries(benchmark::State& state) {
  TfsScript registry;
  registry.AddName(std::string(), new fs::TfsSysFunctions(&registry));
  registry.AddName(std::string(), new fs::TfsDateUtils(&registry));
  TfsScript script;
  script.SetParentScript(&registry);
  script.SetLinesText(kDateCallLoop);
  if (!script.CompileProgram()) {
    std::fprintf(stderr, "%s %s\n", script.LastErrorPos().c_str(), script.LastErrorText().c_str());
    std::abort();
  }
  for (auto _ : state) script.RunProgram();
  state.SetItemsProcessed(state.iterations() * 100000 * 3);
}
BENCHMARK(BM_CallDateLibraries)->Unit(benchmark::kMillisecond);

}  // namespace

const char* const kObjectLoop = R"(
var i: Integer; sl: TStringList;
begin
  for i := 1 to 10000 do begin
    sl := TStringList.Create;
    sl.Add('x');
    sl.Free;
  end;
end.)";

void BM_MakeAndFreeObjects(benchmark::State& state) {
  TfsScript registry;
  registry.AddName(std::string(), new fs::TfsSysFunctions(&registry));
  registry.AddName(std::string(), new fs::TfsClassesRTTI(&registry));
  TfsScript script;
  script.SetParentScript(&registry);
  script.SetLinesText(kObjectLoop);
  if (!script.CompileProgram()) {
    std::fprintf(stderr, "%s %s\n", script.LastErrorPos().c_str(), script.LastErrorText().c_str());
    std::abort();
  }
  for (auto _ : state) script.RunProgram();
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_MakeAndFreeObjects)->Unit(benchmark::kMillisecond);

void BM_PosLongPattern(benchmark::State& state) {
  const std::string pattern = std::string(999999, 'a') + "b";
  const std::string text = std::string(1999999, 'a') + "b";
  for (auto _ : state) benchmark::DoNotOptimize(rtl::Pos(pattern, text));
}
BENCHMARK(BM_PosLongPattern)->Unit(benchmark::kMillisecond);

void BM_PosWord(benchmark::State& state) {
  std::string text;
  while (text.size() < 65536) text += "the quick brown fox jumps over the lazy dog ";
  text += "needle";
  for (auto _ : state) benchmark::DoNotOptimize(rtl::Pos("needle", text));
}
BENCHMARK(BM_PosWord)->Unit(benchmark::kMicrosecond);

void BM_SortSharedStart(benchmark::State& state) {
  const std::string start(10000, 'a');
  for (auto _ : state) {
    state.PauseTiming();
    rtl::TStringList list;
    for (int i = 0; i < 20000; ++i) list.Add(rtl::AnsiString(start + std::to_string((i * 7919) % 20000)));
    state.ResumeTiming();
    list.Sort();
    benchmark::DoNotOptimize(list.Count());
  }
}
BENCHMARK(BM_SortSharedStart)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
