#include "runtime/SysFunctionsTestSupport.h"

#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsRegistry.h"
#include "runtime/fsSysFunctions.h"

namespace fs::test {

using rtl::Variant;

SysFunctionsHost::SysFunctionsHost()
    : FRegistry(std::make_unique<TfsScript>()), FScript(std::make_unique<TfsScript>()) {
  FRegistry->AddName(std::string(), new TfsSysFunctions(FRegistry.get()));
  TfsRegistry(FRegistry.get())
      .RegisterFunction("procedure Print(V: Variant)",
                        [this](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper* caller) {
                          FOutput += ValueText(caller->ArgumentValue(0)) + "\n";
                          return Variant();
                        });
  FScript->SetParentScript(FRegistry.get());
}

SysFunctionsHost::~SysFunctionsHost() {
  FScript.reset();
  FRegistry.reset();
}

RunOutcome SysFunctionsHost::Run(const std::string& source, const std::string& dialect) {
  RunOutcome out;
  FScript->ClearProgram();
  FScript->SetSyntaxType(dialect);
  FScript->SetLinesText(source);
  FOutput.clear();
  out.Compiled = FScript->CompileProgram();
  if (!out.Compiled) {
    out.CompileError = FScript->LastErrorPos() + ": " + FScript->LastErrorText();
    return out;
  }
  try {
    FScript->RunProgram();
  } catch (const rtl::Exception& e) {
    out.RunError = FScript->LastErrorPos() + ": " + e.Message();
  }
  out.Output = FOutput;
  return out;
}

std::string SysFunctionsHost::Eval(const std::string& expression) {
  FScript->ClearProgram();
  FScript->SetSyntaxType("PascalScript");
  FScript->SetLinesText("begin Print(" + expression + "); end.");
  FOutput.clear();
  if (!FScript->CompileProgram()) return "compile: " + FScript->LastErrorText();
  try {
    FScript->RunProgram();
  } catch (const rtl::Exception& e) {
    return "error: " + e.Message();
  }
  if (!FOutput.empty() && FOutput.back() == '\n') FOutput.pop_back();
  return FOutput;
}

}  // namespace fs::test
