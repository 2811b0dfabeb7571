// Members of automation objects are bound by name when they run. These tests use an
// object that is not a dispatch interface (so no system is needed): every access must
// fail with the "OLE error" text naming the member, the engine must not keep the
// object's references, and a binding made for an automation object must refuse a value
// that is none. The real dispatch path is covered by the script cases under Wine.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "engine/ScriptTestSupport.h"

namespace {

using fs::test::ScriptRunner;
using fs::test::TestHelper;
using rtl::Variant;

// Counts its references; answers no interface.
struct CountedObject : rtl::UnknownInterface {
  int Refs = 1;
  std::int32_t RTL_COMCALL QueryInterface(const void*, void** out) override {
    *out = nullptr;
    return static_cast<std::int32_t>(0x80004002u);
  }
  std::uint32_t RTL_COMCALL AddRef() override { return static_cast<std::uint32_t>(++Refs); }
  std::uint32_t RTL_COMCALL Release() override { return static_cast<std::uint32_t>(--Refs); }
};

struct AutomationRun {
  CountedObject Object;
  ScriptRunner Runner{"PascalScript"};
  AutomationRun() {
    Runner.Registry().Script().AddName(
        "MakeObject", new TestHelper("MakeObject", fs::fvtVariant, "Variant",
                                     [this](TestHelper&) { return Variant::FromInterface(&Object); }));
  }
};

TEST(AutomationBinding, EveryAccessFailsNamingTheMember) {
  struct Case {
    const char* Statement;
    const char* Member;
  } cases[] = {
      {"o.Visible := True;", "Visible"},      // property put
      {"x := o.Documents.Count;", "Documents"},  // the first get of a chain fails
      {"o.Quit;", "Quit"},                    // call without result
      {"x := o.Item('k', 2);", "Item"},       // call with arguments
      {"o.Cells[1, 2] := 5;", "Cells"},       // indexed put
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Statement);
    AutomationRun run;
    ASSERT_TRUE(run.Runner.Compile(std::string("var o, x: Variant;\nbegin\n  o := MakeObject;\n  ") + c.Statement +
                                   "\nend."))
        << run.Runner.Outcome().CompileError;
    EXPECT_FALSE(run.Runner.Run());
    const std::string error = run.Runner.Outcome().RunError;
    EXPECT_NE(std::string::npos, error.find("OLE error 8000400")) << error;
    EXPECT_NE(std::string::npos, error.find(std::string(": ") + c.Member + ": ")) << error;
    run.Runner.Script().ClearProgram();
    EXPECT_EQ(1, run.Object.Refs) << "a reference was kept";
  }
}

TEST(AutomationBinding, ABindingForAnObjectRefusesOtherValues) {
  AutomationRun run;
  ASSERT_TRUE(run.Runner.Compile(
      "var o: Variant; i: Integer;\n"
      "begin\n"
      "  o := MakeObject;\n"
      "  for i := 1 to 2 do\n"
      "    try\n"
      "      if i = 2 then o := 5;\n"
      "      o.Visible := True;\n"
      "    except\n"
      "      Print(ExceptionMessage);\n"
      "    end;\n"
      "end."))
      << run.Runner.Outcome().CompileError;
  ASSERT_TRUE(run.Runner.Run()) << run.Runner.Outcome().RunError;
  const std::string output = run.Runner.Outcome().Output;
  EXPECT_EQ(0u, output.find("OLE error 8000400")) << output;
  const std::string second = "\nVariant does not reference an automation object\n";
  EXPECT_EQ(output.size() - second.size(), output.find(second)) << output;
}

TEST(AutomationBinding, AtMost64ArgumentsPerAccess) {
  auto call = [](int n) {
    std::string args;
    for (int i = 1; i <= n; ++i) args += (i > 1 ? ", " : "") + std::to_string(i);
    return "var o: Variant;\nbegin\n  o := MakeObject;\n  o.Call(" + args + ");\nend.";
  };
  AutomationRun at64;
  ASSERT_TRUE(at64.Runner.Compile(call(64)));
  EXPECT_FALSE(at64.Runner.Run());
  EXPECT_NE(std::string::npos, at64.Runner.Outcome().RunError.find("OLE error")) << at64.Runner.Outcome().RunError;

  AutomationRun at65;
  ASSERT_TRUE(at65.Runner.Compile(call(65)));
  EXPECT_FALSE(at65.Runner.Run());
  EXPECT_NE(std::string::npos, at65.Runner.Outcome().RunError.find("Too many actual parameters"))
      << at65.Runner.Outcome().RunError;
}

}  // namespace
