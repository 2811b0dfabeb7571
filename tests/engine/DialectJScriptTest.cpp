// JScript: the program trees and syntax errors of the scripts in cases/jscript,
// and the type aliases every JScript program tree ends with.
#include <gtest/gtest.h>

#include "DialectTestSupport.h"

namespace fs::test {
namespace {

class JScriptCase : public ::testing::TestWithParam<DialectCase> {};

TEST_P(JScriptCase, ParsesAsExpected) { RunCase("JScript", "jscript", GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cases, JScriptCase, ::testing::ValuesIn(LoadCases("jscript")),
                         [](const ::testing::TestParamInfo<DialectCase>& info) { return info.param.Name; });

TEST(JScriptGrammar, TreeEndsWithTypeAliases) {
  ParseOutcome outcome = ParseScript("JScript", "a = 1;");
  ASSERT_TRUE(outcome.Built) << outcome.Error;
  EXPECT_EQ("<types/>\n", outcome.Types);
}

TEST(JScriptGrammar, AllowsUndeclaredVariables) { EXPECT_FALSE(DeclaresVariables("JScript")); }

}  // namespace
}  // namespace fs::test
