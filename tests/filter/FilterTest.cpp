// The filter as the host drives it: configuration, compile state, rows, stored values,
// the check and catalogue events, and configurations running in parallel.
#include <atomic>
#include <thread>

#include "filter/FilterModule.h"
#include "filter/FilterTestSupport.h"
#include "filter/SpecialFunctions.h"
#include "rtl/VariantConvert.h"

extern "C" std::int32_t ORB_STDCALL ExecutePluginCommand(orb::PPluginCallRec);

using namespace filtertest;
using rtl::Variant;

namespace {
Variant Int(int v) { return Variant(static_cast<std::int32_t>(v)); }
}  // namespace

TEST(Filter, DataSourceIds) {
  EXPECT_EQ(filter::DataSourceId("COM3"), 3);
  EXPECT_EQ(filter::DataSourceId("COM5"), 5);
  EXPECT_EQ(filter::DataSourceId("COMX"), 0);
  EXPECT_EQ(filter::DataSourceId("com5"), 843261402);
  EXPECT_EQ(filter::DataSourceId("CFG2"), 1494836092);  // lower-cased first
}

TEST(Filter, EmptyScriptPassesPacketsUnchanged) {
  Configuration cfg(11, "");
  auto packet = Packet({{{"A", Int(1)}}});
  std::vector<std::string> rows;
  EXPECT_EQ(cfg.Process(*packet, rows), 0);
  EXPECT_EQ(rows, (std::vector<std::string>{"A=1"}));
}

TEST(Filter, ScriptOfOneEmptyLineIsEnabledAndUnknownLanguagesArePascal) {
  Configuration blank(12, "\r\n");
  auto packet = Packet({{{"A", Int(1)}}});
  std::vector<std::string> rows;
  EXPECT_EQ(blank.Process(*packet, rows), -4);  // an empty program does not compile

  Configuration seven(13, "begin SetVariable('B', 2); end.", 7);
  EXPECT_EQ(seven.Process(*packet, rows), 0);
  EXPECT_EQ(rows, (std::vector<std::string>{"A=1,B=2"}));
  Configuration negative(14, "begin SetVariable('B', 3); end.", -1);
  EXPECT_EQ(negative.Process(*packet, rows), 0);
  EXPECT_EQ(rows, (std::vector<std::string>{"A=1,B=3"}));
}

TEST(Filter, StoredValuesLiveUntilTheSettingsAreApplied) {
  Configuration cfg(15,
                    "begin\n"
                    "  PushVariable('n', GetVariableDef('n', 0));\n"
                    "  if IsVariableStored('t') then PushVariable('t', PopVariable('t') + 1)\n"
                    "  else PushVariable('t', 1);\n"
                    "  SetVariable('t', PopVariable('t'));\n"
                    "end.");
  auto packet = Packet({{{"A", Int(1)}}});
  std::vector<std::string> rows;
  cfg.Process(*packet, rows);
  cfg.Process(*packet, rows);
  EXPECT_EQ(rows, (std::vector<std::string>{"A=1,t=2"}));
  // Reloading the settings drops the stored values and the compiled program.
  cfg.StoreScript("begin SetVariable('t', PopVariable('t')); end.");
  EXPECT_EQ(cfg.Command("LOAD-SETTINGS-NOW", {{"INI-FILE", Variant(rtl::AnsiString(cfg.IniFile()))}, {"NO-SAVE", Int(1)}}),
            -2);
  cfg.Process(*packet, rows);
  EXPECT_EQ(rows, (std::vector<std::string>{"A=1,t=null"}));
}

TEST(Filter, CheckCodeAnswersColumnLineAndMessage) {
  Configuration cfg(16, "");
  orb::TorbParamsList params;
  params.Add("COMMAND", Variant(rtl::AnsiString("EVENT")));
  params.Add("EVENT-TYPE", Variant(rtl::AnsiString("CheckCode")));
  params.Add("P0", Variant(rtl::AnsiString("PascalScript")));
  params.Add("P1", Variant(rtl::AnsiString("begin\r\n\r\n  x := (1 + ;\r\nend.")));
  params.Add("RESULT", Variant::Null());
  orb::PluginCallRec rec = orb::NewCallRec();
  rec.ConfigId = cfg.Id();
  rec.Params = &params;
  EXPECT_EQ(ExecutePluginCommand(&rec), 0);
  Variant answer;
  params.ReadValue("RESULT", 0, answer);
  EXPECT_EQ(rtl::VarToStr(answer), "11:3|')' expected");
}

TEST(Filter, CatalogueStartsWithFunctionsAndListsTheSpecialCategory) {
  const std::string text = filter::FunctionCatalogue();
  EXPECT_EQ(text.rfind("Functions\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\n\tSpecial\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\t\tSetVariable(Name: String; Value: Variant)\r\n"), std::string::npos);
  EXPECT_NE(text.find("\t\tDiscardDataPacket(Reason: string = '; Silent: boolean = false)\r\n"), std::string::npos);
}

// Four configurations, two threads each, scripts that keep values across packets and
// split rows: every configuration ends with exactly the rows it gets one packet at a
// time.
TEST(Filter, ConfigurationsRunInParallel) {
  const char* script =
      "begin\n"
      "  if IsVariableStored('count') then PushVariable('count', PopVariable('count') + 1)\n"
      "  else PushVariable('count', 1);\n"
      "  if IsVariableDefined('Report') then SetVariable('Count', PopVariable('count'))\n"
      "  else begin\n"
      "    SetVariable('Half', 1);\n"
      "    NewRow;\n"
      "    SetVariable('Half', 2);\n"
      "  end;\n"
      "end.";
  std::vector<std::unique_ptr<Configuration>> configs;
  for (std::uint32_t id = 21; id <= 24; ++id) configs.push_back(std::make_unique<Configuration>(id, script));
  constexpr int kPackets = 40;
  std::atomic<int> wrongRows{0};
  std::vector<std::thread> threads;
  for (auto& cfg : configs)
    for (int t = 0; t < 2; ++t)
      threads.emplace_back([&, c = cfg.get(), t] {
        for (int i = 0; i < kPackets; ++i) {
          auto packet = Packet({{{"T", Int(t)}, {"I", Int(i)}}});
          std::vector<std::string> rows;
          c->Process(*packet, rows);
          const std::string base = "T=" + std::to_string(t) + ",I=" + std::to_string(i);
          if (rows != std::vector<std::string>{base + ",Half=1", base + ",Half=2"}) ++wrongRows;
        }
      });
  for (auto& th : threads) th.join();
  EXPECT_EQ(wrongRows, 0);
  // Each configuration counted its own packets, and only those.
  for (auto& cfg : configs) {
    auto packet = Packet({{{"Report", Int(1)}}});
    std::vector<std::string> rows;
    cfg->Process(*packet, rows);
    EXPECT_EQ(rows, (std::vector<std::string>{"Report=1,Count=" + std::to_string(2 * kPackets + 1)}));
  }
}

namespace {
// Three rows A = 1, 2, 3; every script below fails on the second only.
std::unique_ptr<orb::TorbParamsList> ThreeRows() { return Packet({{{"A", Int(1)}}, {{"A", Int(2)}}, {{"A", Int(3)}}}); }

int Occurrences(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}
}  // namespace

TEST(Filter, RunawayRowsStopAtTheRowTimeLimitAndTheOthersRun) {
  struct Case {
    int Language;
    const char* Script;
  };
  const Case cases[] = {
      {0, "begin\n  if GetVariable('A') = 2 then\n    while true do ;\n  SetVariable('B', 1);\nend."},
      // A handler in the script cannot keep the row alive.
      {0, "begin\n  if GetVariable('A') = 2 then\n    try\n      repeat until false;\n    except\n    end;\n"
          "  SetVariable('B', 1);\nend."},
      {1, "void Spin() { Spin2(); }\nvoid Spin2() { while (true) { Spin3(); } }\nvoid Spin3() { }\n"
          "{\n  if (GetVariable(\"A\") == 2) Spin();\n  SetVariable(\"B\", 1);\n}"},
      {2, "if (GetVariable(\"A\") == 2) { while (true) { } }\nSetVariable(\"B\", 1);"},
      {3, "If GetVariable(\"A\") = 2 Then\n  Do\n  Loop While True\nEnd If\nSetVariable(\"B\", 1)"},
  };
  std::uint32_t id = 40;
  for (const Case& c : cases) {
    Configuration cfg(id++, c.Script, c.Language, 50);
    auto packet = ThreeRows();
    std::vector<std::string> rows;
    EXPECT_EQ(cfg.Process(*packet, rows), 0) << c.Script;
    EXPECT_EQ(rows, (std::vector<std::string>{"A=1,B=1", "A=3,B=1"})) << c.Script;
    const std::string log = cfg.TakeLog();
    EXPECT_EQ(Occurrences(log, "script: Script run time limit exceeded (50 ms)"), 1) << log;
  }
}

TEST(Filter, RowTimeLimitIsStoredWithTheSettingsAndZeroMeansNone) {
  // A row that takes about 100 ms of loop passes: stopped under a 20 ms limit, not
  // under none. Missing, the limit is ten seconds.
  const char* script =
      "var t: Extended;\nbegin\n  t := Now;\n  while Now - t < 0.1 / 86400 do ;\n  SetVariable('B', 1);\nend.";
  auto packet = Packet({{{"A", Int(1)}}});
  std::vector<std::string> rows;
  Configuration limited(50, script, 0, 20);
  limited.Process(*packet, rows);
  EXPECT_TRUE(rows.empty());
  Configuration unlimited(51, script, 0, 0);
  unlimited.Process(*packet, rows);
  EXPECT_EQ(rows, (std::vector<std::string>{"A=1,B=1"}));
  Configuration byDefault(52, script);
  byDefault.Process(*packet, rows);
  EXPECT_EQ(rows, (std::vector<std::string>{"A=1,B=1"}));
}

TEST(Filter, SizesThatCannotBeHadFailTheirRowOnly) {
  const char* scripts[] = {
      "var v: Variant;\nbegin\n  if GetVariable('A') = 2 then v := VarArrayCreate([0, 268435455], 12);\n"
      "  SetVariable('B', 1);\nend.",
      "var s: String;\nbegin\n  if GetVariable('A') = 2 then SetLength(s, 2147483647);\n  SetVariable('B', 1);\nend.",
      "var v: Variant;\nbegin\n  v := VarArrayCreate([0, 1], 12);\n"
      "  if GetVariable('A') = 2 then SetLength(v, 268435456);\n  SetVariable('B', 1);\nend.",
  };
  std::uint32_t id = 60;
  for (const char* script : scripts) {
    Configuration cfg(id++, script);
    auto packet = ThreeRows();
    std::vector<std::string> rows;
    EXPECT_EQ(cfg.Process(*packet, rows), 0) << script;
    EXPECT_EQ(rows, (std::vector<std::string>{"A=1,B=1", "A=3,B=1"})) << script;
    EXPECT_EQ(Occurrences(cfg.TakeLog(), "Unable to execute \"PascalScript\" script: Out of memory"), 1) << script;
  }
}

TEST(Filter, AnEmptyPacketHandsBackNoRows) {
  Configuration cfg(70, "begin SetVariable('B', 2); end.");
  auto packet = Packet({{{"A", Int(1)}}});
  std::vector<std::string> rows;
  EXPECT_EQ(cfg.Process(*packet, rows), 0);
  EXPECT_EQ(rows, (std::vector<std::string>{"A=1,B=2"}));
  orb::TorbParamsList empty;
  EXPECT_EQ(cfg.Process(empty, rows), 0);
  EXPECT_TRUE(rows.empty());
}

// The script works on the packet's rows without changing the packet: what it writes or
// deletes goes to its own copies, and what it reads is what a copy would hold (8-bit
// text as wide text).
TEST(Filter, ScriptsChangeTheirRowsNeverThePacket) {
  Configuration cfg(31,
                    "begin\n"
                    "  SetVariable('T', VarType(GetVariable('S')));\n"
                    "  SetVariable('A', GetVariable('A') * 10);\n"
                    "  DeleteVariable('B');\n"
                    "  if GetVariable('A') = 20 then DiscardDataPacket('', True);\n"
                    "end.");
  auto packet = Packet({{{"A", Int(1)}, {"S", Variant(rtl::AnsiString("abc"))}, {"B", Int(2)}},
                        {{"A", Int(2)}, {"S", Variant(rtl::AnsiString("def"))}, {"B", Int(3)}}});
  // A host may hand over 8-bit text as it is.
  for (std::int32_t i = 0; i < packet->Count(); ++i)
    if (packet->Items(i)->Name.view() == "S") packet->Items(i)->Value = Variant(rtl::AnsiString(i < 4 ? "abc" : "def"));
  const std::vector<std::string> before = RowsOf(packet.get());
  std::vector<std::string> rows;
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    EXPECT_EQ(cfg.Process(*packet, rows), 0);
    EXPECT_EQ(rows, (std::vector<std::string>{"A=10,S=abc,T=8"}));
    EXPECT_EQ(RowsOf(packet.get()), before);
    EXPECT_EQ(packet->ItemByName("S")->Value.VarType(), rtl::varString);
  }
}
