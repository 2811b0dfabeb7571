// The command dispatcher: every verb, the module parameters, module variables, parser
// items, custom commands and the event call.
#include "plugins/PluginTestSupport.h"
#include "platform/FileVersion.h"
#include "platform/Modules.h"
#include "rtl/VariantConvert.h"

#if defined(_WIN32)
#define TEST_HOST_EXPORT __declspec(dllexport)
#else
#define TEST_HOST_EXPORT __attribute__((visibility("default")))
#endif

// The test program plays the host: it exports the send callbacks.
extern "C" {
TEST_HOST_EXPORT std::int32_t ORB_STDCALL fSendData(std::uint32_t, std::int32_t, std::uint32_t, const void*,
                                                   std::int32_t length) {
  return length;
}
TEST_HOST_EXPORT std::int32_t ORB_STDCALL fSendString(std::uint32_t, std::int32_t, std::uint32_t, const char*) { return 1; }
TEST_HOST_EXPORT std::int32_t ORB_STDCALL fSendByte(std::uint32_t, std::int32_t, std::uint32_t, std::uint32_t) { return 2; }
}

using namespace orb;
using namespace plugintest;
using rtl::AnsiString;
using rtl::Variant;

namespace {
Variant Str(const char* s) { return Variant(AnsiString(s)); }

Call Verb(const char* verb) {
  Call call;
  call.Command(verb);
  return call;
}

Variant GetParam(const char* name) {
  Call call = Verb("GET-MODULE-PARAMETER");
  call.Arg("PARAM", Str(name)).Result();
  EXPECT_EQ(call.Execute(), 0) << name;
  return call.Answer();
}

bool SetParam(const char* name, const Variant& value) {
  Call call = Verb("SET-MODULE-PARAMETER");
  call.Arg("PARAM", Str(name)).Arg("VALUE", value).Result();
  EXPECT_EQ(call.Execute(), 0) << name;
  return rtl::VarToBool(call.Answer());
}
}  // namespace

TEST_F(PluginTest, LoadCountsAndUnloadSavesOnANewIniFile) {
  EXPECT_EQ(Load(), 0);
  EXPECT_EQ(Load(), 0);
  TorbPlugin* p = Instance();
  EXPECT_EQ(p->FLoadCount, 2);
  EXPECT_EQ(TheJournal().Events, (std::vector<std::string>{"OnLoad"}));
  Call unload = Verb("UNLOAD");
  EXPECT_EQ(unload.Execute(), 0);
  EXPECT_EQ(p->FTerminateNow, 0);
  p->FINIFile = "old.ini";
  Call last = Verb("UNLOAD");
  last.Arg("INI-FILE", Str("new.ini"));
  EXPECT_EQ(last.Execute(), 0);
  EXPECT_EQ(p->FTerminateNow, 1);
  EXPECT_EQ(p->FDataOut, nullptr);
  EXPECT_EQ(TheJournal().Events,
            (std::vector<std::string>{"OnLoad", "OnSaveSettingsNow ini=new.ini", "OnUnload ini=new.ini"}));
  Call third = Verb("UNLOAD");
  EXPECT_EQ(third.Execute(), 0);
  EXPECT_EQ(p->FLoadCount, 0);
  // A load after the unload loads again.
  EXPECT_EQ(Load(), 0);
  EXPECT_NE(p->FDataOut, nullptr);
  EXPECT_EQ(p->FTerminateNow, 0);
}

TEST_F(PluginTest, LoadReadsTheSettingsLocationAndFindsTheHostCallbacks) {
  const std::string self = platform::ModuleFileName(platform::MainProgramModule());
  Call load = Verb("LOAD");
  load.Arg("RegistryPath", Str("\\Software\\Host\\App"))
      .Arg("INISectionPrefix", Str("{Cfg:12:x}"))
      .Arg("INI-FILE", Str("host.ini"))
      .Arg("ApplicationName", Variant(AnsiString(self)));
  load.Rec.ModuleIndex = 55;
  ASSERT_EQ(load.Execute(), 0);
  TorbPlugin* p = Instance();
  EXPECT_EQ(p->FRegistryPath, "\\Software\\Host\\App");
  EXPECT_EQ(p->FINISectionPrefix, "{Cfg:12:x}");
  EXPECT_EQ(p->FINIFile, "host.ini");
  EXPECT_EQ(p->FModuleIndex, 55u);
  EXPECT_NE(p->FParentApp, 0u);
  ASSERT_NE(p->fSendData, nullptr);
  ASSERT_NE(p->fSendString, nullptr);
  ASSERT_NE(p->fSendByte, nullptr);
  EXPECT_EQ(p->fSendData(0, 0, 0, "abc", 3), 3);
  EXPECT_EQ(p->fSendByte(0, 0, 0, 7), 2);
  EXPECT_EQ(p->fSendNotify, nullptr);
}

TEST_F(PluginTest, VerbsAreCaseSensitive) {
  Instance()->OnExecuteCustomCommand = nullptr;
  Call load = Verb("load");
  EXPECT_EQ(load.Execute(), -2);
  EXPECT_TRUE(TheJournal().Events.empty());
  Call missing;
  EXPECT_EQ(missing.Execute(), -1);  // no COMMAND at all
  Call empty = Verb("");
  EXPECT_EQ(empty.Execute(), -1);
}

TEST_F(PluginTest, EventVerb) {
  Call without = Verb("EVENT");
  EXPECT_EQ(without.Execute(), -1);
  Call with = Verb("EVENT");
  with.Arg("EVENT-TYPE", Str("PORT-OPEN"));
  EXPECT_EQ(with.Execute(), 0);
  Call refused = Verb("EVENT");
  refused.Arg("EVENT-TYPE", Str("REFUSE"));
  EXPECT_EQ(refused.Execute(), 5);
  Instance()->OnEvent = nullptr;
  EXPECT_EQ(with.Execute(), 0);
  EXPECT_EQ(TheJournal().Events, (std::vector<std::string>{"OnEvent PORT-OPEN", "OnEvent REFUSE"}));
}

TEST_F(PluginTest, ParserItemsTravelAsText) {
  Call set = Verb("SET-ITEMS");
  set.Arg("ITEMS", Str("Temperature|TEMP|Float|x\r\nno fields here\r\nPressure|P|Word|"));
  EXPECT_EQ(set.Execute(), 0);
  TorbPlugin* p = Instance();
  ASSERT_EQ(p->FParserItems.size(), 3u);  // parsing stopped at the second line
  EXPECT_EQ(p->FParserItems[0].Name, "TEMP");
  EXPECT_EQ(p->FParserItems[0].ItemType, 5);
  EXPECT_EQ(p->FParserItems[1].Name, "");

  Call full = Verb("SET-ITEMS");
  full.Arg("ITEMS", Str("Temperature|TEMP|float|x\r\n\r\nPressure|P\r\nBad|B|NoSuchType|"));
  EXPECT_EQ(full.Execute(), 0);
  Call items = Verb("ITEMS");
  items.Result();
  EXPECT_EQ(items.Execute(), 0);
  EXPECT_EQ(items.AnswerText(), "Temperature|TEMP|Float|x\r\nPressure|P||\r\nBad|B||");
  EXPECT_EQ(items.Answer().VarType(), rtl::varOleStr);
  Call noResult = Verb("ITEMS");
  EXPECT_EQ(noResult.Execute(), -1);
  Call notText = Verb("SET-ITEMS");
  notText.Arg("ITEMS", Variant(5));
  EXPECT_EQ(notText.Execute(), -1);
  EXPECT_EQ(TheJournal().Events,
            (std::vector<std::string>{"OnSetParserItems", "OnSetParserItems", "OnBeforeGetParserItems"}));
}

TEST_F(PluginTest, SetStateSwitchesTheCallsRoles) {
  Call on = Verb("SET-STATE");
  on.Rec.ModuleTypes = ModuleTypeBit(mttFilter);
  on.Arg("RESULT", Variant(1))
      .Arg("DATA-SOURCES-IN-CFG", Str(" 3 ; COM1 ; Serial port 1\r\nx;bad\r\n4;TCP"))
      .Arg("DATA-SOURCE-LOAD", Str("COM1"));
  EXPECT_EQ(on.Execute(), 0);
  TorbPlugin* p = Instance();
  EXPECT_TRUE(p->FEnabledTypes[mttFilter]);
  EXPECT_FALSE(p->FEnabledTypes[mttDataExport]);
  ASSERT_EQ(p->FDataSources.size(), 2u);
  EXPECT_EQ(p->FDataSources[0]->Id, 3);
  EXPECT_EQ(p->FDataSources[0]->Name, "COM1");
  EXPECT_EQ(p->FDataSources[0]->FullName, "Serial port 1");
  EXPECT_EQ(p->FDataSources[1]->Name, "TCP");
  EXPECT_EQ(p->FDataSourceLoadFor, "COM1");
  EXPECT_EQ(rtl::VarToInt64(GetParam("ModuleEnabled")), 0x20);

  Call off = Verb("SET-STATE");
  off.Rec.ModuleTypes = ModuleTypeBit(mttFilter);
  off.Arg("RESULT", Variant(0));
  EXPECT_EQ(off.Execute(), 0);
  EXPECT_FALSE(p->FEnabledTypes[mttFilter]);
  Call noResult = Verb("SET-STATE");
  EXPECT_EQ(noResult.Execute(), -1);
  EXPECT_EQ(TheJournal().Events, (std::vector<std::string>{"OnStateChanged 32", "OnStateChanged 32"}));
}

TEST_F(PluginTest, ModuleParameters) {
  EXPECT_EQ(Load(), 0);
  struct Case {
    const char* Name;
    std::string Expected;
  };
  const Case cases[] = {
      {"LogTitle", "Test"},        {"description", "Test module"}, {"EventsSupported", "PORT-OPEN"},
      {"MODULETYPE", "32"},        {"ModuleLoadCount", "1"},       {"ModuleHandle", "7"},
      {"ModuleIndex", "107"},      {"ModuleRegistryRoot1", "2"},   {"ModuleRegistryRoot2", "1"},
      {"ModuleRegistryPath", "\\Software\\Host\\Velmora"},         {"TerminateNow", "False"},
      {"ParserItemsCount", "0"},   {"NoSuchParameter", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(GetParam(c.Name)), c.Expected) << c.Name;
  EXPECT_EQ(GetParam("ModuleType").VarType(), rtl::varLongWord);
  EXPECT_EQ(GetParam("ModuleLoadCount").VarType(), rtl::varInteger);
  EXPECT_EQ(GetParam("ModuleRegistryRoot1").VarType(), rtl::varByte);
  EXPECT_EQ(GetParam("LogTitle").VarType(), rtl::varOleStr);
  // The test program carries a version on POSIX (the build's) and none on Windows.
  std::array<std::uint16_t, 4> v{};
  std::string version;
  if (platform::ReadFileVersion(platform::OwnModuleFileName(), v))
    version = std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." + std::to_string(v[3]);
  EXPECT_EQ(Text(GetParam("DisplayFullVersion")), version);

  EXPECT_TRUE(SetParam("Description", Str("Renamed")));
  EXPECT_EQ(Text(GetParam("Description")), "Renamed");
  EXPECT_TRUE(SetParam("ModuleType", Variant(0x24)));
  EXPECT_EQ(Instance()->ModuleType, 0x24);
  EXPECT_FALSE(SetParam("ModuleType", Str("many")));
  EXPECT_FALSE(SetParam("NoSuchParameter", Variant(1)));

  Call noParam = Verb("GET-MODULE-PARAMETER");
  EXPECT_EQ(noParam.Execute(), -2);
}

TEST_F(PluginTest, ParserItemParameters) {
  Call set = Verb("SET-ITEMS");
  set.Arg("ITEMS", Str("Temperature|TEMP|Float|"));
  ASSERT_EQ(set.Execute(), 0);
  EXPECT_EQ(Text(GetParam("ParserItemName0")), "TEMP");
  EXPECT_EQ(Text(GetParam("ParserItemDesc0")), "Temperature");
  EXPECT_EQ(rtl::VarToInt64(GetParam("ParserItemType0")), 5);
  EXPECT_EQ(GetParam("ParserItemType0").VarType(), rtl::varShortInt);
  EXPECT_TRUE(GetParam("parseritemname0").IsEmpty());
  // An index past the end extends the items with empty ones.
  EXPECT_TRUE(GetParam("ParserItemName3").IsEmpty());
  EXPECT_EQ(Instance()->FParserItems.size(), 4u);
}

TEST_F(PluginTest, ModuleVariables) {
  EXPECT_TRUE(SetParam("Custom:Speed", Variant(12)));
  EXPECT_TRUE(SetParam("CustomMode", Str("fast")));
  EXPECT_EQ(rtl::VarToInt64(GetParam("Custom Speed")), 12);
  EXPECT_EQ(rtl::VarToInt64(GetParam("CustomCOUNT")), 2);
  EXPECT_TRUE(SetParam("Custom_1", Str("slow")));  // by position
  EXPECT_EQ(Text(GetParam("Custom:Mode")), "slow");
  EXPECT_EQ(Text(GetParam("Custom_0")), "12");
  EXPECT_TRUE(GetParam("Custom_5").IsNull());
  EXPECT_TRUE(GetParam("CustomMissing").IsNull());
  EXPECT_FALSE(SetParam("Custom", Variant(1)));
  EXPECT_FALSE(SetParam("custom:x", Variant(1)));
  EXPECT_TRUE(SetParam("CustomCOUNT", Variant(0)));
  EXPECT_EQ(rtl::VarToInt64(GetParam("CustomCOUNT")), 0);
}

TEST_F(PluginTest, SaveAndLoadSettingsNow) {
  TorbPlugin* p = Instance();
  p->FINIFile = "own.ini";
  Call noSave = Verb("SAVE-SETTINGS-NOW");
  noSave.Arg("NO-SAVE", Variant(1)).Arg("INI-FILE", Str("other.ini"));
  EXPECT_EQ(noSave.Execute(), -2);
  EXPECT_TRUE(TheJournal().Events.empty());
  Call save = Verb("SAVE-SETTINGS-NOW");
  save.Arg("INI-FILE", Str("other.ini"));
  EXPECT_EQ(save.Execute(), -2);
  Call load = Verb("LOAD-SETTINGS-NOW");
  load.Arg("INI-FILE", Str("shared.ini"));
  EXPECT_EQ(load.Execute(), -2);
  EXPECT_EQ(TheJournal().Events, (std::vector<std::string>{"OnSaveSettingsNow ini=other.ini",
                                                           "OnLoadSettingsNow ini=shared.ini",
                                                           "OnSaveSettingsNow ini=own.ini"}));
  EXPECT_EQ(p->FINIFile, "own.ini");
}

TEST_F(PluginTest, CustomCommandsAndNesting) {
  HostWindow window;
  ASSERT_EQ(Load(7, &window), 0);
  TheJournal().CustomResult = 9;
  Call custom = Verb("MY-VERB");
  EXPECT_EQ(custom.Execute(), 9);

  TheJournal().Hook = [](TorbPlugin*, const std::string& what) {
    if (what == "NEST") {
      Call inner = Verb("EVENTS-SUPPORT");
      inner.Result();
      TheJournal().Events.push_back("inner=" + std::to_string(inner.Execute()));
    }
    if (what == "FAIL") throw rtl::Exception("it failed");
  };
  Call nest = Verb("NEST");
  EXPECT_EQ(nest.Execute(), 9);
  Call fail = Verb("FAIL");
  EXPECT_EQ(fail.Execute(), -3);
  EXPECT_EQ(TheJournal().Events.back(), "OnExecuteCustomCommand FAIL");
  EXPECT_NE(std::find(TheJournal().Events.begin(), TheJournal().Events.end(), "inner=-3"), TheJournal().Events.end());

  std::string log = Instance()->FLog.GetText();
  EXPECT_NE(log.find("Test. Nested plugin commands are not allowed (Private\\Plugins\\orbPluginModule, line "),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Test. {FAIL} it failed"), std::string::npos) << log;
  // The instance still takes commands afterwards.
  Call after = Verb("EVENTS-SUPPORT");
  after.Result();
  EXPECT_EQ(after.Execute(), 0);
  EXPECT_EQ(after.AnswerText(), "PORT-OPEN");
}

TEST_F(PluginTest, CallModuleEventRaisesOnEventWithItsOwnRecord) {
  Variant value;
  EXPECT_TRUE(CallModuleEvent(Instance(), "GetFuncList", {Str("abc")}, value));
  EXPECT_EQ(Text(value), "echo abc");
  EXPECT_FALSE(CallModuleEvent(Instance(), "REFUSE", {}, value));
  Instance()->OnEvent = nullptr;
  EXPECT_FALSE(CallModuleEvent(Instance(), "X", {}, value));
}

TEST_F(PluginTest, CustomCommandText) {
  TorbPlugin* p = Instance();
  EXPECT_TRUE(SetParam("CustomCommands", Str("A|one|two|1|0\r\nshort|x\r\n\r\nB|||0|1")));
  EXPECT_EQ(p->FCustomCommands.Count(), 2);
  EXPECT_EQ(Text(GetParam("CustomCommands")), "A|one|two|1|0\r\nB|||0|1\r\n");
  // Reported to the host only in the menu role.
  Call call;
  char buffer[64] = {};
  call.Rec.Input.Size = sizeof buffer;
  call.Rec.Input.Data = reinterpret_cast<std::uintptr_t>(buffer);
  EXPECT_EQ(GetCustomCommands(&call.Rec), 0);
  p->ModuleType |= ModuleTypeBit(mttMenuExt);
  EXPECT_EQ(GetCustomCommands(&call.Rec), 24);
  EXPECT_EQ(std::string(buffer, 24), "A|one|two|1|0\r\nB|||0|1\r\n");
  call.Rec.Input.Size = 10;
  EXPECT_EQ(GetCustomCommands(&call.Rec), 0);
  EXPECT_EQ(call.Rec.Output.Data, 24u);
}

TEST_F(PluginTest, DataFolders) {
  TorbPlugin* p = Instance();
  struct Case {
    const char* Prefix;
    const char* Folder;
  };
  const Case cases[] = {{"{Main:Cfg1:x}", "Cfg1"}, {"{Main}", "Main"}, {"no braces", ""},
                        {"{A::B}", "A::B"},         {"x{One{Two}", "One"}, {"{P:Q}rest{R}", "Q"}};
  for (const Case& c : cases) {
    p->FINISectionPrefix = c.Prefix;
    EXPECT_EQ(p->ConfigFolderName(), c.Folder) << c.Prefix;
  }
  p->FRegistryPath = "\\Software\\Maker\\Data:Logger";
  p->FINISectionPrefix = "{Main:Cfg1}";
  const std::string app = p->AppDataPath();
  const char sep = app.back();
  EXPECT_NE(app.find("Data Logger" + std::string(1, sep)), std::string::npos) << app;
  EXPECT_EQ(p->ModuleDataPath(false), app + "Cfg1" + sep + "Test module" + sep);
  EXPECT_EQ(Text(GetParam("ModuleConfigId")), "Cfg1");
  EXPECT_EQ(Text(GetParam("AppDataPath")), app);
}
