// Shared pieces of the script engine tests: a small registry of the things scripts
// need before the runtime library exists (type names, True/False/nil/Null, the
// exception variables, the indexing helpers, a few functions and two classes), a runner
// that compiles and runs a script against it and collects what the script printed,
// and the run cases under tests/engine/run/<dialect>/.
//
// A run case is <name>.script with <name>.out: the lines the script printed with
// Print, then, when compiling or running failed, one line "compile error L:C: message"
// or "run error L:C: message".
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/fsHelpers.h"
#include "engine/fsScript.h"
#include "rtl/Variant.h"

namespace fs::test {

// A registered function, method or property of the tests: reads call the getter,
// writes the setter.
class TestHelper : public TfsCustomHelper {
public:
  using Getter = std::function<rtl::Variant(TestHelper& self)>;
  using Setter = std::function<void(TestHelper& self, const rtl::Variant& value)>;

  TestHelper(const std::string& name, TfsVarType typ, const std::string& typeName, Getter get, Setter set = {});

  // Adds a parameter; returns the helper for chaining.
  TestHelper& Param(const std::string& name, TfsVarType typ, const std::string& typeName, bool byRef = false);
  TestHelper& Optional(const std::string& name, TfsVarType typ, const std::string& typeName,
                       const rtl::Variant& defaultValue);

  rtl::Variant Arg(int index) const;
  void SetArg(int index, const rtl::Variant& value);

  rtl::Variant GetValue() override;
  void SetValue(const rtl::Variant& value) override;

private:
  Getter FGet;
  Setter FSet;
};

// What the test registry provides, registered into a script meant as the parent of the
// scripts under test.
class TestRegistry {
public:
  TestRegistry();

  TfsScript& Script() { return FScript; }
  // Text printed by Print and WriteLn since the last Clear.
  std::string& Output() { return FOutput; }
  // Calls of Touch (for short-circuit tests).
  int& Touches() { return FTouches; }

private:
  void RegisterClasses();

  TfsScript FScript;
  std::string FOutput;
  int FTouches = 0;
};

// Compiles and runs one script in a dialect against a fresh registry.
struct RunOutcome {
  bool Compiled = false;
  std::string CompileError;  // "L:C: message" (prefixed with "unit:" for an error in a unit)
  std::string RunError;      // "L:C: message" of an error that left the run
  std::string Output;
};

class ScriptRunner {
public:
  explicit ScriptRunner(const std::string& dialect);

  TestRegistry& Registry() { return FRegistry; }
  TfsScript& Script() { return FScriptUnderTest; }

  // Clears, sets the source and compiles; the outcome's compile fields.
  bool Compile(const std::string& source);
  // Runs once; output and run error accumulate into Outcome().
  bool Run();
  const RunOutcome& Outcome() const { return FOutcome; }

private:
  TestRegistry FRegistry;
  TfsScript FScriptUnderTest;
  RunOutcome FOutcome;
};

// Compiles and, when that succeeds, runs a script once.
RunOutcome RunScript(const std::string& dialect, const std::string& source);

// The dialect name of a run-case folder ("pascal" -> "PascalScript").
std::string DialectOfFolder(const std::string& folder);

struct RunCase {
  std::string Folder;
  std::string Name;
  std::string Script;
  std::string Expected;
};

std::vector<RunCase> LoadRunCases(const std::string& folder);
// The outcome printed as a run case's .out file.
std::string PrintOutcome(const RunOutcome& outcome);
inline void PrintTo(const RunCase& c, std::ostream* os) { *os << c.Folder << "/" << c.Name; }

}  // namespace fs::test
