// The names a script declares, as the editor's completion reads them: from the whole
// text, without the line being typed, and from what parsed before an error elsewhere.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/fsScriptNames.h"

namespace fs {
namespace {

std::vector<std::string> Names(const std::vector<TfsScriptName>& names) {
  std::vector<std::string> out;
  for (const TfsScriptName& n : names) out.push_back(n.Name + (n.Routine ? "()" : ""));
  return out;
}

using V = std::vector<std::string>;

TEST(ScriptNames, VariablesConstantsAndRoutinesWithTheirHeaders) {
  const auto names = ScriptOwnNames("PascalScript",
                                    "var Total, Count: Integer;\r\nconst Limit = 10;\r\n"
                                    "function Scale(Value: Double): Double;\r\nvar i: Integer;\r\n"
                                    "begin Result := Value; end;\r\nbegin\r\n  Total := Scale(1);\r\nend.",
                                    0);
  EXPECT_EQ(Names(names), V({"Total", "Count", "Limit", "Scale()", "Value", "i"}));
  EXPECT_EQ(names[3].Declaration, "function Scale(Value: Double): Double;");
}

TEST(ScriptNames, AScriptBeingTypedStillGivesItsNames) {
  // The line being typed breaks the parse: it is left out.
  EXPECT_EQ(Names(ScriptOwnNames("JScript", "var a = 1;\nif (a\nfunction f(x) { }\n", 2)), V({"a", "f()", "x"}));
  // An error on another line, with the main block left open: what came before it.
  EXPECT_EQ(Names(ScriptOwnNames("PascalScript",
                                 "var a: Integer;\nprocedure P;\nbegin\nend;\nbegin\n  a := ;\n  if a", 7)),
            V({"a", "P()"}));
  EXPECT_EQ(Names(ScriptOwnNames("BasicScript", "Dim b\nSub Q(\n", 0)), V({"b"}));
  // No dialect of that name, no text: no names, no exception.
  EXPECT_TRUE(ScriptOwnNames("Cobol", "var a: Integer;", 0).empty());
  EXPECT_TRUE(ScriptOwnNames("PascalScript", "", 1).empty());
}

}  // namespace
}  // namespace fs
