// BasicScript: the program trees and syntax errors of the scripts in cases/basic,
// and the type aliases every BasicScript program tree ends with.
#include <gtest/gtest.h>

#include "DialectTestSupport.h"

namespace fs::test {
namespace {

class BasicScriptCase : public ::testing::TestWithParam<DialectCase> {};

TEST_P(BasicScriptCase, ParsesAsExpected) { RunCase("BasicScript", "basic", GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cases, BasicScriptCase, ::testing::ValuesIn(LoadCases("basic")),
                         [](const ::testing::TestParamInfo<DialectCase>& info) { return info.param.Name; });

TEST(BasicScriptGrammar, TreeEndsWithTypeAliases) {
  ParseOutcome outcome = ParseScript("BasicScript", "a = 1");
  ASSERT_TRUE(outcome.Built) << outcome.Error;
  EXPECT_EQ(
      "<types>\n"
      "  <decimal type=\"extended\"/>\n"
      "</types>\n", outcome.Types);
}

TEST(BasicScriptGrammar, AllowsUndeclaredVariables) { EXPECT_FALSE(DeclaresVariables("BasicScript")); }

}  // namespace
}  // namespace fs::test
