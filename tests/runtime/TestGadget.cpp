#include "runtime/TestGadget.h"

namespace fs::test {

namespace {

const rtl::TEnumInfo& ShapeType() {
  static const rtl::TEnumInfo info{"TGadgetShape", {"gsRound", "gsSquare", "gsStar"}};
  return info;
}

const rtl::TEnumInfo& OptionType() {
  static const rtl::TEnumInfo info{"TGadgetOption", {"goA", "goB", "goC"}};
  return info;
}

}  // namespace

const rtl::TClassInfo& TGadget::StaticClassInfo() {
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<TGadget>("TGadget", &rtl::TComponent::StaticClassInfo())
          .Property("Count", &TGadget::Count, &TGadget::Count)
          .Property("Enabled", &TGadget::Enabled, &TGadget::Enabled)
          .Enum("Shape", ShapeType(), &TGadget::Shape, &TGadget::Shape)
          .Set("Options", "TGadgetOptions", OptionType(), &TGadget::Options, &TGadget::Options)
          .Property("Ratio", &TGadget::Ratio, &TGadget::Ratio)
          .Property("Caption", &TGadget::Caption, &TGadget::Caption)
          .Property("Letter", &TGadget::Letter, &TGadget::Letter)
          .Property("Title", &TGadget::Title, &TGadget::Title)
          .Property("Data", &TGadget::Data, &TGadget::Data)
          .Property("Big", &TGadget::Big, &TGadget::Big)
          .Property("Link", &TGadget::Link, &TGadget::Link)
          .Property("Serial", [](TGadget&) { return std::int32_t{77}; })
          .Event("OnPing", "TNotifyEvent", &TGadget::OnPing, &TGadget::OnPing)
          .Event("OnKey", "TKeyEvent", &TGadget::OnKey, &TGadget::OnKey);
  return info;
}

const rtl::TClassInfo& TGadgetEx::StaticClassInfo() {
  // Caption is redeclared: reading it through a TGadget member reaches this one.
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<TGadgetEx>("TGadgetEx", &TGadget::StaticClassInfo())
          .Property("Extra", &TGadgetEx::Extra, &TGadgetEx::Extra)
          .Property("Caption", [](TGadgetEx& g) { return rtl::AnsiString("ex:" + g.Caption.str()); },
                    [](TGadgetEx& g, const rtl::AnsiString& s) { g.Caption = s; });
  return info;
}

TGadgetModule::TGadgetModule(rtl::TComponent* owner) : TDataModule(owner) {
  SetName("GadgetModule1");
  auto* a = new TGadget(this);
  a->SetName("Alpha");
  a->Count = 1;
  auto* b = new TGadgetEx(this);
  b->SetName("Beta");
  b->Count = 2;
}

const rtl::TClassInfo& TGadgetModule::StaticClassInfo() {
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<TGadgetModule>("TGadgetModule", &rtl::TDataModule::StaticClassInfo());
  return info;
}

}  // namespace fs::test
