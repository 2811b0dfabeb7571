// Objects that filter scripts make: what a script frees leaves nothing, what it forgets
// goes when its configuration is unloaded or its script replaced.
#include <string>
#include <vector>

#include "filter/FilterTestSupport.h"
#include "rtl/Object.h"
#include "rtl/ObjectRun.h"
#include "rtl/VariantConvert.h"

using namespace filtertest;
using rtl::Variant;

namespace {

Variant Int(int v) { return Variant(static_cast<std::int32_t>(v)); }

std::unique_ptr<orb::TorbParamsList> Rows(int count) {
  std::vector<Row> rows;
  for (int i = 0; i < count; ++i) rows.push_back({{"A", Int(i)}});
  return Packet(rows);
}

// Loads and unloads a configuration once, so that what the first configuration of the
// process makes for good (grammars, registries) is made before counting.
void WarmUp(const std::string& script) {
  Configuration cfg(70, script);
  auto packet = Rows(1);
  std::vector<std::string> rows;
  cfg.Process(*packet, rows);
}

const char* const kMakesAndFrees = R"(
var sl: TStringList; m: TMemoryStream; d: TfsXMLDocument; owner: TComponent; s: string;
begin
  sl := TStringList.Create;
  sl.Values['a'] := IntToStr(GetVariable('A'));
  m := TMemoryStream.Create;
  sl.SaveToStream(m);
  d := TfsXMLDocument.Create;
  d.Root.Name := 'row';
  d.Root.Add.Prop['a'] := sl.Values['a'];
  d.SaveToStream(m);
  owner := TComponent.Create(nil);
  TComponent.Create(owner);
  SetVariable('Size', m.Size);
  owner.Free;
  d.Free;
  m.Free;
  sl.Free;
end.)";

}  // namespace

TEST(FilterObjects, AScriptThatFreesWhatItMakesLeavesNothingAfterTenThousandRows) {
  WarmUp(kMakesAndFrees);
  Configuration cfg(71, kMakesAndFrees);
  std::vector<std::string> rows;
  auto first = Rows(1);
  ASSERT_EQ(cfg.Process(*first, rows), 0);
  ASSERT_EQ(rows.size(), 1u);
  const std::size_t live = rtl::TObject::LiveCount();
  auto packet = Rows(100);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(cfg.Process(*packet, rows), 0);
    ASSERT_EQ(rows.size(), 100u);
  }
  EXPECT_EQ(rows[99], "A=99,Size=48");
  // The output list of the last call is the only difference allowed: it is the same
  // size every time, so the count is exactly what it was.
  EXPECT_EQ(rtl::TObject::LiveCount(), live);
}

TEST(FilterObjects, ForgottenObjectsGoWhenTheConfigurationIsUnloadedOrItsScriptReplaced) {
  const char* forgets = R"(
var keep: TStringList; d: TfsXMLDocument;
begin
  keep := TStringList.Create;
  keep.Add('row');
  d := TfsXMLDocument.Create;
  d.Root.Add;
  SetVariable('B', 1);
end.)";
  WarmUp(forgets);
  const std::size_t before = rtl::TObject::LiveCount();
  {
    Configuration cfg(72, forgets);
    std::vector<std::string> rows;
    auto packet = Rows(50);
    ASSERT_EQ(cfg.Process(*packet, rows), 0);
    const std::size_t loaded = rtl::TObject::LiveCount();
    // Each row left a list, a document, its root and one element.
    EXPECT_GE(loaded, before + 200);
    // A new script: the old program's objects go when it is replaced.
    cfg.StoreScript("begin SetVariable('B', 2); end.");
    ASSERT_EQ(cfg.Command("LOAD-SETTINGS-NOW",
                          {{"INI-FILE", Variant(rtl::AnsiString(cfg.IniFile()))}, {"NO-SAVE", Int(1)}}),
              -2);
    ASSERT_EQ(cfg.Process(*packet, rows), 0);
    EXPECT_EQ(rows[0], "A=0,B=2");
    EXPECT_LE(rtl::TObject::LiveCount(), loaded - 200);
    cfg.StoreScript(forgets);
    ASSERT_EQ(cfg.Command("LOAD-SETTINGS-NOW",
                          {{"INI-FILE", Variant(rtl::AnsiString(cfg.IniFile()))}, {"NO-SAVE", Int(1)}}),
              -2);
    ASSERT_EQ(cfg.Process(*packet, rows), 0);
  }
  EXPECT_EQ(rtl::TObject::LiveCount(), before);
}

// A routine that fails between Create and Free: the failing rows' lists go, while what
// they put where the program still reaches it (a global variable's list) stays usable.
TEST(FilterObjects, ObjectsOfFailingRowsGoUnlessTheProgramStillReachesThem) {
  const char* fails = R"(
var keep: TStringList;
procedure Work;
var sl: TStringList; i: Integer;
begin
  sl := TStringList.Create;
  for i := 1 to 100 do sl.Add(DupeString('x', 100));
  if GetVariable('A') mod 2 = 1 then begin
    keep.AddObject('kept', TStringList.Create);
    RaiseException('row fails');
  end;
  sl.Free;
end;
begin
  if GetVariable('A') = 0 then keep := TStringList.Create;
  if keep.Count > 0 then TStringList(keep.Objects[keep.Count - 1]).Add('used');
  Work;
  SetVariable('Kept', keep.Count);
end.)";
  WarmUp(fails);
  Configuration cfg(73, fails);
  std::vector<std::string> rows;
  auto packet = Rows(100);
  ASSERT_EQ(cfg.Process(*packet, rows), 0);
  ASSERT_EQ(rows.size(), 50u);
  EXPECT_EQ(rows[49], "A=98,Kept=49");
  const std::size_t live = rtl::TObject::LiveCount();
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(cfg.Process(*packet, rows), 0);
    ASSERT_EQ(rows.size(), 50u);
    EXPECT_EQ(rows[49], "A=98,Kept=49");
  }
  // Each packet starts a new global list: the old one and its 50 lists stay (the program
  // reached them), the 50 lists of the failing rows go, a batch at a time (those of the
  // first packet, counted in live, too).
  EXPECT_GE(rtl::TObject::LiveCount(), live + 20 * 51 - 50);
  EXPECT_LT(rtl::TObject::LiveCount(), live + 20 * 51 + rtl::TObjectRun::kSweepBatch);
}
