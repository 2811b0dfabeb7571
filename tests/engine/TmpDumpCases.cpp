#include <gtest/gtest.h>
#include <cstdlib>
#include <iostream>
#include "engine/ScriptTestSupport.h"
namespace fs::test {
TEST(TmpDump, Dump) {
  const char* f = std::getenv("H7_DUMP");
  if (!f) return;
  for (const RunCase& c : LoadRunCases(f)) {
    std::cout << "== " << c.Name << "\n" << PrintOutcome(RunScript(DialectOfFolder(f), c.Script)) << "\n";
  }
}
}
