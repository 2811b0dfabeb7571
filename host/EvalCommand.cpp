// velmora-host eval --language NAME FILE: compiles a script with the engine and runs it
// once. The script's parent is the process-wide registry, so it sees every library the
// tool links (the system functions among them); the script itself holds a few
// functions for looking at results:
//   Print(v) / WriteLn(v)   writes the value's text and a line end to stdout
//   Write(v)                writes the value's text
//   TypeOf(v): String       the name of the value's variant type
//   VarArrayOf3(a, b, c)    an array of three values (bounds 0 to 2)
// Compile and run errors go to stderr as FILE:line:col: message (exit code 1).
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <string>

#include "HostCommands.h"
#include "HostFiles.h"
#include "HostUsage.h"
#include "ScriptFileArgs.h"
#include "ScriptLanguage.h"
#include "engine/fsHelpers.h"
#include "engine/fsScript.h"
#include "engine/fsVariables.h"
#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsGlobalRegistry.h"

namespace {

using rtl::Variant;

// A built-in function of the tool.
class EvalFunction : public fs::TfsCustomHelper {
public:
  using Body = std::function<Variant(EvalFunction& self)>;
  EvalFunction(const std::string& name, fs::TfsVarType typ, Body body)
      : fs::TfsCustomHelper(name, typ, typ == fs::fvtString ? "String" : "Variant"), FBody(std::move(body)) {
    SetReadOnly(true);
  }
  EvalFunction* Param(const std::string& name, fs::TfsVarType typ) {
    AddParam(new fs::TfsParamItem(name, typ, typ == fs::fvtString ? "String" : "Variant", false, false));
    return this;
  }
  Variant Arg(int i) const { return Params(i)->GetValue(); }
  Variant GetValue() override { return FBody(*this); }

private:
  Body FBody;
};

std::string ValueText(const Variant& v) {
  if (v.IsNull()) return "Null";
  if (v.IsArray()) {
    const rtl::VarArray* a = v.AsArrayRaw();
    std::string s = "[";
    std::size_t n = a ? rtl::VarArrayElementCount(a) : 0;
    for (std::size_t i = 0; i < n; ++i) s += (i ? ", " : "") + ValueText(rtl::VarArrayData(a)[i]);
    return s + "]";
  }
  return rtl::VarToStr(v).str();
}

void Write(const std::string& s) { std::fwrite(s.data(), 1, s.size(), stdout); }

// The tool's own functions, in the script's own table.
void RegisterToolFunctions(fs::TfsScript& s) {
  using namespace fs;
  auto function = [&s](const char* name, TfsVarType t, EvalFunction::Body body) {
    auto* f = new EvalFunction(name, t, std::move(body));
    s.AddName(name, f);
    return f;
  };
  for (const char* n : {"Print", "WriteLn"})
    function(n, fvtVariant, [](EvalFunction& f) {
      Write(ValueText(f.Arg(0)) + "\n");
      return Variant();
    })->Param("V", fvtVariant);
  function("Write", fvtVariant, [](EvalFunction& f) {
    Write(ValueText(f.Arg(0)));
    return Variant();
  })->Param("V", fvtVariant);
  function("TypeOf", fvtString, [](EvalFunction& f) {
    return Variant(rtl::AnsiString(rtl::VarTypeAsText(f.Arg(0).VarType())));
  })->Param("V", fvtVariant);
  function("VarArrayOf3", fvtVariant, [](EvalFunction& f) {
    std::int32_t bounds[2] = {0, 2};
    Variant r = Variant::AdoptArray(rtl::VarArrayCreate(bounds, 1));
    for (int i = 0; i < 3; ++i) rtl::VarArrayData(r.AsArrayRaw())[i] = f.Arg(i);
    return r;
  })->Param("A", fvtVariant)->Param("B", fvtVariant)->Param("C", fvtVariant);
}

}  // namespace

int RunEval(int argc, char** argv) {
  ScriptFileArgs args;
  if (int rc = ReadScriptFileArgs("eval", argc, argv, args)) return rc;
  const std::string& file = args.File;
  std::string content, error;
  if (!ReadRegularFile(file, kMaxScriptBytes, content, error)) return Failure("eval", error);
  if (int rc = ResolveLanguage("eval", content, args)) return rc;
  const std::string language = kLanguageNames[args.LanguageIndex];

  fs::TfsScript* registry = fs::GlobalRegistry();
  if (!registry) {
    return Failure("eval", "the script registry is not available");
  }
  fs::TfsScript script;
  RegisterToolFunctions(script);
  script.SetParentScript(registry);
  script.SetSyntaxType(language);
  script.SetLinesText(content);
  std::string dir = DirectoryOf(file);
  if (!dir.empty()) script.IncludeDirs().push_back(dir);

  bool compiled = false;
  try {
    compiled = script.CompileProgram();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), e.what());
    return 1;
  }
  if (!compiled) {
    std::string where = script.LastErrorUnit().empty() ? file : script.LastErrorUnit();
    std::fprintf(stderr, "%s:%s: %s\n", where.c_str(), script.LastErrorPos().c_str(), script.LastErrorText().c_str());
    return 1;
  }
  try {
    script.RunProgram();
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s:%s: %s\n", file.c_str(), script.LastErrorPos().c_str(), e.what());
    return 1;
  }
  std::fflush(stdout);
  return 0;
}
