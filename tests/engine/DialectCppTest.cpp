// C++Script: the program trees and syntax errors of the scripts in cases/cpp,
// and the type aliases every C++Script program tree ends with.
#include <gtest/gtest.h>

#include "DialectTestSupport.h"

namespace fs::test {
namespace {

class CppScriptCase : public ::testing::TestWithParam<DialectCase> {};

TEST_P(CppScriptCase, ParsesAsExpected) { RunCase("C++Script", "cpp", GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cases, CppScriptCase, ::testing::ValuesIn(LoadCases("cpp")),
                         [](const ::testing::TestParamInfo<DialectCase>& info) { return info.param.Name; });

TEST(CppScriptGrammar, TreeEndsWithTypeAliases) {
  ParseOutcome outcome = ParseScript("C++Script", "{ }");
  ASSERT_TRUE(outcome.Built) << outcome.Error;
  EXPECT_EQ(
      "<types>\n"
      "  <int type=\"integer\"/>\n"
      "  <long type=\"integer\"/>\n"
      "  <void type=\"integer\"/>\n"
      "  <bool type=\"boolean\"/>\n"
      "  <float type=\"extended\"/>\n"
      "</types>\n", outcome.Types);
}

TEST(CppScriptGrammar, RequiresDeclarations) { EXPECT_TRUE(DeclaresVariables("C++Script")); }

}  // namespace
}  // namespace fs::test
