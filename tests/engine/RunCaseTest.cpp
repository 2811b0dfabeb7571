// Runs the script cases of tests/engine/run/<dialect>/: each script is compiled and run
// once, and what it printed (plus a compile or run error) must match its .out file.
#include <gtest/gtest.h>

#include "engine/ScriptTestSupport.h"

namespace fs::test {
namespace {

class RunCaseTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunCaseTest, MatchesExpectedOutput) {
  const RunCase& c = GetParam();
  RunOutcome outcome = RunScript(DialectOfFolder(c.Folder), c.Script);
  EXPECT_EQ(c.Expected, PrintOutcome(outcome)) << c.Folder << "/" << c.Name;
}

std::vector<RunCase> AllCases() {
  std::vector<RunCase> all;
  for (const char* folder : {"pascal", "cpp", "jscript", "basic"}) {
    std::vector<RunCase> cases = LoadRunCases(folder);
    all.insert(all.end(), cases.begin(), cases.end());
  }
  return all;
}

std::string CaseName(const ::testing::TestParamInfo<RunCase>& info) {
  std::string name = info.param.Folder + "_" + info.param.Name;
  for (char& ch : name)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, RunCaseTest, ::testing::ValuesIn(AllCases()), CaseName);

TEST(RunCaseFolders, EveryDialectHasCases) {
  for (const char* folder : {"pascal", "cpp", "jscript", "basic"}) EXPECT_FALSE(LoadRunCases(folder).empty()) << folder;
}

}  // namespace
}  // namespace fs::test
