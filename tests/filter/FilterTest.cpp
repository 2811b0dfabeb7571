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
