// Running a compiled program allocates nothing for integer and float arithmetic,
// comparisons, variable reads and writes, loops and calls of script procedures
// (recursive ones and by-reference parameters included). This test program replaces
// the global allocation functions with counting ones to show it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/ScriptTestSupport.h"

namespace {

std::atomic<long> gAllocations{0};

void* CountedAlloc(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace fs::test {
namespace {

// Allocations made by one run of an already compiled (and once run) program.
long AllocationsOfSecondRun(const std::string& dialect, const std::string& source) {
  ScriptRunner runner(dialect);
  EXPECT_TRUE(runner.Compile(source)) << runner.Outcome().CompileError;
  EXPECT_TRUE(runner.Run()) << runner.Outcome().RunError;  // warms up the call stacks
  const long before = gAllocations.load();
  runner.Script().RunProgram();
  return gAllocations.load() - before;
}

TEST(RunAllocation, CountingAllocatorSeesAllocations) {
  const long before = gAllocations.load();
  auto* p = new std::string(100, 'x');
  delete p;
  EXPECT_GE(gAllocations.load() - before, 1);
}

TEST(RunAllocation, PascalHotPathsAllocateNothing) {
  EXPECT_EQ(0, AllocationsOfSecondRun("PascalScript",
                                      "var i, n: Integer; f: Extended; b: Boolean; v: Variant;\n"
                                      "function Fib(k: Integer): Integer;\n"
                                      "begin\n"
                                      "  if k < 2 then Result := k else Result := Fib(k - 1) + Fib(k - 2);\n"
                                      "end;\n"
                                      "procedure Step(var x: Integer; d: Integer);\n"
                                      "var local: Integer;\n"
                                      "begin\n"
                                      "  local := d;\n"
                                      "  x := x + local;\n"
                                      "end;\n"
                                      "begin\n"
                                      "  n := 0; f := 0;\n"
                                      "  for i := 1 to 1000 do\n"
                                      "  begin\n"
                                      "    n := n + i * 2 - (i div 3) mod 7;\n"
                                      "    f := f + i / 3.0;\n"
                                      "    v := f * 2;\n"
                                      "    b := (n > i) and (f >= 1.5) or not (i <> 3);\n"
                                      "    if b then n := n - 1 else continue;\n"
                                      "    case i mod 4 of 0: n := n + 1; 1, 2: n := n - 1; end;\n"
                                      "    Step(n, 1);\n"
                                      "    if Touch then n := n + 0;\n"
                                      "  end;\n"
                                      "  while n > 0 do n := n - 100000;\n"
                                      "  repeat i := i - 1 until i < 0;\n"
                                      "  n := Fib(15);\n"
                                      "end."));
}

TEST(RunAllocation, JScriptHotPathsAllocateNothing) {
  EXPECT_EQ(0, AllocationsOfSecondRun("JScript",
                                      "function fib(k) { if (k < 2) return k; return fib(k - 1) + fib(k - 2); }\n"
                                      "function add(&x, d) { x += d; }\n"
                                      "var n = 0, f = 0.5;\n"
                                      "for (var i = 0; i < 1000; i++) {\n"
                                      "  n = n + i % 7;\n"
                                      "  f = f * 1.0001;\n"
                                      "  if ((n > 10) && (f < 3)) add(n, -1);\n"
                                      "  switch (i % 3) { case 0: n++; default: n--; }\n"
                                      "}\n"
                                      "do { n -= 1000; } while (n > 0);\n"
                                      "n = fib(15);\n"));
}

}  // namespace
}  // namespace fs::test
