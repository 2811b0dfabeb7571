// Registering routines, constants, variables, type names, enumerations and sets, and
// reaching them from compiled scripts.
#include <gtest/gtest.h>

#include <string>

#include "engine/fsVariables.h"
#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"
#include "runtime/RuntimeTestSupport.h"
#include "runtime/fsFunctionTable.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsRTTIModule.h"

namespace fs {
namespace {

using rtl::Variant;
using test::ScriptHost;

// A library as modules write them: one table, member callbacks of the owner.
class TMathLib : public TfsRTTIModule {
public:
  explicit TMathLib(TfsScript* script) : TfsRTTIModule(script) {
    static const TfsFunctionEntry<TMathLib> kTable[] = {
        {"function Twice(n: Integer): Integer", "ctMath", &TMathLib::Call},
        {"procedure Bump(var i: Integer; by: Integer = 1)", "ctOther", &TMathLib::Call},
        {"function Join(a: String; b: String = '-'; c: String = 'z'): String", "ctString", &TMathLib::Call},
        {"function Describe(v: Variant): String", "ctOther", &TMathLib::Call, "Tells a value's type"},
        {"function Fails(Msg: String): Integer", "ctOther", &TMathLib::Call},
        {"function NoResult: Variant", "ctOther", &TMathLib::Call},
    };
    TfsRegistry(script).RegisterFunctions(this, kTable);
  }

  int Calls = 0;

private:
  Variant Call(rtl::TObject* instance, rtl::TClass classType, const std::string& name, TfsMethodHelper* caller) {
    ++Calls;
    EXPECT_EQ(instance, nullptr);
    EXPECT_EQ(classType, nullptr);
    if (name == "TWICE") return Variant(caller->ArgInt(0) * 2);
    if (name == "BUMP") {
      caller->SetArgumentValue(0, Variant(caller->ArgInt(0) + caller->ArgInt(1)));
      return Variant();
    }
    if (name == "JOIN")
      return Variant(rtl::AnsiString(caller->ArgString(0).str() + caller->ArgString(1).str() + caller->ArgString(2).str()));
    if (name == "DESCRIBE") return Variant(rtl::AnsiString(rtl::VarTypeAsText(caller->ArgumentValue(0).VarType())));
    if (name == "FAILS") throw rtl::Exception(caller->ArgString(0).str(), "EMyError");
    return Variant::Null();
  }
};

class RegistryTest : public ::testing::Test {
protected:
  RegistryTest() : FLib(new TMathLib(&FHost.Registry())) { FHost.Registry().AddName(std::string(), FLib); }

  ScriptHost FHost;
  TMathLib* FLib;
};

TEST_F(RegistryTest, ScriptsCallRegisteredRoutines) {
  auto out = FHost.Run(R"(
var i: Integer;
begin
  Print(Twice(21));
  i := 5; Bump(i); Print(i);
  Bump(i, 10); Print(i);
  Print(Join('a')); Print(Join('a', 'b')); Print(Join('a', 'b', 'c'));
  Print(Describe(1.5));
  Print(NoResult);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "42\n6\n16\na-z\nabz\nabc\nDouble\n<null>\n");
  EXPECT_EQ(FLib->Calls, 8);
}

TEST_F(RegistryTest, OtherDialectsReachTheSameRoutines) {
  auto out = FHost.Run("var i = 1; Bump(i, 4); Print(Twice(i));", "JScript");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "10\n");
  out = FHost.Run("Dim i\ni = 2\nBump(i)\nPrint(Twice(i))\n", "BasicScript");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "6\n");
}

TEST_F(RegistryTest, ArgumentChecksComeFromTheDeclaration) {
  EXPECT_EQ(FHost.Run("begin Twice; end.").CompileError, "1:7: Not enough actual parameters");
  EXPECT_EQ(FHost.Run("begin Twice(1, 2); end.").CompileError, "1:7: Too many actual parameters");
  EXPECT_EQ(FHost.Run("begin Twice('x'); end.").CompileError, "1:13: Incompatible types: 'Integer', 'String'");
  // A routine is read-only.
  EXPECT_EQ(FHost.Run("begin NoResult := 1; end.").CompileError, "1:7: Left side cannot be assigned to");
}

TEST_F(RegistryTest, CallbackErrorsReachTheScript) {
  auto out = FHost.Run(R"(
begin
  try
    Fails('boom');
  except
    Print(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  Fails('again');
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "EMyError: boom\n");
  EXPECT_EQ(out.RunError, "8:3: again");
}

TEST_F(RegistryTest, ConversionErrorsNameTheArgument) {
  auto out = FHost.Run("var v: Variant; begin v := 'abc'; Print(Twice(v)); end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_NE(out.RunError.find("Could not convert variant of type (String) into type (Integer)"), std::string::npos)
      << out.RunError;
  EXPECT_NE(out.RunError.find("(argument 'n' of Twice)"), std::string::npos) << out.RunError;
}

TEST_F(RegistryTest, LaterRoutineOfTheSameNameAnswers) {
  TfsRegistry r(&FHost.Registry());
  int first = 0, second = 0;
  r.RegisterFunction("function DaysInMonth(nYear, nMonth: Integer): Integer",
                     [&](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper*) {
                       ++first;
                       return Variant(std::int32_t{1});
                     });
  r.RegisterFunction("function DaysInMonth(const DateTime: TDateTime): Word",
                     [&](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper*) {
                       ++second;
                       return Variant(std::int32_t{2});
                     });
  EXPECT_EQ(FHost.Run("begin DaysInMonth(2024, 2); end.").CompileError, "1:7: Too many actual parameters");
  auto out = FHost.Run("begin Print(DaysInMonth(45000.5)); end.");
  EXPECT_EQ(out.Output, "2\n");
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
}

TEST_F(RegistryTest, HelperRecordsCategoryDescriptionAndDeclaration) {
  auto* twice = dynamic_cast<TfsMethodHelper*>(FHost.Registry().LookupLocal("twice"));
  ASSERT_NE(twice, nullptr);
  EXPECT_EQ(twice->Category(), "ctMath");
  EXPECT_EQ(twice->Description(), "Twice");
  EXPECT_EQ(twice->Declaration(), "function Twice(n: Integer): Integer");
  EXPECT_EQ(twice->UppercaseName(), "TWICE");
  EXPECT_TRUE(twice->IsReadOnly());
  auto* describe = dynamic_cast<TfsMethodHelper*>(FHost.Registry().LookupLocal("Describe"));
  ASSERT_NE(describe, nullptr);
  EXPECT_EQ(describe->Description(), "Tells a value's type");
  // No callback: the integer 0.
  TfsMethodHelper* bare = TfsRegistry(&FHost.Registry()).RegisterFunction("function Bare: Integer", nullptr);
  EXPECT_EQ(bare->GetValue().VarType(), rtl::varInteger);
  EXPECT_EQ(bare->GetValue().AsIntegerRaw(), 0);
  EXPECT_THROW(bare->ArgumentValue(1), rtl::Exception);
}

TEST_F(RegistryTest, ConstantsKeepTheFirstRegistration) {
  TfsRegistry r(&FHost.Registry());
  TfsCustomVariable* first = r.RegisterConstant("crDefault", "Integer", Variant(std::int32_t{0}));
  TfsCustomVariable* again = r.RegisterConstant("crDefault", "Integer", Variant(std::int32_t{-1}));
  EXPECT_EQ(first, again);
  EXPECT_EQ(rtl::VarToInt32(first->GetValue()), 0);
  EXPECT_TRUE(first->IsReadOnly());
  // The value is stored through the variable's conversion.
  TfsCustomVariable* pi = r.RegisterConstant("HalfPi", "Extended", Variant(rtl::AnsiString("1.5")));
  EXPECT_EQ(pi->GetValue().VarType(), rtl::varDouble);
  EXPECT_EQ(r.RegisterTypeName("Integer", fvtString), nullptr);
  EXPECT_EQ(FHost.Run("begin crDefault := 2; end.").CompileError, "1:7: Left side cannot be assigned to");
  EXPECT_EQ(FHost.Run("begin Print(crDefault + HalfPi); end.").Output, "1.5\n");
}

TEST_F(RegistryTest, VariablesAreWritableAndAskTheHost) {
  TfsRegistry r(&FHost.Registry());
  TfsCustomVariable* counter = r.RegisterVariable("Counter", "Integer", Variant(std::int32_t{3}));
  auto out = FHost.Run("begin Counter := Counter + 4; Print(Counter); end.");
  EXPECT_EQ(out.Output, "7\n");
  EXPECT_EQ(rtl::VarToInt32(counter->GetValue()), 7);

  // A variable registered while the script has a value-request handler asks it.
  FHost.Registry().OnGetVarValue = [](const std::string& name, TfsVarType, const Variant& old) {
    return name == "Answer" ? Variant(std::int32_t{42}) : old;
  };
  r.RegisterVariable("Answer", "Integer", Variant(std::int32_t{0}));
  EXPECT_EQ(FHost.Run("begin Print(Answer); end.").Output, "42\n");
}

TEST_F(RegistryTest, EnumerationsAndSets) {
  TfsRegistry r(&FHost.Registry());
  r.RegisterEnumeration("TFontPitch", "fpDefault, fpVariable,fpFixed");
  r.RegisterSetType("TFontStyles", "fsBold fsItalic, fsUnderline");
  auto out = FHost.Run(R"(
var p: TFontPitch;
begin
  p := fpFixed;
  Print(p); Print(fpDefault); Print(fsBold); Print(fsItalic); Print(fsUnderline);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "2\n0\n1\n2\n4\n");
  EXPECT_EQ(FHost.Run("begin fpFixed := 1; end.").CompileError, "1:7: Left side cannot be assigned to");
  TfsCustomVariable* type = FHost.Registry().LookupLocal("TFontPitch");
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Typ(), fvtEnum);
  EXPECT_EQ(FHost.Registry().LookupLocal("fpVariable")->TypeName(), "TFontPitch");
  // No visibility check: registering again adds further items, the newest answer.
  r.RegisterEnumeration("TFontPitch", "fpOther");
  EXPECT_EQ(rtl::VarToInt32(FHost.Registry().LookupLocal("fpOther")->GetValue()), 0);
}

TEST_F(RegistryTest, RegisteredStringsAndArraysAreIndexed) {
  TfsRegistry r(&FHost.Registry());
  r.RegisterVariable("Word1", "String", Variant(rtl::AnsiString("abc")));
  std::int32_t bounds[2] = {1, 3};
  r.RegisterVariable("List1", "Variant", Variant::AdoptArray(rtl::VarArrayCreate(bounds, 1)));
  auto out = FHost.Run(R"(
begin
  Word1[2] := 'x';
  Print(Word1); Print(Word1[3]);
  List1[2] := 'two';
  Print(List1[2]);
  Print(Word1[9]);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "axc\nc\ntwo\n");
  EXPECT_EQ(out.RunError, "7:3: Variant or safe array index out of bounds");
}

TEST_F(RegistryTest, RoutinesTakeDefaultsFromConstants) {
  TfsRegistry r(&FHost.Registry());
  r.RegisterFunction("function Flag(Silent: boolean = false): Boolean",
                     [](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper* c) {
                       return Variant(!c->ArgBool(0));
                     });
  EXPECT_EQ(FHost.Run("begin Print(Flag); Print(Flag(True)); end.").Output, "True\nFalse\n");
}

}  // namespace
}  // namespace fs
