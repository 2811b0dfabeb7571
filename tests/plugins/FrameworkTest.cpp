// The exports, call records, instances and the packet pass of the framework.
#include <cstring>
#include <thread>

#include "plugins/PluginTestSupport.h"

#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif

using namespace orb;
using namespace plugintest;
using rtl::Variant;

namespace {
// Fields of packed records are read by value: a reference to one may be misaligned.
template <class T>
T Val(T v) {
  return v;
}
}  // namespace

TEST(BoundaryLayout, RecordsAndListsKeepTheHostsOffsets) {
#if defined(__i386__)
  EXPECT_EQ(sizeof(PluginCallRec), 102u);
  EXPECT_EQ(offsetof(PluginCallRec, Params), 22u);
  EXPECT_EQ(offsetof(PluginCallRec, Input), 26u);
  EXPECT_EQ(offsetof(PluginCallRec, Output), 39u);
  EXPECT_EQ(offsetof(PluginCallRec, HostContext), 52u);
  EXPECT_EQ(sizeof(TPluginData), 13u);
  EXPECT_EQ(offsetof(TPluginData, Data), 9u);
  EXPECT_EQ(sizeof(TModuleInfoBlock), 33u);
  EXPECT_EQ(offsetof(TModuleInfoBlock, CustomCommands), 29u);
  EXPECT_EQ(offsetof(TorbParamsList, Signature), 16u);
  EXPECT_EQ(offsetof(TorbParamsList, ItemClass), 28u);
  EXPECT_EQ(offsetof(TorbRowsParamsList, FReserved), 32u);
  EXPECT_EQ(offsetof(TorbParamsListItem, Value), 24u);
  EXPECT_EQ(sizeof(rtl::Variant), 16u);
#else
  // Wider pointers, same order.
  EXPECT_EQ(sizeof(PluginCallRec), 102u + 3 * (sizeof(void*) - 4));
  EXPECT_LT(offsetof(PluginCallRec, Params), offsetof(PluginCallRec, Input));
  EXPECT_LT(offsetof(TorbParamsList, Signature), offsetof(TorbParamsList, Id));
  EXPECT_LT(offsetof(TorbParamsListItem, State), offsetof(TorbParamsListItem, Value));
#endif
  // The record fields sit packed at their positions in either build.
  EXPECT_EQ(offsetof(PluginCallRec, ConfigId), 5u);
  EXPECT_EQ(offsetof(PluginCallRec, ModuleTypes), 21u);
}

TEST_F(PluginTest, InterfaceVersionAndModuleInformation) {
  EXPECT_EQ(GetPluginIntfVersion(), 4u);
  Call call;
  EXPECT_EQ(GetModuleType(&call.Rec), 0x20u);
  EXPECT_STREQ(GetModuleDescription(&call.Rec), "Test module");
  EXPECT_FLOAT_EQ(GetAppMinVersion(&call.Rec), 4.0f);
  EXPECT_TRUE(MultiThreadSupport(&call.Rec));

  Call none(0);
  EXPECT_EQ(GetModuleType(&none.Rec), 0u);
  EXPECT_EQ(GetModuleDescription(&none.Rec), nullptr);
  EXPECT_FLOAT_EQ(GetAppMinVersion(&none.Rec), -1.0f);
  EXPECT_FALSE(MultiThreadSupport(&none.Rec));
}

TEST_F(PluginTest, ModuleInfoInAShortAndAFullBuffer) {
  Call call;
  Instance()->AddCustomCommands("RUN|Run it|Runs|1|0");
  std::uint32_t size = 0;
  const std::uint32_t header = sizeof(TModuleInfoBlock);
  std::vector<unsigned char> small(header);
  auto* info = reinterpret_cast<TModuleInfoBlock*>(small.data());
  info->BufferSize = header;
  EXPECT_FALSE(GetModuleInfo(&call.Rec, info, &size));
  const std::string commands = "RUN|Run it|Runs|1|0\r\n";
  EXPECT_EQ(size, header + std::strlen("Test module") + commands.size());
  EXPECT_EQ(Val(info->BufferSize), header);
  EXPECT_EQ(Val(info->TypeWord), 0x20u);
  EXPECT_EQ(Val(info->InterfaceVersion), 4u);
  EXPECT_EQ(Val(info->IsMultiThreadSupported), 1);
  EXPECT_EQ(Val(info->DescriptionLength), 0u);

  std::vector<unsigned char> full(size);
  info = reinterpret_cast<TModuleInfoBlock*>(full.data());
  info->BufferSize = size;
  ASSERT_TRUE(GetModuleInfo(&call.Rec, info, &size));
  EXPECT_EQ(std::string(info->Description, info->DescriptionLength), "Test module");
  EXPECT_EQ(std::string(info->CustomCommands, info->CustomCommandsLength), commands);
  EXPECT_EQ(Val(info->Description), reinterpret_cast<const char*>(full.data()) + header);

  EXPECT_FALSE(GetModuleInfo(&call.Rec, nullptr, &size));
  EXPECT_EQ(size, header + 11 + commands.size());
}

TEST_F(PluginTest, InvalidCallRecordsAreRefused) {
  struct Case {
    const char* What;
    std::function<void(PluginCallRec&)> Spoil;
  };
  const Case cases[] = {
      {"record size", [](PluginCallRec& r) { r.RecSize = 101; }},
      {"nil parameters", [](PluginCallRec& r) { r.Params = nullptr; }},
      {"no configuration", [](PluginCallRec& r) { r.ConfigId = 0; }},
  };
  for (const Case& c : cases) {
    Call call;
    call.Command("EVENTS-SUPPORT");
    c.Spoil(call.Rec);
    EXPECT_EQ(ExecutePluginCommand(&call.Rec), -1) << c.What;
    EXPECT_EQ(ProcessData(&call.Rec), -1) << c.What;
    EXPECT_EQ(GetData(&call.Rec), -1) << c.What;
    EXPECT_EQ(GetEvents(&call.Rec), -1) << c.What;
  }
  EXPECT_EQ(TheJournal().Constructed, 0);
  EXPECT_EQ(ExecutePluginCommand(nullptr), -1);
  ShowOptionsDialog(nullptr);  // accepted and ignored
}

TEST_F(PluginTest, ForeignParameterListEndsAsException) {
  HostWindow window;
  ASSERT_EQ(Load(7, &window), 0);
  Instance()->FLog.Clear();
  Call call;
  call.Command("EVENTS-SUPPORT");
  call.Params->Signature = 0;
  EXPECT_EQ(call.Execute(), -3);
  call.Rec.ModuleTypes = ModuleTypeBit(mttFilter);
  EXPECT_EQ(ProcessData(&call.Rec), -3);
  call.Params->Signature = ParamsListSignature;
  // Both calls name the fault in the host's terms, not the list's own check.
  const std::string log = Instance()->FLog.GetText();
  EXPECT_NE(log.find("{CMD?} Invalid call parameters"), std::string::npos) << log;
  EXPECT_NE(log.find("{PROCESS} Invalid call parameters"), std::string::npos) << log;
}

TEST_F(PluginTest, ReleaseFreesTheInstanceAndTheNextCallMakesANewOne) {
  Call call;
  call.Command("EVENTS-SUPPORT");
  EXPECT_EQ(call.Execute(), 0);
  EXPECT_EQ(TheJournal().Constructed, 1);
  Call release;
  release.Rec.CallKind = ckRelease;
  release.Rec.Params = nullptr;
  EXPECT_EQ(ExecutePluginCommand(&release.Rec), -1);
  EXPECT_EQ(TheJournal().Destroyed, 1);
  EXPECT_EQ(ExecutePluginCommand(&release.Rec), -1);  // nothing left to release
  EXPECT_EQ(call.Execute(), 0);
  EXPECT_EQ(TheJournal().Constructed, 2);
  // The shut-down notice finds no instance.
  Call shutdown;
  shutdown.Rec.CallKind = ckShutdown;
  EXPECT_EQ(ProcessData(&shutdown.Rec), -1);
}

TEST_F(PluginTest, FilterWithoutHandlerPassesThePacketUnchanged) {
  Instance()->OnProcessData = nullptr;
  Call call(7, ModuleTypeBit(mttFilter));
  TorbParamsList packet;
  packet.Add("a", Variant(1));
  call.Rec.Input = {0xAABBCCDD, 17, pdtParamsList, reinterpret_cast<std::uintptr_t>(&packet)};
  EXPECT_EQ(ProcessData(&call.Rec), 0);
  EXPECT_EQ(Val(call.Rec.Output.Reserved), 0xAABBCCDDu);
  EXPECT_EQ(Val(call.Rec.Output.Size), 17);
  EXPECT_EQ(Val(call.Rec.Output.DataType), pdtParamsList);
  EXPECT_EQ(Val(call.Rec.Output.Data), reinterpret_cast<std::uintptr_t>(&packet));
  // The input pointer is handed back untouched: the framework clears its reference.
  EXPECT_EQ(Val(call.Rec.Input.Data), 0u);
}

TEST_F(PluginTest, EmptyPacketCountsAsNoPacket) {
  ASSERT_EQ(Load(), 0);
  TorbParamsList empty;
  TheJournal().ProcessResult = 5;
  Call filter(7, ModuleTypeBit(mttFilter));
  filter.Rec.Input = {0, 0, pdtParamsList, reinterpret_cast<std::uintptr_t>(&empty)};
  EXPECT_EQ(ProcessData(&filter.Rec), 0);  // a positive result without input becomes 0
  EXPECT_EQ(TheJournal().LastInputData, 0u);

  Call query(7, ModuleTypeBit(mttDataQuery));
  query.Rec.Input = {0, 0, pdtParamsList, reinterpret_cast<std::uintptr_t>(&empty)};
  EXPECT_EQ(ProcessData(&query.Rec), 5);
  EXPECT_EQ(TheJournal().LastInputData, reinterpret_cast<std::uintptr_t>(&empty));

  TheJournal().Events.clear();
  Call exporter(7, ModuleTypeBit(mttDataExport));
  exporter.Rec.Input = {0, 0, pdtParamsList, reinterpret_cast<std::uintptr_t>(&empty)};
  EXPECT_EQ(ProcessData(&exporter.Rec), 0);
  EXPECT_TRUE(TheJournal().Events.empty());  // MsgNoData instead of the handler
}

TEST_F(PluginTest, ExportCompletesTheLastRowOfARowsList) {
  ASSERT_EQ(Load(), 0);
  TorbRowsParamsList rows;
  rows.Add("a", Variant(1));
  Call exporter(7, ModuleTypeBit(mttDataExport));
  exporter.Rec.Input = {0, 0, pdtParamsList, reinterpret_cast<std::uintptr_t>(&rows)};
  EXPECT_EQ(ProcessData(&exporter.Rec), 0);
  ASSERT_EQ(rows.Count(), 2);
  EXPECT_TRUE(rows.Items(1)->IsRowMarker());
}

TEST_F(PluginTest, HandlerOutputAndFailures) {
  ASSERT_EQ(Load(), 0);
  TorbPlugin* p = Instance();
  TheJournal().Hook = [](TorbPlugin* plugin, const std::string& what) {
    if (what == "OnProcessData") plugin->FDataOut->Add("out", Variant(1));
  };
  TorbParamsList packet;
  packet.Add("a", Variant(1));
  Call call(7, ModuleTypeBit(mttFilter));
  call.Rec.Input = {0, 0, pdtParamsList, reinterpret_cast<std::uintptr_t>(&packet)};
  EXPECT_EQ(ProcessData(&call.Rec), 0);
  EXPECT_EQ(Val(call.Rec.Output.DataType), pdtParamsList);
  EXPECT_EQ(Val(call.Rec.Output.Data), reinterpret_cast<std::uintptr_t>(p->FDataOut));

  TheJournal().Hook = [](TorbPlugin*, const std::string& what) {
    if (what == "OnProcessData") throw rtl::Exception("boom");
  };
  EXPECT_EQ(ProcessData(&call.Rec), -3);
}

TEST_F(PluginTest, DataCallsAfterUnloadAreRefused) {
  ASSERT_EQ(Load(), 0);
  Call unload;
  unload.Command("UNLOAD");
  ASSERT_EQ(unload.Execute(), 0);
  Call call(7, ModuleTypeBit(mttFilter));
  EXPECT_EQ(ProcessData(&call.Rec), -1);
  EXPECT_EQ(GetData(&call.Rec), -1);
  EXPECT_EQ(GetEvents(&call.Rec), -1);
}

TEST_F(PluginTest, GetDataAndGetEventsBeforeLoadAreRefused) {
  Instance();
  Call call(7, ModuleTypeBit(mttFilter));
  EXPECT_EQ(GetData(&call.Rec), -1);
  EXPECT_EQ(GetEvents(&call.Rec), -1);
}

TEST_F(PluginTest, UnloadWaitsForARunningDataCall) {
  ASSERT_EQ(Load(), 0);
  TorbPlugin* p = Instance();
  p->FBusy = 1;
  p->FTerminateNow = 1;
  std::thread finisher([p] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    p->FBusy = 0;
  });
  Call call(7, ModuleTypeBit(mttFilter));
  EXPECT_EQ(ProcessData(&call.Rec), -1);  // waited for the running call, then refused
  finisher.join();
}

TEST_F(PluginTest, ConcurrentCallsShareOneInstancePerConfiguration) {
  std::vector<std::thread> threads;
  std::atomic<int> failures{0};
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 50; ++i) {
        Call call(1 + static_cast<std::uint32_t>((i + t) % 3));
        call.Command("EVENTS-SUPPORT");
        if (call.Execute() != 0) ++failures;
        if (i % 10 == 9) {
          Call release(1 + static_cast<std::uint32_t>(t % 3));
          release.Rec.CallKind = ckRelease;
          ExecutePluginCommand(&release.Rec);
        }
      }
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(failures, 0);
  EXPECT_LE(InstanceList()->Count(), 3);
}
