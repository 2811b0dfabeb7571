// TorbPlugin: the module object, one per configuration of the host. A data module
// whose published values a concrete module sets in its form and whose published
// events it handles; the framework creates it, drives it through LOAD and UNLOAD,
// hands it the data calls and frees it when the host releases the configuration.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Private/Plugins/orbCustomCommands.h"
#include "Private/Plugins/orbPluginTypes.h"
#include "Private/Plugins/orbTransl.h"
#include "Public/Common/orbParamLst.h"
#include "Public/Common/orbThreadLists.h"
#include "Public/Common/orbWait.h"
#include "rtl/AnsiString.h"
#include "rtl/DataModule.h"
#include "rtl/Locks.h"
#include "rtl/Strings.h"

namespace orb {

class TorbPlugin;

using TShowOptionsDialogEvent = std::function<void(TorbPlugin* Sender, PPluginCallRec pCallRec, bool& Success)>;
using TExecutePluginCustomCommandEvent =
    std::function<void(TorbPlugin* Sender, const std::string& Command, PPluginCallRec pCallRec, std::int32_t& Result)>;
using TExecutePluginCommandEvent = std::function<void(TorbPlugin* Sender, PPluginCallRec pCallRec, std::int32_t& Result)>;
using TOnPluginStateChangeNotifyEvent = std::function<void(TorbPlugin* Sender, TModuleTypes ModuleTypes)>;
using TOnProcessData = std::function<void(TorbPlugin* Sender, PPluginCallRec pCallRec, std::int32_t& Result)>;
using TOnPluginNotifyEvent = std::function<void(TorbPlugin* Sender)>;

// A data source of the configuration, as SET-STATE lists them.
struct TConfigDataSource {
  std::string Text;
  std::int32_t Id = 0;
  std::string Name;
  std::string FullName;
};

// Host callbacks, exported by the host application (stdcall on Windows).
using TSendDataProc = std::int32_t(ORB_STDCALL*)(std::uint32_t cookie, std::int32_t target, std::uint32_t sourceId,
                                                  const void* data, std::int32_t length);
using TSendStringProc = std::int32_t(ORB_STDCALL*)(std::uint32_t cookie, std::int32_t target, std::uint32_t sourceId,
                                                    const char* text);
using TSendByteProc = std::int32_t(ORB_STDCALL*)(std::uint32_t cookie, std::int32_t target, std::uint32_t sourceId,
                                                  std::uint32_t value);
using TSendNotifyProc = void*;

class TorbPlugin : public rtl::TDataModule {
  RTL_CLASS_INFO

public:
  // pCallRec: the call that caused the creation (or nil); dllHandle: 0 from FindInstance.
  TorbPlugin(PPluginCallRec pCallRec, void* dllHandle);
  ~TorbPlugin() override;
  void AfterConstruction() override;
  void Loaded() override;

  // The module's exclusive lock (for writing only); the framework itself never takes it.
  bool Lock();
  void Unlock();

  // Commands (the dispatcher and its verbs).
  std::int32_t ExecuteCommand(const std::string& Command, PPluginCallRec pCallRec);
  std::int32_t DoLoad(PPluginCallRec pCallRec);
  std::int32_t DoUnload(PPluginCallRec pCallRec);
  void ApplyLanguageParameter(PPluginCallRec pCallRec);
  // Reads "TEMPORARY-LOAD" from the call's parameters.
  void ReadTemporaryLoad(PPluginCallRec pCallRec);
  bool GetModuleParameter(const std::string& Name, rtl::Variant& Value);
  bool SetModuleParameter(const std::string& Name, const rtl::Variant& Value);

  // Parser items and custom commands in their text forms.
  std::string ParserItemsText() const;
  void SetParserItems(const std::string& Text);
  std::string CustomCommandsText() const { return FCustomCommands.Text(); }
  void AddCustomCommands(const std::string& Text) { FCustomCommands.AddFromText(Text); }

  // Outgoing data, events and log.
  // A text longer than a few kilobytes is cut and marked (rtl::BoundedText).
  void AddLog(int Level, std::string_view Text);
  void SendLog(int Level, std::string_view Text);
  void AddEvent(bool Global, const std::string& EventType, const TorbParamsList* Params);
  void PostToHost(std::uint32_t Msg, std::intptr_t LParam);
  // A log line in the host's format: severity byte, title, the text on one line.
  std::string FormatLogLine(int Level, std::string_view Text) const;

  // Settings: every item that Items names, read from the store into Target or written
  // from Target into it (the registry path, roots and INI section prefix of the
  // module; FileName, when given, in place of FINIFile). The short form writes only
  // the lines up to the ";---short---" marker. False for nil Items, or when the
  // registry is the store and no root of it can be used. FSettingsBusy is set while
  // one runs.
  bool ReadSettings(const rtl::TStrings* Items, rtl::TObject* Target, const std::string& FileName = std::string());
  bool ReadSettings(const rtl::TStrings* Items, TorbParamsList* Target, const std::string& FileName = std::string());
  bool WriteSettings(const rtl::TStrings* Items, rtl::TObject* Target, const std::string& FileName = std::string());
  bool WriteSettings(const rtl::TStrings* Items, TorbParamsList* Target, const std::string& FileName = std::string());
  bool WriteSettingsShort(const rtl::TStrings* Items, rtl::TObject* Target,
                          const std::string& FileName = std::string());
  bool WriteSettingsShort(const rtl::TStrings* Items, TorbParamsList* Target,
                          const std::string& FileName = std::string());

  // The data folders of the module parameters; "ModuleDataPath" with create.
  std::string AppDataPath() const;
  std::string ConfigFolderName() const;
  std::string ModuleDataPath(bool create) const;

  // Published values.
  rtl::AnsiString MsgNoData;
  rtl::AnsiString MsgWriteComplete;
  rtl::AnsiString MsgWriteCompleteError;
  float MinVersion = 0.0f;
  rtl::AnsiString Description;
  rtl::AnsiString LogTitle;
  TModuleTypes ModuleType = 0;
  TModuleOptions ModuleOptions = 0;
  rtl::AnsiString EventsSupported;
  bool IsMultiThreadSupported = false;

  // Published events.
  TShowOptionsDialogEvent OnShowOptionsDialog;
  TExecutePluginCustomCommandEvent OnExecuteCustomCommand;
  TExecutePluginCustomCommandEvent OnEvent;
  TExecutePluginCommandEvent OnLoad;
  TExecutePluginCommandEvent OnUnload;
  rtl::TNotifyEvent OnSaveSettingsNow;
  rtl::TNotifyEvent OnLoadSettingsNow;
  rtl::TNotifyEvent OnSetParserItems;
  TOnPluginStateChangeNotifyEvent OnStateChanged;
  TOnProcessData OnProcessData;
  TOnProcessData OnGetData;
  rtl::TNotifyEvent OnBeforeGetParserItems;
  TOnPluginNotifyEvent OnChangeLanguage;

  // Instance state.
  std::uint32_t FConfigId = 0;
  void* FDllHandle = nullptr;
  std::atomic<std::int32_t> FLoadCount{0};
  std::uint32_t FModuleIndex = 0;
  std::string FModulePath;
  std::string FModuleName;
  std::string FFullVersion;
  std::string FApplicationName;
  std::uintptr_t FParentApp = 0;
  std::uintptr_t FMessageWindow = 0;
  std::uintptr_t FOwnerForm = 0;
  std::uint32_t FLoadForConfig = 0;
  std::atomic<bool> FTemporaryLoad{false};
  TWaitFlag FTerminateNow{0};
  TWaitFlag FBusy{0};
  std::array<bool, 8> FEnabledTypes{};
  TorbRowsParamsList* FDataOut = nullptr;
  TorbRowsParamsList* FEvents = nullptr;
  TLogDataList FLog{1024};
  std::unique_ptr<TorbThreadParamsList> FVariables;
  std::vector<TParserItem> FParserItems;
  std::string FParserItemsText;
  TorbPluginCustomCmdList FCustomCommands;
  std::vector<std::unique_ptr<TConfigDataSource>> FDataSources;
  std::string FDataSourceLoadFor;
  std::unique_ptr<TModuleConfigList> FConfigList;
  std::string FINIFile;
  std::uint8_t FRegistryRoot1 = 2;
  std::uint8_t FRegistryRoot2 = 1;
  std::string FRegistryPath;
  std::string FINISectionPrefix;
  bool FSettingsBusy = false;
  // Translates the module's texts and its configuration forms (Translator()).
  std::unique_ptr<TWtransl> FTranslator;
  std::string FLanguage;
  bool FTranslated = false;
  std::string FTranslatedLanguage;  // what the module's own texts are in now ('' for English)
  bool FShowingOptions = false;
  TModuleTypes FOptionsModuleTypes = 0;
  TorbParamsList* FOptionsData = nullptr;
  std::array<std::int32_t, 4> FOptionsBounds{};
  std::uint32_t FThreadId = 0;

  TSendDataProc fSendData = nullptr;
  TSendStringProc fSendString = nullptr;
  TSendByteProc fSendByte = nullptr;
  TSendNotifyProc fSendNotify = nullptr;

  // The output list of the calling thread: FDataOut for the thread that loaded the
  // module, a list of its own for every other thread, so that threads processing
  // packets of one configuration never hand the host each other's rows (a host takes a
  // call's rows before that thread's next call). nullptr before LOAD and after UNLOAD.
  TorbRowsParamsList* DataOut();

  // The instance list's reference plus one per call that uses the instance.
  std::atomic<std::int32_t> FUseCount{0};

  // Guards FDataOut and FEvents against a GetData or GetEvents running on another
  // thread while a data call fills them.
  rtl::TCriticalSection FOutputLock;
  std::vector<std::pair<std::uint32_t, TorbRowsParamsList*>> FThreadDataOut;  // under FOutputLock

  TWtransl* Translator() const noexcept { return FTranslator.get(); }
  // Translates a configuration form (and what it owns) into FLanguage from the
  // built-in English; false without a translator or a language file.
  bool TranslateForm(rtl::TComponent* Form);
  // Translates one built-in English text (a message, perhaps made from a format) into
  // FLanguage in place; false when it has no translation.
  bool TranslateText(std::string& Text);

protected:
  // Translates the module's own texts into FLanguage once (again after a change of
  // language, from the language they are in then).
  void TranslateOnce();

private:
  rtl::TMultiReadExclusiveWriteSynchronizer FExclusiveLock;
  rtl::TCriticalSection FCommandLock;
  std::atomic<std::int32_t> FCommandDepth{0};
};

// The event-call operation: raises Module's OnEvent with a fresh call record whose
// parameters are the arguments as "P0", "P1", ...; True with Value from "RESULT" when
// the handler leaves Result 0.
bool CallModuleEvent(TorbPlugin* Module, const std::string& EventName, const std::vector<rtl::Variant>& Args,
                     rtl::Variant& Value);

}  // namespace orb
