#include "plugins/PluginTestSupport.h"

#include "rtl/VariantConvert.h"

namespace plugintest {

Journal& TheJournal() {
  static Journal journal;
  return journal;
}

void Journal::Reset() {
  Events.clear();
  Constructed = 0;
  Destroyed = 0;
  LastInputData = 0;
  ProcessResult = 0;
  CustomResult = -2;
  OptionsSuccess = true;
  Hook = nullptr;
}

std::string Text(const rtl::Variant& v) { return v.IsEmptyOrNull() ? std::string() : rtl::VarToAnsiString(v).str(); }

TTestPlugin::TTestPlugin(orb::PPluginCallRec rec, void* dll) : TorbPlugin(rec, dll) { ++TheJournal().Constructed; }
TTestPlugin::~TTestPlugin() { ++TheJournal().Destroyed; }

void TTestPlugin::InitializeForm() {
  using orb::TorbPlugin;
  Description = "Test module";
  LogTitle = "Test";
  MsgNoData = "No data for processing";
  MsgWriteComplete = "Data have been processed successfully";
  MsgWriteCompleteError = "Data have been processed with errors";
  MinVersion = 4.0f;
  IsMultiThreadSupported = true;
  ModuleType = orb::ModuleTypeBit(orb::mttFilter);
  EventsSupported = "PORT-OPEN";
  auto note = [](const std::string& what) {
    TheJournal().Events.push_back(what);
  };
  auto hook = [](TorbPlugin* p, const std::string& what) {
    if (TheJournal().Hook) TheJournal().Hook(p, what);
  };
  OnLoad = [=](TorbPlugin* p, orb::PPluginCallRec, std::int32_t&) {
    note("OnLoad");
    hook(p, "OnLoad");
  };
  OnUnload = [=](TorbPlugin* p, orb::PPluginCallRec, std::int32_t&) {
    note("OnUnload ini=" + p->FINIFile);
    hook(p, "OnUnload");
  };
  OnEvent = [=](TorbPlugin* p, const std::string& type, orb::PPluginCallRec rec, std::int32_t& result) {
    note("OnEvent " + type);
    hook(p, "OnEvent");
    rtl::Variant arg;
    rec->Params->ReadValue("P0", 0, arg);
    if (!arg.IsEmpty()) rec->Params->WriteValue("RESULT", rtl::Variant(rtl::AnsiString("echo " + Text(arg))), false);
    result = type == "REFUSE" ? 5 : 0;
  };
  OnSaveSettingsNow = [=](rtl::TObject* s) { note("OnSaveSettingsNow ini=" + static_cast<TorbPlugin*>(s)->FINIFile); };
  OnLoadSettingsNow = [=](rtl::TObject* s) { note("OnLoadSettingsNow ini=" + static_cast<TorbPlugin*>(s)->FINIFile); };
  OnSetParserItems = [=](rtl::TObject*) { note("OnSetParserItems"); };
  OnBeforeGetParserItems = [=](rtl::TObject*) { note("OnBeforeGetParserItems"); };
  OnStateChanged = [=](TorbPlugin*, orb::TModuleTypes types) { note("OnStateChanged " + std::to_string(types)); };
  OnExecuteCustomCommand = [=](TorbPlugin* p, const std::string& cmd, orb::PPluginCallRec, std::int32_t& result) {
    note("OnExecuteCustomCommand " + cmd);
    hook(p, cmd);
    result = TheJournal().CustomResult;
  };
  OnProcessData = [=](TorbPlugin* p, orb::PPluginCallRec rec, std::int32_t& result) {
    note("OnProcessData");
    TheJournal().LastInputData = rec->Input.Data;
    hook(p, "OnProcessData");
    result = TheJournal().ProcessResult;
  };
  OnShowOptionsDialog = [=](TorbPlugin* p, orb::PPluginCallRec, bool& success) {
    note("OnShowOptionsDialog");
    hook(p, "OnShowOptionsDialog");
    success = TheJournal().OptionsSuccess;
  };
}

Call::Call(std::uint32_t configId, orb::TModuleTypes types) : Rec(orb::NewCallRec()), Params(new orb::TorbParamsList()) {
  Rec.ConfigId = configId;
  Rec.ModuleIndex = 100 + configId;
  Rec.ModuleTypes = types;
  Rec.Params = Params.get();
}

rtl::Variant Call::Answer(const char* name) const {
  rtl::Variant v;
  Params->ReadValue(name, 0, v);
  return v;
}

std::string Call::AnswerText(const char* name) const { return Text(Answer(name)); }

HostWindow::HostWindow() {
  Window.Create([this](const platform::WindowMessage& m) {
    if (m.Msg == 0x004A)
      CopyData.emplace_back(m.CopyKind, std::string(static_cast<const char*>(m.Data), m.Size));
    else
      Posted.push_back(m.Msg);
  });
}

void PluginTest::SetUp() {
  orb::FinalizeFramework();
  orb::InitializeFramework();
  orb::SetPluginClass(&orb::CreatePluginOf<TTestPlugin>);
  TheJournal().Reset();
}

void PluginTest::TearDown() {
  orb::FinalizeFramework();
  orb::InitializeFramework();
  orb::SetPluginClass(&orb::CreatePluginOf<orb::TorbPlugin>);
  TheJournal().Hook = nullptr;
}

orb::TorbPlugin* PluginTest::Instance(std::uint32_t configId) {
  Call call(configId);
  // Tests run the framework from one thread: the instance stays listed after the use.
  orb::TInstanceUse use(&call.Rec, true);
  return use.get();
}

std::int32_t PluginTest::Load(std::uint32_t configId, HostWindow* window) {
  Call call(configId);
  call.Command("LOAD").Arg("RegistryPath", rtl::Variant(rtl::AnsiString("\\Software\\Host\\Velmora")));
  if (window) call.Arg("MessagesProcessorHandle", rtl::Variant(static_cast<std::int64_t>(window->Window.Handle())));
  return call.Execute();
}

}  // namespace plugintest
