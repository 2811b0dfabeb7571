// The base classes module as scripts use it: objects and components made, used and
// freed, what scripts own and what they may not free, and the module's members.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "rtl/Component.h"
#include "rtl/Object.h"
#include "runtime/SysFunctionsTestSupport.h"
#include "runtime/fsClassesRTTI.h"

namespace fs {
namespace {

using test::RunOutcome;

class ClassesLibraryTest : public ::testing::Test {
protected:
  ClassesLibraryTest() { FHost.Registry().AddName(std::string(), new TfsClassesRTTI(&FHost.Registry())); }

  // Runs source and expects it to finish without errors; gives what it printed.
  std::string Printed(const std::string& source, const std::string& dialect = "PascalScript") {
    RunOutcome out = FHost.Run(source, dialect);
    EXPECT_TRUE(out.Compiled) << out.CompileError;
    EXPECT_EQ(out.RunError, "");
    return out.Output;
  }
  std::string RunError(const std::string& source) {
    RunOutcome out = FHost.Run(source);
    EXPECT_TRUE(out.Compiled) << out.CompileError;
    return out.RunError;
  }
  std::size_t Owned() { return FHost.Script().Objects().Count(); }

  test::SysFunctionsHost FHost;
};

TEST_F(ClassesLibraryTest, ObjectsAndComponentsAreMadeUsedAndFreed) {
  const std::size_t before = rtl::TObject::LiveCount();
  EXPECT_EQ(Printed(R"(
var o: TObject; owner, c: TComponent;
begin
  o := TObject.Create;
  Print(o.ClassName);
  owner := TComponent.Create(nil);
  c := TComponent.Create(owner);
  c.Name := 'Child';
  Print(c.ClassName);
  Print(c.Owner = owner);
  Print(owner.Owner = nil);
  owner.Free;
  o.Free;
end.)"),
            "TObject\nTComponent\nTrue\nTrue\n");
  // The child went with its owner, and nothing is left.
  EXPECT_EQ(Owned(), 0u);
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

TEST_F(ClassesLibraryTest, ForgottenObjectsGoWhenTheScriptIsClearedOrFreed) {
  const std::size_t before = rtl::TObject::LiveCount();
  Printed(R"(
var a, b: TComponent;
begin
  a := TComponent.Create(nil);
  b := TComponent.Create(a);
  TObject.Create;
  TComponent;
end.)");
  EXPECT_EQ(Owned(), 4u);
  EXPECT_EQ(rtl::TObject::LiveCount(), before + 4);
  FHost.Script().ClearProgram();
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

TEST_F(ClassesLibraryTest, FreeingTwiceOrUsingAFreedObjectIsARunTimeError) {
  EXPECT_EQ(RunError(R"(
var o: TObject;
begin
  o := TObject.Create;
  o.Free;
  o.Free;
end.)"),
            "6:3: Invalid pointer operation");
  EXPECT_EQ(RunError(R"(
var c: TComponent;
begin
  c := TComponent.Create(nil);
  c.Free;
  Print(c.Name);
end.)"),
            "6:3: Invalid pointer operation");
  // Free of nil does nothing; other members of nil raise.
  EXPECT_EQ(RunError("var o: TObject; begin o := nil; o.Free; end."), "");
  EXPECT_EQ(RunError("var o: TObject; begin o := nil; Print(o.ClassName); end."),
            "1:33: Cannot call CLASSNAME of a nil object");
}

TEST_F(ClassesLibraryTest, AChildFreedWithItsOwnerIsNotFreedAgain) {
  const std::size_t before = rtl::TObject::LiveCount();
  EXPECT_EQ(RunError(R"(
var a, b: TComponent;
begin
  a := TComponent.Create(nil);
  b := TComponent.Create(a);
  a.Free;
  b.Free;
end.)"),
            "7:3: Invalid pointer operation");
  FHost.Script().ClearProgram();
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

TEST_F(ClassesLibraryTest, AComponentOfTheHostMayBeFreedAndLeavesItsOwner) {
  auto owner = rtl::MakeObject<rtl::TComponent>();
  new rtl::TComponent(owner.get());
  TfsRegistry(&FHost.Registry()).RegisterObject("Host", owner.get());
  TfsRegistry(&FHost.Registry()).RegisterObject("Child", owner->Components(0));
  EXPECT_EQ(RunError("begin Child.Free; end."), "");
  EXPECT_EQ(owner->ComponentCount(), 0);
}

}  // namespace
}  // namespace fs
