#include "engine/ScriptTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/fsClassVariable.h"
#include "engine/fsVariables.h"
#include "helpers/TestFiles.h"
#include "rtl/Component.h"
#include "rtl/Exceptions.h"
#include "rtl/Object.h"
#include "rtl/StringList.h"
#include "rtl/VariantConvert.h"

namespace fs::test {

using rtl::Variant;

// TestHelper --------------------------------------------------------------------------------

TestHelper::TestHelper(const std::string& name, TfsVarType typ, const std::string& typeName, Getter get, Setter set)
    : TfsCustomHelper(name, typ, typeName), FGet(std::move(get)), FSet(std::move(set)) {
  FIsReadOnly = !FSet;
}

TestHelper& TestHelper::Param(const std::string& name, TfsVarType typ, const std::string& typeName, bool byRef) {
  AddParam(new TfsParamItem(name, typ, typeName, false, byRef));
  return *this;
}

TestHelper& TestHelper::Optional(const std::string& name, TfsVarType typ, const std::string& typeName,
                                 const Variant& defaultValue) {
  auto* p = new TfsParamItem(name, typ, typeName, true, false);
  p->SetDefValue(defaultValue);
  AddParam(p);
  return *this;
}

Variant TestHelper::Arg(int index) const { return Params(index)->GetValue(); }

void TestHelper::SetArg(int index, const Variant& value) { Params(index)->SetValue(value); }

Variant TestHelper::GetValue() { return FGet ? FGet(*this) : Variant(); }

void TestHelper::SetValue(const Variant& value) {
  if (FSet) FSet(*this, value);
}

// TestRegistry ------------------------------------------------------------------------------

namespace {

std::string Text(const Variant& v) {
  if (v.IsNull()) return "<null>";
  if (v.IsEmpty()) return "<empty>";
  if (v.IsArray()) {
    const rtl::VarArray* a = v.AsArrayRaw();
    std::string s = "[";
    std::size_t n = rtl::VarArrayElementCount(a);
    for (std::size_t i = 0; i < n; ++i) s += (i ? ", " : "") + Text(rtl::VarArrayData(a)[i]);
    return s + "]";
  }
  return rtl::VarToAnsiString(v).str();
}

void AddType(TfsScript& s, const char* name, TfsVarType typ) { s.AddName(name, new TfsTypeVariable(name, typ, name)); }

void AddConstant(TfsScript& s, const char* name, TfsVarType typ, const Variant& value) {
  auto* v = new TfsVariable(name, typ, typ == fvtBool ? "Boolean" : "Variant");
  v->SetValue(value);
  v->SetReadOnly(true);
  s.AddName(name, v);
}

TestHelper* AddFunction(TfsScript& s, const std::string& name, TfsVarType typ, const std::string& typeName,
                        TestHelper::Getter get) {
  auto* h = new TestHelper(name, typ, typeName, std::move(get));
  h->SetReadOnly(true);
  s.AddName(name, h);
  return h;
}

rtl::TObject* Self(TestHelper& h) { return rtl::VariantToObject(h.ParentValue()); }

}  // namespace

TestRegistry::TestRegistry() {
  TfsScript& s = FScript;
  for (const char* n : {"Byte", "Word", "Integer", "Longint", "Cardinal"}) AddType(s, n, fvtInt);
  AddType(s, "Int64", fvtInt64);
  AddType(s, "Boolean", fvtBool);
  for (const char* n : {"Real", "Single", "Double", "Extended", "Currency", "TDateTime"}) AddType(s, n, fvtFloat);
  AddType(s, "Char", fvtChar);
  AddType(s, "String", fvtString);
  AddType(s, "Variant", fvtVariant);
  AddType(s, "Pointer", fvtVariant);
  AddType(s, "Array", fvtArray);
  AddConstant(s, "True", fvtBool, Variant(true));
  AddConstant(s, "False", fvtBool, Variant(false));
  AddConstant(s, "nil", fvtVariant, Variant(std::int32_t{0}));
  AddConstant(s, "Null", fvtVariant, Variant::Null());
  s.AddName("__StringHelper", new TfsStringHelper("__StringHelper"));
  s.AddName("__ArrayHelper", new TfsArrayHelper("__ArrayHelper", 3, 1, fvtVariant, "Variant"));
  for (const char* n : {"ExceptionClassName", "ExceptionMessage"}) {
    auto* v = new TfsStringVariable(n, fvtString, "String");
    v->SetValue(Variant(rtl::AnsiString()));
    s.AddName(n, v);
  }

  for (const char* n : {"Print", "WriteLn"})
    AddFunction(s, n, fvtVariant, "", [this](TestHelper& h) {
      FOutput += Text(h.Arg(0)) + "\n";
      return Variant();
    })->Param("V", fvtVariant, "Variant");
  AddFunction(s, "TypeOf", fvtString, "String", [](TestHelper& h) {
    return Variant(rtl::AnsiString(rtl::VarTypeAsText(h.Arg(0).VarType())));
  })->Param("V", fvtVariant, "Variant");
  AddFunction(s, "RaiseException", fvtVariant, "", [](TestHelper& h) -> Variant {
    throw rtl::Exception(rtl::VarToStr(h.Arg(0)).str());
  })->Param("Msg", fvtString, "String");
  AddFunction(s, "Inc", fvtVariant, "", [](TestHelper& h) {
    h.SetArg(0, Variant(rtl::VarToInt32(h.Arg(0)) + rtl::VarToInt32(h.Arg(1))));
    return Variant();
  })->Param("I", fvtInt, "Integer", true).Optional("Incr", fvtInt, "Integer", Variant(std::int32_t{1}));
  AddFunction(s, "Touch", fvtBool, "Boolean", [this](TestHelper&) {
    ++FTouches;
    return Variant(true);
  });
  AddFunction(s, "ArrayOf", fvtVariant, "Variant", [](TestHelper& h) {
    std::int32_t bounds[2] = {0, 2};
    Variant r = Variant::AdoptArray(rtl::VarArrayCreate(bounds, 1));
    for (int i = 0; i < 3; ++i) rtl::VarArrayData(r.AsArrayRaw())[i] = h.Arg(i);
    return r;
  })->Param("A", fvtVariant, "Variant").Param("B", fvtVariant, "Variant").Param("C", fvtVariant, "Variant");
  AddFunction(s, "MakeArray", fvtVariant, "Variant", [](TestHelper& h) {
    std::int32_t bounds[2] = {rtl::VarToInt32(h.Arg(0)), rtl::VarToInt32(h.Arg(1))};
    return Variant::AdoptArray(rtl::VarArrayCreate(bounds, 1));
  })->Param("Low", fvtInt, "Integer").Param("High", fvtInt, "Integer");
  AddFunction(s, "Wide", fvtVariant, "Variant", [](TestHelper& h) {
    std::u16string w = rtl::VarToWideString(h.Arg(0));
    return Variant(std::u16string_view(w));
  })->Param("S", fvtVariant, "Variant");
  AddFunction(s, "Str", fvtString, "String", [](TestHelper& h) { return Variant(rtl::VarToStr(h.Arg(0))); })
      ->Param("V", fvtVariant, "Variant");
  RegisterClasses();
}

void TestRegistry::RegisterClasses() {
  TfsScript& s = FScript;
  auto* tobject = new TfsClassVariable(&rtl::TObject::StaticClassInfo(), "", &s);
  s.AddName(tobject->Name(), tobject);
  tobject->AddMember(new TestHelper("Free", fvtVariant, "", [](TestHelper& h) {
    rtl::FreeObject(Self(h));
    return Variant();
  }));
  tobject->AddMember(new TestHelper("ClassName", fvtString, "String", [](TestHelper& h) {
    rtl::TObject* o = Self(h);
    return Variant(rtl::AnsiString(o ? o->ClassName() : std::string()));
  }));

  auto* list = new TfsClassVariable(&rtl::TStringList::StaticClassInfo(), "TObject", &s);
  s.AddName(list->Name(), list);
  list->AddMember(new TestHelper("Create", fvtConstructor, "", [](TestHelper& h) {
    Self(h)->AfterConstruction();
    return h.ParentValue();
  }));
  list->AddMember(&(new TestHelper("Add", fvtInt, "Integer", [](TestHelper& h) {
                     auto* l = static_cast<rtl::TStringList*>(Self(h));
                     return Variant(std::int32_t(l->Add(rtl::VarToAnsiString(h.Arg(0)))));
                   }))->Param("S", fvtString, "String"));
  list->AddMember(new TestHelper("Count", fvtInt, "Integer", [](TestHelper& h) {
    return Variant(std::int32_t(static_cast<rtl::TStringList*>(Self(h))->Count()));
  }));
  auto* strings = new TestHelper(
      "Strings", fvtString, "String",
      [](TestHelper& h) { return Variant(static_cast<rtl::TStringList*>(Self(h))->Get(rtl::VarToInt32(h.Arg(0)))); },
      [](TestHelper& h, const Variant& v) {
        static_cast<rtl::TStringList*>(Self(h))->Put(rtl::VarToInt32(h.Arg(0)), rtl::VarToAnsiString(v));
      });
  strings->Param("Index", fvtInt, "Integer");
  strings->SetIndexProp(true);
  list->AddMember(strings);
  list->SetDefProperty(strings);
  list->AddMember(new TestHelper(
      "Text", fvtString, "String",
      [](TestHelper& h) { return Variant(static_cast<rtl::TStringList*>(Self(h))->Text()); },
      [](TestHelper& h, const Variant& v) {
        static_cast<rtl::TStringList*>(Self(h))->SetText(rtl::VarToAnsiString(v));
      }));
}

// ScriptRunner ------------------------------------------------------------------------------

ScriptRunner::ScriptRunner(const std::string& dialect) {
  FScriptUnderTest.SetSyntaxType(dialect);
  FScriptUnderTest.SetParentScript(&FRegistry.Script());
}

bool ScriptRunner::Compile(const std::string& source) {
  FScriptUnderTest.ClearProgram();
  FScriptUnderTest.SetLinesText(source);
  FOutcome = RunOutcome();
  try {
    FOutcome.Compiled = FScriptUnderTest.CompileProgram();
  } catch (const std::exception& e) {
    FOutcome.CompileError = std::string("exception: ") + e.what();
    return false;
  }
  if (!FOutcome.Compiled) {
    const std::string& unit = FScriptUnderTest.LastErrorUnit();
    FOutcome.CompileError = (unit.empty() ? "" : unit + ":") + FScriptUnderTest.LastErrorPos() + ": " +
                            FScriptUnderTest.LastErrorText();
  }
  return FOutcome.Compiled;
}

bool ScriptRunner::Run() {
  FRegistry.Output().clear();
  bool ok = true;
  try {
    FScriptUnderTest.RunProgram();
  } catch (const rtl::Exception& e) {
    FOutcome.RunError = FScriptUnderTest.LastErrorPos() + ": " + e.Message();
    ok = false;
  }
  FOutcome.Output += FRegistry.Output();
  return ok;
}

RunOutcome RunScript(const std::string& dialect, const std::string& source) {
  ScriptRunner runner(dialect);
  if (runner.Compile(source)) runner.Run();
  return runner.Outcome();
}

// Run cases ---------------------------------------------------------------------------------

std::string DialectOfFolder(const std::string& folder) {
  if (folder == "pascal") return "PascalScript";
  if (folder == "cpp") return "C++Script";
  if (folder == "jscript") return "JScript";
  return "BasicScript";
}

namespace {

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Normalise(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

std::vector<RunCase> LoadRunCases(const std::string& folder) {
  std::vector<RunCase> cases;
  std::filesystem::path dir = testfiles::TestsDir() / "engine" / "run" / folder;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (entry.path().extension() != ".script") continue;
    RunCase c;
    c.Folder = folder;
    c.Name = entry.path().stem().string();
    c.Script = ReadFile(entry.path());
    c.Expected = Normalise(ReadFile(dir / (c.Name + ".out")));
    cases.push_back(std::move(c));
  }
  std::sort(cases.begin(), cases.end(), [](const RunCase& a, const RunCase& b) { return a.Name < b.Name; });
  return cases;
}

std::string PrintOutcome(const RunOutcome& outcome) {
  std::string s = outcome.Output;
  if (!outcome.CompileError.empty()) s += "compile error " + outcome.CompileError + "\n";
  if (!outcome.RunError.empty()) s += "run error " + outcome.RunError + "\n";
  return Normalise(s);
}

}  // namespace fs::test
