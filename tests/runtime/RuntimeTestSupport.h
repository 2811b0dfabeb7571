// Shared pieces of the runtime tests: a registry script holding the base vocabulary
// scripts need (type names, True/False/nil/Null, the indexing helpers, Print), all
// registered through the registry operations themselves, and a runner that compiles
// and runs a script whose parent is that registry.
#pragma once

#include <memory>
#include <string>

#include "engine/fsScript.h"
#include "runtime/fsRegistry.h"

namespace fs::test {

struct RunOutcome {
  bool Compiled = false;
  std::string CompileError;  // "L:C: message"
  std::string RunError;      // "L:C: message" of an error that left the run
  std::string Output;        // what Print wrote, one line per call
};

// The type names and constants scripts in these tests rely on.
void RegisterBaseTypes(TfsRegistry& r);

class ScriptHost {
public:
  ScriptHost();
  ~ScriptHost();

  TfsScript& Registry() { return *FRegistry; }
  TfsRegistry Reg() { return TfsRegistry(FRegistry.get()); }
  // The script last compiled (its parent is the registry).
  TfsScript& Script() { return *FScript; }

  // Clears the script, compiles source; runs it once when that succeeded.
  RunOutcome Run(const std::string& source, const std::string& dialect = "PascalScript");
  // Runs the compiled script again.
  RunOutcome RunAgain();
  // What Print wrote since the last run started (also from events fired afterwards).
  const std::string& Printed() const { return FOutput; }

private:
  std::unique_ptr<TfsScript> FRegistry;
  std::unique_ptr<TfsScript> FScript;
  std::string FOutput;
  RunOutcome FLast;
};

// The text Print writes for a value: "<null>", "<empty>", else the value's text.
std::string ValueText(const rtl::Variant& v);

}  // namespace fs::test
