// The script component: its item table, compiling and running, the events a host uses,
// error positions, units, repeated runs and the bound on nested calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/ScriptTestSupport.h"
#include "engine/fsClassVariable.h"
#include "engine/fsDesignator.h"
#include "engine/fsExpression.h"
#include "engine/fsItemTable.h"
#include "engine/fsProcVariable.h"
#include "engine/fsStatements.h"
#include "engine/fsVariables.h"
#include "platform/CallStack.h"
#include "rtl/Component.h"
#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"

namespace fs::test {
namespace {

using rtl::Variant;

TEST(ScriptItemTable, NameHashIsTheReflectedCrc32WithoutFinalInversion) {
  // The standard CRC-32 of "123456789" is 0xCBF43926, which is the complement of the
  // value without the final inversion.
  EXPECT_EQ(~0xCBF43926u, NameHash("123456789"));
  EXPECT_EQ(0xFFFFFFFFu, NameHash(""));
}

TEST(ScriptItemTable, LookupIgnoresCaseAndFindsTheMostRecentItem) {
  TfsScript script;
  auto* first = new TfsVariable("Value", fvtInt, "Integer");
  auto* second = new TfsVariable("VALUE", fvtString, "String");
  script.AddName("Value", first);
  EXPECT_EQ(first, script.LookupLocal("vALUE"));
  script.AddName("VALUE", second);
  EXPECT_EQ(second, script.LookupLocal("value"));
  // Many names: the index grows and every name stays reachable.
  for (int i = 0; i < 3000; ++i) script.AddName("n" + std::to_string(i), new TfsVariable("n", fvtInt, "Integer"));
  EXPECT_EQ(second, script.LookupLocal("Value"));
  EXPECT_NE(nullptr, script.LookupLocal("N2999"));
  EXPECT_EQ(nullptr, script.LookupLocal("n3000"));
}

TEST(ScriptItemTable, LookupFallsThroughToTheParentAndSkipsNonItems) {
  TfsScript parent, child;
  child.SetParentScript(&parent);
  auto* v = new TfsVariable("Shared", fvtInt, "Integer");
  parent.AddName("Shared", v);
  child.AddName("Module", new TfsObject);  // kept only for ownership: not a script item
  EXPECT_EQ(nullptr, child.LookupLocal("Shared"));
  EXPECT_EQ(v, child.Lookup("shared"));
  EXPECT_EQ(nullptr, child.Lookup("Module"));
}

TEST(ScriptItemTable, SetScriptVariableSetsAVisibleVariableOrAddsOne) {
  TfsScript parent, child;
  child.SetParentScript(&parent);
  auto* v = new TfsVariable("Count", fvtInt, "Integer");
  parent.AddName("Count", v);
  child.SetScriptVariable("count", Variant("42"));
  EXPECT_EQ(rtl::varInteger, v->GetValue().VarType());  // converted by the variable
  EXPECT_EQ(42, rtl::VarToInt32(v->GetValue()));
  child.SetScriptVariable("Fresh", Variant(std::int32_t{7}));
  TfsCustomVariable* fresh = child.LookupLocal("Fresh");
  ASSERT_NE(nullptr, fresh);
  EXPECT_EQ(fvtVariant, fresh->Typ());
  EXPECT_EQ(nullptr, parent.LookupLocal("Fresh"));
}

TEST(ScriptItemTable, ClearProgramKeepsItemsAddedUnderTheGlobalMark) {
  TfsScript script;
  script.SetGlobalMark(true);
  script.AddName("Kept", new TfsVariable("Kept", fvtInt, "Integer"));
  script.SetGlobalMark(false);
  script.AddName("Dropped", new TfsVariable("Dropped", fvtInt, "Integer"));
  script.SetLastErrorText("x");
  script.ClearProgram();
  EXPECT_NE(nullptr, script.LookupLocal("Kept"));
  EXPECT_EQ(nullptr, script.LookupLocal("Dropped"));
  EXPECT_EQ("", script.LastErrorText());
}

// Compiling and running -------------------------------------------------------------------

TEST(ScriptProgram, EmptyProgramCompilesAndRuns) {
  ScriptRunner runner("PascalScript");
  ASSERT_TRUE(runner.Compile("begin end."));
  EXPECT_EQ(0, runner.Script().MainStatement()->Count());
  EXPECT_TRUE(runner.Run());
  EXPECT_TRUE(runner.Script().MainRun());
}

TEST(ScriptProgram, UnknownDialectRaises) {
  TfsScript script;
  script.SetSyntaxType("Klingon");
  script.SetLinesText("x");
  EXPECT_THROW(script.CompileProgram(), rtl::Exception);
}

TEST(ScriptProgram, DialectDirectiveOverridesTheSyntaxType) {
  RunOutcome o = RunScript("PascalScript", "#language JScript\r\nvar a = 2; Print(a * 3);");
  EXPECT_EQ("", o.CompileError);
  EXPECT_EQ("6\n", o.Output);
}

TEST(ScriptProgram, VariablesKeepTheirValuesBetweenRuns) {
  ScriptRunner runner("PascalScript");
  ASSERT_TRUE(runner.Compile("var n: Integer; begin n := n + 1; Print(n); end."));
  runner.Run();
  runner.Run();
  runner.Run();
  EXPECT_EQ("1\n2\n3\n", runner.Outcome().Output);
}

TEST(ScriptProgram, InitialValuesRunWhereTheDeclarationStands) {
  ScriptRunner runner("JScript");
  ASSERT_TRUE(runner.Compile("var v = 5; Print(v); v = v + 1; Print(v);"));
  runner.Run();
  runner.Run();
  EXPECT_EQ("5\n6\n5\n6\n", runner.Outcome().Output);
}

TEST(ScriptProgram, BreakOutsideALoopEndsTheRunButNotTheNextOne) {
  ScriptRunner runner("C++Script");
  ASSERT_TRUE(runner.Compile("int n; { n++; switch (n) { case 1: { Print(\"one\"); break; } } Print(\"after\"); }"));
  runner.Run();
  runner.Run();
  // The first run stops at the break; the second run starts afresh and passes it.
  EXPECT_EQ("one\nafter\n", runner.Outcome().Output);
}

TEST(ScriptProgram, ContinueOutsideALoopInsideAProcedureOnlyEndsThatCall) {
  RunOutcome o = RunScript("C++Script",
                           "void p(int n) { Print(n); continue; Print(\"no\"); }\n"
                           "{ p(1); p(2); Print(\"end\"); }");
  EXPECT_EQ("1\n2\nend\n", o.Output);
}

TEST(ScriptProgram, RunTimeErrorReportsTheFailingStatementOfTheMainProgram) {
  ScriptRunner runner("PascalScript");
  ASSERT_TRUE(runner.Compile(
      "procedure Fail;\n"
      "begin\n"
      "  RaiseException('inner');\n"
      "end;\n"
      "begin\n"
      "  Print(1);\n"
      "  if True then\n"
      "    Fail;\n"
      "end."));
  EXPECT_FALSE(runner.Run());
  // The statement of the main program that made the call.
  EXPECT_EQ("8:5: inner", runner.Outcome().RunError);
}

TEST(ScriptProgram, ErrorPassingAFinallyPartIsReportedWhereItHappened) {
  ScriptRunner runner("PascalScript");
  ASSERT_TRUE(runner.Compile(
      "var i: Integer;\n"
      "begin\n"
      "  try\n"
      "    i := 0;\n"
      "    i := 1 div i;\n"
      "  finally\n"
      "    Print('cleanup');\n"
      "  end;\n"
      "end."));
  EXPECT_FALSE(runner.Run());
  EXPECT_EQ("cleanup\n", runner.Outcome().Output);
  EXPECT_EQ("5:5: Division by zero", runner.Outcome().RunError);
}

TEST(ScriptProgram, HandledErrorSetsTheExceptionVariablesOfTheParentRegistry) {
  ScriptRunner runner("PascalScript");
  ASSERT_TRUE(runner.Compile("var i: Integer; begin try i := 1 div 0; except Print(ExceptionClassName); end; end."));
  runner.Run();
  EXPECT_EQ("EDivByZero\n", runner.Outcome().Output);
  TfsCustomVariable* message = runner.Registry().Script().LookupLocal("ExceptionMessage");
  EXPECT_EQ("Division by zero", rtl::VarToStr(message->GetValue()).str());
}

TEST(ScriptProgram, RunLineReportsEachStatementWithItsScriptAndPosition) {
  ScriptRunner runner("PascalScript");
  std::vector<std::string> lines;
  std::vector<TfsScript*> senders;
  runner.Registry().Script().OnRunLine = [&](TfsScript* sender, const std::string& unit, const std::string& pos) {
    lines.push_back(unit + "@" + pos);
    senders.push_back(sender);
  };
  ASSERT_TRUE(runner.Compile(
      "procedure P;\n"
      "begin\n"
      "  Print('p');\n"
      "end;\n"
      "var i: Integer;\n"
      "begin\n"
      "  for i := 1 to 2 do\n"
      "    P;\n"
      "end."));
  runner.Run();
  EXPECT_EQ((std::vector<std::string>{"@7:3", "@8:5", "@3:3", "@8:5", "@3:3"}), lines);
  ASSERT_EQ(5u, senders.size());
  EXPECT_EQ(&runner.Script(), senders[0]);
  EXPECT_NE(&runner.Script(), senders[2]);  // the procedure's own scope
  EXPECT_EQ(&runner.Script(), senders[2]->ParentScript());
}

TEST(ScriptProgram, ValueRequestHandlerAnswersReadsUnlessItAnswersNull) {
  ScriptRunner runner("PascalScript");
  runner.Script().OnGetVarValue = [](const std::string& name, TfsVarType typ, const Variant& old) {
    if (name == "Row") return Variant("from host");
    return Variant::Null();
  };
  ASSERT_TRUE(runner.Compile("var Row, Own: String; begin Own := 'own'; Print(Row); Print(Own); end."));
  runner.Run();
  EXPECT_EQ("from host\nown\n", runner.Outcome().Output);
}

TEST(ScriptProgram, ValueRequestHandlerIsAskedByArithmeticAndIncrementsToo) {
  // Reads inside operators, compound assignments and increments all go through the
  // handler; only the stored value changes.
  ScriptRunner runner("JScript");
  runner.Script().OnGetVarValue = [](const std::string& name, TfsVarType, const Variant&) {
    if (name == "h") return Variant(std::int32_t{100});
    return Variant::Null();
  };
  ASSERT_TRUE(runner.Compile("var h = 1, n = 1; Print(h + n); h += 5; Print(h); h++; Print(h * 2); n += h; Print(n);"));
  runner.Run();
  EXPECT_EQ("101\n100\n200\n101\n", runner.Outcome().Output);
  EXPECT_EQ("101", rtl::VarToStr(runner.Script().LookupLocal("h")->StoredValue()).str());
}

TEST(ScriptProgram, UnitsComeFromTheUnitEventOnceEach) {
  ScriptRunner runner("PascalScript");
  std::vector<std::string> asked;
  runner.Script().OnGetUnit = [&](TfsScript*, const std::string& name, std::string& text) {
    asked.push_back(name);
    if (name == "a.pas") text = "uses 'b.pas'; procedure A; begin Print('A'); end; begin Print('unit a'); end.";
    if (name == "b.pas") text = "procedure B; begin Print('B'); end; begin end.";
  };
  std::vector<std::string> units;
  runner.Script().OnRunLine = [&](TfsScript*, const std::string& unit, const std::string&) { units.push_back(unit); };
  ASSERT_TRUE(runner.Compile("uses 'a.pas', 'b.pas'; begin A; B; end."));
  runner.Run();
  EXPECT_EQ((std::vector<std::string>{"b.pas", "a.pas"}), asked);
  EXPECT_EQ("unit a\nA\nB\n", runner.Outcome().Output);
  // Statements know the unit they come from: the unit's main block, then A and B
  // called from the main source, each running one statement of its unit.
  EXPECT_EQ((std::vector<std::string>{"a.pas", "", "a.pas", "", "b.pas"}), units);
}

TEST(ScriptProgram, BuildErrorInAUnitNamesTheUnit) {
  ScriptRunner runner("PascalScript");
  runner.Script().OnGetUnit = [](TfsScript*, const std::string&, std::string& text) {
    text = "begin\n  missing := 1;\nend.";
  };
  EXPECT_FALSE(runner.Compile("uses 'u.pas'; begin end."));
  EXPECT_EQ("u.pas:2:10: Undeclared identifier: 'missing'", runner.Outcome().CompileError);
}

TEST(ScriptProgram, ReadyUnitTreesFromTheILUnitEventReplaceTheParsedOnes) {
  ScriptRunner runner("PascalScript");
  runner.Script().OnGetUnit = [](TfsScript*, const std::string&, std::string& text) {
    text = "begin Print('parsed'); end.";
  };
  runner.Script().OnGetILUnit = [](TfsScript*, const std::string&, std::string& text) {
    text =
        "<program><compoundstmt pos=\"1:1\"><callstmt pos=\"1:1\"><dsgn pos=\"1:1\">"
        "<node text=\"Print\" pos=\"1:6\"/><expr pos=\"1:7\" pos1=\"1:12\"><string text=\"'ready'\" pos=\"1:12\"/>"
        "</expr></dsgn></callstmt></compoundstmt></program>";
  };
  ASSERT_TRUE(runner.Compile("uses 'u.pas'; begin end.")) << runner.Outcome().CompileError;
  runner.Run();
  EXPECT_EQ("ready\n", runner.Outcome().Output);
}

TEST(ScriptProgram, FailedCompileLeavesARunnableProgram) {
  ScriptRunner runner("PascalScript");
  EXPECT_FALSE(runner.Compile("var i: Integer; begin Print(1); if i = 1 then i := 'x'; end."));
  // A host should not run it, but doing so must not crash.
  EXPECT_TRUE(runner.Run());
  EXPECT_EQ("1\n", runner.Outcome().Output);
}

// Designators reaching native objects ---------------------------------------------------------

TEST(ScriptDesignators, ComponentsOwnedByARegisteredObjectReadAsMembers) {
  ScriptRunner runner("PascalScript");
  TfsScript& registry = runner.Registry().Script();
  auto* cls = new TfsClassVariable(&rtl::TComponent::StaticClassInfo(), "TObject", &registry);
  registry.AddName(cls->Name(), cls);
  cls->AddMember(new TestHelper("Name", fvtString, "String", [](TestHelper& h) {
    return Variant(static_cast<rtl::TComponent*>(rtl::VariantToObject(h.ParentValue()))->Name());
  }));
  rtl::TObjectPtr<rtl::TComponent> form = rtl::MakeObject<rtl::TComponent>();
  form->SetName("Form");
  auto* button = rtl::CreateObject<rtl::TComponent>(form.get());
  button->SetName("OkButton");
  auto* variable = new TfsVariable("Form", fvtClass, "TComponent");
  variable->SetValue(rtl::ObjectToVariant(form.get()));
  registry.AddName("Form", variable);
  ASSERT_TRUE(runner.Compile("begin Print(Form.Name); Print(Form.OkButton.Name); end."))
      << runner.Outcome().CompileError;
  runner.Run();
  EXPECT_EQ("Form\nOkButton\n", runner.Outcome().Output);
  EXPECT_FALSE(runner.Compile("begin Print(Form.Missing); end."));
  EXPECT_EQ("1:25: Undeclared identifier: 'Missing'", runner.Outcome().CompileError);
}

TEST(ScriptDesignators, AVariantHoldingTextWhenBuildingIndexesAsAString) {
  ScriptRunner runner("PascalScript");
  auto* text = new TfsVariable("Text", fvtVariant, "Variant");
  text->SetValue(Variant("hello"));
  runner.Registry().Script().AddName("Text", text);
  ASSERT_TRUE(runner.Compile("begin Print(Text[2]); Text[1] := 'j'; Print(Text); end."));
  runner.Run();
  EXPECT_EQ("e\njello\n", runner.Outcome().Output);
  EXPECT_FALSE(runner.Compile("begin Print(Text.Length); end."));
  EXPECT_EQ("1:24: Strings doesn't have properties or methods", runner.Outcome().CompileError);
}

TEST(ScriptDesignators, AChainFinishedWhileRunningBacksOutWhenItFails) {
  ScriptRunner runner("JScript");
  ASSERT_TRUE(runner.Compile("function f() { return o.Count; } o = 1; try { Print(f()); } except { Print(ExceptionMessage); }"
                             " o = new TStringList; o.Add(\"a\"); Print(f()); delete o;"));
  runner.Run();
  EXPECT_EQ("Class type required\n1\n", runner.Outcome().Output);
}

// Nesting of calls ------------------------------------------------------------------------

TEST(ScriptRecursion, DeepRecursionRaisesStackOverflowInsteadOfCrashing) {
  RunOutcome o = RunScript("PascalScript",
                           "var depth: Integer;\n"
                           "procedure Down(n: Integer);\n"
                           "begin\n"
                           "  depth := n;\n"
                           "  Down(n + 1);\n"
                           "end;\n"
                           "begin\n"
                           "  try\n"
                           "    Down(1);\n"
                           "  except\n"
                           "    Print(ExceptionMessage);\n"
                           "  end;\n"
                           "  Print(depth);\n"
                           "  Down(1);\n"
                           "end.");
  EXPECT_EQ("Stack overflow\n" + std::to_string(kMaxCallDepth) + "\n", o.Output);
  EXPECT_EQ("14:3: Stack overflow", o.RunError);
}

TEST(ScriptRecursion, RecursionThroughDeepExpressionsIsBoundedByTheStackItUses) {
  // Every level evaluates a deep expression before it calls the next one.
  std::string tail;
  for (int i = 0; i < kMaxExpressionDepth - 10; ++i) tail += " + 1";
  RunOutcome o = RunScript("JScript", "function d(n) { return d(n + 1)" + tail + "; } try { d(0); } except { Print(ExceptionMessage); }");
  EXPECT_EQ("Stack overflow\n", o.Output);
}

// A host thread may have a small stack: recursion ends with "Stack overflow" before
// that stack ends, whichever comes first of it and the call limit.
TEST(ScriptRecursion, ASmallThreadStackEndsRecursionBeforeTheStackEnds) {
#if defined(__SANITIZE_ADDRESS__)
  const std::size_t stack = 640u << 10;  // the sanitizer's frames are about four times larger
#else
  const std::size_t stack = 160u << 10;
#endif
  ScriptRunner runner("PascalScript");
  ASSERT_TRUE(runner.Compile(
      "var depth: Integer;\n"
      "procedure Down(n: Integer);\n"
      "begin\n"
      "  depth := n;\n"
      "  Down(n + 1);\n"
      "end;\n"
      "begin\n"
      "  try\n"
      "    Down(1);\n"
      "  except\n"
      "    Print(ExceptionMessage);\n"
      "  end;\n"
      "  Print(depth > 20);\n"
      "end."));
  bool ran = false;
  ASSERT_TRUE(platform::RunOnThreadWithStack(stack, [&] { ran = runner.Run(); }));
  EXPECT_TRUE(ran);
  EXPECT_EQ("Stack overflow\nTrue\n", runner.Outcome().Output);
}

TEST(ScriptRecursion, MutualRecursionIsBoundedToo) {
  RunOutcome o = RunScript("JScript", "function a(n) { return b(n + 1); } function b(n) { return a(n + 1); } a(0);");
  EXPECT_EQ("1:71: Stack overflow", o.RunError);
}

// The stack one level of script recursion takes, measured: the limit on nested calls
// must fit into a 1 MB thread stack with room to spare (the sanitizer build has its
// 8 MB main stack and larger frames).
TEST(ScriptRecursion, TheCallLimitFitsTheStack) {
  ScriptRunner runner("PascalScript");
  std::vector<std::uintptr_t> marks;
  auto* probe = new TestHelper("StackMark", fvtVariant, "", [&](TestHelper&) {
    volatile char here = 0;
    marks.push_back(reinterpret_cast<std::uintptr_t>(&here));
    return Variant();
  });
  runner.Registry().Script().AddName("StackMark", probe);
  ASSERT_TRUE(runner.Compile(
      "function Down(n: Integer): Integer;\n"
      "var a: Integer;\n"
      "begin\n"
      "  a := (n * 2 + 1) div 2;\n"
      "  if (n = 1) or (n = 101) then StackMark;\n"
      "  if n < 101 then Result := Down(n + 1) + a else Result := 0;\n"
      "end;\n"
      "begin\n"
      "  Print(Down(1));\n"
      "end."));
  ASSERT_TRUE(runner.Run());
  ASSERT_EQ(2u, marks.size());
  const std::uintptr_t perLevel = (marks[0] - marks[1]) / 100;
#if defined(__SANITIZE_ADDRESS__)
  const std::uintptr_t budget = 6u << 20;
#else
  const std::uintptr_t budget = 512u << 10;
#endif
  RecordProperty("StackBytesPerCallLevel", static_cast<int>(perLevel));
  EXPECT_LT(perLevel * kMaxCallDepth, budget) << perLevel << " bytes per level";
}

}  // namespace
}  // namespace fs::test
