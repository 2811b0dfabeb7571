// Class info: published properties by name across the inheritance chain, their kinds
// and conversions, event slots, object references and the process-wide class table.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "rtl/ClassInfo.h"
#include "rtl/Component.h"
#include "rtl/DataModule.h"
#include "rtl/StringList.h"
#include "rtl/Variant.h"
#include "rtl/VariantConvert.h"

namespace rtl {
namespace {

enum class TShade { shRed, shGreen, shBlue };

const TEnumInfo& ShadeInfo() {
  static const TEnumInfo info{"TShade", {"shRed", "shGreen", "shBlue"}};
  return info;
}

using TKeyEvent = std::function<void(TObject* Sender, int& Key)>;

// A component with one published property of every kind.
class TGadget : public TComponent {
  RTL_CLASS_INFO

public:
  explicit TGadget(TComponent* owner = nullptr) : TComponent(owner), FLines(new TStringList()) {}
  ~TGadget() override { FreeObject(FLines); }

  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& s) {
    FCaption = s;
    ++FCaptionWrites;
  }
  TStringList* Lines() const { return FLines; }
  void SetLines(TStringList* lines) { FLines->Assign(lines); }
  int Answer() const { return 42; }

  std::int32_t FCount = 0;
  std::int64_t FBig = 0;
  double FRatio = 0;
  AnsiString FCaption;
  int FCaptionWrites = 0;
  std::u16string FWide;
  char FLetter = 'a';
  char16_t FWideLetter = u'b';
  bool FEnabled = false;
  TShade FShade = TShade::shRed;
  std::uint32_t FStyles = 0;
  Variant FData;
  TStringList* FLines;
  TComponent* FLink = nullptr;
  TNotifyEvent FOnClick;
  TKeyEvent FOnKey;
};

const TClassInfo& TGadget::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TGadget>("TTestGadget", &TComponent::StaticClassInfo())
                                     .Property("Count", &TGadget::FCount, &TGadget::FCount)
                                     .Property("Big", &TGadget::FBig, &TGadget::FBig)
                                     .Property("Ratio", &TGadget::FRatio, &TGadget::FRatio)
                                     .TypeName("TDateTime")
                                     .Property("Caption", &TGadget::Caption, &TGadget::SetCaption)
                                     .Property("Wide", &TGadget::FWide, &TGadget::FWide)
                                     .Property("Letter", &TGadget::FLetter, &TGadget::FLetter)
                                     .Property("WideLetter", &TGadget::FWideLetter, &TGadget::FWideLetter)
                                     .Property("Enabled", &TGadget::FEnabled, &TGadget::FEnabled)
                                     .Enum("Shade", ShadeInfo(), &TGadget::FShade, &TGadget::FShade)
                                     .Set("Styles", "TShades", ShadeInfo(), &TGadget::FStyles, &TGadget::FStyles)
                                     .Property("Data", &TGadget::FData, &TGadget::FData)
                                     .Property("Lines", &TGadget::Lines, &TGadget::SetLines)
                                     .Property("Link", &TGadget::FLink, &TGadget::FLink)
                                     .Property("Answer", &TGadget::Answer)
                                     .Event("OnClick", "TNotifyEvent", &TGadget::FOnClick, &TGadget::FOnClick)
                                     .Event("OnKey", "TKeyEvent", &TGadget::FOnKey, &TGadget::FOnKey);
  return info;
}

// A descendant that adds a property and redeclares one as read-only.
class TBigGadget : public TGadget {
  RTL_CLASS_INFO

public:
  using TGadget::TGadget;
  std::int32_t FExtra = 7;
};

const TClassInfo& TBigGadget::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TBigGadget>("TTestBigGadget", &TGadget::StaticClassInfo())
                                     .Property("Extra", &TBigGadget::FExtra, &TBigGadget::FExtra)
                                     .Property("Count", &TBigGadget::FCount);
  return info;
}

// Registered by name before any test looks for it.
[[maybe_unused]] const TClassInfo& kBigGadgetClass = TBigGadget::StaticClassInfo();

std::vector<std::string> PropertyNames(const TClassInfo& info) {
  std::vector<std::string> names;
  for (const TPropInfo* p : info.Properties()) names.push_back(p->Name());
  return names;
}

TEST(ClassInfoTest, PropertiesOfAncestorsComeFirstAndRedeclarationsKeepTheirPlace) {
  EXPECT_EQ(PropertyNames(TDataModule::StaticClassInfo()),
            (std::vector<std::string>{"Name", "Tag", "OnCreate", "OnDestroy"}));
  auto names = PropertyNames(TBigGadget::StaticClassInfo());
  ASSERT_EQ(names.size(), 19u);
  EXPECT_EQ(names[0], "Name");
  EXPECT_EQ(names[2], "Count");
  EXPECT_EQ(names.back(), "Extra");
  const TPropInfo* count = TBigGadget::StaticClassInfo().FindProperty("count");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->Owner(), &TBigGadget::StaticClassInfo());
  EXPECT_FALSE(count->IsWritable());
  EXPECT_TRUE(TGadget::StaticClassInfo().FindProperty("COUNT")->IsWritable());
}

TEST(ClassInfoTest, KindsAndTypeNamesFollowTheDeclaredTypes) {
  struct Case {
    const char* name;
    TTypeKind kind;
    const char* typeName;
  } cases[] = {
      {"Count", tkInteger, "Integer"},       {"Big", tkInt64, "Int64"},
      {"Ratio", tkFloat, "TDateTime"},       {"Caption", tkString, "String"},
      {"Wide", tkWString, "WideString"},     {"Letter", tkChar, "Char"},
      {"WideLetter", tkWChar, "WideChar"},   {"Enabled", tkEnumeration, "Boolean"},
      {"Shade", tkEnumeration, "TShade"},    {"Styles", tkSet, "TShades"},
      {"Data", tkVariant, "Variant"},        {"Lines", tkClass, "TStringList"},
      {"Link", tkClass, "TComponent"},       {"OnClick", tkMethod, "TNotifyEvent"},
      {"Name", tkString, "String"},
  };
  const TClassInfo& info = TGadget::StaticClassInfo();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPropInfo* p = info.FindProperty(c.name);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Kind(), c.kind);
    if (c.kind != tkClass) {
      EXPECT_EQ(p->TypeName(), c.typeName);
    }
  }
  EXPECT_EQ(info.FindProperty("Lines")->PropClass(), &TStringList::StaticClassInfo());
  EXPECT_TRUE(info.FindProperty("Enabled")->IsBoolean());
  EXPECT_EQ(info.FindProperty("Shade")->EnumType(), &ShadeInfo());
}

TEST(ClassInfoTest, ValuesRoundTripByNameThroughVariants) {
  TObjectPtr<TBigGadget> g = MakeObject<TBigGadget>();
  TObject* o = g.get();

  g->FCount = 12;  // read-only in the descendant
  EXPECT_EQ(GetPropValue(o, "count").AsIntegerRaw(), 12);
  SetPropValue(o, "Big", Variant(std::int64_t{1} << 40));
  EXPECT_EQ(GetPropValue(o, "big").VarType(), varInt64);
  EXPECT_EQ(GetOrdProp(o, "Big"), std::int64_t{1} << 40);
  SetPropValue(o, "Ratio", Variant(2.5));
  EXPECT_DOUBLE_EQ(GetFloatProp(o, "Ratio"), 2.5);
  SetStrProp(o, "Caption", "Hello");
  EXPECT_EQ(GetPropValue(o, "Caption").VarType(), varString);
  EXPECT_EQ(GetStrProp(o, "caption"), "Hello");
  EXPECT_EQ(g->FCaptionWrites, 1);
  SetPropValue(o, "Wide", Variant(std::u16string_view(u"\u00e9t\u00e9")));
  EXPECT_EQ(g->FWide, u"\u00e9t\u00e9");
  EXPECT_EQ(GetPropValue(o, "Wide").VarType(), varOleStr);
  SetPropValue(o, "Letter", Variant("xyz"));
  EXPECT_EQ(g->FLetter, 'x');
  EXPECT_EQ(GetStrProp(o, "Letter"), "x");
  SetPropValue(o, "Letter", Variant(""));
  EXPECT_EQ(g->FLetter, '\0');
  SetOrdProp(o, "WideLetter", 0x263A);
  EXPECT_EQ(g->FWideLetter, u'\u263a');
  SetPropValue(o, "Data", Variant(3.25));
  EXPECT_TRUE(GetPropValue(o, "Data").SameAs(Variant(3.25)));
  SetPropValue(o, "Extra", Variant("99"));
  EXPECT_EQ(g->FExtra, 99);
  // Inherited from TComponent, through the descendant's class info.
  SetPropValue(o, "Name", Variant("Gadget1"));
  EXPECT_EQ(g->Name(), "Gadget1");
  SetOrdProp(o, "Tag", 10002);
  EXPECT_EQ(g->Tag(), 10002);
  EXPECT_EQ(GetPropValue(o, "Answer").AsIntegerRaw(), 42);
}

TEST(ClassInfoTest, EnumerationsAndBooleansTakeNamesOrdinalsAndBooleans) {
  TObjectPtr<TGadget> g = MakeObject<TGadget>();
  SetEnumProp(g.get(), "Shade", "SHBLUE");
  EXPECT_EQ(g->FShade, TShade::shBlue);
  EXPECT_EQ(GetEnumProp(g.get(), "Shade"), "shBlue");
  EXPECT_EQ(GetPropValue(g.get(), "Shade").AsIntegerRaw(), 2);
  SetPropValue(g.get(), "Shade", Variant("shGreen"));
  EXPECT_EQ(g->FShade, TShade::shGreen);
  SetPropValue(g.get(), "Shade", Variant(std::int32_t{0}));
  EXPECT_EQ(g->FShade, TShade::shRed);

  SetPropValue(g.get(), "Enabled", Variant(true));
  EXPECT_TRUE(g->FEnabled);
  EXPECT_EQ(GetEnumProp(g.get(), "Enabled"), "True");
  EXPECT_EQ(GetPropValue(g.get(), "Enabled").AsIntegerRaw(), 1);
  SetEnumProp(g.get(), "Enabled", "false");
  EXPECT_FALSE(g->FEnabled);
  SetPropValue(g.get(), "Enabled", Variant(std::int32_t{5}));
  EXPECT_TRUE(g->FEnabled);

  EXPECT_THROW(SetPropValue(g.get(), "Shade", Variant(std::int32_t{3})), EPropertyError);
  EXPECT_THROW(SetEnumProp(g.get(), "Shade", "shPurple"), EPropertyError);
  EXPECT_EQ(g->FShade, TShade::shRed);
}

TEST(ClassInfoTest, SetsReadAndWriteAsBitsOrNames) {
  TObjectPtr<TGadget> g = MakeObject<TGadget>();
  SetSetProp(g.get(), "Styles", "[shRed, shBlue]");
  EXPECT_EQ(g->FStyles, 5u);
  EXPECT_EQ(GetSetProp(g.get(), "Styles"), "[shRed,shBlue]");
  SetPropValue(g.get(), "Styles", Variant(std::int32_t{2}));
  EXPECT_EQ(GetSetProp(g.get(), "Styles"), "[shGreen]");
  SetPropValue(g.get(), "Styles", Variant("[]"));
  EXPECT_EQ(g->FStyles, 0u);
  EXPECT_THROW(SetSetProp(g.get(), "Styles", "[shRed,shNone]"), EPropertyError);
}

TEST(ClassInfoTest, ErrorsNameTheProblem) {
  TObjectPtr<TBigGadget> g = MakeObject<TBigGadget>();
  try {
    GetPropValue(g.get(), "Colour");
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_EQ(e.Message(), "Property Colour does not exist");
    EXPECT_EQ(e.ClassName(), "EPropertyError");
  }
  EXPECT_THROW(SetPropValue(g.get(), "Answer", Variant(std::int32_t{1})), EPropertyError);
  EXPECT_THROW(SetPropValue(g.get(), "Count", Variant(std::int32_t{1})), EPropertyError);  // read-only here
  try {
    SetPropValue(g.get(), "Extra", Variant("abc"));
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.ClassName(), "EVariantError");
  }
  EXPECT_THROW(SetPropValue(g.get(), "Extra", Variant(std::int64_t{1} << 40)), Exception);
  EXPECT_EQ(g->FExtra, 7);
  // A property applied to an object of another class, and to nil.
  TObjectPtr<TComponent> plain = MakeObject<TComponent>();
  const TPropInfo* count = TGadget::StaticClassInfo().FindProperty("Count");
  EXPECT_THROW(count->GetValue(plain.get()), EInvalidCast);
  EXPECT_THROW(count->SetValue(nullptr, Variant(std::int32_t{1})), EPropertyError);
  EXPECT_THROW(GetEnumProp(g.get(), "Caption"), EPropertyError);
  EXPECT_THROW(g->ClassInfo().FindProperty("Caption")->GetObject(g.get()), EPropertyError);
}

TEST(ClassInfoTest, ObjectPropertiesCheckClassAndLiveness) {
  TObjectPtr<TGadget> g = MakeObject<TGadget>();
  TObjectPtr<TComponent> other = MakeObject<TComponent>();
  SetObjectProp(g.get(), "Link", other.get());
  EXPECT_EQ(g->FLink, other.get());
  Variant ref = GetPropValue(g.get(), "Link");
  EXPECT_EQ(ref.VarType(), sizeof(void*) == 4 ? varInteger : varInt64);
  EXPECT_EQ(VariantToObject(ref), other.get());
  SetPropValue(g.get(), "Link", Variant::Null());
  EXPECT_EQ(g->FLink, nullptr);
  SetPropValue(g.get(), "Link", ref);
  EXPECT_EQ(g->FLink, other.get());

  // A string list is no component.
  TObjectPtr<TStringList> list = MakeObject<TStringList>();
  EXPECT_THROW(SetObjectProp(g.get(), "Link", list.get()), EInvalidCast);
  // A number that names no living object.
  TComponent* gone = CreateObject<TComponent>();
  Variant stale = ObjectToVariant(gone);
  FreeObject(gone);
  EXPECT_THROW(SetPropValue(g.get(), "Link", stale), EInvalidPointer);
  EXPECT_THROW(VariantToObject(Variant(std::int32_t{12345})), EInvalidPointer);
  EXPECT_EQ(VariantToObject(Variant(std::int32_t{0})), nullptr);
  EXPECT_EQ(g->FLink, other.get());

  // A property whose setter copies: the string list is changed through its object.
  list->SetText("a\r\nb");
  SetObjectProp(g.get(), "Lines", list.get());
  EXPECT_EQ(g->FLines->Text(), "a\r\nb\r\n");
  EXPECT_EQ(GetObjectProp(g.get(), "Lines"), g->FLines);
}

TEST(ClassInfoTest, EventSlotsAreAssignedAndReadByName) {
  TObjectPtr<TGadget> g = MakeObject<TGadget>();
  TObject* sender = nullptr;
  SetMethodProp(g.get(), "onclick", TNotifyEvent([&](TObject* s) { sender = s; }));
  ASSERT_TRUE(g->FOnClick);
  g->FOnClick(g.get());
  EXPECT_EQ(sender, g.get());

  TMethod m = GetMethodProp(g.get(), "OnClick");
  ASSERT_TRUE(m.Assigned());
  ASSERT_NE(m.Target<TNotifyEvent>(), nullptr);
  EXPECT_EQ(m.Target<TKeyEvent>(), nullptr);
  // Copying a handler from one slot to another of the same type.
  TObjectPtr<TGadget> second = MakeObject<TGadget>();
  SetMethodProp(second.get(), "OnClick", m);
  (second->FOnClick)(second.get());
  EXPECT_EQ(sender, second.get());

  SetMethodProp(g.get(), "OnKey", TKeyEvent([](TObject*, int& key) { key = 13; }));
  int key = 0;
  g->FOnKey(g.get(), key);
  EXPECT_EQ(key, 13);
  EXPECT_THROW(SetMethodProp(g.get(), "OnKey", m), EPropertyError);
  ASSERT_TRUE(g->FOnKey);

  SetMethodProp(g.get(), "OnClick", TMethod());
  EXPECT_FALSE(g->FOnClick);
  SetPropValue(g.get(), "OnKey", Variant::Null());
  EXPECT_FALSE(g->FOnKey);
  EXPECT_FALSE(GetMethodProp(g.get(), "OnKey").Assigned());

  EXPECT_NE(g->ClassInfo().FindEvent("ONCLICK"), nullptr);
  EXPECT_EQ(g->ClassInfo().FindEvent("Caption"), nullptr);
  EXPECT_THROW(GetMethodProp(g.get(), "Caption"), EPropertyError);
}

TEST(ClassInfoTest, ClassTableFindsClassesByNameAndMakesInstances) {
  EXPECT_EQ(GetClass("tstringlist"), &TStringList::StaticClassInfo());
  EXPECT_EQ(GetClass("TTestBigGadget"), &TBigGadget::StaticClassInfo());
  EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
  try {
    FindClass("TNoSuchClass");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNoSuchClass not found");
  }
  TClass c = FindClass("TStringList");
  EXPECT_TRUE(c->InheritsFrom(TStrings::StaticClassInfo()));
  EXPECT_TRUE(c->InheritsFrom(TObject::StaticClassInfo()));
  EXPECT_FALSE(c->InheritsFrom(TComponent::StaticClassInfo()));
  EXPECT_EQ(c->ClassParent(), &TStrings::StaticClassInfo());

  TObjectPtr<TObject> made(c->NewInstance());
  EXPECT_EQ(made->ClassName(), "TStringList");
  EXPECT_TRUE(made->InheritsFrom<TPersistent>());
  EXPECT_FALSE(GetClass("TStrings")->CanCreate());
  EXPECT_THROW(GetClass("TStrings")->NewInstance(), EAbstractError);

  TObjectPtr<TObject> gadget(GetClass("TTestBigGadget")->NewInstance());
  EXPECT_EQ(GetPropValue(gadget.get(), "Extra").AsIntegerRaw(), 7);

  auto all = RegisteredClasses();
  for (const char* name : {"TObject", "TPersistent", "TComponent", "TDataModule", "TStrings", "TStringList", "TList",
                           "TObjectList"})
    EXPECT_NE(std::find_if(all.begin(), all.end(), [&](TClass k) { return k->ClassName() == name; }), all.end())
        << name;
}

}  // namespace
}  // namespace rtl
