// Native classes reached from scripts: constructors on fresh instances, typecasts,
// published properties of every kind (the object's own class deciding), declared,
// indexed and default properties, members declared on ancestors.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "engine/fsTypeCheck.h"
#include "rtl/Exceptions.h"
#include "rtl/Object.h"
#include "rtl/VariantConvert.h"
#include "runtime/RuntimeTestSupport.h"
#include "runtime/TestGadget.h"
#include "runtime/fsNotifyEvent.h"
#include "runtime/fsPropertyHelper.h"

namespace fs {
namespace {

using rtl::Variant;
using test::ScriptHost;
using test::TGadget;
using test::TGadgetEx;

class ClassBindingTest : public ::testing::Test {
protected:
  ClassBindingTest() {
    TfsRegistry r = FHost.Reg();
    TfsClassMembers object = r.RegisterClassType(&rtl::TObject::StaticClassInfo(), "");
    object.DeclareConstructor("constructor Create", [this](rtl::TObject* self, rtl::TClass cls, const std::string& name,
                                                          TfsMethodHelper*) {
      Record(cls, name);
      self->AfterConstruction();
      return rtl::ObjectToVariant(self);
    });
    object.DeclareMethod("procedure Free", [this](rtl::TObject* self, rtl::TClass cls, const std::string& name,
                                                 TfsMethodHelper*) {
      Record(cls, name);
      rtl::FreeObject(self);
      return Variant();
    });
    object.DeclareMethod("function ClassName: String", [this](rtl::TObject* self, rtl::TClass cls,
                                                              const std::string& name, TfsMethodHelper*) {
      Record(cls, name);
      return Variant(rtl::AnsiString(self->ClassName()));
    });

    TfsClassMembers component = r.RegisterClassType(&rtl::TComponent::StaticClassInfo(), "TObject");
    component.DeclareConstructor("constructor Create(AOwner: TComponent)",
                                 [this](rtl::TObject* self, rtl::TClass cls, const std::string& name,
                                        TfsMethodHelper* caller) {
                                   Record(cls, name);
                                   auto* c = static_cast<rtl::TComponent*>(self);
                                   if (auto* owner = caller->ArgObjectAs<rtl::TComponent>(0)) owner->InsertComponent(c);
                                   c->AfterConstruction();
                                   if (auto* g = dynamic_cast<TGadget*>(c)) g->Initialised = true;
                                   return rtl::ObjectToVariant(c);
                                 });

    TfsClassMembers gadget = r.RegisterClassType(&TGadget::StaticClassInfo(), "TComponent");
    auto self = [](rtl::TObject* o) { return static_cast<TGadget*>(o); };
    gadget.DeclareMethod("function Sum(a, b: Integer): Integer",
                         [this](rtl::TObject*, rtl::TClass cls, const std::string& name, TfsMethodHelper* c) {
                           Record(cls, name);
                           return Variant(c->ArgInt(0) + c->ArgInt(1));
                         });
    gadget.DeclareMethod("procedure Ping", [self](rtl::TObject* o, rtl::TClass, const std::string&, TfsMethodHelper*) {
      self(o)->Ping();
      return Variant();
    });
    gadget.DeclareProperty(
        "Doubled", "Integer",
        [self](rtl::TObject* o, rtl::TClass, const std::string& name) {
          EXPECT_EQ(name, "DOUBLED");
          return Variant(self(o)->Count * 2);
        },
        [self](rtl::TObject* o, rtl::TClass, const std::string&, const Variant& v) {
          self(o)->Count = rtl::VarToInt32(v) / 2;
        });
    gadget.DeclareProperty("Flag", "Boolean", [](rtl::TObject*, rtl::TClass, const std::string&) {
      return Variant(std::int32_t{5});
    });
    gadget.DeclareIndexedProperty("Cells", "Integer, Integer", "Integer",
                                  [this](rtl::TObject*, rtl::TClass, const std::string& name, TfsMethodHelper* c) {
                                    auto key = std::make_pair(c->ArgInt(0), c->ArgInt(1));
                                    if (name == "CELLS.SET") {
                                      FCells[key] = c->ArgInt(2);
                                      return Variant();
                                    }
                                    EXPECT_EQ(name, "CELLS.GET");
                                    return Variant(FCells[key]);
                                  });
    gadget.DeclareIndexedProperty(
        "Names", "Integer", "String",
        [](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper* c) {
          return Variant(rtl::AnsiString("name" + std::to_string(c->ArgInt(0))));
        },
        true);
    gadget.DeclareDefaultProperty("Items", "Integer", "String",
                                  [this](rtl::TObject*, rtl::TClass, const std::string& name, TfsMethodHelper* c) {
                                    if (name == "ITEMS.SET") {
                                      FItems[c->ArgInt(0)] = c->ArgString(1).str();
                                      return Variant();
                                    }
                                    return Variant(rtl::AnsiString(FItems[c->ArgInt(0)]));
                                  });
    gadget.DeclareEvent("OnPing", EventClassOf<TfsNotifyEvent>());
    FGadgetEx = r.RegisterClassType(&TGadgetEx::StaticClassInfo(), "TGadget");
  }

  void Record(rtl::TClass cls, const std::string& name) {
    FLastClass = cls;
    FLastName = name;
  }

  ScriptHost FHost;
  TfsClassMembers FGadgetEx;
  rtl::TClass FLastClass = nullptr;
  std::string FLastName;
  std::map<std::pair<int, int>, int> FCells;
  std::map<int, std::string> FItems;
};

TEST_F(ClassBindingTest, ConstructorRunsOnAFreshInstance) {
  auto out = FHost.Run(R"(
var g: TGadget;
begin
  g := TGadget.Create(nil);
  g.Count := 3;
  Print(g.Count);
  Print(g.ClassName);
  g.Free;
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "3\nTGadget\n");
  // Members declared on ancestors receive the ancestor's class.
  EXPECT_EQ(FLastName, "FREE");
  EXPECT_EQ(FLastClass, &rtl::TObject::StaticClassInfo());

  out = FHost.Run(R"(
var g: TGadget;
begin
  g := TGadget.Create(nil);
  Print(g.ClassName);
end.)");
  EXPECT_EQ(FLastClass, &rtl::TObject::StaticClassInfo());
  EXPECT_EQ(FLastName, "CLASSNAME");
  auto* g = dynamic_cast<TGadget*>(rtl::VariantToObject(FHost.Script().LookupLocal("g")->GetValue()));
  ASSERT_NE(g, nullptr);
  EXPECT_TRUE(g->Initialised);
  rtl::FreeObject(g);
}

TEST_F(ClassBindingTest, ConstructorReceivesTheDeclaringClassAndTheOwner) {
  auto owner = rtl::MakeObject<rtl::TComponent>();
  FHost.Reg().RegisterObject("Owner1", owner.get());
  auto out = FHost.Run("var g: TGadget; begin g := TGadgetEx.Create(Owner1); Print(g.ClassName); end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "TGadgetEx\n");
  ASSERT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->Components(0)->ClassName(), "TGadgetEx");
  EXPECT_TRUE(static_cast<TGadget*>(owner->Components(0))->Initialised);
}

TEST_F(ClassBindingTest, TypecastKeepsTheValueAndConstructorsStillGetFreshInstances) {
  TGadget* existing = rtl::CreateObject<TGadget>();
  FHost.Reg().RegisterObject("Existing", existing);
  auto out = FHost.Run(R"(
var v: Variant; g, h: TGadget;
begin
  v := Existing;
  g := TGadget(v);
  h := TGadget.Create(nil);
  Print(g = v);
  Print(h = v);
  h.Free;
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "True\nFalse\n");
  rtl::FreeObject(existing);
}

TEST_F(ClassBindingTest, PublishedPropertiesOfEveryKind) {
  auto other = rtl::MakeObject<rtl::TComponent>();
  auto gadget = rtl::MakeObject<TGadget>();
  FHost.Reg().RegisterObject("G", gadget.get());
  FHost.Reg().RegisterObject("Other", other.get());
  auto out = FHost.Run(R"(
begin
  G.Count := 12; G.Enabled := True; G.Shape := 2; G.Options := 5; G.Ratio := 1.25;
  G.Caption := 'cap'; G.Letter := 'xyz'; G.Title := 'wide'; G.Data := 'any';
  G.Big := 123456789012; G.Link := Other; G.Name := 'Gadget1'; G.Tag := 9;
  Print(G.Count); Print(G.Enabled); Print(G.Shape); Print(G.Options); Print(G.Ratio);
  Print(G.Caption); Print(G.Letter); Print(G.Title); Print(G.Data); Print(G.Big);
  Print(G.Link = Other); Print(G.Name); Print(G.Tag); Print(G.Serial);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output,
            "12\nTrue\n2\n5\n1.25\ncap\nx\nwide\nany\n123456789012\nTrue\nGadget1\n9\n77\n");
  EXPECT_EQ(gadget->Count, 12);
  EXPECT_TRUE(gadget->Enabled);
  EXPECT_EQ(gadget->Shape, test::gsStar);
  EXPECT_EQ(gadget->Options, 5u);
  EXPECT_EQ(gadget->Letter, 'x');
  EXPECT_EQ(gadget->Title, u"wide");
  EXPECT_EQ(gadget->Big, 123456789012);
  EXPECT_EQ(gadget->Link, other.get());

  // A Boolean member takes 1 for True and 0 for anything else.
  FHost.Run("begin G.Enabled := False; end.");
  EXPECT_FALSE(gadget->Enabled);
  // An empty text gives character 0.
  FHost.Run("begin G.Letter := ''; end.");
  EXPECT_EQ(gadget->Letter, '\0');
}

TEST_F(ClassBindingTest, PublishedMembersAreAlphabeticalWithKindsFromTheProperty) {
  TfsClassVariable* cls = FindClassVariable(&FHost.Registry(), "TGadget");
  ASSERT_NE(cls, nullptr);
  std::string names;
  for (int i = 0; i < cls->MembersCount(); ++i) {
    auto* p = dynamic_cast<TfsPropertyHelper*>(cls->Members(i));
    if (!p || !p->IsPublished()) break;
    names += p->Name() + ":" + std::to_string(p->Typ()) + (p->TypeName().empty() ? "" : "/" + p->TypeName()) +
             (p->IsReadOnly() ? "(ro)" : "") + " ";
  }
  // Events are not members; the Tag's kind follows the width of an object reference.
  const std::string tag = sizeof(void*) == 8 ? "Tag:10" : "Tag:0";
  EXPECT_EQ(names,
            "Big:10 Caption:4 Count:0 Data:7 Enabled:1/Boolean Letter:3 Link:5/TComponent Name:4 "
            "Options:8/TGadgetOptions Ratio:2 Serial:0(ro) Shape:8/TGadgetShape " +
                tag + " Title:4 ");
  auto gadget = rtl::MakeObject<TGadget>();
  FHost.Reg().RegisterObject("G", gadget.get());
  EXPECT_EQ(FHost.Run("begin G.Serial := 1; end.").CompileError, "1:7: Left side cannot be assigned to");
}

TEST_F(ClassBindingTest, TheObjectsOwnClassDecides) {
  auto ex = rtl::MakeObject<TGadgetEx>();
  ex->Caption = "c";
  FHost.Reg().RegisterObject("Ex", ex.get());
  auto out = FHost.Run(R"(
var g: TGadget;
begin
  g := Ex;
  Print(g.Caption);
  g.Caption := 'd';
  Print(Ex.Caption);
  Ex.Extra := 4;
  Print(Ex.Extra);
  Print(Ex.Count);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "ex:c\nex:d\n4\n0\n");
}

TEST_F(ClassBindingTest, DeclaredIndexedAndDefaultProperties) {
  auto gadget = rtl::MakeObject<TGadget>();
  gadget->Count = 4;
  FHost.Reg().RegisterObject("G", gadget.get());
  auto out = FHost.Run(R"(
begin
  Print(G.Doubled);
  G.Doubled := 20;
  Print(G.Count);
  Print(G.Flag);
  G.Cells[1, 2] := 7;
  Print(G.Cells[1, 2]);
  Print(G.Cells[2, 1]);
  G[3] := 'three';
  Print(G[3]);
  Print(G.Items[3]);
  Print(G.Names[5]);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "8\n10\nTrue\n7\n0\nthree\nthree\nname5\n");
  EXPECT_EQ(FHost.Run("begin G.Names[1] := 'x'; end.").CompileError, "1:7: Left side cannot be assigned to");
  EXPECT_EQ(FHost.Run("begin G.Flag := True; end.").CompileError, "1:7: Left side cannot be assigned to");

  // The value-being-written slot is null outside a write.
  auto* cells = dynamic_cast<TfsMethodHelper*>(FindClassVariable(&FHost.Registry(), "TGadget")->FindMember("Cells"));
  ASSERT_NE(cells, nullptr);
  EXPECT_TRUE(cells->IsIndexProp());
  EXPECT_TRUE(cells->ArgumentValue(cells->ParamCount()).IsNull());
  EXPECT_EQ(cells->Declaration(), "function Cells(p0: Integer; p1: Integer): Integer");
}

TEST_F(ClassBindingTest, DescendantsInheritTheDefaultProperty) {
  ASSERT_TRUE(FGadgetEx);
  EXPECT_EQ(FGadgetEx.Class()->DefProperty(), FindClassVariable(&FHost.Registry(), "TGadget")->DefProperty());
  auto ex = rtl::MakeObject<TGadgetEx>();
  FHost.Reg().RegisterObject("Ex", ex.get());
  auto out = FHost.Run("begin Ex[1] := 'one'; Print(Ex[1]); end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "one\n");
}

TEST_F(ClassBindingTest, NilAndDeadObjects) {
  auto out = FHost.Run(R"(
var g: TGadget;
begin
  g := nil;
  Print(g.Count);
  Print(g.Enabled);
  g.Count := 1;
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "<null>\n<null>\n");
  EXPECT_EQ(out.RunError, "7:3: Cannot write property Count of a nil object");

  TGadget* dead = rtl::CreateObject<TGadget>();
  FHost.Reg().RegisterObject("Dead", dead);
  rtl::FreeObject(dead);
  out = FHost.Run("begin Print(Dead.Count); end.");
  EXPECT_EQ(out.RunError, "1:7: Invalid pointer operation");
}

// Members declared from a table, bound to their owner.
class TGadgetLib {
public:
  Variant Call(rtl::TObject* self, rtl::TClass cls, const std::string& name, TfsMethodHelper* caller) {
    Seen += name + " ";
    EXPECT_EQ(cls, &TGadgetEx::StaticClassInfo());
    if (name == "MAKE") {
      static_cast<TGadget*>(self)->Count = caller->ArgInt(0);
      return rtl::ObjectToVariant(self);
    }
    return Variant(static_cast<TGadget*>(self)->Count + 100);
  }
  std::string Seen;
};

TEST_F(ClassBindingTest, MembersFromATable) {
  static const TfsMemberEntry<TGadgetLib> kMembers[] = {
      {"constructor Make(Start: Integer)", &TGadgetLib::Call},
      {"function Plus100: Integer", &TGadgetLib::Call},
  };
  TGadgetLib lib;
  FGadgetEx.DeclareMethods(&lib, kMembers);
  auto* make = dynamic_cast<TfsMethodHelper*>(FGadgetEx.FindMember("Make"));
  ASSERT_NE(make, nullptr);
  EXPECT_EQ(make->Typ(), fvtConstructor);
  EXPECT_EQ(make->Declaration(), "function Make(Start: Integer): Constructor");
  auto out = FHost.Run("var g: TGadgetEx; begin g := TGadgetEx.Make(5); Print(g.Plus100); g.Free; end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "105\n");
  EXPECT_EQ(lib.Seen, "MAKE PLUS100 ");
}

TEST_F(ClassBindingTest, AVisibleClassIsNotRegisteredAgain) {
  TfsClassMembers again = FHost.Reg().RegisterClassType(&TGadget::StaticClassInfo(), "TComponent");
  EXPECT_FALSE(again);
  EXPECT_EQ(again.DeclareMethod("procedure Extra", nullptr), nullptr);
  EXPECT_EQ(again.DeclareProperty("P", "Integer", nullptr), nullptr);
  EXPECT_EQ(again.DeclareDefaultProperty("D", "Integer", "Integer", nullptr), nullptr);
  // Member lookup walks up the ancestor names.
  EXPECT_NE(FGadgetEx.FindMember("classname"), nullptr);
  EXPECT_EQ(FGadgetEx.FindMember("Nothing"), nullptr);
}

}  // namespace
}  // namespace fs
