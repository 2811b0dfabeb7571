// What the module sends back: log lines (queued, folded, pushed, fetched), events and
// output rows with their acknowledge flow.
#include <cstring>

#include "plugins/PluginTestSupport.h"
#include "rtl/VariantConvert.h"

using namespace orb;
using namespace plugintest;
using rtl::AnsiString;
using rtl::Variant;

namespace {
std::string FetchLog(std::int32_t bufferSize, std::int32_t& result, std::uintptr_t& needed) {
  Call call;
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize > 0 ? bufferSize : 1));
  call.Rec.Input.Size = bufferSize;
  call.Rec.Input.Data = reinterpret_cast<std::uintptr_t>(buffer.data());
  result = GetLogEx(&call.Rec);
  needed = call.Rec.Output.Data;
  return std::string(buffer.data(), result > 0 ? static_cast<std::size_t>(result) : 0);
}

std::vector<std::string> RowNames(const TorbParamsList* list) {
  std::vector<std::string> names;
  for (int i = 0; i < list->Count(); ++i) names.push_back(list->Items(i)->Name.str());
  return names;
}
}  // namespace

TEST_F(PluginTest, LogLinesWaitForAHostWindow) {
  TorbPlugin* p = Instance();
  p->AddLog(0, "dropped");
  EXPECT_EQ(p->FLog.Count(), 0);
  HostWindow window;
  ASSERT_EQ(Load(7, &window), 0);
  p->AddLog(2, "line one\r\nwith break");
  EXPECT_EQ(p->FLog.GetText(), "\x03Test. line one  with break\r\n");
  window.Pump();
  EXPECT_EQ(window.Posted, std::vector<std::uint32_t>{0x711});
}

TEST_F(PluginTest, RepeatedLinesFoldAndTheQueueKeepsTheNewest) {
  HostWindow window;
  ASSERT_EQ(Load(7, &window), 0);
  TorbPlugin* p = Instance();
  p->LogTitle = "";
  for (int i = 0; i < 3; ++i) p->AddLog(1, "same");
  p->AddLog(1, "other");
  EXPECT_EQ(p->FLog.GetText(), "\x02same x3\r\n\x02other\r\n");

  p->FLog.Clear();
  for (int i = 0; i < 1025; ++i) p->AddLog(2, "line " + std::to_string(i));
  EXPECT_EQ(p->FLog.Count(), 1024);
  std::string text = p->FLog.GetText();
  EXPECT_EQ(text.rfind("\x03line 1\r\n", 0), 0u);
}

TEST_F(PluginTest, GetLogExWithShortAndExactBuffers) {
  HostWindow window;
  ASSERT_EQ(Load(7, &window), 0);
  TorbPlugin* p = Instance();
  p->AddLog(0, "first");
  p->AddLog(0, "first");
  const std::string expected = "\x01Test. first x2\r\n";
  std::int32_t result = 0;
  std::uintptr_t needed = 0;
  FetchLog(static_cast<std::int32_t>(expected.size()) - 1, result, needed);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(needed, expected.size());
  EXPECT_EQ(p->FLog.Count(), 1);
  EXPECT_EQ(FetchLog(static_cast<std::int32_t>(expected.size()), result, needed), expected);
  EXPECT_EQ(result, static_cast<std::int32_t>(expected.size()));
  EXPECT_EQ(p->FLog.Count(), 0);
  // A call without a buffer discards what waits.
  p->AddLog(0, "gone");
  FetchLog(0, result, needed);
  EXPECT_EQ(p->FLog.Count(), 0);
  // No instance: nothing.
  Call other(99);
  EXPECT_EQ(GetLogEx(&other.Rec), 0);
}

TEST_F(PluginTest, SendLogPushesQueuedLinesFirst) {
  HostWindow window;
  ASSERT_EQ(Load(7, &window), 0);
  TorbPlugin* p = Instance();
  p->AddLog(1, "queued");
  p->SendLog(2, "now");
  ASSERT_EQ(window.CopyData.size(), 2u);
  EXPECT_EQ(window.CopyData[0], (std::pair<std::uintptr_t, std::string>{1, "\x02Test. queued\r\n"}));
  EXPECT_EQ(window.CopyData[1], (std::pair<std::uintptr_t, std::string>{2, "\x03Test. now"}));
  EXPECT_EQ(p->FLog.Count(), 0);

  // Without a window that takes them, lines go back to the queue.
  window.Window.Destroy();
  p->SendLog(0, "lost window");
  EXPECT_EQ(p->FLog.GetText(), "\x01Test. lost window\r\n");
}

TEST_F(PluginTest, EventsBecomeRowsAndAreFetchedTwice) {
  HostWindow window;
  ASSERT_EQ(Load(7, &window), 0);
  TorbPlugin* p = Instance();
  TorbParamsList params;
  params.Add("Port", Variant(AnsiString("COM1")));
  p->AddEvent(false, "port-open", &params);
  TorbParamsList global;
  global.Add("EVENT-GLOBAL", Variant(true));
  p->AddEvent(false, "x", &global);
  EXPECT_EQ(RowNames(p->FEvents), (std::vector<std::string>{"EVENT-TYPE", "Port", "$NEW_ROW$", "EVENT-GLOBAL",
                                                             "EVENT-TYPE", "EVENT-GLOBAL", "$NEW_ROW$"}));
  EXPECT_EQ(Text(p->FEvents->Items(0)->Value), "PORT-OPEN");
  EXPECT_EQ(p->FEvents->Items(0)->Value.VarType(), rtl::varOleStr);
  window.Pump();
  EXPECT_EQ(window.Posted, (std::vector<std::uint32_t>{0x713, 0x713}));

  Call fetch(7, ModuleTypeBit(mttFilter));
  EXPECT_EQ(GetEvents(&fetch.Rec), 0);
  EXPECT_EQ(fetch.Rec.Output.List(), p->FEvents);
  EXPECT_EQ(p->FEvents->Count(), 7);
  EXPECT_EQ(GetEvents(&fetch.Rec), 0);  // handed back: confirmed
  EXPECT_EQ(p->FEvents->Count(), 0);
}

TEST_F(PluginTest, EventQueueIsBounded) {
  ASSERT_EQ(Load(), 0);
  TorbPlugin* p = Instance();
  TorbParamsList params;
  for (int i = 0; i < 100; ++i) params.Add("v" + std::to_string(i), Variant(i));
  for (int i = 0; i < 200; ++i) p->AddEvent(false, "E", &params);
  EXPECT_LE(p->FEvents->Count(), 20000 + 102);
}

TEST_F(PluginTest, GetDataHandsOutRowsUntilAcknowledged) {
  ASSERT_EQ(Load(), 0);
  TorbPlugin* p = Instance();
  p->OnGetData = [](TorbPlugin* plugin, PPluginCallRec, std::int32_t& result) {
    plugin->FDataOut->Add("row", Variant(1));
    plugin->FDataOut->AddRowMarker();
    result = 1;
  };
  Call fetch(7, ModuleTypeBit(mttFilter));
  EXPECT_EQ(GetData(&fetch.Rec), 0);  // a positive result without input counts as 0
  EXPECT_EQ(fetch.Rec.Output.List(), p->FDataOut);
  EXPECT_EQ(p->FDataOut->Count(), 2);

  Call ack(7, ModuleTypeBit(mttFilter));
  ack.Rec.Input.DataType = pdtCode;
  ack.Rec.Input.Data = AcknowledgeCode;
  EXPECT_EQ(GetData(&ack.Rec), 1);
  EXPECT_EQ(p->FDataOut->Count(), 0);

  // Without a handler a plain call still hands out what waits; only the acknowledge
  // code empties the list.
  p->OnGetData = nullptr;
  p->FDataOut->Add("left", Variant(1));
  Call plain(7, ModuleTypeBit(mttFilter));
  EXPECT_EQ(GetData(&plain.Rec), 0);
  EXPECT_EQ(plain.Rec.Output.DataType, pdtParamsList);
  EXPECT_EQ(plain.Rec.Output.List(), p->FDataOut);
  EXPECT_EQ(p->FDataOut->Count(), 1);
  EXPECT_EQ(GetData(&ack.Rec), 0);
  EXPECT_EQ(p->FDataOut->Count(), 0);
  Call noRole(7, 0);
  EXPECT_EQ(GetData(&noRole.Rec), 0);
}

TEST_F(PluginTest, OptionsDialogOutcomeAndReloadOfSharingInstances) {
  ASSERT_EQ(Load(7), 0);
  ASSERT_EQ(Load(8), 0);
  Call show(7);
  show.Arg("INI-FILE", Variant(AnsiString("opts.ini")));
  ShowOptionsDialog(&show.Rec);
  EXPECT_EQ(show.Rec.Output.DataType, pdtInteger);
  EXPECT_EQ(show.Rec.Output.Data, 1u);
  EXPECT_EQ(Instance(7)->FINIFile, "opts.ini");
  EXPECT_FALSE(Instance(7)->FShowingOptions);
  // Instance 8 shares the registry path and was loaded on this thread: reloaded directly.
  EXPECT_EQ(TheJournal().Events.back(), "OnLoadSettingsNow ini=");

  TheJournal().OptionsSuccess = false;
  ShowOptionsDialog(&show.Rec);
  EXPECT_EQ(show.Rec.Output.Data, 0u);
  Instance(7)->OnShowOptionsDialog = nullptr;
  ShowOptionsDialog(&show.Rec);
  EXPECT_EQ(show.Rec.Output.Data, 3u);
  Call none(0);
  ShowOptionsDialog(&none.Rec);
  EXPECT_EQ(none.Rec.Output.Data, 2u);
}
