#include "runtime/RuntimeTestSupport.h"

#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsMethodHelper.h"

namespace fs::test {

using rtl::Variant;

std::string ValueText(const Variant& v) {
  if (v.IsNull()) return "<null>";
  if (v.IsEmpty()) return "<empty>";
  return rtl::VarToStr(v).str();
}

void RegisterBaseTypes(TfsRegistry& r) {
  for (const char* n : {"Byte", "Word", "Integer", "Longint", "Cardinal"}) r.RegisterTypeName(n, fvtInt);
  r.RegisterTypeName("Int64", fvtInt64);
  r.RegisterTypeName("Boolean", fvtBool);
  for (const char* n : {"Real", "Double", "Extended", "TDateTime"}) r.RegisterTypeName(n, fvtFloat);
  r.RegisterTypeName("Char", fvtChar);
  r.RegisterTypeName("String", fvtString);
  r.RegisterTypeName("Variant", fvtVariant);
  r.RegisterTypeName("Pointer", fvtVariant);
  r.RegisterTypeName("Array", fvtArray);
  r.RegisterTypeName("Constructor", fvtConstructor);
  r.RegisterConstant("True", "Boolean", Variant(true));
  r.RegisterConstant("False", "Boolean", Variant(false));
  r.RegisterConstant("nil", "Variant", Variant(std::int32_t{0}));
  r.RegisterConstant("Null", "Variant", Variant::Null());
}

ScriptHost::ScriptHost() : FRegistry(std::make_unique<TfsScript>()), FScript(std::make_unique<TfsScript>()) {
  TfsRegistry r(FRegistry.get());
  RegisterBaseTypes(r);
  r.RegisterIndexHelpers();
  r.RegisterVariable("ExceptionClassName", "String", Variant(rtl::AnsiString()));
  r.RegisterVariable("ExceptionMessage", "String", Variant(rtl::AnsiString()));
  r.RegisterFunction("procedure Print(V: Variant)", [this](rtl::TObject*, rtl::TClass, const std::string&,
                                                          TfsMethodHelper* caller) {
    FOutput += ValueText(caller->ArgumentValue(0)) + "\n";
    return Variant();
  });
  FScript->SetParentScript(FRegistry.get());
}

ScriptHost::~ScriptHost() {
  // The script under test goes first: it may hold adapters of the registry's classes.
  FScript.reset();
  FRegistry.reset();
}

RunOutcome ScriptHost::Run(const std::string& source, const std::string& dialect) {
  FScript->ClearProgram();
  FScript->SetSyntaxType(dialect);
  FScript->SetLinesText(source);
  FLast = RunOutcome();
  try {
    FLast.Compiled = FScript->CompileProgram();
  } catch (const std::exception& e) {
    FLast.CompileError = std::string("exception: ") + e.what();
    return FLast;
  }
  if (!FLast.Compiled) {
    FLast.CompileError = FScript->LastErrorPos() + ": " + FScript->LastErrorText();
    return FLast;
  }
  return RunAgain();
}

RunOutcome ScriptHost::RunAgain() {
  FOutput.clear();
  FLast.RunError.clear();
  try {
    FScript->RunProgram();
  } catch (const rtl::Exception& e) {
    FLast.RunError = FScript->LastErrorPos() + ": " + e.Message();
  }
  FLast.Output = FOutput;
  return FLast;
}

}  // namespace fs::test
