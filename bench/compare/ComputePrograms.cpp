#include "compare/ComputePrograms.h"

namespace compare {

namespace {

// Recursive fib(25): script function calls with arguments and results.
const char* const kPascalFib =
    "var r: Integer;\n"
    "function Fib(n: Integer): Integer;\n"
    "begin\n"
    "  if n < 2 then Result := n else Result := Fib(n - 1) + Fib(n - 2);\n"
    "end;\n"
    "begin\n"
    "  r := Fib(25);\n"
    "end.";
const char* const kJScriptFib =
    "function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }\n"
    "var r = fib(25);";
const char* const kLuaFib =
    "local function fib(n)\n"
    "  if n < 2 then return n end\n"
    "  return fib(n - 1) + fib(n - 2)\n"
    "end\n"
    "return fib(25)";

// Integer arithmetic and variable access in a counted loop.
const char* const kPascalIntLoop =
    "var i, r: Integer;\n"
    "begin\n"
    "  r := 0;\n"
    "  for i := 1 to 1000000 do r := r + i mod 7;\n"
    "end.";
const char* const kJScriptIntLoop =
    "var r = 0;\n"
    "for (var i = 1; i <= 1000000; i++) r = r + i % 7;";
const char* const kLuaIntLoop =
    "local r = 0\n"
    "for i = 1, 1000000 do r = r + i % 7 end\n"
    "return r";

// Floating-point arithmetic mixed with an integer loop counter.
const char* const kPascalFloatLoop =
    "var i: Integer; r: Extended;\n"
    "begin\n"
    "  r := 0;\n"
    "  for i := 1 to 1000000 do r := r + i * 0.5;\n"
    "end.";
const char* const kJScriptFloatLoop =
    "var r = 0.0;\n"
    "for (var i = 1; i <= 1000000; i++) r = r + i * 0.5;";
const char* const kLuaFloatLoop =
    "local r = 0.0\n"
    "for i = 1, 1000000 do r = r + i * 0.5 end\n"
    "return r";

// A 100 000-character string built one character at a time. Lua's strings are
// immutable, so the idiomatic way there is a table of pieces joined once.
const char* const kPascalStringBuild =
    "var i, r: Integer; s: String;\n"
    "begin\n"
    "  s := '';\n"
    "  for i := 1 to 100000 do s := s + 'x';\n"
    "  r := Length(s);\n"
    "end.";
const char* const kJScriptStringBuild =
    "var s = \"\";\n"
    "for (var i = 1; i <= 100000; i++) s = s + \"x\";\n"
    "var r = Length(s);";
const char* const kLuaStringBuild =
    "local t = {}\n"
    "for i = 1, 100000 do t[i] = \"x\" end\n"
    "return #table.concat(t)";

// 100 000 calls of a small script function.
const char* const kPascalProcCall =
    "var i, r: Integer;\n"
    "function Add(a, b: Integer): Integer;\n"
    "begin\n"
    "  Result := a + b;\n"
    "end;\n"
    "begin\n"
    "  r := 0;\n"
    "  for i := 1 to 100000 do r := Add(r, 2);\n"
    "end.";
const char* const kJScriptProcCall =
    "function add(a, b) { return a + b; }\n"
    "var r = 0;\n"
    "for (var i = 1; i <= 100000; i++) r = add(r, 2);";
const char* const kLuaProcCall =
    "local function add(a, b) return a + b end\n"
    "local r = 0\n"
    "for i = 1, 100000 do r = add(r, 2) end\n"
    "return r";

}  // namespace

const std::vector<ComputeProgram>& ComputePrograms() {
  static const std::vector<ComputeProgram> programs = {
      {"fib", kPascalFib, kJScriptFib, kLuaFib, 75025},
      {"int-loop", kPascalIntLoop, kJScriptIntLoop, kLuaIntLoop, 2999998},
      {"float-loop", kPascalFloatLoop, kJScriptFloatLoop, kLuaFloatLoop, 250000250000.0},
      {"string-build", kPascalStringBuild, kJScriptStringBuild, kLuaStringBuild, 100000},
      {"proc-call", kPascalProcCall, kJScriptProcCall, kLuaProcCall, 200000},
  };
  return programs;
}

}  // namespace compare
