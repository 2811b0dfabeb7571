#include "Private/Plugins/orbPluginModule.h"

#include <atomic>
#include <mutex>

#include "Private/Plugins/orbInstances.h"
#include "Private/Plugins/orbParams.h"
#include "platform/FileVersion.h"
#include "platform/Files.h"
#include "platform/Icons.h"
#include "platform/Messages.h"
#include "platform/Modules.h"
#include "rtl/VariantConvert.h"

namespace orb {

namespace {

const rtl::TEnumInfo kModuleTypeInfo{
    "TModuleType",
    {"mttDataQuery", "mttDataParser", "mttDataExport", "mttEventsHandling", "mttLogging", "mttFilter", "mttDeviceLayer",
     "mttMenuExt"}};
const rtl::TEnumInfo kModuleOptionInfo{"TModuleOption", {"moNoConfig", "moXMLOptions", "moMultiConfig"}};

// Loaded instances that know their host: the first one loads the host's icon, the
// last one to go destroys it.
std::atomic<int> gHostedInstances{0};
std::mutex gIconLock;
platform::IconHandle gApplicationIcon = nullptr;

[[maybe_unused]] const rtl::TClassInfo& kRegistered = TorbPlugin::StaticClassInfo();

}  // namespace

const rtl::TClassInfo& TorbPlugin::StaticClassInfo() {
  using P = TorbPlugin;
  static const rtl::TClassInfo info =
      rtl::TClassBuilder<P>("TorbPlugin", &rtl::TDataModule::StaticClassInfo())
          .Factory(nullptr)
          .Property("MsgNoData", &P::MsgNoData, &P::MsgNoData)
          .Property("MsgWriteComplete", &P::MsgWriteComplete, &P::MsgWriteComplete)
          .Property("MsgWriteCompleteError", &P::MsgWriteCompleteError, &P::MsgWriteCompleteError)
          .Property("MinVersion", &P::MinVersion, &P::MinVersion)
          .Property("Description", &P::Description, &P::Description)
          .Property("LogTitle", &P::LogTitle, &P::LogTitle)
          .Set("ModuleType", "TModuleTypes", kModuleTypeInfo, &P::ModuleType, &P::ModuleType)
          .Set("ModuleOptions", "TModuleOptions", kModuleOptionInfo, &P::ModuleOptions, &P::ModuleOptions)
          .Property("EventsSupported", &P::EventsSupported, &P::EventsSupported)
          .Property("IsMultiThreadSupported", &P::IsMultiThreadSupported, &P::IsMultiThreadSupported)
          .Event("OnShowOptionsDialog", "TShowOptionsDialogEvent", &P::OnShowOptionsDialog, &P::OnShowOptionsDialog)
          .Event("OnExecuteCustomCommand", "TExecutePluginCustomCommandEvent", &P::OnExecuteCustomCommand,
                 &P::OnExecuteCustomCommand)
          .Event("OnEvent", "TExecutePluginCustomCommandEvent", &P::OnEvent, &P::OnEvent)
          .Event("OnLoad", "TExecutePluginCommandEvent", &P::OnLoad, &P::OnLoad)
          .Event("OnUnload", "TExecutePluginCommandEvent", &P::OnUnload, &P::OnUnload)
          .Event("OnSaveSettingsNow", "TNotifyEvent", &P::OnSaveSettingsNow, &P::OnSaveSettingsNow)
          .Event("OnLoadSettingsNow", "TNotifyEvent", &P::OnLoadSettingsNow, &P::OnLoadSettingsNow)
          .Event("OnSetParserItems", "TNotifyEvent", &P::OnSetParserItems, &P::OnSetParserItems)
          .Event("OnStateChanged", "TOnPluginStateChangeNotifyEvent", &P::OnStateChanged, &P::OnStateChanged)
          .Event("OnProcessData", "TOnProcessData", &P::OnProcessData, &P::OnProcessData)
          .Event("OnGetData", "TOnProcessData", &P::OnGetData, &P::OnGetData)
          .Event("OnBeforeGetParserItems", "TNotifyEvent", &P::OnBeforeGetParserItems, &P::OnBeforeGetParserItems)
          .Event("OnChangeLanguage", "TOnPluginNotifyEvent", &P::OnChangeLanguage, &P::OnChangeLanguage);
  return info;
}

TorbPlugin::TorbPlugin(PPluginCallRec pCallRec, void* dllHandle) : FDllHandle(dllHandle) {
  if (pCallRec) ReadTemporaryLoad(pCallRec);
  FTranslator = std::make_unique<TWtransl>();
  // Without a language file the built-in texts ("EN") stay.
  FLanguage = "EN";
  std::string moduleFile = platform::ModuleFileName(FDllHandle);
  {
    const std::size_t dot = moduleFile.find_last_of('.');
    const std::size_t slash = moduleFile.find_last_of("/\\");
    std::string languageFile = (dot == std::string::npos || (slash != std::string::npos && dot < slash))
                                   ? moduleFile + ".lng"
                                   : moduleFile.substr(0, dot) + ".lng";
    FTranslator->SetLanguageFile(rtl::AnsiString(languageFile));
    if (!moduleFile.empty() && platform::FileExists(languageFile)) {
      const std::string current = FTranslator->CurrentLanguage();
      if (!current.empty()) FLanguage = current;
    } else {
      FTranslator->SetLanguageFile(rtl::AnsiString());
    }
    for (const char* name : {"MsgNoData", "MsgWriteComplete", "MsgWriteCompleteError"})
      FTranslator->AddComponentProperty(name);
  }
  std::array<std::uint16_t, 4> parts{};
  if (!moduleFile.empty() && platform::ReadFileVersion(moduleFile, parts))
    FFullVersion = std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." + std::to_string(parts[2]) + "." +
                   std::to_string(parts[3]);
  FModuleName = platform::ExtractFileName(moduleFile);
  FModulePath = platform::ExtractFilePath(moduleFile);
}

TorbPlugin::~TorbPlugin() {
  FParserItemsText.clear();
  FParserItems.clear();
  std::lock_guard guard(FOutputLock);
  delete FEvents;
  delete FDataOut;
  FEvents = FDataOut = nullptr;
  for (auto& [thread, list] : FThreadDataOut) delete list;
  FThreadDataOut.clear();
}

TorbRowsParamsList* TorbPlugin::DataOut() {
  std::lock_guard guard(FOutputLock);
  const std::uint32_t self = platform::CurrentThreadId();
  if (!FDataOut || self == FThreadId) return FDataOut;
  for (auto& [thread, list] : FThreadDataOut)
    if (thread == self) return list;
  FThreadDataOut.emplace_back(self, new TorbRowsParamsList());
  return FThreadDataOut.back().second;
}

void TorbPlugin::AfterConstruction() {
  // The form's values are set and OnCreate raised by the data module's creation step.
  rtl::TDataModule::AfterConstruction();
  if (FTranslator && !FTranslator->LanguageFile().IsEmpty()) TranslateOnce();
}

void TorbPlugin::Loaded() { rtl::TDataModule::Loaded(); }

bool TorbPlugin::Lock() { return FExclusiveLock.BeginWrite(); }
void TorbPlugin::Unlock() { FExclusiveLock.EndWrite(); }

void TorbPlugin::ReadTemporaryLoad(PPluginCallRec pCallRec) {
  FTemporaryLoad = pCallRec->Params == nullptr;
  if (!pCallRec->Params) return;
  try {
    rtl::Variant v;
    if (ReadParam(pCallRec->Params, "TEMPORARY-LOAD", v) && !rtl::VarToAnsiString(v).IsEmpty())
      FTemporaryLoad = rtl::VarToBool(v);
  } catch (...) {
    // An unreadable flag keeps what the record said.
  }
}

void TorbPlugin::TranslateOnce() {
  if (FTranslated || FLanguage.empty()) return;
  FTranslated = true;
  if (!FTranslator || FTranslator->LanguageFile().IsEmpty()) return;
  try {
    // The module's texts are in the language of its last translation (English at first).
    const std::string from = FTranslatedLanguage.empty() ? "EN" : FTranslatedLanguage;
    if (from == FLanguage) return;
    FTranslator->Translate(FLanguage, this, nullptr, from);
    FTranslatedLanguage = FLanguage;
  } catch (...) {
    // Untranslated texts are still texts.
  }
}

bool TorbPlugin::TranslateForm(rtl::TComponent* Form) {
  if (!FTranslator || FTranslator->LanguageFile().IsEmpty() || !Form) return false;
  // Forms are made afresh each time, so their texts are always the built-in ones.
  return FTranslator->Translate(FLanguage, Form, nullptr, "EN");
}

bool TorbPlugin::TranslateText(std::string& Text) {
  if (!FTranslator || FTranslator->LanguageFile().IsEmpty() || FLanguage.empty()) return false;
  const std::string before = Text;
  try {
    FTranslator->Translate(FLanguage, nullptr, &Text, "EN");
  } catch (...) {
    Text = before;
  }
  return Text != before;
}

void TorbPlugin::ApplyLanguageParameter(PPluginCallRec pCallRec) {
  std::string language = ParamText(pCallRec->Params, "LANGUAGE");
  // A host that switches its language switches ours; the same language changes nothing.
  if (language.empty() || FLanguage.empty() || language == FLanguage) return;
  FTranslated = false;
  FLanguage = language;
  TranslateOnce();
  if (OnChangeLanguage) {
    try {
      OnChangeLanguage(this);
    } catch (const rtl::Exception& e) {
      LogException(this, "TRANSL", e);
    }
  }
}

std::int32_t TorbPlugin::DoLoad(PPluginCallRec pCallRec) {
  try {
    if (++FLoadCount > 1) return 0;
    const TorbParamsList* params = pCallRec->Params;
    FThreadId = platform::CurrentThreadId();
    FShowingOptions = false;
    FModuleIndex = pCallRec->ModuleIndex;
    FRegistryPath = ParamText(params, "RegistryPath");
    FINISectionPrefix = ParamText(params, "INISectionPrefix");
    if (HasParam(params, "HANDLE")) FParentApp = static_cast<std::uintptr_t>(ParamInt(params, "HANDLE"));
    FApplicationName = ParamText(params, "ApplicationName");
    if (!FParentApp && !FApplicationName.empty())
      FParentApp = reinterpret_cast<std::uintptr_t>(platform::FindLoadedModule(FApplicationName));
    FLoadForConfig = 0;
    if ((ModuleOptions & ModuleOptionBit(moMultiConfig)) && HasParam(params, "CONFIG-ID"))
      FLoadForConfig = static_cast<std::uint32_t>(ParamInt(params, "CONFIG-ID"));
    FINIFile = ParamText(params, "INI-FILE");
    {
      std::lock_guard guard(FOutputLock);
      if (!FDataOut) FDataOut = new TorbRowsParamsList();
      if (!FEvents) FEvents = new TorbRowsParamsList();
    }
    fSendData = nullptr;
    fSendString = nullptr;
    fSendByte = nullptr;
    fSendNotify = nullptr;
    if (FParentApp) {
      auto* host = reinterpret_cast<platform::ModuleHandle>(FParentApp);
      if (gHostedInstances.fetch_add(1) == 0) {
        std::lock_guard guard(gIconLock);
        if (!gApplicationIcon) gApplicationIcon = platform::LoadModuleIcon(host, "MAINICON");
      }
      fSendData = reinterpret_cast<TSendDataProc>(platform::FindExport(host, "fSendData"));
      fSendString = reinterpret_cast<TSendStringProc>(platform::FindExport(host, "fSendString"));
      fSendByte = reinterpret_cast<TSendByteProc>(platform::FindExport(host, "fSendByte"));
      fSendNotify = platform::FindExport(host, "fSendNotify");
    }
    FTerminateNow = 0;
    std::int32_t ignored = 0;
    if (OnLoad) OnLoad(this, pCallRec, ignored);
    return 0;
  } catch (const rtl::Exception& e) {
    LogException(this, "LOAD", e);
    return prException;
  } catch (...) {
    return prException;
  }
}

std::int32_t TorbPlugin::DoUnload(PPluginCallRec pCallRec) {
  try {
    // Every UNLOAD counts down the hosted instances, whatever this instance's state.
    if (gHostedInstances.fetch_sub(1) == 1) {
      std::lock_guard guard(gIconLock);
      platform::DestroyIconHandle(gApplicationIcon);
      gApplicationIcon = nullptr;
    }
    std::int32_t count = --FLoadCount;
    if (count < 0) {
      FLoadCount = 0;
      return 0;
    }
    if (count > 0) return 0;
    FTerminateNow = 1;
    FEnabledTypes.fill(false);
    std::string iniFile = ParamText(pCallRec->Params, "INI-FILE");
    if (iniFile != FINIFile) {
      FINIFile = iniFile;
      try {
        if (OnSaveSettingsNow) OnSaveSettingsNow(this);
      } catch (...) {
      }
    }
    try {
      std::int32_t ignored = 0;
      if (OnUnload) OnUnload(this, pCallRec, ignored);
    } catch (...) {
    }
    FShowingOptions = false;
    {
      std::lock_guard guard(FOutputLock);
      try {
        delete FEvents;
      } catch (...) {
      }
      FEvents = nullptr;
      try {
        delete FDataOut;
        for (auto& [thread, list] : FThreadDataOut) delete list;
      } catch (...) {
      }
      FDataOut = nullptr;
      FThreadDataOut.clear();
    }
    FParentApp = 0;
    FMessageWindow = 0;
    return 0;
  } catch (...) {
    return prException;
  }
}

}  // namespace orb
