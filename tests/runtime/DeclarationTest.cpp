// The declaration reader: names, kinds, parameters, by-reference and optional flags,
// defaults of every form, comments and malformed text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/fsScript.h"
#include "rtl/VariantConvert.h"
#include "runtime/RuntimeTestSupport.h"
#include "runtime/fsDeclaration.h"
#include "runtime/fsRegistry.h"

namespace fs {
namespace {

using rtl::Variant;

// A script that knows the type names and constants declarations use.
class DeclarationTest : public ::testing::Test {
protected:
  DeclarationTest() {
    TfsRegistry r(&FScript);
    test::RegisterBaseTypes(r);
    r.RegisterConstant("clRed", "Integer", Variant(std::int32_t{255}));
  }

  // "name:Type[var][?=default]" per parameter, joined by " ".
  std::string Params(const TfsDeclaration& d) {
    std::string s;
    for (const auto& p : d.Params) {
      if (!s.empty()) s += " ";
      s += p->Name() + ":" + p->TypeName() + "/" + std::to_string(p->Typ());
      if (p->IsVarParam()) s += "[var]";
      if (p->IsOptional()) {
        const Variant& v = p->DefValue();
        s += "?=" + (v.IsNull() ? std::string("<null>") : rtl::VarToStr(v).str()) + "#" + std::to_string(v.VarType());
      }
    }
    return s;
  }

  TfsScript FScript;
};

struct DeclCase {
  const char* Text;
  const char* Name;
  TfsVarType Typ;
  const char* TypeName;
  const char* Params;
};

TEST_F(DeclarationTest, ReadsNamesKindsAndParameters) {
  const std::vector<DeclCase> cases = {
      {"procedure Inc(var i: Integer; incr: Integer = 1)", "Inc", fvtClass, "",
       "i:Integer/0[var] incr:Integer/0?=1#3"},
      {"function Copy(s: String; from, count: Integer): String", "Copy", fvtString, "String",
       "s:String/4 from:Integer/0 count:Integer/0"},
      {"procedure Randomize", "Randomize", fvtClass, "", ""},
      {"procedure NewRow()", "NewRow", fvtClass, "", ""},
      {"procedure Lonely(a)", "Lonely", fvtClass, "", ""},
      // A lone quote as default: the empty string; up to the next ";" nothing is added.
      {"procedure DiscardDataPacket(Reason: string = '; Silent: boolean = false)", "DiscardDataPacket", fvtClass,
       "", "Reason:string/4?=#256 Silent:boolean/1?=False#11"},
      // Only the last name of a group takes the default.
      {"procedure P(a, b: Integer = 7)", "P", fvtClass, "", "a:Integer/0 b:Integer/0?=7#3"},
      // Comments anywhere.
      {"function IsValidDateWeek(const AYear, AWeekOfYear, {ISO 8601} ADayOfWeek: Word): Boolean", "IsValidDateWeek",
       fvtBool, "Boolean", "AYear:Word/0 AWeekOfYear:Word/0 ADayOfWeek:Word/0"},
      {"function F(a: Integer (* one *); // two\n b: String): Variant", "F", fvtVariant, "Variant",
       "a:Integer/0 b:String/4"},
      {"function GetVariableDef(Name: String;Default:Variant):Variant", "GetVariableDef", fvtVariant, "Variant",
       "Name:String/4 Default:Variant/7"},
      {"function BoolToStr(B: Boolean): string;", "BoolToStr", fvtString, "string", "B:Boolean/1"},
      {"procedure SendEventEx(Name: String; Args: array of const)", "SendEventEx", fvtClass, "",
       "Name:String/4 Args:array/6"},
      // Blanks around separators.
      {"procedure Spaced(a , b : Integer ; c : String)", "Spaced", fvtClass, "",
       "a:Integer/0 b:Integer/0 c:String/4"},
      // Defaults: negative, hexadecimal, 64-bit, float, quoted, character codes, identifiers.
      {"procedure D(a: Integer = -5; b: Integer = $FF; c: Int64 = 3000000000; d: Extended = 2.5)", "D", fvtClass,
       "", "a:Integer/0?=-5#3 b:Integer/0?=255#3 c:Int64/10?=3000000000#20 d:Extended/2?=2.5#5"},
      {"procedure Q(s: String = 'it''s'; t: String = #65'b'; c: Integer = clRed; u: Variant = Unknown)", "Q",
       fvtClass, "", "s:String/4?=it's#256 t:String/4?=Ab#256 c:Integer/0?=255#3 u:Variant/7?=<null>#1"},
      // An unregistered type is a class type; its name is kept.
      {"function Add(Node: TTreeNode; const S: string): TTreeNode", "Add", fvtClass, "TTreeNode",
       "Node:TTreeNode/5 S:string/4"},
      {"function Create(AOwner: TComponent): Constructor", "Create", fvtConstructor, "Constructor",
       "AOwner:TComponent/5"},
      {"function Date: TDateTime", "Date", fvtFloat, "TDateTime", ""},
      // Malformed text: whatever can be read, never a hang or a throw.
      {"procedure Broken(a: Integer", "Broken", fvtClass, "", "a:Integer/0"},
      {"procedure Digits(1, 2)", "Digits", fvtClass, "", ""},
      {"procedure Open(a", "Open", fvtClass, "", ""},
      {"", "", fvtClass, "", ""},
  };
  for (const DeclCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TfsDeclaration d = ParseDeclaration(c.Text, &FScript);
    EXPECT_EQ(d.Name, c.Name);
    EXPECT_EQ(d.Typ, c.Typ);
    EXPECT_EQ(d.TypeName, c.TypeName);
    EXPECT_EQ(Params(d), c.Params);
  }
}

TEST_F(DeclarationTest, KindWordAndMacroPrefix) {
  TfsDeclaration f = ParseDeclaration("FUNCTION Up(s: String): String", &FScript);
  EXPECT_TRUE(f.IsFunction);
  EXPECT_FALSE(f.IsMacro);
  TfsDeclaration m = ParseDeclaration("macrofunction Quote(x: Variant): String", &FScript);
  EXPECT_TRUE(m.IsMacro);
  EXPECT_TRUE(m.IsFunction);
  EXPECT_EQ(m.Name, "Quote");
  EXPECT_EQ(m.Typ, fvtString);
  // A procedure has no result type, whatever colons its parameters hold.
  TfsDeclaration p = ParseDeclaration("procedure Proc(a: Integer)", &FScript);
  EXPECT_FALSE(p.IsFunction);
  EXPECT_EQ(p.TypeName, "");
  EXPECT_EQ(p.Typ, fvtClass);
}

TEST_F(DeclarationTest, TypeCodeOfLooksUpThroughParents) {
  TfsScript child;
  child.SetParentScript(&FScript);
  EXPECT_EQ(TypeCodeOf("integer", &child), fvtInt);
  EXPECT_EQ(TypeCodeOf("TDateTime", &child), fvtFloat);
  EXPECT_EQ(TypeCodeOf("TNothing", &child), fvtClass);
  EXPECT_EQ(TypeCodeOf("", &child), fvtClass);
  EXPECT_EQ(TypeCodeOf("Integer", nullptr), fvtClass);
}

}  // namespace
}  // namespace fs
