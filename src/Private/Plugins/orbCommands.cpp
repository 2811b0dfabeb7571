// The command dispatcher: every verb the host sends through ExecutePluginCommand, and
// the event-call operation modules use among themselves.
#include <memory>

#include "Private/Plugins/orbInstances.h"
#include "Private/Plugins/orbParams.h"
#include "Private/Plugins/orbPluginModule.h"
#include "rtl/VariantConvert.h"

namespace orb {

namespace {

constexpr const char* kUnit = "Private\\Plugins\\orbPluginModule";

// Leaves the command lock and counts the nesting back down on every way out.
class CommandScope {
public:
  CommandScope(rtl::TCriticalSection& lock, std::atomic<std::int32_t>& depth) : FLock(lock), FDepth(depth) {
    FLock.Enter();
    if (++FDepth != 1) {
      Leave();
      rtl::AssertionFailure("Nested plugin commands are not allowed", kUnit, __LINE__);
    }
  }
  ~CommandScope() {
    if (!FLeft) Leave();
  }

private:
  void Leave() {
    FLeft = true;
    --FDepth;
    FLock.Leave();
  }
  rtl::TCriticalSection& FLock;
  std::atomic<std::int32_t>& FDepth;
  bool FLeft = false;
};

std::string Trimmed(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

bool ParseInt(const std::string& text, std::int64_t& value) {
  try {
    value = rtl::VarToInt64(rtl::Variant(rtl::AnsiString(text)));
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

std::int32_t TorbPlugin::ExecuteCommand(const std::string& Command, PPluginCallRec pCallRec) {
  CommandScope scope(FCommandLock, FCommandDepth);
  TorbParamsList* params = pCallRec->Params;
  if (Command == "LOAD") ApplyLanguageParameter(pCallRec);
  if (HasParam(params, "MessagesProcessorHandle"))
    FMessageWindow = static_cast<std::uintptr_t>(ParamInt(params, "MessagesProcessorHandle"));
  if (HasParam(params, "OWNERFORM")) FOwnerForm = static_cast<std::uintptr_t>(ParamInt(params, "OWNERFORM"));

  if (Command == "EVENT") {
    std::int32_t result = prInvalid;
    rtl::Variant type;
    if (!ReadParam(params, "EVENT-TYPE", type)) return result;
    try {
      if (OnEvent)
        OnEvent(this, rtl::VarToAnsiString(type).str(), pCallRec, result);
      else
        result = 0;
    } catch (const rtl::Exception& e) {
      LogException(this, "EVENT", e);
      result = prException;
    }
    return result;
  }
  if (Command == "LOAD") return DoLoad(pCallRec);
  if (Command == "UNLOAD") return DoUnload(pCallRec);
  if (Command == "SET-ITEMS") {
    rtl::Variant items;
    params->ReadValue("ITEMS", 0, items);
    if (!items.IsString()) return prInvalid;
    SetParserItems(rtl::VarToAnsiString(items).str());
    if (OnSetParserItems) OnSetParserItems(this);
    return 0;
  }
  if (Command == "SET-STATE") {
    std::int32_t result = prInvalid;
    rtl::Variant sources;
    if (ReadParam(params, "DATA-SOURCES-IN-CFG", sources)) {
      FDataSources.clear();
      for (const std::string& line : SplitLines(rtl::VarToAnsiString(sources).str())) {
        try {
          std::vector<std::string> f = SplitFields(line, ';');
          for (auto& field : f) field = Trimmed(field);
          std::int64_t id = -1;
          if (!ParseInt(f[0], id)) id = -1;
          if (id == -1) continue;
          auto source = std::make_unique<TConfigDataSource>();
          source->Text = line;
          source->Id = static_cast<std::int32_t>(id);
          source->Name = f.size() > 1 ? f[1] : "";
          source->FullName = f.size() > 2 ? f[2] : "";
          FDataSources.push_back(std::move(source));
        } catch (const rtl::Exception& e) {
          result = prException;
          LogException(this, "SETSTATE", e);
        }
      }
    }
    if (HasParam(params, "DATA-SOURCE-LOAD")) FDataSourceLoadFor = ParamText(params, "DATA-SOURCE-LOAD");
    rtl::Variant answer;
    if (!ReadParam(params, "RESULT", answer)) return result;
    const bool enabled = rtl::VarToInt64(answer) == 1;
    for (int t = 0; t < 8; ++t)
      if (HasModuleType(pCallRec->ModuleTypes, static_cast<TModuleType>(t))) FEnabledTypes[static_cast<std::size_t>(t)] = enabled;
    if (OnStateChanged) OnStateChanged(this, pCallRec->ModuleTypes);
    return 0;
  }
  if (Command == "ITEMS") {
    if (!params->ItemByName("RESULT")) return prInvalid;
    if (OnBeforeGetParserItems) OnBeforeGetParserItems(this);
    FParserItemsText = ParserItemsText();
    WriteAnswer(params, "RESULT", OleText(FParserItemsText));
    return 0;
  }
  if (Command == "EVENTS-SUPPORT") {
    WriteAnswer(params, "RESULT", OleText(EventsSupported.view()));
    return 0;
  }
  if (Command == "GET-MODULE-PARAMETER") {
    rtl::Variant name;
    if (!ReadParam(params, "PARAM", name)) return prNotHandled;
    rtl::Variant value;
    GetModuleParameter(rtl::VarToAnsiString(name).str(), value);
    WriteAnswer(params, "RESULT", value);
    return 0;
  }
  if (Command == "SET-MODULE-PARAMETER") {
    rtl::Variant name;
    if (!ReadParam(params, "PARAM", name)) return prNotHandled;
    rtl::Variant value;
    if (!ReadParam(params, "VALUE", value)) value = rtl::Variant::Null();
    WriteAnswer(params, "RESULT", rtl::Variant(SetModuleParameter(rtl::VarToAnsiString(name).str(), value)));
    return 0;
  }
  if (Command == "SAVE-SETTINGS-NOW" || Command == "LOAD-SETTINGS-NOW") {
    const std::string kept = FINIFile;
    try {
      FINIFile = ParamText(params, "INI-FILE");
      if (Command == "LOAD-SETTINGS-NOW") {
        if (OnLoadSettingsNow) OnLoadSettingsNow(this);
        FINIFile = kept;
      }
      rtl::Variant noSave;
      const bool forbidden = ReadParam(params, "NO-SAVE", noSave) && rtl::VarToInt64(noSave) != 0;
      if (OnSaveSettingsNow && !forbidden) OnSaveSettingsNow(this);
    } catch (...) {
      FINIFile = kept;
      throw;
    }
    FINIFile = kept;
    return prNotHandled;
  }
  // Any other verb is the module's own.
  if (!OnExecuteCustomCommand) return prNotHandled;
  std::int32_t result = prNotHandled;
  try {
    OnExecuteCustomCommand(this, Command, pCallRec, result);
  } catch (const rtl::Exception& e) {
    LogException(this, Command, e);
    result = prException;
  }
  return result;
}

bool CallModuleEvent(TorbPlugin* Module, const std::string& EventName, const std::vector<rtl::Variant>& Args,
                     rtl::Variant& Value) {
  if (!Module->OnEvent) return false;
  std::unique_ptr<TorbParamsList> args(new TorbParamsList());
  for (std::size_t i = 0; i < Args.size(); ++i) args->Add("P" + std::to_string(i), Args[i]);
  PluginCallRec rec = NewCallRec();
  rec.Params = args.get();
  args->Add("RESULT", rtl::Variant::Null());
  std::int32_t result = 0;
  Module->OnEvent(Module, EventName, &rec, result);
  if (result != 0) return false;
  args->ReadValue("RESULT", 0, Value);
  return true;
}

std::string TorbPlugin::ParserItemsText() const { return ParserItemsToText(FParserItems); }

void TorbPlugin::SetParserItems(const std::string& Text) { ParserItemsFromText(Text, FParserItems); }

}  // namespace orb
