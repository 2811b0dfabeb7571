#include "filter/FilterTestSupport.h"

#include <algorithm>

#include "Private/Plugins/orbProxyCode.h"
#include "Private/Plugins/orbWreg.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "rtl/Object.h"
#include "rtl/VariantConvert.h"

extern "C" {
std::int32_t ORB_STDCALL ExecutePluginCommand(orb::PPluginCallRec);
std::int32_t ORB_STDCALL ProcessData(orb::PPluginCallRec);
std::int32_t ORB_STDCALL GetLogEx(orb::PPluginCallRec);
void ORB_STDCALL ShowOptionsDialog(orb::PPluginCallRec);
}

namespace filtertest {

namespace {
const char* const kSection = "{Tests:Filter}";

orb::PluginCallRec Rec(std::uint32_t id, orb::TorbParamsList* params) {
  orb::PluginCallRec rec = orb::NewCallRec();
  rec.ConfigId = id;
  rec.ModuleIndex = id;
  rec.ModuleTypes = orb::ModuleTypeBit(orb::mttFilter);
  rec.Params = params;
  return rec;
}
}  // namespace

std::unique_ptr<orb::TorbParamsList> Packet(const std::vector<Row>& rows) {
  auto list = std::make_unique<orb::TorbParamsList>();
  for (const Row& row : rows) {
    for (const auto& [name, value] : row) list->Add(name, value);
    list->AddRowMarker();
  }
  return list;
}

std::vector<std::string> RowsOf(const orb::TorbParamsList* list) {
  std::vector<std::string> rows;
  std::string row;
  for (int i = 0; list && i < list->Count(); ++i) {
    const orb::TorbParamsListItem* item = list->Items(i);
    if (item->IsRowMarker()) {
      rows.push_back(row);
      row.clear();
      continue;
    }
    if (!row.empty()) row += ",";
    row += item->Name.str() + "=" + (item->Value.IsEmptyOrNull() ? std::string("null") : rtl::VarToStr(item->Value).str());
  }
  if (!row.empty()) rows.push_back(row);
  return rows;
}

Configuration::Configuration(std::uint32_t configId, const std::string& script, int language, std::int32_t rowTimeLimit,
                             const std::string& hostLanguage)
    : FId(configId),
      FIni(platform::TempFolder() + "velmora-filter-test-" + std::to_string(platform::CurrentProcessId()) + "-" +
           std::to_string(configId) + ".ini") {
  StoreScript(script, language, rowTimeLimit);
  FWindow.Create([](const platform::WindowMessage&) {});
  Command("LOAD", {{"INI-FILE", rtl::Variant(rtl::AnsiString(FIni))},
                   {"INISectionPrefix", rtl::Variant(rtl::AnsiString(kSection))},
                   {"MessagesProcessorHandle", rtl::Variant(static_cast<std::int64_t>(FWindow.Handle()))},
                   {"LANGUAGE", rtl::Variant(rtl::AnsiString(hostLanguage))}});
}

std::int32_t Configuration::ShowOptions(const std::string& language) {
  orb::TorbParamsList params;
  params.Add("INI-FILE", rtl::Variant(rtl::AnsiString(FIni)));
  if (!language.empty()) params.Add("LANGUAGE", rtl::Variant(rtl::AnsiString(language)));
  orb::PluginCallRec rec = Rec(FId, &params);
  ShowOptionsDialog(&rec);
  return static_cast<std::int32_t>(rec.Output.Data);
}

Configuration::Stored Configuration::ReadStored() const {
  rtl::TObjectPtr<orb::TProxyCodeObject> cfg = rtl::MakeObject<orb::TProxyCodeObject>();
  cfg->Width = cfg->Height = cfg->Left = cfg->Top = cfg->fsTree1_Width = 0;
  rtl::TObjectPtr<orb::TWreg> store = rtl::MakeObject<orb::TWreg>();
  store->INIFile = FIni;
  store->INIFileSectionPrefix = kSection;
  for (const char* line : {"Top,Top", "Left,Left", "Width,Width", "Height,Height", "fsTree1.Width,Editor width",
                           "edtExpr.Lines,Script", "comboType.ItemIndex,Language"})
    store->ComponentLines()->Add(line);
  store->Load(cfg.get());
  Stored s;
  s.Left = cfg->Left, s.Top = cfg->Top, s.Width = cfg->Width, s.Height = cfg->Height;
  s.EditorWidth = cfg->fsTree1_Width;
  s.Language = cfg->comboType_ItemIndex;
  s.Script = cfg->edtExpr_Lines->Text().str();
  return s;
}

Configuration::~Configuration() {
  Command("UNLOAD", {{"INI-FILE", rtl::Variant(rtl::AnsiString(FIni))}});
  orb::PluginCallRec release = Rec(FId, nullptr);
  release.CallKind = orb::ckRelease;
  ExecutePluginCommand(&release);
  platform::RemoveFile(FIni);
}

void Configuration::StoreScript(const std::string& script, int language, std::int32_t rowTimeLimit) {
  rtl::TObjectPtr<orb::TProxyCodeObject> cfg = rtl::MakeObject<orb::TProxyCodeObject>();
  cfg->edtExpr_Lines->SetText(script);
  cfg->comboType_ItemIndex = language;
  cfg->RowTimeLimit = rowTimeLimit;
  rtl::TObjectPtr<orb::TWreg> store = rtl::MakeObject<orb::TWreg>();
  store->INIFile = FIni;
  store->INIFileSectionPrefix = kSection;
  store->ComponentLines()->Add("edtExpr.Lines,Script");
  store->ComponentLines()->Add("comboType.ItemIndex,Language");
  if (rowTimeLimit >= 0) store->ComponentLines()->Add("RowTimeLimit,Row time limit");
  ASSERT_TRUE(store->Save(cfg.get()));
}

std::int32_t Configuration::Command(const std::string& verb, const Row& args) {
  orb::TorbParamsList params;
  params.Add("COMMAND", rtl::Variant(rtl::AnsiString(verb)));
  for (const auto& [name, value] : args) params.Add(name, value);
  orb::PluginCallRec rec = Rec(FId, &params);
  return ExecutePluginCommand(&rec);
}

std::int32_t Configuration::Process(const orb::TorbParamsList& packet, std::vector<std::string>& rows) {
  orb::TorbParamsList params;
  orb::PluginCallRec rec = Rec(FId, &params);
  rec.Input.DataType = orb::pdtParamsList;
  rec.Input.Data = reinterpret_cast<std::uintptr_t>(&packet);
  const std::int32_t result = ProcessData(&rec);
  rows = RowsOf(rec.Output.DataType == orb::pdtParamsList ? rec.Output.List() : nullptr);
  return result;
}

std::string Configuration::TakeLog() {
  orb::PluginCallRec rec = Rec(FId, nullptr);
  std::string text(1 << 16, '\0');
  rec.Input.Size = static_cast<std::int32_t>(text.size());
  rec.Input.Data = reinterpret_cast<std::uintptr_t>(text.data());
  text.resize(static_cast<std::size_t>(std::max<std::int32_t>(GetLogEx(&rec), 0)));
  return text;
}

}  // namespace filtertest
