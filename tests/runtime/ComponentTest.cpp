// Components registered by name: forms and data modules with their owned components as
// members of their class.
#include <gtest/gtest.h>

#include <string>

#include "engine/fsTypeCheck.h"
#include "rtl/Object.h"
#include "runtime/RuntimeTestSupport.h"
#include "runtime/TestGadget.h"
#include "runtime/fsComponentHelper.h"

namespace fs {
namespace {

using test::ScriptHost;
using test::TGadget;

// Stand-ins of the toolkit's form classes: registration knows forms by their ancestry.
class TForm : public rtl::TComponent {
  RTL_CLASS_INFO
public:
  using TComponent::TComponent;
};

class TMainForm : public TForm {
  RTL_CLASS_INFO
public:
  explicit TMainForm(rtl::TComponent* owner = nullptr) : TForm(owner) {
    SetName("MainForm");
    (new TGadget(this))->SetName("Knob");
  }
};

const rtl::TClassInfo& TForm::StaticClassInfo() {
  static const rtl::TClassInfo info = rtl::TClassBuilder<TForm>("TForm", &rtl::TComponent::StaticClassInfo());
  return info;
}

const rtl::TClassInfo& TMainForm::StaticClassInfo() {
  static const rtl::TClassInfo info = rtl::TClassBuilder<TMainForm>("TMainForm", &TForm::StaticClassInfo());
  return info;
}

class ComponentTest : public ::testing::Test {
protected:
  ComponentTest() {
    FHost.Reg().RegisterClassType(&TGadget::StaticClassInfo(), "TComponent");
    FHost.Reg().RegisterClassType(&test::TGadgetEx::StaticClassInfo(), "TGadget");
  }
  ScriptHost FHost;
};

TEST_F(ComponentTest, DataModuleAndItsComponentsAreReachableByName) {
  auto module = rtl::MakeObject<test::TGadgetModule>();
  FHost.Reg().RegisterComponent(module.get());
  TfsClassVariable* cls = FindClassVariable(&FHost.Registry(), "TGadgetModule");
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls->Ancestor(), "TDataModule");
  auto* alpha = dynamic_cast<TfsComponentHelper*>(cls->FindMember("alpha"));
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(alpha->Typ(), fvtClass);
  EXPECT_EQ(alpha->TypeName(), "TGadget");

  auto out = FHost.Run(R"(
begin
  Print(GadgetModule1.Alpha.Count);
  GadgetModule1.Beta.Count := 5;
  Print(GadgetModule1.Beta.Count);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "1\n5\n");
  EXPECT_EQ(FHost.Run("begin GadgetModule1.Alpha := nil; end.").CompileError, "1:7: Left side cannot be assigned to");
}

TEST_F(ComponentTest, FormsGetAClassOfTheirOwn) {
  auto form = rtl::MakeObject<TMainForm>();
  FHost.Reg().RegisterComponent(form.get());
  TfsClassVariable* cls = FindClassVariable(&FHost.Registry(), "TMainForm");
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls->Ancestor(), "TForm");
  auto out = FHost.Run("begin MainForm.Knob.Caption := 'turned'; Print(MainForm.Knob.Caption); end.");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.Output, "turned\n");
}

TEST_F(ComponentTest, OtherUnregisteredComponentsAreIgnored) {
  auto plain = rtl::MakeObject<rtl::TComponent>();
  plain->SetName("Plain");
  const int before = FHost.Registry().Items().Count();
  FHost.Reg().RegisterComponent(plain.get());
  EXPECT_EQ(FHost.Registry().Items().Count(), before);
  EXPECT_EQ(FHost.Registry().LookupLocal("Plain"), nullptr);

  // A component of a registered class is registered as an object.
  auto gadget = rtl::MakeObject<TGadget>();
  gadget->SetName("Dial");
  gadget->Count = 9;
  FHost.Reg().RegisterComponent(gadget.get());
  EXPECT_EQ(FHost.Run("begin Print(Dial.Count); end.").Output, "9\n");
}

}  // namespace
}  // namespace fs
