// PascalScript: the program trees and syntax errors of the scripts in cases/pascal,
// and the type aliases every PascalScript program tree ends with.
#include <gtest/gtest.h>

#include "DialectTestSupport.h"

namespace fs::test {
namespace {

class PascalScriptCase : public ::testing::TestWithParam<DialectCase> {};

TEST_P(PascalScriptCase, ParsesAsExpected) { RunCase("PascalScript", "pascal", GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cases, PascalScriptCase, ::testing::ValuesIn(LoadCases("pascal")),
                         [](const ::testing::TestParamInfo<DialectCase>& info) { return info.param.Name; });

TEST(PascalScriptGrammar, TreeEndsWithTypeAliases) {
  ParseOutcome outcome = ParseScript("PascalScript", "begin end.");
  ASSERT_TRUE(outcome.Built) << outcome.Error;
  EXPECT_EQ("<types/>\n", outcome.Types);
}

TEST(PascalScriptGrammar, RequiresDeclarations) { EXPECT_TRUE(DeclaresVariables("PascalScript")); }

}  // namespace
}  // namespace fs::test
