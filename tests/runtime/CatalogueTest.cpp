// The catalogue of a script's registrations, in its exact text forms.
#include <gtest/gtest.h>

#include <string>

#include "engine/fsXMLItem.h"
#include "rtl/Object.h"
#include "runtime/RuntimeTestSupport.h"
#include "runtime/TestGadget.h"
#include "runtime/fsCatalogue.h"
#include "runtime/fsNotifyEvent.h"

namespace fs {
namespace {

using rtl::Variant;

// A class with a few published properties of fixed kinds.
class TCatItem : public rtl::TObject {
  RTL_CLASS_INFO
public:
  rtl::AnsiString Caption;
  std::int32_t Size = 0;
  bool Visible = false;
};

const rtl::TClassInfo& TCatItem::StaticClassInfo() {
  static const rtl::TClassInfo info = rtl::TClassBuilder<TCatItem>("TCatItem", &rtl::TObject::StaticClassInfo())
                                          .Property("Size", &TCatItem::Size, &TCatItem::Size)
                                          .Property("Caption", &TCatItem::Caption, &TCatItem::Caption)
                                          .Property("Visible", &TCatItem::Visible, &TCatItem::Visible);
  return info;
}

// One line per element: indentation, name, and the raw attribute text.
void Dump(const TfsXMLItem* item, int depth, std::string& out) {
  for (int i = 0; i < item->Count(); ++i) {
    const TfsXMLItem* c = item->Items(i);
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + c->Name() + (c->Text().empty() ? "" : " " + c->Text()) + "\n";
    Dump(c, depth + 1, out);
  }
}

class CatalogueTest : public ::testing::Test {
protected:
  CatalogueTest() {
    TfsRegistry r(&FScript);
    r.RegisterTypeName("Integer", fvtInt);
    r.RegisterTypeName("String", fvtString);
    r.RegisterTypeName("Boolean", fvtBool);
    r.RegisterTypeName("Extended", fvtFloat);
    r.RegisterTypeName("TDateTime", fvtFloat);
    r.RegisterIndexHelpers();
    auto none = [](rtl::TObject*, rtl::TClass, const std::string&, TfsMethodHelper*) { return Variant(); };
    r.RegisterFunction("function DaysInMonth(nYear, nMonth: Integer): Integer", none, "ctDate");
    r.RegisterFunction("function Sin(e: Extended): Extended", none, "ctMath");
    r.RegisterFunction("function GetVariable(Name: String):Variant", none, "Special", "Reads a <row> \"variable\"");
    r.RegisterFunction("function Cos(e: Extended): Extended", none, "CTMATH");
    r.RegisterFunction("function DaysInMonth(const DateTime: TDateTime): Word", none, "Date and time");
    r.RegisterEnumeration("TFontPitch", "fpDefault, fpVariable, fpFixed");
    r.RegisterSetType("TFontStyles", "fsBold, fsItalic");
    r.RegisterConstant("Answer", "Integer", Variant(std::int32_t{42}));
    r.RegisterConstant("Greeting", "String", Variant(rtl::AnsiString("hello")));
    r.RegisterVariable("Counter", "Integer", Variant(std::int32_t{1}));
    r.RegisterVariable("Anything", "Variant", Variant());
    TfsClassMembers item = r.RegisterClassType(&TCatItem::StaticClassInfo(), "TObject");
    item.DeclareMethod("function Sum(a, b: Integer): Integer", none);
    item.DeclareIndexedProperty("Cells", "Integer, String", "String", none);
    item.DeclareProperty("Area", "Integer", nullptr);
    item.DeclareEvent("OnChange", EventClassOf<TfsNotifyEvent>());
    FModule = rtl::MakeObject<test::TGadgetModule>();
    item.DeclareComponent(static_cast<rtl::TComponent*>(FModule->Components(0)));
  }

  TfsScript FScript;
  rtl::TObjectPtr<test::TGadgetModule> FModule;
};

TEST_F(CatalogueTest, WritesEveryKindOfItem) {
  TfsXMLItem root;
  ExportCatalogue(FScript, &root, false);
  std::string out;
  Dump(&root, 0, out);
  EXPECT_EQ(out,
            "Functions\n"
            "  ctDate text=\"ctDate\"\n"
            "    item text=\"function DaysInMonth(nYear, nMonth: Integer): Integer\" description=\"DaysInMonth\"\n"
            "  ctMath text=\"ctMath\"\n"
            "    item text=\"function Sin(e: Extended): Extended\" description=\"Sin\"\n"
            "    item text=\"function Cos(e: Extended): Extended\" description=\"Cos\"\n"
            "  Special text=\"Special\"\n"
            "    item text=\"function GetVariable(Name: String):Variant\" description=\"Reads a <row> \"variable\"\"\n"
            "  Date and time text=\"Date and time\"\n"
            "    item text=\"function DaysInMonth(const DateTime: TDateTime): Word\" description=\"DaysInMonth\"\n"
            "Classes\n"
            "  item text=\"TCatItem = class(TObject)\"\n"
            "    item text=\"property Caption: String\"\n"
            "    item text=\"property Size: Integer\"\n"
            "    item text=\"property Visible: Boolean\"\n"
            "    item text=\"function Sum(a, b: Integer): Integer\"\n"
            "    item text=\"index property Cells(p0: Integer; p1: String): String\"\n"
            "    item text=\"property Area: Integer\"\n"
            "    item text=\"event OnChange\"\n"
            "    item text=\"event Alpha\"\n"
            "Types\n"
            "  item text=\"TFontPitch: (fpDefault,fpVariable,fpFixed)\"\n"
            "  item text=\"TFontStyles: (fsBold,fsItalic)\"\n"
            "Variables\n"
            "  item text=\"Counter: Integer\"\n"
            "  item text=\"Anything: Variant\"\n"
            "Constants\n"
            "  item text=\"Answer: Integer = 42\"\n"
            "  item text=\"Greeting: String = hello\"\n");
}

TEST_F(CatalogueTest, FunctionsOnlyAndParentItemsLeftOut) {
  TfsScript child;
  child.SetParentScript(&FScript);
  TfsRegistry(&child).RegisterFunction("procedure Own", nullptr, "Mine");
  TfsRegistry(&child).RegisterConstant("OwnConst", "Integer", Variant(std::int32_t{1}));
  TfsXMLItem root;
  ExportCatalogue(child, &root, true);
  std::string out;
  Dump(&root, 0, out);
  EXPECT_EQ(out,
            "Functions\n"
            "  Mine text=\"Mine\"\n"
            "    item text=\"procedure Own\" description=\"Own\"\n"
            "Classes\nTypes\nVariables\nConstants\n");
}

}  // namespace
}  // namespace fs
