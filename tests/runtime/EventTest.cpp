// Events of native objects handled by script procedures through adapters.
#include <gtest/gtest.h>

#include <string>

#include "engine/fsProcVariable.h"
#include "rtl/Object.h"
#include "rtl/VariantConvert.h"
#include "runtime/RuntimeTestSupport.h"
#include "runtime/TestGadget.h"
#include "runtime/fsNotifyEvent.h"

namespace fs {
namespace {

using rtl::Variant;
using test::ScriptHost;
using test::TGadget;

// An adapter whose second argument goes back to the native event.
class TTestKeyEvent : public TfsCustomEvent {
public:
  using TfsCustomEvent::TfsCustomEvent;

  rtl::TMethod GetMethod() override {
    return rtl::TMethod(test::TKeyEvent([alive = AliveToken()](rtl::TObject* sender, std::int32_t& key) {
      if (TfsCustomEvent* self = *alive) static_cast<TTestKeyEvent*>(self)->DoEvent(sender, key);
    }));
  }
  int ArgumentCount() const override { return 2; }
  bool IsVarArgument(int index) const override { return index == 1; }

private:
  void DoEvent(rtl::TObject* sender, std::int32_t& key) {
    Variant args[2] = {rtl::ObjectToVariant(sender), Variant(key)};
    CallHandler(args, 2);
    key = rtl::VarToInt32(args[1]);
  }
};

class EventTest : public ::testing::Test {
protected:
  EventTest() : FGadget(rtl::CreateObject<TGadget>()) {
    TfsRegistry r = FHost.Reg();
    r.RegisterClassType(&rtl::TObject::StaticClassInfo(), "");
    TfsClassMembers gadget = r.RegisterClassType(&TGadget::StaticClassInfo(), "TObject");
    gadget.DeclareEvent("OnPing", EventClassOf<TfsNotifyEvent>());
    gadget.DeclareEvent("OnKey", EventClassOf<TTestKeyEvent>());
    gadget.DeclareMethod("procedure Ping", [](rtl::TObject* o, rtl::TClass, const std::string&, TfsMethodHelper*) {
      static_cast<TGadget*>(o)->Ping();
      return Variant();
    });
    r.RegisterObject("G", FGadget);
  }
  ~EventTest() override { rtl::FreeObject(FGadget); }

  ScriptHost FHost;
  TGadget* FGadget;
};

TEST_F(EventTest, AssignedProcedureHandlesTheEvent) {
  auto out = FHost.Run(R"(
procedure Pinged(Sender: TObject);
begin
  Print(Sender = G);
end;
begin
  G.OnPing := @Pinged;
  G.Ping;
  Print(G.OnPing);
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "True\n\n");
  // The native object fires it on its own, too.
  ASSERT_TRUE(static_cast<bool>(FGadget->OnPing));
  FHost.RunAgain();
  FGadget->Ping();
  EXPECT_EQ(FHost.Printed(), "True\n\nTrue\n");
}

TEST_F(EventTest, ByReferenceArgumentsGoBackToTheNativeEvent) {
  auto out = FHost.Run(R"(
procedure KeyDown(Sender: TObject; var Key: Integer);
begin
  Key := Key * 10;
end;
begin
  G.OnKey := 'KeyDown';
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(FGadget->Press(4), 40);
}

TEST_F(EventTest, NilClearsAndNonProceduresAreRefused) {
  auto out = FHost.Run(R"(
var v: Integer;
procedure Pinged(Sender: TObject); begin Print('ping'); end;
begin
  G.OnPing := 'Pinged';
  try
    G.OnPing := 'v';
  except
    Print(ExceptionMessage);
  end;
  try
    G.OnPing := 'Nowhere';
  except
    Print(ExceptionMessage);
  end;
  G.Ping;
  G.OnPing := nil;
  G.Ping;
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "Event handler must be a procedure\nEvent handler must be a procedure\nping\n");
  EXPECT_FALSE(static_cast<bool>(FGadget->OnPing));
}

TEST_F(EventTest, AnEmptyNameClearsTheEvent) {
  auto out = FHost.Run(R"(
procedure Pinged(Sender: TObject); begin Print('ping'); end;
begin
  G.OnPing := 'Pinged';
  G.Ping;
  G.OnPing := '';
  G.Ping;
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "ping\n");
  EXPECT_FALSE(static_cast<bool>(FGadget->OnPing));
}

TEST_F(EventTest, HandlerMustFitTheEvent) {
  auto out = FHost.Run(R"(
procedure KeyDown(Sender: TObject; Key: Integer); begin end;
begin
  G.OnKey := 'KeyDown';
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "4:3: Event handler KeyDown must declare 2 parameters fitting the event");
  EXPECT_FALSE(static_cast<bool>(FGadget->OnKey));
}

TEST_F(EventTest, ReentrantEventsKeepEachCallsLocals) {
  auto out = FHost.Run(R"(
var depth: Integer;
procedure Pinged(Sender: TObject);
var mine: Integer;
begin
  depth := depth + 1;
  mine := depth;
  if depth < 3 then G.Ping;
  Print(mine);
end;
begin
  depth := 0;
  G.OnPing := 'Pinged';
  G.Ping;
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  EXPECT_EQ(out.RunError, "");
  EXPECT_EQ(out.Output, "3\n2\n1\n");
}

TEST_F(EventTest, AdapterLivesWithTheScriptThatAssignedIt) {
  auto out = FHost.Run(R"(
procedure Pinged(Sender: TObject); begin Print('ping'); end;
begin
  G.OnPing := 'Pinged';
end.)");
  ASSERT_TRUE(out.Compiled) << out.CompileError;
  int adapters = 0;
  for (int i = 0; i < FHost.Script().Items().Count(); ++i)
    if (dynamic_cast<TfsNotifyEvent*>(FHost.Script().Items().Entries(i).Object)) ++adapters;
  EXPECT_EQ(adapters, 1);
  // Once the script is cleared the slot still holds the entry point, which reaches nothing.
  FHost.Script().ClearProgram();
  ASSERT_TRUE(static_cast<bool>(FGadget->OnPing));
  FGadget->Ping();
}

}  // namespace
}  // namespace fs
