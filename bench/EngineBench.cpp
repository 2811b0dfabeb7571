// Script engine benchmarks: each program is compiled once and run per iteration, in
// PascalScript and JScript: recursive fib(25), an integer loop of 1 000 000 passes, a
// float loop of 1 000 000 passes, building a string of 100 000 characters, and a loop
// of 100 000 script procedure calls.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstdio>
#include <string>

#include "engine/fsScript.h"
#include "engine/fsVariables.h"
#include "rtl/VariantConvert.h"

namespace {

using fs::TfsScript;

// The type names the programs declare with.
void RegisterTypes(TfsScript& s) {
  auto type = [&s](const char* name, fs::TfsVarType t) { s.AddName(name, new fs::TfsTypeVariable(name, t, name)); };
  type("Integer", fs::fvtInt);
  type("Extended", fs::fvtFloat);
  type("String", fs::fvtString);
  type("Variant", fs::fvtVariant);
}

struct Program {
  TfsScript Registry;
  TfsScript Script;
  Program(const char* dialect, const char* source) {
    RegisterTypes(Registry);
    Script.SetParentScript(&Registry);
    Script.SetSyntaxType(dialect);
    Script.SetLinesText(source);
    if (!Script.CompileProgram()) {
      std::fprintf(stderr, "%s: %s %s\n", dialect, Script.LastErrorPos().c_str(), Script.LastErrorText().c_str());
      std::abort();
    }
  }
  // The value of a global of the program, to check the work was done.
  std::string Global(const char* name) { return rtl::VarToStr(Script.LookupLocal(name)->GetValue()).str(); }
};

void RunProgram(benchmark::State& state, const char* dialect, const char* source, const char* check,
                const char* expected) {
  Program p(dialect, source);
  for (auto _ : state) p.Script.RunProgram();
  if (p.Global(check) != expected) state.SkipWithError(("wrong result " + p.Global(check)).c_str());
}

const char* kPascalFib =
    "var r: Integer;\n"
    "function Fib(n: Integer): Integer;\n"
    "begin\n"
    "  if n < 2 then Result := n else Result := Fib(n - 1) + Fib(n - 2);\n"
    "end;\n"
    "begin\n"
    "  r := Fib(25);\n"
    "end.";
const char* kJScriptFib =
    "function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }\n"
    "var r = fib(25);";

const char* kPascalIntLoop =
    "var i, r: Integer;\n"
    "begin\n"
    "  r := 0;\n"
    "  for i := 1 to 1000000 do r := r + i mod 7;\n"
    "end.";
const char* kJScriptIntLoop =
    "var r = 0;\n"
    "for (var i = 1; i <= 1000000; i++) r = r + i % 7;";

const char* kPascalFloatLoop =
    "var i: Integer; r: Extended;\n"
    "begin\n"
    "  r := 0;\n"
    "  for i := 1 to 1000000 do r := r + i * 0.5;\n"
    "end.";
const char* kJScriptFloatLoop =
    "var r = 0.0;\n"
    "for (var i = 1; i <= 1000000; i++) r = r + i * 0.5;";

const char* kPascalStrings =
    "var i: Integer; s: String; r: Integer;\n"
    "begin\n"
    "  s := '';\n"
    "  for i := 1 to 100000 do s := s + 'x';\n"
    "  r := 100000;\n"
    "end.";
const char* kJScriptStrings =
    "var s = \"\";\n"
    "for (var i = 1; i <= 100000; i++) s = s + \"x\";\n"
    "var r = 100000;";

const char* kPascalCalls =
    "var i, r: Integer;\n"
    "procedure Add(var x: Integer; d: Integer);\n"
    "begin\n"
    "  x := x + d;\n"
    "end;\n"
    "begin\n"
    "  r := 0;\n"
    "  for i := 1 to 100000 do Add(r, 2);\n"
    "end.";
const char* kJScriptCalls =
    "function add(a, b) { return a + b; }\n"
    "var r = 0;\n"
    "for (var i = 1; i <= 100000; i++) r = add(r, 2);";

void BM_Fib25_Pascal(benchmark::State& s) { RunProgram(s, "PascalScript", kPascalFib, "r", "75025"); }
void BM_Fib25_JScript(benchmark::State& s) { RunProgram(s, "JScript", kJScriptFib, "r", "75025"); }
void BM_IntLoop_Pascal(benchmark::State& s) { RunProgram(s, "PascalScript", kPascalIntLoop, "r", "2999998"); }
void BM_IntLoop_JScript(benchmark::State& s) { RunProgram(s, "JScript", kJScriptIntLoop, "r", "2999998"); }
void BM_FloatLoop_Pascal(benchmark::State& s) { RunProgram(s, "PascalScript", kPascalFloatLoop, "r", "250000250000"); }
void BM_FloatLoop_JScript(benchmark::State& s) { RunProgram(s, "JScript", kJScriptFloatLoop, "r", "250000250000"); }
void BM_StringBuild_Pascal(benchmark::State& s) { RunProgram(s, "PascalScript", kPascalStrings, "r", "100000"); }
void BM_StringBuild_JScript(benchmark::State& s) { RunProgram(s, "JScript", kJScriptStrings, "r", "100000"); }
void BM_Calls_Pascal(benchmark::State& s) { RunProgram(s, "PascalScript", kPascalCalls, "r", "200000"); }
void BM_Calls_JScript(benchmark::State& s) { RunProgram(s, "JScript", kJScriptCalls, "r", "200000"); }

}  // namespace

BENCHMARK(BM_Fib25_Pascal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fib25_JScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IntLoop_Pascal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IntLoop_JScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloatLoop_Pascal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloatLoop_JScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringBuild_Pascal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringBuild_JScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calls_Pascal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calls_JScript)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
